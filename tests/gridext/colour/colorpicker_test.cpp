// The colour picker as a user meets it: the list of named colours opened by the button,
// F4 and Alt+Down, a colour chosen by click, keys, letters and the wheel, Esc and clicks
// outside bringing the old colour back; the palette, honeycomb and spectrum styles; the
// colour's text by value style; and pictures of the edit and of each style open.
#include <gtest/gtest.h>

#include <vector>

#include "gridext/colour/ColorPicker.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class ColorPickerTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtColorPickerDropDown* Picker = nullptr;
    TEdit* Other = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 360, 300);
        Picker = Make_Control<TExtColorPickerDropDown>(Form, Form, "Picker", 10, 10, 150, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 200, 150, 21);
        Picker->AddDefaultColors();
        Picker->OnSelect = [this](TObject*) { Events.push_back("select " + IntToStr(Picker->ItemIndex())); };
        Picker->OnDropUp = [this](TObject*, bool Cancelled) { Events.push_back(Cancelled ? "cancelled" : "kept"); };
        Form->Show();
        Pump();
        UserFocus(Picker);
    }
    void TearDown() override { delete Form; }
    void Pump() { Application->ProcessMessages(); }
    TControl* ArrowButton() const { return Picker->Button()->Button(); }
    // Opens by the button, long after any earlier closing.
    void Open()
    {
        if (Picker->DropDownForm()) Picker->DropDownForm()->FDeActivate = GetTickCount() - 1000;
        UserClick(ArrowButton());
        ASSERT_TRUE(Picker->DroppedDown());
    }
    TCustomItemSelector* ListPanel() const { return Picker->ItemSelector()->Panel(); }
    TPoint ItemCentre(int i) const
    {
        const TRect r = ListPanel()->GetItemRect(i);
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickItem(int i)
    {
        Picker->ItemSelector()->ScrollItemInView(i);
        const TPoint p = ItemCentre(i);
        UserClick(ListPanel(), p.X, p.Y);
    }
};

// ---------------------------------------------------------------- value and text

TEST_F(ColorPickerTest, ANewPickerHasNoColours)
{
    auto* bare = Make_Control<TExtColorPickerDropDown>(Form, Form, "Bare", 10, 60, 150, 21);
    EXPECT_EQ(bare->Colors()->Count(), 0);
    EXPECT_EQ(bare->SelectedColor(), clNone);
    EXPECT_EQ(bare->SelectedColorText(), "");
    EXPECT_FALSE(bare->EditorEnabled());
    EXPECT_EQ(bare->DropDownHeight(), 200);
    bare->ShowDropDown();
    ASSERT_TRUE(bare->DroppedDown());
    EXPECT_EQ(bare->ItemSelector()->Items()->Count(), 0);
    bare->HideDropDown(true);
    UserFocus(Other);
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(bare, "colorpicker_empty.png", png));
    // No box: nothing dark in the field left of the button.
    EXPECT_EQ(Count_Pixels(png, TRect(3, 3, 120, 18), [](TColor c) { return (c & 0xFF) < 0x80; }), 0);
}

TEST_F(ColorPickerTest, SelectedColorFindsTheNamedColourOrShowsTheValue)
{
    ASSERT_EQ(Picker->Colors()->Count(), 16);
    EXPECT_EQ(Picker->Colors()->Items(15)->Caption(), "White");
    Picker->SetSelectedColor(0x008080);
    EXPECT_EQ(Picker->ItemIndex(), 3);
    EXPECT_EQ(Picker->SelectedColorText(), "Olive");
    EXPECT_EQ(Events, std::vector<String>({"select 3"}));
    // The same colour again is no change; the same index again is announced again.
    Picker->SetSelectedColor(0x008080);
    EXPECT_EQ(Events.size(), 1u);
    Picker->SetItemIndex(3);
    EXPECT_EQ(Events, std::vector<String>({"select 3", "select 3"}));
    Picker->SetItemIndex(16);
    EXPECT_EQ(Picker->ItemIndex(), 3);
    // A colour of no item clears the index without an event.
    Picker->SetSelectedColor(0x123456);
    EXPECT_EQ(Picker->ItemIndex(), -1);
    EXPECT_EQ(Events.size(), 2u);
    struct Case {
        TColorValueText style;
        const char* text;
    };
    for (const Case& c : {Case{cvtNone, ""}, Case{cvtHex, "123456"}, Case{cvtRGB, "Red:86,Green:52,Blue:18"},
                          Case{cvtHTML, "#563412"}, Case{cvtWebName, "#563412"}}) {
        Picker->SetColorValueText(c.style);
        EXPECT_EQ(Picker->SelectedColorText(), c.text);
    }
    auto* bare = Make_Control<TExtColorPickerDropDown>(Form, Form, "Bare", 10, 60, 150, 21);
    bare->SetColorValueText(cvtWebName);
    bare->SetSelectedColor(0x0000FF);
    EXPECT_EQ(bare->SelectedColorText(), "clWebRed");
    bare->SetSelectedColor(0x123457);
    EXPECT_EQ(bare->SelectedColorText(), "#573412");
}

