// Panel order of the family's models and the section layout routines of the parameter
// window. Sections with fixed rows are described by data (which control ends the panel,
// which address fields follow DHCP); sections whose rows come and go have routines.
#include <iterator>

#include "converter/UParGen.h"
#include "shell/ULanguage.h"
#include "converter/UParGenDesign.h"

using namespace pargen;

namespace pargen {

const TSectionDesign Section_Designs[] = {
    {"CP_Ethernet_Connection", &TFParGen::RePosition_Object_Ethernet_Connection, nullptr, nullptr, nullptr},
    {"CP_LoRa", &TFParGen::RePosition_Object_LoRa, nullptr, nullptr, nullptr},
    {"CP_KNX", nullptr, "E_KNX_IDDevice", nullptr, nullptr},
    {"CP_Ethernet", &TFParGen::RePosition_Object_Ethernet, nullptr, nullptr, nullptr},
    {"CP_Modbus_Slave", nullptr, "CB_ModbusSlave_ReadInput", nullptr, nullptr},
    {"CP_Modbus_Master", nullptr, "E_ModbusMaster_CyclicDelay", nullptr, nullptr},
    {"CP_Modbus_TCP_Master", nullptr, "E_ModbusTCPMaster_CyclicDelay", "ModbusTCPMaster", "CB_ModbusTCPMaster_En_GAT"},
    {"CP_Modbus_TCP_Slave", nullptr, "CB_ModbusTCPSlave_ReadInput", "ModbusTCPSlave", "CB_ModbusTCPSlave_En_GAT"},
    {"CP_Serial", nullptr, "CB_Serial_StopBits", nullptr, nullptr},
    {"CP_BACnet_Master", &TFParGen::RePosition_Object_BACnet_Master, nullptr, nullptr, nullptr},
    {"CP_BACnet_Slave", &TFParGen::RePosition_Object_BACnet_Slave, nullptr, nullptr, nullptr},
    {"CP_MBus", &TFParGen::RePosition_Object_MBus, nullptr, nullptr, nullptr},
    {"CP_wMBus", &TFParGen::RePosition_Object_wMBus, nullptr, nullptr, nullptr},
    {"CP_CAN", nullptr, "CB_CAN_Baudrate", nullptr, nullptr},
    {"CP_CANopen", nullptr, "E_CANopen_SDO_Timeout", nullptr, nullptr},
    {"CP_DeviceNet_Master", nullptr, "CB_DeviceNet_Master_Baudrate", nullptr, nullptr},
    {"CP_DeviceNet_Slave", nullptr, "E_DeviceNet_Slave_NumByteOut", nullptr, nullptr},
    {"CP_DMX", nullptr, "E_DMX_ChannelNum", nullptr, nullptr},
    {"CP_EtherNetIP_Master", nullptr, "E_EtherNetIP_Master_Port", "EtherNetIP_Master", nullptr},
    {"CP_EtherNetIP", nullptr, "E_EtherNetIP_NByte_Out", "EtherNetIP", nullptr},
    {"CP_J1939", nullptr, "E_J1939_ID_Device", nullptr, nullptr},
    {"CP_NMEA2000", nullptr, "CB_NMEA2000_Peer_To_Peer", nullptr, nullptr},
    {"CP_PROFIBUS", nullptr, "E_PROFIBUS_NByte_Out", nullptr, nullptr},
    {"CP_PROFINET", nullptr, "E_PROFINET_NByte_Out", "PROFINET", nullptr},
    {"CP_IEC61850_Client", nullptr, "E_IEC61850_Client_AppID", "IEC61850_Client", nullptr},
    {"CP_IEC61850_Server", nullptr, "E_IEC61850_Server_Password", "IEC61850_Server", nullptr},
    {"CP_TLS_Server", &TFParGen::RePosition_Object_TLS_Server, nullptr, nullptr, nullptr},
    {"CP_TLS", &TFParGen::RePosition_Object_TLS, nullptr, nullptr, nullptr},
    {"CP_NTP", nullptr, "E_NTP_Poll_Time", nullptr, nullptr},
    {"CP_MQTT", &TFParGen::RePosition_Object_MQTT, nullptr, nullptr, nullptr},
    {"CP_WiFi", &TFParGen::RePosition_Object_WiFi, nullptr, nullptr, nullptr},
    {"CP_OPC_UA_Client", nullptr, "E_OPC_UA_Client_GAT4", "OPC_UA_Client", nullptr},
    {"CP_OPC_UA_Server", nullptr, "E_OPC_UA_Server_Port", "OPC_UA_Server", nullptr},
    {"CP_S7_Protocol", nullptr, "E_S7_Protocol_GAT4", "S7_Protocol", nullptr},
    {"CP_SNMP_Manager", nullptr, "E_SNMP_Manager_NameStation", "SNMP_Manager", nullptr},
    {"CP_SNMP_Agent", &TFParGen::RePosition_Object_SNMP_Agent, nullptr, nullptr, nullptr},
};
const int Section_Design_Count = int(std::size(Section_Designs));

const TSectionDesign* Find_Section_Design(std::string_view Panel)
{
    for (const TSectionDesign& s : Section_Designs)
        if (Panel == s.Panel) return &s;
    return nullptr;
}

}  // namespace pargen

