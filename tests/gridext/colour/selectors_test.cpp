// The colour selectors on their own: the honeycomb's cells, hit test, hot and selected
// outlines and hint; the palette's layout, selection by mouse and keys and its frames;
// the spectrum's generated picture, its swatches and a colour taken by a click; and
// pictures of all three.
#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "gridext/colour/ColorSelectors.h"
#include "platform/gui/Forms.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class SelectorTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 420, 300);
        Form->SetColor(clWhite);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete Form; }
    // A selector at its own size, as the colour picker places it.
    template <class T>
    T* Make(const char* name)
    {
        T* c = Make_Control<T>(Form, Form, name, 10, 10, 50, 50);
        if constexpr (std::is_same_v<T, TExtColorCubePanel>) c->ResetHotCell();
        if constexpr (std::is_same_v<T, TExtColorSpectrumPanel>) c->ArrangeSpectrum();
        Application->ProcessMessages();
        return c;
    }
};

// ---------------------------------------------------------------- honeycomb

TEST_F(SelectorTest, HoneycombCellsLieInThirteenRows)
{
    auto* cube = Make<TExtColorCubePanel>("Cube");
    EXPECT_EQ(cube->Width(), 182);
    EXPECT_EQ(cube->Height(), 160);
    struct Case {
        int index, x, y;
        TColor color;
    };
    const Case cases[] = {
        {1, 55, 20, 0x663300},   {7, 127, 20, 0x660000},   {8, 49, 30, 0x666600},
        {64, 91, 80, 0xFFFFFF},  {58, 19, 80, 0x003300},   {70, 163, 80, 0x660066},
        {71, 25, 90, 0x006633},  {121, 55, 140, 0x003366}, {127, 127, 140, 0x2100A5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(cube->CellCentre(c.index), TPoint(c.x, c.y));
        EXPECT_EQ(cube->CellColor(c.index), c.color);
    }
}

TEST_F(SelectorTest, HoneycombHitTestReachesSixPixelsFromACentre)
{
    auto* cube = Make<TExtColorCubePanel>("Cube");
    EXPECT_EQ(cube->CellAtPos(55, 20), 1);
    EXPECT_EQ(cube->CellAtPos(55 - 6, 20), 1);
    // Seven pixels above the first row's first cell is no cell at all.
    EXPECT_EQ(cube->CellAtPos(55, 13), -1);
    EXPECT_EQ(cube->CellAtPos(55, 14), 1);
    // Seven to the right of the white cell lies nearer its neighbour.
    EXPECT_EQ(cube->CellAtPos(91 + 6, 80), 64);
    EXPECT_NE(cube->CellAtPos(91 + 7, 80), 64);
    EXPECT_EQ(cube->CellAtPos(0, 0), -1);
    EXPECT_EQ(cube->CellAtPos(181, 159), -1);
}

TEST_F(SelectorTest, HoneycombClickSelectsAndTheHotCellOutlivesTheMouse)
{
    auto* cube = Make<TExtColorCubePanel>("Cube");
    cube->OnSelect = [this](TObject*) { Events.push_back("select"); };
    cube->OnShouldHide = [this](TObject*) { Events.push_back("hide"); };
    UserMouseMove(cube, 91, 80);
    EXPECT_EQ(cube->HotIndex(), 64);
    EXPECT_EQ(cube->Hint(), "Red: 255,  Green: 255,  Blue: 255");
    UserMouseMove(cube, 55, 20);
    EXPECT_EQ(cube->HotIndex(), 1);
    EXPECT_EQ(cube->Hint(), "Red: 0,  Green: 51,  Blue: 102");
    // Between the cells the hint goes, the hot cell stays; leaving changes nothing.
    UserMouseMove(cube, 2, 2);
    EXPECT_EQ(cube->HotIndex(), 1);
    EXPECT_EQ(cube->Hint(), "");
    cube->Perform(CM_MOUSEENTER);
    UserMouseLeave(cube);
    EXPECT_EQ(cube->HotIndex(), 1);
    UserClick(cube, 127, 140);
    EXPECT_EQ(cube->SelectedIndex(), 127);
    EXPECT_EQ(cube->SelectedColor(), TColor(0x2100A5));
    EXPECT_EQ(Events, std::vector<String>({"select", "hide"}));
    // A click between the cells chooses nothing but still asks to hide.
    UserClick(cube, 2, 2);
    EXPECT_EQ(cube->SelectedIndex(), 127);
    EXPECT_EQ(Events, std::vector<String>({"select", "hide", "hide"}));
    // A colour by value: the first cell that has it, or none.
    cube->SetSelectedColor(0x808000);
    EXPECT_EQ(cube->SelectedIndex(), 16);
    cube->SetSelectedColor(0x123456);
    EXPECT_EQ(cube->SelectedIndex(), -1);
    cube->SetShowRGBHint(false);
    EXPECT_FALSE(cube->ShowHint());
    UserMouseMove(cube, 91, 80);
    EXPECT_EQ(cube->Hint(), "");
}

TEST_F(SelectorTest, HoneycombPicture)
{
    auto* cube = Make<TExtColorCubePanel>("Cube");
    cube->SetColor(clWhite);
    cube->SetSelectedColor(0xFFFFFF);
    UserMouseMove(cube, 55, 20);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(cube, "colour_honeycomb.png", png));
    ASSERT_EQ(png.Width(), 182);
    // Each cell is filled in its colour at its centre.
    for (int i : {1, 7, 40, 100, 127}) {
        const TPoint p = cube->CellCentre(i);
        EXPECT_EQ(png.Canvas()->Pixels(p.X, p.Y), cube->CellColor(i)) << i;
    }
    // The hot cell's red outline, the selected white cell's black one.
    EXPECT_GT(Count_Pixels(png, TRect(49, 14, 62, 27), TColor(0x0000FF)), 8);
    EXPECT_GT(Count_Pixels(png, TRect(85, 74, 98, 87), clBlack), 8);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, 182, 160), clBlack), Count_Pixels(png, TRect(85, 74, 98, 87), clBlack));
}

