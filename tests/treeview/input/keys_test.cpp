// The tree under the keyboard, driven through real key strokes: moving the focus and
// expanding with the arrows, range selection with Shift, scrolling with Ctrl, the
// application's key remapping, the grid's column moves, the expand hot keys, and the
// incremental search with its timeout, repeat letter, Backspace, wrap and modes.
#include <map>

#include "platform/gui/Menus.h"

#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class KeysTest : public TreeTest {
protected:
    std::map<std::string, String> Texts;
    void SetUp() override
    {
        TreeTest::SetUp();
        Form->Show();
        Tree->SetFocus();
        Tree->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex, TVSTTextType Type, String& S) {
            if (Type == ttNormal) S = Texts.count(Name(N)) ? Texts[Name(N)] : String("node " + Name(N));
        };
    }
    void TearDown() override
    {
        Tree->OnGetText = nullptr;
        TreeTest::TearDown();
    }
    void Key(WORD K, TShiftState Shift = TShiftState()) { UserKey(Tree, K, Shift); }
    std::string Focused() const { return Name(Tree->FocusedNode()); }
    std::string Selection() const { return Names(Tree->SelectedNodes()); }
    void SetMulti()
    {
        auto* o = Tree->TreeOptions();
        o->SetSelectionOptions(o->SelectionOptions() | toMultiSelect);
    }
};

