// Creation of the grid's auxiliary controls.
#include "grid/GridPanels.h"

#include <algorithm>

#include "grid/GridOptions.h"

TFooterPanel::TFooterPanel(TComponent* AOwner) : TPanel(AOwner)
{
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(0);
}

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner)
{
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(0);
    FMatchCase = new TExtCheckBox(this);
    FMatchCase->SetParent(this);
}

void TSearchPanel::Apply(TSearchFooter* Footer)
{
    if (!Footer) return;
    SetVisible(Footer->Visible());
    SetHeight(Footer->Visible() ? 32 : 0);
    SetColor(Footer->Color());
    FMatchCase->SetCaption(Footer->MatchCaseCaption());
    FMatchCase->SetVisible(Footer->ShowMatchCase());
    SetFont(Footer->Font());
}

TDropList::TDropList(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 0, 0);
    SetVisible(false);
}

TScrollControl::TScrollControl(TComponent* AOwner, int ADirection) : TCustomControl(AOwner), FDirection(ADirection)
{
    SetDoubleBuffered(true);
}

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetColor(clInfoBk);
}

void THTMLHintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetColor(clInfoText);
    c->FrameRect(r);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    c->Font()->SetColor(clInfoText);
    c->TextOut(3, std::max(0, (Height() - c->TextHeight(Caption())) / 2), Caption());
}
