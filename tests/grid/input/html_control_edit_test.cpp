// The editors of the edit, password, mask and combo controls in mini-HTML cells, driven
// as a user drives them: a click on the control opens its editor, typing goes into it,
// Enter, Tab and Esc end it, and the value the user left is in the cell text.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/core/GridOptions.h"
#include "grid/html/MiniHTML.h"
#include "grid/html/MiniHTMLRender.h"
#include "gridedit/GridEditors.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/extgrid_fixture.h"
#include "tests/grid/input/html_controls_fixture.h"

namespace {
const char* const kEdits = "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"one\" WIDTH=\"70\" MAXLEN=\"5\"> "
                           "<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"FALSE\" WIDTH=\"20\"> "
                           "<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"pw\" WIDTH=\"60\"> "
                           "<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"red\" WIDTH=\"80\">";

class ControlEditTest : public HTMLCellControlsTest {
protected:
    struct Done {
        int row, col;
        String id, type, value;
    };
    std::vector<Done> Dones;
    std::vector<String> Selected;
    bool ComboEdit = true;
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetColWidths(1, 300);
        Grid->SetRowHeights(1, 40);
        Grid->Font()->SetName("Tahoma");
        Grid->Font()->SetSize(10);
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->SetCellEx(1, 1, kEdits);
        Grid->SetCellEx(2, 1, "plain");
        Grid->OnControlEditDone = [&](TObject* Sender, int ARow, int ACol, const String& ID, const String& Type,
                                      const String& Val) {
            EXPECT_EQ(Sender, Grid);
            Dones.push_back({ARow, ACol, ID, Type, Val});
        };
        Grid->OnControlComboList = [&](TObject*, int ARow, int ACol, const String& ID, const String&,
                                       const String& Val, TStringList* Values, bool& Edit, int& DropCount) {
            EXPECT_EQ(ARow, 1);
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ID, "c");
            EXPECT_EQ(Val, Value("c"));
            for (const char* s : {"red", "green", "blue"}) Values->Add(s);
            Edit = ComboEdit;
            DropCount = 5;
        };
        Grid->OnControlComboSelect = [&](TObject*, int ARow, int ACol, int Index, const String& ID,
                                         const String& Val) {
            EXPECT_EQ(ARow, 1);
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ID, "c");
            Selected.push_back(IntToStr(Index) + ":" + Val);
        };
        UserFocus(Grid);
    }
    TControlEdit* Edit() { return ControlEdit(Grid); }
    TControlCombo* Combo() { return ControlCombo(Grid); }
    TWinControl* Focused() { return FindFocusedControl(); }
};
}  // namespace

