// The IEC 61850 server variables editor on the table editor engine.
#include "editors/network/iec61850/UIEC61850_Variables.h"

#include "shell/UFormTable.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner) : TFTableEditor(AOwner, IEC61850_Variables_Desc())
{
    ACG = Grid(0);
    Hint_List = TFTableEditor::Hint_List(0);
}

void Plug_IEC61850_Variables_Window()
{
    Plug_Window("TFIEC61850_Variables", FIEC61850_Variables);
}
