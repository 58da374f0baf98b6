// Text highlighted and marked inside cells and taken out again, cells checked by a
// checker plugged into the grid, ranges filled; and how highlighted text is painted.
#include <gtest/gtest.h>

#include <set>

#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

TEST_F(ExtGridTest, HilightTextWrapsOccurrencesOutsideTagsLeftToRight)
{
    TExtStringGrid* g = Grid;
    const struct {
        bool doCase;
        const char* s;
        const char* text;
        const char* hilighted;
    } cases[] = {
        {false, "Abc abc", "ABC", "<hi>Abc</hi> <hi>abc</hi>"},
        {true, "Abc abc", "abc", "Abc <hi>abc</hi>"},
        {true, "aaaa", "aa", "<hi>aa</hi><hi>aa</hi>"},           // no overlaps
        {false, "x<b>ab</b>c", "BC", "x<b>a<hi>b</b>c</hi>"},     // tags skipped in the search
        {false, "x<b>ab</b>c", "b>", "x<b>ab</b>c"},              // nor matched
        {true, "a > b", "b", "a &gt; <hi>b</hi>"},                // a lone ">" is escaped first
        {true, "1 < 2 < 3", "< 3", "1 &lt; 2 <hi>&lt; 3</hi>"},
        {true, "x &lt; lt", "lt", "x &lt; <hi>lt</hi>"},           // never inside an entity
        {true, "R&amp;D", "&", "R<hi>&amp;</hi>D"},                // which counts as its character
        {true, "plain", "", "plain"},                             // an empty text marks nothing
        {true, "plain", "z", "plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(g->HilightText(c.doCase, c.s, c.text), c.hilighted);
        String marked = c.hilighted;
        for (size_t p; (p = marked.find("hi>")) != String::npos;) marked.replace(p, 3, "e>");
        EXPECT_EQ(g->MarkText(c.doCase, c.s, c.text), marked);
    }
    const struct {
        const char* s;
        const char* unhilighted;
        const char* unmarked;
    } removals[] = {
        {"<hi>a</hi> <HI>b</Hi>", "a b", "<hi>a</hi> <HI>b</Hi>"},
        {"<e>a</e>&lt;<hi>x</hi>", "<e>a</e><x", "a<<hi>x</hi>"},
        {"no tags", "no tags", "no tags"},
    };
    for (const auto& r : removals) {
        SCOPED_TRACE(r.s);
        EXPECT_EQ(g->UnHilightText(r.s), r.unhilighted);
        EXPECT_EQ(g->UnMarkText(r.s), r.unmarked);
    }
}

class HighlightTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) Grid->SetCellEx(c, r, "key " + IntToStr(c) + IntToStr(r));
    }
    // The cells of the grid that hold the tag, as "c,r" names.
    std::set<String> Tagged(const char* tag)
    {
        std::set<String> s;
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int c = 0; c < Grid->TotalColCount(); ++c)
                if (Grid->GetGridCell(c, r).find(tag) != String::npos) s.insert(Name(c, r));
        return s;
    }
};

