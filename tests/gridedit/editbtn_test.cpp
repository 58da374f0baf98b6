// The edit with a button and the unit edit as controls of their own: the button part's
// click and focus, the text's room, F4, typing and the mask, the unit menu and the
// splitting of a value into text and unit, and their pictures.
#include <gtest/gtest.h>

#include <vector>

#include "gridedit/AsgEditBtn.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"


namespace {

class EditBtnTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TAsgEditBtn* Edit = nullptr;
    TAsgUnitEditBtn* UnitEdit = nullptr;
    TEdit* Other = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(140);
        Edit = Make_Control<TAsgEditBtn>(Form, Form, "Edit", 10, 10, 140, 24);
        UnitEdit = Make_Control<TAsgUnitEditBtn>(Form, Form, "UnitEdit", 10, 50, 140, 24);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 90, 140, 24);
        Edit->SetTabOrder(0);
        UnitEdit->SetTabOrder(1);
        Other->SetTabOrder(2);
        for (const char* u : {"mm", "cm", "m", "km"}) UnitEdit->Units()->Add(u);
        Edit->OnClickBtn = [this](TObject* Sender) {
            Events.push_back(String("click ") + (Sender == Edit ? "edit" : Sender == Edit->Button() ? "part" : "?") +
                             (FindFocusedControl() == Edit ? " focused" : ""));
        };
        UnitEdit->OnClickBtn = [this](TObject* Sender) {
            Events.push_back(String("click ") + (Sender == UnitEdit ? "unit edit" : "?"));
        };
        UnitEdit->OnUnitChanged = [this](TObject*, const String& u) { Events.push_back("unit " + u); };
        Form->Show();
        Pump();
        UserFocus(Other);
    }
    void TearDown() override { delete Form; }
    void Pump() { Application->ProcessMessages(); }
};

// ---------------------------------------------------------------- room and height

TEST_F(EditBtnTest, NewEditsKeepTheirTextOutFromUnderTheButton)
{
    TAsgEditBtn* e = new TAsgEditBtn(Form);
    EXPECT_EQ(e->Text(), "0");
    EXPECT_EQ(e->Button()->Width(), 18);
    EXPECT_EQ(e->Button()->Height(), 18);
    EXPECT_EQ(e->Button()->FocusControl(), e);
    delete e;

    struct Case {
        TAsgEditBtn* edit;
        TBorderStyle border;
        int right, left;
    };
    for (const Case& c : {Case{Edit, bsSingle, 140 - 18 - 5, 1}, Case{Edit, bsNone, 140 - 18 - 5, 3},
                          Case{UnitEdit, bsSingle, 140 - 18 - 20 - 8, 1}}) {
        SCOPED_TRACE(c.edit->Name());
        c.edit->SetBorderStyle(c.border);
        c.edit->SetBounds(10, c.edit->Top(), 140, 24);
        EXPECT_EQ(c.edit->FormatRect().Right, c.right);
        EXPECT_EQ(c.edit->FormatRect().Left, c.left);
        EXPECT_EQ(c.edit->FormatRect().Bottom, 25);
        // The part sits at the right edge, inset by the border.
        const int d = c.border == bsNone ? 1 : 5;
        EXPECT_EQ(c.edit->Button()->Left(), 140 - 18 - d);
        EXPECT_EQ(c.edit->Button()->Height(), 24 - d);
    }
    // A unit edit aligns its text right; its unit room can change.
    EXPECT_TRUE(UnitEdit->RightAlign());
    EXPECT_FALSE(Edit->RightAlign());
    UnitEdit->SetUnitSpace(30);
    EXPECT_EQ(UnitEdit->FormatRect().Right, 140 - 18 - 30 - 8);
    Edit->SetButtonWidth(25);
    EXPECT_EQ(Edit->Button()->Width(), 25);
    EXPECT_EQ(Edit->FormatRect().Right, 140 - 25 - 5);
}

