#include "devdesc/bacnet/UBACnet_Eng_Unit.h"

#include "devdesc/bacnet/UBACnet_Eng_Units.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FBACnet_Eng_Unit");
    Set_Dialog_Look(this);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);
    Label1 = Make_Control<TLabel>(this, this, "Label1", 16, 84, 250, 13);
    E_Selected_EU = Make_Control<TEdit>(this, this, "E_Selected_EU", 270, 80, 80, 21);
    E_Selected_EU->SetColor(clWindow);
    Label5 = Make_Control<TLabel>(this, this, "Label5", 360, 84, 180, 13);
    Label5->SetCaption("-> unknown");
    Label2 = Make_Control<TLabel>(this, this, "Label2", 16, 120, 400, 13);
    Label3 = Make_Control<TLabel>(this, this, "Label3", 16, 148, 120, 13);
    CB_Select_Type = Make_Control<TComboBox>(this, this, "CB_Select_Type", 140, 144, 220, 21);
    CB_Select_Type->SetStyle(csDropDownList);
    CB_Select_Type->SetDropDownCount(23);
    for (const BACnetUnits::TCategory& C : BACnetUnits::Categories()) CB_Select_Type->Items()->Add(C.Name);
    CB_Select_Type->SetItemIndex(0);
    CB_Select_Type->OnSelect = [this](TObject* s) { CB_Select_TypeSelect(s); };
    Label4 = Make_Control<TLabel>(this, this, "Label4", 16, 180, 120, 13);
    CB_Select_Unit = Make_Control<TComboBox>(this, this, "CB_Select_Unit", 140, 176, 300, 21);
    CB_Select_Unit->SetStyle(csDropDownList);
    CB_Select_Unit->SetDropDownCount(16);
    Btn_Select_Eng_Unit = Make_Push_Button(this, "Btn_Select_Eng_Unit");
    Btn_Select_Eng_Unit->SetParent(this);
    Btn_Select_Eng_Unit->SetBounds(140, 212, 220, 30);
    Btn_Select_Eng_Unit->OnClick = [this](TObject* s) { Btn_Select_Eng_UnitClick(s); };
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFBACnet_Eng_Unit::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientHeight(306);
    SetClientWidth(548);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Set_Lang();
}

// The category keeps the choice of the previous showing; its units are listed afresh.
void TFBACnet_Eng_Unit::FormShow(TObject* Sender) { CB_Select_TypeSelect(Sender); }

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*)
{
    CB_Select_Unit->Items()->Clear();
    const int T = CB_Select_Type->ItemIndex();
    const auto& Cats = BACnetUnits::Categories();
    if (T < 0 || T >= int(Cats.size())) return;
    for (const BACnetUnits::TUnit& U : Cats[size_t(T)].Units) CB_Select_Unit->Items()->Add(U.Name);
    CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*)
{
    const int T = CB_Select_Type->ItemIndex(), U = CB_Select_Unit->ItemIndex();
    const auto& Cats = BACnetUnits::Categories();
    if (T < 0 || T >= int(Cats.size()) || U < 0 || U >= int(Cats[size_t(T)].Units.size())) return;
    const int Code = Cats[size_t(T)].Units[size_t(U)].Code;
    E_Selected_EU->SetText(IntToStr(Code));
    Label5->SetCaption("-> " + Desc_Unit(Code));
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(1600));
    L_SW_Desc->SetCaption(T(1601));
    Btn_OK->SetCaption(T(1602));
    Btn_Cancel->SetCaption(T(1603));
    Label1->SetCaption(T(1604));
    Label2->SetCaption(T(1605));
    Label3->SetCaption(T(1606));
    Label4->SetCaption(T(1607));
    Btn_Select_Eng_Unit->SetCaption(T(1608));
}
