#pragma once
// The topics the converter's MQTT client publishes and subscribes to, kept in
// MQTT_Set_Topic.xml. A double click on a Template cell edits it in the template dialog
// (UTopicTemplate.h). Its button in the main window stays hidden in this build.
#include "editors/frame/UTableEditor.h"
#include "editors/network/UMQTT_Set_Topic_Desc.h"

class TFMQTT_Set_Topic : public TFTableEditor {
public:
    explicit TFMQTT_Set_Topic(TComponent* AOwner);

    TPageControl* PageControl1;
    TTabSheet* TS_MQTT_Publish;
    TTabSheet* TS_MQTT_Subscribe;
    TExtColumnGrid* ACG_Pub;
    TExtColumnGrid* ACG_Sub;
    TStringList* Hint_MQTT_Set_Topic_Pub;
    TStringList* Hint_MQTT_Set_Topic_Sub;
    // Set at every showing.
    int Byte_IN = MQTT::Byte_IN;
    int Byte_OUT = MQTT::Byte_OUT;
    int Working_Mode = MQTT::Working_Mode;

    bool Do_Copy_Pub() const { return Copy_Mark(MQTT::Publish); }
    bool Do_Copy_Sub() const { return Copy_Mark(MQTT::Subscribe); }

    // The frame's double click (sizing a header's column), then the template dialog when
    // the current cell is a Template cell.
    void ACG_MQTT_DblClickCell(TObject* Sender, int ARow, int ACol);
    // Edits the cell (real column) in the template dialog; OK puts the dialog's whole
    // text, line breaks included, into the cell.
    void Show_Form_Topic(TExtColumnGrid* Grid, int ARow, int ACol);

protected:
    void Before_Reset() override;
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;

// Plugs the window in at its place among the program's windows.
void Plug_MQTT_Set_Topic_Window();
