// Scroll bars of the grid (drawn by the grid's own bar controls), the scroll messages
// and the mouse wheel.
#include <algorithm>

#include "platform/gui/Grids.h"

namespace {
constexpr std::uintptr_t kRepeatTimer = 1;
constexpr unsigned kRepeatDelayMs = 350;
constexpr unsigned kRepeatRateMs = 50;
constexpr int kMinThumb = 8;

void FillBox(TCanvas* c, const TRect& r, TColor color)
{
    if (r.IsEmpty()) return;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

// A raised button face: light top-left, dark bottom-right.
void DrawButtonFace(TCanvas* c, const TRect& r, bool pressed)
{
    FillBox(c, r, clBtnFace);
    if (r.Width() < 2 || r.Height() < 2) return;
    if (pressed) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
        return;
    }
    FillBox(c, Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), clBtnHighlight);
    FillBox(c, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), clBtnHighlight);
    FillBox(c, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), cl3DDkShadow);
    FillBox(c, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), cl3DDkShadow);
    FillBox(c, Rect(r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 1), clBtnShadow);
    FillBox(c, Rect(r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom - 1), clBtnShadow);
}

void DrawArrow(TCanvas* c, const TRect& r, bool vertical, bool first, bool enabled)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    std::vector<TPoint> pts;
    if (vertical) {
        if (first) pts = {TPoint(cx - 4, cy + 2), TPoint(cx + 4, cy + 2), TPoint(cx, cy - 2)};
        else pts = {TPoint(cx - 4, cy - 2), TPoint(cx + 4, cy - 2), TPoint(cx, cy + 2)};
    } else {
        if (first) pts = {TPoint(cx + 2, cy - 4), TPoint(cx + 2, cy + 4), TPoint(cx - 2, cy)};
        else pts = {TPoint(cx - 2, cy - 4), TPoint(cx - 2, cy + 4), TPoint(cx + 2, cy)};
    }
    const TColor color = enabled ? clBtnText : clGrayText;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->Polygon(pts);
}
}

// ---------------------------------------------------------------- TGridScrollBar

TGridScrollBar::TGridScrollBar(TCustomGrid* AGrid, bool AVertical)
    : TCustomControl(AGrid), FGrid(AGrid), FVertical(AVertical)
{
    FClickEvents = false;
    SetInternal(true);
    SetTabStop(false);
    SetVisible(false);
    SetColor(clScrollBar);
    SetParent(AGrid);
}

void TGridScrollBar::SetInfo(const TGridScrollInfo& Info)
{
    TGridScrollInfo i = Info;
    if (i.Max < i.Min) i.Max = i.Min;
    i.Pos = std::clamp(i.Pos, i.Min, i.Max);
    i.TrackPos = FTracking ? FInfo.TrackPos : i.Pos;
    if (i.Min == FInfo.Min && i.Max == FInfo.Max && i.Page == FInfo.Page && i.Pos == FInfo.Pos &&
        i.TrackPos == FInfo.TrackPos)
        return;
    FInfo = i;
    Invalidate();
}

TRect TGridScrollBar::ArrowRect(bool first) const
{
    const int w = Width(), h = Height();
    // Arrow buttons are square: as long as the bar is thick.
    if (FVertical) {
        const int s = std::min(w, h / 2);
        return first ? Rect(0, 0, w, s) : Rect(0, h - s, w, h);
    }
    const int s = std::min(h, w / 2);
    return first ? Rect(0, 0, s, h) : Rect(w - s, 0, w, h);
}

int TGridScrollBar::TrackLength() const
{
    const int len = FVertical ? Height() : Width();
    const TRect a = ArrowRect(true);
    return std::max(0, len - 2 * (FVertical ? a.Height() : a.Width()));
}

int TGridScrollBar::ThumbLength() const
{
    const int track = TrackLength();
    if (FInfo.Max <= FInfo.Min) return 0;
    int len = Size;
    if (FInfo.Page > 0)
        len = int((long long)track * FInfo.Page / (FInfo.Max - FInfo.Min + FInfo.Page));
    len = std::max(len, kMinThumb);
    return len > track ? 0 : len;
}

TRect TGridScrollBar::ThumbRect() const
{
    const int thumb = ThumbLength();
    if (thumb <= 0) return TRect();
    const int track = TrackLength();
    const int start = FVertical ? ArrowRect(true).Bottom : ArrowRect(true).Right;
    const int pos = FTracking ? FInfo.TrackPos : FInfo.Pos;
    const int off = int((long long)(track - thumb) * (pos - FInfo.Min) / std::max(1, FInfo.Max - FInfo.Min));
    return FVertical ? Rect(0, start + off, Width(), start + off + thumb)
                     : Rect(start + off, 0, start + off + thumb, Height());
}

int TGridScrollBar::PosFromOffset(int offset) const
{
    const int room = TrackLength() - ThumbLength();
    if (room <= 0) return FInfo.Min;
    const long long span = FInfo.Max - FInfo.Min;
    const long long p = FInfo.Min + (std::clamp(offset, 0, room) * span + room / 2) / room;
    return int(p);
}

