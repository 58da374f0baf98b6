// Editing in place, keys and clicks on the column grid as the table editors use it: the
// order of the events a window hears, the edit-done report, the combo editor, the
// character filters, automatic column sizing and a user session through a 19-column
// table.
#include <algorithm>
#include <functional>
#include <vector>

#include "grid/cells/ShowModified.h"
#include "grid/core/GridPanels.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"

namespace {

class EditingTest : public ColGridTest {
protected:
    std::vector<String> Log;

    void SetUp() override
    {
        ColGridTest::SetUp();
        KnxTable(Grid, 8);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 40);
        Grid->Columns()->Items(2)->ComboItems()->Clear();
        for (const char* s : {"1/2/1", "1/2/2", "1/2/3"}) Grid->Columns()->Items(2)->ComboItems()->Add(s);
        Grid->Columns()->Items(3)->ComboItems()->Add("Alpha");
        Grid->Columns()->Items(3)->ComboItems()->Add("Beta");
        Grid->Columns()->Items(0)->SetReadOnly(true);
        UserFocus(Grid);
    }
    // Centre of a cell in grid coordinates.
    TPoint Mid(int c, int r) { return CellMid(Grid, c, r); }
    void Click(int c, int r) { ClickCell(Grid, c, r); }
    TWinControl* Focused() { return FindFocusedControl(); }
    void Key(WORD k, TShiftState s = TShiftState()) { UserKey(Focused(), k, s); }
    // Each character goes to the control that has the focus when it is typed.
    void Type(const String& t)
    {
        for (char ch : t) {
            UserType(Focused(), String(1, ch));
            Pump();
        }
    }
    void Pump() { Application->ProcessMessages(); }
    String Cell(int c, int r) { return Grid->GetCellEx(c, r); }
};

// ---------------------------------------------------------------- event order

TEST_F(EditingTest, EnterFiresTheKeyPressEventBeforeTheEditorOpens)
{
    Click(5, 2);
    ASSERT_EQ(Grid->Col(), 5);
    Grid->OnKeyPress = [&](TObject*, WideChar& k) {
        if (k == 13) Log.push_back(Grid->EditorMode() ? "keypress editor open" : "keypress editor closed");
    };
    Key(VK_RETURN);
    Log.push_back(Grid->EditorMode() && Grid->InplaceEditor() && Grid->InplaceEditor()->Visible() ? "editor open"
                                                                                               : "editor closed");
    EXPECT_EQ(Log, (std::vector<String>{"keypress editor closed", "editor open"}));
}

TEST_F(EditingTest, ClickOnADataCheckBoxFlipsItAndFiresItsEventsInOrder)
{
    Click(5, 2);
    Grid->OnCheckBoxChange = [&](TObject*, int c, int r, bool s) { Log.push_back(Cat("change ", IntToStr(c), ",", IntToStr(r), s ? " Y" : " N")); };
    Grid->OnSelectCell = [&](TObject*, int c, int r, bool&) { Log.push_back(Cat("select ", IntToStr(c), ",", IntToStr(r))); };
    Grid->OnCheckBoxClick = [&](TObject*, int c, int r, bool s) { Log.push_back(Cat("checkclick ", IntToStr(c), ",", IntToStr(r), s ? " Y" : " N")); };
    Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("mousedown"); };
    Grid->OnClick = [&](TObject*) { Log.push_back("click"); };
    Grid->OnClickCell = [&](TObject*, int r, int c) { Log.push_back(Cat("clickcell ", IntToStr(r), ",", IntToStr(c))); };
    // Row 3 holds "N" (every third row), row 4 "Y".
    ASSERT_EQ(Cell(1, 3), "N");
    Click(1, 3);
    EXPECT_EQ(Cell(1, 3), "Y");
    EXPECT_EQ(Log, (std::vector<String>{"change 1,3 Y", "select 1,3", "checkclick 1,3 Y", "mousedown", "click"}));
    EXPECT_FALSE(Grid->EditorMode());
    Log.clear();
    Click(1, 4);
    EXPECT_EQ(Cell(1, 4), "N");
    // A read-only check-box column selects like a text cell.
    Grid->Columns()->Items(1)->SetReadOnly(true);
    Log.clear();
    Click(1, 5);
    EXPECT_EQ(Cell(1, 5), "Y");
    EXPECT_EQ(Log.back(), "clickcell 5,1");
}

