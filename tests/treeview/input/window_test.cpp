// The tree among the other controls of a form: Tab is the dialog's unless the tree wants
// tabs, a change of the system's look rebuilds the window after a pause (but not a look
// the tree asked for itself), the reading direction turns the column order and the bar
// position, F1 finds the help topic of the focused node or its ancestors, and the
// standard edit commands act on the tree unless it is read-only; enabling redraws the frame.
#include <chrono>
#include <thread>

#include "platform/gui/Help.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class WindowTest : public TreeTest {
protected:
    TEdit* Other = nullptr;
    void SetUp() override
    {
        TreeTest::SetUp();
        Other = Make_Control<TEdit>(Form, Form, "Other", 0, 210, 100, 22);
        Form->Show();
        Tree->SetFocus();
    }
    void TearDown() override
    {
        HelpHandler() = nullptr;
        if (Tree) Tree->OnGetHelpContext = nullptr;
        TreeTest::TearDown();
    }
    // Lets the window timers run for Ms milliseconds.
    static void Wait(int Ms)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
        while (std::chrono::steady_clock::now() < end) {
            Application->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
};

// Counts the paints of the frame and of the rows.
class TCountingTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    int Frames = 0, Rows = 0;
    void Reset() { Frames = Rows = 0; }

protected:
    void PaintNonClientBorder(TCanvas* Canvas) override
    {
        ++Frames;
        TLazyStringTree::PaintNonClientBorder(Canvas);
    }
    void Paint() override
    {
        ++Rows;
        TLazyStringTree::Paint();
    }
};

TEST_F(WindowTest, EnablingRedrawsTheFrame)
{
    auto* tree = new TCountingTree(Form);
    tree->SetParent(Form);
    tree->SetBounds(110, 0, 120, 100);
    tree->SetBevelKind(TBaseLazyTree::bkTile);
    tree->SetBorderWidth(2);
    tree->SetRootNodeCount(3);
    Application->ProcessMessages();
    ASSERT_GT(tree->Frames, 0);
    // Disabling and enabling the tree repaints its frame with the rows.
    tree->SetEnabled(false);
    Application->ProcessMessages();
    tree->Reset();
    tree->SetEnabled(true);
    Application->ProcessMessages();
    EXPECT_GT(tree->Frames, 0);
    EXPECT_GT(tree->Rows, 0);
    // The enable message from the platform repaints the frame only.
    tree->Reset();
    tree->Perform(WM_ENABLE, 1, 0);
    Application->ProcessMessages();
    EXPECT_GT(tree->Frames, 0);
    EXPECT_EQ(tree->Rows, 0);
}

