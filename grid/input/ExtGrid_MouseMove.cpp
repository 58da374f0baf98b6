// The mouse moving over the grid and leaving it: the hover row, hovered header cells,
// the hot header of the list-view look, hovered cell buttons, the cell the current hint
// belongs to, the sizing zones of the fixed area with their live line, the selection
// mode a press would start and the cursor that shows it.
#include <algorithm>
#include <cstdlib>

#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/core/GridPanels.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"

namespace {
// The right border of fixed column i (the bottom border of fixed row i): the sizes of
// the cells before it with one pixel of grid line each, and its own size.
template <class SizeOf>
int FixedBorder(int i, SizeOf size)
{
    int pos = 0;
    for (int j = 0; j < i; ++j) pos += size(j) + 1;
    return pos + size(i);
}
}

void TExtStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                     TGridDrawInfo& FixedInfo)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    // The window may refuse the sizing of a column (row): then no sizing cursor shows
    // and a press selects as usual.
    int c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < FixedRows() && c >= 0) {
        bool Allow = true;
        if (OnColumnSize) OnColumnSize(this, c, Allow);
        if (!Allow) {
            State = gsNormal;
            FSizeFixed = false;
        }
    }
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < FixedCols() && r >= 0) {
        bool Allow = true;
        if (OnRowSize) OnRowSize(this, r, Allow);
        if (!Allow) State = gsNormal;
    }
}

void TExtStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OleDragMove(Shift, X, Y)) return;
    // A drag from a press in the cells selects a range instead of opening an editor.
    if (Shift.Contains(ssLeft) && FMouseActions->RangeSelectAndEdit && Options().Contains(goEditing) && !EditMode &&
        !EditorMode())
        SetOptions(Options() >> goEditing);
    const TGridRect before = Selection();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    const bool overCell = c >= 0 && r >= 0 && c < ColCount() && r < RowCount();
    if (overCell) {
        if (HoverRow && r != FHoverRowIdx) {
            const int old = FHoverRowIdx;
            FHoverRowIdx = r;
            InvalidateRow(r);
            if (old >= 0 && old < RowCount()) InvalidateRow(old);
        }
        if (HoverFixedCells != hfNone) {
            const int ox = FHoverFixedX, oy = FHoverFixedY;
            FHoverFixedX = c;
            FHoverFixedY = r;
            // The first scrollable row (column) is repainted too: it may draw the
            // header's hover edge.
            if (ox != c || oy != r) {
                if (ox >= 0 && oy >= 0 && (oy <= FixedRows() || ox <= FixedCols())) RepaintCell(ox, oy);
                if (r <= FixedRows() || c <= FixedCols()) RepaintCell(c, r);
            }
        }
        if (FLook == glListView && TPoint(c, r) != FHotFixedCell) {
            const TPoint old = FHotFixedCell;
            if (old.X >= 0 && old.Y >= 0 && (old.X < FixedCols() || old.Y < FixedRows())) RepaintCell(old.X, old.Y);
            FHotFixedCell = TPoint(c, r);
            if (c < FixedCols() || r < FixedRows()) RepaintCell(c, r);
        }
        // Every cell gets a hint of its own: leaving the hinted cell asks again.
        if (FLastHintPos.X >= 0 && FLastHintPos.Y >= 0) {
            const TPoint b = BaseCell(RealColIndex(c), r);
            if (TPoint(DisplColIndex(b.X), b.Y) != FLastHintPos) {
                FLastHintPos = TPoint(-1, -1);
                Application->CancelHint();
            }
        }
    }
    CellScrollBarHover(overCell ? c : -1, r);
    // The cell button (or expand button) under the mouse is drawn hot.
    {
        const int rc = overCell ? RealColIndex(c) : -1;
        const bool onButton = overCell && ((HasButton(rc, r) && CellButtonRect(c, r).Contains(TPoint(X, Y))) ||
                                           (HasExpand(rc, r) && GetExpandButtonRect(rc, r).Contains(TPoint(X, Y))));
        if (onButton && TPoint(c, r) != FHoverButton) {
            const TPoint old = FHoverButton;
            if (old.X >= 0 && old.X < ColCount() && old.Y < RowCount()) RepaintCell(old.X, old.Y);
            FHoverButton = TPoint(c, r);
            RepaintCell(c, r);
        } else if (!onButton && FHoverButton.X >= 0) {
            const TPoint old = FHoverButton;
            FHoverButton = TPoint(-1, -1);
            if (old.X < ColCount() && old.Y < RowCount()) RepaintCell(old.X, old.Y);
        }
    }
    // Sizing zones of the fixed columns and rows, and their line while they are sized.
    FSizeFixed = false;
    for (int i = 0; i < FixedCols() && overCell; ++i)
        if (std::abs(FixedBorder(i, [this](int j) { return ColWidths(j); }) - X) < 3)
            FSizeFixed = FMouseActions->SizeFixedCol;
    if (FSizingFixed) {
        DrawSizingColLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawSizingColLine(FSizeFixedX);
    }
    FSizeFixedR = false;
    for (int i = 0; i < FixedRows() && overCell; ++i)
        if (std::abs(FixedBorder(i, [this](int j) { return RowHeights(j); }) - Y) < 3)
            FSizeFixedR = FMouseActions->SizeFixedRow;
    if (FSizingFixedR) {
        DrawSizingRowLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawSizingRowLine(FSizeFixedY);
    }
    if (FMouseResize) SelectionResizeMove(X, Y);
    // A press on the row (column) headers selects further rows (columns) as it moves along them.
    bool scrolledUp = false;
    if (FMouseSelectStart >= 0 && overCell) {
        if (FMouseSelectMode == msRow && FMouseActions->RowSelect) {
            if (r >= FixedRows() && r <= RowCount() - FixedFooters) {
                const int to = std::max(FixedRows(), r);
                SelectRows(std::min(FMouseSelectStart, to), std::abs(to - FMouseSelectStart) + 1);
            }
            // At the bottom edge (on the header) the rows scroll on (back).
            if (Y > ClientRect().Height() - 4 && TopRow() + VisibleRowCount() < RowCount()) {
                SetTopRow(TopRow() + 1);
            } else if (FixedRows() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
                SetTopRow(TopRow() - 1);
                scrolledUp = true;
            }
        } else if (FMouseSelectMode == msColumn && FMouseActions->ColSelect) {
            const int to = std::max(FixedCols(), c);
            SelectCols(std::min(FMouseSelectStart, to), std::abs(to - FMouseSelectStart) + 1);
        }
    }
    // What a press here would start.
    FMouseSelectMode = msNormal;
    if (IsOnSelectionResizer(X, Y)) FMouseSelectMode = msResize;
    else if (overCell) {
        const bool border = IsOnSizingBorder(X, Y) || FSizeFixed || FSizeFixedR;
        if (r < FixedRows() && c < FixedCols()) {
            if (FMouseActions->AllSelect) FMouseSelectMode = msAll;
        } else if (r < FixedRows() && c >= FixedCols()) {
            if (FMouseActions->ColSelect && !border) FMouseSelectMode = msColumn;
        } else if (c < FixedCols() && (r >= FixedRows() || scrolledUp) && r <= RowCount() - 1) {
            if (FMouseActions->RowSelect && !border && !HasExpand(RealColIndex(c), r)) FMouseSelectMode = msRow;
        }
    }
    // A cell text that holds a link shows the link cursor.
    FOverLink = false;
    if (overCell && URLShow()) {
        const String text = GetGridCell(RealColIndex(c), r);
        FOverLink = GetTextKind(text, EnableHTML) != tkHTML && HasURLProtocol(text);
    }
    // Links in mini-HTML: the link cursor, hover underlining, entering and leaving.
    if (overCell) AnchorMouseMove(c, r, X, Y);
    // The frame of a selection being dragged out follows it.
    if (FGridState == gsSelecting && SelectionRectangle && !(Selection() == FMoveSelection)) {
        InvalidateGridRect(FMoveSelection);
        FMoveSelection = Selection();
        InvalidateGridRect(FMoveSelection);
    }
    const int keepLeft = LeftCol();
    {
        // A selection dragged onto a merged area reaches its base cell.
        const TPoint bp = FGridState == gsSelecting ? PointOnBaseCell(X, Y) : TPoint(X, Y);
        TBaseGrid::MouseMove(Shift, bp.X, bp.Y);
    }
    // With KeepHorizScroll a drag from a press does not scroll the columns.
    if (FNavigation->KeepHorizScroll && Shift.Contains(ssLeft) && FGridState != gsColMoving && LeftCol() != keepLeft) {
        BeginUpdate();
        SetLeftCol(keepLeft);
        EndUpdate();
    }
    UpdateMouseCursor(X, Y);
    MoveFeedback(X, Y);
    // Live sizing reports the size the released mouse would give.
    if (FGridState == gsColSizing && OnColumnSizing) {
        const TRect R = CellRect(FSizingIndex, 0);
        OnColumnSizing(this, FSizingIndex, FSizingPos - R.Left);
    } else if (FSizingFixed && OnColumnSizing) {
        OnColumnSizing(this, 0, FSizeFixedX);
    }
    if (FGridState == gsRowSizing && OnRowSizing) {
        const TRect R = CellRect(0, FSizingIndex);
        OnRowSizing(this, FSizingIndex, FSizingPos - R.Top);
    } else if (FSizingFixedR && OnRowSizing) {
        OnRowSizing(this, 0, FSizeFixedY);
    }
    if (HintShowSizing) {
        if (FGridState == gsColSizing) {
            const int c0 = FSizingIndex < ColCount() ? FSizingIndex : ColCount() - 1;
            ShowSizingHint("cw=<b>" + IntToStr(FSizingPos - CellRect(c0, 0).Left) + "</b>", c0, 0);
        } else if (FGridState == gsRowSizing) {
            const int r0 = FSizingIndex < RowCount() ? FSizingIndex : RowCount() - 1;
            ShowSizingHint("rh=<b>" + IntToStr(FSizingPos - CellRect(0, r0).Top) + "</b>", 0, r0);
        } else if (FSizingFixed) {
            ShowSizingHint("cw=<b>" + IntToStr(FSizeFixedX) + "</b>", 0, 0);
        } else if (FSizingFixedR) {
            ShowSizingHint("rh=<b>" + IntToStr(FSizeFixedY) + "</b>", 0, 0);
        }
    }
    // Moving feedback shows at once, not with the next paint.
    if (EnhRowColMove && (FGridState == gsColMoving || FGridState == gsRowMoving)) Update();
    const TGridRect after = Selection();
    if (!(after == before)) FireSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TExtStringGrid::ShowSizingHint(const String& Text, int ACol, int ARow)
{
    THTMLHintWindow* w = FScrollHintWindow;
    if (!w) return;
    if (w->Parent() != this) w->SetParent(this);
    const TRect size = w->CalcHintRect(200, Text, nullptr);
    const TRect R = CellRect(ACol, ARow);
    w->SetColor(HintColor);
    w->ActivateHint(Bounds(R.Left, R.Top, size.Width(), size.Height()), Text);
    FScrollHintShow = true;
}

