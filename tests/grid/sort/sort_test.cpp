// Sorting the grid's rows: the typed comparison of every sort style, the row sort with
// its settings (equal keys, blanks, footers, hidden rows and columns, merged cells, row
// numbers), the indexed sort, undoing a sort, a sort that fails part way, the settings
// object and its text form.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "grid/sort/SortCompare.h"
#include "grid/util/GridSupport.h"
#include "platform/os/Regional.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class SortTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
        ExtGridTest::TearDown();
    }
    // A header row, then one row per entry: column 0 the entry's number from 1, the
    // texts of the entry in the columns after it.
    void Put(const std::vector<std::vector<String>>& rows)
    {
        const int cols = 1 + int(rows.empty() ? 0 : rows[0].size());
        Grid->SetColCount(cols);
        Grid->SetRowCount(1 + int(rows.size()));
        for (int c = 0; c < cols; ++c) Grid->SetCellEx(c, 0, Cat("H", IntToStr(c)));
        for (size_t r = 0; r < rows.size(); ++r) {
            Grid->SetCellEx(0, int(r) + 1, IntToStr(long(r) + 1));
            for (size_t c = 0; c < rows[r].size(); ++c) Grid->SetCellEx(int(c) + 1, int(r) + 1, rows[r][c]);
        }
    }
    // The texts of column c from row 1 down, joined by blanks.
    String Col(int c)
    {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r) (r > 1 ? s += ' ' : s) += Grid->GetCellEx(c, r);
        return s;
    }
    void Style(TSortStyle st, const String& prefix = "", const String& suffix = "")
    {
        Grid->OnGetFormat = [=](TObject*, int, TSortStyle& s, String& p, String& x) {
            s = st;
            p = prefix;
            x = suffix;
        };
    }
};

// ---------------------------------------------------------------- the typed comparison

TEST_F(SortTest, EveryStyleComparesItsKindOfText)
{
    TImageList images(nullptr);
    Grid->SetGridImages(&images);
    struct Case {
        TSortStyle style;
        const char* a;
        const char* b;
        int expect;
        const char* prefix = "";
        const char* suffix = "";
        const char* why = "";
    };
    const Case cases[] = {
        {ssAlphabetic, "B", "a", -1, "", "", "ordinal: capital B (66) before small a (97)"},
        {ssAlphaCase, "b", "a", 1},
        {ssAlphabetic, "\xEF\xBC\xA1", "\xF0\x9F\x98\x80", 1, "", "", "UTF-16 order: FF21 after a surrogate pair"},
        {ssAlphaNoCase, "a", "A", 0},
        {ssAlphaNoCase, "b", "A", 1},
        {ssAnsiAlphaNoCase, "a", "B", -1, "", "", "the locale's order, not the codes"},
        {ssAnsiAlphaCase, "b", "C", -1},
        {ssNumeric, "10", "9", 1, "", "", "numbers, not text"},
        {ssNumeric, "-2.5", "1e1", -1},
        {ssNumeric, "$10", "$9", 1, "$"},
        {ssNumeric, "10 kg", "9 kg", 1, "", " kg"},
        {ssNumeric, "x", "y", 0, "", "", "neither converts: equal"},
        {ssNumeric, "", "5", -1, "", "", "an empty cell counts as 0"},
        {ssFinancial, "1,200.50", "999", 1, "", "", "thousand separators dropped"},
        {ssDate, "12/05/2020", "01/06/2020", -1, "", "", "day first: 12 May before 1 June"},
        {ssDate, "", "01/01/1990", -1, "", "", "an empty date counts as 0"},
        {ssDateTime, "01/01/2020 10:00:00", "01/01/2020 09:00:00", 1},
        {ssTime, "9:30:00", "10:00:00", -1},
        {ssShortDateEU, "12/05/20", "01/06/20", -1},
        {ssShortDateUS, "12/05/20", "01/06/20", 1, "", "", "month first: December after January"},
        {ssShortDateEU, "01.02.2020", "31.01.2020", 1, "", "", "four-digit years stand as written"},
        {ssShortDateEU, "31/02/20", "01/01/20", -1, "", "", "no such date: 0"},
        {ssHTML, "<b>b</b>", "a", 1, "", "", "tags removed before comparing"},
        {ssAlphaNumeric, "10", "9", 1},
        {ssAlphaNumeric, "b10", "b9", -1},
        {ssAlphaNumericNoCase, "A", "a", 0},
    };
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(k.a, " / ", k.b, " ", k.why));
        Style(k.style, k.prefix, k.suffix);
        Grid->SetCellEx(1, 1, k.a);
        Grid->SetCellEx(1, 2, k.b);
        EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), k.expect);
        EXPECT_EQ(Grid->CompareCells(1, 2, 1, sdAscending), -k.expect);
    }
    Grid->SetGridImages(nullptr);
}

