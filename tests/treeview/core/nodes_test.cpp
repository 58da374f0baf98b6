// The node model: a new tree, node data and its typed form, inserting, growing,
// shrinking and deleting with their index and count bookkeeping, and the small queries.
#include <cstring>
#include <string>

#include "tests/treeview/tree_fixture.h"

using NodesTest = TreeTest;

TEST_F(NodesTest, NewTreeHasOnlyTheRoot)
{
    EXPECT_TRUE(Tree->IsEmpty());
    EXPECT_EQ(Tree->RootNodeCount(), 0u);
    EXPECT_EQ(Tree->TotalCount(), 0u);
    PLazyNode root = Tree->RootNode();
    EXPECT_EQ(root->TotalHeight, root->NodeHeight);
    EXPECT_EQ(root->NodeHeight, Tree->DefaultNodeHeight());
    EXPECT_EQ(TreeFromNode(root), Tree);
    EXPECT_EQ(Tree->GetNodeLevel(root), 0u);
    EXPECT_EQ(Tree->GetNodeLevel(nullptr), 0u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(NodesTest, NodeDataSizeIsAskedOnceAndGuardsAccess)
{
    // Never set and no node yet: the data area does not exist.
    try {
        Tree->GetNodeData(nullptr);
        FAIL() << "no error";
    } catch (const ELazyTreeError& e) {
        EXPECT_STREQ(e.what(), "NodeDataSize not initialized.");
    }
    struct TCase {
        bool Handler;
        int Expected;
    };
    for (const TCase& c : {TCase{false, int(sizeof(void*))}, TCase{true, 12}}) {
        Tree->SetNodeDataSize(-1);
        int asked = 0;
        Tree->OnGetNodeDataSize = nullptr;
        if (c.Handler) Tree->OnGetNodeDataSize = [&](TBaseLazyTree*, int& Size) { ++asked, Size = 12; };
        Tree->AddChild(nullptr);
        Tree->AddChild(nullptr);
        EXPECT_EQ(Tree->NodeDataSize(), c.Expected);
        EXPECT_EQ(asked, c.Handler ? 1 : 0);
        Tree->Clear();
    }
    Tree->SetNodeDataSize(-5);
    EXPECT_EQ(Tree->NodeDataSize(), -1);
}

TEST_F(NodesTest, TouchedDataGetsOnFreeNodeUntouchedDoesNot)
{
    Tree->SetNodeDataSize(8);
    Tree->SetRootNodeCount(3);
    std::vector<std::string> freed;
    Tree->OnFreeNode = [&](TBaseLazyTree*, PLazyNode n) { freed.push_back(Name(n)); };
    PLazyNode first = At("0");
    EXPECT_EQ(Tree->GetNodeData(first), reinterpret_cast<char*>(first) + sizeof(TLazyNode));
    EXPECT_EQ(Tree->GetNodeData(Tree->RootNode()), nullptr);
    Tree->GetFirst();   // initialises node 0 only
    Tree->Clear();
    EXPECT_EQ(freed, std::vector<std::string>{"0"});
}

TEST_F(NodesTest, ChangingNodeDataSizeMakesTheTopLevelNodesAnew)
{
    Shape({2, 0, 1});
    Tree->SetNodeDataSize(16);
    EXPECT_EQ(Tree->RootNodeCount(), 3u);
    EXPECT_EQ(Tree->RootNode()->TotalCount, 4u);   // children are gone
    EXPECT_FALSE(At("0")->States.Contains(vsInitialized));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(NodesTest, ChangingNodeDataSizeOnReadOnlyTreeStillMakesNodesAnew)
{
    // Old blocks addressed with the larger size would be written past their end.
    Tree->SetNodeDataSize(8);
    Tree->SetRootNodeCount(2);
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toReadOnly);
    Tree->SetNodeDataSize(64);
    EXPECT_EQ(Tree->RootNodeCount(), 2u);
    std::memset(Tree->GetNodeData(At("1")), 0xAB, 64);
    EXPECT_CONSISTENT(Tree);
}

namespace {
// A record holding a wide text, as a scan result keeps one per node.
struct TScanRecord {
    std::wstring Text;
    int Address = -1;
    static inline int Alive = 0;
    TScanRecord() { ++Alive; }
    TScanRecord(const TScanRecord& o) : Text(o.Text), Address(o.Address) { ++Alive; }
    TScanRecord& operator=(const TScanRecord&) = default;
    ~TScanRecord() { --Alive; }
};
}   // namespace

TEST_F(NodesTest, TypedUserDataIsConstructedAndDestroyed)
{
    TScanRecord::Alive = 0;
    Tree->SetNodeDataType<TScanRecord>();
    EXPECT_EQ(Tree->NodeDataSize(), int(sizeof(TScanRecord)));
    for (int i = 0; i < 3; ++i) {
        PLazyNode n = Tree->AddChild(nullptr);
        TScanRecord* r = Tree->GetNodeData<TScanRecord>(n);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->Address, -1);   // constructed, not zero bytes
        r->Text = L"meter with a text longer than any small-string buffer " + std::to_wstring(i);
        r->Address = i;
    }
    PLazyNode child = Tree->AddChild(At("1"));
    EXPECT_EQ(TScanRecord::Alive, 4);
    EXPECT_EQ(Tree->GetNodeData<TScanRecord>(At("2"))->Address, 2);
    Tree->DeleteNode(child);
    EXPECT_EQ(TScanRecord::Alive, 3);
    EXPECT_THROW(Tree->GetNodeData<int>(At("0")), ELazyTreeError);   // not the node's type
    Tree->Clear();
    EXPECT_EQ(TScanRecord::Alive, 0);
    // Freed with the tree as well.
    Tree->SetRootNodeCount(5);
    EXPECT_EQ(TScanRecord::Alive, 5);
    delete Form;
    Form = new TForm(nullptr);   // for TearDown
    Tree = nullptr;
    EXPECT_EQ(TScanRecord::Alive, 0);
}

TEST_F(NodesTest, PlainTypedDataAndPointerData)
{
    Tree->SetNodeDataSize(8);
    PLazyNode n = Tree->AddChild(nullptr);
    Tree->SetNodeDataValue<std::int64_t>(n, 42);
    EXPECT_EQ(*Tree->GetNodeData<std::int64_t>(n), 42);
    EXPECT_THROW(Tree->GetNodeData<std::wstring>(n), ELazyTreeError);   // needs construction
    int target = 0;
    PLazyNode m = Tree->AddChild(nullptr, &target);
    EXPECT_EQ(*static_cast<void**>(Tree->GetNodeData(m)), &target);
    EXPECT_TRUE(m->States.Contains(vsOnFreeNodeCallRequired));
    Tree->SetNodeDataSize(4);
    try {
        Tree->SetNodeData(At("0"), &target);
        FAIL() << "no error";
    } catch (const ELazyTreeError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "TLazyStringTree: Cannot set initial user data because there is not enough user data space allocated.");
    }
}

