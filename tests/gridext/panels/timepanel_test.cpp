// The time picker's content: the text of a time, stepping and reading it, and the panel
// with the clock and the time field as the user works them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gridext/panels/TimePickerPanel.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

TDateTime T(int h, int m, int s = 0) { return EncodeTime(h, m, s, 0); }

class TimeTextTest : public ::testing::Test {
protected:
    void SetUp() override { SetLongTimeFormatOverride("hh:nn:ss"); }
    void TearDown() override { SetLongTimeFormatOverride(""); }
};

TEST_F(TimeTextTest, TimesAreWrittenWithTwoDigitFields)
{
    EXPECT_EQ(FormatPickerTime(0, true), "00:00:00");
    EXPECT_EQ(FormatPickerTime(T(13, 5, 9), true), "13:05:09");
    EXPECT_EQ(FormatPickerTime(T(13, 5, 9), false), "13:05");
    EXPECT_EQ(PickerTimeMask(true), "!90:00:00;1; ");
    EXPECT_EQ(PickerTimeMask(false), "!90:00;1; ");
    SetLongTimeFormatOverride("hh.nn.ss");
    EXPECT_EQ(FormatPickerTime(T(7, 45), true), "07.45.00");
}

TEST_F(TimeTextTest, UpAndDownStepTheFieldUnderTheCaret)
{
    struct Case {
        const char* text;
        int caret;
        WORD key;
        bool seconds;
        const char* after;   // nullptr: no change
    };
    const Case cases[] = {
        {"00:30:00", 1, VK_UP, true, "23:30:00"},    {"23:30:00", 0, VK_DOWN, true, "00:30:00"},
        {"10:59:00", 4, VK_DOWN, true, "10:00:00"},  {"10:00:00", 3, VK_UP, true, "10:59:00"},
        {"10:20:00", 6, VK_UP, true, "10:20:59"},    {"10:20:59", 8, VK_DOWN, true, "10:20:00"},
        {"10:20", 3, VK_UP, false, "10:19:00"},      {"10:20", 5, VK_DOWN, false, "10:21:00"},
        {"10:20:00", 4, VK_LEFT, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.text) + " caret " + IntToStr(c.caret));
        TDateTime t = 0;
        ASSERT_NE(ReadPickerTime(c.text, c.seconds, t), ptNotRead);
        const bool changed = StepPickerTime(c.text, c.caret, c.key, c.seconds, t);
        EXPECT_EQ(changed, c.after != nullptr);
        if (c.after) {
            EXPECT_EQ(FormatPickerTime(t, true), c.after);
        }
    }
}

