// Cells on paper beyond plain text: turned text (where a turned line starts, how a turned
// cell measures, that it prints turned inside its cell), cell pictures in their place with
// the text giving way, and mini-HTML titles in a block of their own; printed PDF pages
// rendered to pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "gridext/print/GridPrint.h"
#include "grid/util/GridSupport.h"
#include "gridext/print/RotatedText.h"
#include "platform/gui/ImgList.h"
#include "tests/common/RecordingCanvas.h"
#include "tests/common/extgrid_fixture.h"
#include "tests/gridext/print/printed_pages.h"

namespace {

// The smallest box (pixels) holding every pixel of Box that Pred picks; empty when none.
TRect InkBox(TBitmap& Png, const TRect& Box, const std::function<bool(TColor)>& Pred)
{
    TRect out(Box.Right, Box.Bottom, Box.Left, Box.Top);
    for (int y = Box.Top; y < Box.Bottom; ++y)
        for (int x = Box.Left; x < Box.Right; ++x)
            if (Pred(Png.Canvas()->Pixels(x, y))) {
                out.Left = std::min(out.Left, x);
                out.Right = std::max(out.Right, x + 1);
                out.Top = std::min(out.Top, y);
                out.Bottom = std::max(out.Bottom, y + 1);
            }
    return out;
}

bool Dark(TColor c) { return (c & 0xFF) < 128 && ((c >> 8) & 0xFF) < 128 && ((c >> 16) & 0xFF) < 128; }

// Near a pure colour: each channel within 60 of it.
std::function<bool(TColor)> Near(TColor Want)
{
    return [Want](TColor c) {
        for (int s = 0; s < 24; s += 8)
            if (std::abs(int((c >> s) & 0xFF) - int((Want >> s) & 0xFF)) > 60) return false;
        return true;
    };
}

class PrintCellsTest : public ExtGridTest {
protected:
    // The page box (0.1 mm, y upward) of cell (c, Row) of the first page of Layout.
    static TRect CellBox(const TGridPrintLayout& Layout, int c, int Row)
    {
        const TPrintPage& page = Layout.Pages()[0];
        for (const TPrintedRow& r : page.Rows)
            if (r.Row == Row)
                return TRect(page.Indents[size_t(c)], r.Top, page.Indents[size_t(c) + 1], r.Top - r.Height);
        ADD_FAILURE() << "row " << Row << " is not on the first page";
        return TRect();
    }

    // Prints the whole grid into Name and renders its first page; false (skipped) without
    // pdftoppm. Layout gets the same layout as the print.
    bool PrintAndRender(const String& Name, TBitmap& Png, std::unique_ptr<TGridPrintLayout>& Layout)
    {
        if (!HavePdfToPpm()) return false;
        TestPrinter printer(Name);
        TGridPrint print(*Grid);
        EXPECT_EQ(print.Print(printer), 1);
        Layout = std::make_unique<TGridPrintLayout>(*Grid, *Scratch.Canvas());
        Layout->Layout(TGridRect(0, 0, Grid->ColCount() - 1, Grid->RowCount() - 1), 2100, 2970);
        EXPECT_TRUE(RenderPage(TEST_OUTPUT(Name), 1, Png));
        return true;
    }

    static TRect Pixels(const TRect& PageBox) { return TRect(PageBox.Left, -PageBox.Top, PageBox.Right, -PageBox.Bottom); }

    TBitmap Scratch{8, 8};
};

TEST_F(PrintCellsTest, ATurnedLineStartsWhereItsAngleAndAlignmentPutIt)
{
    const String text = "Turned";
    const TPoint e = Grid->Canvas()->TextExtent(text);
    const int w = e.X, h = e.Y;
    // The rectangle (0, 0, 200, 100) loses 2 on every side: 2 .. 198 across, 2 .. 98 down.
    struct Case {
        int angle, halign, valign;
        TPoint start;
    };
    const Case cases[] = {
        {0, 0, 0, {2, 2}},                   // level, top left: the rectangle's corner
        {0, 1, 2, {198 - w, 98 - h}},        // level, bottom right: the line ends in the corner
        {90, 0, 0, {2, 2 + w}},              // reading upward: starts a text width down
        {90, 1, 2, {198 - h, 98}},           // its body to the right of the start, ending at the edge
        {180, 0, 0, {2 + w, 2 + h}},         // upside down: from the far corner of its box
        {270, 0, 0, {2 + h, 2}},             // reading downward: its body left of the start
        {90, 2, 1, {2 + (196 - h) / 2, 2 + w - (w - 96) / 2}},  // centred both ways
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " degrees, alignment " << c.halign << "/" << c.valign);
        const TRect r = RotatedTextRect(*Grid, TRect(0, 0, 200, 100), c.angle, text, c.halign, c.valign);
        EXPECT_EQ(r.Left, c.start.X);
        EXPECT_EQ(r.Top, c.start.Y);
    }
}

