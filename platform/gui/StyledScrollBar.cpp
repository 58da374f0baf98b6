// The self-drawn scroll bar: geometry of arrows, track and thumb from what it shows,
// the look of each part in its state, and the mouse on it.
#include "platform/gui/StyledScrollBar.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr std::uintptr_t RepeatTimer = 1;
constexpr unsigned RepeatDelay = 350;
constexpr unsigned RepeatRate = 50;
// A thumb never shrinks below this, however long the content.
constexpr int MinThumb = 8;

void Fill(TCanvas* C, const TRect& R, TColor Color)
{
    if (R.IsEmpty()) return;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

// A raised face: light top-left, dark bottom-right.
void RaisedFace(TCanvas* C, const TRect& R, TColor Face)
{
    Fill(C, R, Face);
    if (R.Width() < 2 || R.Height() < 2) return;
    Fill(C, Rect(R.Left, R.Top, R.Right - 1, R.Top + 1), clBtnHighlight);
    Fill(C, Rect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), clBtnHighlight);
    Fill(C, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), cl3DDkShadow);
    Fill(C, Rect(R.Right - 1, R.Top, R.Right, R.Bottom), cl3DDkShadow);
    Fill(C, Rect(R.Left + 1, R.Bottom - 2, R.Right - 1, R.Bottom - 1), clBtnShadow);
    Fill(C, Rect(R.Right - 2, R.Top + 1, R.Right - 1, R.Bottom - 1), clBtnShadow);
}

// A flat face: one fill in a shadow frame.
void FlatFace(TCanvas* C, const TRect& R, TColor Face)
{
    Fill(C, R, Face);
    if (R.Width() < 2 || R.Height() < 2) return;
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(R);
}

void Arrow(TCanvas* C, const TRect& R, bool Vertical, bool First, bool Enabled, bool Pressed)
{
    // A pressed button moves its glyph down and right, as the platform's buttons do.
    const int shift = Pressed ? 1 : 0;
    const int cx = (R.Left + R.Right) / 2 + shift, cy = (R.Top + R.Bottom) / 2 + shift;
    std::vector<TPoint> points;
    if (Vertical)
        points = First ? std::vector<TPoint>{TPoint(cx - 4, cy + 2), TPoint(cx + 4, cy + 2), TPoint(cx, cy - 2)}
                       : std::vector<TPoint>{TPoint(cx - 4, cy - 2), TPoint(cx + 4, cy - 2), TPoint(cx, cy + 2)};
    else
        points = First ? std::vector<TPoint>{TPoint(cx + 2, cy - 4), TPoint(cx + 2, cy + 4), TPoint(cx - 2, cy)}
                       : std::vector<TPoint>{TPoint(cx - 2, cy - 4), TPoint(cx - 2, cy + 4), TPoint(cx + 2, cy)};
    const TColor color = Enabled ? clBtnText : clGrayText;
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(color);
    C->Polygon(points);
}
}  // namespace

TStyledScrollBar::TStyledScrollBar(TWinControl* AOwner, bool AVertical)
    : TCustomControl(AOwner), FTarget(AOwner), FVertical(AVertical)
{
    FClickEvents = false;
    SetInternal(true);
    SetTabStop(false);
    SetVisible(false);
    SetColor(clScrollBar);
    SetParent(AOwner);
}

void TStyledScrollBar::SetInfo(const TScrollBarInfo& Info)
{
    TScrollBarInfo i = Info;
    if (i.Max < i.Min) i.Max = i.Min;
    i.Pos = std::clamp(i.Pos, i.Min, i.Max);
    // A thumb being dragged stays where the mouse put it until it is let go.
    i.TrackPos = FTracking ? std::clamp(FInfo.TrackPos, i.Min, i.Max) : i.Pos;
    if (i.Min == FInfo.Min && i.Max == FInfo.Max && i.Page == FInfo.Page && i.Pos == FInfo.Pos &&
        i.TrackPos == FInfo.TrackPos)
        return;
    FInfo = i;
    Invalidate();
}

