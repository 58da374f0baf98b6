#pragma once
// The NMEA 2000 parameter groups a converter with an NMEA 2000 side takes from the bus,
// kept in NMEA_Rec_Frames.xml. No button of the main window opens it.
#include "editors/fieldbus/UReceiveNMEA_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFReceiveNMEA : public TFTableEditor {
public:
    explicit TFReceiveNMEA(TComponent* AOwner);

    TExtColumnGrid* sga;
    TStringList* Hint_ReceiveNMEA;
    // The bytes of the converter's receive area the rows share, set at every showing.
    int NUM_BYTE_IN = ReceiveNMEA::NUM_BYTE_IN;

    bool Do_Copy() const { return Copy_Mark(0); }
    bool Controllo_Dati() { return Controllo_dati(); }

protected:
    void Before_Reset() override;
};

extern TFReceiveNMEA* FReceiveNMEA;

// Plugs the window in at its place among the program's windows.
void Plug_Receive_NMEA_Window();
