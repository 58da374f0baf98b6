// The spin edit as a control of its own: limits, increments and wrap of its four kinds,
// the character filter, its keys, its button pair with the repeat, leaving it, its
// layout and its picture.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <thread>
#include <cmath>
#include <vector>

#include "gridedit/AsgSpin.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class SpinEditTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TAsgSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        Application->Initialize();
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        Form = new TForm(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(120);
        Spin = Make_Control<TAsgSpinEdit>(Form, Form, "Spin", 10, 10, 120, 24);
        Spin->SetTabOrder(0);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 60, 120, 24);
        Other->SetTabOrder(1);
        Spin->OnChange = [this](TObject*) { Events.push_back("change " + Spin->Text()); };
        Spin->OnEnter = [this](TObject*) { Events.push_back("enter"); };
        Form->Show();
        Pump();
        UserFocus(Spin);
    }
    void TearDown() override
    {
        delete Form;
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
    }
    void Pump() { Application->ProcessMessages(); }
    void Key(WORD k, TShiftState s = TShiftState())
    {
        UserKey(Spin, k, s);
        Pump();
    }
    // Text with the caret at pos.
    void Put(const String& text, int pos)
    {
        Spin->SetText(text);
        Spin->SetSelStart(pos);
    }
};

// ---------------------------------------------------------------- limits and increments

TEST_F(SpinEditTest, IntegerStepsStayWithinLimitsAndTheIntegerRange)
{
    struct Case {
        const char* name;
        int min, max, inc;
        const char* start;
        WORD key;
        int times;
        const char* expect;
    };
    const Case cases[] = {
        {"at the maximum", 0, 100, 1, "100", VK_UP, 1, "100"},
        {"equal limits are none", 0, 0, 1, "100", VK_UP, 1, "101"},
        {"at the minimum", 0, 100, 1, "0", VK_DOWN, 3, "0"},
        {"limits in either order", 10, 0, 1, "5", VK_UP, 9, "10"},
        {"page steps by the increment", 0, 100, 5, "10", VK_PRIOR, 1, "15"},
        {"page down", 0, 100, 5, "10", VK_NEXT, 2, "0"},
        {"increment past the maximum", 0, 100, 30, "90", VK_UP, 1, "100"},
        {"zero increment", 0, 100, 0, "42", VK_UP, 3, "42"},
        {"empty reads 0", 0, 100, 1, "", VK_UP, 1, "1"},
        {"no integer reads the minimum", 7, 100, 1, "abc", VK_UP, 1, "8"},
        // Without limits a step past the integer range stops at its end.
        {"top of the range", 0, 0, 1, "2147483647", VK_UP, 1, "2147483647"},
        {"bottom of the range", 0, 0, 1000, "-2147483000", VK_DOWN, 2, "-2147483648"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Spin->SetMinValue(c.min);
        Spin->SetMaxValue(c.max);
        Spin->SetIncrement(c.inc);
        Spin->SetText(c.start);
        for (int i = 0; i < c.times; ++i) Key(c.key);
        EXPECT_EQ(Spin->Text(), c.expect);
    }
}

TEST_F(SpinEditTest, FloatStepsShowTheDecimalsAUserExpects)
{
    struct Case {
        const char* name;
        int precision;
        double min, max, inc, page;
        const char* start;
        WORD key;
        int times;
        const char* expect;
    };
    const Case cases[] = {
        // Three steps of 0.1 show 0.3, not the binary sum's last digits.
        {"tenths add up", 0, 0, 100, 0.1, 1, "0", VK_UP, 3, "0.3"},
        {"page step", 0, 0, 100, 0.1, 1, "2.5", VK_PRIOR, 1, "3.5"},
        {"page down", 0, 0, 100, 0.1, 2.5, "2.5", VK_NEXT, 1, "0"},
        {"at the maximum", 0, 0, 100, 0.1, 1, "99.95", VK_UP, 2, "100"},
        {"below the minimum", 0, -1, 1, 0.5, 1, "-0.5", VK_DOWN, 3, "-1"},
        {"fixed decimals", 2, 0, 100, 0.1, 1, "1.5", VK_UP, 1, "1.60"},
        {"no number reads the minimum", 1, 2, 100, 0.5, 1, "x", VK_UP, 1, "2.5"},
        // A step beyond the largest double leaves the value.
        {"overflow", 0, 0, 0, 0.1, 1e308, "1e+308", VK_PRIOR, 2, "1e+308"},
    };
    Spin->SetSpinType(sptFloat);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Spin->SetPrecision(c.precision);
        Spin->SetMinFloatValue(c.min);
        Spin->SetMaxFloatValue(c.max);
        Spin->SetIncrementFloat(c.inc);
        Spin->SetIncrementFloatPage(c.page);
        Spin->SetText(c.start);
        for (int i = 0; i < c.times; ++i) Key(c.key);
        EXPECT_EQ(Spin->Text(), c.expect);
    }
}

