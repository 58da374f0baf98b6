// Filtering the grid's rows: conditions per column joined by their operations, levels
// of hidden rows that come back one at a time, narrowing by a typed text, and the rows
// that never leave. The drop-down under a header cell is in filter_dropdown_test.cpp.
#include <vector>

#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/Regional.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class FilterTest : public ExtGridTest {
protected:
    // One fixed row with headers "h0".."hN", then one data row per entry of Column1
    // (column 1), with "c,r" texts elsewhere.
    // The header row stays fixed when every data row is filtered away.
    void Rows(const std::vector<String>& Column1, int Cols = 4)
    {
        Grid->FixedRowAlways = true;
        Grid->SetColCount(Cols);
        Grid->SetRowCount(int(Column1.size()) + 1);
        for (int c = 0; c < Cols; ++c) Grid->SetCellEx(c, 0, String("h").append(IntToStr(c)));
        for (int r = 1; r <= int(Column1.size()); ++r)
            for (int c = 0; c < Cols; ++c) Grid->SetCellEx(c, r, c == 1 ? Column1[size_t(r - 1)] : Name(c, r));
    }
    // Column c of the displayed data rows, joined by ",".
    String Shown(int c = 1)
    {
        String s;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) (r > Grid->FixedRows() ? s += ',' : s) += Grid->GetCellEx(c, r);
        return s;
    }
    TFilterData* Condition(int Col, const String& Text, TFilterOperation Op = foNONE)
    {
        TFilterData* d = Grid->Filter()->Add();
        d->Column = Col;
        d->Condition = Text;
        d->Operation = Op;
        return d;
    }
};

}  // namespace

// ---------------------------------------------------------------- levels

TEST_F(FilterTest, SwitchingTheFilterOnHidesFailingRowsAndOffBringsThemBackWhole)
{
    Rows({"apple", "pear", "apricot", "plum", "avocado"});
    Grid->SetRowHeights(2, 40);
    Grid->GetCellProperties(2, 2)->SetBrushColor(clRed);
    Grid->HideColumn(3);   // hidden columns travel with the rows too
    Condition(1, "a*");
    Grid->SetFilterActive(true);
    EXPECT_TRUE(Grid->FilterActive());
    EXPECT_EQ(Shown(), "apple,apricot,avocado");
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->NumHiddenRows(), 2);
    EXPECT_EQ(Grid->FilterLevel(), 1);
    EXPECT_EQ(Grid->RealRowIndex(2), 3);
    EXPECT_EQ(Grid->GetCellsEx(1, 2), "pear");   // a hidden row read by its real index

    Grid->SetFilterActive(false);
    EXPECT_FALSE(Grid->FilterActive());
    EXPECT_EQ(Shown(), "apple,pear,apricot,plum,avocado");
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(Grid->FilterLevel(), 0);
    EXPECT_EQ(Grid->RowHeights(2), 40);
    ASSERT_NE(Grid->CellPropsOf(2, 2), nullptr);
    EXPECT_EQ(Grid->CellPropsOf(2, 2)->BrushColor(), clRed);
    EXPECT_EQ(Grid->GetCellEx(3, 4), "3,4");
    Grid->UnHideColumn(3);
    EXPECT_EQ(Grid->GetCellEx(3, 2), "3,2");
}

TEST_F(FilterTest, AnEmptyFilterStillMakesALevelAndTakingItAwayChangesNothing)
{
    Rows({"a", "b", "c"});
    Grid->SetFilterActive(true);
    EXPECT_EQ(Grid->FilterLevel(), 1);
    EXPECT_EQ(Shown(), "a,b,c");
    Grid->SetFilterActive(false);
    EXPECT_EQ(Grid->FilterLevel(), 0);
    EXPECT_EQ(Shown(), "a,b,c");
    // Switching off twice, or after the levels went another way, brings back nothing.
    Grid->SetFilterActive(false);
    Condition(1, "a");
    Grid->SetFilterActive(true);
    Grid->RemoveAllFilters();
    Grid->SetFilterActive(false);
    EXPECT_EQ(Grid->FilterLevel(), 0);
    EXPECT_EQ(Shown(), "a,b,c");
}