TEST_F(WindowTest, TabBelongsToTheDialogUnlessTheTreeWantsTabs)
{
    auto* o = Tree->TreeOptions();
    o->SetSelectionOptions(o->SelectionOptions() | toExtendedFocus);
    for (int i = 0; i < 2; ++i) Tree->Header()->Columns()->Add()->SetWidth(90);
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    Shape({0, 0});
    Tree->SetFocusedNode(At("0"));
    Tree->SetFocusedColumn(0);
    EXPECT_EQ(Tree->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    EXPECT_NE(Tree->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0);
    UserKey(Tree, VK_TAB);
    EXPECT_EQ(FindFocusedControl(), Other);
    EXPECT_EQ(Tree->FocusedColumn(), 0);
    // Wanting tabs, the tree moves to its next column and keeps the keyboard.
    Tree->SetWantTabs(true);
    Tree->SetFocus();
    EXPECT_NE(Tree->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    UserKey(Tree, VK_TAB);
    EXPECT_EQ(FindFocusedControl(), Tree);
    EXPECT_EQ(Tree->FocusedColumn(), 1);
}

TEST_F(WindowTest, ASystemLookChangeRebuildsTheWindowLaterButAnAskedLookDoesNot)
{
    auto* o = Tree->TreeOptions();
    o->SetPaintOptions(o->PaintOptions() | toThemeAware);
    Tree->ApplyWindowTheme("explorer");
    EXPECT_EQ(Tree->WindowTheme(), "explorer");
    EXPECT_TRUE(Tree->TreeStates().Contains(tsUseThemes));
    Wait(700);
    EXPECT_EQ(Tree->WindowRebuilds(), 0);
    // The system's change: nothing at once, the rebuild half a second later.
    Tree->Perform(TBaseLazyTree::WM_THEMECHANGED);
    EXPECT_EQ(Tree->WindowRebuilds(), 0);
    Wait(700);
    EXPECT_EQ(Tree->WindowRebuilds(), 1);
    // Without the theme-aware option the look is the plain one.
    o->SetPaintOptions(o->PaintOptions() - TLTPaintOptions{toThemeAware});
    Tree->Perform(TBaseLazyTree::WM_THEMECHANGED);
    EXPECT_FALSE(Tree->TreeStates().Contains(tsUseThemes));
    // Cancel mode stops a rebuild that waits.
    Tree->Perform(WM_CANCELMODE);
    Wait(700);
    EXPECT_EQ(Tree->WindowRebuilds(), 1);
}

TEST_F(WindowTest, ReadingDirectionTurnsTheColumnsAndTheBarPosition)
{
    for (int i = 0; i < 3; ++i) Tree->Header()->Columns()->Add()->SetWidth(200);
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    Shape({0, 0});
    TLazyTreeColumns* columns = Tree->Header()->Columns();
    ASSERT_GT(Tree->RangeX(), Tree->ClientWidth());
    Tree->SetOffsetX(-50);
    ASSERT_EQ(Tree->EffectiveOffsetX(), 50);
    Tree->SetBiDiMode(bdRightToLeft);
    // The bar counts from the right edge now; the columns keep their order by default.
    EXPECT_EQ(Tree->EffectiveOffsetX(), std::max(0, Tree->RangeX() + Tree->OffsetX() - Tree->ClientWidth()));
    EXPECT_EQ(columns->ColumnFromPosition(TColumnPosition(0)), 0);
    Tree->SetBiDiMode(bdLeftToRight);
    auto* o = Tree->TreeOptions();
    o->SetAutoOptions(o->AutoOptions() | toAutoBidiColumnOrdering);
    Tree->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(columns->ColumnFromPosition(TColumnPosition(0)), 2);
    EXPECT_EQ(columns->ColumnFromPosition(TColumnPosition(2)), 0);
    Tree->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(columns->ColumnFromPosition(TColumnPosition(0)), 0);
}

TEST_F(WindowTest, F1FindsTheTopicOfTheNodeItsAncestorsOrTheTree)
{
    Shape({1});
    Tree->SetChildCount(At("0.0"), 1);
    Tree->SetExpanded(At("0.0"), true);
    std::vector<int> shown;
    HelpHandler() = [&](int Context) {
        shown.push_back(Context);
        return true;
    };
    std::vector<std::string> asked;
    int topicOfTop = 0;
    Tree->OnGetHelpContext = [&](TBaseLazyTree*, PLazyNode Node, TColumnIndex Column, int& Context) {
        asked.push_back(Name(Node) + " " + std::to_string(Column));
        if (Name(Node) == "0") Context = topicOfTop;
    };
    Tree->SetHelpContext(7);
    Tree->SetFocusedNode(At("0.0.0"));
    topicOfTop = 42;
    UserKey(Tree, VK_F1);
    EXPECT_EQ(asked, (std::vector<std::string>{"0.0.0 0", "0.0 0", "0 0"}));
    // Nobody names one: the tree's own topic.
    topicOfTop = 0;
    UserKey(Tree, VK_F1);
    EXPECT_EQ(shown, (std::vector<int>{42, 7}));
    // Without the event the key asks nothing and shows nothing.
    Tree->OnGetHelpContext = nullptr;
    UserKey(Tree, VK_F1);
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(WindowTest, TheItemQueryFillsWhatItsMaskAsks)
{
    Shape({2, 0});
    Tree->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex, TVSTTextType Type, String& S) {
        if (Type == ttNormal) S = Name(N) == "0" ? "eleven char" : "x";
    };
    Tree->SetFocusedNode(At("0"));
    Tree->SetSelected(At("0"), true);
    char16_t buffer[5] = {u'?', u'?', u'?', u'?', u'?'};
    TVITEMW item;
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;
    item.hItem = At("0");
    item.pszText = buffer;
    item.cchTextMax = 5;
    EXPECT_EQ(Tree->Perform(TVM_GETITEMW, 0, LPARAM(&item)), 1);
    // Four characters and the zero, inside the buffer.
    EXPECT_EQ(std::u16string(buffer), u"elev");
    EXPECT_EQ(item.cChildren, 2);
    EXPECT_EQ(item.stateMask, 0xFF2Fu);
    EXPECT_EQ(item.state, TVIS_FOCUSED | TVIS_SELECTED | TVIS_EXPANDED);
    // A node that is not focused, selected or expanded.
    item.hItem = At("1");
    EXPECT_EQ(Tree->Perform(TVM_GETITEMW, 0, LPARAM(&item)), 1);
    EXPECT_EQ(item.state, 0u);
    EXPECT_EQ(std::u16string(buffer), u"x");
    // Without the handle flag, or naming no node, nothing is filled.
    item.mask = TVIF_CHILDREN;
    item.cChildren = -5;
    item.hItem = At("0");
    EXPECT_EQ(Tree->Perform(TVM_GETITEMW, 0, LPARAM(&item)), 0);
    EXPECT_EQ(item.cChildren, -5);
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = nullptr;
    EXPECT_EQ(Tree->Perform(TVM_GETITEMW, 0, LPARAM(&item)), 0);
    EXPECT_EQ(item.cChildren, -5);
    Tree->OnGetText = nullptr;
}

TEST_F(WindowTest, EnteringTheTreeSelectsANodeWhenOneMustBe)
{
    Shape({0, 0});
    Other->SetFocus();
    UserFocus(Tree);
    EXPECT_EQ(Tree->SelectedCount(), 0u);
    auto* o = Tree->TreeOptions();
    o->SetSelectionOptions(o->SelectionOptions() | toAlwaysSelectNode);
    Other->SetFocus();
    UserFocus(Tree);
    EXPECT_EQ(Names(Tree->SelectedNodes()), "0");
    EXPECT_EQ(Tree->FocusedNode(), At("0"));
}

TEST_F(WindowTest, StandardEditCommands)
{
    struct TCase {
        TLTEditAction Action;
        bool ReadOnly;
        bool Taken;
        unsigned Message;   // what the tree hears, 0 for none
        const char* Selected;
        unsigned Roots;
    };
    const TCase cases[] = {
        {eaSelectAll, false, true, 0, "0 1 2", 3},
        {eaSelectAll, true, true, 0, "0 1 2", 3},
        {eaCopy, true, true, WM_COPY, "1", 3},
        {eaCut, false, true, WM_CUT, "1", 3},
        {eaCut, true, false, 0, "1", 3},
        {eaPaste, false, true, WM_PASTE, "1", 3},
        {eaPaste, true, false, 0, "1", 3},
        {eaDelete, false, true, 0, "", 2},
        {eaDelete, true, false, 0, "1", 3},
    };
    std::vector<unsigned> heard;
    auto previous = Tree->WindowProc();
    Tree->SetWindowProc([&](TMessage& M) {
        if (M.Msg == WM_COPY || M.Msg == WM_CUT || M.Msg == WM_PASTE) heard.push_back(M.Msg);
        previous(M);
    });
    auto* o = Tree->TreeOptions();
    o->SetSelectionOptions(o->SelectionOptions() | toMultiSelect);
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.Action)) + (c.ReadOnly ? " read-only" : ""));
        o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toReadOnly});
        Tree->Clear();
        Shape({0, 0, 0});
        Tree->SetSelected(At("1"), true);
        if (c.ReadOnly) o->SetMiscOptions(o->MiscOptions() | toReadOnly);
        heard.clear();
        EXPECT_EQ(Tree->ExecuteAction(c.Action), c.Taken);
        EXPECT_EQ(heard, c.Message ? std::vector<unsigned>{c.Message} : std::vector<unsigned>{});
        EXPECT_EQ(Names(Tree->SelectedNodes()), c.Selected);
        EXPECT_EQ(Tree->RootNodeCount(), c.Roots);
    }
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toReadOnly});
    Tree->SetWindowProc(nullptr);
}

} // namespace
