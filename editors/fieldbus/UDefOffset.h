#pragma once
// The DeviceNet offsets of the family's DeviceNet-master models: the slaves of the
// network in a read-only list, and the selected slave's input and output bytes in two
// tables, each byte given a place in the converter's data area or "None". The
// assignment of every slave is kept while the window is open and written to
// DNETM_DefOff.xml on OK, when no offset is used by two output bytes.
#include "editors/fieldbus/UDefOffset_Data.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtColumnGrid;

class TFDefOffset : public TForm {
public:
    explicit TFDefOffset(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* Panel1;
    TLabel* Label1;
    TExtColumnGrid* ACG_DN_Slaves;
    TPanel* Panel3;
    TLabel* Label2;
    TLabel* Label3;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TTabSheet* TabSheet2;
    TExtColumnGrid* ACG_ByteIN;
    TExtColumnGrid* ACG_ByteOUT;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TXMLDocument XML1;

    // The slaves, their bytes and the check's table.
    TDefOffset_Data Data;
    // The slave whose bytes the byte tables show, -1 for none.
    int Slave_Before_Select = -1;
    int MAX_BYTE_IN = DefOffset::Offsets;
    int MAX_BYTE_OUT = DefOffset::Offsets;

    void Set_Lang();
    void FormShow(TObject* Sender);
    // A click on the slave table: the shown bytes go back into their slave, then the
    // current row's slave is shown.
    void ACG_DN_SlavesClick(TObject* Sender);
    void bitbtn1Click(TObject* Sender);

    void Load_Slave_DN();
    void Load_Offset_Slave_DN();
    void Select_First();
    void Update_Slave_DN();
    void Save_Data_ByteIN_ByteOUT();
    bool Check_Data();
    void Save_Offset_Slave_DN();

private:
    TExtColumnGrid* Make_Table(TWinControl* Parent, const String& Name, int Cols);
    // One showing's load step: an error is told in the error box and ends the loading.
    bool Try_Load(void (TDefOffset_Data::*Load)(const TXMLDocument&, const String&), const String& File);
};

extern TFDefOffset* FDefOffset;

// Plugs the window in at its place among the program's windows.
void Plug_Def_Offset_Window();
