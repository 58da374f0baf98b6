// The page layout of grid printing: widths, fitting, bands and pages.
#include "gridext/print/GridPrintLayout.h"

#include <algorithm>
#include <cmath>

#include "grid/core/GridOptions.h"

namespace {

bool IsTop(TPrintPosition p) { return p == ppTopLeft || p == ppTopRight || p == ppTopCenter; }
bool IsBottom(TPrintPosition p) { return p == ppBottomLeft || p == ppBottomRight || p == ppBottomCenter; }

// Halves to even, as every conversion of a real size to page units.
int Rnd(double v) { return int(std::nearbyint(v)); }

}  // namespace

TGridPrintLayout::TGridPrintLayout(TExtStringGrid& Grid, TCanvas& Canvas, const TGridPrintEvents* Events)
    : FGrid(Grid), FCanvas(Canvas), FEvents(Events)
{
}

int TGridPrintLayout::MapFontHeight(int PointSize) const
{
    return -int(std::trunc(PointSize * 254.0 / 72.0 * FFontScale));
}

void TGridPrintLayout::SetCanvasFont(const TFont* Font)
{
    FCanvas.SetFont(Font);
    FCanvas.Font()->SetHeight(MapFontHeight(Font->Size()));
}

void TGridPrintLayout::SetDeviceFontSize(double Points)
{
    FCanvas.Font()->SetHeight(-std::max(1, int(std::trunc(Points * FCanvas.PixelsPerInchY() / 72.0))));
}

bool TGridPrintLayout::Drawing() const { return FDrawing; }

void TGridPrintLayout::MeasureFonts()
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FCanvas.SetMetricMode(true);
    FFontScale = 1.0;
    SetCanvasFont(ps->HeaderFont());
    FHT = FCanvas.TextHeight("gh");
    SetCanvasFont(ps->FooterFont());
    FFT = FCanvas.TextHeight("gh");
    SetCanvasFont(ps->Font());
    FCT = FCanvas.TextHeight("gh");
    FL8 = FCT / 8;
    FG2 = FCanvas.TextWidth("g") / 2;
}

bool TGridPrintLayout::RowAccepted(int ARow)
{
    if (!FSelectedOnly) return true;
    if (ARow < FGrid.FixedRows() && FGrid.PrintSettings()->FixedCellsAlways) return true;
    TMouseActions* ma = FGrid.MouseActions();
    if (ma->DisjunctRowSelect()) {
        const int r = ma->RowSelectPersistent ? FGrid.RealRowIndex(ARow) : ARow;
        return FGrid.GetRowSelect(r);
    }
    const TGridRect sel = FGrid.Selection();
    return ARow >= sel.Top && ARow <= sel.Bottom;
}

bool TGridPrintLayout::ColAccepted(int ACol)
{
    if (!FSelectedOnly) return true;
    TMouseActions* ma = FGrid.MouseActions();
    if (ma->DisjunctRowSelect()) return true;
    if (ACol < FGrid.FixedCols() && FGrid.PrintSettings()->FixedCellsAlways) return true;
    if (ma->DisjunctColSelect()) return FGrid.GetColSelect(ACol);
    const TGridRect sel = FGrid.Selection();
    return ACol >= sel.Left && ACol <= sel.Right;
}

void TGridPrintLayout::MeasureColumnWidths(const TGridRect& Range)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    std::fill(FMaxWidths.begin(), FMaxWidths.end(), 0);
    // Fixed columns left of the range are measured too when bands may repeat them.
    const int fixedLeft = ps->RepeatFixedCols ? std::min(FGrid.FixedCols(), Range.Left) : 0;
    auto columns = [&](auto&& each) {
        for (int c = 0; c < fixedLeft; ++c) each(c);
        for (int c = Range.Left; c <= Range.Right; ++c)
            if (ColAccepted(c)) each(c);
    };
    if (ps->NoAutoSize) {
        columns([&](int c) { FMaxWidths[size_t(c)] = Rnd(FGrid.ColWidths(c) * FP); });
        return;
    }
    auto measureRow = [&](int r) {
        columns([&](int c) {
            if (FGrid.IsXMergedCell(FGrid.RealColIndex(c), r)) return;
            const int w = ps->UseFixedWidth ? ps->FixedWidth : MeasureCell(FGrid.RealColIndex(c), r).X;
            FMaxWidths[size_t(c)] = std::max(FMaxWidths[size_t(c)], w);
        });
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
    for (int c = Range.Left; c <= Range.Right; ++c)
        if (ColAccepted(c)) sum += FMaxWidths[size_t(c)] + FMargin;
    const long long v = (long long)(Range.Right - Range.Left + 1) * FMargin;
    if (sum != v) FScale = double(Width - ps->RightSize - ps->LeftSize - v) / double(sum - v);
    if ((FScale > 1 && ps->FitToPage == fpShrink) || (FScale < 1 && ps->FitToPage == fpGrow)) FScale = 1.0;
    // A page narrower than the spacing alone would give no width or a negative one.
    if (FScale <= 0) FScale = 1.0;
    if (FScale != 1.0 && ps->FitToPage == fpCustom) {
        bool allow = true;
        if (FEvents && FEvents->OnFitToPage) FEvents->OnFitToPage(&FGrid, FScale, allow);
        if (!allow || FScale <= 0) FScale = 1.0;
    }
    if (FScale != 1.0)
        for (int c = Range.Left; c <= Range.Right; ++c)
            FMaxWidths[size_t(c)] = int(std::trunc(FMaxWidths[size_t(c)] * FScale));
}

