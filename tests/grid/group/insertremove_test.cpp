// Rows and columns inserted and removed as grouping and the node rows do it: the current
// row, the hidden rows' places, hidden columns and the widths follow.
#include "tests/common/extgrid_fixture.h"

TEST_F(ExtGridTest, RemovingARowKeepsTheCurrentRowAndTheHiddenRowsInPlace)
{
    Fill(3, 10);
    Grid->FocusCell(1, 7, true);
    Grid->HideRow(9);
    Grid->RemoveRows(5, 1);
    EXPECT_EQ(Grid->RowCount(), 8);
    EXPECT_EQ(Grid->Row(), 7);
    EXPECT_EQ(Grid->GetCellEx(1, 7), "1,8");
    EXPECT_TRUE(Grid->IsHiddenRow(8));
    Grid->UnHideRow(8);
    EXPECT_EQ(Grid->GetCellEx(1, 8), "1,9");
    // The last row removed while current: the row above becomes current.
    Grid->FocusCell(1, 8, true);
    Grid->RemoveRows(8, 1);
    EXPECT_EQ(Grid->Row(), 7);
    // Beyond the grid nothing happens.
    Grid->RemoveRows(20, 1);
    EXPECT_EQ(Grid->RowCount(), 8);
}

TEST_F(ExtGridTest, InsertedRowsPushTheHiddenRowsBelowThemDown)
{
    Fill(3, 6);
    Grid->HideRow(4);
    Grid->InsertRows(2, 2);
    EXPECT_EQ(Grid->GetCellEx(1, 2), "");
    EXPECT_EQ(Grid->GetCellEx(1, 4), "1,2");
    EXPECT_TRUE(Grid->IsHiddenRow(6));
    Grid->UnHideRowsAll();
    EXPECT_EQ(RowText(5), "0,3|1,3|2,3");
    EXPECT_EQ(RowText(6), "0,4|1,4|2,4");
}

TEST_F(ExtGridTest, ColumnsInsertedAndRemovedAroundHiddenColumns)
{
    struct Case {
        const char* What;
        int Hide, At, Count;
        bool Insert;
        const char* Texts;   // row 0 after the change, every real column
        int Hidden;
    } cases[] = {
        {"insert before a hidden column", 3, 1, 1, true, "0,0||1,0|2,0|3,0|4,0", 1},
        {"insert after it", 1, 3, 2, true, "0,0|1,0|2,0|||3,0|4,0", 1},
        {"remove a range holding it", 2, 1, 2, false, "0,0|3,0|4,0", 0},
        {"remove beside it", 3, 1, 1, false, "0,0|2,0|3,0|4,0", 1},
        {"remove past the end", 1, 3, 9, false, "0,0|1,0|2,0", 1},
    };
    for (const Case& c : cases) {
        Fill(5, 3);
        Grid->UnHideColumnsAll();
        for (int i = 0; i < 5; ++i) Grid->SetColWidths(i, 40 + i);
        Grid->HideColumn(c.Hide);
        if (c.Insert) Grid->InsertCols(c.At, c.Count);
        else Grid->RemoveCols(c.At, c.Count);
        EXPECT_EQ(RowText(0), c.Texts) << c.What;
        EXPECT_EQ(Grid->NumHiddenColumns(), c.Hidden) << c.What;
        // Each column keeps its width; new ones take the default.
        Grid->UnHideColumnsAll();
        for (int i = 0; i < Grid->ColCount(); ++i) {
            const String t = Grid->GetCellEx(i, 0);
            const int want = t.empty() ? Grid->DefaultColWidth() : 40 + StrToInt(t.substr(0, 1));
            EXPECT_EQ(Grid->ColWidths(i), want) << c.What << " column " << i;
        }
    }
}

// ---------------------------------------------------------------- rows across hidden rows, flags and merged areas

namespace {
// Column 0 of every real row: its row number from the fill ("_" for an empty row),
// a hidden row in brackets.
String RealRows(TExtStringGrid* g)
{
    String s;
    for (int r = 0; r < g->TotalRowCount(); ++r) {
        const String t = g->GetCellsEx(0, r);
        String n = t.empty() ? String("_") : t.substr(t.find(',') + 1);
        if (g->IsHiddenRow(r)) n = "[" + n + "]";
        (r ? s += ' ' : s) += n;
    }
    return s;
}
}

