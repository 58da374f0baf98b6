// The header under the mouse: dragging a column border, clicking captions to sort,
// dragging a caption to another place, and what the header looks like.
#include <gtest/gtest.h>

#include "platform/gui/Dialogs.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class HeaderMouseTest : public HeaderTreeTest {
protected:
    void SetUp() override
    {
        HeaderTreeTest::SetUp();
        ShowThreeColumns(90);
        Form->Show();
    }
    TLTHeaderWindow* W() const { return H->Window(); }
};

TEST_F(HeaderMouseTest, HeaderWindowSitsAtTheTopAndGoesWithTheOption)
{
    ASSERT_NE(W(), nullptr);
    EXPECT_TRUE(W()->Visible());
    EXPECT_EQ(W()->Top(), 0);
    EXPECT_EQ(W()->Height(), H->Height());
    EXPECT_EQ(W()->Width(), Tree->ClientWidth());
    H->SetOptions(H->Options() - hoVisible);
    EXPECT_FALSE(W()->Visible());
}

TEST_F(HeaderMouseTest, DraggingADividerResizesTheColumnWithinItsLimits)
{
    C->Items(0)->SetMaxWidth(150);
    struct Case {
        const char* what;
        int from, to;
        int width0, width1;
    } cases[] = {
        {"wider", 80, 110, 110, 90},
        // The pointer's x becomes the column's right edge, wherever in the grab zone it took hold.
        {"narrower, grabbed a little left of the border", 108, 50, 50, 90},
        {"beyond the maximum", 52, 400, 150, 90},
        {"below the minimum", 150, -30, 10, 90},
    };
    for (const Case& c : cases) {
        UserPress(W(), c.from, 8);
        UserMouseMove(W(), c.to, 8, TShiftState{ssLeft});
        UserRelease(W(), c.to, 8);
        EXPECT_EQ(C->Items(0)->Width(), c.width0) << c.what;
        EXPECT_EQ(C->Items(1)->Width(), c.width1) << c.what;
        EXPECT_EQ(C->Items(1)->RawLeft(), c.width0) << c.what;
        EXPECT_FALSE(H->States().Contains(hsColumnWidthTracking)) << c.what;
    }
    EXPECT_TRUE(Clicks.empty());  // a drag on a divider is no click
}

TEST_F(HeaderMouseTest, DividerOfAColumnWithoutResizingCannotBeDragged)
{
    C->Items(0)->SetOptions(C->Items(0)->Options() - coResizable);
    UserPress(W(), 80, 8);
    UserMouseMove(W(), 120, 8, TShiftState{ssLeft});
    UserRelease(W(), 120, 8);
    EXPECT_EQ(C->Items(0)->Width(), 80);
}

TEST_F(HeaderMouseTest, ClicksSortByTheColumnAndFlipTheDirection)
{
    H->SetOptions(H->Options() | hoHeaderClickAutoSort);
    C->Items(2)->SetDefaultSortDirection(sdDescending);
    struct Step {
        int x;
        TColumnIndex sort;
        TSortDirection dir;
    } steps[] = {
        {120, 1, sdAscending},   // "Address"
        {120, 1, sdDescending},  // the same again: flipped
        {120, 1, sdAscending},
        {200, 2, sdDescending},  // "Value" in its own default direction
        {30, 0, sdAscending},
    };
    for (const Step& s : steps) {
        UserClick(W(), s.x, 8);
        EXPECT_EQ(H->SortColumn(), s.sort) << s.x;
        EXPECT_EQ(H->SortDirection(), s.dir) << s.x;
    }
    EXPECT_EQ(Clicks, (std::vector<TColumnIndex>{1, 1, 1, 2, 0}));
    // Right of the last column, and on a column that takes no clicks: nothing.
    C->Items(1)->SetOptions(C->Items(1)->Options() - coAllowClick);
    UserClick(W(), 280, 8);
    UserClick(W(), 120, 8);
    EXPECT_EQ(H->SortColumn(), 0);
    EXPECT_EQ(Clicks.size(), 5u);
}

