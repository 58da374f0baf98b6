// Selecting rows by code, the selected cells as text, column and row calculations,
// numbering and the exchange of columns and rows.
#include <functional>

#include "grid/dragdrop/DragDropSettings.h"
#include "platform/gui/Clipbrd.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

using EditingCalcTest = ExtGridTest;

TEST_F(EditingCalcTest, SelectRowsSelectsWholeRowsWithoutEvents)
{
    Fill(10, 10);
    int events = 0;
    Grid->OnSelectCell = [&](TObject*, int, int, bool&) { ++events; };
    Grid->OnRowChanged = [&](TObject*, int, int) { ++events; };
    Grid->SelectRows(3, 1);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 3, 9, 3));
    EXPECT_EQ(Grid->Col(), 9);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(events, 0);
    Grid->SelectRows(8, 5);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 8, 9, 9));
    EXPECT_TRUE(Grid->IsSelected(4, 9));
    EXPECT_FALSE(Grid->IsSelected(0, 9));
    EXPECT_FALSE(Grid->IsSelected(4, 7));
}

TEST_F(EditingCalcTest, DisjunctSelectionsModifiedAndDisabledRows)
{
    Fill(6, 8);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SelectRows(2, 3);
    EXPECT_EQ(Grid->RowSelectCount(), 3);
    EXPECT_EQ(Grid->GetSelectedRow(1), 3);
    Grid->UnSelectRows(3, 1);
    EXPECT_EQ(Grid->SelectedRowCount(), 2);
    EXPECT_TRUE(Grid->IsSelected(2, 4));
    EXPECT_FALSE(Grid->IsSelected(2, 3));
    Grid->ClearRowSelect();
    EXPECT_EQ(Grid->RowSelectCount(), 0);
    Grid->MouseActions()->SetDisjunctRowSelect(false);
    Grid->MouseActions()->SetDisjunctCellSelect(true);
    Grid->SetSelectedCells(2, 3, true);
    Grid->SetSelectedCells(4, 5, true);
    Grid->SetSelectedCells(2, 3, true);
    EXPECT_EQ(Grid->SelectedCellsCount(), 2);
    EXPECT_EQ(Grid->GetSelectedCell(1), TGridCoord(4, 5));
    EXPECT_TRUE(Grid->IsSelected(2, 3));
    EXPECT_FALSE(Grid->IsSelected(0, 3));
    Grid->ClearSelectedCells();
    EXPECT_EQ(Grid->SelectedCellsCount(), 0);
    EXPECT_FALSE(Grid->GetRowModified(20));
    Grid->SetRowModified(5, true);
    EXPECT_EQ(Grid->ModifiedRowCount(), 1);
    EXPECT_TRUE(Grid->GetRowEnabled(4));
    Grid->SetRowEnabled(4, false);
    EXPECT_FALSE(Grid->GetRowEnabled(4));
    EXPECT_TRUE(Grid->GetRowEnabled(40));
    EXPECT_THROW(Grid->GetColSelect(6), EExtGridError);
}

TEST_F(EditingCalcTest, RowSelectionFlagsAskTellAndCountOnlyScrollableRows)
{
    Fill(4, 8);
    Grid->SetFixedRows(1);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    std::vector<String> log;
    bool allow = true;
    Grid->OnRowDisjunctSelect = [&](TObject*, int r, bool s, bool& a) {
        log.push_back(Cat("ask ", IntToStr(r), s ? " on" : " off"));
        a = allow;
    };
    Grid->OnRowDisjunctSelected = [&](TObject*, int r) { log.push_back(Cat("told ", IntToStr(r))); };
    Grid->SetRowSelect(3, true);
    Grid->SetRowSelect(3, true);   // already selected: nothing to ask
    EXPECT_EQ(log, (std::vector<String>{"ask 3 on", "told 3", "told 3"}));
    allow = false;
    log.clear();
    Grid->SetRowSelect(5, true);
    Grid->SetRowSelect(3, false);
    EXPECT_EQ(log, (std::vector<String>{"ask 5 on", "ask 3 off"}));
    EXPECT_FALSE(Grid->GetRowSelect(5));
    EXPECT_TRUE(Grid->GetRowSelect(3));
    allow = true;
    // The fixed row takes a flag but is no selected row of the list.
    Grid->SetRowSelect(0, true);
    EXPECT_EQ(Grid->RowSelectCount(), 2);
    EXPECT_EQ(Grid->SelectedRowCount(), 1);
    EXPECT_EQ(Grid->GetSelectedRow(0), 3);
    // Rows out of range are refused with the row named.
    try {
        Grid->GetRowSelect(99);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_STREQ(e.what(), "Invalid row 99 accessed");
    }
    EXPECT_THROW(Grid->SetRowSelect(-1, true), EExtGridError);
    // A selection of one cell counts the current cell.
    Grid->MouseActions()->SetDisjunctRowSelect(false);
    Grid->FocusCell(2, 4, true);
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
    EXPECT_EQ(Grid->GetSelectedCell(0), TGridCoord(2, 4));
}

