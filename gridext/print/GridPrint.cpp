// Print jobs, single pages and previews of a grid.
#include "gridext/print/GridPrint.h"

#include <algorithm>
#include <cmath>

namespace {

int Rnd(double v) { return int(std::nearbyint(v)); }

// Puts the canvas into the metric mode and brings its previous mode back on leaving.
struct TMetricScope {
    TCanvas& Canvas;
    bool Before;
    explicit TMetricScope(TCanvas& c) : Canvas(c), Before(c.SetMetricMode(true)) {}
    ~TMetricScope() { Canvas.SetMetricMode(Before); }
    TMetricScope(const TMetricScope&) = delete;
    TMetricScope& operator=(const TMetricScope&) = delete;
};

}  // namespace

TGridRect TGridPrint::WholeGrid() const { return TGridRect(0, 0, FGrid.ColCount() - 1, FGrid.RowCount() - 1); }

int TGridPrint::Print(TPrinter& Printer) { return PrintGridRect(Printer, WholeGrid(), false); }
int TGridPrint::PrintSelection(TPrinter& Printer) { return PrintGridRect(Printer, FGrid.Selection(), false); }
int TGridPrint::PrintRect(TPrinter& Printer, const TGridRect& Gridrect) { return PrintGridRect(Printer, Gridrect, false); }
int TGridPrint::PrintSelectedRows(TPrinter& Printer) { return PrintGridRect(Printer, WholeGrid(), true); }
int TGridPrint::PrintSelectedCols(TPrinter& Printer) { return PrintGridRect(Printer, WholeGrid(), true); }

void TGridPrint::PrintDraw(TCanvas& Canvas, const TRect& DrawRect) { PrintDrawRect(Canvas, DrawRect, WholeGrid()); }

void TGridPrint::PrintPreview(TCanvas& Canvas, const TRect& Displayrect)
{
    PreviewGridRect(Canvas, Displayrect, WholeGrid(), false);
}
void TGridPrint::PrintPreviewRect(TCanvas& Canvas, const TRect& Displayrect, const TGridRect& Gridrect)
{
    PreviewGridRect(Canvas, Displayrect, Gridrect, false);
}
void TGridPrint::PrintPreviewSelection(TCanvas& Canvas, const TRect& Displayrect)
{
    PreviewGridRect(Canvas, Displayrect, FGrid.Selection(), false);
}
void TGridPrint::PrintPreviewSelectedRows(TCanvas& Canvas, const TRect& Displayrect)
{
    PreviewGridRect(Canvas, Displayrect, WholeGrid(), true);
}
void TGridPrint::PrintPreviewSelectedCols(TCanvas& Canvas, const TRect& Displayrect)
{
    PreviewGridRect(Canvas, Displayrect, WholeGrid(), true);
}

void TGridPrint::SetPreviewPage(int Value) { FGrid.PreviewPage = FGrid.PrintPageTo = Value; }

void TGridPrint::KeepRun(const TGridPrintLayout& Layout, int Width, int Height)
{
    FPageRect = TRect(0, 0, Width, -Height);
    const std::vector<int>& widths = Layout.MaxWidths();
    // The grid's tables hold the first columns only; the layout's own are sized to the grid.
    FGrid.MaxWidths.fill(0);
    FGrid.Indents.fill(0);
    for (size_t c = 0; c < std::min(widths.size(), FGrid.MaxWidths.size()); ++c) FGrid.MaxWidths[c] = widths[c];
    if (Layout.Pages().empty()) return;
    const TPrintPage& last = Layout.Pages().back();
    for (size_t c = 0; c < std::min(last.Indents.size(), FGrid.Indents.size()); ++c) FGrid.Indents[c] = last.Indents[c];
    FColStart = last.FirstCol;
    FColEnd = last.LastCol;
    FPageWidth = 0;
    if (last.RepeatFixedCols)
        for (int c = 0; c < FGrid.FixedCols(); ++c) FPageWidth += widths[size_t(c)] + Layout.ColumnMargin();
    for (int c = last.FirstCol; c <= last.LastCol; ++c) FPageWidth += widths[size_t(c)] + Layout.ColumnMargin();
}

int TGridPrint::DrawPages(TGridPrintLayout& Layout, int From, int To, int PageCount,
                          const std::function<void()>& NewPage)
{
    const std::vector<TPrintPage>& pages = Layout.Pages();
    int drawn = 0;
    for (int n = std::max(1, From); n <= std::min(To, int(pages.size())); ++n) {
        if (drawn > 0 && NewPage) NewPage();
        ++drawn;
        if (!Layout.DrawPage(pages[size_t(n) - 1], n, PageCount)) break;
    }
    return drawn;
}

