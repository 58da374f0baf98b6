#pragma once
// The month calendar that a date picker drops down: a page of six weeks around the
// month shown, a title with the month and buttons to the month before and after, the
// selected day highlighted, a mark on today and a footer naming today. Days outside
// the limits are greyed and cannot be picked; the buttons go no further than the limits.
#include <functional>

#include "platform/gui/Controls.h"
#include "platform/rtl/SysUtils.h"

class TMonthCalendar : public TCustomControl {
public:
    explicit TMonthCalendar(TComponent* AOwner);

    // The selected day (a whole day), kept within the limits; its month is shown.
    TDateTime Date() const { return FDate; }
    void SetDate(TDateTime Value);
    // Limits as whole days, 0: none; the two may come in either order.
    TDateTime MinDate() const { return FMinDate; }
    TDateTime MaxDate() const { return FMaxDate; }
    void SetRange(TDateTime AMinDate, TDateTime AMaxDate);
    // The day marked as today; starts as the local clock's day.
    TDateTime Today() const { return FToday; }
    void SetToday(TDateTime Value);
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value);
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value);

    // The month shown.
    int ShownYear() const { return FYear; }
    int ShownMonth() const { return FMonth; }
    // Whether the month before or after the shown one holds a day within the limits.
    bool CanGoPrev() const;
    bool CanGoNext() const;
    // The selection moves a month back or on (the day kept within the month and the
    // limits); nothing happens beyond the limits.
    void PrevMonth();
    void NextMonth();

    // Where things are, in client coordinates.
    TRect DayRect(TDateTime Day) const;   // empty when the day is not on the page
    TRect PrevButtonRect() const;
    TRect NextButtonRect() const;
    TRect TodayRect() const;              // the footer; empty without ShowToday
    // The day under a client point, 0 when none.
    TDateTime DayAt(int X, int Y) const;
    // The size the calendar needs.
    int NeededWidth() const;
    int NeededHeight() const;

    // A day was picked (clicked, Enter, or today in the footer).
    std::function<void(TObject* Sender, TDateTime Day)> OnPick;
    // Esc.
    TNotifyEvent OnCancel;
    // The keys of the open calendar: arrows move by a day or a week, PgUp and PgDn by a
    // month (with Ctrl by a year), Home and End to the month's first and last day, Enter
    // picks, Esc cancels. True when the key was one of them.
    bool HandleKey(WORD Key, TShiftState Shift);

    // The first day of the page (a Monday on or before the first of the shown month).
    TDateTime FirstShownDay() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TDateTime Limit(TDateTime Day) const;
    bool InRange(TDateTime Day) const;
    void MoveTo(TDateTime Day);
    void MoveMonths(int Months);
    void Pick(TDateTime Day);
    int GridTop() const;
    TDateTime FDate = 0, FMinDate = 0, FMaxDate = 0, FToday = 0;
    int FYear = 1900, FMonth = 1;
    bool FShowToday = true, FShowTodayCircle = true;
};

// Whole months added to a date, the day kept within the new month (29 February gives
// 28 February in a common year), the time kept; the years stay within 1 .. 9999.
TDateTime IncMonthClamped(TDateTime Value, int Months);
int DaysInMonthOf(int Year, int Month);
