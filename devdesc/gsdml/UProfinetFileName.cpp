#include "devdesc/gsdml/UProfinetFileName.h"

#include "devdesc/UDevDescFile.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFProfinetFileName* FProfinetFileName = nullptr;

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FProfinetFileName");
    Set_Dialog_Look(this);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);

    L_Select_Name = Make_Control<TLabel>(this, this, "L_Select_Name", 16, 80, 400, 13);
    L_FixPart_1 = Make_Control<TLabel>(this, this, "L_FixPart_1", 16, 104, 150, 13);
    L_UsedPart = Make_Control<TLabel>(this, this, "L_UsedPart", 179, 104, 150, 13);
    L_FixPart_2 = Make_Control<TLabel>(this, this, "L_FixPart_2", 447, 104, 80, 13);
    L_XML_Fix1 = Make_Control<TLabel>(this, this, "L_XML_Fix1", 16, 126, 160, 13);
    L_XML_Fix1->SetCaption("GSDML-V2.25-Zodudo-");
    E_XML_User = Make_Control<TEdit>(this, this, "E_XML_User", 179, 122, 264, 21);
    E_XML_User->SetColor(clWindow);
    L_XML_Fix2 = Make_Control<TLabel>(this, this, "L_XML_Fix2", 447, 126, 90, 13);

    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->OnClick = [this](TObject* s) { Btn_OK_Click(s); };
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);

    OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TFProfinetFileName::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(540);
    SetClientHeight(205);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    L_UsedPart->SetLeft(179);
    E_XML_User->SetLeft(179);
    L_FixPart_2->SetLeft(447);
    L_XML_Fix2->SetLeft(447);
    // The date part is the day the program started: the window is made once, at start.
    int Year, Month, Day;
    DecodeDate(Description_Now(), Year, Month, Day);
    L_XML_Fix2->SetCaption(Format("-%d%.2d%.2d.xml", {Year, Month, Day}));
    Set_Lang();
}

void TFProfinetFileName::Btn_OK_Click(TObject*)
{
    const String U = E_XML_User->Text();
    const String F1 = L_XML_Fix1->Caption(), F2 = L_XML_Fix2->Caption();
    if (Trim(U).empty())
        Name_File_XML = F1 + F2;
    else if (U[0] == '_')
        Name_File_XML = F1 + U + F2;
    else
        Name_File_XML = F1 + "_" + U + F2;
    SetModalResult(mrOk);
}

void TFProfinetFileName::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(4800));
    L_SW_Desc->SetCaption(T(4801));
    L_Select_Name->SetCaption(T(4802));
    L_FixPart_1->SetCaption(T(4803));
    L_UsedPart->SetCaption(T(4804));
    L_FixPart_2->SetCaption(T(4805));
    Btn_OK->SetCaption(T(4806));
    Btn_Cancel->SetCaption(T(4807));
}
