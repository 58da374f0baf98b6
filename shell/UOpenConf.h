#pragma once
// The dialog of step 1 that opens an existing configuration: the folders under PROJECTS,
// read anew each time it is shown. OK gives the chosen name in Name_Conf.
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TFOpenConf : public TForm {
public:
    explicit TFOpenConf(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TListBox* ListBox1;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    // The folder names found at the last showing, in listing order.
    TStringList SL;
    // The chosen name, kept from one showing to the next.
    String Name_Conf;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void ListBox1Click(TObject* Sender);
    void Load_Existing_Configuration();
    // Index in SL of the first name equal to Name (A-Z case ignored), else -1.
    int Search_Open_Conf(const String& Name) const;
    void Set_Lang();
};

extern TFOpenConf* FOpenConf;
