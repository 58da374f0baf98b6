#include "platform/gui/Types.h"

#include <algorithm>

bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }

void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
    if (r.IsEmpty()) {
        dst = TRect();
        return false;
    }
    dst = r;
    return true;
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b)
{
    if (a.IsEmpty()) dst = b;
    else if (b.IsEmpty()) dst = a;
    else dst = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    return !dst.IsEmpty();
}

bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }

namespace {
// The default desktop theme's values of the system colours, by index.
constexpr TColor kSysColors[31] = {
    RGB(200, 200, 200),   // 0 scroll bar
    RGB(0, 0, 0),         // 1 background
    RGB(153, 180, 209),   // 2 active caption
    RGB(191, 205, 219),   // 3 inactive caption
    RGB(240, 240, 240),   // 4 menu
    RGB(255, 255, 255),   // 5 window
    RGB(100, 100, 100),   // 6 window frame
    RGB(0, 0, 0),         // 7 menu text
    RGB(0, 0, 0),         // 8 window text
    RGB(0, 0, 0),         // 9 caption text
    RGB(180, 180, 180),   // 10 active border
    RGB(244, 247, 252),   // 11 inactive border
    RGB(171, 171, 171),   // 12 application workspace
    RGB(0, 120, 215),     // 13 highlight
    RGB(255, 255, 255),   // 14 highlight text
    RGB(240, 240, 240),   // 15 button face
    RGB(160, 160, 160),   // 16 button shadow
    RGB(109, 109, 109),   // 17 gray text
    RGB(0, 0, 0),         // 18 button text
    RGB(0, 0, 0),         // 19 inactive caption text
    RGB(255, 255, 255),   // 20 button highlight
    RGB(105, 105, 105),   // 21 3D dark shadow
    RGB(227, 227, 227),   // 22 3D light
    RGB(0, 0, 0),         // 23 info text
    RGB(255, 255, 225),   // 24 info background
    RGB(0, 0, 0),         // 25 (unused)
    RGB(0, 102, 204),     // 26 hot light
    RGB(185, 209, 234),   // 27 gradient active caption
    RGB(215, 228, 242),   // 28 gradient inactive caption
    RGB(0, 120, 215),     // 29 menu highlight
    RGB(240, 240, 240),   // 30 menu bar
};
}

TColor GetSysColor(int index)
{
    if (index < 0 || index > 30) return 0;
    return kSysColors[index];
}

TColor ColorToRGB(TColor c)
{
    if ((static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u) return GetSysColor(c & 0xFF);
    if (c == clNone) return clBlack;
    if (c == clDefault) return GetSysColor(5);
    return c & 0x00FFFFFF;
}