namespace {
// The editor opens over the control with its value and attributes; what is typed (held
// to MAXLEN) goes into the tag on Enter, the grid takes the focus back, and the rest of
// the cell text stays as it was.
TEST_F(ControlEditTest, ClickOpensTheEditorAndEnterWritesTheValueBack)
{
    ClickOn("a");
    ASSERT_NE(Edit(), nullptr);
    EXPECT_TRUE(Edit()->Visible());
    EXPECT_EQ(Focused(), Edit());
    EXPECT_EQ(Edit()->Text(), "one");
    EXPECT_EQ(Edit()->PasswordChar(), 0);
    EXPECT_EQ(Edit()->MaxLength(), 5);
    EXPECT_TRUE(Grid->FCtrlEditing);
    const TRect r = ControlRect("a");
    EXPECT_GE(Edit()->Left(), r.Left);
    EXPECT_LE(Edit()->Left() + Edit()->Width(), r.Right);
    EXPECT_GE(Edit()->Top(), r.Top);
    EXPECT_LE(Edit()->Top() + Edit()->Height(), r.Bottom + 2);

    UserKey(Edit(), VK_END);
    UserKey(Edit(), VK_BACK);
    UserType(Edit(), "ne77");
    UserKey(Edit(), VK_RETURN);
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_FALSE(Grid->FCtrlEditing);
    EXPECT_EQ(Focused(), Grid);
    EXPECT_EQ(Value("a"), "onne7");
    ASSERT_EQ(Dones.size(), 1u);
    EXPECT_EQ(Dones[0].row, 1);
    EXPECT_EQ(Dones[0].col, 1);
    EXPECT_EQ(Dones[0].id, "a");
    EXPECT_EQ(Dones[0].type, "EDIT");
    EXPECT_EQ(Dones[0].value, "onne7");
    EXPECT_EQ(Value("p"), "pw");
    EXPECT_EQ(Value("c"), "red");
    EXPECT_EQ(Grid->Row(), 1);
}

// What the user types may hold the markup's own characters: the tag is written escaped,
// the value reads back as typed, and the controls after it are still found.
TEST_F(ControlEditTest, TypedMarkupCharactersDoNotBreakTheCell)
{
    ClickOn("p");
    UserType(Edit(), "a\"<b>&c");
    UserKey(Edit(), VK_RETURN);
    EXPECT_EQ(Value("p"), "a\"<b>&c");
    EXPECT_EQ(Value("c"), "red");
    EXPECT_EQ(ControlRect("c").Width(), 80);
    ClickOn("p");
    EXPECT_EQ(Edit()->Text(), "a\"<b>&c");
}

// Tab passes the check box over and goes on to the password control, then to the combo,
// and from the last control back to the grid; each control gets what was typed into it.
TEST_F(ControlEditTest, TabGoesThroughTheEditableControlsThenBackToTheGrid)
{
    ClickOn("a");
    UserKey(Edit(), VK_TAB);
    ASSERT_EQ(Dones.size(), 1u);
    EXPECT_EQ(Dones[0].value, "one");
    EXPECT_TRUE(Edit()->Visible());
    EXPECT_EQ(Edit()->Text(), "pw");
    EXPECT_EQ(Edit()->PasswordChar(), '*');
    EXPECT_EQ(Edit()->MaxLength(), 0);
    UserKey(Edit(), VK_END);
    UserType(Edit(), "x");
    UserKey(Edit(), VK_TAB);
    EXPECT_EQ(Value("p"), "pwx");
    EXPECT_FALSE(Edit()->Visible());
    ASSERT_NE(Combo(), nullptr);
    EXPECT_TRUE(Combo()->Visible());
    EXPECT_EQ(Focused(), Combo());
    UserKey(Combo(), VK_TAB);
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(Focused(), Grid);
    ASSERT_EQ(Dones.size(), 3u);
    EXPECT_EQ(Dones[1].type, "PASSWORD");
    EXPECT_EQ(Dones[2].type, "COMBO");
    EXPECT_EQ(Value("a"), "one");
    EXPECT_EQ(Value("k"), "FALSE");
    EXPECT_EQ(Grid->Col(), 1);
}

// With AdvanceAuto, Tab leaves the control's cell for the next one instead, also when
// another cell was current.
TEST_F(ControlEditTest, TabWithAdvanceAutoMovesToTheNextCell)
{
    Grid->Navigation()->SetAdvanceAuto(true);
    Grid->SetRow(3);
    Grid->SetCol(2);
    ClickOn("a");
    UserType(Edit(), "z");
    UserKey(Edit(), VK_TAB);
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Value("p"), "pw");
    EXPECT_EQ(Dones.size(), 1u);
}

// Esc gives the typed text up: the cell text is untouched and the grid has the focus.
TEST_F(ControlEditTest, EscapeKeepsTheValueTheControlHad)
{
    for (const char* id : {"a", "c"}) {
        SCOPED_TRACE(id);
        Dones.clear();
        ClickOn(id);
        TWinControl* e = String(id) == "c" ? static_cast<TWinControl*>(Combo()) : Edit();
        ASSERT_TRUE(e->Visible());
        UserType(e, "zz");
        UserKey(e, VK_ESCAPE);
        EXPECT_FALSE(e->Visible());
        EXPECT_EQ(Focused(), Grid);
        EXPECT_EQ(Grid->GetCellEx(1, 1), kEdits);
        ASSERT_EQ(Dones.size(), 1u);
        EXPECT_EQ(Dones[0].value, Value(id));
    }
}