TEST_F(ColorPickerTest, ValueTextSetsTheColourFromAnyTextItGives)
{
    Picker->SetColorValueText(cvtHTML);
    struct Case {
        const char* text;
        bool ok;
        TColor color;
        const char* shown;
    };
    const Case cases[] = {
        {"Olive", true, 0x008080, "Olive"},     {"navy", true, 0x800000, "Navy"},
        {"#563412", true, 0x123456, "#563412"}, {"0000FF", true, 0x0000FF, "Red"},
        {"clWebSnow", true, 0xFAFAFF, "#FFFAFA"}, {"Red:1,Green:2,Blue:3", true, 0x030201, "#010203"},
        {"no colour", false, 0x030201, "#010203"}, {"", true, clNone, "#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Picker->SetValueText(c.text), c.ok);
        EXPECT_EQ(Picker->SelectedColor(), c.color);
        if (c.color != clNone) {
            EXPECT_EQ(Picker->ValueText(), c.shown);
        }
    }
}

// ---------------------------------------------------------------- the list by mouse and keys

TEST_F(ColorPickerTest, EveryWayOfOpeningLeadsToAClickedColour)
{
    struct Case {
        const char* name;
        WORD key;
        TShiftState shift;
    };
    for (const Case& c : {Case{"button", 0, {}}, Case{"F4", VK_F4, {}}, Case{"Alt+Down", VK_DOWN, {ssAlt}}}) {
        SCOPED_TRACE(c.name);
        Picker->SetSelectedColor(clBlack);
        Events.clear();
        if (c.key) UserKey(Picker, c.key, c.shift);
        else Open();
        ASSERT_TRUE(Picker->DroppedDown());
        // The list shows every colour and marks the current one.
        EXPECT_EQ(Picker->ItemSelector()->Items()->Count(), 16);
        EXPECT_EQ(Picker->ItemSelector()->ItemIndex(), 0);
        ClickItem(5);
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_EQ(Picker->SelectedColor(), TColor(0x800080));
        EXPECT_EQ(Picker->SelectedColorText(), "Purple");
        EXPECT_EQ(Events, std::vector<String>({"select 5", "kept"}));
        EXPECT_EQ(FindFocusedControl(), Picker);
    }
}

TEST_F(ColorPickerTest, KeysMoveInTheOpenListAndEnterKeeps)
{
    Picker->SetSelectedColor(0x008080);
    Open();
    Events.clear();
    UserKey(Picker, VK_DOWN);
    UserKey(Picker, VK_DOWN);
    EXPECT_TRUE(Picker->DroppedDown());
    EXPECT_EQ(Picker->ItemIndex(), 5);
    EXPECT_EQ(Picker->SelectedColorText(), "Purple");
    UserKey(Picker, VK_UP);
    UserKey(Picker, VK_END);
    EXPECT_EQ(Picker->SelectedColorText(), "White");
    UserKey(Picker, VK_HOME);
    UserKey(Picker, VK_RIGHT);
    EXPECT_EQ(Picker->SelectedColorText(), "Maroon");
    UserKey(Picker, VK_RETURN);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColorText(), "Maroon");
    EXPECT_EQ(Events, std::vector<String>({"select 4", "select 5", "select 4", "select 15", "select 0", "select 1",
                                           "kept", "select 1"}));
}

