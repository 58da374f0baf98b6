// The CANopen SDO client and server editors' shared pages.
#include "editors/fieldbus/USet_SDO_Access.h"

#include <utility>

TFSet_SDO_Access::TFSet_SDO_Access(TComponent* AOwner, TEditorDesc Desc) : TFTableEditor(AOwner, std::move(Desc))
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
void TFSet_SDO_Access::Before_Reset()
{
    PageControl1->SetActivePage(TS_SDO_Read);
    PROFINET_NByte_IN = int(Context().Number(CANopen::NByte_IN));
    PROFINET_NByte_OUT = int(Context().Number(CANopen::NByte_OUT));
}
