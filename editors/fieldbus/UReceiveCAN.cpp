// The CAN receive frames editor on the table editor engine.
#include "editors/fieldbus/UReceiveCAN.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "grid/columns/ExtColumnGrid.h"
#include "shell/UFormTable.h"

TFReceiveCAN* FReceiveCAN = nullptr;

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner) : TFTableEditor(AOwner, ReceiveCAN_Desc())
{
    ACG_CAN_Receive = Grid(0);
    Hint_ReceiveCAN = Hint_List(0);
}

void TFReceiveCAN::Before_Reset() { MAX_Byte = int(Context().Number(CAN::MAX_Byte)); }

// The user starts typing in the table.
void TFReceiveCAN::Prepare()
{
    if (ACG_CAN_Receive->CanFocus()) ACG_CAN_Receive->SetFocus();
}

void Plug_Receive_CAN_Window()
{
    Plug_Window("TFReceiveCAN", FReceiveCAN);
}
