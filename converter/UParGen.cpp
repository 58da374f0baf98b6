// The parameter window: frame, creation of the 36 panels from their design, showing,
// OK, and the handlers of keys, changes, clicks, resizing and the mouse wheel.
#include "converter/UParGen.h"

#include "converter/UParGenDesign.h"
#include "editors/frame/UFieldControls.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

using namespace pargen;

const char* const ParGen_Build_Model = "41R08";
const char* const ParGen_Version_Comment = "SW_VERSION = 1.002";

TFParGen* FParGen = nullptr;

namespace {


std::vector<String> Split_Blanks(const char* names)
{
    std::vector<String> out;
    if (!names) return out;
    String cur;
    for (const char* p = names;; ++p) {
        if (*p == ' ' || *p == 0) {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
            if (*p == 0) break;
        } else {
            cur += *p;
        }
    }
    return out;
}

// The octet edits: '.' moves on to the next octet instead of reaching the edit.
bool Octet_Key(WideChar Key) { return Key != L'.'; }

String Group_Member(const String& group, int i) { return group.substr(0, group.size() - 1) + char('0' + i); }

}  // namespace

// ---------------------------------------------------------------------------------
// Construction: the form as designed
// ---------------------------------------------------------------------------------

TFParGen::TFParGen(TComponent* AOwner, const String& Model) : TForm(AOwner), FModel(Model)
{
    if (!Find_Model_Design(FModel)) throw EInvalidArgument("Unknown converter model: " + FModel);
    SetName("FParGen");
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetShowHint(true);
    SetClientWidth(Form_Client_Width);
    SetClientHeight(700);
    Create_Frame();
    Create_Panels();
    Bind_Controls();

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    OnMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) { FormMouseWheel(s, sh, d, p, h); };
}

TFParGen::~TFParGen()
{
    if (FParGen == this) FParGen = nullptr;
}

void TFParGen::Create_Frame()
{
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(Form_Client_Width - 32);

    P_Button = new TPanel(this);
    P_Button->SetName("P_Button");
    P_Button->SetParent(this);
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(40);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetCaption("");

    Btn_Cancel = Make_Control<TLbButton>(this, P_Button, "Btn_Cancel", Form_Client_Width - 8 - 110, 6, 110, 28);
    Btn_Cancel->SetAnchors(TAnchors{akTop, akRight});
    Btn_Cancel->SetModalResult(mrCancel);

    Btn_OK = Make_Control<TLbButton>(this, P_Button, "Btn_OK", Form_Client_Width - 16 - 220, 6, 110, 28);
    Btn_OK->SetAnchors(TAnchors{akTop, akRight});
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    CPG = new TCategoryPanelGroup(this);
    CPG->SetName("CPG");
    CPG->SetParent(this);
    CPG->SetAlign(alClient);

    for (TControl* c : std::initializer_list<TControl*>{P_Title, L_SW_Code, L_SW_Desc, P_Button, Btn_OK, Btn_Cancel, CPG})
        FByName[UpperCase(c->Name())] = c;
}

