#pragma once
// The scan window's three small dialogs: the key of an encrypted wireless meter, one start
// register for the meters appended to an existing network file, and a start register per
// scanned meter. Each exists once for the run, takes its texts at creation and is read by
// the scan window after it closes; OK closes only once the input passed its check, and a
// refused input leaves the dialog open as typed.
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtColumnGrid;

class TFInsertKeyWireless : public TForm {
public:
    explicit TFInsertKeyWireless(TComponent* AOwner);

    TShape* Shape1;
    TLabel* L_InsKey;
    TEdit* E_Key;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void Set_Lang();
    void Btn_OKClick(TObject* Sender);
    // Only the digits 0-9 and the upper-case letters A-F (the empty text passes).
    static bool Check_Data(const String& key);
};

class TFScanModbusStart : public TForm {
public:
    explicit TFScanModbusStart(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* L_StartModAdd;
    TEdit* E_StartModAdd;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    // Set only by an accepted OK.
    int32_t StartModAdd = 1;

    void Set_Lang();
    void Btn_OKClick(TObject* Sender);
};

class TFModbusStartAdd_SD : public TForm {
public:
    explicit TFModbusStartAdd_SD(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TExtColumnGrid* sga;
    TCheckBox* CB_En_NodeState;
    TCheckBox* CB_En_IndNum;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void Set_Lang();
    void Btn_OKClick(TObject* Sender);
    // Every data row's start register is a whole number 1..59999; the first failure is
    // told and ends the check.
    bool Check_Data();
};

extern TFInsertKeyWireless* FInsertKeyWireless;
extern TFScanModbusStart* FScanModbusStart;
extern TFModbusStartAdd_SD* FModbusStartAdd_SD;
