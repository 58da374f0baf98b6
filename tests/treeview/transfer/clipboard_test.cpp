// Cut, copy and paste within and between trees through the clipboard, the formats a tree
// offers, the reference that names the source tree, and clipboard blocks from elsewhere
// that must be refused with nothing changed.
#include "tests/treeview/transfer/transfer_fixture.h"

namespace {

class ClipboardTreeTest : public TransferTest {};

TEST_F(ClipboardTreeTest, CopyAndCutRoundTripsBetweenAndWithinTrees)
{
    struct TCase {
        const char* Name;
        bool Cut;
        bool SameTree;
        const char* A;
        const char* B;
    };
    // Pasted as last children of the focused node ("b" in A, "x" in B).
    const TCase cases[] = {
        {"copy to the other tree", false, false, "a[a1 a2] b c", "x[a[a1 a2] c] y"},
        {"cut to the other tree", true, false, "b", "x[a[a1 a2] c] y"},
        {"copy within the tree", false, true, "a[a1 a2] b[a[a1 a2] c] c", "x y"},
        {"cut within the tree", true, true, "b[a[a1 a2] c]", "x y"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        A->Clear();
        B->Clear();
        Build(A, "a[a1 a2] b c");
        Build(B, "x y");
        Select(A, {"a", "a1", "c"}); // a1 goes with a
        c.Cut ? A->CutToClipboard() : A->CopyToClipboard();
        EXPECT_EQ(A->CutCopyCount(), 3u);
        EXPECT_EQ(A->GetSortedCutCopySet(true).size(), 2u);
        TLazyStringTree* target = c.SameTree ? A : B;
        target->SetFocusedNode(Find(target, c.SameTree ? "b" : "x"));
        EXPECT_TRUE(target->PasteFromClipboard());
        EXPECT_EQ(Dump(A), c.A);
        EXPECT_EQ(Dump(B), c.B);
        // A paste ends a cut; a copy stays pending for further pastes.
        EXPECT_EQ(A->TreeStates().Contains(tsCutPending), false);
        EXPECT_EQ(A->TreeStates().Contains(tsCopyPending), !c.Cut);
        // A finished cut leaves no marks behind: a later cut would delete marked nodes.
        if (c.Cut) {
            for (PLazyNode n = A->GetFirstNoInit(); n; n = A->GetNextNoInit(n))
                EXPECT_FALSE(n->States.Contains(vsCutOrCopy)) << *A->GetNodeData<std::string>(n);
        }
        EXPECT_CONSISTENT(A);
        EXPECT_CONSISTENT(B);
    }
}

TEST_F(ClipboardTreeTest, TheStringTreesTextFormatsReachTheClipboardAsOtherProgramsReadThem)
{
    Build(A, "a[a1] b c");
    Build(B, "x");
    for (const char* f : {"Unicode text", "Plain text", "HTML Format", "Rich Text Format", "CSV"})
        EXPECT_GE(A->ClipboardFormats()->Add(f), 0) << f;
    Select(A, {"a", "c"});
    A->CopyToClipboard();
    // The copied set as text, once, in UTF-8 and without the block's end zero.
    const String text = A->ContentToText(tstCutCopySet, "\t");
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(Clipboard()->AsText(), text);
    const std::string html = Clipboard()->GetAsBytes(HTMLFormat());
    EXPECT_EQ(html.find("StartHTML:"), std::string::npos);
    EXPECT_NE(html.find("<html"), std::string::npos);
    EXPECT_EQ(html.find('\0'), std::string::npos);
    EXPECT_EQ(Clipboard()->GetAsBytes(RTFFormat()).rfind("{\\rtf", 0), 0u);
    EXPECT_TRUE(Clipboard()->HasFormat(CSVFormat()));
    // The tree data travels beside them.
    EXPECT_TRUE(B->PasteFromClipboard());
    EXPECT_EQ(Dump(B), "x a[a1] c");
}

TEST_F(ClipboardTreeTest, ANewCopyUnmarksThePreviousOwnersSet)
{
    Build(A, "a b");
    Build(B, "x");
    Select(A, {"a"});
    A->CopyToClipboard();
    EXPECT_TRUE(Find(A, "a")->States.Contains(vsCutOrCopy));
    Select(B, {"x"});
    B->CopyToClipboard();
    EXPECT_FALSE(Find(A, "a")->States.Contains(vsCutOrCopy));
    EXPECT_FALSE(A->TreeStates().Contains(tsCopyPending));
    EXPECT_TRUE(B->TreeStates().Contains(tsCopyPending));
    // Another program's text replaces the content: the last owner hears it too.
    Clipboard()->SetAsText("elsewhere");
    EXPECT_FALSE(B->TreeStates().Contains(tsCopyPending));
    EXPECT_FALSE(Find(B, "x")->States.Contains(vsCutOrCopy));
}

// The program's Edit menu reaches the trees through the standard edit actions.
TEST_F(ClipboardTreeTest, TheEditActionsCutCopyAndPaste)
{
    Build(A, "a[a1] b");
    Build(B, "x");
    Select(A, {"a"});
    EXPECT_TRUE(A->ExecuteAction(eaCopy));
    Select(B, {"x"});
    EXPECT_TRUE(B->ExecuteAction(eaPaste));
    EXPECT_EQ(Dump(B), "x[a[a1]]");
    Select(A, {"b"});
    EXPECT_TRUE(A->ExecuteAction(eaCut));
    EXPECT_TRUE(B->ExecuteAction(eaPaste));
    EXPECT_EQ(Dump(A), "a[a1]");
    EXPECT_EQ(Dump(B), "x[a[a1] b]");
    EXPECT_CONSISTENT(A);
    EXPECT_CONSISTENT(B);
}

TEST_F(ClipboardTreeTest, NothingHappensWithoutSelectionOrInAReadOnlyTree)
{
    Build(A, "a b");
    Clipboard()->SetAsText("kept");
    A->CopyToClipboard();
    A->CutToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "kept");
    Select(A, {"a"});
    auto* o = A->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() + TLTMiscOptions{toReadOnly});
    A->CutToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "kept");
    A->CopyToClipboard();
    EXPECT_TRUE(Clipboard()->HasFormat(LazyTreeDataFormat()));
    EXPECT_FALSE(A->PasteFromClipboard());
    EXPECT_EQ(Dump(A), "a b");
}

