// The date and time pickers driven as a user drives them: typing into the fields, the
// arrow keys per field, the calendar opened by its button and by key, a day picked with
// a click, Esc and Enter; their limits, texts per kind, the automatic move to the next
// field, the combined date-and-time picker, the flat look and the open calendar's picture.
#include <gtest/gtest.h>

#include <vector>

#include "gridedit/DateTimePickers.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {


TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }
TDateTime T(int h, int n, int s) { return EncodeTime(h, n, s, 0); }
String Text(TDateTime v) { return FormatDateTime("dd/mm/yyyy hh:nn:ss", v); }

class PickerTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TButton* DefaultButton = nullptr;
    TButton* CancelButton = nullptr;
    int FormButtonClicks = 0;
    std::vector<String> Log;

    void SetUp() override
    {
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        Form = new TForm(nullptr);
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
        // The form's Enter and Esc buttons: keys the open calendar takes never reach them.
        DefaultButton = new TButton(Form);
        DefaultButton->SetParent(Form);
        DefaultButton->SetBounds(10, 260, 60, 20);
        DefaultButton->SetDefault(true);
        DefaultButton->OnClick = [this](TObject*) { ++FormButtonClicks; };
        CancelButton = new TButton(Form);
        CancelButton->SetParent(Form);
        CancelButton->SetBounds(80, 260, 60, 20);
        CancelButton->SetCancel(true);
        CancelButton->OnClick = [this](TObject*) { ++FormButtonClicks; };
        Form->Show();
    }
    void TearDown() override
    {
        delete Form;
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
    }
    template <class P>
    P* Make(int left = 120, int top = 20, int width = 186)
    {
        P* p = new P(Form);
        p->SetParent(Form);
        p->SetBounds(left, top, width, 21);
        p->OnChange = [this, p](TObject*) { Log.push_back("change " + p->ValueText()); };
        p->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
        p->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
        return p;
    }
    static void Pump() { Application->ProcessMessages(); }
    static TPoint Mid(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
    // Keys of a small script: digits and separators are typed, '>' '<' '^' 'v' are the
    // arrow keys right, left, up and down.
    static void Script(TWinControl* c, const String& keys)
    {
        for (char k : keys) {
            switch (k) {
            case '>': UserKey(c, VK_RIGHT); break;
            case '<': UserKey(c, VK_LEFT); break;
            case '^': UserKey(c, VK_UP); break;
            case 'v': UserKey(c, VK_DOWN); break;
            default: UserType(c, String(1, k));
            }
            Pump();
        }
    }
};

