// The page layout of grid printing, checked on written PDF files: page counts around the
// edges of a page, landscape paper, and rows taller than any page.
#include <gtest/gtest.h>

#include "gridext/print/GridPrint.h"
#include "tests/common/PdfPages.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

constexpr int ColWidth = 400;  // 4 cm a column

class PrintLayoutTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        TPrintSettings* ps = Grid->PrintSettings();
        ps->UseFixedWidth = true;  // no spacing: a column is exactly ColWidth
        ps->FixedWidth = ColWidth;
        ps->UseFixedHeight = true;
        ps->FixedHeight = 100;
    }

    // The paper height (0.1 mm) on which exactly Rows rows fit between header and footer.
    int HeightFor(int Rows)
    {
        TBitmap bmp(8, 8);
        TGridPrintLayout layout(*Grid, *bmp.Canvas());
        layout.Layout(TGridRect(0, 0, 0, 0), 10000, 10000);
        const int printed = layout.PrintedRowHeight(0), row = layout.RowHeight(0);
        return layout.HeaderHeight() + Grid->PrintSettings()->TitleSpacing + (Rows - 1) * printed + row +
               layout.FooterHeight() + 1;
    }

    // Prints the whole grid on paper of Width x Height (portrait, 0.1 mm) and returns the
    // pages of the PDF; also checks the layout alone counts the same.
    int Print(int Width, int Height, TPrinterOrientation Orientation, const String& Name)
    {
        Grid->PrintSettings()->Orientation = Orientation;
        TPrinter printer;
        printer.SetFileName(TEST_OUTPUT(Name));
        printer.SetResolution(254);  // one printer pixel is 0.1 mm
        printer.SetPageSize(Width, Height);
        const TGridRect all(0, 0, Grid->ColCount() - 1, Grid->RowCount() - 1);
        const int printed = TGridPrint(*Grid).PrintRect(printer, all);
        EXPECT_EQ(Grid->PrintNrOfPages, printed);
        EXPECT_FALSE(printer.Printing());
        EXPECT_EQ(PdfPageCount(TEST_OUTPUT(Name)), printed);
        // A layout alone (as a page count is taken) gives the pages a print produces.
        TBitmap bmp(8, 8);
        TGridPrintLayout layout(*Grid, *bmp.Canvas());
        layout.Layout(all, printer.PageWidth(), printer.PageHeight());
        EXPECT_EQ(int(layout.Pages().size()), printed);
        return PdfPageCount(TEST_OUTPUT(Name));
    }
};

TEST_F(PrintLayoutTest, PageCountsAroundTheEdgesOfThePage)
{
    const int fiveRows = HeightFor(5);
    struct Case {
        const char* what;
        int cols, rows;
        int width, height;
        TPrinterOrientation orientation;
        int pages;
    };
    const Case cases[] = {
        {"fits exactly", 3, 5, 3 * ColWidth, fiveRows, poPortrait, 1},
        {"one row over", 3, 6, 3 * ColWidth, fiveRows, poPortrait, 2},
        {"one column over", 4, 5, 3 * ColWidth, fiveRows, poPortrait, 2},
        {"a row and a column over", 4, 6, 3 * ColWidth, fiveRows, poPortrait, 4},
        {"one row short of a page", 3, 4, 3 * ColWidth, fiveRows, poPortrait, 1},
        // The same paper turned: three columns across become two bands of at least two.
        {"portrait paper too narrow", 3, 5, fiveRows, 3 * ColWidth, poPortrait, 2},
        {"landscape turns it to fit", 3, 5, fiveRows, 3 * ColWidth, poLandscape, 1},
        {"landscape, one row over", 3, 6, fiveRows, 3 * ColWidth, poLandscape, 2},
    };
    for (const Case& c : cases) {
        Fill(c.cols, c.rows);
        EXPECT_EQ(Print(c.width, c.height, c.orientation, "grid_pages.pdf"), c.pages) << c.what;
    }
}

TEST_F(PrintLayoutTest, RowsTallerThanThePageAreCutOnePerPageAndNeverLoop)
{
    Fill(2, 3);
    const int page = HeightFor(2);
    Grid->PrintSettings()->FixedHeight = 3 * page;
    EXPECT_EQ(Print(2 * ColWidth, page, poPortrait, "grid_tall_rows.pdf"), 3);

    TBitmap bmp(8, 8);
    TGridPrintLayout layout(*Grid, *bmp.Canvas());
    layout.Layout(TGridRect(0, 0, 1, 2), 2 * ColWidth, page);
    ASSERT_EQ(layout.Pages().size(), 3u);
    for (const TPrintPage& p : layout.Pages()) {
        ASSERT_EQ(p.Rows.size(), 1u);
        EXPECT_TRUE(p.Rows[0].Clipped);
        // Cut at the footer line: nothing of it lies in the footer.
        EXPECT_EQ(p.Rows[0].Top - p.Rows[0].Height, -page + layout.FooterHeight());
    }
}