// A click elsewhere takes the focus from the editor, which writes its value; a click on
// another control of the cell closes the open editor first.
TEST_F(ControlEditTest, LeavingTheEditorWritesItsValue)
{
    ClickOn("a");
    UserType(Edit(), "two");
    ClickOn("k");
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_EQ(Value("a"), "two");
    EXPECT_EQ(Value("k"), "TRUE");
    ASSERT_EQ(Dones.size(), 1u);

    ClickOn("p");
    UserType(Edit(), "3");
    const TRect other = Grid->CellRect(2, 2);
    UserClick(Grid, other.Left + 5, other.Top + 5);
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_EQ(Value("p"), "3");
    EXPECT_EQ(Dones.size(), 2u);
}

// Scrolling the cell away closes the editor, which would stand over another cell, and
// keeps what was typed.
TEST_F(ControlEditTest, ScrollingClosesTheEditorAndKeepsTheValue)
{
    Grid->SetRowCount(40);
    ClickOn("a");
    UserType(Edit(), "x");
    Grid->SetTopRow(5);
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_EQ(Value("a"), "x");   // the value is selected when the editor opens
    EXPECT_EQ(Dones.size(), 1u);
}

// A mask control's editor takes the mask from PROP and lets only what fits through.
TEST_F(ControlEditTest, MaskControlTakesItsMask)
{
    Grid->SetCellEx(1, 1, "<CONTROL TYPE=\"MASK\" ID=\"m\" VALUE=\"\" WIDTH=\"80\" PROP=\"000\">");
    ClickOn("m");
    ASSERT_TRUE(Edit()->Visible());
    EXPECT_EQ(Edit()->EditMask(), "000");
    EXPECT_EQ(Edit()->PasswordChar(), 0);
    UserType(Edit(), "4a2");
    UserKey(Edit(), VK_RETURN);
    String v;
    ASSERT_TRUE(GetHTMLControlValue(Grid->GetCellEx(1, 1), "m", v));
    EXPECT_EQ(v.find('a'), String::npos);
    EXPECT_NE(v.find('4'), String::npos);
    // The mask and the rest of the tag survive the rewrite.
    EXPECT_EQ(GetHTMLControlProp(Grid->GetCellEx(1, 1), "m"), "000");
}

// The combo asks the window for its items, its style and its drop-down count, opens
// dropped down, reports a picked item and writes it back.
TEST_F(ControlEditTest, ComboTakesItsItemsFromTheWindowAndWritesThePick)
{
    ClickOn("c");
    ASSERT_TRUE(Combo()->Visible());
    EXPECT_EQ(Combo()->Items()->Count(), 3);
    EXPECT_EQ(Combo()->Style(), csDropDown);
    EXPECT_EQ(Combo()->DropDownCount(), 5);
    EXPECT_EQ(Combo()->ItemIndex(), 0);
    EXPECT_TRUE(Combo()->DroppedDown());
    // The combo stands over the drawn control, inside the cell.
    const TRect r = ControlRect("c"), cell = Grid->CellRect(1, 1);
    EXPECT_GE(Combo()->Left(), r.Left - 1);
    EXPECT_LE(Combo()->Left() + Combo()->Width(), cell.Right);
    EXPECT_GE(Combo()->Top(), cell.Top);
    EXPECT_LE(Combo()->Top() + Combo()->Height(), cell.Bottom);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "html_control_combo.png", png));
    UserKey(Combo(), VK_DOWN);
    EXPECT_EQ(Selected, std::vector<String>({"1:green"}));
    UserKey(Combo(), VK_RETURN);
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(Value("c"), "green");
    ASSERT_EQ(Dones.size(), 1u);
    EXPECT_EQ(Dones[0].value, "green");

    // Free text in the editable style.
    ClickOn("c");
    Combo()->SelectAll();
    UserType(Combo(), "teal");
    UserKey(Combo(), VK_RETURN);
    EXPECT_EQ(Value("c"), "teal");
}

