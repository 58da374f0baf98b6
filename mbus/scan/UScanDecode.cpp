// The "Scan & Decode" window.
#include "mbus/scan/UScanDecode.h"

#include <chrono>
#include <thread>

#include "mbus/scan/UScanDialogs.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "platform/os/Regional.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"
#include "treeview/LazyStringTree.h"

TFScanDecode* FScanDecode = nullptr;

namespace {

constexpr int Heading_X = 16;
constexpr int Label_X = 32;
constexpr int Input_X = 176;
constexpr int Row_Step = 24;
constexpr int Heading_Step = 32;
constexpr int Window_Width = 1000;
constexpr int Options_Width = 470;
constexpr int Details_Per_Record = 12;

constexpr TColor Line_Found = TColor(0xFF0000);     // blue
constexpr TColor Line_Missing = TColor(0x0000FF);   // red

const char* const Not_Found_Mark = "[NOT FOUND]";

void Error_Box(const String& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

String Hex2(unsigned v) { return IntToHex(v & 0xFF, 2); }

// The address keys of ParGen.xml the window reads, by device family.
const char* Address_Key(int32_t Code)
{
    switch (Code) {
    case 15: return "Modbus_TCP_Slave_IP";
    case 11: case 17: case 20: return "PROFINET_IP";
    case 6: return "BACnet_IP";
    case 10: case 16: case 19: return "Eth_IP";
    case 18: return "Ethernet_IP";
    default: return "IP_";
    }
}

bool Asks_Start_Registers(int32_t Code)
{
    return Code == 0 || Code == 1 || Code == 9 || Code == 13 || Code == 14;
}

// Small pictures drawn once: the trees' meter, record and detail, the table's locks.
void Add_Picture(TImageList* List, TColor Fill, TColor Frame, bool Round)
{
    TBitmap b;
    b.SetSize(16, 16);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 16, 16));
    c->Brush()->SetColor(Fill);
    c->Pen()->SetColor(Frame);
    if (Round) c->Ellipse(2, 2, 14, 14);
    else c->Rectangle(2, 3, 14, 13);
    List->AddMasked(&b, clWhite);
}

TLabel* Label_At(TForm* Owner, TWinControl* Parent, const String& Name)
{
    auto* l = Make_Control<TLabel>(Owner, Parent, Name, Label_X, 0, 140, 13);
    return l;
}

TComboBox* List_At(TForm* Owner, TWinControl* Parent, const String& Name, std::initializer_list<const char*> Items,
                   int Width = 145)
{
    auto* cb = Make_Control<TComboBox>(Owner, Parent, Name, Input_X, 0, Width, 21);
    cb->SetStyle(csDropDownList);
    for (const char* s : Items) cb->Items()->Add(s);
    if (cb->Items()->Count() > 0) cb->SetItemIndex(0);
    return cb;
}

}  // namespace

// ---------------------------------------------------------------------------------
// The progress lines
// ---------------------------------------------------------------------------------
TScanProgressList::TScanProgressList(TComponent* AOwner) : TCustomControl(AOwner) { SetColor(clWhite); }

void TScanProgressList::Add(const String& Line)
{
    FItems.push_back(Line);
    Invalidate();
}

void TScanProgressList::Clear()
{
    FItems.clear();
    FTopIndex = 0;
    Invalidate();
}

void TScanProgressList::SetTopIndex(int Index)
{
    FTopIndex = std::max(0, std::min(Index, Count() - 1));
    Invalidate();
}

void TScanProgressList::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(ClientRect());
    c->Font()->Assign(*Font());
    for (int i = FTopIndex, y = 0; i < Count() && y < ClientHeight(); ++i, y += ItemHeight())
        Draw_Item(i, TRect(0, y, ClientWidth(), y + ItemHeight()));
}

void TScanProgressList::Draw_Item(int Index, const TRect& R)
{
    TCanvas* c = Canvas();
    const String& line = FItems[size_t(Index)];
    c->Brush()->SetColor(clWhite);
    c->FillRect(R);
    const size_t mark = line.find(Not_Found_Mark);
    if (mark == String::npos) {
        c->Font()->SetColor(Line_Found);
        c->TextRect(R, R.Left + 2, R.Top + 1, line);
        return;
    }
    // The meter in a column of its own, the mark after it.
    c->Font()->SetColor(Line_Missing);
    c->TextRect(TRect(R.Left, R.Top, R.Left + 70, R.Bottom), R.Left + 2, R.Top + 1, Trim(line.substr(0, mark)));
    const size_t from = mark > 0 ? mark - 1 : 0;
    c->TextRect(TRect(R.Left + 70, R.Top, R.Right - 1, R.Bottom), R.Left + 70, R.Top + 1, Trim(line.substr(from)));
}