TEST_F(HeaderMouseTest, ClickWithoutAutoSortOnlyReportsTheClick)
{
    UserClick(W(), 120, 8);
    EXPECT_EQ(Clicks, (std::vector<TColumnIndex>{1}));
    EXPECT_EQ(H->SortColumn(), NoColumnIndex);
}

TEST_F(HeaderMouseTest, DraggingACaptionMovesTheColumn)
{
    H->SetOptions(H->Options() | hoDrag);
    struct Case {
        const char* what;
        int from, to;
        std::vector<TColumnIndex> order;
    } cases[] = {
        {"first onto the right half of the last", 40, 230, {1, 2, 0}},
        {"last onto the left half of the first", 220, 5, {2, 0, 1}},
        {"first onto the left half of the last", 40, 180, {1, 0, 2}},
    };
    for (const Case& c : cases) {
        // Start each case from the creation order.
        C->ResetPositions(false);
        UserPress(W(), c.from, 8);
        UserMouseMove(W(), (c.from + c.to) / 2, 8, TShiftState{ssLeft});
        UserMouseMove(W(), c.to, 8, TShiftState{ssLeft});
        UserRelease(W(), c.to, 8);
        EXPECT_EQ(C->PositionToIndex(), c.order) << c.what;
    }
    EXPECT_TRUE(Clicks.empty());  // a drag is no click
}

TEST_F(HeaderMouseTest, DraggingTheBottomEdgeChangesTheHeight)
{
    H->SetMaxHeight(40);
    struct Case {
        const char* what;
        TLTHeaderOptions options;
        int to, expect;
    } cases[] = {
        {"without the option nothing", TLTHeaderOptions(), 30, 19},
        {"taller by the distance moved", TLTHeaderOptions{hoHeightResize}, 30, 31},
        {"not beyond the maximum", TLTHeaderOptions{hoHeightResize}, 90, 40},
        {"not below the minimum", TLTHeaderOptions{hoHeightResize}, -20, 10},
    };
    for (const Case& c : cases) {
        H->SetOptions((H->Options() - hoHeightResize) + c.options);
        H->SetHeight(19);
        UserPress(W(), 120, 18);
        UserMouseMove(W(), 120, c.to, TShiftState{ssLeft});
        UserRelease(W(), 120, c.to);
        EXPECT_EQ(H->Height(), c.expect) << c.what;
        EXPECT_EQ(W()->Height(), c.expect) << c.what;
    }
    // Only the press without the option was a caption press, and so a click.
    EXPECT_EQ(Clicks, (std::vector<TColumnIndex>{1}));
    // A double click on the edge goes back to the default height.
    H->SetOptions(H->Options() | hoHeightResize | hoHeightDblClickResize);
    H->SetHeight(33);
    UserDblClick(W(), 120, 31);
    EXPECT_EQ(H->Height(), H->DefaultHeight());
}

