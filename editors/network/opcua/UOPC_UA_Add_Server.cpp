// The OPC UA server dialog.
#include "editors/network/opcua/UOPC_UA_Add_Server.h"

#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFOPC_UA_Add_Server* FOPC_UA_Add_Server = nullptr;

using namespace OPC_UA_Add;

namespace {

constexpr int Label_Left = 16;
constexpr int Field_Left = 130;
constexpr int Field_Width = Client_Width - Field_Left - 16;
constexpr int Field_Height = 21;

// A field and its label at Top.
void Place(TLabel* L, TControl* F, int Top)
{
    F->SetTop(Top);
    L->SetTop(Top + Label_Offset);
}

void Show_Pair(TLabel* L, TControl* F, bool Visible)
{
    L->SetVisible(Visible);
    F->SetVisible(Visible);
}

TComboBox* Make_List(TForm* Form, const char* Name, int Top, std::initializer_list<const char*> Items)
{
    auto* cb = Make_Control<TComboBox>(Form, Form, Name, Field_Left, Top, Field_Width, Field_Height);
    // The lists take typed text as well; a text that is no item selects nothing.
    cb->SetStyle(csDropDown);
    for (const char* s : Items) cb->Items()->Add(s);
    return cb;
}

}  // namespace

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FOPC_UA_Add_Server");
    Set_Dialog_Look(this);
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    OnShow = [this](TObject* s) { FormShow(s); };
    SetClientWidth(Client_Width);
    SetClientHeight(320);

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(Client_Width - 32);

    CB_OPC_UA_Server_Enable = Make_Control<TCheckBox>(this, this, "CB_OPC_UA_Server_Enable", Label_Left, 75, 250, 17);
    const auto Label = [this](const char* Name, int Top) {
        return Make_Control<TLabel>(this, this, Name, Label_Left, Top + Label_Offset, Field_Left - Label_Left - 4, 13);
    };
    const auto Edit = [this](const char* Name, int Top) {
        return Make_Control<TEdit>(this, this, Name, Field_Left, Top, Field_Width, Field_Height);
    };
    const auto Box = [this](const char* Name, int Top) {
        auto* m = Make_Control<TMemo>(this, this, Name, Field_Left, Top, Field_Width, Box_Height);
        m->SetScrollBars(ssVertical);
        m->SetWordWrap(false);
        return m;
    };
    L_Server_Add = Label("L_Server_Add", 104);
    E_Server_Add = Edit("E_Server_Add", 104);
    L_Auth = Label("L_Auth", 136);
    CB_Auth = Make_List(this, "CB_Auth", 136, {"Anonymous", "Username and Password", "Certificate"});
    L_User = Label("L_User", 168);
    E_User = Edit("E_User", 168);
    L_Pass = Label("L_Pass", 200);
    E_Pass = Edit("E_Pass", 200);
    L_Certificate = Label("L_Certificate", 168);
    RE_Certificate = Box("RE_Certificate", 168);
    L_Priv_Key = Label("L_Priv_Key", 268);
    RE_Priv_Key = Box("RE_Priv_Key", 268);
    L_Sec_Type = Label("L_Sec_Type", 168);
    CB_Sec_Type = Make_List(this, "CB_Sec_Type", 168, {"None", "Sign", "Sign and Encrypt"});
    L_Sec_Policy = Label("L_Sec_Policy", 200);
    CB_Sec_Policy = Make_List(this, "CB_Sec_Policy", 200,
                              {"None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
                               "AES 256 SHA 256 RSA PSS"});
    L_Mnemonic = Label("L_Mnemonic", 232);
    E_Mnemonic = Edit("E_Mnemonic", 232);
    CB_Auth->OnChange = [this](TObject*) { Change_Fields(); };
    CB_Sec_Type->OnChange = [this](TObject*) { Check_Authorization(); };
    for (TControl* c : std::initializer_list<TControl*>{CB_OPC_UA_Server_Enable, E_Server_Add, CB_Auth, E_User, E_Pass,
                                                        RE_Certificate, RE_Priv_Key, CB_Sec_Type, CB_Sec_Policy, E_Mnemonic})
        c->SetShowHint(true);

    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

