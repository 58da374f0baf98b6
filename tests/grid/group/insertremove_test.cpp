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
