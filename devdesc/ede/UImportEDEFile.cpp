#include "devdesc/ede/UImportEDEFile.h"

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {
enum { Col_N, Col_Import, Col_Read, Col_Write, Col_Name, Col_Type, Col_Instance, Col_Description, Col_Commandable,
       Col_Count };
constexpr int Widths[Col_Count] = {40, 50, 50, 50, 220, 80, 80, 230, 80};
constexpr int Rows = 512;
String YN(bool b) { return b ? "Y" : "N"; }
}  // namespace

TFImportEDEFile::TFImportEDEFile(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FImportEDEFile");
    Set_Dialog_Look(this);
    SetPosition(poScreenCenter);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_ID_IP = new TPanel(this);
    P_ID_IP->SetName("P_ID_IP");
    P_ID_IP->SetParent(this);
    P_ID_IP->SetCaption("");
    P_ID_IP->SetBevelOuter(bvNone);
    P_ID_IP->SetHeight(36);
    P_ID_IP->SetAlign(alTop);
    P_ID_IP->SetTop(P_Title->Height());
    LID_IP = Make_Control<TLabel>(this, P_ID_IP, "LID_IP", 16, 11, 240, 13);
    E_ID_IP = Make_Control<TEdit>(this, P_ID_IP, "E_ID_IP", 260, 7, 160, 21);
    E_ID_IP->SetColor(clWindow);
    P_Button = Make_Button_Panel(this);
    ACG = new TExtColumnGrid(this);
    ACG->SetName("ACG");
    ACG->SetParent(this);
    ACG->SetAlign(alClient);
    ACG->SetColCount(Col_Count);
    ACG->SetRowCount(Rows + 1);
    ACG->SetFixedCols(1);
    ACG->SetFixedRows(1);
    for (int c = 0; c < Col_Count; ++c) {
        TGridColumnItem* Item = ACG->Columns()->Items(c);
        Item->SetWidth(Widths[c]);
        const bool Box = c == Col_Import || c == Col_Read || c == Col_Write || c == Col_Commandable;
        if (Box) {
            Item->SetEditor(edDataCheckBox);
            Item->SetCheckTrue("Y");
            Item->SetCheckFalse("N");
        }
        Item->SetReadOnly(!(c == Col_Import || c == Col_Read || c == Col_Write));
    }
    ACG->OnCheckBoxClick = [this](TObject* s, int c, int r, bool b) { ACGCheckBoxClick(s, c, r, b); };
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Select_All = Make_Push_Button(this, "Btn_Select_All");
    Btn_Select_All->OnClick = [this](TObject* s) { Btn_Select_AllClick(s); };
    Btn_Unselect_All = Make_Push_Button(this, "Btn_Unselect_All");
    Btn_Unselect_All->OnClick = [this](TObject* s) { Btn_Unselect_AllClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFImportEDEFile::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(863);
    SetClientHeight(337);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel, Btn_Select_All, Btn_Unselect_All});
    Set_Lang();
    List_EDE_Var.clear();
}

void TFImportEDEFile::FormShow(TObject*)
{
    for (int r = 1; r <= Rows && r < ACG->RowCount(); ++r) {
        ACG->SetCellEx(Col_N, r, IntToStr(r));
        for (int c = 1; c < Col_Count; ++c) ACG->SetCellEx(c, r, "");
    }
    if (E_ID_IP->CanFocus()) E_ID_IP->SetFocus();
    Cancel_EDE_List_Vars();
    Load_EDE_File();
    Show_Data_in_Grid();
}

