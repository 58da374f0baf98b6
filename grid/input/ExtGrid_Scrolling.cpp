// The feature grid's scroll bars: flat and Encarta faces with their own colour and
// thickness, proportional thumbs, the row or column hint while a thumb is dragged,
// scrolling that follows the thumb, and scrolling while something is dragged near the
// grid's edges.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "platform/gui/ExtCtrls.h"

namespace {
// a * b / c rounded to the nearest integer (halves away from zero); -1 for c = 0.
int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const long long p = (long long)a * b;
    const long long q = p / c, r = p % c;
    if (2 * std::llabs(r) >= std::llabs(c)) return int(q + ((p < 0) != (c < 0) ? -1 : 1));
    return int(q);
}

// The proportional bar: trunc(max) positions of a window that shows page = trunc(max) -
// 126 of them. Our bar takes the highest thumb position as its Max.
TGridScrollInfo ProportionalInfo(float mx, int pos)
{
    const int m = int(mx);
    const int page = std::max(1, m - 126);
    TGridScrollInfo si;
    si.Min = 0;
    si.Max = m - page + 1;
    si.Page = page;
    si.Pos = std::clamp(pos, 0, si.Max);
    si.TrackPos = si.Pos;
    return si;
}
}

// ---------------------------------------------------------------- look of the bars

void TExtStringGrid::ApplyScrollLook()
{
    FIsFlat = FScrollType == ssFlat || FScrollType == ssEncarta;
    const TGridScrollBarStyle style =
        FScrollType == ssFlat ? sbsFlat : FScrollType == ssEncarta ? sbsEncarta : sbsNormal;
    for (int bar : {SB_VERT, SB_HORZ}) {
        TGridScrollBar* b = ScrollBarControl(bar);
        if (!b) continue;
        b->SetStyle(style);
        b->SetTrackColor(FIsFlat ? ScrollColor : clNone);
    }
    SetScrollBarSize(FIsFlat && ScrollWidth > 0 ? ScrollWidth : TGridScrollBar::Size);
}

void TExtStringGrid::SetScrollColor(TColor Value)
{
    ScrollColor = Value;
    ApplyScrollLook();
}

void TExtStringGrid::SetScrollWidth(int Value)
{
    ScrollWidth = Value;
    ApplyScrollLook();
}

// ---------------------------------------------------------------- proportional thumbs

void TExtStringGrid::SetScrollProportional(bool Value)
{
    ScrollProportional = Value;
    if (Value) {
        UpdateVScrollBar();
        UpdateHScrollBar();
        return;
    }
    // The plain bars again: the base grid writes its ranges back.
    FPropVert = FPropHorz = false;
    UpdateScrollRange();
}

void TExtStringGrid::ScrollBarsUpdated()
{
    // The base grid has just written plain ranges into both bars.
    FPropVert = FPropHorz = false;
    if (!ScrollProportional || FInScrollUpdate) return;
    UpdateVScrollBar();
    UpdateHScrollBar();
}

void TExtStringGrid::UpdateVScrollBar()
{
    if (FLoading || FGridDestroying || !ScrollProportional || FScrollLock || FInScrollUpdate) return;
    if (VisibleRowCount() + FixedRows() >= RowCount()) return;
    const int lw = GridLineWidth();
    long long fixed = lw, total = lw, above = lw;
    for (int r = 0; r < FixedRows() && r < RowCount(); ++r) fixed += RowHeights(r) + lw;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        total += RowHeights(r) + lw;
        if (r < TopRow()) above += RowHeights(r) + lw;
    }
    if (total == 0) return;
    const float ratio = float(Height() - fixed) / float(total);
    if (!(ratio < 0.9999f)) return;
    const float mx = (ratio + 127) / (1 - ratio);
    const float pos = Height() < total ? float(above) / float(total - Height()) * 128 : 127;
    FInScrollUpdate = true;
    SetScrollInfo(SB_VERT, ProportionalInfo(mx, int(pos)));
    FInScrollUpdate = false;
    FPropVert = true;
}