void TExtStringGrid::CellScrollBarHover(int ACol, int ARow)
{
    const int rc = ACol >= 0 ? RealColIndex(ACol) : -1;
    if (rc < 0 || !HasScrollBar(rc, ARow)) {
        if (FScrollBar && FScrollBar->Visible()) FScrollBar->SetVisible(false);
        return;
    }
    if (!FScrollBar) {
        // The grid's own vertical bar serves the cell under the mouse; moving it scrolls
        // that cell's content and reports it.
        FScrollBar = FVertScrollBar;
        FScrollBar->OnChange = [this](TObject*) {
            if (FScrollCol < 0 || FScrollCol >= ColCount() || FScrollRow < 0 || FScrollRow >= RowCount()) return;
            SetScrollPosition(RealColIndex(FScrollCol), FScrollRow, FScrollBar->Position());
            FireScrollCell();
        };
    }
    const bool here = FScrollBar->Visible() && FScrollCol == ACol && FScrollRow == ARow;
    FScrollCol = ACol;
    FScrollRow = ARow;
    const TScrollProp prop = GetScrollProp(rc, ARow);
    if (here) return;
    if (prop.PageSize >= prop.Range) {
        FScrollBar->SetVisible(false);
        return;
    }
    const TRect R = CellRect(ACol, ARow);
    const int lw = GridLineWidth();
    FScrollBar->SetPageSize(prop.PageSize);
    FScrollBar->SetParams(GetScrollPosition(rc, ARow), 0, prop.Range);
    FScrollBar->SetBounds(R.Right - 17 - lw, R.Top + lw, 17, R.Height() - 2 * lw);
    FScrollBar->SetVisible(true);
}

