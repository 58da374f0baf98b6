// The J1939 transmit editor on the table editor engine.
#include "editors/fieldbus/UTransmitJ1939.h"

#include "shell/UFormTable.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

TFTransmitJ1939::TFTransmitJ1939(TComponent* AOwner) : TFTableEditor(AOwner, TransmitJ1939_Desc())
{
    sga = Grid(0);
    Hint_TransmitJ1939 = Hint_List(0);
}

void TFTransmitJ1939::Before_Reset() { NUM_BYTE_OUT = int(Context().Number(TransmitJ1939::Num_Byte_Out)); }

void Plug_Transmit_J1939_Window()
{
    Plug_Window("TFTransmitJ1939", FTransmitJ1939);
}
