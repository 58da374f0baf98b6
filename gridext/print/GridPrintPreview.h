#pragma once
// The print preview window: one page of a grid's print as it comes out of the printer,
// at the screen's scale, with buttons (and Page Up / Page Down) to turn the pages.
#include "gridext/print/GridPrint.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

// The sheet of paper: the page laid out at its real size, drawn at the screen's scale.
class TGridPreviewSheet : public TCustomControl {
public:
    TGridPreviewSheet(TComponent* AOwner, TGridPrint& Print);
    // The paper in 0.1 mm, portrait; the grid's print orientation turns it.
    int PaperWidth = 2100, PaperHeight = 2970;
    // The paper as it lies: turned for a landscape print.
    int Width100() const { return Turned() ? PaperHeight : PaperWidth; }
    int Height100() const { return Turned() ? PaperWidth : PaperHeight; }
    // The page the grid's PreviewPage names, drawn on Paper the size of the sheet.
    void Render(TBitmap& Paper);

protected:
    void Paint() override;

private:
    bool Turned() const;
    TGridPrint& FPrint;
};

class TFGridPrintPreview : public TForm {
public:
    TFGridPrintPreview(TComponent* AOwner, TGridPrint& Print);

    // The page shown, from 1; kept within the pages the grid prints on.
    int Page() const { return FPage; }
    void SetPage(int Value);
    int PageCount() const { return FPageCount; }

    TPanel* P_Bar = nullptr;
    TButton* Btn_Prev = nullptr;
    TButton* Btn_Next = nullptr;
    TLabel* L_Page = nullptr;
    TGridPreviewSheet* Sheet = nullptr;

protected:
    void Resize() override;

private:
    void CountPages();
    void PlaceSheet();
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

    TGridPrint& FPrint;
    int FPage = 1, FPageCount = 1;
};
