#pragma once
// Cutting a rectangle of a grid's cells into printed pages: the printed width of every
// column and height of every row, columns scaled to the page when asked, bands of columns
// that fit the page width, each band cut into pages of rows between header and footer,
// fixed rows and columns repeated. Units are 0.1 mm on a canvas in the metric mode:
// x grows to the right, y grows upward from the page's top-left corner (y <= 0).
#include <vector>

#include "grid/core/ExtGrid.h"
#include "platform/gui/Printers.h"

// One row placed on a page: its top y and the height it takes there (its printed height,
// or less when it is cut at the footer line).
struct TPrintedRow {
    int Row = 0;
    int Top = 0;
    int Height = 0;
    bool Fixed = false;    // a fixed row repeated at the top of the page
    bool Clipped = false;  // taller than the room on a page of its own: cut at the footer line
};

struct TPrintPage {
    int Band = 0;              // 0-based band of columns
    int FirstCol = 0, LastCol = 0;
    bool RepeatFixedCols = false;
    std::vector<int> Indents;  // left edge of each column on this page (ColCount + 1 entries)
    std::vector<TPrintedRow> Rows;
    int Bottom = 0;            // y below the last row
};

class TGridPrintLayout {
public:
    // Measures with Canvas, which the layout puts into the metric mode.
    TGridPrintLayout(TExtStringGrid& Grid, TCanvas& Canvas);

    // Lays out Range on pages Width wide and Height high (both in 0.1 mm, Height > 0).
    void Layout(const TGridRect& Range, int Width, int Height);
    const std::vector<TPrintPage>& Pages() const { return FPages; }

    // The printed width of each column (sized to the grid), the spacing added to every
    // column, and the scale the widths got from fitting to the page.
    const std::vector<int>& MaxWidths() const { return FMaxWidths; }
    int ColumnMargin() const { return FMargin; }
    double Scale() const { return FScale; }
    // The printed height of a row (its measured height plus the gaps above and below).
    int PrintedRowHeight(int ARow);
    // The printed height of a row before the gaps.
    int RowHeight(int ARow);
    int HeaderHeight() const { return FHeaderHeight; }
    int FooterHeight() const { return FFooterHeight; }
    int LineGap() const { return FL8; }
    int CellGap() const { return FG2; }
    // A point size as a font height in 0.1 mm.
    static int MapFontHeight(int PointSize);

private:
    void MeasureFonts();
    void MeasureColumnWidths(const TGridRect& Range);
    void FitToPage(const TGridRect& Range, int Width);
    int MeasureCellWidth(int ACol, int ARow);
    int MeasureCellHeight(int ACol, int ARow);
    void HeaderFooterHeights();

    TExtStringGrid& FGrid;
    TCanvas& FCanvas;
    TGridRect FRange{};
    std::vector<TPrintPage> FPages;
    std::vector<int> FMaxWidths;
    int FMargin = 20;
    double FScale = 1.0;
    int FHT = 0, FFT = 0, FCT = 0, FL8 = 0, FG2 = 0;
    int FHeaderHeight = 0, FFooterHeight = 0;
    int FCachedRow = -1, FCachedHeight = 0;
};

// Prints Range of Grid on Printer's pages (the grid's print settings: orientation, job
// name, fonts, spacing). Returns the number of pages printed; 0 when the document could
// not be started. The document is ended (or dropped, on an error) whatever happens.
int PrintGridRange(TExtStringGrid& Grid, TPrinter& Printer, const TGridRect& Range);