TEST_F(EditingCalcTest, SelectedTextJoinsCellsWithTabsAndRowsWithLineBreaks)
{
    Fill(4, 4);
    Grid->SetCellEx(1, 1, "a");
    Grid->SetCellEx(2, 1, "b");
    Grid->SetCellEx(1, 2, "c");
    Grid->SetCellEx(2, 2, "d");
    Grid->SetSelection(TGridRect(1, 1, 2, 2));
    EXPECT_EQ(Grid->SelectedText(), "a\tb\r\nc\td");
}

struct CopyCase {
    const char* name;
    std::function<void(TExtStringGrid*)> setup;
    const char* clip;   // the clipboard after Ctrl+C
};

TEST_F(EditingCalcTest, CtrlCCopiesTheSelectedTextInEveryShape)
{
    const CopyCase cases[] = {
        {"a range", [](TExtStringGrid* g) { g->SetSelection(TGridRect(1, 1, 2, 2)); }, "1,1\t2,1\r\n1,2\t2,2"},
        {"several lines, plain", [](TExtStringGrid* g) {
             g->SetCellEx(1, 1, "x\r\ny");
             g->SetSelection(TGridRect(1, 1, 2, 1));
         }, "x\r\ny\t2,1"},
        // A spreadsheet takes a quoted field with vertical tabs as one cell of several lines.
        {"several lines shown as one, spreadsheet", [](TExtStringGrid* g) {
             g->ExcelClipboardFormat = true;
             g->SetCellEx(1, 1, "x\r\ny");
             g->SetSelection(TGridRect(1, 1, 2, 1));
         }, "\"x\vy\"\t2,1"},
        {"several lines shown as lines, spreadsheet", [](TExtStringGrid* g) {
             g->ExcelClipboardFormat = true;
             g->Multilinecells = true;
             g->SetCellEx(1, 1, "x\r\ny");
             g->SetSelection(TGridRect(1, 1, 2, 1));
         }, "\"x\vy\"\t2,1"},
        {"one line, spreadsheet", [](TExtStringGrid* g) {
             g->ExcelClipboardFormat = true;
             g->SetSelection(TGridRect(1, 1, 2, 1));
         }, "1,1\t2,1"},
        {"rich text", [](TExtStringGrid* g) {
             g->SetCellEx(2, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Gr\\'fc\\'dfe \\b fett\\b0\\par}");
             g->SetSelection(TGridRect(1, 1, 2, 1));
         }, "1,1\tGr\xC3\xBC\xC3\x9F" "e fett"},
        {"whole rows", [](TExtStringGrid* g) {
             g->SetOptions(g->Options() << goRowSelect);
             g->DragDropSettings()->OleEntireRows = true;
             g->SetRow(2);
         }, "0,2\t1,2\t2,2\t3,2"},
        {"rows from the first scrollable column", [](TExtStringGrid* g) {
             g->SetOptions(g->Options() << goRowSelect);
             g->SetRow(2);
         }, "1,2\t2,2\t3,2"},
        // Every selected row, also those outside the selection rectangle.
        {"disjunct rows", [](TExtStringGrid* g) {
             g->MouseActions()->SetDisjunctRowSelect(true);
             g->SetSelection(TGridRect(1, 1, 2, 1));
             g->SetRowSelect(1, true);
             g->SetRowSelect(3, true);
         }, "1,1\t2,1\r\n1,3\t2,3"},
    };
    for (const CopyCase& k : cases) {
        SCOPED_TRACE(k.name);
        TearDown();
        SetUp();
        Fill(4, 5);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->Navigation()->AllowClipboardShortCuts = true;
        UserFocus(Grid);
        k.setup(Grid);
        Clipboard()->SetAsText("old");
        UserKey(Grid, 'C', TShiftState{ssCtrl});
        EXPECT_EQ(Clipboard()->AsText(), k.clip);
    }
}

