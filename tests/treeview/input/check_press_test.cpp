// Check boxes pressed by the mouse and by the Space key: the press shows the pressed
// look and asks the application, the release commits the state or gives the old one
// back. Driven through real mouse and key input; the tree does not paint yet, so the
// states are what the tests look at.
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class CheckPressTest : public TreeTest {
protected:
    // Four top-level check boxes; node 3 has two children that are check boxes too.
    void SetUp() override
    {
        TreeTest::SetUp();
        auto* o = Tree->TreeOptions();
        o->SetMiscOptions(o->MiscOptions() | toCheckSupport);
        Shape({0, 0, 0, 2});
        for (const char* n : {"0", "1", "2", "3", "3.0", "3.1"}) Tree->SetCheckType(At(n), ctCheckBox);
        Tree->OnChecking = [this](TBaseLazyTree*, PLazyNode n, TCheckState&, bool& allowed) {
            Note("checking ", n);
            allowed = Name(n) != Refuse;
        };
        Tree->OnChecked = [this](TBaseLazyTree*, PLazyNode n) { Note("checked ", n); };
    }
    const char* Refuse = "";
    void Note(const char* What, PLazyNode Node)
    {
        std::string line = What;
        line += Name(Node);
        Log.push_back(line);
    }
    // Client points: the check box of a top-level node sits right of the root's
    // indentation and the margin; its text area right of that.
    static TPoint Box(unsigned Row) { return TPoint(18 + 4 + 5, int(Row) * 18 + 9); }
    static TPoint Text(unsigned Row) { return TPoint(120, int(Row) * 18 + 9); }
    void Press(TPoint P, TMouseButton Button = mbLeft)
    {
        gui_input::Mouse(Tree, Button == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, P.X, P.Y, TShiftState(), 0);
    }
    void Release(TPoint P, TMouseButton Button = mbLeft)
    {
        gui_input::Mouse(Tree, Button == mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP, P.X, P.Y, TShiftState(), 0);
    }
};

TEST_F(CheckPressTest, HitTestFindsTheCheckBox)
{
    struct TCase {
        TPoint P;
        const char* Node;
        THitPosition Expect;
    };
    const TCase cases[] = {
        {TPoint(5, 9), "0", hiOnItemIndent},
        {Box(1), "1", hiOnItemCheckbox},
        {Text(2), "2", hiOnItemRight},
        {TPoint(39, 3 * 18 + 9), "3", hiOnItemCheckbox},
        {TPoint(40, 3 * 18 + 9), "3", hiOnItemLabel},  // the default text "Node" starts there
        {TPoint(5, 3 * 18 + 9), "3", hiOnItemButton},
        {TPoint(40, 190), "nil", hiNowhere},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Node);
        THitInfo hit;
        Tree->GetHitTestInfoAt(c.P.X, c.P.Y, true, hit);
        EXPECT_EQ(Name(hit.HitNode), c.Node);
        EXPECT_TRUE(hit.HitPositions.Contains(c.Expect));
    }
    THitInfo hit;
    Tree->GetHitTestInfoAt(-1, 5, true, hit);
    EXPECT_EQ(hit.HitPositions, THitPositions{hiToLeft});
    EXPECT_EQ(hit.HitNode, nullptr);
}

TEST_F(CheckPressTest, MousePressShowsPressedAndReleaseDecides)
{
    struct TCase {
        const char* Name;
        TPoint ReleaseAt;
        TCheckState After;
        std::vector<std::string> Log;
    };
    const TCase cases[] = {
        {"released on the box", Box(1), csCheckedNormal, {"checking 1", "checked 1"}},
        {"released elsewhere on the same row", Text(1), csCheckedNormal, {"checking 1", "checked 1"}},
        {"released on another node", Box(2), csUncheckedNormal, {"checking 1"}},
        {"released below the nodes", TPoint(40, 190), csUncheckedNormal, {"checking 1"}},
        {"released outside the window", TPoint(40, -30), csUncheckedNormal, {"checking 1"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->SetCheckState(At("1"), csUncheckedNormal);
        Log.clear();
        Press(Box(1));
        EXPECT_EQ(Tree->CheckState(At("1")), csUncheckedPressed);
        EXPECT_TRUE(Tree->TreeStates().Contains(tsMouseCheckPending));
        EXPECT_EQ(Tree->CheckNode(), At("1"));
        EXPECT_EQ(Tree->PendingCheckState(), csCheckedNormal);
        Release(c.ReleaseAt);
        EXPECT_EQ(Tree->CheckState(At("1")), c.After);
        EXPECT_EQ(Log, c.Log);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsMouseCheckPending));
        EXPECT_EQ(Tree->CheckNode(), nullptr);
    }
}

