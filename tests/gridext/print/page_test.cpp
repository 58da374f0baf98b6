// What grid printing puts on a page: header and footer texts and where they stand, page
// numbers, title lines, frames and cell lines, merged cells, selected-only prints, forced
// page breaks, previews, failing jobs; and printed PDF pages rendered to pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <regex>

#include "gridext/print/GridPrint.h"
#include "grid/core/GridOptions.h"
#include "tests/common/PdfPages.h"
#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"
#include "tests/gridext/print/printed_pages.h"

namespace {

constexpr int ColWidth = 400;
constexpr TRect A4Screen(0, 0, 794, 1123);  // an A4 page in screen pixels
constexpr int PW = 2101, PH = 2971;          // that page in 0.1 mm, as a preview lays it out

class PrintPageTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        TPrintSettings* ps = Grid->PrintSettings();
        ps->UseFixedWidth = true;
        ps->FixedWidth = ColWidth;
        ps->UseFixedHeight = true;
        ps->FixedHeight = 100;
    }

    // A layout of the whole grid on a recording canvas (nothing drawn).
    std::unique_ptr<TGridPrintLayout> Lay(int Width, int Height)
    {
        auto layout = std::make_unique<TGridPrintLayout>(*Grid, Canvas);
        layout->Layout(TGridRect(0, 0, Grid->ColCount() - 1, Grid->RowCount() - 1), Width, Height);
        return layout;
    }

    // A preview of the grid's PreviewPage on the recording canvas.
    void Preview()
    {
        Canvas.Ops.clear();
        TGridPrint(*Grid).PrintPreview(Canvas, A4Screen);
    }

    std::vector<TDrawOp> Texts(const String& Text)
    {
        std::vector<TDrawOp> out;
        for (const TDrawOp& o : Canvas.Ops)
            if ((o.Op == "TextOut" || o.Op == "DrawText") && o.Text == Text) out.push_back(o);
        return out;
    }

    TRecordingCanvas Canvas;
};

TEST_F(PrintPageTest, HeaderAndFooterSlotsJoinTheirItemsWithBlanks)
{
    Fill(2, 2);
    const std::regex time(R"(\d\d:\d\d)"), date(R"(\d\d/\d\d/\d{4})");
    TPrintSettings* ps = Grid->PrintSettings();
    {
        SCOPED_TRACE("time alone at the top right: a blank, then the time");
        ps->Time = ppTopRight;
        auto layout = Lay(2100, 2970);
        const String s = layout->HeaderFooterTexts(layout->Pages()[0], 1, 1)[1];
        ASSERT_EQ(s.size(), 6u);
        EXPECT_EQ(s[0], ' ');
        EXPECT_TRUE(std::regex_match(s.substr(1), time)) << s;
    }
    {
        SCOPED_TRACE("time and date both top left: date, blank, time, blank");
        ps->Time = ps->Date = ppTopLeft;
        auto layout = Lay(2100, 2970);
        const String s = layout->HeaderFooterTexts(layout->Pages()[0], 1, 1)[0];
        ASSERT_EQ(s.size(), 17u) << s;
        EXPECT_TRUE(std::regex_match(s.substr(0, 10), date)) << s;
        EXPECT_EQ(s[10], ' ');
        EXPECT_TRUE(std::regex_match(s.substr(11, 5), time)) << s;
        EXPECT_EQ(s[16], ' ');
    }
    ps->Time = ps->Date = ppNone;
    ps->PageNr = ppBottomCenter;
    auto layout = Lay(2100, 2970);
    EXPECT_EQ(layout->HeaderFooterTexts(layout->Pages()[0], 1, 1)[5], "  1 ");
    ps->PagePrefix = "Page";
    ps->PageSuffix = "end";
    EXPECT_EQ(layout->HeaderFooterTexts(layout->Pages()[0], 1, 1)[5], " Page 1 end");
}

