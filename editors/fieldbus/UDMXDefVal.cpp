// The DMX default values editor on the table editor engine.
#include "editors/fieldbus/UDMXDefVal.h"

#include "shell/UFormTable.h"

TFDMXDefVal* FDMXDefVal = nullptr;

TFDMXDefVal::TFDMXDefVal(TComponent* AOwner) : TFTableEditor(AOwner, DMX_Def_Val_Desc())
{
    ACG_DMX_Def_Val = Grid(0);
    Hint = Hint_List(0);
}

void TFDMXDefVal::Before_Reset()
{
    Num_Channels = DMX::Channels(Context());
    Set_Data_Rows(0, Num_Channels);
}

void Plug_DMX_Def_Val_Window()
{
    Plug_Window("TFDMXDefVal", FDMXDefVal);
}