// Edit false: a list the user cannot type into. A value that is none of the items is
// not lost by opening and leaving the list.
TEST_F(ControlEditTest, ComboListStyleCannotBeTypedIntoAndKeepsAValueNotInTheList)
{
    ComboEdit = false;
    String t = Grid->GetCellEx(1, 1);
    ASSERT_TRUE(SetHTMLControlValue(t, "c", "purple"));
    Grid->SetCellEx(1, 1, t);
    ClickOn("c");
    ASSERT_TRUE(Combo()->Visible());
    EXPECT_EQ(Combo()->Style(), csDropDownList);
    EXPECT_EQ(Combo()->ItemIndex(), -1);
    UserType(Combo(), "xyz");
    UserKey(Combo(), VK_RETURN);
    EXPECT_EQ(Value("c"), "purple");

    ClickOn("c");
    UserKey(Combo(), VK_DOWN);
    UserKey(Combo(), VK_RETURN);
    EXPECT_EQ(Value("c"), "red");
}

// Keys on the grid: F2 and Enter open the first editable control; typed characters
// never edit the markup; a cell that may not be edited opens nothing.
TEST_F(ControlEditTest, KeysOnTheCellOpenTheFirstControlAndTypingIsIgnored)
{
    Grid->SetCol(1);
    Grid->SetRow(1);
    UserType(Grid, "q");
    EXPECT_EQ(Grid->GetCellEx(1, 1), kEdits);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_FALSE(Grid->FCtrlEditing);
    for (WORD key : {WORD(VK_F2), WORD(VK_RETURN)}) {
        SCOPED_TRACE(key);
        UserKey(Grid, key);
        ASSERT_TRUE(Edit()->Visible());
        EXPECT_EQ(Edit()->Text(), "one");
        EXPECT_FALSE(Grid->EditorMode());
        UserKey(Edit(), VK_ESCAPE);
        EXPECT_EQ(Grid->Row(), 1);
        EXPECT_EQ(Grid->Col(), 1);
    }
    // Nor does a double click beside the controls open an editor over the markup.
    const TRect cell = Grid->CellRect(1, 1);
    UserDblClick(Grid, cell.Right - 6, cell.Bottom - 4);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->GetCellEx(1, 1), kEdits);
    Grid->SetReadOnly(1, 1, true);
    UserKey(Grid, VK_F2);
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_FALSE(Grid->EditorMode());
    // A cell without editable controls keeps the focus on the grid.
    Grid->SetReadOnly(1, 1, false);
    Grid->SetCellEx(1, 1, "<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"FALSE\" WIDTH=\"20\">");
    UserKey(Grid, VK_F2);
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_EQ(Focused(), Grid);
    EXPECT_TRUE(Dones.size() == 2u);
}

// The open editor covers the control's value inside the drawn field; after Enter the
// cell shows the new value.
TEST_F(ControlEditTest, EditorSitsOverTheControlAndTheCellShowsTheNewValue)
{
    ClickOn("a");
    UserKey(Edit(), VK_END);
    UserType(Edit(), "WW");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "html_control_editing.png", png));
    const TRect r = ControlRect("a");
    auto dark = [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60; };
    const TRect right(r.Left + r.Width() / 2, r.Top, r.Right, r.Bottom);
    const int typing = Count_Pixels(png, right, dark);
    EXPECT_GT(typing, 10);   // "oneWW" reaches into the right half of the field
    UserKey(Edit(), VK_RETURN);
    ASSERT_TRUE(SNAPSHOT(Form, "html_control_edited.png", png));
    EXPECT_EQ(Value("a"), "oneWW");
    EXPECT_GT(Count_Pixels(png, right, dark), 10);
    // Before the edit the short value left the right half of the field empty.
    Grid->SetCellEx(1, 1, kEdits);
    ASSERT_TRUE(SNAPSHOT(Form, "html_control_before.png", png));
    EXPECT_LT(Count_Pixels(png, right, dark), 5);
}
}  // namespace