void TFParGen::Create_Panels()
{
    // Every control is owned by the form and registered by name; the panels hold them.
    auto reg = [this](TControl* c, const String& name) {
        c->SetName(name);
        FByName[UpperCase(name)] = c;
    };
    auto make_check = [&](TCategoryPanel* p, const String& name, int left, int top, int width) {
        auto* cb = new TCheckBox(this);
        reg(cb, name);
        cb->SetParent(p);
        cb->SetBounds(left, top, width, Check_Height);
        if (const TFieldDesc* d = Find_Control_Design(name)) Apply_Field_Flags(cb, d->Flags);
        cb->OnClick = [this](TObject* s) { On_Click(s); };
    };
    auto make_edit = [&](TCategoryPanel* p, const String& name, int left, int top, int width,
                         const TFieldDesc* d) {
        auto* e = new TEdit(this);
        reg(e, name);
        e->SetParent(p);
        e->SetBounds(left, top, width, Control_Height);
        Apply_Edit_Desc(e, *d);
        e->OnChange = [this](TObject* s) { On_Change(s); };
        if (d->Flags & ffHexKeys) {
            FKey_Filters[e] = Is_Hex_Key;
            e->TWinControl::OnKeyPress = [this](TObject* s, WideChar& k) { OnKeyPress(s, k); };
        }
        return e;
    };

    for (int pi = 0; pi < Panel_Count; ++pi) {
        const String panelName = Panel_Names[pi];
        auto* cp = new TCategoryPanel(this);
        reg(cp, panelName);
        cp->SetParent(CPG);
        cp->SetCaption(panelName);

        int row = -1;
        int bottom = 0;
        for (int ri = 0; ri < Row_Design_Count; ++ri) {
            const TRowDesign& rd = Row_Designs[ri];
            if (panelName != rd.Panel) continue;
            const bool overlay = rd.Left && String(rd.Left) == "+";
            if (!overlay) ++row;
            const int ctlTop = First_Control_Top + row * Row_Pitch;
            const int labelTop = ctlTop + Label_Offset;

            if (rd.Left && !overlay) {
                const String left = rd.Left;
                if (StartsText("L_", left)) {
                    auto* l = new TLabel(this);
                    reg(l, left);
                    l->SetParent(cp);
                    l->SetBounds(Left_Column, labelTop, Left_Width, Label_Height);
                } else {
                    // A box alone on its row may use the whole row for its caption.
                    const int width = rd.Right ? Left_Width : Right_Column + Right_Width - Left_Column;
                    make_check(cp, left, Left_Column, labelTop, width);
                }
            }
            const std::vector<String> rights = Split_Blanks(rd.Right);
            for (size_t k = 0; k < rights.size(); ++k) {
                const String& name = rights[k];
                const TFieldDesc* d = Find_Control_Design(name);
                if (!d) throw EInvalidArgument("No design for control " + name);
                if (rights.size() > 1) {   // several boxes side by side on one row
                    make_check(cp, name, Right_Column + int(k) * 80, labelTop, 75);
                    continue;
                }
                switch (d->Kind) {
                case fkOctets:
                    for (int i = 0; i < 4; ++i) {
                        TEdit* e = make_edit(cp, Group_Member(name, i + 1), Octet_Lefts[i], ctlTop, Octet_Width, d);
                        FKey_Filters[e] = Octet_Key;
                        e->TWinControl::OnKeyPress = [this](TObject* s, WideChar& key) { KeyPress(s, key); };
                        if (i < 3) {
                            auto* dot = new TLabel(this);
                            dot->SetParent(cp);
                            dot->SetCaption(".");
                            dot->SetBounds(Octet_Lefts[i] + Octet_Width + 2, labelTop, 3, Label_Height);
                            Apply_Field_Flags(dot, d->Flags & ffHidden);
                            FDots[name].push_back(dot);
                        }
                    }
                    break;
                case fkText:
                    make_edit(cp, name, Right_Column, ctlTop, Right_Width, d);
                    break;
                case fkMemo: {
                    auto* m = new TMemo(this);
                    reg(m, name);
                    m->SetParent(cp);
                    m->SetBounds(Right_Column, ctlTop, Right_Width, Control_Height);
                    m->SetWordWrap(false);
                    Apply_Field_Flags(m, d->Flags);
                    m->OnChange = [this](TObject* s) { On_Change(s); };
                    break;
                }
                case fkList: {
                    auto* c = new TComboBox(this);
                    reg(c, name);
                    c->SetParent(cp);
                    c->SetStyle(csDropDownList);
                    c->SetBounds(Right_Column, ctlTop, Right_Width, Control_Height);
                    for (const String& item : d->Items) c->Items()->Add(item);
                    c->SetItemIndex(d->Item_Index);
                    Apply_Field_Flags(c, d->Flags);
                    c->OnChange = [this](TObject* s) { On_Change(s); };
                    break;
                }
                case fkCheckBox:
                    make_check(cp, name, Right_Column, labelTop, Right_Width);
                    break;
                case fkLabel:
                default:
                    break;
                }
            }
            bottom = ctlTop + Control_Height;
        }
        cp->SetHeight(bottom + CPG->HeaderHeight() + Panel_Bottom_Margin);
    }
}

