// The special editors end an edit by key: Enter, Tab and the keys that leave the cell
// store and validate the editor's value and hand the key to the grid, Esc brings back
// the value the cell had, and none of these keys reaches the form's default or cancel
// button while an editor is open.
#include <functional>
#include <vector>

#include "gridedit/GridEditors.h"
#include "tests/common/extgrid_fixture.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"

namespace {

// The edited cell: displayed column 2 is real column 3 (column 1 is hidden).
constexpr int DCol = 2, RCol = 3, ERow = 2;

class SpecialKeysTest : public ExtGridTest {
protected:
    TEditorType Kind = edNormal;
    TButton* DefaultButton = nullptr;
    TButton* CancelButton = nullptr;
    int FormButtonClicks = 0;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        SetDecimalSeparatorOverride('.');
        Fill(6, 6);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(1);
        Grid->HideColumn(1);
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->OnGetEditorType = [this](TObject*, int c, int r, TEditorType& e) {
            if (c == RCol && r == ERow) e = Kind;
        };
        // The form's Enter and Esc buttons: an open editor keeps these keys from them.
        DefaultButton = new TButton(Form);
        DefaultButton->SetParent(Form);
        DefaultButton->SetBounds(0, 302, 60, 16);
        DefaultButton->SetDefault(true);
        DefaultButton->OnClick = [this](TObject*) { ++FormButtonClicks; };
        CancelButton = new TButton(Form);
        CancelButton->SetParent(Form);
        CancelButton->SetBounds(70, 302, 60, 16);
        CancelButton->SetCancel(true);
        CancelButton->OnClick = [this](TObject*) { ++FormButtonClicks; };
        UserFocus(Grid);
    }
    void TearDown() override
    {
        ExtGridTest::TearDown();
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
        SetDecimalSeparatorOverride(0);
    }
    // Opens the editor of the cell with F2, as a user would.
    void Open(TEditorType k, const String& text)
    {
        Kind = k;
        Grid->SetCellEx(RCol, ERow, text);
        Grid->FocusCell(DCol, ERow, true);
        UserFocus(Grid);
        UserKey(Grid, VK_F2);
    }
    String Cell() { return Grid->GetCellEx(RCol, ERow); }
    bool EditorOpen()
    {
        TWinControl* e = Grid->EditControl == edCheckBox ? EditCheck(Grid) : Grid->EditCtrl;
        return Grid->EditMode && e && e->Visible();
    }
};

// The caret to the end of the open editor's text (End itself ends a date edit).
void CaretToEnd(TWinControl* e)
{
    ASSERT_TRUE(e);
    auto* edit = dynamic_cast<TEdit*>(e);
    ASSERT_TRUE(edit);
    edit->SetSelStart(edit->GetTextLen());
    edit->SetSelLength(0);
}

void TypeAtEnd(TWinControl* e, const String& s)
{
    CaretToEnd(e);
    UserType(e, s);
}

void BackspaceAtEnd(TWinControl* e, int n)
{
    CaretToEnd(e);
    for (int i = 0; i < n; ++i) UserKey(e, VK_BACK);
}

// A picker is filled field by field: Right moves to the next field, digits fill it.
void TypeInField(TWinControl* e, int field, const String& digits)
{
    for (int i = 0; i < field; ++i) UserKey(e, VK_RIGHT);
    UserType(e, digits);
}

struct KeyCase {
    const char* name;
    TEditorType kind;
    String start;
    std::function<void(TExtStringGrid*)> action;  // what the user does in the open editor
    WORD key;
    TShiftState shift;
    String cell;  // the cell afterwards
    int col, row; // the current cell afterwards (displayed column)
    bool open;    // an editor is still open
};

TWinControl* Ed(TExtStringGrid* g) { return g->EditCtrl; }

}  // namespace