TEST_F(PrintCellsTest, ATurnedCellMeasuresAcrossAndPrintsTurnedInsideItsCell)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    const String text = "A turned heading";
    Grid->SetCellEx(0, 0, text);
    Grid->SetCellEx(1, 0, text);
    Grid->SetCellEx(0, 1, "x");
    Grid->SetCellEx(1, 1, "y");
    Grid->SetRotated(1, 0, 90);
    Grid->PrintSettings()->Borders = pbNoborder;
    TGridPrintLayout layout(*Grid, *Scratch.Canvas());
    layout.Layout(TGridRect(0, 0, 1, 1), 2100, 2970);
    const TPoint level = layout.MeasureCell(0, 0), turned = layout.MeasureCell(1, 0);
    EXPECT_EQ(turned.X, level.Y);
    EXPECT_EQ(turned.Y, level.X);
    // The row grows to hold the turned text.
    EXPECT_GE(layout.RowHeight(0), level.X);

    TBitmap png;
    std::unique_ptr<TGridPrintLayout> printed;
    if (!PrintAndRender("grid_turned.pdf", png, printed)) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const TRect levelInk = InkBox(png, Pixels(CellBox(*printed, 0, 0)), Dark);
    const TRect turnedCell = Pixels(CellBox(*printed, 1, 0));
    const TRect turnedInk = InkBox(png, turnedCell, Dark);
    ASSERT_GT(levelInk.Width(), 0);
    ASSERT_GT(turnedInk.Width(), 0);
    // The same text, its box turned: as tall as the level one is wide and the other way.
    EXPECT_GT(levelInk.Width(), 3 * levelInk.Height());
    EXPECT_GT(turnedInk.Height(), 3 * turnedInk.Width());
    EXPECT_NEAR(turnedInk.Height(), levelInk.Width(), levelInk.Width() / 10);
    // Top-left aligned: it reads upward from near the cell's left edge up to its top.
    EXPECT_LT(turnedInk.Left - turnedCell.Left, 40);
    EXPECT_LT(turnedInk.Top - turnedCell.Top, 60);
}

