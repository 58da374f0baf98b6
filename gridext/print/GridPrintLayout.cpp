// The page layout of grid printing: widths, fitting, bands and pages.
#include "gridext/print/GridPrintLayout.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

bool IsTop(TPrintPosition p) { return p == ppTopLeft || p == ppTopRight || p == ppTopCenter; }
bool IsBottom(TPrintPosition p) { return p == ppBottomLeft || p == ppBottomRight || p == ppBottomCenter; }

// Halves to even, as every conversion of a real size to page units.
int Rnd(double v) { return int(std::nearbyint(v)); }

// Screen pixels to 0.1 mm.
constexpr double ScreenToPage = 254.0 / 96.0;

}  // namespace

TGridPrintLayout::TGridPrintLayout(TExtStringGrid& Grid, TCanvas& Canvas) : FGrid(Grid), FCanvas(Canvas) {}

int TGridPrintLayout::MapFontHeight(int PointSize) { return -Rnd(PointSize * 254.0 / 72.0); }

void TGridPrintLayout::MeasureFonts()
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FCanvas.SetMetricMode(true);
    auto heightOf = [this](TFont* f) {
        FCanvas.SetFont(f);
        FCanvas.Font()->SetHeight(MapFontHeight(f->Size()));
        return FCanvas.TextHeight("gh");
    };
    FHT = heightOf(ps->HeaderFont());
    FFT = heightOf(ps->FooterFont());
    FCT = heightOf(ps->Font());
    FL8 = FCT / 8;
    FG2 = FCanvas.TextWidth("g") / 2;
}

int TGridPrintLayout::MeasureCellWidth(int ACol, int ARow)
{
    return FCanvas.TextWidth(FGrid.Cells(ACol, ARow)) + 2 * FG2;
}

int TGridPrintLayout::MeasureCellHeight(int ACol, int ARow)
{
    const String& text = FGrid.Cells(ACol, ARow);
    if (text.empty()) return FCT;
    TRect r(0, 0, std::max(1, FMaxWidths[size_t(ACol)]), 0);
    return FCanvas.DrawText(text, r, DT_CALCRECT | DT_NOPREFIX);
}

void TGridPrintLayout::MeasureColumnWidths(const TGridRect& Range)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    std::fill(FMaxWidths.begin(), FMaxWidths.end(), 0);
    if (ps->NoAutoSize) {
        const int fixedLeft = ps->RepeatFixedCols ? std::min(FGrid.FixedCols(), Range.Left) : 0;
        for (int c = 0; c <= Range.Right; ++c)
            if (c < fixedLeft || c >= Range.Left) FMaxWidths[size_t(c)] = Rnd(FGrid.ColWidths(c) * ScreenToPage);
        return;
    }
    // Fixed columns left of the range are measured too when bands may repeat them.
    const int fixedLeft = ps->RepeatFixedCols ? std::min(FGrid.FixedCols(), Range.Left) : 0;
    auto measure = [&](int c, int r) {
        const int w = ps->UseFixedWidth ? ps->FixedWidth : MeasureCellWidth(c, r);
        FMaxWidths[size_t(c)] = std::max(FMaxWidths[size_t(c)], w);
    };
    auto measureRow = [&](int r) {
        for (int c = 0; c < fixedLeft; ++c) measure(c, r);
        for (int c = Range.Left; c <= Range.Right; ++c) measure(c, r);
    };
    // Fixed rows above the range are measured too when they will be repeated on every page.
    if (ps->RepeatFixedRows)
        for (int r = 0; r < std::min(FGrid.FixedRows(), Range.Top); ++r) measureRow(r);
    for (int r = Range.Top; r <= Range.Bottom; ++r) measureRow(r);
}

void TGridPrintLayout::FitToPage(const TGridRect& Range, int Width)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FScale = 1.0;
    if (ps->FitToPage == fpNever) return;
    long long sum = 0;
    for (int c = Range.Left; c <= Range.Right; ++c) sum += FMaxWidths[size_t(c)] + FMargin;
    const long long v = (long long)(Range.Right - Range.Left + 1) * FMargin;
    if (sum != v) FScale = double(Width - ps->RightSize - ps->LeftSize - v) / double(sum - v);
    if ((FScale > 1 && ps->FitToPage == fpShrink) || (FScale < 1 && ps->FitToPage == fpGrow)) FScale = 1.0;
    // A page narrower than the spacing alone would give no width or a negative one.
    if (FScale <= 0) FScale = 1.0;
    if (FScale != 1.0)
        for (int c = Range.Left; c <= Range.Right; ++c)
            FMaxWidths[size_t(c)] = int(std::trunc(FMaxWidths[size_t(c)] * FScale));
}