TEST_F(EditingTest, CheckBoxClicksDoubleClicksAndPlainClicksInTheirEventOrder)
{
    const auto log = [&](const String& s) { Log.push_back(s); };
    Grid->OnCheckBoxMouseUp = [&](TObject*, int c, int r, bool s) { log(Cat("checkup ", IntToStr(c), ",", IntToStr(r), s ? " Y" : " N")); };
    Grid->OnDblClickCell = [&](TObject*, int r, int c) { log(Cat("dblclick ", IntToStr(r), ",", IntToStr(c))); };
    Grid->OnSelectCell = [&](TObject*, int c, int r, bool&) { log(Cat("select ", IntToStr(c), ",", IntToStr(r))); };
    Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log("mousedown"); };
    Grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log("mouseup"); };
    Grid->OnClick = [&](TObject*) { log("click"); };
    Grid->OnClickCell = [&](TObject*, int r, int c) { log(Cat("clickcell ", IntToStr(r), ",", IntToStr(c))); };
    // An empty check-box cell reads unchecked: a click checks it, and the release reports it.
    Grid->SetCellEx(1, 5, "");
    Click(1, 5);
    EXPECT_EQ(Cell(1, 5), "Y");
    EXPECT_NE(std::find(Log.begin(), Log.end(), "checkup 1,5 Y"), Log.end());
    // A double click flips the box once and is no double click on a cell.
    Click(5, 2);
    Log.clear();
    ASSERT_EQ(Cell(1, 4), "Y");
    UserDblClick(Grid, Mid(1, 4).X, Mid(1, 4).Y);
    EXPECT_EQ(Cell(1, 4), "N");
    EXPECT_EQ(std::count_if(Log.begin(), Log.end(), [](const String& s) { return s.rfind("dblclick", 0) == 0; }), 0);
    // A plain click on another text cell: selection and mouse-down in the base handling,
    // then the cell click. The window's click comes during the press when the cell left
    // was being edited, else with the release.
    Click(5, 2);
    Log.clear();
    Click(6, 3);
    EXPECT_EQ(Log, (std::vector<String>{"select 6,3", "click", "mousedown", "clickcell 3,6", "mouseup"}));
    Grid->Columns()->Items(5)->SetReadOnly(true);
    Click(5, 2);
    ASSERT_FALSE(Grid->Options().Contains(goEditing));
    Log.clear();
    Click(6, 3);
    EXPECT_EQ(Log, (std::vector<String>{"select 6,3", "mousedown", "clickcell 3,6", "click", "mouseup"}));
}

TEST_F(EditingTest, RightClickReportsTheCellAndMovesOnlyWhenAskedTo)
{
    Click(5, 2);
    Grid->OnRightClickCell = [&](TObject*, int r, int c) { Log.push_back(Cat("right ", IntToStr(r), ",", IntToStr(c))); };
    UserRightClick(Grid, Mid(6, 4).X, Mid(6, 4).Y);
    EXPECT_EQ(Log, (std::vector<String>{"right 4,6"}));
    EXPECT_EQ(Grid->Col(), 5);
    EXPECT_EQ(Grid->Row(), 2);
    Grid->MouseActions()->SelectOnRightClick = true;
    UserRightClick(Grid, Mid(6, 4).X, Mid(6, 4).Y);
    EXPECT_EQ(Grid->Col(), 6);
    EXPECT_EQ(Grid->Row(), 4);
}

TEST_F(EditingTest, EndOfAnEditPostsGridEditDoneAndTheHandlerSeesTheNewValue)
{
    Grid->OnEditingDone = [&](TObject*) { Log.push_back("editingdone"); };
    Grid->OnEditCellDone = [&](TObject*, int c, int r) {
        Log.push_back(Cat("celldone ", IntToStr(c), ",", IntToStr(r), " ", Grid->GetCellEx(c, r)));
    };
    Click(5, 2);
    Key(VK_F2);
    ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    Key('A', TShiftState{ssCtrl});
    Type("new");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(5, 2), "new");
    // The report arrives through the message queue, after the handler that ended the edit.
    Pump();
    ASSERT_EQ(Log.size(), 2u);
    EXPECT_EQ(Log[0], "editingdone");
    EXPECT_EQ(Log[1], "celldone 5,2 new");
}

