// Hiding, filtering and expanding with the visible count and heights they change, and
// the walks in display order.
#include "tests/treeview/tree_fixture.h"

namespace {

using VisibilityTest = TreeTest;

TEST_F(VisibilityTest, HidingInsideACollapsedParentChangesNothingShown)
{
    Shape({3}, false);
    PLazyNode parent = At("0");
    const std::uint32_t height = parent->TotalHeight, count = Tree->VisibleCount();
    Tree->SetIsVisible(At("0.1"), false);
    EXPECT_EQ(parent->TotalHeight, height);
    EXPECT_EQ(Tree->VisibleCount(), count);
    Tree->SetIsVisible(At("0.1"), true);
    Tree->SetExpanded(parent, true);
    EXPECT_EQ(Tree->VisibleCount(), 4u);
    Tree->SetIsVisible(At("0.1"), false);
    EXPECT_EQ(Tree->VisibleCount(), 3u);
    EXPECT_EQ(parent->TotalHeight, 3 * Tree->DefaultNodeHeight());
    Tree->SetIsVisible(At("0.1"), true);
    EXPECT_EQ(parent->TotalHeight, 4 * Tree->DefaultNodeHeight());
    EXPECT_CONSISTENT(Tree);
}

TEST_F(VisibilityTest, FilteringGivesUpOnlyTheNodesOwnRow)
{
    struct TCase {
        bool ShowFiltered;
        std::uint32_t ExpectCount;
        std::uint32_t ExpectRows;   // rows of the default height in the tree
    };
    for (const TCase& c : {TCase{false, 3, 3}, TCase{true, 4, 4}}) {
        Tree->Clear();
        auto* o = Tree->TreeOptions();
        o->SetPaintOptions(c.ShowFiltered ? o->PaintOptions() | toShowFilteredNodes
                                          : o->PaintOptions() - TLTPaintOptions{toShowFilteredNodes});
        Shape({2, 0});
        Tree->SetIsFiltered(At("0"), true);
        EXPECT_EQ(Tree->VisibleCount(), c.ExpectCount);
        EXPECT_EQ(std::uint32_t(Tree->RangeY()), c.ExpectRows * Tree->DefaultNodeHeight());
        EXPECT_EQ(Tree->IsEffectivelyFiltered(At("0")), !c.ShowFiltered);
        // The filtered node's children are still walked.
        EXPECT_EQ(Names(Tree->VisibleNodes()), c.ShowFiltered ? "0 0.0 0.1 1" : "0.0 0.1 1");
        EXPECT_CONSISTENT(Tree);
        // A height set while filtered counts once the filter goes.
        Tree->SetNodeHeight(At("0"), 40);
        EXPECT_EQ(std::uint32_t(Tree->RangeY()), c.ExpectRows * Tree->DefaultNodeHeight() + (c.ShowFiltered ? 40 - 18 : 0));
        Tree->SetIsFiltered(At("0"), false);
        EXPECT_EQ(std::uint32_t(Tree->RangeY()), 3 * Tree->DefaultNodeHeight() + 40);
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(VisibilityTest, FirstVisibleAndLastVisible)
{
    Shape({2, 0});
    Tree->SetExpanded(At("0"), false);
    EXPECT_EQ(Name(Tree->GetFirstVisible(At("0"))), "0.0");   // the node's own expansion is not looked at
    EXPECT_EQ(Tree->GetLastVisible(At("1")), nullptr);       // a leaf
    EXPECT_EQ(Name(Tree->GetLastVisible()), "1");
    Tree->SetIsFiltered(At("0"), true);
    EXPECT_EQ(Name(Tree->GetFirstVisibleChild(At("0"))), "0.0");
    Tree->SetIsVisible(At("0.0"), false);
    EXPECT_EQ(Name(Tree->GetFirstVisibleChild(At("0"))), "0.1");
    EXPECT_EQ(Tree->GetLastVisibleChild(At("0")), nullptr);   // collapsed
    EXPECT_EQ(Name(Tree->GetVisibleParent(At("0.1"), true)), "0");
    EXPECT_EQ(Name(Tree->GetVisibleParent(At("0.1"), false)), "root");
}

TEST_F(VisibilityTest, WalksFromNodesThatAreNotShownGoOnAfterWhatHidesThem)
{
    // 0(0.0, 0.1(0.1.0)), 1(1.0), 2; node 0 expanded, 0.1 hidden, 1 collapsed.
    Shape({2, 1, 0});
    Tree->SetChildCount(At("0.1"), 1);
    Tree->SetExpanded(At("0.1"), true);
    Tree->SetIsVisible(At("0.1"), false);
    Tree->SetExpanded(At("1"), false);
    struct TCase {
        const char* Start;
        const char* Next;
        const char* Previous;
    };
    const TCase cases[] = {
        {"0.1.0", "1", "0.0"},   // hidden parent under an expanded, shown one: never back to 0.0's place
        {"0.1", "1", "0.0"},
        {"1.0", "2", "1"},       // inside a collapsed node: after that node, or the node itself
        {"0.0", "1", "0"},
        {"2", "nil", "1"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Name(Tree->GetNextVisible(At(c.Start), false)), c.Next) << c.Start;
        EXPECT_EQ(Name(Tree->GetNextVisibleNoInit(At(c.Start), false)), c.Next) << c.Start;
        EXPECT_EQ(Name(Tree->GetPreviousVisible(At(c.Start), false)), c.Previous) << c.Start;
    }
    EXPECT_EQ(Names(Tree->VisibleNodes(nullptr, false)), "0 0.0 1 2");
    EXPECT_CONSISTENT(Tree);
}

TEST_F(VisibilityTest, ChildrenAboveShowsEachSubtreeBeforeItsNode)
{
    Shape({2, 1});
    auto* o = Tree->TreeOptions();
    o->SetPaintOptions(o->PaintOptions() | toChildrenAbove);
    EXPECT_EQ(Names(Tree->VisibleNodes(nullptr, true)), "0.0 0.1 0 1.0 1");
    std::string back;
    for (PLazyNode n = Tree->GetLastVisible(nullptr, true); n; n = Tree->GetPreviousVisible(n, true))
        back = Name(n) + (back.empty() ? "" : " ") + back;
    EXPECT_EQ(back, "0.0 0.1 0 1.0 1");
    Tree->SetExpanded(At("0"), false);
    EXPECT_EQ(Names(Tree->VisibleNodes(nullptr, true)), "0 1.0 1");
}

TEST_F(VisibilityTest, MakingANodeFullyVisibleOpensItsPath)
{
    Shape({1}, false);
    Tree->SetChildCount(At("0.0"), 1);
    Tree->SetIsVisible(At("0"), false);
    EXPECT_FALSE(Tree->FullyVisible(At("0.0.0")));
    Tree->SetFullyVisible(At("0.0.0"), true);
    EXPECT_TRUE(Tree->FullyVisible(At("0.0.0")));
    EXPECT_EQ(Tree->VisibleCount(), 3u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(VisibilityTest, InvalidArguments)
{
    Shape({1});
    struct TCase {
        const char* Message;
        std::function<void()> Call;
    };
    const TCase cases[] = {
        {"Invalid parameter.", [&] { Tree->SetIsVisible(nullptr, true); }},
        {"Invalid parameter.", [&] { Tree->SetIsFiltered(Tree->RootNode(), true); }},
        {"Invalid parameter", [&] { Tree->SetFullyVisible(nullptr, true); }},
        {"Invalid parameter.", [&] { Tree->FullyVisible(nullptr); }},
        {"Invalid parameters.", [&] { Tree->VisiblePath(Tree->RootNode()); }},
        {"Invalid parameter.", [&] { Tree->GetNextVisibleSibling(nullptr); }},
        {"Node must not be nil.", [&] { Tree->GetVisibleParent(nullptr); }},
        {"Node must not be the hidden root node.", [&] { Tree->GetVisibleParent(Tree->RootNode()); }},
        {"Node must not be the hidden root node.", [&] { Tree->GetNextVisible(Tree->RootNode()); }},
        {"Node must not be the hidden root node.", [&] { Tree->GetPreviousVisibleNoInit(Tree->RootNode()); }},
    };
    for (const TCase& c : cases) {
        try {
            c.Call();
            ADD_FAILURE() << "no error for " << c.Message;
        } catch (const ELazyTreeError& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    EXPECT_EQ(Tree->GetNextVisible(nullptr), nullptr);
}

}   // namespace