int TGridPrintLayout::RowHeight(int ARow)
{
    if (ARow == FCachedRow) return FCachedHeight;
    TPrintSettings* ps = FGrid.PrintSettings();
    int h = 0;
    if (ps->NoAutoSizeRow) h = Rnd(FGrid.RowHeights(ARow) * ScreenToPage) - 4;
    else if (ps->UseFixedHeight) h = ps->FixedHeight;
    else {
        for (int c = FRange.Left; c <= FRange.Right; ++c) h = std::max(h, MeasureCellHeight(c, ARow));
        h += h / 8;
    }
    FCachedRow = ARow;
    FCachedHeight = std::max(1, h);
    return FCachedHeight;
}

int TGridPrintLayout::PrintedRowHeight(int ARow)
{
    return RowHeight(ARow) + 2 * FL8 + FGrid.PrintSettings()->RowSpacing;
}

void TGridPrintLayout::HeaderFooterHeights()
{
    TPrintSettings* ps = FGrid.PrintSettings();
    const TPrintPosition pos[] = {ps->Time, ps->Date, ps->PageNr, ps->Title};
    const bool top = std::any_of(std::begin(pos), std::end(pos), IsTop);
    const bool bottom = std::any_of(std::begin(pos), std::end(pos), IsBottom);
    const int lines = ps->TitleLines()->Count();
    FHeaderHeight = top ? FL8 + FHT + ps->HeaderSize : ps->HeaderSize;
    if (top && lines > 0 && IsTop(ps->Title)) FHeaderHeight += (lines - 1) * FHT;
    FFooterHeight = bottom ? 2 * FL8 + 2 * FFT + ps->FooterSize : FL8 + FFT + ps->FooterSize;
    if (bottom && lines > 0 && IsBottom(ps->Title)) FFooterHeight += (lines - 1) * FFT;
}

void TGridPrintLayout::Layout(const TGridRect& Range, int Width, int Height)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FPages.clear();
    FRange = Range;
    FRange.Left = std::max(0, Range.Left);
    FRange.Top = std::max(0, Range.Top);
    FRange.Right = std::min(FGrid.ColCount() - 1, Range.Right);
    FRange.Bottom = std::min(FGrid.RowCount() - 1, Range.Bottom);
    FCachedRow = -1;
    if (FRange.Left > FRange.Right || FRange.Top > FRange.Bottom) return;
    // Sized to the grid: the entry after the last column holds the band's right edge.
    FMaxWidths.assign(size_t(FGrid.ColCount()) + 1, 0);
    MeasureFonts();
    const int W = Width, H = -Height;
    FMargin = ps->UseFixedWidth ? 0 : ps->ColumnSpacing + 20;
    MeasureColumnWidths(FRange);
    FitToPage(FRange, W);
    HeaderFooterHeights();

    const int fixedCols = std::min(FGrid.FixedCols(), FGrid.ColCount());
    const int fixedRows = std::min(FGrid.FixedRows(), FGrid.RowCount());
    int band = 0;
    for (int col = FRange.Left; col <= FRange.Right; ++band) {
        const int F = col;
        const bool repeatCols =
            fixedCols > 0 && ps->RepeatFixedCols && (F > FRange.Left || FRange.Left > fixedCols);
        int FW = 0;
        if (repeatCols)
            for (int c = 0; c < fixedCols; ++c) FW += FMaxWidths[size_t(c)] + FMargin;
        // As many columns as fit the page, and never fewer than two unless the range ends.
        int U = FW, L = F - 1;
        const int limit = W - ps->RightSize;
        while (U <= limit && L + 1 <= FRange.Right) {
            U += FMaxWidths[size_t(L + 1)] + FMargin;
            if (U <= limit) ++L;
        }
        if (L <= F) L = F + 1;
        L = std::min(L, FRange.Right);
        U = FW;
        for (int c = F; c <= L; ++c) U += FMaxWidths[size_t(c)] + FMargin;

        std::vector<int> indents(size_t(FGrid.ColCount()) + 1, 0);
        const int left = ps->Centered ? 0 : ps->LeftSize;
        indents[size_t(F)] = left;
        for (int c = F; c <= L; ++c) indents[size_t(c) + 1] = indents[size_t(c)] + FMaxWidths[size_t(c)] + FMargin;
        if (repeatCols) {
            indents[0] = left;
            for (int c = 1; c <= fixedCols; ++c)
                indents[size_t(c)] = indents[size_t(c) - 1] + FMaxWidths[size_t(c) - 1] + FMargin;
        }
        if (ps->Centered && U < W) {
            const int off = (W - U) / 2;
            for (int c = F; c <= L + 1; ++c) indents[size_t(c)] += off;
            if (repeatCols)
                for (int c = 0; c <= fixedCols; ++c) indents[size_t(c)] += off;
        }
        for (int c = F; c <= L + 1; ++c) indents[size_t(c)] += FW;

        // Rows: a page takes rows while the next one fits above the footer.
        const int floor = H + FFooterHeight;
        auto fits = [&](int y, int r) { return y - RowHeight(r) > floor; };
        int R = FRange.Top;
        while (R <= FRange.Bottom) {
            TPrintPage page;
            page.Band = band;
            page.FirstCol = F;
            page.LastCol = L;
            page.RepeatFixedCols = repeatCols;
            page.Indents = indents;
            int y = -FHeaderHeight - ps->TitleSpacing;
            if (R > 0 && (!FPages.empty() || fixedRows <= FRange.Top) && ps->RepeatFixedRows && fixedRows > 0) {
                for (int r = 0; r < fixedRows; ++r) {
                    const int h = PrintedRowHeight(r);
                    page.Rows.push_back({r, y, h, true, false});
                    y -= h;
                }
            }
            bool placed = false;
            while (R <= FRange.Bottom) {
                if (fits(y, R)) {
                    const int h = PrintedRowHeight(R);
                    page.Rows.push_back({R, y, h, false, false});
                    y -= h;
                    placed = true;
                    ++R;
                    continue;
                }
                if (!placed) {
                    // A row taller than the room a page has for it would never fit on any page:
                    // it gets a page of its own and is cut at the footer line.
                    page.Rows.push_back({R, y, std::max(0, y - floor), false, true});
                    y = floor;
                    ++R;
                }
                break;
            }
            page.Bottom = y;
            FPages.push_back(std::move(page));
        }
        col = L + 1;
    }
}

