// The NMEA 2000 receive editor on the table editor engine.
#include "editors/fieldbus/UReceiveNMEA.h"

#include "shell/UFormTable.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

TFReceiveNMEA::TFReceiveNMEA(TComponent* AOwner) : TFTableEditor(AOwner, ReceiveNMEA_Desc())
{
    sga = Grid(0);
    Hint_ReceiveNMEA = Hint_List(0);
}

void TFReceiveNMEA::Before_Reset() { NUM_BYTE_IN = int(Context().Number(ReceiveNMEA::Num_Byte_In)); }

void Plug_Receive_NMEA_Window()
{
    Plug_Window("TFReceiveNMEA", FReceiveNMEA);
}
