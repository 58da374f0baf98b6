#pragma once
// The DeviceNet network of the family's DeviceNet-master models: one row per slave, kept
// in DNETM_Net.xml, from which the offset editor takes its slaves.
#include "editors/fieldbus/UDNet_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFDNet : public TFTableEditor {
public:
    explicit TFDNet(TComponent* AOwner);

    TExtColumnGrid* ASG;
    TStringList* Hint_DeviceNet;

    bool Do_Copy() const { return Copy_Mark(0); }
    bool controllo_dati() { return Controllo_dati(); }
};

extern TFDNet* FDNet;

// Plugs the window in at its place among the program's windows.
void Plug_DNet_Window();
