// The LoRaWAN access editor on the table editor engine.
#include "editors/fieldbus/ULoRa_Set_Access.h"

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"

TFLoRa_Set_Access* FLoRa_Set_Access = nullptr;

TFLoRa_Set_Access::TFLoRa_Set_Access(TComponent* AOwner)
    : TFTableEditor(AOwner, LoRa_Set_Access_Desc())
{
    PC_LoRa = Page_Control;
    PC_LoRa->SetName("PC_LoRa");
    TS_LoRa_Uplink = Page(LoRa::Uplink);
    TS_LoRa_Uplink->SetName("TS_LoRa_Uplink");
    TS_LoRa_Downlink = Page(LoRa::Downlink);
    TS_LoRa_Downlink->SetName("TS_LoRa_Downlink");
    ACG_LoRa_Uplink = Grid(LoRa::Uplink);
    ACG_LoRa_Downlink = Grid(LoRa::Downlink);
    Hint_UpLink = Hint_List(LoRa::Uplink);
    Hint_DownLink = Hint_List(LoRa::Downlink);
}

void TFLoRa_Set_Access::Before_Reset()
{
    PC_LoRa->SetActivePage(TS_LoRa_Uplink);
    MaxPayloadSize = LoRa::Payload_Size(Context());
    FPortFixed = LoRa::FPort_Fixed(Context());
    const int Rows = FPortFixed ? LoRa::Rows_Fixed : LoRa::Rows_Variable;
    const struct {
        int Table, FPort_Col;
    } FPorts[] = {{LoRa::Uplink, LoRa::Up_FPort}, {LoRa::Downlink, LoRa::Down_FPort}};
    for (const auto& f : FPorts) {
        TExtColumnGrid* g = Grid(f.Table);
        if (FPortFixed && !g->IsHiddenColumn(f.FPort_Col)) g->HideColumn(f.FPort_Col);
        if (!FPortFixed && g->IsHiddenColumn(f.FPort_Col)) g->UnHideColumn(f.FPort_Col);
        Set_Data_Rows(f.Table, Rows);
    }
}

void TFLoRa_Set_Access::Prepare()
{
    if (MaxPayloadSize == 0)
        MessageDlg(Lang_Text(LoRa::Text_Payload_Not_Set), mtWarning, TMsgDlgButtons{mbOK}, 0);
}

void Plug_LoRa_Set_Access_Window()
{
    Plug_Window("TFLoRa_Set_Access", FLoRa_Set_Access);
}