TEST_F(EditBtnTest, HeightIsRaisedToWhatTheFontNeeds)
{
    struct Case {
        int font, system, expect;
    };
    for (const Case& c : {Case{16, 16, 20}, Case{13, 16, 16}, Case{20, 8, 22}, Case{8, 20, 10}}) {
        SCOPED_TRACE(c.font);
        EXPECT_EQ(EditMinHeight(c.font, c.system), c.expect);
    }
    Edit->SetHeight(6);
    EXPECT_EQ(Edit->Height(), Edit->GetMinHeight());
    EXPECT_GT(Edit->Height(), 6);
    // The resize that raised it placed the part too.
    EXPECT_EQ(Edit->Button()->Height(), Edit->Height() - 5);
}

// ---------------------------------------------------------------- the button and F4

TEST_F(EditBtnTest, TheButtonReportsOnReleaseBeforeTheFocusMoves)
{
    TExtSpeedButton* b = Edit->Button()->Button();
    gui_input::Mouse(b, WM_LBUTTONDOWN, 4, 4, TShiftState{ssLeft});
    EXPECT_TRUE(Events.empty());
    EXPECT_TRUE(b->ShowsDown());
    gui_input::Mouse(b, WM_LBUTTONUP, 4, 4, TShiftState());
    Pump();
    // The part is the sender; the edit takes the focus afterwards.
    EXPECT_EQ(Events, std::vector<String>{"click part"});
    EXPECT_EQ(FindFocusedControl(), Edit);
    EXPECT_FALSE(b->ShowsDown());
    // The right button does nothing.
    Events.clear();
    UserRightClick(b);
    EXPECT_TRUE(Events.empty());
}

TEST_F(EditBtnTest, F4WorksTheButtonWithoutCtrlOrAlt)
{
    struct Case {
        TShiftState shift;
        bool fires;
    };
    UserFocus(Edit);
    for (const Case& c : {Case{TShiftState(), true}, Case{TShiftState{ssCtrl}, false}, Case{TShiftState{ssAlt}, false},
                          Case{TShiftState{ssShift}, true}}) {
        Events.clear();
        UserKey(Edit, VK_F4, c.shift);
        EXPECT_EQ(Events.size(), c.fires ? 1u : 0u);
        if (c.fires) {
            EXPECT_EQ(Events[0], "click edit focused");
        }
    }
}

// ---------------------------------------------------------------- typing and the mask