// ---------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------
TFScanDecode::TFScanDecode(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FScanDecode");
    Set_Dialog_Look(this);
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    SetClientWidth(Window_Width);
    SetClientHeight(523);

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);

    P_Main = new TPanel(this);
    P_Main->SetName("P_Main");
    P_Main->SetParent(this);
    P_Main->SetCaption("");
    P_Main->SetBevelOuter(bvNone);
    P_Main->SetWidth(Options_Width);

    TWinControl* m = P_Main;
    L_ScanMethod = Label_At(this, m, "L_ScanMethod");
    CB_ScanMethod = List_At(this, m, "CB_ScanMethod", {});
    L_ScanBy = Label_At(this, m, "L_ScanBy");
    CB_ScanBy = List_At(this, m, "CB_ScanBy", {});
    L_HardwareType = Label_At(this, m, "L_HardwareType");
    CB_HardwareType = List_At(this, m, "CB_HardwareType", {});
    L_IP = Label_At(this, m, "L_IP");
    E_IP1 = Make_Control<TEdit>(this, m, "E_IP1", 176, 0, 56, 21);
    E_IP2 = Make_Control<TEdit>(this, m, "E_IP2", 242, 0, 56, 21);
    E_IP3 = Make_Control<TEdit>(this, m, "E_IP3", 308, 0, 56, 21);
    E_IP4 = Make_Control<TEdit>(this, m, "E_IP4", 374, 0, 56, 21);
    const char* design[] = {"192", "168", "2", "205"};
    int k = 0;
    for (TEdit* e : {E_IP1, E_IP2, E_IP3, E_IP4}) {
        e->SetText(design[k++]);
        e->OnKeyPress = [this](TObject* s, WideChar& key) { KeyPress(s, key); };
    }
    L_IP_Dot1 = Make_Control<TLabel>(this, m, "L_IP_Dot1", 237, 0, 4, 13);
    L_IP_Dot2 = Make_Control<TLabel>(this, m, "L_IP_Dot2", 303, 0, 4, 13);
    L_IP_Dot3 = Make_Control<TLabel>(this, m, "L_IP_Dot3", 369, 0, 4, 13);
    for (TLabel* d : {L_IP_Dot1, L_IP_Dot2, L_IP_Dot3}) d->SetCaption(".");
    L_ComPort = Label_At(this, m, "L_ComPort");
    CB_ComPort = List_At(this, m, "CB_ComPort", {});
    Btn_COM_List = Make_Push_Button(this, "Btn_COM_List");
    Btn_COM_List->SetParent(m);
    Btn_COM_List->SetBounds(Input_X + 145 + 6, 0, 24, 21);
    Btn_COM_List->SetCaption("...");
    Btn_COM_List->SetHint("Update COM Ports List");
    Btn_COM_List->OnClick = [this](TObject* s) { Btn_COM_ListClick(s); };
    L_Port = Label_At(this, m, "L_Port");
    E_Port = Make_Control<TEdit>(this, m, "E_Port", Input_X, 0, 80, 21);
    E_Port->SetText("502");
    L_MBus_ParGen = Make_Control<TLabel>(this, m, "L_MBus_ParGen", Heading_X, 0, 300, 13);
    L_MBus_Baud = Label_At(this, m, "L_MBus_Baud");
    CB_MBus_Baud = List_At(this, m, "CB_MBus_Baud", {"300", "600", "1200", "2400", "4800", "9600", "19200", "38400"});
    CB_MBus_Baud->SetItemIndex(3);
    L_MBus_Parity = Label_At(this, m, "L_MBus_Parity");
    CB_MBus_Parity = List_At(this, m, "CB_MBus_Parity", {"NONE", "EVEN", "ODD"});
    CB_MBus_Parity->SetItemIndex(1);
    L_wMBus_Mode = Label_At(this, m, "L_wMBus_Mode");
    CB_wMBus_Mode = List_At(this, m, "CB_wMBus_Mode", {"S", "T", "N1", "N2", "C"});
    L_wMBus_Radio_Channel = Label_At(this, m, "L_wMBus_Radio_Channel");
    CB_wMBus_Radio_Channel = List_At(this, m, "CB_wMBus_Radio_Channel",
                                     {"1a @ 4800 bps", "1b @ 4800 bps", "2a @ 2400 bps", "2b @ 2400 bps",
                                      "3a @ 4800 bps", "3b @ 4800 bps", "0 @ 19200 bps", "2a @ 4800 bps",
                                      "2b @ 4800 bps"});
    L_Option_Scan = Make_Control<TLabel>(this, m, "L_Option_Scan", Heading_X, 0, 300, 13);
    CB_Opt_App_Reset = Make_Control<TCheckBox>(this, m, "CB_Opt_App_Reset", Label_X, 0, 300, 17);
    CB_Opt_SND_NKE = Make_Control<TCheckBox>(this, m, "CB_Opt_SND_NKE", Label_X, 0, 300, 17);
    L_Opt_Cut_After = Label_At(this, m, "L_Opt_Cut_After");
    E_Opt_Cut_After = Make_Control<TEdit>(this, m, "E_Opt_Cut_After", Input_X, 0, 56, 21);
    E_Opt_Cut_After->SetText("3");
    CB_Opt_Use_Fix_C_Field = Make_Control<TCheckBox>(this, m, "CB_Opt_Use_Fix_C_Field", Label_X, 0, 140, 17);
    CB_Opt_Use_Fix_C_Field_Value = List_At(this, m, "CB_Opt_Use_Fix_C_Field_Value", {"0x5X", "0x7X"}, 80);
    CB_Opt_Check_BCD_to_Int = Make_Control<TCheckBox>(this, m, "CB_Opt_Check_BCD_to_Int", Label_X, 0, 300, 17);
    CB_Opt_Enable_Remote_Scan = Make_Control<TCheckBox>(this, m, "CB_Opt_Enable_Remote_Scan", Label_X, 0, 300, 17);
    for (TComboBox* cb : {CB_HardwareType, CB_MBus_Baud, CB_MBus_Parity, CB_ScanBy, CB_ScanMethod})
        cb->OnChange = [this](TObject* s) { CB_HardwareTypeChange(s); };

    // Wired results.
    IL_Tree1 = new TImageList(this);
    IL_Tree1->SetName("IL_Tree1");
    Add_Picture(IL_Tree1, TColor(0x40A0F0), TColor(0x205080), false);   // meter
    Add_Picture(IL_Tree1, TColor(0x60C060), TColor(0x306030), true);    // record
    Add_Picture(IL_Tree1, TColor(0xC0C0C0), TColor(0x606060), true);    // detail
    P_TreeView = new TPanel(this);
    P_TreeView->SetName("P_TreeView");
    P_TreeView->SetParent(this);
    P_TreeView->SetCaption("");
    P_TreeView->SetBevelOuter(bvNone);
    L_ScanProgress = Make_Control<TLabel>(this, P_TreeView, "L_ScanProgress", 8, 8, 200, 13);
    L_Num_Slave = Make_Control<TLabel>(this, P_TreeView, "L_Num_Slave", 212, 8, 60, 13);
    L_AvailableDevice = Make_Control<TLabel>(this, P_TreeView, "L_AvailableDevice", 8, 28, 200, 13);
    LB_AvailableDevice = new TScanProgressList(this);
    LB_AvailableDevice->SetName("LB_AvailableDevice");
    LB_AvailableDevice->SetParent(P_TreeView);
    LB_AvailableDevice->SetBounds(8, 46, 300, 300);
    LB_AvailableDevice->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    // Wireless results.
    IL_Wireless_Table = new TImageList(this);
    IL_Wireless_Table->SetName("IL_Wireless_Table");
    Add_Picture(IL_Wireless_Table, TColor(0x2020D0), TColor(0x101060), false);   // encrypted
    Add_Picture(IL_Wireless_Table, TColor(0x20B020), TColor(0x105010), false);   // readable
    P_View_Wireless = new TPanel(this);
    P_View_Wireless->SetName("P_View_Wireless");
    P_View_Wireless->SetParent(this);
    P_View_Wireless->SetCaption("");
    P_View_Wireless->SetBevelOuter(bvNone);
    P_W_Title = new TPanel(this);
    P_W_Title->SetName("P_W_Title");
    P_W_Title->SetParent(P_View_Wireless);
    P_W_Title->SetCaption("");
    P_W_Title->SetBevelOuter(bvNone);
    P_W_Title->SetHeight(8);
    P_W_Title->SetAlign(alTop);
    P_W_Table = new TPanel(this);
    P_W_Table->SetName("P_W_Table");
    P_W_Table->SetParent(P_View_Wireless);
    P_W_Table->SetCaption("");
    P_W_Table->SetBevelOuter(bvNone);
    P_W_Table->SetAlign(alTop);
    P_W_Table->SetTop(8);
    Make_Wireless_Grid();
    P_W_Tree = new TPanel(this);
    P_W_Tree->SetName("P_W_Tree");
    P_W_Tree->SetParent(P_View_Wireless);
    P_W_Tree->SetCaption("");
    P_W_Tree->SetBevelOuter(bvNone);
    P_W_Tree->SetAlign(alClient);
    Make_Trees();

    struct { TLbButton*& Button; const char* Name; } buttons[] = {
        {Btn_StartScan, "Btn_StartScan"}, {Btn_StopScan, "Btn_StopScan"}, {Btn_AbortScan, "Btn_AbortScan"},
        {Btn_NewScan, "Btn_NewScan"},     {Btn_SaveConf, "Btn_SaveConf"}, {Btn_SaveConfManual, "Btn_SaveConfManual"},
    };
    for (auto& b : buttons) {
        b.Button = Make_Push_Button(this, b.Name);
        b.Button->SetParent(P_Button);
        b.Button->SetBounds(16, (Button_Panel_Height - Dialog_Button_Height) / 2, Dialog_Button_Width + 40,
                            Dialog_Button_Height);
        b.Button->OnClick = [this](TObject* s) { BtnClick(s); };
    }

    T_InScan = new TTimer(this);
    T_InScan->SetName("T_InScan");
    T_InScan->SetInterval(1000);
    T_InScan->SetEnabled(false);
    T_InScan->OnTimer = [this](TObject* s) { T_InScanTimer(s); };

    TR_ScanDecode = MBus_Scan_Engine();
    Form_Type = 0;
    Colomns_Width_Init();
    P_W_Table->SetHeight(200);
    Set_Lang();
    Form_Style(1);
}

