// The J1939 receive editor on the table editor engine.
#include "editors/fieldbus/UReceiveJ1939.h"

#include "shell/UFormTable.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

TFReceiveJ1939::TFReceiveJ1939(TComponent* AOwner) : TFTableEditor(AOwner, ReceiveJ1939_Desc())
{
    sga = Grid(0);
    Hint_ReceiveJ1939 = Hint_List(0);
}

void TFReceiveJ1939::Before_Reset() { NUM_BYTE_IN = int(Context().Number(ReceiveJ1939::Num_Byte_In)); }

void Plug_Receive_J1939_Window()
{
    Plug_Window("TFReceiveJ1939", FReceiveJ1939);
}