TEST_F(SortTest, CellObjectsAndEventsDecideTheirStyles)
{
    TImageList images(nullptr);
    Grid->SetGridImages(&images);
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    // Check boxes: ticked after unticked.
    Style(ssCheckBox);
    Grid->AddCheckBox(1, 1, true, false);
    Grid->AddCheckBox(1, 2, false, false);
    EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), 1);
    // Told from the first cell in the automatic style too.
    Style(ssAutomatic);
    EXPECT_EQ(Grid->CompareCells(1, 2, 1, sdAscending), -1);
    Grid->RemoveCheckBox(1, 1);
    Grid->RemoveCheckBox(1, 2);
    // Images by their index; a cell without one is -1.
    Style(ssImages);
    Grid->AddImageIdx(1, 1, 3, haLeft, vaTop);
    EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), 1);
    Grid->AddImageIdx(1, 2, 5, haLeft, vaTop);
    EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), -1);
    // The application's own comparisons.
    Grid->SetCellEx(1, 1, "x");
    Grid->SetCellEx(1, 2, "yy");
    Style(ssCustom);
    EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), 0) << "no event: equal";
    Grid->OnCustomCompare = [](TObject*, const String& a, const String& b, int& Res) {
        Res = int(a.size()) - int(b.size());
    };
    EXPECT_EQ(Grid->CompareCells(1, 1, 2, sdAscending), -1);
    Style(ssRaw);
    std::vector<int> seen;
    Grid->OnRawCompare = [&](TObject*, int c, int r1, int r2, int& Res) {
        seen = {c, r1, r2};
        Res = 7;
    };
    EXPECT_EQ(Grid->CompareCells(1, 2, 1, sdAscending), 1);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1}));
    Grid->SetGridImages(nullptr);
}

TEST_F(SortTest, AutomaticStyleIsToldFromTheFirstText)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    auto cmp = [&](const char* a, const char* b) {
        Grid->SetCellEx(1, 1, a);
        Grid->SetCellEx(1, 2, b);
        return Grid->CompareCells(1, 1, 2, sdAscending);
    };
    EXPECT_EQ(cmp("9", "10"), -1) << "numbers";
    EXPECT_EQ(cmp("abc", "10"), 1) << "text: a after 1";
    EXPECT_EQ(cmp("10", "abc"), 1) << "numbers: abc does not convert and is not empty";
    EXPECT_EQ(cmp("12/05/2020", "01/06/2020"), -1) << "a date: 12 May before 1 June";
    EXPECT_EQ(cmp("12/05/2020", "abc"), -1) << "the second text holds no separator: text";
    EXPECT_EQ(cmp("1/2", "1/10"), 0) << "taken for dates; neither converts, both count as 0";
    EXPECT_EQ(cmp("9:30:00", "10:00:00"), -1) << "times";
    EXPECT_EQ(cmp("B", "a"), -1) << "ordinal without IgnoreCase";
    Grid->SortSettings()->IgnoreCase = true;
    EXPECT_EQ(cmp("a", "A"), 0);
    Grid->SortSettings()->AutoFormat = false;
    EXPECT_EQ(cmp("b", "A"), 1) << "without AutoFormat: no case";
    EXPECT_EQ(cmp("9", "10"), 1) << "without AutoFormat: text";
}

