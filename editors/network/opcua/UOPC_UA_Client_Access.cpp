// The OPC UA client editor.
#include "editors/network/opcua/UOPC_UA_Client_Access.h"

#include <algorithm>

#include "editors/network/opcua/UOPC_UA_Add_Server.h"
#include "editors/network/opcua/UOPC_UA_Scan_Server.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFOPC_UA_Client_Access* FOPC_UA_Client_Access = nullptr;

using namespace OPC_UA;

namespace {

constexpr int Side = 8;

TTableDesc Var_Table(bool Write)
{
    TTableDesc t;
    t.Grid_Name = Write ? "ACG_OPC_UA_Var_W" : "ACG_OPC_UA_Var_R";
    t.Rows = Var_Rows;
    t.Key_Col = Var_Display_Name;
    // A display name of blanks is a name.
    t.Key_Raw = true;
    t.Show_Hints = true;
    t.Delete_Question = 5493;
    const int H = Write ? 5464 : 5445;   // headers
    const int Hint = Write ? 5477 : 5455;
    t.Columns = {Number_Column(H),
                 Enable_Column(H + 1, Hint),
                 Text_Column("DisplayName", H + 2, Hint + 1),
                 List_Column("NodeType", H + 3, Hint + 2, fkList, {"Numeric", "String", "Guid", "ByteString"}),
                 Text_Column("NodeID", H + 4, Hint + 3),
                 List_Column("VarType", H + 5, Hint + 4, fkList, Data_Type_Names()),
                 Text_Column("NameSpaceIndex", H + 6, Hint + 5)};
    if (Write) {
        t.Columns.push_back(Check_Column("OnChange", 5471, 5484));
        t.Columns.push_back(Check_Column("OnCMD", 5472, 5483));
        t.Columns.push_back(Check_Column("OnTimer", 5473, 5485));
        t.Columns.push_back(Text_Column("Time", 5474, 5486));
        t.Columns.push_back(Text_Column("Position", 5475, 5487));
        t.Columns.push_back(Text_Column("Mnemonic", 5476, 5488));
    } else {
        t.Columns.push_back(Text_Column("Time", 5452, 5461));
        t.Columns.push_back(Text_Column("Position", 5453, 5462));
        t.Columns.push_back(Text_Column("Mnemonic", 5454, 5463));
    }
    const int Widths[W_Count] = {40, 50, 200, 90, 260, 90, 120, 70, 70, 70, 80, 80, 200};
    for (size_t c = 0; c < t.Columns.size(); ++c) t.Columns[c].Width = Widths[c];
    if (!Write) t.Columns.back().Width = 250;
    return t;
}

}  // namespace

TEditorDesc OPC_UA::Client_Access_Desc()
{
    TEditorDesc d;
    d.Class_Name = "TFOPC_UA_Client_Access";
    d.Name = "FOPC_UA_Client_Access";
    d.Client_Width = 1150;
    d.Client_Height = 660;
    d.Caption = Text_Base;
    d.Description = Text_Base + 1;
    const std::tuple<TEditorButton, int, int> Standard[] = {{ebOK, 5433, 5439},     {ebCancel, 5434, 5440},
                                                            {ebDelRow, 5435, 5441}, {ebInsRow, 5436, 5442},
                                                            {ebCopyRow, 5437, 5443}, {ebPasteRow, 5438, 5444}};
    for (const auto& [Kind, Caption, Hint] : Standard) {
        TButtonDesc b;
        b.Kind = Kind;
        b.Caption = Caption;
        b.Hint = Hint;
        b.Show_Hint = true;
        d.Buttons.push_back(b);
    }
    TButtonDesc Auto;
    Auto.Name = "Btn_AutoPosition";
    Auto.Fixed_Caption = "Auto Pos";
    Auto.OnClick = [](TFTableEditor& e) { static_cast<TFOPC_UA_Client_Access&>(e).Btn_AutoPositionClick(&e); };
    d.Buttons.push_back(Auto);
    d.Tables = {Var_Table(false), Var_Table(true)};
    return d;
}

