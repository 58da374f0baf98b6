// Initialisation on demand: which operation asks the application about which node, in
// what order, and what its answers do to the node.
#include "tests/treeview/tree_fixture.h"

namespace {

class InitTest : public TreeTest {
protected:
    // Flags every node answers, and children per node (-1: no handler).
    TLazyNodeInitStates Answer;
    int Children = -1;
    unsigned MaxLevel = 100;

    void Listen()
    {
        Tree->OnInitNode = [this](TBaseLazyTree*, PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates& s) {
            Log.push_back("init " + Name(Node) + (s.Contains(ivsReInit) ? " again" : "") + " under " + Name(Parent));
            if (Tree->GetNodeLevel(Node) < MaxLevel) s = s + Answer;
        };
        if (Children >= 0)
            Tree->OnInitChildren = [this](TBaseLazyTree*, PLazyNode Node, std::uint32_t& count) {
                Log.push_back("children " + Name(Node));
                count = std::uint32_t(Children);
            };
        Tree->OnResetNode = [this](TBaseLazyTree*, PLazyNode Node) { Log.push_back("reset " + Name(Node)); };
    }
};

TEST_F(InitTest, CreatingByCountAsksNothingNavigatingAsksForWhatItReturns)
{
    Listen();
    Tree->SetRootNodeCount(3);
    EXPECT_TRUE(Log.empty());
    Tree->GetFirst();
    EXPECT_EQ(Log, std::vector<std::string>{"init 0 under nil"});
    Tree->GetFirstNoInit();
    Tree->GetNextNoInit(At("0"));
    EXPECT_EQ(Log.size(), 1u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(InitTest, ChildrenAreMadeWhenFirstNeeded)
{
    struct TCase {
        int Children;
        std::uint32_t ExpectCount;
        bool ExpectHasChildren;
        std::vector<std::string> ExpectLog;
    };
    const TCase cases[] = {
        {5, 5, true, {"init 0 under nil", "children 0", "init 0.0 under 0"}},
        {0, 0, false, {"init 0 under nil", "children 0"}},
        {-1, 0, true, {"init 0 under nil"}},   // no handler: the tree never makes children itself
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Children);
        Tree->Clear();
        Log.clear();
        Answer = TLazyNodeInitStates{ivsHasChildren};
        MaxLevel = 1;
        Children = c.Children;
        Tree->OnInitChildren = nullptr;
        Listen();
        Tree->SetRootNodeCount(1);
        PLazyNode n = Tree->GetFirst();
        EXPECT_EQ(n->ChildCount, 0u);
        EXPECT_TRUE(n->States.Contains(vsHasChildren));
        EXPECT_FALSE(Tree->GetChildrenInitialized(n));
        Tree->GetFirstChild(n);
        EXPECT_EQ(n->ChildCount, c.ExpectCount);
        EXPECT_EQ(n->States.Contains(vsHasChildren), c.ExpectHasChildren);
        EXPECT_EQ(Tree->GetChildrenInitialized(n), c.Children >= 0);
        if (c.ExpectCount) {
            EXPECT_FALSE(At("0.4")->States.Contains(vsInitialized));
        }
        EXPECT_EQ(Log, c.ExpectLog);
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(InitTest, NextCreatesChildrenNoInitSkipsThem)
{
    Answer = TLazyNodeInitStates{ivsHasChildren};
    MaxLevel = 1;
    Children = 2;
    Listen();
    Tree->SetRootNodeCount(2);
    PLazyNode first = Tree->GetFirst();
    EXPECT_EQ(Name(Tree->GetNextNoInit(first)), "1");
    EXPECT_EQ(Name(Tree->GetNext(first)), "0.0");
    EXPECT_EQ(first->ChildCount, 2u);
}

TEST_F(InitTest, ReinitialisingAsksAgainOnlyForInitialisedNodes)
{
    Listen();
    Tree->SetRootNodeCount(2);
    Tree->GetFirst();
    Log.clear();
    Tree->ReinitNode(At("0"), false);
    Tree->ReinitNode(At("1"), false);
    EXPECT_EQ(Log, std::vector<std::string>{"init 0 again under nil"});
}

TEST_F(InitTest, FilteredNodeGivesUpItsHeightOnce)
{
    Answer = TLazyNodeInitStates{ivsFiltered};
    Listen();
    Tree->SetRootNodeCount(3);
    const std::uint32_t before = Tree->RootNode()->TotalHeight;
    PLazyNode n = Tree->GetFirst();
    EXPECT_EQ(Tree->RootNode()->TotalHeight, before - n->NodeHeight);
    EXPECT_EQ(Tree->VisibleCount(), 2u);
    Tree->ReinitNode(n, false);   // filtered again on re-initialisation
    Tree->ResetNode(n);           // back to uninitialised, still marked filtered
    Tree->GetFirst();             // initialised anew and filtered once more
    EXPECT_EQ(Tree->RootNode()->TotalHeight, before - n->NodeHeight);
    EXPECT_EQ(Tree->VisibleCount(), 2u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(InitTest, AnsweredStatesAreApplied)
{
    Answer = TLazyNodeInitStates{ivsDisabled, ivsMultiline, ivsSelected, ivsExpanded, ivsHasChildren};
    Children = 2;
    MaxLevel = 1;
    Listen();
    Tree->SetRootNodeCount(1);
    PLazyNode n = Tree->GetFirst();
    EXPECT_TRUE(n->States.Contains(vsDisabled));
    EXPECT_TRUE(n->States.Contains(vsMultiline));
    EXPECT_TRUE(Tree->Selected(n));
    EXPECT_TRUE(Tree->Expanded(n));
    EXPECT_EQ(n->ChildCount, 2u);
    EXPECT_EQ(Tree->VisibleCount(), 3u);
    EXPECT_FALSE(n->States.Contains(vsInitializing));
    // A re-initialisation without the flags removes none of them.
    Answer = {};
    Tree->ReinitNode(n, false);
    EXPECT_TRUE(n->States.Contains(vsDisabled));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(InitTest, FailingInitialisationLeavesTheNodeInitialisedWithoutFlags)
{
    Tree->OnInitNode = [](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& s) {
        s << ivsHasChildren;
        throw Exception("no data");
    };
    Tree->SetRootNodeCount(1);
    EXPECT_THROW(Tree->GetFirst(), Exception);
    PLazyNode n = At("0");
    EXPECT_TRUE(n->States.Contains(vsInitialized));
    EXPECT_FALSE(n->States.Contains(vsInitializing));
    EXPECT_FALSE(n->States.Contains(vsHasChildren));
}

TEST_F(InitTest, ResetNodeAndResetAll)
{
    Answer = TLazyNodeInitStates{ivsHasChildren};
    Children = 2;
    MaxLevel = 1;
    Listen();
    Tree->SetRootNodeCount(2);
    Tree->ValidateNode(nullptr, true);
    Log.clear();
    PLazyNode n = At("0");
    Tree->ResetNode(n);
    EXPECT_EQ(Log, std::vector<std::string>{"reset 0"});
    EXPECT_EQ(n->ChildCount, 0u);
    EXPECT_FALSE(n->States.Contains(vsInitialized));
    EXPECT_FALSE(n->States.Contains(vsHasChildren));
    EXPECT_CONSISTENT(Tree);
    Tree->ResetNode(nullptr);
    EXPECT_TRUE(Tree->IsEmpty());
}

TEST_F(InitTest, TotalCountBuildsTheWholeTree)
{
    Answer = TLazyNodeInitStates{ivsHasChildren};
    Children = 2;
    MaxLevel = 2;   // levels 0 and 1 have children
    Listen();
    Tree->SetRootNodeCount(2);
    EXPECT_EQ(Tree->TotalCount(), 2u + 4u + 8u);
    EXPECT_EQ(Tree->UpdateCount(), 0u);
    std::size_t inits = 0;
    for (const std::string& l : Log) inits += l.rfind("init ", 0) == 0;
    EXPECT_EQ(inits, 14u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(InitTest, ReadOnlyTreeStillMakesChildrenOnDemand)
{
    // Read-only keeps the user from changing the tree, not the application's children
    // from appearing.
    Answer = TLazyNodeInitStates{ivsHasChildren};
    Children = 3;
    MaxLevel = 1;
    Listen();
    Tree->SetRootNodeCount(1);
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toReadOnly);
    PLazyNode n = Tree->GetFirst();
    EXPECT_NE(Tree->GetFirstChild(n), nullptr);
    EXPECT_EQ(n->ChildCount, 3u);
    EXPECT_TRUE(Tree->TreeOptions()->MiscOptions().Contains(toReadOnly));
}

TEST_F(InitTest, InitRecursiveStopsAtLevelsAndCollapsedNodes)
{
    Shape({2, 2}, false);
    Tree->SetExpanded(At("1"), true);
    Listen();
    Log.clear();
    Tree->InitRecursive(nullptr, 2, true);   // children of the collapsed node 0 stay as they are
    EXPECT_EQ(Log, (std::vector<std::string>{"init 0 under nil", "init 1.0 under 1", "init 1.1 under 1"}));
    Tree->InitRecursive(At("0"), 1, false);
    EXPECT_TRUE(At("0.1")->States.Contains(vsInitialized));
}

}   // namespace
