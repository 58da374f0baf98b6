// Finding cells by text with every option, alone and combined; going on from a found
// cell; replacing; and the two small lookups (incremental prefix, exact stored text).
#include <functional>
#include <vector>

#include "tests/common/extgrid_fixture.h"

namespace {

// One fixed row and column around 4 x 5 cells of fruit and "ab" in several spellings:
//        c1        c2      c3     c4
//   r1   apple     cob     plum   kiwi
//   r2   pear      fig     AB     ""
//   r3   a<i>b</i> lime    xab    abc
//   r4   ""        date    Ab     grape
//   r5   melon     ab      nut    zab
// The fixed cell (0, 2) reads "ab" too.
class FindTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        const char* cells[5][4] = {{"apple", "cob", "plum", "kiwi"},
                                   {"pear", "fig", "AB", ""},
                                   {"a<i>b</i>", "lime", "xab", "abc"},
                                   {"", "date", "Ab", "grape"},
                                   {"melon", "ab", "nut", "zab"}};
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) Grid->SetCellEx(c, r, cells[r - 1][c - 1]);
        const char* headers[] = {"#", "H1", "H2", "H3", "H4"};
        for (int c = 0; c <= 4; ++c) Grid->SetCellEx(c, 0, headers[c]);
        for (int r = 1; r <= 5; ++r) Grid->SetCellEx(0, r, r == 2 ? String("ab") : IntToStr(r));
    }
};

using GridSetup = std::function<void(TExtStringGrid*)>;
struct FindCase {
    const char* name;
    TFindParams params;
    const char* text;
    TPoint start;
    TPoint expected;
    GridSetup setup = nullptr;
};

const TPoint kTop(-1, -1);

