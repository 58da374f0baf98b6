#pragma once
// The EtherNet/IP connection picker: lists the usable connections of an adapter's EDS
// file and lets the user choose the one the scanner editor takes over. With no usable
// connection it tells the user and closes itself.
#include "devdesc/eds/UEtherNetIP_EDS_Read.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtColumnGrid;

class TFEtherNEtIP_EDS : public TForm {
public:
    explicit TFEtherNEtIP_EDS(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TExtColumnGrid* ACG;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TTimer* TClose;

    String EDS_FileName;
    TConnList List_Conn;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void ShowDatainGrid();
    void TCloseTimer(TObject* Sender);
    void Set_Lang();
};

extern TFEtherNEtIP_EDS* FEtherNEtIP_EDS;

// Sets the scanner editor's picker to this window and plugs the window in at its place
// among the program's windows.
void Plug_EtherNetIP_EDS_Picker();