// ---------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------

int TFParGen::Header_Height() const { return CPG->HeaderHeight(); }

void TFParGen::Set_Panel_Height_From(TCategoryPanel* P, TControl* Last)
{
    P->SetHeight(Last->Top() + Last->Height() + Header_Height() + Panel_Bottom_Margin);
}

std::vector<TControl*> TFParGen::Item_Controls(const String& Name) const
{
    std::vector<TControl*> out;
    if (!Name.empty() && Name.back() == '#') {
        const String base = Name.substr(0, Name.size() - 1);
        for (int i = 1; i <= 4; ++i) out.push_back(Control(base + char('0' + i)));
        auto it = FDots.find(Name);
        if (it != FDots.end()) out.insert(out.end(), it->second.begin(), it->second.end());
    } else if (TControl* c = Control(Name)) {
        out.push_back(c);
    }
    if (out.empty()) throw EInvalidArgument("No control " + Name);
    return out;
}

void TFParGen::Show_Row(const char* Left, const char* Right, bool Visible)
{
    for (const char* item : {Left, Right})
        if (item)
            for (TControl* c : Item_Controls(item)) c->SetVisible(Visible);
}

void TFParGen::Place_Row(const char* Left, const char* Right, int Y)
{
    // The left item and the check boxes and "." labels go to Y; input controls 3 above.
    if (Left)
        for (TControl* c : Item_Controls(Left)) c->SetTop(Y);
    if (Right)
        for (TControl* c : Item_Controls(Right))
            c->SetTop(dynamic_cast<TWinControl*>(c) && !dynamic_cast<TCheckBox*>(c) ? Y - Label_Offset : Y);
}

void TFParGen::Apply_DHCP_Rule(const String& Prefix, const char* Gateway_Box)
{
    const bool enabled = !CB_EthConn_En_DHCP_Cable->Checked();
    for (const char* part : {"_IP", "_SM", "_GAT"})
        for (int i = 1; i <= 4; ++i) Control("E_" + Prefix + part + char('0' + i))->SetEnabled(enabled);
    if (Gateway_Box) Control(Gateway_Box)->SetEnabled(enabled);
}

// ---------------------------------------------------------------------------------
// Panel order and relayout of the model
// ---------------------------------------------------------------------------------

namespace {

bool Ethernet_Shown(const TFParGen* w, const TModelDesign* m)
{
    if (!m->Ethernet_Hidden_By) return true;
    auto* list = w->Control_As<TComboBox>(m->Ethernet_Hidden_By);
    return list->ItemIndex() != 0;
}

}  // namespace

void TFParGen::Order_TAB_Panels()
{
    const TModelDesign* m = Find_Model_Design(FModel);
    int top = 0;
    int index = 0;
    for (const TModelPanel& mp : m->Panels) {
        if (!mp.Panel) break;
        TCategoryPanel* p = Panel(mp.Panel);
        p->SetVisible(p != CP_Ethernet || Ethernet_Shown(this, m));
        p->SetTop(top);
        CPG->SetPanelIndex(p, index);   // the group stacks in this order from now on
        top += p->Height();
        p->SetCaption(IntToStr(index + 1) + ". " + Lang_Text(mp.Caption_Text));
        p->SetTabOrder(index);
        ++index;
    }
}