TEST_F(PrintCellsTest, CellPicturesPrintInTheirPlaceAndTheTextGivesWay)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(5);
    Grid->PrintSettings()->PrintGraphics = true;
    Grid->PrintSettings()->Borders = pbNoborder;
    auto solid = [](TColor c, int w, int h) {
        auto b = std::make_unique<TBitmap>(w, h);
        b->Canvas()->Brush()->SetColor(c);
        b->Canvas()->FillRect(TRect(0, 0, w, h));
        return b;
    };
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    images.Add(solid(clBlack, 16, 16).get());
    images.Add(solid(clRed, 16, 16).get());
    Grid->SetGridImages(&images);
    const auto green = solid(clLime, 24, 24);
    TPicture picture;
    picture.SetBitmap(solid(clFuchsia, 20, 20).get());
    for (int r = 0; r < 5; ++r) Grid->SetCellEx(1, r, "text");

    Grid->SetCellEx(0, 0, "text");
    Grid->AddImageIdx(0, 0, 1, haLeft, vaTop);       // before the text
    Grid->SetCellEx(0, 1, "text");
    Grid->AddBitmap(0, 1, green.get(), false, haRight, vaTop);  // after the text
    Grid->AddPicture(0, 2, &picture, false, noStretch, 0, haLeft, vaTop);
    Grid->SetCellEx(0, 3, "50");
    Grid->AddProgress(0, 3, clBlue, clWhite);
    Grid->SetCellEx(0, 4, "1");
    Grid->AddDataImage(0, 4, 1, haLeft, vaTop);      // the cell's number picks the image

    TBitmap png;
    std::unique_ptr<TGridPrintLayout> layout;
    if (!PrintAndRender("grid_pictures.pdf", png, layout)) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const double P = 254.0 / 96.0;
    const int icon = int(std::nearbyint(16 * P)), inset = int(std::nearbyint(P));
    struct Case {
        const char* what;
        int row;
        TColor colour;
        int width, height;   // page units
        bool right;          // at the cell's right end
    };
    const Case cases[] = {
        {"image from the list", 0, clRed, icon, icon, false},
        {"bitmap", 1, clLime, int(std::nearbyint(24 * P)), int(std::nearbyint(24 * P)), true},
        {"picture", 2, clFuchsia, int(std::nearbyint(20 * P)), int(std::nearbyint(20 * P)), false},
        {"image by the cell's number", 4, clRed, icon, icon, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TRect cell = Pixels(CellBox(*layout, 0, c.row));
        const TRect box = InkBox(png, cell, Near(c.colour));
        const int left = c.right ? cell.Right - c.width : cell.Left + inset;
        EXPECT_NEAR(box.Left, left, 2);
        EXPECT_NEAR(box.Top, cell.Top, 2);
        EXPECT_NEAR(box.Width(), c.width, 2);
        EXPECT_NEAR(box.Height(), c.height, 2);
        // The text keeps clear of the picture.
        const TRect text = InkBox(png, cell, Dark);
        if (c.row <= 1) {
            ASSERT_GT(text.Width(), 0);
            if (c.right) EXPECT_LE(text.Right, box.Left);
            else EXPECT_GE(text.Left, box.Right);
        }
    }
    {
        SCOPED_TRACE("progress bar at one half");
        const TRect cell = Pixels(CellBox(*layout, 0, 3));
        const TRect done = InkBox(png, cell, Near(clBlue));
        ASSERT_GT(done.Width(), 0);
        EXPECT_LT(done.Left - cell.Left, 20);
        EXPECT_NEAR(done.Width(), cell.Width() / 2, cell.Width() / 8);
        EXPECT_GT(done.Height(), (cell.Height()) / 2);
    }
    Grid->SetGridImages(nullptr);
}

TEST_F(PrintCellsTest, AMiniHTMLTitleTakesABlockOfItsOwnAboveTheRowsOrTheFooter)
{
    Grid->EnableHTML = true;
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) Grid->SetCellEx(c, r, Name(c, r));
    TPrintSettings* ps = Grid->PrintSettings();
    ps->Borders = pbNoborder;
    ps->Time = ppTopLeft;
    ps->PageNr = ppBottomRight;
    ps->TitleLines()->Add("<b>Meter</b>");
    ps->TitleLines()->Add(" list");

    TGridPrintLayout plain(*Grid, *Scratch.Canvas());
    ps->Title = ppNone;
    Grid->EnableHTML = false;  // the same lines taken as text: no title block
    plain.Layout(TGridRect(0, 0, 1, 2), 2100, 2970);
    ASSERT_EQ(plain.HTMLTitleHeight(), 0);
    Grid->EnableHTML = true;

    struct Case {
        const char* what;
        TPrintPosition where;
        bool top;
    };
    const Case cases[] = {{"at the top", ppTopCenter, true}, {"at the bottom", ppBottomLeft, false},
                          {"nowhere named: at the bottom", ppNone, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ps->Title = c.where;
        TGridPrintLayout layout(*Grid, *Scratch.Canvas());
        layout.Layout(TGridRect(0, 0, 1, 2), 2100, 2970);
        const int T = layout.HTMLTitleHeight();
        ASSERT_GT(T, 0);
        // No slot shows the title's markup or its first line.
        for (const String& s : layout.HeaderFooterTexts(layout.Pages()[0], 1, 1))
            EXPECT_EQ(s.find("Meter"), String::npos) << s;
        EXPECT_EQ(layout.HeaderHeight(), plain.HeaderHeight() + (c.top ? T + layout.LineGap() : 0));
        EXPECT_EQ(layout.FooterHeight(), plain.FooterHeight() + (c.top ? 0 : T + layout.LineGap()));

        if (!HavePdfToPpm()) continue;
        const String pdf = "grid_html_title_" + IntToStr(int(c.where)) + ".pdf";
        TestPrinter printer(pdf);
        ASSERT_EQ(TGridPrint(*Grid).Print(printer), 1);
        TBitmap png;
        ASSERT_TRUE(RenderPage(TEST_OUTPUT(pdf), 1, png));
        // The title's ink lies in its block, between the header line and the first row or
        // between the last row and the footer line; nothing of it reaches the cells.
        const TPrintPage& page = layout.Pages()[0];
        const TRect block = layout.HTMLTitleRect();
        EXPECT_GT(Ink(png, block), 20);
        if (c.top) {
            EXPECT_GE(block.Bottom, page.Rows.front().Top);
            EXPECT_EQ(Ink(png, TRect(0, block.Bottom, 2100, page.Rows.front().Top)), 0);
        } else {
            EXPECT_LE(block.Top, page.Bottom);
            // (The glyphs' antialiased edges may touch the block's top line.)
            EXPECT_EQ(Ink(png, TRect(0, page.Bottom, 2100, block.Top + 10)), 0);
            EXPECT_GE(block.Bottom, -2970 + ps->FooterSize);
        }
        const TRect title = InkBox(png, Pixels(block), Dark);
        EXPECT_NEAR(title.Left, ps->LeftSize, 20);
    }
}

}  // namespace

