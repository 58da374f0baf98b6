// Hidden columns (cells stay at their real index, display positions re-aim) and hidden
// rows (rows leave the grid for the store and come back with texts, records and
// heights); moving rows; hiding the selection.
#include <vector>

#include "grid/util/GridSupport.h"
#include "tests/common/extgrid_fixture.h"

// ---------------------------------------------------------------- columns

TEST_F(ExtGridTest, RealAndDisplayColumnsTranslateBothWays)
{
    Fill(6, 4);
    for (int c : {-3, -1, 0, 3, 5, 700}) {
        EXPECT_EQ(Grid->RealColIndex(c), c);
        EXPECT_EQ(Grid->DisplColIndex(c), c);
    }
    Grid->HideColumn(1);
    Grid->HideColumn(3);
    const int realOfDisplay[] = {0, 2, 4, 5};
    for (int d = 0; d < 4; ++d) EXPECT_EQ(Grid->RealColIndex(d), realOfDisplay[d]) << d;
    const int displayOfReal[] = {0, 1, 1, 2, 2, 3};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(Grid->DisplColIndex(c), displayOfReal[c]) << c;
    // Past the last displayed column the real columns continue after the last one,
    // hidden ones counted, also past the 512-entry map.
    EXPECT_EQ(Grid->RealColIndex(4), 6);
    EXPECT_EQ(Grid->RealColIndex(511), 513);
    EXPECT_EQ(Grid->RealColIndex(600), 600);
    EXPECT_EQ(Grid->RealColIndex(-2), -2);
    EXPECT_FALSE(Grid->IsHiddenColumn(600));
    EXPECT_FALSE(Grid->IsHiddenColumn(-1));
    EXPECT_TRUE(Grid->IsHiddenColumn(3));
}

TEST_F(ExtGridTest, HidingAColumnKeepsItsCellsAtTheRealIndexAndItsWidthForLater)
{
    Fill(4, 3);
    const int widths[] = {30, 40, 50, 60};
    for (int c = 0; c < 4; ++c) Grid->SetColWidths(c, widths[c]);
    Grid->HideColumn(2);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->TotalColCount(), 4);
    EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    EXPECT_EQ(Grid->ColWidths(2), 60);                     // display 2 is real 3
    EXPECT_EQ(Grid->GetCellEx(2, 1), "2,1");               // the hidden cell, by its real index
    EXPECT_EQ(Grid->GetCellEx(Grid->RealColIndex(2), 1), "3,1");
    Grid->SetCellEx(2, 1, "changed while hidden");
    Grid->UnHideColumn(2);
    EXPECT_EQ(Grid->ColCount(), 4);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Grid->ColWidths(c), widths[c]) << c;
    EXPECT_EQ(Grid->GetCellEx(2, 1), "changed while hidden");
    EXPECT_EQ(Grid->GetCellEx(3, 1), "3,1");
}

TEST_F(ExtGridTest, HidingStopsAtTheLastDisplayedColumnAndAtTheMapsEnd)
{
    Fill(4, 3);
    Grid->HideColumns(0, 3);
    EXPECT_EQ(Grid->ColCount(), 1);
    EXPECT_EQ(Grid->NumHiddenColumns(), 3);
    EXPECT_EQ(Grid->RealColIndex(0), 3);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(RowText(1), "0,1|1,1|2,1|3,1");

    // Columns from 512 on lie beyond the maps: asking to hide them changes nothing.
    Grid->SetColCount(520);
    Grid->SetCellEx(515, 1, "far");
    Grid->HideColumns(510, 530);
    EXPECT_EQ(Grid->NumHiddenColumns(), 2);   // 510 and 511 only
    EXPECT_EQ(Grid->ColCount(), 518);
    EXPECT_EQ(Grid->GetCellEx(515, 1), "far");
    EXPECT_EQ(Grid->DisplColIndex(515), 515);
}