TEST_F(ColorPickerTest, EscAndAClickOutsideBringTheOldColourBack)
{
    struct Case {
        const char* name;
        std::function<void(ColorPickerTest*)> leave;
    };
    const Case cases[] = {
        {"Esc", [](ColorPickerTest* t) { UserKey(t->Picker, VK_ESCAPE); }},
        {"click outside", [](ColorPickerTest* t) { UserClick(t->Other); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserFocus(Picker);
        Picker->SetSelectedColor(0x008080);
        Open();
        Events.clear();
        UserKey(Picker, VK_DOWN);
        UserKey(Picker, VK_DOWN);
        EXPECT_EQ(Picker->SelectedColorText(), "Purple");
        c.leave(this);
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_EQ(Picker->ItemIndex(), 3);
        EXPECT_EQ(Picker->SelectedColor(), TColor(0x008080));
        EXPECT_EQ(Picker->SelectedColorText(), "Olive");
        EXPECT_EQ(Events, std::vector<String>({"select 4", "select 5", "cancelled", "select 3"}));
    }
}

TEST_F(ColorPickerTest, PagesStopAtTheEndsAndUpStartsAtTheTop)
{
    Open();
    const int v = Picker->ItemSelector()->GetVisibleItemCount();
    ASSERT_GT(v, 1);
    ASSERT_LT(v, 16);
    // Nothing chosen: Up and Down both begin at the first colour.
    EXPECT_EQ(Picker->ItemIndex(), -1);
    UserKey(Picker, VK_UP);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    UserKey(Picker, VK_UP);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    UserKey(Picker, VK_NEXT);
    EXPECT_EQ(Picker->ItemIndex(), v);
    for (int i = 0; i < 4; ++i) UserKey(Picker, VK_NEXT);
    EXPECT_EQ(Picker->ItemIndex(), 15);
    UserKey(Picker, VK_PRIOR);
    EXPECT_EQ(Picker->ItemIndex(), 15 - v);
    for (int i = 0; i < 4; ++i) UserKey(Picker, VK_PRIOR);
    EXPECT_EQ(Picker->ItemIndex(), 0);
    // The choice stays in view of the scrolled list.
    UserKey(Picker, VK_END);
    const TRect r = ListPanel()->GetItemRect(15);
    EXPECT_GE(r.Top + ListPanel()->Top(), 0);
    EXPECT_LE(r.Bottom + ListPanel()->Top(), Picker->ItemSelector()->ClientHeight());
}

TEST_F(ColorPickerTest, LettersFindAColourByItsFirstLetters)
{
    Open();
    UserKey(Picker, 'B');
    EXPECT_EQ(Picker->SelectedColorText(), "Black");
    UserKey(Picker, 'L');
    UserKey(Picker, 'U');
    EXPECT_EQ(Picker->SelectedColorText(), "Blue");
    EXPECT_EQ(Picker->CurrentSearch(), "BLU");
    EXPECT_TRUE(Picker->DroppedDown());
    // Half a second later the letters start a new search.
    Sleep(600);
    Pump();
    EXPECT_EQ(Picker->CurrentSearch(), "");
    UserKey(Picker, 'S');
    EXPECT_EQ(Picker->SelectedColorText(), "Silver");
    // Keys that type nothing do not spoil the search.
    UserKey(Picker, VK_SHIFT);
    EXPECT_EQ(Picker->CurrentSearch(), "S");
    UserKey(Picker, 'X');
    EXPECT_EQ(Picker->SelectedColorText(), "Silver");
    UserKey(Picker, VK_RETURN);
    EXPECT_EQ(Picker->SelectedColorText(), "Silver");
}

TEST_F(ColorPickerTest, TypedLettersLookUpTheFirstColourTheyBegin)
{
    struct Case {
        const char* keys;
        const char* colour;
    };
    const Case cases[] = {
        {"B", "Black"}, {"BL", "Black"}, {"BLU", "Blue"}, {"G", "Green"}, {"GRA", "Gray"}, {"NA", "Navy"},
        {"F", "Fuchsia"}, {"W", "White"}, {"T", "Teal"},  {"Z", "Olive"}, {"OX", "Olive"}, {"SIL", "Silver"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        // A picker of its own for each case: the letters of one do not run into the next.
        auto* p = Make_Control<TExtColorPickerDropDown>(Form, Form, "Typed" + IntToStr(n++), 10, 60, 150, 21);
        p->AddDefaultColors();
        p->SetSelectedColor(0x008080);
        UserFocus(p);
        UserKey(p, VK_F4);
        ASSERT_TRUE(p->DroppedDown());
        for (const char* k = c.keys; *k; ++k) UserKey(p, WORD(*k));
        EXPECT_TRUE(p->DroppedDown());
        UserKey(p, VK_RETURN);
        EXPECT_EQ(p->SelectedColorText(), c.colour);
        delete p;
    }
}

TEST_F(ColorPickerTest, EnterTakesTheColourUnderTheMouse)
{
    Picker->SetSelectedColor(clBlack);
    Open();
    Events.clear();
    const TPoint p = ItemCentre(2);
    UserMouseMove(ListPanel(), p.X, p.Y);
    EXPECT_EQ(Picker->ItemSelector()->ItemHot(), 2);
    UserKey(Picker, VK_RETURN);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColorText(), "Green");
    // Enter chose and closed: it is no further announcement.
    EXPECT_EQ(Events, std::vector<String>({"select 2", "kept"}));
    // With the list closed Enter only announces.
    UserKey(Picker, VK_RETURN);
    EXPECT_EQ(Events, std::vector<String>({"select 2", "kept", "select 2"}));
}

TEST_F(ColorPickerTest, TheWheelStepsTheClosedPickerAndTheHotItemOfTheOpenList)
{
    Picker->SetSelectedColor(clBlack);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->SelectedColorText(), "Maroon");
    Open();
    UserWheel(Picker->DropDownForm(), -120);
    UserWheel(Picker->DropDownForm(), -120);
    EXPECT_EQ(Picker->ItemIndex(), 1);
    EXPECT_GE(Picker->ItemSelector()->ItemHot(), 0);
    UserKey(Picker, VK_ESCAPE);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->SelectedColorText(), "Green");
    UserWheel(Picker, 120);
    UserWheel(Picker, 120);
    UserWheel(Picker, 120);
    EXPECT_EQ(Picker->SelectedColorText(), "Black");
    // A step starts from the colour as it is, though Esc or code changed it with the
    // list closed.
    Open();
    UserKey(Picker, VK_DOWN);
    UserKey(Picker, VK_DOWN);
    UserKey(Picker, VK_ESCAPE);
    EXPECT_EQ(Picker->SelectedColorText(), "Black");
    Events.clear();
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->SelectedColorText(), "Maroon");
    EXPECT_EQ(Events, std::vector<String>({"select 1"}));
    Picker->SetSelectedColor(clWhite);
    UserWheel(Picker, 120);
    EXPECT_EQ(Picker->SelectedColorText(), "Aqua");
    Picker->SetReadOnly(true);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->SelectedColorText(), "Aqua");
}