void TFParGen::Move_GroupBoxs()
{
    const TModelDesign* m = Find_Model_Design(FModel);
    for (const TModelPanel& mp : m->Panels) {
        if (!mp.Panel) break;
        RePosition_Section(mp.Panel);
    }
    if (m->Ethernet_Hidden_By) CP_Ethernet->SetVisible(Ethernet_Shown(this, m));
}

void TFParGen::RePosition_Section(const String& PanelName)
{
    const TSectionDesign* s = Find_Section_Design(PanelName);
    if (!s) throw EInvalidArgument("No section " + PanelName);
    if (s->Custom) {
        (this->*(s->Custom))();
        return;
    }
    if (s->DHCP_Prefix) Apply_DHCP_Rule(s->DHCP_Prefix, s->Gateway_Box);
    Set_Panel_Height_From(Panel(s->Panel), Control(s->Height_From));
}

// ---------------------------------------------------------------------------------
// The four sections of this program
// ---------------------------------------------------------------------------------

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    CB_EthConn_En_DHCP_WiFi->SetEnabled(false);
    Set_Panel_Height_From(CP_Ethernet_Connection, E_EthConn_Sec_DNS_IP4);
}

void TFParGen::RePosition_Object_LoRa()
{
    int y = CB_LoRa_RF_Band->Top() + Row_Pitch;
    auto row = [&](TControl* label, TControl* control) {
        label->SetTop(y);
        control->SetTop(y - Label_Offset);
        label->SetVisible(true);
        control->SetVisible(true);
        y += Row_Pitch;
    };
    auto hide = [](TControl* label, TControl* control) {
        label->SetVisible(false);
        control->SetVisible(false);
    };

    const int band = CB_LoRa_RF_Band->ItemIndex();
    if (band == 5 || band == 6) row(L_LoRa_FrequencySubBand, CB_LoRa_FrequencySubBand);
    else hide(L_LoRa_FrequencySubBand, CB_LoRa_FrequencySubBand);
    row(L_LoRa_Network_Type, CB_LoRa_Network_Type);
    CB_LoRa_Adaptive_DataRate->SetTop(y);
    y += Row_Pitch;
    row(L_LoRa_DataRate, CB_LoRa_DataRate);
    row(L_LoRa_Transmission_Type, CB_LoRa_Transmission_Type);
    row(L_LoRa_Payload_Size, E_LoRa_Payload_Size);
    row(L_LoRa_JoinEUI, E_LoRa_JoinEUI);
    row(L_LoRa_Activation_Method, CB_LoRa_Activation_Method);
    if (CB_LoRa_Activation_Method->ItemIndex() == 0) {
        row(L_LoRa_Device_Address, E_LoRa_Device_Address);
        row(L_LoRa_Network_Session_Key, E_LoRa_Network_Session_Key);
        row(L_LoRa_Application_Session_Key, E_LoRa_Application_Session_Key);
        hide(L_LoRa_Application_Key, E_LoRa_Application_Key);
    } else {
        hide(L_LoRa_Device_Address, E_LoRa_Device_Address);
        hide(L_LoRa_Network_Session_Key, E_LoRa_Network_Session_Key);
        hide(L_LoRa_Application_Session_Key, E_LoRa_Application_Session_Key);
        row(L_LoRa_Application_Key, E_LoRa_Application_Key);
    }
    row(L_LoRa_FPort, CB_LoRa_FPort);
    Set_Panel_Height_From(CP_LoRa, CB_LoRa_FPort);
}

void TFParGen::RePosition_Object_KNX()
{
    RePosition_Section("CP_KNX");
}

void TFParGen::RePosition_Object_Ethernet()
{
    Show_Row("L_Ethernet_TCP_Port", "E_Ethernet_TCP_Port", false);
    Show_Row("L_Ethernet_UDP_Port", "E_Ethernet_UDP_Port", false);
    Set_Panel_Height_From(CP_Ethernet, E_Ethernet_GAT4);
    // The gateway edits follow the DHCP box only, never the gateway box.
    Apply_DHCP_Rule("Ethernet", "CB_Ethernet_En_GAT");
}

// ---------------------------------------------------------------------------------
// The family's sections whose rows come and go
// ---------------------------------------------------------------------------------

