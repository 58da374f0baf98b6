#pragma once
// The CAN frames a converter with a CAN side takes from the bus, kept in
// CAN_Rec_Frames.xml. Its button in the main window stays hidden in this build.
#include "editors/fieldbus/UReceiveCAN_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFReceiveCAN : public TFTableEditor {
public:
    explicit TFReceiveCAN(TComponent* AOwner);

    TExtColumnGrid* ACG_CAN_Receive;
    TStringList* Hint_ReceiveCAN;
    // The positions of the data array a byte may name, set at every showing.
    int MAX_Byte = ReceiveCAN::MAX_Byte;

    bool Do_Copy() const { return Copy_Mark(0); }

protected:
    void Before_Reset() override;
    void Prepare() override;
};

extern TFReceiveCAN* FReceiveCAN;

// Plugs the window in at its place among the program's windows.
void Plug_Receive_CAN_Window();