// ---------------------------------------------------------------- palette

TEST_F(SelectorTest, PaletteLayoutKeepsItsFirstRowApart)
{
    auto* pal = Make<TCustomColorSelector>("Palette");
    pal->ArrangeItems();
    EXPECT_EQ(pal->Width(), 100);
    EXPECT_EQ(pal->Height(), 50);
    pal->AddPaletteColors();
    pal->ArrangeItems();
    ASSERT_EQ(pal->Items()->Count(), 60);
    EXPECT_EQ(pal->Width(), 165);
    EXPECT_EQ(pal->Height(), 84);
    EXPECT_EQ(pal->GetItemRect(0), TRect(4, 4, 16, 16));
    EXPECT_EQ(pal->GetItemRect(9), TRect(148, 4, 160, 16));
    // A gap of 4 below the first row; the shades touch each other.
    EXPECT_EQ(pal->GetItemRect(10), TRect(4, 20, 16, 32));
    EXPECT_EQ(pal->GetItemRect(20), TRect(4, 32, 16, 44));
    EXPECT_EQ(pal->GetItemRect(59), TRect(148, 68, 160, 80));
    EXPECT_EQ(pal->GetItemRect(60), TRect(-1, -1, -1, -1));
    EXPECT_EQ(pal->Items()->Items(0)->ColorBoxPos(), ipStandAlone);
    EXPECT_EQ(pal->Items()->Items(15)->ColorBoxPos(), ipTop);
    EXPECT_EQ(pal->Items()->Items(35)->ColorBoxPos(), ipMiddle);
    EXPECT_EQ(pal->Items()->Items(55)->ColorBoxPos(), ipBottom);
    EXPECT_EQ(pal->Items()->Items(59)->Color(), TColor(0x064897));
    // Right and bottom edges lie outside a box.
    EXPECT_EQ(pal->ItemAtPos(4, 4), 0);
    EXPECT_EQ(pal->ItemAtPos(15, 15), 0);
    EXPECT_EQ(pal->ItemAtPos(16, 4), -1);
    EXPECT_EQ(pal->ItemAtPos(4, 16), -1);
    EXPECT_EQ(pal->ItemAtPos(4, 31), 10);
    EXPECT_EQ(pal->ItemAtPos(4, 32), 20);
}