namespace {
// Rows and columns change by code while a control editor is open. The editor knows its
// cell by index, so whatever it holds must never land in the cell that now has that
// index: a moved cell takes the value along, an overwritten or vanished cell ends the
// edit unwritten. Cells are "c,r", the control cell E (untouched) or T (with the typing).
struct TCellsChange {
    const char* Name;
    std::function<void(TExtStringGrid*)> Change;
    bool StaysOpen;    // the change leaves the edited cell where it was
    bool Written;      // the typing reaches the cell
    std::vector<const char*> Rows;
};

class ControlEditCellsChangeTest : public ControlEditTest, public ::testing::WithParamInterface<TCellsChange> {
protected:
    String Shown(int r)
    {
        String edited = kEdits;
        EXPECT_TRUE(SetHTMLControlValue(edited, "a", "typed"));
        String s;
        for (int c = 0; c < Grid->TotalColCount(); ++c) {
            const String t = Grid->GetCellEx(c, r);
            (c ? s += '|' : s) += t == kEdits ? String("E") : t == edited ? String("T") : t;
        }
        return s;
    }
};

TEST_P(ControlEditCellsChangeTest, TheTypingNeverLandsInAnotherCell)
{
    const TCellsChange& k = GetParam();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (c != 1 || r != 1) Grid->SetCellEx(c, r, Name(c, r));
    ClickOn("a");
    ASSERT_TRUE(Edit()->Visible());
    UserType(Edit(), "typed");
    k.Change(Grid);
    EXPECT_EQ(Edit()->Visible(), k.StaysOpen);
    // The user ends the edit as usual if the editor is still there.
    if (Edit()->Visible()) UserKey(Edit(), VK_RETURN);
    EXPECT_FALSE(Grid->FCtrlEditing);
    EXPECT_EQ(Focused(), Grid);
    ASSERT_EQ(Dones.size(), 1u);
    EXPECT_EQ(Dones[0].value, k.Written ? "typed" : "one");
    ASSERT_EQ(Grid->RowCount(), int(k.Rows.size()));
    for (int r = 0; r < Grid->RowCount(); ++r) EXPECT_EQ(Shown(r), k.Rows[size_t(r)]) << "row " << r;
}

const TCellsChange kCellsChanges[] = {
    {"InsertRowBelow", [](TExtStringGrid* g) { g->InsertRows(3, 1); }, true, true,
     {"0,0|1,0|2,0|3,0", "0,1|T|2,1|3,1", "0,2|1,2|2,2|3,2", "|||", "0,3|1,3|2,3|3,3"}},
    {"InsertRowAbove", [](TExtStringGrid* g) { g->InsertRows(1, 1); }, true, true,
     {"0,0|1,0|2,0|3,0", "|||", "0,1|T|2,1|3,1", "0,2|1,2|2,2|3,2", "0,3|1,3|2,3|3,3"}},
    {"RemoveRowAbove", [](TExtStringGrid* g) { g->RemoveRows(0, 1); }, true, true,
     {"0,1|T|2,1|3,1", "0,2|1,2|2,2|3,2", "0,3|1,3|2,3|3,3"}},
    {"InsertColumnBefore", [](TExtStringGrid* g) { g->InsertCols(0, 1); }, true, true,
     {"|0,0|1,0|2,0|3,0", "|0,1|T|2,1|3,1", "|0,2|1,2|2,2|3,2", "|0,3|1,3|2,3|3,3"}},
    {"RemoveTheEditedRow", [](TExtStringGrid* g) { g->RemoveRows(1, 1); }, false, false,
     {"0,0|1,0|2,0|3,0", "0,2|1,2|2,2|3,2", "0,3|1,3|2,3|3,3"}},
    {"MoveTheRow", [](TExtStringGrid* g) { g->MoveRow(1, 3); }, false, true,
     {"0,0|1,0|2,0|3,0", "0,2|1,2|2,2|3,2", "0,3|1,3|2,3|3,3", "0,1|T|2,1|3,1"}},
    {"MoveTheColumn", [](TExtStringGrid* g) { g->MoveColumn(1, 3); }, false, true,
     {"0,0|2,0|3,0|1,0", "0,1|2,1|3,1|T", "0,2|2,2|3,2|1,2", "0,3|2,3|3,3|1,3"}},
    {"Clear", [](TExtStringGrid* g) { g->Clear(); }, false, false, {"|||", "|||", "|||", "|||"}},
    {"ShrinkRowCount", [](TExtStringGrid* g) { g->SetRowCount(1); }, false, false, {"0,0|1,0|2,0|3,0"}},
};
INSTANTIATE_TEST_SUITE_P(Cases, ControlEditCellsChangeTest, ::testing::ValuesIn(kCellsChanges),
                         [](const auto& info) { return std::string(info.param.Name); });
}  // namespace
