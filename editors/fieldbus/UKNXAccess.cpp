// The KNX access editor on the table editor engine.
#include "editors/fieldbus/UKNXAccess.h"

#include "shell/UFormTable.h"

TFKNXAccess* FKNXAccess = nullptr;

TFKNXAccess::TFKNXAccess(TComponent* AOwner) : TFTableEditor(AOwner, KNX_Access_Desc())
{
    ACG_KNX_in_Write = Grid(0);
    Hint = Hint_List(0);
}

void Plug_KNX_Access_Window()
{
    Plug_Window("TFKNXAccess", FKNXAccess);
}
