// Selection and focus: the address-sorted array, the constraints on what may be selected
// together, ranges, clicks with Shift and Ctrl through real mouse input, the focus with
// its events and veto, keeping one node selected, and nodes that leave while selected or
// focused.
#include <thread>

#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class SelectionTest : public TreeTest {
protected:
    void Options(TLTSelectionOptions Add, TLTSelectionOptions Remove = {})
    {
        auto* o = Tree->TreeOptions();
        o->SetSelectionOptions((o->SelectionOptions() + Add) - Remove);
    }
    void Listen()
    {
        Tree->OnAddToSelection = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("add " + Name(n)); };
        Tree->OnRemoveFromSelection = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("remove " + Name(n)); };
        Tree->OnChange = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("change " + Name(n)); };
        Tree->OnFocusChanged = [this](TBaseLazyTree*, PLazyNode n, TColumnIndex) { Log.push_back("focus " + Name(n)); };
    }
    std::string SelectedNames()
    {
        std::string s;
        for (PLazyNode n = Tree->GetFirstSelected(); n; n = Tree->GetNextSelected(n)) {
            if (!s.empty()) s += ' ';
            s += Name(n);
        }
        return s;
    }
    // The array is in ascending address order and holds exactly the selected nodes.
    ::testing::AssertionResult ArrayIsSorted()
    {
        const std::vector<PLazyNode> a = Tree->SelectionArray();
        if (a.size() != Tree->SelectedCount())
            return ::testing::AssertionFailure() << a.size() << " entries, count " << Tree->SelectedCount();
        for (std::size_t i = 1; i < a.size(); ++i)
            if (!(reinterpret_cast<std::uintptr_t>(a[i - 1]) < reinterpret_cast<std::uintptr_t>(a[i])))
                return ::testing::AssertionFailure() << "entries " << i - 1 << " and " << i << " out of order";
        for (PLazyNode n : a)
            if (!Tree->Selected(n)) return ::testing::AssertionFailure() << Name(n) << " in the array, not selected";
        return ::testing::AssertionSuccess();
    }
    // The y of the middle of a top-level node's row.
    int RowY(unsigned Index) const { return int(Index) * 18 + 9; }
};

TEST_F(SelectionTest, ArrayStaysSortedWhateverTheOrderOfAdding)
{
    Options({toMultiSelect});
    Tree->SetRootNodeCount(30);
    Listen();
    // Single nodes in mixed order, then batches that interleave with what is there.
    for (const char* n : {"17", "3", "25", "9"}) Tree->AddToSelection(At(n));
    EXPECT_TRUE(ArrayIsSorted());
    EXPECT_EQ(Tree->SelectedCount(), 4u);
    Log.clear();
    Tree->AddToSelection(At("3"));   // again: nothing, not even an event
    EXPECT_TRUE(Log.empty());
    std::vector<PLazyNode> batch{At("29"), At("0"), At("10"), At("17"), At("4"), At("26")};
    Tree->AddToSelection(batch, int(batch.size()));
    EXPECT_TRUE(ArrayIsSorted());
    EXPECT_EQ(Tree->SelectedCount(), 9u);   // 17 was selected already
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "change nil"), 1);
    Tree->SelectAll(false);
    EXPECT_TRUE(ArrayIsSorted());
    EXPECT_EQ(Tree->SelectedCount(), 30u);
    Tree->InvertSelection(false);
    EXPECT_EQ(Tree->SelectedCount(), 0u);
    Tree->SelectRange(At("5"), At("2"));
    EXPECT_EQ(SelectedNames(), "2 3 4 5");
    EXPECT_TRUE(ArrayIsSorted());
    Tree->RemoveFromSelection(At("3"));
    Tree->UnselectRange(At("5"), At("5"));
    EXPECT_EQ(SelectedNames(), "2 4");
    EXPECT_TRUE(ArrayIsSorted());
    EXPECT_CONSISTENT(Tree);
}