TEST_F(EditingTest, HeaderDoubleClickSizesTheColumnToItsContents)
{
    Grid->SetCellEx(6, 3, "a much longer text than the column shows");
    Grid->OnDblClickCell = [&](TObject*, int r, int c) {
        Log.push_back(Cat("dblclick ", IntToStr(r), ",", IntToStr(c)));
        if (r == 0) Grid->AutoSizeCol(c, 0);
    };
    const TPoint p = Mid(6, 0);
    UserDblClick(Grid, p.X, p.Y);
    EXPECT_EQ(Log, (std::vector<String>{"dblclick 0,6"}));
    const int text = Grid->Canvas()->TextWidth("a much longer text than the column shows");
    EXPECT_GE(Grid->ColWidths(6), text);
    EXPECT_LE(Grid->ColWidths(6), text + 40);
    // Sizing again changes nothing; growing only keeps a wider column.
    const int w = Grid->ColWidths(6);
    Grid->AutoSizeCol(6, 0);
    EXPECT_EQ(Grid->ColWidths(6), w);
    Grid->SetCellEx(6, 3, "x");
    Grid->SizeGrowOnly = true;
    Grid->AutoSizeCol(6, 0);
    EXPECT_EQ(Grid->ColWidths(6), w);
    Grid->SizeGrowOnly = false;
    Grid->AutoSizeCol(6, 0);
    EXPECT_LT(Grid->ColWidths(6), w);
}

// ---------------------------------------------------------------- editing rules

TEST_F(EditingTest, EditingFollowsTheColumnsReadOnlyFlag)
{
    Grid->SetOptions(Grid->Options() >> goEditing);
    Click(5, 2);
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
    Type("q");
    ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "q");
    Grid->Columns()->Items(6)->SetReadOnly(true);
    Grid->SetCol(6);
    EXPECT_FALSE(Grid->Options().Contains(goEditing));
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Cell(5, 2), "q");
    // Enter on the read-only cell reaches the window and opens nothing.
    int presses = 0;
    Grid->OnKeyPress = [&](TObject*, WideChar& k) { presses += k == 13; };
    Key(VK_RETURN);
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(EditingTest, HomeEndAndLoopingCursorKeys)
{
    Click(5, 3);
    Grid->Navigation()->HomeEndKey = heFirstLastCell;
    Key(VK_END);
    EXPECT_EQ(Grid->Col(), Grid->ColCount() - 1);
    EXPECT_EQ(Grid->Row(), Grid->RowCount() - 1);
    Key(VK_HOME);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
    Grid->Navigation()->CursorAdvance = caSnake;
    Key(VK_LEFT);
    EXPECT_EQ(Grid->Col(), Grid->ColCount() - 1);
    EXPECT_EQ(Grid->Row(), 1);
    Key(VK_RIGHT);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    Grid->Navigation()->CursorAdvance = caLoop;
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(Grid->Row(), Grid->RowCount() - 1);
}