TEST_F(HighlightTest, EachRangeReachesItsCellsWithAndWithoutTheFixedOnes)
{
    Grid->FixedFooters = 1;   // the last row is a footer: not scrollable
    Grid->HideColumn(3);      // real column 3 hidden
    using Op = std::function<void(TExtStringGrid*)>;
    const struct {
        const char* name;
        Op op;
        std::set<String> cells;
    } cases[] = {
        {"cell", [](TExtStringGrid* g) { g->HilightInCell(false, 2, 0, "KEY"); }, {"2,0"}},
        {"column", [](TExtStringGrid* g) { g->HilightInCol(false, false, 1, "key"); }, {"1,1", "1,2"}},
        {"column+fixed", [](TExtStringGrid* g) { g->HilightInCol(true, false, 1, "key"); }, {"1,0", "1,1", "1,2", "1,3"}},
        {"row", [](TExtStringGrid* g) { g->HilightInRow(false, false, 2, "key"); }, {"1,2", "2,2"}},
        {"row+fixed", [](TExtStringGrid* g) { g->HilightInRow(true, false, 2, "key"); }, {"0,2", "1,2", "2,2"}},
        // The grid without fixed cells reaches the hidden column too.
        {"grid", [](TExtStringGrid* g) { g->HilightInGrid(false, false, "key"); },
         {"1,1", "2,1", "3,1", "1,2", "2,2", "3,2"}},
        {"marks in the grid", [](TExtStringGrid* g) { g->MarkInGrid(false, false, "key"); },
         {"1,1", "2,1", "1,2", "2,2"}},
        {"out of range", [](TExtStringGrid* g) { g->HilightInCell(false, 9, 9, "key"); g->HilightInCol(true, false, -1, "key"); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.op(Grid);
        EXPECT_EQ(c.name == String("marks in the grid") ? Tagged("<e>") : Tagged("<hi>"), c.cells);
        Grid->UnHilightInGrid(true);
        Grid->UnMarkInGrid(true);
        EXPECT_TRUE(Tagged("<hi>").empty());
        EXPECT_TRUE(Tagged("<e>").empty());
        EXPECT_EQ(Grid->GetGridCell(3, 1), "key 31");
    }
    // Removing from one row leaves the others' highlights.
    Grid->HilightInGrid(true, false, "key");
    Grid->UnHilightInRow(false, 1);
    EXPECT_EQ(Tagged("<hi>").count("1,1") + Tagged("<hi>").count("3,1"), 0u);
    EXPECT_EQ(Tagged("<hi>").count("0,1"), 1u);
}

TEST_F(HighlightTest, ACellsOwnMarkupShowsAsTextUntilTheHighlightGoes)
{
    const struct {
        const char* text;
        const char* search;
        const char* highlighted;
    } cases[] = {
        {"<b>bold</b> word", "word", "&lt;b&gt;bold&lt;/b&gt; <hi>word</hi>"},
        {"Tom & \"Jerry\"", "Jerry", "Tom &amp; &quot;<hi>Jerry</hi>&quot;"},
        {"a<b", "a<b", "<hi>a&lt;b</hi>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Grid->SetCellEx(1, 1, c.text);
        Grid->HilightInCell(true, 1, 1, c.search);
        EXPECT_EQ(Grid->GetCellEx(1, 1), c.highlighted);
        Grid->UnHilightInCell(1, 1);
        EXPECT_EQ(Grid->GetCellEx(1, 1), c.text);
    }
    // A cell where the text does not occur, or that holds no highlight, keeps its text:
    // it is neither escaped nor unescaped.
    Grid->SetCellEx(2, 2, "x &amp; <b>y</b>");
    Grid->HilightInCell(false, 2, 2, "zzz");
    EXPECT_EQ(Grid->GetCellEx(2, 2), "x &amp; <b>y</b>");
    Grid->UnHilightInCell(2, 2);
    EXPECT_EQ(Grid->GetCellEx(2, 2), "x &amp; <b>y</b>");
    Grid->MarkInCell(true, 2, 2, "y");
    Grid->UnHilightInCell(2, 2);   // holds no highlight: marks stay as they are
    EXPECT_EQ(Grid->GetCellEx(2, 2), "x &amp;amp; &lt;b&gt;<e>y</e>&lt;/b&gt;");
    Grid->UnMarkInCell(2, 2);
    EXPECT_EQ(Grid->GetCellEx(2, 2), "x &amp; <b>y</b>");
}

TEST_F(HighlightTest, OnlyTheBaseCellOfAMergedAreaIsHighlighted)
{
    Grid->MergeCells(1, 1, 2, 2);
    Grid->HilightInGrid(true, true, "key");
    EXPECT_EQ(Grid->GetGridCell(1, 1), "<hi>key</hi> 11");
    EXPECT_EQ(Grid->GetGridCell(2, 1), "key 21");   // covered by the area, left alone
    EXPECT_EQ(Grid->GetGridCell(2, 2), "key 22");
}

TEST_F(HighlightTest, HighlightedAndMarkedRunsArePaintedInTheirColours)
{
    Grid->SetColWidths(1, 150);
    Grid->SetColWidths(2, 150);
    Grid->HighlightColor = clYellow;
    Grid->HighlightTextColor = clBlue;
    Grid->SetCellEx(1, 1, "find the needle here");
    Grid->SetCellEx(2, 1, "find the needle here");
    Grid->SetCellEx(1, 2, "a misspeled word");
    Grid->HilightInCell(false, 1, 1, "NEEDLE");
    Grid->MarkInCell(true, 1, 2, "misspeled");
    Grid->FocusCell(3, 3, true);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Grid, "highlighted_cells.png", png));
    const TRect hi = Grid->CellRect(1, 1), plain = Grid->CellRect(2, 1), marked = Grid->CellRect(1, 2);
    const auto part = [](TColor c, int shift) { return int((c >> shift) & 0xFF); };
    const auto blue = [&](TColor c) { return part(c, 16) > 0xA0 && part(c, 0) < 0x60 && part(c, 8) < 0x60; };
    const auto red = [&](TColor c) { return part(c, 0) > 0xA0 && part(c, 8) < 0x60 && part(c, 16) < 0x60; };
    // The highlight is a yellow block about as wide as the word, with blue letters.
    const int yellow = Count_Pixels(png, hi, clYellow);
    EXPECT_GT(yellow, 150);
    EXPECT_LT(yellow, hi.Width() * hi.Height() / 2);
    EXPECT_GT(Count_Pixels(png, hi, blue), 10);
    // The same text without the highlight has neither.
    EXPECT_EQ(Count_Pixels(png, plain, clYellow), 0);
    EXPECT_EQ(Count_Pixels(png, plain, blue), 0);
    // The marked word gets the red zigzag under it.
    EXPECT_GT(Count_Pixels(png, marked, red), 20);
    EXPECT_EQ(Count_Pixels(png, plain, red), 0);
}

// ---------------------------------------------------------------- checking

// A checker that upper-cases on correction and marks "teh"; it counts its runs.
class TestChecker : public TComponent, public TGridCellChecker {
public:
    explicit TestChecker(TComponent* owner) : TComponent(owner) {}
    bool Goto = false, AutoCorr = false, AutoMark = false, UseCorr = false, UseMark = false;
    int Starts = 0, Stops = 0;
    std::vector<String> Seen;   // "c,r" of each examined cell, with the current cell then
    TExtStringGrid* Grid = nullptr;
    TComponent* CheckerComponent() override { return this; }
    bool GotoCell() const override { return Goto; }
    bool AutoCorrect() const override { return AutoCorr; }
    bool AutoMarkError() const override { return AutoMark; }
    bool UseCorrect() const override { return UseCorr; }
    bool UseMarkError() const override { return UseMark; }
    String MarkError(int c, int r, const String& S) override
    {
        Seen.push_back(IntToStr(c) + "," + IntToStr(r) + (Grid ? "@" + IntToStr(Grid->Col()) + "," + IntToStr(Grid->Row()) : ""));
        return Grid->MarkText(true, S, "teh");
    }
    String Correct(int c, int r, const String& S) override { return UpperCase(S); }
    void StartCheck() override { ++Starts; }
    void StopCheck() override { ++Stops; }
};

TEST_F(HighlightTest, CheckingARangeVisitsEveryCellAndTellsWhetherAllStayed)
{
    // Without a checker nothing is examined and everything passes.
    EXPECT_TRUE(Grid->CheckGrid(true));
    EXPECT_TRUE(Grid->CheckCell(1, 1));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "key 11");

    auto* checker = new TestChecker(Form);
    checker->Grid = Grid;
    checker->UseMark = true;
    Grid->SetCellChecker(checker);
    Grid->SetCellEx(1, 1, "teh end");
    Grid->SetCellEx(2, 2, "<e>old</e> mark");   // an old mark is taken out first
    Grid->FocusCell(1, 3, true);
    EXPECT_FALSE(Grid->CheckGrid(false));
    EXPECT_EQ(checker->Seen, (std::vector<String>{"1,1@1,3", "2,1@1,3", "3,1@1,3", "1,2@1,3", "2,2@1,3",
                                                 "3,2@1,3", "1,3@1,3", "2,3@1,3", "3,3@1,3"}));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "<e>teh</e> end");
    EXPECT_EQ(Grid->GetCellEx(2, 2), "old mark");
    EXPECT_EQ(checker->Starts, 1);
    EXPECT_EQ(checker->Stops, 1);
    // Checked again, the marked cell counts as unchanged: its marks come off first.
    EXPECT_TRUE(Grid->CheckRow(false, 1) == false);   // the mark is put back: a change
    EXPECT_TRUE(Grid->CheckCol(false, 2));
    // With GotoCell each cell is current while examined, and the old one comes back.
    checker->Seen.clear();
    checker->Goto = true;
    EXPECT_TRUE(Grid->CheckCells(2, 2, 3, 2));
    EXPECT_EQ(checker->Seen, (std::vector<String>{"2,2@2,2", "3,2@3,2"}));
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 3);
    // A reversed or outside range examines nothing and passes.
    checker->Seen.clear();
    EXPECT_TRUE(Grid->CheckCells(3, 3, 1, 1));
    EXPECT_TRUE(Grid->CheckCells(7, 7, 9, 9));
    EXPECT_TRUE(checker->Seen.empty());
    // Freed, the checker is forgotten.
    delete checker;
    EXPECT_EQ(Grid->CellChecker(), nullptr);
    EXPECT_TRUE(Grid->CheckGrid(true));
}