namespace {

struct TRow {
    const char* Left;
    const char* Right;
};

}  // namespace

void TFParGen::RePosition_Object_BACnet_Master()
{
    static const TRow ip_rows[] = {
        {"L_BACnet_IP_Master_IP", "E_BACnet_IP_Master_IP#"},
        {"L_BACnet_IP_Master_SM", "E_BACnet_IP_Master_SM#"},
        {"CB_BACnet_IP_Master_GAT", "E_BACnet_IP_Master_GAT#"},
        {"L_BACnet_IP_Master_Port", "E_BACnet_IP_Master_Port"},
        {"L_BACnet_IP_Master_Device_Name", "E_BACnet_IP_Master_Device_Name"},
        {"L_BACnet_IP_Master_Device_Identifier", "E_BACnet_IP_Master_Device_Identifier"},
        {"L_BACnet_IP_Master_TimeOut_Polling", "E_BACnet_IP_Master_TimeOut_Polling"},
    };
    static const TRow mstp_rows[] = {
        {"L_BACnet_MSTP_Master_Baudrate", "CB_BACnet_MSTP_Master_Baudrate"},
        {"L_BACnet_MSTP_Master_Parity", "CB_BACnet_MSTP_Master_Parity"},
        {"L_BACnet_MSTP_Master_Device_Name", "E_BACnet_MSTP_Master_Device_Name"},
        {"L_BACnet_MSTP_Master_MAC_Address", "E_BACnet_MSTP_Master_MAC_Address"},
        {"L_BACnet_MSTP_Master_Max_Master", "E_BACnet_MSTP_Master_Max_Master"},
        {"L_BACnet_MSTP_Master_Max_Info_Frame", "E_BACnet_MSTP_Master_Max_Info_Frame"},
        {"L_BACnet_MSTP_Master_Device_Instance", "E_BACnet_MSTP_Master_Device_Instance"},
    };
    const bool ip = Control_As<TComboBox>("CB_BACnet_Master_Type")->ItemIndex() == 0;
    for (const TRow& r : ip_rows) Show_Row(r.Left, r.Right, ip);
    for (const TRow& r : mstp_rows) Show_Row(r.Left, r.Right, !ip);
    if (ip) {
        Apply_DHCP_Rule("BACnet_IP_Master", nullptr);
        Set_Panel_Height_From(CP_BACnet_Master, Control("E_BACnet_IP_Master_TimeOut_Polling"));
    } else {
        int y = Control("L_BACnet_IP_Master_IP")->Top();
        for (const TRow& r : mstp_rows) {
            Place_Row(r.Left, r.Right, y);
            y += Row_Pitch;
        }
        Set_Panel_Height_From(CP_BACnet_Master, Control("E_BACnet_MSTP_Master_Device_Instance"));
    }
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
    static const TRow ip_rows[] = {
        {"L_BACnet_IP_Slave_IP", "E_BACnet_IP_Slave_IP#"},
        {"L_BACnet_IP_Slave_SM", "E_BACnet_IP_Slave_SM#"},
        {"CB_BACnet_IP_Slave_GAT", "E_BACnet_IP_Slave_GAT#"},
        {"L_BACnet_IP_Slave_Port", "E_BACnet_IP_Slave_Port"},
        {"L_BACnet_IP_Slave_Device_Name", "E_BACnet_IP_Slave_Device_Name"},
        {"L_BACnet_IP_Slave_Device_Identifier", "E_BACnet_IP_Slave_Device_Identifier"},
    };
    static const TRow mstp_rows[] = {
        {"L_BACnet_MSTP_Slave_Baudrate", "CB_BACnet_MSTP_Slave_Baudrate"},
        {"L_BACnet_MSTP_Slave_Parity", "CB_BACnet_MSTP_Slave_Parity"},
        {"L_BACnet_MSTP_Slave_Device_Name", "E_BACnet_MSTP_Slave_Device_Name"},
        {"L_BACnet_MSTP_Slave_MAC_Address", "E_BACnet_MSTP_Slave_MAC_Address"},
        {"L_BACnet_MSTP_Slave_Max_Master", "E_BACnet_MSTP_Slave_Max_Master"},
        {"L_BACnet_MSTP_Slave_Max_Info_Frame", "E_BACnet_MSTP_Slave_Max_Info_Frame"},
        {"L_BACnet_MSTP_Slave_Device_Instance", "E_BACnet_MSTP_Slave_Device_Instance"},
        {"L_BACnet_MSTP_Slave_Network", "E_BACnet_MSTP_Slave_Network"},
    };
    const bool ip = Control_As<TComboBox>("CB_BACnet_Slave_Type")->ItemIndex() == 0;
    for (const TRow& r : ip_rows) Show_Row(r.Left, r.Right, ip);
    for (const TRow& r : mstp_rows) Show_Row(r.Left, r.Right, !ip);
    int last_label_top;
    if (ip) {
        Apply_DHCP_Rule("BACnet_IP_Slave", nullptr);
        last_label_top = Control("L_BACnet_IP_Slave_Device_Identifier")->Top();
    } else {
        int y = Control("L_BACnet_IP_Slave_IP")->Top();
        for (const TRow& r : mstp_rows) {
            Place_Row(r.Left, r.Right, y);
            y += Row_Pitch;
        }
        last_label_top = y - Row_Pitch;
    }
    TControl* desc = Control("CB_BACnet_Slave_Desc_32_Chars");
    desc->SetTop(last_label_top + Row_Pitch);
    Set_Panel_Height_From(CP_BACnet_Slave, desc);
}

