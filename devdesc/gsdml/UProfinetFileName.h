#pragma once
// The dialog that names a PROFINET GSDML file: a fixed front part with the format version
// and the maker's name, the part the user types, and the date the program was started.
// The caller reads the composed name from Name_File_XML after OK.
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TFProfinetFileName : public TForm {
public:
    explicit TFProfinetFileName(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* L_Select_Name;
    TLabel* L_FixPart_1;
    TLabel* L_UsedPart;
    TLabel* L_FixPart_2;
    TLabel* L_XML_Fix1;
    TEdit* E_XML_User;
    TLabel* L_XML_Fix2;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    String Name_File_XML;

    void FormCreate(TObject* Sender);
    void Btn_OK_Click(TObject* Sender);
    void Set_Lang();
};

extern TFProfinetFileName* FProfinetFileName;