// ---------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------
TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(TComponent* AOwner) : TFTableEditor(AOwner, Client_Access_Desc())
{
    ACG_OPC_UA_Var_R = Grid(Table_Read);
    ACG_OPC_UA_Var_W = Grid(Table_Write);
    PC_OPC_UA_Vars = Page_Control;
    PC_OPC_UA_Vars->SetName("PC_OPC_UA_Vars");
    TS_OPC_UA_Var_Read = Page(Table_Read);
    TS_OPC_UA_Var_Write = Page(Table_Write);
    TS_OPC_UA_Var_Read->SetName("TS_OPC_UA_Var_Read");
    TS_OPC_UA_Var_Write->SetName("TS_OPC_UA_Var_Write");
    Hint_Var_R_List = Hint_List(Table_Read);
    Hint_Var_W_List = Hint_List(Table_Write);
    Btn_AutoPosition = Button(int(Desc().Buttons.size()) - 1);
    Btn_AutoPosition->SetShowHint(false);

    // The servers above, the variables of the selected one below.
    P_OPC_UA_Server_List = new TPanel(this);
    P_OPC_UA_Server_List->SetName("P_OPC_UA_Server_List");
    P_OPC_UA_Server_List->SetParent(this);
    P_OPC_UA_Server_List->SetCaption("");
    P_OPC_UA_Server_List->SetBevelOuter(bvNone);
    P_OPC_UA_Server_List->SetTop(P_Title->Height());
    P_OPC_UA_Server_List->SetHeight(Server_Panel_Height);
    P_OPC_UA_Server_List->SetAlign(alTop);
    L_Server_List_Title = Make_Control<TLabel>(this, P_OPC_UA_Server_List, "L_Server_List_Title", Side, 4, 400, 16);
    L_Server_List_Title->Font()->SetStyle(TFontStyles{fsBold});
    P_Server_Buttons = new TPanel(this);
    P_Server_Buttons->SetName("P_Server_Buttons");
    P_Server_Buttons->SetParent(P_OPC_UA_Server_List);
    P_Server_Buttons->SetCaption("");
    P_Server_Buttons->SetBevelOuter(bvNone);
    P_Server_Buttons->SetHeight(Button_Panel_Height);
    P_Server_Buttons->SetAlign(alBottom);
    Btn_Add_Server = Make_Push_Button(this, "Btn_Add_Server");
    Btn_Modify_Server = Make_Push_Button(this, "Btn_Modify_Server");
    Btn_Delete_Server = Make_Push_Button(this, "Btn_Delete_Server");
    Btn_Scan_Server = Make_Push_Button(this, "Btn_Scan_Server");
    Place_Panel_Buttons(P_Server_Buttons, {Btn_Add_Server, Btn_Modify_Server, Btn_Delete_Server, Btn_Scan_Server});
    Btn_Add_Server->OnClick = [this](TObject*) {
        Leave_Var_Table();
        Add_Server();
    };
    Btn_Modify_Server->OnClick = [this](TObject*) {
        Leave_Var_Table();
        Modify_Server();
    };
    Btn_Delete_Server->OnClick = [this](TObject*) {
        Leave_Var_Table();
        Delete_Server();
    };
    Btn_Scan_Server->OnClick = [this](TObject*) {
        Leave_Var_Table();
        Scan_Server();
    };

    auto* g = new TExtColumnGrid(this);
    ACG_OPC_UA_Server = g;
    g->SetName("ACG_OPC_UA_Server");
    g->SetParent(P_OPC_UA_Server_List);
    g->SetBounds(Side, 24, ClientWidth() - 2 * Side, Server_Panel_Height - 24 - Button_Panel_Height);
    g->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    g->SetColCount(Srv_Count);
    g->SetRowCount(2);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetShowHint(true);
    // A list to look at: whole rows, nothing edited in place.
    g->SetOptions((g->Options() << goRowSelect) >> goEditing);
    const int Widths[Srv_Count] = {30, 50, 220, 150, 90, 90, 110, 110, 110, 150, 120};
    for (int c = 0; c < Srv_Count; ++c) {
        TGridColumnItem* item = g->Columns()->Items(c);
        item->SetWidth(Widths[c]);
        item->SetReadOnly(true);
    }
    g->Columns()->Items(Srv_Enable)->SetEditor(edDataCheckBox);
    g->Loaded();
    FHint_Server_List = std::make_unique<TStringList>();
    Hint_Server_List = FHint_Server_List.get();
    g->OnGridHint = [this](TObject* s, int r, int c, String& h) {
        h.clear();
        if (r == 0 && c >= 1 && c - 1 < Hint_Server_List->Count()) h = Hint_Server_List->Strings(c - 1);
    };
    g->OnClickCell = [this](TObject* s, int r, int c) { ACG_OPC_UA_ServerClickCell(s, r, c); };
    // The grid reports a double click where no cell is (below the last row) as one on the
    // header: where the button went down tells them apart.
    g->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int X, int Y) { FServer_Down = TPoint(X, Y); };
    g->OnDblClickCell = [this](TObject* s, int r, int c) {
        int Col = -1, Row = -1;
        ACG_OPC_UA_Server->MouseToCell(FServer_Down.X, FServer_Down.Y, Col, Row);
        if (Row < 0) r = c = -1;
        ACG_OPC_UA_ServerDblClickCell(s, r, c);
    };
    // The keyboard moves the selection too: the tables follow the row selected (no table
    // has the focus then, so nothing of one server is stored into another).
    g->OnSelectCell = [this](TObject*, int, int ARow, bool&) {
        Leave_Var_Table();
        if (ARow != ACG_OPC_UA_Server->Row())
            Show_Vars_Of(ARow >= 1 && size_t(ARow) <= OPC_UA_Server_List.size() ? ARow - 1 : -1);
    };

    P_Variables = new TPanel(this);
    P_Variables->SetName("P_Variables");
    P_Variables->SetParent(this);
    P_Variables->SetCaption("");
    P_Variables->SetBevelOuter(bvNone);
    P_Variables->SetAlign(alClient);
    L_Variables_List_Title = Make_Control<TLabel>(this, P_Variables, "L_Variables_List_Title", Side, 4, 400, 16);
    L_Variables_List_Title->Font()->SetStyle(TFontStyles{fsBold});
    PC_OPC_UA_Vars->SetParent(P_Variables);
    PC_OPC_UA_Vars->SetAlign(alNone);
    PC_OPC_UA_Vars->SetBounds(Side, 24, ClientWidth() - 2 * Side,
                              ClientHeight() - P_Title->Height() - Server_Panel_Height - P_Button->Height() - 28);
    PC_OPC_UA_Vars->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});

    for (TExtColumnGrid* v : {ACG_OPC_UA_Var_R, ACG_OPC_UA_Var_W}) {
        v->OnEnter = [this](TObject* s) { ACG_OPC_UA_Var_Enter(s); };
        v->OnExit = [this](TObject* s) { ACG_OPC_UA_Var_Exit(s); };
    }
    // Another page shown: the table left behind is left.
    PC_OPC_UA_Vars->OnChanging = [this](TObject*, bool&) { Leave_Var_Table(); };
    // Each row operation goes on into the selected server.
    Btn_DelRow->OnClick = [this](TObject* s) {
        Leave_Var_Table();
        Btn_DelRowClick(s);
        Store_Active_Table();
    };
    Btn_InsRow->OnClick = [this](TObject* s) {
        Leave_Var_Table();
        Btn_InsRowClick(s);
        Store_Active_Table();
    };
    Btn_CopyRow->OnClick = [this](TObject* s) {
        Leave_Var_Table();
        Btn_CopyRowClick(s);
    };
    Btn_PasteRow->OnClick = [this](TObject* s) {
        Leave_Var_Table();
        Btn_PasteRowClick(s);
        Store_Active_Table();
    };
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Set_Lang();
}

