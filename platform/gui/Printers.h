#pragma once
// The printer: a document of pages drawn through a canvas. The pages go to a PDF file
// (the only target a headless program can check); sizes are in printer pixels.
#include <memory>

#include "platform/gui/Graphics.h"

struct TPrinterImpl;

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The file the document is written to; set before BeginDoc.
    String FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    // Dots per inch of the printer pixels (96 unless set); set before BeginDoc.
    int Resolution() const { return FResolution; }
    void SetResolution(int Value);
    // The page in printer pixels, margins excluded (A4 portrait unless set); set before
    // BeginDoc.
    int PageWidth() const { return FPageWidth; }
    int PageHeight() const { return FPageHeight; }
    void SetPageSize(int Width, int Height);
    // Landscape turns the page: PageWidth and PageHeight trade places. Set before BeginDoc.
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation Value);
    // Device pixels per inch across and down (the resolution both ways).
    int PixelsPerInchX() const { return FResolution; }
    int PixelsPerInchY() const { return FResolution; }
    // Whether the device turns text itself with the page (a PDF page does not).
    bool CanRotateText() const { return false; }
    // The job's title, shown as the document's title; set before BeginDoc.
    String Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }

    // Starts the document with its first page; false when the file cannot be written.
    bool BeginDoc();
    void NewPage();
    void EndDoc();
    // Drops the document unfinished.
    void Abort();
    bool Printing() const { return FPrinting; }
    // 1-based number of the page being drawn (0 outside a document).
    int PageNumber() const { return FPageNumber; }
    // Draws on the current page while a document is open.
    TCanvas* Canvas() { return &FCanvas; }

private:
    String FFileName;
    String FTitle;
    TPrinterOrientation FOrientation = poPortrait;
    int FResolution = 96;
    int FPageWidth = 794, FPageHeight = 1123;
    bool FPrinting = false;
    int FPageNumber = 0;
    TCanvas FCanvas;
    std::unique_ptr<TPrinterImpl> FImpl;
};