int TGridPrintLayout::RowHeight(int ARow)
{
    if (ARow == FCachedRow) return FCachedHeight;
    TPrintSettings* ps = FGrid.PrintSettings();
    int h = 0;
    if (ps->NoAutoSizeRow) h = Rnd(FGrid.RowHeights(ARow) * FP) - 4;
    else if (ps->UseFixedHeight) h = ps->FixedHeight;
    else {
        FFontScale = FScale;
        int last = 0;
        bool any = false;
        for (int c = FRange.Left; c <= FRange.Right; ++c) {
            const int rc = FGrid.RealColIndex(c);
            last = MeasureCell(rc, ARow).Y;
            if (FGrid.IsYMergedCell(rc, ARow)) continue;
            h = any ? std::max(h, last) : last;
            any = true;
        }
        if (!any) h = last;
        h += h / 8;
        FFontScale = 1.0;
    }
    if (FEvents && FEvents->OnPrintSetRowHeight) FEvents->OnPrintSetRowHeight(&FGrid, ARow, h);
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
    // A mini-HTML title takes no slot: it stands in a block of its own, above the footer
    // line unless it is at the top, and the header or footer grows by its height.
    const bool html = !FHTMLTitle.empty();
    const TPrintPosition pos[] = {ps->Time, ps->Date, ps->PageNr, html ? ppNone : ps->Title};
    const bool top = std::any_of(std::begin(pos), std::end(pos), IsTop);
    const bool bottom = std::any_of(std::begin(pos), std::end(pos), IsBottom);
    const int lines = html ? 0 : ps->TitleLines()->Count();
    FHeaderHeight = top ? FL8 + FHT + ps->HeaderSize : ps->HeaderSize;
    if (top && lines > 0 && IsTop(ps->Title)) FHeaderHeight += (lines - 1) * FHT;
    FFooterHeight = bottom ? 2 * FL8 + 2 * FFT + ps->FooterSize : FL8 + FFT + ps->FooterSize;
    if (bottom && lines > 0 && IsBottom(ps->Title)) FFooterHeight += (lines - 1) * FFT;
    if (html && IsTop(ps->Title)) FHeaderHeight += FHTMLTitleHeight + FL8;
    else if (html) FFooterHeight += FHTMLTitleHeight + FL8;
}

