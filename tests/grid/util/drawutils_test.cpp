// The grid's drawing routines: colour maths, gradients, faces, progress displays,
// shapes, buttons and glyphs, painted into bitmaps and probed.
#include <gtest/gtest.h>

#include <vector>

#include "grid/util/GridDrawUtils.h"
#include "platform/gui/Forms.h"

namespace {

constexpr TColor kBack = RGB(1, 2, 3);   // a background no routine paints with

// A bitmap filled with kBack.
class Surface {
public:
    Surface(int w, int h) : FBmp(w, h)
    {
        Application->Initialize();
        c()->Brush()->SetStyle(bsSolid);
        c()->Brush()->SetColor(kBack);
        c()->FillRect(TRect(0, 0, w, h));
    }
    TCanvas* c() { return FBmp.Canvas(); }
    TColor px(int x, int y) { return FBmp.Canvas()->Pixels(x, y); }
    int Count(TColor col)
    {
        int n = 0;
        for (int y = 0; y < FBmp.Height(); ++y)
            for (int x = 0; x < FBmp.Width(); ++x) n += px(x, y) == col;
        return n;
    }
    bool Untouched() { return Count(kBack) == FBmp.Width() * FBmp.Height(); }
private:
    TBitmap FBmp;
};

TEST(GridColorMaths, ShadeDarkenBlend)
{
    struct Shade { TColor in; int perc; TColor out; };
    const Shade shades[] = {
        {0x808080, 7, 0x898989},     // 128 + round(8.96)
        {0x808080, -20, 0x666666},   // 128 - round(25.6)
        {0xF0F0F0, 20, 0xFFFFFF},    // 288 would wrap: limited to 255
        {0x64C8FA, 10, 0x6EDCFF},    // red 250 -> 255, green 200 -> 220, blue 100 -> 110
        {0x102030, -200, 0x000000},  // below 0: limited to 0
        {clBtnFace, 0, ColorToRGB(clBtnFace)},
        {clNone, 10, clNone},
    };
    for (const Shade& s : shades) EXPECT_EQ(ShadeColor(s.in, s.perc), s.out) << std::hex << s.in << " " << std::dec << s.perc;

    EXPECT_EQ(DarkenColor(0xFF8041), 0x7F4020);
    EXPECT_EQ(DarkenColor(clWindow), 0x7F7F7F);   // system colour resolved first

    struct Blend { TColor a, b; int start, end, pos; TColor out; };
    const Blend blends[] = {
        {clBlack, clWhite, 0, 10, 5, 0x808080},   // 127.5 rounds up
        {clBlack, 0x0000FF, 0, 4, 1, 0x000040},
        {clWhite, clBlack, 0, 4, 4, clBlack},
        {0x0000FF, clNone, 0, 4, 2, 0x0000FF},
        {0x123456, clWhite, 3, 3, 1, 0x123456},   // empty range: the first colour
        {clBlack, clWhite, 0, 10, 20, clWhite},    // past the range: limited
        {clBtnFace, clBtnFace, 0, 1, 1, ColorToRGB(clBtnFace)},
    };
    for (const Blend& b : blends)
        EXPECT_EQ(BlendColor(b.a, b.b, b.start, b.end, b.pos), b.out) << std::hex << b.a << " " << b.b << std::dec << " " << b.pos;
}

TEST(GridGradients, BandsRunFromColourToColour)
{
    {   // more steps than pixels: every column its own band
        Surface s(256, 4);
        DrawGradient(s.c(), clBlack, RGB(255, 0, 0), 1000, TRect(0, 0, 256, 4), true);
        for (int x : {0, 1, 100, 254, 255}) EXPECT_EQ(s.px(x, 2), RGB(x, 0, 0)) << x;
    }
    {   // more steps than pixels, top to bottom: every row its own band
        Surface s(4, 256);
        DrawGradient(s.c(), clBlack, RGB(0, 255, 0), 1000, TRect(0, 0, 4, 256), false);
        for (int y : {0, 1, 100, 254, 255}) EXPECT_EQ(s.px(2, y), RGB(0, y, 0)) << y;
    }
    {   // four steps over a vertical span of 99: five bands
        Surface s(4, 100);
        DrawGradient(s.c(), clBlack, RGB(0, 0, 255), 4, TRect(0, 0, 4, 100), false);
        struct Probe { int y; int blue; };
        for (Probe p : {Probe{0, 0}, Probe{23, 0}, Probe{24, 64}, Probe{48, 64}, Probe{49, 128}, Probe{74, 191},
                        Probe{98, 191}, Probe{99, 255}})
            EXPECT_EQ(s.px(1, p.y), RGB(0, 0, p.blue)) << p.y;
    }
    {   // a rectangle upside down is normalised
        Surface s(4, 10);
        DrawGradient(s.c(), clRed, clRed, 8, TRect(0, 10, 4, 0), false);
        EXPECT_EQ(s.Count(clRed), 40);
    }
}

TEST(GridGradients, EmptyRectanglesAndMissingColours)
{
    struct Case { TColor from, to; TRect r; bool horizontal; int painted; TColor col; };
    const Case cases[] = {
        {clBlack, clWhite, TRect(0, 5, 10, 5), true, 0, clNone},    // zero height, horizontal too
        {clBlack, clWhite, TRect(0, 5, 10, 5), false, 0, clNone},
        {clNone, clGreen, TRect(0, 0, 10, 10), true, 100, clGreen},
        {clGreen, clNone, TRect(0, 0, 10, 10), false, 100, clGreen},
        {clNone, clNone, TRect(0, 0, 10, 10), true, 0, clNone},     // no colour: nothing, not black
    };
    for (const Case& k : cases) {
        Surface s(10, 10);
        DrawGradient(s.c(), k.from, k.to, 16, k.r, k.horizontal);
        if (k.painted == 0)
            EXPECT_TRUE(s.Untouched());
        else
            EXPECT_EQ(s.Count(k.col), k.painted);
    }
}

TEST(GridGradients, CellBackgroundHalvesFillAndBorders)
{
    const TColor a = RGB(0, 0, 0), b = RGB(190, 0, 0), m = RGB(0, 100, 0), mt = RGB(0, 195, 0);
    {
        Surface s(10, 40);
        DrawCellBackground(s.c(), TRect(0, 0, 10, 40), a, b, m, mt, true, clNone, false, true);
        EXPECT_EQ(s.px(5, 0), a);
        EXPECT_EQ(s.px(5, 19), b);
        EXPECT_EQ(s.px(5, 20), m);
        EXPECT_EQ(s.px(5, 39), mt);
    }
    {
        Surface s(40, 10);
        DrawCellBackground(s.c(), TRect(0, 0, 40, 10), a, b, m, mt, false, clNone, false, true);
        EXPECT_EQ(s.px(0, 5), a);
        EXPECT_EQ(s.px(19, 5), b);
        EXPECT_EQ(s.px(20, 5), m);
        EXPECT_EQ(s.px(39, 5), mt);
    }
    {   // plain fill one pixel taller, borders at the sides only
        Surface s(10, 12);
        DrawCellBackground(s.c(), TRect(0, 0, 10, 10), clYellow, clNone, clNone, clNone, true, clBlue, true, true);
        EXPECT_EQ(s.px(5, 10), clYellow);
        EXPECT_EQ(s.px(5, 11), kBack);
        EXPECT_EQ(s.px(0, 5), clBlue);
        EXPECT_EQ(s.px(9, 5), clBlue);
        EXPECT_EQ(s.px(5, 0), clYellow);
    }
    {   // no fill: only the frame
        Surface s(10, 10);
        DrawCellBackground(s.c(), TRect(0, 0, 10, 10), clYellow, clNone, clNone, clNone, true, clBlue, false, false);
        EXPECT_EQ(s.px(5, 0), clBlue);
        EXPECT_EQ(s.px(9, 9), clBlue);
        EXPECT_EQ(s.px(5, 5), kBack);
    }
}

TEST(GridGradients, ButtonFaceEndsAndCorners)
{
    const TColor fill = RGB(200, 200, 255), border = RGB(10, 10, 10), inner = RGB(90, 0, 0), outer = RGB(0, 90, 0);
    const TColor top = RGB(0, 0, 90), bottom = RGB(90, 90, 0);
    auto face = [&](Surface& s, int type) {
        // Drawn over (0,0)-(30,20): shrunk to right 29, bottom 18.
        DrawGradientButtonFace(s.c(), fill, clNone, clNone, clNone, top, bottom, border, inner, outer,
                               TRect(0, 0, 30, 20), type);
    };
    {
        Surface s(30, 20);
        face(s, 0);
        EXPECT_EQ(s.px(0, 0), outer);
        EXPECT_EQ(s.px(1, 0), inner);
        EXPECT_EQ(s.px(0, 1), inner);
        EXPECT_EQ(s.px(28, 0), outer);
        EXPECT_EQ(s.px(0, 10), border);   // closed left end
        EXPECT_EQ(s.px(28, 10), border);  // closed right end
        EXPECT_EQ(s.px(10, 0), border);
        EXPECT_EQ(s.px(10, 18), border);
        EXPECT_EQ(s.px(10, 1), top);
        EXPECT_EQ(s.px(10, 17), bottom);
        EXPECT_EQ(s.px(10, 10), fill);
        EXPECT_EQ(s.px(10, 19), kBack);   // two rows below are left alone
    }
    {   // open at both ends: no end lines, no corners, the inside reaches the edges
        Surface s(30, 20);
        face(s, 3);
        EXPECT_EQ(s.px(0, 10), fill);
        EXPECT_EQ(s.px(28, 10), fill);
        EXPECT_EQ(s.px(0, 0), border);
    }
    {   // closed left only
        Surface s(30, 20);
        face(s, 1);
        EXPECT_EQ(s.px(0, 10), border);
        EXPECT_EQ(s.px(28, 10), fill);
    }
}

TEST(GridProgress, BarTextAndDonePart)
{
    const TColor done = RGB(0, 160, 0), remain = RGB(230, 230, 230);
    {   // 150 of 0..100 without a format: a full bar
        Surface s(104, 24);
        DrawProgressBar(s.c(), TRect(2, 2, 102, 22), done, clWhite, remain, clBlack, 150, 0, 0, 0, 100, "",
                        clNone, false);
        EXPECT_EQ(s.px(3, 3), done);
        EXPECT_EQ(s.px(100, 3), done);
        EXPECT_EQ(s.Count(remain), 0);
    }
    {   // "%d of 200" with 50: a quarter bar
        Surface s(104, 24);
        DrawProgressBar(s.c(), TRect(2, 2, 102, 22), done, clWhite, remain, clBlack, 50, 0, 0, 0, 200,
                        "%d of 200", clRed, false);
        EXPECT_EQ(s.px(20, 3), done);
        EXPECT_EQ(s.px(26, 3), done);
        EXPECT_EQ(s.px(27, 3), remain);
        EXPECT_EQ(s.px(90, 3), remain);
        EXPECT_EQ(s.px(1, 10), clRed);   // border one pixel outside
    }
}

TEST(GridProgress, BarTextReadsAsTheFormatMakesIt)
{
    // A bar is compared with one whose format is the expected text written out, which
    // draws that text over the same done part; a bar with another text must differ.
    auto bar = [](double value, int maximum, const String& fmt) {
        Surface s(124, 24);
        s.c()->Font()->SetName("Tahoma");
        s.c()->Font()->SetSize(8);
        DrawProgressBar(s.c(), TRect(2, 2, 122, 22), RGB(0, 160, 0), clWhite, RGB(230, 230, 230), clBlack, value,
                        0, 0, 0, maximum, fmt, clNone, false);
        std::vector<TColor> px;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 124; ++x) px.push_back(s.px(x, y));
        return px;
    };
    struct Case {
        const char* What;
        double Value;
        int Maximum;
        const char* Format;
        const char* Written;   // the same text as a format without a value
        const char* Other;     // a format giving another text
    } cases[] = {
        {"above the maximum without a format", 150, 100, "", "150%%", "100%%"},
        {"a number and words", 50, 200, "%d of 200", "50 of 200", "50%%"},
    };
    for (const Case& c : cases) {
        const auto drawn = bar(c.Value, c.Maximum, c.Format);
        EXPECT_EQ(drawn, bar(c.Value, c.Maximum, c.Written)) << c.What;
        EXPECT_NE(drawn, bar(c.Value, c.Maximum, c.Other)) << c.What;
    }
}