TEST_F(SortTest, BlanksGoFirstOrLastInBothDirections)
{
    struct Case {
        TSortBlankPosition pos;
        TSortDirection dir;
        const char* order;
    };
    const Case cases[] = {
        {blLast, sdAscending, "a b  "},
        {blLast, sdDescending, "b a  "},
        {blFirst, sdAscending, "  a b"},
        {blFirst, sdDescending, "  b a"},
    };
    for (const Case& k : cases) {
        Put({{"b"}, {""}, {"a"}, {""}});
        Grid->SortSettings()->IgnoreBlanks = true;
        Grid->SortSettings()->BlankPos = k.pos;
        Grid->Sort(1, k.dir);
        EXPECT_EQ(Col(1), k.order) << int(k.pos) << " " << int(k.dir);
    }
}

// ---------------------------------------------------------------- the row sort

TEST_F(SortTest, EqualKeysKeepTheirOrderOrAreOrderedByTheNextColumn)
{
    struct Case {
        bool full;
        TSortDirection dir;
        const char* ids;   // column 0 afterwards
    };
    const Case cases[] = {
        {false, sdAscending, "2 4 5 1 3"},
        {false, sdDescending, "1 3 2 4 5"},
        {true, sdAscending, "5 2 4 3 1"},
        {true, sdDescending, "1 3 2 4 5"},
    };
    for (const Case& k : cases) {
        // Keys b a b a a, the next column breaks ties: z y x y w.
        Put({{"b", "z"}, {"a", "y"}, {"b", "x"}, {"a", "y"}, {"a", "w"}});
        Grid->SortSettings()->Full = k.full;
        Grid->Sort(1, k.dir);
        EXPECT_EQ(Col(0), k.ids) << "full " << k.full << " dir " << int(k.dir);
    }
}

TEST_F(SortTest, PlainTextsSortInTheOrderOfTheirCodeUnits)
{
    // Long shared beginnings, texts shorter than eight bytes, characters beyond the basic
    // plane against those from E000 on, equal texts ordered by the next column.
    const std::vector<String> texts = {"abcdefghij2", "abcdefghij1", "abc", "ab", "abcdefgh", "abcdefg",
                                       "\xEF\xBC\xA1x", "\xF0\x9F\x98\x80", "\xC3\xA9", "Z", "", "abc",
                                       "abcdefghij1", "\xEE\x80\x80", "\xF0\x9F\x98\x81"};
    for (TSortDirection dir : {sdAscending, sdDescending}) {
        std::vector<std::vector<String>> rows;
        for (size_t i = 0; i < texts.size(); ++i) rows.push_back({texts[i], String(1, char('a' + texts.size() - i))});
        Put(rows);
        Grid->Sort(1, dir);
        std::vector<size_t> want(texts.size());
        for (size_t i = 0; i < want.size(); ++i) want[i] = i;
        std::stable_sort(want.begin(), want.end(), [&](size_t a, size_t b) {
            int r = CompareUtf16Order(texts[a], texts[b]);
            if (r == 0) r = CompareUtf16Order(rows[a][1], rows[b][1]);
            return dir == sdAscending ? r < 0 : r > 0;
        });
        String expect;
        for (size_t i = 0; i < want.size(); ++i) (i ? expect += ' ' : expect) += IntToStr(long(want[i] + 1));
        EXPECT_EQ(Col(0), expect) << int(dir);
    }
}

TEST_F(SortTest, EveryCellTravelsWithItsRowButFootersAndRowNumbersStay)
{
    Put({{"c", "3"}, {"a", "1"}, {"b", "2"}, {"SUM", "6"}});
    Grid->FixedFooters = 1;
    Grid->SetFixedCols(1);
    Grid->HideColumn(2);
    Grid->SetRowHeights(2, 40);
    Grid->SetColors(1, 2, clRed);
    Grid->SortSettings()->NormalCellsOnly = true;
    Grid->Sort(1, sdAscending);
    EXPECT_EQ(Col(1), "a b c SUM") << "the footer row stays last";
    EXPECT_EQ(Col(0), "1 2 3 4") << "row numbers stay";
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(Grid->GetCellEx(2, r), IntToStr(r)) << "the hidden column moved along";
    EXPECT_EQ(Grid->RowHeights(1), 40);
    EXPECT_EQ(Grid->GetColors(1, 1), clRed);
    EXPECT_EQ(Grid->GetCellProperties(1, 1)->OwnerRow, 1);
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->RowCount(), 5);
}