TEST_F(SpecialKeysTest, KeysEndTheEditStoreOrRestoreAndMoveOn)
{
    Grid->SetOptions(Grid->Options() << goTabs);
    Grid->Navigation()->AdvanceOnEnter = true;
    Grid->Navigation()->AdvanceAutoEdit = false;
    const std::vector<KeyCase> cases = {
        {"spin typed, Tab", edSpinEdit, "10",
         [](TExtStringGrid* g) {
             BackspaceAtEnd(Ed(g), 2);
             UserType(Ed(g), "25");
         },
         VK_TAB, {}, "25", DCol + 1, ERow, false},
        {"spin stepped, Enter", edSpinEdit, "10", [](TExtStringGrid* g) { UserKey(Ed(g), VK_UP); }, VK_RETURN, {},
         "11", DCol + 1, ERow, false},
        {"spin stepped, Esc", edSpinEdit, "10",
         [](TExtStringGrid* g) {
             UserKey(Ed(g), VK_UP);
             UserKey(Ed(g), VK_UP);
         },
         VK_ESCAPE, {}, "10", DCol, ERow, false},
        {"spin, Alt+Down leaves downwards", edSpinEdit, "10", [](TExtStringGrid* g) { UserKey(Ed(g), VK_UP); },
         VK_DOWN, {ssAlt}, "11", DCol, ERow + 1, false},
        {"float spin typed, Shift+Tab", edFloatSpinEdit, "2.5",
         [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "5"); }, VK_TAB, {ssShift}, "2.55", DCol - 1, ERow, false},
        {"edit with button typed, Enter", edEditBtn, "abc", [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "d"); },
         VK_RETURN, {}, "abcd", DCol + 1, ERow, false},
        {"edit with button typed, Esc", edEditBtn, "abc", [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "d"); },
         VK_ESCAPE, {}, "abc", DCol, ERow, false},
        {"edit with button typed, Up", edEditBtn, "abc", [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "x"); }, VK_UP,
         {}, "abcx", DCol, ERow - 1, false},
        {"unit typed, Enter", edUnitEditBtn, "5", [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "0"); }, VK_RETURN, {},
         "50", DCol + 1, ERow, false},
        {"unit typed, Esc", edUnitEditBtn, "5", [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "0"); }, VK_ESCAPE, {},
         "5", DCol, ERow, false},
        {"check box Space, Enter", edCheckBox, "caption", [](TExtStringGrid* g) { UserKey(EditCheck(g), VK_SPACE); },
         VK_RETURN, {}, "caption", DCol + 1, ERow, false},
        {"check box, Down", edCheckBox, "caption", nullptr, VK_DOWN, {}, "caption", DCol, ERow + 1, false},
        {"date typed, Enter", edDateEdit, "24/12/2025", [](TExtStringGrid* g) { TypeInField(Ed(g), 2, "2026"); },
         VK_RETURN, {}, "24/12/2026", DCol + 1, ERow, false},
        {"date typed, Esc", edDateEdit, "24/12/2025", [](TExtStringGrid* g) { TypeInField(Ed(g), 2, "2026"); },
         VK_ESCAPE, {}, "24/12/2025", DCol, ERow, false},
        {"time typed, Tab", edTimeEdit, "10:20:30", [](TExtStringGrid* g) { TypeInField(Ed(g), 2, "45"); }, VK_TAB,
         {}, "10:20:45", DCol + 1, ERow, false},
        {"date and time typed, Enter", edDateTimeEdit, "24/12/2025 10:20",
         [](TExtStringGrid* g) { TypeInField(Ed(g), 0, "05"); }, VK_RETURN, {}, "05/12/2025 10:20", DCol + 1, ERow,
         false},
        {"date and time typed, Esc", edDateTimeEdit, "24/12/2025 10:20",
         [](TExtStringGrid* g) { TypeInField(Ed(g), 0, "05"); }, VK_ESCAPE, {}, "24/12/2025 10:20", DCol, ERow,
         false},
        {"date and time typed, Tab", edDateTimeEdit, "24/12/2025 10:20",
         [](TExtStringGrid* g) { TypeInField(Ed(g), 0, "05"); }, VK_TAB, {}, "05/12/2025 10:20", DCol + 1, ERow,
         false},
        {"button, Esc", edButton, "press", nullptr, VK_ESCAPE, {}, "press", DCol, ERow, false},
        {"button, Right", edButton, "press", nullptr, VK_RIGHT, {}, "press", DCol + 1, ERow, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormButtonClicks = 0;
        Open(c.kind, c.start);
        ASSERT_TRUE(EditorOpen());
        TWinControl* editor = c.kind == edCheckBox ? EditCheck(Grid) : Grid->EditCtrl;
        if (c.action) c.action(Grid);
        UserKey(editor, c.key, c.shift);
        Application->ProcessMessages();
        EXPECT_EQ(Cell(), c.cell);
        EXPECT_EQ(Grid->Col(), c.col);
        EXPECT_EQ(Grid->Row(), c.row);
        EXPECT_EQ(EditorOpen(), c.open);
        EXPECT_TRUE(Grid->Focused());
        EXPECT_EQ(FormButtonClicks, 0);
    }
}

