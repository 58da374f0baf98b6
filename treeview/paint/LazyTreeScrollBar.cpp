// The tree's own scroll bars: geometry of arrows, track and thumb from the tree's scroll
// information, the styled look of each part in its state, and the mouse on them.
#include "treeview/paint/LazyTreeScrollBar.h"

#include <algorithm>
#include <cmath>

#include "treeview/core/BaseLazyTree.h"

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

// A raised face (light top-left, dark bottom-right) filled with Face; a pressed one is
// flat with a shadow frame.
void Face(TCanvas* C, const TRect& R, TColor FaceColor, bool Pressed)
{
    Fill(C, R, FaceColor);
    if (R.Width() < 2 || R.Height() < 2) return;
    if (Pressed) {
        C->Brush()->SetColor(clBtnShadow);
        C->FrameRect(R);
        return;
    }
    Fill(C, Rect(R.Left, R.Top, R.Right - 1, R.Top + 1), clBtnHighlight);
    Fill(C, Rect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), clBtnHighlight);
    Fill(C, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), cl3DDkShadow);
    Fill(C, Rect(R.Right - 1, R.Top, R.Right, R.Bottom), cl3DDkShadow);
}

void Arrow(TCanvas* C, const TRect& R, bool Vertical, bool First, bool Enabled, bool Pressed)
{
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

TLazyTreeScrollBar::TLazyTreeScrollBar(TBaseLazyTree* ATree, bool AVertical)
    : TCustomControl(ATree), FTree(ATree), FVertical(AVertical)
{
    FClickEvents = false;
    SetInternal(true);
    SetTabStop(false);
    SetVisible(false);
    SetColor(clScrollBar);
    SetParent(ATree);
}

const TLTScrollBarInfo& TLazyTreeScrollBar::Info() const { return FTree->ScrollBarInfo(FVertical ? SB_VERT : SB_HORZ); }

bool TLazyTreeScrollBar::Enabled() const
{
    const TLTScrollBarInfo& i = Info();
    return !i.Disabled && i.Max > i.Min && i.Page <= i.Max - i.Min;
}

TRect TLazyTreeScrollBar::ArrowRect(bool First) const
{
    const int w = Width(), h = Height();
    // A bar shorter than two buttons shares its length between them.
    if (FVertical) {
        const int s = std::min(Size, h / 2);
        return First ? Rect(0, 0, w, s) : Rect(0, h - s, w, h);
    }
    const int s = std::min(Size, w / 2);
    return First ? Rect(0, 0, s, h) : Rect(w - s, 0, w, h);
}

TRect TLazyTreeScrollBar::TrackRect() const
{
    return FVertical ? Rect(0, ArrowRect(true).Bottom, Width(), ArrowRect(false).Top)
                     : Rect(ArrowRect(true).Right, 0, ArrowRect(false).Left, Height());
}

TRect TLazyTreeScrollBar::ThumbRect() const
{
    if (!Enabled()) return TRect();
    const TLTScrollBarInfo& i = Info();
    const TRect track = TrackRect();
    const long long length = FVertical ? track.Height() : track.Width();
    // The page is the part of the range in view: the thumb takes the same share of the
    // track.
    const long long span = (long long)i.Max - i.Min + 1;
    const long long page = std::clamp<long long>(i.Page, 0, span);
    long long thumb = page > 0 ? length * page / span : Size;
    thumb = std::max<long long>(thumb, MinThumb);
    if (thumb > length) return TRect();
    const long long last = std::max<long long>(i.Min, i.Max - std::max<long long>(page - 1, 0));
    const long long pos = std::clamp<long long>(FPressed == spThumb ? i.TrackPos : i.Pos, i.Min, last);
    const long long offset = last > i.Min ? (length - thumb) * (pos - i.Min) / (last - i.Min) : 0;
    const int start = int((FVertical ? track.Top : track.Left) + offset);
    return FVertical ? Rect(0, start, Width(), start + int(thumb)) : Rect(start, 0, start + int(thumb), Height());
}

TLazyTreeScrollBar::TPart TLazyTreeScrollBar::PartAt(int X, int Y) const
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

void TLazyTreeScrollBar::Refresh() { Invalidate(); }

void TLazyTreeScrollBar::Send(int Code)
{
    FTree->Perform(FVertical ? WM_VSCROLL : WM_HSCROLL, WPARAM(Code), 0);
}

void TLazyTreeScrollBar::SetHot(TPart Part)
{
    if (Part == FHot) return;
    FHot = Part;
    Invalidate();
}

void TLazyTreeScrollBar::Paint()
{
    TCanvas* c = Canvas();
    const bool enabled = Enabled();
    Fill(c, ClientRect(), clScrollBar);
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
    const auto faceColor = [&](TPart Part) {
        if (!enabled) return clBtnFace;
        if (FPressed == Part) return clBtnShadow;
        return FHot == Part ? cl3DLight : clBtnFace;
    };
    for (bool first : {true, false}) {
        const TPart part = first ? spFirstArrow : spLastArrow;
        const TRect a = ArrowRect(first);
        const bool pressed = enabled && FPressed == part;
        Face(c, a, pressed ? clBtnFace : faceColor(part), pressed);
        Arrow(c, a, FVertical, first, enabled, pressed);
    }
    if (!t.IsEmpty()) Face(c, t, faceColor(spThumb), false);
}

void TLazyTreeScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FMouse = TPoint(X, Y);
    FPressed = PartAt(X, Y);
    SetMouseCapture(true);
    if (FPressed == spThumb) {
        const TLTScrollBarInfo& i = Info();
        FScrollPos = i.Pos;
        FPrevCursor = FVertical ? Y : X;
        FTree->SetScrollTrackPos(FVertical ? SB_VERT : SB_HORZ, i.Pos);
    } else if (FPressed != spNone) {
        Repeat();
        SetTimer(Handle(), RepeatTimer, RepeatDelay);
    }
    Invalidate();
}

void TLazyTreeScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    FMouse = TPoint(X, Y);
    if (FPressed == spThumb) {
        const int bar = FVertical ? SB_VERT : SB_HORZ;
        const TLTScrollBarInfo& i = Info();
        const TRect track = TrackRect();
        const int length = std::max(1, FVertical ? track.Height() : track.Width());
        // Moving the mouse over the whole track moves over the whole range; the thumb
        // stops where the last page is in view.
        const int cursor = FVertical ? Y : X;
        FScrollPos += double(cursor - FPrevCursor) / length * double(i.Max - i.Min);
        FScrollPos = std::clamp(FScrollPos, double(i.Min), double(i.Max));
        if (i.Page != 0 && std::lround(FScrollPos) > i.Max - i.Page + 1) FScrollPos = i.Max - i.Page + 1;
        FPrevCursor = cursor;
        const int pos = int(std::lround(FScrollPos));
        if (pos != i.TrackPos) {
            FTree->SetScrollTrackPos(bar, pos);
            Send(SB_THUMBPOSITION);
            Invalidate();
        }
    } else if (FPressed == spNone) {
        SetHot(Enabled() ? PartAt(X, Y) : spNone);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TLazyTreeScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TPart pressed = FPressed;
    FPressed = spNone;
    KillTimer(Handle(), RepeatTimer);
    SetMouseCapture(false);
    if (pressed != spNone) Send(SB_ENDSCROLL);
    FHot = Enabled() ? PartAt(X, Y) : spNone;
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// One step of a held arrow or track press.
void TLazyTreeScrollBar::Repeat()
{
    switch (FPressed) {
    case spFirstArrow: Send(SB_LINEUP); break;
    case spLastArrow: Send(SB_LINEDOWN); break;
    case spPageBefore:
    case spPageAfter:
        // Paging stops once the thumb has reached the pointer.
        if (PartAt(FMouse.X, FMouse.Y) == FPressed) Send(FPressed == spPageBefore ? SB_PAGEUP : SB_PAGEDOWN);
        break;
    default: break;
    }
    Invalidate();
}

void TLazyTreeScrollBar::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && Message.WParam == RepeatTimer) {
        if (FPressed == spNone || FPressed == spThumb) {
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
