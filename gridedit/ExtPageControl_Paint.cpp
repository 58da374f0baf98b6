// The page control's own painting of its tab strip and page frame, the stepped gradient,
// tab pictures and the three looks of the close button.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "gridedit/ExtPageControl.h"

namespace {
// A line through the points; as on the platform, the last point is not coloured.
void Line(TCanvas* c, TColor color, std::initializer_list<TPoint> pts)
{
    c->Pen()->SetColor(color);
    auto it = pts.begin();
    c->MoveTo(it->X, it->Y);
    for (++it; it != pts.end(); ++it) c->LineTo(it->X, it->Y);
}

int Nearest(double v) { return int(std::lrint(v)); }

// The part src of a picture as a picture of its own, with the given colour transparent.
std::unique_ptr<TBitmap> Slice(TBitmap* pic, const TRect& src, TColor key)
{
    auto b = std::make_unique<TBitmap>(src.Width(), src.Height());
    b->Canvas()->CopyRect(Rect(0, 0, src.Width(), src.Height()), pic->Canvas(), src);
    b->SetTransparentColor(key);
    b->SetTransparent(true);
    return b;
}
}

void TExtPageControl::DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Direction, const TRect& R,
                                   int Steps)
{
    if (Steps <= 0) Steps = 1;
    const TColor f = ColorToRGB(FromColor), t = ColorToRGB(ToColor);
    const int dr = GetRValue(t) - GetRValue(f), dg = GetGValue(t) - GetGValue(f), db = GetBValue(t) - GetBValue(f);
    const double band = (Direction == gdHorizontal ? R.Width() : R.Height()) / double(Steps);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    for (int n = 0; n < Steps; ++n) {
        const TColor c = RGB(GetRValue(f) + Nearest(n * dr / double(Steps)), GetGValue(f) + Nearest(n * dg / double(Steps)),
                             GetBValue(f) + Nearest(n * db / double(Steps)));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        // Bands overlap by one pixel so that no gap shows.
        const int from = Nearest(n * band), size = Nearest(band) + 1;
        if (Direction == gdHorizontal) Canvas->Rectangle(R.Left + from, R.Top, R.Left + from + size, R.Bottom);
        else Canvas->Rectangle(R.Left, R.Top + from, R.Right, R.Top + from + size);
    }
}

void TExtPageControl::DrawTabPicture(TCanvas* Canvas, TBitmap* Picture, int X, int Y, int Length)
{
    const int pw = Picture->Width(), ph = Picture->Height();
    if (pw < 2 || ph < 2) return;
    const TColor key = Picture->Canvas()->Pixels(0, ph - 1);
    if (TabPosition() == tpLeft || TabPosition() == tpRight) {
        const int half = ph / 2;
        Canvas->Draw(X, Y, Slice(Picture, Rect(0, 0, pw, half), key).get());
        if (Length - ph > 0)
            Canvas->StretchDraw(Rect(X, Y + half, X + pw, Y + half + Length - ph),
                                Slice(Picture, Rect(0, half - 1, pw, half + 1), key).get());
        Canvas->Draw(X, Y + half + Length - ph, Slice(Picture, Rect(0, half, pw, half + ph / 2), key).get());
    } else {
        const int half = pw / 2;
        Canvas->Draw(X, Y, Slice(Picture, Rect(0, 0, half, ph), key).get());
        if (Length - pw > 0)
            Canvas->StretchDraw(Rect(X + half, Y, X + half + Length - pw, Y + ph),
                                Slice(Picture, Rect(half - 1, 0, half + 1, ph), key).get());
        Canvas->Draw(X + half + Length - pw, Y, Slice(Picture, Rect(half, 0, half + pw / 2, ph), key).get());
    }
}

// ---- close buttons

