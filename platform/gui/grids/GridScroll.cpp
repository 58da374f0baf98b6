// Scroll bars of the grid (drawn by the grid's own bar controls), the scroll messages
// and the mouse wheel.
#include <algorithm>

#include "platform/gui/Grids.h"

// ---------------------------------------------------------------- the grid's scrolling

bool TCustomGrid::ScrollBarShown(int Bar) const { return Bar == SB_VERT ? FVertShown : FHorzShown; }

void TCustomGrid::SetScrollBarAlwaysShown(int Bar, bool Value)
{
    bool& flag = Bar == SB_VERT ? FVertAlways : FHorzAlways;
    if (flag == Value) return;
    flag = Value;
    UpdateScrollRange();
}

bool TCustomGrid::ScrollBarAlwaysShown(int Bar) const { return Bar == SB_VERT ? FVertAlways : FHorzAlways; }

bool TCustomGrid::GetScrollInfo(int Bar, TGridScrollInfo& Info) const
{
    const TGridScrollBar* b = Bar == SB_VERT ? FVertBar : FHorzBar;
    if (!b) return false;
    Info = b->Info();
    return true;
}

void TCustomGrid::SetScrollInfo(int Bar, const TGridScrollInfo& Info)
{
    if (TGridScrollBar* b = Bar == SB_VERT ? FVertBar : FHorzBar) b->SetInfo(Info);
}

void TCustomGrid::SetScrollBarSize(int Value)
{
    Value = std::max(1, Value);
    if (Value == FScrollBarSize) return;
    FScrollBarSize = Value;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::LayoutScrollBars()
{
    if (!FVertBar || !FHorzBar) return;
    const int s = FScrollBarSize;
    FVertBar->SetBounds(Width() - s, 0, s, std::max(0, Height() - (FHorzShown ? s : 0)));
    FHorzBar->SetBounds(0, Height() - s, std::max(0, Width() - (FVertShown ? s : 0)), s);
    FVertBar->SetVisible(FVertShown);
    FHorzBar->SetVisible(FHorzShown);
}

void TCustomGrid::UpdateScrollRange()
{
    if (!FVertBar || !FHorzBar || FUpdatingScroll) return;
    FUpdatingScroll = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FUpdatingScroll};
    const bool wantV = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool wantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const int s = FScrollBarSize;
    bool v = false, h = false;
    TGridDrawInfo di;
    TGridCoord maxTL;
    // A bar takes room from the other axis: settle which bars the cells need.
    for (int pass = 0; pass < 4; ++pass) {
        CalcDrawInfoXY(di, std::max(0, Width() - (v ? s : 0)), std::max(0, Height() - (h ? s : 0)));
        maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
        const bool nv = wantV && maxTL.Y > FFixedRows;
        const bool nh = wantH && maxTL.X > FFixedCols;
        if (nv == v && nh == h) break;
        v = v || nv;
        h = h || nh;
    }
    // A bar kept on while everything fits is shown disabled.
    const bool needV = v, needH = h;
    v = v || FVertAlways;
    h = h || FHorzAlways;
    if (v != needV || h != needH) {
        CalcDrawInfoXY(di, std::max(0, Width() - (v ? s : 0)), std::max(0, Height() - (h ? s : 0)));
        maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
    }
    FVertBar->SetEnabled(needV || !FVertAlways);
    FHorzBar->SetEnabled(needH || !FHorzAlways);
    const bool changed = v != FVertShown || h != FHorzShown;
    FVertShown = v;
    FHorzShown = h;
    LayoutScrollBars();
    TGridScrollInfo vi;
    vi.Max = std::max(0, maxTL.Y - FFixedRows);
    vi.Page = FRowCount - maxTL.Y;
    vi.Pos = FTopLeft.Y - FFixedRows;
    FVertBar->SetInfo(vi);
    TGridScrollInfo hi;
    hi.Max = std::max(0, maxTL.X - FFixedCols);
    hi.Page = FColCount - maxTL.X;
    hi.Pos = FTopLeft.X - FFixedCols;
    FHorzBar->SetInfo(hi);
    ScrollBarsUpdated();
    if (changed) Invalidate();
    if (FTopLeft.X > maxTL.X || FTopLeft.Y > maxTL.Y) {
        const TGridCoord old = FTopLeft;
        FTopLeft.X = std::max(FFixedCols, std::min(FTopLeft.X, maxTL.X));
        FTopLeft.Y = std::max(FFixedRows, std::min(FTopLeft.Y, maxTL.Y));
        if (!(old == FTopLeft)) TopLeftMoved(old);
    }
}

