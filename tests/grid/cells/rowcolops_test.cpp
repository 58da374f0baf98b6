// Bulk changes: rows removed by duplicate text, tick or selection, runs of equal cells
// merged along a column or a row, two columns joined, rectangles cleared and trimmed.
#include "tests/common/extgrid_fixture.h"

namespace {
// Column 1 of the display rows from row 1, joined by blanks.
String Column1(TExtStringGrid* g)
{
    String s;
    for (int r = 1; r < g->RowCount(); ++r) (r > 1 ? s += ' ' : s) += g->GetCellEx(1, r);
    return s;
}

void SetColumn1(TExtStringGrid* g, const std::vector<String>& texts)
{
    g->SplitAllCells();
    g->SetColCount(4);
    g->SetRowCount(int(texts.size()) + 1);
    g->SetFixedRows(1);
    for (int i = 0; i < int(texts.size()); ++i) g->SetCellEx(1, i + 1, texts[size_t(i)]);
}
}

TEST_F(ExtGridTest, RowsGoByDuplicateTextTickOrSelection)
{
    struct Case {
        const char* What;
        std::vector<String> Texts;
        std::function<void(TExtStringGrid*)> Do;
        const char* After;
    } cases[] = {
        // Case is ignored whether the kept texts are remembered as they are or not.
        {"duplicates, DoCase", {"abc", "ABC", "x"}, [](TExtStringGrid* g) { g->RemoveDuplicates(1, true); }, "abc x"},
        {"duplicates", {"x", "abc", "X", "aBc", "y"}, [](TExtStringGrid* g) { g->RemoveDuplicates(1, false); },
         "x abc y"},
        {"ticked rows", {"a", "b", "c", "d"},
         [](TExtStringGrid* g) {
             for (int r = 1; r <= 4; ++r) g->AddCheckBox(2, r, r % 2 == 0, false);
             g->RemoveCheckedRows(2, true);
         },
         "a c"},
        {"rows not ticked", {"a", "b", "c", "d"},
         [](TExtStringGrid* g) {
             for (int r = 1; r <= 4; ++r) g->AddCheckBox(2, r, r == 3, false);
             g->RemoveCheckedRows(2, false);
         },
         "c"},
        {"disjunct selected rows", {"a", "b", "c", "d", "e"},
         [](TExtStringGrid* g) {
             g->MouseActions()->SetDisjunctRowSelect(true);
             g->SetRowSelect(2, true);
             g->SetRowSelect(4, true);
             g->RemoveSelectedRows();
             g->MouseActions()->SetDisjunctRowSelect(false);
         },
         "a c e"},
        {"the selected rectangle", {"a", "b", "c", "d", "e"},
         [](TExtStringGrid* g) {
             g->SetSelection(TGridRect(1, 2, 2, 3));
             g->RemoveSelectedRows();
         },
         "a d e"},
        {"rows outside the selected rectangle", {"a", "b", "c", "d", "e"},
         [](TExtStringGrid* g) {
             g->SetSelection(TGridRect(1, 2, 2, 3));
             g->RemoveUnSelectedRows();
         },
         "b c"},
    };
    for (const Case& c : cases) {
        SetColumn1(Grid, c.Texts);
        c.Do(Grid);
        EXPECT_EQ(Column1(Grid), c.After) << c.What;
        EXPECT_EQ(Grid->GetCellEx(1, 0), "") << c.What;
    }
}

TEST_F(ExtGridTest, RunsOfEqualCellsMergeAlongAColumnOrARow)
{
    SetColumn1(Grid, {"a", "a", "b", "b", "b", "c"});
    Grid->MergeColumnCells(1, true);
    struct Span {
        int Row, Height;
    };
    const Span spans[] = {{1, 2}, {3, 3}};
    for (const Span& s : spans) {
        EXPECT_TRUE(Grid->IsBaseCell(1, s.Row) && Grid->IsMergedCell(1, s.Row)) << s.Row;
        for (int r = s.Row + 1; r < s.Row + s.Height; ++r) EXPECT_TRUE(Grid->IsMergedNonBaseCell(1, r)) << r;
    }
    EXPECT_FALSE(Grid->IsMergedCell(1, 6));
    Grid->SplitColumnCells(1);
    EXPECT_FALSE(Grid->IsMergedCell(1, 4));

    // Along a row: columns from the first scrollable one.
    Grid->SetColCount(6);
    Grid->SetFixedCols(1);
    const char* texts[] = {"h", "p", "p", "q", "q", "r"};
    for (int c = 0; c < 6; ++c) Grid->SetCellEx(c, 2, texts[c]);
    Grid->MergeRowCells(2, true);
    EXPECT_TRUE(Grid->IsMergedCell(1, 2) && Grid->IsMergedNonBaseCell(2, 2));
    EXPECT_TRUE(Grid->IsMergedCell(3, 2) && Grid->IsMergedNonBaseCell(4, 2));
    EXPECT_FALSE(Grid->IsMergedCell(5, 2));
    EXPECT_FALSE(Grid->IsMergedCell(0, 2));
    Grid->SplitRowCells(2);
    EXPECT_FALSE(Grid->IsMergedCell(3, 2));
}