void TFParGen::RePosition_Object_MBus()
{
    const bool present = Control_As<TComboBox>("CB_MBus_OnWire_Present")->ItemIndex() == 1;
    Show_Row("L_MBus_Baud", "CB_MBus_Baud", present);
    Show_Row("L_MBus_Parity", "CB_MBus_Parity", present);
    Show_Row("L_MBus_Cyclic_Delay", "E_MBus_Cyclic_Delay", present);
    Show_Row("L_MBus_NodeState", "E_MBus_NodeState", present);
    Show_Row("CB_MBus_FixCField", "CB_MBus_SelectCField", present);
    Set_Panel_Height_From(CP_MBus, Control(present ? "CB_MBus_SelectCField" : "CB_MBus_OnWire_Present"));
}

void TFParGen::RePosition_Object_wMBus()
{
    const bool present = Control_As<TComboBox>("CB_wMBus_Wireless_Present")->ItemIndex() == 1;
    Show_Row("L_wMBus_Mode", "CB_wMBus_Mode", present);
    Show_Row("L_wMBus_Radio_Channel", "CB_wMBus_Radio_Channel", present);
    Set_Panel_Height_From(CP_wMBus, Control(present ? "CB_wMBus_Radio_Channel" : "CB_wMBus_Wireless_Present"));
}

void TFParGen::RePosition_Object_TLS_Server()
{
    const bool enabled = Control_As<TCheckBox>("CB_TLS_Server_Enable")->Checked();
    Show_Row("L_TLS_Server_Key", "E_TLS_Server_Key", enabled);
    Show_Row("L_TLS_Server_Key_Pass", "E_TLS_Server_Key_Pass", enabled);
    Show_Row("L_TLS_Server_Server_Cert", "E_TLS_Server_Server_Cert", enabled);
    Show_Row("L_TLS_Server_Root_Cert", "E_TLS_Server_Root_Cert", enabled);
    Show_Row("CB_TLS_Server_En_Known_Cert", nullptr, enabled);
    Set_Panel_Height_From(CP_TLS_Server, Control(enabled ? "CB_TLS_Server_En_Known_Cert" : "CB_TLS_Server_Enable"));
}

