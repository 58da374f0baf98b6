#pragma once
// The OPC UA client editor: the servers the converter reads as a client in an upper table
// (changed only through the server dialog), and the read and write variables of the
// selected server in two tables on pages below. The data lives in the model
// (UOPC_UA_Client_Data.h); the variable tables are views of the selected server, stored
// back into it when a table loses the focus and after each row operation. Variables are
// typed or come from a browse of the server. OK checks the model and writes
// OPC_UA_Client.xml.
#include "editors/frame/UTableEditor.h"
#include "editors/network/opcua/UOPC_UA_Client_Data.h"

class TExtColumnGrid;

namespace OPC_UA {

// The server table's columns.
enum TServer_Col { Srv_N, Srv_Enable, Srv_Address, Srv_Authorization, Srv_User, Srv_Password, Srv_Certificate,
                   Srv_Private_Key, Srv_Security_Type, Srv_Security_Policy, Srv_Mnemonic, Srv_Count };
// The variable tables' columns (the write table's from 7 on are its own).
enum TVar_Col { Var_N, Var_Enable, Var_Display_Name, Var_Node_Type, Var_Node_ID, Var_Var_Type, Var_Name_Space,
                R_Time, R_Position, R_Mnemonic, R_Count,
                W_On_Change = 7, W_On_CMD, W_On_Timer, W_Time, W_Position, W_Mnemonic, W_Count };
enum TVar_Table { Table_Read, Table_Write };

constexpr int Server_Panel_Height = 220;

TEditorDesc Client_Access_Desc();

}  // namespace OPC_UA

class TFOPC_UA_Client_Access : public TFTableEditor {
public:
    explicit TFOPC_UA_Client_Access(TComponent* AOwner);

    TPanel* P_OPC_UA_Server_List;
    TLabel* L_Server_List_Title;
    TExtColumnGrid* ACG_OPC_UA_Server = nullptr;
    TPanel* P_Server_Buttons;
    TLbButton* Btn_Add_Server;
    TLbButton* Btn_Modify_Server;
    TLbButton* Btn_Delete_Server;
    TLbButton* Btn_Scan_Server;
    TPanel* P_Variables;
    TLabel* L_Variables_List_Title;
    TPageControl* PC_OPC_UA_Vars;
    TTabSheet* TS_OPC_UA_Var_Read;
    TTabSheet* TS_OPC_UA_Var_Write;
    TExtColumnGrid* ACG_OPC_UA_Var_R;
    TExtColumnGrid* ACG_OPC_UA_Var_W;
    TLbButton* Btn_AutoPosition;

    TOPC_UA_Server_List OPC_UA_Server_List;
    // The server the focused variable table stores into; -1 while none has the focus.
    int Ind_Server = -1;
    TStringList* Hint_Server_List;
    TStringList* Hint_Var_R_List;
    TStringList* Hint_Var_W_List;

    bool Do_Copy_Read() const { return Copy_Mark(OPC_UA::Table_Read); }
    bool Do_Copy_Write() const { return Copy_Mark(OPC_UA::Table_Write); }

    // The index of the server in the selected row of the server table, -1 for none.
    int Selected_Server() const;

    void Set_Lang() override;
    void Show_OPC_UA_Server_List();
    void Erase_OPC_UA_Var_R_List();
    void Erase_OPC_UA_Var_W_List();
    void Show_OPC_UA_Var_List();
    void Save_Variable_in_Read();
    void Save_Variable_in_Write();
    void Add_Server();
    void Modify_Server();
    void Delete_Server();
    void Scan_Server();
    void Add_Variables_In_Read();
    void Add_Variables_In_Write();
    void Btn_AutoPositionClick(TObject* Sender);
    bool Controllo_Dati();
    void Btn_OKClick(TObject* Sender);

    void ACG_OPC_UA_ServerClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_OPC_UA_ServerDblClickCell(TObject* Sender, int ARow, int ACol);
    void ACG_OPC_UA_Var_Enter(TObject* Sender);
    void ACG_OPC_UA_Var_Exit(TObject* Sender);

protected:
    void Prepare() override;

private:
    // Stores a variable table into server Index of the list.
    void Save_Variables(int Table, int Index);
    // The variable table that had the focus is stored into Ind_Server (when one had it).
    void Leave_Var_Table();
    int FInd_Table = OPC_UA::Table_Read;   // the table Ind_Server belongs to
    // After a row operation: the table on the page shown goes into the selected server.
    void Store_Active_Table();
    void Erase_Var_Table(TExtColumnGrid* Grid);
    // Shows the variables of server Index (none for -1).
    void Show_Vars_Of(int Index);
    // The server's connection settings as the browse library takes them; kept until the
    // next browse, as the dialog's record names them while it is open.
    std::vector<std::string> FScan_Texts;
    std::unique_ptr<TStringList> FHint_Server_List;
    TPoint FServer_Down;   // where the button last went down on the server table
};

extern TFOPC_UA_Client_Access* FOPC_UA_Client_Access;

// Plugs the window in at its place among the program's windows.
void Plug_OPC_UA_Client_Access_Window();