void TExtStringGrid::UpdateMouseCursor(int X, int Y)
{
    // The toolkit shows the split cursors of its own sizing.
    if (FGridState == gsColSizing || FGridState == gsRowSizing) return;
    if (FSizingFixed || FSizeFixed) {
        TBaseGrid::SetCursor(crHSplit);
        return;
    }
    if (FSizingFixedR || FSizeFixedR) {
        TBaseGrid::SetCursor(crVSplit);
        return;
    }
    if (FGridState == gsNormal && Sizing(X, Y)) return;
    switch (FMouseSelectMode) {
    case msColumn: TBaseGrid::SetCursor(crGridColSelect); return;
    case msRow: TBaseGrid::SetCursor(crGridRowSelect); return;
    case msAll:
    case msResize: TBaseGrid::SetCursor(crGridAllSelect); return;
    case msURL: return;
    default: break;
    }
    if (FOverLink) {
        TBaseGrid::SetCursor(GridLinkCursor);
        return;
    }
    if (Cursor() != FOldCursor) TBaseGrid::SetCursor(FOldCursor);
}

void TExtStringGrid::MoveFeedback(int X, int Y)
{
    if (FGridState != gsColMoving && FGridState != gsRowMoving) return;
    const bool cols = FGridState == gsColMoving;
    // The window may stop the move at any point.
    bool Allow = true;
    if (cols && OnColumnMove) OnColumnMove(this, FMoveIndex, Allow);
    if (!cols && OnRowMove) OnRowMove(this, FMoveIndex, Allow);
    if (!Allow) {
        FGridState = gsNormal;
        EndMoveFeedback();
        Invalidate();
        return;
    }
    if (!EnhRowColMove || RowCount() < 2 || TPoint(X, Y) == FDownPos) return;
    const int drop = FMovePos;
    Allow = true;
    FireStartBlockFocus();
    if (cols) {
        const bool shown = drop >= FixedCols() && drop - LeftCol() < VisibleColCount();
        if (shown) {
            // The arrows stand on the edge of the drop column where the moved one lands.
            const TRect R = CellRect(drop, 0);
            const int edge = drop < FMoveIndex ? R.Left : R.Right;
            const int bottom = std::min(ClientRect().Height(), GridHeight());
            TArrowWindow* down = FArrows[arrDown];
            TArrowWindow* up = FArrows[arrUp];
            down->SetBounds(edge - 5, R.Top, down->Width(), down->Height());
            up->SetBounds(edge - 5, bottom - up->Height(), up->Width(), up->Height());
        }
        FArrows[arrDown]->SetVisible(shown);
        FArrows[arrUp]->SetVisible(shown);
        FMoveColInd = drop;
        FMoveRowInd = 0;
        if (OnColumnMoving) OnColumnMoving(this, drop, Allow);
    } else {
        const bool shown = drop >= FixedRows() && drop - TopRow() < VisibleRowCount();
        if (shown) {
            const TRect R = CellRect(0, drop);
            const int edge = drop < FMoveIndex ? R.Top : R.Bottom;
            const int right = std::min(ClientRect().Width(), GridWidth());
            TArrowWindow* left = FArrows[arrLeft];
            TArrowWindow* rightArrow = FArrows[arrRight];
            left->SetBounds(R.Left, edge - 5, left->Width(), left->Height());
            rightArrow->SetBounds(right - rightArrow->Width(), edge - 5, rightArrow->Width(), rightArrow->Height());
        }
        FArrows[arrLeft]->SetVisible(shown);
        FArrows[arrRight]->SetVisible(shown);
        FMoveColInd = 0;
        FMoveRowInd = drop;
        if (OnRowMoving) OnRowMoving(this, drop, Allow);
        // The footer row stays last whatever the window says.
        if (RowMoveRefused(drop)) Allow = false;
    }
    // The face of the moved header follows the mouse, held where it was pressed.
    THeaderDragButton* b = FHeaderDragButton;
    int hc = -1, hr = -1;
    MouseToCell(X, Y, hc, hr);
    b->FaceCol = cols ? FMoveIndex : 0;
    b->FaceRow = cols ? 0 : FMoveIndex;
    if (cols) {
        b->SetCaption(GetCellEx(RealColIndex(FMoveIndex), 0));
        b->SetBounds(X - MoveOfsX, Y - MoveOfsY, ColWidths(FMoveIndex), RowHeights(hr >= 0 ? hr : 0));
    } else {
        b->SetCaption(GetCellEx(RealColIndex(0), FMoveIndex));
        b->SetBounds(X - MoveOfsX, Y - MoveOfsY, ColWidths(hc >= 0 ? hc : 0), RowHeights(FMoveIndex));
    }
    b->SetEnabled(true);
    b->SetVisible(true);
    b->BringToFront();
    b->Invalidate();
    // The arrows show the drop place also where the face passes over them.
    for (TArrowWindow* a : FArrows)
        if (a->Visible()) a->BringToFront();
    FMoveAllowed = Allow;
    TBaseGrid::SetCursor(Allow ? crDrag : crNoDrop);
}