// The limits keep the date within them as whole days, in either order, and keep the
// time of day; 0 is no limit.
TEST_F(PickerTest, LimitsKeepTheDateWithinThemAndKeepTheTime)
{
    struct {
        const char* name;
        TDateTime min, max, value;
        const char* stored;
    } cases[] = {
        {"no limits", 0, 0, D(2024, 2, 29) + T(10, 0, 0), "29/02/2024 10:00:00"},
        {"after the maximum", 0, D(2024, 6, 20), D(2024, 7, 1) + T(8, 30, 0), "20/06/2024 08:30:00"},
        {"on the maximum's day, later in it", 0, D(2024, 6, 20) + 0.25, D(2024, 6, 20) + T(23, 0, 0),
         "20/06/2024 23:00:00"},
        {"before the minimum", D(2024, 6, 10), 0, D(2024, 1, 1) + T(12, 0, 0), "10/06/2024 12:00:00"},
        {"between", D(2024, 6, 10), D(2024, 6, 20), D(2024, 6, 15), "15/06/2024 00:00:00"},
        {"minimum after maximum, value before both", D(2024, 6, 20), D(2024, 6, 10), D(2024, 6, 1), "10/06/2024 00:00:00"},
        {"minimum after maximum, value after both", D(2024, 6, 20), D(2024, 6, 10), D(2024, 7, 1), "20/06/2024 00:00:00"},
        {"minimum after maximum, value between", D(2024, 6, 20), D(2024, 6, 10), D(2024, 6, 15), "15/06/2024 00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* p = Make<TDateTimePicker>();
        p->SetMinDate(c.min);
        p->SetMaxDate(c.max);
        p->SetDateTime(c.value);
        EXPECT_EQ(Text(p->DateTime()), c.stored);
        // The calendar keeps the same limits: its buttons stop where the picker does.
        p->SetDroppedDown(true);
        ASSERT_TRUE(p->Calendar());
        EXPECT_EQ(Text(p->Calendar()->Date()), String(c.stored).substr(0, 10) + " 00:00:00");
        p->SetDroppedDown(false);
        delete p;
    }
    EXPECT_TRUE(Log.empty() || Log.size() % 2 == 0);   // only drop-downs and close-ups: code changes are no changes
    for (const String& s : Log) EXPECT_TRUE(s == "dropdown" || s == "closeup") << s;
}

// Texts per kind: what a text becomes, what the picker shows and gives back; an empty
// text clears a picker with a check box and is refused by one without.
TEST_F(PickerTest, TextsAreReadAndWrittenInThePatternOfTheKind)
{
    struct {
        const char* name;
        TDateTimeKind kind;
        const char* format;
        bool checkbox, startChecked;
        const char* input;
        bool taken;
        const char* value;   // after reading, starting from 15/06/2024 10:20:30
        const char* text;    // ValueText
    } cases[] = {
        {"date", dtkDate, "", false, true, "24/12/2025", true, "24/12/2025 10:20:30", "24/12/2025"},
        {"date in its own format", dtkDate, "yyyy-MM-dd", false, true, "2025-12-24", true, "24/12/2025 10:20:30", "2025-12-24"},
        {"date, two-digit year", dtkDate, "dd.MM.yy", false, true, "01.02.03", true, "01/02/2003 10:20:30", "01.02.03"},
        {"leap day of a common year", dtkDate, "", false, true, "29/02/2023", false, "15/06/2024 10:20:30", "15/06/2024"},
        {"no date", dtkDate, "", false, true, "hello", false, "15/06/2024 10:20:30", "15/06/2024"},
        {"time", dtkTime, "", false, true, "07:05:09", true, "15/06/2024 07:05:09", "07:05:09"},
        {"time in its own format", dtkTime, "hh:nn", false, true, "23:59", true, "15/06/2024 23:59:00", "23:59"},
        {"hour 24 is no time", dtkTime, "", false, true, "24:00:00", false, "15/06/2024 10:20:30", "10:20:30"},
        {"date and time", dtkDate, "dd/MM/yyyy hh:nn", false, true, "24/12/2025 18:45", true, "24/12/2025 18:45:00",
         "24/12/2025 18:45"},
        {"empty with a check box", dtkDate, "", true, true, "", true, "15/06/2024 10:20:30", ""},
        {"empty without a check box", dtkDate, "", false, true, "", false, "15/06/2024 10:20:30", "15/06/2024"},
        {"empty time with a check box", dtkTime, "", true, true, "  ", true, "15/06/2024 10:20:30", ""},
        {"a value checks the box again", dtkDate, "", true, false, "01/01/2000", true, "01/01/2000 10:20:30", "01/01/2000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* p = Make<TDateTimePicker>();
        p->SetKind(c.kind);
        p->SetFormat(c.format);
        p->SetShowCheckbox(c.checkbox);
        p->SetDateTime(D(2024, 6, 15) + T(10, 20, 30));
        p->SetChecked(c.startChecked);
        EXPECT_EQ(p->SetValueText(c.input), c.taken);
        EXPECT_EQ(Text(p->DateTime()), c.value);
        EXPECT_EQ(p->ValueText(), c.text);
        delete p;
    }
    // The picker's own format never changes the program's formats.
    EXPECT_EQ(GetShortDateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(GetLongTimeFormat(), "hh:nn:ss");
}

// Typing and the arrow keys, field by field, as a user does it.
TEST_F(PickerTest, TypingAndArrowKeysEditOneFieldAtATime)
{
    struct {
        const char* name;
        TDateTimeKind kind;
        TDateTime start, max;
        const char* keys;
        const char* shown;   // the text shown after the keys
        int field;           // the current field after the keys
        int changes;
    } cases[] = {
        {"two digits of a day", dtkDate, D(2024, 6, 15), 0, "24", "24/06/2024", 0, 1},
        {"a day digit that no second digit can follow", dtkDate, D(2024, 6, 15), 0, "4", "04/06/2024", 0, 1},
        {"a first digit waits for the second", dtkDate, D(2024, 6, 15), 0, "2", "2/06/2024", 0, 0},
        {"leaving the field takes a waiting digit", dtkDate, D(2024, 6, 15), 0, "2>", "02/06/2024", 1, 1},
        {"a whole date, field by field", dtkDate, D(2024, 6, 15), 0, "01>02>2023", "01/02/2023", 2, 3},
        {"separators move on", dtkDate, D(2024, 6, 15), 0, "1/2/2023", "01/02/2023", 2, 3},
        {"day 00 becomes the first", dtkDate, D(2024, 6, 15), 0, "00", "01/06/2024", 0, 1},
        {"31 January to February: the leap month's last day", dtkDate, D(2024, 1, 31), 0, ">2", "29/02/2024", 1, 1},
        {"leap day to a common year", dtkDate, D(2024, 2, 29), 0, ">>2025", "28/02/2025", 2, 1},
        {"a two-digit year left early", dtkDate, D(2024, 2, 29), 0, ">>23<", "28/02/2023", 1, 1},
        {"up on the last day wraps to the first", dtkDate, D(2024, 12, 31), 0, "^", "01/12/2024", 0, 1},
        {"down on January wraps to December", dtkDate, D(2024, 1, 31), 0, ">v", "31/12/2024", 1, 1},
        {"down on the first day of a leap February", dtkDate, D(2024, 2, 1), 0, "v", "29/02/2024", 0, 1},
        {"the year stops at 9999", dtkDate, D(9999, 6, 1), 0, ">>^", "01/06/9999", 2, 0},
        {"left of the first field stays", dtkDate, D(2024, 6, 15), 0, "<<", "15/06/2024", 0, 0},
        {"right of the last field stays", dtkDate, D(2024, 6, 15), 0, ">>>>", "15/06/2024", 2, 0},
        {"typed past the maximum stops at it", dtkDate, D(2024, 6, 15), D(2024, 6, 20), "25", "20/06/2024", 0, 1},
        {"up at the maximum changes nothing", dtkDate, D(2024, 6, 20), D(2024, 6, 20), "^", "20/06/2024", 0, 0},
        {"an hour digit that no second can follow", dtkTime, D(2024, 6, 15) + T(10, 20, 30), 0, "7", "07:20:30", 0, 1},
        {"up on 23 hours wraps to 0", dtkTime, D(2024, 6, 15) + T(23, 20, 30), 0, "^", "00:20:30", 0, 1},
        {"seconds", dtkTime, D(2024, 6, 15) + T(10, 20, 30), 0, ">>59", "10:20:59", 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Log.clear();
        auto* p = Make<TDateTimePicker>();
        p->SetKind(c.kind);
        p->SetMaxDate(c.max);
        p->SetDateTime(c.start);
        UserFocus(p);
        Script(p, c.keys);
        EXPECT_EQ(p->Text(), c.shown);
        EXPECT_EQ(p->CurrentField(), c.field);
        EXPECT_EQ(int(Log.size()), c.changes);
        if (c.kind == dtkTime) {
            EXPECT_EQ(Text(p->DateTime()).substr(0, 10), "15/06/2024");   // the date stays
        }
        delete p;
    }
    EXPECT_EQ(FormButtonClicks, 0);
}

// The calendar: opened by its button and by key, a day picked by a click or taken with
// Enter, Esc closing it unchanged; the value is taken before the close-up is heard, and
// none of these keys reaches the form's default or cancel button.
TEST_F(PickerTest, TheCalendarOpensByButtonAndKeyAndHandsBackThePickedDay)
{
    auto* p = Make<TDateTimePicker>();
    p->SetDateTime(D(2024, 6, 15) + T(9, 30, 0));
    String atCloseUp;
    p->OnCloseUp = [&](TObject*) {
        Log.push_back("closeup");
        atCloseUp = p->ValueText();
    };
    UserFocus(p);
    const auto clickDay = [&](TDateTime d) {
        const TPoint m = Mid(p->Calendar()->DayRect(d));
        UserClick(p->Calendar(), m.X, m.Y);
        Pump();
    };
    struct {
        const char* name;
        std::function<void()> act;
        std::vector<String> events;
        const char* value;
    } steps[] = {
        {"button, then a click on the 20th",
         [&] {
             UserClick(p, Mid(p->ButtonRect()).X, Mid(p->ButtonRect()).Y);
             EXPECT_TRUE(p->DropWindow()->Visible());
             clickDay(D(2024, 6, 20));
         },
         {"dropdown", "change 20/06/2024", "closeup"}, "20/06/2024 09:30:00"},
        {"F4, two days on, Enter",
         [&] {
             UserKey(p, VK_F4);
             UserKey(p, VK_RIGHT);
             UserKey(p, VK_RIGHT);
             EXPECT_EQ(p->ValueText(), "20/06/2024");   // moving in the calendar is no change yet
             UserKey(p, VK_RETURN);
         },
         {"dropdown", "change 22/06/2024", "closeup"}, "22/06/2024 09:30:00"},
        {"Alt+Down, a month on, Esc",
         [&] {
             UserKey(p, VK_DOWN, TShiftState{ssAlt});
             UserKey(p, VK_NEXT);
             UserKey(p, VK_ESCAPE);
         },
         {"dropdown", "closeup"}, "22/06/2024 09:30:00"},
        {"the next month's button, then a day of it",
         [&] {
             UserKey(p, VK_F4);
             const TPoint n = Mid(p->Calendar()->NextButtonRect());
             UserClick(p->Calendar(), n.X, n.Y);
             clickDay(D(2024, 7, 3));
         },
         {"dropdown", "change 03/07/2024", "closeup"}, "03/07/2024 09:30:00"},
        {"the same day again: no change",
         [&] {
             UserKey(p, VK_F4);
             clickDay(D(2024, 7, 3));
         },
         {"dropdown", "closeup"}, "03/07/2024 09:30:00"},
        {"the button again closes it",
         [&] {
             UserClick(p, Mid(p->ButtonRect()).X, Mid(p->ButtonRect()).Y);
             UserClick(p, Mid(p->ButtonRect()).X, Mid(p->ButtonRect()).Y);
         },
         {"dropdown", "closeup"}, "03/07/2024 09:30:00"},
        {"the focus leaving closes it",
         [&] {
             UserKey(p, VK_F4);
             UserFocus(DefaultButton);
         },
         {"dropdown", "closeup"}, "03/07/2024 09:30:00"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        Log.clear();
        UserFocus(p);
        s.act();
        Pump();
        EXPECT_EQ(Log, s.events);
        EXPECT_EQ(Text(p->DateTime()), s.value);
        EXPECT_EQ(atCloseUp, String(s.value).substr(0, 10));
        EXPECT_FALSE(p->DroppedDown());
        EXPECT_FALSE(p->DropWindow()->Visible());
    }
    EXPECT_EQ(FormButtonClicks, 0);
    // Without a calendar (up-down mode, time kind) neither the button nor F4 opens one;
    // the button's halves step the field.
    Log.clear();
    p->SetDateMode(dmUpDown);
    UserKey(p, VK_F4);
    const TRect b = p->ButtonRect();
    UserClick(p, Mid(b).X, b.Top + 2);
    UserClick(p, Mid(b).X, b.Top + 2);
    UserClick(p, Mid(b).X, b.Bottom - 2);
    const std::vector<String> want = {"change 04/07/2024", "change 05/07/2024", "change 04/07/2024"};
    EXPECT_EQ(Log, want);
    EXPECT_FALSE(p->DroppedDown());
}

// A check box says whether a value is given: a click or Space toggles it and is a change;
// typing into an unchecked picker checks it.
TEST_F(PickerTest, TheCheckBoxSaysWhetherAValueIsGiven)
{
    auto* p = Make<TDateTimePicker>();
    p->SetShowCheckbox(true);
    p->SetDateTime(D(2024, 6, 15));
    UserFocus(p);
    UserKey(p, VK_RIGHT);
    const TPoint box = Mid(p->CheckboxRect());
    UserClick(p, box.X, box.Y);
    EXPECT_FALSE(p->Checked());
    EXPECT_EQ(p->CurrentField(), 1);   // the check box keeps the field being edited
    UserKey(p, VK_LEFT);
    UserKey(p, VK_SPACE);
    EXPECT_TRUE(p->Checked());
    UserKey(p, VK_SPACE);
    UserType(p, "4");
    EXPECT_TRUE(p->Checked());
    const std::vector<String> want = {"change ", "change 15/06/2024", "change ", "change 04/06/2024"};
    EXPECT_EQ(Log, want);
}

// Counts the shift messages a picker posts itself after typed digits.
struct CountingPicker : TExtDateTimePicker {
    using TExtDateTimePicker::TExtDateTimePicker;
    int Shifts = 0;
    void WndProc(TMessage& msg) override
    {
        if (msg.Msg == DTPShiftFocusMessage()) ++Shifts;
        TExtDateTimePicker::WndProc(msg);
    }
};

// After a complete entry the picker with AutoTab moves on to the next field, and from the
// date's last field to the embedded time picker; without AutoTab it stays.
TEST_F(PickerTest, AutoTabMovesOnAfterACompleteEntry)
{
    struct {
        const char* name;
        bool autoTab;
        const char* format;
        const char* keys;
        std::vector<int> fields;   // the current field after each key
        bool timeFocused;          // the time picker has the focus at the end
    } cases[] = {
        {"day, month, year, then the time", true, "dd/MM/yyyy", "24122025", {0, 1, 1, 2, 2, 2, 2, 2}, true},
        {"without AutoTab", false, "dd/MM/yyyy", "24122025", {0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"year first: the day ends the date", true, "yyyy-MM-dd", "20251224", {0, 0, 0, 1, 1, 2, 2, 2}, true},
        {"the region's pattern", true, "", "2412", {0, 1, 1, 2}, false},
        {"an unchanged day stays", true, "dd/MM/yyyy", "15", {0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* p = Make<CountingPicker>(60, 20, 260);
        p->SetFormat(c.format);
        p->SetAutoTab(c.autoTab);
        p->SetDateTime(D(2024, 6, 15) + T(10, 20, 30));
        ASSERT_TRUE(p->TimePicker());
        UserFocus(p);
        std::vector<int> fields;
        for (char k : String(c.keys)) {
            Script(p, String(1, k));
            fields.push_back(p->CurrentField());
        }
        EXPECT_EQ(fields, c.fields);
        EXPECT_EQ(p->TimePicker()->Focused(), c.timeFocused);
        // One shift message per digit with AutoTab, none without.
        EXPECT_EQ(p->Shifts, c.autoTab ? int(String(c.keys).size()) : 0);
        delete p;
    }
    // The time picker moves on too: hours, minutes, seconds.
    auto* p = Make<TExtDateTimePicker>(60, 20, 260);
    p->SetAutoTab(true);
    p->SetDateTime(D(2024, 6, 15) + T(10, 20, 30));
    TCustomDateTimePicker* t = p->TimePicker();
    UserFocus(t);
    Script(t, "0845");
    EXPECT_EQ(t->CurrentField(), 2);
    EXPECT_EQ(Text(p->DateTime()), "15/06/2024 08:45:30");
}

// The combined picker: the time part lives in the embedded time picker, DateTime joins
// both, milliseconds are dropped; other kinds have no time picker.
TEST_F(PickerTest, TheCombinedPickerJoinsItsDateAndTimeParts)
{
    auto* p = Make<TExtDateTimePicker>(60, 20, 260);
    std::vector<String> order;
    p->OnChange = [&](TObject*) { order.push_back("change"); };
    p->OnTimeChange = [&](TObject*) { order.push_back("time"); };
    EXPECT_EQ(p->Kind(), dkDateTime);
    ASSERT_TRUE(p->TimePicker());
    EXPECT_TRUE(p->TimePicker()->Visible());
    EXPECT_EQ(p->TimePicker()->Kind(), dtkTime);
    // The time picker sits inside, right of the date and left of the button.
    EXPECT_GT(p->TimePicker()->Left(), p->FieldRect(2).Right);
    EXPECT_LE(p->TimePicker()->Left() + p->TimePicker()->Width(), p->ButtonRect().Left);

    p->SetDateTime(D(2024, 6, 15) + EncodeTime(10, 20, 30, 999));
    EXPECT_EQ(p->DateTime(), D(2024, 6, 15) + T(10, 20, 30));
    p->SetDate(D(2025, 1, 2) + 0.75);
    EXPECT_EQ(Text(p->DateTime()), "02/01/2025 10:20:30");   // the time of day stays
    p->SetTime(T(7, 0, 0));
    EXPECT_EQ(Text(p->DateTime()), "02/01/2025 07:00:00");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", p->Time()), "07:00:00");

    // The user's change of the time part: the picker's change, then the time change.
    UserFocus(p->TimePicker());
    UserKey(p->TimePicker(), VK_UP);
    EXPECT_EQ(Text(p->DateTime()), "02/01/2025 08:00:00");
    const std::vector<String> want = {"change", "time"};
    EXPECT_EQ(order, want);
    // The focused time part shows its current field highlighted, the date part none.
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(p, "datetime_picker.png", png));
    const TColor highlight = ColorToRGB(clHighlight);
    TRect hour = p->TimePicker()->FieldRect(0);
    const TPoint at = p->TimePicker()->ClientToParent(TPoint(0, 0), p);
    hour = TRect(hour.Left + at.X, hour.Top + at.Y, hour.Right + at.X, hour.Bottom + at.Y);
    EXPECT_GT(Count_Pixels(png, hour, highlight), hour.Width() * hour.Height() / 2);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, p->TimePicker()->Left(), p->Height()), highlight), 0);

    // The time format is the time picker's own; the program's stays.
    p->SetTimeFormat("hh:nn");
    EXPECT_EQ(p->TimePicker()->Text(), "08:00");
    EXPECT_EQ(GetLongTimeFormat(), "hh:nn:ss");

    for (TExtDateTimeKind k : {dkDate, dkTime}) {
        SCOPED_TRACE(int(k));
        p->SetKind(k);
        EXPECT_EQ(p->TimePicker(), nullptr);
        p->SetDateTime(D(2024, 6, 15) + T(11, 12, 13));
        EXPECT_EQ(p->TimePicker(), nullptr);
        EXPECT_EQ(FormatDateTime("hh:nn:ss", p->Time()), "11:12:13");
        EXPECT_EQ(p->TDateTimePicker::Kind(), k == dkTime ? dtkTime : dtkDate);
    }
    p->SetTimeFormat("hh:nn");
    EXPECT_EQ(p->ValueText(), "11:12");   // the time format serves the time kind
}

// With a check box, unchecking turns the time part off; the calendar's drop-down and
// close-up are still heard.
TEST_F(PickerTest, UncheckingTheCombinedPickerTurnsItsTimePartOff)
{
    auto* p = Make<TExtDateTimePicker>(60, 20, 260);
    p->SetShowCheckbox(true);
    p->SetDateTime(D(2024, 6, 15) + T(10, 0, 0));
    UserFocus(p);
    const TPoint box = Mid(p->CheckboxRect());
    UserClick(p, box.X, box.Y);
    EXPECT_FALSE(p->Checked());
    EXPECT_FALSE(p->TimePicker()->Enabled());
    EXPECT_EQ(p->ValueText(), "");
    UserKey(p, VK_F4);
    UserKey(p, VK_ESCAPE);
    UserClick(p, box.X, box.Y);
    EXPECT_TRUE(p->TimePicker()->Enabled());
    const std::vector<String> want = {"change ", "dropdown", "closeup", "change 15/06/2024"};
    EXPECT_EQ(Log, want);
    // A value from code checks the box again and turns the time part back on: a picker
    // reused for another value never gives back "none" for it.
    UserClick(p, box.X, box.Y);
    ASSERT_FALSE(p->Checked());
    p->SetDateTime(D(2025, 3, 1) + T(8, 0, 0));
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(p->TimePicker()->Enabled());
    EXPECT_EQ(p->ValueText(), "01/03/2025");
    p->SetEnabled(false);
    EXPECT_FALSE(p->TimePicker()->Enabled());
}

// The label follows the picker to the place its position names.
TEST_F(PickerTest, TheLabelTakesThePlaceItsPositionNames)
{
    auto* p = Make<TExtDateTimePicker>(150, 100, 200);
    p->SetLabelCaption("Start");
    TLabel* l = p->PickerLabel();
    ASSERT_TRUE(l);
    EXPECT_EQ(l->Parent(), Form);
    const int lw = l->Width(), lh = l->Height(), m = 4;
    struct {
        TLabelPosition pos;
        int left, top;
    } cases[] = {
        {lpLeftTop, 150 - lw - m, 100},
        {lpLeftCenter, 150 - lw - m, 100 + (21 - lh) / 2},
        {lpLeftBottom, 150 - lw - m, 100 + 21 - lh},
        {lpTopLeft, 150, 100 - lh - m},
        {lpBottomLeft, 150, 121 + m},
        {lpLeftTopLeft, 150 - m, 100},
        {lpTopCenter, 150 + (200 - lw) / 2, 100 - lh - m},
        {lpRightCenter, 354, 100 + (21 - lh) / 2},
        {lpRighBottom, 354, 121 - lh},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.pos));
        p->SetLabelPosition(c.pos);
        EXPECT_EQ(l->Left(), c.left);
        EXPECT_EQ(l->Top(), c.top);
    }
    p->SetLeft(170);   // moving the picker moves the label
    EXPECT_EQ(l->Left(), 374);
    int clicks = 0;
    p->OnLabelClick = [&](TObject*) { ++clicks; };
    UserClick(l);
    EXPECT_EQ(clicks, 1);
    p->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    p->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    p->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(l->Enabled());
    // With FocusLabel the label is bold while the picker has the focus.
    p->SetVisible(true);
    p->SetEnabled(true);
    p->FocusLabel = true;
    UserFocus(p);
    EXPECT_TRUE(l->Font()->Style().Contains(fsBold));
    UserFocus(DefaultButton);
    EXPECT_FALSE(l->Font()->Style().Contains(fsBold));
}

// The flat look by pixels: the outermost ring of a picker, per family and setting.
TEST_F(PickerTest, TheFlatBorderIsDrawnOnlyWhereItBelongs)
{
    constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Disabled = 0xB99D7F;
    struct {
        const char* name;
        int family;   // 0 TAsgDateTimePicker, 1 plain TCustomDateTimePicker, 2 TExtDateTimePicker
        bool metro, enabled, disabledBorder;
        TColor border;
        int flat;      // 0: the family's own Ctl3D; 1: Ctl3D off with a single border
        TColor ring;   // the colour of the whole outer ring, clNone: not one colour of these
    } cases[] = {
        {"disabled metro picker", 0, true, false, false, clNone, 0, Disabled},
        {"disabled metro picker keeping its border", 0, true, false, true, Red, 0, Red},
        {"border colour", 0, true, true, false, Red, 0, Red},
        {"no metro look: the platform's edge", 0, false, true, false, Red, 0, clNone},
        {"no metro look, flat: the themed frame", 0, false, true, false, Red, 1, Disabled},
        {"flat without a border colour: no frame", 0, false, true, false, clNone, 1, clNone},
        {"plain picker never draws it", 1, true, false, false, Red, 0, clNone},
        {"combined picker, border colour", 2, true, true, false, Green, 0, Green},
        {"combined picker, disabled", 2, true, false, false, Green, 0, Disabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFlatDateTimePicker* p = c.family == 0   ? static_cast<TFlatDateTimePicker*>(Make<TAsgDateTimePicker>())
                                 : c.family == 1 ? Make<TCustomDateTimePicker>()
                                                 : Make<TExtDateTimePicker>();
        p->SetMetroStyle(c.metro);
        p->SetBorderColor(c.border);
        p->FDisabledBorder = c.disabledBorder;
        if (c.flat) {
            p->SetCtl3D(false);
            p->SetBorderStyle(bsSingle);
        }
        p->SetEnabled(c.enabled);
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(p, "picker_border.png", png));
        const int W = png.Width(), H = png.Height();
        const int ring = 2 * W + 2 * H - 4;
        for (TColor colour : {Red, Green, Disabled}) {
            const int n = Count_Pixels(png, TRect(0, 0, W, 1), colour) + Count_Pixels(png, TRect(0, H - 1, W, H), colour) +
                          Count_Pixels(png, TRect(0, 1, 1, H - 1), colour) +
                          Count_Pixels(png, TRect(W - 1, 1, W, H - 1), colour);
            if (colour == c.ring) EXPECT_EQ(n, ring) << colour;
            else EXPECT_EQ(n, 0) << colour;
        }
        delete p;
    }
}

// The metro look's own button: its face colour, hot under the mouse, and its arrow; a
// plain flat picker (the kind embedded as a time part) never draws it.
TEST_F(PickerTest, TheOwnButtonShowsItsColoursNormalAndHot)
{
    constexpr TColor Face = 0x00C000, Hot = 0xC00000, Arrow = 0x0000C0;
    struct {
        const char* name;
        int family;   // 0 TAsgDateTimePicker, 1 plain TCustomDateTimePicker, 2 TExtDateTimePicker
        bool metro, drawn;
    } cases[] = {
        {"flat picker, metro", 0, true, true},
        {"flat picker without metro", 0, false, false},
        {"plain picker, metro", 1, true, false},
        {"combined picker, metro", 2, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFlatDateTimePicker* p = c.family == 0   ? static_cast<TFlatDateTimePicker*>(Make<TAsgDateTimePicker>())
                                 : c.family == 1 ? Make<TCustomDateTimePicker>()
                                                 : Make<TExtDateTimePicker>();
        p->SetMetroStyle(c.metro);
        p->ButtonColor = Face;
        p->ButtonColorHot = Hot;
        p->ButtonTextColor = Arrow;
        const TRect cell(p->Width() - p->ButtonWidth() + 2, 0, p->Width(), p->Height());
        const int area = cell.Width() * cell.Height();
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(p, "picker_button.png", png));
        if (c.drawn) {
            EXPECT_GT(Count_Pixels(png, cell, Face), area / 3);
            EXPECT_GT(Count_Pixels(png, cell, Arrow), 5);
        } else {
            EXPECT_EQ(Count_Pixels(png, TRect(0, 0, p->Width(), p->Height()), Face), 0);
        }
        EXPECT_EQ(Count_Pixels(png, TRect(0, 0, cell.Left - 2, p->Height()), Face), 0);
        UserMouseMove(p, p->Width() - 5, 10);
        ASSERT_TRUE(SNAPSHOT(p, "picker_button_hot.png", png));
        EXPECT_EQ(Count_Pixels(png, cell, Hot) > area / 3, c.drawn);
        EXPECT_EQ(Count_Pixels(png, cell, Face), 0);
        UserMouseMove(p, 10, 10);
        ASSERT_TRUE(SNAPSHOT(p, "picker_button.png", png));
        EXPECT_EQ(Count_Pixels(png, cell, Hot), 0);
        delete p;
    }
    EXPECT_EQ(Make<TAsgDateTimePicker>()->Version(), "1.0.0.0");
    EXPECT_EQ(Make<TExtDateTimePicker>()->Version(), "1.2.0.0");
}

// The open calendar as the screen shows it: the selected day highlighted, today marked.
TEST_F(PickerTest, TheOpenCalendarShowsTheSelectedDayAndToday)
{
    auto* p = Make<TDateTimePicker>();
    p->CalendarToday = D(2026, 12, 11);
    p->SetDateTime(D(2026, 12, 22));
    UserFocus(p);
    UserKey(p, VK_F4);
    ASSERT_TRUE(p->DroppedDown());
    TMonthCalendar* cal = p->Calendar();
    // The calendar drops below the picker, on the screen.
    const TPoint below = p->ClientToScreen(TPoint(0, p->Height()));
    EXPECT_EQ(p->DropWindow()->Left(), below.X);
    const int top = p->DropWindow()->Top();
    EXPECT_TRUE(top == below.Y || top + p->DropWindow()->Height() == below.Y - p->Height()) << top;
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(p->DropWindow(), "calendar_open.png", png));
    const TColor highlight = ColorToRGB(clHighlight), mark = 0x0000FF;
    const TRect sel = cal->DayRect(D(2026, 12, 22)), today = cal->DayRect(D(2026, 12, 11));
    const TRect other = cal->DayRect(D(2026, 12, 16));
    const int inner = (sel.Width() - 2) * (sel.Height() - 2);
    EXPECT_GT(Count_Pixels(png, sel, highlight), inner * 2 / 3);
    EXPECT_EQ(Count_Pixels(png, sel, mark), 0);
    // Today: framed in the mark's colour all round, not highlighted.
    EXPECT_GE(Count_Pixels(png, today, mark), 2 * (today.Width() + today.Height()) - 4);
    EXPECT_EQ(Count_Pixels(png, today, highlight), 0);
    EXPECT_EQ(Count_Pixels(png, other, highlight) + Count_Pixels(png, other, mark), 0);
    // Moving by key moves the highlight.
    UserKey(p, VK_UP);
    ASSERT_TRUE(SNAPSHOT(p->DropWindow(), "calendar_moved.png", png));
    EXPECT_EQ(Count_Pixels(png, sel, highlight), 0);
    EXPECT_GT(Count_Pixels(png, cal->DayRect(D(2026, 12, 15)), highlight), inner * 2 / 3);
    UserKey(p, VK_ESCAPE);
    EXPECT_EQ(p->Date(), D(2026, 12, 22));
    // Where the screen ends below the picker, the calendar opens above it.
    Form->SetTop(Screen->Height() - Form->Height() + 10);
    p->SetTop(Form->ClientHeight() - 30);
    UserKey(p, VK_F4);
    const TPoint corner = p->ClientToScreen(TPoint(0, 0));
    EXPECT_EQ(p->DropWindow()->Top() + p->DropWindow()->Height(), corner.Y);
    EXPECT_LE(p->DropWindow()->Top() + p->DropWindow()->Height(), Screen->Height());
}

}  // namespace
