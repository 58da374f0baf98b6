// Expanding and collapsing: the events of one toggle, refusals, re-entry from a handler,
// and expanding and collapsing whole subtrees, with the bookkeeping checked throughout.
#include "tests/treeview/tree_fixture.h"

namespace {

class ExpandTest : public TreeTest {
protected:
    std::string Refuse;   // node whose OnExpanding / OnCollapsing refuses
    bool Reenter = false; // handlers toggle their node again
    void Listen()
    {
        Tree->OnExpanding = [this](TBaseLazyTree* t, PLazyNode n, bool& allowed) {
            Log.push_back("expanding " + Name(n));
            if (Reenter) t->ToggleNode(n);
            allowed = Name(n) != Refuse;
        };
        Tree->OnCollapsing = [this](TBaseLazyTree*, PLazyNode n, bool& allowed) {
            Log.push_back("collapsing " + Name(n));
            allowed = Name(n) != Refuse;
        };
        Tree->OnExpanded = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("expanded " + Name(n)); };
        Tree->OnCollapsed = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("collapsed " + Name(n)); };
    }
};

TEST_F(ExpandTest, OneToggleAsksAndReports)
{
    struct TCase {
        const char* Name;
        const char* Node;
        std::string Refuse;
        bool Reenter;
        std::vector<std::string> Expect;
        bool ExpandedAfter;
    };
    const TCase cases[] = {
        {"expand", "1", "", false, {"expanding 1", "expanded 1"}, true},
        {"collapse", "0", "", false, {"collapsing 0", "collapsed 0"}, false},
        {"refused expansion", "1", "1", false, {"expanding 1"}, false},
        {"refused collapse", "0", "0", false, {"collapsing 0"}, true},
        {"toggling from its own handler does nothing", "1", "", true, {"expanding 1", "expanded 1"}, true},
        {"a node whose children do not come stays collapsed", "2", "", false, {"expanding 2"}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Shape({2, 3, 0});
        Tree->SetExpanded(At("1"), false);
        Tree->SetHasChildren(At("2"), true);
        Tree->OnInitChildren = [](TBaseLazyTree*, PLazyNode, std::uint32_t& n) { n = 0; };
        Listen();
        Refuse = c.Refuse;
        Reenter = c.Reenter;
        Log.clear();
        const std::uint32_t height = Tree->RootNode()->TotalHeight, visible = Tree->VisibleCount();
        Tree->ToggleNode(At(c.Node));
        EXPECT_EQ(Log, c.Expect);
        EXPECT_EQ(Tree->Expanded(At(c.Node)), c.ExpandedAfter);
        if (!c.Refuse.empty()) {
            EXPECT_EQ(Tree->RootNode()->TotalHeight, height);
            EXPECT_EQ(Tree->VisibleCount(), visible);
        }
        EXPECT_FALSE(Tree->TreeStates().Contains(tsToggling));
        EXPECT_FALSE(At(c.Node)->States.Contains(vsToggling));
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(ExpandTest, FullExpandAndCollapseWalkTheSubtree)
{
    Shape({2, 2}, false);
    Tree->SetChildCount(At("0.1"), 2);
    Listen();
    Tree->FullExpand(At("0"));
    EXPECT_TRUE(Tree->Expanded(At("0")) && Tree->Expanded(At("0.1")));
    EXPECT_FALSE(Tree->Expanded(At("1")));
    // Leaves are asked too.
    EXPECT_NE(std::find(Log.begin(), Log.end(), "expanding 0.0"), Log.end());
    EXPECT_FALSE(Tree->TreeStates().Contains(tsExpanding));
    ASSERT_CONSISTENT(Tree);

    Tree->FullExpand();
    EXPECT_EQ(Tree->VisibleCount(), Tree->RootNode()->TotalCount - 1);
    ASSERT_CONSISTENT(Tree);
    Log.clear();
    Tree->FullCollapse(At("0"));
    EXPECT_EQ(Log, (std::vector<std::string>{"collapsing 0.1", "collapsed 0.1", "collapsing 0", "collapsed 0"}));
    EXPECT_TRUE(Tree->Expanded(At("1")));
    ASSERT_CONSISTENT(Tree);
    Tree->FullCollapse();
    EXPECT_EQ(Tree->VisibleCount(), 2u);
    EXPECT_FALSE(Tree->TreeStates().Contains(tsCollapsing));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(ExpandTest, CollapsingAFilteredNodeLeavesNoHeight)
{
    Shape({2});
    Tree->SetIsFiltered(At("0"), true);
    Tree->ToggleNode(At("0"));
    EXPECT_EQ(At("0")->TotalHeight, 0u);
    EXPECT_CONSISTENT(Tree);
}

} // namespace
