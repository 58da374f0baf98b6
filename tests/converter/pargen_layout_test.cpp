// The family's other models through the same dispatchers: their panel sequences, and the
// section rules whose rows come and go. Also the size of the text assignment.
#include "tests/converter/pargen_fixture.h"

#include "converter/UParGenDesign.h"

namespace {

struct Shown {
    String Name;
    String Caption;
    int Tab;
};

std::vector<Shown> Shown_Panels(TFParGen* w)
{
    std::vector<Shown> out;
    int expected_top = 0;
    for (int i = 0; i < w->CPG->PanelCount(); ++i) {
        TCategoryPanel* p = w->CPG->Panels(i);
        if (!p->Visible()) continue;
        EXPECT_EQ(p->Top(), expected_top) << p->Name() << " stacks right below the previous panel";
        expected_top += p->Height();
        out.push_back({p->Name(), p->Caption(), p->TabOrder()});
    }
    return out;
}

TComboBox* L(TFParGen* w, const char* name) { return w->Control_As<TComboBox>(name); }
TCheckBox* B(TFParGen* w, const char* name) { return w->Control_As<TCheckBox>(name); }
TControl* C(TFParGen* w, const char* name) { return w->Control(name); }
int Bottom(TControl* c) { return c->Top() + c->Height(); }

}  // namespace

TEST_P(ParGenModelTest, EachModelShowsItsDocumentedPanelSequence)
{
    const pargen::TModelDesign* m = pargen::Find_Model_Design(GetParam());
    ASSERT_NE(m, nullptr);
    std::vector<Shown> expected;
    for (const pargen::TModelPanel& mp : m->Panels) {
        if (!mp.Panel) break;
        if (m->Ethernet_Hidden_By && String(mp.Panel) == "CP_Ethernet") continue;   // BACnet/IP first
        const int n = int(expected.size());
        expected.push_back({mp.Panel, IntToStr(n + 1) + ". " + Text(mp.Caption_Text), n});
    }
    const std::vector<Shown> shown = Shown_Panels(W);
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].Name, expected[i].Name);
        EXPECT_EQ(shown[i].Caption, expected[i].Caption);
        EXPECT_EQ(shown[i].Tab, expected[i].Tab);
    }
}

INSTANTIATE_TEST_SUITE_P(Family, ParGenModelTest,
                         ::testing::Values("41R02", "41R05", "41R08", "41R11", "41R14", "41R17", "41R21", "41R23",
                                           "41R26", "41R30", "41R32", "41R35", "41R37", "41R40", "41R42", "41R44",
                                           "41R46", "41R48", "41R50", "41R53", "41R55", "41R57", "41R59", "41R61",
                                           "41R63", "41R65", "41R66", "41R69", "41R71"));

// Three models written out in full, so the table above is checked against the documented
// sequences and not only against itself.
class ParGenS7 : public ParGenTest {
    String Model() const override { return "41R66"; }
};
TEST_F(ParGenS7, ThreePanelsNumberedOneToThree)
{
    const std::vector<Shown> s = Shown_Panels(W);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].Caption, "1. Ethernet Connection");
    EXPECT_EQ(s[1].Caption, "2. LoRaWAN");
    EXPECT_EQ(s[2].Name, "CP_S7_Protocol");
    EXPECT_EQ(s[2].Caption, "3. " + Text(2784));
    EXPECT_EQ(s[2].Tab, 2);
}

class ParGenIEC61850Server : public ParGenTest {
    String Model() const override { return "41R59"; }
};
TEST_F(ParGenIEC61850Server, ThreeProtocolPanelsAndNoEthernet)
{
    const std::vector<Shown> s = Shown_Panels(W);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[2].Name, "CP_IEC61850_Server");
    EXPECT_EQ(s[3].Name, "CP_TLS_Server");
    EXPECT_EQ(s[4].Name, "CP_NTP");
    EXPECT_EQ(s[4].Caption, "5. " + Text(2557));
    EXPECT_FALSE(W->CP_Ethernet->Visible());
    EXPECT_FALSE(W->CP_KNX->Visible());
}

