// The print preview window.
#include "gridext/print/GridPrintPreview.h"

#include <algorithm>
#include <limits>

#include "platform/gui/Messages.h"

namespace {

// Screen pixels of a length in 0.1 mm.
int ScreenPixels(int Length) { return std::max(1, Length * 96 / 254); }

}  // namespace

TGridPreviewSheet::TGridPreviewSheet(TComponent* AOwner, TGridPrint& Print) : TCustomControl(AOwner), FPrint(Print) {}

bool TGridPreviewSheet::Turned() const
{
    const TPrintSettings* ps = FPrint.Grid().PrintSettings();
    return !ps->UseDefaultOrientation && ps->Orientation == poLandscape;
}

void TGridPreviewSheet::Render(TBitmap& Paper)
{
    // The page is laid out at the paper's size, as the printer gets it, and shown at the
    // screen's scale: the preview shows the printed page, not a page the size of the window.
    Paper.SetSize(ScreenPixels(Width100()), ScreenPixels(Height100()));
    Paper.Canvas()->Brush()->SetColor(clWhite);
    Paper.Canvas()->FillRect(TRect(0, 0, Paper.Width(), Paper.Height()));
    FPrint.PrintPreview(*Paper.Canvas(), TRect(0, 0, Paper.Width(), Paper.Height()));
}

void TGridPreviewSheet::Paint()
{
    TBitmap paper;
    Render(paper);
    TCanvas* c = Canvas();
    c->Draw(0, 0, &paper);
    c->Brush()->SetColor(clGray);
    c->FrameRect(ClientRect());
}

TFGridPrintPreview::TFGridPrintPreview(TComponent* AOwner, TGridPrint& Print) : TForm(AOwner), FPrint(Print)
{
    SetName("FGridPrintPreview");
    SetCaption("Print preview");
    // Room for a portrait A4 sheet at the screen's scale.
    SetClientWidth(820);
    SetClientHeight(1184);
    SetColor(clBtnShadow);
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };

    P_Bar = new TPanel(this);
    P_Bar->SetName("P_Bar");
    P_Bar->SetParent(this);
    P_Bar->SetAlign(alTop);
    P_Bar->SetHeight(36);
    P_Bar->SetCaption("");

    Btn_Prev = new TButton(P_Bar);
    Btn_Prev->SetName("Btn_Prev");
    Btn_Prev->SetParent(P_Bar);
    Btn_Prev->SetBounds(8, 6, 80, 24);
    Btn_Prev->SetCaption("Previous");
    Btn_Prev->OnClick = [this](TObject*) { SetPage(FPage - 1); };

    Btn_Next = new TButton(P_Bar);
    Btn_Next->SetName("Btn_Next");
    Btn_Next->SetParent(P_Bar);
    Btn_Next->SetBounds(96, 6, 80, 24);
    Btn_Next->SetCaption("Next");
    Btn_Next->OnClick = [this](TObject*) { SetPage(FPage + 1); };

    L_Page = new TLabel(P_Bar);
    L_Page->SetName("L_Page");
    L_Page->SetParent(P_Bar);
    L_Page->SetBounds(192, 10, 200, 16);

    Sheet = new TGridPreviewSheet(this, FPrint);
    Sheet->SetName("Sheet");
    Sheet->SetParent(this);
    SetPage(1);
}

void TFGridPrintPreview::CountPages()
{
    // A preview of a page past the end draws nothing but still counts the pages.
    TBitmap paper;
    TExtStringGrid& grid = FPrint.Grid();
    FPrint.SetPreviewPage(std::numeric_limits<int>::max());
    Sheet->Render(paper);
    FPageCount = std::max(1, grid.PrintNrOfPages);
}

void TFGridPrintPreview::SetPage(int Value)
{
    // Counted each time on the sheet as it is placed: the grid may have changed since the
    // last page was shown.
    PlaceSheet();
    CountPages();
    FPage = std::max(1, std::min(Value, FPageCount));
    FPrint.SetPreviewPage(FPage);
    L_Page->SetCaption("Page " + IntToStr(FPage) + " of " + IntToStr(FPageCount));
    Btn_Prev->SetEnabled(FPage > 1);
    Btn_Next->SetEnabled(FPage < FPageCount);
    Sheet->Invalidate();
}

void TFGridPrintPreview::PlaceSheet()
{
    if (!Sheet || !P_Bar) return;
    const int w = ScreenPixels(Sheet->Width100()), h = ScreenPixels(Sheet->Height100());
    Sheet->SetBounds(std::max(12, (ClientWidth() - w) / 2), P_Bar->Height() + 12, w, h);
}

void TFGridPrintPreview::Resize()
{
    TForm::Resize();
    PlaceSheet();
}

void TFGridPrintPreview::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_NEXT) SetPage(FPage + 1);
    else if (Key == VK_PRIOR) SetPage(FPage - 1);
    else return;
    Key = 0;
}