// The editors claim Enter and Esc (and Tab when the grid walks with Tab) for themselves.
TEST_F(SpecialKeysTest, EditorsClaimTheKeysThatEndTheEdit)
{
    struct {
        TEditorType kind;
        bool tabs;
        WORD key;
        bool claimed;
    } cases[] = {
        {edSpinEdit, false, VK_RETURN, true}, {edSpinEdit, false, VK_ESCAPE, true}, {edSpinEdit, false, VK_TAB, false},
        {edSpinEdit, true, VK_TAB, true},     {edEditBtn, false, VK_RETURN, true},  {edEditBtn, true, VK_TAB, true},
        {edEditBtn, false, VK_TAB, false},    {edUnitEditBtn, true, VK_TAB, true},  {edDateEdit, false, VK_ESCAPE, true},
        {edDateEdit, true, VK_TAB, true},     {edCheckBox, false, VK_DOWN, true},   {edButton, false, VK_ESCAPE, true},
        {edButton, false, VK_LEFT, true},     {edDateTimeEdit, false, VK_RETURN, true},
        {edDateTimeEdit, true, VK_TAB, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(String(IntToStr(int(c.kind))) + " key " + IntToStr(c.key));
        Grid->SetOptions(c.tabs ? Grid->Options() << goTabs : Grid->Options() >> goTabs);
        Open(c.kind, "1");
        TWinControl* editor = c.kind == edCheckBox ? EditCheck(Grid) : Grid->EditCtrl;
        ASSERT_TRUE(editor);
        EXPECT_EQ(editor->Perform(CM_WANTSPECIALKEY, c.key, 0) != 0, c.claimed);
        const LRESULT code = editor->Perform(WM_GETDLGCODE);
        if (c.claimed && c.key == VK_TAB) {
            EXPECT_TRUE(code & DLGC_WANTTAB);
        }
        if (c.claimed && (c.key == VK_LEFT || c.key == VK_DOWN)) {
            EXPECT_TRUE(code & DLGC_WANTARROWS);
        }
        Grid->HideInplaceEdit();
    }
}

// A value the grid's validation refuses keeps the editor open on the cell with the
// cell's text, for the key that would have left it.
TEST_F(SpecialKeysTest, RefusedValueKeepsTheEditorOpen)
{
    Grid->SetOptions(Grid->Options() << goTabs);
    Grid->Navigation()->AdvanceOnEnter = true;
    Grid->OnCellValidate = [](TObject*, int, int, String& v, bool& valid) { valid = v != "99"; };
    for (TEditorType k : {edSpinEdit, edEditBtn}) {
        for (WORD key : {WORD(VK_RETURN), WORD(VK_TAB)}) {
            SCOPED_TRACE(IntToStr(int(k)) + " key " + IntToStr(key));
            Open(k, "5");
            BackspaceAtEnd(Grid->EditCtrl, 1);
            UserType(Grid->EditCtrl, "99");
            UserKey(Grid->EditCtrl, key);
            EXPECT_EQ(Cell(), "5");
            EXPECT_EQ(Grid->Col(), DCol);
            EXPECT_EQ(Grid->Row(), ERow);
            ASSERT_TRUE(EditorOpen());
            // The spin shows the cell's text again; the edit with button keeps the refused
            // text, all selected, for the user to correct.
            auto* edit = dynamic_cast<TEdit*>(Grid->EditCtrl);
            ASSERT_TRUE(edit);
            if (k == edSpinEdit) {
                EXPECT_EQ(edit->Text(), "5");
            } else {
                EXPECT_EQ(edit->Text(), "99");
                EXPECT_EQ(edit->SelLength(), 2);
            }
            // An accepted value then moves on.
            BackspaceAtEnd(Grid->EditCtrl, 5);
            UserType(Grid->EditCtrl, "7");
            UserKey(Grid->EditCtrl, key);
            EXPECT_EQ(Cell(), "7");
            EXPECT_EQ(Grid->Col(), DCol + 1);
            EXPECT_FALSE(EditorOpen());
        }
    }
}

// Every opening starts from the cell's value, whatever the editor held when it closed.
TEST_F(SpecialKeysTest, NextOpeningShowsTheCellsValue)
{
    struct {
        const char* name;
        TEditorType kind;
        String start;
        std::function<void(TExtStringGrid*)> change;
        WORD key;
        String cell;
    } cases[] = {
        {"spin Esc", edSpinEdit, "10", [](TExtStringGrid* g) { UserKey(Ed(g), VK_UP); }, VK_ESCAPE, "10"},
        {"spin Enter", edSpinEdit, "10", [](TExtStringGrid* g) { UserKey(Ed(g), VK_UP); }, VK_RETURN, "11"},
        {"edit with button Esc", edEditBtn, "abc", [](TExtStringGrid* g) { TypeAtEnd(Ed(g), "d"); }, VK_ESCAPE, "abc"},
        {"date Esc", edDateEdit, "24/12/2025", [](TExtStringGrid* g) { TypeInField(Ed(g), 2, "2026"); }, VK_ESCAPE,
         "24/12/2025"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.kind, c.start);
        c.change(Grid);
        UserKey(Grid->EditCtrl, c.key);
        ASSERT_FALSE(EditorOpen());
        // Back to the cell and open it again with F2.
        Grid->FocusCell(DCol, ERow, true);
        UserKey(Grid, VK_F2);
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(Grid->EditCtrl->Text(), c.cell);
        Grid->HideInplaceEdit();
        EXPECT_EQ(Cell(), c.cell);
    }
}

// The spin buttons drawn in the cell open the editor one step on; Enter then stores
// that value, and the next click steps on from the stored value.
TEST_F(SpecialKeysTest, SpinButtonClickThenEnterStoresTheStep)
{
    Grid->ControlLook()->SpinButtonsAlwaysVisible = true;
    Kind = edSpinEdit;
    Grid->SetCellEx(RCol, ERow, "10");
    Grid->FocusCell(DCol, ERow, true);
    const TRect R = Grid->CellRect(DCol, ERow);
    for (const char* expected : {"11", "12"}) {
        SCOPED_TRACE(expected);
        UserClick(Grid, R.Right - 4, R.Top + 2);
        Application->ProcessMessages();
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(Grid->EditCtrl->Text(), expected);
        UserKey(Grid->EditCtrl, VK_RETURN);
        EXPECT_FALSE(EditorOpen());
        EXPECT_EQ(Cell(), expected);
    }
}

// A click on the spin buttons of a cell that may not be edited steps nothing, not even
// the next spin cell the user opens from the keyboard.
TEST_F(SpecialKeysTest, SpinButtonClickOnALockedCellStepsNoLaterEdit)
{
    Grid->ControlLook()->SpinButtonsAlwaysVisible = true;
    Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == RCol) e = edSpinEdit;
    };
    Grid->OnCanEditCell = [](TObject*, int r, int, bool& can) { can = r != ERow; };
    Grid->SetCellEx(RCol, ERow, "10");
    Grid->SetCellEx(RCol, ERow + 1, "20");
    Grid->FocusCell(DCol, ERow, true);
    const TRect R = Grid->CellRect(DCol, ERow);
    UserClick(Grid, R.Right - 4, R.Top + 2);
    Application->ProcessMessages();
    EXPECT_FALSE(EditorOpen());
    UserKey(Grid, VK_DOWN);
    UserKey(Grid, VK_F2);
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Grid->EditCtrl->Text(), "20");
    UserKey(Grid->EditCtrl, VK_ESCAPE);
    EXPECT_EQ(Grid->GetCellEx(RCol, ERow + 1), "20");
    EXPECT_EQ(Grid->GetCellEx(RCol, ERow), "10");
}

