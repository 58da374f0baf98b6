// The grid's push button as a user works it: presses released inside and outside, check
// style, groups of which one stays down, the drop-down part, hover, accelerators, the
// action it follows; its layout, grey glyphs and colour sets; and its pictures in the up,
// hot, down, checked and disabled states.
#include <gtest/gtest.h>

#include <cstring>

#include "grid/util/ExtGridButton.h"
#include "grid/util/GridTheme.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

constexpr TColor kForm = RGB(250, 250, 250);
constexpr TColor kFace = RGB(200, 220, 240);
constexpr TColor kHot = RGB(255, 230, 180);
constexpr TColor kDown = RGB(240, 160, 90);
constexpr TColor kChecked = RGB(120, 200, 120);
constexpr TColor kHotBorder = RGB(0, 0, 200);
constexpr TColor kDownBorder = RGB(200, 0, 0);

class ExtGridButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(Application);
        Form->AfterConstruction();
        Form->SetClientSize(320, 120);
        Form->SetColor(kForm);
        Form->Show();
    }
    void TearDown() override { Form->Free(); }

    TExtGridButton* NewButton(const String& caption, int x, int y, int w = 80, int h = 24)
    {
        auto* b = new TExtGridButton(Form);
        b->SetParent(Form);
        b->SetBounds(x, y, w, h);
        b->SetCaption(caption);
        b->SetColor(kFace);
        b->SetColorHot(kHot);
        b->SetColorDown(kDown);
        b->SetColorChecked(kChecked);
        b->SetBorderHotColor(kHotBorder);
        b->SetBorderDownColor(kDownBorder);
        b->OnClick = [this, b](TObject*) { Clicks.push_back(b); };
        return b;
    }

    // A pixel of the button at (x, y) of its own area, from the form's picture.
    TColor At(TBitmap& png, TExtGridButton* b, int x, int y) { return png.Canvas()->Pixels(b->Left() + x, b->Top() + y); }

    TForm* Form = nullptr;
    std::vector<TExtGridButton*> Clicks;
};