TEST_F(SortTest, HiddenRowsStayOutOfTheSortAndComeBackWhole)
{
    Put({{"d"}, {"c"}, {"b"}, {"a"}});
    Grid->HideRow(2);   // "c"
    Grid->Sort(1, sdAscending);
    EXPECT_EQ(Col(1), "a b d");
    Grid->UnHideRow(2);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->GetCellEx(1, 2), "c");
    EXPECT_EQ(Grid->GetCellEx(0, 2), "2");
    // The recorded order was of three rows: it does not apply to four.
    Grid->QUnSort();
    EXPECT_EQ(Col(1), "a c b d");
}

TEST_F(SortTest, MergedCellsStayWholeWhenRowsMove)
{
    Put({{"c", "x", "3"}, {"a", "y", "1"}, {"b", "z", "2"}});
    Grid->MergeCells(2, 1, 2, 1);   // across columns 2-3 of row 1: moves with its row
    Grid->MergeCells(3, 2, 1, 2);   // down rows 2-3: cannot move, split first
    Grid->Sort(1, sdAscending);
    EXPECT_EQ(Col(1), "a b c");
    EXPECT_TRUE(Grid->IsMergedCell(2, 3));
    EXPECT_EQ(Grid->BaseCell(3, 3), TPoint(2, 3));
    EXPECT_EQ(Grid->GetCellEx(3, 3), "x");
    EXPECT_FALSE(Grid->IsYMergedCell(3, 1));
    EXPECT_EQ(Grid->GetCellEx(3, 1), "1");
    EXPECT_EQ(Grid->GetCellEx(3, 2), "2");
}

TEST_F(SortTest, RowFlagsHeightsAndTheCurrentRowFollowTheExchange)
{
    Put({{"c"}, {"a"}, {"b"}});
    Grid->ShowModified()->Enabled = true;
    Grid->SetRowModified(1, true);
    Grid->SetRow(1);
    int changes = 0;
    Grid->OnRowChanged = [&](TObject*, int o, int n) {
        ++changes;
        EXPECT_EQ(o, 1);
        EXPECT_EQ(n, 1);
    };
    Grid->Sort(1, sdAscending);
    EXPECT_TRUE(Grid->GetRowModified(3));
    EXPECT_FALSE(Grid->GetRowModified(1));
    EXPECT_EQ(Grid->Row(), 1) << "without MoveRowOnSort the current row stays";
    EXPECT_EQ(Grid->SortRow, 3);
    EXPECT_EQ(changes, 1);
    Grid->OnRowChanged = nullptr;
    Grid->Navigation()->MoveRowOnSort = true;
    Grid->Sort(1, sdDescending);   // a is on row 1 now and goes to row 3
    EXPECT_EQ(Grid->Row(), 3) << "the current row follows its contents";
}

TEST_F(SortTest, IndexedSortAndUnsort)
{
    Put({{"b", "1"}, {"a", "2"}, {"b", "3"}, {"a", "1"}});
    EXPECT_THROW(Grid->QSortIndexed(), EExtGridError);
    Grid->SortIndexes()->AddIndex(1, true);
    Grid->SortIndexes()->AddIndex(2, false);
    Grid->Swaps = 0;
    Grid->QSortIndexed();
    EXPECT_EQ(Col(0), "2 4 3 1");
    EXPECT_LE(Grid->Swaps, 3);
    EXPECT_GT(Grid->Compares, 0);
    Grid->Sort(2, sdAscending);
    EXPECT_EQ(Grid->SortIndexes()->Count(), 0) << "a column sort drops the keys";
    Grid->QUnSort();
    EXPECT_EQ(Col(0), "1 2 3 4");
    EXPECT_EQ(Grid->SortedRowIndex(2), 2);
}