void TFScanDecode::Make_Trees()
{
    VST = new TLazyStringTree(this);
    VST->SetName("VST");
    VST->SetParent(P_TreeView);
    VST->SetBounds(8, 28, 300, 300);
    VST->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    VST->SetImages(IL_Tree1);
    VST->OnInitNode = [this](TBaseLazyTree* t, PLazyNode, PLazyNode n, TLazyNodeInitStates&) { VSTInitNode(t, n); };

    VST_Wireless = new TLazyStringTree(this);
    VST_Wireless->SetName("VST_Wireless");
    VST_Wireless->SetParent(P_W_Tree);
    VST_Wireless->SetAlign(alClient);
    VST_Wireless->SetImages(IL_Tree1);
    VST_Wireless->OnInitNode = [this](TBaseLazyTree* t, PLazyNode, PLazyNode n, TLazyNodeInitStates&) {
        VST_WirelessInitNode(t, n);
    };
    VST_Wireless->OnChecked = [this](TBaseLazyTree* t, PLazyNode n) { VST_WirelessChecked(t, n); };
    // Every change of a check is allowed.
    VST_Wireless->OnChecking = [](TBaseLazyTree*, PLazyNode, TCheckState&, bool&) {};

    for (TLazyStringTree* t : {VST, VST_Wireless}) {
        t->SetNodeDataType<TMyRec>();
        t->OnGetText = [this](TBaseLazyTree* s, PLazyNode n, TColumnIndex, TVSTTextType, String& text) {
            VSTGetText(s, n, text);
        };
        t->OnGetImageIndexEx = [this](TBaseLazyTree* s, PLazyNode n, TLTImageKind k, TColumnIndex, bool&, int& i,
                                      TImageList*&) { VSTGetImageIndexEx(s, n, k == ikNormal || k == ikSelected, i); };
        t->OnFreeNode = [this](TBaseLazyTree* s, PLazyNode n) { VSTFreeNode(s, n); };
        t->TreeOptions()->SetMiscOptions(t->TreeOptions()->MiscOptions() + toCheckSupport);
        t->TreeOptions()->SetAutoOptions(t->TreeOptions()->AutoOptions() + toAutoTristateTracking);
        t->TreeOptions()->SetPaintOptions(t->TreeOptions()->PaintOptions() + toShowButtons + toShowRoot +
                                          toShowTreeLines);
        t->TreeOptions()->SetSelectionOptions(t->TreeOptions()->SelectionOptions() + toMultiSelect);
    }

}