void TStyledScrollBar::SetStyle(TScrollBarLook Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TStyledScrollBar::SetTrackColor(TColor Value)
{
    if (FTrackColor == Value) return;
    FTrackColor = Value;
    Invalidate();
}

bool TStyledScrollBar::CanScroll() const { return Enabled() && FInfo.Max > FInfo.Min; }

TRect TStyledScrollBar::ArrowRect(bool First) const
{
    const int w = Width(), h = Height();
    // Square buttons, as long as the bar is thick; a bar shorter than two buttons shares
    // its length between them.
    if (FVertical) {
        const int s = std::min(w, h / 2);
        return First ? Rect(0, 0, w, s) : Rect(0, h - s, w, h);
    }
    const int s = std::min(h, w / 2);
    return First ? Rect(0, 0, s, h) : Rect(w - s, 0, w, h);
}

TRect TStyledScrollBar::TrackRect() const
{
    return FVertical ? Rect(0, ArrowRect(true).Bottom, Width(), ArrowRect(false).Top)
                     : Rect(ArrowRect(true).Right, 0, ArrowRect(false).Left, Height());
}

int TStyledScrollBar::TrackLength() const
{
    const TRect t = TrackRect();
    return std::max(0, FVertical ? t.Height() : t.Width());
}

int TStyledScrollBar::ThumbLength() const
{
    if (!CanScroll()) return 0;
    const int track = TrackLength();
    // The page is the part of the content in view: the thumb takes the same share of
    // the track.
    long long len = Size;
    if (FInfo.Page > 0) len = (long long)track * FInfo.Page / ((long long)FInfo.Max - FInfo.Min + FInfo.Page);
    len = std::max<long long>(len, MinThumb);
    return len > track ? 0 : int(len);
}

TRect TStyledScrollBar::ThumbRect() const
{
    const int thumb = ThumbLength();
    if (thumb <= 0) return TRect();
    const int track = TrackLength();
    const int start = FVertical ? TrackRect().Top : TrackRect().Left;
    const int pos = std::clamp(FTracking ? FInfo.TrackPos : FInfo.Pos, FInfo.Min, FInfo.Max);
    const int off = int((long long)(track - thumb) * (pos - FInfo.Min) / std::max(1LL, (long long)FInfo.Max - FInfo.Min));
    return FVertical ? Rect(0, start + off, Width(), start + off + thumb)
                     : Rect(start + off, 0, start + off + thumb, Height());
}

int TStyledScrollBar::PosFromOffset(int Offset) const
{
    const int room = TrackLength() - ThumbLength();
    if (room <= 0) return FInfo.Min;
    const long long span = (long long)FInfo.Max - FInfo.Min;
    return int(FInfo.Min + (std::clamp(Offset, 0, room) * span + room / 2) / room);
}

TStyledScrollBar::TPart TStyledScrollBar::PartAt(int X, int Y) const
{
    const TPoint p(X, Y);
    if (!ClientRect().Contains(p)) return spNone;
    if (ArrowRect(true).Contains(p)) return spFirstArrow;
    if (ArrowRect(false).Contains(p)) return spLastArrow;
    const TRect t = ThumbRect();
    if (t.IsEmpty()) return spNone;
    if (t.Contains(p)) return spThumb;
    return (FVertical ? Y < t.Top : X < t.Left) ? spPageBefore : spPageAfter;
}

void TStyledScrollBar::Send(int Code, int Pos)
{
    if (OnScroll) {
        OnScroll(Code, Pos);
        return;
    }
    FTarget->Perform(FVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(Code, std::clamp(Pos, 0, 0xFFFF)), 0);
}

void TStyledScrollBar::SetHot(TPart Part)
{
    if (Part == FHot) return;
    FHot = Part;
    Invalidate();
}

void TStyledScrollBar::Paint()
{
    TCanvas* c = Canvas();
    const bool enabled = CanScroll();
    Fill(c, ClientRect(), FTrackColor == clNone ? clScrollBar : FTrackColor);
    const TRect t = ThumbRect();
    if (FPressed == spPageBefore || FPressed == spPageAfter) {
        // The part of the track being paged through shows pressed.
        TRect part = TrackRect();
        if (FPressed == spPageBefore)
            (FVertical ? part.Bottom : part.Right) = FVertical ? t.Top : t.Left;
        else
            (FVertical ? part.Top : part.Left) = FVertical ? t.Bottom : t.Right;
        Fill(c, part, cl3DDkShadow);
    }
    const auto face = [&](const TRect& R, TPart Part) {
        const bool pressed = enabled && FPressed == Part;
        const bool hot = enabled && FHot == Part;
        // A pressed arrow sinks flat; a held thumb darkens; the part under the mouse
        // lightens (the Encarta look instead rises from flat to raised).
        if (pressed && Part != spThumb) {
            FlatFace(c, R, clBtnFace);
            return;
        }
        const TColor color = pressed ? clBtnShadow : (hot && FStyle != sbsEncarta) ? cl3DLight : clBtnFace;
        if (FStyle == sbsNormal || (FStyle == sbsEncarta && (hot || pressed)))
            RaisedFace(c, R, color);
        else
            FlatFace(c, R, color);
    };
    for (bool first : {true, false}) {
        const TPart part = first ? spFirstArrow : spLastArrow;
        const TRect a = ArrowRect(first);
        face(a, part);
        Arrow(c, a, FVertical, first, enabled, enabled && FPressed == part);
    }
    if (!t.IsEmpty()) face(t, spThumb);
}

void TStyledScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !CanScroll()) return;
    FMouse = TPoint(X, Y);
    FPressed = PartAt(X, Y);
    SetMouseCapture(true);
    if (FPressed == spThumb) {
        FTracking = true;
        FInfo.TrackPos = FInfo.Pos;
        FDragOffset = FVertical ? Y - ThumbRect().Top : X - ThumbRect().Left;
        FPrevCursor = FVertical ? Y : X;
        FScrollPos = FInfo.Pos;
    } else if (FPressed != spNone) {
        Repeat();
        SetTimer(Handle(), RepeatTimer, RepeatDelay);
    }
    Invalidate();
}