void TExtStringGrid::UpdateHScrollBar()
{
    if (FLoading || FGridDestroying || !ScrollProportional || FScrollLock || FInScrollUpdate) return;
    const int lw = GridLineWidth();
    long long fixed = lw, total = lw, left = lw;
    for (int c = 0; c < FixedCols() && c < ColCount(); ++c) fixed += ColWidths(c) + lw;
    for (int c = FixedCols(); c < ColCount(); ++c) {
        total += ColWidths(c) + lw;
        if (c < LeftCol()) left += ColWidths(c) + lw;
    }
    if (total == 0) return;
    const float ratio = float(Width() - fixed) / float(total);
    if (!(ratio < 0.9999f)) return;
    if (fixed + total - Width() < 5) return;
    const float mx = (ratio + 127) / (1 - ratio);
    TGridScrollInfo cur;
    GetScrollInfo(SB_HORZ, cur);
    const float pos = Width() < total ? float(left) / float(total - Width()) * 128 : float(cur.Pos);
    FInScrollUpdate = true;
    SetScrollInfo(SB_HORZ, ProportionalInfo(mx, int(pos)));
    FInScrollUpdate = false;
    FPropHorz = true;
}

// ---------------------------------------------------------------- scroll messages

int TExtStringGrid::ThumbToCell(bool Vertical, int Pos)
{
    TGridScrollInfo si;
    GetScrollInfo(Vertical ? SB_VERT : SB_HORZ, si);
    const int fixed = Vertical ? FixedRows() : FixedCols();
    const int span = Vertical ? RowCount() - VisibleRowCount() - fixed : ColCount() - VisibleColCount() - fixed;
    // The thumb's range (128 positions on a proportional bar) spread over the cells
    // the grid can scroll to.
    if (si.Max <= si.Min || span <= 0) return fixed;
    return MulDiv(Pos - si.Min, span, si.Max - si.Min) + fixed;
}

void TExtStringGrid::ShowScrollHint(bool Vertical, int ARowCol)
{
    String text = (Vertical ? "Row : " : "Col : ") + IntToStr(ARowCol);
    if (OnScrollHint) OnScrollHint(this, ARowCol, text);
    THTMLHintWindow* w = FScrollHintWindow;
    if (!w) return;
    if (w->Parent() != this) w->SetParent(this);
    w->SetCaption(text);
    w->SetColor(HintColor);
    // Sized for 100 pixels, 10 pixels right of the pointer and level with it (kept
    // inside the grid, whose child it is).
    const int hw = 100, hh = std::max(16, Canvas()->TextHeight("Ag") + 4);
    const TPoint p = ScreenToClient(Mouse_CursorPos());
    const int x = std::max(0, std::min(p.X + 10, Width() - hw));
    const int y = std::max(0, std::min(p.Y, Height() - hh));
    w->SetBounds(x, y, hw, hh);
    w->SetVisible(true);
    w->BringToFront();
    FScrollHintShow = true;
}

void TExtStringGrid::HideScrollHint()
{
    if (FScrollHintWindow) FScrollHintWindow->SetVisible(false);
    FScrollHintShow = false;
}

