// Check boxes: the state tables, the picture of every type and state, and the change path
// with its propagation down to the children and up to tri-state parents, radio siblings,
// vetoes and the read-only tree, as a table of cases over one small tree.
#include "tests/treeview/tree_fixture.h"

namespace {

const char* StateName(TCheckState s)
{
    static const char* names[] = {"u", "u*", "c", "c*", "m", "m*", "u-", "c-", "m-"};
    return names[s];
}

TEST(CheckStateTables, HelpersAndNextStateFollowTheTable)
{
    struct TRow {
        TCheckState S, Pressed, Released, Enabled, Toggled;
    };
    const TRow rows[] = {
        {csUncheckedNormal, csUncheckedPressed, csUncheckedNormal, csUncheckedNormal, csCheckedNormal},
        {csUncheckedPressed, csUncheckedPressed, csUncheckedNormal, csUncheckedPressed, csCheckedPressed},
        {csCheckedNormal, csCheckedPressed, csCheckedNormal, csCheckedNormal, csUncheckedNormal},
        {csCheckedPressed, csCheckedPressed, csCheckedNormal, csCheckedPressed, csUncheckedPressed},
        {csMixedNormal, csMixedPressed, csMixedNormal, csMixedNormal, csCheckedNormal},
        {csMixedPressed, csMixedPressed, csMixedNormal, csMixedPressed, csCheckedPressed},
        {csUncheckedDisabled, csUncheckedDisabled, csUncheckedDisabled, csUncheckedNormal, csUncheckedDisabled},
        {csCheckedDisabled, csCheckedDisabled, csCheckedDisabled, csCheckedNormal, csCheckedDisabled},
        {csMixedDisabled, csMixedDisabled, csMixedDisabled, csMixedNormal, csMixedDisabled},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(StateName(r.S));
        EXPECT_EQ(CheckStatePressed(r.S), r.Pressed);
        EXPECT_EQ(CheckStateReleased(r.S), r.Released);
        EXPECT_EQ(CheckStateEnabled(r.S), r.Enabled);
        EXPECT_EQ(CheckStateToggled(r.S), r.Toggled);
        EXPECT_EQ(CheckStateIsDisabled(r.S), r.S >= csUncheckedDisabled);
        EXPECT_EQ(CheckStateIsChecked(r.S), r.S == csCheckedNormal || r.S == csCheckedPressed || r.S == csCheckedDisabled);
    }
}

class ChecksTest : public TreeTest {
protected:
    // Tree: 0 (tri-state) with children 0.0, 0.1, 0.2 (check boxes), 0.2 with 0.2.0, 0.2.1;
    // 1 with radio buttons 1.0, 1.1, 1.2.
    void SetUp() override
    {
        TreeTest::SetUp();
        auto* o = Tree->TreeOptions();
        o->SetMiscOptions(o->MiscOptions() | toCheckSupport);
        o->SetAutoOptions(o->AutoOptions() | toAutoTristateTracking);
        Shape({3, 3});
        Tree->SetChildCount(At("0.2"), 2);
        for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) n->CheckType = ctCheckBox;
        At("0")->CheckType = ctTriStateCheckBox;
        At("0.2")->CheckType = ctTriStateCheckBox;
        At("1")->CheckType = ctNone;
        for (const char* r : {"1.0", "1.1", "1.2"}) At(r)->CheckType = ctRadioButton;
        Tree->OnChecking = [this](TBaseLazyTree*, PLazyNode n, TCheckState& s, bool& allowed) {
            Log.push_back("checking " + Name(n) + " " + StateName(s));
            if (Name(n) == Veto) allowed = false;
        };
        Tree->OnChecked = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("checked " + Name(n)); };
    }
    std::string Veto;
    std::string States()
    {
        std::string out;
        for (PLazyNode n = Tree->GetFirstNoInit(); n; n = Tree->GetNextNoInit(n))
            out += Name(n) + "=" + StateName(n->CheckState) + " ";
        return out;
    }
};

