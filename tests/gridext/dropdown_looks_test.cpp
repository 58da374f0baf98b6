// The drop-down pickers' looks: the drawing helpers, the colours the named looks give the
// pop-up, its bars and buttons, and pictures of the drop-down button and the bars.
#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/gridext/dropdown_picker.h"

namespace {

bool Dark(TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60; }

TEST(DropDownHelpers, GradientsBlendsAndFittedText)
{
    Application->Initialize();
    TBitmap b(20, 10);
    // No steps count as one: a single stripe of the first colour.
    DropDownGradient(b.Canvas(), clRed, clBlue, 0, TRect(0, 0, 20, 10), true);
    EXPECT_EQ(Count_Pixels(b, TRect(0, 0, 20, 10), clRed), 200);
    // Top to bottom: uniform rows, the lower band another colour than the upper.
    DropDownGradient(b.Canvas(), clRed, clBlue, 2, TRect(0, 0, 20, 10), false);
    for (int y : {0, 2, 7})
        EXPECT_EQ(Count_Pixels(b, TRect(0, y, 20, y + 1), b.Canvas()->Pixels(0, y)), 20) << y;
    EXPECT_EQ(b.Canvas()->Pixels(5, 0), clRed);
    EXPECT_NE(b.Canvas()->Pixels(5, 8), clRed);

    EXPECT_EQ(BlendColor(clRed, clWhite, 20), TColor(0xCCCCFF));
    EXPECT_EQ(BlendColor(clRed, clWhite, 100), clRed);
    EXPECT_EQ(BlendColor(clRed, clWhite, 0), clWhite);
    // Negative percentages darken, positive ones leave non-zero channels alone.
    EXPECT_EQ(ColorDarken(0xF5F0E1, -10, -10, 0), TColor(0xF5D8CA));
    EXPECT_EQ(ColorDarken(0x102030, 50, 50, 50), TColor(0x102030));
    EXPECT_EQ(ColorDarken(0x000000, 20, -5, 0), TColor(0x000014));

    TCanvas* c = b.Canvas();
    EXPECT_EQ(FitText(c, "Pick", 200, true), "Pick");
    const String cut = FitText(c, "A rather long caption for a bar", 60, true);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LT(c->TextWidth(cut), 60);
    EXPECT_EQ(GetTextSize(c, "").X, 0);
}

class DropDownLooksTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TWordDropDown* Edit = nullptr;
    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 320, 200);
        Edit = Make_Control<TWordDropDown>(Form, Form, "Edit", 10, 10, 150, 21);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete Form; }
};