TEST_F(ExtGridButtonTest, DownFollowsItsStyleAndGroup)
{
    struct Case {
        const char* Name;
        int Group;
        TExtGridButtonStyle Style;
        bool AllowAllUp;
        std::vector<bool> Sets;
        std::vector<bool> DownAfter;
    };
    const Case cases[] = {
        {"a plain button never stays down", 0, tasButton, false, {true, false, true}, {false, false, false}},
        {"in a group it stays down", 1, tasButton, false, {true, false}, {true, true}},
        {"in a group that may be all up it rises", 1, tasButton, true, {true, false}, {true, false}},
        {"a check button takes any value", 0, tasCheck, false, {true, true, false}, {true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TExtGridButton* b = NewButton("B", 10, 10);
        b->SetGroupIndex(c.Group);
        b->SetStyle(c.Style);
        b->SetAllowAllUp(c.AllowAllUp);
        for (size_t i = 0; i < c.Sets.size(); ++i) {
            b->SetDown(c.Sets[i]);
            EXPECT_EQ(b->Down(), c.DownAfter[i]) << "step " << i;
        }
        b->Free();
    }
}

TEST_F(ExtGridButtonTest, PressesReleasedInsideClickAndOutsideDoNot)
{
    struct Case {
        const char* Name;
        TExtGridButtonStyle Style;
        bool Enabled;
        int ReleaseX;   // where the button is let go (the press is at its centre)
        int Clicks;
        bool DownAfter;
    };
    const Case cases[] = {
        {"push, released inside", tasButton, true, 40, 1, false},
        {"push, released outside", tasButton, true, 120, 0, false},
        {"push, released on the right edge (outside)", tasButton, true, 80, 0, false},
        {"check, released inside", tasCheck, true, 40, 1, true},
        {"check, released outside", tasCheck, true, 200, 0, false},   // a press taken back changes nothing
        {"disabled", tasButton, false, 40, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Clicks.clear();
        TExtGridButton* b = NewButton("Go", 10, 10);
        b->SetStyle(c.Style);
        b->SetEnabled(c.Enabled);
        UserPress(b);
        if (c.Enabled) {
            EXPECT_EQ(b->State(), bsDown);
            EXPECT_TRUE(b->MouseCapture());
            UserMouseMove(b, c.ReleaseX, 12, TShiftState{ssLeft});
            const bool inside = c.ReleaseX >= 0 && c.ReleaseX < 80;
            EXPECT_EQ(b->State(), inside ? bsDown : bsUp) << "the state follows the pointer";
        }
        UserRelease(b, c.ReleaseX, 12);
        EXPECT_EQ(int(Clicks.size()), c.Clicks);
        EXPECT_EQ(b->Down(), c.DownAfter && c.Style == tasCheck);
        EXPECT_FALSE(b->MouseCapture());
        if (c.Enabled) {
            EXPECT_EQ(b->State(), bsUp);
        }
        b->Free();
    }

    // A check button goes up again with the next click.
    Clicks.clear();
    TExtGridButton* check = NewButton("Check", 10, 10);
    check->SetStyle(tasCheck);
    UserClick(check);
    EXPECT_TRUE(check->Down());
    UserClick(check);
    EXPECT_FALSE(check->Down());
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(ExtGridButtonTest, OneButtonOfAGroupStaysDown)
{
    TExtGridButton* a = NewButton("A", 10, 10);
    TExtGridButton* b = NewButton("B", 100, 10);
    TExtGridButton* other = NewButton("C", 190, 10);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    UserClick(other);
    ASSERT_TRUE(other->Down());

    UserClick(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    UserClick(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down()) << "pressing the second raises the first";
    EXPECT_EQ(a->State(), bsUp);
    EXPECT_TRUE(other->Down()) << "another group is not touched";
    UserClick(b);
    EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
    EXPECT_EQ(Clicks.size(), 4u) << "each press released inside still clicks";

    // A press on the down button that ends outside leaves it down and exclusive.
    UserPress(b);
    UserRelease(b, 200, 200);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->State(), bsExclusive);

    // AllowAllUp set on one button reaches the others of its group.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    EXPECT_FALSE(other->AllowAllUp());
    UserClick(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(ExtGridButtonTest, TheDropDownPartOpensItsMenuAndDoesNotClick)
{
    TExtGridButton* b = NewButton("Menu", 10, 10, 80, 24);
    b->SetDropDownButton(true);
    int dropDowns = 0;
    b->OnDropDown = [&](TObject*) { ++dropDowns; };
    auto* menu = new TPopupMenu(Form);
    String picked;
    menu->Items()->Add(NewItem(menu, "First", [&](TObject*) { picked = "First"; }));
    menu->Items()->Add(NewItem(menu, "Second", [&](TObject*) { picked = "Second"; }));
    b->SetDropDownMenu(menu);
    TInteractionScript script;
    script.PickMenu("Second").PickMenu("");

    struct Case {
        int X;
        int DropDowns;
        int Clicks;
    };
    const Case cases[] = {{79, 1, 0}, {69, 2, 0}, {68, 2, 1}, {5, 2, 2}};   // the right 12 pixels
    for (const Case& c : cases) {
        SCOPED_TRACE(c.X);
        UserClick(b, c.X, 12);
        EXPECT_EQ(dropDowns, c.DropDowns);
        EXPECT_EQ(int(Clicks.size()), c.Clicks);
        EXPECT_EQ(b->State(), bsUp);
    }
    EXPECT_EQ(picked, "Second");
    EXPECT_EQ(menu->PopupComponent(), b);
    EXPECT_EQ(script.Count(ikPopupMenu), 2);
    EXPECT_EQ(script.Problems(), "");

    // A menu that goes away is forgotten.
    menu->Free();
    EXPECT_EQ(b->DropDownMenu(), nullptr);
    UserClick(b, 75, 12);
    EXPECT_EQ(dropDowns, 3);
}

TEST_F(ExtGridButtonTest, HoverAcceleratorsAndDoubleClicks)
{
    TExtGridButton* b = NewButton("&Go", 10, 10);
    int enters = 0, leaves = 0, dbl = 0;
    b->OnMouseEnter = [&](TObject*) { ++enters; };
    b->OnMouseLeave = [&](TObject*) { ++leaves; };
    b->OnDblClick = [&](TObject*) { ++dbl; };
    UserMouseMove(b, 20, 10);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_EQ(enters, 1);
    UserMouseLeave(b);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_EQ(leaves, 1);
    b->SetEnabled(false);
    UserMouseMove(b, 20, 10);
    EXPECT_FALSE(b->MouseInControl()) << "a disabled button is never hot";
    b->SetEnabled(true);
    EXPECT_TRUE(b->MouseInControl()) << "enabling looks where the pointer is";

    // Alt+G in an edit of the form clicks the button; not while it is disabled or hidden.
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 60, 100, 22);
    UserFocus(edit);
    UserKey(edit, 'G', TShiftState{ssAlt});
    EXPECT_EQ(Clicks.size(), 1u);
    b->SetEnabled(false);
    UserKey(edit, 'G', TShiftState{ssAlt});
    b->SetEnabled(true);
    b->SetVisible(false);
    UserKey(edit, 'G', TShiftState{ssAlt});
    EXPECT_EQ(Clicks.size(), 1u);
    b->SetVisible(true);

    // A double click counts only on a button that is down.
    UserDblClick(b);
    EXPECT_EQ(dbl, 0);
    b->SetGroupIndex(3);
    b->SetDown(true);
    UserDblClick(b);
    EXPECT_EQ(dbl, 1);
}

TEST_F(ExtGridButtonTest, GlyphAndCaptionLayout)
{
    TExtGridButton* b = NewButton("x", 10, 10);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1) << "below -1 is refused";
    b->SetMargin(3);
    EXPECT_EQ(b->Margin(), 3);

    using enum TButtonLayout;
    struct Case {
        TButtonLayout Layout;
        int Margin, Spacing;
        bool RightToLeft;
        int WantMargin, WantSpacing;
        TPoint Glyph, Text;   // top-left corners
    };
    // A 16 x 16 glyph and a 30 x 14 caption in 76 x 40 at (4, 2).
    const Case cases[] = {
        {blGlyphLeft, -1, -1, false, 10, 10, TPoint(14, 14), TPoint(40, 15)},
        {blGlyphLeft, -1, 4, false, 13, 4, TPoint(17, 14), TPoint(37, 15)},
        {blGlyphLeft, 2, -1, false, 2, 14, TPoint(6, 14), TPoint(36, 15)},
        {blGlyphRight, -1, -1, false, 10, 10, TPoint(54, 14), TPoint(14, 15)},
        {blGlyphLeft, -1, -1, true, 10, 10, TPoint(54, 14), TPoint(14, 15)},   // right to left swaps
        {blGlyphTop, -1, -1, false, 3, 3, TPoint(34, 5), TPoint(27, 24)},
        {blGlyphBottom, 0, 2, false, 0, 2, TPoint(34, 26), TPoint(27, 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Layout));
        const TButtonContentLayout l = LayoutButtonContent(Bounds(4, 2, 76, 40), TPoint(16, 16), TPoint(30, 14), c.Layout,
                                                           c.Margin, c.Spacing, TPoint(0, 0), c.RightToLeft);
        EXPECT_EQ(l.Margin, c.WantMargin);
        EXPECT_EQ(l.Spacing, c.WantSpacing);
        EXPECT_EQ(l.GlyphPos.X, c.Glyph.X);
        EXPECT_EQ(l.GlyphPos.Y, c.Glyph.Y);
        EXPECT_EQ(l.TextBounds.Left, c.Text.X);
        EXPECT_EQ(l.TextBounds.Top, c.Text.Y);
    }
    // Without a caption the spacing is dropped; the offset moves both.
    const TButtonContentLayout l =
        LayoutButtonContent(TRect(0, 0, 40, 20), TPoint(16, 16), TPoint(0, 0), blGlyphLeft, -1, 4, TPoint(1, 1), false);
    EXPECT_EQ(l.Spacing, 0);
    EXPECT_EQ(l.GlyphPos.X, 13);
    EXPECT_EQ(l.GlyphPos.Y, 3);
}

TEST_F(ExtGridButtonTest, GreyGlyphsAndTheSilhouette)
{
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
    glyph.Canvas()->SetPixels(1, 1, clBlack);
    glyph.Canvas()->SetPixels(2, 1, clRed);
    TExtGridButton* b = NewButton("", 10, 10);
    b->SetGlyph(&glyph);
    TCanvas* d = b->GlyphDisabled()->Canvas();
    EXPECT_EQ(d->Pixels(0, 0), TColor(0xDFDFDF)) << "white: 255 / 2 + 96";
    EXPECT_EQ(d->Pixels(1, 1), TColor(0x606060)) << "black: 96";
    EXPECT_EQ(d->Pixels(2, 1), TColor(0x8A8A8A)) << "red: 85 / 2 + 96";
    // The silhouette keeps the transparent colour (bottom-left) and greys the rest.
    TCanvas* s = b->GlyphShade()->Canvas();
    EXPECT_EQ(s->Pixels(0, 3), clWhite);
    EXPECT_EQ(s->Pixels(1, 1), TColor(0x808080));
    EXPECT_EQ(s->Pixels(2, 1), TColor(0x808080));
    // A disabled glyph of its own is kept when the glyph changes.
    TBitmap other(2, 2);
    b->SetGlyph(&other);
    EXPECT_EQ(b->GlyphDisabled()->Width(), 4);
    EXPECT_EQ(b->GlyphShade()->Width(), 2) << "the silhouette follows the glyph";
}

// A style library whose theme carries another colour name.
String gSchemeName;
bool SchemeName(String& file, String& color, String& size)
{
    file = "style";
    color = gSchemeName;
    size = "NormalSize";
    return true;
}
class SchemeLibrary : public TThemeLibrary {
public:
    void* GetProcAddress(const char* name) const override
    {
        if (std::strcmp(name, "GetCurrentThemeName") == 0) return reinterpret_cast<void*>(&SchemeName);
        return BuiltInThemeLibrary()->GetProcAddress(name);
    }
};

TEST_F(ExtGridButtonTest, LooksAndTheDesktopScheme)
{
    TExtGridButton* b = NewButton("L", 10, 10);
    struct Look {
        int N;
        TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
        bool Rounded;
    };
    const Look looks[] = {
        {0, 0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE, true},
        {1, clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
        {2, 0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
        {3, 0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
        {4, 0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
        {5, clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
        {6, 0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080, false},
    };
    for (const Look& l : looks) {
        SCOPED_TRACE(l.N);
        b->SetFlat(false);
        b->SetBorderColor(clRed);
        b->SetLook(l.N);
        EXPECT_EQ(b->Look(), l.N);
        EXPECT_TRUE(b->Flat());
        EXPECT_EQ(b->BorderColor(), clNone);
        EXPECT_EQ(b->Rounded(), l.Rounded);
        const TColor got[] = {b->Color(), b->ColorTo(), b->ColorHot(), b->ColorHotTo(), b->ColorDown(),
                              b->ColorDownTo(), b->ColorChecked(), b->ColorCheckedTo(), b->BorderDownColor(),
                              b->BorderHotColor()};
        const TColor want[] = {l.Color, l.ColorTo, l.Hot, l.HotTo, l.Down, l.DownTo, l.Checked, l.CheckedTo,
                               l.BorderDown, l.BorderHot};
        for (size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(got[i], want[i]) << "colour " << i;
    }
    b->SetLook(7);
    b->SetLook(-1);
    EXPECT_EQ(b->Look(), 6) << "no such look: nothing changes";
    EXPECT_EQ(b->Color(), TColor(0xCAFFFF));

    // Following the desktop: the colour name of the theme picks the look.
    SchemeLibrary lib;
    BindThemeLibraryFrom(&lib);
    struct Scheme {
        const char* Name;
        int Value;
        int Look;
    };
    const Scheme schemes[] = {{"NormalColor", 1, 2}, {"HomeStead", 2, 3}, {"Metallic", 3, 4},
                              {"Modern", 0, 1},      {"normalcolor", 0, 1}, {"NormalColor2", 0, 1}};
    b->SetAutoThemeAdapt(true);
    for (const Scheme& s : schemes) {
        SCOPED_TRACE(s.Name);
        gSchemeName = s.Name;
        EXPECT_EQ(GetXPColorScheme(), s.Value);
        b->SetLook(0);
        b->Perform(WM_THEMECHANGED);
        EXPECT_EQ(b->Look(), s.Look);
    }
    EXPECT_TRUE(IsThemedComCtl6());
    b->SetAutoThemeAdapt(false);
    b->SetLook(0);
    b->Perform(WM_THEMECHANGED);
    EXPECT_EQ(b->Look(), 0) << "without AutoThemeAdapt a theme change is ignored";
    BindThemeLibraryFrom(nullptr);
    EXPECT_FALSE(IsThemedComCtl6());
    EXPECT_EQ(GetXPColorScheme(), 0);
    BindThemeLibraryFrom(BuiltInThemeLibrary());
}

TEST_F(ExtGridButtonTest, TheGradientInBands)
{
    struct Case {
        const char* Name;
        bool Horizontal;
        int Steps;
        TColor Border;
    };
    const Case cases[] = {{"16 bands down", false, 16, clNone},
                          {"4 bands across", true, 4, clNone},
                          {"0 steps: one band", false, 0, clNone},
                          {"framed", false, 16, clBlack}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap bmp(40, 40);
        TCanvas* cv = bmp.Canvas();
        cv->Brush()->SetColor(clWhite);
        cv->FillRect(TRect(0, 0, 40, 40));
        const TRect r(4, 4, 36, 36);
        DrawButtonGradient(cv, RGB(0, 0, 0), RGB(160, 80, 32), c.Horizontal, r, c.Steps, c.Border);
        const int inset = c.Border == clNone ? 0 : 1;
        // The first band is the start colour; band i is i / steps of the way.
        EXPECT_EQ(cv->Pixels(4 + inset, 4 + inset), RGB(0, 0, 0));
        const int steps = c.Steps < 1 ? 1 : c.Steps;
        const TColor last = RGB(160 * (steps - 1) / steps, 80 * (steps - 1) / steps, 32 * (steps - 1) / steps);
        EXPECT_EQ(cv->Pixels(35 - inset, 35 - inset), last);
        // Nothing outside the rectangle.
        EXPECT_EQ(cv->Pixels(36, 36), clWhite);
        EXPECT_EQ(cv->Pixels(3, 20), clWhite);
        EXPECT_EQ(cv->Pixels(20, 36), clWhite);
        if (c.Border != clNone) {
            EXPECT_EQ(cv->Pixels(4, 20), clBlack);
            EXPECT_EQ(cv->Pixels(35, 20), clBlack);
        }
        if (c.Horizontal) {
            EXPECT_EQ(cv->Pixels(20, 4), cv->Pixels(20, 35)) << "bands run down";
        }
    }
}

TEST_F(ExtGridButtonTest, TheButtonFollowsItsAction)
{
    TAction action(Form);
    action.SetCaption("Run");
    action.SetGroupIndex(5);
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };
    TExtGridButton* b = NewButton("", 10, 10);
    b->OnClick = nullptr;
    b->SetAllowAllUp(true);
    b->SetAction(&action);
    EXPECT_EQ(b->Caption(), "Run");
    EXPECT_EQ(b->GroupIndex(), 5);
    UserClick(b);
    EXPECT_EQ(executed, 1) << "without OnClick a click runs the action";
    EXPECT_TRUE(b->Down());

    struct Step {
        const char* Name;
        std::function<void()> Change;
        String Caption;
        bool Down;
        int Group;
    };
    const Step steps[] = {
        {"caption follows while it agrees", [&] { action.SetCaption("Go"); }, "Go", true, 5},
        {"checked follows once it agrees", [&] { action.SetChecked(true); action.SetChecked(false); }, "Go", false, 5},
        {"the group follows", [&] { action.SetGroupIndex(6); }, "Go", false, 6},
        {"a caption of its own is kept", [&] { b->SetCaption("Mine"); action.SetCaption("Stop"); }, "Mine", false, 6},
        {"a group of its own is kept", [&] { b->SetGroupIndex(2); action.SetGroupIndex(7); }, "Mine", false, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.Name);
        s.Change();
        EXPECT_EQ(b->Caption(), s.Caption);
        EXPECT_EQ(b->Down(), s.Down);
        EXPECT_EQ(b->GroupIndex(), s.Group);
    }

    // A button of its group pressed down raises this one and clears the action's check.
    TExtGridButton* other = NewButton("Other", 100, 10);
    other->SetGroupIndex(2);
    b->SetDown(true);
    action.SetChecked(true);
    UserClick(other);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(action.Checked());
}

// The button's picture in each state: a flat face in its colour with the border of the
// state, read from the form's PNG.
TEST_F(ExtGridButtonTest, PicturesOfTheStates)
{
    TBitmap glyph(12, 12);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, 12, 12));
    glyph.Canvas()->Brush()->SetColor(RGB(0, 128, 0));
    glyph.Canvas()->FillRect(TRect(2, 2, 10, 10));
    struct Case {
        const char* File;
        std::function<void(TExtGridButton*)> Into;
        TColor Face;     // at (4, 4)
        TColor Edge;     // at (0, 12): the frame, or the form where there is none
        bool CaptionGrey;
    };
    const Case cases[] = {
        {"gridbutton_up.png", [](TExtGridButton*) {}, kFace, kForm, false},
        {"gridbutton_hot.png", [](TExtGridButton* b) { UserMouseMove(b, 30, 12); }, kHot, kHotBorder, false},
        {"gridbutton_down.png",
         [](TExtGridButton* b) {
             UserMouseMove(b, 30, 12);
             UserPress(b, 30, 12);
         },
         kDown, kDownBorder, false},
        {"gridbutton_checked.png",
         [](TExtGridButton* b) {
             b->SetStyle(tasCheck);
             UserClick(b, 30, 12);
             UserMouseLeave(b);
         },
         kChecked, kDownBorder, false},
        {"gridbutton_disabled.png", [](TExtGridButton* b) { b->SetEnabled(false); }, kFace, kForm, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        TExtGridButton* b = NewButton("Find", 20, 20, 90, 26);
        b->SetGlyph(&glyph);
        b->SetBorderDownColor(clNone);   // the face leaves a pixel of the form around it
        if (std::string(c.File) != "gridbutton_up.png" && std::string(c.File) != "gridbutton_disabled.png")
            b->SetBorderDownColor(kDownBorder);
        c.Into(b);
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Form, c.File, png));
        EXPECT_EQ(At(png, b, 4, 4), c.Face);
        EXPECT_EQ(At(png, b, 0, 12), c.Edge);
        // Glyph: green in every state but disabled, where it is the grey copy.
        const TRect glyphArea(b->Left(), b->Top(), b->Left() + 45, b->Top() + 26);
        const int green = Count_Pixels(png, glyphArea, RGB(0, 128, 0));
        const int grey = Count_Pixels(png, glyphArea, RGB(117, 117, 117));   // (0 + 128 + 0) / 3 / 2 + 96
        if (c.CaptionGrey) {
            EXPECT_EQ(green, 0);
            EXPECT_GE(grey, 30);
        } else {
            EXPECT_GE(green, 30);
        }
        // The caption: dark text, or the shadow and highlight of a disabled one.
        const TRect text(b->Left() + 40, b->Top() + 4, b->Left() + b->Width() - 4, b->Top() + b->Height() - 4);
        const TColor sh = ColorToRGB(clBtnShadow);
        const int shadow = Count_Pixels(png, text, [sh](TColor p) {
            return std::abs(GetRValue(p) - GetRValue(sh)) + std::abs(GetGValue(p) - GetGValue(sh)) +
                       std::abs(GetBValue(p) - GetBValue(sh)) <= 30;
        });
        const int dark = Count_Pixels(png, text, [](TColor p) { return GetRValue(p) + GetGValue(p) + GetBValue(p) < 200; });
        if (c.CaptionGrey) {
            EXPECT_GT(shadow, 10);
            EXPECT_EQ(dark, 0);
        } else {
            EXPECT_GT(dark, 10);
        }
        if (b->MouseCapture()) UserRelease(b, 200, 200);
        b->Free();
    }

    // Rounded with a gradient (the first look): top and bottom of the face differ and
    // the corner is left to the form.
    TExtGridButton* r = NewButton("Round", 20, 20, 90, 26);
    r->SetLook(0);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "gridbutton_rounded.png", png));
    EXPECT_EQ(At(png, r, 45, 1), TColor(0xEDF1F1));
    EXPECT_NE(At(png, r, 45, 23), At(png, r, 45, 1));
    EXPECT_EQ(At(png, r, 0, 0), kForm);
}

}
