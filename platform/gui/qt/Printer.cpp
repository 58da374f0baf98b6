// The printer on Qt's print support: a PDF printer at the requested resolution with the
// page exactly the requested size and no margins, drawn through the printer's canvas.
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <algorithm>

#include "platform/gui/Printers.h"
#include "platform/gui/qt/QtCommon.h"

struct TPrinterImpl {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter;
};

TPrinter::TPrinter() : FImpl(std::make_unique<TPrinterImpl>()) {}

TPrinter::~TPrinter()
{
    if (FPrinting) Abort();
}

void TPrinter::SetResolution(int Value)
{
    if (!FPrinting) FResolution = std::clamp(Value, 36, 2400);
}

void TPrinter::SetPageSize(int Width, int Height)
{
    if (FPrinting) return;
    FPageWidth = std::max(1, Width);
    FPageHeight = std::max(1, Height);
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    if (FPrinting || Value == FOrientation) return;
    FOrientation = Value;
    std::swap(FPageWidth, FPageHeight);
}

bool TPrinter::BeginDoc()
{
    if (FPrinting) return false;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QS(FFileName));
    printer->setResolution(FResolution);
    printer->setDocName(QS(FTitle));
    // The page in points, from the pixels at the printer's resolution.
    const QSizeF points(FPageWidth * 72.0 / FResolution, FPageHeight * 72.0 / FResolution);
    printer->setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer->setFullPage(true);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get())) return false;
    FImpl->printer = std::move(printer);
    FImpl->painter = std::move(painter);
    FCanvas.Impl()->Bind(FImpl->painter.get(), QRect(0, 0, FPageWidth, FPageHeight));
    FCanvas.Impl()->dpiX = FCanvas.Impl()->dpiY = FResolution;
    FCanvas.Impl()->metric = false;
    FPrinting = true;
    FPageNumber = 1;
    return true;
}

void TPrinter::NewPage()
{
    if (!FPrinting) return;
    FImpl->printer->newPage();
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    if (!FPrinting) return;
    FCanvas.Impl()->Unbind();
    FImpl->painter->end();
    FImpl->painter.reset();
    FImpl->printer.reset();
    FPrinting = false;
    FPageNumber = 0;
}

void TPrinter::Abort()
{
    if (!FPrinting) return;
    FCanvas.Impl()->Unbind();
    FImpl->printer->abort();
    FImpl->painter->end();
    FImpl->painter.reset();
    FImpl->printer.reset();
    FPrinting = false;
    FPageNumber = 0;
}
