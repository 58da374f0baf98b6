#include "gridedit/MonthCalendar.h"

#include <algorithm>
#include <cmath>

#include "gridedit/GridEditors.h"
#include "platform/os/Regional.h"

namespace {
constexpr int kMargin = 4;
constexpr int kCellW = 24, kCellH = 18;
constexpr int kTitleH = 24, kHeaderH = 18, kFooterH = 20;
constexpr int kWeeks = 6;
// The mark on today: pure red, so that it stands out of every other colour used here.
constexpr TColor kTodayMark = 0x0000FF;

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};

TDateTime WholeDay(TDateTime v) { return std::floor(v); }
}  // namespace

int DaysInMonthOf(int Year, int Month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month == 2 && ((Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0)) return 29;
    return days[std::clamp(Month, 1, 12) - 1];
}

TDateTime IncMonthClamped(TDateTime Value, int Months)
{
    int y, m, d;
    DecodeDate(Value, y, m, d);
    long long total = (long long)y * 12 + (m - 1) + Months;
    total = std::clamp(total, 12LL, 9999LL * 12 + 11);
    y = int(total / 12);
    m = int(total % 12) + 1;
    d = std::min(d, DaysInMonthOf(y, m));
    return EncodeDate(y, m, d) + (Value - std::floor(Value));
}

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TCustomControl(AOwner)
{
    FToday = WholeDay(CurrentDateTime());
    SetDate(FToday);
    SetColor(clWindow);
    SetBounds(0, 0, NeededWidth(), NeededHeight());
}

bool TMonthCalendar::InRange(TDateTime Day) const { return Limit(Day) == WholeDay(Day); }

TDateTime TMonthCalendar::Limit(TDateTime Day) const
{
    // Days before year 1 or after 9999 cannot be written as dates.
    Day = std::clamp(WholeDay(Day), EncodeDate(1, 1, 1), EncodeDate(9999, 12, 31));
    if (FMinDate != 0 && Day < FMinDate) Day = FMinDate;
    if (FMaxDate != 0 && Day > FMaxDate) Day = FMaxDate;
    return Day;
}

void TMonthCalendar::MoveTo(TDateTime Day)
{
    FDate = Limit(Day);
    int d;
    DecodeDate(FDate, FYear, FMonth, d);
    Invalidate();
}

void TMonthCalendar::SetDate(TDateTime Value) { MoveTo(Value); }

void TMonthCalendar::SetRange(TDateTime AMinDate, TDateTime AMaxDate)
{
    FMinDate = AMinDate == 0 ? 0 : WholeDay(AMinDate);
    FMaxDate = AMaxDate == 0 ? 0 : WholeDay(AMaxDate);
    if (FMinDate != 0 && FMaxDate != 0 && FMinDate > FMaxDate) std::swap(FMinDate, FMaxDate);
    MoveTo(FDate);
}

void TMonthCalendar::SetToday(TDateTime Value)
{
    FToday = WholeDay(Value);
    Invalidate();
}

void TMonthCalendar::SetShowToday(bool Value)
{
    FShowToday = Value;
    SetHeight(NeededHeight());
    Invalidate();
}

void TMonthCalendar::SetShowTodayCircle(bool Value)
{
    FShowTodayCircle = Value;
    Invalidate();
}

bool TMonthCalendar::CanGoPrev() const
{
    if (FYear == 1 && FMonth == 1) return false;
    return FMinDate == 0 || EncodeDate(FYear, FMonth, 1) > FMinDate;
}

bool TMonthCalendar::CanGoNext() const
{
    if (FYear == 9999 && FMonth == 12) return false;
    return FMaxDate == 0 || EncodeDate(FYear, FMonth, DaysInMonthOf(FYear, FMonth)) < FMaxDate;
}

void TMonthCalendar::MoveMonths(int Months)
{
    if (Months < 0 ? !CanGoPrev() : !CanGoNext()) return;
    MoveTo(IncMonthClamped(FDate, Months));
}

void TMonthCalendar::PrevMonth() { MoveMonths(-1); }

void TMonthCalendar::NextMonth() { MoveMonths(1); }

int TMonthCalendar::NeededWidth() const { return 2 * kMargin + 7 * kCellW; }

int TMonthCalendar::NeededHeight() const
{
    return 2 * kMargin + kTitleH + kHeaderH + kWeeks * kCellH + (FShowToday ? kFooterH : 0);
}

int TMonthCalendar::GridTop() const { return kMargin + kTitleH + kHeaderH; }

TDateTime TMonthCalendar::FirstShownDay() const
{
    const TDateTime first = EncodeDate(FYear, FMonth, 1);
    // Day 0 (30 December 1899) was a Saturday; Monday starts the week.
    const int weekday = int(((long long)first + 5) % 7 + 7) % 7;   // 0 Monday .. 6 Sunday
    return first - weekday;
}

TRect TMonthCalendar::DayRect(TDateTime Day) const
{
    const int n = int(WholeDay(Day) - FirstShownDay());
    if (n < 0 || n >= 7 * kWeeks) return TRect();
    const int x = kMargin + (n % 7) * kCellW, y = GridTop() + (n / 7) * kCellH;
    return TRect(x, y, x + kCellW, y + kCellH);
}

TRect TMonthCalendar::PrevButtonRect() const { return TRect(kMargin, kMargin, kMargin + kTitleH, kMargin + kTitleH); }