TEST_F(SelectionTest, WhatMayNotBeSelectedIsLeftOutSilently)
{
    struct TCase {
        const char* Name;
        TLTSelectionOptions Options;
        std::function<void()> Act;
        std::string Selected;
    };
    const TCase cases[] = {
        {"a disabled node by itself", {toMultiSelect}, [this] { Tree->AddToSelection(At("1")); }, ""},
        {"select all passes over the disabled node", {toMultiSelect},
         [this] { Tree->SelectAll(false); }, "0 0.0 0.1 2 2.0"},
        {"invert passes over it too", {toMultiSelect},
         [this] { Tree->InvertSelection(false); }, "0 0.0 0.1 2 2.0"},
        {"select all visible leaves out hidden and collapsed nodes", {toMultiSelect},
         [this] {
             Tree->SetIsVisible(At("0.1"), false);
             Tree->SetExpanded(At("2"), false);
             Tree->SelectAll(true);
         },
         "0 0.0 2"},
        {"a range skips hidden nodes", {toMultiSelect},
         [this] {
             Tree->SetIsVisible(At("0.1"), false);
             Tree->SelectRange(At("0"), At("2"));
         },
         "0 0.0 2"},
        {"level constraint: a child after a top-level node", {toMultiSelect, toLevelSelectConstraint},
         [this] {
             Tree->AddToSelection(At("0"));
             Tree->AddToSelection(At("0.1"));
             Tree->AddToSelection(At("2"));
         },
         "0 2"},
        {"level constraint ends with the selection", {toMultiSelect, toLevelSelectConstraint},
         [this] {
             Tree->AddToSelection(At("0"));
             Tree->ClearSelection();
             Tree->AddToSelection(At("0.1"));
         },
         "0.1"},
        {"sibling constraint: select all takes the anchor's siblings", {toMultiSelect, toSiblingSelectConstraint},
         [this] {
             Tree->AddToSelection(At("0.1"));
             Tree->SelectAll(false);
         },
         "0.0 0.1"},
        {"without multi-selection select all does nothing", {},
         [this] { Tree->SelectAll(false); }, ""},
        {"a locked selection takes nothing", {toMultiSelect},
         [this] {
             Tree->SetSelectionLocked(true);
             Tree->SelectAll(false);
             Tree->SetSelected(At("0"), true);
             Tree->SetSelectionLocked(false);
         },
         ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Options({}, {toMultiSelect, toLevelSelectConstraint, toSiblingSelectConstraint});
        Shape({2, 0, 1});
        Tree->SetDisabled(At("1"), true);
        Options(c.Options);
        c.Act();
        EXPECT_EQ(SelectedNames(), c.Selected);
        EXPECT_TRUE(ArrayIsSorted());
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(SelectionTest, SelectingAndFocusing)
{
    struct TCase {
        const char* Name;
        bool Multi;
        std::string Selected;
        std::string Focused;
    };
    // Node 1 is selected, then node 3 through Selected.
    const TCase cases[] = {
        {"single selection: the old one goes, the new one takes the focus", false, "3", "3"},
        {"multi-selection: both stay, the focus stays", true, "1 3", "1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Options(c.Multi ? TLTSelectionOptions{toMultiSelect} : TLTSelectionOptions{},
                c.Multi ? TLTSelectionOptions{} : TLTSelectionOptions{toMultiSelect});
        Tree->SetRootNodeCount(5);
        // The first node selected takes the focus.
        Tree->AddToSelection(At("1"));
        EXPECT_EQ(Name(Tree->FocusedNode()), "1");
        Tree->SetSelected(At("3"), true);
        EXPECT_EQ(SelectedNames(), c.Selected);
        EXPECT_EQ(Name(Tree->FocusedNode()), c.Focused);
    }
}

TEST_F(SelectionTest, InvertingAnEmptySelectionNotifiesOnce)
{
    Options({toMultiSelect});
    Shape({2, 2});
    Tree->SetExpanded(At("1"), false);
    Tree->SetDisabled(At("0.1"), true);
    Listen();
    Tree->InvertSelection(true);
    EXPECT_EQ(SelectedNames(), "0 0.0 1");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "change nil"), 1);
    EXPECT_EQ(Log.size(), 4u);   // three additions, one change
    // Inverting again takes them all out: one change for the batch of removals.
    Log.clear();
    Tree->InvertSelection(true);
    EXPECT_EQ(Tree->SelectedCount(), 0u);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "change nil"), 1);
    EXPECT_EQ(Tree->NextNodeToSelect(), nullptr);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(SelectionTest, SortedSelectionAndDeletingTheSelectedNodes)
{
    Options({toMultiSelect});
    Shape({2, 0, 3});
    for (const char* n : {"2.1", "0", "0.1", "2"}) Tree->AddToSelection(At(n));
    auto names = [this](const std::vector<PLazyNode>& v) {
        std::string s;
        for (PLazyNode n : v) {
            if (!s.empty()) s += ' ';
            s += Name(n);
        }
        return s;
    };
    EXPECT_EQ(names(Tree->GetSortedSelection(false)), "0 0.1 2 2.1");
    EXPECT_EQ(names(Tree->GetSortedSelection(true)), "0 2");
    // Read-only: nothing goes.
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() | toReadOnly);
    Tree->DeleteSelectedNodes();
    EXPECT_EQ(Tree->RootNode()->TotalCount, 9u);
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toReadOnly});
    Tree->AddToSelection(At("1"));
    Tree->DeleteSelectedNodes();
    EXPECT_EQ(Tree->RootNode()->TotalCount, 1u);
    EXPECT_EQ(Tree->SelectedCount(), 0u);
    EXPECT_TRUE(Tree->SelectionArray().empty());
    EXPECT_EQ(Tree->FocusedNode(), nullptr);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(SelectionTest, RemovingFromAnotherThreadFailsWithTheClassName)
{
    Tree->SetRootNodeCount(2);
    Tree->AddToSelection(At("0"));
    std::string message;
    std::thread worker([&] {
        try {
            Tree->RemoveFromSelection(At("0"));
        } catch (const ELazyTreeError& e) {
            message = e.Message();
        }
    });
    worker.join();
    EXPECT_EQ(message, "TLazyStringTree.RemoveFromSelection() must only be called from UI thread.");
    EXPECT_TRUE(Tree->Selected(At("0")));
    EXPECT_THROW(Tree->AddToSelection(nullptr), ELazyTreeError);
    EXPECT_THROW(Tree->SelectRange(At("0"), nullptr), ELazyTreeError);
}

