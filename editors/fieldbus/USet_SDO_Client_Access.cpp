// The CANopen SDO client editor on the table editor engine.
#include "editors/fieldbus/USet_SDO_Client_Access.h"

#include "shell/UFormTable.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner) : TFTableEditor(AOwner, Set_SDO_Client_Access_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_SDO_Read = Page(0);
    TS_SDO_Write = Page(1);
    TS_SDO_Read->SetName("TS_SDO_Read");
    TS_SDO_Write->SetName("TS_SDO_Write");
    sga = Grid(0);
    sgb = Grid(1);
    Hint_SDO_Client_Read = Hint_List(0);
    Hint_SDO_Client_Write = Hint_List(1);
}

// Every showing opens on the first page.
void TFSet_SDO_Client_Access::Before_Reset()
{
    PageControl1->SetActivePage(TS_SDO_Read);
    PROFINET_NByte_IN = int(Context().Number(CANopen::NByte_IN));
    PROFINET_NByte_OUT = int(Context().Number(CANopen::NByte_OUT));
}

void Plug_Set_SDO_Client_Access_Window()
{
    Plug_Window("TFSet_SDO_Client_Access", FSet_SDO_Client_Access);
}
