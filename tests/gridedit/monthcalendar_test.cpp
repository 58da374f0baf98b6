// The month calendar: moving between months by its buttons and keys keeps the day
// within the month (leap days included) and within the limits, goes no further than the
// limits or the last writable date, and a click picks a day only within the limits.
#include <gtest/gtest.h>

#include <vector>

#include "gridedit/MonthCalendar.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "tests/common/UserInput.h"

namespace {

class MonthCalendarTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TMonthCalendar* Cal = nullptr;
    std::vector<String> Log;

    void SetUp() override
    {
        SetShortDateFormatOverride("dd/mm/yyyy");
        Form = new TForm(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(260);
        Cal = new TMonthCalendar(Form);
        Cal->SetParent(Form);
        Cal->OnPick = [this](TObject*, TDateTime d) { Log.push_back("pick " + FormatDateTime("dd/mm/yyyy", d)); };
        Cal->OnCancel = [this](TObject*) { Log.push_back("cancel"); };
        Form->Show();
    }
    void TearDown() override
    {
        delete Form;
        SetShortDateFormatOverride("");
    }
    static TPoint Mid(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
    void Click(const TRect& r) { UserClick(Cal, Mid(r).X, Mid(r).Y); }
    String Selected() const { return FormatDateTime("dd/mm/yyyy", Cal->Date()); }
};

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

// Each step as a user takes it: the buttons by click, the rest by key.
enum TStep { Prev, Next, PgUp, PgDn, YearOn, Home, End, Left, Right };

TEST_F(MonthCalendarTest, MovingBetweenMonthsKeepsTheDayWithinTheMonthAndTheLimits)
{
    struct {
        const char* name;
        TDateTime start, min, max;
        TStep step;
        const char* selected;
        int year, month;
        bool canPrev, canNext;
    } cases[] = {
        {"31 January on to a leap February", D(2024, 1, 31), 0, 0, Next, "29/02/2024", 2024, 2, true, true},
        {"31 March back to a common February", D(2023, 3, 31), 0, 0, Prev, "28/02/2023", 2023, 2, true, true},
        {"31 May by key back to April", D(2024, 5, 31), 0, 0, PgUp, "30/04/2024", 2024, 4, true, true},
        {"leap day a year on", D(2024, 2, 29), 0, 0, YearOn, "28/02/2025", 2025, 2, true, true},
        {"the next month past the limit stays", D(2024, 3, 10), 0, D(2024, 3, 15), Next, "10/03/2024", 2024, 3, true, false},
        {"the next month ends at the limit", D(2024, 3, 20), 0, D(2024, 4, 15), Next, "15/04/2024", 2024, 4, true, false},
        {"the month before starts at the limit", D(2024, 4, 5), D(2024, 3, 10), 0, Prev, "10/03/2024", 2024, 3, false, true},
        {"a key past the limit stops at it", D(2024, 3, 14), 0, D(2024, 3, 15), PgDn, "15/03/2024", 2024, 3, true, false},
        {"limits given the wrong way round", D(2024, 3, 15), D(2024, 3, 31), D(2024, 3, 1), Next, "15/03/2024", 2024, 3, false, false},
        {"no month after December 9999", D(9999, 12, 31), 0, 0, Next, "31/12/9999", 9999, 12, true, false},
        {"no day after 31 December 9999", D(9999, 12, 31), 0, 0, Right, "31/12/9999", 9999, 12, true, false},
        {"no day before 1 January of year 1", D(1, 1, 1), 0, 0, Left, "01/01/0001", 1, 1, false, true},
        {"Home: the month's first day", D(2024, 6, 17), 0, 0, Home, "01/06/2024", 2024, 6, true, true},
        {"End: the month's last day", D(2024, 2, 3), 0, 0, End, "29/02/2024", 2024, 2, true, true},
        {"a day back over the month's start", D(2024, 3, 1), 0, 0, Left, "29/02/2024", 2024, 2, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Cal->SetRange(0, 0);
        Cal->SetDate(c.start);
        Cal->SetRange(c.min, c.max);
        switch (c.step) {
        case Prev: Click(Cal->PrevButtonRect()); break;
        case Next: Click(Cal->NextButtonRect()); break;
        case PgUp: EXPECT_TRUE(Cal->HandleKey(VK_PRIOR, TShiftState())); break;
        case PgDn: EXPECT_TRUE(Cal->HandleKey(VK_NEXT, TShiftState())); break;
        case YearOn: EXPECT_TRUE(Cal->HandleKey(VK_NEXT, TShiftState{ssCtrl})); break;
        case Home: EXPECT_TRUE(Cal->HandleKey(VK_HOME, TShiftState())); break;
        case End: EXPECT_TRUE(Cal->HandleKey(VK_END, TShiftState())); break;
        case Left: EXPECT_TRUE(Cal->HandleKey(VK_LEFT, TShiftState())); break;
        case Right: EXPECT_TRUE(Cal->HandleKey(VK_RIGHT, TShiftState())); break;
        }
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(Cal->ShownYear(), c.year);
        EXPECT_EQ(Cal->ShownMonth(), c.month);
        EXPECT_EQ(Cal->CanGoPrev(), c.canPrev);
        EXPECT_EQ(Cal->CanGoNext(), c.canNext);
    }
    EXPECT_TRUE(Log.empty());   // moving picks nothing
}

// The page starts on the Monday on or before the first of the month; a click picks the
// day under it, days of the neighbouring months too, but never a day outside the limits.
TEST_F(MonthCalendarTest, AClickPicksTheDayUnderItWithinTheLimits)
{
    Cal->SetDate(D(2026, 12, 11));
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", Cal->FirstShownDay()), "30/11/2026");   // 1 December 2026 is a Tuesday
    Click(Cal->DayRect(D(2026, 12, 24)));
    Click(Cal->DayRect(D(2027, 1, 2)));   // the last row shows the next month's first days
    EXPECT_EQ(Cal->ShownMonth(), 1);
    Cal->SetRange(D(2027, 1, 5), D(2027, 1, 20));
    EXPECT_EQ(Selected(), "05/01/2027");   // the selection follows the new limits
    Click(Cal->DayRect(D(2027, 1, 25)));   // outside: nothing
    Click(Cal->DayRect(D(2027, 1, 20)));
    Click(Cal->TodayRect());               // today lies outside the limits: nothing
    Cal->SetToday(D(2027, 1, 9));
    Click(Cal->TodayRect());
    EXPECT_TRUE(Cal->HandleKey(VK_ESCAPE, TShiftState()));
    EXPECT_FALSE(Cal->HandleKey(VK_TAB, TShiftState()));
    const std::vector<String> want = {"pick 24/12/2026", "pick 02/01/2027", "pick 20/01/2027", "pick 09/01/2027",
                                      "cancel"};
    EXPECT_EQ(Log, want);
}

// Month arithmetic used by the pickers.
TEST(IncMonthClamped, KeepsTheDayWithinTheMonthAndTheYearsWithinRange)
{
    struct {
        TDateTime from;
        int months;
        TDateTime to;
    } cases[] = {
        {D(2024, 1, 31) + 0.5, 1, D(2024, 2, 29) + 0.5},
        {D(2024, 2, 29), 12, D(2025, 2, 28)},
        {D(2024, 2, 29), 48, D(2028, 2, 29)},
        {D(2024, 3, 31), -13, D(2023, 2, 28)},
        {D(9999, 11, 30), 5, D(9999, 12, 30)},
        {D(1, 2, 10), -3, D(1, 1, 10)},
    };
    for (const auto& c : cases) EXPECT_EQ(IncMonthClamped(c.from, c.months), c.to) << c.months;
}

}  // namespace