// Space toggles the check-box editor once per press; the box never writes the cell, and
// Esc leaves the cell as it was.
TEST_F(SpecialKeysTest, CheckBoxEditorTogglesOnSpaceAndWritesNothing)
{
    Open(edCheckBox, "caption");
    TGridCheckBox* cb = EditCheck(Grid);
    ASSERT_TRUE(EditorOpen());
    UserKey(cb, VK_SPACE);
    EXPECT_TRUE(cb->Checked());
    UserKey(cb, VK_SPACE);
    EXPECT_FALSE(cb->Checked());
    UserKey(cb, VK_SPACE);
    UserKey(cb, VK_ESCAPE);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Cell(), "caption");
    EXPECT_EQ(cb->Caption(), "caption");
    EXPECT_EQ(FormButtonClicks, 0);
}

// The button editor: a click on it, and Space, report the click to OnButtonClick and
// give the button and the cell the text OnEllipsClick makes of the caption; a press
// released outside the button does neither.
TEST_F(SpecialKeysTest, ButtonEditorTakesTheEllipsisTextOnClickAndSpace)
{
    std::vector<String> clicks;
    Grid->OnButtonClick = [&](TObject*, int c, int r) { clicks.push_back(IntToStr(c) + "," + IntToStr(r)); };
    Grid->OnEllipsClick = [](TObject*, int, int, String& s) { s = "<" + s + ">"; };
    Open(edButton, "go");
    TWinControl* b = Grid->EditCtrl;
    ASSERT_TRUE(b && b->Visible());
    UserClick(b);
    EXPECT_EQ(b->Caption(), "<go>");
    EXPECT_EQ(Cell(), "<go>");
    UserKey(b, VK_SPACE);
    EXPECT_EQ(b->Caption(), "<<go>>");
    EXPECT_EQ(Cell(), "<<go>>");
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(clicks.size(), 2u);
    UserPress(b);
    UserRelease(b, b->Width() + 20, b->Height() / 2);
    EXPECT_EQ(Cell(), "<<go>>");
    UserKey(b, VK_ESCAPE);
    EXPECT_FALSE(EditorOpen());
}

