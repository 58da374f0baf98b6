#pragma once
// The BACnet server objects editor: the objects BACnet clients read from and write to
// the converter. A double click on an Eng. Unit cell opens the unit picker; choosing a
// write row's kind presets its length.
#include "devdesc/bacnet/UBACnetSlaveSetAccess_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFBACnetSlaveSetAccess : public TFTableEditor {
public:
    explicit TFBACnetSlaveSetAccess(TComponent* AOwner);

    TExtColumnGrid* ACG_BACnet_in_Read;
    TExtColumnGrid* ACG_BACnet_in_Write;

    // Of the showing: the area sizes and the halved capacity.
    int NByte_IN = BACnetSlave::Area_Bytes;
    int NByte_OUT = BACnetSlave::Area_Bytes;
    bool Desc_Lenght = false;
    bool Do_Copy_Read() const { return Copy_Mark(0); }
    bool Do_Copy_Write() const { return Copy_Mark(1); }

    void Eng_Unit_DblClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_BACnet_in_WriteComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection);

protected:
    void Before_Reset() override;
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