TEST_F(EditingCalcTest, SelectedCountsTakeMergedCellsWithTheirSpan)
{
    Fill(6, 6);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->MergeCells(1, 1, 1, 3);
    Grid->MergeCells(3, 1, 3, 1);
    struct Case {
        TGridRect sel;
        int rows, cols;
    } cases[] = {
        {TGridRect(1, 1, 1, 1), 3, 1},   // top-left merged over three rows
        {TGridRect(1, 1, 1, 4), 4, 1},   // the rectangle reaches beyond the span
        {TGridRect(2, 1, 3, 1), 1, 4},   // the right cell spans two more columns
        {TGridRect(3, 1, 3, 1), 1, 3},
        {TGridRect(2, 2, 2, 4), 3, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(IntToStr(k.sel.Left), ",", IntToStr(k.sel.Top), "-", IntToStr(k.sel.Right), ",", IntToStr(k.sel.Bottom)));
        Grid->SetSelection(k.sel);
        EXPECT_EQ(Grid->SelectedRowCount(), k.rows);
        EXPECT_EQ(Grid->SelectedColCount(), k.cols);
    }
    // With disjunct columns: every column the flag list holds, selected or not.
    Grid->MouseActions()->SetDisjunctColSelect(true);
    Grid->SetColSelect(4, true);
    EXPECT_EQ(Grid->SelectedColCount(), 5);
    EXPECT_EQ(Grid->ColSelectCount(), 1);
}

TEST_F(EditingCalcTest, DisablingTheCurrentRowMovesTheCurrentCell)
{
    Fill(4, 6);
    Grid->SetFixedRows(1);
    struct Case {
        int current, disabled;   // the current row, the row disabled
        int after;               // the current row afterwards
    } cases[] = {
        {3, 3, 1},   // the first enabled other row
        {1, 1, 2},   // not itself
        {2, 4, 2},   // another row: the cell stays
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(IntToStr(k.current), " ", IntToStr(k.disabled)));
        for (int r = 0; r < 6; ++r) Grid->SetRowEnabled(r, true);
        Grid->SetRow(k.current);
        Grid->SetRowEnabled(k.disabled, false);
        EXPECT_EQ(Grid->Row(), k.after);
        EXPECT_FALSE(Grid->GetRowEnabled(k.disabled));
    }
    // Enabling the current row leaves the cell where it is; with no enabled row left,
    // the cell stays on the row it is disabling.
    Grid->SetRow(2);
    Grid->SetRowEnabled(2, true);
    EXPECT_EQ(Grid->Row(), 2);
    for (int r = 1; r < 6; ++r)
        if (r != 2) Grid->SetRowEnabled(r, false);
    Grid->SetRowEnabled(2, false);
    EXPECT_EQ(Grid->Row(), 2);
}

// ---------------------------------------------------------------- automatic sizing

TEST_F(EditingCalcTest, AutoSizingByRowsCellsCheckBoxesLinesAndHiddenColumns)
{
    Fill(5, 4);
    Grid->SetFixedRows(1);
    Grid->MinRowHeight = 0;
    Grid->MinColWidth = 0;
    TCanvas* cv = Grid->Canvas();
    cv->Font()->Assign(*Grid->Font());
    const String longText = "a data text far longer than its header";
    const int longW = cv->TextWidth(longText);
    Grid->SetCellEx(1, 0, "H");
    Grid->SetCellEx(1, 2, longText);

    // Which rows decide the width.
    Grid->ColumnSize()->Rows = arFixed;
    Grid->AutoSizeCol(1);
    EXPECT_LT(Grid->ColWidths(1), longW);
    Grid->ColumnSize()->Rows = arAll;
    Grid->AutoSizeCol(1);
    EXPECT_GE(Grid->ColWidths(1), longW);

    // All cells at once: a row never shrinks, a column takes its widest cell.
    Grid->SetRowHeights(2, 60);
    Grid->SetColWidths(1, 400);
    Grid->AutoSizeCells(false, 0, 0);
    EXPECT_EQ(Grid->RowHeights(2), 60);
    EXPECT_LT(Grid->ColWidths(1), 400);
    EXPECT_GE(Grid->ColWidths(1), longW);

    // A check box counts as one default row high, whatever the font of its cell.
    Grid->AddCheckBox(2, 3, false, false);
    Grid->GetCellProperties(2, 3)->FontSize = 40;
    Grid->AutoSizeRow(3);
    EXPECT_EQ(Grid->RowHeights(3), Grid->DefaultRowHeight() + Grid->TotalYOffset() + 2 * Grid->GridLineWidth());

    // Without word wrap rows are sized by their line count.
    Grid->Multilinecells = true;
    Grid->SetWordWrap(false);
    Grid->SetCellEx(3, 2, "one\r\ntwo\r\nthree");
    Grid->AutoSizeRows(false, 0);
    const int h = cv->TextHeight("gh");
    EXPECT_EQ(Grid->RowHeights(2), 3 * (h + h / 8));
    EXPECT_EQ(Grid->RowHeights(1), h + h / 8);

    // A hidden column: displayed column 2 is real column 3, and its cells are measured.
    Grid->SetWordWrap(true);
    Grid->HideColumn(2);
    Grid->SetCellEx(3, 1, longText);
    Grid->SetColWidths(2, 20);
    Grid->AutoSizeCol(2);
    EXPECT_GE(Grid->ColWidths(2), longW);
}