TEST_F(SpinEditTest, DateStepsThePartUnderTheCaret)
{
    struct Case {
        const char* name;
        const char* format;
        const char* start;
        int caret;
        WORD key;
        const char* expect;
    };
    const Case cases[] = {
        {"day first, day", "dd/mm/yyyy", "24/12/2025", 1, VK_UP, "25/12/2025"},
        {"day first, caret at the separator", "dd/mm/yyyy", "31/12/2025", 2, VK_UP, "01/01/2026"},
        {"day first, month", "dd/mm/yyyy", "24/12/2025", 4, VK_UP, "24/01/2026"},
        {"day first, year", "dd/mm/yyyy", "24/12/2025", 8, VK_UP, "24/12/2026"},
        {"day first, year down", "dd/mm/yyyy", "29/02/2024", 9, VK_DOWN, "28/02/2023"},
        {"month to a shorter month", "dd/mm/yyyy", "31/01/2025", 3, VK_UP, "28/02/2025"},
        {"month first, month", "mm/dd/yyyy", "12/24/2025", 0, VK_UP, "01/24/2026"},
        {"month first, day", "mm/dd/yyyy", "12/24/2025", 4, VK_DOWN, "12/23/2025"},
        {"page steps like an arrow", "dd/mm/yyyy", "24/12/2025", 1, VK_NEXT, "23/12/2025"},
        // The calendar's last year: the date stays.
        {"after the last year", "dd/mm/yyyy", "31/12/9999", 8, VK_UP, "31/12/9999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetShortDateFormatOverride(c.format);
        Spin->SetSpinType(sptDate);
        Put(c.start, c.caret);
        Key(c.key);
        EXPECT_EQ(Spin->Text(), c.expect);
        EXPECT_EQ(Spin->SelStart(), c.caret);   // the caret stays in its part
        EXPECT_EQ(Spin->UsDates(), String(c.format)[0] == 'm');
    }
}

TEST_F(SpinEditTest, TimeStepsThePartUnderTheCaretAndWrapsAtMidnight)
{
    struct Case {
        const char* name;
        int hours, minutes, seconds;
        bool showSeconds;
        const char* start;
        int caret;
        WORD key;
        const char* expect;
    };
    const Case cases[] = {
        {"hour below midnight", 1, 1, 1, true, "00:00:00", 0, VK_DOWN, "23:00:00"},
        {"hour past midnight", 1, 1, 1, true, "23:30:00", 1, VK_UP, "00:30:00"},
        {"minute", 1, 1, 1, true, "00:00:00", 4, VK_UP, "00:01:00"},
        {"minute below midnight", 1, 15, 1, true, "00:10:00", 3, VK_DOWN, "23:55:00"},
        {"second at the separator", 1, 1, 1, true, "00:00:00", 5, VK_UP, "00:00:01"},
        {"second", 1, 1, 10, true, "10:00:00", 8, VK_DOWN, "09:59:50"},
        {"no seconds: the minute steps", 1, 1, 1, false, "10:00", 5, VK_UP, "10:01"},
        // Steps of a day or more wrap too.
        {"25 hours back", 25, 1, 1, true, "00:00:00", 0, VK_DOWN, "23:00:00"},
        {"49 hours on", 49, 1, 1, true, "22:00:00", 0, VK_UP, "23:00:00"},
        // Without a separator there is no hour part: the minute steps.
        {"no time reads 0", 1, 1, 1, true, "x", 0, VK_UP, "00:01:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Spin->SetShowSeconds(c.showSeconds);
        Spin->SetIncrementHours(c.hours);
        Spin->SetIncrementMinutes(c.minutes);
        Spin->SetIncrementSeconds(c.seconds);
        Spin->SetSpinType(sptTime);
        Put(c.start, c.caret);
        Key(c.key);
        EXPECT_EQ(Spin->Text(), c.expect);
    }
}

TEST_F(SpinEditTest, ValuesReadTheirTextAndWriteWithinLimits)
{
    Spin->SetSpinType(sptDate);
    // "0" reads as the present date and time.
    Spin->SetText("0");
    const TDateTime now = Spin->DateValue();
    EXPECT_GT(now, EncodeDate(2024, 1, 1));
    Spin->SetText("");
    EXPECT_NEAR(Spin->DateValue(), now, 1.0 / 24);
    Spin->SetText("no date");
    Spin->SetMinDateValue(EncodeDate(2020, 5, 6));
    EXPECT_EQ(Spin->DateValue(), EncodeDate(2020, 5, 6));

    // Setters keep within the limits; the date limits bound a date value.
    Spin->SetMaxDateValue(EncodeDate(2020, 12, 31));
    Spin->SetDateValue(EncodeDate(2030, 1, 1));
    EXPECT_EQ(Spin->Text(), "31/12/2020");

    Spin->SetSpinType(sptNormal);
    Spin->SetMinValue(-5);
    Spin->SetMaxValue(5);
    Spin->SetValue(99);
    EXPECT_EQ(Spin->Text(), "5");
    // Another kind re-reads the text in that kind and writes it in its form.
    Spin->SetSpinType(sptFloat);
    Spin->SetPrecision(3);
    EXPECT_EQ(Spin->Text(), "5.000");
    Spin->SetPrecision(0);
    EXPECT_EQ(Spin->Text(), "5");
}

// ---------------------------------------------------------------- characters

TEST_F(SpinEditTest, TypedCharactersMustFitAValueOfTheKind)
{
    struct Case {
        const char* name;
        TAsgSpinType type;
        int precision;
        bool editor;
        const char* start;
        int selStart, selLength;
        const char* typed;
        const char* expect;
        bool beep;
    };
    const Case cases[] = {
        {"minus after a digit", sptNormal, 0, true, "12", 2, 0, "-", "12", true},
        {"minus in front", sptNormal, 0, true, "12", 0, 0, "-", "-12", false},
        {"second minus", sptNormal, 0, true, "-12", 0, 0, "-", "-12", true},
        {"minus over the selected one", sptNormal, 0, true, "-12", 0, 1, "-", "-12", false},
        {"letter", sptNormal, 0, true, "12", 2, 0, "a", "12", true},
        {"separator in an integer", sptNormal, 0, true, "12", 2, 0, ".", "12", true},
        {"date separator in an integer", sptNormal, 0, true, "12", 2, 0, "/", "12", true},
        {"digit", sptNormal, 0, true, "12", 2, 0, "3", "123", false},
        {"third decimal", sptFloat, 2, true, "1.25", 4, 0, "3", "1.25", true},
        {"decimal over a selection", sptFloat, 2, true, "1.25", 3, 1, "7", "1.27", false},
        {"digit before the point", sptFloat, 2, true, "1.25", 0, 0, "9", "91.25", false},
        {"second point", sptFloat, 0, true, "1.5", 3, 0, ".", "1.5", true},
        {"point over the first", sptFloat, 0, true, "1.5", 0, 3, ".", ".", false},
        {"thousand separator", sptFloat, 0, true, "1000", 1, 0, ",", "1000", true},
        {"time separator", sptTime, 0, true, "12:30", 5, 0, ":", "12:30:", false},
        {"third time separator", sptTime, 0, true, "12:30:00", 8, 0, ":", "12:30:00", true},
        {"date separator", sptDate, 0, true, "24", 2, 0, "/", "24/", false},
        {"time separator in a date", sptDate, 0, true, "24", 2, 0, ":", "24", true},
        {"typing disabled", sptNormal, 0, false, "5", 1, 0, "7", "5", true},
        {"backspace disabled", sptNormal, 0, false, "57", 2, 0, "\b", "57", true},
        {"backspace", sptNormal, 0, true, "57", 2, 0, "\b", "5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Spin->SetEditorEnabled(c.editor);
        Spin->SetPrecision(c.precision);
        Spin->SetMinValue(0);
        Spin->SetMaxValue(0);
        Spin->SetMinFloatValue(0);
        Spin->SetMaxFloatValue(0);
        Spin->SetSpinType(c.type);
        Spin->SetText(c.start);
        Spin->SetSelStart(c.selStart);
        Spin->SetSelLength(c.selLength);
        const int beeps = MessageBeepCount();
        UserType(Spin, c.typed);
        Pump();
        EXPECT_EQ(Spin->Text(), c.expect);
        EXPECT_EQ(MessageBeepCount() - beeps, c.beep ? 1 : 0);
    }
}

TEST_F(SpinEditTest, KeypadPointTypesTheDecimalSeparatorWhenAsked)
{
    SetDecimalSeparatorOverride(',');
    SetThousandSeparatorOverride('.');
    Spin->SetSpinType(sptFloat);
    for (bool excel : {false, true}) {
        SCOPED_TRACE(excel);
        Spin->SetExcelStyleDecimalSeparator(excel);
        Put("1", 1);
        UserKey(Spin, VK_DECIMAL);
        // The main keyboard's point stays a point (the thousand separator: refused).
        UserType(Spin, ".");
        EXPECT_EQ(Spin->Text(), excel ? "1," : "1");
    }
}

// ---------------------------------------------------------------- keys

TEST_F(SpinEditTest, SteppingKeysAreTakenBeforeTheKeyEvent)
{
    std::vector<WORD> seen;
    Spin->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen.push_back(key); };
    Spin->SetText("10");
    for (WORD k : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_LEFT}) Key(k);
    EXPECT_EQ(seen, std::vector<WORD>{VK_LEFT});
    EXPECT_EQ(Spin->Text(), "10");
}

// Only the keys and the buttons step: the wheel turned over the field or its buttons
// (scrolling the window past it) leaves the value.
TEST_F(SpinEditTest, TheWheelDoesNotStep)
{
    Spin->SetText("10");
    for (TControl* c : {static_cast<TControl*>(Spin), static_cast<TControl*>(Spin->Button()->UpButton())})
        for (int delta : {120, -120}) UserWheel(c, delta);
    Pump();
    EXPECT_EQ(Spin->Text(), "10");
}

TEST_F(SpinEditTest, EnterActsAsTabWhenAskedAndDeleteNeedsTyping)
{
    Key(VK_RETURN);
    EXPECT_EQ(FindFocusedControl(), Spin);
    Spin->SetReturnIsTab(true);
    Key(VK_RETURN);
    EXPECT_EQ(FindFocusedControl(), Other);

    UserFocus(Spin);
    Spin->SetEditorEnabled(false);
    Put("57", 0);
    Key(VK_DELETE);
    EXPECT_EQ(Spin->Text(), "57");
    Spin->SetEditorEnabled(true);
    Put("57", 0);
    Key(VK_DELETE);
    EXPECT_EQ(Spin->Text(), "7");
}

TEST_F(SpinEditTest, ReadOnlyRefusesStepsWithABeep)
{
    Spin->SetText("10");
    Spin->SetReadOnly(true);
    const int beeps = MessageBeepCount();
    Key(VK_UP);
    UserClick(Spin->Button()->UpButton());
    EXPECT_EQ(Spin->Text(), "10");
    EXPECT_EQ(MessageBeepCount() - beeps, 2);
}

TEST_F(SpinEditTest, PasteAndCutNeedTyping)
{
    Spin->SetText("12");
    Spin->SelectAll();
    Key('C', TShiftState{ssCtrl});
    Spin->SetEditorEnabled(false);
    Put("34", 2);
    Key('V', TShiftState{ssCtrl});
    Spin->SelectAll();
    Key('X', TShiftState{ssCtrl});
    EXPECT_EQ(Spin->Text(), "34");
    Spin->SetEditorEnabled(true);
    Put("34", 2);
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Spin->Text(), "3412");
}

