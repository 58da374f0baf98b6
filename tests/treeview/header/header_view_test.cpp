// The header with the rows below it: which column a point hits, the header following a
// sideways scroll, the caption under the mouse drawn hot, and a change of scale.
#include <gtest/gtest.h>

#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class HeaderViewTest : public HeaderTreeTest {
protected:
    void SetUp() override
    {
        HeaderTreeTest::SetUp();
        const char* names[] = {"Name", "Address", "Value"};
        const int widths[] = {120, 150, 130};   // 400 together: wider than the tree
        for (int i = 0; i < 3; ++i) {
            TLazyTreeColumn* c = C->Add();
            c->SetText(names[i]);
            c->SetWidth(widths[i]);
        }
        H->SetOptions(H->Options() | hoVisible);
        Tree->SetRootNodeCount(5);
        Form->Show();
    }
};

TEST_F(HeaderViewTest, HitTestNamesTheColumnUnderThePoint)
{
    // With columns the content is as wide as the columns, so the tree scrolls sideways.
    EXPECT_EQ(Tree->RangeX(), 400);
    const int rowY = H->Height() + 5;   // client y of the first row
    struct Case {
        const char* what;
        int offsetX, x;
        bool fixedFirst;
        TColumnIndex column;
    } cases[] = {
        {"first column", 0, 10, false, 0},
        {"second column", 0, 125, false, 1},
        {"third column", 0, 280, false, 2},
        {"scrolled: the second column's start is now at x 20", -100, 25, false, 1},
        {"scrolled: the third column moved under x 190", -100, 190, false, 2},
        {"a fixed first column does not scroll", -100, 50, true, 0},
        {"right of the fixed column the rest scrolls", -100, 125, true, 1},
    };
    for (const Case& c : cases) {
        TLazyTreeColumn* first = C->Items(0);
        first->SetOptions(c.fixedFirst ? first->Options() | coFixed : first->Options() - coFixed);
        Tree->SetOffsetX(c.offsetX);
        ASSERT_EQ(Tree->OffsetX(), c.offsetX) << c.what;
        THitInfo hit;
        Tree->GetHitTestInfoAt(c.x, rowY, true, hit);
        EXPECT_EQ(hit.HitColumn, c.column) << c.what;
        EXPECT_EQ(hit.HitNode, At("0")) << c.what;
        EXPECT_TRUE(hit.HitPositions.Contains(hiOnItem)) << c.what;
    }
    // Right of the last column there is no cell.
    C->Items(2)->SetWidth(20);
    Tree->SetOffsetX(0);
    THitInfo hit;
    Tree->GetHitTestInfoAt(295, rowY, true, hit);
    EXPECT_EQ(hit.HitColumn, InvalidColumnIndex);
    EXPECT_TRUE(hit.HitPositions.Contains(hiNowhere));
}

TEST_F(HeaderViewTest, CaptionsFollowASidewaysScroll)
{
    TBitmap before, after;
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_before_scroll.png", before));
    Tree->SetOffsetX(-100);
    Application->ProcessMessages();
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_after_scroll.png", after));
    // The border between the first two columns (x 119) moved 100 pixels to the left.
    const auto dark = [](TColor c) { return GetRValue(c) < 180; };
    EXPECT_GT(Count_Pixels(before, TRect(119, 2, 120, H->Height() - 2), dark), 0);
    EXPECT_GT(Count_Pixels(after, TRect(19, 2, 20, H->Height() - 2), dark), 0);
    EXPECT_EQ(Count_Pixels(after, TRect(119, 2, 120, H->Height() - 2), dark), 0);
}

TEST_F(HeaderViewTest, CaptionUnderTheMouseIsHotWithHotTracking)
{
    const TRect caption(4, 3, 60, H->Height() - 3);   // inside "Name"
    const auto black = [](TColor c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; };
    struct Step {
        const char* what;
        bool hotTrack;
        bool over;   // the mouse over "Name" (else it left the header)
        bool hot;
    } steps[] = {
        {"hot tracking off", false, true, false},
        {"hot tracking on, over the caption", true, true, true},
        {"the mouse left the header", true, false, false},
    };
    for (const Step& s : steps) {
        H->SetOptions(s.hotTrack ? H->Options() | hoHotTrack : H->Options() - hoHotTrack);
        if (s.over) {
            // The pointer comes in from outside the header, as the window system reports it.
            TMessage enter{CM_MOUSEENTER, 0, 0, 0};
            H->Window()->HostDispatch(enter);
            UserMouseMove(H->Window(), 30, 8);
        }
        else
            UserMouseLeave(H->Window());
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(H->Window(), std::string("header_hot_") + (s.hot ? "on" : "off") + ".png", png));
        EXPECT_EQ(Count_Pixels(png, caption, black) == 0, s.hot) << s.what;
    }
}

TEST_F(HeaderViewTest, ScalingFollowsTheFactorOfEachDirection)
{
    struct Case {
        const char* what;
        TScalingFlags flags;
        int indent, nodeHeight, headerHeight, firstWidth;
    } cases[] = {
        {"heights only: the indentation stays", TScalingFlags{sfHeight}, 18, 36, 38, 240},
        {"widths only", TScalingFlags{sfWidth}, 36, 18, 19, 120},
        {"both", TScalingFlags{sfWidth, sfHeight}, 36, 36, 38, 240},
    };
    for (const Case& c : cases) {
        Tree->SetIndent(18);
        Tree->SetDefaultNodeHeight(18);
        H->SetHeight(19);
        C->Items(0)->SetWidth(120);
        Tree->ApplyScale(2, 1, c.flags);
        EXPECT_EQ(Tree->Indent(), c.indent) << c.what;
        EXPECT_EQ(int(Tree->DefaultNodeHeight()), c.nodeHeight) << c.what;
        EXPECT_EQ(H->Height(), c.headerHeight) << c.what;
        EXPECT_EQ(C->Items(0)->Width(), c.firstWidth) << c.what;
    }
    // Without automatic scaling nothing changes.
    Tree->SetIndent(18);
    Tree->TreeOptions()->SetAutoOptions(Tree->TreeOptions()->AutoOptions() - toAutoChangeScale);
    Tree->ApplyScale(2, 1, TScalingFlags{sfWidth, sfHeight});
    EXPECT_EQ(Tree->Indent(), 18);
}

} // namespace