TEST_F(EditingTest, EnterAndTabPastTheLastCellWrapOrAddARow)
{
    struct Case {
        const char* name;
        WORD key;
        bool insert, loop, allow;
        int rows;        // rows added
        int col, row;    // the current cell afterwards (row -1: the new last row)
    };
    const int last = Grid->RowCount() - 1, lastCol = Grid->ColCount() - 1;
    const Case cases[] = {
        {"Enter wraps", VK_RETURN, false, true, true, 0, 1, 1},
        {"Enter stays without the loop", VK_RETURN, false, false, true, 0, 1, last},
        {"Enter adds a row", VK_RETURN, true, true, true, 1, 1, -1},
        {"Enter wraps when no row may be added", VK_RETURN, true, true, false, 0, 1, 1},
        {"Tab wraps", VK_TAB, false, true, true, 0, 1, 1},
        {"Tab adds a row", VK_TAB, true, true, true, 1, 1, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        KnxTable(Grid, 8);
        Grid->SetOptions(Grid->Options() << goTabs);
        Grid->Navigation()->AdvanceOnEnter = true;
        Grid->Navigation()->AdvanceOnEnterLoop = k.loop;
        Grid->Navigation()->SetAdvanceInsert(k.insert);
        std::vector<String> added;
        Grid->OnCanAddRow = [&](TObject*, bool& can) { can = k.allow; };
        Grid->OnAutoAddRow = [&](TObject*, int r) { added.push_back(IntToStr(r)); };
        Grid->MoveToCell(lastCol, last);
        Key(VK_F2);
        ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        Key(k.key);
        Pump();
        EXPECT_EQ(Grid->RowCount(), 8 + k.rows);
        EXPECT_EQ(added.size(), size_t(k.rows));
        EXPECT_EQ(Grid->Col(), k.col);
        EXPECT_EQ(Grid->Row(), k.row < 0 ? Grid->RowCount() - 1 : k.row);
        Key(VK_ESCAPE);
        Grid->OnCanAddRow = nullptr;
        Grid->OnAutoAddRow = nullptr;
    }
}

TEST_F(EditingTest, RowsAddedInsertedAndDeletedFromTheKeyboard)
{
    const int rows = Grid->RowCount();
    std::vector<String> events;
    Grid->OnAutoAddRow = [&](TObject*, int r) { events.push_back(Cat("add ", IntToStr(r))); };
    Grid->OnAutoInsertRow = [&](TObject*, int r) { events.push_back(Cat("insert ", IntToStr(r))); };
    Grid->OnAutoDeleteRow = [&](TObject*, int r) { events.push_back(Cat("delete ", IntToStr(r))); };
    Grid->Navigation()->AppendOnArrowDown = true;
    Click(5, rows - 1);
    Key(VK_DOWN);
    EXPECT_EQ(Grid->RowCount(), rows + 1);
    EXPECT_EQ(Grid->Row(), rows);
    Grid->Navigation()->AllowInsertRow = true;
    Grid->Navigation()->AllowDeleteRow = true;
    Click(5, 2);
    Key(VK_INSERT);
    EXPECT_EQ(Grid->RowCount(), rows + 2);
    EXPECT_EQ(Cell(5, 2), "");
    EXPECT_EQ(Cell(5, 3), "V43");
    Key(VK_DELETE);
    EXPECT_EQ(Grid->RowCount(), rows + 1);
    EXPECT_EQ(Cell(5, 2), "V43");
    EXPECT_EQ(events, (std::vector<String>{Cat("add ", IntToStr(rows)), "insert 2", "delete 2"}));
}

TEST_F(EditingTest, AlwaysEditOpensTheEditorWhenTheFocusArrives)
{
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    other->SetBounds(0, 405, 100, 14);
    Grid->Navigation()->AlwaysEdit = true;
    Click(5, 2);
    UserFocus(other);
    EXPECT_FALSE(Grid->EditorMode());
    UserFocus(Grid);
    EXPECT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    // Not on a check-box cell.
    Grid->SetCol(1);
    UserFocus(other);
    UserFocus(Grid);
    EXPECT_FALSE(Grid->InplaceEditor()->Visible());
    // A focus change made by an edit link is ignored once only.
    Click(5, 2);
    UserFocus(other);
    Grid->InvokedFocusChange = true;
    UserFocus(Grid);
    EXPECT_FALSE(Grid->InplaceEditor()->Visible());
    EXPECT_FALSE(Grid->InvokedFocusChange);
    UserFocus(other);
    UserFocus(Grid);
    EXPECT_TRUE(Grid->InplaceEditor()->Visible());
}

TEST_F(EditingTest, RefusedValidationKeepsTheEditorOnTheOldCell)
{
    Grid->OnCellValidate = [&](TObject*, int, int, String& v, bool& valid) { valid = v != "bad"; };
    Grid->InvalidEntryText = "not allowed";
    Click(5, 2);
    const String old = Cell(5, 2);
    Key(VK_F2);
    Key('A', TShiftState{ssCtrl});
    Type("bad");
    Key(VK_TAB);
    EXPECT_EQ(Grid->Col(), 5);
    EXPECT_EQ(Cell(5, 2), old);
    ASSERT_TRUE(Grid->InplaceEditor()->Visible());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "bad");
    ASSERT_TRUE(Grid->InvalidEntryBalloon());
    EXPECT_TRUE(Grid->InvalidEntryBalloon()->Visible());
    EXPECT_EQ(Grid->InvalidEntryBalloon()->Caption(), "not allowed");
    Key('A', TShiftState{ssCtrl});
    Type("good");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(5, 2), "good");
    EXPECT_FALSE(Grid->InvalidEntryBalloon()->Visible());
}