void TFParGen::RePosition_Object_MQTT()
{
    const bool will = Control_As<TCheckBox>("CB_MQTT_WillFlag")->Checked();
    Show_Row("L_MQTT_Will_TopicName", "E_MQTT_Will_TopicName", will);
    Show_Row("L_MQTT_Will_Message", "E_MQTT_Will_Message", will);
    Show_Row("CB_MQTT_Will_Retained", nullptr, will);
    Show_Row("L_MQTT_Will_QoS", "CB_MQTT_Will_QoS", will);

    int y = will ? Control("L_MQTT_Will_QoS")->Top() + Row_Pitch : Control("L_MQTT_Will_TopicName")->Top();
    auto* publish = Control_As<TCheckBox>("CB_MQTT_PublishTopicConnection");
    publish->SetTop(y);
    y += Row_Pitch;

    static const TRow connection_rows[] = {
        {"L_MQTT_Connection_TopicName", "E_MQTT_Connection_TopicName"},
        {"L_MQTT_Connection_Message", "E_MQTT_Connection_Message"},
        {"CB_MQTT_Connection_Retained", nullptr},
    };
    const bool connection = publish->Checked();
    for (const TRow& r : connection_rows) {
        Show_Row(r.Left, r.Right, connection);
        if (connection) {
            Place_Row(r.Left, r.Right, y);
            y += Row_Pitch;
        }
    }
    static const TRow tail_rows[] = {
        {"L_MQTT_Username", "E_MQTT_Username"},
        {"L_MQTT_Password", "E_MQTT_Password"},
        {"L_MQTT_ASync_Send_Time", "E_MQTT_ASync_Send_Time"},
    };
    for (const TRow& r : tail_rows) {
        Place_Row(r.Left, r.Right, y);
        y += Row_Pitch;
    }
    Set_Panel_Height_From(CP_MQTT, Control("E_MQTT_ASync_Send_Time"));
}

void TFParGen::RePosition_Object_TLS()
{
    const bool enabled = Control_As<TCheckBox>("CB_TLS_Enable")->Checked();
    auto* server_auth = Control_As<TCheckBox>("CB_TLS_En_Server_Auth");
    auto* client_auth = Control_As<TCheckBox>("CB_TLS_En_Client_Auth");
    const bool server_cert = enabled && server_auth->Checked();
    const bool client_rows = enabled && client_auth->Checked();

    server_auth->SetVisible(enabled);
    client_auth->SetVisible(enabled);
    Show_Row("L_TLS_Server_Cert", "E_TLS_Server_Cert", server_cert);
    static const TRow rows[] = {
        {"L_TLS_Client_Cert", "E_TLS_Client_Cert"},
        {"L_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key"},
        {"L_TLS_Client_Cert_Key_Pass", "E_TLS_Client_Cert_Key_Pass"},
    };
    for (const TRow& r : rows) Show_Row(r.Left, r.Right, client_rows);

    TControl* last = Control("CB_TLS_Enable");
    if (enabled) {
        int y = server_cert ? Control("E_TLS_Server_Cert")->Top() + Row_Pitch : server_auth->Top() + Row_Pitch;
        client_auth->SetTop(y);
        last = client_auth;
        if (client_rows) {
            for (const TRow& r : rows) {
                y += Row_Pitch;
                Place_Row(r.Left, r.Right, y);
            }
            last = Control("E_TLS_Client_Cert_Key_Pass");
        }
    }
    Set_Panel_Height_From(CP_TLS, last);
}

