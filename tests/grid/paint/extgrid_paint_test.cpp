// What the grid paints: a merged area whole and once, no hidden column, the state of a
// data check box, the selection colour; into bitmaps and from the shown grid.
#include <map>

#include "tests/common/extgrid_fixture.h"
#include "tests/common/Snapshot.h"

namespace {
// Counts the content painting of every cell.
class TCountGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::map<std::pair<int, int>, int> Content;
    void DrawCellContent(TCanvas* c, int col, int row, TRect r, TGridDrawState s) override
    {
        ++Content[{col, row}];
        TExtStringGrid::DrawCellContent(c, col, row, r, s);
    }
};

class ExtGridPaintTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TCountGrid* Grid = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(420);
        Form->SetClientHeight(260);
        Grid = new TCountGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 400, 240);
        Grid->SetColCount(5);
        Grid->SetRowCount(5);
        Form->Show();
    }
    void TearDown() override { delete Form; }
    // The grid as the screen shows it.
    void Shot(TBitmap& png, const char* name) { ASSERT_TRUE(SNAPSHOT(Grid, name, png)); }
};
}

TEST_F(ExtGridPaintTest, AMergedAreaIsPaintedWholeAndOnce)
{
    Grid->GetCellProperties(1, 1)->SetBrushColor(clRed);
    Grid->MergeCells(1, 1, 2, 2);
    Grid->FocusCell(4, 4, true);   // the area is not selected
    const TRect area = Grid->CellRect(2, 2);
    EXPECT_EQ(area.Width(), Grid->ColWidths(1) + Grid->ColWidths(2));
    EXPECT_EQ(area.Height(), Grid->RowHeights(1) + Grid->RowHeights(2));

    TBitmap png;
    Grid->Content.clear();
    Shot(png, "extgrid_merged.png");
    EXPECT_EQ(Grid->Content[std::make_pair(1, 1)], 1);
    const size_t others = Grid->Content.count({2, 1}) + Grid->Content.count({1, 2}) + Grid->Content.count({2, 2});
    EXPECT_EQ(others, 0u);
    // Red across the inner borders of the four cells; the area's own lines at its
    // right and bottom edge only.
    const TRect single = Grid->CalcCellRect(1, 1);
    const int midY = (area.Top + area.Bottom) / 2, midX = (area.Left + area.Right) / 2;
    EXPECT_EQ(png.Canvas()->Pixels(single.Right - 1, midY), clRed);
    EXPECT_EQ(png.Canvas()->Pixels(single.Right, midY), clRed);
    EXPECT_EQ(png.Canvas()->Pixels(midX, single.Bottom - 1), clRed);
    EXPECT_EQ(png.Canvas()->Pixels(area.Right - 1, midY), clSilver);
    EXPECT_EQ(png.Canvas()->Pixels(midX, area.Bottom - 1), clSilver);

    // Painted on its own into a bitmap from a cell inside the area: the whole area.
    TBitmap bmp(400, 240);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 400, 240));
    Grid->PaintCell(bmp.Canvas(), 2, 2, Grid->CalcCellRect(2, 2), TGridDrawState());
    const int inside = (area.Width() - 1) * (area.Height() - 1);
    EXPECT_EQ(Count_Pixels(bmp, TRect(area.Left, area.Top, area.Right - 1, area.Bottom - 1), clRed), inside);
}

TEST_F(ExtGridPaintTest, AHiddenColumnIsNotPainted)
{
    for (int r = 1; r < 5; ++r) {
        Grid->GetCellProperties(2, r)->SetBrushColor(clRed);
        Grid->GetCellProperties(3, r)->SetBrushColor(clBlue);
    }
    TBitmap before;
    Shot(before, "extgrid_before_hide.png");
    ASSERT_GT(Count_Pixels(before, Grid->ClientRect(), clRed), 0);
    Grid->HideColumn(2);
    TBitmap after;
    Shot(after, "extgrid_hidden_column.png");
    EXPECT_EQ(Count_Pixels(after, Grid->ClientRect(), clRed), 0);
    // Display column 2 shows real column 3.
    const TRect shown = Grid->CellRect(2, 2);
    EXPECT_EQ(after.Canvas()->Pixels(shown.Left + 3, shown.Top + 3), clBlue);
}

