// The position cache of large trees: when it is built, what it holds, that lookups
// through it answer exactly what the walk from the start answers, and that a failing
// rebuild is reported and leaves the tree usable.
#include <random>

#include "tests/treeview/tree_fixture.h"

namespace {

class CacheTest : public TreeTest {
protected:
    // Lets the tree's queued validation run.
    static void Pump()
    {
        for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    }
    bool UsesCache(TBaseLazyTree* t) const { return t->TreeStates().Contains(tsUseCache); }
};

TEST_F(CacheTest, BuiltOnlyAboveTheStride)
{
    struct TCase {
        std::uint32_t Nodes;
        bool Cached;
        std::vector<std::uint32_t> EntryIndices;
    };
    const TCase cases[] = {{2000, false, {}}, {2001, true, {0, 2000}}, {4001, true, {0, 2000, 4000}}};
    for (const TCase& c : cases) {
        Tree->Clear();
        Pump();
        Tree->SetRootNodeCount(c.Nodes);
        EXPECT_FALSE(UsesCache(Tree));   // not before the queued validation ran
        Pump();
        EXPECT_EQ(UsesCache(Tree), c.Cached) << c.Nodes;
        if (!c.Cached) continue;
        std::vector<std::uint32_t> indices;
        for (const TCacheEntry& e : Tree->PositionCache()) {
            indices.push_back(e.Node->Index);
            EXPECT_EQ(e.AbsoluteTop, e.Node->Index * 18);
        }
        EXPECT_EQ(indices, c.EntryIndices);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsValidating));
    }
}

TEST_F(CacheTest, AnyChangeMakesItStaleUntilTheNextValidation)
{
    Tree->SetRootNodeCount(5000);
    Pump();
    ASSERT_TRUE(UsesCache(Tree));
    Tree->SetNodeHeight(At("10"), 40);
    EXPECT_FALSE(UsesCache(Tree));
    int top = 0;
    EXPECT_EQ(Name(Tree->GetNodeAt(0, 4500 * 18 + 22 + 1, false, top)), "4500");
    Pump();
    EXPECT_TRUE(UsesCache(Tree));
    EXPECT_EQ(Tree->PositionCache()[2].AbsoluteTop, 4000u * 18 + 22);
    // A change inside an update is validated once, when the update ends.
    Tree->BeginUpdate();
    Tree->SetNodeHeight(At("20"), 40);
    Tree->DeleteNode(At("30"));
    Pump();
    EXPECT_FALSE(UsesCache(Tree));
    Tree->EndUpdate();
    Pump();
    EXPECT_TRUE(UsesCache(Tree));
}

TEST_F(CacheTest, LookupsAnswerTheSameWithAndWithoutIt)
{
    std::mt19937 rng(7);
    for (bool childrenAbove : {false, true}) {
        Tree->Clear();
        auto* o = Tree->TreeOptions();
        o->SetPaintOptions(childrenAbove ? o->PaintOptions() | toChildrenAbove
                                         : o->PaintOptions() - TLTPaintOptions{toChildrenAbove});
        Tree->BeginUpdate();
        Tree->SetRootNodeCount(600);
        for (PLazyNode n = Tree->GetFirstNoInit(); n; n = n->NextSibling) {
            Tree->SetChildCount(n, rng() % 20);
            if (rng() % 4) Tree->SetExpanded(n, true);
            Tree->SetNodeHeight(n, 5 + rng() % 30);
        }
        Tree->EndUpdate();
        ASSERT_GT(Tree->VisibleCount(), 2 * CacheStride);
        std::vector<PLazyNode> probes;
        for (PLazyNode n = Tree->GetFirstVisibleNoInit(); n; n = Tree->GetNextVisibleNoInit(n))
            if (rng() % 40 == 0) probes.push_back(n);
        std::vector<TRect> before;
        std::vector<PLazyNode> atBefore;
        for (PLazyNode n : probes) before.push_back(Tree->GetDisplayRect(n, NoColumnIndex, false));
        for (int y = 0; y < Tree->RangeY(); y += 997) atBefore.push_back(Tree->GetNodeAt(0, y));
        ASSERT_FALSE(UsesCache(Tree));
        Pump();
        ASSERT_TRUE(UsesCache(Tree));
        for (std::size_t i = 0; i < probes.size(); ++i)
            EXPECT_EQ(Tree->GetDisplayRect(probes[i], NoColumnIndex, false), before[i]) << Name(probes[i]);
        std::size_t k = 0;
        for (int y = 0; y < Tree->RangeY(); y += 997) EXPECT_EQ(Tree->GetNodeAt(0, y), atBefore[k++]) << y;
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(CacheTest, TwoTreesQueuedAtOnceAreBothValidated)
{
    auto* other = new TLazyStringTree(Form);
    other->SetParent(Form);
    other->SetRootNodeCount(3000);
    Tree->SetRootNodeCount(3000);
    Pump();
    EXPECT_TRUE(UsesCache(Tree));
    EXPECT_TRUE(UsesCache(other));
    delete other;   // a queued validation of a tree that is gone is dropped
    Tree->SetNodeHeight(At("0"), 20);
    Pump();
    EXPECT_TRUE(UsesCache(Tree));
}

TEST_F(CacheTest, AFailingRebuildIsReportedAndLeavesTheTreeUsable)
{
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    bool fail = false;
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toVariableNodeHeight);
    Tree->OnMeasureItem = [&](TBaseLazyTree*, TCanvas*, PLazyNode n, int& h) {
        if (fail && n->Index == 1500) throw Exception("measuring failed");
    };
    Tree->SetRootNodeCount(3000);
    for (PLazyNode n = Tree->GetFirstNoInit(); n; n = n->NextSibling) n->States >> vsHeightMeasured;
    fail = true;
    Tree->SetNodeHeight(At("0"), 19);   // a change: the cache is rebuilt from the queue
    Pump();
    Application->OnException = nullptr;
    fail = false;
    EXPECT_EQ(reported, std::vector<std::string>{"measuring failed"});
    EXPECT_FALSE(Tree->TreeStates().Contains(tsValidating));
    EXPECT_FALSE(UsesCache(Tree));
    int top = 0;
    EXPECT_EQ(Name(Tree->GetNodeAt(0, 2999 * 18 + 1, false, top)), "2999");   // walks from the start instead
    Tree->SetNodeHeight(At("1"), 20);
    Pump();
    EXPECT_TRUE(UsesCache(Tree));   // the next request builds it again
}

}   // namespace
