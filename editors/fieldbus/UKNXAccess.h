#pragma once
// Step 4 of the main window: the converter's KNX rules, one table of 1024 rows kept in
// KNX_SetAccess.xml. Each rule ties a KNX source and destination address, service,
// priority, data format and scaling and its sending conditions to bytes or bits of the
// converter's internal data area.
#include "editors/fieldbus/UKNXAccess_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFKNXAccess : public TFTableEditor {
public:
    explicit TFKNXAccess(TComponent* AOwner);

    TExtColumnGrid* ACG_KNX_in_Write;
    TStringList* Hint;

    bool Do_Copy_In_Write() const { return Copy_Mark(0); }
};

extern TFKNXAccess* FKNXAccess;

// Plugs the window in at its place among the program's windows (step 4 opens it).
void Plug_KNX_Access_Window();