// A wide-text editor hands its text to ValidateCellWide: the wide event decides, the
// typed text (not the handler's) marks the row, and a refusal reopens the editor on
// the old text.
TEST_F(EditingTest, WideValidationStoresOrRefusesTheWideText)
{
    struct Case {
        const char* name;
        std::u16string typed;
        std::function<void(std::u16string&, bool&)> handler;
        bool valid;
        const char* cell;
        bool modified;
    };
    const Case cases[] = {
        {"stored", u"Gr\u00fc\u00dfe", nullptr, true, "Gr\xC3\xBC\xC3\x9F" "e", true},
        {"corrected", u"x", [](std::u16string& v, bool&) { v = u"\u20ac"; }, true, "\xE2\x82\xAC", true},
        {"refused", u"bad", [](std::u16string&, bool& ok) { ok = false; }, false, "V43", true},
        {"refused with a text", u"bad", [](std::u16string& v, bool& ok) { v = u"shown"; ok = false; }, false, "shown", true},
        {"unchanged", u"V43", [](std::u16string&, bool& ok) { ok = false; }, true, "V43", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TearDown();
        SetUp();
        Grid->ShowModified()->Enabled = true;
        std::vector<String> heard;
        Grid->OnCellValidateWide = [&](TObject*, int c, int r, std::u16string& v, bool& ok) {
            heard.push_back(Cat(IntToStr(c), ",", IntToStr(r)));
            if (k.handler) k.handler(v, ok);
        };
        EXPECT_TRUE(Grid->EditorWantsTab());
        Click(5, 2);
        Key(VK_F2);
        ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        Grid->Modified = false;
        EXPECT_EQ(Grid->ValidateCellWide(k.typed), k.valid);
        EXPECT_EQ(Cell(5, 2), k.cell);
        EXPECT_EQ(heard, k.modified ? std::vector<String>{"5,2"} : std::vector<String>{});
        EXPECT_EQ(Grid->Modified, k.modified);
        EXPECT_EQ(Grid->GetRowModified(2), k.modified);
        if (!k.valid) {
            EXPECT_EQ(Grid->Col(), 5);
            EXPECT_TRUE(Grid->InplaceEditor()->Visible());
        }
    }
}

TEST_F(EditingTest, ValidationIsAskedOnlyForAChangeUnlessAlwaysValidate)
{
    struct Case {
        bool always;
        const char* typed;
        int asked;
    } cases[] = {{false, "V43", 0}, {false, "new", 1}, {true, "V43", 1}, {true, "new", 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(k.always ? "always " : "", k.typed));
        Grid->SetCellEx(5, 2, "V43");
        Grid->AlwaysValidate = k.always;
        int asked = 0;
        Grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++asked; };
        Click(6, 3);
        Click(5, 2);
        Key(VK_F2);
        Key('A', TShiftState{ssCtrl});
        Type(k.typed);
        Key(VK_RETURN);
        EXPECT_EQ(asked, k.asked);
        EXPECT_EQ(Cell(5, 2), k.typed);
    }
}

TEST_F(EditingTest, ListCellOpensAtTheFirstItemWhenItsTextIsNotInTheList)
{
    std::vector<String> changes;
    Grid->OnComboChange = [&](TObject*, int c, int r, int idx, const String& s) {
        changes.push_back(Cat(IntToStr(c), ",", IntToStr(r), " ", IntToStr(idx), " ", s));
    };
    Grid->SetCellEx(2, 2, "9/9/9");
    Click(2, 2);
    Key(VK_F2);
    TGridCombo* cb = ComboEditor(Grid);
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Style(), csDropDownList);
    EXPECT_EQ(cb->ItemIndex(), 0);
    EXPECT_EQ(changes, (std::vector<String>{"2,2 0 1/2/1"}));
    // Down picks the next item; Enter stores it and closes the editor.
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Cell(2, 2), "1/2/2");
    // A combo-edit cell opens with its own text even when it is not in the list.
    Grid->SetCellEx(3, 2, "Gamma");
    Click(3, 2);
    Key(VK_F2);
    EXPECT_EQ(cb->Style(), csDropDown);
    EXPECT_EQ(cb->Text(), "Gamma");
    Key(VK_ESCAPE);
    EXPECT_EQ(Cell(3, 2), "Gamma");
}