TEST_F(NodesTest, InsertNodeInEveryMode)
{
    struct TCase {
        const char* Target;
        TLTNodeAttachMode Mode;
        unsigned ExpectIndex;   // of the new node
        unsigned ExpectLevel;
    };
    const TCase cases[] = {
        {"root", amInsertBefore, 0, 0}, {"root", amInsertAfter, 3, 0}, {"1", amInsertBefore, 1, 0},
        {"1", amInsertAfter, 2, 0},     {"1", amAddChildFirst, 0, 1},  {"1", amAddChildLast, 2, 1},
        {"2", amAddChildFirst, 0, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Target) + " mode " + std::to_string(c.Mode));
        Tree->Clear();
        Shape({0, 2, 0});
        PLazyNode target = std::string(c.Target) == "root" ? nullptr : At(c.Target);
        PLazyNode n = Tree->InsertNode(target, c.Mode);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->Index, c.ExpectIndex);
        EXPECT_EQ(Tree->GetNodeLevel(n), c.ExpectLevel);
        EXPECT_EQ(Tree->RootNode()->TotalCount, 7u);   // root, five nodes, the new one
        EXPECT_CONSISTENT(Tree);
    }
    EXPECT_EQ(Tree->InsertNode(At("0"), amNoWhere), nullptr);
    EXPECT_EQ(Tree->RootNode()->TotalCount, 7u);
}