TEST_F(EditBtnTest, TypingPastingAndCuttingNeedTheEditor)
{
    Clipboard()->SetAsText("77");
    struct Case {
        const char* name;
        bool editor, readOnly;
        const char* expect;
    };
    const Case cases[] = {
        {"editor", true, false, "1277"},
        {"no editor", false, false, "0"},
        {"read only", true, true, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetText("0");
        Edit->SetEditorEnabled(c.editor);
        Edit->SetReadOnly(c.readOnly);
        UserFocus(Edit);
        Edit->SelectAll();
        UserType(Edit, "12");
        UserKey(Edit, 'V', TShiftState{ssCtrl});
        EXPECT_EQ(Edit->Text(), c.expect);
        Edit->SelectAll();
        UserKey(Edit, 'X', TShiftState{ssCtrl});
        EXPECT_EQ(Edit->Text(), c.editor && !c.readOnly ? "" : c.expect);
    }
}

TEST_F(EditBtnTest, AMaskTakesOnlyWhatFitsItAndFillsItsLiterals)
{
    struct Case {
        const char* mask;
        const char* typed;
        const char* expect;
        int beeps;
    };
    const Case cases[] = {
        {"00/00/0000", "24122025", "24/12/2025", 0},
        // The mask types its literals itself: typing one is refused.
        {"00/00/0000", "24/12", "24/12/", 1},
        {">LL-000", "ab123", "AB-123", 0},
        {"000", "12a3", "123", 1},
        {"000", "1234", "123", 1},
        {"", "a-1", "a-1", 0},
    };
    UserFocus(Edit);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        Edit->SetEditMask(c.mask);
        Edit->SetText("");
        const int beeps = MessageBeepCount();
        UserType(Edit, c.typed);
        EXPECT_EQ(Edit->Text(), c.expect);
        EXPECT_EQ(MessageBeepCount() - beeps, c.beeps);
    }
    // A paste must fit as a whole.
    Edit->SetEditMask("000");
    Edit->SetText("");
    Clipboard()->SetAsText("12x");
    UserKey(Edit, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(Edit->Text(), "");
    Clipboard()->SetAsText("12");
    UserKey(Edit, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(Edit->Text(), "12");
}

// ---------------------------------------------------------------- units

TEST_F(EditBtnTest, ValuesSplitAtTheFirstListedUnitThatEndsThem)
{
    struct Case {
        std::vector<const char*> units;
        const char* value;
        const char* text;
        const char* unit;
    };
    const Case cases[] = {
        {{"m", "km"}, "5km", "5k", "m"},
        {{"km", "m"}, "5km", "5", "km"},
        // The unit's first occurrence must end the value.
        {{"m"}, "m5m", "old", "kg"},
        {{"kg", "g"}, "12g", "12", "g"},
        {{"kg", "g"}, "12", "old", "kg"},
        {{"°C", "C"}, "21.5°C", "21.5", "°C"},
        {{"m"}, "m", "", "m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        UnitEdit->Units()->Clear();
        for (const char* u : c.units) UnitEdit->Units()->Add(u);
        UnitEdit->SetText("old");
        UnitEdit->SetUnitID("kg");
        UnitEdit->SetTextAndUnit(c.value);
        EXPECT_EQ(UnitEdit->Text(), c.text);
        EXPECT_EQ(UnitEdit->UnitID(), c.unit);
        if (String(c.text) != "old") {
            EXPECT_EQ(UnitEdit->TextAndUnit(), c.value);
        }
    }
    // Units are copied; none changes nothing.
    TStringList list;
    list.Add("V");
    UnitEdit->SetUnits(&list);
    list.Add("A");
    EXPECT_EQ(UnitEdit->Units()->Count(), 1);
    UnitEdit->SetUnits(nullptr);
    EXPECT_EQ(UnitEdit->Units()->Count(), 1);
}

TEST_F(EditBtnTest, TheUnitMenuSetsTheUnitAndReportsOnlyAChange)
{
    TInteractionScript script;
    script.PickMenu("km").PickMenu("km").PickMenu("").PickMenu("cm");
    UnitEdit->SetUnitID("m");
    // The button part, then F4, then F4 again (closed without a choice).
    UserClick(UnitEdit->Button()->Button());
    Pump();
    EXPECT_EQ(UnitEdit->UnitID(), "km");
    UserKey(UnitEdit, VK_F4);
    Pump();
    UserKey(UnitEdit, VK_F4);
    Pump();
    // Ctrl+F4 and Alt+F4 open nothing.
    UserKey(UnitEdit, VK_F4, TShiftState{ssCtrl});
    UserKey(UnitEdit, VK_F4, TShiftState{ssAlt});
    Pump();
    EXPECT_EQ(script.PendingSteps(), 1);
    UserKey(UnitEdit, VK_F4);
    Pump();
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(Events, (std::vector<String>{"click unit edit", "unit km", "click unit edit", "click unit edit",
                                           "click unit edit", "unit cm"}));
    EXPECT_EQ(UnitEdit->UnitID(), "cm");
    // An identifier outside the units changes nothing.
    Events.clear();
    UnitEdit->Perform(WM_COMMAND, 9, 0);
    UnitEdit->Perform(WM_COMMAND, 0, 0);
    EXPECT_EQ(UnitEdit->UnitID(), "cm");
    EXPECT_TRUE(Events.empty());
}

// ---------------------------------------------------------------- pictures

TEST_F(EditBtnTest, ACustomColouredButtonIsFlatAndFilledWithABlackCaption)
{
    Edit->SetText("value");
    Edit->SetButtonCaption("W");
    for (bool xp : {false, true}) {
        SCOPED_TRACE(xp);
        Edit->SetIsWinXP(xp);
        Edit->Button()->ButtonColor = clLime;
        Edit->Button()->ButtonColorDown = clRed;
        Edit->Button()->ButtonTextColor = clBlue;
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Edit, xp ? "edit_button_colours_themed.png" : "edit_button_colours.png", png));
        EXPECT_TRUE(Edit->Button()->Button()->Flat());
        const TAsgEditButton* part = Edit->Button();
        const TRect r = Bounds(part->Left(), part->Top(), part->Width(), part->Height());
        EXPECT_GT(Count_Pixels(png, r, clLime), r.Width() * r.Height() * 3 / 4);
        const auto dark = [](TColor c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; };
        EXPECT_GE(Count_Pixels(png, r, dark), 8);
        EXPECT_EQ(Count_Pixels(png, r, clBlue), 0);
        // Pressed, it takes the down colour.
        gui_input::Mouse(part->Button(), WM_LBUTTONDOWN, 3, 3, TShiftState{ssLeft});
        TBitmap down;
        ASSERT_TRUE(SNAPSHOT(Edit, "edit_button_pressed.png", down));
        gui_input::Mouse(part->Button(), WM_LBUTTONUP, 3, 3, TShiftState());
        EXPECT_GT(Count_Pixels(down, r, clRed), r.Width() * r.Height() * 3 / 4);
    }
}

// The pointer over the button gives it the hot colour; leaving gives the plain one back.
TEST_F(EditBtnTest, TheButtonTracksThePointerForItsHotLook)
{
    TAsgEditButton* part = Edit->Button();
    part->ButtonColor = clLime;
    part->ButtonColorHot = clYellow;
    const TRect r = Bounds(part->Left(), part->Top(), part->Width(), part->Height());
    const int area = r.Width() * r.Height();
    struct Step {
        unsigned msg;   // what the host sends as the pointer comes and goes
        bool hot;
        TColor fill;
    };
    for (const Step& s : {Step{CM_MOUSEENTER, true, clYellow}, Step{CM_MOUSELEAVE, false, clLime}}) {
        part->Button()->Perform(s.msg);
        EXPECT_EQ(part->Button()->Hot(), s.hot);
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Edit, s.hot ? "edit_button_hot.png" : "edit_button_cold.png", png));
        EXPECT_GT(Count_Pixels(png, r, s.fill), area * 3 / 4);
    }
}

