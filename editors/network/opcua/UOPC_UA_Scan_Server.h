#pragma once
// The browse of one OPC UA server: the variables the browse library finds on it, each
// offered for reading and writing as its access level allows, for the user to mark.
//
// The caller fills Server and shows the dialog; 100 ms after the dialog shows, the library
// OPC_UA_Search (from the program's folder first) is loaded, asked once for the server's
// variables, and unloaded. After OK the caller reads the Read and Write cells of the data
// rows and the records of List_Var; the dialog itself does nothing with the marks.
#include <deque>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"
#include "shell/UComon.h"

class TExtColumnGrid;

namespace OPC_UA_Scan {

constexpr int Text_Base = 5700;
constexpr const char* Library = "OPC_UA_Search";
constexpr const char* Begin_Function = "opcua_client_begin";
constexpr const char* Variable_Function = "opcua_return_variable";
// A browse takes at most this many variables: a count beyond it (a library's error, as
// no converter maps so many) would make the dialog hold records and rows by the millions.
constexpr int Max_Variables = 10000;

enum TCol { Col_N, Col_Read, Col_Write, Col_Display_Name, Col_Node_Type, Col_Node_Id, Col_Data_Type,
            Col_Name_Space, Col_Access, Col_Count };

// The library's two functions, with the C calling convention.
using TClient_Begin = int32_t (*)(opcua_server_to_discover Server);
using TReturn_Variable = int32_t (*)(opcua_structure* Node, int32_t Index);
// Optional: why a browse found nothing (a Windows-1252 text, empty when it found something).
// A library that has it lets the user learn why the list is empty (unreachable server,
// refused sign-in, settings it does not support) instead of seeing an empty list only.
constexpr const char* Last_Error_Function = "opcua_last_error";
using TLast_Error = const char* (*)();
// Optional: stops a running browse (called from another thread). A library that has it is
// asked on a thread of its own while the dialog goes on answering the user, so closing
// the dialog stops a browse that waits on a slow server.
constexpr const char* Cancel_Function = "opcua_client_cancel";
using TCancel = void (*)();

}  // namespace OPC_UA_Scan

class TFOPC_UA_Scan_Server : public TForm {
public:
    explicit TFOPC_UA_Scan_Server(TComponent* AOwner);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* LWaiting;
    TExtColumnGrid* ACG_OPC_UA_Scan_Var;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_SelectAllRead;
    TLbButton* Btn_ClearAllRead;
    TLbButton* Btn_SelectAllWrite;
    TLbButton* Btn_ClearAllWrite;
    TTimer* Timer_Scan;

    // The server to browse; its texts are handles of the records' text registry.
    opcua_server_to_discover Server {};
    // The records of the last browse; their texts are the dialog's own copies, readable
    // until the next browse.
    std::vector<opcua_structure> List_Var;

    void Set_Lang();
    void FormShow(TObject* Sender);
    void Timer_ScanTimer(TObject* Sender);
    void Erase_Table();
    void Show_Variables_List();
    // Column: Col_Read or Col_Write; State "Y" or "N".
    void Set_All(int Column, const String& State);

    // A record's text as the program holds texts (UTF-8); empty for no text.
    static String Record_Text(TOPCUA_Text Text);

private:
    std::deque<std::string> FTexts;   // the copies List_Var's texts name
};

extern TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server;

// Plugs the window in at its place among the program's windows.
void Plug_OPC_UA_Scan_Server_Window();
