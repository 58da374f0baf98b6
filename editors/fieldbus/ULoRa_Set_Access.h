#pragma once
// Step 3 of the main window: the LoRaWAN uplink and downlink rules of the converter, two
// tables on two pages, kept in LoRaWAN_SetAccess.xml. The payload size and the FPort
// mode come from ParGen.xml at every showing: the number of bytes a rule may carry
// follows the payload size, and while the FPort is fixed the FPort columns are hidden
// and the tables have 256 rows (223 while it is variable).
#include "editors/fieldbus/ULoRa_Set_Access_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFLoRa_Set_Access : public TFTableEditor {
public:
    explicit TFLoRa_Set_Access(TComponent* AOwner);

    TPageControl* PC_LoRa;
    TTabSheet* TS_LoRa_Uplink;
    TTabSheet* TS_LoRa_Downlink;
    TExtColumnGrid* ACG_LoRa_Uplink;
    TExtColumnGrid* ACG_LoRa_Downlink;
    TStringList* Hint_UpLink;
    TStringList* Hint_DownLink;

    // The payload size P of the showing (rules carry 0 .. P - 2 bytes) and the FPort mode.
    int MaxPayloadSize = 0;
    bool FPortFixed = true;

    bool Do_Copy_Uplink() const { return Copy_Mark(LoRa::Uplink); }
    bool Do_Copy_Downlink() const { return Copy_Mark(LoRa::Downlink); }

protected:
    void Before_Reset() override;
    void Prepare() override;
};

extern TFLoRa_Set_Access* FLoRa_Set_Access;

// Plugs the window in at its place among the program's windows (step 3 opens it).
void Plug_LoRa_Set_Access_Window();
