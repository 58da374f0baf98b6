// The tree under the mouse, driven through the same messages real input makes: hit
// tests, clicks and double clicks with their events in order, expanding and check boxes
// by clicks, the deferred clear of a multi-selection, hot tracking, cursors, node height
// tracking, popup menus, wheel panning and what losing the focus or the mouse ends.
#include "platform/gui/Dialogs.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "tests/treeview/input/mouse_fixture.h"

namespace {

using MouseTest = MouseTreeTest;

TEST_F(MouseTest, HitTestsAtTheEdgesAndInsideCells)
{
    Shape({2, 0, 0});
    struct TCase {
        const char* Name;
        TPoint P;
        const char* Node;
        THitPositions Expect;
        bool Exact;
    };
    const TCase cases[] = {
        {"left of the client area", TPoint(-1, 5), "nil", THitPositions{hiToLeft}, true},
        {"above and right", TPoint(400, -3), "nil", THitPositions{hiAbove, hiToRight}, true},
        {"below the last node", TPoint(40, 190), "nil", THitPositions{hiNowhere}, true},
        {"a child's label", TPoint(ChildLabelX, RowY(1)), "0.0", THitPositions{hiOnItem, hiOnItemLabel}, true},
        {"a parent's button", TPoint(9, RowY(0)), "0", THitPositions{hiOnItem, hiOnItemButton, hiOnItemButtonExact}, true},
        {"right of a label", TPoint(EmptyX, RowY(3)), "1", THitPositions{hiOnItem, hiOnItemRight}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        THitInfo hit;
        Tree->GetHitTestInfoAt(c.P.X, c.P.Y, true, hit);
        EXPECT_EQ(Name(hit.HitNode), c.Node);
        EXPECT_EQ(hit.HitPositions, c.Expect);
    }
}

TEST_F(MouseTest, SplittersReportModeAndRightToLeftMargins)
{
    Shape({0, 0});
    TLazyTreeColumns* cols = Tree->Header()->Columns();
    for (int i = 0; i < 2; ++i) {
        TLazyTreeColumn* c = cols->Add();
        c->SetWidth(120);
        c->SetOptions(c->Options() + TLTColumnOptions{coFixed});
    }
    THitInfo hit;
    // Without the option no splitter is reported at a row's bottom.
    Tree->GetHitTestInfoAt(60, 18 - 3, true, hit);
    EXPECT_FALSE(hit.HitPositions.Contains(hiLowerSplitter));
    AddOptions({}, TLTMiscOptions{toNodeHeightResize, toReportMode, toCheckSupport});
    Tree->GetHitTestInfoAt(60, 18 - 3, true, hit);
    EXPECT_TRUE(hit.HitPositions.Contains(hiLowerSplitter));
    Tree->GetHitTestInfoAt(60, 18 - 4, true, hit);
    EXPECT_FALSE(hit.HitPositions.Contains(hiLowerSplitter));
    // Report mode: a cell of another column than the main one is only "on the item".
    Tree->GetHitTestInfoAt(130, RowY(0), true, hit);
    EXPECT_EQ(hit.HitColumn, 1);
    EXPECT_EQ(hit.HitPositions, THitPositions{hiOnItem});
    // Right to left: the margin strip next to the indentation is the check box's.
    cols->Items(0)->SetBiDiMode(bdRightToLeft);
    Tree->SetCheckType(At("0"), ctCheckBox);
    const int edge = 120 - 18;   // the root's indentation taken from the right
    Tree->GetHitTestInfoAt(edge - 2, RowY(0), true, hit);
    EXPECT_TRUE(hit.HitPositions.Contains(hiOnItemCheckbox)) << "margin strip";
    Tree->GetHitTestInfoAt(edge + 2, RowY(0), true, hit);
    EXPECT_TRUE(hit.HitPositions.Contains(hiOnItemIndent));
}

TEST_F(MouseTest, ClicksAndDoubleClicksReportInOrder)
{
    Shape({2, 0});
    Tree->SetExpanded(At("0"), false);
    LogMouse();
    struct TCase {
        const char* Name;
        std::function<void()> Act;
        std::vector<std::string> Log;
    };
    const TCase cases[] = {
        {"click on a label", [this] { UserClick(Tree, TopLabelX, RowY(1)); },
         {"mouse down", "node click 1", "mouse up", "click"}},
        {"click on the button expands", [this] { UserClick(Tree, 9, RowY(0)); },
         {"mouse down", "expanded 0", "node click 0", "mouse up", "click"}},
        {"double click on a label toggles", [this] { UserDblClick(Tree, TopLabelX, RowY(0)); },
         {"mouse down", "node click 0", "mouse up", "click", "mouse down double", "dblclick", "node dblclick 0",
          "collapsed 0", "node click 0", "mouse up"}},
        {"click below the nodes", [this] { UserClick(Tree, TopLabelX, 150); }, {"mouse down", "mouse up", "click"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Log.clear();
        c.Act();
        EXPECT_EQ(Log, c.Log);
        EXPECT_FALSE(In(tsLeftButtonDown));
        EXPECT_FALSE(In(tsLeftDblClick));
    }
}

TEST_F(MouseTest, DoubleClickTogglesInsteadOfEditing)
{
    Shape({1, 0});
    AddOptions({}, TLTMiscOptions{toEditable, toEditOnDblClick});
    UserClick(Tree, TopLabelX, RowY(0));
    ASSERT_EQ(Tree->FocusedNode(), At("0"));
    UserDblClick(Tree, TopLabelX, RowY(0));
    EXPECT_FALSE(Tree->Expanded(At("0")));
    EXPECT_FALSE(In(tsEditPending));
    // Without the toggle option the same double click asks for an edit.
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toToggleOnDblClick});
    UserDblClick(Tree, TopLabelX, RowY(0));
    EXPECT_FALSE(Tree->Expanded(At("0")));
    EXPECT_TRUE(In(tsEditPending));
}

TEST_F(MouseTest, TriStateBoxesFollowClicksDownAndUp)
{
    // 0 with children 0.0 and 0.1; 0.1 with children 0.1.0 and 0.1.1.
    Shape({2});
    Tree->SetChildCount(At("0.1"), 2);
    Tree->SetExpanded(At("0.1"), true);
    AddOptions({}, TLTMiscOptions{toCheckSupport}, {}, TLTAutoOptions{toAutoTristateTracking});
    for (const char* n : {"0", "0.0", "0.1", "0.1.0", "0.1.1"}) Tree->SetCheckType(At(n), ctTriStateCheckBox);
    LogMouse();
    // The box sits right of the indentation and the margin.
    auto box = [](int Level, int Row) { return TPoint(18 * (Level + 1) + 4 + 5, RowY(Row)); };
    struct TCase {
        const char* Name;
        TPoint P;
        std::vector<TCheckState> After;   // 0, 0.0, 0.1, 0.1.0, 0.1.1
    };
    const TCheckState U = csUncheckedNormal, C = csCheckedNormal, M = csMixedNormal;
    const TCase cases[] = {
        {"the top checks everything below", box(0, 0), {C, C, C, C, C}},
        {"a grandchild unchecked makes its ancestors mixed", box(2, 3), {M, C, M, U, C}},
        {"the other grandchild too: the middle level is unchecked", box(2, 4), {M, C, U, U, U}},
        {"the middle level checks its children and the top follows", box(1, 2), {C, C, C, C, C}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        UserClick(Tree, c.P.X, c.P.Y);
        std::vector<TCheckState> got;
        for (const char* n : {"0", "0.0", "0.1", "0.1.0", "0.1.1"}) got.push_back(Tree->CheckState(At(n)));
        EXPECT_EQ(got, c.After);
    }
    // A check press reports before the click that carries it.
    Log.clear();
    UserClick(Tree, box(1, 1).X, box(1, 1).Y);
    // The parent's state follows through its own checking and checked events.
    const std::vector<std::string> expect{"mouse down", "checking 0.0",   "checking 0", "checked 0",
                                          "checked 0.0", "node click 0.0", "mouse up",   "click"};
    EXPECT_EQ(Log, expect);
}

TEST_F(MouseTest, SelectedNodeKeepsTheOthersUntilTheReleaseWhenItMayBeDragged)
{
    Shape({0, 0, 0, 0});
    AddOptions(TLTSelectionOptions{toMultiSelect});
    Tree->OnDragAllowed = [](TBaseLazyTree*, PLazyNode, TColumnIndex, bool& Allowed) { Allowed = true; };
    UserClick(Tree, TopLabelX, RowY(0));
    UserClick(Tree, TopLabelX, RowY(2), TShiftState{ssShift});
    ASSERT_EQ(Selection(), "0 1 2");
    Send(WM_LBUTTONDOWN, TopLabelX, RowY(1));
    EXPECT_EQ(Selection(), "0 1 2") << "a drag would carry all three";
    EXPECT_TRUE(In(tsClearPending));
    Send(WM_LBUTTONUP, TopLabelX, RowY(1));
    EXPECT_EQ(Selection(), "1");
    EXPECT_FALSE(In(tsClearPending));
    // Without a possible drag the press selects at once.
    Tree->OnDragAllowed = nullptr;
    UserClick(Tree, TopLabelX, RowY(3), TShiftState{ssShift});
    Send(WM_LBUTTONDOWN, TopLabelX, RowY(2));
    EXPECT_EQ(Selection(), "2");
    Send(WM_LBUTTONUP, TopLabelX, RowY(2));
    // Ctrl clicks add and take away single nodes.
    UserClick(Tree, TopLabelX, RowY(0), TShiftState{ssCtrl});
    UserClick(Tree, TopLabelX, RowY(3), TShiftState{ssCtrl});
    EXPECT_EQ(Selection(), "0 2 3");
    UserClick(Tree, TopLabelX, RowY(2), TShiftState{ssCtrl});
    EXPECT_EQ(Selection(), "0 3");
}

TEST_F(MouseTest, HotTrackingReportsChangesOnce)
{
    Shape({0, 0});
    AddOptions({}, {}, TLTPaintOptions{toHotTrack});
    Tree->OnHotChange = [this](TBaseLazyTree*, PLazyNode Old, PLazyNode New) {
        Log.push_back("hot " + Name(Old) + " -> " + Name(New));
    };
    UserMouseMove(Tree, TopLabelX, RowY(0));
    UserMouseMove(Tree, TopLabelX + 2, RowY(0) + 1);
    EXPECT_EQ(Log, std::vector<std::string>{"hot nil -> 0"});
    EXPECT_EQ(Tree->HotNode(), At("0"));
    // Right of the label nothing is hot without full-row selection.
    UserMouseMove(Tree, EmptyX, RowY(1));
    EXPECT_EQ(Tree->HotNode(), nullptr);
    UserMouseMove(Tree, TopLabelX, RowY(1));
    Log.clear();
    UserMouseLeave(Tree);
    EXPECT_EQ(Log, std::vector<std::string>{"hot 1 -> nil"});
    EXPECT_EQ(Tree->HotNode(), nullptr);
    // With full-row selection the whole row counts.
    AddOptions(TLTSelectionOptions{toFullRowSelect});
    UserMouseMove(Tree, EmptyX, RowY(1));
    EXPECT_EQ(Tree->HotNode(), At("1"));
}

TEST_F(MouseTest, CursorsAndNodeHeightTracking)
{
    Shape({0, 0, 0});
    TLazyTreeColumn* c = Tree->Header()->Columns()->Add();
    c->SetWidth(200);
    c->SetOptions(c->Options() + TLTColumnOptions{coFixed});
    AddOptions({}, TLTMiscOptions{toNodeHeightResize}, TLTPaintOptions{toHotTrack});
    bool allowSplitter = false;
    Tree->OnCanSplitterResizeNode = [&](TBaseLazyTree*, TPoint, PLazyNode, TColumnIndex, bool& Allowed) {
        Allowed = allowSplitter;
    };
    Tree->SetHotCursor(crHandPoint);
    struct TCase {
        const char* Name;
        TPoint P;
        bool Allow;
        TCursor Expect;
    };
    const TCase cases[] = {
        {"the lower edge, allowed", TPoint(EmptyX - 100, 18 - 2), true, crLTVertSplit},
        {"the lower edge, refused", TPoint(EmptyX - 100, 18 - 2), false, crDefault},
        {"over a label: the hot cursor", TPoint(TopLabelX, RowY(1)), true, crHandPoint},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        allowSplitter = k.Allow;
        UserMouseMove(Tree, k.P.X, k.P.Y);
        EXPECT_EQ(Tree->ShownCursor(), k.Expect);
    }
    // OnGetCursor has the last word.
    Tree->OnGetCursor = [](TBaseLazyTree*, TCursor& C) { C = crCross; };
    UserMouseMove(Tree, TopLabelX, RowY(2));
    EXPECT_EQ(Tree->ShownCursor(), crCross);
    // Dragging the splitter sizes the node, never below one pixel.
    allowSplitter = true;
    Send(WM_LBUTTONDOWN, 100, 18 - 2);
    EXPECT_TRUE(In(tsNodeHeightTrackPending));
    Send(WM_MOUSEMOVE, 100, 30, TShiftState{ssLeft});
    EXPECT_TRUE(In(tsNodeHeightTracking));
    EXPECT_EQ(Tree->NodeHeight(At("0")), 30u);
    Send(WM_MOUSEMOVE, 100, -20, TShiftState{ssLeft});
    EXPECT_EQ(Tree->NodeHeight(At("0")), 1u);
    Send(WM_LBUTTONUP, 100, -20);
    EXPECT_FALSE(In(tsNodeHeightTracking));
    EXPECT_CONSISTENT(Tree);
    // A double click on the splitter gives the default height back.
    AddOptions({}, TLTMiscOptions{toNodeHeightDblClickResize});
    Tree->SetNodeHeight(At("0"), 40);
    UserDblClick(Tree, 100, 40 - 2);
    EXPECT_EQ(Tree->NodeHeight(At("0")), 18u);
}

TEST_F(MouseTest, PopupMenusComeFromTheNodeOrItsAncestors)
{
    Shape({1});
    Tree->SetChildCount(At("0.0"), 1);
    Tree->SetExpanded(At("0.0"), true);
    auto* menu = new TPopupMenu(Form);
    // The user closes the one menu expected without picking anything.
    TInteractionScript script;
    script.PickMenu("");
    int shown = 0;
    menu->OnPopup = [&](TObject*) { ++shown; };
    Tree->OnGetPopupMenu = [&](TBaseLazyTree*, PLazyNode Node, TColumnIndex, const TPoint&, bool& AskParent,
                               TPopupMenu*& Menu) {
        Log.push_back("asked " + Name(Node));
        if (Name(Node) == "0") Menu = menu;
        AskParent = true;
    };
    UserRightClick(Tree, 60, RowY(2));
    EXPECT_EQ(Log, (std::vector<std::string>{"asked 0.0.0", "asked 0.0", "asked 0"}));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(menu->PopupComponent(), Tree);
    EXPECT_TRUE(In(tsPopupMenuShown));
    // The context-menu request that follows the click shows no second menu.
    Tree->SetPopupMenu(menu);
    Tree->Perform(0x007B, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(shown, 1);
    // A node whose handler stops the search gets no menu.
    Tree->SetPopupMenu(nullptr);
    Log.clear();
    Tree->OnGetPopupMenu = [&](TBaseLazyTree*, PLazyNode Node, TColumnIndex, const TPoint&, bool& AskParent,
                               TPopupMenu*&) {
        Log.push_back("asked " + Name(Node));
        AskParent = false;
    };
    UserRightClick(Tree, 60, RowY(2));
    EXPECT_EQ(Log, std::vector<std::string>{"asked 0.0.0"});
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(In(tsPopupMenuShown));
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(MouseTest, WheelPanningByClickAndByDrag)
{
    // A tree that fits never pans; with middle-click selection the press selects.
    Shape({0, 0, 0});
    AddOptions(TLTSelectionOptions{toMiddleClickSelect});
    Send(WM_MBUTTONDOWN, TopLabelX, RowY(1));
    Send(WM_MBUTTONUP, TopLabelX, RowY(1));
    EXPECT_FALSE(In(tsWheelPanning));
    EXPECT_EQ(Selection(), "1");
    Tree->Clear();
    Shape({60});   // taller than the window: it scrolls vertically only
    // Click and release without moving: panning goes on until the next press.
    Send(WM_MBUTTONDOWN, 100, 100);
    ASSERT_TRUE(In(tsWheelPanning) && In(tsWheelScrolling));
    ASSERT_NE(Tree->PanningWindow(), nullptr);
    EXPECT_EQ(Tree->ShownCursor(), crLTMoveNS);
    Send(WM_MBUTTONUP, 100, 100);
    EXPECT_FALSE(In(tsWheelPanning));
    EXPECT_TRUE(In(tsWheelScrolling));
    // The pointer 20 pixels below the press scrolls 20 - 8 = 12 pixels a step.
    Send(WM_MOUSEMOVE, 100, 120);
    EXPECT_EQ(Tree->ScrollDirections(), TScrollDirections{sdDown});
    EXPECT_EQ(Tree->ShownCursor(), crLTMoveS);
    Tree->Perform(WM_TIMER, TBaseLazyTree::ScrollTimer, 0);
    EXPECT_EQ(Tree->OffsetY(), -12);
    // Within the dead zone nothing moves.
    Send(WM_MOUSEMOVE, 100, 106);
    EXPECT_TRUE(Tree->ScrollDirections().Empty());
    Tree->Perform(WM_TIMER, TBaseLazyTree::ScrollTimer, 0);
    EXPECT_EQ(Tree->OffsetY(), -12);
    // Any press ends it and does nothing else.
    const std::string before = Selection();
    Send(WM_LBUTTONDOWN, TopLabelX, RowY(3));
    Send(WM_LBUTTONUP, TopLabelX, RowY(3));
    EXPECT_FALSE(In(tsWheelScrolling));
    EXPECT_EQ(Tree->PanningWindow(), nullptr);
    EXPECT_EQ(Selection(), before);
    // Press, drag and release: panning ends with the release.
    Send(WM_MBUTTONDOWN, 100, 100);
    Send(WM_MOUSEMOVE, 100, 80, TShiftState{ssMiddle});
    EXPECT_FALSE(In(tsWheelScrolling));
    EXPECT_EQ(Tree->ShownCursor(), crLTMoveN);
    Send(WM_MBUTTONUP, 100, 80);
    EXPECT_FALSE(In(tsWheelPanning));
    EXPECT_EQ(Tree->PanningWindow(), nullptr);
}

TEST_F(MouseTest, PanningCursorsByDirectionWhenBothAxesScroll)
{
    Shape({60});
    TLazyTreeColumn* c = Tree->Header()->Columns()->Add();
    c->SetWidth(900);
    ASSERT_LT(Tree->ClientWidth(), Tree->RangeX());
    Send(WM_MBUTTONDOWN, 100, 100);
    struct TCase {
        int DX, DY;
        TCursor Expect;
    };
    const TCase cases[] = {{5, 0, crLTMoveAll}, {20, 20, crLTMoveSE}, {-20, -20, crLTMoveNW}, {0, -20, crLTMoveN},
                           {-20, 3, crLTMoveW},  {20, -9, crLTMoveNE}};
    for (const TCase& k : cases) {
        SCOPED_TRACE(std::to_string(k.DX) + "," + std::to_string(k.DY));
        Send(WM_MOUSEMOVE, 100 + k.DX, 100 + k.DY, TShiftState{ssMiddle});
        EXPECT_EQ(Tree->ShownCursor(), k.Expect);
    }
    Send(WM_MBUTTONUP, 120, 80);
    EXPECT_NE(Tree->ShownCursor(), crLTMoveNE);
}

TEST_F(MouseTest, LosingTheFocusEndsPanningButNotTheBand)
{
    Shape({60});
    AddOptions(TLTSelectionOptions{toMultiSelect});
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    other->SetBounds(0, 210, 100, 20);
    Form->Show();
    UserFocus(Tree);
    Send(WM_MBUTTONDOWN, 100, 100);
    ASSERT_TRUE(In(tsWheelPanning));
    UserFocus(other);
    EXPECT_FALSE(In(tsWheelPanning) || In(tsWheelScrolling));
    EXPECT_EQ(Tree->PanningWindow(), nullptr);
    // A rubber band outlives the focus; cancelling the mode ends it, keeping its selection.
    Send(WM_LBUTTONDOWN, EmptyX, RowY(0));
    Send(WM_MOUSEMOVE, 20, RowY(2), TShiftState{ssLeft});
    ASSERT_TRUE(In(tsDrawSelecting));
    UserFocus(other);
    EXPECT_TRUE(In(tsDrawSelecting));
    Tree->Perform(WM_CANCELMODE);
    EXPECT_FALSE(Tree->IsMouseSelecting());
    EXPECT_EQ(Selection(), "0 0.0 0.1");
}

} // namespace