TPoint TExtPageControl::CloseButtonOrigin(const TRect& TabRect, int Lower, int& Bottom) const
{
    const TRect& r = TabRect;
    switch (TabPosition()) {
    case tpLeft:
        Bottom = r.Bottom - FTabMargin.TopMargin() + (FTabBackGroundActive->Empty() ? 0 : FTabOverlap);
        return TPoint(r.Left + FTabMargin.LeftMargin() + Lower, Bottom);
    case tpRight: Bottom = 0; return TPoint(r.Left + FTabMargin.LeftMargin() - Lower + 2, r.Top + FTabMargin.TopMargin());
    default: Bottom = 0; return TPoint(r.Left + FTabMargin.LeftMargin(), r.Top + FTabMargin.TopMargin() + Lower);
    }
}

void TExtPageControl::DrawCloseGlyph(TCanvas* Canvas, int X, int Y)
{
    Canvas->SaveState();
    Canvas->IntersectClipRect(Rect(X, Y, X + 12, Y + 11));
    FCloseGlyph->SetTransparentMode(tmAuto);
    FCloseGlyph->SetTransparent(true);
    Canvas->Draw(X, Y, FCloseGlyph.get());
    Canvas->RestoreState();
}

void TExtPageControl::DrawCloseLook(const TRect& TabRect, int Lower, TColor Fill, TColor Frame, TColor Cross)
{
    TCanvas* c = Canvas();
    int d = 0;
    const TPoint o = CloseButtonOrigin(TabRect, Lower, d);
    const int x = o.X, y = o.Y;
    const bool left = TabPosition() == tpLeft;
    if (!FCloseGlyph->Empty()) {
        if (left) DrawCloseGlyph(c, x + 2, d - 13);
        else DrawCloseGlyph(c, x + 2, y + 2);
        return;
    }
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(Frame);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Fill);
    if (left) {
        c->Rectangle(x + 2, d - 13, x + 14, d - 2);
        Line(c, Cross, {Point(x + 5, d - 10), Point(x + 11, d - 5)});
        Line(c, Cross, {Point(x + 6, d - 10), Point(x + 10, d - 5)});
        Line(c, Cross, {Point(x + 5, d - 6), Point(x + 11, d - 11)});
        Line(c, Cross, {Point(x + 6, d - 6), Point(x + 10, d - 11)});
    } else {
        c->Rectangle(x + 2, y + 2, x + 14, y + 13);
        Line(c, Cross, {Point(x + 5, y + 9), Point(x + 11, y + 4)});
        Line(c, Cross, {Point(x + 6, y + 9), Point(x + 10, y + 4)});
        Line(c, Cross, {Point(x + 5, y + 5), Point(x + 11, y + 10)});
        Line(c, Cross, {Point(x + 6, y + 5), Point(x + 10, y + 10)});
    }
}

void TExtPageControl::DrawCloseButton(const TRect& TabRect, bool Active)
{
    DrawCloseLook(TabRect, Active ? FLowerActive : 0, clWhite, clGray, clBlack);
}

void TExtPageControl::DrawCloseButtonHot(const TRect& TabRect)
{
    DrawCloseLook(TabRect, FLowerActive, clWhite, clBlack, clGray);
}

void TExtPageControl::DrawCloseButtonDown(const TRect& TabRect)
{
    DrawCloseLook(TabRect, FLowerActive, clSilver, clBlack, clBlack);
}

void TExtPageControl::DrawTabFocus(TCanvas* Canvas, const TRect& TabRect, bool Active, int Shorten)
{
    if (!Active || !FShowFocus || !Focused()) return;
    const TRect& r = TabRect;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(psDot);
    if (TabPosition() == tpLeft || TabPosition() == tpRight)
        Canvas->Rectangle(r.Left + 5, r.Top + 3, r.Right - 5, r.Bottom - 3 - Shorten);
    else Canvas->Rectangle(r.Left + 5, r.Top + 3, r.Right - 5 - Shorten, r.Bottom - 3);
    Canvas->Pen()->SetStyle(psSolid);
}

// ---- the strip

void TExtPageControl::Paint()
{
    TCustomTabControl::Paint();
    if (!FTabBorder3D) PaintTabs(Canvas());
}