TEST_F(ColorPickerTest, KeysStepTheClosedPicker)
{
    Picker->SetSelectedColor(0x123456);
    UserKey(Picker, VK_DOWN);
    EXPECT_EQ(Picker->SelectedColorText(), "Black");
    UserKey(Picker, VK_DOWN);
    UserKey(Picker, VK_DOWN);
    EXPECT_EQ(Picker->SelectedColorText(), "Green");
    UserKey(Picker, VK_UP);
    EXPECT_EQ(Picker->SelectedColorText(), "Maroon");
    UserKey(Picker, VK_END);
    EXPECT_EQ(Picker->SelectedColorText(), "White");
    UserKey(Picker, VK_DOWN);
    EXPECT_EQ(Picker->SelectedColorText(), "White");
    UserKey(Picker, VK_HOME);
    EXPECT_EQ(Picker->SelectedColorText(), "Black");
    EXPECT_FALSE(Picker->DroppedDown());
}

// ---------------------------------------------------------------- the other styles

TEST_F(ColorPickerTest, APaletteBoxIsChosenByClickAndEscBringsBackAnyColour)
{
    Picker->SetColorSelectionStyle(csDiscrete);
    Picker->SetColorValueText(cvtHex);
    Picker->SetSelectedColor(0x123456);
    Events.clear();
    Open();
    TCustomColorSelector* pal = Picker->ColorSelector();
    ASSERT_NE(pal, nullptr);
    EXPECT_TRUE(pal->Visible());
    // The window fits the palette and its border, whatever the list's height.
    EXPECT_EQ(Picker->DropDownForm()->Width(), 165 + 2);
    EXPECT_EQ(Picker->DropDownForm()->Height(), 84 + 2);
    EXPECT_FALSE(Picker->DropDownForm()->FSizeable);
    // Opening is no choice.
    EXPECT_TRUE(Events.empty());
    // Keys choose boxes with the window staying open; Esc brings the colour back, though
    // the palette does not hold it.
    UserKey(Picker, VK_DOWN);
    UserKey(Picker, VK_RIGHT);
    EXPECT_TRUE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColor(), TColor(0x000000));
    UserKey(Picker, VK_ESCAPE);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColor(), TColor(0x123456));
    EXPECT_EQ(Picker->SelectedColorText(), "123456");
    // The wheel over the closed edit steps through the palette from the colour as it is.
    Picker->SetSelectedColor(0xFFFFFF);
    UserWheel(Picker, -120);
    EXPECT_EQ(Picker->SelectedColor(), TColor(0x000000));
    Picker->SetSelectedColor(0x123456);
    // A click takes the box and closes.
    Open();
    const TRect r = pal->GetItemRect(15);
    UserClick(pal, r.Left + 5, r.Top + 5);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColor(), TColor(0xDBDCF2));
    EXPECT_EQ(Picker->ItemIndex(), -1);
    EXPECT_EQ(Picker->SelectedColorText(), "DBDCF2");
    // A colour of the palette comes back through it; opening on it is no choice either.
    Events.clear();
    Open();
    EXPECT_EQ(pal->ItemIndex(), 15);
    EXPECT_TRUE(Events.empty());
    UserKey(Picker, VK_LEFT);
    EXPECT_EQ(Picker->SelectedColor(), TColor(0xF1E5DB));
    UserKey(Picker, VK_ESCAPE);
    EXPECT_EQ(Picker->SelectedColor(), TColor(0xDBDCF2));
    // Enter on the hot box takes it.
    Open();
    const TRect h = pal->GetItemRect(2);
    UserMouseMove(pal, h.Left + 5, h.Top + 5);
    UserKey(Picker, VK_RETURN);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColor(), TColor(0xE1ECEE));
    // A colour set while closed is marked when the palette opens, and that is no choice.
    Picker->SetSelectedColor(0xFFFFFF);
    Events.clear();
    Open();
    EXPECT_EQ(pal->ItemIndex(), 0);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Picker->SelectedColor(), clWhite);
}

