#pragma once
// The CANopen PDOs a converter with a CANopen side receives and transmits, mapped to its
// exchange areas and kept in PDO_CANopen.xml, which the EDS writer reads too. Its button
// in the main window stays hidden in this build.
#include "editors/fieldbus/UCANopen_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFSet_PDO_Access : public TFTableEditor {
public:
    explicit TFSet_PDO_Access(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_Receive_PDO;
    TTabSheet* TS_Transmit_PDO;
    TExtColumnGrid* sga;
    TExtColumnGrid* sgb;
    // The sizes of the input and output areas, set at every showing.
    int PROFINET_NByte_IN = CANopen::Area_Size;
    int PROFINET_NByte_OUT = CANopen::Area_Size;
    TStringList* Hint_PDO_Receive;
    TStringList* Hint_PDO_Transmit;

    bool Do_Copy_Receive_PDO() const { return Copy_Mark(0); }
    bool Do_Copy_Transmit_PDO() const { return Copy_Mark(1); }

protected:
    void Before_Reset() override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;

// Plugs the window in at its place among the program's windows.
void Plug_Set_PDO_Access_Window();