TEST(GridProgress, PieFillsClockwiseFromTwelve)
{
    const TColor fill = RGB(0, 0, 200);
    {
        Surface s(41, 41);
        DrawProgressPie(s.c(), TRect(0, 0, 41, 41), fill, 25, false);
        EXPECT_EQ(s.px(30, 10), fill);     // upper right quarter
        EXPECT_NE(s.px(10, 10), fill);
        EXPECT_NE(s.px(30, 30), fill);
        EXPECT_NE(s.px(10, 30), fill);
    }
    {
        Surface s(41, 41);
        DrawProgressPie(s.c(), TRect(0, 0, 41, 41), fill, 0, false);
        EXPECT_EQ(s.Count(fill), 0);
        EXPECT_EQ(s.px(20, 10), RGB(128, 128, 128));   // the vertical radius
    }
    {
        Surface s(41, 41);
        DrawProgressPie(s.c(), TRect(0, 0, 41, 41), fill, 100, false);
        for (TPoint p : {TPoint(10, 10), TPoint(30, 30), TPoint(10, 30), TPoint(30, 10)}) EXPECT_EQ(s.px(p.X, p.Y), fill);
    }
}

TEST(GridProgress, LevelBlocks)
{
    TLevelProgressAppearance app;
    app.Level0Color = RGB(0, 200, 0);
    app.Level1Color = RGB(200, 200, 0);
    app.Level2Color = RGB(250, 120, 0);
    app.Level3Color = RGB(200, 0, 0);
    app.Level1Perc = 50;
    app.Level2Perc = 80;
    app.ShowGradient = false;
    app.ShowPercentage = false;
    app.BackgroundColor = clWhite;
    app.Stacked = true;
    {   // length 100: 50, 30 and the rest
        Surface s(102, 12);
        DrawLevelProgress(s.c(), TRect(0, 0, 102, 12), 100, app);
        EXPECT_EQ(s.px(1, 5), app.Level0Color);
        EXPECT_EQ(s.px(50, 5), app.Level0Color);
        EXPECT_EQ(s.px(51, 5), app.Level1Color);
        EXPECT_EQ(s.px(80, 5), app.Level1Color);
        EXPECT_EQ(s.px(81, 5), app.Level3Color);
        EXPECT_EQ(s.px(100, 5), app.Level3Color);
        EXPECT_EQ(s.Count(app.Level2Color), 0);
    }
    app.Stacked = false;
    app.CompletionSmooth = true;
    struct Case { int perc; TColor col; };
    for (Case k : {Case{30, app.Level0Color}, Case{60, app.Level1Color}, Case{90, app.Level2Color},
                   Case{100, app.Level3Color}}) {
        Surface s(102, 12);
        DrawLevelProgress(s.c(), TRect(0, 0, 102, 12), k.perc, app);
        EXPECT_EQ(s.px(10, 5), k.col) << k.perc;
        EXPECT_EQ(s.px(k.perc, 5), k.col) << k.perc;
        if (k.perc < 100) {
            EXPECT_EQ(s.px(k.perc + 2, 5), clWhite) << k.perc;
        }
    }
    {   // segments of 7 with gaps of 2, two pixels inside the frame
        app.CompletionSmooth = false;
        Surface s(102, 12);
        DrawLevelProgress(s.c(), TRect(0, 0, 102, 12), 30, app);
        EXPECT_EQ(s.px(2, 5), app.Level0Color);
        EXPECT_EQ(s.px(8, 5), app.Level0Color);
        EXPECT_EQ(s.px(9, 5), clWhite);
        EXPECT_EQ(s.px(11, 5), app.Level0Color);
        EXPECT_EQ(s.px(5, 1), clWhite);   // inset across the bar
    }
}