TEST_F(HeaderMouseTest, HeaderPictureShowsCaptionsDividersAndTheSortGlyph)
{
    H->SetSortColumn(1);
    H->SetSortDirection(sdDescending);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_header.png", png));
    const int h = H->Height();
    auto is = [&](int x, int y, TColor c) { return png.Canvas()->Pixels(x, y) == ColorToRGB(c); };
    // Each cell is a raised button: light left edge, a dark right edge with the shadow
    // inside it.
    for (int x : {0, 80, 170}) EXPECT_TRUE(is(x, h / 2, clBtnHighlight)) << x;
    for (int x : {79, 169, 239}) EXPECT_TRUE(is(x, h / 2, cl3DDkShadow)) << x;
    for (int x : {78, 168, 238}) EXPECT_TRUE(is(x, h / 2, clBtnShadow)) << x;
    // Right of the columns the background colour, all of it.
    const int cw = Tree->ClientWidth();
    EXPECT_EQ(Count_Pixels(png, TRect(240, 0, cw, h), ColorToRGB(clBtnFace)), (cw - 240) * h);
    // The sort glyph follows the sorted caption (cell 80, frame 2, margin, caption, spacing)
    // and no other; captions are drawn.
    auto dark = [](TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 200; };
    TBitmap measure;
    measure.Canvas()->SetFont(H->Font());
    const TLazyTreeColumn* sorted = C->Items(1);
    const int gx = 82 + sorted->Margin() + measure.Canvas()->TextWidth(sorted->Text()) + 2 + sorted->Spacing();
    const TRect glyph(gx - 1, 0, gx + SortGlyphWidth + 2, h);
    EXPECT_GT(Count_Pixels(png, glyph, dark), 10);
    EXPECT_EQ(Count_Pixels(png, TRect(226, 0, 237, h), dark), 0);
    for (int left : {4, 84, 174}) EXPECT_GT(Count_Pixels(png, TRect(left, 2, left + 30, h - 2), dark), 10) << left;
    // The glyph points down for a descending sort: its top row is wider than its bottom.
    int top = -1, bottom = -1;
    for (int y = 0; y < h; ++y)
        if (Count_Pixels(png, TRect(glyph.Left, y, glyph.Right, y + 1), dark) > 0) {
            if (top < 0) top = y;
            bottom = y;
        }
    ASSERT_GE(top, 0);
    EXPECT_GT(Count_Pixels(png, TRect(glyph.Left, top, glyph.Right, top + 1), dark),
              Count_Pixels(png, TRect(glyph.Left, bottom, glyph.Right, bottom + 1), dark));
}

TEST_F(HeaderMouseTest, ColumnMenuShowsAndHidesColumns)
{
    H->SetOptions(H->Options() | hoAutoColumnPopupMenu);
    std::vector<std::pair<TColumnIndex, bool>> changes;
    H->OnColumnVisibilityChanged = [&](TLTHeader*, TColumnIndex Column, bool Visible) {
        changes.emplace_back(Column, Visible);
    };
    TInteractionScript script;
    script.PickMenu("Address").PickMenu("Address").PickMenu("Name").PickMenu("Value");
    UserRightClick(W(), 30, 8);
    EXPECT_FALSE(C->Items(1)->Visible());
    EXPECT_EQ(C->Items(2)->RawLeft(), 80);  // the columns right of it close up
    UserRightClick(W(), 30, 8);
    EXPECT_TRUE(C->Items(1)->Visible());
    UserRightClick(W(), 30, 8);  // hides "Name"
    EXPECT_FALSE(C->Items(0)->Visible());
    C->Items(1)->SetOptions(C->Items(1)->Options() - coVisible);
    UserRightClick(W(), 30, 8);  // "Value" is the only visible column: its item is disabled
    EXPECT_TRUE(C->Items(2)->Visible());
    EXPECT_EQ(changes, (std::vector<std::pair<TColumnIndex, bool>>{{1, false}, {1, true}, {0, false}}));
    EXPECT_EQ(script.Problems(), "");
    // Right clicks are clicks too; the last one found "Value" at the left edge.
    EXPECT_EQ(Clicks, (std::vector<TColumnIndex>{0, 0, 0, 2}));
}

TEST_F(HeaderMouseTest, ColumnMenuFitsAllColumnsWhenDoubleClickFittingIsOn)
{
    H->SetOptions(H->Options() | hoAutoColumnPopupMenu | hoDblClickResize);
    Tree->SetRootNodeCount(2);
    TInteractionScript script;
    script.PickMenu("&Resize All Columns To Fit");
    UserRightClick(W(), 30, 8);
    // The string tree measures no text here: every column shrinks to what its nodes need.
    for (int i = 0; i < 3; ++i) EXPECT_LT(C->Items(i)->Width(), 70) << i;
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
