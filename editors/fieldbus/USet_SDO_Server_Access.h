#pragma once
// The objects a converter offers as SDO server in the manufacturer-specific part of its
// dictionary, mapped to its exchange areas and kept in SDO_Server_CANopen.xml, which the
// EDS writer reads too. Its button in the main window stays hidden in this build.
#include "editors/fieldbus/UCANopen_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFSet_SDO_Server_Access : public TFTableEditor {
public:
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_SDO_Read;
    TTabSheet* TS_SDO_Write;
    TExtColumnGrid* sga;
    TExtColumnGrid* sgb;
    // The sizes of the input and output areas, set at every showing.
    int PROFINET_NByte_IN = CANopen::Area_Size;
    int PROFINET_NByte_OUT = CANopen::Area_Size;
    TStringList* Hint_SDO_Client_Read;
    TStringList* Hint_SDO_Client_Write;

    bool Do_Copy_SDO_Read() const { return Copy_Mark(0); }
    bool Do_Copy_SDO_Write() const { return Copy_Mark(1); }

protected:
    void Before_Reset() override;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;

// Plugs the window in at its place among the program's windows.
void Plug_Set_SDO_Server_Access_Window();
