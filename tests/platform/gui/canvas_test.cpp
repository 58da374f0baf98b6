// Colours, fonts and the canvas painting into bitmaps.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"

namespace {

TEST(Colors, SystemColoursResolveToFixedValues)
{
    struct Case {
        TColor In;
        TColor Out;
    };
    const Case cases[] = {
        {clRed, RGB(255, 0, 0)},         {15595512, RGB(248, 247, 237)}, {clBtnFace, RGB(240, 240, 240)},
        {clWindow, RGB(255, 255, 255)},  {clHighlight, RGB(0, 120, 215)}, {clInfoBk, RGB(255, 255, 225)},
        {clGrayText, RGB(109, 109, 109)}, {clNone, clBlack},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorToRGB(c.In), c.Out) << std::hex << c.In;
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    EXPECT_EQ(clNone, 0x1FFFFFFF);
}

TEST(Fonts, DesktopNamesMapToDebianFontsInPixelsAt96Dpi)
{
    Application->Initialize();
    const bool wine = std::filesystem::exists("/usr/share/wine/fonts/tahoma.ttf");
    EXPECT_EQ(MapFontFamily("Tahoma"), wine ? "Tahoma" : "DejaVu Sans");
    EXPECT_EQ(MapFontFamily("MS Sans Serif"), std::filesystem::exists("/usr/share/wine/fonts/ms_sans_serif.ttf") ? "MS Sans Serif" : "DejaVu Sans");
    EXPECT_EQ(MapFontFamily("Verdana"), "DejaVu Sans");
    EXPECT_EQ(MapFontFamily("Segoe UI"), "DejaVu Sans");
    TFont f;
    f.SetName("Verdana");
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.PixelSize(), 11);
    f.SetSize(24);
    EXPECT_EQ(f.Height(), -32);
    EXPECT_EQ(f.Size(), 24);
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(f);
    const int w24 = b.Canvas()->TextWidth("Converter");
    b.Canvas()->Font()->SetSize(8);
    const int w8 = b.Canvas()->TextWidth("Converter");
    EXPECT_GT(w8, 0);
    EXPECT_GT(w24, 2 * w8);
    EXPECT_GE(b.Canvas()->TextHeight("Ag"), 11);
}

TEST(Canvas, ShapesCoverThePixelsTheToolkitCovers)
{
    TBitmap b(40, 30);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 40, 30));
    c->Brush()->SetColor(clYellow);
    c->Pen()->SetColor(clBlack);
    c->Rectangle(2, 2, 12, 10);   // outline on 2..11 x 2..9
    EXPECT_EQ(c->Pixels(2, 2), clBlack);
    EXPECT_EQ(c->Pixels(11, 9), clBlack);
    EXPECT_EQ(c->Pixels(12, 10), clWhite);
    EXPECT_EQ(c->Pixels(5, 5), clYellow);
    c->Pen()->SetColor(clRed);
    c->MoveTo(20, 5);
    c->LineTo(30, 5);   // the end point stays unpainted
    EXPECT_EQ(c->Pixels(20, 5), clRed);
    EXPECT_EQ(c->Pixels(29, 5), clRed);
    EXPECT_EQ(c->Pixels(30, 5), clWhite);
    EXPECT_EQ(c->PenPos(), Point(30, 5));
    c->Brush()->SetColor(clBlue);
    c->FrameRect(Rect(20, 10, 30, 20));
    EXPECT_EQ(c->Pixels(20, 10), clBlue);
    EXPECT_EQ(c->Pixels(29, 19), clBlue);
    EXPECT_EQ(c->Pixels(25, 15), clWhite);
    c->SetPixels(0, 29, clLime);
    EXPECT_EQ(c->Pixels(0, 29), clLime);
    // Clipping limits drawing; restoring the state lifts it.
    c->SaveState();
    c->IntersectClipRect(Rect(0, 20, 10, 30));
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(c->ClipRect(), Rect(0, 20, 10, 30));
    c->RestoreState();
    EXPECT_EQ(c->Pixels(5, 25), clFuchsia);
    EXPECT_EQ(c->Pixels(5, 5), clYellow);
    EXPECT_EQ(c->Brush()->Color(), clBlue);
}