// One mouse step of a held thumb: the dragged position, reported as thumb tracking.
void TStyledScrollBar::DragTo(int Cursor)
{
    int pos;
    if (FThumbDrag == tdFollowPointer) {
        pos = PosFromOffset(Cursor - FDragOffset - (FVertical ? TrackRect().Top : TrackRect().Left));
    } else {
        // The whole track stands for the whole content (positions and the last page);
        // the thumb stops where the last page is in view.
        const int length = std::max(1, TrackLength());
        const double content = double(FInfo.Max) - FInfo.Min + std::max(FInfo.Page - 1, 0);
        FScrollPos += double(Cursor - FPrevCursor) / length * content;
        FScrollPos = std::clamp(FScrollPos, double(FInfo.Min), double(FInfo.Max));
        FPrevCursor = Cursor;
        pos = int(std::lround(FScrollPos));
    }
    if (pos == FInfo.TrackPos) return;
    FInfo.TrackPos = pos;
    Invalidate();
    Send(SB_THUMBTRACK, pos);
}

void TStyledScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    FMouse = TPoint(X, Y);
    if (FTracking)
        DragTo(FVertical ? Y : X);
    else if (FPressed == spNone)
        SetHot(CanScroll() ? PartAt(X, Y) : spNone);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TStyledScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TPart pressed = FPressed;
    FPressed = spNone;
    KillTimer(Handle(), RepeatTimer);
    SetMouseCapture(false);
    if (FTracking) {
        const int pos = FInfo.TrackPos;
        FTracking = false;
        FInfo.TrackPos = FInfo.Pos;
        Send(SB_THUMBPOSITION, pos);
        Send(SB_ENDSCROLL, 0);
    } else if (pressed != spNone) {
        Send(SB_ENDSCROLL, 0);
    }
    FHot = CanScroll() ? PartAt(X, Y) : spNone;
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// One step of a held arrow or track press.
void TStyledScrollBar::Repeat()
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
    Invalidate();
}

void TStyledScrollBar::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && Message.WParam == RepeatTimer) {
        if (FPressed == spNone || FTracking) {
            KillTimer(Handle(), RepeatTimer);
            return;
        }
        SetTimer(Handle(), RepeatTimer, RepeatRate);
        Repeat();
        return;
    }
    if (Message.Msg == CM_MOUSELEAVE) SetHot(spNone);
    TCustomControl::WndProc(Message);
}