void TGridPrintLayout::Layout(const TGridRect& Range, int Width, int Height)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FPages.clear();
    FBands = 0;
    FRange = Range;
    FRange.Left = std::max(0, Range.Left);
    FRange.Top = std::max(0, Range.Top);
    FRange.Right = std::min(FGrid.ColCount() - 1, Range.Right);
    FRange.Bottom = std::min(FGrid.RowCount() - 1, Range.Bottom);
    FCachedRow = -1;
    FW = Width;
    FH = -Height;
    // Sized to the grid: the entry after the last column holds the band's right edge.
    FMaxWidths.assign(size_t(FGrid.ColCount()) + 1, 0);
    if (FRange.Left > FRange.Right || FRange.Top > FRange.Bottom) return;
    FP = 254.0 / std::max(1, FGrid.Canvas()->PixelsPerInchX());
    FD = double(FCanvas.PixelsPerInchX()) / std::max(1, FGrid.Canvas()->PixelsPerInchX());
    MeasureFonts();
    const int W = FW, H = FH;
    FMargin = ps->UseFixedWidth ? 0 : ps->ColumnSpacing + 20;
    FScale = 1.0;
    MeasureColumnWidths(FRange);
    FitToPage(FRange, W);
    if (FEvents && FEvents->OnPrintSetColumnWidth)
        for (int c = FRange.Left; c <= FRange.Right; ++c) FEvents->OnPrintSetColumnWidth(&FGrid, c, FMaxWidths[size_t(c)]);
    MeasureHTMLTitle(W);
    HeaderFooterHeights();

    const int fixedCols = std::min(FGrid.FixedCols(), FGrid.ColCount());
    const int fixedRows = std::min(FGrid.FixedRows(), FGrid.RowCount());
    for (int col = FRange.Left; col <= FRange.Right; ++FBands) {
        const int F = col;
        const bool repeatCols =
            fixedCols > 0 && ps->RepeatFixedCols && (F > FRange.Left || FRange.Left > fixedCols);
        int fixedW = 0;
        if (repeatCols)
            for (int c = 0; c < fixedCols; ++c) fixedW += FMaxWidths[size_t(c)] + FMargin;
        // As many columns as fit the page, and never fewer than two unless the range ends.
        int U = fixedW, L = F - 1;
        const int limit = W - ps->RightSize;
        while (U <= limit && L + 1 <= FRange.Right) {
            U += FMaxWidths[size_t(L + 1)] + FMargin;
            if (U <= limit) ++L;
        }
        if (L <= F) L = F + 1;
        L = std::min(L, FRange.Right);
        U = fixedW;
        for (int c = F; c <= L; ++c) U += FMaxWidths[size_t(c)] + FMargin;

        std::vector<int> indents(size_t(FGrid.ColCount()) + 1, 0);
        const int left = ps->Centered ? 0 : ps->LeftSize;
        indents[size_t(F)] = left;
        for (int c = F; c <= L; ++c)
            indents[size_t(c) + 1] = indents[size_t(c)] + (ColAccepted(c) ? FMaxWidths[size_t(c)] + FMargin : 0);
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
        for (int c = F; c <= L + 1; ++c) indents[size_t(c)] += fixedW;

        // Rows: a page takes rows while the next one fits above the footer. One test
        // decides both whether a row goes on the page and whether the page ends, so a row
        // ending exactly on the footer line cannot leave the loop without progress.
        const int floor = H + FFooterHeight;
        auto fits = [&](int y, int r) { return y - RowHeight(r) > floor; };
        int R = FRange.Top;
        int pageInBand = 0;
        while (R <= FRange.Bottom) {
            TPrintPage page;
            page.Band = FBands;
            page.PageInBand = pageInBand++;
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
                if (!RowAccepted(R)) {
                    ++R;
                    continue;
                }
                if (!fits(y, R)) {
                    if (!placed) {
                        // A row taller than the room a page has for it would never fit on any
                        // page: it gets a page of its own and is cut at the footer line.
                        page.Rows.push_back({R, y, std::max(0, y - floor), false, true});
                        y = floor;
                        placed = true;
                        ++R;
                    }
                    break;
                }
                const int h = PrintedRowHeight(R);
                page.Rows.push_back({R, y, h, false, false});
                y -= h;
                placed = true;
                ++R;
                bool newPage = false;
                if (FEvents && FEvents->OnPrintNewPage) FEvents->OnPrintNewPage(&FGrid, R, newPage);
                // A break asked for after the band's last row would only add an empty page.
                if (newPage) break;
            }
            page.Bottom = y;
            page.NextRow = R;
            // Rows the filter dropped after the last printed one make no page of their own.
            if (placed || FPages.empty() || FPages.back().Band != FBands) FPages.push_back(std::move(page));
        }
        col = L + 1;
    }
}

// ---------------------------------------------------------------- drawing a page

bool TGridPrintLayout::DrawPage(const TPrintPage& Page, int PageNr, int PageCount)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FCanvas.SetMetricMode(true);
    FDrawing = true;
    if (FEvents && FEvents->OnPrintPage) FEvents->OnPrintPage(&FGrid, &FCanvas, PageNr, FW, FH);
    // The border pen of the frame lines; cells set their own.
    FCanvas.Pen()->SetColor(clBlack);
    FCanvas.Pen()->SetStyle(ps->BorderStyle);
    FCanvas.Pen()->SetWidth(ps->Borders == pbDouble ? 10 : 2);
    PrintHeaderFooter(Page, PageNr, PageCount);
    const int floor = FH + FFooterHeight;
    for (const TPrintedRow& row : Page.Rows) {
        const int saved = FCanvas.SaveState();
        // A row cut at the footer line keeps what lies above it.
        if (row.Clipped) FCanvas.IntersectClipRect(TRect(0, row.Top, FW, floor));
        if (Page.RepeatFixedCols) PrintRowCells(row.Top, 0, FGrid.FixedCols() - 1, row.Row, Page);
        PrintRowCells(row.Top, Page.FirstCol, Page.LastCol, row.Row, Page);
        FCanvas.RestoreState(saved);
    }
    bool cancel = false;
    if (FEvents && FEvents->OnPrintPageDone)
        FEvents->OnPrintPageDone(&FGrid, &FCanvas, Page.NextRow, Page.Bottom, PageNr, FW, FH);
    if (FEvents && FEvents->OnPrintCancel) FEvents->OnPrintCancel(&FGrid, PageNr, cancel);
    FCanvas.Pen()->SetColor(clBlack);
    FCanvas.Pen()->SetStyle(ps->BorderStyle);
    FCanvas.Pen()->SetWidth(ps->Borders == pbDouble ? 10 : 2);
    PrintFrameLines(Page, Page.Bottom);
    FDrawing = false;
    return !cancel;
}
