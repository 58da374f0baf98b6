// The drop-down edit as a user meets it: the pop-up opened by the button, by F4 and by
// Alt+Down, a word chosen by click and by keys, Esc and clicks outside leaving the text
// as it was, where the pop-up lands on the screen, the user's size, the bars' buttons,
// and a picture of an open pop-up with header and footer.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/gridext/dropdown_picker.h"

namespace {

class DropDownTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TWordDropDown* Edit = nullptr;
    TEdit* Other = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 320, 200);
        Edit = Make_Control<TWordDropDown>(Form, Form, "Edit", 10, 10, 150, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 120, 150, 21);
        Edit->SetText("one");
        Edit->OnDropUp = [this](TObject*, bool Cancelled) { Events.push_back(Cancelled ? "up cancelled" : "up"); };
        Form->Show();
        Pump();
        UserFocus(Edit);
    }
    void TearDown() override
    {
        SetTestWorkAreas({});
        delete Form;
    }
    void Pump() { Application->ProcessMessages(); }
    TDropDownForm* Popup() const { return Edit->DropDownForm(); }
    // The speed button inside the drop-down button, where the user clicks.
    TControl* ArrowButton() const { return Edit->Button()->Button(); }
    TPoint EditScreenTopLeft() const { return Form->ClientToScreen(TPoint(Edit->Left(), Edit->Top())); }
    void ClickRow(int row) { UserClick(Edit->List, 20, row * 18 + 9); }
};

// ---------------------------------------------------------------- opening and choosing

TEST_F(DropDownTest, TheButtonOpensBelowTheEditAndAClickedWordBecomesTheText)
{
    UserClick(ArrowButton());
    ASSERT_TRUE(Edit->DroppedDown());
    ASSERT_TRUE(Popup()->Visible());
    const TPoint p = EditScreenTopLeft();
    EXPECT_EQ(Popup()->Left(), p.X);
    // The pop-up covers the edit's bottom line.
    EXPECT_EQ(Popup()->Top(), p.Y + Edit->Height() - 1);
    EXPECT_EQ(Edit->List->ItemIndex, 0);
    ClickRow(2);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_FALSE(Popup()->Visible());
    EXPECT_EQ(Edit->Text(), "three");
    EXPECT_EQ(Edit->OldText(), "three");
    EXPECT_EQ(Events, std::vector<String>({"up"}));
    EXPECT_EQ(FindFocusedControl(), Edit);
}

TEST_F(DropDownTest, KeysOpenMoveAndChoose)
{
    struct Case {
        const char* name;
        WORD key;
        TShiftState shift;
    };
    for (const Case& c : {Case{"F4", VK_F4, {}}, Case{"Alt+Down", VK_DOWN, {ssAlt}}, Case{"Alt+Up", VK_UP, {ssAlt}}}) {
        SCOPED_TRACE(c.name);
        Edit->SetText("one");
        UserKey(Edit, c.key, c.shift);
        ASSERT_TRUE(Edit->DroppedDown());
        // While open, the arrows belong to the list; the edit shows the word under the bar.
        UserKey(Edit, VK_DOWN);
        UserKey(Edit, VK_DOWN);
        EXPECT_TRUE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Text(), "three");
        UserKey(Edit, VK_RETURN);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Text(), "three");
        // The same key closes again, keeping the text.
        UserKey(Edit, c.key, c.shift);
        ASSERT_TRUE(Edit->DroppedDown());
        UserKey(Edit, c.key, c.shift);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Text(), "three");
    }
}