void TCustomGrid::UpdateScrollPos()
{
    if (!FVertBar || !FHorzBar) return;
    TGridScrollInfo vi = FVertBar->Info();
    vi.Pos = FTopLeft.Y - FFixedRows;
    FVertBar->SetInfo(vi);
    TGridScrollInfo hi = FHorzBar->Info();
    hi.Pos = FTopLeft.X - FFixedCols;
    FHorzBar->SetInfo(hi);
    ScrollBarsUpdated();
}

void TCustomGrid::Resize()
{
    UpdateScrollRange();
    UpdateEdit();
    Invalidate();
    TCustomControl::Resize();
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos)
{
    if (!Focused() && !(FInplaceEdit && FInplaceEdit->Focused()) && CanFocus() && TabStop()) SetFocus();
    TGridDrawInfo di;
    CalcDrawInfo(di);
    const TGridCoord maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
    const bool horz = ScrollBar == SB_HORZ;
    const int lo = horz ? FFixedCols : FFixedRows;
    const int hi = std::max(lo, horz ? maxTL.X : maxTL.Y);
    const int page = horz ? PageWidth(di) : PageHeight(di);
    TGridScrollBar* bar = horz ? FHorzBar : FVertBar;
    int thumb = Pos;
    if (bar && bar->Tracking()) thumb = bar->Info().TrackPos;
    int value = horz ? FTopLeft.X : FTopLeft.Y;
    auto step = [&](int v) {
        switch (ScrollCode) {
        case SB_LINEUP: return v - 1;
        case SB_LINEDOWN: return v + 1;
        case SB_PAGEUP: return v - page;
        case SB_PAGEDOWN: return v + page;
        case SB_THUMBPOSITION: return lo + thumb;
        case SB_THUMBTRACK: return FOptions.Contains(goThumbTracking) ? lo + thumb : v;
        case SB_TOP: return lo;
        case SB_BOTTOM: return hi;
        default: return v;
        }
    };
    // Hidden (zero-width) columns and rows are stepped over.
    const bool relative = ScrollCode == SB_LINEUP || ScrollCode == SB_LINEDOWN;
    do {
        value = step(value);
    } while (relative && value > lo && value < hi && (horz ? ColWidths(value) : RowHeights(value)) <= 0);
    value = std::clamp(value, lo, hi);
    if (horz && value != FTopLeft.X) MoveTopLeft(value, FTopLeft.Y);
    else if (!horz && value != FTopLeft.Y) MoveTopLeft(FTopLeft.X, value);
    if (ScrollCode == SB_ENDSCROLL || ScrollCode == SB_THUMBPOSITION) UpdateScrollPos();
}

// ---------------------------------------------------------------- wheel

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    FWheelAccumulator += WheelDelta;
    bool handled = false;
    while (FWheelAccumulator >= WHEEL_DELTA || FWheelAccumulator <= -WHEEL_DELTA) {
        const bool down = FWheelAccumulator < 0;
        FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled = (down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
    }
    return handled || WheelDelta != 0;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled) {
        if (FCurrent.X < FColCount && FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
        handled = true;
    }
    return handled;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled) {
        if (FCurrent.X < FColCount && FCurrent.Y < FRowCount && FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
        handled = true;
    }
    return handled;
}