TEST_F(PrintPageTest, TimeAtTheTopRightEndsTwentyUnitsAndTheMarginFromTheEdge)
{
    Fill(2, 2);
    TPrintSettings* ps = Grid->PrintSettings();
    ps->Time = ppTopRight;
    ps->RightSize = 150;
    ps->HeaderSize = 40;
    Preview();
    const std::vector<TDrawOp> texts = Canvas.Of("TextOut");
    const TDrawOp* time = nullptr;
    for (const TDrawOp& o : texts)
        if (o.Text.size() == 6 && o.Text[0] == ' ') time = &o;
    ASSERT_TRUE(time);
    Canvas.SetMetricMode(true);
    Canvas.SetFont(ps->HeaderFont());
    Canvas.Font()->SetHeight(TGridPrintLayout(*Grid, Canvas).MapFontHeight(ps->HeaderFont()->Size()));
    EXPECT_EQ(time->R.Left + Canvas.TextWidth(time->Text), PW - 150 - 20);
    EXPECT_EQ(time->R.Top, -40);
}

TEST_F(PrintPageTest, PageNumbersCountPagesAndBands)
{
    Fill(2, 2);
    TPrintSettings* ps = Grid->PrintSettings();
    auto layout = Lay(2100, 2970);
    const TPrintPage& page = layout->Pages()[0];
    ps->PageNumberOffset = ps->MaxPagesOffset = 10;
    EXPECT_EQ(layout->GetPageNumberText(page, 3, 12), "13/22");
    EXPECT_EQ(layout->GetPageNumberText(page, 1, 1), "11");
    // Without a known total (a print that skipped the count) the number stands alone.
    EXPECT_EQ(layout->GetPageNumberText(page, 3, 0), "13");
    ps->PageNumSep = "";
    EXPECT_EQ(layout->GetPageNumberText(page, 3, 12), "13");
    Grid->OnPrintGetPageNum = [](TObject*, int p, int, String& s) { s = "p" + IntToStr(p); };
    EXPECT_EQ(layout->GetPageNumberText(page, 3, 12), "p3");
    Grid->OnPrintGetPageNum = nullptr;

    // Three bands of two pages each: page-within-band, dash, band.
    Fill(6, 8);
    const int twoColumns = 2 * ColWidth, fourRows = layout->HeaderHeight() + 4 * layout->PrintedRowHeight(0) +
                                                    layout->FooterHeight() + 1;
    layout = Lay(twoColumns, fourRows);
    std::vector<String> numbers;
    for (const TPrintPage& p : layout->Pages()) numbers.push_back(layout->GetPageNumberText(p, 1, 6));
    EXPECT_EQ(numbers, (std::vector<String>{"1-1", "2-1", "1-2", "2-2", "1-3", "2-3"}));
}

TEST_F(PrintPageTest, TitleLinesStackUnderTheFirstAndGrowTheHeader)
{
    Fill(2, 2);
    TPrintSettings* ps = Grid->PrintSettings();
    ps->Title = ppTopCenter;
    ps->HeaderSize = 50;
    ps->TitleLines()->Add("Meters");
    const int oneLine = Lay(2100, 2970)->HeaderHeight();
    ps->TitleLines()->Add("Hall two");
    ps->TitleLines()->Add("Week 12");
    auto layout = Lay(PW, PH);
    Preview();
    const std::vector<TDrawOp> first = Texts("Meters"), second = Texts("Hall two"), third = Texts("Week 12");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    ASSERT_EQ(third.size(), 1u);
    const int lh = second[0].R.Top - third[0].R.Top;
    EXPECT_GT(lh, 0);
    EXPECT_EQ(first[0].R.Top, -50);
    EXPECT_EQ(first[0].R.Top - second[0].R.Top, lh);
    EXPECT_EQ(layout->HeaderHeight() - oneLine, 2 * lh);
    // Centred on the page.
    Canvas.SetMetricMode(true);
    Canvas.SetFont(ps->HeaderFont());
    Canvas.Font()->SetHeight(layout->MapFontHeight(ps->HeaderFont()->Size()));
    EXPECT_NEAR(second[0].R.Left * 2 + Canvas.TextWidth("Hall two"), PW, 2);
}