TEST_F(FilterTest, LevelsComeBackNewestFirst)
{
    Rows({"a1", "b1", "a2", "b2", "a3"});
    Condition(1, "a*");
    Grid->ApplyFilter();
    Grid->Filter()->Items(0)->Condition = "!*2";
    Grid->ApplyFilter();
    EXPECT_EQ(Shown(), "a1,a3");
    EXPECT_EQ(Grid->FilterLevel(), 2);
    EXPECT_TRUE(Grid->RemoveLastFilter());   // a level remains
    EXPECT_EQ(Shown(), "a1,a2,a3");
    EXPECT_FALSE(Grid->RemoveLastFilter());
    EXPECT_EQ(Shown(), "a1,b1,a2,b2,a3");
    EXPECT_FALSE(Grid->RemoveLastFilter());   // none left
    // RemoveAllFilters takes every level away, and with none left empties the conditions.
    Grid->ApplyFilter();
    Grid->ApplyFilter();
    Grid->RemoveAllFilters();
    EXPECT_EQ(Grid->FilterLevel(), 0);
    EXPECT_EQ(Grid->Filter()->Count(), 1);
    Grid->RemoveAllFilters();
    EXPECT_EQ(Grid->Filter()->Count(), 0);
}

TEST_F(FilterTest, FilteringRowsThatOtherCodeHidAlreadyKeepsBoth)
{
    Rows({"a", "b", "a", "b", "a", "b"});
    Grid->HideRows(2, 3);   // hidden by hand: real rows 2 and 3 ("b", "a")
    Condition(1, "a");
    Grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), "a,a");
    Grid->SetFilterActive(false);
    EXPECT_EQ(Shown(), "a,b,a,b");
    Grid->UnHideRows(2, 3);
    EXPECT_EQ(Shown(), "a,b,a,b,a,b");
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(Grid->GetCellEx(0, r), Name(0, r)) << r;
}

TEST_F(FilterTest, OneRowIsFilteredByItsRealIndex)
{
    Rows({"a", "b", "c"});
    Condition(1, "a|c");
    Grid->FilterRow(2);
    EXPECT_EQ(Shown(), "a,c");
    Grid->FilterRow(2);    // hidden already
    Grid->FilterRow(3);    // passes
    Grid->FilterRow(99);   // beyond the grid
    EXPECT_EQ(Shown(), "a,c");
    EXPECT_TRUE(Grid->IsHiddenRow(2));
}

// ---------------------------------------------------------------- conditions

TEST_F(FilterTest, ItemsJoinByTheirOperationsFromLeftToRight)
{
    // Rows of Y/N in columns 1, 2 and 3: every combination.
    Grid->SetColCount(4);
    Grid->SetRowCount(9);
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 3; ++c) Grid->SetCellEx(c, r, ((r - 1) >> (c - 1)) & 1 ? "Y" : "N");
    auto passing = [&] {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r)
            s += Grid->GetCellEx(1, r) + Grid->GetCellEx(2, r) + Grid->GetCellEx(3, r) + " ";
        return s;
    };
    struct Case {
        TFilterOperation Op1, Op2, Op3;
        const char* Passing;   // rows left, as column 1, 2, 3 texts
    };
    const Case cases[] = {
        // (c1 and c2) or c3
        {foNONE, foAND, foOR, "YYN NNY YNY NYY YYY "},
        // c1 xor c2, then and c3
        {foNONE, foXOR, foAND, "YNY NYY "},
        // a failing short item fails the row whatever follows
        {foSHORT, foOR, foOR, "YNN YYN YNY YYY "},
        {foNONE, foSHORT, foOR, "NYN YYN NYY YYY "},
    };
    for (const Case& c : cases) {
        Grid->Filter()->Clear();
        Condition(1, "Y", c.Op1);
        Condition(2, "Y", c.Op2);
        Condition(3, "Y", c.Op3);
        Grid->SetFilterActive(true);
        EXPECT_EQ(passing(), c.Passing) << c.Op1 << c.Op2 << c.Op3;
        Grid->SetFilterActive(false);
    }
    // Add joins by and after the first item.
    Grid->Filter()->Clear();
    EXPECT_EQ(Grid->Filter()->Add()->Operation, foNONE);
    EXPECT_EQ(Grid->Filter()->Add()->Operation, foAND);
    EXPECT_EQ(Grid->Filter()->Insert(0)->Operation, foSHORT);
}