TEST_F(ClipboardTreeTest, WithoutAllowedFormatsACopyCarriesNoTreeData)
{
    Build(A, "a");
    Build(B, "x");
    A->SetClipboardFormats({});
    Select(A, {"a"});
    A->CopyToClipboard();
    EXPECT_FALSE(Clipboard()->HasFormat(LazyTreeDataFormat()));
    EXPECT_FALSE(B->PasteFromClipboard());
    EXPECT_EQ(Dump(B), "x");
}

TEST_F(ClipboardTreeTest, FormatsAreOfferedByPriorityAndOnlyWhenTheTreeClassRendersThem)
{
    EXPECT_EQ(A->ClipboardFormats()->Add("CSV"), 0);
    A->ClipboardFormats()->Add("Lazy Tree Data"); // already there from the fixture
    EXPECT_EQ(A->ClipboardFormats()->Add("No such format"), -1);
    EXPECT_EQ(A->ClipboardFormats()->Add("csv"), -1); // a duplicate, case ignored
    TFormatEtcArray f;
    A->ListClipboardFormats(f);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].cfFormat, LazyTreeDataFormat());
    EXPECT_EQ(f[1].cfFormat, CSVFormat());
    // A plain tree cannot render text: the string tree's formats are refused.
    std::unique_ptr<TBaseLazyTree> plain(new TBaseLazyTree(nullptr));
    EXPECT_EQ(plain->ClipboardFormats()->Add("CSV"), -1);
    EXPECT_EQ(plain->ClipboardFormats()->Add("Lazy Tree Data"), 0);
    EXPECT_THROW(plain->ClipboardFormats()->Insert(0, "Lazy Tree Data"), EListError);
    EXPECT_EQ(plain->ClipboardFormats()->Insert(0, "CSV"), -1);
    // The user's handler has the last word.
    A->OnGetUserClipboardFormats = [](TBaseLazyTree*, TFormatEtcArray& F) { F.erase(F.begin()); };
    A->ListClipboardFormats(f);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].cfFormat, CSVFormat());
    A->OnGetUserClipboardFormats = nullptr;
}

TEST_F(ClipboardTreeTest, RegisteringByIdNamesTheFormat)
{
    const std::size_t before = TClipboardFormatList::Entries().size();
    RegisterFormatById(0, TreeClassOf<TBaseLazyTree>(), 500);
    EXPECT_EQ(TClipboardFormatList::Entries().size(), before);
    const TClipFormat custom = RegisterClipboardFormat("Tree test format");
    RegisterFormatById(custom, TreeClassOf<TLazyStringTree>(), 500);
    RegisterFormatById(CF_HDROP, TreeClassOf<TLazyStringTree>(), 501);
    ASSERT_NE(TClipboardFormatList::FindFormat("Tree test format"), nullptr);
    EXPECT_EQ(TClipboardFormatList::FindFormat("FILE NAME(S)")->FormatEtc.cfFormat, CF_HDROP);
    // Kept in priority order.
    const auto& e = TClipboardFormatList::Entries();
    for (std::size_t i = 1; i < e.size(); ++i) EXPECT_LE(e[i - 1].Priority, e[i].Priority);
}

