// The picker's track bar: range, position, painting, mouse and keys.
#include "gridext/panels/PickerTrackBar.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/ExtCtrls.h"

namespace {
constexpr int Margin = 8;
constexpr int ThumbWidth = 11, ThumbHeight = 20;
}   // namespace

TPickerTrackBar::TPickerTrackBar(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetTabStop(true);
    SetBounds(0, 0, 150, 40);
    SetColor(clBtnFace);
}

void TPickerTrackBar::SetMin(int v)
{
    if (v > FMax) return;
    FMin = v;
    SetPosition(FPosition);
    Invalidate();
}

void TPickerTrackBar::SetMax(int v)
{
    if (v < FMin) return;
    FMax = v;
    SetPosition(FPosition);
    Invalidate();
}

void TPickerTrackBar::SetFrequency(int v)
{
    FFrequency = v;
    Invalidate();
}

void TPickerTrackBar::SetPosition(int v)
{
    v = std::clamp(v, FMin, FMax);
    if (v == FPosition) return;
    FPosition = v;
    Invalidate();
    if (OnChange) OnChange(this);
}

TRect TPickerTrackBar::ChannelRect() const
{
    const int half = ThumbWidth / 2;
    return Rect(Margin + half, Margin + ThumbHeight / 2 - 2, ClientWidth() - Margin - half,
                Margin + ThumbHeight / 2 + 2);
}

int TPickerTrackBar::PositionToX(int Pos) const
{
    const TRect c = ChannelRect();
    if (FMax <= FMin) return c.Left;
    return c.Left + int((long long)(Pos - FMin) * (c.Width() - 1) / (FMax - FMin));
}

int TPickerTrackBar::XToPosition(int X) const
{
    const TRect c = ChannelRect();
    if (FMax <= FMin || c.Width() <= 1) return FMin;
    const double f = double(X - c.Left) / (c.Width() - 1);
    return std::clamp(FMin + int(std::lround(f * (FMax - FMin))), FMin, FMax);
}

TRect TPickerTrackBar::ThumbRect() const
{
    const int x = PositionToX(FPosition);
    return Rect(x - ThumbWidth / 2, Margin, x - ThumbWidth / 2 + ThumbWidth, Margin + ThumbHeight);
}

void TPickerTrackBar::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    TRect channel = ChannelRect();
    c->Brush()->SetColor(clWindow);
    c->FillRect(channel);
    Frame3D(c, channel, clBtnShadow, clBtnHighlight, 1);
    // A tick at every Frequency, and at both ends.
    c->Pen()->SetColor(clWindowText);
    c->Pen()->SetWidth(1);
    const int y = Margin + ThumbHeight + 2;
    auto tick = [&](int pos) {
        const int x = PositionToX(pos);
        c->MoveTo(x, y);
        c->LineTo(x, y + 4);
    };
    if (FFrequency > 0 && FMax > FMin && (FMax - FMin) / FFrequency <= ClientWidth())
        for (int p = FMin; p < FMax; p += FFrequency) tick(p);
    tick(FMax);
    TRect thumb = ThumbRect();
    c->Brush()->SetColor(Focused() ? clHighlight : clBtnFace);
    c->FillRect(thumb);
    Frame3D(c, thumb, clBtnHighlight, clBtnShadow, 1);
}

void TPickerTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (CanFocus()) SetFocus();
    if (PtInRect(ThumbRect(), Point(X, Y))) {
        FDragging = true;
        return;
    }
    // A press beside the thumb pages towards the pointer.
    const int step = std::max(1, FPageSize);
    SetPosition(X < PositionToX(FPosition) ? FPosition - step : FPosition + step);
}

void TPickerTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragging) SetPosition(XToPosition(X));
}

void TPickerTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FDragging) SetPosition(XToPosition(X));
    FDragging = false;
}

void TPickerTrackBar::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_LEFT: case VK_UP: SetPosition(FPosition - 1); break;
    case VK_RIGHT: case VK_DOWN: SetPosition(FPosition + 1); break;
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
    }
    Key = 0;
}

int TrackPickerKeyStep(int Position, WORD Key, int Frequency, int Min, int Max)
{
    if (Key == VK_UP && Position - Frequency >= Min) return Position - Frequency;
    if (Key == VK_DOWN && Position + Frequency <= Max) return Position + Frequency;
    return Position;
}

int TrackPickerDragStep(int Position, int DeltaX, int PageSize)
{
    if (PageSize == 0) return Position;
    return Position + DeltaX / PageSize;
}
