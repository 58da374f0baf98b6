#pragma once
// The connection settings of one OPC UA server, for the client editor: whether it is
// used, its address, how the converter authenticates (anonymously, with user name and
// password, or with a certificate and private key), security type and policy, and a
// description. The editor sets FormType, presets the controls when modifying, shows the
// dialog and reads the controls after OK; the dialog lays itself out, checks and closes.
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

namespace OPC_UA_Add {

constexpr int Text_Base = 5600;
constexpr int Client_Width = 407;
// Field rows: the one-line fields stand 32 pixels apart, the labels 3 pixels below their
// field's top; the two text boxes of a certificate are 89 pixels high.
constexpr int Row_Step = 32;
constexpr int Label_Offset = 3;
constexpr int First_Optional_Row = 168;
constexpr int Box_Height = 89;

}  // namespace OPC_UA_Add

class TFOPC_UA_Add_Server : public TForm {
public:
    explicit TFOPC_UA_Add_Server(TComponent* AOwner);

    // 2 modifies a server; any other value adds one.
    int FormType = 1;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TCheckBox* CB_OPC_UA_Server_Enable;
    TLabel* L_Server_Add;
    TEdit* E_Server_Add;
    TLabel* L_Auth;
    TComboBox* CB_Auth;
    TLabel* L_User;
    TEdit* E_User;
    TLabel* L_Pass;
    TEdit* E_Pass;
    TLabel* L_Certificate;
    TMemo* RE_Certificate;
    TLabel* L_Priv_Key;
    TMemo* RE_Priv_Key;
    TLabel* L_Sec_Type;
    TComboBox* CB_Sec_Type;
    TLabel* L_Sec_Policy;
    TComboBox* CB_Sec_Policy;
    TLabel* L_Mnemonic;
    TEdit* E_Mnemonic;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void Set_Lang();
    void FormShow(TObject* Sender);
    // Shows the fields of the chosen authorization, closes the gaps below them and fits
    // the window's height.
    void Change_Fields();
    // Security type "None" has no policy: the policy is "None" and cannot be changed.
    void Check_Authorization();
    bool Controlla_Dati();
    void Btn_OKClick(TObject* Sender);
};

extern TFOPC_UA_Add_Server* FOPC_UA_Add_Server;

// Plugs the window in at its place among the program's windows.
void Plug_OPC_UA_Add_Server_Window();
