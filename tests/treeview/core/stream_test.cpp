// The tree stream: the exact bytes of a small tree, random trees saved and loaded back
// with their structure and every stored field, the errors of broken streams, and streams
// that lie about their sizes and counts, which must fail without touching the tree.
#include <cstring>
#include <random>

#include "tests/treeview/tree_fixture.h"

namespace {

class StreamTest : public TreeTest {
protected:
    // The node chunks of the base tree alone: the string tree's caption chunk is tested
    // with the string tree.
    void SetUp() override
    {
        TreeTest::SetUp();
        Tree->TreeOptions()->SetStringOptions(TLTStringOptions{});
    }
    std::vector<std::uint8_t> Save(TBaseLazyTree* T, PLazyNode Node = nullptr)
    {
        TMemoryStream s;
        T->SaveToStream(s, Node);
        return s.Bytes();
    }
    void Load(TBaseLazyTree* T, const std::vector<std::uint8_t>& Bytes)
    {
        TMemoryStream s(Bytes.data(), std::int64_t(Bytes.size()));
        T->LoadFromStream(s);
    }
    // One line per node in pre-order: path, child count, stored states and fields.
    std::string Dump(TBaseLazyTree* T)
    {
        std::string out;
        const TLazyNodeStates kept = TLazyNodeStates{vsInitialized, vsDisabled, vsExpanded, vsHasChildren,
                                                     vsVisible,     vsSelected, vsMultiline, vsFiltered};
        for (PLazyNode n = T->GetFirstNoInit(); n; n = T->GetNextNoInit(n)) {
            std::string path;
            for (PLazyNode p = n; p != T->RootNode(); p = p->Parent) path = std::to_string(p->Index) + "." + path;
            out += path + " c" + std::to_string(n->ChildCount) + " s" + std::to_string((n->States * kept).Bits()) +
                   " h" + std::to_string(n->NodeHeight) + " a" + std::to_string(n->Align) + " k" +
                   std::to_string(n->CheckState) + "/" + std::to_string(n->CheckType) + "\n";
        }
        return out;
    }
    static void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
    {
        for (int k = 0; k < 4; ++k) b[at + k] = std::uint8_t(v >> (8 * k));
    }
};

TEST_F(StreamTest, OneInitialisedNodeIsWrittenByteForByte)
{
    Tree->SetRootNodeCount(1);
    Tree->GetFirst(); // initialised
    const std::vector<std::uint8_t> expect = {
        0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x02, 0x00, 0x20, 0x00, 0x46, 0x20, // signature
        0x01, 0x00, 0x00, 0x00,                                                 // one node
        0x01, 0x00, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00,                         // anchor, 27
        0x02, 0x00, 0x00, 0x00, 0x13, 0x00, 0x00, 0x00,                         // base, 19
        0x00, 0x00, 0x00, 0x00, 0x12, 0x00, 0x00, 0x00, 0x81, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Save(Tree), expect);
}

TEST_F(StreamTest, RandomTreesComeBackWithStructureStatesChecksAndHeights)
{
    TLazyStringTree* copy = new TLazyStringTree(Form);
    copy->TreeOptions()->SetStringOptions(TLTStringOptions{});
    copy->SetParent(Form);
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        Tree->Clear();
        Tree->SetRootNodeCount(1 + rng() % 5);
        std::vector<PLazyNode> all;
        for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
            all.push_back(n);
            if (Tree->GetNodeLevel(n) < 3 && rng() % 3 == 0) Tree->SetChildCount(n, rng() % 4);
        }
        for (PLazyNode n : all) {
            Tree->SetNodeHeight(n, 5 + rng() % 60);
            if (rng() % 2) Tree->SetExpanded(n, true);
            if (rng() % 5 == 0) Tree->SetIsVisible(n, false);
            if (rng() % 6 == 0) Tree->SetIsFiltered(n, true);
            n->CheckType = TCheckType(rng() % 5);
            n->CheckState = TCheckState(rng() % 9);
            Tree->SetVerticalAlignment(n, std::uint8_t(rng() % 101));
        }
        ASSERT_CONSISTENT(Tree);
        const std::vector<std::uint8_t> bytes = Save(Tree);
        Load(copy, bytes);
        ASSERT_CONSISTENT(copy);
        EXPECT_EQ(Dump(copy), Dump(Tree));
        EXPECT_EQ(copy->VisibleCount(), Tree->VisibleCount());
        EXPECT_EQ(copy->RootNode()->TotalHeight, Tree->RootNode()->TotalHeight);
        EXPECT_EQ(Save(copy), bytes);
        // Added below a node instead of replacing the tree.
        copy->Clear();
        copy->SetRootNodeCount(2);
        copy->SetExpanded(copy->GetFirst(), false);
        TMemoryStream s(bytes.data(), std::int64_t(bytes.size()));
        copy->AddFromStream(s, copy->GetFirst());
        ASSERT_CONSISTENT(copy);
        EXPECT_EQ(copy->GetFirst()->ChildCount, Tree->RootNodeCount());
    }
}