// ---------------------------------------------------------------- fills

TEST_F(HighlightTest, FillsReachEveryCellOrEveryScrollableCell)
{
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    Grid->FixedRightCols = 1;
    Grid->FixedFooters = 1;
    const struct {
        const char* name;
        bool doFixed;
        std::function<void(TExtStringGrid*, bool)> fill;
        const char* first;   // the first cell of the range
        const char* last;    // the last cell of the range
    } cases[] = {
        {"linear", false, [](TExtStringGrid* g, bool f) { g->LinearFill(f); }, "1:1", "3:3"},
        {"linear+fixed", true, [](TExtStringGrid* g, bool f) { g->LinearFill(f); }, "0:0", "4:4"},
        {"text", false, [](TExtStringGrid* g, bool f) { g->TextFill(f, "x"); }, "x", "x"},
        {"format", false, [](TExtStringGrid* g, bool f) { g->FormatFill(f, "R%dC%d"); }, "R1C1", "R3C3"},
        {"format+fixed", true, [](TExtStringGrid* g, bool f) { g->FormatFill(f, "%d/%d"); }, "0/0", "4/4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid->TextFill(true, "");
        c.fill(Grid, c.doFixed);
        const int from = c.doFixed ? 0 : 1, toCol = c.doFixed ? 4 : 3, toRow = c.doFixed ? 4 : 3;
        EXPECT_EQ(Grid->GetCellEx(from, from), c.first);
        EXPECT_EQ(Grid->GetCellEx(toCol, toRow), c.last);
        if (!c.doFixed) {
            EXPECT_EQ(Grid->GetCellEx(0, 1), "");   // fixed column
            EXPECT_EQ(Grid->GetCellEx(1, 0), "");   // fixed row
            EXPECT_EQ(Grid->GetCellEx(4, 1), "");   // fixed right column
            EXPECT_EQ(Grid->GetCellEx(1, 4), "");   // footer row
        }
    }
    // A format that wants more than the column and the row raises, and the grid paints
    // again afterwards.
    EXPECT_THROW(Grid->FormatFill(false, "%d %d %d"), EConvertError);
    EXPECT_EQ(Grid->UpdateCount(), 0);
}

TEST_F(HighlightTest, RandomFillStaysInItsRangeAndCopesWithNoRange)
{
    const struct {
        int rnd, lo, hi;
    } cases[] = {{1, 0, 0}, {0, 0, 0}, {-5, 0, 0}, {3, 0, 2}, {1000, 0, 999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rnd);
        Grid->RandomFill(true, c.rnd);
        std::set<int> seen;
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int col = 0; col < Grid->ColCount(); ++col) {
                const int v = Grid->GetInts(col, r);
                EXPECT_GE(v, c.lo);
                EXPECT_LE(v, c.hi);
                seen.insert(v);
            }
        if (c.rnd == 3) {
            EXPECT_GT(seen.size(), 1u);   // 16 cells of three values
        }
    }
}

}  // namespace
