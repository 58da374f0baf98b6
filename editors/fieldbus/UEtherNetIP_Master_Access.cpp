// The EtherNet/IP scanner editor on the table editor engine.
#include "editors/fieldbus/UEtherNetIP_Master_Access.h"

#include "shell/UFormTable.h"

TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access = nullptr;
std::function<std::optional<EtherNetIP::TEDS_Connection>(const String& EDS_FileName)> Pick_EDS_Connection;

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(TComponent* AOwner)
    : TFTableEditor(AOwner, EtherNetIP_Master_Access_Desc())
{
    ACG = Grid(0);
    Hint = Hint_List(0);
    Btn_Import_EDS = Button(EtherNetIP::Btn_Import);
    Btn_Import_EDS->OnClick = [this](TObject* s) { Btn_Import_EDSClick(s); };
    OD_EDS = new TOpenDialog(this);
    OD_EDS->SetName("OD_EDS");
    OD_EDS->SetFilter("EtherNet/IP EDS (*.eds)|*.eds");
}

void TFEtherNetIP_Master_Access::Before_Reset()
{
    Num_Byte_In = int(Context().Number(EtherNetIP::Num_Byte_In));
    Num_Byte_Out = int(Context().Number(EtherNetIP::Num_Byte_Out));
}

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick(TObject*)
{
    if (!OD_EDS->Execute()) return;
    if (!Pick_EDS_Connection) return;
    const std::optional<EtherNetIP::TEDS_Connection> Connection = Pick_EDS_Connection(OD_EDS->FileName());
    if (Connection) EtherNetIP::Import_Connection(Rows(0), *Connection);
}

void Plug_EtherNetIP_Master_Access_Window()
{
    Plug_Window("TFEtherNetIP_Master_Access", FEtherNetIP_Master_Access);
}
