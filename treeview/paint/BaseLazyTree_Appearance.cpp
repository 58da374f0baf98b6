// Printing the tree page by page, and the tree's reaction to a change of scale.
#include <cmath>
#include <cstdint>

#include "platform/gui/Printers.h"
#include "treeview/core/BaseLazyTree.h"

namespace {
// a × b / c in 64 bits, rounded to the nearest integer.
int ScaleRounded(int a, int b, int c)
{
    if (c == 0) return a;
    return int(std::llround(double(std::int64_t(a) * b) / double(c)));
}
}   // namespace

void TBaseLazyTree::ApplyScale(int M, int D, TScalingFlags Flags)
{
    if (M == D || D == 0 || !FOptions->AutoOptions().Contains(toAutoChangeScale)) return;
    if (Flags.Contains(sfHeight)) {
        FHeader->ApplyScale(M, D);
        SetDefaultNodeHeight(std::uint32_t(std::max(1, ScaleRounded(int(FDefaultNodeHeight), M, D))));
    }
    // The indentation is a horizontal size: it follows the width factor, so a change of
    // only the heights leaves it alone.
    if (Flags.Contains(sfWidth)) SetIndent(ScaleRounded(FIndent, M, D));
}

void TLTHeader::ApplyScale(int M, int D)
{
    if (M == D || D == 0) return;
    SetHeight(ScaleRounded(FHeight, M, D));
    if (!FParentFont) FFont.SetSize(ScaleRounded(FFont.Size(), M, D));
    for (int i = 0; i < FColumns->Count(); ++i) {
        TLazyTreeColumn* c = FColumns->Items(i);
        c->SetWidth(ScaleRounded(c->Width(), M, D));
    }
}

void TBaseLazyTree::Print(TPrinter* Printer, bool PrintHeader)
{
    if (!Printer) return;
    BeginUpdate();
    struct TEnd {
        TBaseLazyTree* Tree;
        ~TEnd() { Tree->EndUpdate(); }
    } end{this};
    TFont savedFont;
    savedFont.Assign(*Font());
    {
        TFont smooth;
        smooth.Assign(savedFont);
        smooth.SetQuality(fqAntialiased);
        Font()->Assign(smooth);
    }
    const bool header = PrintHeader && FHeader->Options().Contains(hoVisible);
    const int headerHeight = header ? FHeader->Height() : 0;
    const TRect treeRect = GetTreeRect();
    TBitmap image(treeRect.Width(), treeRect.Height() + headerHeight);
    image.SetPixelFormat(pf32bit);
    // Paper is white, whatever the window's colour.
    const TColor color = Color();
    SetColor(clWhite);
    if (header) {
        TFont headerFont;
        headerFont.Assign(*FHeader->Font());
        FHeader->Font()->SetQuality(fqAntialiased);
        // The captions line up with the whole tree, not with the scrolled view.
        const int offset = FEffectiveOffsetX;
        FEffectiveOffsetX = 0;
        FHeader->PaintHeader(image.Canvas(), TRect(0, 0, image.Width(), headerHeight));
        FEffectiveOffsetX = offset;
        FHeader->Font()->Assign(headerFont);
    }
    PaintTree(image.Canvas(), treeRect, TPoint(0, headerHeight), TLTInternalPaintOptions{poGridLines});
    SetColor(color);

    if (!Printer->BeginDoc()) {
        Font()->Assign(savedFont);
        return;
    }
    TCanvas* paper = Printer->Canvas();
    paper->SetFont(Font());
    const int paperText = paper->TextHeight("Tj");
    Canvas()->SetFont(Font());
    const int screenText = Canvas()->TextHeight("Tj");
    const double scale = paperText > 0 && screenText > 0 ? double(paperText) / screenText : 1.0;
    const int pageW = std::max(1, int(std::lround(Printer->PageWidth() / scale)));
    const int pageH = std::max(1, int(std::lround(Printer->PageHeight() / scale)));
    // As many pages as the image needs: a size that is an exact multiple of the page
    // fills its last page and gets no blank one after it.
    const int columns = std::max(1, (image.Width() + pageW - 1) / pageW);
    const int rows = std::max(1, (image.Height() + pageH - 1) / pageH);
    TBitmap page(pageW, pageH);
    page.SetPixelFormat(pf32bit);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            page.Canvas()->Brush()->SetColor(clWhite);
            page.Canvas()->Brush()->SetStyle(bsSolid);
            page.Canvas()->FillRect(TRect(0, 0, pageW, pageH));
            page.Canvas()->CopyRect(TRect(0, 0, pageW, pageH), image.Canvas(),
                                    TRect(x * pageW, y * pageH, x * pageW + pageW, y * pageH + pageH));
            paper->StretchDraw(TRect(0, 0, Printer->PageWidth(), Printer->PageHeight()), &page);
            if (x + 1 < columns || y + 1 < rows) Printer->NewPage();
        }
    }
    Font()->Assign(savedFont);
    Printer->EndDoc();
}

void TBaseLazyTree::HandleCMColorChanged()
{
    if (FLoading) return;
    PrepareBitmapsFor(true, false);
    Invalidate();
}

void TBaseLazyTree::HandleCMFontChanged()
{
    if (!FLoading) {
        FitDefaultNodeHeightToFont();
        PrepareBitmapsFor(true, false);
        Invalidate();
    }
    if (!FHeader) return;
    // A header that follows the tree's font takes the new one.
    if (FHeader->ParentFont()) FHeader->Font()->Assign(*Font());
    FHeader->Invalidate();
}