// The value-with-unit editor validates the value together with its unit and keeps the
// unit through Enter and Esc.
TEST_F(SpecialKeysTest, UnitEditorEndsWithItsUnit)
{
    BtnUnitEdit(Grid)->Units()->Add("kg");
    BtnUnitEdit(Grid)->Units()->Add("g");
    // Validation sees the text with its unit; it turns grams into kilograms.
    std::vector<String> validated;
    Grid->OnCellValidate = [&validated](TObject*, int, int, String& v, bool&) {
        validated.push_back(v);
        if (v == "5000g") v = "5kg";
    };
    struct {
        const char* name;
        String start, typed;
        WORD key;
        String cell, validated;
    } cases[] = {
        {"typed, Enter", "5kg", "0", VK_RETURN, "50kg", "50kg"},
        {"typed, Esc", "5kg", "0", VK_ESCAPE, "5kg", ""},
        {"value changed by validation", "500g", "0", VK_RETURN, "5kg", "5000g"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(edUnitEditBtn, c.start);
        ASSERT_TRUE(EditorOpen());
        validated.clear();
        TypeAtEnd(Grid->EditCtrl, c.typed);
        UserKey(Grid->EditCtrl, c.key);
        EXPECT_FALSE(EditorOpen());
        EXPECT_EQ(Cell(), c.cell);
        EXPECT_EQ(validated.empty() ? String() : validated.front(), c.validated);
        // The next opening splits the stored value again.
        UserKey(Grid, VK_F2);
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(BtnUnitEdit(Grid)->TextAndUnit(), c.cell);
        Grid->HideInplaceEdit();
    }
}

// With AdvanceAutoEdit, Enter moves on and the next cell is in edit at once.
TEST_F(SpecialKeysTest, EnterWithAutoEditOpensTheNextCell)
{
    Grid->Navigation()->AdvanceOnEnter = true;
    Grid->Navigation()->AdvanceAutoEdit = true;
    for (TEditorType k : {edSpinEdit, edDateEdit}) {
        SCOPED_TRACE(int(k));
        Open(k, k == edSpinEdit ? "10" : "24/12/2025");
        if (k == edSpinEdit) UserKey(Grid->EditCtrl, VK_UP);
        UserKey(Grid->EditCtrl, VK_RETURN);
        EXPECT_EQ(Cell(), k == edSpinEdit ? "11" : "24/12/2025");
        EXPECT_EQ(Grid->Col(), DCol + 1);
        // The next cell is a plain text cell: the text editor is open on it.
        EXPECT_TRUE(Grid->EditorMode());
        ASSERT_TRUE(Grid->InplaceEditor());
        EXPECT_TRUE(Grid->InplaceEditor()->Visible());
        EXPECT_EQ(Grid->InplaceEditor()->Text(), Name(RCol + 1, ERow));
        Grid->HideInplaceEdit();
    }
}

// When the grid does not walk with Tab (and validates nothing), Tab leaves the grid for
// the form's next control, and the editor's value is stored on the way out.
TEST_F(SpecialKeysTest, TabTheGridDoesNotTakeGoesToTheForm)
{
    ASSERT_FALSE(Grid->Options().Contains(goTabs));
    struct {
        TEditorType kind;
        String start, typed, cell;
    } cases[] = {
        {edSpinEdit, "10", "5", "105"},
        {edEditBtn, "abc", "d", "abcd"},
        {edUnitEditBtn, "5", "0", "50"},
        {edDateEdit, "24/12/2025", "", "24/12/2025"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.kind));
        Open(c.kind, c.start);
        ASSERT_TRUE(EditorOpen());
        TWinControl* editor = Grid->EditCtrl;
        EXPECT_FALSE(editor->Perform(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS));
        if (!c.typed.empty()) TypeAtEnd(editor, c.typed);
        UserKey(editor, VK_TAB);
        Application->ProcessMessages();
        EXPECT_FALSE(EditorOpen());
        EXPECT_EQ(Cell(), c.cell);
        EXPECT_FALSE(Grid->Focused());
        EXPECT_FALSE(editor->Focused());
        EXPECT_EQ(Grid->Col(), DCol);
    }
}