void TFOPC_UA_Add_Server::Set_Lang()
{
    SetCaption(Lang_Text(Text_Base));
    L_SW_Desc->SetCaption(Lang_Text(Text_Base + 1));
    CB_OPC_UA_Server_Enable->SetCaption(Lang_Text(5604));
    CB_OPC_UA_Server_Enable->SetHint(Lang_Text(5605));
    const std::tuple<TLabel*, TControl*, int> Pairs[] = {
        {L_Server_Add, E_Server_Add, 5606}, {L_Auth, CB_Auth, 5608},           {L_User, E_User, 5610},
        {L_Pass, E_Pass, 5612},             {L_Certificate, RE_Certificate, 5614}, {L_Priv_Key, RE_Priv_Key, 5616},
        {L_Sec_Type, CB_Sec_Type, 5618},    {L_Sec_Policy, CB_Sec_Policy, 5620}, {L_Mnemonic, E_Mnemonic, 5622}};
    for (const auto& [L, F, Text] : Pairs) {
        L->SetCaption(Lang_Text(Text));
        F->SetHint(Lang_Text(Text + 1));
    }
    Btn_OK->SetCaption(Lang_Text(5624));
    Btn_OK->SetHint(Lang_Text(5625));
    Btn_Cancel->SetCaption(Lang_Text(5626));
    Btn_Cancel->SetHint(Lang_Text(5627));
}

void TFOPC_UA_Add_Server::FormShow(TObject*)
{
    if (FormType == 2) {
        SetCaption(Lang_Text(5602));
        L_SW_Desc->SetCaption(Lang_Text(5603));
    } else {
        SetCaption(Lang_Text(5600));
        L_SW_Desc->SetCaption(Lang_Text(5601));
        CB_OPC_UA_Server_Enable->SetChecked(true);
        for (TEdit* e : {E_Server_Add, E_User, E_Pass, E_Mnemonic}) e->Clear();
        RE_Certificate->Clear();
        RE_Priv_Key->Clear();
        CB_Auth->SetItemIndex(0);
        CB_Sec_Type->SetItemIndex(0);
    }
    Change_Fields();
    Check_Authorization();
}

void TFOPC_UA_Add_Server::Change_Fields()
{
    const int Auth = CB_Auth->ItemIndex();
    if (Auth < 0 || Auth > 2) return;
    Show_Pair(L_User, E_User, Auth == 1);
    Show_Pair(L_Pass, E_Pass, Auth == 1);
    Show_Pair(L_Certificate, RE_Certificate, Auth == 2);
    Show_Pair(L_Priv_Key, RE_Priv_Key, Auth == 2);
    int Top = First_Optional_Row;
    if (Auth == 1) {
        Place(L_User, E_User, Top);
        Place(L_Pass, E_Pass, Top + Row_Step);
        Top += 2 * Row_Step;
    } else if (Auth == 2) {
        Place(L_Certificate, RE_Certificate, Top);
        Place(L_Priv_Key, RE_Priv_Key, Top + 100);
        Top += 200;
    }
    Place(L_Sec_Type, CB_Sec_Type, Top);
    Place(L_Sec_Policy, CB_Sec_Policy, Top + Row_Step);
    Place(L_Mnemonic, E_Mnemonic, Top + 2 * Row_Step);
    SetClientHeight(P_Button->Height() + E_Mnemonic->Top() + E_Mnemonic->Height() + 15);
}

void TFOPC_UA_Add_Server::Check_Authorization()
{
    if (CB_Sec_Type->ItemIndex() == 0) {
        CB_Sec_Policy->SetItemIndex(0);
        CB_Sec_Policy->SetEnabled(false);
    } else {
        CB_Sec_Policy->SetEnabled(true);
    }
}

bool TFOPC_UA_Add_Server::Controlla_Dati()
{
    const auto Fail = [](int Text) {
        MessageDlg(Lang_Text(Text), mtError, TMsgDlgButtons{mbOK}, 0);
        return false;
    };
    if (Trim(E_Server_Add->Text()).empty()) return Fail(5628);
    const int Auth = CB_Auth->ItemIndex();
    if (Auth == 1) {
        if (Trim(E_User->Text()).empty()) return Fail(5629);
        if (Trim(E_Pass->Text()).empty()) return Fail(5630);
    } else if (Auth == 2) {
        if (Trim(RE_Certificate->Text()).empty()) return Fail(5631);
        if (Trim(RE_Priv_Key->Text()).empty()) return Fail(5632);
    }
    return true;
}

void TFOPC_UA_Add_Server::Btn_OKClick(TObject*)
{
    if (Controlla_Dati()) SetModalResult(mrOk);
}

void Plug_OPC_UA_Add_Server_Window()
{
    Plug_Window("TFOPC_UA_Add_Server", FOPC_UA_Add_Server);
}
