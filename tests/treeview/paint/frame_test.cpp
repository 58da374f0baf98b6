// The tree's frame: the bevel and the border-width frame around the client area, which
// shrinks by their widths while the rows, the header and the bars stay inside.
#include <gtest/gtest.h>

#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class FrameTest : public TreeTest {
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        Tree->SetColor(clWhite);
        Tree->Colors()->SetColor(TLTColors::BorderColorIdx, TColor(0x00C000));
    }
};

TEST_F(FrameTest, BevelAndBorderWidthShrinkTheClientAreaAndPaintAroundIt)
{
    using B = TBaseLazyTree;
    struct TCase {
        const char* What;
        B::TBevelKind Kind;
        B::TBevelEdges Edges;
        int BorderWidth;
        bool Ctl3D;
        TRect Inset;          // left, top, right, bottom
        TColor Outermost;     // the pixel at the frame's outer left edge
        TColor InnerMost;     // the pixel just outside the client area on the left
    } cases[] = {
        {"no bevel, border width 3: a frame in the border colour", B::bkNone, {B::beLeft, B::beTop, B::beRight, B::beBottom},
         3, true, TRect(3, 3, 3, 3), TColor(0x00C000), TColor(0x00C000)},
        {"flat bevel: shadow outside, face inside", B::bkFlat, {B::beLeft, B::beTop, B::beRight, B::beBottom}, 0, true,
         TRect(2, 2, 2, 2), clBtnShadow, clBtnFace},
        {"soft bevel on two sides and a border", B::bkSoft, {B::beLeft, B::beTop}, 2, true, TRect(4, 4, 2, 2),
         cl3DDkShadow, TColor(0x00C000)},
        {"tile without the 3D look: monochrome", B::bkTile, {B::beLeft, B::beTop, B::beRight, B::beBottom}, 0, false,
         TRect(2, 2, 2, 2), clWindowFrame, clWindow},
    };
    Tree->SetRootNodeCount(3);
    Form->Show();
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        ++n;
        Tree->SetBevelKind(c.Kind);
        Tree->SetBevelEdges(c.Edges);
        Tree->SetBorderWidth(c.BorderWidth);
        Tree->SetCtl3D(c.Ctl3D);
        EXPECT_EQ(Tree->NonClientInset(), c.Inset);
        // No bars are needed: the client area is the window less the frame.
        EXPECT_EQ(Tree->ClientWidth(), 300 - c.Inset.Left - c.Inset.Right);
        EXPECT_EQ(Tree->ClientHeight(), 200 - c.Inset.Top - c.Inset.Bottom);
        Application->ProcessMessages();
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Tree, "tree_frame_" + std::to_string(n) + ".png", png));
        EXPECT_EQ(png.Canvas()->Pixels(0, 100), ColorToRGB(c.Outermost));
        EXPECT_EQ(png.Canvas()->Pixels(c.Inset.Left - 1, 100), ColorToRGB(c.InnerMost));
        // Inside the frame the rows' white background, right from its first pixel.
        EXPECT_EQ(png.Canvas()->Pixels(c.Inset.Left, 100), ColorToRGB(clWhite));
        EXPECT_EQ(png.Canvas()->Pixels(299 - c.Inset.Right, 199 - c.Inset.Bottom), ColorToRGB(clWhite));
        // The whole frame is painted: nothing of the rows' white in it (a monochrome
        // bevel's inner ring is the window colour itself).
        if (!c.Ctl3D) continue;
        const int frame = 300 * 200 - Tree->ClientWidth() * Tree->ClientHeight();
        EXPECT_EQ(Count_Pixels(png, TRect(0, 0, 300, 200), ColorToRGB(clWhite)) +
                      Count_Pixels(png, TRect(c.Inset.Left, c.Inset.Top, 300 - c.Inset.Right, 200 - c.Inset.Bottom),
                                   [](TColor p) { return p != ColorToRGB(clWhite); }),
                  300 * 200 - frame);
    }
    // Rows keep their client coordinates: a click at the client's top row selects node 0.
    UserClick(Tree, 30, 5);
    EXPECT_TRUE(Tree->Selected(Tree->GetFirst()));
    Tree->SetBevelKind(B::bkNone);
    Tree->SetBorderWidth(0);
    EXPECT_EQ(Tree->NonClientInset(), TRect());
    EXPECT_EQ(Tree->ClientWidth(), 300);
}

TEST_F(FrameTest, BevelIsDrawnFromTheWindowEdgeAndTheBorderInsideIt)
{
    Tree->SetBevelKind(TBaseLazyTree::bkFlat);
    Tree->SetBorderWidth(2);
    TRecordingCanvas rec;
    struct TOpen : TLazyStringTree {
        using TLazyStringTree::PaintNonClientBorder;
    };
    // Called through a member pointer: the tree is no TOpen, so no cast to one.
    (Tree->*&TOpen::PaintNonClientBorder)(&rec);
    // Two rings of the bevel (shadow, then face) at 0 and 1, then the border colour over
    // the whole window, clipped to the ring 2..3.
    std::vector<TDrawOp> fills = rec.Of("FillRect");
    ASSERT_FALSE(fills.empty());
    bool outerLeft = false, innerLeft = false;
    for (const TDrawOp& op : fills) {
        outerLeft |= op.R.Left == 0 && op.R.Width() == 1 && op.Brush == clBtnShadow;
        innerLeft |= op.R.Left == 1 && op.R.Width() == 1 && op.Brush == clBtnFace;
    }
    EXPECT_TRUE(outerLeft);
    EXPECT_TRUE(innerLeft);
    EXPECT_EQ(fills.back().Brush, TColor(0x00C000));
    EXPECT_EQ(fills.back().R, TRect(0, 0, 300, 200));
    EXPECT_EQ(Tree->GetBorderDimensions(), TPoint(0, 0));
}

}  // namespace
