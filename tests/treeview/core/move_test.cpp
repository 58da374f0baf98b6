// Sorting child lists, visiting subtrees, and moving and copying nodes within one tree and
// between two trees, with the tree's bookkeeping checked after each operation.
#include "tests/treeview/tree_fixture.h"

namespace {

class MoveTest : public TreeTest {
protected:
    TLazyStringTree* Other = nullptr;
    void SetUp() override
    {
        TreeTest::SetUp();
        Other = new TLazyStringTree(Form);
        Other->SetParent(Form);
    }
    // Sort keys in the user data: one character per node.
    void Keys(const std::string& Keys, PLazyNode Parent = nullptr)
    {
        PLazyNode n = Parent ? Parent->FirstChild : Tree->RootNode()->FirstChild;
        for (char k : Keys) {
            *static_cast<char*>(n->Data()) = k;
            n = n->NextSibling;
        }
        Tree->OnCompareNodes = [](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& r) {
            r = int(*static_cast<char*>(a->Data())) - int(*static_cast<char*>(b->Data()));
        };
    }
    std::string Order(PLazyNode Parent = nullptr)
    {
        std::string s;
        for (PLazyNode n = (Parent ? Parent : Tree->RootNode())->FirstChild; n; n = n->NextSibling)
            s += *static_cast<char*>(n->Data());
        return s;
    }
};

TEST_F(MoveTest, SortIsStableInBothDirectionsAndCancelKeepsTheChain)
{
    Tree->SetNodeDataSize(8);
    struct TCase {
        std::string Keys;
        TSortDirection Dir;
        std::string Expect; // by original position
    };
    // Position letters: keys "bab" are nodes 0,1,2; equal keys keep their order.
    const TCase cases[] = {{"cab", sdAscending, "abc"}, {"cab", sdDescending, "cba"},
                           {"aaa", sdAscending, "012"}, {"aaa", sdDescending, "012"},
                           {"bab", sdAscending, "102"}, {"bab", sdDescending, "021"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Keys);
        Tree->Clear();
        Tree->SetRootNodeCount(3);
        Keys(c.Keys);
        std::vector<PLazyNode> original;
        for (PLazyNode n = Tree->GetFirstNoInit(); n; n = n->NextSibling) original.push_back(n);
        Tree->Sort(nullptr, 0, c.Dir);
        std::string got;
        for (PLazyNode n = Tree->RootNode()->FirstChild; n; n = n->NextSibling) {
            const auto at = std::find(original.begin(), original.end(), n) - original.begin();
            got += c.Keys == "cab" ? std::string(1, c.Keys[std::size_t(at)]) : std::to_string(at);
        }
        EXPECT_EQ(got, c.Expect);
        EXPECT_CONSISTENT(Tree);
    }
    // Cancelled from the comparison: no node lost, the tree sort ends.
    Tree->Clear();
    Shape({5, 5});
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) *static_cast<char*>(n->Data()) = char('z' - n->Index);
    int compares = 0;
    Tree->OnCompareNodes = [&](TBaseLazyTree* t, PLazyNode, PLazyNode, TColumnIndex, int& r) {
        if (++compares == 2) t->CancelOperation();
        r = 1;
    };
    Tree->SortTree(0, sdAscending);
    EXPECT_EQ(compares, 2);
    EXPECT_CONSISTENT(Tree);
    EXPECT_EQ(Tree->RootNode()->TotalCount, 13u);
}

TEST_F(MoveTest, SortNeedsTwoChildrenAndAutoSortWaitsForExpansion)
{
    Tree->SetNodeDataSize(8);
    std::vector<TLTOperationKind> ops;
    Tree->OnStartOperation = [&](TBaseLazyTree*, TLTOperationKind k) { ops.push_back(k); };
    Tree->SetRootNodeCount(1);
    Tree->Sort(nullptr, 0, sdAscending);
    Tree->SortTree(0, sdAscending);
    EXPECT_TRUE(ops.empty());

    Tree->Clear();
    Shape({3, 3});
    Tree->SetExpanded(At("1"), false);
    Keys("cab", At("0"));
    Keys("cab", At("1"));
    Keys("ba");
    auto* o = Tree->TreeOptions();
    o->SetAutoOptions(o->AutoOptions() | toAutoSort);
    Tree->SortTree(0, sdAscending);
    EXPECT_EQ(Order(), "ab");
    EXPECT_EQ(Order(Tree->RootNode()->LastChild), "abc");  // expanded "b" was node 0
    EXPECT_EQ(Order(Tree->RootNode()->FirstChild), "cab"); // collapsed: not yet
    EXPECT_CONSISTENT(Tree);
}

TEST_F(MoveTest, IterateSubtreeVisitsTheSubtreeByFilter)
{
    Shape({2, 0});
    Tree->SetDisabled(At("0.1"), true);
    struct TCase {
        const char* Start;
        TLazyNodeStates Filter;
        bool ChildrenOnly;
        const char* AbortAt;
        std::string Expect;
        const char* Result;
    };
    const TCase cases[] = {{"0", {}, false, nullptr, "0 0.0 0.1 ", "nil"},
                           {"0", {}, true, nullptr, "0.0 0.1 ", "nil"},
                           {"0", TLazyNodeStates{vsDisabled}, false, nullptr, "0.1 ", "nil"},
                           {"0", {}, false, "0.0", "0 0.0 ", "0.0"},
                           {nullptr, {}, false, nullptr, "0 0.0 0.1 1 ", "nil"},
                           {"1", {}, true, nullptr, "", "nil"}};
    for (const TCase& c : cases) {
        std::string seen;
        PLazyNode r = Tree->IterateSubtree(
            c.Start ? At(c.Start) : nullptr,
            [&](TBaseLazyTree* t, PLazyNode n, void*, bool& abort) {
                EXPECT_TRUE(t->TreeStates().Contains(tsIterating));
                EXPECT_THROW(t->DeleteNode(n), ELazyTreeError);
                seen += Name(n) + " ";
                abort = c.AbortAt && Name(n) == c.AbortAt;
            },
            nullptr, c.Filter, false, c.ChildrenOnly);
        EXPECT_EQ(seen, c.Expect);
        EXPECT_EQ(Name(r), c.Result);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsIterating));
    }
    EXPECT_THROW(Tree->IterateSubtree(Tree->RootNode(), [](auto...) {}, nullptr), ELazyTreeError);
}