TEST_F(ExtGridTest, HidingTheCurrentLastColumnMovesTheCurrentCellLeft)
{
    Fill(4, 3);
    Grid->FocusCell(3, 1, true);
    Grid->HideColumn(3);
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(ExtGridTest, MovingAColumnWithHiddenColumnsMovesTheRealCells)
{
    Fill(5, 3);
    Grid->HideColumn(1);
    // Display 1 is real 2, display 3 is real 4.
    Grid->MoveColumn(1, 3);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(RowText(2), "0,2|1,2|3,2|4,2|2,2");
}

// ---------------------------------------------------------------- rows

TEST_F(ExtGridTest, HiddenRowsLeaveTheGridWithTheirCellsAndComeBackWithHeights)
{
    Fill(3, 10);
    Grid->SetRowHeights(4, 40);
    Grid->GetCellProperties(1, 4)->CellObject = 44;
    Grid->HideRows(3, 5);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Grid->NumHiddenRows(), 3);
    EXPECT_EQ(Grid->TotalRowCount(), 10);
    EXPECT_EQ(Grid->RealRowIndex(3), 6);
    EXPECT_EQ(Grid->DisplRowIndex(6), 3);
    EXPECT_EQ(Grid->GetCellEx(0, 3), "0,6");
    EXPECT_TRUE(Grid->IsHiddenRow(4));
    EXPECT_EQ(Grid->GetCellsEx(2, 4), "2,4");   // a hidden row read by its real index
    EXPECT_EQ(Grid->GetCellsEx(2, 6), "2,6");
    Grid->UnHideRows(3, 5);
    EXPECT_EQ(Grid->RowCount(), 10);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    for (int r = 0; r < 10; ++r) EXPECT_EQ(RowText(r), Name(0, r) + "|" + Name(1, r) + "|" + Name(2, r));
    EXPECT_EQ(Grid->RowHeights(4), 40);
    EXPECT_EQ(Grid->GetObjectEx(1, 4), 44u);
}

TEST_F(ExtGridTest, HiddenRowsKeepTheCellsOfHiddenColumns)
{
    Fill(4, 6);
    Grid->HideColumn(2);
    Grid->HideRow(3);
    Grid->UnHideRow(3);
    Grid->UnHideColumn(2);
    EXPECT_EQ(RowText(3), "0,3|1,3|2,3|3,3");
}

TEST_F(ExtGridTest, RowRangesThatAreAlreadyHiddenOrStartDisplayed)
{
    Fill(2, 10);
    Grid->HideRows(2, 4);
    Grid->HideRows(2, 4);   // all hidden: nothing happens
    EXPECT_EQ(Grid->NumHiddenRows(), 3);
    EXPECT_EQ(Grid->RowCount(), 7);
    Grid->UnHideRows(1, 4);   // starts at a displayed row: nothing is restored
    EXPECT_EQ(Grid->NumHiddenRows(), 3);
}

TEST_F(ExtGridTest, PartlyHiddenRangesHideAndShowTheRightRows)
{
    Fill(2, 10);
    Grid->HideRow(4);
    Grid->HideRows(3, 6);   // 4 is hidden already: 3, 5 and 6 join it
    EXPECT_EQ(Grid->NumHiddenRows(), 4);
    EXPECT_EQ(Grid->RowCount(), 6);
    for (int r : {3, 4, 5, 6}) EXPECT_EQ(Grid->GetCellsEx(1, r), Name(1, r)) << r;
    EXPECT_EQ(Grid->GetCellEx(0, 3), "0,7");
    // Showing part of the range, then all of it, puts every row back at its place.
    Grid->UnHideRows(5, 5);
    EXPECT_EQ(Grid->GetCellEx(0, 3), "0,5");
    Grid->UnHideRows(3, 6);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    for (int r = 0; r < 10; ++r) EXPECT_EQ(Grid->GetCellEx(0, r), Name(0, r)) << r;
}

TEST_F(ExtGridTest, UnhidingEverythingRestoresSeparateRuns)
{
    Fill(2, 10);
    Grid->HideRow(7);
    Grid->HideRows(2, 3);
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->RowCount(), 10);
    for (int r = 0; r < 10; ++r) EXPECT_EQ(Grid->GetCellEx(1, r), Name(1, r)) << r;
}

