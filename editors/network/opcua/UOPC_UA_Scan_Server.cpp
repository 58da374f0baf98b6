// The OPC UA server browse dialog.
#include "editors/network/opcua/UOPC_UA_Scan_Server.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/DynLibrary.h"
#include "platform/rtl/Unicode.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server = nullptr;

using namespace OPC_UA_Scan;

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FOPC_UA_Scan_Server");
    Set_Dialog_Look(this);
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    SetShowHint(false);
    OnShow = [this](TObject* s) { FormShow(s); };
    // A showing that ends before its browse started browses nothing: the browse belongs
    // to the showing.
    OnClose = [this](TObject*, TCloseAction&) { Timer_Scan->SetEnabled(false); };
    SetClientWidth(1035);
    SetClientHeight(337);

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(400);
    LWaiting = new TLabel(this);
    LWaiting->SetName("LWaiting");
    LWaiting->SetParent(P_Title);
    LWaiting->SetAutoSize(false);
    LWaiting->SetAlignment(taCenter);
    LWaiting->SetBounds(0, 26, ClientWidth(), 20);
    LWaiting->SetAnchors(TAnchors{akLeft, akTop, akRight});
    LWaiting->Font()->SetStyle(TFontStyles{fsBold});
    LWaiting->Font()->SetColor(clRed);
    LWaiting->SetVisible(false);

    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_SelectAllRead = Make_Push_Button(this, "Btn_SelectAllRead");
    Btn_ClearAllRead = Make_Push_Button(this, "Btn_ClearAllRead");
    Btn_SelectAllWrite = Make_Push_Button(this, "Btn_SelectAllWrite");
    Btn_ClearAllWrite = Make_Push_Button(this, "Btn_ClearAllWrite");
    Place_Panel_Buttons(P_Button, {Btn_SelectAllRead, Btn_ClearAllRead, Btn_SelectAllWrite, Btn_ClearAllWrite, Btn_OK,
                                   Btn_Cancel});
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_SelectAllRead->OnClick = [this](TObject*) { Set_All(Col_Read, "Y"); };
    Btn_ClearAllRead->OnClick = [this](TObject*) { Set_All(Col_Read, "N"); };
    Btn_SelectAllWrite->OnClick = [this](TObject*) { Set_All(Col_Write, "Y"); };
    Btn_ClearAllWrite->OnClick = [this](TObject*) { Set_All(Col_Write, "N"); };

    auto* g = new TExtColumnGrid(this);
    ACG_OPC_UA_Scan_Var = g;
    g->SetName("ACG_OPC_UA_Scan_Var");
    g->SetParent(this);
    g->SetAlign(alClient);
    g->SetColCount(Col_Count);
    g->SetRowCount(2);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetShowHint(false);
    // Whole rows are selected; only the two marks can be changed.
    g->SetOptions((g->Options() << goRowSelect) >> goEditing);
    const int Widths[Col_Count] = {40, 50, 50, 220, 90, 250, 90, 120, 90};
    for (int c = 0; c < Col_Count; ++c) {
        TGridColumnItem* item = g->Columns()->Items(c);
        item->SetWidth(Widths[c]);
        item->SetReadOnly(c != Col_Read && c != Col_Write);
        if (c == Col_Read || c == Col_Write) {
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue("Y");
            item->SetCheckFalse("N");
        }
    }
    g->Loaded();

    Timer_Scan = new TTimer(this);
    Timer_Scan->SetEnabled(false);
    Timer_Scan->SetInterval(100);
    Timer_Scan->OnTimer = [this](TObject* s) { Timer_ScanTimer(s); };

    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

void TFOPC_UA_Scan_Server::Set_Lang()
{
    SetCaption(Lang_Text(Text_Base));
    L_SW_Desc->SetCaption(Lang_Text(Text_Base + 1));
    const std::tuple<TLbButton*, int, int> Buttons[] = {
        {Btn_OK, 5702, 5706}, {Btn_Cancel, 5703, 5707}, {Btn_SelectAllRead, 5704, 5708},
        {Btn_ClearAllRead, 5705, 5709}, {Btn_SelectAllWrite, 5726, 5728}, {Btn_ClearAllWrite, 5727, 5729}};
    for (const auto& [b, Caption, Hint] : Buttons) {
        b->SetCaption(Lang_Text(Caption));
        b->SetHint(Lang_Text(Hint));
    }
    LWaiting->SetCaption(Lang_Text(5723));
    const int Headers[Col_Count - 1] = {5710, 5711, 5724, 5712, 5713, 5714, 5715, 5716};
    for (int c = 0; c < Col_Count - 1; ++c) ACG_OPC_UA_Scan_Var->Columns()->Items(c)->SetHeader(Lang_Text(Headers[c]));
    ACG_OPC_UA_Scan_Var->Columns()->Items(Col_Access)->SetHeader("Read/Write");
}

String TFOPC_UA_Scan_Server::Record_Text(TOPCUA_Text Text)
{
    const char* s = OPCUA_Text_Of(Text);
    return s ? Cp1252ToUtf8(s) : String();
}

// ---------------------------------------------------------------------------------
// A showing and its browse
// ---------------------------------------------------------------------------------
void TFOPC_UA_Scan_Server::FormShow(TObject*)
{
    Erase_Table();
    const char* Address = OPCUA_Text_Of(Server.server_address);
    if (Address && *Address) {
        List_Var.clear();
        LWaiting->SetVisible(true);
        Timer_Scan->SetEnabled(true);
    } else {
        Show_Variables_List();
    }
}