class ParGenMQTT : public ParGenTest {
    String Model() const override { return "41R61"; }
};
TEST_F(ParGenMQTT, SixPanelsWithEthernetBetweenMqttAndTls)
{
    const std::vector<Shown> s = Shown_Panels(W);
    ASSERT_EQ(s.size(), 6u);
    const char* names[] = {"CP_Ethernet_Connection", "CP_LoRa", "CP_MQTT", "CP_Ethernet", "CP_TLS", "CP_NTP"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s[size_t(i)].Name, names[i]);
    EXPECT_EQ(s[3].Caption, "4. Ethernet");
}

TEST_F(ParGenMQTT, TlsRowsFollowTheirBoxes)
{
    TCheckBox* enable = B(W, "CB_TLS_Enable");
    TCheckBox* server = B(W, "CB_TLS_En_Server_Auth");
    TCheckBox* client = B(W, "CB_TLS_En_Client_Auth");
    // Everything off: only the enable box.
    EXPECT_FALSE(server->Visible());
    EXPECT_FALSE(client->Visible());
    EXPECT_FALSE(C(W, "E_TLS_Client_Cert")->Visible());
    EXPECT_EQ(W->CP_TLS->Height(), Bottom(enable) + 36);

    Tick(enable, true);
    EXPECT_TRUE(server->Visible());
    EXPECT_TRUE(client->Visible());
    EXPECT_FALSE(C(W, "E_TLS_Server_Cert")->Visible());
    EXPECT_EQ(client->Top(), server->Top() + 28);
    EXPECT_EQ(W->CP_TLS->Height(), Bottom(client) + 36);

    // Client authentication alone: three client rows right under its box.
    Tick(client, true);
    const char* rows[][2] = {{"L_TLS_Client_Cert", "E_TLS_Client_Cert"},
                             {"L_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key"},
                             {"L_TLS_Client_Cert_Key_Pass", "E_TLS_Client_Cert_Key_Pass"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(C(W, rows[i][1])->Visible());
        EXPECT_EQ(C(W, rows[i][0])->Top(), client->Top() + 28 * (i + 1));
        EXPECT_EQ(C(W, rows[i][1])->Top(), client->Top() + 28 * (i + 1) - 3);
    }
    EXPECT_EQ(W->CP_TLS->Height(), Bottom(C(W, "E_TLS_Client_Cert_Key_Pass")) + 36);

    // The server certificate row pushes the client box down.
    Tick(server, true);
    EXPECT_TRUE(C(W, "E_TLS_Server_Cert")->Visible());
    EXPECT_EQ(client->Top(), C(W, "E_TLS_Server_Cert")->Top() + 28);

    Tick(enable, false);
    EXPECT_FALSE(C(W, "E_TLS_Client_Cert")->Visible());
    EXPECT_EQ(W->CP_TLS->Height(), Bottom(enable) + 36);
}

TEST_F(ParGenMQTT, MqttPublishRowsMoveWithTheWillRows)
{
    TCheckBox* will = B(W, "CB_MQTT_WillFlag");
    TCheckBox* publish = B(W, "CB_MQTT_PublishTopicConnection");
    const int topic_top = C(W, "L_MQTT_Will_TopicName")->Top();
    EXPECT_FALSE(C(W, "E_MQTT_Will_TopicName")->Visible());
    EXPECT_EQ(publish->Top(), topic_top);
    EXPECT_EQ(C(W, "L_MQTT_Username")->Top(), topic_top + 28);
    const int height = W->CP_MQTT->Height();

    Tick(will, true);
    EXPECT_TRUE(C(W, "CB_MQTT_Will_QoS")->Visible());
    EXPECT_EQ(publish->Top(), C(W, "L_MQTT_Will_QoS")->Top() + 28);
    EXPECT_EQ(W->CP_MQTT->Height(), height + 4 * 28);

    Tick(publish, true);
    EXPECT_EQ(C(W, "L_MQTT_Connection_TopicName")->Top(), publish->Top() + 28);
    EXPECT_EQ(C(W, "CB_MQTT_Connection_Retained")->Top(), publish->Top() + 84);
    EXPECT_EQ(C(W, "L_MQTT_Username")->Top(), publish->Top() + 112);
    EXPECT_EQ(C(W, "E_MQTT_ASync_Send_Time")->Top(), publish->Top() + 168 - 3);
    EXPECT_FALSE(C(W, "E_MQTT_Password__")->Visible());
    EXPECT_EQ(W->CP_MQTT->Height(), Bottom(C(W, "E_MQTT_ASync_Send_Time")) + 36);
}

class ParGenMBus : public ParGenTest {
    String Model() const override { return "41R11"; }
};
TEST_F(ParGenMBus, NotPresentCollapsesTheSectionToItsFirstRow)
{
    TComboBox* wired = L(W, "CB_MBus_OnWire_Present");
    EXPECT_EQ(wired->ItemIndex(), 0);
    EXPECT_FALSE(C(W, "CB_MBus_Baud")->Visible());
    EXPECT_EQ(W->CP_MBus->Height(), Bottom(wired) + 36);
    Pick(wired, 1);
    for (const char* n : {"CB_MBus_Baud", "CB_MBus_Parity", "E_MBus_Cyclic_Delay", "E_MBus_NodeState",
                          "CB_MBus_FixCField", "CB_MBus_SelectCField"})
        EXPECT_TRUE(C(W, n)->Visible()) << n;
    EXPECT_EQ(W->CP_MBus->Height(), Bottom(C(W, "CB_MBus_SelectCField")) + 36);
    EXPECT_EQ(W->CP_wMBus->Top(), W->CP_MBus->Top() + W->CP_MBus->Height());
    Pick(L(W, "CB_wMBus_Wireless_Present"), 1);
    EXPECT_TRUE(C(W, "CB_wMBus_Radio_Channel")->Visible());
    EXPECT_EQ(W->CP_wMBus->Height(), Bottom(C(W, "CB_wMBus_Radio_Channel")) + 36);
}

class ParGenBACnetMaster : public ParGenTest {
    String Model() const override { return "41R30"; }
};
TEST_F(ParGenBACnetMaster, MstpShowsTheEthernetPanelAndMovesItsRowsUp)
{
    TComboBox* type = L(W, "CB_BACnet_Master_Type");
    EXPECT_FALSE(W->CP_Ethernet->Visible());
    EXPECT_TRUE(C(W, "E_BACnet_IP_Master_IP1")->Visible());
    EXPECT_FALSE(C(W, "CB_BACnet_MSTP_Master_Baudrate")->Visible());
    const int ip_label_top = C(W, "L_BACnet_IP_Master_IP")->Top();

    Pick(type, 1);
    EXPECT_TRUE(W->CP_Ethernet->Visible());
    EXPECT_EQ(W->CP_Ethernet->Top(), W->CP_BACnet_Master->Top() + W->CP_BACnet_Master->Height());
    EXPECT_EQ(W->CP_Ethernet->Caption(), "4. Ethernet");
    EXPECT_FALSE(C(W, "E_BACnet_IP_Master_IP1")->Visible());
    EXPECT_FALSE(C(W, "CB_BACnet_IP_Master_GAT")->Visible());
    EXPECT_EQ(C(W, "L_BACnet_MSTP_Master_Baudrate")->Top(), ip_label_top);
    EXPECT_EQ(C(W, "CB_BACnet_MSTP_Master_Baudrate")->Top(), ip_label_top - 3);
    EXPECT_EQ(C(W, "L_BACnet_MSTP_Master_Device_Instance")->Top(), ip_label_top + 6 * 28);
    EXPECT_EQ(W->CP_BACnet_Master->Height(), Bottom(C(W, "E_BACnet_MSTP_Master_Device_Instance")) + 36);

    Pick(type, 0);
    EXPECT_FALSE(W->CP_Ethernet->Visible());
    EXPECT_EQ(W->CP_BACnet_Master->Height(), Bottom(C(W, "E_BACnet_IP_Master_TimeOut_Polling")) + 36);
}

class ParGenBACnetSlave : public ParGenTest {
    String Model() const override { return "41R32"; }
};
TEST_F(ParGenBACnetSlave, TheDescriptionBoxFollowsTheLastRow)
{
    TControl* desc = C(W, "CB_BACnet_Slave_Desc_32_Chars");
    EXPECT_EQ(desc->Top(), C(W, "L_BACnet_IP_Slave_Device_Identifier")->Top() + 28);
    Pick(L(W, "CB_BACnet_Slave_Type"), 1);
    EXPECT_EQ(desc->Top(), C(W, "L_BACnet_MSTP_Slave_Network")->Top() + 28);
    EXPECT_EQ(C(W, "L_BACnet_MSTP_Slave_Baudrate")->Top(), C(W, "L_BACnet_IP_Slave_IP")->Top());
    EXPECT_EQ(W->CP_BACnet_Slave->Height(), Bottom(desc) + 36);
    EXPECT_TRUE(W->CP_Ethernet->Visible());
}

class ParGenSNMPAgent : public ParGenTest {
    String Model() const override { return "41R71"; }
};
TEST_F(ParGenSNMPAgent, VersionThreeDecidesTheSecurityRows)
{
    TCheckBox* v3 = B(W, "CB_SNMP_Agent_Version3");
    TComboBox* level = L(W, "CB_SNMP_Agent_SecurityLevel");
    level->SetItemIndex(2);
    W->Move_GroupBoxs();
    for (const char* n : {"E_SNMP_Agent_User", "CB_SNMP_Agent_SecurityLevel", "E_SNMP_Agent_Authority",
                          "CB_SNMP_Agent_PrivacyMode"})
        EXPECT_FALSE(C(W, n)->Visible()) << n << " whatever the level says";
    EXPECT_EQ(W->CP_SNMP_Agent->Height(), Bottom(v3) + 36);

    struct Case {
        int Level;
        bool Authority, Privacy;
        const char* Last;
    };
    Tick(v3, true);
    for (const Case& c : {Case{0, false, false, "CB_SNMP_Agent_SecurityLevel"},
                          Case{1, true, false, "CB_SNMP_Agent_AuthorityMode"},
                          Case{2, true, true, "CB_SNMP_Agent_PrivacyMode"}}) {
        Pick(level, c.Level);
        EXPECT_TRUE(C(W, "E_SNMP_Agent_User")->Visible());
        EXPECT_EQ(C(W, "CB_SNMP_Agent_AuthorityMode")->Visible(), c.Authority) << c.Level;
        EXPECT_EQ(C(W, "E_SNMP_Agent_Privacy")->Visible(), c.Privacy) << c.Level;
        EXPECT_EQ(W->CP_SNMP_Agent->Height(), Bottom(C(W, c.Last)) + 36) << c.Level;
    }
}

// DHCP of the Ethernet Connection panel reaches the address fields of the family's
// sections; only some of them disable their gateway box too.
struct DhcpRule {
    const char* Model;
    const char* Prefix;
    const char* Gateway_Box;
    bool Box_Follows;
};
void PrintTo(const DhcpRule& r, std::ostream* os) { *os << r.Model << " " << r.Prefix; }
class ParGenDhcpTest : public ParGenTest, public ::testing::WithParamInterface<DhcpRule> {
protected:
    String Model() const override { return GetParam().Model; }
};

TEST_P(ParGenDhcpTest, DhcpDisablesTheSectionAddressFields)
{
    const DhcpRule& r = GetParam();
    Tick(W->CB_EthConn_En_DHCP_Cable, true);
    for (const char* part : {"_IP1", "_SM3", "_GAT4"})
        EXPECT_FALSE(C(W, (String("E_") + r.Prefix + part).c_str())->Enabled()) << r.Prefix << part;
    EXPECT_EQ(C(W, r.Gateway_Box)->Enabled(), !r.Box_Follows);
    Tick(W->CB_EthConn_En_DHCP_Cable, false);
    EXPECT_TRUE(C(W, (String("E_") + r.Prefix + "_GAT1").c_str())->Enabled());
    EXPECT_TRUE(C(W, r.Gateway_Box)->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Sections, ParGenDhcpTest,
                         ::testing::Values(DhcpRule{"41R21", "ModbusTCPMaster", "CB_ModbusTCPMaster_En_GAT", true},
                                           DhcpRule{"41R23", "ModbusTCPSlave", "CB_ModbusTCPSlave_En_GAT", true},
                                           DhcpRule{"41R08", "Ethernet", "CB_Ethernet_En_GAT", true},
                                           DhcpRule{"41R63", "OPC_UA_Client", "CB_OPC_UA_Client_En_GAT", false},
                                           DhcpRule{"41R66", "S7_Protocol", "CB_S7_Protocol_En_GAT", false},
                                           DhcpRule{"41R55", "PROFINET", "CB_PROFINET_GAT", false},
                                           DhcpRule{"41R30", "BACnet_IP_Master", "CB_BACnet_IP_Master_GAT", false}));

TEST_F(ParGenTest, WiFiRowsFollowTheTypeAndItsChoices)
{
    // No model shows the Wi-Fi section; its routine is reached directly.
    TComboBox* type = L(W, "CB_WiFi_Type");
    const int first = C(W, "L_WiFi_Type")->Top() + 28;
    W->RePosition_Object_WiFi();
    EXPECT_EQ(C(W, "L_WiFi_IP")->Top(), first);
    EXPECT_FALSE(C(W, "E_WiFi_Password")->Visible()) << "unsecured access point";
    EXPECT_FALSE(C(W, "E_WiFi_DHCP_First_IP1")->Visible());
    EXPECT_EQ(C(W, "L_WiFi_Max_Client")->Top(), first + 8 * 28);
    L(W, "CB_WiFi_Secure_Type")->SetItemIndex(2);
    B(W, "CB_WiFi_En_DHCP")->SetChecked(true);
    W->RePosition_Object_WiFi();
    EXPECT_TRUE(C(W, "E_WiFi_Password")->Visible());
    EXPECT_TRUE(C(W, "E_WiFi_DHCP_SM4")->Visible());
    EXPECT_EQ(C(W, "L_WiFi_Channel")->Top(), first + 13 * 28);
    EXPECT_EQ(W->CP_WiFi->Height(), Bottom(C(W, "CB_WiFi_Channel")) + 36);

    type->SetItemIndex(1);
    B(W, "CB_WiFi_IP_Auto")->SetChecked(true);
    W->RePosition_Object_WiFi();
    EXPECT_EQ(C(W, "CB_WiFi_IP_Auto")->Top(), first);
    EXPECT_FALSE(C(W, "E_WiFi_IP1")->Visible());
    EXPECT_EQ(C(W, "L_WiFi_Name")->Top(), first + 28);
    EXPECT_FALSE(C(W, "CB_WiFi_Channel")->Visible());
    EXPECT_EQ(W->CP_WiFi->Height(), Bottom(C(W, "E_WiFi_Password")) + 36);

    const int height = W->CP_WiFi->Height();
    type->SetItemIndex(2);
    W->RePosition_Object_WiFi();
    EXPECT_EQ(W->CP_WiFi->Height(), height) << "WiFi Direct changes nothing";
}

TEST_F(ParGenTest, TheTextAssignmentCovers655EntriesInTheWindowsRanges)
{
    int entries = 0;
    for (int i = 0; i < pargen::Text_Design_Count; ++i) {
        const pargen::TTextDesign& t = pargen::Text_Designs[i];
        entries += t.Count;
        for (int k = 0; k < t.Count; ++k) {
            const int n = t.Number + k;
            EXPECT_TRUE((n >= 400 && n <= 999) || (n >= 2500 && n <= 2999)) << t.Name;
        }
        EXPECT_TRUE(String(t.Name) == "FParGen" || W->Control(t.Name)) << t.Name;
    }
    EXPECT_EQ(entries, 655);
    // A check box takes its caption and then its hint; a list only its hint.
    EXPECT_EQ(W->CB_Ethernet_En_GAT->Caption(), Text(447));
    EXPECT_EQ(W->CB_Ethernet_En_GAT->Hint(), Text(448));
    EXPECT_EQ(W->E_Ethernet_GAT1->Hint(), Text(449));
    EXPECT_EQ(W->CB_LoRa_FrequencySubBand->Hint(), Text(2905));
    EXPECT_EQ(W->Btn_OK->Caption(), Text(402));
    EXPECT_EQ(W->Btn_Cancel->Hint(), Text(405));
    auto* channel = L(W, "CB_WiFi_Channel");
    ASSERT_EQ(channel->Items()->Count(), 12);
    EXPECT_EQ(channel->Items()->Strings(11), Text(2665));
}