TEST_F(NodesTest, GrowingShrinkingAndDeletingRenumber)
{
    Tree->SetRootNodeCount(5);
    std::vector<std::string> freed;
    Tree->OnFreeNode = [&](TBaseLazyTree*, PLazyNode n) { freed.push_back(std::to_string(n->Index)); };
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
    }
    Tree->SetRootNodeCount(2);   // the last three go, the last first
    EXPECT_EQ(freed, (std::vector<std::string>{"4", "3", "2"}));
    Tree->SetRootNodeCount(4);
    Tree->DeleteNode(At("1"));
    std::vector<unsigned> indices;
    for (PLazyNode n = Tree->RootNode()->FirstChild; n; n = n->NextSibling) indices.push_back(n->Index);
    EXPECT_EQ(indices, (std::vector<unsigned>{0, 1, 2}));
    EXPECT_CONSISTENT(Tree);

    PLazyNode p = At("0");
    Tree->SetChildCount(p, 3);
    EXPECT_TRUE(p->States.Contains(vsHasChildren));
    EXPECT_FALSE(At("0.2")->States.Contains(vsInitialized));
    EXPECT_EQ(At("0.2")->Index, 2u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(NodesTest, DeletingTheLastChildCollapsesTheParentButNotTheRoot)
{
    Shape({1});
    PLazyNode p = At("0");
    ASSERT_TRUE(p->States.Contains(vsExpanded));
    Tree->DeleteNode(At("0.0"));
    EXPECT_FALSE(p->States.Contains(vsExpanded));
    EXPECT_FALSE(p->States.Contains(vsHasChildren));
    Tree->DeleteNode(p);
    EXPECT_TRUE(Tree->RootNode()->States.Contains(vsExpanded));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(NodesTest, ReadOnlyTreeRefusesChangesButIsFreedOnDestruction)
{
    Shape({2, 1});
    int freed = 0;
    Tree->OnFreeNode = [&](TBaseLazyTree*, PLazyNode) { ++freed; };
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toReadOnly);
    EXPECT_EQ(Tree->AddChild(nullptr), nullptr);
    Tree->SetChildCount(At("1"), 5);
    Tree->DeleteNode(At("0"));
    Tree->DeleteChildren(At("0"));
    Tree->Clear();
    EXPECT_EQ(Tree->RootNode()->TotalCount, 6u);
    delete Form;
    Form = new TForm(nullptr);
    Tree = nullptr;
    EXPECT_EQ(freed, 2);   // the two parents were initialised when expanded, their children never
}

TEST_F(NodesTest, ClearOnEmptyTreeFiresNothing)
{
    LogNotifications();
    Tree->Clear();
    EXPECT_TRUE(Log.empty());
}

TEST_F(NodesTest, DeletingWhileIteratingIsRefused)
{
    Shape({1, 1});
    Tree->ChangeTreeStates(TLazyTreeStates{tsIterating}, {});
    try {
        Tree->DeleteNode(At("0"));
        FAIL() << "no error";
    } catch (const ELazyTreeError& e) {
        EXPECT_STREQ(e.what(), "Deleting nodes during tree iteration leads to invalid pointers.");
    }
    EXPECT_THROW(Tree->DeleteChildren(At("1")), ELazyTreeError);
    Tree->ChangeTreeStates({}, TLazyTreeStates{tsIterating});
    EXPECT_EQ(Tree->RootNode()->TotalCount, 5u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(NodesTest, QueriesOfOrderAndAncestry)
{
    Shape({2, 3});
    PLazyNode a = At("0"), a1 = At("0.1"), b = At("1"), b0 = At("1.0");
    EXPECT_TRUE(Tree->HasAsParent(a1, Tree->RootNode()));
    EXPECT_FALSE(Tree->HasAsParent(a1, a1));
    EXPECT_FALSE(Tree->HasAsParent(a1, nullptr));
    EXPECT_TRUE(Tree->HasAsParent(a1, a));
    EXPECT_EQ(Tree->AbsoluteIndex(b0), a->TotalCount + 1);
    EXPECT_EQ(Tree->AbsoluteIndex(Tree->RootNode()), 0u);
    EXPECT_EQ(Tree->LevelDifference(a, b0), 1);
    EXPECT_EQ(Tree->GetNodeParent(a), nullptr);
    EXPECT_EQ(Tree->GetNodeParent(b0), b);
    EXPECT_THROW(Tree->LevelDifference(a, nullptr), ELazyTreeError);
    EXPECT_THROW(Tree->CompareNodeOrder(a, nullptr, false), ELazyTreeError);
    EXPECT_THROW(TreeFromNode(nullptr), ELazyTreeError);
    EXPECT_EQ(TreeFromNode(b0), Tree);

    struct TCase {
        PLazyNode N1, N2;
        bool ChildrenAbove;
        int Sign;
    };
    const TCase cases[] = {{a, a1, false, -1}, {a, a1, true, 1}, {a1, b0, false, -1},
                           {b0, a1, true, 1},  {b, b, false, 0}};
    for (const TCase& c : cases) {
        auto o = Tree->TreeOptions();
        o->SetPaintOptions(c.ChildrenAbove ? o->PaintOptions() | toChildrenAbove
                                           : o->PaintOptions() - TLTPaintOptions{toChildrenAbove});
        const int r = Tree->CompareNodeOrder(c.N1, c.N2, true);
        EXPECT_EQ((r > 0) - (r < 0), c.Sign) << Name(c.N1) << " vs " << Name(c.N2);
    }
}

TEST_F(NodesTest, InternalDataLiesAfterUserDataAndIsZero)
{
    // The string tree reserved its area in its constructor; reserving after nodes exist fails.
    Tree->SetNodeDataSize(8);
    Tree->SetRootNodeCount(1);
    PLazyNode n = At("0");
    auto* area = static_cast<std::int32_t*>(Tree->InternalData(n, sizeof(TLazyNode)));
    EXPECT_EQ(reinterpret_cast<char*>(area), reinterpret_cast<char*>(n) + sizeof(TLazyNode) + 8);
    EXPECT_EQ(*area, 0);
}

TEST_F(NodesTest, FailingFreeNodeHandlerStillFreesEveryNode)
{
    // The handler fails for one node; the others are still freed and nothing freed stays
    // linked, and the failure reaches the caller.
    Tree->SetNodeDataSize(8);
    Shape({3, 3});
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
    }
    int freed = 0;
    Tree->OnFreeNode = [&](TBaseLazyTree*, PLazyNode n) {
        ++freed;
        if (Name(n) == "0.1") throw Exception("cannot release");
    };
    EXPECT_THROW(Tree->DeleteNode(At("0")), Exception);
    EXPECT_EQ(freed, 4);
    EXPECT_EQ(Tree->RootNodeCount(), 1u);
    EXPECT_CONSISTENT(Tree);
    freed = 0;
    Tree->OnFreeNode = [&](TBaseLazyTree*, PLazyNode n) {
        ++freed;
        throw Exception("cannot release");
    };
    EXPECT_THROW(Tree->Clear(), Exception);
    EXPECT_EQ(freed, 4);
    EXPECT_TRUE(Tree->IsEmpty());
    EXPECT_EQ(Tree->UpdateCount(), 0u);
    EXPECT_EQ(Tree->NodeStoreBytes(), 0u);
    EXPECT_CONSISTENT(Tree);
}
