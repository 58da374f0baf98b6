// The clock face: where its hands point, what clicks and keys set, how the hands and the
// AM/PM box move there, and pictures of it.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "gridext/panels/ExtWatch.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Exception.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

TDateTime T(int h, int m, int s = 0) { return EncodeTime(h, m, s, 0); }

String HM(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return Format("%.2d:%.2d:%.2d", {h, m, s});
}

class ClockTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TExtWatch* Clock = nullptr;
    int Changes = 0;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(200);
        Form->SetClientHeight(200);
        Form->SetColor(clWhite);
        Clock = Make_Control<TExtWatch>(Form, Form, "Clock", 0, 0, 180, 180);
        Clock->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete Form; }
    // Runs the animation to its end, a step at a time, recording the minutes passed.
    std::vector<int> RunAnimation(bool minutes)
    {
        std::vector<int> seen;
        for (int i = 0; i < 200 && Clock->Animating(); ++i) {
            Clock->AnimationStep();
            int h, m, s, ms;
            DecodeTime(Clock->Time(), h, m, s, ms);
            seen.push_back(minutes ? m : h);
        }
        EXPECT_FALSE(Clock->Animating());
        return seen;
    }
};

// ---------------------------------------------------------------- geometry

TEST_F(ClockTest, FaceAndHandAnglesForASetOfTimes)
{
    EXPECT_EQ(Clock->FaceRect(), Rect(10, 10, 170, 170));
    EXPECT_EQ(Clock->Center(), Point(90, 90));
    EXPECT_EQ(Clock->Radius(), 80);
    Clock->SetAnimation(false);
    struct Case {
        int h, m, s;
        double hour, minute, second;
        bool am;
        TPoint hourEnd, minuteEnd;   // at 0.5 and 0.7 of the radius
    };
    const Case cases[] = {
        {12, 0, 0, 0, 0, 0, false, {90, 50}, {90, 34}},
        {0, 0, 0, 0, 0, 0, true, {90, 50}, {90, 34}},
        {23, 59, 59, 359.5, 354, 354, false, {90, 50}, {84, 34}},
        {3, 0, 0, 90, 0, 0, true, {130, 90}, {90, 34}},
        {15, 30, 0, 105, 180, 0, false, {129, 100}, {90, 146}},
        {6, 15, 30, 187.5, 90, 180, true, {85, 130}, {146, 90}},
        {11, 59, 0, 359.5, 354, 0, true, {90, 50}, {84, 34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%d:%d:%d", {c.h, c.m, c.s}));
        Clock->SetTime(T(c.h, c.m, c.s));
        EXPECT_EQ(TExtWatch::HourAngle(c.h, c.m), c.hour);
        EXPECT_EQ(TExtWatch::MinuteAngle(c.m), c.minute);
        EXPECT_EQ(TExtWatch::SecondAngle(c.s), c.second);
        EXPECT_EQ(Clock->AM(), c.am);
        EXPECT_EQ(Clock->PointAt(c.hour, 0.5 * Clock->Radius()), c.hourEnd);
        EXPECT_EQ(Clock->PointAt(c.minute, 0.7 * Clock->Radius()), c.minuteEnd);
    }
    EXPECT_EQ(Changes, 0);   // showing a time is no change by the user
}

TEST_F(ClockTest, PointsOnTheFaceGiveMinutesAndHours)
{
    struct Case {
        int x, y, minute, hourAM, hourPM;
    };
    for (const Case& c : {Case{170, 90, 15, 3, 15}, Case{90, 170, 30, 6, 18}, Case{10, 90, 45, 9, 21},
                          Case{90, 10, 0, 0, 12}, Case{130, 21, 5, 1, 13}, Case{150, 90, 15, 3, 15}}) {
        SCOPED_TRACE(Format("%d,%d", {c.x, c.y}));
        Clock->SetTime(T(1, 0));
        EXPECT_EQ(Clock->PointToMinute(c.x, c.y), c.minute);
        EXPECT_EQ(Clock->PointToHour(c.x, c.y), c.hourAM);
        Clock->SetTime(T(13, 0));
        EXPECT_EQ(Clock->PointToHour(c.x, c.y), c.hourPM);
    }
}

// ---------------------------------------------------------------- clicks and keys

TEST_F(ClockTest, ClicksSetTheHourInsideTheFaceAndTheMinuteOutside)
{
    Clock->SetAnimation(false);
    struct Case {
        const char* name;
        TDateTime start;
        int x, y;
        const char* after;
    };
    for (const Case& c : {Case{"3 o'clock in the morning", T(10, 20), 150, 90, "03:20:00"},
                          Case{"3 o'clock in the afternoon", T(22, 20), 150, 90, "15:20:00"},
                          Case{"outside the face, lower right", T(10, 20), 165, 165, "10:23:00"},
                          Case{"outside the face, upper left", T(10, 20), 20, 20, "10:53:00"},
                          Case{"the same hour changes nothing", T(3, 5), 150, 90, "03:05:00"}}) {
        SCOPED_TRACE(c.name);
        Clock->SetTime(c.start);
        Changes = 0;
        UserClick(Clock, c.x, c.y);
        EXPECT_EQ(HM(Clock->Time()), c.after);
        EXPECT_EQ(Changes, HM(c.start) == c.after ? 0 : 1);
    }
    // A live clock takes no clicks.
    Clock->Settings()->SetAuto(true);
    const TDateTime live = Clock->Time();
    UserClick(Clock, 150, 90);
    EXPECT_NEAR(Clock->Time(), live, 1.0 / 86400);
    Clock->Settings()->SetAuto(false);
}

TEST_F(ClockTest, TheAMPMBoxSwitchesHalvesAndTheScrollEnds)
{
    Clock->SetTime(T(3, 40));
    const TRect box = Clock->AMPMRect();
    ASSERT_GT(box.Height(), 0);
    EXPECT_EQ(box.Top, 90 + int(std::nearbyint((80.0 - box.Height()) / 3)));
    for (bool animation : {true, false}) {
        SCOPED_TRACE(animation ? "animated" : "at once");
        Clock->SetAnimation(animation);
        Changes = 0;
        const auto start = std::chrono::steady_clock::now();
        UserClick(Clock, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
        EXPECT_EQ(HM(Clock->Time()), "15:40:00");
        EXPECT_FALSE(Clock->AM());
        UserClick(Clock, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
        EXPECT_EQ(HM(Clock->Time()), "03:40:00");
        EXPECT_TRUE(Clock->AM());
        EXPECT_EQ(Changes, 2);
        EXPECT_FALSE(Clock->Animating());
        // The scroll takes 10 ms for each pixel of the box, no more.
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_LT(ms.count(), animation ? 2 * 10 * (box.Height() + 1) + 2000 : 1000);
    }
    // The pointer turns into a hand over the box.
    UserMouseMove(Clock, box.Left + 2, box.Top + 2);
    EXPECT_EQ(Clock->Cursor(), crHandPoint);
    UserMouseMove(Clock, 40, 90);
    EXPECT_EQ(Clock->Cursor(), crDefault);
}

TEST_F(ClockTest, KeysStepHoursAndMinutesAcrossTheirEnds)
{
    Clock->SetAnimation(false);
    struct Case {
        TDateTime start;
        WORD key;
        const char* after;
    };
    const Case cases[] = {
        {T(10, 59), VK_RIGHT, "11:00:00"}, {T(10, 0), VK_LEFT, "09:59:00"},  {T(0, 0, 30), VK_LEFT, "23:59:30"},
        {T(23, 15), VK_PRIOR, "00:15:00"}, {T(22, 15), VK_PRIOR, "23:15:00"}, {T(0, 15), VK_NEXT, "23:15:00"},
        {T(5, 15), VK_NEXT, "04:15:00"},   {T(5, 15), VK_HOME, "12:15:00"},  {T(10, 45), VK_END, "11:00:00"},
        {T(10, 15), VK_END, "10:00:00"},   {T(23, 45), VK_END, "00:00:00"},  {T(15, 0), 'A', "03:00:00"},
        {T(3, 0), 'P', "15:00:00"},        {T(3, 0), 'a', "03:00:00"},       {T(15, 0), 'p', "15:00:00"},
        {T(10, 20), VK_UP, "10:20:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(HM(c.start) + " key " + IntToStr(c.key));
        Clock->SetTime(c.start);
        Changes = 0;
        Clock->HandleWatchKey(c.key);
        EXPECT_EQ(HM(Clock->Time()), c.after);
        // Every change the keys make is reported, also those made without animation.
        EXPECT_EQ(Changes, HM(c.start) == c.after ? 0 : 1);
    }
}

TEST_F(ClockTest, AnInvalidMinuteIsRefusedAndTheTimeStays)
{
    Clock->SetTime(T(8, 30));
    try {
        Clock->SetMinute(60);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid time");
    }
    EXPECT_EQ(HM(Clock->Time()), "08:30:00");
    EXPECT_FALSE(Clock->Animating());
}

// ---------------------------------------------------------------- animation

TEST_F(ClockTest, HandsMoveInShrinkingStepsAndReportOnceAtTheEnd)
{
    Clock->SetTime(T(9, 10));
    Changes = 0;
    Clock->SetMinute(50);
    EXPECT_EQ(HM(Clock->Time()), "09:10:00");   // nothing moves before the timer
    EXPECT_EQ(RunAnimation(true), std::vector<int>({14, 18, 21, 24, 27, 29, 31, 33, 35, 37, 38, 39, 40, 41, 42, 43,
                                                      44, 45, 46, 47, 48, 49, 50, 50}));
    EXPECT_EQ(Changes, 1);

    // Forwards over the full hour the hour moves on.
    Clock->SetTime(T(9, 45));
    Changes = 0;
    Clock->HandleWatchKey(VK_END);
    const auto passed = RunAnimation(true);
    EXPECT_EQ(passed.front(), 47);
    EXPECT_EQ(HM(Clock->Time()), "10:00:00");
    EXPECT_EQ(Changes, 1);

    // The hour, down and up, through the AM/PM boundary without scrolling the box.
    Clock->SetTime(T(15, 0));
    Changes = 0;
    Clock->HandleWatchKey('A');
    EXPECT_EQ(RunAnimation(false), std::vector<int>({14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 3}));
    EXPECT_TRUE(Clock->AM());
    EXPECT_EQ(Changes, 1);
}

TEST_F(ClockTest, AnimationsEndWhateverTheFactor)
{
    for (int factor : {0, -3, 1, 100}) {
        SCOPED_TRACE(factor);
        Clock->SetAnimationFactor(factor);
        Clock->SetTime(T(2, 5));
        Changes = 0;
        Clock->SetMinute(55);
        RunAnimation(true);
        EXPECT_EQ(HM(Clock->Time()), "02:55:00");
        Clock->SetHour(20);
        RunAnimation(false);
        EXPECT_EQ(HM(Clock->Time()), "20:55:00");
        EXPECT_EQ(Changes, 2);
    }
    // Turning the animation off stops a running one.
    Clock->SetAnimationFactor(10);
    Clock->SetMinute(10);
    Clock->SetAnimation(false);
    Clock->AnimationStep();
    EXPECT_FALSE(Clock->Animating());
}

TEST_F(ClockTest, TheTimerRunsTheAnimationToItsEnd)
{
    Clock->SetTime(T(6, 0));
    Changes = 0;
    Clock->HandleWatchKey(VK_PRIOR);
    const auto start = std::chrono::steady_clock::now();
    while (Clock->Animating() && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        Application->ProcessMessages();
    EXPECT_EQ(HM(Clock->Time()), "07:00:00");
    EXPECT_EQ(Changes, 1);
}

// ---------------------------------------------------------------- pictures

bool Near(TColor a, TColor b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 6) return false;
    return true;
}

bool Dark(TColor c) { return (c & 0xFF) < 80 && ((c >> 8) & 0xFF) < 80 && ((c >> 16) & 0xFF) < 80; }

TEST_F(ClockTest, PictureShowsHandsWhereTheTimePoints)
{
    Clock->SetTime(T(3, 0));
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_face.png", png));
    TCanvas* c = png.Canvas();
    // Hour hand towards 3 o'clock ending at 0.5 r, minute hand up to 0.7 r.
    EXPECT_TRUE(Dark(c->Pixels(127, 90)));
    EXPECT_FALSE(Dark(c->Pixels(134, 90)));
    EXPECT_TRUE(Dark(c->Pixels(90, 37)));
    EXPECT_FALSE(Dark(c->Pixels(90, 30)));
    // Centre point, the border on the face's edge, and white face elsewhere.
    EXPECT_TRUE(Dark(c->Pixels(90, 90)));
    EXPECT_TRUE(Dark(c->Pixels(90, 11)));
    EXPECT_EQ(c->Pixels(60, 60), clWhite);
    // "AM" in its box below the centre.
    EXPECT_GT(Count_Pixels(png, Clock->AMPMRect(), Dark), 20);

    Clock->SetTime(T(21, 45));
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_face_pm.png", png));
    EXPECT_TRUE(Dark(c->Pixels(52, 90)));   // minute hand to 9 o'clock, 0.7 r = 56 long
    EXPECT_FALSE(Dark(c->Pixels(127, 90)));

    // Short-line pointers draw no hands, only the centre point.
    Clock->Appearance()->SetPointerStyle(psShortLine);
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_face_short.png", png));
    EXPECT_FALSE(Dark(c->Pixels(52, 90)));
    EXPECT_TRUE(Dark(c->Pixels(90, 90)));
}

TEST_F(ClockTest, ALiveClockDrawsItsSecondHandFromTheSystemTime)
{
    auto red = [](TColor c) { return (c & 0xFF) > 180 && ((c >> 8) & 0xFF) < 90 && ((c >> 16) & 0xFF) < 90; };
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_fixed.png", png));
    EXPECT_EQ(Count_Pixels(png, Clock->ClientRect(), red), 0);
    Clock->Settings()->SetTimeOffset(90);
    Clock->Settings()->SetAuto(true);
    // The shown time is the system time moved on by the offset.
    EXPECT_NEAR(Clock->CurrentTime() - Clock->Time(), 0, 2.0 / 86400);
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_live.png", png));
    EXPECT_GT(Count_Pixels(png, Clock->ClientRect(), red), 20);
    Clock->Settings()->SetSecond(false);
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_live_no_second.png", png));
    EXPECT_EQ(Count_Pixels(png, Clock->ClientRect(), red), 0);
    // Keys do nothing to a live clock.
    const TDateTime before = Clock->Time();
    Clock->HandleWatchKey(VK_PRIOR);
    EXPECT_EQ(Clock->Time(), before);
    EXPECT_FALSE(Clock->Animating());
}

TEST_F(ClockTest, PresetAndNamedLooksRepaintTheFace)
{
    Clock->SetTime(T(10, 10));
    TBitmap png;
    Clock->SetStyle(wsTower);
    EXPECT_EQ(Clock->Appearance()->Shape(), wsRect);
    EXPECT_EQ(Clock->Appearance()->AMPMColor(), TColor(0xB1F0FE));
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_tower.png", png));
    // The square face reaches the corners with its gradient's first colour near the top.
    EXPECT_TRUE(Near(png.Canvas()->Pixels(20, 3), TColor(0xB1F0FE)));
    EXPECT_TRUE(Near(png.Canvas()->Pixels(3, 176), TColor(0x5BCCE8)));

    Clock->SetStyle(wsClassic);
    struct Look {
        TWYXStyle style;
        TColor background, hands, second, font;
    };
    for (const Look& l : {Look{tsOffice2007Obsidian, TColor(0x5C534C), TColor(0xF2F1F0), TColor(0xF2F1F0), TColor(0xF2F1F0)},
                          Look{tsOffice2010Silver, TColor(0xFFFFFF), TColor(0xD2CDC8), TColor(0xD2CDC8), TColor(0x000000)},
                          Look{tsOffice2003Olive, TColor(0xB9EAE1), TColor(0x82C0AF), TColor(0xFFFFFF), TColor(0x000000)}}) {
        SCOPED_TRACE(int(l.style));
        Clock->SetComponentStyle(l.style);
        TWatchAppearance* a = Clock->Appearance();
        EXPECT_EQ(a->BackgroundColor(), l.background);
        EXPECT_EQ(a->MinutePointer(), l.hands);
        EXPECT_EQ(a->HourColor(), l.hands);
        EXPECT_EQ(a->SecondPointer(), l.second);
        EXPECT_EQ(a->HourFont()->Color(), l.font);
        EXPECT_EQ(a->AMPMFont()->Color(), l.font);
        EXPECT_EQ(a->CenterPointOuterBorderColor(), TColor(0x000000));
    }
    // The custom look changes only the common values.
    Clock->Appearance()->SetBackgroundColor(TColor(0x123456));
    Clock->SetComponentStyle(tsCustom);
    EXPECT_EQ(Clock->Appearance()->BackgroundColor(), TColor(0x123456));
    EXPECT_EQ(Clock->Appearance()->HourFont()->Color(), TColor(0x000000));

    Clock->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(Clock->Appearance()->BackgroundColor(), TColor(0xFFD2AF));
    EXPECT_EQ(Clock->Appearance()->SecondPointer(), TColor(0xFFFFFF));
    EXPECT_EQ(Clock->Appearance()->HourPointer(), TColor(0xD68759));
    ASSERT_TRUE(SNAPSHOT(Clock, "clock_office_blue.png", png));
    EXPECT_EQ(png.Canvas()->Pixels(60, 60), TColor(0xFFD2AF));
}

}   // namespace