namespace {

// Mini-HTML lays its text out in device pixels: on a printer of 254 dots per inch it must
// still come out at the print font's size, as tall as the same text printed plainly.
TEST_F(PrintCellsTest, MiniHTMLCellsPrintAtThePrintFontsSize)
{
    Grid->EnableHTML = true;
    Grid->SetColCount(2);
    Grid->SetRowCount(1);
    Grid->SetCellEx(0, 0, "Heading");
    Grid->SetCellEx(1, 0, "<i>Heading</i>");
    Grid->PrintSettings()->Borders = pbNoborder;
    TBitmap png;
    std::unique_ptr<TGridPrintLayout> layout;
    if (!PrintAndRender("grid_html_cells.pdf", png, layout)) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const TRect plain = InkBox(png, Pixels(CellBox(*layout, 0, 0)), Dark);
    const TRect html = InkBox(png, Pixels(CellBox(*layout, 1, 0)), Dark);
    ASSERT_GT(plain.Height(), 0);
    ASSERT_GT(html.Height(), 0);
    EXPECT_NEAR(html.Height(), plain.Height(), plain.Height() / 4);
    EXPECT_NEAR(html.Width(), plain.Width(), plain.Width() / 4);
}

// A cell's several images print each at the list's size, across the cell or down it, and
// the row grows to hold a stack of them.
TEST_F(PrintCellsTest, ACellsImagesPrintSideBySideOrStacked)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->PrintSettings()->PrintGraphics = true;
    Grid->PrintSettings()->Borders = pbNoborder;
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&red);
    Grid->SetGridImages(&images);
    Grid->AddMultiImage(0, 0, 0, haLeft, vaTop);  // across
    Grid->AddMultiImage(0, 1, 1, haLeft, vaTop);  // down
    for (int r = 0; r < 2; ++r) {
        Grid->GetCellImages(0, r)->Add(0);
        Grid->GetCellImages(0, r)->Add(0);
        Grid->SetCellEx(1, r, "text");
    }
    TBitmap png;
    std::unique_ptr<TGridPrintLayout> layout;
    if (!PrintAndRender("grid_images.pdf", png, layout)) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const int icon = int(std::nearbyint(16 * 254.0 / 96.0));
    // (Each box stops short of the next row, whose first edge pixels it may share.)
    auto box = [&](int Row) {
        TRect r = Pixels(CellBox(*layout, 0, Row));
        r.Bottom -= 3;
        return InkBox(png, r, Near(clRed));
    };
    const TRect across = box(0), down = box(1);
    EXPECT_NEAR(across.Width(), 2 * icon, 3);
    EXPECT_NEAR(across.Height(), icon, 3);
    EXPECT_NEAR(down.Width(), icon, 3);
    EXPECT_NEAR(down.Height(), 2 * icon, 3);
    Grid->SetGridImages(nullptr);
}

}  // namespace