void TFOPC_UA_Scan_Server::Timer_ScanTimer(TObject*)
{
    Timer_Scan->SetEnabled(false);
    TDynLibrary Lib;
    if (!Lib.Load(Library, Exe_Path)) {
        MessageDlg(Lang_Text(5730), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    const auto Begin = reinterpret_cast<TClient_Begin>(Lib.Function(Begin_Function));
    const auto Return_Variable = reinterpret_cast<TReturn_Variable>(Lib.Function(Variable_Function));
    if (!Begin || !Return_Variable) {
        MessageDlg(Lang_Text(5731), mtError, TMsgDlgButtons{mbOK}, 0);
        Lib.Unload();
        return;
    }
    const auto Cancel = reinterpret_cast<TCancel>(Lib.Function(Cancel_Function));
    int32_t Found_Count = 0;
    bool Cancelled = false;
    if (Cancel) {
        std::atomic<bool> Done {false};
        std::thread Worker([&] {
            Found_Count = Begin(Server);
            Done = true;
        });
        while (!Done) {
            Application->ProcessMessages();
            // The user closed the dialog: the browse is no longer wanted. Asked again at
            // every turn, so a request that comes before the browse has begun is not lost.
            if (ModalResult() != mrNone) {
                Cancel();
                Cancelled = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        Worker.join();
        if (Cancelled) Found_Count = 0;
    } else {
        Found_Count = Begin(Server);
    }
    const int32_t Count = std::min(Found_Count, int32_t(Max_Variables));
    const auto Last_Error = reinterpret_cast<TLast_Error>(Lib.Function(Last_Error_Function));
    if (Count <= 0 && Last_Error && !Cancelled) {
        const char* Why = Last_Error();
        if (Why && *Why) {
            LWaiting->SetVisible(false);
            MessageDlg(Cp1252ToUtf8(Why), mtError, TMsgDlgButtons{mbOK}, 0);
        }
    }
    std::vector<opcua_structure> Found;
    std::vector<std::array<std::string, 3>> Texts;
    if (Count > 0) {
        Found.resize(size_t(Count));
        Texts.resize(size_t(Count));
        for (int32_t i = 0; i < Count; ++i) {
            opcua_structure Node {};
            Return_Variable(&Node, i);
            Found[size_t(i)] = Node;
            // The library's texts die with it: keep copies (no text reads as empty).
            const TOPCUA_Text Refs[3] = {Node.displayName, Node.stringname, Node.byteString};
            for (int k = 0; k < 3; ++k) {
                const char* s = OPCUA_Text_Of(Refs[k]);
                Texts[size_t(i)][size_t(k)] = s ? s : "";
            }
        }
    }
    // The library's handles, and the caller's handles of Server, are spent: they name no
    // text from now on. The records name the copies instead.
    OPCUA_Clear_Texts();
    FTexts.clear();
    for (size_t i = 0; i < Found.size(); ++i) {
        TOPCUA_Text* Refs[3] = {&Found[i].displayName, &Found[i].stringname, &Found[i].byteString};
        for (int k = 0; k < 3; ++k) {
            FTexts.push_back(std::move(Texts[i][size_t(k)]));
            *Refs[k] = OPCUA_Register_Text(FTexts.back().c_str());
        }
    }
    List_Var = std::move(Found);
    LWaiting->SetVisible(false);
    Show_Variables_List();
    Lib.Unload();
}

void TFOPC_UA_Scan_Server::Erase_Table()
{
    TExtColumnGrid* g = ACG_OPC_UA_Scan_Var;
    g->SetRowCount(2);
    for (int c = 0; c < Col_Count; ++c) g->SetCellEx(c, 1, "");
}

void TFOPC_UA_Scan_Server::Show_Variables_List()
{
    if (List_Var.empty()) {
        Erase_Table();
        return;
    }
    TExtColumnGrid* g = ACG_OPC_UA_Scan_Var;
    g->BeginUpdate();
    g->SetRowCount(int(List_Var.size()) + 1);
    for (size_t i = 0; i < List_Var.size(); ++i) {
        const opcua_structure& v = List_Var[i];
        const int r = int(i) + 1;
        const bool Both = v.accessLevel == 0;
        g->SetCellEx(Col_N, r, IntToStr(r));
        g->SetCellEx(Col_Read, r, Both || (v.accessLevel & 1) ? "Y" : "");
        g->SetCellEx(Col_Write, r, Both || (v.accessLevel & 2) ? "Y" : "");
        g->SetCellEx(Col_Display_Name, r, Record_Text(v.displayName));
        g->SetCellEx(Col_Node_Type, r, OPCUA_IdType_Name(v.identifierType));
        g->SetCellEx(Col_Node_Id, r, Cp1252ToUtf8(OPCUA_NodeId_Text(v)));
        g->SetCellEx(Col_Data_Type, r, OPCUA_DataType_Name(v.dataType));
        g->SetCellEx(Col_Name_Space, r, IntToStr(v.nameSpaceIndex));
        g->SetCellEx(Col_Access, r, v.accessLevel == 1 ? "Read" : v.accessLevel == 2 ? "Write" : "Read/Write");
    }
    g->EndUpdate();
}

void TFOPC_UA_Scan_Server::Set_All(int Column, const String& State)
{
    if (List_Var.empty()) return;
    TExtColumnGrid* g = ACG_OPC_UA_Scan_Var;
    for (int r = 1; r < g->RowCount(); ++r) g->SetCellEx(Column, r, State);
}

void Plug_OPC_UA_Scan_Server_Window()
{
    Plug_Window("TFOPC_UA_Scan_Server", FOPC_UA_Scan_Server);
}