TEST_F(PrintPageTest, BordersDrawCellLinesOrOneFrameAroundThePage)
{
    Fill(3, 2);
    TPrintSettings* ps = Grid->PrintSettings();
    struct Case {
        TPrintBorders borders;
        int horizontal, vertical;  // cell lines drawn
    };
    // Two rows of three cells: all four sides each; the frame kinds draw none of them, and
    // horizontal borders close the block with one more line under its last row.
    const Case cases[] = {{pbSingle, 12, 12}, {pbVertical, 0, 12}, {pbHorizontal, 13, 0}, {pbNoborder, 0, 0},
                          {pbAround, 2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.borders));
        ps->Borders = c.borders;
        Preview();
        int h = 0, v = 0;
        for (const TDrawOp& o : Canvas.Of("LineTo")) (o.R.Top == o.R.Bottom ? h : v)++;
        EXPECT_EQ(h, c.horizontal);
        EXPECT_EQ(v, c.vertical);
    }
    // The frame encloses the printed block: from the header line to under the last row.
    ps->Borders = pbAround;
    auto layout = Lay(PW, PH);
    const TPrintPage& page = layout->Pages()[0];
    Preview();
    const std::vector<TDrawOp> lines = Canvas.Of("LineTo");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].R, TRect(page.Indents[0], -layout->HeaderHeight(), page.Indents[3], -layout->HeaderHeight()));
    EXPECT_EQ(lines[2].R.Top, page.Bottom + layout->LineGap() / 2);
}

TEST_F(PrintPageTest, CellLinesMeetWithoutGapsAndMergedCellsPrintOnce)
{
    Fill(3, 2);
    Grid->SetCellEx(0, 0, "wide");
    Grid->MergeCells(0, 0, 2, 1);
    Preview();
    auto layout = Lay(PW, PH);
    const TPrintPage& page = layout->Pages()[0];
    // The merged text is drawn once, in a rectangle across both columns.
    const std::vector<TDrawOp> wide = Texts("wide");
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_GE(wide[0].R.Right, page.Indents[2] - layout->CellGap());
    EXPECT_TRUE(Texts("1,0").empty());
    int firstLeft = 0, laterLeft = 0, inner = 0;
    const int top0 = page.Rows[0].Top;
    for (const TDrawOp& o : Canvas.Of("LineTo")) {
        if (o.R.Left != o.R.Right) continue;  // vertical lines only
        if (o.R.Top == top0 && o.R.Left == page.Indents[0]) ++firstLeft;
        // No line between the merged columns in row 0, neither at the edge nor a pen width left of it.
        if (o.R.Top == top0 && std::abs(o.R.Left - page.Indents[1]) <= 2) ++inner;
        // Row 1: the second cell draws its left line one pen width (2 units in a preview
        // of 1-pixel pens: width 1) left of its edge.
        if (o.R.Top == page.Rows[1].Top && o.R.Left == page.Indents[1] - 1) ++laterLeft;
    }
    EXPECT_EQ(firstLeft, 1);
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(laterLeft, 1);
}

TEST_F(PrintPageTest, AMergedCellReachingPastThePageStopsAtItsRowWithoutABottomLine)
{
    Fill(1, 5);
    Grid->MergeCells(0, 2, 1, 2);  // rows 2 and 3, the page ends after row 2
    TGridPrintLayout layout(*Grid, Canvas);
    layout.SetPreview(true);
    layout.Layout(TGridRect(0, 0, 0, 4), PW, PH);
    const int height = layout.HeaderHeight() + 2 * layout.PrintedRowHeight(0) + layout.RowHeight(0) +
                       layout.FooterHeight() + 1;
    layout.Layout(TGridRect(0, 0, 0, 4), PW, height);
    const TPrintPage& page = layout.Pages()[0];
    ASSERT_EQ(page.Rows.size(), 3u);
    const int top = page.Rows[2].Top, rowBottom = top - layout.PrintedRowHeight(2);
    Canvas.Ops.clear();
    layout.DrawPage(page, 1, 2);
    int sides = 0;
    for (const TDrawOp& o : Canvas.Of("LineTo")) {
        if (o.R.Top == top && o.R.Left == o.R.Right) {
            ++sides;
            EXPECT_EQ(o.R.Bottom, rowBottom);
        }
        EXPECT_FALSE(o.R.Top == o.R.Bottom && o.R.Top < top) << "a line under the merged cell at " << o.R.Top;
    }
    EXPECT_EQ(sides, 2);
}

TEST_F(PrintPageTest, EmptyCellsMeasureAsOneLine)
{
    Fill(2, 2);
    TPrintSettings* ps = Grid->PrintSettings();
    ps->UseFixedHeight = ps->UseFixedWidth = false;
    Grid->SetCellEx(1, 1, "");
    Grid->Multilinecells = true;
    Grid->SetCellEx(0, 1, "one\rtwo\rthree");
    TGridPrintLayout layout(*Grid, Canvas);
    layout.Layout(TGridRect(0, 0, 1, 1), 2100, 2970);
    const TPoint empty = layout.MeasureCell(1, 1), text = layout.MeasureCell(1, 0), three = layout.MeasureCell(0, 1);
    EXPECT_GT(empty.Y, 0);
    EXPECT_EQ(empty.Y, text.Y);
    EXPECT_EQ(three.Y, 3 * text.Y);
    EXPECT_GT(empty.X, 0);  // as wide as "gh"
}