TEST_F(ColorPickerTest, AHoneycombOrSpectrumClickChoosesAndCloses)
{
    Picker->SetColorValueText(cvtHTML);
    Picker->SetColorSelectionStyle(csColorCube);
    Picker->SetSelectedColor(0x123456);
    Open();
    TExtColorCubePanel* cube = Picker->ColorCubePanel();
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(Picker->DropDownForm()->Width(), 182 + 2);
    EXPECT_EQ(Picker->DropDownForm()->Height(), 160 + 2);
    UserClick(cube, 91, 80);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColor(), clWhite);
    // A named colour chosen outside the list is shown by its value.
    EXPECT_EQ(Picker->ItemIndex(), -1);
    EXPECT_EQ(Picker->SelectedColorText(), "#FFFFFF");
    // The honeycomb shows the current colour when it opens again.
    Open();
    EXPECT_EQ(cube->SelectedIndex(), 64);
    UserKey(Picker, VK_ESCAPE);
    EXPECT_EQ(Picker->SelectedColor(), clWhite);

    Picker->SetColorSelectionStyle(csSpectrum);
    Open();
    TExtColorSpectrumPanel* sp = Picker->SpectrumPanel();
    ASSERT_NE(sp, nullptr);
    EXPECT_FALSE(cube->Visible());
    EXPECT_EQ(Picker->DropDownForm()->Width(), 150 + 2);
    UserClick(sp->SpectrumImage(), 0, 64);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->SelectedColor(), TColor(0x0000FF));
    EXPECT_EQ(Picker->SelectedColorText(), "#FF0000");
}

