// Rows found from the subtree heights must be the rows the display-order walk finds:
// every position maps to the same node and every shown node has the same top, over
// trees with hidden, filtered (shown or not), collapsed and differently high nodes.
#include <random>

#include "tests/treeview/tree_fixture.h"

namespace {

using HeightDescentTest = TreeTest;

// A random tree three levels deep with every kind of node the walk skips or enters.
void Scramble(TBaseLazyTree* Tree, std::mt19937& Rng)
{
    Tree->Clear();
    Tree->SetRootNodeCount(6);
    for (PLazyNode a = Tree->GetFirstNoInit(); a; a = a->NextSibling) {
        Tree->SetChildCount(a, Rng() % 4);
        for (PLazyNode b = a->FirstChild; b; b = b->NextSibling) Tree->SetChildCount(b, Rng() % 3);
    }
    for (PLazyNode n = Tree->GetFirstNoInit(); n; n = Tree->GetNextNoInit(n)) {
        if (Rng() % 3 != 0) Tree->SetExpanded(n, true);
        if (Rng() % 5 == 0) Tree->SetNodeHeight(n, 5 + Rng() % 40);
        if (Rng() % 6 == 0) Tree->SetIsVisible(n, false);
        if (Rng() % 6 == 0) Tree->SetIsFiltered(n, true);
    }
}

TEST_F(HeightDescentTest, PositionsAndTopsMatchTheWalk)
{
    std::mt19937 rng(11);
    for (bool showFiltered : {false, true}) {
        for (int round = 0; round < 40; ++round) {
            TLTPaintOptions paint = Tree->TreeOptions()->PaintOptions();
            Tree->TreeOptions()->SetPaintOptions(showFiltered ? paint | toShowFilteredNodes
                                                              : paint - toShowFilteredNodes);
            Scramble(Tree, rng);
            ASSERT_FALSE(Tree->TreeStates().Contains(tsUseCache));
            std::uint32_t top = 0;
            for (PLazyNode n = Tree->GetFirstVisibleNoInit(nullptr, true, false); n;
                 n = Tree->GetNextVisibleNoInit(n, true)) {
                const int h = n->NodeHeight;
                SCOPED_TRACE("round " + std::to_string(round) + " node " + Name(n));
                EXPECT_EQ(Tree->GetDisplayRect(n, NoColumnIndex, false).Top - Tree->OffsetY(), int(top));
                for (int y : {int(top), int(top) + h - 1}) {
                    if (h == 0) continue;
                    int nodeTop = -1;
                    EXPECT_EQ(Tree->GetNodeAt(0, y, false, nodeTop), n);
                    EXPECT_EQ(nodeTop, int(top));
                }
                top += std::uint32_t(h);
            }
            int nodeTop = 0;
            EXPECT_EQ(Tree->GetNodeAt(0, int(top), false, nodeTop), nullptr);
            EXPECT_CONSISTENT(Tree);
        }
    }
}

} // namespace
