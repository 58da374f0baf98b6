#pragma once
// The Modbus TCP master access rules of the family's Modbus TCP master models: read rules
// and write rules on two pages, kept in ModbusTCPM_SetAccess.xml.
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFModbus_TCP_Master_Set_Access : public TFTableEditor {
public:
    explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_Modbus_Read;
    TTabSheet* TS_Modbus_Write;
    TExtColumnGrid* ACG_Modbus_Read;
    TExtColumnGrid* ACG_Modbus_Write;
    // Entry i is the hint of shown column i + 1.
    TStringList* Hint_Modbus_Set_Access_Read;
    TStringList* Hint_Modbus_Set_Access_Write;

    // The sizes of the input and output areas of the showing.
    int NByte_IN = Modbus::Area_Size;
    int NByte_OUT = Modbus::Area_Size;

    bool Do_Copy_In_Read() const { return Copy_Mark(ModbusTCP::Read); }
    bool Do_Copy_In_Write() const { return Copy_Mark(ModbusTCP::Write); }

protected:
    void Before_Reset() override;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;

// Plugs the window in at its place among the program's windows.
void Plug_Modbus_TCP_Master_Set_Access_Window();