TEST_F(ColorPickerTest, SwitchingTheStyleWhileOpenShowsTheNewSelector)
{
    Open();
    const int listWidth = Picker->DropDownForm()->Width();
    Picker->SetColorSelectionStyle(csColorCube);
    EXPECT_TRUE(Picker->DroppedDown());
    EXPECT_TRUE(Picker->ColorCubePanel()->Visible());
    EXPECT_FALSE(Picker->ItemSelector()->Visible());
    EXPECT_EQ(Picker->Control(), Picker->ColorCubePanel());
    EXPECT_EQ(Picker->DropDownForm()->Width(), 184);
    Picker->SetColorSelectionStyle(csList);
    EXPECT_TRUE(Picker->ItemSelector()->Visible());
    EXPECT_FALSE(Picker->ColorCubePanel()->Visible());
    EXPECT_EQ(Picker->DropDownForm()->Width(), listWidth);
    UserKey(Picker, VK_ESCAPE);
    // A new window gets new selectors.
    delete Picker->DropDownForm();
    EXPECT_EQ(Picker->ItemSelector(), nullptr);
    EXPECT_EQ(Picker->ColorCubePanel(), nullptr);
    Open();
    ASSERT_NE(Picker->ItemSelector(), nullptr);
    ClickItem(9);
    EXPECT_EQ(Picker->SelectedColorText(), "Red");
}

TEST_F(ColorPickerTest, DrawingHandlersReplaceTheEditAndTheListItems)
{
    Picker->SetSelectedColor(0x0000FF);
    std::vector<int> drawn;
    Picker->OnDrawColor = [&](TObject* Sender, TCanvas* C, const TRect& R, int Index) {
        EXPECT_EQ(Sender, Picker);
        drawn.push_back(Index);
        C->Brush()->SetColor(clLime);
        C->FillRect(R);
    };
    Open();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "colorpicker_list_drawn.png", png));
    EXPECT_FALSE(drawn.empty());
    // The handler's green where the boxes and names would be; no red box of the current colour.
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), clLime), 1000);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), TColor(0x0000FF)), 0);
    UserKey(Picker, VK_ESCAPE);
    TRect given;
    Picker->OnDrawSelectedColor = [&](TObject* Sender, TCanvas* C, const TRect& R) {
        EXPECT_EQ(Sender, Picker);
        given = R;
        C->Brush()->SetColor(clYellow);
        C->FillRect(R);
    };
    UserFocus(Other);
    Picker->Invalidate();
    Pump();
    ASSERT_TRUE(SNAPSHOT(Picker, "colorpicker_edit_drawn.png", png));
    EXPECT_EQ(given, TRect(1, 1, 150 - 2 - Picker->DropDownButtonWidth(), Picker->Height() - 2));
    EXPECT_EQ(Count_Pixels(png, TRect(6, 5, 18, 17), TColor(0x0000FF)), 0);
    EXPECT_GT(Count_Pixels(png, given, clYellow), 1000);
}

// ---------------------------------------------------------------- pictures