void TFImportEDEFile::Load_EDE_File()
{
    TEDE_Read R = Read_EDE_File(EDE_File);
    // A file that is no object list (unreadable, too short, without its header line)
    // is named to the user instead of showing an empty list without a word.
    if (!R.Ok) MessageDlg(Lang_Text(1422) + EDE_File, mtError, TMsgDlgButtons{mbOK}, 0);
    List_EDE_Var = std::move(R.Vars);
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    ACG->SetRowCount(List_EDE_Var.empty() ? 2 : int(List_EDE_Var.size()) + 1);
    for (size_t i = 0; i < List_EDE_Var.size(); ++i) {
        const TBACnet_Var& V = *List_EDE_Var[i];
        const int r = int(i) + 1;
        ACG->SetCellEx(Col_Import, r, YN(V.import));
        ACG->SetCellEx(Col_Read, r, YN(V.read));
        ACG->SetCellEx(Col_Write, r, YN(V.write));
        ACG->SetCellEx(Col_Name, r, V.object_name);
        ACG->SetCellEx(Col_Type, r, IntToStr(V.object_type));
        ACG->SetCellEx(Col_Instance, r, IntToStr(V.object_instance));
        ACG->SetCellEx(Col_Description, r, V.description);
        ACG->SetCellEx(Col_Commandable, r, YN(V.commandable));
    }
}

void TFImportEDEFile::Cancel_EDE_List_Vars() { List_EDE_Var.clear(); }

void TFImportEDEFile::ACGCheckBoxClick(TObject*, int ACol, int ARow, bool State)
{
    if (ARow < 1 || size_t(ARow) > List_EDE_Var.size()) return;
    TBACnet_Var& V = *List_EDE_Var[size_t(ARow - 1)];
    if (ACol == Col_Write && !V.commandable) {
        MessageDlg(Lang_Text(1413) + IntToStr(ARow) + Lang_Text(1414), mtError, TMsgDlgButtons{mbOK}, 0);
        ACG->SetCellEx(Col_Write, ARow, "N");
        return;
    }
    if (ACol == Col_Import) V.import = State;
    if (ACol == Col_Read) V.read = State;
    if (ACol == Col_Write) V.write = State;
}

void TFImportEDEFile::Btn_Select_AllClick(TObject*)
{
    for (int r = 1; r < ACG->RowCount(); ++r) {
        ACG->SetCellEx(Col_Import, r, "Y");
        if (size_t(r) <= List_EDE_Var.size()) List_EDE_Var[size_t(r - 1)]->import = true;
    }
}

void TFImportEDEFile::Btn_Unselect_AllClick(TObject*)
{
    for (int r = 1; r < ACG->RowCount(); ++r) {
        ACG->SetCellEx(Col_Import, r, "N");
        if (size_t(r) <= List_EDE_Var.size()) List_EDE_Var[size_t(r - 1)]->import = false;
    }
}

void TFImportEDEFile::Btn_OKClick(TObject*)
{
    const String Text = E_ID_IP->Text();
    if (App_BACnet_Type == 0) {
        uint8_t b1, b2, b3, b4;
        if (IP_To_Bytes(Text, b1, b2, b3, b4)) {
            MessageDlg(Lang_Text(1416), mtError, TMsgDlgButtons{mbOK}, 0);
            return;
        }
    } else if (App_BACnet_Type == 1) {
        int Id = -1;
        // Decimal digits only: "$FE" or "0x10" are no slave numbers here.
        bool Digits = !Text.empty();
        for (char c : Text) Digits = Digits && c >= '0' && c <= '9';
        if (!Digits || !TryStrToInt(Text, Id) || Id < 0 || Id > 254) {
            MessageDlg(Lang_Text(1417), mtError, TMsgDlgButtons{mbOK}, 0);
            return;
        }
    }
    SetModalResult(mrOk);
}

void TFImportEDEFile::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(1400));
    L_SW_Desc->SetCaption(T(1401));
    Btn_OK->SetCaption(T(1402));
    Btn_Cancel->SetCaption(T(1403));
    for (int c = 0; c < Col_Count; ++c) ACG->Columns()->Items(c)->SetHeader(T(1404 + c));
    LID_IP->SetCaption(T(1415));
    Btn_Select_All->SetCaption(T(1420));
    Btn_Unselect_All->SetCaption(T(1421));
}
