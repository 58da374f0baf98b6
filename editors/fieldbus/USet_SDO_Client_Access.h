#pragma once
// The objects of other CANopen devices a converter reads and writes as SDO client, mapped
// to its exchange areas and kept in SDO_Client_CANopen.xml. Its button in the main window
// stays hidden in this build.
#include "editors/fieldbus/USet_SDO_Access.h"

class TFSet_SDO_Client_Access : public TFSet_SDO_Access {
public:
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;

// Plugs the window in at its place among the program's windows.
void Plug_Set_SDO_Client_Access_Window();