int TGridPrint::PrintGridRect(TPrinter& Printer, const TGridRect& Range, bool SelectedOnly)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FGrid.ExportNotification(esExportStart, -1);
    if (!ps->UseDefaultOrientation) Printer.SetOrientation(ps->Orientation);
    const int W = Rnd(254.0 / Printer.PixelsPerInchX() * Printer.PageWidth());
    const int H = Rnd(254.0 / Printer.PixelsPerInchY() * Printer.PageHeight());
    Printer.SetTitle(ps->JobName);
    // A job that cannot start, or whose pages the caller narrowed to none, prints nothing
    // and says so to the grid.
    auto fail = [&]() {
        FGrid.ExportNotification(esExportFail, -1);
        return 0;
    };
    if (!Printer.BeginDoc()) return fail();
    TCanvas& canvas = *Printer.Canvas();
    int printed = 0;
    try {
        TMetricScope metric(canvas);
        TGridPrintLayout layout(FGrid, canvas, this);
        layout.SetSelectedOnly(SelectedOnly);
        layout.Layout(Range, W, H);
        const int count = int(layout.Pages().size());
        const int N = FastPrint ? 0 : count;
        int from = 1, to = count;
        FGrid.PreviewPage = from;
        FGrid.PrintPageTo = to;
        FGrid.PrintNrOfPages = count;
        if (OnPrintStart) {
            Printer.Abort();
            OnPrintStart(&FGrid, FastPrint ? count : N, from, to);
            if (from <= 0 || to <= 0 || to < from || from > count) return fail();
            to = std::min(to, count);
            if (!Printer.BeginDoc()) return fail();
        }
        FGrid.PrintNrOfPages = to;
        printed = DrawPages(layout, from, to, N, [&]() { Printer.NewPage(); });
        KeepRun(layout, W, H);
    } catch (...) {
        // The job is closed whatever went wrong, so the printer is free for the next one.
        Printer.Abort();
        FGrid.ExportNotification(esExportFail, -1);
        throw;
    }
    Printer.EndDoc();
    FGrid.ExportNotification(esExportDone, -1);
    return printed;
}

void TGridPrint::PrintDrawRect(TCanvas& Canvas, const TRect& DrawRect, const TGridRect& Gridrect)
{
    (void)DrawRect;  // the canvas's clipping is the page
    FGrid.PreviewPage = FGrid.PrintPageTo = FGrid.PrintNrOfPages = 1;
    TMetricScope metric(Canvas);
    const TRect clip = Canvas.ClipRect();
    const int W = clip.Right - clip.Left, H = -clip.Bottom;
    TGridPrintLayout layout(FGrid, Canvas, this);
    layout.Layout(Gridrect, W, H);
    DrawPages(layout, 1, 1, 1, nullptr);
    KeepRun(layout, W, H);
}

void TGridPrint::PreviewGridRect(TCanvas& Canvas, const TRect& Displayrect, const TGridRect& Range,
                                 bool SelectedOnly)
{
    FGrid.ExportNotification(esExportStart, -1);
    try {
        // An empty range from OnPrintStart draws nothing and leaves the canvas as it was.
        TMetricScope metric(Canvas);
        const int W = Rnd((Displayrect.Right - Displayrect.Left) * 254.0 / Canvas.PixelsPerInchX());
        const int H = Rnd((Displayrect.Bottom - Displayrect.Top) * 254.0 / Canvas.PixelsPerInchY());
        TGridPrintLayout layout(FGrid, Canvas, this);
        layout.SetSelectedOnly(SelectedOnly);
        layout.SetPreview(true);
        layout.Layout(Range, W, H);
        const int count = int(layout.Pages().size());
        int N = 1;
        if (!FastPrint) {
            N = count;
            FGrid.PrintNrOfPages = N;
        }
        int from = 1, to = N;
        FIsPrintPreview = true;
        if (OnPrintStart) OnPrintStart(&FGrid, N, from, to);
        if (from > 0 && to > 0 && to >= from) {
            DrawPages(layout, FGrid.PreviewPage, FGrid.PrintPageTo, FastPrint ? 0 : N, nullptr);
            KeepRun(layout, W, H);
        }
    } catch (...) {
        FGrid.ExportNotification(esExportDone, -1);
        FIsPrintPreview = false;
        throw;
    }
    FGrid.ExportNotification(esExportDone, -1);
    FIsPrintPreview = false;
}
