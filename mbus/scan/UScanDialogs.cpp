// The scan window's dialogs: a wireless key, one start register, a start register per meter.
#include "mbus/scan/UScanDialogs.h"

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFInsertKeyWireless* FInsertKeyWireless = nullptr;
TFScanModbusStart* FScanModbusStart = nullptr;
TFModbusStartAdd_SD* FModbusStartAdd_SD = nullptr;

namespace {

void Error_Box(const String& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

// OK acts through its handler; Cancel carries its result.
void Make_OK_Cancel(TForm* Form, TLbButton*& OK, TLbButton*& Cancel, const std::function<void()>& On_OK)
{
    OK = Make_Push_Button(Form, "Btn_OK");
    Cancel = Make_Push_Button(Form, "Btn_Cancel");
    Cancel->SetModalResult(mrCancel);
    Cancel->SetCancel(true);
    OK->OnClick = [On_OK](TObject*) { On_OK(); };
}

}  // namespace

// ---------------------------------------------------------------------------------
// The key of an encrypted wireless meter
// ---------------------------------------------------------------------------------
TFInsertKeyWireless::TFInsertKeyWireless(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FInsertKeyWireless");
    Set_Dialog_Look(this);
    // Opened at the mouse by the scan window: no frame, its own outline.
    SetBorderStyle(bsNone);
    SetPosition(poDesigned);
    SetClientWidth(481);
    SetClientHeight(47);
    Shape1 = new TShape(this);
    Shape1->SetName("Shape1");
    Shape1->SetParent(this);
    Shape1->SetAlign(alClient);
    Shape1->Brush()->SetStyle(bsClear);
    L_InsKey = Make_Control<TLabel>(this, this, "L_InsKey", 10, 16, 100, 13);
    E_Key = Make_Control<TEdit>(this, this, "E_Key", 112, 12, 240, 21);
    E_Key->SetMaxLength(32);
    E_Key->SetCharCase(ecUpperCase);
    Make_OK_Cancel(this, Btn_OK, Btn_Cancel, [this] { Btn_OKClick(this); });
    Btn_OK->SetParent(this);
    Btn_OK->SetBounds(360, 10, 54, 26);
    Btn_Cancel->SetParent(this);
    Btn_Cancel->SetBounds(418, 10, 54, 26);
    Set_Lang();
}

void TFInsertKeyWireless::Set_Lang()
{
    L_InsKey->SetCaption(Lang_Text(2300));
    Btn_OK->SetCaption(Lang_Text(2301));
    Btn_Cancel->SetCaption(Lang_Text(2302));
}

bool TFInsertKeyWireless::Check_Data(const String& key)
{
    for (char c : key)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

void TFInsertKeyWireless::Btn_OKClick(TObject*)
{
    const String key = E_Key->Text();
    if (key.size() != 32) { Error_Box(Lang_Text(2304)); return; }
    if (!Check_Data(key)) { Error_Box(Lang_Text(2303)); return; }
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------------
// One start register
// ---------------------------------------------------------------------------------
TFScanModbusStart::TFScanModbusStart(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FScanModbusStart");
    Set_Dialog_Look(this);
    SetClientWidth(331);
    SetClientHeight(162);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);
    L_StartModAdd = Make_Control<TLabel>(this, this, "L_StartModAdd", 16, Title_Panel_Height + 8, 300, 13);
    E_StartModAdd = Make_Control<TEdit>(this, this, "E_StartModAdd", 16, Title_Panel_Height + 26, 120, 21);
    E_StartModAdd->SetText("1");
    Make_OK_Cancel(this, Btn_OK, Btn_Cancel, [this] { Btn_OKClick(this); });
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Set_Lang();
}

void TFScanModbusStart::Set_Lang()
{
    SetCaption(Lang_Text(2200));
    L_SW_Code->SetCaption(Lang_Text(2201));
    L_SW_Desc->SetCaption(Lang_Text(2202));
    L_StartModAdd->SetCaption(Lang_Text(2203));
    Btn_OK->SetCaption(Lang_Text(2204));
    Btn_Cancel->SetCaption(Lang_Text(2205));
}

void TFScanModbusStart::Btn_OKClick(TObject*)
{
    const int v = StrToIntDef(E_StartModAdd->Text(), -1);
    if (v < 1 || v > 65535) { Error_Box(Lang_Text(2206)); return; }
    StartModAdd = v;
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------------
// A start register per meter
// ---------------------------------------------------------------------------------
TFModbusStartAdd_SD::TFModbusStartAdd_SD(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FModbusStartAdd_SD");
    Set_Dialog_Look(this);
    SetClientWidth(511);
    SetClientHeight(336);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Code->SetCaption(SW_Code);
    P_Button = Make_Button_Panel(this);
    const int top = Title_Panel_Height + 8;
    CB_En_NodeState = Make_Control<TCheckBox>(this, this, "CB_En_NodeState", 16, top, 230, 17);
    CB_En_IndNum = Make_Control<TCheckBox>(this, this, "CB_En_IndNum", 256, top, 240, 17);
    sga = new TExtColumnGrid(this);
    sga->SetName("sga");
    sga->SetParent(this);
    sga->SetColCount(2);
    sga->SetRowCount(31);
    sga->SetFixedCols(0);
    sga->SetFixedRows(1);
    sga->SetShowHint(false);
    sga->Loaded();
    sga->SetBounds(16, top + 26, 511 - 32, 336 - Button_Panel_Height - top - 34);
    sga->Columns()->Items(0)->SetWidth(200);
    sga->Columns()->Items(0)->SetReadOnly(true);
    sga->Columns()->Items(1)->SetWidth(240);
    Make_OK_Cancel(this, Btn_OK, Btn_Cancel, [this] { Btn_OKClick(this); });
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Set_Lang();
}

void TFModbusStartAdd_SD::Set_Lang()
{
    SetCaption(Lang_Text(2400));
    L_SW_Desc->SetCaption(Lang_Text(2401));
    CB_En_NodeState->SetCaption(Lang_Text(2402));
    CB_En_IndNum->SetCaption(Lang_Text(2403));
    sga->Columns()->Items(0)->SetHeader(Lang_Text(2404));
    sga->Columns()->Items(1)->SetHeader(Lang_Text(2405));
    Btn_OK->SetCaption(Lang_Text(2406));
    Btn_Cancel->SetCaption(Lang_Text(2407));
}

bool TFModbusStartAdd_SD::Check_Data()
{
    for (int r = 1; r < sga->RowCount(); ++r) {
        const String cell = sga->GetCellEx(1, r);
        if (cell.empty()) {
            Error_Box(Lang_Text(2408) + IntToStr(r) + Lang_Text(2409));
            return false;
        }
        const int v = StrToIntDef(cell, -1);
        if (v < 1 || v > 59999) {
            Error_Box(Lang_Text(2408) + IntToStr(r) + Lang_Text(2410));
            return false;
        }
    }
    return true;
}

void TFModbusStartAdd_SD::Btn_OKClick(TObject*)
{
    if (Check_Data()) SetModalResult(mrOk);
}
