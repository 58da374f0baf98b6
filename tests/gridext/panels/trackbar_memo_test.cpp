// The contents of the track-bar and memo pickers: the track bar worked by mouse and
// keys with a picture of it, the edit's stepping and dragging, and the memo's summary
// line and key routing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gridext/panels/MemoPickerText.h"
#include "gridext/panels/PickerTrackBar.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Unicode.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class TrackBarTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TPickerTrackBar* Bar = nullptr;
    std::vector<int> Changes;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(200);
        Form->SetClientHeight(60);
        Bar = Make_Control<TPickerTrackBar>(Form, Form, "Bar", 0, 0, 150, 40);
        Bar->OnChange = [this](TObject*) { Changes.push_back(Bar->Position()); };
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete Form; }
};

TEST_F(TrackBarTest, RangeAndPositionKeepWithinEachOther)
{
    EXPECT_EQ(Bar->Min(), 0);
    EXPECT_EQ(Bar->Max(), 10);
    EXPECT_EQ(Bar->Position(), 0);
    Bar->SetPosition(25);
    EXPECT_EQ(Bar->Position(), 10);
    Bar->SetMin(12);   // above the maximum: ignored
    EXPECT_EQ(Bar->Min(), 0);
    Bar->SetMax(-1);   // below the minimum: ignored
    EXPECT_EQ(Bar->Max(), 10);
    Bar->SetMax(6);    // the position follows into the range
    EXPECT_EQ(Bar->Position(), 6);
    Bar->SetMin(7);
    EXPECT_EQ(Bar->Min(), 0);
    Bar->SetMax(10);
    Bar->SetMin(7);
    EXPECT_EQ(Bar->Position(), 7);
    // Every change was told, also those made by code.
    EXPECT_EQ(Changes, std::vector<int>({10, 6, 7}));
}

TEST_F(TrackBarTest, KeysClicksAndDragsMoveTheThumb)
{
    UserFocus(Bar);
    for (int i = 0; i < 3; ++i) UserKey(Bar, VK_RIGHT);
    EXPECT_EQ(Bar->Position(), 3);
    UserKey(Bar, VK_NEXT);
    EXPECT_EQ(Bar->Position(), 5);
    UserKey(Bar, VK_END);
    EXPECT_EQ(Bar->Position(), 10);
    UserKey(Bar, VK_RIGHT);
    EXPECT_EQ(Bar->Position(), 10);
    UserKey(Bar, VK_HOME);
    EXPECT_EQ(Bar->Position(), 0);
    // A click beside the thumb pages towards it.
    UserClick(Bar, Bar->PositionToX(8), 18);
    EXPECT_EQ(Bar->Position(), 2);
    // The thumb dragged to where 7 lies.
    const TRect thumb = Bar->ThumbRect();
    UserPress(Bar, (thumb.Left + thumb.Right) / 2, 18);
    UserMouseMove(Bar, Bar->PositionToX(5), 18, TShiftState{ssLeft});
    EXPECT_EQ(Bar->Position(), 5);
    UserRelease(Bar, Bar->PositionToX(7), 18);
    EXPECT_EQ(Bar->Position(), 7);
    UserMouseMove(Bar, Bar->PositionToX(1), 18);
    EXPECT_EQ(Bar->Position(), 7);   // released: moving no longer drags
}

TEST_F(TrackBarTest, PictureShowsTheThumbAtThePosition)
{
    Bar->SetPosition(7);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Bar, "trackbar.png", png));
    const TRect thumb = Bar->ThumbRect();
    const TColor face = png.Canvas()->Pixels((thumb.Left + thumb.Right) / 2, thumb.Top + 3);
    const TColor channel = png.Canvas()->Pixels(Bar->PositionToX(2), Bar->ChannelRect().Top + 2);
    EXPECT_NE(face, channel);
    EXPECT_EQ(channel, clWhite);
    // Eleven ticks below the channel, one per step.
    int ticks = 0;
    for (int x = 0; x < 150; ++x)
        if (png.Canvas()->Pixels(x, 32) != png.Canvas()->Pixels(2, 32)) ++ticks;
    EXPECT_EQ(ticks, 11);
}