TEST_F(FindTest, EachOptionAloneAndCombinedFindsTheCellItShould)
{
    const FindCase cases[] = {
        // Order: column by column, or row by row.
        {"top-bottom", {}, "ab", kTop, {2, 5}},
        {"left-right", {fnDirectionLeftRight}, "ab", kTop, {3, 2}},
        // Case.
        {"case, top-bottom", {fnMatchCase}, "ab", kTop, {2, 5}},
        {"case, left-right", {fnMatchCase, fnDirectionLeftRight}, "ab", kTop, {3, 3}},
        {"case, upper", {fnMatchCase}, "AB", kTop, {3, 2}},
        // Where in the cell.
        {"start", {fnMatchStart, fnDirectionLeftRight}, "ab", kTop, {3, 2}},
        {"start with case", {fnMatchStart, fnMatchCase, fnDirectionLeftRight}, "ab", kTop, {4, 3}},
        {"start: xab is no match", {fnMatchStart, fnMatchCase}, "xa", kTop, {3, 3}},
        {"whole cell", {fnMatchFull, fnDirectionLeftRight}, "ab", kTop, {3, 2}},
        {"whole cell with case", {fnMatchFull, fnMatchCase, fnDirectionLeftRight}, "ab", kTop, {2, 5}},
        {"whole cell: abc is no match", {fnMatchFull}, "abc", kTop, {4, 3}},
        // Backwards.
        {"backward top-bottom", {fnBackward}, "ab", kTop, {4, 5}},
        {"backward whole cell", {fnBackward, fnMatchFull}, "ab", kTop, {3, 4}},
        {"backward left-right, case, start",
         {fnBackward, fnDirectionLeftRight, fnMatchCase, fnMatchStart},
         "ab",
         kTop,
         {2, 5}},
        // Mark-up.
        {"tags kept", {fnMatchFull}, "ab", kTop, {2, 5}},
        {"tags ignored", {fnMatchFull, fnIgnoreHTMLTags}, "ab", kTop, {1, 3}},
        // Wildcards and conditions of the filter matcher.
        {"wildcard a*", {fnMatchRegular}, "a*", kTop, {1, 1}},
        {"wildcard ?ab", {fnMatchRegular, fnDirectionLeftRight}, "?ab", kTop, {3, 3}},
        {"wildcard g*", {fnMatchRegular}, "g*", kTop, {4, 4}},
        {"wildcard with case", {fnMatchRegular, fnMatchCase}, "A*", kTop, {3, 2}},
        {"wildcard or", {fnMatchRegular, fnDirectionLeftRight}, "fig|nut", kTop, {2, 2}},
        // Two double quotes: the empty cells.
        {"empty cell, top-bottom", {}, "\"\"", kTop, {1, 4}},
        {"empty cell, left-right", {fnDirectionLeftRight}, "\"\"", kTop, {4, 2}},
        // Range.
        {"fixed cells", {fnIncludeFixed}, "ab", kTop, {0, 2}},
        {"not found", {}, "zzz", kTop, {-1, -1}},
        {"current column", {fnFindInCurrentCol}, "a", kTop, {3, 2},
         [](TExtStringGrid* g) { g->SetCol(3); }},
        {"current row, from the start column", {fnFindInCurrentRow, fnDirectionLeftRight}, "a", {2, 1}, {3, 4},
         [](TExtStringGrid* g) { g->SetRow(4); }},
        {"current row, nothing after the start", {fnFindInCurrentRow, fnDirectionLeftRight}, "date", {2, 1},
         {-1, -1}, [](TExtStringGrid* g) { g->SetRow(4); }},
        {"current column, row by row, goes on down", {fnFindInCurrentCol, fnDirectionLeftRight}, "a", {3, 2}, {3, 3},
         [](TExtStringGrid* g) { g->SetCol(3); }},
        {"current row, column by column, goes on right", {fnFindInCurrentRow}, "a", {3, 4}, {4, 4},
         [](TExtStringGrid* g) { g->SetRow(4); }},
        {"preset column", {fnFindInPresetCol}, "ab", kTop, {4, 3}, [](TExtStringGrid* g) { g->FindCol = 4; }},
        {"preset row", {fnFindInPresetRow, fnDirectionLeftRight}, "ab", kTop, {2, 5},
         [](TExtStringGrid* g) { g->FindRow = 5; }},
        {"preset column outside the grid", {fnFindInPresetCol}, "ab", kTop, {-1, -1},
         [](TExtStringGrid* g) { g->FindCol = 99; }},
        {"preset row outside the grid", {fnFindInPresetRow}, "ab", kTop, {-1, -1},
         [](TExtStringGrid* g) { g->FindRow = -7; }},
        {"selection", {fnSelectedCells}, "ab", kTop, {3, 3},
         [](TExtStringGrid* g) { g->SetSelection(TGridRect(3, 3, 4, 5)); }},
        {"selection, backward", {fnSelectedCells, fnBackward}, "ab", kTop, {4, 5},
         [](TExtStringGrid* g) { g->SetSelection(TGridRect(3, 3, 4, 5)); }},
        // Going on from a cell, and round from the range's last cell.
        {"after a cell", {}, "ab", {2, 5}, {3, 2}},
        {"after a cell, left-right", {fnDirectionLeftRight}, "ab", {3, 2}, {3, 3}},
        {"round from the last cell", {}, "ab", {4, 5}, {2, 5}},
        {"round from the first cell backwards", {fnBackward}, "ab", {1, 1}, {4, 5}},
        {"no more after the start", {fnDirectionLeftRight}, "xab", {3, 4}, {-1, -1}},
        {"start outside the grid", {}, "ab", {40, 40}, {2, 5}},
        // Hidden columns: display columns, or real ones with the hidden searched too.
        {"hidden column skipped", {fnDirectionLeftRight, fnMatchCase}, "AB", kTop, {-1, -1},
         [](TExtStringGrid* g) { g->HideColumn(3); }},
        {"hidden column: display index", {fnDirectionLeftRight}, "abc", kTop, {3, 3},
         [](TExtStringGrid* g) { g->HideColumn(3); }},
        {"hidden column searched", {fnDirectionLeftRight, fnMatchCase, fnIncludeHiddenColumns}, "AB", kTop, {3, 2},
         [](TExtStringGrid* g) { g->HideColumn(3); }},
        // Hidden rows: display rows, or real ones with the hidden searched too.
        {"hidden row skipped", {fnMatchCase}, "AB", kTop, {-1, -1}, [](TExtStringGrid* g) { g->HideRow(2); }},
        {"hidden row: display index", {fnMatchCase}, "xab", kTop, {3, 2}, [](TExtStringGrid* g) { g->HideRow(2); }},
        {"hidden row searched", {fnMatchCase, fnIncludeHiddenRows}, "AB", kTop, {3, 2},
         [](TExtStringGrid* g) { g->HideRow(2); }},
        {"hidden row searched, real index after it", {fnMatchCase, fnIncludeHiddenRows}, "zab", kTop, {4, 5},
         [](TExtStringGrid* g) { g->HideRow(2); }},
        // A merged area is found once, at its base cell.
        {"merged area: base cell", {}, "ab", {2, 5}, {3, 2}, [](TExtStringGrid* g) { g->MergeCells(3, 2, 1, 2); }},
        {"merged area: not again below", {}, "ab", {3, 2}, {3, 4}, [](TExtStringGrid* g) { g->MergeCells(3, 2, 1, 2); }},
        {"merged area: not again to the right", {fnDirectionLeftRight}, "ab", {3, 2}, {3, 3},
         [](TExtStringGrid* g) { g->MergeCells(3, 2, 2, 1); }},
    };
    for (const FindCase& k : cases) {
        TearDown();
        SetUp();
        if (k.setup) k.setup(Grid);
        const TPoint p = Grid->Find(k.start, k.text, k.params);
        EXPECT_EQ(p.X, k.expected.X) << k.name;
        EXPECT_EQ(p.Y, k.expected.Y) << k.name;
        EXPECT_EQ(Grid->FindBusy(), p.X >= 0) << k.name;
    }
}

