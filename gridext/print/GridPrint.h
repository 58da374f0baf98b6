#pragma once
// Printing a grid: print jobs on a printer, one page drawn on any canvas, and previews on
// a canvas standing for a page. The grid's print settings say how (fonts, margins,
// borders, fitting, titles, page numbers); the grid's PreviewPage says which page a
// preview draws, and PrintNrOfPages, MaxWidths and Indents tell about the last run.
#include "gridext/print/GridPrintLayout.h"

class TGridPrint : public TGridPrintEvents {
public:
    explicit TGridPrint(TExtStringGrid& Grid) : FGrid(Grid) {}
    TExtStringGrid& Grid() const { return FGrid; }

    // ---- print jobs; each returns the number of pages printed (0 when none) ----
    int Print(TPrinter& Printer);
    int PrintSelection(TPrinter& Printer);
    int PrintRect(TPrinter& Printer, const TGridRect& Gridrect);
    // The whole grid, only the rows and columns the selection holds (both are the same).
    int PrintSelectedRows(TPrinter& Printer);
    int PrintSelectedCols(TPrinter& Printer);

    // ---- the first page drawn on Canvas in DrawRect (the canvas's clipping, a page) ----
    void PrintDraw(TCanvas& Canvas, const TRect& DrawRect);
    void PrintDrawRect(TCanvas& Canvas, const TRect& DrawRect, const TGridRect& Gridrect);

    // ---- previews: the page the grid's PreviewPage names, laid out on a page the size of
    // Displayrect (device pixels of Canvas), drawn from the canvas's top-left corner ----
    void PrintPreview(TCanvas& Canvas, const TRect& Displayrect);
    void PrintPreviewRect(TCanvas& Canvas, const TRect& Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas& Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedRows(TCanvas& Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedCols(TCanvas& Canvas, const TRect& Displayrect);
    // The first and the last page a preview draws.
    void SetPreviewPage(int Value);

    // Skip the page count before printing: page numbers then show no total.
    bool FastPrint = false;
    bool IsPrintPreview() const { return FIsPrintPreview; }
    // The last run's page (0, 0, width, height in 0.1 mm), the width its last band's
    // columns take, and that band's first and last column.
    TRect PrintPageRect() const { return FPageRect; }
    int PrintPageWidth() const { return FPageWidth; }
    int PrintColStart() const { return FColStart; }
    int PrintColEnd() const { return FColEnd; }

private:
    int PrintGridRect(TPrinter& Printer, const TGridRect& Range, bool SelectedOnly);
    void PreviewGridRect(TCanvas& Canvas, const TRect& Displayrect, const TGridRect& Range, bool SelectedOnly);
    // Draws the pages numbered From .. To of Layout; NewPage starts each page after the
    // first. Returns the pages drawn.
    int DrawPages(TGridPrintLayout& Layout, int From, int To, int PageCount, const std::function<void()>& NewPage);
    // The run's widths and left edges into the grid, and the last band's figures here.
    void KeepRun(const TGridPrintLayout& Layout, int Width, int Height);
    TGridRect WholeGrid() const;

    TExtStringGrid& FGrid;
    bool FIsPrintPreview = false;
    TRect FPageRect;
    int FPageWidth = 0, FColStart = 0, FColEnd = 0;
};
