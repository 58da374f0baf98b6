// The track-bar and memo pickers as a user works them: opened by the button and by keys,
// the value moved with keys, the mouse and the track bar, Esc and clicks outside, the
// memo's summary line, and pictures of both open.
#include <vector>

#include "gridext/dropdown/MemoDropDown.h"
#include "gridext/dropdown/TrackBarDropDown.h"
#include "tests/gridext/pickers/picker_fixture.h"

namespace {

using TrackBarPickerTest = PickerTest<TExtTrackBarDropDown>;

TEST_F(TrackBarPickerTest, KeysStepWithinTheRange)
{
    EXPECT_EQ(Edit->Min(), 0);
    EXPECT_EQ(Edit->Max(), 10);
    EXPECT_EQ(Edit->Text(), "0");
    struct Case {
        const char* name;
        int frequency, start;
        WORD key;
        int times, position;
    } cases[] = {
        {"Down three times", 1, 0, VK_DOWN, 3, 3},
        {"Up at the minimum", 1, 0, VK_UP, 1, 0},
        {"Down at the maximum", 1, 10, VK_DOWN, 1, 10},
        {"a step past the maximum", 4, 8, VK_DOWN, 1, 8},
        {"Up by the frequency", 4, 8, VK_UP, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetFrequency(c.frequency);
        Edit->SetPosition(c.start);
        for (int i = 0; i < c.times; ++i) UserKey(Edit, c.key);
        EXPECT_EQ(Edit->Position(), c.position);
        EXPECT_EQ(Edit->Text(), IntToStr(c.position));
        EXPECT_FALSE(Edit->DroppedDown());
    }
}

TEST_F(TrackBarPickerTest, ATextBeyondTheRangeShowsTheEnd)
{
    for (int start : {0, 10}) {
        Edit->SetPosition(start);
        Edit->SetText("25");
        EXPECT_EQ(Edit->Position(), 10);
        EXPECT_EQ(Edit->Text(), "10");
    }
    // No integer: the position stays.
    Edit->SetText("x");
    EXPECT_EQ(Edit->Position(), 10);
}

TEST_F(TrackBarPickerTest, DraggingAlongTheEditMovesInWholePages)
{
    // The press opens the drop-down too; the drag goes on in the edit.
    UserPress(Edit, 20, 10);
    UserMouseMove(Edit, 27, 10, {ssLeft});
    EXPECT_EQ(Edit->Position(), 3);
    for (int x = 28; x < 35; ++x) UserMouseMove(Edit, x, 10, {ssLeft});
    EXPECT_EQ(Edit->Position(), 3);
    UserRelease(Edit, 34, 10);
    UserMouseMove(Edit, 60, 10);
    EXPECT_EQ(Edit->Position(), 3);
    // No page size: a drag moves nothing and divides by nothing.
    Edit->SetPageSize(0);
    UserPress(Edit, 20, 10);
    UserMouseMove(Edit, 40, 10, {ssLeft});
    UserRelease(Edit, 40, 10);
    EXPECT_EQ(Edit->Position(), 3);
}

TEST_F(TrackBarPickerTest, OpenedTheTrackBarPicksAndAClickOutsideKeepsIt)
{
    std::vector<int> moves;
    Edit->OnTrackChange = [&](TObject*) { moves.push_back(Edit->Position()); };
    struct Case {
        const char* name;
        std::function<void(TrackBarPickerTest*)> open;
    } opens[] = {
        {"button", [](TrackBarPickerTest* t) { t->OpenByButton(); }},
        {"F4", [](TrackBarPickerTest* t) { UserKey(t->Edit, VK_F4); }},
        {"Alt+Down", [](TrackBarPickerTest* t) { UserKey(t->Edit, VK_DOWN, {ssAlt}); }},
    };
    for (const Case& c : opens) {
        SCOPED_TRACE(c.name);
        Edit->SetPosition(2);
        moves.clear();
        c.open(this);
        ASSERT_TRUE(Edit->DroppedDown());
        TPickerTrackBar* bar = Edit->TrackBar();
        EXPECT_EQ(bar->Width(), Edit->Width() - 2);
        EXPECT_EQ(bar->Position(), 2);
        // The thumb dragged to the place of 7, then Down while open.
        const TRect t = bar->ThumbRect();
        UserPress(bar, (t.Left + t.Right) / 2, t.Top + 5);
        UserMouseMove(bar, bar->PositionToX(7), t.Top + 5, {ssLeft});
        UserRelease(bar, bar->PositionToX(7), t.Top + 5);
        EXPECT_EQ(Edit->Text(), "7");
        UserKey(Edit, VK_DOWN);
        EXPECT_EQ(bar->Position(), 8);
        EXPECT_EQ(Edit->Text(), "8");
        UserClick(Other);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Position(), 8);
        EXPECT_EQ(moves, (std::vector<int>{7, 8}));
    }
}

TEST_F(TrackBarPickerTest, EscBringsTheOldValueBack)
{
    Edit->SetText("4");
    UserKey(Edit, VK_F4);
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->Text(), "6");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "4");
    EXPECT_EQ(Edit->Position(), 4);
    // The same for a position set in code rather than as text.
    Edit->SetPosition(7);
    UserKey(Edit, VK_F4);
    UserKey(Edit, VK_UP);
    EXPECT_EQ(Edit->Text(), "6");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->Text(), "7");
    EXPECT_EQ(Edit->Position(), 7);
    Edit->SetPosition(4);
    // Enter keeps it.
    UserKey(Edit, VK_F4);
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Position(), 5);
}