TEST_F(SortTest, PartsOfTheRowsAndSingleLines)
{
    Put({{"d", "1"}, {"c", "2"}, {"b", "3"}, {"a", "4"}});
    Grid->SortSettings()->Direction = sdAscending;
    Grid->QuickSort(1, 2, 3);   // rows 2 and 3 only
    EXPECT_EQ(Col(1), "d b c a");
    // SortLine exchanges two rows that are out of order, on ties by the next column.
    Grid->SortDir = 1;
    const int swaps = Grid->Swaps;
    EXPECT_TRUE(Grid->SortLine(1, 1, 4));
    EXPECT_EQ(Col(1), "a b c d");
    EXPECT_FALSE(Grid->SortLine(1, 1, 4));
    Grid->SetCellEx(1, 2, "c");   // rows 2 and 3 equal in column 1; column 2 reads 3, 2
    EXPECT_TRUE(Grid->SortLine(1, 2, 3));
    EXPECT_EQ(Col(2), "4 2 3 1");
    EXPECT_EQ(Grid->Swaps, swaps + 2);
    // A row exchange with only the sort column's cells.
    Grid->SortSettings()->SingleColumn = true;
    Grid->SortSettings()->Column = 1;
    Grid->SortSwapRows(1, 4);
    EXPECT_EQ(Col(1), "d c c a");
    EXPECT_EQ(Col(2), "4 2 3 1");
}

TEST_F(SortTest, NothingToSort)
{
    Put({{"b"}, {"a"}});
    Grid->SortSettings()->Column = -1;
    Grid->QSort();
    Grid->SortSettings()->Column = 9;   // beyond the columns
    Grid->QSort();
    EXPECT_EQ(Col(1), "b a");
    Grid->SetRowCount(1);
    Grid->SortSettings()->Column = -1;
    Grid->SortByColumn(1);
    EXPECT_EQ(Grid->SortSettings()->Column, -1) << "one row: nothing, not even the column";
    Grid->SortIndexes()->AddIndex(1, true);
    Grid->QuickSortIndexed(1, 0);
    Grid->QuickSort(1, 5, 2);
}

// ---------------------------------------------------------------- a sort that fails

class ThrowingSwapGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    int FailAt = -1;
    void SortSwapRows(int ARow1, int ARow2) override
    {
        if (FailAt >= 0 && FailAt-- == 0) throw std::runtime_error("swap");
        TExtStringGrid::SortSwapRows(ARow1, ARow2);
    }
};