// Thumb codes of a proportional bar are the grid's to apply: the base grid counts one
// position per row (column).
void TExtStringGrid::WMHScroll(TMessage& msg)
{
    const int code = LOWORD(msg.WParam);
    const int c = ThumbToCell(false, int(HIWORD(msg.WParam)));
    if (ScrollHints == shHorizontal || ScrollHints == shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        else if (code == SB_THUMBTRACK) ShowScrollHint(false, c);
    }
    const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
    const bool follow = code == SB_THUMBPOSITION || (code == SB_THUMBTRACK && (ScrollSynch || Options().Contains(goThumbTracking)));
    if (FixedCols() == 0 && thumb && c >= Col() && EditorMode()) HideEditor();
    if (thumb && FPropHorz) {
        if (follow) SetLeftCol(std::clamp(c, FixedCols(), std::max(FixedCols(), ColCount() - 1)));
        msg.Result = 0;
    } else {
        if (code == SB_THUMBTRACK && ScrollSynch)
            SetLeftCol(std::clamp(c, FixedCols(), std::max(FixedCols(), ColCount() - 1)));
        TBaseGrid::WndProc(msg);
    }
    if (code == SB_ENDSCROLL) {
        if (ColCount() == 1) Invalidate();
        if (ScrollProportional) UpdateHScrollBar();
    }
    if (EditorMode() && HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
    if (FFooterPanel) FFooterPanel->Invalidate();
}

void TExtStringGrid::WMVScroll(TMessage& msg)
{
    const int code = LOWORD(msg.WParam);
    const int r = ThumbToCell(true, int(HIWORD(msg.WParam)));
    if (ScrollHints == shVertical || ScrollHints == shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        else if (code == SB_THUMBTRACK) ShowScrollHint(true, r);
    }
    const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
    const bool follow = code == SB_THUMBPOSITION || (code == SB_THUMBTRACK && (ScrollSynch || Options().Contains(goThumbTracking)));
    if (thumb && FPropVert) {
        if (follow) SetTopRow(std::clamp(r, FixedRows(), std::max(FixedRows(), RowCount() - 1)));
        msg.Result = 0;
    } else {
        if (code == SB_THUMBTRACK && ScrollSynch)
            SetTopRow(std::clamp(r, FixedRows(), std::max(FixedRows(), RowCount() - 1)));
        TBaseGrid::WndProc(msg);
    }
    if (code == SB_ENDSCROLL && ScrollProportional) UpdateVScrollBar();
    if (EditorMode() && HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
}

// ---------------------------------------------------------------- drag scrolling

void TExtStringGrid::FreeDragTimer()
{
    if (!FDragTmr) return;
    if (FInDragTick) {
        // Freed by its own tick: it stops now and goes with the next free or the grid.
        FDragTmr->SetEnabled(false);
        delete FDragTmrRetired;
        FDragTmrRetired = FDragTmr;
    } else {
        delete FDragTmr;
    }
    FDragTmr = nullptr;
}

void TExtStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (!FInDragTick && FDragTmrRetired) {
        delete FDragTmrRetired;
        FDragTmrRetired = nullptr;
    }
    if (!FDragScrollOptions->Active) {
        FreeDragTimer();
    } else {
        const TDragScrollOptions& o = *FDragScrollOptions;
        const TDragScrollDirection previous = FDragScrollDirection;
        TDragScrollDirection dir;
        if (Y < o.Margins.TopMargin) dir << dsdUp;
        else if (Y > Height() - o.Margins.BottomMargin) dir << dsdDown;
        if (X < o.Margins.LeftMargin) dir << dsdLeft;
        else if (X > Width() - o.Margins.RightMargin) dir << dsdRight;
        FDragScrollDirection = dir;
        if (State == dsDragLeave || dir.Empty()) {
            FreeDragTimer();
        } else if (!FDragTmr) {
            // Owned by the grid, so it can never outlive it.
            FDragTmr = new TTimer(this);
            FDragTmr->SetEnabled(false);
            FDragTmr->SetInterval(unsigned(std::max(1, o.Delays.InitialDelay)));
            FDragTmr->OnTimer = [this](TObject* Sender) { DragScrollTimer(Sender); };
            FDragTmr->SetEnabled(true);
        } else if (!previous.Empty()) {
            // Moving inside a margin starts the wait again.
            FDragTmr->SetInterval(0);
            FDragTmr->SetInterval(unsigned(std::max(1, o.Delays.InitialDelay)));
        }
    }
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TExtStringGrid::DragScrollTimer(TObject* Sender)
{
    if (!FDragTmr) return;
    FInDragTick = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{FInDragTick};
    if (!FDragScrollOptions->Active) {
        FreeDragTimer();
        return;
    }
    FDragTmr->SetInterval(unsigned(std::max(1, FDragScrollOptions->Delays.RepeatDelay)));
    TDragScrollDirection dir = FDragScrollDirection;
    bool canScroll = true;
    if (OnDragScroll) OnDragScroll(this, TopRow(), LeftCol(), dir, canScroll);
    if (!canScroll) return;
    if (dir.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (dir.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (dir.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (dir.Contains(dsdRight) && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
}

// ---------------------------------------------------------------- move arrows

TColor TExtStringGrid::ArrowColor() const { return FArrows[arrUp] ? FArrows[arrUp]->Color() : clLime; }

void TExtStringGrid::SetArrowColor(TColor Value)
{
    for (TArrowWindow* a : FArrows)
        if (a) a->SetColor(Value);
}