TEST_F(TrackBarPickerTest, PictureOfTheOpenTrackBar)
{
    Edit->SetPosition(5);
    OpenByButton();
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "trackbar_picker_open.png", png));
    EXPECT_EQ(png.Width(), Edit->Width());
    EXPECT_EQ(png.Height(), 42);
    // The thumb stands in the middle of the channel.
    const TRect t = Edit->TrackBar()->ThumbRect();
    const int mid = png.Width() / 2;
    EXPECT_LE(std::abs((t.Left + t.Right) / 2 + 1 - mid), 3);
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), clBlack), 30);
}

// ---------------------------------------------------------------- memo

using MemoPickerTest = PickerTest<TExtMemoDropDown>;

TEST_F(MemoPickerTest, TheEditShowsASummaryWhileItCannotBeTyped)
{
    Edit->SetEditorEnabled(false);
    struct Case {
        const char* name;
        String text, shown;
    } cases[] = {
        {"two short lines", "one\r\ntwo", "one..."},
        {"one short line", "one", "one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->MemoText()->SetText(c.text);
        EXPECT_EQ(Edit->Text(), c.shown);
    }
    Edit->MemoText()->SetText(String(60, 'w'));
    const String s = Edit->Text();
    ASSERT_GT(s.size(), 3u);
    EXPECT_EQ(s.substr(s.size() - 3), "...");
    EXPECT_LT(s.size(), 60u);
    EXPECT_EQ(s.substr(0, s.size() - 3), String(s.size() - 3, 'w'));
}

TEST_F(MemoPickerTest, TypingInTheEditReplacesTheMemoText)
{
    int memoChanges = 0;
    Edit->OnMemoChange = [&](TObject*) { ++memoChanges; };
    Edit->MemoText()->SetText("a\r\nb");
    Edit->SelectAll();
    UserType(Edit, "xy");
    EXPECT_EQ(Edit->MemoText()->Count(), 1);
    EXPECT_EQ(Edit->MemoValue(), "xy");
    EXPECT_EQ(memoChanges, 0);
}

TEST_F(MemoPickerTest, TheMemoTakesTheKeysAndClosingDecidesWhatStays)
{
    Edit->SetEditorEnabled(false);
    Edit->MemoText()->SetText("first");
    struct Case {
        const char* name;
        std::function<void(MemoPickerTest*)> close;
        String value;
    } cases[] = {
        {"Esc", [](MemoPickerTest* t) { UserKey(t->Edit->Memo(), VK_ESCAPE); }, "first"},
        {"F4", [](MemoPickerTest* t) { UserKey(t->Edit->Memo(), VK_F4); }, "first\r\nsecond"},
        {"click outside", [](MemoPickerTest* t) { UserClick(t->Other); }, "first\r\nsecond"},
        {"Alt+Up", [](MemoPickerTest* t) { UserKey(t->Edit->Memo(), VK_UP, {ssAlt}); }, "first\r\nsecond"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->MemoText()->SetText("first");
        UserFocus(Edit);
        OpenByButton();
        ASSERT_TRUE(Edit->DroppedDown());
        TMemo* m = Edit->Memo();
        EXPECT_TRUE(m->Focused());
        EXPECT_EQ(m->Lines()->Text(), Edit->MemoText()->Text());
        // Enter is the memo's: a new line, the drop-down stays.
        m->SetSelStart(int(m->Text().size()));
        UserKey(m, VK_RETURN);
        UserType(m, "second");
        EXPECT_TRUE(Edit->DroppedDown());
        c.close(this);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->MemoValue(), c.value);
        EXPECT_EQ(Edit->Text(), c.value == "first" ? "first" : "first...");
    }
}

TEST_F(MemoPickerTest, AutoDropOpensOnEntering)
{
    Edit->SetAutoDrop(true);
    UserFocus(Other);
    UserFocus(Edit);
    EXPECT_TRUE(Edit->DroppedDown());
    UserKey(Edit->Memo(), VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    // Coming back to the edit as it closes does not open it again.
    EXPECT_TRUE(Edit->Focused());
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(MemoPickerTest, PictureOfTheOpenMemo)
{
    Edit->MemoText()->SetText("first line\r\nsecond line");
    OpenByButton();
    Pump();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "memo_picker_open.png", png));
    EXPECT_EQ(png.Width(), Edit->Width());
    EXPECT_EQ(png.Height(), 102);
    // Two lines of dark text at the top of the memo, white below them.
    EXPECT_GT(Count_Pixels(png, TRect(2, 2, 100, 40), [](TColor c) { return (c & 0xFF) < 0x60; }), 40);
    EXPECT_EQ(Count_Pixels(png, TRect(2, 60, 100, 90), [](TColor c) { return (c & 0xFF) < 0x60; }), 0);
}

}  // namespace