TEST_F(ExtGridTest, ColumnsJoinAndRectanglesClearAndTrim)
{
    struct Case {
        const char* What;
        std::function<void(TExtStringGrid*)> Do;
        const char* Row1;   // row 1 after the change, every real column
    } cases[] = {
        // An empty second column leaves no trailing separator.
        {"join with an empty column", [](TExtStringGrid* g) {
             g->SetCellEx(2, 1, "");
             g->MergeCols(1, 2, " ");
         }, "0,1|1,1|3,1"},
        {"join two texts", [](TExtStringGrid* g) { g->MergeCols(1, 3, "-"); }, "0,1|1,1-3,1|2,1"},
        {"clear no rows", [](TExtStringGrid* g) { g->ClearRows(1, 0); }, "0,1|1,1|2,1|3,1"},
        {"clear a row with a hidden column", [](TExtStringGrid* g) {
             g->HideColumn(2);
             g->ClearRows(1, 1);
             g->UnHideColumnsAll();
         }, "|||"},
        {"clear the scrollable cells", [](TExtStringGrid* g) {
             g->SetFixedCols(1);
             g->ClearNormalCells();
             g->SetFixedCols(0);
         }, "0,1|||"},
        {"trim blanks and control characters", [](TExtStringGrid* g) {
             g->SetCellEx(1, 1, " \t x y \r\n");
             g->TrimRow(1);
         }, "0,1|x y|2,1|3,1"},
        {"swap two cells", [](TExtStringGrid* g) { g->SwapCells(TPoint(0, 1), TPoint(3, 2)); }, "3,2|1,1|2,1|3,1"},
    };
    for (const Case& c : cases) {
        Grid->UnHideColumnsAll();
        Fill(4, 4);
        Grid->SetFixedRows(1);
        c.Do(Grid);
        EXPECT_EQ(RowText(1), c.Row1) << c.What;
        EXPECT_EQ(RowText(0), String(c.What).rfind("join", 0) == 0 ? RowText(0) : "0,0|1,0|2,0|3,0") << c.What;
    }
}

TEST_F(ExtGridTest, ClearEmptiesHiddenColumnsAndKeepsThemHidden)
{
    Fill(5, 5);
    Grid->SetFixedRows(1);
    Grid->AddNode(1, 2);
    Grid->HideColumn(2);
    Grid->HideRow(3);
    Grid->Navigation()->AutoGotoWhenSorted = true;
    Grid->Navigation()->AutoGotoIncremental = true;
    UserClick(Grid, 20, 40);
    UserType(Grid, "1,4");
    ASSERT_FALSE(Grid->IncrSearchText().empty());
    ASSERT_EQ(Grid->GetCellEx(2, 1), "2,1");   // the hidden column keeps its cells
    Grid->Clear();
    EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    EXPECT_TRUE(Grid->IsHiddenColumn(2));
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_FALSE(Grid->IsNode(1));
    EXPECT_TRUE(Grid->IncrSearchText().empty());
    for (int r = 0; r < Grid->RowCount(); ++r) EXPECT_EQ(RowText(r), "||||") << r;
    Grid->UnHideColumnsAll();
    for (int r = 0; r < Grid->RowCount(); ++r) EXPECT_EQ(RowText(r), "||||") << r;
    // Clear leaves the hidden row's cells; ClearAll empties them too.
    Grid->UnHideRowsAll();
    EXPECT_EQ(RowText(3), "0,3|1,3|2,3|3,3|4,3");
    Grid->HideRow(3);
    Grid->ClearAll();
    Grid->UnHideRowsAll();
    EXPECT_EQ(RowText(3), "||||");
}

// ---------------------------------------------------------------- the column grid's items

#include "tests/common/colgrid_fixture.h"

TEST_F(ColGridTest, ColumnItemsFollowOnlyTheColumnsReallyInsertedOrRemoved)
{
    struct Case {
        const char* What;
        bool Insert;
        int At, Count;
        const char* Headers;   // item headers afterwards ("+" a new item)
    } cases[] = {
        {"insert in the middle", true, 1, 2, "H0 + + H1 H2 H3"},
        {"insert at the end", true, 4, 1, "H0 H1 H2 H3 +"},
        {"insert past the end", true, 5, 1, "H0 H1 H2 H3"},
        {"insert at a negative column", true, -1, 1, "H0 H1 H2 H3"},
        {"remove two", false, 1, 2, "H0 H3"},
        {"remove past the end, clipped", false, 2, 9, "H0 H1"},
        {"remove beyond the columns", false, 4, 1, "H0 H1 H2 H3"},
    };
    for (const Case& c : cases) {
        LoadAsForm(Grid, 4, 3);
        if (c.Insert) Grid->InsertCols(c.At, c.Count);
        else Grid->RemoveCols(c.At, c.Count);
        String headers;
        for (int i = 0; i < Grid->Columns()->Count(); ++i) {
            const String h = Grid->Columns()->Items(i)->Header();
            (i ? headers += ' ' : headers) += h.empty() ? String("+") : h;
        }
        EXPECT_EQ(headers, c.Headers) << c.What;
        EXPECT_EQ(Grid->Columns()->Count(), Grid->TotalColCount()) << c.What;
    }
}