void TFParGen::Bind_Controls()
{
    auto P = [this](const char* n) { return Control_As<TCategoryPanel>(n); };
    auto L = [this](const char* n) { return Control_As<TLabel>(n); };
    auto E = [this](const char* n) { return Control_As<TEdit>(n); };
    auto C = [this](const char* n) { return Control_As<TComboBox>(n); };
    auto X = [this](const char* n) { return Control_As<TCheckBox>(n); };

    CP_Ethernet_Connection = P("CP_Ethernet_Connection");
    CP_LoRa = P("CP_LoRa");
    CP_KNX = P("CP_KNX");
    CP_Ethernet = P("CP_Ethernet");
    CP_Modbus_Slave = P("CP_Modbus_Slave");
    CP_Modbus_Master = P("CP_Modbus_Master");
    CP_Modbus_TCP_Master = P("CP_Modbus_TCP_Master");
    CP_Modbus_TCP_Slave = P("CP_Modbus_TCP_Slave");
    CP_Serial = P("CP_Serial");
    CP_BACnet_Master = P("CP_BACnet_Master");
    CP_BACnet_Slave = P("CP_BACnet_Slave");
    CP_MBus = P("CP_MBus");
    CP_wMBus = P("CP_wMBus");
    CP_CAN = P("CP_CAN");
    CP_CANopen = P("CP_CANopen");
    CP_DeviceNet_Master = P("CP_DeviceNet_Master");
    CP_DeviceNet_Slave = P("CP_DeviceNet_Slave");
    CP_DMX = P("CP_DMX");
    CP_EtherNetIP_Master = P("CP_EtherNetIP_Master");
    CP_EtherNetIP = P("CP_EtherNetIP");
    CP_J1939 = P("CP_J1939");
    CP_NMEA2000 = P("CP_NMEA2000");
    CP_PROFIBUS = P("CP_PROFIBUS");
    CP_PROFINET = P("CP_PROFINET");
    CP_IEC61850_Client = P("CP_IEC61850_Client");
    CP_IEC61850_Server = P("CP_IEC61850_Server");
    CP_TLS_Server = P("CP_TLS_Server");
    CP_TLS = P("CP_TLS");
    CP_NTP = P("CP_NTP");
    CP_MQTT = P("CP_MQTT");
    CP_WiFi = P("CP_WiFi");
    CP_OPC_UA_Client = P("CP_OPC_UA_Client");
    CP_OPC_UA_Server = P("CP_OPC_UA_Server");
    CP_S7_Protocol = P("CP_S7_Protocol");
    CP_SNMP_Manager = P("CP_SNMP_Manager");
    CP_SNMP_Agent = P("CP_SNMP_Agent");

    L_EthConn_Device_Name = L("L_EthConn_Device_Name");
    E_EthConn_Device_Name = E("E_EthConn_Device_Name");
    CB_EthConn_En_DHCP_Cable = X("CB_EthConn_En_DHCP_Cable");
    CB_EthConn_En_DHCP_WiFi = X("CB_EthConn_En_DHCP_WiFi");
    CB_EthConn_Enable_DNS = X("CB_EthConn_Enable_DNS");
    L_EthConn_Primary_DNS = L("L_EthConn_Primary_DNS");
    E_EthConn_Pri_DNS_IP1 = E("E_EthConn_Pri_DNS_IP1");
    E_EthConn_Pri_DNS_IP2 = E("E_EthConn_Pri_DNS_IP2");
    E_EthConn_Pri_DNS_IP3 = E("E_EthConn_Pri_DNS_IP3");
    E_EthConn_Pri_DNS_IP4 = E("E_EthConn_Pri_DNS_IP4");
    L_EthConn_Secondary_DNS = L("L_EthConn_Secondary_DNS");
    E_EthConn_Sec_DNS_IP1 = E("E_EthConn_Sec_DNS_IP1");
    E_EthConn_Sec_DNS_IP2 = E("E_EthConn_Sec_DNS_IP2");
    E_EthConn_Sec_DNS_IP3 = E("E_EthConn_Sec_DNS_IP3");
    E_EthConn_Sec_DNS_IP4 = E("E_EthConn_Sec_DNS_IP4");

    L_LoRa_RF_Band = L("L_LoRa_RF_Band");
    CB_LoRa_RF_Band = C("CB_LoRa_RF_Band");
    L_LoRa_FrequencySubBand = L("L_LoRa_FrequencySubBand");
    CB_LoRa_FrequencySubBand = C("CB_LoRa_FrequencySubBand");
    L_LoRa_Network_Type = L("L_LoRa_Network_Type");
    CB_LoRa_Network_Type = C("CB_LoRa_Network_Type");
    CB_LoRa_Adaptive_DataRate = X("CB_LoRa_Adaptive_DataRate");
    L_LoRa_DataRate = L("L_LoRa_DataRate");
    CB_LoRa_DataRate = C("CB_LoRa_DataRate");
    L_LoRa_Transmission_Type = L("L_LoRa_Transmission_Type");
    CB_LoRa_Transmission_Type = C("CB_LoRa_Transmission_Type");
    L_LoRa_Payload_Size = L("L_LoRa_Payload_Size");
    E_LoRa_Payload_Size = E("E_LoRa_Payload_Size");
    L_LoRa_JoinEUI = L("L_LoRa_JoinEUI");
    E_LoRa_JoinEUI = E("E_LoRa_JoinEUI");
    L_LoRa_Activation_Method = L("L_LoRa_Activation_Method");
    CB_LoRa_Activation_Method = C("CB_LoRa_Activation_Method");
    L_LoRa_Device_Address = L("L_LoRa_Device_Address");
    E_LoRa_Device_Address = E("E_LoRa_Device_Address");
    L_LoRa_Network_Session_Key = L("L_LoRa_Network_Session_Key");
    E_LoRa_Network_Session_Key = E("E_LoRa_Network_Session_Key");
    L_LoRa_Application_Session_Key = L("L_LoRa_Application_Session_Key");
    E_LoRa_Application_Session_Key = E("E_LoRa_Application_Session_Key");
    L_LoRa_Application_Key = L("L_LoRa_Application_Key");
    E_LoRa_Application_Key = E("E_LoRa_Application_Key");
    L_LoRa_FPort = L("L_LoRa_FPort");
    CB_LoRa_FPort = C("CB_LoRa_FPort");

    L_KNX_Type = L("L_KNX_Type");
    CB_KNX_Type = C("CB_KNX_Type");
    L_KNX_IDDevice = L("L_KNX_IDDevice");
    E_KNX_IDDevice = E("E_KNX_IDDevice");

    L_Ethernet_IP = L("L_Ethernet_IP");
    E_Ethernet_IP1 = E("E_Ethernet_IP1");
    E_Ethernet_IP2 = E("E_Ethernet_IP2");
    E_Ethernet_IP3 = E("E_Ethernet_IP3");
    E_Ethernet_IP4 = E("E_Ethernet_IP4");
    L_Ethernet_SM = L("L_Ethernet_SM");
    E_Ethernet_SM1 = E("E_Ethernet_SM1");
    E_Ethernet_SM2 = E("E_Ethernet_SM2");
    E_Ethernet_SM3 = E("E_Ethernet_SM3");
    E_Ethernet_SM4 = E("E_Ethernet_SM4");
    CB_Ethernet_En_GAT = X("CB_Ethernet_En_GAT");
    E_Ethernet_GAT1 = E("E_Ethernet_GAT1");
    E_Ethernet_GAT2 = E("E_Ethernet_GAT2");
    E_Ethernet_GAT3 = E("E_Ethernet_GAT3");
    E_Ethernet_GAT4 = E("E_Ethernet_GAT4");
    L_Ethernet_TCP_Port = L("L_Ethernet_TCP_Port");
    E_Ethernet_TCP_Port = E("E_Ethernet_TCP_Port");
    L_Ethernet_UDP_Port = L("L_Ethernet_UDP_Port");
    E_Ethernet_UDP_Port = E("E_Ethernet_UDP_Port");

    // The family's choices that change which rows a section shows.
    for (const char* n : {"CB_MBus_OnWire_Present", "CB_wMBus_Wireless_Present", "CB_WiFi_Type",
                          "CB_WiFi_Secure_Type", "CB_SNMP_Agent_SecurityLevel", "CB_BACnet_Master_Type",
                          "CB_BACnet_Slave_Type"})
        FRelayout_Lists.insert(Control(n));
    for (const char* n : {"CB_EthConn_En_DHCP_Cable", "CB_EthConn_En_DHCP_WiFi", "CB_SNMP_Agent_Version3",
                          "CB_MQTT_WillFlag", "CB_MQTT_PublishTopicConnection", "CB_TLS_Enable",
                          "CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth", "CB_TLS_Server_Enable",
                          "CB_WiFi_IP_Auto", "CB_WiFi_En_DHCP"})
        FRelayout_Boxes.insert(Control(n));
}