TEST_F(ColorPickerTest, TheEditShowsTheColourBoxAndItsName)
{
    Picker->SetSelectedColor(0x0000FF);
    UserFocus(Other);
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Picker, "colorpicker_edit.png", png));
    // The box: 14 x 14 at (5, 4) with a black frame, red inside.
    EXPECT_EQ(Count_Pixels(png, TRect(6, 5, 18, 17), TColor(0x0000FF)), 144);
    EXPECT_EQ(png.Canvas()->Pixels(5, 10), clBlack);
    // The name beside it, in dark text.
    EXPECT_GT(Count_Pixels(png, TRect(23, 3, 60, 18), [](TColor c) { return (c & 0xFF) < 0x60; }), 15);
    Picker->SetShowText(false);
    Pump();
    ASSERT_TRUE(SNAPSHOT(Picker, "colorpicker_edit_box_only.png", png));
    EXPECT_EQ(Count_Pixels(png, TRect(23, 3, 60, 18), [](TColor c) { return (c & 0xFF) < 0x60; }), 0);
    // With the focus the field is highlighted and the text light.
    Picker->SetShowText(true);
    UserFocus(Picker);
    Pump();
    ASSERT_TRUE(SNAPSHOT(Picker, "colorpicker_edit_focused.png", png));
    EXPECT_GT(Count_Pixels(png, TRect(23, 3, 120, 18), ColorToRGB(clHighlight)), 100);
    EXPECT_EQ(Count_Pixels(png, TRect(6, 5, 18, 17), TColor(0x0000FF)), 144);
}

TEST_F(ColorPickerTest, PicturesOfEachStyleOpen)
{
    Picker->SetSelectedColor(0x008080);
    Open();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "colorpicker_list_open.png", png));
    // The list is 200 high with its scroll bar; Olive's box and the selected row's face.
    EXPECT_EQ(png.Height(), 200);
    const TRect box = ListPanel()->GetItemRect(3);
    const int top = box.Top + ListPanel()->Top() + 1 + 4;
    EXPECT_GT(Count_Pixels(png, TRect(1 + box.Left + 5, top + 1, 1 + box.Left + 4 + 13, top + 13), TColor(0x008080)), 100);
    EXPECT_GT(Count_Pixels(png, TRect(1 + box.Left + 20, top, 1 + box.Right - 2, top + 14),
                           [](TColor c) { return ((c >> 16) & 0xFF) < 0xD0 && (c & 0xFF) > 0xE0; }),
              50);
    UserKey(Picker, VK_ESCAPE);

    const struct {
        TColorSelectionStyle style;
        const char* name;
        int w, h;
    } styles[] = {{csDiscrete, "colorpicker_palette_open.png", 167, 86},
                  {csColorCube, "colorpicker_honeycomb_open.png", 184, 162},
                  {csSpectrum, "colorpicker_spectrum_open.png", 152, 176}};
    Picker->SetSelectedColor(0x4696F7);
    for (const auto& s : styles) {
        SCOPED_TRACE(s.name);
        Picker->SetColorSelectionStyle(s.style);
        Open();
        ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), s.name, png));
        EXPECT_EQ(png.Width(), s.w);
        EXPECT_EQ(png.Height(), s.h);
        // The selector fills the window inside its one-pixel margin.
        EXPECT_EQ(Picker->Control()->BoundsRect(), TRect(1, 1, s.w - 1, s.h - 1));
        UserKey(Picker, VK_ESCAPE);
    }
    // The palette marks the current colour; the honeycomb's centre cell is white; the
    // spectrum's selected swatch shows the current colour.
    Picker->SetColorSelectionStyle(csDiscrete);
    Open();
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "colorpicker_palette_open.png", png));
    const TRect sel = Picker->ColorSelector()->GetItemRect(9);
    EXPECT_EQ(png.Canvas()->Pixels(1 + sel.Left, 1 + sel.Top + 5), TColor(0x0000FF));
    EXPECT_EQ(png.Canvas()->Pixels(1 + sel.Left + 6, 1 + sel.Top + 6), TColor(0x4696F7));
    UserKey(Picker, VK_ESCAPE);
    Picker->SetColorSelectionStyle(csSpectrum);
    Open();
    ASSERT_TRUE(SNAPSHOT(Picker->DropDownForm(), "colorpicker_spectrum_open.png", png));
    EXPECT_GT(Count_Pixels(png, TRect(12, 148, 73, 166), TColor(0x4696F7)), 900);
    UserKey(Picker, VK_ESCAPE);
}

}  // namespace