TEST_F(DropDownTest, EscAndAClickOutsideLeaveTheTextAsItWas)
{
    // Esc, a click into another control, and a click on the open pop-up's own button.
    struct Case {
        const char* name;
        std::function<void(DropDownTest*)> leave;
    };
    const Case cases[] = {
        {"Esc", [](DropDownTest* t) { UserKey(t->Edit, VK_ESCAPE); }},
        {"click outside", [](DropDownTest* t) { UserClick(t->Other); }},
        {"click on the button", [](DropDownTest* t) { UserClick(t->ArrowButton()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Events.clear();
        UserFocus(Edit);
        // Long after the last closing.
        if (Popup()) Popup()->FDeActivate = GetTickCount() - 1000;
        UserClick(ArrowButton());
        ASSERT_TRUE(Edit->DroppedDown());
        UserKey(Edit, VK_DOWN);
        EXPECT_EQ(Edit->Text(), "two");
        c.leave(this);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_FALSE(Popup()->Visible());
        EXPECT_EQ(Edit->Text(), "one");
        EXPECT_EQ(Events, std::vector<String>({"up cancelled"}));
    }
    // The click that closed the pop-up did not open it again.
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(DropDownTest, PickersThatKeepTheValueOnDeactivationKeepIt)
{
    Edit->ShowDropDown();
    Popup()->FCancelOnDeActivate = false;
    UserKey(Edit, VK_DOWN);
    UserClick(Other);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "two");
    EXPECT_EQ(Events, std::vector<String>({"up"}));
}

TEST_F(DropDownTest, EscWithTheListClosedSelectsTheTextAndForgetsTheChange)
{
    Edit->SetSelStart(3);
    UserType(Edit, "s");
    EXPECT_TRUE(Edit->Modified());
    UserKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->Text(), "ones");
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Edit->SelLength(), 4);
}

TEST_F(DropDownTest, EnterAndEscForThePopupDoNotReachTheFormsButtons)
{
    int defaults = 0, cancels = 0;
    TButton* ok = Make_Control<TButton>(Form, Form, "Ok", 200, 10, 75, 25);
    ok->SetDefault(true);
    ok->OnClick = [&](TObject*) { ++defaults; };
    TButton* cancel = Make_Control<TButton>(Form, Form, "Cancel", 200, 40, 75, 25);
    cancel->SetCancel(true);
    cancel->OnClick = [&](TObject*) { ++cancels; };
    UserFocus(Edit);
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        UserKey(Edit, VK_F4);
        ASSERT_TRUE(Edit->DroppedDown());
        UserKey(Edit, key);
        Pump();
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(defaults, 0);
        EXPECT_EQ(cancels, 0);
    }
}

TEST_F(DropDownTest, TheHeightNeverGoesBelowTheFontsNeed)
{
    Edit->SetHeight(5);
    EXPECT_GT(Edit->Height(), 12);
    const int least = Edit->Height();
    Edit->Font()->SetSize(20);
    Edit->SetHeight(least);
    EXPECT_GT(Edit->Height(), least);
    // The button stands at the right end, as high as the field allows.
    EXPECT_EQ(Edit->Button()->Left(), Edit->Width() - Edit->Button()->Width() - 4);
    EXPECT_EQ(Edit->Button()->Height(), Edit->Height() - 4);
}

TEST_F(DropDownTest, TheCaptionLabelStandsWhereItsPositionSays)
{
    Edit->SetBounds(100, 60, 150, 21);
    Edit->SetLabelCaption("Word");
    Edit->SetLabelMargin(4);
    TLabel* l = Edit->EditLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), Form);
    const int w = l->Width(), h = l->Height();
    struct Case {
        TLabelPosition pos;
        int left, top;
    };
    for (const Case& c : {Case{lpLeftTop, 100 - w - 4, 60}, Case{lpTopLeft, 100, 60 - h - 4},
                          Case{lpBottomCenter, 100 + (150 - w) / 2, 60 + 21 + 4}, Case{lpRightCenter, 254, 60 + (21 - h) / 2},
                          Case{lpTopRight, 250 - w, 60 - h - 4}}) {
        SCOPED_TRACE(int(c.pos));
        Edit->SetLabelPosition(c.pos);
        EXPECT_EQ(l->Left(), c.left);
        EXPECT_EQ(l->Top(), c.top);
    }
    Edit->Hide();
    EXPECT_FALSE(l->Visible());
}

TEST_F(DropDownTest, AClickInsideThePopupDoesNotCloseIt)
{
    Edit->DropDownFooter()->SetVisible(true);
    UserClick(ArrowButton());
    ASSERT_TRUE(Edit->DroppedDown());
    UserClick(Popup()->Footer(), 10, 10);
    UserClick(Popup());
    EXPECT_TRUE(Edit->DroppedDown());
}

TEST_F(DropDownTest, WithTheEditorDisabledOnlyThePopupKeysAndClicksWork)
{
    Edit->SetEditorEnabled(false);
    UserType(Edit, "xy");
    UserKey(Edit, VK_BACK);
    UserKey(Edit, VK_DELETE);
    EXPECT_EQ(Edit->Text(), "one");
    EXPECT_FALSE(Edit->DroppedDown());
    UserClick(Edit, 20, 10);
    EXPECT_TRUE(Edit->DroppedDown());
    UserKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->Text(), "two");
    UserKey(Edit, VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "two");
    UserKey(Edit, VK_F4);
    EXPECT_TRUE(Edit->DroppedDown());
    UserKey(Edit, VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "two");
}

TEST_F(DropDownTest, RefusedOpeningsLeaveThePopupHidden)
{
    bool accept = false;
    Edit->OnDropDown = [&](TObject*, bool& acceptdrop) { acceptdrop = accept; };
    UserClick(ArrowButton());
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_FALSE(Popup()->Visible());
    // Sized all the same.
    EXPECT_EQ(Popup()->Width(), 120);
    accept = true;
    Edit->SetReadOnly(true);
    UserKey(Edit, VK_F4);
    EXPECT_FALSE(Edit->DroppedDown());
    Edit->SetReadOnly(false);
    Edit->SetEnabled(false);
    Edit->ShowDropDown();
    EXPECT_FALSE(Edit->DroppedDown());
}