TEST_F(KeysTest, ArrowsMoveTheFocusAndExpandAndCollapse)
{
    Shape({2, 0, 3}, false);
    struct TStep {
        WORD Key;
        const char* Focus;
        bool FirstExpanded;
    };
    const TStep steps[] = {
        {VK_DOWN, "0", false},   // nothing focused: the first node
        {VK_RIGHT, "0", true},   // a collapsed parent expands
        {VK_RIGHT, "0.0", true}, // an expanded one hands the focus to its first child
        {VK_DOWN, "0.1", true},
        {VK_LEFT, "0", true},    // a child hands it to its parent
        {VK_LEFT, "0", false},   // an expanded parent collapses
        {VK_DOWN, "1", false},
        {VK_END, "2", false},
        {VK_HOME, "0", false},
        {VK_BACK, "0", false},   // a top-level node has no parent to go to
        {VK_UP, "0", false},     // nothing above the first node
    };
    for (const TStep& s : steps) {
        Key(s.Key);
        SCOPED_TRACE(s.Focus);
        EXPECT_EQ(Focused(), s.Focus);
        EXPECT_EQ(Tree->Expanded(At("0")), s.FirstExpanded);
        EXPECT_EQ(Selection(), s.Focus);
    }
    // Numpad plus, minus and star expand, collapse and fully expand the focused node.
    Key(VK_ADD);
    EXPECT_TRUE(Tree->Expanded(At("0")));
    Key(VK_SUBTRACT);
    EXPECT_FALSE(Tree->Expanded(At("0")));
    Key(VK_END);
    Key(VK_MULTIPLY);
    EXPECT_TRUE(Tree->Expanded(At("2")));
    Key(VK_DIVIDE);
    EXPECT_FALSE(Tree->Expanded(At("2")));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(KeysTest, ShiftExtendsFromTheAnchorAndAPlainKeyStartsAgain)
{
    SetMulti();
    Shape({0, 0, 0, 0, 0, 0});
    Key(VK_DOWN);
    Key(VK_DOWN);
    struct TStep {
        WORD Key;
        TShiftState Shift;
        const char* Selection;
        const char* Focus;
    };
    const TStep steps[] = {
        {VK_DOWN, {ssShift}, "1 2", "2"},
        {VK_DOWN, {ssShift}, "1 2 3", "3"},
        {VK_UP, {ssShift}, "1 2", "2"},
        {VK_UP, {ssShift}, "1", "1"},
        {VK_UP, {ssShift}, "0 1", "0"},   // the other side of the anchor
        {VK_END, {ssShift}, "1 2 3 4 5", "5"},
        {VK_DOWN, {}, "5", "5"},          // nothing below: focus and selection stay
        {VK_UP, {}, "4", "4"},
        {VK_HOME, {}, "0", "0"},
    };
    for (const TStep& s : steps) {
        Key(s.Key, s.Shift);
        SCOPED_TRACE(s.Focus);
        EXPECT_EQ(Selection(), s.Selection);
        EXPECT_EQ(Focused(), s.Focus);
    }
    // Ctrl+A selects every visible node.
    Key('A', {ssCtrl});
    EXPECT_EQ(Tree->SelectedCount(), 6u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(KeysTest, CtrlScrollsWithoutMovingTheFocus)
{
    Shape(std::vector<unsigned>(40, 0));
    Key(VK_DOWN);
    const int height = int(Tree->DefaultNodeHeight());
    Key(VK_DOWN, {ssCtrl});
    EXPECT_EQ(Tree->OffsetY(), -height);
    EXPECT_EQ(Focused(), "0");
    Key(VK_UP, {ssCtrl});
    EXPECT_EQ(Tree->OffsetY(), 0);
    Key(VK_NEXT, {ssCtrl});
    EXPECT_LT(Tree->OffsetY(), -height * 5);
    EXPECT_EQ(Focused(), "0");
    Key(VK_END, {ssCtrl});  // scrolls the last node into view
    EXPECT_EQ(Tree->OffsetY(), -(Tree->RangeY() - Tree->ClientHeight()));
    EXPECT_EQ(Focused(), "0");
    // Page Down moves the focus by a page of rows.
    Key(VK_HOME);
    Key(VK_NEXT);
    // The row the page ends in is the one cut by the bottom edge.
    const int lastRow = (Tree->ClientHeight() + height - 1) / height - 1;
    EXPECT_EQ(Focused(), std::to_string(lastRow));
    Key(VK_PRIOR);
    EXPECT_EQ(Focused(), "0");
}

TEST_F(KeysTest, KeyActionRemapsOrSuppressesTheKey)
{
    Shape({0, 0, 0});
    Key(VK_DOWN);
    std::vector<std::string> log;
    Tree->OnKeyDown = [&](TObject*, WORD& K, TShiftState) { log.push_back("keydown " + std::to_string(K)); };
    Tree->OnKeyAction = [&](TBaseLazyTree*, WORD& K, TShiftState&, bool& DoDefault) {
        log.push_back("action " + std::to_string(K));
        if (K == VK_DOWN) DoDefault = false;
        if (K == VK_RIGHT) K = VK_DOWN;
    };
    Key(VK_DOWN);
    EXPECT_EQ(Focused(), "0");  // suppressed
    Key(VK_RIGHT);
    EXPECT_EQ(Focused(), "1");  // taken for Down
    const std::vector<std::string> expect = {"keydown 40", "action 40", "keydown 39", "action 39"};
    EXPECT_EQ(log, expect);
    Tree->OnKeyDown = nullptr;
    Tree->OnKeyAction = nullptr;
}

TEST_F(KeysTest, EmptyTreeIgnoresTheArrowsButMayStartASearch)
{
    gui_input::KeyDown(Tree, VK_DOWN, TShiftState());
    EXPECT_EQ(Tree->FocusedNode(), nullptr);
    EXPECT_TRUE(Tree->TreeStates().Contains(tsIncrementalSearchPending));
    gui_input::KeyUp(Tree, VK_DOWN, TShiftState());
    gui_input::KeyDown(Tree, VK_DOWN, TShiftState{ssCtrl});
    gui_input::KeyUp(Tree, VK_DOWN, TShiftState{ssCtrl});
    gui_input::Char(Tree, 'x');
    EXPECT_FALSE(Tree->TreeStates().Contains(tsIncrementalSearchPending));
}

TEST_F(KeysTest, GridKeysWalkTheColumnsAndNeverToggle)
{
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() | toGridExtensions);
    o->SetSelectionOptions(o->SelectionOptions() | toExtendedFocus);
    for (int i = 0; i < 3; ++i) Tree->Header()->Columns()->Add()->SetWidth(90);
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    Shape({2, 0}, false);
    Key(VK_DOWN);
    Tree->SetFocusedColumn(0);
    Key(VK_RIGHT);
    EXPECT_EQ(Tree->FocusedColumn(), 1);
    Key(VK_RIGHT);
    Key(VK_RIGHT);  // no column after the last
    EXPECT_EQ(Tree->FocusedColumn(), 2);
    Key(VK_LEFT);
    EXPECT_EQ(Tree->FocusedColumn(), 1);
    EXPECT_FALSE(Tree->Expanded(At("0")));
    EXPECT_EQ(Focused(), "0");
    // Tab walks on through the row and into the next one (the tree asks for the key).
    Tree->SetWantTabs(true);
    Key(VK_TAB);
    Key(VK_TAB);
    EXPECT_EQ(Focused(), "1");
    EXPECT_EQ(Tree->FocusedColumn(), 0);
    Key(VK_TAB, {ssShift});
    EXPECT_EQ(Focused(), "0");
    EXPECT_EQ(Tree->FocusedColumn(), 2);
}

TEST_F(KeysTest, CtrlPlusFitsColumnsOrExpandsAllByOption)
{
    struct TCase {
        bool Reverse;
        TShiftState Shift;
        bool ExpandsAll;
    };
    const TCase cases[] = {
        {false, {ssCtrl}, false},
        {false, {ssCtrl, ssShift}, true},
        {true, {ssCtrl}, true},
        {true, {ssCtrl, ssShift}, false},
    };
    Tree->Header()->Columns()->Add()->SetWidth(40);
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible | hoAutoResize);
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Reverse) + " " + std::to_string(c.Shift.Contains(ssShift)));
        Tree->Clear();
        Shape({1, 1}, false);
        auto* o = Tree->TreeOptions();
        o->SetMiscOptions(c.Reverse ? o->MiscOptions() | toReverseFullExpandHotKey
                                    : o->MiscOptions() - TLTMiscOptions{toReverseFullExpandHotKey});
        Key(VK_ADD, c.Shift);
        EXPECT_EQ(Tree->Expanded(At("0")) && Tree->Expanded(At("1")), c.ExpandsAll);
        Key(VK_SUBTRACT, c.Shift);
        EXPECT_FALSE(Tree->Expanded(At("0")));
    }
}

