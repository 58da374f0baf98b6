// Dimensions, misuse errors, the cell store, moving and deleting, and the geometry of
// cells and scroll bars.
#include <functional>

#include "grid_fixture.h"

TEST_F(GridTest, StartsWithTheToolkitDefaults)
{
    TStringGrid g(nullptr);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.DefaultColWidth(), 64);
    EXPECT_EQ(g.DefaultRowHeight(), 24);
    EXPECT_EQ(g.ColWidths(3), 64);
    EXPECT_EQ(g.RowHeights(3), 24);
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.Options(), (TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.LeftCol(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.Selection(), TGridRect(1, 1, 1, 1));
    EXPECT_EQ(g.FixedColor(), clBtnFace);
    EXPECT_EQ(g.ScrollBars(), ssBoth);
    EXPECT_TRUE(g.DefaultDrawing());
    EXPECT_FALSE(g.EditorMode());
}

TEST_F(GridTest, MisuseRaisesTheToolkitErrorsAndChangesNothing)
{
    struct Case {
        const char* what;
        std::function<void(TStringGrid&)> act;
        const char* text;
    };
    const char* index = "Grid index out of range";
    const Case cases[] = {
        {"negative fixed rows", [](TStringGrid& g) { g.SetFixedRows(-1); }, index},
        {"negative fixed columns", [](TStringGrid& g) { g.SetFixedCols(-1); }, index},
        {"fixed rows as many as rows", [](TStringGrid& g) { g.SetFixedRows(5); },
         "Fixed row count must be less than row count"},
        {"fixed columns beyond columns", [](TStringGrid& g) { g.SetFixedCols(7); },
         "Fixed column count must be less than column count"},
        {"cell beyond the columns", [](TStringGrid& g) { g.SetCells(5, 0, "x"); }, index},
        {"cell above the first row", [](TStringGrid& g) { g.SetCells(0, -1, "x"); }, index},
        {"width of a missing column", [](TStringGrid& g) { g.SetColWidths(5, 10); }, index},
        {"height of a negative row", [](TStringGrid& g) { g.SetRowHeights(-1, 10); }, index},
        {"current column beyond the columns", [](TStringGrid& g) { g.SetCol(5); }, index},
        {"moving a column past the end", [](TStringGrid& g) { g.MoveColumn(1, 5); }, index},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Grid->SetCells(2, 2, "kept");
        try {
            c.act(*Grid);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGridOperation& e) {
            EXPECT_EQ(e.Message(), c.text);
        }
        EXPECT_EQ(Grid->FixedRows(), 1);
        EXPECT_EQ(Grid->FixedCols(), 1);
        EXPECT_EQ(Grid->Col(), 1);
        EXPECT_EQ(Grid->Row(), 1);
        EXPECT_EQ(Grid->ColWidths(4), 64);
        EXPECT_EQ(Grid->Cells(2, 2), "kept");
    }
}

TEST_F(GridTest, CountsKeepFixedCellsCurrentCellAndCellsConsistent)
{
    Fill(6, 8);
    Grid->SetCol(5);
    Grid->SetRow(7);
    Grid->SetRowCount(4);
    Grid->SetColCount(3);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Cells(2, 3), "2,3");
    // Cells that went with the rows and columns do not come back.
    Grid->SetRowCount(8);
    Grid->SetColCount(6);
    EXPECT_EQ(Grid->Cells(2, 5), "");
    EXPECT_EQ(Grid->Cells(4, 1), "");
    EXPECT_EQ(Grid->ColWidths(5), 64);
    // No row count below 1, and fixed rows give way to fewer rows.
    Grid->SetRowCount(0);
    EXPECT_EQ(Grid->RowCount(), 1);
    EXPECT_EQ(Grid->FixedRows(), 0);
    Grid->SetColCount(1);
    EXPECT_EQ(Grid->FixedCols(), 0);
    EXPECT_EQ(Grid->Log.back(), "SizeChanged 6,1");
}