TEST_F(FindTest, FindNextWalksEveryMatchOnceThenStartsAgain)
{
    const struct {
        const char* name;
        TFindParams params;
        std::vector<TPoint> order;
    } cases[] = {
        {"top-bottom", {}, {{2, 5}, {3, 2}, {3, 3}, {3, 4}, {4, 3}, {4, 5}}},
        {"left-right", {fnDirectionLeftRight}, {{3, 2}, {3, 3}, {4, 3}, {3, 4}, {2, 5}, {4, 5}}},
        {"backward", {fnBackward}, {{4, 5}, {4, 3}, {3, 4}, {3, 3}, {3, 2}, {2, 5}}},
        {"case", {fnMatchCase}, {{2, 5}, {3, 3}, {4, 3}, {4, 5}}},
    };
    for (const auto& k : cases) {
        std::vector<TPoint> seen{Grid->FindFirst("ab", k.params)};
        while (seen.size() < k.order.size()) seen.push_back(Grid->FindNext());
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].X, k.order[i].X) << k.name << " #" << i;
            EXPECT_EQ(seen[i].Y, k.order[i].Y) << k.name << " #" << i;
        }
        // After the last match the search goes round: at once when that match is the
        // range's last cell, else after one miss.
        TPoint p = Grid->FindNext();
        if (p.X < 0) {
            EXPECT_FALSE(Grid->FindBusy());
            p = Grid->FindNext();
        }
        EXPECT_EQ(p.X, k.order[0].X) << k.name;
        EXPECT_EQ(p.Y, k.order[0].Y) << k.name;
    }
}

TEST_F(FindTest, AutoGotoMovesTheCurrentCellAndBringsBackRowsOfAContractedNode)
{
    Grid->Find(kTop, "lime", {fnAutoGoto});
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    // Rows 3..5 hidden under the contracted node of row 2: found by real row, the node
    // opens and the row becomes current.
    Grid->AddNode(2, 4);
    Grid->ContractNode(2);
    ASSERT_EQ(Grid->RowCount(), 3);
    const TPoint p = Grid->Find(kTop, "grape", {fnAutoGoto, fnIncludeHiddenRows});
    EXPECT_EQ(p.X, 4);
    EXPECT_EQ(p.Y, 4);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Row(), 4);
    EXPECT_EQ(Grid->Col(), 4);
}

TEST_F(FindTest, WideFindTestsTheWideTexts)
{
    Grid->SetCellEx(2, 2, "Grüße");
    EXPECT_EQ(Grid->FindWide(kTop, u"GRÜ", {}).Y, 2);
    EXPECT_EQ(Grid->FindWide(kTop, u"grü", {fnMatchCase}).X, -1);
    EXPECT_EQ(Grid->Find(kTop, "grü", {}).X, 2);   // upper case beyond ASCII
}