TEST(GridProgress, SignedBarFromTheCentre)
{
    struct Case { double value; int x; bool filled; TColor col; };
    const TColor neg = RGB(200, 0, 0), pos = RGB(0, 0, 200);
    const Case cases[] = {
        {-50, 40, true, neg}, {-50, 60, false, 0}, {50, 60, true, pos}, {50, 40, false, 0},
        {500, 100, true, pos},   // limited to the maximum
    };
    for (const Case& k : cases) {
        Surface s(104, 20);
        DrawSignedBar(s.c(), TRect(0, 0, 104, 20), k.value, 100, false, neg, pos);
        if (k.filled)
            EXPECT_EQ(s.px(k.x, 10), k.col) << k.value << " at " << k.x;
        else
            EXPECT_EQ(s.px(k.x, 10), kBack) << k.value << " at " << k.x;
    }
    Surface s(104, 20);
    DrawSignedBar(s.c(), TRect(0, 0, 104, 20), 5, 0, false, neg, pos);   // no maximum: no bar
    EXPECT_TRUE(s.Untouched());
}

TEST(GridShapes, ShapesAndMarks)
{
    {   // a circle in 10 by 20 is 10 by 10
        Surface s(10, 20);
        DrawCellShape(s.c(), 0, 0, 10, 20, csCircle, clYellow, clBlack);
        EXPECT_EQ(s.px(5, 5), clYellow);
        EXPECT_EQ(s.px(5, 15), kBack);
    }
    {
        Surface s(20, 20);
        DrawCellShape(s.c(), 0, 0, 20, 20, static_cast<TCellShape>(19), clYellow, clBlack);
        EXPECT_TRUE(s.Untouched());
    }
    struct Case { TCellShape shape; TPoint in, out; };
    const Case cases[] = {
        {csRectangle, {1, 1}, {0, 0}},        {csTriangleUp, {8, 14}, {1, 1}},
        {csTriangleDown, {8, 2}, {1, 14}},    {csTriangleLeft, {14, 8}, {1, 1}},
        {csTriangleRight, {2, 8}, {14, 1}},   {csDiamond, {8, 8}, {1, 1}},
        {csStar, {8, 8}, {1, 1}},             {csHalfStar, {5, 9}, {12, 9}},
        {csArrowUp, {8, 12}, {1, 12}},        {csArrowDown, {8, 3}, {1, 3}},
        {csArrowLeft, {12, 8}, {12, 1}},      {csArrowRight, {3, 8}, {3, 1}},
        {csLineVert, {8, 3}, {3, 3}},         {csLineHorz, {3, 8}, {3, 3}},
    };
    for (const Case& k : cases) {
        Surface s(16, 16);
        DrawCellShape(s.c(), 0, 0, 16, 16, k.shape, clYellow, clYellow);
        EXPECT_EQ(s.px(k.in.X, k.in.Y), clYellow) << int(k.shape);
        EXPECT_EQ(s.px(k.out.X, k.out.Y), kBack) << int(k.shape);
    }
    Surface s(10, 10);
    DrawDownTriangle(s.c(), 5, 2, clRed);
    EXPECT_EQ(s.px(5, 3), clRed);
    EXPECT_EQ(s.px(5, 7), kBack);
}