TEST_F(MoveTest, MovesWithinTheTree)
{
    struct TCase {
        const char* Name;
        const char* Source;
        const char* Target; // nullptr: nil
        TLTNodeAttachMode Mode;
        bool ChildrenOnly;
        std::vector<unsigned> Expect; // child counts of the top nodes after
    };
    const TCase cases[] = {
        {"below another node", "0", "1", amAddChildLast, false, {1}},
        {"a nil target means first top-level node", "1", nullptr, amInsertAfter, false, {0, 2}},
        {"children next to their parent", "0", "0", amInsertAfter, true, {0, 0, 0, 0}},
        {"children to another node keep their order", "0", "1", amAddChildFirst, true, {0, 2}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Shape({2, 0});
        std::vector<std::string> moved;
        Tree->OnNodeMoved = [&](TBaseLazyTree*, PLazyNode n) { moved.push_back(Name(n)); };
        Tree->MoveTo(At(c.Source), c.Target ? At(c.Target) : nullptr, c.Mode, c.ChildrenOnly);
        ASSERT_CONSISTENT(Tree);
        std::vector<unsigned> counts;
        for (PLazyNode n = Tree->RootNode()->FirstChild; n; n = n->NextSibling) counts.push_back(n->ChildCount);
        EXPECT_EQ(counts, c.Expect);
        EXPECT_EQ(moved.size(), c.ChildrenOnly ? 2u : 1u);
    }
    // Into its own subtree: an error, nothing moved.
    Tree->Clear();
    Shape({2, 0});
    EXPECT_THROW(Tree->MoveTo(At("0"), At("0.1"), amAddChildLast, false), ELazyTreeError);
    EXPECT_EQ(At("0")->ChildCount, 2u);
    EXPECT_CONSISTENT(Tree);
    // Refused: nothing moved.
    Tree->OnNodeMoving = [](TBaseLazyTree*, PLazyNode, PLazyNode, bool& a) { a = false; };
    Tree->MoveTo(At("0"), At("1"), amAddChildLast, false);
    EXPECT_EQ(At("1")->ChildCount, 0u);
}

TEST_F(MoveTest, CopiesAndMovesBetweenTreesCarryStatesChecksAndHeights)
{
    Shape({2, 0});
    Tree->SetNodeHeight(At("0.1"), 33);
    At("0.0")->CheckType = ctCheckBox;
    At("0.0")->CheckState = csCheckedNormal;
    Tree->SetDisabled(At("0"), true);
    Other->SetRootNodeCount(1);
    int copying = 0, copied = 0;
    Tree->OnNodeCopying = [&](TBaseLazyTree*, PLazyNode, PLazyNode, bool& a) { ++copying; a = copying != 2; };
    Tree->OnNodeCopied = [&](TBaseLazyTree*, PLazyNode) { ++copied; };
    PLazyNode copy = Tree->CopyTo(At("0"), Other->GetFirst(), amInsertAfter, false);
    ASSERT_CONSISTENT(Other);
    ASSERT_EQ(Other->RootNodeCount(), 2u);
    EXPECT_EQ(copy, Other->GetFirst()->NextSibling);
    EXPECT_EQ(Other->RootNode()->TotalCount, 5u);
    EXPECT_TRUE(copy->States.Contains(vsDisabled));
    EXPECT_EQ(copy->FirstChild->CheckState, csCheckedNormal);
    EXPECT_EQ(copy->LastChild->NodeHeight, 33);
    EXPECT_EQ(copying, 1);
    EXPECT_EQ(copied, 1);
    // Refused: the copy is removed again.
    EXPECT_EQ(Tree->CopyTo(At("0"), Other->GetFirst(), amInsertAfter, false), nullptr);
    EXPECT_EQ(Other->RootNode()->TotalCount, 5u);
    EXPECT_CONSISTENT(Other);

    // A move to another tree: the source is gone, and the structure change names no node.
    std::vector<std::string> changes;
    Tree->OnStructureChange = [&](TBaseLazyTree*, PLazyNode n, TChangeReason r) {
        if (r == crNodeMoved) changes.push_back(n ? "node" : "nil");
    };
    Tree->MoveTo(At("0"), Other->GetFirst(), amAddChildFirst, false);
    ASSERT_CONSISTENT(Tree);
    ASSERT_CONSISTENT(Other);
    EXPECT_EQ(Tree->RootNode()->TotalCount, 2u);
    EXPECT_EQ(Other->GetFirst()->ChildCount, 1u);
    EXPECT_EQ(Other->RootNode()->TotalCount, 8u);
    EXPECT_EQ(changes, std::vector<std::string>{"nil"});
}

} // namespace