TEST_F(EditingCalcTest, ColumnAndRowCalculations)
{
    Fill(4, 6);
    const char* values[] = {"1", "2", "x", "4", "3"};
    for (int r = 1; r < 6; ++r) Grid->SetCellEx(1, r, values[r - 1]);
    EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, -1, -1), 10);
    // The average divides by every row of the range, counted or not.
    EXPECT_DOUBLE_EQ(Grid->ColumnAvg(1, 1, 5), 2);
    EXPECT_DOUBLE_EQ(Grid->ColumnMin(1, 1, 5), 1);
    EXPECT_DOUBLE_EQ(Grid->ColumnMax(1, 1, 5), 4);
    EXPECT_THROW(Grid->ColumnStdDev(1, 1, 5), EExtGridError);
    EXPECT_DOUBLE_EQ(Grid->ColumnStdDev(1, 1, 2), 0.5);
    const char* texts[] = {"a", "A", "", "b", "b"};
    for (int r = 1; r < 6; ++r) Grid->SetCellEx(2, r, texts[r - 1]);
    EXPECT_DOUBLE_EQ(Grid->ColumnDistinct(2, 1, 4), 3);
    Grid->SetCellEx(1, 1, "5");
    Grid->SetCellEx(2, 1, "7");
    Grid->SetCellEx(3, 1, "n");
    EXPECT_DOUBLE_EQ(Grid->RowSum(1, 1, 3), 12);
    EXPECT_DOUBLE_EQ(Grid->RowAvg(1, 1, 3), 4);
    EXPECT_DOUBLE_EQ(Grid->RowMin(1, 1, 3), 5);
    EXPECT_DOUBLE_EQ(Grid->RowMax(1, 1, 3), 7);
}

TEST_F(EditingCalcTest, AutoNumberingFromEitherEnd)
{
    Fill(3, 6);
    Grid->AutoNumberStart = 1;
    Grid->AutoNumberCol(0);
    EXPECT_EQ(Grid->GetCellEx(0, 1), "0,1");
    EXPECT_EQ(Grid->GetCellEx(0, 2), "2");
    EXPECT_EQ(Grid->GetCellEx(0, 5), "5");
    Grid->AutoNumberStart = 0;
    Grid->AutoNumberOffset = 10;
    Grid->AutoNumberDirection = sdDescending;
    Grid->AutoNumberCol(1);
    EXPECT_EQ(Grid->GetCellEx(1, 1), "15");
    EXPECT_EQ(Grid->GetCellEx(1, 5), "11");
}

TEST_F(EditingCalcTest, SwapsExchangeCellsRecordsAndSizes)
{
    Fill(4, 4);
    Grid->SetColWidths(1, 30);
    Grid->SetColWidths(2, 90);
    Grid->SetColors(1, 2, clRed);
    Grid->SortSettings()->Column = 1;
    Grid->SwapColumns(1, 2);
    EXPECT_EQ(Grid->GetCellEx(1, 2), "2,2");
    EXPECT_EQ(Grid->GetCellEx(2, 2), "1,2");
    EXPECT_EQ(Grid->GetColors(2, 2), clRed);
    EXPECT_EQ(Grid->ColWidths(1), 90);
    EXPECT_EQ(Grid->SortSettings()->Column, 2);
    Grid->SetRowHeights(1, 40);
    Grid->SwapRows(1, 3);
    EXPECT_EQ(Grid->GetCellEx(0, 1), "0,3");
    EXPECT_EQ(Grid->GetCellEx(0, 3), "0,1");
    EXPECT_EQ(Grid->RowHeights(3), 40);
    // A record follows its cell: it repaints and answers for the cell it now belongs to.
    Grid->SwapRows(2, 1);
    EXPECT_EQ(Grid->GetColors(2, 1), clRed);
    EXPECT_EQ(Grid->GetCellProperties(2, 1)->OwnerRow, 1);
}

