// The MQTT topic editor on the table editor engine.
#include "editors/network/UMQTT_Set_Topic.h"

#include "editors/network/UTopicTemplate.h"
#include "grid/columns/ExtColumnGrid.h"
#include "shell/UFormTable.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

int Template_Col(int Table) { return Table == MQTT::Publish ? int(MQTT::Pub_Template) : int(MQTT::Sub_Template); }

}  // namespace

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner) : TFTableEditor(AOwner, MQTT_Set_Topic_Desc())
{
    PageControl1 = Page_Control;
    PageControl1->SetName("PageControl1");
    TS_MQTT_Publish = Page(MQTT::Publish);
    TS_MQTT_Subscribe = Page(MQTT::Subscribe);
    TS_MQTT_Publish->SetName("TS_MQTT_Publish");
    TS_MQTT_Subscribe->SetName("TS_MQTT_Subscribe");
    ACG_Pub = Grid(MQTT::Publish);
    ACG_Sub = Grid(MQTT::Subscribe);
    Hint_MQTT_Set_Topic_Pub = Hint_List(MQTT::Publish);
    Hint_MQTT_Set_Topic_Sub = Hint_List(MQTT::Subscribe);
    for (TExtColumnGrid* g : {ACG_Pub, ACG_Sub})
        g->OnDblClickCell = [this](TObject* s, int r, int c) { ACG_MQTT_DblClickCell(s, r, c); };
}

// Every showing starts from the window's own layout: the limits, the columns shown, the
// rows, and the publish page.
void TFMQTT_Set_Topic::Before_Reset()
{
    Working_Mode = MQTT::Working_Mode;
    Byte_IN = int(Context().Number(MQTT::Byte_IN_Name));
    Byte_OUT = int(Context().Number(MQTT::Byte_OUT_Name));
    for (int t : {MQTT::Publish, MQTT::Subscribe}) {
        const TTableDesc& d = Desc().Tables[size_t(t)];
        TExtColumnGrid* g = Grid(t);
        for (int c = 1; c < d.Col_Count(); ++c) {
            const bool Hide = d.Columns[size_t(c)].Flags & ffHidden;
            if (Hide && !g->IsHiddenColumn(c)) g->HideColumn(c);
            if (!Hide && g->IsHiddenColumn(c)) g->UnHideColumn(c);
        }
        Set_Data_Rows(t, MQTT::Rows);
    }
    TS_MQTT_Subscribe->SetTabVisible(true);
    PageControl1->SetActivePage(TS_MQTT_Publish);
}

void TFMQTT_Set_Topic::ACG_MQTT_DblClickCell(TObject* Sender, int ARow, int ACol)
{
    DblClickCell(Sender, ARow, ACol);
    for (int t : {MQTT::Publish, MQTT::Subscribe}) {
        TExtColumnGrid* g = Grid(t);
        if (Sender != g) continue;
        const int r = g->RealRow();
        if (r >= 1 && g->RealCol() == Template_Col(t)) Show_Form_Topic(g, r, Template_Col(t));
    }
}

void TFMQTT_Set_Topic::Show_Form_Topic(TExtColumnGrid* Grid, int ARow, int ACol)
{
    if (!FTopicTemplate) return;
    const int t = Grid == ACG_Sub ? MQTT::Subscribe : MQTT::Publish;
    FTopicTemplate->TopicTemplate = ACol == Template_Col(t) ? 1 : 0;
    FTopicTemplate->Working_Mode = Working_Mode;
    FTopicTemplate->Pub_Sub = t == MQTT::Publish ? 0 : 1;
    // The cell's editor closes first, so that it does not write its text back over the
    // dialog's afterwards.
    Grid->HideInplaceEdit();
    FTopicTemplate->RE_TopicTemplate->Clear();
    FTopicTemplate->RE_TopicTemplate->SetText(Grid->GetCellEx(ACol, ARow));
    if (FTopicTemplate->ShowModal() == mrOk) Grid->SetCellEx(ACol, ARow, FTopicTemplate->RE_TopicTemplate->Text());
}

void Plug_MQTT_Set_Topic_Window()
{
    Plug_Window("TFMQTT_Set_Topic", FMQTT_Set_Topic);
}