TEST_F(PrintPageTest, SelectedRowsPrintAloneWithFixedRowsWhenAsked)
{
    Fill(3, 8);
    Grid->SetFixedRows(1);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(2, true);
    Grid->SetRowSelect(5, true);
    TPrintSettings* ps = Grid->PrintSettings();
    auto printedRows = [&]() {
        TGridPrintLayout layout(*Grid, Canvas);
        layout.SetSelectedOnly(true);
        layout.Layout(TGridRect(0, 0, 2, 7), 2100, 2970);
        std::vector<int> rows;
        for (const TPrintPage& p : layout.Pages())
            for (const TPrintedRow& r : p.Rows) rows.push_back(r.Row);
        EXPECT_EQ(layout.Pages()[0].LastCol, 2);  // all columns
        return rows;
    };
    EXPECT_EQ(printedRows(), (std::vector<int>{2, 5}));
    ps->FixedCellsAlways = true;
    EXPECT_EQ(printedRows(), (std::vector<int>{0, 2, 5}));
}

TEST_F(PrintPageTest, PageBreaksComeWhereAskedOrWhereTheFooterStarts)
{
    Fill(2, 6);
    TGridPrint print(*Grid);
    print.OnPrintNewPage = [](TObject*, int ARow, bool& NewPage) { NewPage = ARow == 2; };
    TGridPrintLayout layout(*Grid, Canvas, &print);
    layout.Layout(TGridRect(0, 0, 1, 5), 2100, 2970);
    ASSERT_EQ(layout.Pages().size(), 2u);
    EXPECT_EQ(layout.Pages()[0].Rows.back().Row, 1);
    EXPECT_EQ(layout.Pages()[1].Rows.front().Row, 2);
    // A break asked after the last row adds no empty page.
    print.OnPrintNewPage = [](TObject*, int, bool& NewPage) { NewPage = true; };
    layout.Layout(TGridRect(0, 0, 1, 0), 2100, 2970);
    EXPECT_EQ(layout.Pages().size(), 1u);

    // A row ending exactly on the footer line goes to the next page (and the layout ends).
    print.OnPrintNewPage = nullptr;
    layout.Layout(TGridRect(0, 0, 1, 0), 2100, 2970);
    const int exact = layout.HeaderHeight() + 2 * layout.PrintedRowHeight(0) + layout.RowHeight(0) +
                      layout.FooterHeight();
    layout.Layout(TGridRect(0, 0, 1, 5), 2100, exact);
    ASSERT_EQ(layout.Pages().size(), 3u);
    EXPECT_EQ(layout.Pages()[0].Rows.size(), 2u);
}