// A menu that remembers where it was opened instead of opening.
class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    std::vector<TPoint> Shown;
    void Popup(int X, int Y) override { Shown.push_back(TPoint(X, Y)); }
};

TEST_F(KeysTest, ContextMenuKeyOpensTheMenuAtTheFocusedText)
{
    Shape({0, 0, 0});
    auto* menu = new TRecordingMenu(Form);
    std::vector<std::string> asked;
    Tree->OnGetPopupMenu = [&](TBaseLazyTree*, PLazyNode Node, TColumnIndex Column, const TPoint&, bool& AskParent,
                               TPopupMenu*& Menu) {
        asked.push_back(Name(Node) + " " + std::to_string(Column));
        Menu = menu;
        AskParent = true;
    };
    // Without a focused node the handler is asked once, for no node, and the menu comes
    // at (-1, -1) of the tree.
    Key(VK_APPS);
    ASSERT_EQ(menu->Shown.size(), 1u);
    EXPECT_EQ(menu->Shown[0], Tree->ClientToScreen(TPoint(-1, -1)));
    Tree->SetFocusedNode(At("1"));
    Key(VK_APPS);
    ASSERT_EQ(menu->Shown.size(), 2u);
    const TRect text = Tree->GetDisplayRect(At("1"), NoColumnIndex, true);
    const TPoint p = Tree->ScreenToClient(menu->Shown[1]);
    // The middle of the text, not of the row: the text starts after the indentation.
    EXPECT_GT(p.X, text.Left);
    EXPECT_LT(p.X, text.Left + text.Width());
    EXPECT_LT(p.X, Tree->ClientWidth() / 2);
    EXPECT_EQ(p.Y, (text.Top + text.Bottom) / 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"nil -1", "1 -1"}));
    EXPECT_TRUE(Tree->TreeStates().Contains(tsPopupMenuShown));
    // The key is no search character.
    EXPECT_FALSE(Tree->TreeStates().Contains(tsIncrementalSearchPending));
    Tree->OnGetPopupMenu = nullptr;
}

// ---- incremental search ----

class SearchTest : public KeysTest {
protected:
    void SetUp() override
    {
        KeysTest::SetUp();
        Texts = {{"0", "cherry"}, {"1", "apple"},    {"2", "apricot"},
                 {"3", "banana"}, {"4", "aardvark"}, {"5", "avocado"}};
        Shape({0, 0, 0, 0, 0, 0});
        Tree->SetIncrementalSearch(isAll);
        Tree->SetFocusedNode(At("0"));
    }
    void Type(const String& S) { UserType(Tree, S); }
    void Timeout() { Tree->Perform(WM_TIMER, TBaseLazyTree::SearchTimer, 0); }
};

