// The canvas's metric mapping (0.1 mm units, y upward) and the printer's page geometry.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gui/Graphics.h"
#include "platform/gui/Printers.h"

namespace {

// The device rows holding any dark pixel, and the row with the most of them.
struct Ink {
    int Top = -1, Bottom = -1, Busiest = -1;
};
Ink InkRows(TBitmap& b)
{
    Ink ink;
    int most = 0;
    for (int y = 0; y < b.Height(); ++y) {
        int n = 0;
        for (int x = 0; x < b.Width(); ++x) n += GetRValue(ColorToRGB(b.Canvas()->Pixels(x, y))) < 128;
        if (n == 0) continue;
        if (ink.Top < 0) ink.Top = y;
        ink.Bottom = y;
        if (n > most) most = n, ink.Busiest = y;
    }
    return ink;
}

struct MetricCanvas : ::testing::Test {
    TBitmap Bmp{96, 192};  // one inch by two at 96 dpi: 254 by 508 logical units
    void SetUp() override
    {
        Bmp.Canvas()->Brush()->SetColor(clWhite);
        Bmp.Canvas()->FillRect(TRect(0, 0, 96, 192));
    }
};

TEST_F(MetricCanvas, MapsTenthsOfMillimetresWithYUpward)
{
    TCanvas* c = Bmp.Canvas();
    EXPECT_FALSE(c->SetMetricMode(true));
    EXPECT_TRUE(c->MetricMode());
    EXPECT_EQ(c->PixelsPerInchX(), 96);
    const TRect clip = c->ClipRect();
    EXPECT_EQ(clip, TRect(0, 0, 254, -508));
    // Half an inch square below the top-left corner.
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 127, -127));
    EXPECT_TRUE(c->SetMetricMode(false));
    EXPECT_EQ(c->Pixels(5, 5), clBlack);
    EXPECT_EQ(c->Pixels(47, 47), clBlack);
    EXPECT_EQ(c->Pixels(49, 49), clWhite);
    EXPECT_EQ(c->Pixels(5, 60), clWhite);
}

TEST_F(MetricCanvas, TextIsUprightInsideItsRectangleAndMeasuredDownward)
{
    TCanvas* c = Bmp.Canvas();
    c->SetMetricMode(true);
    c->Font()->SetHeight(-100);  // 10 mm
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    TRect calc(0, -200, 0, -200);
    const int h = c->DrawText("T", calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(h, 90);
    EXPECT_EQ(calc.Bottom, -200 - h) << "the measured box grows downward";
    TRect r(0, -200, 254, -400);
    c->DrawText("T", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r, TRect(0, -200, 254, -400)) << "the caller's rectangle is left as it was";
    c->SetMetricMode(false);
    const Ink ink = InkRows(Bmp);
    // 200 to 400 logical units are device rows 75 to 151.
    ASSERT_GE(ink.Top, 75);
    EXPECT_LE(ink.Bottom, 151);
    // The bar of an upright T is its widest row, at the top of the glyph.
    EXPECT_LT(ink.Busiest - ink.Top, (ink.Bottom - ink.Top) / 4);
}

TEST(Printer, LandscapeTurnsThePageAndPortraitTurnsItBack)
{
    TPrinter printer;
    printer.SetPageSize(600, 900);
    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.PageWidth(), 900);
    EXPECT_EQ(printer.PageHeight(), 600);
    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.PageWidth(), 900);
    printer.SetOrientation(poPortrait);
    EXPECT_EQ(printer.PageWidth(), 600);
    EXPECT_EQ(printer.PageHeight(), 900);
}

}  // namespace
