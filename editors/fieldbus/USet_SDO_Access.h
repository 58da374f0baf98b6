#pragma once
// What the CANopen SDO client and server editors share: a read page and a write page on
// the table editor engine, each showing opening on the read page with the exchange areas'
// sizes of the moment.
#include "editors/fieldbus/UCANopen_Desc.h"
#include "editors/frame/UTableEditor.h"

class TFSet_SDO_Access : public TFTableEditor {
public:
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
    TFSet_SDO_Access(TComponent* AOwner, TEditorDesc Desc);
    void Before_Reset() override;
};