TEST_F(FilterTest, EachItemTestsTheTextItsDataNames)
{
    SetDecimalSeparatorOverride('.');
    // Column 1 shows numbers with two decimals; column 2 holds mini-HTML; column 3 a
    // packed wide text.
    Grid->OnGetFloatFormat = [](TObject*, int ACol, int, bool& IsFloat, String&) { IsFloat = ACol == 1; };
    Rows({"3", " 4 ", "kg 5", "6 kg", "Apple"});
    Grid->SetCellEx(2, 1, "<b>bold</b>");
    Grid->SetCellEx(3, 2, PackWideText("\xC3\xA4x"));
    struct Case {
        int Column;
        TFilterCells Data;
        const char* Condition;
        const char* Prefix;
        const char* Suffix;
        TFilterMethod Method;
        bool CaseSensitive;
        const char* Shown;
    };
    const Case cases[] = {
        {1, fcVirtual, "3.00", "", "", fmExpression, true, "3"},
        {1, fcNormal, "3.00", "", "", fmExpression, true, ""},
        {1, fcNormal, "4", "", "", fmExpression, true, " 4 "},          // trimmed
        {1, fcNormal, ">4", "kg ", " kg", fmExpression, true, "kg 5,6 kg,Apple"},   // "Apple" > "4" as text
        {1, fcNormal, "*kg", "", "", fmLiteral, true, ""},              // literal: no wildcards
        {1, fcNormal, "6 kg", "", "", fmLiteral, true, "6 kg"},
        {1, fcNormal, "apple", "", "", fmExpression, false, "Apple"},
        {1, fcNormal, "apple", "", "", fmExpression, true, ""},
        {2, fcStripHTML, "bold", "", "", fmExpression, true, "3"},
        {2, fcNormal, "bold", "", "", fmExpression, true, ""},
        {3, fcNormal, "\xC3\xA4?", "", "", fmExpression, true, " 4 "},  // unpacked first
        {0, fcRow, "APPLE", "", "", fmExpression, true, "Apple"},       // anywhere in the row, any case
        {0, fcRow, "2,3", "", "", fmExpression, true, "kg 5"},
        {1, fcNormal, "", "", "", fmExpression, true, "3, 4 ,kg 5,6 kg,Apple"},
    };
    for (const Case& c : cases) {
        Grid->Filter()->Clear();
        TFilterData* d = Condition(c.Column, c.Condition);
        d->Data = c.Data;
        d->Prefix = c.Prefix;
        d->Suffix = c.Suffix;
        d->Method = c.Method;
        d->CaseSensitive = c.CaseSensitive;
        Grid->SetFilterActive(true);
        EXPECT_EQ(Shown(), c.Shown) << c.Column << " " << c.Data << " '" << c.Condition << "'";
        Grid->SetFilterActive(false);
    }
    SetDecimalSeparatorOverride(0);
}

TEST_F(FilterTest, TheApplicationHasTheLastWordOnEveryRow)
{
    Rows({"a", "b", "c"});
    Condition(1, "a");
    Grid->OnCustomFilter = [](TObject*, int ARow, bool& Accept) {
        if (ARow == 3) Accept = true;
    };
    Grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), "a,c");
}

