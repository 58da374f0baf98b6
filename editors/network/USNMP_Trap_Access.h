#pragma once
// The variables the converter, as SNMP agent, offers to managers, kept in SNMP_Trap.xml.
// Column 0 numbers each variable as the MIB names it. Its button in the main window stays
// hidden in this build.
#include "editors/frame/UTableEditor.h"
#include "editors/network/USNMP_Trap_Access_Desc.h"

class TFSNMP_Trap_Access : public TFTableEditor {
public:
    explicit TFSNMP_Trap_Access(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_SNMP_Read;
    TTabSheet* TS_SNMP_Write;
    TExtColumnGrid* ACG_SNMP_Read;
    TExtColumnGrid* ACG_SNMP_Write;
    TStringList* Hint_SNMP_Read;
    TStringList* Hint_SNMP_Write;
    // Set at every showing.
    int NByte_IN = SNMP_Trap::NByte_IN;
    int NByte_OUT = SNMP_Trap::NByte_OUT;

    bool Do_Copy_In_Read() const { return Copy_Mark(SNMP_Trap::Read); }
    bool Do_Copy_In_Write() const { return Copy_Mark(SNMP_Trap::Write); }

    // Column 0 numbers the rows the file will hold as enabled (a community name and an
    // Enable "Y" in any case), 1, 2, 3 ... from the top, as the MIB writer numbers them;
    // every other row shows nothing there.
    void Index_Row_Build(TExtColumnGrid* Grid);
    void ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);

protected:
    void Before_Reset() override;
    void After_Load() override;
    void Rows_Changed(int Table) override;
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;

// Plugs the window in at its place among the program's windows.
void Plug_SNMP_Trap_Access_Window();