TEST_F(SearchTest, TypingJumpsToTheFirstMatchAfterTheFocus)
{
    Type("ap");
    EXPECT_EQ(Focused(), "1");
    EXPECT_EQ(Selection(), "1");
    Type("r");
    EXPECT_EQ(Focused(), "2");
    EXPECT_EQ(Tree->SearchBuffer(), "apr");
    EXPECT_TRUE(Tree->TreeStates().Contains(tsIncrementalSearching));
    Timeout();
    EXPECT_EQ(Tree->SearchBuffer(), "");
    EXPECT_FALSE(Tree->TreeStates().Contains(tsIncrementalSearching));
    // After the timeout the next letter starts a new search.
    Type("b");
    EXPECT_EQ(Focused(), "3");
}

TEST_F(SearchTest, RepeatedLetterCyclesUnlessItIsARealPrefix)
{
    struct TStep {
        const char* Typed;
        const char* Focus;
        const char* Buffer;
    };
    const TStep steps[] = {
        {"a", "1", "a"},    // apple
        {"a", "2", "a"},    // cycles: apricot
        {"a", "4", "a"},    // aardvark (banana passed)
        {"a", "4", "aa"},   // aardvark starts with "aa": the search narrows
        {"\b", "2", "a"},   // Backspace shortens and looks backwards
    };
    for (const TStep& s : steps) {
        Type(s.Typed);
        SCOPED_TRACE(s.Typed);
        EXPECT_EQ(Focused(), s.Focus);
        EXPECT_EQ(Tree->SearchBuffer(), s.Buffer);
    }
}

TEST_F(SearchTest, NoMatchBeepsAndKeepsFocusAndBuffer)
{
    Type("ap");
    const int beeps = MessageBeepCount();
    Type("x");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    EXPECT_EQ(Focused(), "1");
    EXPECT_EQ(Tree->SearchBuffer(), "ap");
    // Without any search the tree does not react to letters at all.
    Timeout();
    Tree->SetIncrementalSearch(isNone);
    Type("b");
    EXPECT_EQ(Focused(), "1");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
}

TEST_F(SearchTest, DirectionStartAndWrap)
{
    struct TCase {
        const char* Name;
        TLTSearchDirection Direction;
        TLTSearchStart Start;
        const char* Focus;
        const char* Typed;
        const char* Expect;
    };
    const TCase cases[] = {
        {"forward past the end wraps to the top", sdForward, ssFocusedNode, "5", "b", "3"},
        {"backward from the focus", sdBackward, ssFocusedNode, "3", "a", "2"},
        {"backward past the top wraps to the end", sdBackward, ssFocusedNode, "1", "a", "5"},
        {"always from the top", sdForward, ssAlwaysStartOver, "3", "a", "1"},
        {"the focused node itself when it matches", sdForward, ssFocusedNode, "2", "apr", "2"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Timeout();
        Tree->SetIncrementalSearchDirection(c.Direction);
        Tree->SetIncrementalSearchStart(c.Start);
        Tree->SetFocusedNode(At(c.Focus));
        Type(c.Typed);
        EXPECT_EQ(Focused(), c.Expect);
    }
}

TEST_F(SearchTest, VisibleOnlyPassesCollapsedChildrenAndHandlerDecides)
{
    Tree->AddChild(At("3"));
    Texts["3.0"] = "kiwi";
    Tree->SetIncrementalSearch(isVisibleOnly);
    Type("k");
    EXPECT_EQ(Focused(), "0");  // the only "k" node is under a collapsed parent
    Timeout();
    Tree->SetIncrementalSearch(isAll);
    Type("k");
    EXPECT_EQ(Focused(), "3.0");
    // A handler compares as it likes: here, by the end of the text.
    Timeout();
    Tree->OnIncrementalSearch = [this](TBaseLazyTree*, PLazyNode N, const String& S, int& Result) {
        const String t = Texts[Name(N)];
        Result = t.size() >= S.size() && t.compare(t.size() - S.size(), S.size(), S) == 0 ? 0 : 1;
    };
    Type("ot");
    EXPECT_EQ(Focused(), "2");
    Tree->OnIncrementalSearch = nullptr;
}

} // namespace