void TExtStringGrid::EndMoveFeedback()
{
    if (FHeaderDragButton) {
        FHeaderDragButton->SetVisible(false);
        FHeaderDragButton->SetEnabled(false);
    }
    for (TArrowWindow* a : FArrows)
        if (a) a->SetVisible(false);
    FMoveColInd = FMoveRowInd = -1;
    if (Cursor() == crDrag || Cursor() == crNoDrop) TBaseGrid::SetCursor(FOldCursor);
}

THeaderDragButton::THeaderDragButton(TExtStringGrid* AGrid) : TCustomControl(AGrid), Grid(AGrid)
{
    SetVisible(false);
    SetEnabled(false);
    SetParent(AGrid);
}

void THeaderDragButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect R(0, 0, Width(), Height());
    if (!Grid) {
        FillRectColor(c, R, clBtnFace);
        return;
    }
    // The face of the fixed cell as the grid paints it: its colour with the gradient of
    // the grid's look.
    TBrush brush;
    TFont font;
    font.Assign(*Grid->FixedFont());
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taCenter;
    TVAlignment va = vtaCenter;
    bool ww = false;
    TGradientDirection gd = GradientVertical;
    TGridDrawState st{gdFixed};
    brush.SetColor(Grid->FixedColor());
    const bool inGrid = FaceCol >= 0 && FaceRow >= 0 && FaceCol < Grid->ColCount() && FaceRow < Grid->RowCount();
    if (inGrid)
        Grid->GetVisualProperties(FaceCol, FaceRow, st, false, false, true, &brush, to, mirror, mirrorTo, &font, ha,
                                  va, ww, gd);
    if (mirror == clNone) DrawGradient(c, brush.Color(), to, 128, R, false);
    else DrawCellBackground(c, R, brush.Color(), to, mirror, mirrorTo, true, clNone, false, true);
    if (!Flat) {
        // Raised: light top and left, dark right and bottom.
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(R.Left, R.Bottom - 1);
        c->LineTo(R.Left, R.Top);
        c->LineTo(R.Right - 1, R.Top);
        c->Pen()->SetColor(clBtnShadow);
        c->LineTo(R.Right - 1, R.Bottom - 1);
        c->LineTo(R.Left, R.Bottom - 1);
    }
    c->Font()->Assign(font);
    c->Brush()->SetStyle(bsClear);
    TRect t(R.Left + 2, R.Top + 1, R.Right - 2, R.Bottom - 1);
    if (Caption().find("</") != String::npos) {
        TMiniHTMLParams p;
        p.Images = Grid ? Grid->GridImages() : nullptr;
        RenderMiniHTML(c, Caption(), t, p);
        return;
    }
    c->DrawText(Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

bool TExtStringGrid::FixedSizingDown(int X, int Y)
{
    if (FSizeFixed) {
        for (int i = 0; i < FixedCols(); ++i)
            if (std::abs(FixedBorder(i, [this](int j) { return ColWidths(j); }) - X) <= 2) {
                FSizingFixed = true;
                FSizingFixedIndex = i;
                FSizeFixedX = X;
                DrawSizingColLine(X);
                return true;
            }
    }
    if (FSizeFixedR) {
        for (int i = 0; i < FixedRows(); ++i)
            if (std::abs(FixedBorder(i, [this](int j) { return RowHeights(j); }) - Y) <= 2) {
                FSizingFixedR = true;
                FSizingFixedIndex = i;
                FSizeFixedY = Y;
                DrawSizingRowLine(Y);
                return true;
            }
    }
    return false;
}

bool TExtStringGrid::FixedSizingUp(int X, int Y)
{
    if (FSizingFixed) {
        FSizingFixed = false;
        DrawSizingColLine(FSizeFixedX);
        const int i = FSizingFixedIndex;
        int before = 0;
        for (int j = 0; j < i; ++j) before += ColWidths(j) + 1;
        int w = X - before;
        if (w > 0 && i < ColCount()) {
            SetColWidths(i, w);
            if (OnEndColumnSize) OnEndColumnSize(this, i);
            const int asked = w;
            if (OnUpdateColumnSize) OnUpdateColumnSize(this, i, w);
            if (w != asked && w > 0) SetColWidths(i, w);
        }
        FSizingFixedIndex = -1;
        return true;
    }
    if (FSizingFixedR) {
        FSizingFixedR = false;
        DrawSizingRowLine(FSizeFixedY);
        const int i = FSizingFixedIndex;
        int before = 0;
        for (int j = 0; j < i; ++j) before += RowHeights(j) + 1;
        const int h = Y - before;
        if (h > 0 && i < RowCount()) {
            SetRowHeights(i, h);
            if (OnEndRowSize) OnEndRowSize(this, i);
        }
        FSizingFixedIndex = -1;
        return true;
    }
    return false;
}

void TExtStringGrid::MouseLeave()
{
    FMouseSelectMode = msNormal;
    FSizeFixed = false;
    FSizeFixedR = false;
    if (HoverRow && FHoverRowIdx >= 0) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount()) InvalidateRow(old);
    }
    if (HoverFixedCells != hfNone && FHoverFixedX >= 0 && FHoverFixedY >= 0) {
        const int ox = FHoverFixedX, oy = FHoverFixedY;
        FHoverFixedX = FHoverFixedY = -1;
        if (ox < ColCount() && oy < RowCount()) RepaintCell(ox, oy);
    }
    // The hot header of the list-view look is repainted but stays recorded.
    if (FLook == glListView && FHotFixedCell.X >= 0 && FHotFixedCell.Y >= 0 && FHotFixedCell.X < ColCount() &&
        FHotFixedCell.Y < RowCount() && (FHotFixedCell.X < FixedCols() || FHotFixedCell.Y < FixedRows()))
        RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
    if (FHoverButton.X >= 0) {
        const TPoint old = FHoverButton;
        FHoverButton = TPoint(-1, -1);
        if (old.X < ColCount() && old.Y < RowCount()) RepaintCell(old.X, old.Y);
    }
    FLastHintPos = TPoint(-1, -1);
    TBaseGrid::MouseLeave();
}