// ---------------------------------------------------------------- the print job

namespace {

void DrawPage(TExtStringGrid& Grid, TCanvas& Canvas, TGridPrintLayout& Layout, const TPrintPage& Page)
{
    TPrintSettings* ps = Grid.PrintSettings();
    Canvas.SetFont(ps->Font());
    Canvas.Font()->SetHeight(TGridPrintLayout::MapFontHeight(ps->Font()->Size()));
    Canvas.Brush()->SetStyle(bsClear);
    const int gap = Layout.CellGap(), l8 = Layout.LineGap();
    auto drawCell = [&](int c, const TPrintedRow& row) {
        TRect r(Page.Indents[size_t(c)] + gap, row.Top - l8, Page.Indents[size_t(c) + 1] - gap,
                row.Top - row.Height);
        Canvas.DrawText(Grid.Cells(c, row.Row), r, DT_NOPREFIX | DT_WORDBREAK);
    };
    for (const TPrintedRow& row : Page.Rows) {
        if (Page.RepeatFixedCols)
            for (int c = 0; c < Grid.FixedCols(); ++c) drawCell(c, row);
        for (int c = Page.FirstCol; c <= Page.LastCol; ++c) drawCell(c, row);
    }
}

}  // namespace

int PrintGridRange(TExtStringGrid& Grid, TPrinter& Printer, const TGridRect& Range)
{
    TPrintSettings* ps = Grid.PrintSettings();
    if (!ps->UseDefaultOrientation) Printer.SetOrientation(ps->Orientation);
    const int W = Rnd(254.0 / Printer.PixelsPerInchX() * Printer.PageWidth());
    const int H = Rnd(254.0 / Printer.PixelsPerInchY() * Printer.PageHeight());
    Printer.SetTitle(ps->JobName);
    if (!Printer.BeginDoc()) return 0;
    TCanvas& canvas = *Printer.Canvas();
    const bool before = canvas.MetricMode();
    int pages = 0;
    try {
        TGridPrintLayout layout(Grid, canvas);
        layout.Layout(Range, W, H);
        for (const TPrintPage& page : layout.Pages()) {
            if (pages > 0) Printer.NewPage();
            canvas.SetMetricMode(true);
            DrawPage(Grid, canvas, layout, page);
            ++pages;
        }
    } catch (...) {
        canvas.SetMetricMode(before);
        Printer.Abort();
        throw;
    }
    canvas.SetMetricMode(before);
    Printer.EndDoc();
    return pages;
}