TEST_F(ClipboardTreeTest, TheReferenceNamesALivingTreeByTokenNeverByAddress)
{
    Build(A, "a");
    Select(A, {"a"});
    A->CopyToClipboard();
    const std::string ref = Clipboard()->GetAsBytes(LazyTreeReferenceFormat());
    ASSERT_EQ(ref.size(), 8u);
    const std::optional<TTreeReference> r = ReadTreeReference(ref);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->ProcessId, CurrentProcessId());
    EXPECT_EQ(r->Token, A->TransferToken());
    auto data = std::make_shared<TPackageDataObject>(Clipboard()->Content());
    EXPECT_EQ(B->SourceTreeOf(data), A);
    // A reference that is not eight bytes, of another process, or of a tree that is gone
    // names no tree.
    for (const std::string& bad : {ref.substr(0, 7), ref + "x", TreeReferenceBlock(CurrentProcessId() + 1, r->Token),
                                   TreeReferenceBlock(CurrentProcessId(), 0xFFFFFF)}) {
        TDataPackage p;
        p.Set(LazyTreeReferenceFormat(), bad);
        EXPECT_EQ(B->SourceTreeOf(std::make_shared<TPackageDataObject>(p)), nullptr);
    }
}

TEST_F(ClipboardTreeTest, ACutOfAFreedTreePastesCopiesAndTouchesNothingOfIt)
{
    auto* gone = new TLazyStringTree(nullptr);
    Prepare(gone);
    Build(gone, "g h");
    Select(gone, {"g"});
    gone->CutToClipboard();
    delete gone;
    Build(B, "x");
    EXPECT_TRUE(B->PasteFromClipboard());
    EXPECT_EQ(Dump(B), "x g");
    // The freed tree's owner call finds nothing when the clipboard changes again.
    Clipboard()->SetAsText("next");
    EXPECT_CONSISTENT(B);
}

TEST_F(ClipboardTreeTest, FlushingKeepsTheDataButNeitherMarksNorTheReference)
{
    Build(A, "a b");
    Select(A, {"b"});
    A->CutToClipboard();
    A->FlushClipboard();
    EXPECT_FALSE(A->TreeStates().Contains(tsCutPending));
    EXPECT_FALSE(Find(A, "b")->States.Contains(vsCutOrCopy));
    EXPECT_FALSE(Clipboard()->HasFormat(LazyTreeReferenceFormat()));
    Build(B, "x");
    EXPECT_TRUE(B->PasteFromClipboard());
    EXPECT_EQ(Dump(B), "x b");
    EXPECT_EQ(Dump(A), "a b"); // copied, not moved: the flushed cut names no tree
}

TEST_F(ClipboardTreeTest, HostileBlocksAreRefusedWithNothingChanged)
{
    Build(A, "a[a1] b");
    Select(A, {"a"});
    TLTDataObject source(A, false);
    TStgMedium good;
    TFormatEtc f;
    f.cfFormat = LazyTreeDataFormat();
    ASSERT_EQ(source.GetData(f, good), S_OK);
    const std::string chunks = good.Bytes.substr(4);
    struct TCase {
        const char* Name;
        std::string Block;
    };
    std::string lying = chunks;
    lying[4] = char(0x7F); // the anchor chunk claims more than there is
    const TCase cases[] = {
        {"shorter than its count", TreeDataBlock(chunks).substr(0, 10)},
        {"count above the limit", std::string("\xFF\xFF\xFF\x7F", 4) + std::string(64, '\0')},
        {"no count at all", std::string("\x01\x00", 2)},
        {"a chunk larger than the block", TreeDataBlock(lying)},
        {"a cut-off second node", TreeDataBlock(chunks + chunks.substr(0, chunks.size() - 3))},
        {"garbage", TreeDataBlock(std::string(40, 'z'))},
    };
    Build(B, "x");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDataPackage p;
        p.Set(LazyTreeDataFormat(), c.Block);
        Clipboard()->SetContent(p);
        bool pasted = false;
        try {
            pasted = B->PasteFromClipboard();
        } catch (const Exception&) {
        }
        EXPECT_FALSE(pasted);
        EXPECT_EQ(Dump(B), "x");
        EXPECT_CONSISTENT(B);
    }
    // The good block, for comparison.
    TDataPackage p;
    p.Set(LazyTreeDataFormat(), TreeDataBlock(chunks));
    Clipboard()->SetContent(p);
    EXPECT_TRUE(B->PasteFromClipboard());
    EXPECT_EQ(Dump(B), "x a[a1]");
}