TEST_F(EditingTest, ScrollingClosesAnOpenComboAndASynchronisedGridFollows)
{
    Grid->SetRowCount(60);
    Click(2, 2);
    Key(VK_F2);
    ASSERT_TRUE(Grid->ComboEditor()->Visible());
    Key(VK_DOWN);
    Grid->SetTopRow(10);
    EXPECT_FALSE(Grid->ComboEditor()->Visible());
    EXPECT_FALSE(Grid->EditMode);
    EXPECT_EQ(Cell(2, 2), "1/2/3");
    auto* other = new TExtColumnGrid(Form);
    other->SetParent(Form);
    other->SetBounds(0, 0, 200, 100);
    other->SetRowCount(60);
    Grid->SyncGrid()->SetGrid(other);
    Grid->SyncGrid()->ScrollVertical = true;
    Grid->SetTopRow(20);
    EXPECT_EQ(other->TopRow(), 20);
}

TEST_F(EditingTest, ComboWheelWithNothingSelectedIsSafe)
{
    Grid->Columns()->Items(3)->ComboItems()->Clear();
    Grid->SetCellEx(3, 2, "free");
    Click(3, 2);
    Key(VK_F2);
    TGridCombo* cb = ComboEditor(Grid);
    ASSERT_TRUE(cb->Visible());
    UserWheel(cb, -120);
    EXPECT_EQ(cb->ItemIndex(), -1);
    cb->Items()->Add(String(300, 'x'));
    UserWheel(cb, -120);
    EXPECT_EQ(cb->ItemIndex(), 0);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(3, 2), String(300, 'x'));
}

