#pragma once
// The values the converter's S7 client reads from and writes to S7-family PLCs, kept in
// S7_Protocol.xml. Its button in the main window stays hidden in this build.
#include "editors/frame/UTableEditor.h"
#include "editors/network/US7_Protocol_Set_Access_Desc.h"

class TFS7_Protocol_Set_Access : public TFTableEditor {
public:
    explicit TFS7_Protocol_Set_Access(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_S7_Read;
    TTabSheet* TS_S7_Write;
    TExtColumnGrid* ACG_S7_Read;
    TExtColumnGrid* ACG_S7_Write;
    TStringList* Hint_S7_Set_Access_Read;
    TStringList* Hint_S7_Set_Access_Write;
    // Set at every showing.
    int NByte_IN = S7::NByte_IN;
    int NByte_OUT = S7::NByte_OUT;

    bool Do_Copy_In_Read() const { return Copy_Mark(S7::Read); }
    bool Do_Copy_In_Write() const { return Copy_Mark(S7::Write); }

protected:
    void Before_Reset() override;
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;

// Plugs the window in at its place among the program's windows.
void Plug_S7_Protocol_Set_Access_Window();
