// The tree's own scroll bars: where the thumb sits for a range, page and position, the
// client area the bars leave to the content, arrows, track and thumb under the mouse,
// and the picture of a tree with both bars.
#include <gtest/gtest.h>

#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {
constexpr int Bar = TStyledScrollBar::Size;

class ScrollBarTest : public TreeTest {
protected:
    TStyledScrollBar* VBar() const { return Tree->ScrollBarControl(SB_VERT); }
    TStyledScrollBar* HBar() const { return Tree->ScrollBarControl(SB_HORZ); }
    // Nodes of 18 pixels in a 300 x 200 tree: a vertical bar from 12 nodes on.
    void Rows(unsigned Count) { Tree->SetRootNodeCount(Count); }
    // A deep indentation makes the nodes wider than the window: a horizontal bar too.
    void Wide() { Tree->SetIndent(400); }
};

TEST_F(ScrollBarTest, ThumbTakesTheShareOfThePageAndSitsAtThePosition)
{
    // The vertical bar is 200 high: arrows of 17 leave a track from 17 to 183 (166).
    struct TCase {
        unsigned Nodes;
        int Offset;
        int Top, Bottom;
    };
    const TCase cases[] = {
        // range 360, page 201: the thumb is 166 * 201 / 361 long.
        {20, 0, 17, 17 + 92},
        {20, -80, 17 + 37, 17 + 37 + 92},
        {20, -160, 183 - 92, 183},
        // A long content: the thumb keeps its least length and still reaches the end.
        {1000, 0, 17, 17 + 8},
        {1000, -8900, 17 + 79, 17 + 79 + 8},
        {1000, -17800, 183 - 8, 183},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Nodes << " nodes at " << c.Offset);
        Tree->Clear();
        Rows(c.Nodes);
        Tree->SetOffsetY(c.Offset);
        ASSERT_EQ(Tree->OffsetY(), c.Offset);
        ASSERT_TRUE(VBar()->Visible());
        ASSERT_EQ(VBar()->Height(), 200);
        const TRect t = VBar()->ThumbRect();
        EXPECT_EQ(t.Top, c.Top);
        EXPECT_EQ(t.Bottom, c.Bottom);
        EXPECT_EQ(t.Width(), Bar);
    }
}

TEST_F(ScrollBarTest, BarsTakeTheirRoomFromTheClientAreaAndHideWhenNotNeeded)
{
    Rows(5);
    EXPECT_FALSE(VBar()->Visible());
    EXPECT_FALSE(HBar()->Visible());
    EXPECT_EQ(Tree->ClientRect(), TRect(0, 0, 300, 200));

    // Only a vertical bar: the horizontal one stays hidden.
    Rows(20);
    EXPECT_TRUE(VBar()->Visible());
    EXPECT_FALSE(HBar()->Visible());
    EXPECT_EQ(Tree->ClientRect(), TRect(0, 0, 300 - Bar, 200));
    EXPECT_EQ(VBar()->BoundsRect(), TRect(300 - Bar, 0, 300, 200));

    // Both: each bar stops at the other, and the vertical page is what the horizontal
    // bar leaves, so the last node ends at the bar's edge instead of under it.
    Wide();
    ASSERT_TRUE(HBar()->Visible());
    EXPECT_EQ(Tree->ClientRect(), TRect(0, 0, 300 - Bar, 200 - Bar));
    EXPECT_EQ(VBar()->BoundsRect(), TRect(300 - Bar, 0, 300, 200 - Bar));
    EXPECT_EQ(HBar()->BoundsRect(), TRect(0, 200 - Bar, 300 - Bar, 200));
    EXPECT_EQ(Tree->ScrollBarInfo(SB_VERT).Page, 200 - Bar + 1);
    Tree->SetOffsetY(-100000);
    EXPECT_EQ(Tree->GetDisplayRect(Tree->GetLast(), NoColumnIndex, false).Bottom, 200 - Bar);
    EXPECT_EQ(Tree->ScrollBarInfo(SB_HORZ).Page, 300 - Bar + 1);

    // The content shrinks again: both bars go and the client area is whole.
    Tree->SetIndent(18);
    Tree->SetRootNodeCount(5);
    EXPECT_FALSE(VBar()->Visible());
    EXPECT_FALSE(HBar()->Visible());
    EXPECT_EQ(Tree->ClientRect(), TRect(0, 0, 300, 200));
}

TEST_F(ScrollBarTest, VerticalBarStartsBelowTheHeader)
{
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    Rows(30);
    const int h = Tree->Header()->Height();
    ASSERT_GT(h, 0);
    EXPECT_EQ(VBar()->BoundsRect(), TRect(300 - Bar, h, 300, 200));
    // The header spans the window, over the bar too.
    EXPECT_EQ(Tree->Header()->Window()->Width(), 300);
}

