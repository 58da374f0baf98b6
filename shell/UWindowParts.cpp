#include "shell/UWindowParts.h"

#include "shell/UDuvazaradFirmWare.h"

void Set_Dialog_Look(TForm* Form)
{
    Form->SetBorderStyle(bsSingle);
    Form->SetBorderIcons(TBorderIcons{biSystemMenu});
    Form->SetPosition(poScreenCenter);
    Form->SetColor(Window_Color);
    Form->Font()->SetName(Dialog_Font_Name);
    Form->Font()->SetSize(Dialog_Font_Size);
    Form->SetShowHint(true);
}

TPanel* Make_Title_Panel(TForm* Form, TLabel*& L_SW_Code, TLabel*& L_SW_Desc)
{
    TPanel* p = new TPanel(Form);
    p->SetName("P_Title");
    p->SetParent(Form);
    p->SetCaption("");
    p->SetBevelOuter(bvNone);
    p->SetColor(Window_Color);
    p->SetHeight(Title_Panel_Height);
    p->SetAlign(alTop);

    L_SW_Code = Make_Control<TLabel>(Form, p, "L_SW_Code", 16, 8, 200, 29);
    L_SW_Code->Font()->SetName(Dialog_Font_Name);
    L_SW_Code->Font()->SetSize(24);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Code->SetCaption("");

    L_SW_Desc = Make_Control<TLabel>(Form, p, "L_SW_Desc", 16, 46, 200, 13);
    L_SW_Desc->Font()->SetName(Dialog_Font_Name);
    L_SW_Desc->Font()->SetSize(Dialog_Font_Size);
    L_SW_Desc->Font()->SetColor(clGray);
    L_SW_Desc->Font()->SetStyle(TFontStyles{fsBold});
    L_SW_Desc->SetCaption("");
    return p;
}

TPanel* Make_Button_Panel(TForm* Form)
{
    TPanel* p = new TPanel(Form);
    p->SetName("P_Button");
    p->SetParent(Form);
    p->SetCaption("");
    p->SetBevelOuter(bvNone);
    p->SetColor(Window_Color);
    p->SetHeight(Button_Panel_Height);
    p->SetAlign(alBottom);
    return p;
}

TLbButton* Make_Push_Button(TComponent* Owner, const String& Name, TLbButtonStyle Style, TColor HotColor)
{
    TLbButton* b = new TLbButton(Owner);
    b->SetName(Name);
    b->SetCaption("");
    b->SetStyle(Style);
    b->SetColor(Window_Color);
    b->SetColorWhenDown(Button_Down_Color);
    b->SetLightColor(clGray);
    b->SetHotTrackColor(HotColor);
    b->SetShowHint(true);
    return b;
}

void Place_Panel_Buttons(TPanel* Panel, std::initializer_list<TLbButton*> Buttons)
{
    Place_Panel_Buttons(Panel, std::vector<TLbButton*>(Buttons));
}

void Place_Panel_Buttons(TPanel* Panel, const std::vector<TLbButton*>& Buttons)
{
    const int gap = 8;
    int left = Panel->ClientWidth() - gap - int(Buttons.size()) * (Dialog_Button_Width + gap) + gap;
    const int top = (Button_Panel_Height - Dialog_Button_Height) / 2;
    for (TLbButton* b : Buttons) {
        b->SetParent(Panel);
        b->SetBounds(left, top, Dialog_Button_Width, Dialog_Button_Height);
        b->SetAnchors(TAnchors{akRight, akTop});
        left += Dialog_Button_Width + gap;
    }
}