TEST_F(DropDownLooksTest, NamedLooksColourThePopupBarsAndButtons)
{
    struct Case {
        TWYXStyle style;
        TColor dropDown, dropDownTo, border, header, headerTo, headerFont, headerBorder, footerColor, footerBorder,
            button, buttonHot;
    };
    const Case cases[] = {
        // The footer's border differs from the header's in this look only.
        {tsOffice2003Blue, 0xFFFFFF, clNone, clBlack, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0xFCE1CB, 0x962D00,
         0xFCE1CB, 0xEBFDFF},
        // And this one swaps the footer's colours.
        {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFFFAF0, 0xFCF2DA,
         0xFFFDF9, 0xFEF9F0},
        {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF, 0x6D6D6D,
         0xBFBFBF, 0x8AE3FD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        Edit->SetDropDownBorderColor(clBlack);
        Edit->SetComponentStyle(c.style);
        EXPECT_EQ(Edit->GetComponentStyle(), c.style);
        EXPECT_EQ(Edit->DropDownColor(), c.dropDown);
        EXPECT_EQ(Edit->DropDownColorTo(), c.dropDownTo);
        EXPECT_EQ(Edit->DropDownBorderColor(), c.border);
        EXPECT_EQ(Edit->DropDownHeader()->Color(), c.header);
        EXPECT_EQ(Edit->DropDownHeader()->ColorTo(), c.headerTo);
        EXPECT_EQ(Edit->DropDownHeader()->Font()->Color(), c.headerFont);
        EXPECT_EQ(Edit->DropDownHeader()->BorderColor(), c.headerBorder);
        EXPECT_EQ(Edit->DropDownFooter()->Color(), c.footerColor);
        EXPECT_EQ(Edit->DropDownFooter()->BorderColor(), c.footerBorder);
        EXPECT_EQ(Edit->ButtonAppearance()->Color(), c.button);
        EXPECT_EQ(Edit->ButtonAppearance()->ColorHot(), c.buttonHot);
        EXPECT_EQ(Edit->ButtonAppearance()->BorderColorDisabled(), TColor(0x808080));
    }
    // A custom look changes nothing but the look's name.
    Edit->SetDropDownColor(0x123456);
    Edit->DropDownHeader()->SetColor(0x654321);
    Edit->SetComponentStyle(tsCustom);
    EXPECT_EQ(Edit->GetComponentStyle(), tsCustom);
    EXPECT_EQ(Edit->DropDownColor(), TColor(0x123456));
    EXPECT_EQ(Edit->DropDownHeader()->Color(), TColor(0x654321));
    EXPECT_EQ(Edit->ButtonAppearance()->Color(), TColor(0xBFBFBF));
}

TEST_F(DropDownLooksTest, AGlyphButtonShowsOnlyItsGlyphUntilToneColoursAreGiven)
{
    TBitmap glyph(8, 8);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, 8, 8));
    glyph.Canvas()->Brush()->SetColor(clGreen);
    glyph.Canvas()->FillRect(TRect(2, 2, 6, 6));
    Edit->SetDropDownButtonGlyph(&glyph);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->Button(), "dropdown_glyph_button.png", png));
    EXPECT_EQ(png.Canvas()->Pixels(0, 0), TColor(0x808080));
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), clGreen), 16);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), clFuchsia), 0);

    TColorTones tones;
    tones.Background.BrushColor = 0x00C0FF;
    tones.Background.BorderColor = 0x0000A0;
    tones.Hover.BrushColor = 0x00FFFF;
    tones.Selected.BrushColor = 0x0080FF;
    Edit->SetColorTones(tones);
    EXPECT_EQ(Edit->BorderColor(), TColor(0x0000A0));
    ASSERT_TRUE(SNAPSHOT(Edit->Button(), "dropdown_toned_button.png", png));
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), TColor(0x00C0FF)), png.Width() * png.Height() / 2);
    // The edit's border colour lines the button's left edge.
    EXPECT_EQ(png.Canvas()->Pixels(0, png.Height() / 2), TColor(0x0000A0));
}

TEST_F(DropDownLooksTest, BarBordersAndCaptionsInPictures)
{
    Edit->SetComponentStyle(tsOffice2003Blue);
    Edit->DropDownHeader()->SetBorderColor(clNone);
    Edit->DropDownHeader()->SetCaption("A caption far too long to fit before the buttons of the header bar");
    THeaderButton* b = Edit->DropDownHeader()->Buttons()->Add();
    b->SetWidth(30);
    Edit->ShowDropDown();
    TExtHeader* h = Edit->DropDownForm()->Header();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(h, "dropdown_header.png", png));
    // Without a border colour the bottom row is the gradient's own, not a line.
    const int w = png.Width(), hh = png.Height();
    EXPECT_EQ(Count_Pixels(png, TRect(0, hh - 1, w, hh), TColor(0x000000)), 0);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, w, 1), TColor(0xCCCCCC)), 0);
    // The caption ends two pixels before the button.
    const int left = h->ButtonList().ItemsEx(0)->Left();
    EXPECT_GT(Count_Pixels(png, TRect(2, 2, left - 2, hh - 2), Dark), 20);
    EXPECT_EQ(Count_Pixels(png, TRect(left - 2, 0, left, hh), Dark), 0);
}

}
