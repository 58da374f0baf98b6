// The header's window at the top of the tree: placement, repaint requests, the mouse
// (splitter drags, caption clicks and column drags) and painting.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "treeview/core/BaseLazyTree.h"
#include "treeview/header/LTHeader.h"

namespace {
// A press must move this far before it becomes a column drag.
constexpr int DragThreshold = 5;
// How far above the header's bottom edge a press still takes hold of it.
constexpr int HeightGrab = 3;
}  // namespace

TLTHeaderWindow::TLTHeaderWindow(TLTHeader* AHeader) : TCustomControl(nullptr), FHeader(AHeader) {}

void TLTHeader::UpdateWindow()
{
    if (!FOwner) return;
    if (!FOptions.Contains(hoVisible)) {
        if (FWindow) FWindow->Hide();
        return;
    }
    if (!FWindow) {
        FWindow = new TLTHeaderWindow(this);
        FWindow->SetParent(FOwner);
    }
    // The header spans the window, over the vertical scroll bar too; a bar at the left
    // lies in the tree's frame, and the captions' coordinates stay the rows' beside it.
    const int leftBar = FOwner->LeftScrollBarInFrame();
    FWindow->SetBounds(-leftBar, 0, FOwner->TCustomControl::ClientRect().Width() + leftBar, FHeight);
    FWindow->SetNonClientInset(TRect(leftBar, 0, 0, 0));
    FWindow->Show();
    FWindow->Invalidate();
}

void TLTHeader::Invalidate(TColumnIndex, bool)
{
    // The strip is narrow: repainting all of it costs no more than working out a cell.
    if (FWindow && FOptions.Contains(hoVisible)) FWindow->Invalidate();
}

TColumnIndex TLTHeader::FindSplitterColumn(int X) const
{
    FColumns->FTrackIndex = NoColumnIndex;
    if (!UseColumns()) return NoColumnIndex;
    const int t = FSplitterHitTolerance;
    const int c = int(std::nearbyint(t * 0.6));
    const int offset = FOwner ? FOwner->EffectiveOffsetX() : 0;
    const int fixedWidth = FColumns->GetVisibleFixedWidth();
    const auto& pos = FColumns->PositionToIndex();
    if (FOwner && FOwner->UseRightToLeftAlignment()) {
        // Right to left a column is sized at its left edge; where two edges are that
        // close, the leftmost column wins.
        int s = -offset + FColumns->GetRTLHeaderShift(true);
        for (std::size_t p = 0; p < pos.size(); ++p) {
            TLazyTreeColumn* col = FColumns->Items(pos[p]);
            if (!col->Visible()) continue;
            const bool fixed = col->Options().Contains(coFixed);
            const int l = fixed ? s + offset : s;
            if (l - c < X && X < l + (t - c) && (fixed || X > fixedWidth) && col->Options().Contains(coResizable)) {
                FColumns->FTrackIndex = pos[p];
                return pos[p];
            }
            s += col->Width();
        }
        return NoColumnIndex;
    }
    int s = FColumns->TotalWidth() - offset;
    for (std::size_t p = pos.size(); p-- > 0;) {
        TLazyTreeColumn* col = FColumns->Items(pos[p]);
        if (!col->Visible()) continue;
        const bool fixed = col->Options().Contains(coFixed);
        const int r = fixed ? s + offset : s;
        if (r - (t - c) < X && X < r + c && (fixed || X > fixedWidth) && col->Options().Contains(coResizable)) {
            FColumns->FTrackIndex = pos[p];
            return pos[p];
        }
        s -= col->Width();
    }
    return NoColumnIndex;
}