TEST_F(ChecksTest, ChangesPropagateDownAndUpTheTree)
{
    struct TCase {
        const char* Name;
        std::vector<std::pair<const char*, TCheckState>> Before; // direct presets
        const char* Node;
        TCheckState Value;
        std::string Veto;
        std::string Expect;
        std::size_t Events; // OnChecking + OnChecked lines
        const char* DisabledNode = nullptr;
    };
    const TCase cases[] = {
        {"checking the top checks the whole subtree", {}, "0", csCheckedNormal, "",
         "0=c 0.0=c 0.1=c 0.2=c 0.2.0=c 0.2.1=c 1=u 1.0=u 1.1=u 1.2=u ", 12},
        {"one leaf of two makes both parents mixed", {}, "0.2.0", csCheckedNormal, "",
         "0=m 0.0=u 0.1=u 0.2=m 0.2.0=c 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 6},
        {"the last checked child unchecked leaves the parent unchecked",
         {{"0.2.0", csCheckedNormal}, {"0.2", csMixedNormal}, {"0", csMixedNormal}}, "0.2.0", csUncheckedNormal, "",
         "0=u 0.0=u 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 6},
        {"an unchecked disabled child is passed over when checking", {{"0.1", csUncheckedDisabled}}, "0",
         csCheckedNormal, "", "0=c 0.0=c 0.1=u- 0.2=c 0.2.0=c 0.2.1=c 1=u 1.0=u 1.1=u 1.2=u ", 10},
        {"a checked disabled child makes an unchecked parent mixed",
         {{"0", csCheckedNormal}, {"0.0", csCheckedNormal}, {"0.1", csCheckedDisabled}, {"0.2", csCheckedNormal},
          {"0.2.0", csCheckedNormal}, {"0.2.1", csCheckedNormal}},
         "0", csUncheckedNormal, "", "0=m 0.0=u 0.1=c- 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 10},
        {"a vetoed parent stays and the child's OnChecked does not fire", {}, "0.0", csCheckedNormal, "0",
         "0=u 0.0=c 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 2},
        {"a vetoed node changes nothing", {}, "0.0", csCheckedNormal, "0.0",
         "0=u 0.0=u 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 1},
        {"writing the current state again fires nothing", {}, "0.0", csUncheckedNormal, "",
         "0=u 0.0=u 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 0},
        {"a radio button unchecks its siblings without events", {{"1.0", csCheckedNormal}}, "1.2", csCheckedNormal,
         "", "0=u 0.0=u 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=c ", 2},
        {"a disabled node keeps its state", {}, "0.0", csCheckedNormal, "",
         "0=u 0.0=u 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 0, "0.0"},
        {"a disabled parent is not synchronised", {}, "0.2.0", csCheckedNormal, "",
         "0=u 0.0=u 0.1=u 0.2=u 0.2.0=c 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 2, "0.2"},
        {"the application may write a disabled state directly", {{"0.0", csUncheckedDisabled}}, "0.0",
         csCheckedNormal, "", "0=m 0.0=c 0.1=u 0.2=u 0.2.0=u 0.2.1=u 1=u 1.0=u 1.1=u 1.2=u ", 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) n->CheckState = csUncheckedNormal;
        for (auto& [path, s] : c.Before) At(path)->CheckState = s;
        for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) Tree->SetDisabled(n, false);
        if (c.DisabledNode) Tree->SetDisabled(At(c.DisabledNode), true);
        Log.clear();
        Veto = c.Veto;
        Tree->SetCheckState(At(c.Node), c.Value);
        EXPECT_EQ(States(), c.Expect);
        EXPECT_EQ(Log.size(), c.Events) << ::testing::PrintToString(Log);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsCheckPropagation));
        for (PLazyNode n = Tree->GetFirstNoInit(); n; n = Tree->GetNextNoInit(n))
            EXPECT_FALSE(n->States.Contains(vsChecking));
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(ChecksTest, ParentIsAskedWithTheStateItsChildrenGive)
{
    Tree->SetCheckState(At("0.2.0"), csCheckedNormal);
    const std::vector<std::string> expect = {"checking 0.2.0 c", "checking 0.2 m", "checking 0 m",
                                             "checked 0",        "checked 0.2",    "checked 0.2.0"};
    EXPECT_EQ(Log, expect);
}

TEST_F(ChecksTest, ReadOnlyTypeChangesAndCounting)
{
    // Read-only: neither state nor type changes, and no event is asked.
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() | toReadOnly);
    Tree->SetCheckState(At("0.0"), csCheckedNormal);
    Tree->SetCheckType(At("0.0"), ctRadioButton);
    EXPECT_EQ(At("0.0")->CheckState, csUncheckedNormal);
    EXPECT_EQ(At("0.0")->CheckType, ctCheckBox);
    EXPECT_TRUE(Log.empty());
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toReadOnly});

    // A mixed tri-state box that becomes a check box is unchecked without events.
    At("0.2")->CheckState = csMixedNormal;
    Tree->SetCheckType(At("0.2"), ctCheckBox);
    EXPECT_EQ(At("0.2")->CheckState, csUncheckedNormal);
    EXPECT_TRUE(Log.empty());
    // A new check box under a checked tri-state parent follows the parent.
    At("0")->CheckState = csCheckedNormal;
    At("0.1")->CheckType = ctNone;
    Tree->SetCheckType(At("0.1"), ctCheckBox);
    EXPECT_EQ(At("0.1")->CheckState, csCheckedNormal);

    // Only csCheckedNormal counts.
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) n->CheckState = csUncheckedNormal;
    At("0.0")->CheckState = csCheckedNormal;
    At("0.1")->CheckState = csCheckedPressed;
    At("0.2")->CheckState = csCheckedDisabled;
    At("1.1")->CheckState = csCheckedNormal;
    EXPECT_EQ(Tree->CheckedCount(), 2u);
    Log.clear();
    Tree->SetDisabled(At("0.2"), true);
    Tree->ClearChecked();
    EXPECT_EQ(Tree->CheckedCount(), 0u);
    EXPECT_EQ(At("0.2")->CheckState, csCheckedDisabled);
    Tree->SetCheckStateForAll(csCheckedNormal, false, true);
    EXPECT_EQ(At("0.2")->CheckState, csCheckedDisabled);
    EXPECT_EQ(At("0.2.0")->CheckState, csCheckedNormal);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(ChecksTest, NextStateAndPictureOfEveryTypeAndState)
{
    struct TCase {
        TCheckType Type;
        TCheckState State;
        int Disabled, Enabled, Hot; // hot: the picture under the mouse (not reachable here)
    };
    const TCase cases[] = {
        {ctCheckBox, csUncheckedNormal, 12, 9, 10},   {ctCheckBox, csUncheckedPressed, 12, 11, 11},
        {ctCheckBox, csCheckedNormal, 16, 13, 14},    {ctCheckBox, csCheckedPressed, 16, 15, 15},
        {ctCheckBox, csMixedNormal, 20, 17, 18},      {ctCheckBox, csMixedPressed, 20, 19, 19},
        {ctRadioButton, csUncheckedNormal, 4, 1, 2},  {ctRadioButton, csUncheckedPressed, 4, 3, 3},
        {ctRadioButton, csCheckedNormal, 8, 5, 6},    {ctRadioButton, csCheckedPressed, 8, 7, 7},
        {ctRadioButton, csMixedNormal, 20, 17, 18},   {ctRadioButton, csMixedPressed, 20, 19, 19},
        {ctButton, csUncheckedNormal, 24, 21, 22},    {ctButton, csCheckedNormal, 24, 21, 22},
        {ctButton, csUncheckedPressed, 24, 23, 23},   {ctButton, csCheckedPressed, 24, 23, 23},
        {ctButton, csMixedNormal, 20, 17, 18},        {ctButton, csMixedPressed, 20, 19, 19},
        {ctTriStateCheckBox, csCheckedNormal, 16, 13, 14},
    };
    PLazyNode n = At("0.0");
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Type) + " " + StateName(c.State));
        EXPECT_EQ(Tree->CheckImageIndexFor(nullptr, c.Type, c.State, false), c.Disabled);
        EXPECT_EQ(Tree->CheckImageIndexFor(nullptr, c.Type, c.State, true), c.Enabled);
        // From a node: its disabled state, and hot only for the hot node (none here).
        n->CheckType = c.Type;
        n->CheckState = c.State;
        EXPECT_EQ(Tree->CheckImageIndexFor(n, ctNone, csUncheckedNormal, false), c.Enabled);
        // A disabled state draws the disabled picture of its enabled counterpart.
        const TCheckState disabled = c.State == csUncheckedNormal ? csUncheckedDisabled
                                     : c.State == csCheckedNormal ? csCheckedDisabled
                                     : c.State == csMixedNormal   ? csMixedDisabled
                                                                  : c.State;
        EXPECT_EQ(Tree->CheckImageIndexFor(nullptr, c.Type, disabled, true), CheckStateIsDisabled(disabled) ? c.Disabled : c.Enabled);
        n->States << vsDisabled;
        EXPECT_EQ(Tree->CheckImageIndexFor(n, ctNone, csUncheckedNormal, true), c.Disabled);
        n->States >> vsDisabled;
    }
    EXPECT_EQ(Tree->CheckImageIndexFor(nullptr, ctNone, csCheckedNormal, true), -1);
    struct TNext {
        TCheckType Type;
        TCheckState From, To;
    };
    const TNext next[] = {{ctTriStateCheckBox, csMixedNormal, csCheckedNormal},
                          {ctCheckBox, csCheckedNormal, csUncheckedNormal},
                          {ctRadioButton, csCheckedNormal, csCheckedNormal},
                          {ctButton, csCheckedNormal, csUncheckedNormal},
                          {ctNone, csUncheckedNormal, csMixedNormal}};
    for (const TNext& x : next) EXPECT_EQ(Tree->NextCheckStateFor(x.Type, x.From), x.To) << x.Type;
}

} // namespace