void TExtPageControl::PaintTabs(TCanvas* c)
{
    const int W = Width(), H = Height();
    const TTabPosition pos = TabPosition();
    const bool side = pos == tpLeft || pos == tpRight;
    const TColor ctlColor = Color();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Parent() ? Parent()->Color() : clBtnFace);
    c->Font()->Assign(*Font());

    // Extents of the strip; the tabs' surroundings are cleared on the way.
    int tabsTop = PageTabRect(0).Top, tabsLeft = W, tabsBottom = 0, tabsRight = 0;
    bool anyTab = false;
    for (int i = PageCount() - 1; i >= 0; --i) {
        if (!FPages[size_t(i)]->FTabVisible) continue;
        TRect r = PageTabRect(i);
        anyTab = true;
        tabsTop = std::min(tabsTop, r.Top);
        tabsBottom = std::max(tabsBottom, r.Bottom);
        tabsLeft = std::min(tabsLeft, r.Left);
        tabsRight = std::max(tabsRight, r.Right);
        r.Right += 2;
        switch (pos) {
        case tpTop: r.Left -= 2, r.Top -= 2; break;
        case tpBottom: r.Left -= 2, r.Bottom += 2; break;
        case tpLeft: r.Left -= 2, r.Top -= 2, r.Bottom += 2, r.Right -= 2; break;
        case tpRight: r.Top -= 2, r.Bottom += 2; break;
        }
        c->FillRect(r);
    }
    if (!anyTab) {
        switch (pos) {
        case tpTop: tabsBottom = 2; break;
        case tpBottom: tabsTop = H - 2; break;
        case tpLeft: tabsRight = 2; break;
        case tpRight: tabsLeft = W - 2; break;
        }
    }
    // Single-line strips end in a corner of the control's colour.
    if (!MultiLine() && !side) {
        c->Brush()->SetColor(ctlColor);
        if (pos == tpTop) {
            c->FillRect(Rect(W - 35, 0, W, tabsBottom));
            Line(c, clWhite, {Point(std::max(tabsRight, W - 35), tabsBottom), Point(W, tabsBottom)});
        } else {
            c->FillRect(Rect(W - 35, tabsTop, W, H));
            Line(c, cl3DDkShadow, {Point(std::max(tabsRight, W - 35), tabsTop - 1), Point(W, tabsTop - 1)});
        }
    }
    c->Brush()->SetColor(FTabBackGroundColor);
    switch (pos) {
    case tpLeft: c->FillRect(Rect(0, 0, tabsRight, H - 1)); break;
    case tpRight: c->FillRect(Rect(tabsLeft, 0, W, H - 1)); break;
    case tpBottom: c->FillRect(Rect(0, tabsTop, W, H)); break;
    case tpTop: c->FillRect(Rect(0, 0, W, tabsBottom)); break;
    }

    TExtTabSheet* active = FActivePage;
    const bool coloured = active && (active->FColorTo != clNone || active->Color() != ctlColor);
    const int s = coloured && FTabSheet3D ? 1 : 0;
    // The page's colour reaches the control's edges through a band around the page.
    if (coloured) {
        std::vector<TRect> strips;
        TRect plain;
        switch (pos) {
        case tpTop:
            strips = {Rect(1, tabsBottom + s, 4, H - 1), Rect(1, tabsBottom + s, W - 1, tabsBottom + 4),
                      Rect(W - 4, tabsBottom + s, W - 1, H - 1), Rect(1, H - 4, W - 1, H - 1)};
            plain = Rect(1, tabsBottom + 1, W - 1, tabsBottom + 4);
            break;
        case tpBottom:
            strips = {Rect(1, 1, 4, tabsTop - s), Rect(1, tabsTop - 4, W - 1, tabsTop - s), Rect(W - 4, 1, W - 1, tabsTop - s),
                      Rect(1, 1, W - 1, 4)};
            plain = Rect(1, 1, W - 1, 4);
            break;
        case tpLeft:
            strips = {Rect(tabsRight + s, 1, tabsRight + 4, H - 1), Rect(tabsRight + s, 1, W - 1, 4),
                      Rect(W - 4, 1, W - 1, H - 1), Rect(tabsRight + s, H - 4, W - 1, H - 1)};
            plain = Rect(tabsRight + s, 1, W - 1, 4);
            break;
        case tpRight:
            strips = {Rect(1, 1, 4, H - 2), Rect(1, 1, tabsLeft - s, 4), Rect(tabsLeft - 4, 1, tabsLeft - s, H - 2),
                      Rect(1, H - 4, tabsLeft - s, H - 2)};
            plain = Rect(1, 1, tabsLeft - s, 4);
            break;
        }
        for (const TRect& strip : strips) {
            c->SaveState();
            c->IntersectClipRect(strip);
            c->Pen()->SetColor(active->Color());
            c->Brush()->SetColor(active->Color());
            if (active->FColorTo == clNone) c->Rectangle(ClientRect());
            else {
                DrawGradient(c, active->Color(), active->FColorTo, gdVertical, ClientRect(), 16);
                c->Pen()->SetColor(active->Color());
                c->Brush()->SetColor(active->Color());
                c->Rectangle(plain);
            }
            c->RestoreState();
        }
    }

    // The frame of the page area.
    if (!FTabSheet3D) {
        const TColor b = FTabSheetBorderColor;
        switch (pos) {
        case tpTop:
            Line(c, b, {Point(0, tabsBottom), Point(0, H)});
            Line(c, b, {Point(0, H - 1), Point(W, H - 1)});
            Line(c, b, {Point(W - 1, H - 2), Point(W - 1, tabsBottom)});
            Line(c, b, {Point(0, tabsBottom), Point(W, tabsBottom)});
            if (!coloured) {
                Line(c, ctlColor, {Point(1, H - 2), Point(W - 1, H - 2)});
                Line(c, ctlColor, {Point(W - 2, H - 2), Point(W - 2, tabsBottom)});
            }
            break;
        case tpBottom:
            Line(c, b, {Point(0, 0), Point(0, tabsTop)});
            Line(c, b, {Point(0, tabsTop - 1), Point(W, tabsTop - 1)});
            Line(c, b, {Point(W - 1, tabsTop - 1), Point(W - 1, 0)});
            Line(c, b, {Point(0, 0), Point(W, 0)});
            if (!coloured) {
                Line(c, ctlColor, {Point(1, tabsTop - 2), Point(W - 1, tabsTop - 2)});
                Line(c, ctlColor, {Point(W - 2, tabsTop - 2), Point(W - 2, 0)});
            }
            break;
        case tpLeft:
            Line(c, b, {Point(tabsRight, 0), Point(tabsRight, H)});
            Line(c, b, {Point(tabsRight, H - 2), Point(W - 2, H - 2)});
            Line(c, b, {Point(W - 2, H), Point(W - 2, 0)});
            Line(c, b, {Point(W - 2, 0), Point(tabsRight, 0)});
            Line(c, ctlColor, {Point(tabsRight, H - 1), Point(W - 1, H - 1)});
            Line(c, ctlColor, {Point(W - 1, H - 1), Point(W - 1, -1)});
            break;
        case tpRight:
            Line(c, b, {Point(0, 0), Point(0, H)});
            Line(c, b, {Point(tabsLeft - 1, H), Point(tabsLeft - 1, 0)});
            Line(c, b, {Point(tabsLeft - 1, 0), Point(0, 0)});
            Line(c, ctlColor, {Point(0, H - 1), Point(tabsLeft, H - 1)});
            if (!coloured) Line(c, ctlColor, {Point(tabsLeft - 2, H - 3), Point(tabsLeft - 2, 0)});
            break;
        }
        if (FRoundEdges) {
            switch (pos) {
            case tpTop:
                Line(c, ctlColor, {Point(0, H - 4), Point(0, H - 1), Point(4, H - 1)});
                Line(c, ctlColor, {Point(W - 4, H - 1), Point(W - 1, H - 1), Point(W - 1, H - 5)});
                Line(c, b, {Point(1, H - 4), Point(1, H - 2)});
                Line(c, b, {Point(2, H - 2), Point(4, H - 2)});
                Line(c, b, {Point(W - 4, H - 2), Point(W - 2, H - 2)});
                Line(c, b, {Point(W - 2, H - 3), Point(W - 2, H - 5)});
                break;
            case tpBottom:
                Line(c, ctlColor, {Point(0, 3), Point(0, 0), Point(5, 0)});
                Line(c, ctlColor, {Point(W - 1, 3), Point(W - 1, 0), Point(W - 5, 0)});
                Line(c, b, {Point(1, 3), Point(1, 1)});
                Line(c, b, {Point(2, 1), Point(5, 0)});
                Line(c, b, {Point(W - 2, 3), Point(W - 2, 1)});
                Line(c, b, {Point(W - 3, 1), Point(W - 5, 1)});
                break;
            case tpLeft:
                Line(c, ctlColor, {Point(W - 5, H - 2), Point(W - 2, H - 2), Point(W - 2, H - 6)});
                Line(c, ctlColor, {Point(W - 2, 3), Point(W - 2, 0), Point(W - 6, 0)});
                Line(c, b, {Point(W - 5, H - 3), Point(W - 3, H - 3)});
                Line(c, b, {Point(W - 3, H - 4), Point(W - 3, H - 6)});
                Line(c, b, {Point(W - 3, 3), Point(W - 3, 1)});
                Line(c, b, {Point(W - 4, 1), Point(W - 6, 1)});
                break;
            case tpRight:
                Line(c, ctlColor, {Point(0, 3), Point(0, 0), Point(5, 0)});
                Line(c, ctlColor, {Point(0, H - 5), Point(0, H - 2), Point(4, H - 2)});
                Line(c, b, {Point(1, 3), Point(1, 1)});
                Line(c, b, {Point(2, 1), Point(5, 0)});
                Line(c, b, {Point(1, H - 5), Point(1, H - 3)});
                Line(c, b, {Point(2, H - 3), Point(4, H - 3)});
                break;
            }
        }
    }

    // The split line opens the frame along the strip in the page's colour.
    int split = 0;
    if (!FTabSheet3D && !FTabSplitLine && PageCount() > 0) {
        split = 1;
        TColor sc = ctlColor;
        if (coloured) sc = pos == tpBottom && active->FColorTo != clNone ? active->FColorTo : active->Color();
        switch (pos) {
        case tpTop: Line(c, sc, {Point(2, tabsBottom), Point(tabsRight + FTabOverlap, tabsBottom)}); break;
        case tpBottom: Line(c, sc, {Point(2, tabsTop - 1), Point(tabsRight + FTabOverlap, tabsTop - 1)}); break;
        case tpLeft: {
            const int more = FTabStyle == tsClassic && !FTabBackGround->Empty() ? 2 : 0;
            Line(c, sc, {Point(tabsRight, 2), Point(tabsRight, tabsBottom + FTabOverlap + more)});
            break;
        }
        case tpRight: Line(c, sc, {Point(tabsLeft - 1, tabsBottom + FTabOverlap - 1), Point(tabsLeft - 1, 2)}); break;
        }
    }

    const int activeIndex = ActivePageIndex();
    const int lm = FTabMargin.LeftMargin(), tm = FTabMargin.TopMargin();
    bool keptActive = false;
    TRect keptRect;
    int keptX = 0, keptY = 0;
    std::unique_ptr<TBitmap> picture;
    for (int i = PageCount() - 1; i >= 0; --i) {
        TExtTabSheet* page = FPages[size_t(i)];
        if (!page->FTabVisible) continue;
        const TRect tab = PageTabRect(i);
        TRect r = tab;
        const bool isActive = i == activeIndex;
        TColor c1, c2;
        TGradientDirection dir;
        if (isActive && FActiveColor != clNone) {
            c1 = FActiveColor, c2 = FActiveColorTo, dir = page->FTabGradientDirection;
        } else if (i == FHoverTab && (FTabHoverColor != clNone || FTabHoverColorTo != clNone)) {
            c1 = FTabHoverColor, c2 = FTabHoverColorTo, dir = page->FHoverGradientDirection;
        } else {
            c1 = page->FTabColor, c2 = page->FTabColorTo, dir = page->FTabGradientDirection;
        }
        const bool gradient = c2 != clNone;
        const bool plainTabs = FTabBackGround->Empty();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(c1);
        int X = 0, Y = 0;
        auto fill = [&](TRect g) {
            if (gradient) DrawGradient(c, c1, c2, dir, g, 16);
            else {
                c->Brush()->SetColor(c1);
                c->FillRect(r);
            }
        };
        switch (pos) {
        case tpTop: {
            X = r.Left + (page->FShowClose ? 18 : 4);
            Y = r.Top + 1 + (isActive ? FLowerActive : 0);
            if (!plainTabs) break;
            r.Top -= 1;
            TRect g = r;
            g.Bottom -= 1;
            if (dir == gdHorizontal) g.Right -= 1;
            fill(g);
            break;
        }
        case tpBottom: {
            r.Bottom += 1;
            X = r.Left + (page->FShowClose ? 18 : 4);
            Y = isActive ? r.Top + 1 + FLowerActive : r.Top;
            if (!plainTabs) break;
            TRect g = r;
            if (dir == gdHorizontal) g.Right -= 1;
            else g.Bottom -= 1;
            fill(g);
            break;
        }
        case tpLeft: {
            X = r.Left + 1 + (isActive ? FLowerActive : 0);
            Y = r.Bottom - (page->FShowClose ? 17 : 4);
            if (!plainTabs) break;
            r.Left -= 1;
            TRect g = r;
            g.Right -= 1;
            if (dir == gdVertical) g.Bottom -= 1;
            fill(g);
            break;
        }
        case tpRight: {
            X = r.Right - 1 - (isActive ? FLowerActive : 0);
            Y = r.Top + (page->FShowClose ? 17 : 4);
            if (!plainTabs) break;
            TRect g = r;
            if (!isActive && dir == gdVertical) g.Bottom -= 1;
            fill(g);
            r.Right += 1;
            break;
        }
        }
        if (plainTabs) {
            c->Brush()->SetStyle(bsClear);
            const TColor bc = FTabBorderColor;
            const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
            if (FTabStyle == tsDotNet && isActive) {
                switch (pos) {
                case tpTop: Line(c, bc, {Point(L, B), Point(L, T), Point(R, T), Point(R, B)}); break;
                case tpBottom: Line(c, bc, {Point(L, T - 1), Point(L, B), Point(R, B), Point(R, T - 1)}); break;
                case tpLeft: Line(c, bc, {Point(R, T), Point(L, T), Point(L, B), Point(R, B)}); break;
                case tpRight: Line(c, bc, {Point(L - 1, T), Point(R - 1, T), Point(R - 1, B), Point(L - 1, B)}); break;
                }
            } else if (FTabStyle == tsDotNet) {
                switch (pos) {
                case tpTop: Line(c, bc, {Point(L, B), Point(R, B)}); break;
                case tpBottom: Line(c, bc, {Point(L, T - 1), Point(R, T - 1)}); break;
                case tpLeft: Line(c, bc, {Point(R, T), Point(R, B)}); break;
                case tpRight: Line(c, bc, {Point(L - 1, T), Point(L - 1, B)}); break;
                }
                // A separator unless the next tab is the active one (the last tab always has one).
                const bool last = side ? B > tabsBottom - 3 : R > tabsRight - 3;
                if (FindNextPage(page, true, true) != active || last) {
                    if (side) {
                        Line(c, FActiveColor, {Point(L + 2, B - 2), Point(R - 2, B - 2)});
                        Line(c, FActiveColor, {Point(L + 2, B - 3), Point(R - 2, B - 3)});
                    } else {
                        Line(c, FActiveColor, {Point(R - 2, B - 3), Point(R - 2, T + 2)});
                        Line(c, FActiveColor, {Point(R - 3, B - 3), Point(R - 3, T + 2)});
                    }
                }
            } else if (isActive) {
                switch (pos) {
                case tpTop: Line(c, bc, {Point(L, B - 1), Point(L, T), Point(R, T), Point(R, B)}); break;
                case tpBottom: Line(c, bc, {Point(L, T), Point(L, B), Point(R, B), Point(R, T - 1)}); break;
                case tpLeft: Line(c, bc, {Point(R - 1, T), Point(L, T), Point(L, B), Point(R, B)}); break;
                case tpRight: Line(c, bc, {Point(L, T), Point(R - 1, T), Point(R - 1, B), Point(L - 1, B)}); break;
                }
            } else {
                const int e = (side ? B > H - 5 : R > W - 5) ? 0 : 1;
                bool nextToPage = true;
                switch (pos) {
                case tpTop: nextToPage = B >= tabsBottom; break;
                case tpBottom: nextToPage = T <= tabsTop; break;
                case tpLeft: nextToPage = R >= tabsRight; break;
                case tpRight: nextToPage = L <= tabsLeft; break;
                }
                if (!nextToPage) split = 0;
                c->Pen()->SetColor(bc);
                switch (pos) {
                case tpTop: c->Rectangle(L, T, R + e, B + split); break;
                case tpBottom:
                    c->Rectangle(L, T - split, R + e, B);
                    Y += 2;
                    break;
                case tpLeft: c->Rectangle(L, T, R + split, B + e); break;
                case tpRight: c->Rectangle(L - split, T, R, B + e); break;
                }
                if (!FTabSheet3D && !FTabSplitLine) split = 1;
            }
        } else {
            switch (pos) {
            case tpLeft: X -= 2, Y -= 3; break;
            case tpRight: X -= TabHeight() / 3, Y -= 3; break;
            case tpBottom: Y += 3; break;
            case tpTop: break;
            }
        }
        X += lm;
        if (pos == tpLeft) {
            Y -= tm;
            if (!FTabBackGroundActive->Empty()) Y += FTabOverlap + 3;
        } else {
            Y += tm;
        }
        if (!plainTabs) {
            if (isActive && !FTabBackGroundActive->Empty()) {
                // Drawn last, over its neighbours.
                keptActive = true;
                keptRect = tab;
                keptX = X, keptY = Y;
                continue;
            }
            picture = std::make_unique<TBitmap>();
            picture->Assign(FTabBackGround.get());
            switch (pos) {
            case tpTop: DrawTabPicture(c, picture.get(), tab.Left - 1, tab.Top - 2, tab.Width() + FTabOverlap + 2); break;
            case tpBottom: DrawTabPicture(c, picture.get(), tab.Left - 2, tab.Top - 1, tab.Width() + FTabOverlap + 2); break;
            case tpLeft: DrawTabPicture(c, picture.get(), tab.Left, tab.Top, tab.Height() + FTabOverlap + 3); break;
            case tpRight: DrawTabPicture(c, picture.get(), tab.Left - 1, tab.Top - 2, tab.Height() + FTabOverlap + 3); break;
            }
        }
        // The caption's font: turned on a side, the active font on the active tab.
        if (isActive) c->Font()->Assign(FActiveFont);
        if (pos == tpLeft) c->Font()->SetOrientation(-2700);
        else if (pos == tpRight) c->Font()->SetOrientation(-900);
        if (page->FShowClose) {
            if (isActive && FCloseDown) DrawCloseButtonDown(tab);
            else if (isActive && FHotClose) DrawCloseButtonHot(tab);
            else DrawCloseButton(tab, isActive);
        }
        if (FImages && page->FImageIndex >= 0) {
            switch (pos) {
            case tpLeft: FImages->Draw(c, X, Y - 14, page->FImageIndex); Y -= FImages->Height(); break;
            case tpRight: FImages->Draw(c, X - 14, Y, page->FImageIndex); Y += FImages->Height(); break;
            default: FImages->Draw(c, X - 2, Y, page->FImageIndex); X += FImages->Width(); break;
            }
        }
        if (!(isActive && !side)) c->Font()->SetColor(page->FTextColor);
        if (!page->FTabEnable) c->Font()->SetColor(clGray);
        c->Brush()->SetStyle(bsClear);
        if (side) c->TextOut(X, Y, page->Caption());
        else {
            TRect tr = Rect(X, Y, tab.Right, tab.Bottom);
            c->DrawText(page->Caption(), tr, DT_SINGLELINE | DT_NOCLIP);
        }
        c->Font()->Assign(*Font());
        DrawTabFocus(c, r, isActive, 0);
    }

    if (keptActive) {
        TExtTabSheet* page = active;
        picture = std::make_unique<TBitmap>();
        picture->Assign(FTabBackGroundActive.get());
        const TRect& t = keptRect;
        const bool low = FLowerActive < 1;
        switch (pos) {
        case tpTop: DrawTabPicture(c, picture.get(), t.Left - 2, low ? t.Top - 2 : t.Top - 1, t.Width() + FTabOverlap + 2); break;
        case tpBottom:
            DrawTabPicture(c, picture.get(), t.Left - 2, low ? t.Top - 1 : t.Top - 3, t.Width() + FTabOverlap + 2);
            break;
        case tpLeft: DrawTabPicture(c, picture.get(), low ? t.Left : t.Left + 1, t.Top, t.Height() + FTabOverlap + 3); break;
        case tpRight: DrawTabPicture(c, picture.get(), low ? t.Left - 1 : t.Left - 3, t.Top - 2, t.Height() + FTabOverlap + 3); break;
        }
        if (page->FShowClose) {
            if (FCloseDown) DrawCloseButtonDown(t);
            else if (FHotClose) DrawCloseButtonHot(t);
            else DrawCloseButton(t, true);
        }
        int X = keptX, Y = keptY;
        if (FImages && page->FImageIndex >= 0) {
            switch (pos) {
            case tpLeft: FImages->Draw(c, X, Y - 14, page->FImageIndex); Y -= FImages->Height(); break;
            case tpRight: FImages->Draw(c, X - 14, Y, page->FImageIndex); Y += FImages->Height(); break;
            default: FImages->Draw(c, X - 2, Y, page->FImageIndex); X += FImages->Width(); break;
            }
        }
        c->Font()->Assign(FActiveFont);
        c->Font()->SetColor(page->FTabEnable ? page->FTextColor : clGray);
        c->Brush()->SetStyle(bsClear);
        if (side) {
            c->Font()->SetOrientation(pos == tpLeft ? -2700 : -900);
            c->TextOut(X, Y, page->Caption());
        } else {
            TRect tr = Rect(X, pos == tpBottom ? Y - 2 : Y, t.Right, t.Bottom);
            c->DrawText(page->Caption(), tr, DT_SINGLELINE | DT_NOCLIP);
        }
        c->Font()->Assign(*Font());
        DrawTabFocus(c, t, true, FTabOverlap);
    }

    // A frame around the hovered tab.
    if (FHoverTab >= 0 && FHoverTab < PageCount() && FTabHoverBorder != clNone && FHoverTab != activeIndex) {
        TRect r = PageTabRect(FHoverTab);
        const TColor hb = FTabHoverBorder;
        c->Brush()->SetStyle(bsClear);
        switch (pos) {
        case tpTop:
            r.Top -= 1;
            if (r.Right > W - 5) r.Right -= 1;
            Line(c, hb, {Point(r.Left, r.Bottom - 2), Point(r.Left, r.Top), Point(r.Right, r.Top), Point(r.Right, r.Bottom - 1)});
            break;
        case tpBottom:
            if (r.Right > W - 5) r.Right -= 1;
            Line(c, hb, {Point(r.Left, r.Top + 1), Point(r.Left, r.Bottom), Point(r.Right, r.Bottom), Point(r.Right, r.Top)});
            break;
        case tpLeft:
            r.Left -= 1, r.Top -= 2;
            if (r.Bottom > H - 5) r.Bottom -= 1;
            Line(c, hb, {Point(r.Right - 1, r.Top + 2), Point(r.Left, r.Top + 2), Point(r.Left, r.Bottom), Point(r.Right, r.Bottom)});
            break;
        case tpRight:
            r.Left += 1;
            if (r.Bottom > H - 5) r.Bottom -= 1;
            Line(c, hb, {Point(r.Left, r.Top), Point(r.Right, r.Top), Point(r.Right, r.Bottom), Point(r.Left - 1, r.Bottom)});
            break;
        }
    }
    c->Brush()->SetStyle(bsSolid);
}