TFScanDecode::~TFScanDecode()
{
    // The engine outlives the window: nothing may call back into a window that is gone.
    if (TR_ScanDecode && TR_ScanDecode->FInScan) TR_ScanDecode->Abort_Scan();
    // The trees are freed after this window's own part is gone: their nodes go now, while
    // the handlers they call still have a window to call into, and the handlers with them.
    for (TLazyStringTree* t : {VST, VST_Wireless}) {
        if (!t) continue;
        t->Clear();
        t->OnFreeNode = nullptr;
        t->OnGetText = nullptr;
        t->OnGetImageIndexEx = nullptr;
        t->OnChecked = nullptr;
        t->OnChecking = nullptr;
    }
}

void TFScanDecode::Set_Lang()
{
    SetCaption(Lang_Text(2100));
    L_SW_Code->SetCaption(Lang_Text(2101));
    L_SW_Desc->SetCaption(Lang_Text(2102));
    L_ScanBy->SetCaption(Lang_Text(2103));
    const auto refill = [](TComboBox* cb, std::initializer_list<int> texts) {
        cb->Items()->Clear();
        for (int t : texts) cb->Items()->Add(Lang_Text(t));
        cb->SetItemIndex(0);
    };
    refill(CB_ScanBy, {2104, 2105});
    L_HardwareType->SetCaption(Lang_Text(2106));
    refill(CB_HardwareType, {2107, 2108});
    L_IP->SetCaption(Lang_Text(2109));
    L_ComPort->SetCaption(Lang_Text(2110));
    L_MBus_ParGen->SetCaption(Lang_Text(2111));
    L_MBus_Baud->SetCaption(Lang_Text(2112));
    L_MBus_Parity->SetCaption(Lang_Text(2113));
    L_Option_Scan->SetCaption(Lang_Text(2114));
    CB_Opt_App_Reset->SetCaption(Lang_Text(2115));
    CB_Opt_SND_NKE->SetCaption(Lang_Text(2116));
    L_Opt_Cut_After->SetCaption(Lang_Text(2117));
    L_ScanProgress->SetCaption(Lang_Text(2118));
    L_AvailableDevice->SetCaption(Lang_Text(2120));
    Btn_StartScan->SetCaption(Lang_Text(2121));
    Btn_StopScan->SetCaption(Lang_Text(2122));
    Btn_AbortScan->SetCaption(Lang_Text(2123));
    Btn_NewScan->SetCaption(Lang_Text(2124));
    Btn_SaveConf->SetCaption(Lang_Text(2125));
    Btn_SaveConfManual->SetCaption(Lang_Text(2139));
    L_ScanMethod->SetCaption(Lang_Text(2131));
    refill(CB_ScanMethod, {2132, 2133});
    L_wMBus_Mode->SetCaption(Lang_Text(2134));
    L_wMBus_Radio_Channel->SetCaption(Lang_Text(2135));
    L_Port->SetCaption(Lang_Text(2136));
    CB_Opt_Use_Fix_C_Field->SetCaption(Lang_Text(2140));
    CB_Opt_Check_BCD_to_Int->SetCaption(Lang_Text(2141));
    CB_Opt_Enable_Remote_Scan->SetCaption(Lang_Text(2142));
}

// ---------------------------------------------------------------------------------
// Showing and closing
// ---------------------------------------------------------------------------------
void TFScanDecode::FormShow(TObject*)
{
    Move_Object_Type_Form();
    Update_List_of_COM_Port();
    if (TR_ScanDecode) TR_ScanDecode->Event_Run.SetEvent();
    if (FileExists(FileName_ParGen)) {
        try {
            TXMLDocument XML1;
            XML1.LoadFromFile(FileName_ParGen);
            const TXMLNode root = XML1.DocumentElement();
            const String key = Address_Key(XML_Code_Dev);
            TEdit* boxes[] = {E_IP1, E_IP2, E_IP3, E_IP4};
            for (int i = 0; i < 4; ++i) {
                // A key that is missing leaves its box as it was.
                try {
                    const TXMLNode n = root.FindNode(key + IntToStr(i + 1));
                    if (n) boxes[i]->SetText(n.Text());
                } catch (const std::exception&) {
                }
            }
        } catch (const std::exception&) {
            // An unreadable file leaves the boxes as they were.
        }
    }
    Form_Style(1);
}

void TFScanDecode::FormClose(TObject*, TCloseAction&)
{
    if (!TR_ScanDecode) return;
    TR_ScanDecode->FAbortScan = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    TR_ScanDecode->FInScan = false;
    TR_ScanDecode->Event_Run.ResetEvent();
    T_InScan->SetEnabled(false);
}

void TFScanDecode::Update_List_of_COM_Port()
{
    CB_ComPort->Items()->Clear();
    const std::unique_ptr<TStringList> ports = Get_COM_Ports();
    for (int i = 0; i < ports->Count(); ++i) CB_ComPort->Items()->Add("COM" + ports->Strings(i));
    if (CB_ComPort->Items()->Count() > 0) CB_ComPort->SetItemIndex(0);
}

void TFScanDecode::Btn_COM_ListClick(TObject*) { Update_List_of_COM_Port(); }

void TFScanDecode::CB_HardwareTypeChange(TObject*) { Move_Object_Type_Form(); }

void TFScanDecode::KeyPress(TObject* Sender, WideChar& Key)
{
    if (Key != '.') return;
    Key = 0;
    TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
    if (next && next->CanFocus()) next->SetFocus();
}

