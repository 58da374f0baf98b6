#pragma once
// The NMEA 2000 parameter groups a converter with an NMEA 2000 side sends on the bus,
// kept in NMEA_Send_Frames.xml. No button of the main window opens it.
#include "editors/fieldbus/UTransmitNMEA_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFTransmitNMEA : public TFTableEditor {
public:
    explicit TFTransmitNMEA(TComponent* AOwner);

    TExtColumnGrid* sga;
    TStringList* Hint_TransmitNMEA;
    // The bytes of the converter's transmit area the rows share, set at every showing.
    int NUM_BYTE_OUT = TransmitNMEA::NUM_BYTE_OUT;

    bool Do_Copy() const { return Copy_Mark(0); }
    bool Controllo_Dati() { return Controllo_dati(); }

protected:
    void Before_Reset() override;
};

extern TFTransmitNMEA* FTransmitNMEA;

// Plugs the window in at its place among the program's windows.
void Plug_Transmit_NMEA_Window();
