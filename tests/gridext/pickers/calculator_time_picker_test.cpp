// The calculator and time pickers as a user works them: the pad clicked and keys typed
// while it is open and closed, Enter and Esc, the time stepped under the caret and set
// on the clock, and pictures of both open.
#include <vector>

#include "gridext/dropdown/CalculatorDropDown.h"
#include "gridext/dropdown/TimePickerDropDown.h"
#include "tests/gridext/pickers/picker_fixture.h"

namespace {

class CalculatorPickerTest : public PickerTest<TExtCalculatorDropdown> {
public:
    // A click in the middle of the pad's button with that name.
    void Press(const String& name)
    {
        const int i = Edit->PadButton("BTN_" + name);
        ASSERT_GE(i, 0) << name;
        const TRect r = Edit->Pad()->Buttons()->Items(i)->BoundsRect();
        UserClick(Edit->Pad(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
};

TEST_F(CalculatorPickerTest, ThePadWorksTheDisplay)
{
    struct Case {
        const char* name;
        std::vector<const char*> buttons;
        const char* shown;
    } cases[] = {
        {"sum", {"1", "2", "+", "3", "="}, "15.00"},
        {"division by zero", {"7", "/", "0", "="}, "Error"},
        {"a digit after an error", {"7", "/", "0", "=", "4"}, "4.00"},
        {"decimals", {"5", ".", "2", "5"}, "5.25"},
        {"a third decimal", {"5", ".", "2", "5", "9"}, "5.26"},
        {"percent", {"2", "0", "0", "+", "1", "0", "%"}, "20.00"},
        {"percent then equals", {"2", "0", "0", "+", "1", "0", "%", "="}, "220.00"},
        {"memory", {"9", "MS", "C", "MR", "M+", "MR"}, "18.00"},
        {"memory cleared", {"9", "MS", "MC", "MR"}, "0.00"},
        {"back", {"1", "2", "3", "BACK"}, "12.00"},
        {"back with an operation pending", {"1", "2", "+", "BACK"}, "12.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetText("0");
        UserFocus(Edit);
        OpenByButton();
        ASSERT_TRUE(Edit->DroppedDown());
        Press("C");
        for (const char* b : c.buttons) Press(b);
        EXPECT_EQ(Edit->Text(), c.shown);
        EXPECT_TRUE(Edit->DroppedDown());
        UserKey(Edit, VK_RETURN);
        EXPECT_FALSE(Edit->DroppedDown());
    }
}

TEST_F(CalculatorPickerTest, KeysInTheOpenPadAndEnterAndEsc)
{
    Edit->SetText("3");
    UserKey(Edit, VK_F4);
    ASSERT_TRUE(Edit->DroppedDown());
    // The first digit starts a new number; an operator shows the sum so far.
    UserType(Edit, "12+3");
    EXPECT_EQ(Edit->Text(), "3.00");
    UserType(Edit, "=");
    EXPECT_EQ(Edit->Text(), "15.00");
    UserType(Edit, "4+12");
    EXPECT_EQ(Edit->Text(), "12.00");
    // Enter completes the sum and keeps it.
    UserKey(Edit, VK_RETURN);
    UserType(Edit, "\r");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "16.00");
    // Esc throws away what the open pad did.
    Edit->SetText("2");
    UserKey(Edit, VK_DOWN, {ssAlt});
    ASSERT_TRUE(Edit->DroppedDown());
    UserType(Edit, "9*9");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "2.00");
}

TEST_F(CalculatorPickerTest, OperatorsTypedInTheClosedEdit)
{
    Edit->SetText("200");
    UserType(Edit, "+");
    EXPECT_EQ(Edit->Text(), "200.00");
    Edit->SelectAll();
    UserType(Edit, "5x=");
    EXPECT_EQ(Edit->Text(), "205.00");
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(CalculatorPickerTest, ThousandSeparatorsReadBack)
{
    Edit->SetShowThousandSeparator(true);
    Edit->SetValue(1234.5);
    EXPECT_EQ(Edit->Text(), "1,234.50");
    EXPECT_DOUBLE_EQ(Edit->Value(), 1234.5);
    OpenByButton();
    Press("MS");
    Press("+");
    Press("1");
    Press("=");
    EXPECT_EQ(Edit->Text(), "1,235.50");
    EXPECT_DOUBLE_EQ(Edit->Engine().Memory(), 1234.5);
    UserKey(Edit, VK_RETURN);
}

TEST_F(CalculatorPickerTest, PictureOfTheOpenPad)
{
    Edit->SetText("42");
    OpenByButton();
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "calculator_picker_open.png", png));
    EXPECT_EQ(png.Width(), 230);
    EXPECT_EQ(png.Height(), 152);
    // The special captions (C, MC ... operators) in dark red, the digits in black.
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), TColor(0x000080)), 40);
    const TRect seven = Edit->Pad()->Buttons()->Items(Edit->PadButton("BTN_7"))->BoundsRect();
    EXPECT_GT(Count_Pixels(png, TRect(seven.Left + 1, seven.Top + 2, seven.Right + 1, seven.Bottom + 2),
                           [](TColor c) { return (c & 0xFFFFFF) == 0; }),
              3);
}