// ---------------------------------------------------------------------------------
// Layout and display styles
// ---------------------------------------------------------------------------------
void TFScanDecode::Move_Object_Type_Form()
{
    const bool choice = Form_Type == 1;
    const bool wireless = Wireless_Method();
    SetClientHeight(choice ? 571 : 523);
    const auto row = [](TLabel* l, TControl* c, int y) {
        l->SetVisible(true);
        l->SetTop(y + 3);
        c->SetVisible(true);
        c->SetTop(y);
    };
    const auto hide = [](std::initializer_list<TControl*> cs) {
        for (TControl* c : cs) c->SetVisible(false);
    };
    int y = 8;
    if (choice) {
        row(L_ScanMethod, CB_ScanMethod, y);
        y += Row_Step + 8;
    } else {
        hide({L_ScanMethod, CB_ScanMethod});
    }
    if (!wireless) {
        row(L_ScanBy, CB_ScanBy, y);
        y += Row_Step + 8;
    } else {
        hide({L_ScanBy, CB_ScanBy});
    }
    row(L_HardwareType, CB_HardwareType, y);
    y += Row_Step;
    if (CB_HardwareType->ItemIndex() == 1) {
        row(L_ComPort, CB_ComPort, y);
        Btn_COM_List->SetVisible(true);
        Btn_COM_List->SetTop(y);
        hide({L_IP, E_IP1, E_IP2, E_IP3, E_IP4, L_IP_Dot1, L_IP_Dot2, L_IP_Dot3});
    } else {
        L_IP->SetVisible(true);
        L_IP->SetTop(y + 3);
        for (TControl* c : std::initializer_list<TControl*>{E_IP1, E_IP2, E_IP3, E_IP4}) {
            c->SetVisible(true);
            c->SetTop(y);
        }
        for (TLabel* d : {L_IP_Dot1, L_IP_Dot2, L_IP_Dot3}) {
            d->SetVisible(true);
            d->SetTop(y + 5);
        }
        hide({L_ComPort, CB_ComPort, Btn_COM_List});
    }
    if (choice && wireless) {
        y += Row_Step;
        row(L_Port, E_Port, y);
        if (XML_Code_Dev == 12 || XML_Code_Dev == 15 || XML_Code_Dev == 18) E_Port->SetText("10001");
        E_Port->SetEnabled(XML_Code_Dev != 12 && XML_Code_Dev != 15);
    } else {
        hide({L_Port, E_Port});
    }
    y += Heading_Step;
    L_MBus_ParGen->SetTop(y);
    if (wireless) {
        y += Row_Step;
        row(L_wMBus_Mode, CB_wMBus_Mode, y);
        y += Row_Step;
        row(L_wMBus_Radio_Channel, CB_wMBus_Radio_Channel, y);
        y += Heading_Step;
        L_Option_Scan->SetTop(y);
        y += Row_Step;
        CB_Opt_Check_BCD_to_Int->SetTop(y);
        y += Row_Step;
        CB_Opt_Enable_Remote_Scan->SetTop(y);
        hide({L_MBus_Baud, CB_MBus_Baud, L_MBus_Parity, CB_MBus_Parity, CB_Opt_App_Reset, CB_Opt_SND_NKE,
              L_Opt_Cut_After, E_Opt_Cut_After, CB_Opt_Use_Fix_C_Field, CB_Opt_Use_Fix_C_Field_Value});
        return;
    }
    y += Row_Step;
    row(L_MBus_Baud, CB_MBus_Baud, y);
    y += Row_Step;
    row(L_MBus_Parity, CB_MBus_Parity, y);
    y += Heading_Step;
    L_Option_Scan->SetTop(y);
    for (TControl* c : std::initializer_list<TControl*>{CB_Opt_App_Reset, CB_Opt_SND_NKE}) {
        y += Row_Step;
        c->SetVisible(true);
        c->SetTop(y);
    }
    y += Row_Step;
    row(L_Opt_Cut_After, E_Opt_Cut_After, y);
    y += Row_Step;
    CB_Opt_Use_Fix_C_Field->SetVisible(true);
    CB_Opt_Use_Fix_C_Field->SetTop(y);
    CB_Opt_Use_Fix_C_Field_Value->SetVisible(true);
    CB_Opt_Use_Fix_C_Field_Value->SetTop(y);
    for (TControl* c : std::initializer_list<TControl*>{CB_Opt_Check_BCD_to_Int, CB_Opt_Enable_Remote_Scan}) {
        y += Row_Step;
        c->SetTop(y);
    }
    hide({L_wMBus_Mode, CB_wMBus_Mode, L_wMBus_Radio_Channel, CB_wMBus_Radio_Channel});
}

void TFScanDecode::Form_Style(int Index)
{
    // The serial transport is never offered here: the scan always goes over the network.
    CB_HardwareType->SetEnabled(false);
    CB_HardwareType->SetItemIndex(0);
    FStyle = Index;
    const int top = P_Title->Height();
    const int height = ClientHeight() - top - P_Button->Height();
    for (TLbButton* b : {Btn_StartScan, Btn_StopScan, Btn_AbortScan, Btn_NewScan, Btn_SaveConf, Btn_SaveConfManual})
        b->SetVisible(false);
    const auto place = [](std::initializer_list<TLbButton*> bs) {
        int x = 16;
        for (TLbButton* b : bs) {
            b->SetLeft(x);
            b->SetVisible(true);
            x += b->Width() + 8;
        }
    };
    P_Main->SetBounds(0, top, Index == 1 ? ClientWidth() : Options_Width, height);
    const TRect results(Options_Width, top, ClientWidth(), top + height);
    P_TreeView->SetVisible(Index == 2 || Index == 3);
    P_View_Wireless->SetVisible(Index == 4 || Index == 5);
    for (TPanel* p : {P_TreeView, P_View_Wireless})
        p->SetBounds(results.Left, results.Top, results.Width(), results.Height());
    switch (Index) {
    case 2:
    case 4:
        L_ScanProgress->SetCaption(Lang_Text(2118));
        L_AvailableDevice->SetVisible(true);
        LB_AvailableDevice->SetVisible(true);
        VST->SetVisible(false);
        L_Num_Slave->SetVisible(false);
        place({Btn_StopScan, Btn_AbortScan});
        break;
    case 3:
    case 5: {
        L_ScanProgress->SetCaption(Lang_Text(2119));
        L_Num_Slave->SetVisible(true);
        VST->SetVisible(true);
        L_AvailableDevice->SetVisible(false);
        LB_AvailableDevice->SetVisible(false);
        const bool no_node_save = Index == 3 ? (XML_Code_Dev == 6 || XML_Code_Dev == 11 || XML_Code_Dev == 15 ||
                                                XML_Code_Dev == 20)
                                             : XML_Code_Dev == 15;
        if (no_node_save) place({Btn_NewScan, Btn_SaveConf});
        else place({Btn_NewScan, Btn_SaveConf, Btn_SaveConfManual});
        break;
    }
    default: place({Btn_StartScan}); break;
    }
}