TEST_F(EditingTest, CharacterFiltersByEditorKind)
{
    struct Case {
        TEditorType kind;
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {
        {edNumeric, "-12-3a", "-123"},      {edPositiveNumeric, "-12x", "12"}, {edFloat, "-1.5.2", "-1.52"},
        {edPositiveFloat, "-2.5", "2.5"},   {edUpperCase, "abc", "ABC"},      {edLowerCase, "AbC", "abc"},
        {edMixedCase, "o'neil", "O'Neil"},  {edNormal, "any 1-.", "any 1-."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        Grid->Columns()->Items(5)->SetEditor(k.kind);
        Click(6, 2);
        Click(5, 2);
        Key(VK_F2);
        Key('A', TShiftState{ssCtrl});
        Key(VK_BACK);
        Type(k.typed);
        Key(VK_RETURN);
        EXPECT_EQ(Cell(5, 2), k.stored);
    }
}

TEST_F(EditingTest, PasteFollowsTheKindAndTheLengthLimit)
{
    struct Case {
        TEditorType kind;
        int limit;
        const char* clip;
        const char* stored;
    };
    const Case cases[] = {
        {edNumeric, 0, "-5", "-5"},  {edNumeric, 0, "5-", ""},      {edPositiveNumeric, 0, "-5", ""},
        {edFloat, 0, "-1.25", "-1.25"}, {edUpperCase, 0, "abc", "ABC"}, {edNormal, 5, "123456", ""},
        {edNormal, 0, "12345\r\n", "12345"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.clip);
        Grid->Columns()->Items(5)->SetEditor(k.kind);
        Grid->Columns()->Items(5)->SetEditLength(k.limit);
        Grid->SetCellEx(5, 2, "");
        Click(6, 2);
        Click(5, 2);
        Key(VK_F2);
        Clipboard()->SetAsText(k.clip);
        Key('V', TShiftState{ssCtrl});
        Key(VK_RETURN);
        EXPECT_EQ(Cell(5, 2), k.stored);
    }
}

TEST_F(EditingTest, TypedTextIsCompletedFromTheLookupItems)
{
    Grid->Lookup = true;
    Grid->LookupItems()->Add("Alpha");
    Grid->LookupItems()->Add("Beta");
    Click(5, 2);
    Key(VK_F2);
    Key('A', TShiftState{ssCtrl});
    Key(VK_BACK);
    Type("b");
    TInplaceEdit* ed = Grid->InplaceEditor();
    ASSERT_TRUE(ed && ed->Visible());
    EXPECT_EQ(ed->Text(), "beta");
    EXPECT_EQ(ed->SelText(), "eta");
    Key(VK_BACK);
    EXPECT_EQ(ed->Text(), "b");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(5, 2), "b");
}

// ---------------------------------------------------------------- a user session

TEST_F(EditingTest, UserSessionThroughANineteenColumnRow)
{
    Grid->SetOptions(Grid->Options() << goTabs);
    int done = 0;
    Grid->OnEditCellDone = [&](TObject*, int, int) { ++done; };
    // Click a text cell and type into it (typing opens the editor with the character).
    Click(4, 3);
    Type("Hello");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(4, 3), "Hello");
    // Pick from a list cell.
    Click(2, 3);
    Key(VK_F2);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(2, 3), "1/2/3");
    // Type into a list-with-text cell.
    Click(3, 3);
    Type("Free text");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(3, 3), "Free text");
    // Tick a check-box cell.
    const String before = Cell(1, 3);
    Click(1, 3);
    EXPECT_NE(Cell(1, 3), before);
    // Tab moves along the row, Enter opens and stores.
    Click(5, 3);
    Key(VK_TAB);
    EXPECT_EQ(Grid->Col(), 6);
    Key(VK_RETURN);
    Type("x");
    Key(VK_TAB);
    EXPECT_EQ(Cell(6, 3), "x");
    EXPECT_EQ(Grid->Col(), 7);
    // Esc gives up an edit.
    const String keep = Cell(8, 3);
    Click(8, 3);
    Type("zzz");
    Key(VK_ESCAPE);
    EXPECT_EQ(Cell(8, 3), keep);
    EXPECT_FALSE(Grid->EditorMode());
    Pump();
    EXPECT_GE(done, 4);
    // Row numbers in column 0 stay as they were.
    EXPECT_EQ(Cell(0, 3), "3");
}

// ---------------------------------------------------------------- wheel and zoom

TEST_F(EditingTest, WheelMovesTheCurrentRowAndCtrlWheelZooms)
{
    Click(5, 1);
    const int lines = Grid->WheelLines();
    UserWheel(Grid, -120, Mid(5, 2).X, Mid(5, 2).Y);
    EXPECT_EQ(Grid->Row(), std::min(1 + lines, Grid->RowCount() - 1));
    UserWheel(Grid, -120 * 5, Mid(5, 2).X, Mid(5, 2).Y);
    EXPECT_EQ(Grid->Row(), Grid->RowCount() - 1);
    Grid->EnableWheel = false;
    UserWheel(Grid, 120, Mid(5, 2).X, Mid(5, 2).Y);
    EXPECT_EQ(Grid->Row(), Grid->RowCount() - 1);
    // Zoom steps stay within -10 .. 10 and change every size by the step.
    const int w = Grid->ColWidths(5), h = Grid->RowHeights(2);
    Grid->Zoom(9);
    EXPECT_EQ(Grid->ZoomFactor, 9);
    EXPECT_EQ(Grid->ColWidths(5), w + 9);
    EXPECT_EQ(Grid->RowHeights(2), h + 9);
    Grid->Zoom(3);
    EXPECT_EQ(Grid->ZoomFactor, 9);
    Grid->Zoom(1);
    EXPECT_EQ(Grid->ZoomFactor, 10);
    Grid->Zoom(-10);
    Grid->EnableWheel = true;
    UserWheel(Grid, -120, Mid(5, 2).X, Mid(5, 2).Y);
    const TShiftState ctrl{ssCtrl};
    TMessage m{WM_MOUSEWHEEL, WPARAM((unsigned(std::uint16_t(-120)) << 16) | MK_CONTROL), 0, 0};
    (void)ctrl;
    Grid->Perform(m.Msg, m.WParam, m.LParam);
    EXPECT_EQ(Grid->ZoomFactor, lines);
}