// ---------------------------------------------------------------- time

using TimePickerTest = PickerTest<TExtTimePickerDropDown>;

TDateTime At(int h, int m, int s) { return EncodeTime(h, m, s, 0); }

TEST_F(TimePickerTest, TheTimeShowsAndReadsBack)
{
    EXPECT_EQ(Edit->Text(), "00:00:00");
    Edit->SetTime(At(13, 5, 9));
    EXPECT_EQ(Edit->Text(), "13:05:09");
    Edit->SetShowSeconds(false);
    EXPECT_EQ(Edit->Text(), "13:05");
    Edit->SetText("");
    Edit->SetText("13:05");
    EXPECT_DOUBLE_EQ(Edit->Time(), At(13, 5, 0));
    // Read as the grid writes a cell into it.
    Edit->SetShowSeconds(true);
    Edit->SetText("07:45:00");
    EXPECT_DOUBLE_EQ(Edit->Time(), At(7, 45, 0));
    struct Case {
        const char* name;
        const char* text;
    } unread[] = {{"first hour digit blank", " 7:45:00"}, {"hour past 23", "25:00:00"}, {"short", "7:45"}};
    for (const Case& c : unread) {
        SCOPED_TRACE(c.name);
        Edit->SetText(c.text);
        EXPECT_DOUBLE_EQ(Edit->Time(), At(7, 45, 0));
    }
}

TEST_F(TimePickerTest, UpAndDownStepTheFieldUnderTheCaret)
{
    int changes = 0;
    Edit->OnTimeChange = [&](TObject*) { ++changes; };
    struct Case {
        const char* name;
        bool seconds;
        TDateTime start;
        int caret;
        WORD key;
        const char* shown;
    } cases[] = {
        {"hours wrap up", true, At(0, 30, 0), 1, VK_UP, "23:30:00"},
        {"minutes wrap down, no carry", true, At(10, 59, 0), 4, VK_DOWN, "10:00:00"},
        {"seconds", true, At(10, 0, 59), 7, VK_DOWN, "10:00:00"},
        {"minutes without seconds", false, At(10, 0, 0), 5, VK_UP, "10:59"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetShowSeconds(c.seconds);
        Edit->SetTime(c.start);
        changes = 0;
        Edit->SetSelStart(c.caret);
        Edit->SetSelLength(0);
        UserKey(Edit, c.key);
        EXPECT_EQ(Edit->Text(), c.shown);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(Edit->SelStart(), c.caret);
        EXPECT_FALSE(Edit->DroppedDown());
    }
}

TEST_F(TimePickerTest, TheClockSetsTheTimeAndEscPutsItBack)
{
    Edit->SetAnimation(false);
    Edit->SetText("07:45:00");
    struct Case {
        const char* name;
        std::function<void(TimePickerTest*)> open, close;
        const char* shown;
    } cases[] = {
        {"Enter", [](TimePickerTest* t) { t->OpenByButton(); }, [](TimePickerTest* t) { UserKey(t->Edit, VK_RETURN); },
         "08:45:00"},
        {"click outside", [](TimePickerTest* t) { UserKey(t->Edit, VK_F4); },
         [](TimePickerTest* t) { UserClick(t->Other); }, "08:45:00"},
        {"Esc", [](TimePickerTest* t) { UserKey(t->Edit, VK_DOWN, {ssAlt}); },
         [](TimePickerTest* t) { UserKey(t->Edit, VK_ESCAPE); }, "07:45:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetTime(At(7, 45, 0));
        UserFocus(Edit);
        c.open(this);
        ASSERT_TRUE(Edit->DroppedDown());
        TExtWatch* w = Edit->Panel()->Watch();
        EXPECT_DOUBLE_EQ(w->Time(), At(7, 45, 0));
        // A click on the hour mark of 8 moves the hour hand there.
        const TPoint p = w->PointAt(TExtWatch::HourAngle(8, 0), w->Radius() * 0.5);
        UserClick(w, p.X, p.Y);
        Pump();
        EXPECT_EQ(Edit->Text(), "08:45:00");
        c.close(this);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Text(), c.shown);
        EXPECT_EQ(FormatPickerTime(Edit->Time(), true), c.shown);
        EXPECT_EQ(FormatPickerTime(w->Time(), true), c.shown);
    }
}

TEST_F(TimePickerTest, PictureOfTheOpenClock)
{
    Edit->SetTime(At(3, 0, 0));
    OpenByButton();
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "time_picker_open.png", png));
    EXPECT_EQ(png.Width(), 170);
    EXPECT_EQ(png.Height(), 172);
    // The hour hand points right from the centre at 3 o'clock, not up.
    const TPoint c = Edit->Panel()->Watch()->Center();
    const auto dark = [](TColor x) { return (x & 0xFF) < 0x60 && ((x >> 8) & 0xFF) < 0x60; };
    EXPECT_GT(Count_Pixels(png, TRect(c.X + 6, c.Y - 2, c.X + 30, c.Y + 4), dark), 15);
    UserKey(Edit, VK_ESCAPE);
}

}  // namespace