TEST_F(EditBtnTest, PicturesOfAButtonEditAndAUnitEdit)
{
    Edit->SetText("value");
    Edit->SetButtonCaption("...");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit, "edit_button.png", png));
    const auto dark = [](TColor c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; };
    const TAsgEditButton* part = Edit->Button();
    // The caption in the button, the text left of it.
    EXPECT_GE(Count_Pixels(png, Bounds(part->Left(), part->Top(), part->Width(), part->Height()), dark), 3);
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, part->Left(), png.Height()), dark), 20);

    UnitEdit->SetText("12.5");
    UnitEdit->SetUnitID("km");
    UnitEdit->SetButtonCaption("...");
    TBitmap unit;
    ASSERT_TRUE(SNAPSHOT(UnitEdit, "unit_edit.png", unit));
    // The unit lies in its room between the text and the button.
    const int right = UnitEdit->ClientWidth() - UnitEdit->Button()->Width() - 3;
    const TRect room = TRect(right - UnitEdit->UnitSpace(), 2, right, UnitEdit->ClientHeight() - 2);
    EXPECT_GT(Count_Pixels(unit, room, dark), 10);
    UnitEdit->SetUnitID("");
    TBitmap none;
    ASSERT_TRUE(SNAPSHOT(UnitEdit, "unit_edit_no_unit.png", none));
    EXPECT_EQ(Count_Pixels(none, room, dark), 0);
}

}   // namespace
