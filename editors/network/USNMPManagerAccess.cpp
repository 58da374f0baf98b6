// The SNMP manager editor on the table editor engine.
#include "editors/network/USNMPManagerAccess.h"

#include "grid/columns/ExtColumnGrid.h"
#include "shell/UFormTable.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner) : TFTableEditor(AOwner, SNMPManagerAccess_Desc())
{
    ACG_SNMP = Grid(0);
    Hint_SNMP = Hint_List(0);
}

// The user starts typing in the table.
void TFSNMPManagerAccess::Prepare()
{
    if (ACG_SNMP->CanFocus()) ACG_SNMP->SetFocus();
}

void Plug_SNMP_Manager_Access_Window()
{
    Plug_Window("TFSNMPManagerAccess", FSNMPManagerAccess);
}
