// Sorting from the header as the user does it: clicks on the sort row, the index key
// that builds a sort by several columns, undoing a sort by a further click, and the
// sort glyphs with the key numbers the header shows.
#include <utility>
#include <vector>

#include "grid/util/GridSupport.h"
#include "tests/common/Snapshot.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class SortClickTest : public ExtGridTest {
protected:
    std::vector<String> Log;
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(6);
        const char* rows[][3] = {{"b", "2", "x"}, {"a", "1", "y"}, {"b", "1", "z"}, {"a", "2", "w"}, {"c", "1", "v"}};
        for (int r = 1; r <= 5; ++r) {
            Grid->SetCellEx(0, r, IntToStr(r));
            for (int c = 1; c <= 3; ++c) Grid->SetCellEx(c, r, rows[r - 1][c - 1]);
        }
        for (int c = 1; c <= 3; ++c) Grid->SetCellEx(c, 0, Cat("Col ", IntToStr(c)));
        for (int c = 0; c < 4; ++c) Grid->SetColWidths(c, 90);
        Grid->SortSettings()->SetShow(true);
        Grid->OnClickSort = [&](TObject*, int c) { Log.push_back(Cat("sorted ", IntToStr(c))); };
        UserFocus(Grid);
    }
    void Click(int c, TShiftState shift = TShiftState())
    {
        const TPoint p = CellMid(Grid, c, 0);
        UserClick(Grid, p.X, p.Y, shift);
    }
    // Column 0 (the rows' first numbers) from row 1 down.
    String Ids()
    {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r) (r > 1 ? s += ' ' : s) += Grid->GetCellEx(0, r);
        return s;
    }
};

TEST_F(SortClickTest, ClicksSortReverseAndWithUndoSortUnsort)
{
    Grid->SortSettings()->UndoSort = true;
    struct Step {
        int col;
        const char* ids;
        int column;   // SortSettings.Column afterwards
        TSortDirection dir;
    };
    const Step steps[] = {
        {1, "2 4 3 1 5", 1, sdAscending},    // equal keys ordered by the next columns
        {1, "5 1 3 4 2", 1, sdDescending},
        {1, "1 2 3 4 5", -1, sdAscending},   // back to the order before the first sort
        {1, "2 4 3 1 5", 1, sdAscending},
        {2, "5 2 3 4 1", 2, sdAscending},
    };
    for (const Step& s : steps) {
        Click(s.col);
        SCOPED_TRACE(Cat("click on ", IntToStr(s.col)));
        EXPECT_EQ(Ids(), s.ids);
        EXPECT_EQ(Grid->SortSettings()->Column, s.column);
        if (s.column >= 0) {
            EXPECT_EQ(Grid->SortSettings()->Direction, s.dir);
        }
    }
    EXPECT_EQ(Log, (std::vector<String>{"sorted 1", "sorted 1", "sorted -1", "sorted 1", "sorted 2"}));
}

TEST_F(SortClickTest, TheIndexKeyBuildsASortByColumns)
{
    Grid->SortSettings()->IndexShow = true;
    struct Step {
        int col;
        TShiftState shift;
        const char* keys;
        const char* ids;
    };
    const Step steps[] = {
        {1, TShiftState(), "u1", "2 4 1 3 5"},
        {2, TShiftState{ssShift}, "u1;u2", "2 4 3 1 5"},   // keys beyond the list leave ties alone
        {2, TShiftState{ssShift}, "u1;d2", "4 2 1 3 5"},
        {2, TShiftState(), "u2", "2 3 5 4 1"},
        {2, TShiftState(), "d2", "4 1 2 3 5"},
        {1, TShiftState{ssCtrl}, "u1", "4 2 1 3 5"},   // Ctrl is not the index key: a new list
    };
    for (const Step& s : steps) {
        Click(s.col, s.shift);
        SCOPED_TRACE(Cat("click on ", IntToStr(s.col), " keys ", s.keys));
        EXPECT_EQ(Grid->SortIndexes()->SaveToString(), s.keys);
        EXPECT_EQ(Ids(), s.ids);
        EXPECT_EQ(Grid->SortSettings()->Column, Grid->SortIndexes()->GetSortColumns(0));
    }
    EXPECT_EQ(Grid->SortSettings()->SaveToString(), "i;u1");
    // With Ctrl as the index key Ctrl adds.
    Grid->SortSettings()->IndexSortKey = ikCtrl;
    Click(3, TShiftState{ssCtrl});
    EXPECT_EQ(Grid->SortIndexes()->SaveToString(), "u1;u3");
}

TEST_F(SortClickTest, IgnoredAndRefusedColumnsDoNotSort)
{
    Grid->IgnoreColumns()->Add(2);
    std::vector<int> asked;
    Grid->OnCanSort = [&](TObject*, int c, bool& DoSort) {
        asked.push_back(c * 10 + DoSort);
        if (c == 3) DoSort = false;
    };
    Click(2);
    Click(3);
    EXPECT_EQ(Ids(), "1 2 3 4 5");
    EXPECT_EQ(Grid->SortSettings()->Column, -1);
    EXPECT_EQ(asked, (std::vector<int>{20, 31}));
    EXPECT_TRUE(Log.empty());
}