TRect TMonthCalendar::NextButtonRect() const
{
    const int r = NeededWidth() - kMargin;
    return TRect(r - kTitleH, kMargin, r, kMargin + kTitleH);
}

TRect TMonthCalendar::TodayRect() const
{
    if (!FShowToday) return TRect();
    const int t = GridTop() + kWeeks * kCellH;
    return TRect(kMargin, t, NeededWidth() - kMargin, t + kFooterH);
}

TDateTime TMonthCalendar::DayAt(int X, int Y) const
{
    if (X < kMargin || X >= kMargin + 7 * kCellW || Y < GridTop() || Y >= GridTop() + kWeeks * kCellH) return 0;
    return FirstShownDay() + (Y - GridTop()) / kCellH * 7 + (X - kMargin) / kCellW;
}

void TMonthCalendar::Pick(TDateTime Day)
{
    if (!InRange(Day)) return;
    MoveTo(Day);
    if (OnPick) OnPick(this, FDate);
}

bool TMonthCalendar::HandleKey(WORD Key, TShiftState Shift)
{
    switch (Key) {
    case VK_LEFT: MoveTo(FDate - 1); return true;
    case VK_RIGHT: MoveTo(FDate + 1); return true;
    case VK_UP: MoveTo(FDate - 7); return true;
    case VK_DOWN: MoveTo(FDate + 7); return true;
    case VK_PRIOR: MoveTo(IncMonthClamped(FDate, Shift.Contains(ssCtrl) ? -12 : -1)); return true;
    case VK_NEXT: MoveTo(IncMonthClamped(FDate, Shift.Contains(ssCtrl) ? 12 : 1)); return true;
    case VK_HOME: MoveTo(EncodeDate(FYear, FMonth, 1)); return true;
    case VK_END: MoveTo(EncodeDate(FYear, FMonth, DaysInMonthOf(FYear, FMonth))); return true;
    case VK_RETURN: Pick(FDate); return true;
    case VK_ESCAPE:
        if (OnCancel) OnCancel(this);
        return true;
    }
    return false;
}

void TMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const TPoint p(X, Y);
    if (PrevButtonRect().Contains(p)) PrevMonth();
    else if (NextButtonRect().Contains(p)) NextMonth();
    else if (TodayRect().Contains(p)) Pick(FToday);
    else if (const TDateTime d = DayAt(X, Y); d != 0) Pick(d);
}

void TMonthCalendar::Paint()
{
    TCanvas* c = Canvas();
    const TRect all(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(all);
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(all);

    // Title: the month and year between the two buttons.
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(clWindowText);
    TRect title(kMargin + kTitleH, kMargin, NeededWidth() - kMargin - kTitleH, kMargin + kTitleH);
    c->DrawText(String(kMonthNames[FMonth - 1]) + " " + IntToStr(FYear), title,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const auto arrow = [c](const TRect& r, bool left, bool enabled) {
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(enabled ? clBtnText : clGrayText);
        c->Pen()->SetColor(enabled ? clBtnText : clGrayText);
        if (left) c->Polygon({TPoint(cx + 2, cy - 4), TPoint(cx + 2, cy + 4), TPoint(cx - 2, cy)});
        else c->Polygon({TPoint(cx - 2, cy - 4), TPoint(cx - 2, cy + 4), TPoint(cx + 2, cy)});
    };
    arrow(PrevButtonRect(), true, CanGoPrev());
    arrow(NextButtonRect(), false, CanGoNext());

    // Names of the week days over a line.
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetStyle(TFontStyles());
    const int headTop = kMargin + kTitleH;
    for (int i = 0; i < 7; ++i) {
        TRect r(kMargin + i * kCellW, headTop, kMargin + (i + 1) * kCellW, headTop + kHeaderH);
        c->DrawText(kDayNames[i], r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(kMargin, GridTop() - 1);
    c->LineTo(kMargin + 7 * kCellW, GridTop() - 1);

    // The days: the selected one highlighted, days of other months and days outside the
    // limits greyed, today framed.
    const TDateTime first = FirstShownDay();
    for (int n = 0; n < 7 * kWeeks; ++n) {
        const TDateTime day = first + n;
        int y, m, d;
        DecodeDate(day, y, m, d);
        TRect r = DayRect(day);
        TColor text = m == FMonth && InRange(day) ? clWindowText : clGrayText;
        if (day == FDate) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clHighlight);
            c->FillRect(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
            text = clHighlightText;
        }
        if (FShowTodayCircle && day == FToday) {
            c->Brush()->SetStyle(bsClear);
            c->Pen()->SetColor(kTodayMark);
            c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        }
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(text);
        c->DrawText(IntToStr(d), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    // Footer: today.
    if (FShowToday) {
        TRect r = TodayRect();
        int x = r.Left + 4;
        if (FShowTodayCircle) {
            c->Pen()->SetColor(kTodayMark);
            c->Rectangle(x, r.Top + 4, x + 16, r.Bottom - 4);
            x += 20;
        }
        c->Font()->SetColor(clWindowText);
        c->Font()->SetStyle(TFontStyles{fsBold});
        TRect t(x, r.Top, r.Right, r.Bottom);
        c->DrawText("Today: " + FormatDateTime(GetShortDateFormat(), FToday), t,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}