TEST_F(ExtGridTest, FilterLevelsComeBackInReverseOrder)
{
    Fill(2, 8);
    TIntList first(0, 0), second(0, 0);
    first.Add(2);
    first.Add(5);
    Grid->HideRowList(&first);   // display rows 2 and 5 go
    EXPECT_EQ(Grid->RowCount(), 6);
    second.Add(1);
    Grid->HideRowList(&second);   // display row 1 of what is left ("1,1")
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->FilterLevel(), 2);
    Grid->UnHideRowList();
    Grid->SetFilterLevel(Grid->FilterLevel() - 1);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->GetCellEx(0, 1), "0,1");
    EXPECT_EQ(Grid->GetCellEx(0, 2), "0,3");   // the first level is still filtered
    Grid->UnHideRowList();
    Grid->SetFilterLevel(Grid->FilterLevel() - 1);
    EXPECT_EQ(Grid->RowCount(), 8);
    for (int r = 0; r < 8; ++r) EXPECT_EQ(Grid->GetCellEx(0, r), Name(0, r)) << r;
}

TEST_F(ExtGridTest, MovingABlockOfRowsDown)
{
    Fill(2, 12);
    Grid->MoveRows(5, 10, 2);
    EXPECT_EQ(Grid->GetCellEx(0, 8), "0,5");
    EXPECT_EQ(Grid->GetCellEx(0, 9), "0,6");
    EXPECT_EQ(Grid->GetCellEx(0, 5), "0,7");
    EXPECT_EQ(Grid->RowCount(), 12);
}

TEST_F(ExtGridTest, ASelectionHiddenAcrossDeletedRowsComesBackOnTheFirstScrollableCell)
{
    Fill(4, 10);
    Grid->FocusCell(2, 8, true);
    Grid->HideSelection();
    EXPECT_TRUE(Grid->SelectionHidden());
    EXPECT_EQ(Grid->Selection().Top, 10);
    Grid->SetRowCount(5);
    Grid->UnHideSelection();
    EXPECT_FALSE(Grid->SelectionHidden());
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 1, 1, 1));
}

TEST_F(ExtGridTest, TheLastRowMadeCurrentIsScrolledTowardsTheSearchFooter)
{
    Fill(3, 40);
    Grid->SearchFooter()->SetVisible(true);
    ASSERT_EQ(Grid->SearchPanel()->Height(), 32);
    ASSERT_TRUE(Grid->SearchPanel()->Visible());
    Grid->SetRowEx(39);
    EXPECT_EQ(Grid->Row(), 39);
    // As far as the base grid scrolls: the last row is fully in the grid.
    EXPECT_LE(Grid->CalcCellRect(0, 39).Bottom, Grid->ClientRect().Height());
    const int top = Grid->TopRow();
    Grid->SetTopRow(top + 1);
    EXPECT_EQ(Grid->TopRow(), top);
    Grid->ScrollInView(1, 20);
    EXPECT_LE(Grid->CalcCellRect(0, 20).Bottom, Grid->ClientRect().Height() - 32);
}

namespace {

TEST_F(ExtGridTest, AHiddenColumnKeepsItsWidthAndTakesANewOneWhenShown)
{
    Fill(5, 3);
    Grid->SetColWidths(2, 77);
    Grid->SetColWidths(3, 55);
    Grid->HideColumn(2);
    EXPECT_EQ(Grid->GetAllColWidths(2), 77);
    EXPECT_EQ(Grid->GetAllColWidths(3), 55);
    // Changing the hidden column's width changes nothing that is shown.
    Grid->SetAllColWidths(2, 90);
    EXPECT_EQ(Grid->ColWidths(2), 55);
    Grid->UnHideColumn(2);
    EXPECT_EQ(Grid->ColWidths(2), 90);
    EXPECT_EQ(Grid->ColWidths(3), 55);
}

}  // namespace
