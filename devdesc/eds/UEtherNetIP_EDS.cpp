#include "devdesc/eds/UEtherNetIP_EDS.h"

#include "editors/fieldbus/UEtherNetIP_Master_Access.h"
#include "grid/columns/ExtColumnGrid.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFEtherNEtIP_EDS* FEtherNEtIP_EDS = nullptr;

namespace {
enum { Col_Conn, Col_Name, Col_Help, Col_Inst_OT, Col_Point_OT, Col_Inst_TO, Col_Point_TO, Col_Dim_OT, Col_Dim_TO,
       Col_Count };
constexpr int Widths[Col_Count] = {90, 200, 230, 95, 110, 95, 110, 110, 110};
}  // namespace

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FEtherNEtIP_EDS");
    Set_Dialog_Look(this);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);
    ACG = new TExtColumnGrid(this);
    ACG->SetName("ACG");
    ACG->SetParent(this);
    ACG->SetAlign(alClient);
    ACG->SetColCount(Col_Count);
    ACG->SetRowCount(1025);
    ACG->SetFixedCols(1);
    ACG->SetFixedRows(1);
    // A list to choose from: whole rows are selected, nothing is typed.
    ACG->SetOptions((ACG->Options() << goRowSelect) >> goEditing);
    for (int c = 0; c < Col_Count; ++c) {
        TGridColumnItem* Item = ACG->Columns()->Items(c);
        Item->SetWidth(Widths[c]);
        Item->SetReadOnly(true);
    }
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);
    TClose = new TTimer(this);
    TClose->SetName("TClose");
    TClose->SetEnabled(false);
    TClose->SetInterval(10);
    TClose->OnTimer = [this](TObject* s) { TCloseTimer(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFEtherNEtIP_EDS::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(1150);
    SetClientHeight(337);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    List_Conn.clear();
    Set_Lang();
}

void TFEtherNEtIP_EDS::FormShow(TObject*)
{
    List_Conn.clear();
    String Error;
    // A file that cannot be read lists nothing: the user is told as for a file without
    // a usable connection.
    Read_EDS_File(EDS_FileName, List_Conn, Error);
    ShowDatainGrid();
}

void TFEtherNEtIP_EDS::ShowDatainGrid()
{
    ACG->SetRowCount(2);
    for (int c = 0; c < Col_Count; ++c) ACG->SetCellEx(c, 1, "");
    if (List_Conn.empty()) {
        TClose->SetEnabled(true);
        return;
    }
    ACG->SetRowCount(int(List_Conn.size()) + 1);
    for (size_t i = 0; i < List_Conn.size(); ++i) {
        const TConnData& C = *List_Conn[i];
        const int r = int(i) + 1;
        ACG->SetCellEx(Col_Conn, r, "Connection" + IntToStr(r));
        ACG->SetCellEx(Col_Name, r, C.ConnName);
        ACG->SetCellEx(Col_Help, r, C.HelpStr);
        ACG->SetCellEx(Col_Inst_OT, r, IntToStr(C.InstanceOT));
        ACG->SetCellEx(Col_Point_OT, r, IntToStr(C.ConnPointOT));
        ACG->SetCellEx(Col_Inst_TO, r, IntToStr(C.InstanceTO));
        ACG->SetCellEx(Col_Point_TO, r, IntToStr(C.ConnPointTO));
        ACG->SetCellEx(Col_Dim_OT, r, C.DimHeaderOT == 4 ? String("Default") : IntToStr(C.DimHeaderOT));
        ACG->SetCellEx(Col_Dim_TO, r, C.DimHeaderTO == 0 ? String("Default") : IntToStr(C.DimHeaderTO));
    }
    ACG->SelectRows(1, 1);
}

void TFEtherNEtIP_EDS::TCloseTimer(TObject*)
{
    TClose->SetEnabled(false);
    MessageDlg(Lang_Text(4215), mtError, TMsgDlgButtons{mbOK}, 0);
    SetModalResult(mrCancel);
}

void TFEtherNEtIP_EDS::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(4200));
    L_SW_Desc->SetCaption(T(4201));
    Btn_OK->SetCaption(T(4202));
    Btn_OK->SetHint(T(4204));
    Btn_Cancel->SetCaption(T(4203));
    Btn_Cancel->SetHint(T(4205));
    for (int c = 0; c < Col_Count; ++c) ACG->Columns()->Items(c)->SetHeader(T(4206 + c));
}

void Plug_EtherNetIP_EDS_Picker()
{
    Plug_Window("TFEtherNEtIP_EDS", FEtherNEtIP_EDS);
    Pick_EDS_Connection = [](const String& File) -> std::optional<EtherNetIP::TEDS_Connection> {
        if (!FEtherNEtIP_EDS) return std::nullopt;
        TFEtherNEtIP_EDS& P = *FEtherNEtIP_EDS;
        P.EDS_FileName = File;
        if (P.ShowModal() != mrOk) return std::nullopt;
        const int r = P.ACG->Row();
        if (r < 1 || size_t(r) > P.List_Conn.size()) return std::nullopt;
        auto Cell = [&](int c) { return P.ACG->GetCellEx(c, r); };
        return EtherNetIP::TEDS_Connection{Cell(Col_Inst_TO), Cell(Col_Point_TO), Cell(Col_Inst_OT),
                                           Cell(Col_Point_OT), Cell(Col_Dim_TO), Cell(Col_Dim_OT)};
    };
}