TEST_F(TimeTextTest, OnlyWholeTimesAreRead)
{
    struct Case {
        const char* text;
        bool seconds;
        TPickerTimeRead read;
        const char* time;
    };
    const Case cases[] = {
        {"13:05", false, ptRead, "13:05:00"},
        {"07:45:00", true, ptRead, "07:45:00"},
        {" 7:45:00", true, ptNotRead, nullptr},   // one character short once trimmed
        {"1 :00:00", true, ptReadRewrite, "01:00:00"},
        {"10:00", false, ptRead, "10:00:00"},
        {"12:3a:00", true, ptNotRead, nullptr},
        {"12:30", true, ptNotRead, nullptr},
        {"12:30:00", false, ptNotRead, nullptr},
        {"1230:00", true, ptNotRead, nullptr},
        {"12:30:0:", true, ptNotRead, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime t = T(1, 2, 3);
        EXPECT_EQ(ReadPickerTime(c.text, c.seconds, t), c.read);
        EXPECT_EQ(FormatPickerTime(t, true), c.time ? c.time : "01:02:03");
    }
    TDateTime t = T(1, 2, 3);
    EXPECT_THROW(ReadPickerTime("24:00:00", true, t), EConvertError);
    EXPECT_THROW(ReadPickerTime("12:60", false, t), EConvertError);
    EXPECT_EQ(FormatPickerTime(t, true), "01:02:03");
}

// ---------------------------------------------------------------- the panel

class TimePanelTest : public TimeTextTest {
protected:
    TForm* Form = nullptr;
    TTimePickerPanel* Panel = nullptr;
    TWatchAppearance Appearance;
    TWatchSettings Settings;
    std::vector<String> Times;
    int FieldFollowed = 0;

    void SetUp() override
    {
        TimeTextTest::SetUp();
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(200);
        Form->SetClientHeight(220);
        Panel = Make_Control<TTimePickerPanel>(Form, Form, "Panel", 0, 0, 170, 180);
        Panel->OnWatchTime = [this](TDateTime t) { Times.push_back(FormatPickerTime(t, true)); };
        Panel->OnTimeChange = [this](TObject*) { ++FieldFollowed; };
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override
    {
        delete Form;
        TimeTextTest::TearDown();
    }
    TTimePanelOptions Options(TDateTime t, bool field)
    {
        TTimePanelOptions o;
        o.Time = t;
        o.ShowTimePicker = field;
        o.Animation = false;
        o.WatchAppearance = &Appearance;
        o.WatchSettings = &Settings;
        o.Color = clWhite;
        return o;
    }
};

TEST_F(TimePanelTest, TheClockOpensAtTheTimeAndReportsClicksAndKeys)
{
    Panel->Prepare(Options(T(7, 45), false));
    EXPECT_EQ(Panel->Width(), 170);
    EXPECT_EQ(Panel->Height(), 170);
    EXPECT_EQ(FormatPickerTime(Panel->Watch()->Time(), true), "07:45:00");
    EXPECT_TRUE(Times.empty());   // opening is no change
    EXPECT_EQ(Panel->TimeField(), nullptr);

    // A click at 3 o'clock inside the face, then the clock's keys.
    const TPoint c = Panel->Watch()->Center();
    UserClick(Panel->Watch(), c.X + 55, c.Y);
    UserFocus(Panel->Watch());
    UserKey(Panel->Watch(), VK_PRIOR);
    UserKey(Panel->Watch(), VK_RIGHT);
    UserKey(Panel->Watch(), 'P');
    UserKey(Panel->Watch(), VK_END);
    EXPECT_EQ(Times, std::vector<String>({"03:45:00", "04:45:00", "04:46:00", "16:46:00", "17:00:00"}));

    // A cancelled close puts the clock back to the picker's time.
    Panel->Restore(T(7, 45));
    EXPECT_EQ(FormatPickerTime(Panel->Watch()->Time(), true), "07:45:00");
    // In automatic mode the clock keeps to the system time.
    Settings.SetAuto(true);
    Panel->Prepare(Options(T(7, 45), false));
    EXPECT_TRUE(Panel->Watch()->Settings()->Auto());
    UserKey(Panel->Watch(), VK_PRIOR);
    EXPECT_EQ(Times.size(), 5u);
}

TEST_F(TimePanelTest, TheTimeFieldAndTheClockFollowEachOther)
{
    Panel->Prepare(Options(T(7, 45), true));
    TDateTimePicker* field = Panel->TimeField();
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->Visible());
    EXPECT_EQ(Panel->Height(), field->Height() + 170);
    EXPECT_EQ(field->Top() + field->Height(), Panel->ClientHeight());
    EXPECT_EQ(FormatPickerTime(field->Time(), true), "07:45:00");
    EXPECT_EQ(field->Format(), "hh:nn:ss");

    // The clock moves: the field takes its time and says so.
    UserFocus(Panel->Watch());
    UserKey(Panel->Watch(), VK_NEXT);
    EXPECT_EQ(FormatPickerTime(field->Time(), true), "06:45:00");
    EXPECT_EQ(FieldFollowed, 1);
    // The user steps the field: the clock follows.
    UserFocus(field);
    UserKey(field, VK_UP);
    EXPECT_NE(FormatPickerTime(field->Time(), true), "06:45:00");
    EXPECT_EQ(FormatPickerTime(Panel->Watch()->Time(), true), FormatPickerTime(field->Time(), true));

    // Without seconds the field shows hours and minutes; without the field it hides.
    TTimePanelOptions o = Options(T(9, 0), true);
    o.ShowSeconds = false;
    Panel->Prepare(o);
    EXPECT_EQ(field->Format(), "hh:nn");
    Panel->Prepare(Options(T(9, 0), false));
    EXPECT_FALSE(field->Visible());
    EXPECT_EQ(Panel->Height(), 170);
}

TEST_F(TimePanelTest, PictureShowsTheClockAboveTheTimeField)
{
    TTimePanelOptions o = Options(T(9, 0), true);
    o.Color = TColor(0xF0F0F0);
    Panel->Prepare(o);
    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Panel, "time_panel.png", png));
    TExtWatch* w = Panel->Watch();
    const TPoint c = w->Center();
    auto dark = [](TColor x) { return (x & 0xFF) < 80 && ((x >> 8) & 0xFF) < 80 && ((x >> 16) & 0xFF) < 80; };
    // The hour hand points to 9, ending 0.5 r left of the centre; the minute hand up.
    const int r = int(w->Radius());
    EXPECT_TRUE(dark(png.Canvas()->Pixels(w->Left() + c.X - r / 2 + 3, w->Top() + c.Y)));
    EXPECT_FALSE(dark(png.Canvas()->Pixels(w->Left() + c.X - r / 2 - 4, w->Top() + c.Y)));
    EXPECT_TRUE(dark(png.Canvas()->Pixels(w->Left() + c.X, w->Top() + c.Y - int(0.7 * r) + 3)));
    // The panel's colour around the face, and the field's text below the clock.
    EXPECT_EQ(png.Canvas()->Pixels(2, 2), TColor(0xF0F0F0));
    TDateTimePicker* f = Panel->TimeField();
    EXPECT_GT(Count_Pixels(png, Bounds(f->Left(), f->Top(), f->Width(), f->Height()), dark), 20);
}

}   // namespace
