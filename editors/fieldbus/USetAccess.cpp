// The Modbus RTU master access editor on the table editor engine.
#include "editors/fieldbus/USetAccess.h"

#include "shell/UFormTable.h"

TFSetAccess* FSetAccess = nullptr;

TFSetAccess::TFSetAccess(TComponent* AOwner) : TFTableEditor(AOwner, Set_Access_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_Modbus_Read = Page(ModbusRTU::Read);
    TS_Modbus_Read->SetName("TS_Modbus_Read");
    TS_Modbus_Write = Page(ModbusRTU::Write);
    TS_Modbus_Write->SetName("TS_Modbus_Write");
    ACG_Modbus_Read = Grid(ModbusRTU::Read);
    ACG_Modbus_Write = Grid(ModbusRTU::Write);
    Hint_Modbus_Set_Access_Read = Hint_List(ModbusRTU::Read);
    Hint_Modbus_Set_Access_Write = Hint_List(ModbusRTU::Write);
}

void TFSetAccess::Before_Reset()
{
    PageControl1->SetActivePage(TS_Modbus_Read);
    NByte_IN = int(Context().Number(Modbus::NByte_IN));
    NByte_OUT = int(Context().Number(Modbus::NByte_OUT));
}

void Plug_Set_Access_Window()
{
    Plug_Window("TFSetAccess", FSetAccess);
}