TEST_F(FindTest, ReplaceChangesEachFoundCellOnce)
{
    const struct {
        const char* name;
        TFindParams params;
        const char* from;
        const char* to;
        int count;
        std::vector<std::pair<TPoint, const char*>> cells;
        GridSetup setup = nullptr;
    } cases[] = {
        {"without case, every spelling", {}, "ab", "-", 6, {{{3, 2}, "-"}, {{4, 3}, "-c"}, {{4, 5}, "z-"}, {{0, 2}, "ab"}}},
        {"with case, only that spelling", {fnMatchCase}, "ab", "-", 4, {{{3, 2}, "AB"}, {{3, 4}, "Ab"}, {{3, 3}, "x-"}}},
        {"the new text holds the old one", {}, "ab", "xaby", 6, {{{4, 5}, "zxaby"}, {{2, 5}, "xaby"}}},
        {"only a change of case", {}, "ab", "AB", 5, {{{4, 5}, "zAB"}, {{3, 2}, "AB"}}},
        {"nothing to replace", {}, "zzz", "y", 0, {{{1, 1}, "apple"}}},
        {"empty text", {}, "", "y", 0, {{{1, 1}, "apple"}}},
        {"one row", {fnFindInPresetRow, fnDirectionLeftRight}, "a", "o", 3, {{{1, 3}, "o<i>b</i>"}, {{3, 3}, "xob"}, {{4, 3}, "obc"}},
         [](TExtStringGrid* g) { g->FindRow = 3; }},
        {"merged area once", {}, "AB", "[AB]", 5, {{{3, 2}, "[AB]"}, {{3, 3}, "[AB]"}},
         [](TExtStringGrid* g) { g->MergeCells(3, 2, 1, 2); }},
    };
    for (const auto& k : cases) {
        TearDown();
        SetUp();
        if (k.setup) k.setup(Grid);
        EXPECT_EQ(Grid->Replace(k.from, k.to, k.params), k.count) << k.name;
        for (const auto& [at, text] : k.cells) EXPECT_EQ(Grid->GetCellEx(at.X, at.Y), text) << k.name;
    }
}

TEST_F(FindTest, ReplaceWritesHiddenRowsInTheirPlaceAndMarksModifiedRows)
{
    Grid->HideRow(2);
    ASSERT_EQ(Grid->GetCellEx(3, 2), "xab");
    // Real row 2 is hidden: its cell changes in the hidden-row store, display row 2
    // (real row 3) only where it matches.
    EXPECT_EQ(Grid->Replace("AB", "ba", {fnMatchCase, fnIncludeHiddenRows}), 1);
    EXPECT_EQ(Grid->GetCellsEx(3, 2), "ba");
    EXPECT_EQ(Grid->GetCellEx(3, 2), "xab");
    Grid->UnHideRow(2);
    EXPECT_EQ(Grid->GetCellEx(3, 2), "ba");

    Grid->ShowModified()->Enabled = true;
    EXPECT_EQ(Grid->Replace("plum", "prune", {}), 1);
    EXPECT_TRUE(Grid->GetRowModified(1));
    EXPECT_FALSE(Grid->GetRowModified(2));
}

TEST_F(FindTest, ReplaceOfAByBInAbAWritesBbb)
{
    Grid->SetCellEx(1, 1, "abA");
    Grid->SetCellEx(2, 1, "x");
    Grid->FindRow = 1;
    EXPECT_EQ(Grid->Replace("a", "b", {fnFindInPresetRow}), 1);
    EXPECT_EQ(Grid->GetCellEx(1, 1), "bbb");
}

TEST_F(FindTest, PrefixLookupAndExactCellLookup)
{
    EXPECT_EQ(Grid->Search("PE"), 2);
    Grid->SetRowCount(1);
    EXPECT_EQ(Grid->Search("PE"), -1);

    TearDown();
    SetUp();
    int c = -1, r = -1;
    EXPECT_FALSE(Grid->IsCell("Ab ", c, r));
    EXPECT_FALSE(Grid->IsCell("ZAB", c, r));
    ASSERT_TRUE(Grid->IsCell("Ab", c, r));
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 4);
    ASSERT_TRUE(Grid->IsCell("a<i>b</i>", c, r));
    EXPECT_EQ(c, 1);
}

}  // namespace

namespace {

// The texts tested are the display texts: a display hook's text is found, a cell
// record (here a merged area elsewhere) changes nothing.
TEST_F(FindTest, DisplayTextsAreTested)
{
    Grid->OnGetDisplText = [](TObject*, int ACol, int ARow, String& Value) {
        if (ACol == 2 && ARow > 0) Value += " kg";
    };
    EXPECT_EQ(Grid->Find(kTop, "fig kg", {fnMatchFull}).Y, 2);
    EXPECT_EQ(Grid->Find(kTop, "kiwi kg", {}).X, -1);
    Grid->MergeCells(1, 5, 1, 1);
    EXPECT_EQ(Grid->Find(kTop, "lime kg", {}).Y, 3);
    Grid->OnGetDisplText = nullptr;
    EXPECT_EQ(Grid->Find(kTop, "lime kg", {}).X, -1);
}

}  // namespace