TEST_F(GridTest, DefaultSizesApplyToEveryColumnAndRow)
{
    Grid->SetColWidths(2, 30);
    Grid->SetRowHeights(3, 40);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Grid->ColWidths(i), 50);
        EXPECT_EQ(Grid->RowHeights(i), 20);
    }
    Grid->SetColCount(7);
    EXPECT_EQ(Grid->ColWidths(6), 50);
    EXPECT_EQ(Grid->GridWidth(), 7 * 51);
}

TEST_F(GridTest, CellsObjectsRowsAndColumnsRoundTrip)
{
    TObject a, b;
    Grid->SetCells(1, 2, "one");
    Grid->SetObjects(1, 2, &a);
    Grid->SetObjects(3, 2, &b);
    TStringList row;
    Grid->Rows(2, row);
    ASSERT_EQ(row.Count(), 5);
    EXPECT_EQ(row[1], "one");
    EXPECT_EQ(row.Objects(1), &a);
    EXPECT_EQ(row.Objects(3), &b);
    // Assigning a shorter list empties the rest of the row.
    TStringList shortRow;
    shortRow.Add("x");
    shortRow.AddObject("y", &b);
    Grid->SetRows(2, shortRow);
    EXPECT_EQ(Grid->Cells(0, 2), "x");
    EXPECT_EQ(Grid->Objects(1, 2), &b);
    EXPECT_EQ(Grid->Cells(1, 2), "y");
    EXPECT_EQ(Grid->Objects(3, 2), nullptr);
    TStringList col;
    col.Add("h");
    Grid->SetCols(4, col);
    Grid->Cols(4, col);
    ASSERT_EQ(col.Count(), 5);
    EXPECT_EQ(col[0], "h");
    EXPECT_EQ(col[2], "");
    // Reading outside the grid gives empty cells; objects are not owned.
    EXPECT_EQ(Grid->Cells(9, 9), "");
    EXPECT_EQ(Grid->Objects(-1, 0), nullptr);
}

TEST_F(GridTest, MovingColumnsAndRowsTakesCellsSizesAndTheCurrentCell)
{
    Fill(5, 5);
    Grid->SetColWidths(1, 40);
    Grid->SetCol(1);
    Grid->Log.clear();
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(Grid->Log, (std::vector<String>{"ColumnMoved 1,3", "ColWidthsChanged"}));
    const char* afterCols[] = {"0,2", "2,2", "3,2", "1,2", "4,2"};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(Grid->Cells(c, 2), afterCols[c]);
    EXPECT_EQ(Grid->ColWidths(3), 40);
    EXPECT_EQ(Grid->ColWidths(1), 64);
    EXPECT_EQ(Grid->Col(), 3);

    Grid->SetRowHeights(4, 30);
    Grid->MoveRow(4, 2);
    EXPECT_EQ(Grid->Cells(0, 2), "0,4");
    EXPECT_EQ(Grid->Cells(0, 3), "0,2");
    EXPECT_EQ(Grid->RowHeights(2), 30);

    Grid->DeleteRow(1);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(0, 1), "0,4");
    EXPECT_EQ(Grid->Cells(0, 3), "0,3");
}

