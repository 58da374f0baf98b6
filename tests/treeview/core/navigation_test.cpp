// Walking the nodes in every order and by every test, forwards and backwards, with and
// without initialisation.
#include <functional>

#include "tests/treeview/tree_fixture.h"

namespace {

class NavigationTest : public TreeTest {
protected:
    void ChildrenAbove(bool On)
    {
        auto* o = Tree->TreeOptions();
        o->SetPaintOptions(On ? o->PaintOptions() | toChildrenAbove : o->PaintOptions() - TLTPaintOptions{toChildrenAbove});
    }
    std::string Backwards(bool CCA)
    {
        std::string s;
        for (PLazyNode n = Tree->GetLast(nullptr, CCA); n; n = Tree->GetPrevious(n, CCA))
            s = Name(n) + (s.empty() ? "" : " ") + s;
        return s;
    }
};

TEST_F(NavigationTest, EmptyTreeHasNothingToWalk)
{
    EXPECT_EQ(Tree->GetFirst(), nullptr);
    EXPECT_EQ(Tree->GetFirst(true), nullptr);
    EXPECT_EQ(Tree->GetLast(), nullptr);
    EXPECT_EQ(Tree->GetFirstVisible(), nullptr);
    EXPECT_EQ(Tree->GetLastVisible(), nullptr);
    EXPECT_EQ(Tree->GetFirstLeaf(), nullptr);
    EXPECT_EQ(Tree->GetFirstLevel(0), nullptr);
    EXPECT_EQ(Tree->GetFirstChecked(), nullptr);
    EXPECT_EQ(Names(Tree->Nodes()), "");
    EXPECT_EQ(Names(Tree->VisibleNodes()), "");
    EXPECT_EQ(Names(Tree->LeafNodes()), "");
    EXPECT_EQ(Names(Tree->ChildNodes(nullptr)), "");
}

TEST_F(NavigationTest, OrdersOfTheWholeTree)
{
    Shape({2, 0});   // A(A1, A2), B
    struct TCase {
        bool Option, CCA;
        const char* Expected;
    };
    const TCase cases[] = {
        {false, false, "0 0.0 0.1 1"},
        {false, true, "0 0.0 0.1 1"},   // the argument alone changes nothing
        {true, false, "0 0.0 0.1 1"},
        {true, true, "0.0 0.1 0 1"},
    };
    for (const TCase& c : cases) {
        ChildrenAbove(c.Option);
        EXPECT_EQ(Names(Tree->Nodes(c.CCA)), c.Expected) << c.Option << c.CCA;
        EXPECT_EQ(Names(Tree->NoInitNodes(c.CCA)), c.Expected) << c.Option << c.CCA;
        EXPECT_EQ(Backwards(c.CCA), c.Expected) << c.Option << c.CCA;
    }
    ChildrenAbove(false);
    EXPECT_EQ(Name(Tree->GetLast(nullptr, false)), "1");
    EXPECT_EQ(Name(Tree->GetPrevious(At("1"))), "0.1");
    EXPECT_EQ(Tree->GetNext(At("1")), nullptr);
    EXPECT_EQ(Tree->GetPrevious(At("0")), nullptr);
    EXPECT_EQ(Tree->GetNext(nullptr), nullptr);
    EXPECT_EQ(Tree->GetPrevious(nullptr), nullptr);
    PLazyNode root = Tree->RootNode();
    const std::function<PLazyNode()> walks[] = {
        [&] { return Tree->GetNext(root); }, [&] { return Tree->GetPrevious(root); },
        [&] { return Tree->GetNextNoInit(root); }, [&] { return Tree->GetPreviousNoInit(root); },
        [&] { return Tree->GetNextSibling(root); }};
    for (const auto& walk : walks) {
        try {
            walk();
            ADD_FAILURE() << "no error";
        } catch (const ELazyTreeError& e) {
            EXPECT_STREQ(e.what(), "Node must not be the hidden root node.");
        }
    }
}

TEST_F(NavigationTest, ChildrenLeavesAndLevels)
{
    Shape({2, 0, 3});
    EXPECT_EQ(Names(Tree->ChildNodes(At("2"))), "2.0 2.1 2.2");
    EXPECT_EQ(Names(Tree->ChildNodes(nullptr)), "0 1 2");
    EXPECT_EQ(Names(Tree->LeafNodes()), "0.0 0.1 1 2.0 2.1 2.2");
    // From nil the backward leaf walk starts at the root's last child, which has children.
    EXPECT_EQ(Name(Tree->GetPreviousLeaf(nullptr)), "1");
    EXPECT_EQ(Name(Tree->GetPreviousLeaf(At("2.0"))), "1");
    EXPECT_EQ(Names(Tree->LevelNodes(1)), "0.0 0.1 2.0 2.1 2.2");
    EXPECT_EQ(Names(Tree->LevelNodes(0)), "0 1 2");
    EXPECT_EQ(Name(Tree->GetNextLevel(At("0.0"), 1)), "0.1");
    EXPECT_EQ(Name(Tree->GetNextLevel(At("0.1"), 1)), "2.0");
    EXPECT_EQ(Name(Tree->GetPreviousLevel(At("2.0"), 1)), "0.1");
    EXPECT_EQ(Name(Tree->GetPreviousLevel(At("2.1"), 0)), "1");   // the ancestor itself is not the answer
    EXPECT_EQ(Tree->GetPreviousLevel(At("0.0"), 1), nullptr);
    EXPECT_EQ(Name(Tree->GetFirstLevel(0)), "0");
}

TEST_F(NavigationTest, NodesThatPassATest)
{
    Shape({2, 1});
    At("0.1")->CheckState = csCheckedNormal;
    At("1")->CheckState = csCheckedNormal;
    At("1.0")->CheckState = csMixedNormal;
    EXPECT_EQ(Name(Tree->GetNextChecked(nullptr)), "0.1");
    EXPECT_EQ(Names(Tree->CheckedNodes(csCheckedNormal, false)), "0.1 1");
    EXPECT_EQ(Names(Tree->CheckedNodes(csMixedNormal)), "1.0");
    EXPECT_EQ(Name(Tree->GetPreviousChecked(nullptr)), "1");

    EXPECT_EQ(Tree->GetFirstSelected(), nullptr);
    At("1.0")->States << vsCutOrCopy;
    EXPECT_EQ(Tree->GetFirstCutCopy(), nullptr);   // no cut or copy pending
    Tree->ChangeTreeStates(TLazyTreeStates{tsCopyPending}, {});
    EXPECT_EQ(Names(Tree->CutCopyNodes()), "1.0");
    Tree->ChangeTreeStates({}, TLazyTreeStates{tsCopyPending});

    // The parents were initialised when expanded, the others when a search returned them.
    EXPECT_EQ(Names(Tree->InitializedNodes()), "0 0.1 1 1.0");
    EXPECT_FALSE(At("0.0")->States.Contains(vsInitialized));
    EXPECT_EQ(Name(Tree->GetLastInitialized()), "1.0");
    EXPECT_EQ(Tree->GetPreviousInitialized(At("0")), nullptr);
}

TEST_F(NavigationTest, VisibleEnumerationPassesFilteredNodesOver)
{
    Tree->SetRootNodeCount(6);
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
    }
    Tree->SetIsFiltered(At("0"), true);
    Tree->SetIsFiltered(At("2"), true);
    EXPECT_EQ(Names(Tree->VisibleNodes(nullptr, false, false)), "1 3 4 5");
    EXPECT_EQ(Names(Tree->VisibleNoInitNodes(nullptr, false, false)), "1 3 4 5");
    EXPECT_EQ(Names(Tree->VisibleNodes(nullptr, false, true)), "0 1 2 3 4 5");
    EXPECT_EQ(Names(Tree->VisibleChildNodes(nullptr)), "1 3 4 5");
    EXPECT_EQ(Names(Tree->VisibleChildNoInitNodes(nullptr, true)), "0 1 2 3 4 5");
}

}   // namespace