TEST_F(StreamTest, UninitialisedNodeKeepsItsChildrenOnDemand)
{
    // Written with its count but no child records: it comes back with has-children set,
    // no child yet, and its children are made by the application when first needed.
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toInitOnSave});
    Tree->SetRootNodeCount(1);
    PLazyNode n = Tree->GetFirstNoInit();
    Tree->SetChildCount(n, 3);
    n->States >> vsInitialized;
    const std::vector<std::uint8_t> bytes = Save(Tree);
    EXPECT_EQ(bytes[32], 3);
    Load(Tree, bytes);
    ASSERT_CONSISTENT(Tree);
    n = Tree->GetFirstNoInit();
    EXPECT_EQ(n->ChildCount, 0u);
    EXPECT_TRUE(n->States.Contains(vsHasChildren));
    Tree->OnInitChildren = [](TBaseLazyTree*, PLazyNode, std::uint32_t& c) { c = 3; };
    EXPECT_EQ(Tree->GetChildCount(n), 0u);
    Tree->GetFirstChild(n);
    EXPECT_EQ(n->ChildCount, 3u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(StreamTest, UserDataTravelsInItsOwnChunkAndShortReadsDoNotDisturbTheFormat)
{
    Tree->SetRootNodeCount(2);
    Tree->GetFirst();
    Tree->OnSaveNode = [](TBaseLazyTree*, PLazyNode, TStream& s) { s.WriteBuffer("abcdef", 6); };
    const std::vector<std::uint8_t> bytes = Save(Tree);
    // Anchor 27 + 8 + 6; the user chunk follows the base chunk.
    EXPECT_EQ(bytes[20], 27 + 14);
    EXPECT_EQ(bytes[51], 4);
    EXPECT_EQ(bytes[55], 6);
    std::vector<std::string> read;
    Tree->OnLoadNode = [&](TBaseLazyTree*, PLazyNode, TStream& s) {
        char two[3] = {};
        s.ReadBuffer(two, 2);
        read.push_back(two);
    };
    Load(Tree, bytes);
    EXPECT_EQ(read, (std::vector<std::string>{"ab", "ab"}));
    EXPECT_EQ(Tree->RootNodeCount(), 2u);
    EXPECT_CONSISTENT(Tree);
    // Nothing written: no user chunk at all.
    Tree->OnSaveNode = [](TBaseLazyTree*, PLazyNode, TStream&) {};
    EXPECT_EQ(Save(Tree, Tree->GetFirst()).size(), 51u);
}

TEST_F(StreamTest, OldVersionHasNoCountAndEveryNodeComesBackVisible)
{
    std::vector<std::uint8_t> b = {0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x01, 0x00, 0x20, 0x00, 0x46, 0x20};
    for (std::uint8_t states : {std::uint8_t(0x01), std::uint8_t(0x81)}) {
        const std::uint8_t node[] = {1, 0, 0, 0, 20, 0, 0, 0, 2, 0, 0, 0, 12, 0, 0, 0,
                                     0, 0, 0, 0, 18, 0, 0, 0, states, 50, 2, 2};
        b.insert(b.end(), std::begin(node), std::end(node));
    }
    Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() | toMultiSelect);
    Load(Tree, b);
    ASSERT_CONSISTENT(Tree);
    ASSERT_EQ(Tree->RootNodeCount(), 2u);
    EXPECT_EQ(Tree->VisibleCount(), 2u);
    EXPECT_FALSE(Tree->Selected(Tree->GetFirstNoInit()));
    EXPECT_TRUE(Tree->Selected(Tree->GetFirstNoInit()->NextSibling));
    EXPECT_EQ(Tree->GetFirstNoInit()->CheckState, csCheckedNormal);
}