TEST_F(SelectorTest, PaletteChoosesByMouseAndByColour)
{
    auto* pal = Make<TCustomColorSelector>("Palette");
    pal->AddPaletteColors();
    pal->ArrangeItems();
    pal->OnItemSelect = [this, pal](TObject*) { Events.push_back(IntToStr(pal->ItemIndex())); };
    UserMouseMove(pal, 25, 25);
    EXPECT_EQ(pal->ItemHot(), 11);
    // Between the boxes nothing is hot; leaving the palette clears the hot box too.
    UserMouseMove(pal, 18, 25);
    EXPECT_EQ(pal->ItemHot(), -1);
    pal->Perform(CM_MOUSEENTER);
    UserMouseMove(pal, 25, 25);
    EXPECT_EQ(pal->ItemHot(), 11);
    UserMouseLeave(pal);
    EXPECT_EQ(pal->ItemHot(), -1);
    UserClick(pal, 25, 25);
    EXPECT_EQ(pal->ItemIndex(), 11);
    EXPECT_EQ(pal->SelectedColor(), TColor(0x7F7F7F));
    // A colour it holds selects its first box; one it does not hold clears silently.
    pal->SetSelectedColor(0x4696F7);
    EXPECT_EQ(pal->ItemIndex(), 9);
    pal->SetSelectedColor(0x123456);
    EXPECT_EQ(pal->ItemIndex(), -1);
    EXPECT_EQ(pal->SelectedColor(), TColor(0x123456));
    pal->SetSelectedColor(0x7F7F7F);
    EXPECT_EQ(pal->ItemIndex(), 11);
    EXPECT_EQ(Events, std::vector<String>({"11", "9", "11"}));
    // Indexes past the last box change nothing.
    pal->SetItemIndex(60);
    EXPECT_EQ(pal->ItemIndex(), 11);
    // A disabled box can be neither chosen nor hot.
    pal->Items()->Items(12)->FEnabled = false;
    UserClick(pal, 41, 25);
    EXPECT_EQ(pal->ItemIndex(), 11);
    UserMouseMove(pal, 41, 25);
    EXPECT_EQ(pal->ItemHot(), -1);
}

TEST_F(SelectorTest, PaletteKeysMoveByBoxAndByRow)
{
    auto* pal = Make<TCustomColorSelector>("Palette");
    pal->AddPaletteColors();
    pal->ArrangeItems();
    struct Case {
        WORD key;
        bool editor, dropped;
        int from, to;
    };
    const Case cases[] = {
        {VK_HOME, false, true, 33, 0},    {VK_PRIOR, false, false, 33, 0},  {VK_END, false, true, 3, 59},
        {VK_NEXT, false, false, 3, 59},   {VK_LEFT, false, false, 33, 32},  {VK_RIGHT, false, false, 33, 34},
        {VK_LEFT, true, false, 33, 33},   {VK_RIGHT, true, true, 33, 34},   {VK_UP, false, true, 33, 23},
        {VK_UP, false, true, 3, 3},       {VK_UP, false, false, 33, 32},    {VK_DOWN, false, true, 33, 43},
        {VK_DOWN, false, true, 55, 55},   {VK_DOWN, false, false, 33, 34},  {VK_DOWN, false, true, -1, 0},
        {VK_UP, false, true, -1, 0},      {VK_RIGHT, false, true, -1, 0},   {VK_LEFT, false, true, -1, -1},
        {VK_RIGHT, false, true, 59, 59},  {VK_LEFT, false, true, 0, 0},     {'A', false, true, 33, 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " from " << c.from);
        pal->SetItemIndex(c.from);
        pal->HandleSelectorKey(c.key, c.editor, c.dropped);
        EXPECT_EQ(pal->ItemIndex(), c.to);
    }
    pal->SetItemIndex(5);
    pal->SetEnabled(false);
    pal->HandleSelectorKey(VK_HOME, false, true);
    EXPECT_EQ(pal->ItemIndex(), 5);
}

TEST_F(SelectorTest, PaletteStylesResetTheFrameColours)
{
    auto* pal = Make<TCustomColorSelector>("Palette");
    EXPECT_EQ(pal->ItemColorStyle(), scOffice2007);
    pal->ColorBoxAppearance()->SetBorderColor(clRed);
    pal->SetItemColorStyle(scCustom);
    EXPECT_EQ(pal->ColorBoxAppearance()->BorderColor(), clRed);
    pal->SetItemColorStyle(scWindows7);
    EXPECT_EQ(pal->ColorBoxAppearance()->BorderColor(), TColor(0xC5C5C5));
    EXPECT_EQ(pal->ColorBoxAppearance()->OuterBorderColorSelected(), TColor(0x0000FF));
}

TEST_F(SelectorTest, PalettePicture)
{
    auto* pal = Make<TCustomColorSelector>("Palette");
    pal->SetParentColor(false);
    pal->SetColor(clWhite);
    pal->AddPaletteColors();
    pal->ArrangeItems();
    pal->SetItemIndex(25);
    UserMouseMove(pal, 25, 9);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(pal, "colour_palette.png", png));
    ASSERT_EQ(png.Width(), 165);
    ASSERT_EQ(png.Height(), 84);
    // Each box is filled in its colour at its centre.
    for (int i = 0; i < 60; ++i) {
        const TRect r = pal->GetItemRect(i);
        EXPECT_EQ(png.Canvas()->Pixels(r.Left + 6, r.Top + 6), pal->Items()->Items(i)->Color()) << i;
    }
    // The selected box's red outer frame, the hot box's orange one.
    const TRect sel = pal->GetItemRect(25), hot = pal->GetItemRect(1);
    EXPECT_EQ(png.Canvas()->Pixels(sel.Left, sel.Top + 5), TColor(0x0000FF));
    EXPECT_EQ(png.Canvas()->Pixels(hot.Left, hot.Top + 5), TColor(0x3694F2));
    // The gap between the first row and the shades shows the background.
    EXPECT_EQ(Count_Pixels(png, TRect(4, 17, 160, 20), clWhite), 156 * 3);
    // The strips of shades are framed at their sides in the border colour.
    EXPECT_EQ(png.Canvas()->Pixels(pal->GetItemRect(40).Left, 50), TColor(0xC5C5C5));
}

