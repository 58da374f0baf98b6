#pragma once
// Cutting a rectangle of a grid's cells into printed pages: the printed width of every
// column and height of every row, columns scaled to the page when asked, bands of columns
// that fit the page width, each band cut into pages of rows between header and footer,
// fixed rows and columns repeated; then drawing a page: its header and footer lines, its
// rows of cells and its frame. Units are 0.1 mm on a canvas in the metric mode: x grows to
// the right, y grows upward from the page's top-left corner (y <= 0).
#include <functional>
#include <vector>

#include "grid/core/ExtGrid.h"
#include "platform/gui/Printers.h"

// What printing tells its caller and asks of it; the grid is the sender. Page sizes are
// the page width and the (negative) page height in 0.1 mm.
struct TGridPrintEvents {
    std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)> OnPrintStart;
    std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize, int PageYSize)> OnPrintPage;
    std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset, int LastPage, int PageXSize,
                       int PageYSize)>
        OnPrintPageDone;
    std::function<void(TObject* Sender, int PageNr, bool& Cancel)> OnPrintCancel;
    // After each row placed: NewPage ends the page there (ARow is the next row).
    std::function<void(TObject* Sender, int ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(TObject* Sender, int ACol, int& Width)> OnPrintSetColumnWidth;
    std::function<void(TObject* Sender, int ARow, int& Height)> OnPrintSetRowHeight;
    // Only with FitToPage = fpCustom: a cleared Allow keeps the widths as measured.
    std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)> OnFitToPage;
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TPoint& ASize, bool Printing)>
        OnCustomCellSize;
};

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
    int PageInBand = 0;        // 0-based page within its band
    int FirstCol = 0, LastCol = 0;
    bool RepeatFixedCols = false;
    std::vector<int> Indents;  // left edge of each column on this page (ColCount + 1 entries)
    std::vector<TPrintedRow> Rows;
    int Bottom = 0;            // y below the last row
    int NextRow = 0;           // the first row of the range not on this page or before it
};

class TGridPrintLayout {
public:
    // Measures and draws with Canvas, which the layout puts into the metric mode.
    TGridPrintLayout(TExtStringGrid& Grid, TCanvas& Canvas, const TGridPrintEvents* Events = nullptr);

    // Keep only the selected rows and columns (see RowAccepted, ColAccepted).
    void SetSelectedOnly(bool Value) { FSelectedOnly = Value; }
    // A preview draws on a canvas standing for the page: border pens keep their width in
    // page units; a print scales the cell lines from screen pixels.
    void SetPreview(bool Value) { FPreview = Value; }

    // Lays out Range on pages Width wide and Height high (both in 0.1 mm, Height > 0).
    void Layout(const TGridRect& Range, int Width, int Height);
    const std::vector<TPrintPage>& Pages() const { return FPages; }
    int BandCount() const { return FBands; }
    const TGridRect& Range() const { return FRange; }
    int PageWidth() const { return FW; }

    // Draws one page of the layout: header and footer, rows, frame lines. PageNr counts
    // from 1; PageCount is the total for "page of total" numbers (0 when not known).
    // Returns false when OnPrintCancel asked to stop after this page.
    bool DrawPage(const TPrintPage& Page, int PageNr, int PageCount);

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
    // The height of a mini-HTML title (0 without one); it adds to the header's height at
    // a top position and to the footer's otherwise.
    int HTMLTitleHeight() const { return FHTMLTitleHeight; }
    // The block (page units) a mini-HTML title draws in on every page.
    TRect HTMLTitleRect() const;
    int FooterHeight() const { return FFooterHeight; }
    int LineGap() const { return FL8; }
    int CellGap() const { return FG2; }
    // A point size as a font height in 0.1 mm, scaled by the fit of the current row.
    int MapFontHeight(int PointSize) const;

    // ---- cells (GridPrintCells.cpp) ----
    // Width and height on paper of the cell in real column ACol.
    TPoint MeasureCell(int ACol, int ARow);
    // Draws row ARow's cells of displayed columns FirstCol .. LastCol with their tops at
    // Y on Page; returns the row's printed height.
    int PrintRowCells(int Y, int FirstCol, int LastCol, int ARow, const TPrintPage& Page);

    // ---- page furniture (GridPrintPage.cpp) ----
    // The page number as printed: "page-band" when the range needs several bands, else
    // the page (with offset) and, for a known total, the separator and the total.
    String GetPageNumberText(const TPrintPage& Page, int PageNr, int PageCount);
    // The six header and footer texts of a page, in slot order top-left, top-right,
    // top-centre, bottom-left, bottom-right, bottom-centre.
    std::vector<String> HeaderFooterTexts(const TPrintPage& Page, int PageNr, int PageCount);

    // Selected-only filters (everything passes outside a selected-only run).
    bool RowAccepted(int ARow);
    bool ColAccepted(int ACol);

private:
    void MeasureFonts();
    void MeasureColumnWidths(const TGridRect& Range);
    void FitToPage(const TGridRect& Range, int Width);
    void HeaderFooterHeights();
    // The title lines as one mini-HTML text (empty when they are no mini-HTML), and its
    // height on the page at the header font.
    void MeasureHTMLTitle(int Width);

    void PrintHeaderFooter(const TPrintPage& Page, int PageNr, int PageCount);
    void PrintFrameLines(const TPrintPage& Page, int Y);
    void PrintCellContent(int c, int ARow, const TRect& Cell, const TCellBorders& B, int PenWidth, int sy,
                          int RH, const TPrintPage& Page);
    // Draws a cell's graphic G into Rect (page units) of the cell drawn in Cell, its row
    // RH high, on the cell's background colour Back.
    void PrintGraphic(const TCellGraphic& G, int C, int ARow, const TRect& Rect, const TRect& Cell, int RH,
                      TColor Back);
    void SetCanvasFont(const TFont* Font);
    // In device pixels (drawings that lay themselves out in pixels): the canvas font at
    // Points on the canvas's own resolution, not the screen's.
    void SetDeviceFontSize(double Points);
    bool Drawing() const;

    TExtStringGrid& FGrid;
    TCanvas& FCanvas;
    const TGridPrintEvents* FEvents;
    TGridRect FRange{};
    std::vector<TPrintPage> FPages;
    std::vector<int> FMaxWidths;
    bool FSelectedOnly = false, FPreview = false;
    bool FDrawing = false;       // a page is being drawn (not only laid out)
    int FW = 0, FH = 0;          // page width, negative page height
    int FBands = 0;
    int FMargin = 20;
    double FScale = 1.0;         // the fit to the page
    double FFontScale = 1.0;     // font heights follow the fit while a row or header prints
    double FP = 254.0 / 96.0;    // screen pixels to 0.1 mm
    double FD = 1.0;             // canvas to screen resolution, for mini-HTML
    int FHT = 0, FFT = 0, FCT = 0, FL8 = 0, FG2 = 0;
    int FHeaderHeight = 0, FFooterHeight = 0;
    String FHTMLTitle;
    int FHTMLTitleHeight = 0;
    int FCachedRow = -1, FCachedHeight = 0;
};
