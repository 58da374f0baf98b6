// Creation of the grid's auxiliary controls.
#include "grid/core/GridPanels.h"

#include <algorithm>

#include "grid/core/GridOptions.h"

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