TEST_F(StreamTest, SelectedNodesLoseTheirSelectionWithoutMultiSelect)
{
    Tree->SetRootNodeCount(2);
    Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() | toMultiSelect);
    Tree->GetFirst();
    Tree->GetFirst()->States << vsSelected; // as a stored stream would carry it
    std::vector<std::uint8_t> bytes = Save(Tree);
    Tree->GetFirst()->States >> vsSelected;
    for (bool multi : {true, false}) {
        SCOPED_TRACE(multi);
        auto* o = Tree->TreeOptions();
        o->SetSelectionOptions(multi ? o->SelectionOptions() | toMultiSelect
                                     : o->SelectionOptions() - TLTSelectionOptions{toMultiSelect});
        Load(Tree, bytes);
        EXPECT_EQ(Tree->SelectedCount(), multi ? 1u : 0u);
        EXPECT_EQ(Tree->Selected(Tree->GetFirstNoInit()), multi);
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(StreamTest, BrokenStreamsFailWithTheirErrorAndLeaveTheTreeAsItWas)
{
    Tree->SetRootNodeCount(2);
    Tree->SetChildCount(Tree->GetFirst(), 2);
    Tree->OnSaveNode = [](TBaseLazyTree*, PLazyNode, TStream& s) { s.WriteBuffer("xy", 2); };
    const std::vector<std::uint8_t> good = Save(Tree);
    Tree->OnSaveNode = nullptr;
    struct TCase {
        const char* Name;
        std::function<void(std::vector<std::uint8_t>&)> Break;
        const char* Message;
    };
    const TCase cases[] = {
        {"first signature unit", [](auto& b) { b[0] = 0x46; }, "Unable to load tree structure, the format is wrong."},
        {"version 3", [](auto& b) { b[6] = 3; }, "Unable to load tree structure, the version is unknown."},
        {"header cut", [](auto& b) { b.resize(7); }, "Unable to load tree structure, not enough data available."},
        {"base chunk instead of anchor", [](auto& b) { b[16] = 2; },
         "Stream data corrupt. A node's anchor chunk is missing."},
        {"extra bytes in the anchor", [](auto& b) {
             // Grow the first anchor by 3 unknown bytes that are no chunk.
             std::uint32_t size = b[20] | b[21] << 8;
             Put32(b, 20, size + 3);
             b.insert(b.begin() + 24 + size, {9, 9, 9});
         }, "Unable to load tree structure, not enough data available."},
        {"child count smaller than the records", [](auto& b) { Put32(b, 32, 1); },
         "Stream data corrupt. Unexpected data after node's end position."},
        {"anchor larger than the stream", [](auto& b) { Put32(b, 20, 0x7FFFFFF0); },
         "Unable to load tree structure, not enough data available."},
        {"negative chunk size", [](auto& b) { Put32(b, 28, 0xFFFFFFF0); },
         "Unable to load tree structure, not enough data available."},
        {"base chunk shorter than its body", [](auto& b) { Put32(b, 28, 4); }, nullptr},
        {"stream cut inside a node", [](auto& b) { b.resize(b.size() - 5); },
         "Unable to load tree structure, not enough data available."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::uint8_t> b = good;
        c.Break(b);
        const std::string before = Dump(Tree);
        for (bool add : {false, true}) {
            TMemoryStream s(b.data(), std::int64_t(b.size()));
            try {
                if (add)
                    Tree->AddFromStream(s, nullptr);
                else
                    Tree->LoadFromStream(s);
                ADD_FAILURE() << "no error";
            } catch (const ELazyTreeError& e) {
                if (c.Message) {
                    EXPECT_EQ(e.Message(), c.Message);
                }
            } catch (const EReadError&) {
                EXPECT_TRUE(add) << "only the adding read asks for the full header";
            }
            EXPECT_EQ(Dump(Tree), before);
            ASSERT_CONSISTENT(Tree);
        }
    }
}

TEST_F(StreamTest, ExtraChunkAfterTheUserDataIsSkippedAndExtraAnchorBytesFail)
{
    Tree->SetRootNodeCount(1);
    Tree->GetFirst();
    std::vector<std::uint8_t> b = Save(Tree);
    // An unknown chunk type 9 of 2 bytes inside the anchor is skipped.
    b.insert(b.end(), {9, 0, 0, 0, 2, 0, 0, 0, 1, 2});
    Put32(b, 20, 27 + 10);
    Load(Tree, b);
    EXPECT_EQ(Tree->RootNodeCount(), 1u);
    // Fifth signature unit is not compared.
    b[8] = 'x';
    Load(Tree, b);
    EXPECT_EQ(Tree->RootNodeCount(), 1u);
    // Three loose bytes after the last chunk inside the declared anchor size.
    b.insert(b.end(), {0, 0, 0});
    Put32(b, 20, 27 + 13);
    TMemoryStream s(b.data(), std::int64_t(b.size()));
    try {
        Tree->LoadFromStream(s);
        ADD_FAILURE();
    } catch (const ELazyTreeError& e) {
        EXPECT_EQ(e.Message(), "Unable to load tree structure, not enough data available.");
    }
}

TEST_F(StreamTest, ReadOnlyTreeReadsNothingAndFilesRoundTrip)
{
    Tree->SetRootNodeCount(3);
    const std::string file = ::testing::TempDir() + "tree.stream";
    Tree->SaveToFile(file);
    Tree->Clear();
    Tree->LoadFromFile(file);
    EXPECT_EQ(Tree->RootNodeCount(), 3u);
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() | toReadOnly);
    TMemoryStream s;
    Tree->LoadFromStream(s);
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(Tree->RootNodeCount(), 3u);
}

} // namespace