void TLTHeader::HandleClick(TColumnIndex Column, TMouseButton Button, TShiftState Shift, TPoint P)
{
    if (!FColumns->IsValidColumn(Column)) return;
    const TLazyTreeColumn* c = FColumns->Items(Column);
    if (!(c->Options().Contains(coAllowClick) && c->Options().Contains(coEnabled))) return;
    FColumns->FClickIndex = Column;
    TLTHeaderHitInfo hit;
    hit.X = P.X;
    hit.Y = P.Y;
    hit.Button = Button;
    hit.Shift = Shift;
    hit.Column = Column;
    hit.HitPosition << hhiOnColumn;
    // The image rectangle is where the image or check box was painted last.
    if (c->HasImage() && PtInRect(c->ImageRect(), P)) hit.HitPosition << (c->CheckBox() ? hhiOnCheckbox : hhiOnIcon);
    if (FOptions.Contains(hoHeaderClickAutoSort) && Button == mbLeft && !hit.HitPosition.Contains(hhiOnCheckbox)) {
        if (Column == FSortColumn)
            SetSortDirection(FSortDirection == sdDescending ? sdAscending : sdDescending);
        else {
            SetSortColumn(Column);
            SetSortDirection(c->DefaultSortDirection());
        }
    }
    if (OnHeaderClick) OnHeaderClick(this, hit);
}

void TLTHeaderWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TLTHeader* h = FHeader;
    TLazyTreeColumns* cols = h->FColumns.get();
    if (Button != mbLeft) return;
    // The bottom edge of the header, a few pixels high, changes the header's height.
    const bool onBottomEdge = h->FOptions.Contains(hoHeightResize) && Y >= h->FHeight - HeightGrab;
    if (Shift.Contains(ssDouble)) {
        if (onBottomEdge) {
            if (h->FOptions.Contains(hoHeightDblClickResize)) h->SetHeight(h->FDefaultHeight);
            return;
        }
        // A double click on a divider fits the column left of it to its content.
        if (h->FOptions.Contains(hoDblClickResize) && h->FindSplitterColumn(X) >= 0) {
            const int p = int(cols->Items(cols->FTrackIndex)->Position());
            cols->FTrackIndex = NoColumnIndex;
            h->AutoFitColumns(true, smaUseColumnOption, p, p);
        }
        return;
    }
    if (onBottomEdge) {
        h->FStates << hsHeightTracking;
        h->FTrackStart = TPoint(X, Y);
        h->FTrackPoint = TPoint(X, h->FHeight);
        SetMouseCapture(true);
        return;
    }
    if (h->FOptions.Contains(hoColumnResize) && h->FindSplitterColumn(X) >= 0) {
        h->FStates << hsColumnWidthTracking;
        h->FTrackStart = TPoint(X, Y);
        // The edge that stays put while the column is sized: its left edge, right to
        // left its right edge.
        int l = 0, r = 0;
        cols->GetColumnBounds(cols->FTrackIndex, l, r);
        h->FTrackPoint = TPoint(RightToLeft() ? r : l, Y);
        SetMouseCapture(true);
        return;
    }
    const TColumnIndex column = cols->ColumnFromPosition(TPoint(X, Y), true);
    if (!cols->IsValidColumn(column)) return;
    const TLTColumnOptions o = cols->Items(column)->Options();
    if (!o.Contains(coEnabled)) return;
    cols->FDownIndex = o.Contains(coAllowClick) ? column : NoColumnIndex;
    const TLazyTreeColumn* pressed = cols->Items(column);
    cols->FCheckBoxHit = cols->FDownIndex == column && pressed->CheckBox() && pressed->HasImage() &&
                         PtInRect(pressed->ImageRect(), TPoint(X, Y));
    if (h->FOptions.Contains(hoDrag) && o.Contains(coDraggable)) {
        h->FStates << hsDragPending;
        cols->FDragIndex = column;
        h->FTrackStart = TPoint(X, Y);
    }
    SetMouseCapture(true);
    Invalidate();
}

bool TLTHeaderWindow::RightToLeft() const
{
    return FHeader->Treeview() && FHeader->Treeview()->UseRightToLeftAlignment();
}