// ---------------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------------
void TFScanDecode::BtnClick(TObject* Sender)
{
    if (Sender == Btn_StartScan) Select_Scan();
    else if (Sender == Btn_StopScan) StopScan();
    else if (Sender == Btn_AbortScan) AbortScan();
    else if (Sender == Btn_NewScan) NewScan();
    else if (Sender == Btn_SaveConf) Select_SaveXML(0);
    else if (Sender == Btn_SaveConfManual) Select_SaveXML(1);
}

void TFScanDecode::Select_Scan()
{
    if (Wireless_Method()) StarScanWireless();
    else StartScan();
}

void TFScanDecode::StopScan()
{
    if (TR_ScanDecode && TR_ScanDecode->FInScan) TR_ScanDecode->Stop_Scan();
}

void TFScanDecode::AbortScan()
{
    if (TR_ScanDecode && TR_ScanDecode->FInScan) TR_ScanDecode->Abort_Scan();
}

void TFScanDecode::NewScan()
{
    Cancel_Device_List();
    Form_Style(1);
}

String TFScanDecode::Dotted_Address() const
{
    return E_IP1->Text() + "." + E_IP2->Text() + "." + E_IP3->Text() + "." + E_IP4->Text();
}

void TFScanDecode::Cancel_Device_List()
{
    Empty_Slave_MBus_List();
    VST->Clear();
}

void TFScanDecode::Cancel_Device_List_Wireless()
{
    Empty_Slave_wMBus_List();
    Cancel_Grid_Wireless();
    VST_Wireless->Clear();
    FWireless_Meter = -1;
}

void TFScanDecode::StartScan()
{
    if (TR_ScanDecode->FInScan) { Error_Box(Lang_Text(2126)); return; }
    Cancel_Device_List();
    const TScanType type = CB_ScanBy->ItemIndex() == 1 ? saSecondaryAddress : saPrimaryAddress;
    const bool serial = CB_HardwareType->ItemIndex() == 1;
    const String device = serial ? "\\\\.\\" + CB_ComPort->Text() : Dotted_Address();
    const int baud = StrToIntDef(CB_MBus_Baud->Text(), 2400);
    const int cut = StrToIntDef(E_Opt_Cut_After->Text(), 3);
    LB_AvailableDevice->Clear();
    LB_AvailableDevice->SetVisible(true);
    TR_ScanDecode->SaveXMLFile.clear();
    FLast_Wireless = false;
    TR_ScanDecode->Start_Scan(type, serial ? shSerial : shEthernet, device, baud, CB_MBus_Parity->ItemIndex(),
                              CB_Opt_App_Reset->Checked(), CB_Opt_SND_NKE->Checked(), cut,
                              CB_Opt_Use_Fix_C_Field->Checked(), uint8_t(CB_Opt_Use_Fix_C_Field_Value->ItemIndex()),
                              CB_Opt_Enable_Remote_Scan->Checked(),
                              [this](int32_t k, int32_t v, int32_t f, int32_t t) { Update_Slave_List_Box(k, v, f, t); });
    Form_Style(2);
    T_InScan->SetEnabled(true);
}

void TFScanDecode::StarScanWireless()
{
    if (TR_ScanDecode->FInScan) { Error_Box(Lang_Text(2126)); return; }
    // Letters read as -1, which the engine takes as port 65535.
    const int port = StrToIntDef(E_Port->Text(), -1);
    Cancel_Device_List_Wireless();
    static const int32_t mode_codes[] = {1, 5, 15, 17, 11};
    const int mode = CB_wMBus_Mode->ItemIndex();
    const int32_t code = mode >= 0 && mode < 5 ? mode_codes[mode] : 1;
    Cancel_Grid_Wireless();
    FLast_Wireless = true;
    TR_ScanDecode->Start_Scan_Wireless(shEthernet, Dotted_Address(), uint16_t(port), code,
                                       CB_wMBus_Radio_Channel->ItemIndex(), CB_Opt_Enable_Remote_Scan->Checked(),
                                       [this](int32_t i, TSlave_wMBus* m) { Update_Wireless_Grid_Row(i, m); }, false);
    Form_Style(4);
    T_InScan->SetEnabled(true);
}

void TFScanDecode::T_InScanTimer(TObject*)
{
    T_InScan->SetEnabled(false);
    if (TR_ScanDecode->FInScan) {
        T_InScan->SetEnabled(true);
        return;
    }
    if (TR_ScanDecode->FResult == 2) {
        Error_Box(Lang_Text(2129));
        Form_Style(1);
        return;
    }
    if (FLast_Wireless) {
        Form_Style(5);
    } else {
        Form_Style(3);
        Show_Slave_in_Tree();
    }
}