namespace {

// The pickers report to the grid: typed changes (not the loading of the cell), the
// calendar opening and closing; the events name the current cell in their own orders.
TEST_F(SpecialKeysTest, DatePickersReportChangesAndTheCalendarToTheGrid)
{
    std::vector<String> log;
    const auto at = [](int c, int r) { return IntToStr(c) + "," + IntToStr(r); };
    Grid->OnEditChange = [&](TObject*, int c, int r, const String& v) { log.push_back("change " + at(c, r) + " " + v); };
    Grid->OnDateTimeChange = [&](TObject*, int c, int r, TDateTime d) {
        log.push_back("datetime " + at(c, r) + " " + FormatDateTime("dd/mm/yyyy hh:nn", d));
    };
    Grid->OnDatePickerDropDown = [&](TObject*, int r, int c) { log.push_back("dropdown " + at(r, c)); };
    Grid->OnDatePickerCloseUp = [&](TObject*, int r, int c) { log.push_back("closeup " + at(r, c)); };
    struct {
        TEditorType kind;
        String start;
        int field;                    // the field typed into
        String digits;
        std::vector<String> events;   // after typing the digits and opening and closing
    } cases[] = {
        {edDateEdit, "24/12/2025", 2, "2026", {"change 2,2 24/12/2026", "dropdown 2,2", "closeup 2,2"}},
        {edTimeEdit, "10:20:35", 2, "36", {"change 2,2 10:20:36"}},
        {edDateTimeEdit, "24/12/2025 10:25", 0, "26", {"datetime 2,2 26/12/2025 10:25", "closeup 2,2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.kind));
        log.clear();
        Open(c.kind, c.start);
        ASSERT_TRUE(EditorOpen());
        auto* dp = dynamic_cast<TDateTimePicker*>(Grid->EditCtrl);
        ASSERT_TRUE(dp);
        EXPECT_TRUE(log.empty());   // loading the cell is no change
        TypeInField(dp, c.field, c.digits);
        if (c.kind != edTimeEdit) {
            dp->SetDroppedDown(true);
            dp->SetDroppedDown(false);
        }
        EXPECT_EQ(log, c.events);
        UserKey(dp, VK_ESCAPE);
        Application->ProcessMessages();
    }
    // With DirectDateClose the editor closes with the calendar.
    Grid->MouseActions()->DirectDateClose = true;
    Open(edDateEdit, "24/12/2025");
    ASSERT_TRUE(EditorOpen());
    auto* dp = dynamic_cast<TDateTimePicker*>(Grid->EditCtrl);
    dp->SetDroppedDown(true);
    dp->SetDroppedDown(false);
    EXPECT_FALSE(EditorOpen());
}

}  // namespace
