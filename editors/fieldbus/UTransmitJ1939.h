#pragma once
// The J1939 parameter groups a converter with a J1939 side sends on the bus, kept in
// J1939_Send_Frames.xml. No button of the main window opens it.
#include "editors/fieldbus/UTransmitJ1939_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFTransmitJ1939 : public TFTableEditor {
public:
    explicit TFTransmitJ1939(TComponent* AOwner);

    TExtColumnGrid* sga;
    TStringList* Hint_TransmitJ1939;
    // The bytes of the converter's transmit area the rows share, set at every showing.
    int NUM_BYTE_OUT = TransmitJ1939::NUM_BYTE_OUT;

    bool Do_Copy() const { return Copy_Mark(0); }
    bool Controllo_Dati() { return Controllo_dati(); }

protected:
    void Before_Reset() override;
};

extern TFTransmitJ1939* FTransmitJ1939;

// Plugs the window in at its place among the program's windows.
void Plug_Transmit_J1939_Window();
