#pragma once
// The variables the converter publishes as an IEC 61850 server: one table of 50 rows kept
// in IEC61850_Variables.xml.
#include "editors/frame/UTableEditor.h"
#include "editors/network/iec61850/UIEC61850_Variables_Desc.h"

class TFIEC61850_Variables : public TFTableEditor {
public:
    explicit TFIEC61850_Variables(TComponent* AOwner);

    TExtColumnGrid* ACG;
    TStringList* Hint_List;

    bool Do_Copy() const { return Copy_Mark(0); }
    // The bound of Position in this showing.
    int NByte_IN() const { return int(Context().Number(IEC61850_Variables::NByte_IN_Number)); }
};

extern TFIEC61850_Variables* FIEC61850_Variables;

// Plugs the window in at its place among the program's windows.
void Plug_IEC61850_Variables_Window();
