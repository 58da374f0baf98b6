// The Modbus TCP master access editor on the table editor engine.
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access.h"

#include "shell/UFormTable.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(TComponent* AOwner)
    : TFTableEditor(AOwner, Modbus_TCP_Master_Set_Access_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_Modbus_Read = Page(ModbusTCP::Read);
    TS_Modbus_Read->SetName("TS_Modbus_Read");
    TS_Modbus_Write = Page(ModbusTCP::Write);
    TS_Modbus_Write->SetName("TS_Modbus_Write");
    ACG_Modbus_Read = Grid(ModbusTCP::Read);
    ACG_Modbus_Write = Grid(ModbusTCP::Write);
    Hint_Modbus_Set_Access_Read = Hint_List(ModbusTCP::Read);
    Hint_Modbus_Set_Access_Write = Hint_List(ModbusTCP::Write);
}

void TFModbus_TCP_Master_Set_Access::Before_Reset()
{
    PageControl1->SetActivePage(TS_Modbus_Read);
    NByte_IN = int(Context().Number(Modbus::NByte_IN));
    NByte_OUT = int(Context().Number(Modbus::NByte_OUT));
}

void Plug_Modbus_TCP_Master_Set_Access_Window()
{
    Plug_Window("TFModbus_TCP_Master_Set_Access", FModbus_TCP_Master_Set_Access);
}
