#include "devdesc/bacnet/UBACnetSlaveSetAccess.h"

#include "devdesc/bacnet/UBACnet_Eng_Unit.h"
#include "devdesc/bacnet/UBACnet_Eng_Units.h"
#include "grid/columns/ExtColumnGrid.h"

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner)
    : TFTableEditor(AOwner, BACnetSlaveSetAccess_Desc())
{
    ACG_BACnet_in_Read = Grid(0);
    ACG_BACnet_in_Write = Grid(1);
    for (TExtColumnGrid* G : {ACG_BACnet_in_Read, ACG_BACnet_in_Write})
        G->OnDblClickCell = [this](TObject* s, int r, int c) { Eng_Unit_DblClickCell(s, r, c); };
    ACG_BACnet_in_Write->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) {
        ACG_BACnet_in_WriteComboChange(s, c, r, i, t);
    };
}

void TFBACnetSlaveSetAccess::Before_Reset()
{
    using namespace BACnetSlave;
    NByte_IN = int(Context().Number(BACnetSlave::NByte_IN));
    NByte_OUT = int(Context().Number(BACnetSlave::NByte_OUT));
    Desc_Lenght = Context().Number(BACnetSlave::Desc_Lenght) != 0;
    Set_Data_Rows(0, Max_Objects(Desc_Lenght));
    Set_Data_Rows(1, Max_Objects(Desc_Lenght));
}

void TFBACnetSlaveSetAccess::Eng_Unit_DblClickCell(TObject* Sender, int ARow, int ACol)
{
    TExtColumnGrid* G = Sender == ACG_BACnet_in_Write ? ACG_BACnet_in_Write : ACG_BACnet_in_Read;
    if (ACol == BACnetSlave::Col_Eng_Unit && FBACnet_Eng_Unit) {
        const String Now = G->GetCellEx(ACol, ARow);
        FBACnet_Eng_Unit->E_Selected_EU->SetText(Now);
        FBACnet_Eng_Unit->Label5->SetCaption("-> " + Desc_Unit(StrToIntDef(Now, -1)));
        if (FBACnet_Eng_Unit->ShowModal() == mrOk) G->SetCellEx(ACol, ARow, FBACnet_Eng_Unit->E_Selected_EU->Text());
    }
    DblClickCell(Sender, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject*, int ACol, int ARow, int, const String& ASelection)
{
    if (ACol != BACnetSlave::Col_Data_Type) return;
    const String Length = BACnetSlave::Length_Preset(ASelection);
    if (!Length.empty()) ACG_BACnet_in_Write->SetCellEx(BACnetSlave::Col_Length, ARow, Length);
}