void TFOPC_UA_Client_Access::Set_Lang()
{
    TFTableEditor::Set_Lang();
    if (!ACG_OPC_UA_Server) return;   // the frame's own call, before the window's parts exist
    L_Server_List_Title->SetCaption(Lang_Text(5402));
    L_Variables_List_Title->SetCaption(Lang_Text(5432));
    const std::tuple<TLbButton*, int, int> Buttons[] = {{Btn_Add_Server, 5403, 5407},
                                                        {Btn_Modify_Server, 5404, 5408},
                                                        {Btn_Delete_Server, 5405, 5409},
                                                        {Btn_Scan_Server, 5406, 5410}};
    for (const auto& [b, Caption, Hint] : Buttons) {
        b->SetCaption(Lang_Text(Caption));
        b->SetHint(Lang_Text(Hint));
    }
    TS_OPC_UA_Var_Read->SetCaption("Variables in Read");
    TS_OPC_UA_Var_Write->SetCaption("Variables in Write");
    Hint_Server_List->Clear();
    for (int c = 0; c < Srv_Count; ++c) {
        ACG_OPC_UA_Server->Columns()->Items(c)->SetHeader(Lang_Text(5411 + c));
        if (c >= 1) Hint_Server_List->Add(Lang_Text(5421 + c));
    }
}

