#include "shell/UNew_Project.h"

#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFNew_Project* FNew_Project = nullptr;

bool Valid_Configuration_Name(const String& Name)
{
    if (Name.empty() || Name.front() == ' ' || Name.back() == ' ') return false;
    if (Name.find("..") != String::npos) return false;
    for (unsigned char c : Name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
    return Name != ".";
}

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FNew_Project");
    Set_Dialog_Look(this);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);

    Label1 = Make_Control<TLabel>(this, this, "Label1", 16, 77, 299, 13);

    E_New_Proj = Make_Control<TEdit>(this, this, "E_New_Proj", 16, 94, 299, 21);
    E_New_Proj->SetColor(clWindow);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->OnKeyPress = [this](TObject* s, WideChar& k) { E_New_ProjKeyPress(s, k); };

    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TFNew_Project::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(331);
    SetClientHeight(162);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Set_Lang();
}

void TFNew_Project::FormShow(TObject*)
{
    E_New_Proj->SetText("");
    if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::Btn_OKClick(TObject*)
{
    const String name = E_New_Proj->Text();
    auto refuse = [](int text) { MessageDlg(Lang_Text(text), mtError, TMsgDlgButtons{mbOK}, 0); };
    if (name.empty()) { refuse(107); return; }
    // A name that is no plain folder name is refused as the file system would refuse it.
    if (!Valid_Configuration_Name(name)) { refuse(105); return; }
    const String folder = PathJoin(Projects_Path, name);
    if (DirectoryExists(folder)) { refuse(106); return; }
    if (!CreateDir(folder)) { refuse(105); return; }
    ForceDirectories(PathJoin(folder, "bin"));

    Project_Name = name;
    Project_Path = folder;
    if (FDuvazaradFirmWare) FDuvazaradFirmWare->Set_Files();
    SetModalResult(mrOk);
}

void TFNew_Project::E_New_ProjKeyPress(TObject* Sender, WideChar& Key)
{
    if (Key == 13) {
        Key = 0;
        Btn_OKClick(Sender);
    }
}

void TFNew_Project::Set_Lang()
{
    const auto T = Lang_Text;
    SetCaption(T(100));
    L_SW_Desc->SetCaption(T(101));
    Label1->SetCaption(T(102));
    Btn_OK->SetCaption(T(103));
    Btn_Cancel->SetCaption(T(104));
    E_New_Proj->SetHint(T(108));
    Btn_OK->SetHint(T(109));
    Btn_Cancel->SetHint(T(110));
}
