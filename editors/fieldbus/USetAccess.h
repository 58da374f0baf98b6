#pragma once
// The Modbus RTU master access rules of the family's Modbus RTU master models: read rules
// and write rules on two pages, kept in ModbusM_SetAccess.xml. No button of the main
// window opens it.
#include "editors/fieldbus/USetAccess_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFSetAccess : public TFTableEditor {
public:
    explicit TFSetAccess(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_Modbus_Read;
    TTabSheet* TS_Modbus_Write;
    TExtColumnGrid* ACG_Modbus_Read;
    TExtColumnGrid* ACG_Modbus_Write;
    TStringList* Hint_Modbus_Set_Access_Read;
    TStringList* Hint_Modbus_Set_Access_Write;

    // The sizes of the input and output areas of the showing.
    int NByte_IN = Modbus::Area_Size;
    int NByte_OUT = Modbus::Area_Size;

    bool Do_Copy_In_Read() const { return Copy_Mark(ModbusRTU::Read); }
    bool Do_Copy_In_Write() const { return Copy_Mark(ModbusRTU::Write); }

protected:
    void Before_Reset() override;
};

extern TFSetAccess* FSetAccess;

// Plugs the window in at its place among the program's windows.
void Plug_Set_Access_Window();