// ---------------------------------------------------------------------------------
// Progress and results
// ---------------------------------------------------------------------------------
void TFScanDecode::Update_Slave_List_Box(int32_t Kind, int32_t Value, int32_t Found, int32_t Scan_Type)
{
    if (Kind == 1 && Scan_Type == 2) LB_AvailableDevice->Add(Lang_Text(2127));
    else if (Kind == 2 && Scan_Type == 1)
        LB_AvailableDevice->Add("ID = " + IntToStr(Value) + "\t" + (Found == 0 ? Not_Found_Mark : ""));
    else if (Kind == 2 && Scan_Type == 2) LB_AvailableDevice->Add("ID = " + IntToHex(uint32_t(Value), 8));
    else if (Kind == 3 && Scan_Type == 2) LB_AvailableDevice->Add(Lang_Text(2128));
    LB_AvailableDevice->SetTopIndex(LB_AvailableDevice->Count() - 1);
}

namespace {

// The tree of meters, records and their details. The node handlers read the list under its
// lock, and the tree may initialise a node as it is added: the nodes are made without the
// lock held, and the meters and records told their nodes under it afterwards.
template <class TMeter>
void Build_Meter_Tree(TBaseLazyTree* Tree, TSlaveList& List, const std::vector<TMeter*>& Meters)
{
    std::vector<size_t> records;
    {
        std::lock_guard<std::mutex> lock(List.Lock);
        for (TMeter* m : Meters) records.push_back(m->List_Var.size());
    }
    std::vector<std::pair<PLazyNode, std::vector<PLazyNode>>> nodes;
    Tree->BeginUpdate();
    for (size_t count : records) {
        PLazyNode meter = Tree->AddChild(nullptr);
        std::vector<PLazyNode> recs;
        for (size_t k = 0; k < count; ++k) {
            PLazyNode r = Tree->AddChild(meter);
            for (int d = 0; d < Details_Per_Record; ++d) Tree->AddChild(r);
            recs.push_back(r);
        }
        nodes.emplace_back(meter, std::move(recs));
    }
    Tree->EndUpdate();
    {
        std::lock_guard<std::mutex> lock(List.Lock);
        for (size_t i = 0; i < Meters.size(); ++i) {
            Meters[i]->Node = nodes[i].first;
            for (size_t k = 0; k < nodes[i].second.size() && k < Meters[i]->List_Var.size(); ++k)
                Meters[i]->List_Var[k]->Node = nodes[i].second[k];
        }
    }
    // Every node made now, so each meter and record has its check box before the user or
    // the writer looks at it, also under a collapsed meter.
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
    }
}

}  // namespace

void TFScanDecode::Show_Slave_in_Tree()
{
    VST->Clear();
    std::vector<TSlave_MBus*> meters;
    {
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        for (int i = 0; TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, i); ++i) meters.push_back(s);
    }
    L_Num_Slave->SetCaption(IntToStr(int(meters.size())));
    Build_Meter_Tree(VST, List_Slave_MBus, meters);
}

void TFScanDecode::Show_Slave_in_Tree_Wireless(int index)
{
    VST_Wireless->Clear();
    FWireless_Meter = index;
    std::vector<TSlave_wMBus*> meters;
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        if (TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, index)) meters.push_back(m);
    }
    Build_Meter_Tree(VST_Wireless, List_Slave_wMBus, meters);
}

namespace {

String Record_Line(const TVariable_MBus& r)
{
    return "Value = " + r.ValueStr + " - " + "Type = " + r.Desc_Type_Data + " (U" + IntToStr(r.device) + "S" +
           IntToStr(int(r.storage_number)) + "T" + IntToStr(r.tarif) + ")";
}

String Detail_Line(const TVariable_MBus& r, unsigned Index)
{
    switch (Index) {
    case 0: return "Storage Number = " + IntToStr(int(r.storage_number));
    case 1: return "Tariff = " + IntToStr(r.tarif);
    case 2: return "Unit = " + IntToStr(r.device);
    case 3: return "Data Field = " + r.DataFieldStr;
    case 4: return "Function Field = " + r.FunctionFieldStr;
    case 5: return "Type = " + r.Desc_Type_Data;
    case 6: return "Value = " + r.ValueStr;
    case 7: return "DIF = " + r.DIF;
    case 8: return "VIF = $" + Hex2(r.VIF);
    case 9: return "DIFE = " + r.DIFE;
    case 10: return "VIFE = " + r.VIFE;
    default: return "DATA = $" + r.totdati;
    }
}

// The record and detail nodes of a meter's tree: their text, and for a record its check.
void Init_Record_Node(TBaseLazyTree* Tree, PLazyNode Node, TMyRec& Rec, const TVariableList& Records,
                      bool Check_From_Enable)
{
    const unsigned level = Tree->GetNodeLevel(Node);
    if (level == 1) {
        if (Node->Index >= Records.size()) return;
        const TVariable_MBus& r = *Records[Node->Index];
        Rec.Caption = r.Real_Wireless_Var ? Record_Line(r) : String("Idle Filler");
        Rec.Check = Check_From_Enable ? r.Enable : true;
        Node->CheckType = ctTriStateCheckBox;
        Node->CheckState = Rec.Check ? csCheckedNormal : csUncheckedNormal;
    } else if (level == 2) {
        const PLazyNode rec_node = Node->Parent;
        if (rec_node->Index >= Records.size()) return;
        Rec.Caption = Detail_Line(*Records[rec_node->Index], Node->Index);
    }
}

}  // namespace