TEST_F(PrintLayoutTest, FittingToThePageScalesWidthsOnlyAsAsked)
{
    Fill(3, 2);
    struct Case {
        const char* what;
        TFitToPage fit;
        int width, leftRight;
        int colWidth, bands;
    };
    const Case cases[] = {
        {"never", fpNever, 1500, 0, 400, 1},
        {"always grows to fill the page", fpAlways, 1500, 0, 500, 1},
        {"always fills between the margins", fpAlways, 1700, 100, 500, 1},
        {"shrink leaves a narrow grid", fpShrink, 1500, 0, 400, 1},
        {"shrink narrows a wide grid", fpShrink, 800, 0, 266, 1},
        {"grow does not shrink: bands", fpGrow, 800, 0, 400, 2},
        // Margins wider than the page would give negative widths: the widths stay.
        {"margins wider than the page", fpAlways, 1500, 1000, 400, 2},
    };
    for (const Case& c : cases) {
        TPrintSettings* ps = Grid->PrintSettings();
        ps->FitToPage = c.fit;
        ps->LeftSize = ps->RightSize = c.leftRight;
        TBitmap bmp(8, 8);
        TGridPrintLayout layout(*Grid, *bmp.Canvas());
        layout.Layout(TGridRect(0, 0, 2, 1), c.width, 3000);
        EXPECT_EQ(layout.MaxWidths()[1], c.colWidth) << c.what;
        ASSERT_FALSE(layout.Pages().empty()) << c.what;
        EXPECT_EQ(layout.Pages().back().Band + 1, c.bands) << c.what;
    }
}

TEST_F(PrintLayoutTest, ColumnTablesFollowTheGridBeyondFiveHundredColumns)
{
    Grid->PrintSettings()->FixedWidth = 100;
    Fill(600, 2);
    TBitmap bmp(8, 8);
    TGridPrintLayout layout(*Grid, *bmp.Canvas());
    layout.Layout(TGridRect(0, 0, 599, 1), 1000, 3000);
    ASSERT_EQ(layout.MaxWidths().size(), 601u);
    // Ten columns a band, sixty bands, the last ending on the grid's last column.
    ASSERT_EQ(layout.Pages().size(), 60u);
    EXPECT_EQ(layout.Pages().back().FirstCol, 590);
    EXPECT_EQ(layout.Pages().back().LastCol, 599);
}

TEST_F(PrintLayoutTest, FixedColumnsOpenEveryLaterBandAndFixedRowsEveryLaterPage)
{
    Fill(7, 9);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    TPrintSettings* ps = Grid->PrintSettings();
    ps->RepeatFixedCols = true;
    ps->RepeatFixedRows = true;
    ps->Centered = false;
    TBitmap bmp(8, 8);
    TGridPrintLayout layout(*Grid, *bmp.Canvas());
    layout.Layout(TGridRect(0, 0, 6, 8), 3 * ColWidth, HeightFor(5));
    ASSERT_FALSE(layout.Pages().empty());
    for (const TPrintPage& p : layout.Pages()) {
        const bool firstBand = p.FirstCol == 0;
        EXPECT_EQ(p.RepeatFixedCols, !firstBand) << "band from column " << p.FirstCol;
        // The band's own columns start after the repeated fixed column.
        if (!firstBand) {
            EXPECT_EQ(p.Indents[size_t(p.FirstCol)], p.Indents[1]);
        }
        // The second page of a band (rows 5 to 8) opens with the fixed row again.
        const bool laterPage = p.Rows.back().Row > 4;
        EXPECT_EQ(p.Rows.front().Fixed, laterPage);
        EXPECT_EQ(p.Rows.front().Row, 0);
    }
    // Nine rows, five a page, the repeated header taking one place on the second.
    EXPECT_EQ(layout.Pages().size(), 2u * 3u);
}

TEST_F(PrintLayoutTest, BandsStartAtTheMarginOrCentredAndAlwaysTakeTwoColumns)
{
    Fill(3, 2);
    TPrintSettings* ps = Grid->PrintSettings();
    ps->LeftSize = 300;
    struct Case {
        const char* what;
        bool centred;
        int width, firstLeft;
    };
    // Three columns of 400 on paper 2000 wide: 800 to spare.
    const Case cases[] = {
        {"at the left margin", false, 2000, 300},
        {"centred on the whole page, the margin ignored", true, 2000, 400},
    };
    for (const Case& c : cases) {
        ps->Centered = c.centred;
        TBitmap bmp(8, 8);
        TGridPrintLayout layout(*Grid, *bmp.Canvas());
        layout.Layout(TGridRect(0, 0, 2, 1), c.width, 3000);
        ASSERT_EQ(layout.Pages().size(), 1u) << c.what;
        EXPECT_EQ(layout.Pages()[0].Indents[0], c.firstLeft) << c.what;
        EXPECT_EQ(layout.Pages()[0].Indents[3], c.firstLeft + 3 * ColWidth) << c.what;
    }
    // A column wider than the page still prints, and the next one with it.
    ps->Centered = true;
    ps->UseFixedWidth = false;
    ps->NoAutoSize = true;
    Grid->SetColWidths(0, 1000);  // about 2.6 times the page below
    TBitmap bmp(8, 8);
    TGridPrintLayout layout(*Grid, *bmp.Canvas());
    layout.Layout(TGridRect(0, 0, 2, 1), 1000, 3000);
    ASSERT_EQ(layout.Pages().size(), 2u);
    EXPECT_EQ(layout.Pages()[0].FirstCol, 0);
    EXPECT_EQ(layout.Pages()[0].LastCol, 1);
    EXPECT_EQ(layout.Pages()[1].FirstCol, 2);
}

}  // namespace
