#pragma once
// The requests the converter, as SNMP manager, exchanges with the agents on its network,
// kept in SNMP_Manager.xml. Its button in the main window stays hidden in this build.
#include "editors/frame/UTableEditor.h"
#include "editors/network/USNMPManagerAccess_Desc.h"

class TFSNMPManagerAccess : public TFTableEditor {
public:
    explicit TFSNMPManagerAccess(TComponent* AOwner);

    TExtColumnGrid* ACG_SNMP;
    TStringList* Hint_SNMP;

    bool Do_Copy_SNMP() const { return Copy_Mark(0); }

protected:
    void Prepare() override;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;

// Plugs the window in at its place among the program's windows.
void Plug_SNMP_Manager_Access_Window();
