// The NMEA 2000 transmit editor on the table editor engine.
#include "editors/fieldbus/UTransmitNMEA.h"

#include "shell/UFormTable.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

TFTransmitNMEA::TFTransmitNMEA(TComponent* AOwner) : TFTableEditor(AOwner, TransmitNMEA_Desc())
{
    sga = Grid(0);
    Hint_TransmitNMEA = Hint_List(0);
}

void TFTransmitNMEA::Before_Reset() { NUM_BYTE_OUT = int(Context().Number(TransmitNMEA::Num_Byte_Out)); }

void Plug_Transmit_NMEA_Window()
{
    Plug_Window("TFTransmitNMEA", FTransmitNMEA);
}