TEST_F(SelectionTest, AlwaysSelectingANodeRemembersTheNextOne)
{
    struct TCase {
        const char* Name;
        const char* Removed;
        const char* Next;
    };
    const TCase cases[] = {
        {"its next sibling", "0.0", "0.1"},
        {"its previous sibling when it is the last", "0.1", "0.0"},
        {"its parent for an only child", "1.0", "1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Options({toAlwaysSelectNode});
        Shape({2, 1});
        Tree->SetSelected(At(c.Removed), true);
        Tree->SetSelected(At(c.Removed), false);
        EXPECT_EQ(Name(Tree->NextNodeToSelect()), c.Next);
        Tree->EnsureNodeSelected();
        EXPECT_EQ(SelectedNames(), c.Next);
        EXPECT_NE(Tree->FocusedNode(), nullptr);
    }
    // Collapsing a selected node's parent hands the selection to the parent.
    Tree->SetSelected(At("0"), false);
    Tree->SetSelected(At("0.1"), true);
    Tree->ToggleNode(At("0"));
    EXPECT_EQ(SelectedNames(), "0");
}

TEST_F(SelectionTest, FocusChangesAskAndReport)
{
    Tree->SetRootNodeCount(40);
    Listen();
    std::string refuse;
    Tree->OnFocusChanging = [&](TBaseLazyTree*, PLazyNode, PLazyNode n, TColumnIndex, TColumnIndex, bool& allowed) {
        Log.push_back("changing to " + Name(n));
        if (Name(n) == refuse) allowed = false;
    };
    Tree->SetFocusedNode(At("2"));
    EXPECT_EQ(Log, (std::vector<std::string>{"changing to 2", "focus 2"}));
    Log.clear();
    Tree->SetFocusedNode(At("2"));   // the same node: nothing asked, nothing reported
    EXPECT_TRUE(Log.empty());
    refuse = "5";
    Tree->SetFocusedNode(At("5"));
    EXPECT_EQ(Name(Tree->FocusedNode()), "2");
    EXPECT_EQ(Log, std::vector<std::string>{"changing to 5"});
    // A refused move of node and column restores the column already set.
    Tree->SetFocusedColumnField(NoColumnIndex);
    Tree->FocusNodeAndColumn(At("5"), 3);
    EXPECT_EQ(Tree->FocusedColumn(), NoColumnIndex);
    EXPECT_EQ(Name(Tree->FocusedNode()), "2");
    refuse.clear();
    Tree->FocusNodeAndColumn(At("5"), 0);
    EXPECT_EQ(Tree->FocusedColumn(), 0);
    EXPECT_EQ(Name(Tree->FocusedNode()), "5");
    // Deleting the focused node leaves no focus behind.
    Tree->DeleteNode(At("5"));
    EXPECT_EQ(Tree->FocusedNode(), nullptr);
}

TEST_F(SelectionTest, FocusScrollsAndCentresOnlyWithoutAButtonHeld)
{
    Options({toCenterScrollIntoView});
    Tree->SetRootNodeCount(40);
    struct TCase {
        const char* Name;
        bool ButtonHeld;
        int Offset;
    };
    const TCase cases[] = {
        {"by keyboard or code: centred (its bottom at the middle)", false, 100 - 31 * 18},
        {"with the mouse button held: only into view", true, 200 - 31 * 18},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->SetFocusedNode(At("0"));
        Tree->SetOffsetY(0);
        if (c.ButtonHeld) {
            // The application moves the focus from its handler while the button is down.
            Tree->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
                Tree->SetFocusedNode(At("30"));
            };
            gui_input::Mouse(Tree, WM_LBUTTONDOWN, 5, 199, TShiftState(), 0);
            Tree->OnMouseDown = nullptr;
            gui_input::Mouse(Tree, WM_LBUTTONUP, 5, 199, TShiftState(), 0);
        } else {
            Tree->SetFocusedNode(At("30"));
        }
        EXPECT_EQ(Name(Tree->FocusedNode()), "30");
        EXPECT_EQ(Tree->OffsetY(), c.Offset);
    }
}

