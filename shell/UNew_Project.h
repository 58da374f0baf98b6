#pragma once
// The dialog of step 1 that creates a new configuration: a folder under PROJECTS with its
// bin folder. OK leaves the new configuration open (name, folder and file paths set);
// Cancel changes nothing.
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "shell/LbButton.h"

// True when Name can name a configuration folder directly under PROJECTS: not empty, no
// path separator, no "..", no control character, no blank at either end. Anything else
// could reach a folder outside PROJECTS or one the user cannot tell apart.
bool Valid_Configuration_Name(const String& Name);

class TFNew_Project : public TForm {
public:
    explicit TFNew_Project(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TEdit* E_New_Proj;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void E_New_ProjKeyPress(TObject* Sender, WideChar& Key);
    void Set_Lang();
};

extern TFNew_Project* FNew_Project;