TEST(Canvas, DrawTextMeasuresWrapsAndAligns)
{
    TBitmap b(200, 100);
    TCanvas* c = b.Canvas();
    const int lh = c->TextHeight("Ag");
    TRect r = Rect(0, 0, 1000, 0);
    EXPECT_EQ(c->DrawText("&Open", r, DT_SINGLELINE | DT_CALCRECT), lh);
    EXPECT_EQ(r.Width(), c->TextWidth("Open"));   // the accelerator mark takes no room
    TRect n = Rect(0, 0, 1000, 0);
    c->DrawText("&Open", n, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(n.Width(), c->TextWidth("&Open"));
    const int word = c->TextWidth("word ");
    TRect w = Rect(0, 0, word * 2, 0);
    EXPECT_EQ(c->DrawText("word word word word", w, DT_WORDBREAK | DT_CALCRECT), 2 * lh);
    TRect lines = Rect(0, 0, 1000, 0);
    EXPECT_EQ(c->DrawText("one\r\ntwo\nthree", lines, DT_CALCRECT), 3 * lh);
    // Right-aligned text ends at the right edge.
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 200, 100));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBlack);
    TRect box = Rect(0, 0, 200, lh);
    c->DrawText("IIII", box, DT_RIGHT | DT_SINGLELINE);
    bool inkRight = false, inkLeft = false;
    for (int y = 0; y < lh; ++y) {
        for (int x = 150; x < 200; ++x) inkRight |= c->Pixels(x, y) != clWhite;
        for (int x = 0; x < 100; ++x) inkLeft |= c->Pixels(x, y) != clWhite;
    }
    EXPECT_TRUE(inkRight);
    EXPECT_FALSE(inkLeft);
}

TEST(Canvas, ExpandedTabsMoveOnToTheNextTabStop)
{
    TBitmap b(300, 40);
    TCanvas* c = b.Canvas();
    auto width = [&](const String& s) {
        TRect r = Rect(0, 0, 0, 0);
        c->DrawText(s, r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
        return r.Width();
    };
    const int stop = width("\t");
    ASSERT_GT(stop, c->TextWidth("0000"));
    String wide = "W";
    while (c->TextWidth(wide) <= stop) wide += "W";
    ASSERT_LT(c->TextWidth(wide), 2 * stop);
    const int x = c->TextWidth("X");
    const struct {
        String Text;
        int Width;
    } cases[] = {
        {"1\tX", stop + x}, {"22 -\tX", stop + x}, {"\t\tX", 2 * stop + x}, {wide + "\tX", 2 * stop + x}, {"1 - X", c->TextWidth("1 - X")},
    };
    for (const auto& k : cases) EXPECT_EQ(width(k.Text), k.Width) << k.Text;
    // Drawn, the text after the tab begins at the stop.
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 300, 40));
    c->Brush()->SetStyle(bsClear);
    TRect line = Rect(0, 0, 300, 40);
    c->DrawText("1\tX", line, DT_SINGLELINE | DT_EXPANDTABS);
    int first_after_one = -1;
    for (int px = c->TextWidth("1") + 1; px < 300 && first_after_one < 0; ++px)
        for (int y = 0; y < 40 && first_after_one < 0; ++y)
            if (c->Pixels(px, y) != clWhite) first_after_one = px;
    EXPECT_GE(first_after_one, stop - 1);
    EXPECT_LE(first_after_one, stop + x);
}

TEST(Bitmaps, TransparentColourIsLeftOutWhenDrawn)
{
    TBitmap src(4, 4);
    src.Canvas()->Brush()->SetColor(clFuchsia);
    src.Canvas()->FillRect(Rect(0, 0, 4, 4));
    src.Canvas()->SetPixels(1, 1, clGreen);
    src.SetTransparent(true);   // transparent colour: the lower-left pixel's
    EXPECT_EQ(src.TransparentColor(), clFuchsia);
    TBitmap dst(6, 6);
    dst.Canvas()->Brush()->SetColor(clWhite);
    dst.Canvas()->FillRect(Rect(0, 0, 6, 6));
    dst.Canvas()->Draw(1, 1, &src);
    EXPECT_EQ(dst.Canvas()->Pixels(2, 2), clGreen);
    EXPECT_EQ(dst.Canvas()->Pixels(1, 1), clWhite);
    // Saved and loaded again, BMP and PNG alike.
    for (const char* ext : {".bmp", ".png"}) {
        const String path = (std::filesystem::temp_directory_path() / (std::string("conf_gui_bmp") + ext)).string();
        dst.SaveToFile(path);
        TBitmap back;
        back.LoadFromFile(path);
        EXPECT_EQ(back.Width(), 6);
        EXPECT_EQ(back.Canvas()->Pixels(2, 2), clGreen) << ext;
        std::filesystem::remove(path);
    }
    TBitmap missing;
    EXPECT_THROW(missing.LoadFromFile("/nonexistent/picture.bmp"), EFOpenError);
}

}