// ---------------------------------------------------------------- placement and size

TEST_F(DropDownTest, ThePopupOpensAboveWhenThePrimaryScreenEndsBelowIt)
{
    const int h = 2 + 4 * 18;   // border and four rows
    Form->SetTop(Screen->Height() - 60);
    Pump();
    Edit->ShowDropDown();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Popup()->Height(), h + Edit->DropDownHeader()->Height() + Edit->DropDownFooter()->Height());
    EXPECT_EQ(Popup()->Top(), EditScreenTopLeft().Y - Popup()->Height());
    Edit->HideDropDown(false);
    Edit->SetDropPosition(dpDown);
    Edit->ShowDropDown();
    EXPECT_EQ(Popup()->Top(), EditScreenTopLeft().Y + Edit->Height() - 1);
}

TEST_F(DropDownTest, ThePopupIsMovedLeftOnlyOnAMonitorThatStartsAtZeroOrRight)
{
    Edit->SetDropDownWidth(300);
    const TPoint p = EditScreenTopLeft();
    struct Case {
        TRect work;
        int left;
    };
    for (const Case& c : {Case{TRect(0, 0, p.X + 200, 2000), p.X + 200 - 300}, Case{TRect(-100, 0, p.X + 200, 2000), p.X},
                          Case{TRect(0, 0, 3000, 2000), p.X}}) {
        SetTestWorkAreas({c.work});
        Edit->ShowDropDown();
        EXPECT_EQ(Popup()->Left(), c.left);
        Edit->HideDropDown(false);
    }
}

TEST_F(DropDownTest, TheUsersSizeStaysUntilTheProgramSetsOne)
{
    Edit->DropDownFooter()->SetVisible(true);
    Edit->ShowDropDown();
    const int w = Popup()->Width(), h = Popup()->Height();
    // The user drags the footer's grip by (dx, dy).
    const auto drag = [this](int dx, int dy) {
        TExtFooter* f = Popup()->Footer();
        ASSERT_TRUE(f->ShowsSizeGrip());
        const TRect grip = f->GripHotArea();
        const TPoint press(grip.Right - 3, grip.Bottom - 3);
        UserPress(f, press.X, press.Y);
        ASSERT_TRUE(Popup()->Sizing());
        const TPoint at = Popup()->ScreenToClient(f->ClientToScreen(press));
        UserMouseMove(Popup(), at.X + dx, at.Y + dy, TShiftState{ssLeft});
        UserRelease(Popup(), at.X + dx, at.Y + dy);
        EXPECT_FALSE(Popup()->Sizing());
    };
    drag(40, 30);
    EXPECT_EQ(Popup()->Width(), w + 40);
    EXPECT_EQ(Popup()->Height(), h + 30);
    // Never below the least size.
    drag(-500, -500);
    EXPECT_EQ(Popup()->Width(), 80);
    EXPECT_EQ(Popup()->Height(), 50);
    drag(w + 40 - 80, h + 30 - 50);
    Edit->HideDropDown(false);
    Edit->ShowDropDown();
    EXPECT_EQ(Popup()->Width(), w + 40);
    EXPECT_EQ(Popup()->Height(), h + 30);
    Edit->HideDropDown(false);
    Edit->SetDropDownWidth(200);
    Edit->ShowDropDown();
    EXPECT_EQ(Popup()->Width(), 200);
    EXPECT_EQ(Popup()->Height(), h);
}

TEST_F(DropDownTest, NoGripAndNoSizingWhenThePopupIsNotSizeable)
{
    Edit->DropDownFooter()->SetVisible(true);
    Edit->SetDropDownSizeable(false);
    Edit->ShowDropDown();
    TExtFooter* f = Popup()->Footer();
    EXPECT_FALSE(f->ShowsSizeGrip());
    const TRect grip = f->GripHotArea();
    UserPress(f, grip.Right - 3, grip.Bottom - 3);
    EXPECT_FALSE(Popup()->Sizing());
    UserRelease(f, grip.Right - 3, grip.Bottom - 3);
}

// ---------------------------------------------------------------- bar buttons