TEST_F(SelectionTest, AutoExpandFollowsTheFocusAmongSiblings)
{
    auto* o = Tree->TreeOptions();
    o->SetAutoOptions(o->AutoOptions() | toAutoExpand);
    Shape({2, 2}, false);
    Tree->SetFocusedNode(At("0"));
    EXPECT_TRUE(Tree->Expanded(At("0")));
    Tree->SetFocusedNode(At("1"));
    EXPECT_FALSE(Tree->Expanded(At("0")));
    EXPECT_TRUE(Tree->Expanded(At("1")));
    // A child of the focused node is no sibling: its parent stays open.
    Tree->SetFocusedNode(At("1.0"));
    EXPECT_TRUE(Tree->Expanded(At("1")));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(SelectionTest, ClicksSelectWithShiftAndCtrl)
{
    Options({toMultiSelect, toFullRowSelect});
    Tree->SetRootNodeCount(8);
    Listen();
    struct TStep {
        const char* Name;
        unsigned Row;
        TShiftState Shift;
        std::string Selected;
    };
    const TStep steps[] = {
        {"a plain click selects one", 2, {}, "2"},
        {"shift extends from the anchor", 5, {ssShift}, "2 3 4 5"},
        {"shift again replaces the range", 0, {ssShift}, "0 1 2"},
        {"ctrl takes one out", 1, {ssCtrl}, "0 2"},
        {"ctrl adds one", 6, {ssCtrl}, "0 2 6"},
        {"ctrl and shift add a range to what is there", 4, {ssCtrl, ssShift}, "0 2 4 5 6"},
        {"a plain click on a selected node keeps only it", 5, {}, "5"},
    };
    for (const TStep& s : steps) {
        SCOPED_TRACE(s.Name);
        UserClick(Tree, 40, RowY(s.Row), s.Shift);
        EXPECT_EQ(SelectedNames(), s.Selected);
        EXPECT_EQ(Name(Tree->FocusedNode()), std::to_string(s.Row));
        EXPECT_TRUE(ArrayIsSorted());
        EXPECT_FALSE(Tree->TreeStates().Contains(tsLeftButtonDown));
    }
    // A click below the last node clears a multi-selection.
    UserClick(Tree, 40, 190);
    EXPECT_EQ(SelectedNames(), "");
    // Without multi-selection modifiers change nothing: one node at a time.
    Options({}, {toMultiSelect});
    UserClick(Tree, 40, RowY(3));
    UserClick(Tree, 40, RowY(1));
    UserClick(Tree, 40, RowY(4), TShiftState{ssShift});
    EXPECT_EQ(SelectedNames(), "4");
    UserClick(Tree, 40, RowY(6), TShiftState{ssCtrl});
    EXPECT_EQ(SelectedNames(), "6");
    // ... and a click into empty space keeps the one node.
    UserClick(Tree, 40, 190);
    EXPECT_EQ(SelectedNames(), "6");
    EXPECT_CONSISTENT(Tree);
}

TEST_F(SelectionTest, NodesLeavingTheTreeLeaveTheSelection)
{
    Options({toMultiSelect});
    struct TCase {
        const char* Name;
        bool Locked;
        bool InUpdate;
    };
    const TCase cases[] = {
        {"plain", false, false},
        {"while the selection is locked", true, false},
        {"inside an update", false, true},
        {"locked inside an update", true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->SetSelectionLocked(false);
        Tree->Clear();
        Shape({3, 3});
        Tree->SelectAll(false);
        Tree->SetFocusedNode(At("1.1"));
        Tree->SetSelectionLocked(c.Locked);
        if (c.InUpdate) Tree->BeginUpdate();
        Tree->DeleteNode(At("1"));
        Tree->DeleteChildren(At("0"));
        if (c.InUpdate) Tree->EndUpdate();
        EXPECT_EQ(SelectedNames(), "0");
        EXPECT_EQ(Tree->SelectionArray(), std::vector<PLazyNode>{At("0")});
        EXPECT_EQ(Tree->FocusedNode(), nullptr);
        EXPECT_CONSISTENT(Tree);
    }
    Tree->SetSelectionLocked(false);
}

} // namespace
