#pragma once
// The DMX default values of the family's DMX models: the level each DMX channel starts
// with and its description, kept in DMX_Default_Values.xml. The number of channels comes
// from ParGen.xml at every showing.
#include "editors/fieldbus/UDMXDefVal_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFDMXDefVal : public TFTableEditor {
public:
    explicit TFDMXDefVal(TComponent* AOwner);

    TExtColumnGrid* ACG_DMX_Def_Val;
    TStringList* Hint;

    // The channels of the showing.
    int Num_Channels = DMX::Default_Channels;

protected:
    void Before_Reset() override;
};

extern TFDMXDefVal* FDMXDefVal;

// Plugs the window in at its place among the program's windows.
void Plug_DMX_Def_Val_Window();
