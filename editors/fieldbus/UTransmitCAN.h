#pragma once
// The CAN frames a converter with a CAN side sends on the bus, kept in
// CAN_Send_Frames.xml. Its button in the main window stays hidden in this build.
#include "editors/fieldbus/UTransmitCAN_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFTransmitCAN : public TFTableEditor {
public:
    explicit TFTransmitCAN(TComponent* AOwner);

    TExtColumnGrid* ACG_CAN_Transmit;
    TStringList* Hint_TransmitCAN;
    // Where a row's identifier format comes from: 1, its Type cell (set at every showing).
    int Hard_Type = 1;
    // Presets a caller may set before showing the window, for rows read from the file
    // without them: the format (0 standard, else extended), the sending mode (0 on change,
    // 1 on timer, else none) and the time of a row sent on its timer.
    int CAN_Type = 0;
    // The positions of the data array a byte may name, set at every showing.
    int MAX_Byte = TransmitCAN::MAX_Byte;
    int Send_Type = 0;
    int Send_Time = 0;

    bool Do_Copy() const { return Copy_Mark(0); }

protected:
    void Before_Reset() override;
    void Prepare() override;
};

extern TFTransmitCAN* FTransmitCAN;

// Plugs the window in at its place among the program's windows.
void Plug_Transmit_CAN_Window();