TGridScrollBar::TPart TGridScrollBar::PartAt(int X, int Y) const
{
    const TPoint p(X, Y);
    if (ArrowRect(true).Contains(p)) return spFirstArrow;
    if (ArrowRect(false).Contains(p)) return spLastArrow;
    const TRect t = ThumbRect();
    if (t.IsEmpty()) return spNone;
    if (t.Contains(p)) return spThumb;
    const int v = FVertical ? Y : X;
    return v < (FVertical ? t.Top : t.Left) ? spPageBefore : spPageAfter;
}

void TGridScrollBar::Send(int code, int pos)
{
    FGrid->Perform(FVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, std::clamp(pos, 0, 0xFFFF)), 0);
}

void TGridScrollBar::SetStyle(TGridScrollBarStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TGridScrollBar::SetTrackColor(TColor Value)
{
    if (FTrackColor == Value) return;
    FTrackColor = Value;
    Invalidate();
}

void TGridScrollBar::Paint()
{
    TCanvas* c = Canvas();
    const bool enabled = FInfo.Max > FInfo.Min;
    FillBox(c, ClientRect(), FTrackColor == clNone ? clScrollBar : FTrackColor);
    const TRect t = ThumbRect();
    if (FPressed == spPageBefore || FPressed == spPageAfter) {
        // The part of the track being paged through shows pressed.
        const TRect track = FVertical ? Rect(0, ArrowRect(true).Bottom, Width(), ArrowRect(false).Top)
                                      : Rect(ArrowRect(true).Right, 0, ArrowRect(false).Left, Height());
        TRect part = track;
        if (FPressed == spPageBefore) (FVertical ? part.Bottom : part.Right) = FVertical ? t.Top : t.Left;
        else (FVertical ? part.Top : part.Left) = FVertical ? t.Bottom : t.Right;
        FillBox(c, part, cl3DDkShadow);
    }
    // Flat faces: one fill with a shadow frame; the Encarta look raises the part under
    // the mouse (or pressed) to the 3D face.
    const auto face = [&](const TRect& r, TPart part) {
        const bool pressed = FPressed == part && part != spThumb;
        if (FStyle == sbsNormal || (FStyle == sbsEncarta && (FHot == part || FPressed == part))) {
            DrawButtonFace(c, r, pressed);
            return;
        }
        FillBox(c, r, pressed ? clBtnShadow : clBtnFace);
        if (r.Width() > 1 && r.Height() > 1) {
            c->Brush()->SetColor(clBtnShadow);
            c->FrameRect(r);
        }
    };
    for (bool first : {true, false}) {
        const TRect a = ArrowRect(first);
        face(a, first ? spFirstArrow : spLastArrow);
        DrawArrow(c, a, FVertical, first, enabled);
    }
    if (!t.IsEmpty()) face(t, spThumb);
}

void TGridScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || FInfo.Max <= FInfo.Min) return;
    FMouse = TPoint(X, Y);
    FPressed = PartAt(X, Y);
    SetMouseCapture(true);
    switch (FPressed) {
    case spThumb: {
        const TRect t = ThumbRect();
        FTracking = true;
        FInfo.TrackPos = FInfo.Pos;
        FDragOffset = FVertical ? Y - t.Top : X - t.Left;
        break;
    }
    case spNone: break;
    default:
        Repeat();
        SetTimer(Handle(), kRepeatTimer, kRepeatDelayMs);
        break;
    }
    Invalidate();
}

void TGridScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    FMouse = TPoint(X, Y);
    if (FStyle == sbsEncarta) {
        const TPart hot = PartAt(X, Y);
        if (hot != FHot) {
            FHot = hot;
            Invalidate();
        }
    }
    if (FTracking) {
        const int start = FVertical ? ArrowRect(true).Bottom : ArrowRect(true).Right;
        const int pos = PosFromOffset((FVertical ? Y : X) - FDragOffset - start);
        if (pos != FInfo.TrackPos) {
            FInfo.TrackPos = pos;
            Invalidate();
            Send(SB_THUMBTRACK, pos);
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TGridScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TPart pressed = FPressed;
    FPressed = spNone;
    KillTimer(Handle(), kRepeatTimer);
    SetMouseCapture(false);
    if (FTracking) {
        Send(SB_THUMBPOSITION, FInfo.TrackPos);
        FTracking = false;
        FInfo.TrackPos = FInfo.Pos;
        Send(SB_ENDSCROLL, 0);
    } else if (pressed != spNone) {
        Send(SB_ENDSCROLL, 0);
    }
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// One step of a held arrow or page press.
void TGridScrollBar::Repeat()
{
    switch (FPressed) {
    case spFirstArrow: Send(SB_LINEUP, 0); break;
    case spLastArrow: Send(SB_LINEDOWN, 0); break;
    case spPageBefore:
    case spPageAfter:
        // Paging stops once the thumb has reached the pointer.
        if (PartAt(FMouse.X, FMouse.Y) == FPressed) Send(FPressed == spPageBefore ? SB_PAGEUP : SB_PAGEDOWN, 0);
        break;
    default: break;
    }
}

void TGridScrollBar::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_TIMER && msg.WParam == kRepeatTimer) {
        if (FPressed == spNone || FTracking) {
            KillTimer(Handle(), kRepeatTimer);
            return;
        }
        SetTimer(Handle(), kRepeatTimer, kRepeatRateMs);
        Repeat();
        return;
    }
    if (msg.Msg == CM_MOUSELEAVE && FHot != spNone) {
        FHot = spNone;
        Invalidate();
    }
    TCustomControl::WndProc(msg);
}

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
