// Columns in a right-to-left tree: narrower than the window they end at the right edge
// of the client area, and painting, hit tests, bounds and the sizing grip all agree on
// where that puts each column.
#include <gtest/gtest.h>

#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {
constexpr int Bar = TStyledScrollBar::Size;

class RtlLayoutTest : public HeaderTreeTest {
protected:
    void SetUp() override
    {
        HeaderTreeTest::SetUp();
        for (int w : {80, 90, 70}) C->Add()->SetWidth(w);
        H->SetOptions(H->Options() | hoVisible);
        Tree->SetBiDiMode(bdRightToLeft);
        Form->Show();
    }
    // Enough nodes for a vertical bar in the 300 x 200 tree.
    void Tall() { Tree->SetRootNodeCount(40); }
};

TEST_F(RtlLayoutTest, ShiftPutsTheColumnsAtTheRightEdgeWithAndWithoutTheBar)
{
    struct TCase {
        const char* What;
        bool RightToLeft, Tall;
        int Width0;  // the columns' total is Width0 + 160
        int Shift, ShiftBesideBar;
    };
    const TCase cases[] = {
        {"left to right", false, true, 80, 0, 0},
        {"no bar: 300 - 240", true, false, 80, 60, 60},
        // The header spans the bar; beside the bar the client area is 17 narrower.
        {"with bar", true, true, 80, 60, 60 - Bar},
        {"columns exactly as wide as the client area", true, true, 300 - Bar - 160, Bar, 0},
        {"wider than the window: the columns start at the left", true, true, 400, Bar, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Tree->SetBiDiMode(c.RightToLeft ? bdRightToLeft : bdLeftToRight);
        Tree->SetRootNodeCount(c.Tall ? 40 : 3);
        C->Items(0)->SetWidth(c.Width0);
        ASSERT_EQ(Tree->VertScrollBarWidth(), c.Tall ? Bar : 0);
        EXPECT_EQ(C->GetRTLHeaderShift(false), c.Shift);
        EXPECT_EQ(C->GetRTLHeaderShift(true), c.ShiftBesideBar);
    }
}

TEST_F(RtlLayoutTest, BoundsHitTestsAndPaintingAgree)
{
    Tall();
    const int s = 300 - Bar - 240;  // 43: where the first column starts
    int l = 0, r = 0;
    C->GetColumnBounds(0, l, r);
    EXPECT_EQ(l, s);
    EXPECT_EQ(r, s + 80);
    C->GetColumnBounds(2, l, r);
    EXPECT_EQ(r, 300 - Bar);
    const struct {
        int X;
        TColumnIndex Column;
    } hits[] = {{s - 1, InvalidColumnIndex}, {s, 0}, {s + 79, 0}, {s + 80, 1}, {300 - Bar - 1, 2}};
    for (const auto& h : hits) EXPECT_EQ(C->ColumnFromPosition(TPoint(h.X, 30)), h.Column) << h.X;

    // The first column in red, the header background in blue: both start at s. On screen
    // the vertical bar stands at the left, so the client area (and s) starts after it.
    C->Items(0)->SetColor(clRed);
    H->SetBackground(clBlue);
    EXPECT_EQ(Tree->ScrollBarControl(SB_VERT)->ClientToScreen(TPoint(0, 0)).X, Tree->ClientToScreen(TPoint(-Bar, 0)).X);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_rtl_columns.png", png));
    const int row = H->Height() + 40, head = H->Height() / 2, x = Bar + s;
    // The node's text covers a few pixels of the red; the columns end at the window's edge.
    EXPECT_GT(Count_Pixels(png, TRect(x, row, x + 80, row + 1), clRed), 60);
    EXPECT_EQ(Count_Pixels(png, TRect(x + 80, row, 300, row + 1), clRed), 0);
    EXPECT_EQ(Count_Pixels(png, TRect(0, row, x, row + 1), clRed), 0);
    EXPECT_EQ(Count_Pixels(png, TRect(0, head, x, head + 1), clBlue), x) << "the header spans the bar";
    EXPECT_EQ(Count_Pixels(png, TRect(x + 2, head, 300, head + 1), clBlue), 0);
    // Below the header the bar's own look at the left: no row colour there.
    EXPECT_LT(Count_Pixels(png, TRect(0, row, Bar, row + 1), ColorToRGB(Tree->Color())), Bar / 2);

    // Back to left to right the bar goes to the right and the client area to the left edge;
    // the client area keeps its width either way.
    const int width = Tree->ClientWidth();
    Tree->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(Tree->NonClientInset(), TRect());
    EXPECT_EQ(Tree->ClientWidth(), width);
    EXPECT_EQ(Tree->ScrollBarControl(SB_VERT)->ClientToScreen(TPoint(0, 0)).X, Tree->ClientToScreen(TPoint(300 - Bar, 0)).X);
    EXPECT_EQ(H->Window()->ClientToScreen(TPoint(0, 0)).X, Tree->ClientToScreen(TPoint(0, 0)).X);
    Tree->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(Tree->NonClientInset(), TRect(Bar, 0, 0, 0));
    EXPECT_EQ(Tree->ClientWidth(), width);
    // The captions share the rows' x coordinates beside the bar.
    EXPECT_EQ(H->Window()->ClientToScreen(TPoint(0, 0)).X, Tree->ClientToScreen(TPoint(0, 0)).X);
}

TEST_F(RtlLayoutTest, AColumnIsSizedAtItsLeftEdge)
{
    Tall();
    const int edge1 = 300 - Bar - 160;  // the left edge of column 1 (display order 0, 1, 2)
    struct TCase {
        const char* What;
        int From, To;
        int Width1;
    } cases[] = {
        {"dragged left: wider", edge1, edge1 - 30, 120},
        {"grabbed 2 pixels right of the edge, dragged right: narrower", edge1 + 2, edge1 + 40, 50},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        C->Items(0)->SetWidth(80);
        C->Items(1)->SetWidth(90);
        UserPress(H->Window(), c.From, 8);
        UserMouseMove(H->Window(), c.To, 8, TShiftState{ssLeft});
        UserRelease(H->Window(), c.To, 8);
        EXPECT_EQ(C->Items(1)->Width(), c.Width1);
        EXPECT_EQ(C->Items(0)->Width(), 80);
    }
}
}  // namespace