void TFParGen::RePosition_Object_WiFi()
{
    const int type = Control_As<TComboBox>("CB_WiFi_Type")->ItemIndex();
    if (type != 0 && type != 1) return;   // WiFi Direct changes nothing

    static const TRow address_rows[] = {
        {"L_WiFi_IP", "E_WiFi_IP#"},
        {"L_WiFi_SM", "E_WiFi_SM#"},
        {"CB_WiFi_En_Gat", "E_WiFi_GAT#"},
        {"CB_WiFi_En_DNS", "E_WiFi_DNS#"},
    };
    static const TRow dhcp_rows[] = {
        {"L_WiFi_DHCP_First_IP", "E_WiFi_DHCP_First_IP#"},
        {"L_WiFi_DHCP_SM", "E_WiFi_DHCP_SM#"},
        {"L_WiFi_Lease_Time", "E_WiFi_Lease_Time"},
    };
    static const TRow every_row[] = {
        {"CB_WiFi_IP_Auto", nullptr},
        {"L_WiFi_IP", "E_WiFi_IP#"},
        {"L_WiFi_SM", "E_WiFi_SM#"},
        {"CB_WiFi_En_Gat", "E_WiFi_GAT#"},
        {"CB_WiFi_En_DNS", "E_WiFi_DNS#"},
        {"L_WiFi_Port", "E_WiFi_Port"},
        {"CB_WiFi_En_WPS", nullptr},
        {"L_WiFi_SSID", "E_WiFi_SSID"},
        {"L_WiFi_Password", "E_WiFi_Password"},
        {"L_WiFi_Secure_Type", "CB_WiFi_Secure_Type"},
        {"CB_WiFi_En_DHCP", nullptr},
        {"L_WiFi_DHCP_First_IP", "E_WiFi_DHCP_First_IP#"},
        {"L_WiFi_DHCP_SM", "E_WiFi_DHCP_SM#"},
        {"L_WiFi_Lease_Time", "E_WiFi_Lease_Time"},
        {"L_WiFi_Name", "E_WiFi_Name"},
        {"L_WiFi_Max_Client", "CB_WiFi_Max_Client"},
        {"L_WiFi_Channel", "CB_WiFi_Channel"},
    };
    // Every row not taken below stays hidden.
    for (const TRow& r : every_row) Show_Row(r.Left, r.Right, false);

    int y = Control("L_WiFi_Type")->Top() + Row_Pitch;
    auto take = [&](const TRow& r) {
        Show_Row(r.Left, r.Right, true);
        Place_Row(r.Left, r.Right, y);
        y += Row_Pitch;
    };
    if (type == 0) {
        for (const TRow& r : address_rows) take(r);
        take({"L_WiFi_Port", "E_WiFi_Port"});
        take({"L_WiFi_SSID", "E_WiFi_SSID"});
        take({"L_WiFi_Secure_Type", "CB_WiFi_Secure_Type"});
        if (Control_As<TComboBox>("CB_WiFi_Secure_Type")->ItemIndex() != 0) take({"L_WiFi_Password", "E_WiFi_Password"});
        take({"CB_WiFi_En_DHCP", nullptr});
        if (Control_As<TCheckBox>("CB_WiFi_En_DHCP")->Checked())
            for (const TRow& r : dhcp_rows) take(r);
        take({"L_WiFi_Max_Client", "CB_WiFi_Max_Client"});
        take({"L_WiFi_Channel", "CB_WiFi_Channel"});
        Set_Panel_Height_From(CP_WiFi, Control("CB_WiFi_Channel"));
    } else {
        take({"CB_WiFi_IP_Auto", nullptr});
        if (!Control_As<TCheckBox>("CB_WiFi_IP_Auto")->Checked())
            for (const TRow& r : address_rows) take(r);
        else
            take({"L_WiFi_Name", "E_WiFi_Name"});
        take({"L_WiFi_Port", "E_WiFi_Port"});
        take({"L_WiFi_SSID", "E_WiFi_SSID"});
        take({"L_WiFi_Password", "E_WiFi_Password"});
        Set_Panel_Height_From(CP_WiFi, Control("E_WiFi_Password"));
    }
}

void TFParGen::RePosition_Object_SNMP_Agent()
{
    Apply_DHCP_Rule("SNMP_Agent", nullptr);
    const bool v3 = Control_As<TCheckBox>("CB_SNMP_Agent_Version3")->Checked();
    const int level = Control_As<TComboBox>("CB_SNMP_Agent_SecurityLevel")->ItemIndex();
    const bool authority = v3 && (level == 1 || level == 2);
    const bool privacy = v3 && level == 2;
    Show_Row("L_SNMP_Agent_User", "E_SNMP_Agent_User", v3);
    Show_Row("L_SNMP_Agent_SecurityLevel", "CB_SNMP_Agent_SecurityLevel", v3);
    Show_Row("L_SNMP_Agent_Authority", "E_SNMP_Agent_Authority", authority);
    Show_Row("L_SNMP_Agent_AuthorityMode", "CB_SNMP_Agent_AuthorityMode", authority);
    Show_Row("L_SNMP_Agent_Privacy", "E_SNMP_Agent_Privacy", privacy);
    Show_Row("L_SNMP_Agent_PrivacyMode", "CB_SNMP_Agent_PrivacyMode", privacy);
    const char* last = privacy     ? "CB_SNMP_Agent_PrivacyMode"
                       : authority ? "CB_SNMP_Agent_AuthorityMode"
                       : v3        ? "CB_SNMP_Agent_SecurityLevel"
                                   : "CB_SNMP_Agent_Version3";
    Set_Panel_Height_From(CP_SNMP_Agent, Control(last));
}