TEST(GridButtons, CustomTonesFollowTheState)
{
    TColorTones tones;
    tones.Background = {RGB(10, 10, 10), RGB(11, 11, 11), RGB(12, 12, 12)};
    tones.Hover = {RGB(20, 20, 20), RGB(21, 21, 21), RGB(22, 22, 22)};
    tones.Selected = {RGB(30, 30, 30), RGB(31, 31, 31), RGB(32, 32, 32)};
    tones.Disabled = {RGB(40, 40, 40), RGB(41, 41, 41), RGB(42, 42, 42)};
    struct Case { int state; const TColorTone* tone; };
    for (Case k : {Case{bstNormal, &tones.Background}, Case{bstHot, &tones.Hover}, Case{bstPressed, &tones.Selected},
                   Case{bstDisabled, &tones.Disabled}}) {
        Surface s(40, 20);
        DrawPushButton(s.c(), 0, TRect(0, 0, 40, 20), bkCustom, k.state, tones);
        EXPECT_EQ(s.px(20, 10), k.tone->BrushColor) << k.state;
        EXPECT_EQ(s.px(0, 0), k.tone->BorderColor) << k.state;
    }
    {   // drop-down: 17 pixels at the right end, 2 to the left, 3 further in for custom
        Surface s(60, 20);
        DrawDropDownButton(s.c(), 0, TRect(0, 0, 60, 20), bkCustom, bstHot, tones);
        const int l = 60 - 17 - 2 + 3;
        EXPECT_EQ(s.px(l + 3, 5), tones.Hover.BrushColor);
        EXPECT_EQ(s.px(l + 1, 5), tones.Background.BorderColor);
        EXPECT_EQ(s.px(l + 8, 10), tones.Background.TextColor);
        EXPECT_EQ(s.px(l - 4, 5), kBack);
    }
    {   // spin buttons: black arrows on both halves
        Surface s(40, 21);
        DrawSpinButtons(s.c(), 0, TRect(0, 0, 40, 21), bkCustom, bstNormal, tones);
        EXPECT_EQ(s.px(40 - 16 + 7, 3), clBlack);
        EXPECT_EQ(s.px(40 - 16 + 2, 2), tones.Background.BrushColor);
        EXPECT_EQ(s.px(40 - 16 + 7, 11), clBlack);
    }
}