TEST_F(ClipboardTreeTest, InsertingKeepsTheOrderAtEveryAttachMode)
{
    struct TCase {
        TLTNodeAttachMode Mode;
        const char* Target;
        const char* Expect;
    };
    const TCase cases[] = {
        {amInsertBefore, "y", "x[k] p q y"},
        {amInsertAfter, "x", "x[k] p q y"},
        {amAddChildFirst, "x", "x[p q k] y"},
        {amAddChildLast, "x", "x[k p q] y"},
        {amInsertAfter, nullptr, "x[k] y p q"}, // at the root: appended
    };
    Build(A, "p q");
    for (bool moved : {false, true})
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::to_string(c.Mode) + (moved ? " moved" : " copied"));
            A->Clear();
            Build(A, "p q");
            B->Clear();
            Build(B, "x[k] y");
            Select(A, {"p", "q"});
            moved ? A->CutToClipboard() : A->CopyToClipboard();
            auto data = std::make_shared<TPackageDataObject>(Clipboard()->Content());
            EXPECT_TRUE(B->ProcessOLEData(moved ? A : nullptr, data, c.Target ? Find(B, c.Target) : nullptr, c.Mode,
                                          moved));
            EXPECT_EQ(Dump(B), c.Expect);
            EXPECT_EQ(Dump(A), moved ? "" : "p q");
            EXPECT_CONSISTENT(B);
        }
}

TEST_F(ClipboardTreeTest, DataObjectAnswersAsItsCallersExpect)
{
    Build(A, "a b");
    Select(A, {"a"});
    A->ClipboardFormats()->Add("CSV");
    TLTDataObject d(A, false);
    TFormatEtc f;
    f.cfFormat = LazyTreeDataFormat();
    f.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    TStgMedium m;
    ASSERT_EQ(d.GetData(f, m), S_OK);
    EXPECT_EQ(m.tymed, TYMED_ISTREAM); // a stream when both are allowed
    TFormatEtc wrong = f;
    wrong.lindex = 0;
    EXPECT_EQ(d.QueryGetData(wrong), DV_E_LINDEX);
    wrong = f;
    wrong.dwAspect = 4;
    EXPECT_EQ(d.QueryGetData(wrong), DV_E_DVASPECT);
    wrong = f;
    wrong.tymed = 0x40;
    EXPECT_EQ(d.QueryGetData(wrong), DV_E_TYMED);
    wrong.cfFormat = 9999;
    EXPECT_EQ(d.QueryGetData(wrong), DV_E_FORMATETC);
    // The reference is answered, never listed.
    std::shared_ptr<TEnumFormatEtc> e;
    ASSERT_EQ(d.EnumFormatEtc(DATADIR_GET, e), S_OK);
    EXPECT_EQ(d.EnumFormatEtc(DATADIR_SET, e), OLE_S_USEREG);
    ASSERT_EQ(d.EnumFormatEtc(DATADIR_GET, e), S_OK);
    TFormatEtcArray got;
    std::uint32_t fetched = 0;
    EXPECT_EQ(e->Next(3, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(2), S_OK);
    EXPECT_EQ(e->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(e->Skip(1), S_FALSE);
    TFormatEtc ref;
    ref.cfFormat = LazyTreeReferenceFormat();
    EXPECT_EQ(d.GetData(ref, m), S_OK);
    // Stored data: a copy or the caller's own bytes, both handed out unchanged.
    TFormatEtc mine;
    mine.cfFormat = RegisterClipboardFormat("Tree test stored");
    TStgMedium in{TYMED_HGLOBAL, "stored"};
    EXPECT_EQ(d.SetData(mine, in, false), S_OK);
    EXPECT_EQ(in.Bytes, "stored");
    EXPECT_EQ(d.SetData(mine, in, true), S_OK);
    EXPECT_TRUE(in.Bytes.empty());
    ASSERT_EQ(d.GetData(mine, m), S_OK);
    EXPECT_EQ(m.Bytes, "stored");
}

} // namespace
