#pragma once
// The objects a converter offers as SDO server in the manufacturer-specific part of its
// dictionary, mapped to its exchange areas and kept in SDO_Server_CANopen.xml, which the
// EDS writer reads too. Its button in the main window stays hidden in this build.
#include "editors/fieldbus/USet_SDO_Access.h"

class TFSet_SDO_Server_Access : public TFSet_SDO_Access {
public:
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;

// Plugs the window in at its place among the program's windows.
void Plug_Set_SDO_Server_Access_Window();
