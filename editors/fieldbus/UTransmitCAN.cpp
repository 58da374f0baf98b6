// The CAN transmit frames editor on the table editor engine.
#include "editors/fieldbus/UTransmitCAN.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "grid/columns/ExtColumnGrid.h"
#include "shell/UFormTable.h"

TFTransmitCAN* FTransmitCAN = nullptr;

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner) : TFTableEditor(AOwner, TransmitCAN_Desc())
{
    ACG_CAN_Transmit = Grid(0);
    Hint_TransmitCAN = Hint_List(0);
}

void TFTransmitCAN::Before_Reset()
{
    Hard_Type = 1;
    MAX_Byte = int(Context().Number(CAN::MAX_Byte));
    TEditorContext& c = Showing_Context();
    c.Numbers[TransmitCAN::CAN_Type] = CAN_Type;
    c.Numbers[TransmitCAN::Send_Type] = Send_Type;
    c.Numbers[TransmitCAN::Send_Time] = Send_Time;
}

// The user starts typing in the table.
void TFTransmitCAN::Prepare()
{
    if (ACG_CAN_Transmit->CanFocus()) ACG_CAN_Transmit->SetFocus();
}

void Plug_Transmit_CAN_Window()
{
    Plug_Window("TFTransmitCAN", FTransmitCAN);
}