// ---------------------------------------------------------------- hints

TEST_F(EditingTest, HeaderHintsComeFromTheWindowsHintEvent)
{
    Grid->HideColumn(4);
    Grid->OnGridHint = [&](TObject*, int r, int c, String& h) {
        h = r == 0 ? Cat("explains column ", IntToStr(Grid->RealColIndex(c))) : String();
    };
    THintInfo info;
    info.CursorPos = Mid(5, 0);
    Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    // Displayed column 5 is real column 6 while column 4 is hidden.
    EXPECT_EQ(info.HintStr, "explains column 6");
    EXPECT_EQ(Grid->LastHintPos(), TPoint(5, 0));
    const TRect R = Grid->CellRect(5, 0);
    EXPECT_EQ(info.CursorRect, R);
    EXPECT_EQ(info.HintPos, Grid->ClientToScreen(TPoint(Mid(5, 0).X, R.Bottom + 6)));
    // Body cells: the handler clears the hint, also with HintShowCells.
    Grid->HintShowCells = true;
    info = THintInfo();
    info.CursorPos = Mid(5, 3);
    Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    EXPECT_EQ(info.HintStr, "");
    Grid->OnGridHint = nullptr;
    info = THintInfo();
    info.CursorPos = Mid(5, 3);
    Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    EXPECT_EQ(info.HintStr, Cell(6, 3));
}

TEST_F(EditingTest, MovingToAnotherCellEndsTheHintOfTheLastOne)
{
    THintInfo info;
    info.CursorPos = Mid(5, 2);
    Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    EXPECT_EQ(Grid->LastHintPos(), TPoint(5, 2));
    UserMouseMove(Grid, Mid(5, 2).X + 3, Mid(5, 2).Y);
    EXPECT_EQ(Grid->LastHintPos(), TPoint(5, 2));
    UserMouseMove(Grid, Mid(6, 2).X, Mid(6, 2).Y);
    EXPECT_EQ(Grid->LastHintPos(), TPoint(-1, -1));
}

TEST_F(EditingTest, PictureOfAnOpenComboEditorAndAShownHint)
{
    Grid->OnGridHint = [&](TObject*, int r, int, String& h) { h = r == 0 ? "KNX group address" : ""; };
    Click(2, 2);
    Key(VK_F2);
    ASSERT_TRUE(Grid->ComboEditor()->Visible());
    THintInfo info;
    info.CursorPos = Mid(2, 0);
    Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    ASSERT_EQ(info.HintStr, "KNX group address");
    // The hint window as the toolkit places it, drawn on the form for the picture.
    auto* hint = new THTMLHintWindow(Form);
    hint->SetParent(Form);
    hint->SetColor(info.HintColor);
    hint->SetCaption(info.HintStr);
    const TPoint p = Form->ScreenToClient(info.HintPos);
    hint->SetBounds(p.X, p.Y, Grid->Canvas()->TextWidth(info.HintStr) + 16, 20);
    hint->Show();
    hint->BringToFront();
    const String path = Cat(TEST_OUTPUT_DIR, "/editing_combo_and_hint.png");
    EXPECT_TRUE(SaveControlToPng(Form, path));
}

// ---------------------------------------------------------------- owner form

TEST(EditingOwnerForm, ResizeReachesOnlyLivingGridsAndTheFormsOwnHandler)
{
    Application->Initialize();
    TForm form(nullptr);
    int formResizes = 0;
    form.OnResize = [&](TObject*) { ++formResizes; };
    form.SetBounds(0, 0, 600, 400);
    auto* a = new TExtColumnGrid(&form);
    a->SetParent(&form);
    auto* b = new TExtColumnGrid(&form);
    b->SetParent(&form);
    b->SizeWithForm = true;
    b->SetBounds(0, 0, 300, 200);
    form.Show();
    formResizes = 0;
    delete a;
    form.SetBounds(0, 0, 650, 420);
    EXPECT_EQ(b->Width(), 350);
    EXPECT_EQ(b->Height(), 220);
    EXPECT_GE(formResizes, 1);
    delete b;
    formResizes = 0;
    form.SetBounds(0, 0, 600, 400);
    EXPECT_GE(formResizes, 1);
}

}  // namespace
