#pragma once
// The EDE import dialog: reads another BACnet device's object list and lets the user
// choose the objects to import and whether each is read, written or both. The caller
// takes List_EDE_Var and the device's address from E_ID_IP after OK.
#include "devdesc/ede/UEDE_Read.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtColumnGrid;

class TFImportEDEFile : public TForm {
public:
    explicit TFImportEDEFile(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_ID_IP;
    TLabel* LID_IP;
    TEdit* E_ID_IP;
    TExtColumnGrid* ACG;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Select_All;
    TLbButton* Btn_Unselect_All;

    String EDE_File;
    int App_BACnet_Type = 0;
    TEDE_Var_List List_EDE_Var;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();
    // Reads EDE_File into List_EDE_Var; a file that is no object list is reported.
    void Load_EDE_File();
    void Show_Data_in_Grid();
    void Cancel_EDE_List_Vars();
    void ACGCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
    void Btn_OKClick(TObject* Sender);
    void Btn_Select_AllClick(TObject* Sender);
    void Btn_Unselect_AllClick(TObject* Sender);
};

extern TFImportEDEFile* FImportEDEFile;