TEST_F(DropDownTest, FooterButtonsCloseByTheirModalResult)
{
    struct Case {
        int modal;
        bool open;
        const char* text;
    };
    Edit->DropDownFooter()->SetVisible(true);
    TFooterButton* b = Edit->DropDownFooter()->Buttons()->Add();
    b->SetCaption("Go");
    int clicked = -1;
    Edit->OnDropDownFooterButtonClick = [&](TObject*, int i) {
        clicked = i;
        Events.push_back(Edit->DroppedDown() ? "click while open" : "click after closing");
    };
    for (const Case& c : {Case{mrOk, false, "two"}, Case{mrCancel, false, "one"}, Case{mrNo, false, "one"},
                          Case{mrRetry, true, "two"}}) {
        SCOPED_TRACE(c.modal);
        Edit->SetText("one");
        Events.clear();
        b->SetModalResult(c.modal);
        Edit->ShowDropDown();
        UserKey(Edit, VK_DOWN);
        TExtButton* button = Popup()->Footer()->ButtonList().ItemsEx(0);
        UserClick(button);
        EXPECT_EQ(Edit->DroppedDown(), c.open);
        EXPECT_EQ(Edit->Text(), c.text);
        EXPECT_EQ(clicked, 0);
        EXPECT_EQ(Events.back(), c.open ? "click while open" : "click after closing");
        Edit->HideDropDown(false);
    }
    // Enter on the button closes by its modal result without a click.
    b->SetModalResult(mrOk);
    Events.clear();
    Edit->ShowDropDown();
    UserKey(Popup()->Footer()->ButtonList().ItemsEx(0), VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "click after closing"), 0);
}

TEST_F(DropDownTest, HeaderButtonsReportTheirIndexAndTheButtonListGuardsItsBounds)
{
    Edit->DropDownHeader()->Buttons()->Add()->SetCaption("A");
    Edit->DropDownHeader()->Buttons()->Add()->SetCaption("B");
    int clicked = -1;
    Edit->OnDropDownHeaderButtonClick = [&](TObject*, int i) { clicked = i; };
    Edit->ShowDropDown();
    const TDbgList& list = Popup()->Header()->ButtonList();
    ASSERT_EQ(list.Count(), 2);
    // Right-aligned in list order: the first button is the rightmost.
    EXPECT_GT(list.ItemsEx(0)->Left(), list.ItemsEx(1)->Left());
    UserClick(list.ItemsEx(1));
    EXPECT_EQ(clicked, 1);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_THROW(list.ItemsEx(2), Exception);
    // A change of the buttons while open rebuilds them at once.
    Edit->DropDownHeader()->Buttons()->Add()->SetCaption("C");
    EXPECT_EQ(Popup()->Header()->ButtonList().Count(), 3);
}

// ---------------------------------------------------------------- picture

TEST_F(DropDownTest, PictureOfAnOpenPopupWithHeaderAndFooter)
{
    Edit->SetComponentStyle(tsOffice2003Blue);
    Edit->SetDropDownBorderColor(0x202020);
    Edit->DropDownHeader()->SetCaption("<b>Pick</b> a word");
    Edit->DropDownFooter()->SetVisible(true);
    Edit->DropDownFooter()->SetCaption("4 words");
    TFooterButton* ok = Edit->DropDownFooter()->Buttons()->Add();
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    Edit->SetDropDownWidth(160);
    TBitmap edit;
    ASSERT_TRUE(SNAPSHOT(Edit, "dropdown_edit.png", edit));
    // The text, and the drop-down arrow at the right end.
    EXPECT_GT(Count_Pixels(edit, TRect(2, 2, 40, 19), [](TColor c) { return (c & 0xFF) < 0x60; }), 10);
    EXPECT_GT(Count_Pixels(edit, TRect(150 - 18, 4, 150 - 2, 17), [](TColor c) { return (c & 0xFF) < 0x90; }), 4);
    UserClick(ArrowButton());
    UserKey(Edit, VK_DOWN);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Popup(), "dropdown_open.png", png));
    const int w = png.Width(), h = png.Height();
    EXPECT_EQ(w, 160);
    // The one-pixel border all round.
    EXPECT_EQ(png.Canvas()->Pixels(0, h / 2), TColor(0x202020));
    EXPECT_EQ(png.Canvas()->Pixels(w - 1, h / 2), TColor(0x202020));
    // The header's gradient runs from its colour at the top to its end colour at the bottom.
    EXPECT_GT(png.Canvas()->Pixels(w - 10, 3) & 0xFF, png.Canvas()->Pixels(w - 10, 19) & 0xFF);
    // The header's caption is drawn in black, bold text and all.
    EXPECT_GT(Count_Pixels(png, TRect(2, 2, 80, 21), [](TColor c) { return (c & 0xFF) < 0x60; }), 30);
    // The chosen row of the list, under the header.
    EXPECT_GT(Count_Pixels(png, TRect(2, 22 + 18, 100, 22 + 36), TColor(0x800000)), 500);
    // The footer's size grip: white dots in the bottom-right corner.
    EXPECT_GT(Count_Pixels(png, TRect(w - 18, h - 16, w - 1, h - 1), clWhite), 10);
    // The footer's OK button with its caption.
    EXPECT_GT(Count_Pixels(png, TRect(w - 60, h - 22, w - 14, h - 2), [](TColor c) { return (c & 0xFF) < 0x60; }), 5);
}

}