TEST(GridButtons, KindsDrawDifferently)
{
    const TColorTones tones;
    auto paint = [&](int kind, int state, void (*fn)(TCanvas*, HWND, TRect, int, int, const TColorTones&)) {
        Surface s(40, 20);
        fn(s.c(), 0, TRect(0, 0, 40, 20), kind, state, tones);
        std::vector<TColor> px;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) px.push_back(s.px(x, y));
        return px;
    };
    for (auto fn : {&DrawPushButton, &DrawDropDownButton, &DrawSpinButtons}) {
        const auto themed = paint(bkThemed, bstNormal, fn);
        const auto classic = paint(bkClassic, bstNormal, fn);
        const auto flat = paint(bkFlat, bstNormal, fn);
        EXPECT_NE(themed, classic);
        EXPECT_NE(classic, flat);
    }
    // Disabled buttons grey their arrows.
    for (auto fn : {&DrawDropDownButton, &DrawSpinButtons}) {
        EXPECT_NE(paint(bkClassic, bstDisabled, fn), paint(bkClassic, bstNormal, fn));
        EXPECT_NE(paint(bkThemed, bstDisabled, fn), paint(bkThemed, bstNormal, fn));
    }
    EXPECT_NE(paint(bkThemed, bstHot, &DrawPushButton), paint(bkThemed, bstNormal, &DrawPushButton));
    EXPECT_NE(paint(bkThemed, bstPressed, &DrawPushButton), paint(bkThemed, bstHot, &DrawPushButton));
}