TEST_F(FilterTest, NodeAndSummaryRowsStayWhateverTheConditions)
{
    Rows({"x", "node", "y", "sum"});
    Grid->CreateCellGraphic(0, 2)->CellType = ctNode;
    Grid->CreateCellGraphic(0, 4)->CellType = ctSummary;
    Condition(1, "x");
    Grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), "x,node,sum");
    Grid->SetFilterActive(false);
    Grid->FilterNormalCellsOnly = false;
    Grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), "x");
}

TEST_F(FilterTest, ProgressIsAShareOfTheScrollableRowsAndNothingWithoutAny)
{
    Rows({"a", "b", "c"});
    Grid->FixedFooters = 1;   // the last row is a footer and is not tested
    std::vector<int> progress;
    Grid->OnFilterProgress = [&](TObject*, int p) { progress.push_back(p); };
    Condition(1, "a");
    Grid->ApplyFilter();
    EXPECT_EQ(progress, (std::vector<int>{50, 100, 100}));
    EXPECT_EQ(Shown(), "a,c");
    // Only the header row: nothing to divide by, nothing reported, still a level.
    Grid->RemoveAllFilters();
    Grid->FixedFooters = 0;
    progress.clear();
    Grid->SetRowCount(1);
    Grid->ApplyFilter();
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(Grid->FilterLevel(), 1);
}

// ---------------------------------------------------------------- narrowing

TEST_F(FilterTest, NarrowingOneCharacterMoreOrLessMovesOneLevel)
{
    Rows({"abc", "abd", "axe", "bcd", "ab c"});
    Grid->NarrowDown("a", 1);
    EXPECT_EQ(Shown(), "abc,abd,axe,ab c");
    Grid->NarrowDown("ab", 1);
    Grid->NarrowDown("abc", 1);
    EXPECT_EQ(Shown(), "abc");
    EXPECT_EQ(Grid->FilterLevel(), 3);
    EXPECT_TRUE(Grid->FixedRowAlways);
    Grid->NarrowDown("ab", 1);   // back one: the third level's rows return
    EXPECT_EQ(Shown(), "abc,abd,ab c");
    EXPECT_EQ(Grid->FilterLevel(), 2);
    Grid->NarrowDown("x", 1);    // unrelated: every level goes, then one fresh
    EXPECT_EQ(Shown(), "axe");
    EXPECT_EQ(Grid->FilterLevel(), 1);
    // A blank counts: the text is quoted with its stars, fresh and extending alike.
    Grid->NarrowDown("b c", 1);
    EXPECT_EQ(Grid->Filter()->Items(0)->Condition, "\"*b c*\"");
    EXPECT_EQ(Shown(), "ab c");
    Grid->NarrowDown("ab", 1);
    Grid->NarrowDown("ab ", 1);
    EXPECT_EQ(Grid->Filter()->Items(0)->Condition, "\"*ab *\"");
    EXPECT_EQ(Shown(), "ab c");
    // The whole row, without regard to case.
    Grid->NarrowDown("BCD", -1);
    EXPECT_EQ(Grid->Filter()->Items(0)->Data, fcRow);
    EXPECT_EQ(Shown(), "bcd");
    // An empty text: no level and no hidden row is left, also of rows hidden by hand
    // before (they come back rather than being dropped).
    Grid->NarrowDown("", 1);
    EXPECT_EQ(Shown(), "abc,abd,axe,bcd,ab c");
    Grid->HideRow(2);
    Grid->NarrowDown("a", 1);
    EXPECT_EQ(Shown(), "abc,axe,ab c");
    Grid->NarrowDown("", 1);
    EXPECT_EQ(Grid->FilterLevel(), 0);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(Shown(), "abc,abd,axe,bcd,ab c");
}

TEST_F(FilterTest, TheDropDownRowMustBeAFixedRow)
{
    Rows({"a", "b", "c"});
    Grid->SetFilterDropDownRow(1);
    EXPECT_EQ(Grid->FilterDropDownRow(), 0);
    Grid->SetFixedRows(2);
    Grid->SetFilterDropDownRow(1);
    EXPECT_EQ(Grid->FilterDropDownRow(), 1);
}