TEST_F(ExtGridTest, InsertsAndRemovalsKeepEveryHiddenRowBetweenTheSameNeighbours)
{
    struct Case {
        const char* What;
        int Hide;   // display row hidden first
        bool Insert;
        int At, Count;
        const char* After;
    } cases[] = {
        {"insert above a hidden row", 4, true, 2, 1, "0 1 _ 2 3 [4] 5 6 7"},
        {"insert just below it", 4, true, 4, 2, "0 1 2 3 [4] _ _ 5 6 7"},
        {"insert at the end", 4, true, 7, 1, "0 1 2 3 [4] 5 6 7 _"},
        {"remove rows on both sides of it", 4, false, 3, 2, "0 1 2 [4] 6 7"},
        {"remove rows below it", 2, false, 5, 1, "0 1 [2] 3 4 5 7"},
        {"remove rows above it", 6, false, 1, 3, "0 4 5 [6] 7"},
        // A range not wholly in the grid changes nothing at all.
        {"insert past the end", 4, true, 8, 1, "0 1 2 3 [4] 5 6 7"},
        {"insert at a negative row", 4, true, -1, 1, "0 1 2 3 [4] 5 6 7"},
        {"remove past the end", 4, false, 5, 3, "0 1 2 3 [4] 5 6 7"},
        {"remove at a negative row", 4, false, -1, 2, "0 1 2 3 [4] 5 6 7"},
        {"remove nothing", 4, false, 2, 0, "0 1 2 3 [4] 5 6 7"},
    };
    for (const Case& c : cases) {
        Grid->UnHideRowsAll();
        Fill(2, 8);
        Grid->HideRow(c.Hide);
        if (c.Insert) Grid->InsertRows(c.At, c.Count);
        else Grid->RemoveRows(c.At, c.Count);
        EXPECT_EQ(RealRows(Grid), c.After) << c.What;
        // Brought back, the hidden row lands where it was shown among its neighbours.
        Grid->UnHideRowsAll();
        EXPECT_EQ(RealRows(Grid).find('['), String::npos) << c.What;
    }
}

TEST_F(ExtGridTest, ModifiedAndDisabledRowMarksFollowTheirRowsAndSelectionsStay)
{
    struct Case {
        const char* What;
        bool Insert;
        int At, Count;
        std::vector<int> Modified, Disabled;
    } cases[] = {
        {"insert above the marks", true, 2, 1, {4, 6}, {5}},
        {"insert between them", true, 4, 2, {3, 7}, {6}},
        {"remove a marked row", false, 3, 1, {4}, {3}},
        {"remove rows below every mark", false, 7, 2, {3, 5}, {4}},
        {"remove past the end", false, 8, 5, {3, 5}, {4}},
    };
    for (const Case& c : cases) {
        Fill(2, 10);
        Grid->MouseActions()->SetDisjunctRowSelect(true);
        Grid->ClearModifiedRows();
        Grid->SetRowModified(3, true);
        Grid->SetRowModified(5, true);
        for (int r = 0; r < 10; ++r) Grid->SetRowEnabled(r, r != 4);
        Grid->ClearRowSelect();
        Grid->SetRowSelect(2, true);
        if (c.Insert) Grid->InsertRows(c.At, c.Count);
        else Grid->RemoveRows(c.At, c.Count);
        std::vector<int> modified, disabled;
        for (int r = 0; r < Grid->RowCount(); ++r) {
            if (Grid->GetRowModified(r)) modified.push_back(r);
            if (!Grid->GetRowEnabled(r)) disabled.push_back(r);
        }
        EXPECT_EQ(modified, c.Modified) << c.What;
        EXPECT_EQ(disabled, c.Disabled) << c.What;
        // Inserting leaves the selected rows' indexes as they were.
        if (c.Insert) {
            EXPECT_TRUE(Grid->GetRowSelect(2)) << c.What;
        }
        Grid->MouseActions()->SetDisjunctRowSelect(false);
    }
}

TEST_F(ExtGridTest, MergedAreasAndFixedRowsMoveWithTheRows)
{
    struct Case {
        const char* What;
        bool Insert;
        int At, Count;
        int BaseRow;   // where the two-row area of column 1 starts afterwards; -1 gone
    } cases[] = {
        {"insert above the area", true, 1, 2, 5},
        {"insert below it", true, 6, 1, 3},
        {"remove above it", false, 1, 2, 1},
        {"remove the area's rows", false, 3, 2, -1},
    };
    for (const Case& c : cases) {
        Grid->SplitAllCells();
        Fill(3, 9);
        Grid->SetFixedRows(1);
        Grid->MergeCells(1, 3, 1, 2);
        if (c.Insert) Grid->InsertRows(c.At, c.Count);
        else Grid->RemoveRows(c.At, c.Count);
        int base = -1;
        for (int r = 0; r < Grid->RowCount(); ++r)
            if (Grid->IsMergedCell(1, r) && Grid->IsBaseCell(1, r)) base = r;
        EXPECT_EQ(base, c.BaseRow) << c.What;
        if (base >= 0) {
            EXPECT_TRUE(Grid->IsMergedNonBaseCell(1, base + 1)) << c.What;
            EXPECT_EQ(Grid->GetCellEx(1, base), "1,3") << c.What;
        }
        EXPECT_EQ(Grid->GetCellEx(0, 0), "0,0") << c.What;
        EXPECT_EQ(Grid->FixedRows(), 1) << c.What;
    }
}