// ---------------------------------------------------------------------------------
// Servers and variables shown
// ---------------------------------------------------------------------------------
int TFOPC_UA_Client_Access::Selected_Server() const
{
    const int r = ACG_OPC_UA_Server->Row();
    return r >= 1 && size_t(r) <= OPC_UA_Server_List.size() ? r - 1 : -1;
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Server_List()
{
    TExtColumnGrid* g = ACG_OPC_UA_Server;
    g->BeginUpdate();
    g->SetRowCount(int(std::max<size_t>(1, OPC_UA_Server_List.size())) + 1);
    for (int c = 0; c < Srv_Count; ++c) g->SetCellEx(c, 1, "");
    for (size_t i = 0; i < OPC_UA_Server_List.size(); ++i) {
        const TOPC_UA_Server& s = *OPC_UA_Server_List[i];
        const int r = int(i) + 1;
        const String Cells[Srv_Count] = {IntToStr(r),         s.Enable() ? "Y" : "N", s.ServerAddress(),
                                         s.Authorization(),   s.UserName(),           s.Password(),
                                         s.Certificate(),     s.PrivateKey(),         s.SecurityType(),
                                         s.SecurityPolicy(),  s.Mnemonic()};
        for (int c = 0; c < Srv_Count; ++c) g->SetCellEx(c, r, Cells[c]);
    }
    g->EndUpdate();
}

void TFOPC_UA_Client_Access::Erase_Var_Table(TExtColumnGrid* g)
{
    for (int r = 1; r < g->RowCount(); ++r) {
        g->SetCellEx(Var_N, r, IntToStr(r));
        g->SetCellEx(Var_Enable, r, "Y");
        for (int c = Var_Enable + 1; c < g->Columns()->Count(); ++c) g->SetCellEx(c, r, "");
    }
}

void TFOPC_UA_Client_Access::Erase_OPC_UA_Var_R_List() { Erase_Var_Table(ACG_OPC_UA_Var_R); }
void TFOPC_UA_Client_Access::Erase_OPC_UA_Var_W_List() { Erase_Var_Table(ACG_OPC_UA_Var_W); }

void TFOPC_UA_Client_Access::Show_OPC_UA_Var_List() { Show_Vars_Of(Selected_Server()); }

void TFOPC_UA_Client_Access::Show_Vars_Of(int s)
{
    const TOPC_UA_Server* Server = s >= 0 ? OPC_UA_Server_List[size_t(s)].get() : nullptr;
    for (int t : {Table_Read, Table_Write}) {
        TExtColumnGrid* g = Grid(t);
        const TOPC_UA_Var_List* List = Server ? &(t == Table_Read ? Server->Var_List_R : Server->Var_List_W) : nullptr;
        g->BeginUpdate();
        // A browse may bring more variables than the tables' usual rows: the table grows
        // so that storing it keeps every one.
        Set_Data_Rows(t, std::max(Var_Rows, List ? int(List->size()) : 0));
        Erase_Var_Table(g);
        for (size_t k = 0; List && k < List->size(); ++k) {
            const TOPC_UA_Variable& v = *(*List)[k];
            const int r = int(k) + 1;
            g->SetCellEx(Var_Enable, r, v.Enable() ? "Y" : "N");
            g->SetCellEx(Var_Display_Name, r, v.DispalyName());
            g->SetCellEx(Var_Node_Type, r, v.NodeType());
            g->SetCellEx(Var_Node_ID, r, v.NodeID());
            g->SetCellEx(Var_Var_Type, r, v.VarType());
            g->SetCellEx(Var_Name_Space, r, IntToStr(v.nameSpaceIndex));
            if (t == Table_Read) {
                g->SetCellEx(R_Time, r, v.Time());
                g->SetCellEx(R_Position, r, v.Position());
                g->SetCellEx(R_Mnemonic, r, v.Mnemonic());
            } else {
                g->SetCellEx(W_On_Change, r, v.OnChange());
                g->SetCellEx(W_On_CMD, r, v.OnCMD());
                g->SetCellEx(W_On_Timer, r, v.OnTimer());
                g->SetCellEx(W_Time, r, v.Time());
                g->SetCellEx(W_Position, r, v.Position());
                g->SetCellEx(W_Mnemonic, r, v.Mnemonic());
            }
        }
        g->EndUpdate();
    }
}

// ---------------------------------------------------------------------------------
// Storing a table into its server
// ---------------------------------------------------------------------------------
void TFOPC_UA_Client_Access::Save_Variables(int Table, int Index)
{
    if (Index < 0 || size_t(Index) >= OPC_UA_Server_List.size()) return;
    TOPC_UA_Server& Server = *OPC_UA_Server_List[size_t(Index)];
    TOPC_UA_Var_List& List = Table == Table_Read ? Server.Var_List_R : Server.Var_List_W;
    TExtColumnGrid* g = Grid(Table);
    List.clear();
    for (int r = 1; r < g->RowCount() && !g->GetCellEx(Var_Display_Name, r).empty(); ++r) {
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->SetEnable(g->GetCellEx(Var_Enable, r) == "Y");
        v->SetDispalyName(g->GetCellEx(Var_Display_Name, r));
        v->SetNodeType(g->GetCellEx(Var_Node_Type, r));
        v->SetNodeID(g->GetCellEx(Var_Node_ID, r));
        v->SetVarType(g->GetCellEx(Var_Var_Type, r));
        v->nameSpaceIndex = uint16_t(StrToIntDef(g->GetCellEx(Var_Name_Space, r), 0));
        if (Table == Table_Read) {
            v->SetOnChange("N");
            v->SetOnCMD("N");
            v->SetOnTimer("N");
            v->SetTime(g->GetCellEx(R_Time, r));
            v->SetPosition(g->GetCellEx(R_Position, r));
            v->SetMnemonic(g->GetCellEx(R_Mnemonic, r));
        } else {
            v->SetOnChange(g->GetCellEx(W_On_Change, r));
            v->SetOnCMD(g->GetCellEx(W_On_CMD, r));
            v->SetOnTimer(g->GetCellEx(W_On_Timer, r));
            v->SetTime(g->GetCellEx(W_Time, r));
            v->SetPosition(g->GetCellEx(W_Position, r));
            v->SetMnemonic(g->GetCellEx(W_Mnemonic, r));
        }
        List.push_back(std::move(v));
    }
}

void TFOPC_UA_Client_Access::Save_Variable_in_Read() { Save_Variables(Table_Read, Ind_Server); }
void TFOPC_UA_Client_Access::Save_Variable_in_Write() { Save_Variables(Table_Write, Ind_Server); }

void TFOPC_UA_Client_Access::Store_Active_Table() { Save_Variables(Active_Table(), Selected_Server()); }

// The focus goes from a table's cell editor back to the table (or from the other table):
// the table that had it is left first.
void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Enter(TObject* Sender)
{
    const int Table = Sender == ACG_OPC_UA_Var_W ? Table_Write : Table_Read;
    if (Ind_Server >= 0 && Table != FInd_Table) Leave_Var_Table();
    Ind_Server = Selected_Server();
    FInd_Table = Table;
}

// Into the table's own cell editor the table is not left. Out of the cell editor the
// table hears nothing: whatever the user does next (a button, the server table, another
// page) leaves it first.
void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Exit(TObject* Sender)
{
    for (TControl* c = FindFocusedControl(); c; c = c->Parent())
        if (c == Sender) return;
    Leave_Var_Table();
}

void TFOPC_UA_Client_Access::Leave_Var_Table()
{
    if (Ind_Server >= 0) Save_Variables(FInd_Table, Ind_Server);
    Ind_Server = -1;
}

// ---------------------------------------------------------------------------------
// A showing
// ---------------------------------------------------------------------------------
void TFOPC_UA_Client_Access::Prepare()
{
    ACG_OPC_UA_Server->SetRowCount(2);
    for (int c = 0; c < Srv_Count; ++c) ACG_OPC_UA_Server->SetCellEx(c, 1, "");
    ACG_OPC_UA_Server->SetRow(1);
    OPC_UA_Server_List.clear();
    Ind_Server = -1;
    PC_OPC_UA_Vars->SetActivePage(TS_OPC_UA_Var_Read);
    if (FileExists(FileName_OPC_UA_Client)) {
        try {
            XML1.LoadFromFile(FileName_OPC_UA_Client);
            Read_OPC_UA_Client(XML1, OPC_UA_Server_List);
        } catch (const std::exception& e) {
            // The servers read before the error are shown: they are what OK would write.
            Application->ShowException(e);
        }
    }
    Show_OPC_UA_Server_List();
    ACG_OPC_UA_Server->SetRow(1);
    Show_OPC_UA_Var_List();
}

// ---------------------------------------------------------------------------------
// The server table and its buttons
// ---------------------------------------------------------------------------------
void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerClickCell(TObject*, int ARow, int)
{
    Leave_Var_Table();
    if (ARow >= 1) Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerDblClickCell(TObject*, int ARow, int)
{
    if (ARow < 0)
        Add_Server();
    else
        Modify_Server();
}

namespace {

// The dialog's ten values into a server.
void From_Dialog(TOPC_UA_Server& s, TFOPC_UA_Add_Server* D)
{
    s.SetEnable(D->CB_OPC_UA_Server_Enable->Checked());
    s.SetServerAddress(D->E_Server_Add->Text());
    s.SetAuthorization(OPCUA_Auth_Name(D->CB_Auth->ItemIndex()));
    s.SetUserName(D->E_User->Text());
    s.SetPassword(D->E_Pass->Text());
    s.SetCertificate(D->RE_Certificate->Text());
    s.SetPrivateKey(D->RE_Priv_Key->Text());
    s.SetSecurityType(OPCUA_Security_Mode_Name(D->CB_Sec_Type->ItemIndex()));
    s.SetSecurityPolicy(OPCUA_Security_Policy_Name(D->CB_Sec_Policy->ItemIndex()));
    s.SetMnemonic(D->E_Mnemonic->Text());
}

}  // namespace

void TFOPC_UA_Client_Access::Add_Server()
{
    TFOPC_UA_Add_Server* D = FOPC_UA_Add_Server;
    if (!D) return;
    D->FormType = 1;
    if (D->ShowModal() == mrOk) {
        auto s = std::make_unique<TOPC_UA_Server>();
        From_Dialog(*s, D);
        OPC_UA_Server_List.push_back(std::move(s));
    }
    Show_OPC_UA_Server_List();
    // The first server added to an empty list is the selected one now.
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Modify_Server()
{
    TFOPC_UA_Add_Server* D = FOPC_UA_Add_Server;
    const int i = Selected_Server();
    if (!D || i < 0) return;
    TOPC_UA_Server& s = *OPC_UA_Server_List[size_t(i)];
    D->FormType = 2;
    D->CB_OPC_UA_Server_Enable->SetChecked(s.Enable());
    D->E_Server_Add->SetText(s.ServerAddress());
    D->E_User->SetText(s.UserName());
    D->E_Pass->SetText(s.Password());
    D->RE_Certificate->SetText(s.Certificate());
    D->RE_Priv_Key->SetText(s.PrivateKey());
    D->E_Mnemonic->SetText(s.Mnemonic());
    D->CB_Auth->SetItemIndex(OPCUA_Auth_Code(s.Authorization()));
    D->CB_Sec_Type->SetItemIndex(OPCUA_Security_Mode_Code(s.SecurityType()));
    D->CB_Sec_Policy->SetItemIndex(OPCUA_Security_Policy_Code(s.SecurityPolicy()));
    if (D->ShowModal() == mrOk) From_Dialog(s, D);
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Delete_Server()
{
    const int i = Selected_Server();
    if (i < 0) return;
    if (MessageDlg(Lang_Text(5489), mtConfirmation, mbYesNoCancel, 0) != mrYes) return;
    OPC_UA_Server_List.erase(OPC_UA_Server_List.begin() + i);
    Show_OPC_UA_Server_List();
    // The row now selected holds another server (or none): the tables show it.
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Scan_Server()
{
    const int i = Selected_Server();
    if (i < 0) {
        MessageDlg(Lang_Text(5490), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    TFOPC_UA_Scan_Server* D = FOPC_UA_Scan_Server;
    if (!D) return;
    TOPC_UA_Server& s = *OPC_UA_Server_List[size_t(i)];
    FScan_Texts = {Utf8ToCp1252(s.ServerAddress()), Utf8ToCp1252(s.UserName()), Utf8ToCp1252(s.Password()),
                   Utf8ToCp1252(s.Certificate()), Utf8ToCp1252(s.PrivateKey())};
    D->Server = {};
    D->Server.server_address = OPCUA_Register_Text(FScan_Texts[0].c_str());
    D->Server.user_pass_auth_flag = OPCUA_Auth_Code(s.Authorization());
    D->Server.username = OPCUA_Register_Text(FScan_Texts[1].c_str());
    D->Server.password = OPCUA_Register_Text(FScan_Texts[2].c_str());
    D->Server.cert = OPCUA_Register_Text(FScan_Texts[3].c_str());
    D->Server.priv_key = OPCUA_Register_Text(FScan_Texts[4].c_str());
    D->Server.security_type = OPCUA_Security_Mode_Code(s.SecurityType());
    D->Server.security_policy = OPCUA_Security_Policy_Code(s.SecurityPolicy());
    const TModalResult Result = D->ShowModal();
    // The dialog is closed: nothing holds these handles any more.
    D->Server = {};
    if (Result != mrOk) return;
    if (!D->List_Var.empty()) {
        const std::tuple<TOPC_UA_Var_List*, int, void (TFOPC_UA_Client_Access::*)()> Lists[] = {
            {&s.Var_List_R, 5491, &TFOPC_UA_Client_Access::Add_Variables_In_Read},
            {&s.Var_List_W, 5492, &TFOPC_UA_Client_Access::Add_Variables_In_Write}};
        for (const auto& [List, Question, Add] : Lists) {
            if (!List->empty()) {
                const TModalResult Answer = MessageDlg(Lang_Text(Question), mtConfirmation, mbYesNoCancel, 0);
                if (Answer == mrCancel || Answer == mrNone) continue;
                if (Answer == mrNo) List->clear();
            }
            (this->*Add)();
        }
    }
    Show_OPC_UA_Var_List();
}

namespace {

// The browse's rows marked in Col as new variables of List.
void Add_Marked(TOPC_UA_Var_List& List, TFOPC_UA_Scan_Server* D, int Col)
{
    TExtColumnGrid* g = D->ACG_OPC_UA_Scan_Var;
    for (int r = 1; r < g->RowCount() && size_t(r) <= D->List_Var.size(); ++r) {
        if (g->GetCellEx(Col, r) != "Y") continue;
        const opcua_structure& n = D->List_Var[size_t(r - 1)];
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->SetEnable(true);
        v->nameSpaceIndex = n.nameSpaceIndex;
        v->identifierType = n.identifierType;
        v->numeric = n.numeric;
        v->guide1 = n.guide1;
        v->guide2 = n.guide2;
        v->guide3 = n.guide3;
        std::copy(std::begin(n.guide4), std::end(n.guide4), v->guide4.begin());
        v->dataType = n.dataType;
        v->SetDispalyName(TFOPC_UA_Scan_Server::Record_Text(n.displayName));
        v->stringname = TFOPC_UA_Scan_Server::Record_Text(n.stringname);
        v->byteString = TFOPC_UA_Scan_Server::Record_Text(n.byteString);
        List.push_back(std::move(v));
    }
}

}  // namespace

void TFOPC_UA_Client_Access::Add_Variables_In_Read()
{
    const int i = Selected_Server();
    if (i >= 0 && FOPC_UA_Scan_Server)
        Add_Marked(OPC_UA_Server_List[size_t(i)]->Var_List_R, FOPC_UA_Scan_Server, OPC_UA_Scan::Col_Read);
}

void TFOPC_UA_Client_Access::Add_Variables_In_Write()
{
    const int i = Selected_Server();
    if (i >= 0 && FOPC_UA_Scan_Server)
        Add_Marked(OPC_UA_Server_List[size_t(i)]->Var_List_W, FOPC_UA_Scan_Server, OPC_UA_Scan::Col_Write);
}

// ---------------------------------------------------------------------------------
// Auto Pos and OK
// ---------------------------------------------------------------------------------
void TFOPC_UA_Client_Access::Btn_AutoPositionClick(TObject*)
{
    Leave_Var_Table();
    const int i = Selected_Server();
    if (i < 0) return;
    if (MessageDlg(Lang_Text(5494), mtConfirmation, mbYesNo, 0) != mrYes) return;
    Auto_Position(OPC_UA_Server_List, size_t(i));
    Show_OPC_UA_Var_List();
}

bool TFOPC_UA_Client_Access::Controllo_Dati()
{
    const std::optional<String> Failure = Check_OPC_UA_Client(OPC_UA_Server_List);
    if (!Failure) return true;
    MessageDlg(*Failure, mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
}

void TFOPC_UA_Client_Access::Btn_OKClick(TObject*)
{
    Leave_Var_Table();
    if (!Controllo_Dati()) return;
    try {
        Write_OPC_UA_Client(XML1, OPC_UA_Server_List);
        XML1.SaveToFile(FileName_OPC_UA_Client);
    } catch (const std::exception& e) {
        // The file stays as it was and the window open with the model.
        Application->ShowException(e);
        return;
    }
    SetModalResult(mrOk);
}

void Plug_OPC_UA_Client_Access_Window()
{
    Plug_Window("TFOPC_UA_Client_Access", FOPC_UA_Client_Access);
}