TEST_F(ExtGridPaintTest, CheckedAndUncheckedDataCheckBoxesLookDifferent)
{
    Grid->AddCheckBox(1, 1, true, true);
    Grid->AddCheckBox(1, 2, false, true);
    ASSERT_EQ(Grid->GetCellEx(1, 1), "Y");
    ASSERT_EQ(Grid->GetCellEx(1, 2), "N");
    TBitmap a(400, 240), b(400, 240);
    for (TBitmap* x : {&a, &b}) {
        x->Canvas()->Brush()->SetColor(clWhite);
        x->Canvas()->FillRect(TRect(0, 0, 400, 240));
    }
    Grid->PaintCell(a.Canvas(), 1, 1, TRect(), TGridDrawState());
    Grid->PaintCell(b.Canvas(), 1, 2, TRect(), TGridDrawState());
    const TRect ra = Grid->CellRect(1, 1), rb = Grid->CellRect(1, 2);
    int differ = 0;
    for (int y = 0; y < ra.Height(); ++y)
        for (int x = 0; x < ra.Width(); ++x)
            differ += a.Canvas()->Pixels(ra.Left + x, ra.Top + y) != b.Canvas()->Pixels(rb.Left + x, rb.Top + y);
    EXPECT_GT(differ, 5);
    // Toggling the second box makes it look like the first.
    Grid->ToggleCheckBox(1, 2);
    TBitmap c(400, 240);
    c.Canvas()->Brush()->SetColor(clWhite);
    c.Canvas()->FillRect(TRect(0, 0, 400, 240));
    Grid->PaintCell(c.Canvas(), 1, 2, TRect(), TGridDrawState());
    differ = 0;
    for (int y = 0; y < ra.Height(); ++y)
        for (int x = 0; x < ra.Width(); ++x)
            differ += a.Canvas()->Pixels(ra.Left + x, ra.Top + y) != c.Canvas()->Pixels(rb.Left + x, rb.Top + y);
    EXPECT_EQ(differ, 0);
}

TEST_F(ExtGridPaintTest, SelectedCellsTakeTheSelectionColour)
{
    Grid->SetSelection(TGridRect(1, 1, 3, 3));
    TBitmap png;
    Shot(png, "extgrid_selection.png");
    const TRect r = Grid->CellRect(2, 2);
    EXPECT_EQ(png.Canvas()->Pixels(r.Left + 4, r.Top + 4), TColor(0xEACAB6));
    const TRect outside = Grid->CellRect(4, 4);
    EXPECT_EQ(png.Canvas()->Pixels(outside.Left + 4, outside.Top + 4), ColorToRGB(clWindow));
    // The same cell painted on its own as selected.
    TBitmap bmp(400, 240);
    Grid->PaintCell(bmp.Canvas(), 4, 4, TRect(), TGridDrawState{gdSelected});
    EXPECT_EQ(bmp.Canvas()->Pixels(outside.Left + 4, outside.Top + 4), TColor(0xEACAB6));
}

// The last row hidden by the grid, and lines of no width: the hidden row shows the
// grid's colour alone; normal cells lose their lines while fixed cells keep theirs.
TEST_F(ExtGridPaintTest, AHiddenLastRowAndLinesOfNoWidth)
{
    Grid->SetColor(clWhite);
    Grid->SetGridLineColor(clRed);
    Grid->SetGridFixedLineColor(clBlue);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) Grid->SetCellEx(c, r, "Xy");
    Grid->GetCellProperties(2, 4)->SetBrushColor(clLime);
    Grid->FocusCell(1, 1, true);
    const TRect last = Grid->CellRect(2, 4);
    TBitmap png;
    Shot(png, "extgrid_last_row_shown.png");
    EXPECT_GT(Count_Pixels(png, last, clLime), 0);
    Grid->SetHideLastRow(true);
    Grid->Invalidate();
    Shot(png, "extgrid_last_row_hidden.png");
    EXPECT_EQ(Count_Pixels(png, last, clLime), 0);
    EXPECT_EQ(Count_Pixels(png, last, [](TColor c) { return c != clWhite; }), 0);

    Grid->SetHideLastRow(false);
    const TRect normal = Grid->CellRect(2, 2), fixed = Grid->CellRect(2, 0);
    const TRect normalEdges(normal.Left, normal.Top, normal.Right + 1, normal.Bottom + 1);
    Shot(png, "extgrid_lines_one.png");
    EXPECT_GT(Count_Pixels(png, normalEdges, clRed), 0);
    Grid->SetGridLineWidth(0);
    Shot(png, "extgrid_lines_none.png");
    EXPECT_EQ(Count_Pixels(png, normalEdges, clRed), 0);
    EXPECT_GT(Count_Pixels(png, TRect(fixed.Left, fixed.Top, fixed.Right + 1, fixed.Bottom + 1), clBlue), 0);
}