TControl* TFParGen::Control(const String& Name) const
{
    auto it = FByName.find(UpperCase(Name));
    return it == FByName.end() ? nullptr : it->second;
}

TCategoryPanel* TFParGen::Panel(const String& Name) const
{
    auto* p = Control_As<TCategoryPanel>(Name);
    if (!p) throw EInvalidArgument("No panel " + Name);
    return p;
}

String TFParGen::List_Text(TComboBox* List)
{
    const int i = List->ItemIndex();
    return i >= 0 && i < List->Items()->Count() ? List->Items()->Strings(i) : String();
}

// ---------------------------------------------------------------------------------
// Creation, showing, OK
// ---------------------------------------------------------------------------------

void TFParGen::FormCreate(TObject* Sender)
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(Form_Client_Width);
    SetClientHeight(700);
    for (int i = 0; i < Panel_Count; ++i) Panel(Panel_Names[i])->SetVisible(false);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::FormShow(TObject* Sender)
{
    String failure;
    if (FileExists(FileName_ParGen)) {
        try {
            Load_ParGen(FileName_ParGen);
        } catch (const std::exception& e) {
            // A file that cannot be read leaves nothing of an earlier show behind: the
            // window opens as for a new configuration and says why.
            failure = e.what();
            Set_ParGen_No_File();
        }
    } else {
        Set_ParGen_No_File();
    }
    Move_GroupBoxs();
    Set_Max_Payload_Size();
    if (!failure.empty()) MessageDlg(failure, mtError, TMsgDlgButtons{mbOK}, 0);
}