void TLTHeaderWindow::MouseMove(TShiftState, int X, int Y)
{
    TLTHeader* h = FHeader;
    TLazyTreeColumns* cols = h->FColumns.get();
    if (h->FStates.Contains(hsHeightTracking)) {
        // FTrackPoint.Y holds the height when the press began.
        h->SetHeight(h->FTrackPoint.Y + Y - h->FTrackStart.Y);
        return;
    }
    if (h->FStates.Contains(hsColumnWidthTracking)) {
        if (cols->IsValidColumn(cols->FTrackIndex))
            cols->Items(cols->FTrackIndex)->SetWidth(RightToLeft() ? h->FTrackPoint.X - X : X - h->FTrackPoint.X);
        return;
    }
    if (h->FStates.Contains(hsDragPending) && std::abs(X - h->FTrackStart.X) > DragThreshold) {
        h->FStates >> hsDragPending;
        h->FStates << hsDragging;
        cols->FDownIndex = NoColumnIndex;
    }
    if (!h->FStates.Contains(hsDragging) && h->FOptions.Contains(hoHotTrack)) {
        // Hot tracking: the caption under the mouse shows in the hot colour.
        TColumnIndex hover = cols->ColumnFromPosition(TPoint(X, Y), true);
        if (!cols->IsValidColumn(hover)) hover = NoColumnIndex;
        if (hover != cols->FHoverIndex) {
            cols->FHoverIndex = hover;
            Invalidate();
        }
    }
    if (h->FStates.Contains(hsDragging)) {
        const TColumnIndex target = cols->ColumnFromPosition(TPoint(X, Y), true);
        if (cols->IsValidColumn(target)) {
            int l = 0, r = 0;
            cols->GetColumnBounds(target, l, r);
            cols->FDropTarget = target;
            cols->FDropBefore = X < (l + r) / 2;
        } else
            cols->FDropTarget = NoColumnIndex;
        Invalidate();
    }
}

void TLTHeaderWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TLTHeader* h = FHeader;
    TLazyTreeColumns* cols = h->FColumns.get();
    SetMouseCapture(false);
    if (Button == mbRight) {
        const TColumnIndex column = cols->ColumnFromPosition(TPoint(X, Y), true);
        if (cols->IsValidColumn(column)) h->HandleClick(column, mbRight, Shift, TPoint(X, Y));
        if (h->FOptions.Contains(hoAutoColumnPopupMenu)) ShowColumnMenu(X, Y);
        return;
    }
    if (h->FStates.Contains(hsHeightTracking)) {
        h->FStates >> hsHeightTracking;
        return;
    }
    if (h->FStates.Contains(hsColumnWidthTracking)) {
        h->FStates >> hsColumnWidthTracking;
        cols->FTrackIndex = NoColumnIndex;
        return;
    }
    if (h->FStates.Contains(hsDragging)) {
        h->FStates >> hsDragging;
        const TColumnIndex target = cols->FDropTarget, dragged = cols->FDragIndex;
        cols->FDropTarget = cols->FDragIndex = NoColumnIndex;
        if (cols->IsValidColumn(target) && target != dragged && cols->IsValidColumn(dragged)) {
            TLazyTreeColumn* d = cols->Items(dragged);
            const TColumnPosition from = d->Position(), to = cols->Items(target)->Position();
            TColumnPosition p;
            if (cols->FDropBefore)
                p = from < to ? (to > 0 ? to - 1 : 0) : to;
            else
                p = from < to ? to : to + 1;
            d->SetPosition(p);
        }
        Invalidate();
        return;
    }
    h->FStates >> hsDragPending;
    const TColumnIndex down = cols->FDownIndex;
    cols->FDownIndex = NoColumnIndex;
    Invalidate();
    if (down >= 0 && cols->ColumnFromPosition(TPoint(X, Y), true) == down) {
        TLazyTreeColumn* c = cols->Items(down);
        // A click on the caption's check box toggles it instead of sorting.
        cols->FCheckBoxHit = cols->FCheckBoxHit && PtInRect(c->ImageRect(), TPoint(X, Y));
        if (cols->FCheckBoxHit && h->Treeview())
            c->SetCheckState(h->Treeview()->NextCheckStateFor(c->CheckType(), c->CheckState()));
        h->HandleClick(down, Button, Shift, TPoint(X, Y));
    }
    cols->FCheckBoxHit = false;
}

