#include "shell/UAbout.h"

#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UPictures.h"
#include "shell/USoftOptions.h"
#include "shell/UWindowParts.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FAbout");
    Set_Dialog_Look(this);
    SetCaption("About");
    SetClientWidth(425);
    SetClientHeight(148);

    Image1 = Make_Control<TImage>(this, this, "Image1", 16, 16, 64, 64);
    Image1->SetCursor(crHandPoint);
    if (auto logo = Make_Picture(bpLogo)) Image1->Picture()->SetBitmap(logo.get());
    Image1->OnClick = [this](TObject* s) { Label4Click(s); };

    auto label = [this](const String& name, int top) {
        TLabel* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(this);
        l->SetLeft(96);
        l->SetTop(top);
        l->SetCaption("");
        return l;
    };
    Label1 = label("Label1", 16);
    Label1->Font()->SetStyle(TFontStyles{fsBold});
    Label2 = label("Label2", 38);
    Label3 = label("Label3", 58);
    Label4 = label("Label4", 82);
    Label4->Font()->SetColor(clBlue);
    Label4->Font()->SetStyle(TFontStyles{fsUnderline});
    Label4->SetCursor(crHandPoint);
    Label4->OnClick = [this](TObject* s) { Label4Click(s); };

    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->SetParent(this);
    Btn_OK->SetBounds(425 - 16 - Dialog_Button_Width, 148 - 12 - Dialog_Button_Height, Dialog_Button_Width,
                      Dialog_Button_Height);
    Btn_OK->SetCaption("OK");
    Btn_OK->SetModalResult(mrOk);
    Btn_OK->SetDefault(true);
    Btn_OK->SetCancel(true);

    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFAbout::FormShow(TObject*)
{
    Label1->SetCaption(Trim(Main_Form_Caption));
    Label2->SetCaption(SW_Code + " - " + SW_Desc);
    Label3->SetCaption(String("Version ") + Program_Version);
    Label4->SetCaption(Maker_Web_Address);
}

void TFAbout::Label4Click(TObject*)
{
    Shell_Open(Maker_Home_Page());
}