TEST(GridGlyphs, TransparentBitmapsAndNamedGlyphs)
{
    const TColor key = RGB(255, 0, 255);
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(key);
    glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
    glyph.Canvas()->SetPixels(1, 1, clBlue);
    {
        Surface s(10, 10);
        DrawTransparentBitmap(s.c(), &glyph, clYellow, TRect(2, 2, 9, 9));
        EXPECT_EQ(s.px(3, 3), clBlue);
        EXPECT_EQ(s.px(2, 2), clYellow);   // the key colour shows the background
        EXPECT_EQ(s.px(6, 6), kBack);      // drawn in the bitmap's size, not the rectangle's
        EXPECT_EQ(s.Count(key), 0);
    }
    {
        Surface s(10, 10);
        DrawTransparentBitmap(s.c(), &glyph, clNone, TRect(2, 2, 9, 9));
        EXPECT_EQ(s.px(3, 3), clBlue);
        EXPECT_EQ(s.px(2, 2), kBack);
    }
    RegisterResourceGlyph("FilterMark", &glyph);
    {
        Surface s(10, 10);
        DrawResourceGlyph(s.c(), clWhite, TRect(0, 0, 4, 4), "FILTERMARK");
        EXPECT_EQ(s.px(1, 1), clBlue);
        EXPECT_EQ(s.px(0, 0), clWhite);
        DrawResourceGlyph(s.c(), clWhite, TRect(5, 5, 9, 9), "NoSuchGlyph");
        EXPECT_EQ(s.px(6, 6), kBack);
    }
    RegisterResourceGlyph("FilterMark", nullptr);
    EXPECT_TRUE(DynSetLayeredWindowAttributes(0, clNone, 128, 2));
    EXPECT_TRUE(DynUpdateLayeredWindow(0, 0, nullptr, nullptr, 0, nullptr, clNone, nullptr, 0));
}

TEST(GridGlyphs, ErrorUnderlineCoversTheWrongCharacters)
{
    Surface s(200, 30);
    const String text = "good badword";
    const int from = s.c()->TextWidth("good ");
    const int to = s.c()->TextWidth("good badwor");
    DrawErrorUnderline(s.c(), text, TRect(0, 0, 200, 20), 12, 5, 7);
    int left = 1000, right = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.px(x, y) == clRed) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(left, from - 1);
    EXPECT_LE(left, from + 1);
    EXPECT_GE(right, to);          // runs on past the last character's start
    EXPECT_LE(right, to + 4 + 6);
    // Nothing above the offset line.
    for (int x = 0; x < 200; ++x) EXPECT_NE(s.px(x, 10), clRed);
}

} // namespace