TEST_F(EditingCalcTest, RowsAndTheControlSizedToTheirCells)
{
    Fill(4, 5);
    Grid->MinRowHeight = 0;
    // A check box counts as a default row high whatever its font.
    Grid->AddCheckBox(1, 2, true, false);
    Grid->AutoSizeRow(2);
    EXPECT_EQ(Grid->RowHeights(2), Grid->DefaultRowHeight() + Grid->TotalYOffset() + 2 * Grid->GridLineWidth());
    // Two lines of text make a higher row; growing only keeps it when the text shrinks.
    Grid->SetCellEx(2, 3, "one\r\ntwo");
    Grid->AutoSizeRow(3);
    const int two = Grid->RowHeights(3);
    Grid->AutoSizeRow(1);
    EXPECT_GT(two, Grid->RowHeights(1));
    Grid->SizeGrowOnly = true;
    Grid->SetCellEx(2, 3, "one");
    Grid->AutoSizeRow(3);
    EXPECT_EQ(Grid->RowHeights(3), two);
    // Proportional fit: the columns fill the control's width less border and bar.
    Grid->SetScrollBars(ssNone);
    Grid->AutoFitColumns(true);
    int sum = 0;
    for (int c = 0; c < Grid->ColCount(); ++c) sum += Grid->ColWidths(c);
    EXPECT_EQ(sum, Grid->Width() - (Grid->BorderStyle() == bsSingle ? 2 : 0));
    Grid->SizeToCells();
    int rows = 0;
    for (int r = 0; r < Grid->RowCount(); ++r) rows += Grid->RowHeights(r);
    EXPECT_EQ(Grid->ClientHeight(), rows);
}

TEST_F(EditingCalcTest, SavedCellTexts)
{
    Fill(4, 4);
    Grid->AddCheckBox(1, 1, true, false);
    Grid->SetCellEx(1, 1, "");
    String v;
    Grid->GetSaveCellText(1, 1, v);
    EXPECT_EQ(v, "Y");
    Grid->SetCellEx(2, 1, "<B>bold</B> &amp; more");
    Grid->SaveWithHTML = false;
    Grid->GetSaveCellText(2, 1, v);
    EXPECT_EQ(v, "bold & more");
    Grid->SaveWithHTML = true;
    Grid->GetSaveCellText(2, 1, v);
    EXPECT_EQ(v, "<B>bold</B> &amp; more");
    Grid->OnSaveCell = [](TObject*, int, int, String& s) { s += "!"; };
    Grid->GetSaveCellText(3, 2, v);
    EXPECT_EQ(v, "3,2!");
    Grid->OnLoadCell = [](TObject*, int, int, String& s) { s = "[" + s + "]"; };
    Grid->SetLoadCellText(3, 3, "in");
    EXPECT_EQ(Grid->GetCellEx(3, 3), "[in]");
}

TEST_F(EditingCalcTest, RadioGroupClickPicksTheItemUnderThePoint)
{
    Fill(4, 4);
    Grid->SetOptions(Grid->Options() << goEditing);
    Grid->SetColWidths(2, 300);
    TStringList* items = Grid->CreateRadio(2, 2, 1, 0);
    items->Add("One");
    items->Add("Two");
    items->Add("Three");
    int picked = -2;
    Grid->OnRadioClick = [&](TObject*, int, int, int idx) { picked = idx; };
    const TRect R = Grid->CellRect(2, 2);
    const int x = R.Left + Grid->Canvas()->TextWidth("One") + 16 + 4;
    UserClick(Grid, x, (R.Top + R.Bottom) / 2);
    EXPECT_EQ(picked, 1);
    int idx = -1;
    EXPECT_TRUE(Grid->GetRadioIdx(2, 2, idx));
    EXPECT_EQ(idx, 1);
    EXPECT_EQ(Grid->Col(), 2);
    // Beyond the last item nothing is picked, the cell still becomes current.
    picked = -2;
    Grid->SetCol(1);
    UserClick(Grid, R.Right - 3, (R.Top + R.Bottom) / 2);
    EXPECT_EQ(picked, -2);
    EXPECT_EQ(Grid->Col(), 2);
}

}  // namespace