void TFScanDecode::VSTInitNode(TBaseLazyTree* Sender, PLazyNode Node)
{
    TMyRec* rec = Sender->GetNodeData<TMyRec>(Node);
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    PLazyNode top = Node;
    while (Sender->GetNodeLevel(top) > 0) top = top->Parent;
    const TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, int(top->Index));
    if (!s) return;
    if (top == Node) {
        rec->Caption = "Primary Address = " + IntToStr(s->Primary_Addresss) + " - " + "Secondary Address = " +
                       s->Secondary_Addresss + " - " + "Manufacturer = " + s->descManufacture + "(" +
                       IntToStr(s->Manufacture) + ") - " + "Version = " + IntToStr(s->Version) + " - " +
                       "Type = " + IntToStr(s->Medium);
        rec->Check = true;
        Node->CheckType = ctTriStateCheckBox;
        Node->CheckState = csCheckedNormal;
        return;
    }
    Init_Record_Node(Sender, Node, *rec, s->List_Var, false);
}

void TFScanDecode::VST_WirelessInitNode(TBaseLazyTree* Sender, PLazyNode Node)
{
    TMyRec* rec = Sender->GetNodeData<TMyRec>(Node);
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, FWireless_Meter);
    if (!m) return;
    if (Sender->GetNodeLevel(Node) == 0) {
        rec->Caption = "Manufacturer = " + m->ALA_Manu_str + " - " + "Address = " +
                       IntToHex(uint32_t(m->ALA_Address), 8) + " - " + "Version = " + IntToStr(m->ALA_Version) +
                       " - " + "Device Type = " + IntToStr(m->ALA_DeviceType) + " - " +
                       (m->Cripted ? "CRIPTED!!" : "");
        rec->Check = m->Enable;
        Node->CheckType = ctTriStateCheckBox;
        Node->CheckState = m->Enable ? csCheckedNormal : csUncheckedNormal;
        return;
    }
    Init_Record_Node(Sender, Node, *rec, m->List_Var, true);
}

void TFScanDecode::VSTGetText(TBaseLazyTree* Sender, PLazyNode Node, String& CellText)
{
    if (const TMyRec* rec = Sender->GetNodeData<TMyRec>(Node)) CellText = rec->Caption;
}

void TFScanDecode::VSTGetImageIndexEx(TBaseLazyTree* Sender, PLazyNode Node, bool Normal_Or_Selected,
                                      int& ImageIndex)
{
    if (Normal_Or_Selected) ImageIndex = int(Sender->GetNodeLevel(Node));
}

void TFScanDecode::VSTFreeNode(TBaseLazyTree* Sender, PLazyNode Node)
{
    if (TMyRec* rec = Sender->GetNodeData<TMyRec>(Node)) *rec = TMyRec();
}

void TFScanDecode::VST_WirelessChecked(TBaseLazyTree* Sender, PLazyNode Node)
{
    const TCheckState s = Sender->CheckState(Node);
    if (s != csCheckedNormal && s != csUncheckedNormal) return;
    const bool on = s == csCheckedNormal;
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, FWireless_Meter);
    if (!m) return;
    const unsigned level = Sender->GetNodeLevel(Node);
    if (level == 0) m->Enable = on;
    else if (level == 1 && Node->Index < m->List_Var.size()) m->List_Var[Node->Index]->Enable = on;
}

bool TFScanDecode::Node_Ticked(const TLazyNode* Node) const
{
    const TCheckState s = Node->CheckState;
    return s != csUncheckedNormal && s != csUncheckedPressed;
}

// ---------------------------------------------------------------------------------
// Saving
// ---------------------------------------------------------------------------------
void TFScanDecode::Select_SaveXML(int Type_SaveXML)
{
    int32_t start = 1;
    bool append = false;
    if (FileExists(FileName_MBus)) {
        const int answer = MessageDlg(Lang_Text(2137), mtConfirmation, mbYesNoCancel, 0);
        if (answer == mrCancel) return;
        append = answer == mrYes;
    }
    const bool asks = Asks_Start_Registers(XML_Code_Dev);
    if (Type_SaveXML == 1 && asks) {
        Carica_Dati_Modbus_Start_Add();
        if (FModbusStartAdd_SD->ShowModal() != mrOk) return;
    }
    if (Type_SaveXML == 0 && append && asks) {
        if (FScanModbusStart->ShowModal() != mrOk) return;
        start = FScanModbusStart->StartModAdd;
    }
    if (Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1) SaveXMLWireless(append, start, Type_SaveXML);
    else SaveXML(append, start, Type_SaveXML);
}

void TFScanDecode::Show_Save_Result(bool Saved)
{
    if (Saved) MessageDlg(Lang_Text(2130), mtInformation, TMsgDlgButtons{mbOK}, 0);
}

void TFScanDecode::SaveXML(bool Append, int32_t Start_Modbus, int32_t Start_Modbus_node)
{
    TSaveConfXML D;
    Fill_Save_Options(D, Append, Start_Modbus, Start_Modbus_node);
    D.Index_Baud = CB_MBus_Baud->ItemIndex();
    D.Index_Par = CB_MBus_Parity->ItemIndex();
    D.Node_ID_Type = CB_ScanBy->ItemIndex();
    D.SND_NKE = CB_Opt_SND_NKE->Checked() ? 1 : 0;
    D.Reset_App = CB_Opt_App_Reset->Checked() ? 1 : 0;
    D.Cut_After = StrToIntDef(E_Opt_Cut_After->Text(), 3);
    D.Node_Checked = [this](const TLazyNode* n) { return Node_Ticked(n); };
    Show_Save_Result(TR_ScanDecode->Save_XML_Conf_Wired(D, CB_Opt_Check_BCD_to_Int->Checked()));
}

void TFScanDecode::SaveXMLWireless(bool Append, int32_t Start_Modbus, int32_t Start_Modbus_node)
{
    TSaveConfXML D;
    Fill_Save_Options(D, Append, Start_Modbus, Start_Modbus_node);
    D.Cut_After = 3;
    Show_Save_Result(TR_ScanDecode->Save_XML_Conf_Wireless(D, CB_Opt_Check_BCD_to_Int->Checked()));
}
