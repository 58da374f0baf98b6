// Placement of turned text by the quadrant the angle falls in.
#include "gridext/print/RotatedText.h"

#include <cmath>
#include <numbers>

void PlaceRotatedText(TRect& Rect, int HAlign, int VAlign, int A1, int B1, int C1, int D1, int Angle)
{
    const int q = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
    const int X = Rect.Right - Rect.Left, Y = Rect.Bottom - Rect.Top;
    int left = Rect.Left, top = Rect.Top;
    switch (q) {
    case 1:
        left = HAlign == 0 ? Rect.Left : HAlign == 1 ? Rect.Right - D1 - C1 : Rect.Left + (X - C1 - D1) / 2;
        top = VAlign == 0 ? Rect.Top + B1 : VAlign == 2 ? Rect.Bottom - A1 : Rect.Top + B1 - (B1 + A1 - Y) / 2;
        break;
    case 2:
        left = HAlign == 0 ? Rect.Left + D1 : HAlign == 1 ? Rect.Right - C1 : Rect.Right - (C1 + X - D1) / 2;
        top = VAlign == 0 ? Rect.Top + A1 + B1 : VAlign == 2 ? Rect.Bottom : Rect.Top + A1 + B1 - (B1 + A1 - Y) / 2;
        break;
    case 3:
        left = HAlign == 0 ? Rect.Left + C1 + D1 : HAlign == 1 ? Rect.Right : Rect.Right - (X - C1 - D1) / 2;
        top = VAlign == 0 ? Rect.Top + A1 : VAlign == 2 ? Rect.Bottom - B1 : Rect.Top + A1 - (B1 + A1 - Y) / 2;
        break;
    default:
        left = HAlign == 0 ? Rect.Left + C1 : HAlign == 1 ? Rect.Right - D1 : Rect.Left + (C1 + X - D1) / 2;
        top = VAlign == 0 ? Rect.Top : VAlign == 2 ? Rect.Bottom - A1 - B1 : Rect.Top - (B1 + A1 - Y) / 2;
        break;
    }
    Rect.Left = left;
    Rect.Top = top;
}

TRect RotatedTextRect(TExtStringGrid& Grid, TRect Rect, int Angle, const String& Text, int HAlign, int VAlign)
{
    const TPoint ext = Grid.Canvas()->TextExtent(Text);
    InflateRect(Rect, -2, -2);
    const double a = Angle * std::numbers::pi / 180.0;
    const int A1 = std::abs(int(std::trunc(std::cos(a) * ext.Y)));
    const int B1 = std::abs(int(std::trunc(std::sin(a) * ext.X)));
    const int C1 = std::abs(int(std::trunc(std::sin(a) * ext.Y)));
    const int D1 = std::abs(int(std::trunc(std::cos(a) * ext.X)));
    PlaceRotatedText(Rect, HAlign, VAlign, A1, B1, C1, D1, Angle);
    return Rect;
}