TEST_F(PrintPageTest, PreviewsDrawOnlyThePageAskedForAndLeaveTheCanvasAsItWas)
{
    Fill(2, 2);
    TGridPrint print(*Grid);
    print.SetPreviewPage(1);
    print.PrintPreview(Canvas, A4Screen);
    EXPECT_EQ(Texts("0,0").size(), 1u);
    EXPECT_EQ(Grid->PrintNrOfPages, 1);
    EXPECT_FALSE(Canvas.MetricMode());
    EXPECT_FALSE(print.IsPrintPreview());

    struct Case {
        const char* what;
        int page;
        std::function<void(TObject*, int, int&, int&)> start;
    };
    const Case cases[] = {
        {"page 2 of a one-page grid", 2, nullptr},
        {"an empty range from the start event", 1, [](TObject*, int, int& f, int& t) { f = 0, t = 0; }},
        {"a reversed range", 1, [](TObject*, int, int& f, int& t) { f = 2, t = 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        print.SetPreviewPage(c.page);
        print.OnPrintStart = c.start;
        Canvas.Ops.clear();
        print.PrintPreview(Canvas, A4Screen);
        EXPECT_TRUE(Canvas.Ops.empty());
        EXPECT_FALSE(Canvas.MetricMode());
    }
}

TEST_F(PrintPageTest, AFailedPrintClosesItsJobAndTheNextOnePrints)
{
    Fill(2, 6);
    TGridPrint print(*Grid);
    print.OnPrintPage = [](TObject*, TCanvas*, int PageNr, int, int) {
        if (PageNr == 1) throw Exception("out of paper");
    };
    TestPrinter printer("grid_failed.pdf");
    EXPECT_THROW(print.Print(printer), Exception);
    EXPECT_FALSE(printer.Printing());
    print.OnPrintPage = nullptr;
    EXPECT_EQ(print.Print(printer), 1);
    EXPECT_EQ(PdfPageCount(TEST_OUTPUT("grid_failed.pdf")), 1);

    // The start event narrows the pages printed; an empty range prints nothing.
    Grid->PrintSettings()->FixedHeight = 1000;
    print.OnPrintStart = [](TObject*, int N, int& From, int& To) {
        EXPECT_EQ(N, 3);
        From = To = 2;
    };
    EXPECT_EQ(print.Print(printer), 1);
    EXPECT_EQ(Grid->PrintNrOfPages, 2);
    print.OnPrintStart = [](TObject*, int, int& From, int& To) { From = To = 0; };
    EXPECT_EQ(print.Print(printer), 0);
    EXPECT_FALSE(printer.Printing());
}

// ---------------------------------------------------------------- printed pages as pictures

TEST_F(PrintPageTest, PrintedPagesShowTitlePageNumberAndCellsWhereTheLayoutPutsThem)
{
    if (!HavePdfToPpm()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: printed pages are not rendered";
    Fill(3, 6);
    Grid->SetCellEx(1, 4, "");
    TPrintSettings* ps = Grid->PrintSettings();
    ps->Borders = pbNoborder;
    ps->Title = ppTopCenter;
    ps->TitleText = "Meter list";
    ps->PageNr = ppBottomRight;
    ps->HeaderSize = 100;
    ps->FooterSize = 100;
    TGridPrint print(*Grid);
    print.OnPrintNewPage = [](TObject*, int ARow, bool& NewPage) { NewPage = ARow == 3; };
    TestPrinter printer("grid_rendered.pdf");
    ASSERT_EQ(print.Print(printer), 2);

    TBitmap bmp(8, 8);
    TGridPrintLayout layout(*Grid, *bmp.Canvas(), &print);
    layout.Layout(TGridRect(0, 0, 2, 5), 2100, 2970);
    ASSERT_EQ(layout.Pages().size(), 2u);
    const int W = 2100, H = -2970, third = W / 3;
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        TBitmap png;
        ASSERT_TRUE(RenderPage(TEST_OUTPUT("grid_rendered.pdf"), n, png));
        ASSERT_EQ(png.Width(), 2100);
        // The title in the middle third of the header line, nothing beside it.
        const int headTop = -ps->HeaderSize, headBottom = headTop - layout.HeaderHeight() + ps->HeaderSize;
        EXPECT_GT(Ink(png, TRect(third, headTop, 2 * third, headBottom)), 0);
        EXPECT_EQ(Ink(png, TRect(0, headTop, third, headBottom)), 0);
        EXPECT_EQ(Ink(png, TRect(2 * third, headTop, W, headBottom)), 0);
        // The page number at the right end of the footer line.
        const int footTop = H + ps->FooterSize + layout.FooterHeight(), footBottom = H;
        EXPECT_GT(Ink(png, TRect(W - 500, footTop, W, footBottom)), 0);
        EXPECT_EQ(Ink(png, TRect(0, footTop, W / 2, footBottom)), 0);
        // Every cell's text inside its cell; the empty cell stays blank.
        const TPrintPage& page = layout.Pages()[size_t(n) - 1];
        for (const TPrintedRow& row : page.Rows)
            for (int c = 0; c <= 2; ++c) {
                SCOPED_TRACE(Name(c, row.Row));
                const TRect cell(page.Indents[size_t(c)], row.Top, page.Indents[size_t(c) + 1], row.Top - row.Height);
                // Inset a little: the printer measures its fonts at its own resolution.
                if (c == 1 && row.Row == 4)
                    EXPECT_EQ(Ink(png, TRect(cell.Left + 10, cell.Top - 10, cell.Right - 10, cell.Bottom + 10)), 0);
                else EXPECT_GT(Ink(png, cell), 20);
            }
        EXPECT_EQ(page.Rows.front().Row, n == 1 ? 0 : 3);
    }
}

}  // namespace
