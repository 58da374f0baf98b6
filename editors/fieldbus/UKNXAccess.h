#pragma once
// Step 4 of the main window: the converter's KNX rules, one table of 1024 rows kept in
// KNX_SetAccess.xml. Each rule ties a KNX source and destination address, service,
// priority, data format and scaling and its sending conditions to bytes or bits of the
// converter's internal data area.
#include "editors/fieldbus/UFieldbusDescs.h"
#include "editors/frame/UTableEditor.h"

class TFKNXAccess : public TFTableEditor {
public:
    explicit TFKNXAccess(TComponent* AOwner);

    TExtColumnGrid* ACG_KNX_in_Write;
    TStringList* Hint;

    // The size of the internal data area the positions address, set at every showing.
    int Max_Num_Byte = KNX::Data_Size;

    bool Do_Copy_In_Write() const { return Copy_Mark(0); }

protected:
    void Prepare() override;

private:
    char FDecimal_Sep = ',';   // taken before every check
};

extern TFKNXAccess* FKNXAccess;

// Plugs the window in at its place among the program's windows (step 4 opens it).
void Plug_KNX_Access_Window();