// ---------------------------------------------------------------- leaving

TEST_F(SpinEditTest, LeavingWritesBackWhatIsNoValueWithinLimits)
{
    struct Case {
        const char* name;
        TAsgSpinType type;
        int min;
        bool allowEmpty;
        const char* typed;
        const char* expect;
    };
    const Case cases[] = {
        {"above the maximum", sptNormal, 0, false, "150", "100"},
        {"within", sptNormal, 0, false, "42", "42"},
        {"below the minimum", sptNormal, 0, false, "-3", "0"},
        // Empty reads 0: written back only when 0 lies outside the limits.
        {"empty, 0 within", sptNormal, 0, false, "", ""},
        {"empty, 0 outside", sptNormal, 5, false, "", "5"},
        {"empty allowed", sptNormal, 5, true, "", ""},
        // Pasted text that spells no number reads as the minimum: the field shows it.
        {"pasted letters", sptNormal, 5, false, "abc", "5"},
        {"decimal above", sptFloat, 0, false, "250.5", "100"},
        {"pasted letters, decimal", sptFloat, 0, false, "1.2.3", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserFocus(Spin);
        Spin->SetSpinType(c.type);
        Spin->SetMinValue(c.min);
        Spin->SetAllowEmptyValue(c.allowEmpty);
        Spin->SetText(c.typed);   // as pasted
        UserFocus(Other);
        EXPECT_EQ(Spin->Text(), c.expect);
    }
}

// ---------------------------------------------------------------- the button pair

TEST_F(SpinEditTest, AClickOnAButtonStepsOnceOnRelease)
{
    UserFocus(Other);
    Spin->SetText("10");
    Events.clear();
    TExtTimerSpeedButton* up = Spin->Button()->UpButton();
    gui_input::Mouse(up, WM_LBUTTONDOWN, 5, 5, TShiftState{ssLeft});
    // The press takes the focus to the edit; nothing steps yet.
    EXPECT_EQ(FindFocusedControl(), Spin);
    EXPECT_EQ(Spin->Text(), "10");
    gui_input::Mouse(up, WM_LBUTTONUP, 5, 5, TShiftState());
    Pump();
    EXPECT_EQ(Events, (std::vector<String>{"enter", "change 11"}));
    UserClick(Spin->Button()->DownButton());
    UserClick(Spin->Button()->DownButton());
    EXPECT_EQ(Spin->Text(), "9");
    // A release away from the button does not step.
    gui_input::Mouse(up, WM_LBUTTONDOWN, 5, 5, TShiftState{ssLeft});
    gui_input::Mouse(up, WM_MOUSEMOVE, 50, 50, TShiftState{ssLeft});
    gui_input::Mouse(up, WM_LBUTTONUP, 50, 50, TShiftState());
    EXPECT_EQ(Spin->Text(), "9");
}

TEST_F(SpinEditTest, AHeldButtonRepeatsWhileThePointerIsOverIt)
{
    Spin->SetText("10");
    TExtTimerSpeedButton* up = Spin->Button()->UpButton();
    gui_input::Mouse(up, WM_LBUTTONDOWN, 5, 5, TShiftState{ssLeft});
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_TRUE(up->RepeatTimer()->Enabled());
    EXPECT_EQ(up->RepeatTimer()->Interval(), 400u);
    // The first expiry steps and quickens the timer.
    up->TimerExpired();
    EXPECT_EQ(Spin->Text(), "11");
    EXPECT_EQ(up->RepeatTimer()->Interval(), 100u);
    up->TimerExpired();
    EXPECT_EQ(Spin->Text(), "12");
    // Off the button the steps pause; back over it they resume.
    gui_input::Mouse(up, WM_MOUSEMOVE, 60, 5, TShiftState{ssLeft});
    up->TimerExpired();
    up->TimerExpired();
    EXPECT_EQ(Spin->Text(), "12");
    gui_input::Mouse(up, WM_MOUSEMOVE, 5, 5, TShiftState{ssLeft});
    up->TimerExpired();
    EXPECT_EQ(Spin->Text(), "13");
    // The release over the button steps once more and stops the timer.
    gui_input::Mouse(up, WM_LBUTTONUP, 5, 5, TShiftState());
    EXPECT_EQ(Spin->Text(), "14");
    EXPECT_FALSE(up->RepeatTimer()->Enabled());

    // Held for real, the timer steps by itself.
    gui_input::Mouse(up, WM_LBUTTONDOWN, 5, 5, TShiftState{ssLeft});
    for (int i = 0; i < 300 && Spin->Text() == "14"; ++i) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    gui_input::Mouse(up, WM_LBUTTONUP, 60, 5, TShiftState());
    EXPECT_NE(Spin->Text(), "14");
}

TEST_F(SpinEditTest, TheFocusedPairTakesArrowsAndSpace)
{
    TAsgSpinButton* pair = Spin->Button();
    pair->SetTabStop(true);
    Spin->SetText("10");
    UserFocus(pair);
    ASSERT_EQ(FindFocusedControl(), pair);
    UserKey(pair, VK_DOWN);
    EXPECT_EQ(pair->FocusedButton(), pair->DownButton());
    UserKey(pair, VK_SPACE);
    EXPECT_EQ(Spin->Text(), "8");
    UserKey(pair, VK_UP);
    EXPECT_EQ(pair->FocusedButton(), pair->UpButton());
    EXPECT_EQ(Spin->Text(), "9");
}

// ---------------------------------------------------------------- layout and look

TEST_F(SpinEditTest, ThePairSitsAtTheRightAndTheTextStaysLeftOfIt)
{
    Spin->SetBorderStyle(bsNone);
    Spin->SetBounds(10, 10, 120, 30);
    TAsgSpinButton* pair = Spin->Button();
    EXPECT_EQ(pair->Left(), 120 - 15 - 1);
    EXPECT_EQ(pair->Height(), 29);
    EXPECT_EQ(pair->UpButton()->Height(), 14);
    EXPECT_EQ(pair->DownButton()->Top(), 13);
    EXPECT_EQ(Spin->FormatRect().Right, 120 - 15 - 3 - 2);
    EXPECT_EQ(Spin->FormatRect().Left, 3);
    // Too low for the font: raised at once.
    Spin->SetHeight(4);
    EXPECT_EQ(Spin->Height(), Spin->GetMinHeight());
    EXPECT_GT(Spin->GetMinHeight(), 4);

    Spin->SetDirection(spHorizontal);
    EXPECT_EQ(pair->Width(), 20);
    EXPECT_EQ(pair->DownButton()->Left(), 0);
    EXPECT_EQ(pair->DownButton()->Width(), 10);
    EXPECT_EQ(pair->UpButton()->Left(), 11);
    EXPECT_EQ(pair->UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(pair->DownButton()->ButtonDirection(), bdLeft);
}

TEST_F(SpinEditTest, PictureShowsThePressedButtonInItsColour)
{
    Spin->SetBounds(10, 10, 120, 30);
    Spin->SetText("42");
    TAsgSpinButton* pair = Spin->Button();
    pair->ButtonColor = clLime;
    pair->ButtonColorDown = clRed;
    gui_input::Mouse(pair->UpButton(), WM_LBUTTONDOWN, 5, 5, TShiftState{ssLeft});
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Spin, "spin_edit_up_pressed.png", png));
    gui_input::Mouse(pair->UpButton(), WM_LBUTTONUP, 5, 5, TShiftState());
    const TRect up = Bounds(pair->Left() + 1, pair->Top() + 1, pair->Width() - 2, pair->UpButton()->Height() - 2);
    const TRect down = Bounds(pair->Left() + 1, pair->Top() + pair->DownButton()->Top() + 1, pair->Width() - 2,
                              pair->DownButton()->Height() - 2);
    const int area = up.Width() * up.Height();
    EXPECT_GT(Count_Pixels(png, up, clRed), area * 3 / 4);
    EXPECT_EQ(Count_Pixels(png, up, clLime), 0);
    EXPECT_GT(Count_Pixels(png, down, clLime), area * 3 / 4);
    // Each button carries its black arrow.
    EXPECT_GE(Count_Pixels(png, up, clBlack), 3);
    EXPECT_GE(Count_Pixels(png, down, clBlack), 3);
    // The text lies left of the pair.
    const auto dark = [](TColor c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; };
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, pair->Left(), png.Height()), dark), 10);

    TBitmap plain;
    pair->ButtonColor = clNone;
    gui_input::Mouse(pair->DownButton(), WM_LBUTTONDOWN, 5, 5, TShiftState{ssLeft});
    ASSERT_TRUE(SNAPSHOT(Spin, "spin_edit_down_pressed.png", plain));
    gui_input::Mouse(pair->DownButton(), WM_LBUTTONUP, 5, 5, TShiftState());
    EXPECT_EQ(Count_Pixels(plain, TRect(0, 0, plain.Width(), plain.Height()), clLime), 0);
    EXPECT_GE(Count_Pixels(plain, up, clBlack), 3);
}

}   // namespace
