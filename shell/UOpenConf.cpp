#include "shell/UOpenConf.h"

#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FOpenConf");
    Set_Dialog_Look(this);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);

    Label1 = Make_Control<TLabel>(this, this, "Label1", 16, 77, 345, 13);

    ListBox1 = Make_Control<TListBox>(this, this, "ListBox1", 16, 94, 345, 211);
    ListBox1->SetColor(clWindow);
    ListBox1->SetShowHint(true);
    ListBox1->OnClick = [this](TObject* s) { ListBox1Click(s); };

    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFOpenConf::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(377);
    SetClientHeight(351);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Set_Lang();
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL.Clear();
    for (const TSearchRec& r : FindFiles(Projects_Path))
        if (r.IsFolder && !(r.Attr & (faHidden | faSysFile))) SL.Add(r.Name);
}

void TFOpenConf::FormShow(TObject*)
{
    Load_Existing_Configuration();
    ListBox1->Items()->Assign(SL);

    String current;
    const String prefix = Projects_Path + PathDelim;
    if (!Project_Path.empty() && Project_Path.compare(0, prefix.size(), prefix) == 0)
        current = Project_Path.substr(prefix.size());

    const int found = Search_Open_Conf(current);
    if (found >= 0) {
        ListBox1->SetItemIndex(found);
        Name_Conf = SL.Strings(found);
    } else if (SL.Count() > 0) {
        ListBox1->SetItemIndex(0);
        Name_Conf = SL.Strings(0);
    } else {
        // Nothing to open: a name chosen earlier may belong to a folder that is gone.
        ListBox1->SetItemIndex(-1);
        Name_Conf.clear();
    }
}

void TFOpenConf::ListBox1Click(TObject*)
{
    const int i = ListBox1->ItemIndex();
    if (i >= 0 && i < ListBox1->Count()) Name_Conf = ListBox1->Items()->Strings(i);
}

int TFOpenConf::Search_Open_Conf(const String& Name) const
{
    for (int i = 0; i < SL.Count(); ++i)
        if (SameText(SL.Strings(i), Name)) return i;
    return -1;
}

void TFOpenConf::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(200));
    L_SW_Desc->SetCaption(T(201));
    Label1->SetCaption(T(202));
    Btn_OK->SetCaption(T(203));
    Btn_Cancel->SetCaption(T(204));
    ListBox1->SetHint(T(205));
    Btn_OK->SetHint(T(206));
    Btn_Cancel->SetHint(T(207));
}