TEST_F(CheckPressTest, PressesThatDoNotStart)
{
    struct TCase {
        const char* Name;
        std::function<void()> Prepare;
        TMouseButton Button;
    };
    const TCase cases[] = {
        {"refused by the application", [this] { Refuse = "1"; }, mbLeft},
        {"a disabled node", [this] { Tree->SetDisabled(At("1"), true); }, mbLeft},
        {"a read-only tree", [this] {
             auto* o = Tree->TreeOptions();
             o->SetMiscOptions(o->MiscOptions() | toReadOnly);
         }, mbLeft},
        {"the right button", [] {}, mbRight},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Prepare();
        Press(Box(1), c.Button);
        EXPECT_EQ(Tree->CheckState(At("1")), csUncheckedNormal);
        EXPECT_EQ(Tree->CheckNode(), nullptr);
        Release(Box(1), c.Button);
        EXPECT_EQ(Tree->CheckState(At("1")), csUncheckedNormal);
        Refuse = "";
        Tree->SetDisabled(At("1"), false);
        auto* o = Tree->TreeOptions();
        o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toReadOnly});
    }
    // A full click commits, and the tri-state rules follow: both children of 3 checked
    // through clicks check their parent.
    Tree->SetCheckType(At("3"), ctTriStateCheckBox);
    auto* o = Tree->TreeOptions();
    o->SetAutoOptions(o->AutoOptions() | toAutoTristateTracking);
    UserClick(Tree, 18 + 18 + 4 + 5, 4 * 18 + 9);
    EXPECT_EQ(Tree->CheckState(At("3")), csMixedNormal);
    UserClick(Tree, 18 + 18 + 4 + 5, 5 * 18 + 9);
    EXPECT_EQ(Tree->CheckState(At("3")), csCheckedNormal);
}

TEST_F(CheckPressTest, SpaceChecksTheFocusedNode)
{
    Tree->SetFocusedNode(At("2"));
    struct TCase {
        const char* Name;
        std::vector<WORD> Keys;   // a key down; the Space key goes up at the end
        TCheckState After;
    };
    const TCase cases[] = {
        {"space down and up", {VK_SPACE}, csCheckedNormal},
        {"space again unchecks", {VK_SPACE}, csUncheckedNormal},
        {"another key in between drops the press", {VK_SPACE, VK_DOWN}, csUncheckedNormal},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Log.clear();
        for (WORD k : c.Keys) {
            gui_input::KeyDown(Tree, k, TShiftState());
            if (k == VK_SPACE) {
                EXPECT_EQ(Tree->CheckNode(), At("2"));
                EXPECT_TRUE(Tree->TreeStates().Contains(tsKeyCheckPending));
                EXPECT_TRUE(Tree->CheckState(At("2")) == csUncheckedPressed ||
                            Tree->CheckState(At("2")) == csCheckedPressed);
            }
        }
        gui_input::KeyUp(Tree, VK_SPACE, TShiftState());
        EXPECT_EQ(Tree->CheckState(At("2")), c.After);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsKeyCheckPending));
        EXPECT_EQ(Tree->CheckNode(), nullptr);
    }
    // The focus moving away between press and release gives the old state back.
    gui_input::KeyDown(Tree, VK_SPACE, TShiftState());
    Tree->SetFocusedNode(At("0"));
    gui_input::KeyUp(Tree, VK_SPACE, TShiftState());
    EXPECT_EQ(Tree->CheckState(At("2")), csUncheckedNormal);
    // Space on a disabled node does nothing.
    Tree->SetDisabled(At("0"), true);
    UserKey(Tree, VK_SPACE);
    EXPECT_EQ(Tree->CheckState(At("0")), csUncheckedNormal);
    EXPECT_EQ(Tree->CheckNode(), nullptr);
}

TEST_F(CheckPressTest, NodeDeletedWhilePressedIsForgotten)
{
    struct TCase {
        const char* Name;
        bool ByKey;
    };
    for (const TCase& c : {TCase{"mouse", false}, TCase{"key", true}}) {
        SCOPED_TRACE(c.Name);
        Tree->SetFocusedNode(At("1"));
        if (c.ByKey)
            gui_input::KeyDown(Tree, VK_SPACE, TShiftState());
        else
            Press(Box(1));
        ASSERT_EQ(Tree->CheckNode(), At("1"));
        Tree->DeleteNode(At("1"));
        EXPECT_EQ(Tree->CheckNode(), nullptr);
        EXPECT_FALSE(Tree->TreeStates().Contains(c.ByKey ? tsKeyCheckPending : tsMouseCheckPending));
        Log.clear();
        if (c.ByKey)
            gui_input::KeyUp(Tree, VK_SPACE, TShiftState());
        else
            Release(Box(1));
        EXPECT_EQ(Log, std::vector<std::string>{});
        EXPECT_CONSISTENT(Tree);
    }
}

} // namespace
