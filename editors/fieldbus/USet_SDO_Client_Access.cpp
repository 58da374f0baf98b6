// The CANopen SDO client editor on the table editor engine.
#include "editors/fieldbus/USet_SDO_Client_Access.h"

#include "shell/UFormTable.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TFSet_SDO_Access(AOwner, Set_SDO_Client_Access_Desc())
{
}

void Plug_Set_SDO_Client_Access_Window()
{
    Plug_Window("TFSet_SDO_Client_Access", FSet_SDO_Client_Access);
}
