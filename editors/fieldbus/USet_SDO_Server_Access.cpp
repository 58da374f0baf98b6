// The CANopen SDO server editor on the table editor engine.
#include "editors/fieldbus/USet_SDO_Server_Access.h"

#include "shell/UFormTable.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TFSet_SDO_Access(AOwner, Set_SDO_Server_Access_Desc())
{
}

void Plug_Set_SDO_Server_Access_Window()
{
    Plug_Window("TFSet_SDO_Server_Access", FSet_SDO_Server_Access);
}
