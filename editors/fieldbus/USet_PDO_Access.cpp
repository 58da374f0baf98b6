// The CANopen PDO mapping editor on the table editor engine.
#include "editors/fieldbus/USet_PDO_Access.h"

#include "shell/UFormTable.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner) : TFTableEditor(AOwner, Set_PDO_Access_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_Receive_PDO = Page(0);
    TS_Transmit_PDO = Page(1);
    TS_Receive_PDO->SetName("TS_Receive_PDO");
    TS_Transmit_PDO->SetName("TS_Transmit_PDO");
    sga = Grid(0);
    sgb = Grid(1);
    Hint_PDO_Receive = Hint_List(0);
    Hint_PDO_Transmit = Hint_List(1);
}

// Every showing opens on the first page.
void TFSet_PDO_Access::Before_Reset()
{
    PageControl1->SetActivePage(TS_Receive_PDO);
    PROFINET_NByte_IN = int(Context().Number(CANopen::NByte_IN));
    PROFINET_NByte_OUT = int(Context().Number(CANopen::NByte_OUT));
}

void Plug_Set_PDO_Access_Window()
{
    Plug_Window("TFSet_PDO_Access", FSet_PDO_Access);
}