TEST(TrackPickerRulesTest, EditKeysStepByFrequencyWithinTheRange)
{
    struct Case {
        int position;
        WORD key;
        int frequency, min, max, after;
    };
    for (const Case& c : {Case{0, VK_DOWN, 1, 0, 10, 1}, Case{2, VK_DOWN, 1, 0, 10, 3}, Case{0, VK_UP, 1, 0, 10, 0},
                          Case{10, VK_DOWN, 1, 0, 10, 10}, Case{8, VK_DOWN, 4, 0, 10, 8}, Case{8, VK_UP, 4, 0, 10, 4},
                          Case{3, VK_UP, 4, 0, 10, 3}, Case{5, VK_LEFT, 1, 0, 10, 5}}) {
        SCOPED_TRACE(IntToStr(c.position) + " key " + IntToStr(c.key));
        EXPECT_EQ(TrackPickerKeyStep(c.position, c.key, c.frequency, c.min, c.max), c.after);
    }
}

TEST(TrackPickerRulesTest, DraggingCountsWholePageSizesPerMove)
{
    EXPECT_EQ(TrackPickerDragStep(0, 7, 2), 3);
    int p = 0;
    for (int i = 0; i < 7; ++i) p = TrackPickerDragStep(p, 1, 2);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(TrackPickerDragStep(5, -7, 2), 2);
    // No page size: nothing to count in, and no division by it.
    EXPECT_EQ(TrackPickerDragStep(5, 40, 0), 5);
}

// ---------------------------------------------------------------- memo

TEST(MemoPickerTextTest, TheEditShowsTheFirstLineOrAShortenedOne)
{
    Application->Initialize();
    TBitmap measure(10, 10);
    TCanvas* c = measure.Canvas();
    const int width = 80;
    auto lines = [](std::initializer_list<const char*> l) {
        auto* s = new TStringList();
        for (const char* x : l) s->Add(x);
        return std::unique_ptr<TStringList>(s);
    };
    EXPECT_EQ(MemoPickerText(*lines({"ab", "cd"}), false, c, width), "ab...");
    EXPECT_EQ(MemoPickerText(*lines({"ab"}), false, c, width), "ab");
    EXPECT_EQ(MemoPickerText(*lines({"ab", "cd"}), true, c, width), "ab\r\ncd\r\n");
    EXPECT_EQ(MemoPickerText(*lines({}), false, c, width), "");

    for (const char* wide : {"a line much too wide for the edit", "\xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9 "
                                                                  "\xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9"}) {
        SCOPED_TRACE(wide);
        const String s = MemoPickerText(*lines({wide}), false, c, width);
        ASSERT_GT(s.size(), 3u);
        EXPECT_EQ(s.substr(s.size() - 3), "...");
        EXPECT_LT(c->TextWidth(s), width);
        EXPECT_TRUE(IsValidUtf8(s));
        EXPECT_EQ(String(wide).compare(0, s.size() - 3, s.substr(0, s.size() - 3)), 0);
        // One more character would not fit.
        const std::u16string w = Utf8ToUtf16(wide);
        const size_t kept = Utf8ToUtf16(s).size() - 3;
        EXPECT_GE(c->TextWidth(Utf16ToUtf8(w.substr(0, kept + 1)) + "..."), width);
    }
    // No cut is narrow enough: the line stays whole.
    EXPECT_EQ(MemoPickerText(*lines({"wide"}), false, c, 2), "wide");
}

TEST(MemoPickerTextTest, OnlyAltEscAndF4LeaveTheMemo)
{
    struct Case {
        WORD key;
        TShiftState shift;
        bool toEdit;
    };
    for (const Case& c : {Case{VK_ESCAPE, {}, true}, Case{VK_F4, {}, true}, Case{VK_DOWN, {ssAlt}, true},
                          Case{VK_DOWN, {}, false}, Case{VK_RETURN, {}, false}, Case{'A', {ssCtrl}, false}}) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(MemoKeyToEdit(c.key, c.shift), c.toEdit);
    }
    EXPECT_TRUE(MemoCharToEdit(27, {}));
    EXPECT_TRUE(MemoCharToEdit('x', {ssAlt}));
    EXPECT_FALSE(MemoCharToEdit('x', {}));
    EXPECT_FALSE(MemoCharToEdit(13, {}));
    EXPECT_TRUE(MemoSelectsAll('A', {ssCtrl}));
    EXPECT_TRUE(MemoSelectsAll('a', {ssCtrl}));
    EXPECT_FALSE(MemoSelectsAll('A', {}));
}

}   // namespace