TEST_F(SortClickTest, MergedColumnsAreMergedAgainOverTheSortedRows)
{
    // Column 1 (b a b a c) merged where equal, column 2 only inside column 1's blocks.
    Grid->MergedColumns()->Add(1);
    Grid->MergedColumns()->Add(2);
    Grid->SortSettings()->AutoColumnMerge = true;
    Grid->MergeCells(3, 2, 1, 2);   // an area of its own that the sort cannot keep
    Click(1);
    EXPECT_EQ(Ids(), "2 4 3 1 5");
    // a a b b c: two blocks in column 1; column 2 reads 1 2 1 2 1, nothing to merge.
    EXPECT_EQ(Grid->CellSpan(1, 1), TPoint(0, 1));
    EXPECT_EQ(Grid->CellSpan(1, 3), TPoint(0, 1));
    EXPECT_EQ(Grid->CellSpan(1, 5), TPoint(0, 0));
    EXPECT_FALSE(Grid->IsMergedCell(2, 1));
    EXPECT_FALSE(Grid->IsYMergedCell(3, 1));
    for (int r = 1; r <= 5; ++r) EXPECT_FALSE(Grid->IsYMergedCell(3, r)) << r;
    // Sorted by column 2: 1 1 1 2 2 in column 2, blocks there only where column 1 agrees.
    Click(2);
    EXPECT_EQ(Ids(), "5 2 3 4 1");
    EXPECT_EQ(Grid->CellSpan(2, 1), TPoint(0, 0)) << "c and a differ in column 1";
    EXPECT_EQ(Grid->CellSpan(1, 1), TPoint(0, 0));
}

TEST_F(SortClickTest, HeaderShowsTheGlyphsAndKeyNumbersOfAnIndexedSort)
{
    Grid->SortSettings()->IndexShow = true;
    Grid->SetFixedColor(clBtnFace);
    Click(1);
    Click(3, TShiftState{ssShift});
    Click(3, TShiftState{ssShift});   // the second key descending
    ASSERT_EQ(Grid->SortIndexes()->SaveToString(), "u1;d3");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "sort_index_glyphs.png", png));
    const TColor yellow = Grid->SortSettings()->IndexColor;
    for (int c : {1, 3}) {
        SCOPED_TRACE(c);
        EXPECT_GT(Count_Pixels(png, Grid->CellRect(c, 0), yellow), 20) << "a key triangle";
    }
    EXPECT_EQ(Count_Pixels(png, Grid->CellRect(2, 0), yellow), 0) << "no key, no triangle";
    // The ascending key's triangle points up: more of it below its middle.
    const TRect r1 = Grid->CellRect(1, 0), r3 = Grid->CellRect(3, 0);
    const int mid1 = (r1.Top + r1.Bottom) / 2, mid3 = (r3.Top + r3.Bottom) / 2;
    EXPECT_GT(Count_Pixels(png, TRect(r1.Left, mid1, r1.Right, r1.Bottom), yellow),
              Count_Pixels(png, TRect(r1.Left, r1.Top, r1.Right, mid1), yellow));
    EXPECT_LT(Count_Pixels(png, TRect(r3.Left, mid3, r3.Right, r3.Bottom), yellow),
              Count_Pixels(png, TRect(r3.Left, r3.Top, r3.Right, mid3), yellow));
    // Without the index only the sort column carries a glyph, and no key colour.
    Grid->SortSettings()->IndexShow = false;
    TBitmap plain;
    ASSERT_TRUE(SNAPSHOT(Form, "sort_plain_glyph.png", plain));
    EXPECT_EQ(Count_Pixels(plain, Grid->CellRect(3, 0), yellow), 0);
    // With both glyphs set they are drawn instead of the shaded triangle.
    // Red and blue squares on white, white being the transparent colour.
    TBitmap up(8, 8), down(8, 8);
    for (auto [b, c] : {std::pair<TBitmap*, TColor>{&up, clRed}, {&down, clBlue}}) {
        b->Canvas()->Brush()->SetColor(clWhite);
        b->Canvas()->FillRect(TRect(0, 0, 8, 8));
        b->Canvas()->Brush()->SetColor(c);
        b->Canvas()->FillRect(TRect(1, 1, 7, 7));
    }
    Grid->SortSettings()->SetUpGlyph(&up);
    Grid->SortSettings()->SetDownGlyph(&down);
    TBitmap glyphs;
    ASSERT_TRUE(SNAPSHOT(Form, "sort_glyph_bitmaps.png", glyphs));
    EXPECT_EQ(Count_Pixels(glyphs, Grid->CellRect(1, 0), clRed), 36);
    EXPECT_EQ(Count_Pixels(glyphs, Grid->CellRect(1, 0), clBlue), 0);
}

} // namespace