// ---------------------------------------------------------------- spectrum

TEST_F(SelectorTest, SpectrumPictureRunsFromWhiteThroughTheHuesToBlack)
{
    TBitmap b;
    DrawSpectrumPicture(b);
    ASSERT_EQ(b.Width(), 128);
    ASSERT_EQ(b.Height(), 128);
    TCanvas* c = b.Canvas();
    for (int x : {0, 40, 127}) {
        EXPECT_EQ(c->Pixels(x, 0), clWhite) << x;
        EXPECT_EQ(c->Pixels(x, 127), clBlack) << x;
    }
    struct Case {
        int x;
        TColor hue;
    };
    // Middle row: red, yellow, green, cyan, blue, magenta at the sixths of the width.
    const Case hues[] = {{0, 0x0000FF}, {21, 0x00FFFF}, {43, 0x00FF00}, {64, 0xFFFF00}, {85, 0xFF0000}, {107, 0xFF00FF}};
    for (const Case& h : hues) {
        const TColor p = c->Pixels(h.x, 64);
        for (int shift : {0, 8, 16}) {
            const int want = (h.hue >> shift) & 0xFF, got = (p >> shift) & 0xFF;
            EXPECT_NEAR(got, want, 12) << "x " << h.x << " byte " << shift / 8;
        }
    }
}

TEST_F(SelectorTest, SpectrumTakesTheColourUnderTheClick)
{
    auto* sp = Make<TExtColorSpectrumPanel>("Spectrum");
    sp->OnSelect = [this](TObject*) { Events.push_back("select"); };
    sp->OnShouldHide = [this](TObject*) { Events.push_back("hide"); };
    EXPECT_EQ(sp->Width(), 150);
    EXPECT_EQ(sp->Height(), 174);
    EXPECT_EQ(sp->SpectrumImage()->Left(), 11);
    EXPECT_EQ(sp->SpectrumImage()->Top(), 10);
    EXPECT_EQ(sp->SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(sp->HotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(sp->SelectedColor(), clWhite);
    EXPECT_EQ(sp->HotColor(), clNone);
    EXPECT_EQ(sp->SpectrumImage()->Cursor(), TExtColorSpectrumPanel::crEyeDropper);
    TBitmap b;
    DrawSpectrumPicture(b);
    UserMouseMove(sp->SpectrumImage(), 43, 64);
    EXPECT_EQ(sp->HotColor(), b.Canvas()->Pixels(43, 64));
    EXPECT_TRUE(Events.empty());
    UserClick(sp->SpectrumImage(), 100, 30);
    EXPECT_EQ(sp->SelectedColor(), b.Canvas()->Pixels(100, 30));
    EXPECT_EQ(Events, std::vector<String>({"select", "hide"}));
    // The store only: no event.
    sp->SetSelectedColor(clRed);
    EXPECT_EQ(Events.size(), 2u);
}

TEST_F(SelectorTest, SpectrumPicture)
{
    auto* sp = Make<TExtColorSpectrumPanel>("Spectrum");
    sp->SetColor(clBtnFace);
    sp->SetSelectedColor(0x00FF00);
    UserMouseMove(sp->SpectrumImage(), 0, 64);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(sp, "colour_spectrum.png", png));
    ASSERT_EQ(png.Width(), 150);
    // The picture inside its white and grey frames.
    EXPECT_EQ(png.Canvas()->Pixels(11, 10), clWhite);
    EXPECT_EQ(png.Canvas()->Pixels(11, 137), clBlack);
    EXPECT_EQ(png.Canvas()->Pixels(10, 70), clWhite);
    EXPECT_EQ(png.Canvas()->Pixels(9, 70), TColor(0x808080));
    // The selected swatch in green, the hot one in the red under the mouse.
    EXPECT_GT(Count_Pixels(png, TRect(11, 147, 72, 165), TColor(0x00FF00)), 900);
    EXPECT_GT(Count_Pixels(png, TRect(78, 147, 139, 165), TColor(0x0000FF)), 900);
    EXPECT_EQ(png.Canvas()->Pixels(10, 146), clWhite);
    EXPECT_EQ(png.Canvas()->Pixels(9, 146), TColor(0x808080));
}

}  // namespace