void TLTHeaderWindow::ShowColumnMenu(int X, int Y)
{
    TLTHeader* h = FHeader;
    TLazyTreeColumns* cols = h->FColumns.get();
    TBaseLazyTree* tree = h->Treeview();
    // A fresh menu each time: the columns may have changed since the last one.
    delete FColumnMenu;
    FColumnMenu = new TPopupMenu(nullptr);
    FColumnMenu->SetPopupComponent(tree);
    TMenuItem* items = FColumnMenu->Items();
    if (h->FOptions.Contains(hoDblClickResize) && tree && tree->RootNodeCount() > 0) {
        items->Add(NewItem(nullptr, "&Resize All Columns To Fit",
                           [h](TObject*) { h->AutoFitColumns(true, smaUseColumnOption, NoColumnIndex, NoColumnIndex); }));
        items->Add(NewItem(nullptr, "-", nullptr));
    }
    int visible = 0;
    TMenuItem* lastVisible = nullptr;
    for (TColumnIndex column : cols->PositionToIndex()) {
        TLazyTreeColumn* c = cols->Items(column);
        TMenuItem* item = NewItem(nullptr, c->Text(), [h, column](TObject*) {
            TLazyTreeColumn* col = h->Columns()->Items(column);
            const bool show = !col->Visible();
            col->SetOptions(show ? col->Options() | coVisible : col->Options() - coVisible);
            if (h->OnColumnVisibilityChanged) h->OnColumnVisibilityChanged(h, column, show);
        });
        item->SetChecked(c->Visible());
        if (c->Visible()) {
            ++visible;
            lastVisible = item;
        }
        items->Add(item);
    }
    // The last visible column cannot be hidden: the tree would show nothing.
    if (visible == 1) lastVisible->SetEnabled(false);
    const TPoint screen = ClientToScreen(TPoint(X, Y));
    FColumnMenu->Popup(screen.X, screen.Y);
}

TLTHeaderWindow::~TLTHeaderWindow() { delete FColumnMenu; }

void TLTHeaderWindow::MouseLeave()
{
    TCustomControl::MouseLeave();
    TLazyTreeColumns* cols = FHeader->FColumns.get();
    if (cols->FHoverIndex == NoColumnIndex) return;
    cols->FHoverIndex = NoColumnIndex;
    Invalidate();
}

void TLTHeaderWindow::Paint() { FHeader->PaintHeader(Canvas(), ClientRect()); }

void TLTHeaderWindow::PaintNonClient()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(FHeader->Background());
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
}

void TLTHeader::PaintHeader(TCanvas* Canvas, const TRect& R)
{
    if (R.IsEmpty()) return;
    const bool advanced = FOptions.Contains(hoOwnerDraw) && OnHeaderDrawQueryElements && OnAdvancedHeaderDraw;
    THeaderPaintInfo info;
    info.TargetCanvas = Canvas;
    Canvas->SetFont(&FFont);
    THeaderPaintElements elements;
    if (advanced) {
        info.PaintRectangle = R;
        OnHeaderDrawQueryElements(this, info, elements);
    }
    if (elements.Contains(hpeBackground)) {
        info.PaintRectangle = R;
        OnAdvancedHeaderDraw(this, info, THeaderPaintElements{hpeBackground});
    } else {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FBackgroundColor);
        Canvas->FillRect(R);
    }
    // Flat looks keep the frame of an automatically sized last column off the bevel.
    info.ShowRightBorder = !(FStyle != hsThickButtons && FOptions.Contains(hoAutoResize) && FOwner &&
                             FOwner->BevelKind() != TBaseLazyTree::bkNone);
    const int offset = FOwner ? FOwner->EffectiveOffsetX() : 0;
    // The header shares the client area's x coordinates (the vertical bar stays at the
    // right), so right to left its cells take the client area's shift.
    const int shift = FColumns->GetRTLHeaderShift(true);
    for (TLazyTreeColumn* c : FColumns->GetVisibleColumns()) {
        const int left = (c->Options().Contains(coFixed) ? c->RawLeft() : c->RawLeft() - offset) + shift;
        const TRect cell(left, R.Top, left + c->Width(), R.Bottom);
        if (cell.Right <= R.Left || cell.Left >= R.Right) continue;
        // Each cell paints inside its own column only.
        const int saved = Canvas->SaveState();
        Canvas->IntersectClipRect(TRect(std::max(cell.Left, R.Left), R.Top, std::min(cell.Right, R.Right), R.Bottom));
        PaintHeaderCell(info, c, cell, advanced);
        Canvas->RestoreState(saved);
    }
}
