#pragma once
// The J1939 parameter groups a converter with a J1939 side takes from the bus, kept in
// J1939_Rec_Frames.xml. No button of the main window opens it.
#include "editors/fieldbus/UReceiveJ1939_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFReceiveJ1939 : public TFTableEditor {
public:
    explicit TFReceiveJ1939(TComponent* AOwner);

    TExtColumnGrid* sga;
    TStringList* Hint_ReceiveJ1939;
    // The bytes of the converter's receive area the rows share, set at every showing.
    int NUM_BYTE_IN = ReceiveJ1939::NUM_BYTE_IN;

    bool Do_Copy() const { return Copy_Mark(0); }
    bool Controllo_Dati() { return Controllo_dati(); }

protected:
    void Before_Reset() override;
};

extern TFReceiveJ1939* FReceiveJ1939;

// Plugs the window in at its place among the program's windows.
void Plug_Receive_J1939_Window();
