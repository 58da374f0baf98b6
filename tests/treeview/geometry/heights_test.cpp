// Node heights, their running sums, measuring, alignment and the mapping between nodes
// and positions.
#include "tests/treeview/tree_fixture.h"

namespace {

using HeightsTest = TreeTest;

TEST_F(HeightsTest, HeightsAndTheirSums)
{
    Shape({2, 0});
    Tree->SetNodeHeight(At("0.1"), 30);
    EXPECT_EQ(Tree->RangeY(), 3 * 18 + 30);
    Tree->SetNodeHeight(At("0.1"), 70000);   // does not fit 16 bits
    EXPECT_EQ(At("0.1")->NodeHeight, 0xFFFF);
    Tree->SetNodeHeight(At("0.1"), 30);
    Tree->SetExpanded(At("0"), false);
    EXPECT_EQ(Tree->RangeY(), 2 * 18);
    EXPECT_EQ(Tree->NodeHeight(Tree->RootNode()), 0u);
    EXPECT_EQ(Tree->NodeHeight(nullptr), 0u);
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toReadOnly);
    Tree->SetNodeHeight(At("1"), 50);
    EXPECT_EQ(At("1")->NodeHeight, 18);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(HeightsTest, DefaultHeightChangesNewNodesOnly)
{
    Tree->SetRootNodeCount(3);
    Tree->SetDefaultNodeHeight(0);
    EXPECT_EQ(Tree->DefaultNodeHeight(), 18u);
    Tree->SetDefaultNodeHeight(30);
    EXPECT_EQ(At("0")->NodeHeight, 18);
    EXPECT_EQ(Tree->RangeY(), 3 * 18);
    Tree->SetRootNodeCount(4);
    EXPECT_EQ(At("3")->NodeHeight, 30);
    EXPECT_EQ(Tree->RangeY(), 3 * 18 + 30);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(HeightsTest, MeasuringAsksOnceUntilTheHeightIsInvalidated)
{
    int asked = 0;
    Tree->OnMeasureItem = [&](TBaseLazyTree*, TCanvas*, PLazyNode n, int& h) {
        ++asked;
        h = 10 + int(n->Index) * 5;
    };
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toVariableNodeHeight);
    Tree->SetRootNodeCount(3);   // variable heights: each new node is measured at once
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(Tree->RangeY(), 10 + 15 + 20);
    Tree->MeasureItemHeight(Tree->Canvas(), At("1"));
    Tree->NodeHeight(At("1"));
    EXPECT_EQ(asked, 3);
    Tree->ReinitNode(At("1"), false);   // forgets the measurement
    Tree->NodeHeight(At("1"));
    EXPECT_EQ(asked, 4);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(HeightsTest, VerticalAlignment)
{
    Tree->SetRootNodeCount(1);
    PLazyNode n = At("0");
    Tree->SetVerticalAlignment(n, 250);
    EXPECT_EQ(Tree->VerticalAlignment(n), 100);
    Tree->SetVerticalAlignment(n, 50);
    struct TCase {
        TLTNodeAlignment Alignment;
        bool Buttons;
        int VAlign, VButtonAlign;
    };
    const TCase cases[] = {
        {naFromTop, true, 50, 45},
        {naFromBottom, true, 18 - 50, 18 - 50 - 5},
        {naProportional, true, 8, 3},   // (18 - 9) * 50% + 9 / 2; the button's top: 8 - 4 - 1
        {naProportional, false, 9, 4},
    };
    for (const TCase& c : cases) {
        Tree->SetNodeAlignment(c.Alignment);
        auto* o = Tree->TreeOptions();
        o->SetPaintOptions(c.Buttons ? o->PaintOptions() | toShowButtons : o->PaintOptions() - TLTPaintOptions{toShowButtons});
        int v = 0, b = 0;
        Tree->ComputeVAlignOffsets(false, false, n, v, b);
        EXPECT_EQ(v, c.VAlign) << c.Alignment << c.Buttons;
        EXPECT_EQ(b, c.VButtonAlign) << c.Alignment << c.Buttons;
    }
}

TEST_F(HeightsTest, NodesAtPositionsAndTheirRectangles)
{
    Shape({2, 0});
    Tree->SetNodeHeight(At("0.0"), 30);
    struct TCase {
        int Y;
        const char* Node;
        int Top;
    };
    const TCase cases[] = {{-5, "0", 0}, {0, "0", 0}, {17, "0", 0}, {18, "0.0", 18}, {47, "0.0", 18},
                           {48, "0.1", 48}, {66, "1", 66}, {84, "nil", -1}, {1000, "nil", -1}};
    for (const TCase& c : cases) {
        int top = -1;
        EXPECT_EQ(Name(Tree->GetNodeAt(0, c.Y, true, top)), c.Node) << c.Y;
        EXPECT_EQ(top, c.Top) << c.Y;
    }
    const TRect r = Tree->GetDisplayRect(At("0.1"), NoColumnIndex, false);
    EXPECT_EQ(r.Top, 48);
    EXPECT_EQ(r.Bottom, 66);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right, Tree->ClientWidth());
    // The text starts after the margin, one indent per level and the root's indent.
    EXPECT_EQ(Tree->GetDisplayRect(At("0.1"), NoColumnIndex, true).Left, 4 + 18 + 18);
    Tree->SetExpanded(At("0"), false);
    EXPECT_EQ(Tree->GetDisplayRect(At("0.1"), NoColumnIndex, false), TRect());
    auto* o = Tree->TreeOptions();
    o->SetPaintOptions(o->PaintOptions() | toFixedIndent);
    EXPECT_NE(Tree->GetDisplayRect(At("0.1"), NoColumnIndex, false), TRect());   // the path is not examined
    EXPECT_THROW(Tree->GetDisplayRect(nullptr, NoColumnIndex, false), ELazyTreeError);
    EXPECT_THROW(Tree->GetDisplayRect(Tree->RootNode(), NoColumnIndex, false), ELazyTreeError);
    EXPECT_EQ(Tree->GetTreeRect(), TRect(0, 0, Tree->ClientWidth(), Tree->ClientHeight()));
}

}   // namespace