TEST_F(GridTest, CellRectsAndHitTestsFollowWidthsLinesAndScrolling)
{
    EXPECT_EQ(Grid->CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(Grid->CellRect(2, 3), Rect(130, 75, 194, 99));
    struct Hit {
        int x, y, col, row;
    };
    const Hit hits[] = {
        {10, 10, 0, 0},  {63, 23, 0, 0},   {64, 24, 0, 0},   // the line after a cell is the cell's
        {65, 25, 1, 1},  {200, 80, 3, 3},  {324, 124, 4, 4}, {325, 10, -1, -1}, {10, 125, -1, -1},
    };
    for (const Hit& h : hits) {
        int c = 0, r = 0;
        Grid->MouseToCell(h.x, h.y, c, r);
        EXPECT_EQ(c, h.col) << h.x << "," << h.y;
        EXPECT_EQ(r, h.row) << h.x << "," << h.y;
    }
    Grid->SetGridLineWidth(3);
    EXPECT_EQ(Grid->CellRect(2, 1), Rect(134, 27, 198, 51));
    Grid->SetOptions(Grid->Options() - TGridOptions{goVertLine, goFixedVertLine});
    EXPECT_EQ(Grid->CellRect(2, 1), Rect(128, 27, 192, 51));
    Grid->SetGridLineWidth(1);

    Fill(5, 100);
    Grid->SetTopRow(50);
    EXPECT_EQ(Grid->CellRect(1, 50).Top, 25);
    EXPECT_EQ(Grid->CellRect(1, 0).Top, 0);
    EXPECT_TRUE(Grid->CellRect(1, 10).IsEmpty());
    int c = 0, r = 0;
    Grid->MouseToCell(70, 30, c, r);
    EXPECT_EQ(r, 50);
}

TEST_F(GridTest, ScrollBarsShowWhenCellsDoNotFitAndTakeTheirRoom)
{
    EXPECT_FALSE(Grid->ScrollBarShown(SB_VERT));
    EXPECT_FALSE(Grid->ScrollBarShown(SB_HORZ));
    EXPECT_EQ(Grid->ClientWidth(), 400);
    Fill(5, 100);
    EXPECT_TRUE(Grid->ScrollBarShown(SB_VERT));
    EXPECT_FALSE(Grid->ScrollBarShown(SB_HORZ));
    EXPECT_EQ(Grid->ClientWidth(), 400 - TGridScrollBar::Size);
    // 300 pixels: the fixed row and 11 full rows of 25.
    EXPECT_EQ(Grid->VisibleRowCount(), 11);
    TGridScrollInfo info;
    ASSERT_TRUE(Grid->GetScrollInfo(SB_VERT, info));
    EXPECT_EQ(info.Max, 88);   // top rows 1 … 89
    EXPECT_EQ(info.Page, 11);
    Fill(20, 100);
    EXPECT_TRUE(Grid->ScrollBarShown(SB_HORZ));
    EXPECT_EQ(Grid->ClientHeight(), 300 - TGridScrollBar::Size);
    // Scrolled to the end, a smaller grid pulls the view back: no empty rows below.
    Grid->SetTopRow(89);
    Grid->SetRowCount(20);
    EXPECT_EQ(Grid->TopRow(), 20 - Grid->VisibleRowCount());
    Grid->SetScrollBars(ssNone);
    EXPECT_FALSE(Grid->ScrollBarShown(SB_VERT));
    EXPECT_EQ(Grid->ClientWidth(), 400);
}

TEST_F(GridTest, ASelectionMovedOutsideTheCellsHidesItSafely)
{
    // A descendant hides the selection by putting it past the last cell.
    Fill(5, 30);
    Grid->SetOptions(Grid->Options() << goEditing);
    Grid->SetSelection(TGridRect(5, 30, 5, 30));
    TBitmap bmp;
    PaintControlTo(Grid, &bmp);
    for (int x = 0; x < bmp.Width(); x += 3)
        for (int y = 0; y < bmp.Height(); y += 3) ASSERT_NE(bmp.Canvas()->Pixels(x, y), ColorToRGB(clHighlight));
    UserWheel(Grid, WHEEL_DELTA);
    UserWheel(Grid, -WHEEL_DELTA);
    Key(VK_RETURN);
    EXPECT_FALSE(EditorShown());
    Grid->SetOptions(Grid->Options() << goRowSelect);
    Grid->SetOptions(Grid->Options() >> goRowSelect);
    EXPECT_EQ(Grid->Selection(), TGridRect(5, 30, 5, 30));
    // A key brings the current cell back into the grid.
    Key(VK_UP);
    EXPECT_EQ(Grid->Col(), 4);
    EXPECT_EQ(Grid->Row(), 29);
}