TEST_F(SortTest, AFailedSortLeavesTheGridAsItWas)
{
    auto* g = new ThrowingSwapGrid(Form);
    g->SetParent(Form);
    g->SetColCount(3);
    g->SetRowCount(7);
    const char* keys[] = {"f", "e", "d", "c", "b", "a"};
    for (int r = 1; r <= 6; ++r) {
        g->SetCellEx(1, r, keys[r - 1]);
        g->SetCellEx(2, r, IntToStr(r));
    }
    g->SortIndexes()->AddIndex(2, true);
    g->SortSettings()->NormalCellsOnly = true;
    auto snapshot = [&] {
        String s;
        for (int r = 0; r < g->RowCount(); ++r)
            for (int c = 0; c < g->TotalColCount(); ++c) s += g->GetCellEx(c, r) + "|";
        return Cat(s, IntToStr(g->RowCount()), " ", IntToStr(g->ColCount()), " ", g->SortIndexes()->SaveToString(),
                   " ", IntToStr(g->SortSettings()->Column), " ", IntToStr(g->Swaps), " ", IntToStr(g->SortedRowIndex(3)));
    };
    struct Case {
        const char* what;
        std::function<void()> arm;
    };
    const Case cases[] = {
        {"an event fails while the rows are compared",
         [&] {
             g->OnGetFormat = [](TObject*, int, TSortStyle& s, String&, String&) { s = ssCustom; };
             int n = 0;
             g->OnCustomCompare = [n](TObject*, const String&, const String&, int&) mutable {
                 if (++n == 5) throw std::runtime_error("compare");
             };
         }},
        {"the third exchange fails", [&] { g->FailAt = 2; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const String before = snapshot();
        k.arm();
        EXPECT_THROW(g->Sort(1, sdAscending), std::runtime_error);
        EXPECT_EQ(snapshot(), before);
        g->OnGetFormat = nullptr;
        g->OnCustomCompare = nullptr;
        g->FailAt = -1;
    }
    // Afterwards the grid sorts as usual.
    g->Sort(1, sdAscending);
    EXPECT_EQ(g->GetCellEx(1, 1), "a");
    EXPECT_EQ(g->GetCellEx(2, 1), "6");
}

// ---------------------------------------------------------------- the settings

TEST_F(SortTest, SettingsDefaultsRulesAndCopies)
{
    TSortSettings& s = *Grid->SortSettings();
    EXPECT_FALSE(s.Show());
    EXPECT_FALSE(s.IndexShow);
    EXPECT_EQ(s.IndexColor, TColor(0x00FFFF));
    EXPECT_EQ(s.IndexSortKey, ikShift);
    EXPECT_TRUE(s.Full);
    EXPECT_TRUE(s.AutoFormat);
    EXPECT_TRUE(s.AutoSortForGrouping);
    EXPECT_TRUE(s.SortOnVirtualCells);
    EXPECT_EQ(s.Column, -1);
    EXPECT_EQ(s.Row(), 0);
    EXPECT_EQ(s.BlankPos, blFirst);
    EXPECT_EQ(s.HeaderColor(), clNone);
    // The sort row lies among the fixed rows.
    EXPECT_THROW(s.SetRow(1), Exception);
    EXPECT_EQ(s.Row(), 0);
    Grid->SetFixedRows(2);
    s.SetRow(1);
    EXPECT_EQ(s.Row(), 1);
    // A copy takes all but IgnoreCase and SortOnVirtualCells.
    TSortSettings other(nullptr);
    other.Full = false;
    other.IgnoreCase = true;
    other.SortOnVirtualCells = false;
    other.SetHeaderColor(clRed);
    other.Column = 3;
    s.Assign(&other);
    EXPECT_FALSE(s.Full);
    EXPECT_EQ(s.HeaderColor(), clRed);
    EXPECT_EQ(s.Column, 3);
    EXPECT_FALSE(s.IgnoreCase);
    EXPECT_TRUE(s.SortOnVirtualCells);
    s.ToggleDirection();
    EXPECT_EQ(s.Direction, sdDescending);
    Grid->SortIndexes()->AddIndex(2, true);
    s.Remove();
    EXPECT_EQ(s.Column, -1);
    EXPECT_EQ(Grid->SortIndexes()->Count(), 0);
}

TEST_F(SortTest, SortStateAsText)
{
    Put({{"b", "2"}, {"a", "1"}, {"c", "1"}});
    TSortSettings& s = *Grid->SortSettings();
    s.LoadFromString("");
    EXPECT_FALSE(s.Show()) << "an empty text changes nothing";
    EXPECT_THROW(s.LoadFromString("u"), Exception);
    s.LoadFromString("d1");
    EXPECT_TRUE(s.Show());
    EXPECT_EQ(Col(1), "c b a");
    EXPECT_EQ(s.SaveToString(), "d1");
    s.LoadFromString("i;u2;d1");
    EXPECT_TRUE(s.IndexShow);
    EXPECT_EQ(Col(1), "c a b");
    EXPECT_EQ(s.SaveToString(), "i;u2;d1");
    s.LoadFromString("ux");
    EXPECT_FALSE(s.IndexShow);
    EXPECT_EQ(s.Direction, sdAscending);
    EXPECT_EQ(Col(1), "c a b") << "no column: no sort";
}

} // namespace