void TFParGen::Btn_OKClick(TObject* Sender)
{
    if (!Controllo_Dati()) return;
    try {
        Save_ParGen(FileName_ParGen);
    } catch (const std::exception& e) {
        // The earlier file stays as it was (the save goes through a temporary file).
        MessageDlg(e.what(), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    SetModalResult(mrOk);
}

// ---------------------------------------------------------------------------------
// Resize and wheel
// ---------------------------------------------------------------------------------

void TFParGen::FormResize(TObject* Sender)
{
    if (ClientWidth() != Form_Client_Width) SetClientWidth(Form_Client_Width);
}

void TFParGen::FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)
{
    const TPoint p = CPG->ScreenToClient(MousePos);
    if (!PtInRect(CPG->ClientRect(), p)) return;
    Handled = true;
    if (Wheel_Scroll_Lines < 1) return;
    const WPARAM code = WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < Wheel_Scroll_Lines; ++i) {
        CPG->Perform(WM_VSCROLL, code, 0);
        CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
}

// ---------------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------------

TEdit* TFParGen::Next_In_Chain(TObject* Sender) const
{
    TEdit* const dns[] = {E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3,
                          E_EthConn_Pri_DNS_IP4, E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2,
                          E_EthConn_Sec_DNS_IP3, E_EthConn_Sec_DNS_IP4};
    TEdit* const eth[] = {E_Ethernet_IP1, E_Ethernet_IP2, E_Ethernet_IP3, E_Ethernet_IP4,
                          E_Ethernet_SM1, E_Ethernet_SM2, E_Ethernet_SM3, E_Ethernet_SM4,
                          E_Ethernet_GAT1, E_Ethernet_GAT2, E_Ethernet_GAT3, E_Ethernet_GAT4};
    for (size_t i = 0; i + 1 < std::size(dns); ++i)
        if (Sender == dns[i]) return dns[i + 1];
    for (size_t i = 0; i + 1 < std::size(eth); ++i)
        if (Sender == eth[i]) return eth[i + 1];
    return nullptr;
}

bool TFParGen::Takes_Key(TObject* Edit, WideChar Key) const
{
    const auto it = FKey_Filters.find(Edit);
    return it == FKey_Filters.end() || it->second(Key);
}

void TFParGen::KeyPress(TObject* Sender, WideChar& Key)
{
    if (Takes_Key(Sender, Key)) return;
    if (Key == L'.')
        if (TEdit* next = Next_In_Chain(Sender))
            if (next->CanFocus()) next->SetFocus();
    Key = 0;
}

void TFParGen::OnKeyPress(TObject* Sender, WideChar& Key)
{
    if (!Takes_Key(Sender, Key)) Key = 0;
}

// ---------------------------------------------------------------------------------
// Changes and clicks
// ---------------------------------------------------------------------------------

void TFParGen::On_Change(TObject* Sender)
{
    if (Sender == CB_LoRa_RF_Band) {
        Change_LoRa_DataRate();
        Set_Max_Payload_Size();
        Move_GroupBoxs();
    } else if (Sender == CB_LoRa_DataRate) {
        Set_Max_Payload_Size();
    } else if (Sender == CB_LoRa_Activation_Method || FRelayout_Lists.count(Sender)) {
        Move_GroupBoxs();
    }
}

void TFParGen::On_Click(TObject* Sender)
{
    if (FRelayout_Boxes.count(Sender)) Move_GroupBoxs();
}

// ---------------------------------------------------------------------------------

void Plug_ParGen_Window()
{
    Plug_Window("TFParGen", FParGen);
}
