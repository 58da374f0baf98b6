#pragma once
// The engineering-unit picker: a category, then one of its units; the unit's code lands
// in the edit, which the caller reads after OK. The user may also type a code there.
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TFBACnet_Eng_Unit : public TForm {
public:
    explicit TFBACnet_Eng_Unit(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TEdit* E_Selected_EU;
    TLabel* Label5;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* CB_Select_Type;
    TLabel* Label4;
    TComboBox* CB_Select_Unit;
    TLbButton* Btn_Select_Eng_Unit;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void CB_Select_TypeSelect(TObject* Sender);
    void Btn_Select_Eng_UnitClick(TObject* Sender);
    void Set_Lang();
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