TEST_F(ScrollBarTest, ArrowsAndTrackScrollByLinesAndPages)
{
    Form->Show();
    Rows(40);
    ASSERT_TRUE(VBar()->Visible());
    const int line = Tree->ScrollBarOptions()->VerticalIncrement();
    UserClick(VBar(), 8, 200 - 8);
    EXPECT_EQ(Tree->OffsetY(), -line);
    UserClick(VBar(), 8, 8);
    EXPECT_EQ(Tree->OffsetY(), 0);
    // Below the thumb: a page down; above it: a page up.
    UserClick(VBar(), 8, VBar()->ThumbRect().Bottom + 5);
    EXPECT_EQ(Tree->OffsetY(), -200);
    UserClick(VBar(), 8, VBar()->ThumbRect().Top - 5);
    EXPECT_EQ(Tree->OffsetY(), 0);

    // Disabled (always shown, nothing to scroll): no thumb and clicks do nothing.
    Tree->ScrollBarOptions()->SetAlwaysVisible(true);
    Tree->SetRootNodeCount(3);
    ASSERT_TRUE(VBar()->Visible());
    EXPECT_TRUE(VBar()->ThumbRect().IsEmpty());
    UserClick(VBar(), 8, 200 - 8);
    EXPECT_EQ(Tree->OffsetY(), 0);
}

TEST_F(ScrollBarTest, DraggingTheThumbScrollsAndStopsAtTheLastPage)
{
    Form->Show();
    Rows(20);
    const TRect t = VBar()->ThumbRect();
    const int y = (t.Top + t.Bottom) / 2;
    // Hovering makes the thumb hot, leaving makes it normal again.
    UserMouseMove(VBar(), 8, y);
    EXPECT_EQ(VBar()->HotPart(), TStyledScrollBar::spThumb);
    UserMouseLeave(VBar());
    EXPECT_EQ(VBar()->HotPart(), TStyledScrollBar::spNone);

    // The whole track (166) stands for the whole range (360): 40 pixels are 87 units.
    UserPress(VBar(), 8, y);
    EXPECT_EQ(VBar()->PressedPart(), TStyledScrollBar::spThumb);
    UserMouseMove(VBar(), 8, y + 40, TShiftState{ssLeft});
    EXPECT_EQ(Tree->OffsetY(), -87);
    // Past the end the position stops where the last page is in view.
    UserMouseMove(VBar(), 8, y + 500, TShiftState{ssLeft});
    EXPECT_EQ(Tree->OffsetY(), -160);
    // Steps count from where the thumb stopped: 20 pixels back are 43 units.
    UserMouseMove(VBar(), 8, y + 480, TShiftState{ssLeft});
    EXPECT_EQ(Tree->OffsetY(), -117);
    const int dragged = Tree->OffsetY();
    UserRelease(VBar(), 8, y + 480);
    EXPECT_EQ(VBar()->PressedPart(), TStyledScrollBar::spNone);
    EXPECT_EQ(Tree->OffsetY(), dragged);
    EXPECT_EQ(Tree->ScrollBarInfo(SB_VERT).Pos, -dragged);
}

TEST_F(ScrollBarTest, PictureOfATreeWithBothBars)
{
    Form->Show();
    Rows(20);
    Wide();
    Tree->SetOffsetY(-80);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_scroll_bars.png", png));
    const TColor face = ColorToRGB(clBtnFace), glyph = ColorToRGB(clBtnText), track = ColorToRGB(clScrollBar);
    // Arrow buttons at both ends of both bars, each with its glyph.
    const TRect arrows[] = {TRect(300 - Bar, 0, 300, Bar), TRect(300 - Bar, 200 - 2 * Bar, 300, 200 - Bar),
                            TRect(0, 200 - Bar, Bar, 200), TRect(300 - 2 * Bar, 200 - Bar, 300 - Bar, 200)};
    for (const TRect& a : arrows) {
        SCOPED_TRACE(testing::Message() << a.Left << "," << a.Top);
        EXPECT_GT(Count_Pixels(png, a, face), 100);
        EXPECT_GT(Count_Pixels(png, a, glyph), 8);
    }
    // The vertical thumb where the table puts it; the track shows above and below it.
    const TRect t = VBar()->ThumbRect();
    EXPECT_GT(Count_Pixels(png, TRect(300 - Bar + 2, t.Top + 2, 300 - 2, t.Bottom - 2), face),
              (Bar - 4) * (t.Height() - 4) * 9 / 10);
    EXPECT_EQ(Count_Pixels(png, TRect(300 - Bar, Bar, 300, t.Top), track), Bar * (t.Top - Bar));
    EXPECT_EQ(Count_Pixels(png, TRect(300 - Bar, t.Bottom, 300, 200 - 2 * Bar), track),
              Bar * (200 - 2 * Bar - t.Bottom));
}
}  // namespace
