// ParGen.xml: the written layout, values read back into the controls, defaults for missing
// keys, and files that are broken in every way a user's disk can break them.
#include "tests/converter/pargen_fixture.h"

#include <fstream>

#ifndef CONVERTER_TEST_DATA
#define CONVERTER_TEST_DATA "tests/converter/data"
#endif

namespace {

const char* const Key_Order[] = {
    "Eth_Conn_Device_Name", "Eth_Conn_DHCP_Cable", "Eth_Conn_DHCP_WiFi", "Eth_Conn_Enable_DNS",
    "Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2", "Eth_Conn_Primary_DNS3", "Eth_Conn_Primary_DNS4",
    "Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2", "Eth_Conn_Secondary_DNS3", "Eth_Conn_Secondary_DNS4",
    "LoRa_RF_Band", "LoRa_Network_Type", "LoRa_Adaptive_DataRate", "LoRa_DataRate", "LoRa_Transmission_Type",
    "LoRa_Payload_Size", "LoRa_Activation_Method", "LoRa_Device_Address", "LoRa_JoinEUI",
    "LoRa_Network_Session_Key", "LoRa_Application_Session_Key", "LoRa_Application_Key", "LoRa_FPort",
    "LoRa_Frequency_SubBand", "Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4", "Ethernet_SM1",
    "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4", "Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3",
    "Ethernet_GAT4", "Ethernet_EN_GAT", "KNX_TYPE", "KNX_ID_DEV"};

String Golden(const char* name)
{
    return ReadFileBytes(String(CONVERTER_TEST_DATA) + "/" + name);
}

String Saved(const String& file, const char* key)
{
    TXMLDocument doc;
    doc.LoadFromFile(file);
    return doc.DocumentElement().ChildNode(key).Text();
}

}  // namespace

TEST_F(ParGenTest, OkWritesTheFortyOneKeysInOrderAfterTheRootAndItsComment)
{
    TInteractionScript script;
    EXPECT_EQ(Open(script, [&] { UserClick(W->Btn_OK); }), mrOk);
    EXPECT_EQ(script.Problems(), "");
    const String bytes = Read_File();
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.rfind("<Par_Gen>", 0), 0u) << "nothing precedes the root";
    EXPECT_NE(bytes.find("</Par_Gen>\n<!--SW_VERSION = 1.002-->"), String::npos);

    TXMLDocument doc;
    doc.LoadFromFile(FileName_ParGen);
    const TXMLNode root = doc.DocumentElement();
    ASSERT_EQ(root.ChildCount(), 41);
    for (int i = 0; i < 41; ++i) EXPECT_EQ(root.Child(i).NodeName(), Key_Order[i]) << i;
    // Every value form of a new configuration, hidden rows included.
    EXPECT_EQ(bytes, Golden("pargen_no_file.xml"));
}

TEST_F(ParGenTest, DataRateTextsWithTabsRoundTripByteForByte)
{
    Write_File({{"LoRa_RF_Band", "EU868"}, {"LoRa_DataRate", "3 -\tLoRa: SF9/125kHz 1760 [bit/s]"},
                {"LoRa_Payload_Size", "7"}});
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(TFParGen::List_Text(W->CB_LoRa_RF_Band), "EU868");
        EXPECT_EQ(W->CB_LoRa_DataRate->ItemIndex(), 3);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "115") << "a stored payload never reaches the screen";
        UserClick(W->Btn_OK);
    });
    EXPECT_NE(Read_File().find("<LoRa_DataRate>3 -\tLoRa: SF9/125kHz 1760 [bit/s]</LoRa_DataRate>"), String::npos);
    EXPECT_EQ(Saved(FileName_ParGen, "LoRa_Payload_Size"), "115");
}

TEST_F(ParGenTest, ValuesAreReadIntoTheControlsByTheirForm)
{
    struct Case {
        const char* Key;
        const char* Stored;
        std::function<void(TFParGen*)> Check;
        const char* Saved_Back;
    };
    const Case cases[] = {
        {"LoRa_Transmission_Type", "unconfirmed",
         [](TFParGen* w) { EXPECT_EQ(w->CB_LoRa_Transmission_Type->ItemIndex(), 0); }, "Unconfirmed"},
        {"LoRa_Activation_Method", "OVER-THE-AIR ACTIVATION [OTAA]",
         [](TFParGen* w) { EXPECT_TRUE(w->E_LoRa_Application_Key->Visible()); }, "Over-the-Air Activation [OTAA]"},
        {"KNX_TYPE", "7", [](TFParGen* w) { EXPECT_EQ(w->CB_KNX_Type->ItemIndex(), -1); }, "-1"},
        {"KNX_TYPE", "1", [](TFParGen* w) { EXPECT_EQ(w->CB_KNX_Type->ItemIndex(), 1); }, "1"},
        {"KNX_TYPE", "tp", [](TFParGen* w) { EXPECT_EQ(w->CB_KNX_Type->ItemIndex(), 0); }, "0"},
        {"Eth_Conn_DHCP_Cable", "1", [](TFParGen* w) { EXPECT_FALSE(w->E_Ethernet_IP1->Enabled()); }, "1"},
        {"Eth_Conn_DHCP_Cable", "yes", [](TFParGen* w) { EXPECT_TRUE(w->E_Ethernet_IP1->Enabled()); }, "0"},
        {"Eth_Conn_DHCP_WiFi", "1", [](TFParGen* w) { EXPECT_FALSE(w->CB_EthConn_En_DHCP_WiFi->Checked()); }, "0"},
        {"Eth_Conn_Device_Name", " Hall 3 ",
         [](TFParGen* w) { EXPECT_EQ(w->E_EthConn_Device_Name->Text(), " Hall 3 "); }, " Hall 3 "},
        {"LoRa_JoinEUI", "70b3d57ed0001234",
         [](TFParGen* w) { EXPECT_EQ(w->E_LoRa_JoinEUI->Text(), "70B3D57ED0001234"); }, "70B3D57ED0001234"},
        {"LoRa_Frequency_SubBand", "8",
         [](TFParGen* w) { EXPECT_EQ(w->CB_LoRa_FrequencySubBand->ItemIndex(), 7); }, "8"},
        {"LoRa_FPort", "variable", [](TFParGen* w) { EXPECT_EQ(w->CB_LoRa_FPort->ItemIndex(), 1); }, "Variable"},
        {"Ethernet_EN_GAT", "1", [](TFParGen* w) { EXPECT_TRUE(w->CB_Ethernet_En_GAT->Checked()); }, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Key) + " = " + c.Stored);
        Write_File({{c.Key, c.Stored}});
        TInteractionScript script;
        Open(script, [&] {
            c.Check(W);
            UserClick(W->Btn_OK);
        });
        EXPECT_EQ(script.Problems(), "");
        EXPECT_EQ(Saved(FileName_ParGen, c.Key), c.Saved_Back);
    }
}

// Whatever the user types into an edit of the window comes back exactly so at the next
// open: blanks, lower case shown in upper case, text cut at the length limit, values that
// only the validation of other settings would refuse. Every key kept in an edit, in two
// rounds of values; the payload field takes no key and always shows the band's maximum.
TEST_F(ParGenTest, WhatIsTypedIntoEveryEditIsShownAgainAtTheNextOpen)
{
    struct Value {
        String Typed;
        String Shown;   // what the edit shows as it is typed, and after OK and a new open
    };
    struct Case {
        const char* Key;
        const char* Edit;
        Value Round[2];
        bool Otaa = false;   // shown for over-the-air activation only
    };
    const String name_31 = String(31, 'n');
    // DNS and the gateway are off: their octets are saved unchecked.
    const Case cases[] = {
        {"Eth_Conn_Device_Name", "E_EthConn_Device_Name",
         {{" Hall 3 / S\xc3\xbc" "d \xe2\x9c\x93 ", " Hall 3 / S\xc3\xbc" "d \xe2\x9c\x93 "}, {name_31 + "xyz", name_31}}},
        {"Eth_Conn_Primary_DNS1", "E_EthConn_Pri_DNS_IP1", {{"1", "1"}, {"", ""}}},
        {"Eth_Conn_Primary_DNS2", "E_EthConn_Pri_DNS_IP2", {{" 22", " 22"}, {" ", " "}}},
        {"Eth_Conn_Primary_DNS3", "E_EthConn_Pri_DNS_IP3", {{"$FF", "$FF"}, {"0x1", "0x1"}}},
        {"Eth_Conn_Primary_DNS4", "E_EthConn_Pri_DNS_IP4", {{"abc", "abc"}, {"999", "999"}}},
        {"Eth_Conn_Secondary_DNS1", "E_EthConn_Sec_DNS_IP1", {{"9", "9"}, {"-1", "-1"}}},
        {"Eth_Conn_Secondary_DNS2", "E_EthConn_Sec_DNS_IP2", {{"09", "09"}, {"x y", "x y"}}},
        {"Eth_Conn_Secondary_DNS3", "E_EthConn_Sec_DNS_IP3", {{" 9", " 9"}, {"$0", "$0"}}},
        {"Eth_Conn_Secondary_DNS4", "E_EthConn_Sec_DNS_IP4", {{"9 ", "9 "}, {"", ""}}},
        {"LoRa_Payload_Size", "E_LoRa_Payload_Size", {{"7", "230"}, {"", "230"}}},
        {"LoRa_Device_Address", "E_LoRa_Device_Address", {{"00ab cd1", "00AB CD1"}, {"deadbeef99", "DEADBEEF"}}},
        {"LoRa_JoinEUI", "E_LoRa_JoinEUI", {{"70b3 d57ed00012", "70B3 D57ED00012"}, {" ", " "}}},
        {"LoRa_Network_Session_Key", "E_LoRa_Network_Session_Key",
         {{String(34, 'a'), String(32, 'A')}, {"  00  ", "  00  "}}},
        {"LoRa_Application_Session_Key", "E_LoRa_Application_Session_Key",
         {{"0123456789abcdef 123456789ABCDEF", "0123456789ABCDEF 123456789ABCDEF"}, {"", ""}}},
        {"LoRa_Application_Key", "E_LoRa_Application_Key", {{" f", " F"}, {"fF 0", "FF 0"}}, true},
        {"Ethernet_IP1", "E_Ethernet_IP1", {{"10", "10"}, {"192", "192"}}},
        {"Ethernet_IP2", "E_Ethernet_IP2", {{"$0A", "$0A"}, {"168", "168"}}},
        {"Ethernet_IP3", "E_Ethernet_IP3", {{"007", "007"}, {"0", "0"}}},
        {"Ethernet_IP4", "E_Ethernet_IP4", {{"255", "255"}, {"1", "1"}}},
        {"Ethernet_SM1", "E_Ethernet_SM1", {{"255", "255"}, {"0xff", "0xff"}}},
        {"Ethernet_SM2", "E_Ethernet_SM2", {{"0x0F", "0x0F"}, {"255", "255"}}},
        {"Ethernet_SM3", "E_Ethernet_SM3", {{"255", "255"}, {"128", "128"}}},
        {"Ethernet_SM4", "E_Ethernet_SM4", {{"0", "0"}, {"00", "00"}}},
        {"Ethernet_GAT1", "E_Ethernet_GAT1", {{"gw", "gw"}, {"1", "1"}}},
        {"Ethernet_GAT2", "E_Ethernet_GAT2", {{" 1", " 1"}, {"2", "2"}}},
        {"Ethernet_GAT3", "E_Ethernet_GAT3", {{"", ""}, {"3", "3"}}},
        {"Ethernet_GAT4", "E_Ethernet_GAT4", {{"300", "300"}, {"4", "4"}}},
        {"KNX_ID_DEV", "E_KNX_IDDevice", {{" 1.1.7 ", " 1.1.7 "}, {"15.15.255", "15.15.255"}}},
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE("round " + IntToStr(round + 1));
        TInteractionScript typing;
        EXPECT_EQ(Open(typing, [&] {
                      for (const Case& c : cases) {
                          TEdit* e = W->Control_As<TEdit>(c.Edit);
                          ASSERT_NE(e, nullptr) << c.Edit;
                          Pick(W->CB_LoRa_Activation_Method, c.Otaa ? 1 : 0);
                          Type_Over(e, c.Round[round].Typed);
                          EXPECT_EQ(e->Text(), c.Round[round].Shown) << c.Edit << " as typed";
                      }
                      UserClick(W->Btn_OK);
                  }),
                  mrOk);
        EXPECT_EQ(typing.Problems(), "");
        for (const Case& c : cases) EXPECT_EQ(Saved(FileName_ParGen, c.Key), c.Round[round].Shown) << c.Key;

        TInteractionScript reopened;
        Open(reopened, [&] {
            for (const Case& c : cases)
                EXPECT_EQ(W->Control_As<TEdit>(c.Edit)->Text(), c.Round[round].Shown) << c.Edit << " at the next open";
        });
        EXPECT_EQ(reopened.Problems(), "");
    }
}

// A value that no typing could have put into its edit - a key its filter refuses, a
// control character, more characters than the edit takes - takes
// the key's default; a value typing could have given is shown as it stands.
TEST_F(ParGenTest, StoredValuesNoTypingCouldGiveTakeTheDefault)
{
    struct Case {
        const char* Key;
        const char* Edit;
        String Stored;
        String Shown;
    };
    const Case cases[] = {
        {"LoRa_JoinEUI", "E_LoRa_JoinEUI", "70b3 D57E", "70B3 D57E"},
        {"LoRa_JoinEUI", "E_LoRa_JoinEUI", "70B3.D57E", ""},
        {"LoRa_JoinEUI", "E_LoRa_JoinEUI", "70B3\tD57E", ""},
        {"LoRa_JoinEUI", "E_LoRa_JoinEUI", "0123456789ABCDEF ", ""},
        {"LoRa_Device_Address", "E_LoRa_Device_Address", "0011AAB\xc3\x9f", ""},
        {"LoRa_Application_Key", "E_LoRa_Application_Key", "\xef\xbc\xa1\xef\xbc\xa2", ""},
        {"Ethernet_IP1", "E_Ethernet_IP1", "1.2", "192"},
        {"Ethernet_IP1", "E_Ethernet_IP1", " 12", " 12"},
        {"Eth_Conn_Secondary_DNS3", "E_EthConn_Sec_DNS_IP3", "4.4", "4"},
        {"Eth_Conn_Device_Name", "E_EthConn_Device_Name", "a&#10;b", ""},
        {"Eth_Conn_Device_Name", "E_EthConn_Device_Name", String(32, 'n'), ""},
        {"Eth_Conn_Device_Name", "E_EthConn_Device_Name", String(31, 'n'), String(31, 'n')},
        {"KNX_ID_DEV", "E_KNX_IDDevice", "1.1.&#27;", "1.1.200"},
        {"KNX_ID_DEV", "E_KNX_IDDevice", "1.1.9", "1.1.9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Key) + " = " + c.Stored);
        Write_File({{c.Key, c.Stored.c_str()}});
        TInteractionScript script;
        Open(script, [&] { EXPECT_EQ(W->Control_As<TEdit>(c.Edit)->Text(), c.Shown); });
        EXPECT_EQ(script.Problems(), "");
    }
}

// Every item of every list and both states of every box, picked and ticked with the
// mouse and the keys, come back as they were after OK and a new open.
TEST_F(ParGenTest, PickedItemsAndTickedBoxesAreShownAgainAtTheNextOpen)
{
    const std::vector<TComboBox*> lists = {W->CB_LoRa_RF_Band,           W->CB_LoRa_DataRate,
                                           W->CB_LoRa_Network_Type,      W->CB_LoRa_Transmission_Type,
                                           W->CB_LoRa_Activation_Method, W->CB_LoRa_FPort,
                                           W->CB_LoRa_FrequencySubBand,  W->CB_KNX_Type};
    // DHCP disables the gateway box: it is ticked last and cleared first.
    const std::vector<TCheckBox*> boxes = {W->CB_Ethernet_En_GAT, W->CB_EthConn_Enable_DNS,
                                           W->CB_LoRa_Adaptive_DataRate, W->CB_EthConn_En_DHCP_Cable};
    // Enough rounds for the longest list: the data rates of a band.
    for (int round = 0; round < 13; ++round) {
        SCOPED_TRACE("round " + IntToStr(round + 1));
        std::vector<String> picked;
        TInteractionScript picking;
        EXPECT_EQ(Open(picking, [&] {
                      for (TComboBox* list : lists) {
                          // The data rates are those of the band picked just before.
                          Pick(list, round % list->Items()->Count());
                          picked.push_back(TFParGen::List_Text(list));
                      }
                      const bool on = round % 2 == 0;
                      for (size_t i = 0; i < boxes.size(); ++i) {
                          TCheckBox* box = boxes[on ? i : boxes.size() - 1 - i];
                          if (box->Checked() != on) UserClick(box);
                          EXPECT_EQ(box->Checked(), on) << box->Name() << " as clicked";
                      }
                      UserClick(W->Btn_OK);
                  }),
                  mrOk);
        EXPECT_EQ(picking.Problems(), "");

        TInteractionScript reopened;
        Open(reopened, [&] {
            for (size_t i = 0; i < lists.size(); ++i) EXPECT_EQ(TFParGen::List_Text(lists[i]), picked[i]) << lists[i]->Name();
            for (TCheckBox* box : boxes) EXPECT_EQ(box->Checked(), round % 2 == 0) << box->Name();
        });
        EXPECT_EQ(reopened.Problems(), "");
    }
}

TEST_F(ParGenTest, MissingKeysTakeTheirDefaultsAndPresentEmptyOnesStayEmpty)
{
    Write_File({{"Eth_Conn_Enable_DNS", "0"}, {"Eth_Conn_Secondary_DNS2", ""}, {"LoRa_RF_Band", "KR920"}});
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(W->E_EthConn_Sec_DNS_IP3->Text(), "4") << "missing: its default";
        EXPECT_EQ(W->E_EthConn_Sec_DNS_IP2->Text(), "") << "present but empty";
        EXPECT_EQ(W->CB_LoRa_DataRate->ItemIndex(), 0) << "a missing data rate takes item 0, not 6";
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "51");
        EXPECT_EQ(W->E_KNX_IDDevice->Text(), "1.1.200");
        UserClick(W->Btn_OK);   // DNS is off: the empty octet passes
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(Saved(FileName_ParGen, "Eth_Conn_Secondary_DNS2"), "");

    Write_File({{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Secondary_DNS2", ""}});
    TInteractionScript again;
    Expect_Box(Text(2930));
    Open(again, [&] { UserClick(W->Btn_OK); });
    EXPECT_EQ(again.Problems(), "");
    EXPECT_EQ(Saved(FileName_ParGen, "Eth_Conn_Enable_DNS"), "1") << "the rejected OK wrote nothing";
}

TEST_F(ParGenTest, AStoredBandOutsideTheListLeavesBothListsEmptyAndOkStops)
{
    Write_File({{"LoRa_RF_Band", "EU433"}, {"LoRa_DataRate", "0 - LoRa: SF12/125kHz 250 [bit/s]"}});
    TInteractionScript script;
    Expect_Box(Text(493));
    Open(script, [&] {
        EXPECT_EQ(W->CB_LoRa_RF_Band->ItemIndex(), -1);
        EXPECT_EQ(W->CB_LoRa_DataRate->Items()->Count(), 0);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "0");
        UserClick(W->Btn_OK);
        EXPECT_EQ(W->ModalResult(), mrNone) << "the window stays open";
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(script.Last()->Text, "Error LoRa!! RF Band cannot be empty");
    EXPECT_EQ(Saved(FileName_ParGen, "LoRa_RF_Band"), "EU433") << "the file is untouched";
}

TEST_F(ParGenTest, ADataRateOfAnotherBandSelectsTheFirstItem)
{
    // The AS923 text under the EU868 band: the same words, another gap.
    Write_File({{"LoRa_RF_Band", "EU868"}, {"LoRa_DataRate", "3\t- LoRa: SF9/125kHz 1760 [bit/s]"}});
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(W->CB_LoRa_DataRate->ItemIndex(), 0);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "51");
    });
}

// Files a user may have on disk: each opens, reports what could not be read at all, and
// OK still validates before it writes.
TEST_F(ParGenTest, BrokenFilesOpenWithDefaultsAndNeverWriteUnchecked)
{
    struct Case {
        const char* What;
        String Bytes;
        bool Reported;                     // an error box names the failure at the open
        std::function<void(TFParGen*)> Check;
        int Ok_Error;                      // text of the error box at OK, 0: OK saves
    };
    const String long_name = String(40, 'n');
    const Case cases[] = {
        {"not XML", "this is <not xml", true,
         [](TFParGen* w) {
             EXPECT_EQ(w->CB_LoRa_DataRate->ItemIndex(), 6);
             EXPECT_EQ(w->E_Ethernet_IP1->Text(), "192");
         },
         0},
        {"empty file", "", true, [](TFParGen* w) { EXPECT_EQ(w->E_KNX_IDDevice->Text(), "1.1.200"); }, 0},
        {"truncated", "<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF", true,
         [](TFParGen* w) { EXPECT_EQ(TFParGen::List_Text(w->CB_LoRa_RF_Band), "AS923"); }, 0},
        {"only a comment", "<!-- nothing -->", true,
         [](TFParGen* w) { EXPECT_EQ(w->CB_LoRa_DataRate->ItemIndex(), 6); }, 0},
        {"wrong root", "<Other><LoRa_RF_Band>US915</LoRa_RF_Band></Other>", false,
         [](TFParGen* w) {
             EXPECT_EQ(TFParGen::List_Text(w->CB_LoRa_RF_Band), "US915") << "the root's name is not checked";
             EXPECT_TRUE(w->CB_LoRa_FrequencySubBand->Visible());
         },
         0},
        {"nested and attributes",
         "<Par_Gen><KNX_ID_DEV a=\"1\">1.2.3<x/></KNX_ID_DEV><Ethernet_IP1><b>7</b></Ethernet_IP1></Par_Gen>", false,
         [](TFParGen* w) {
             EXPECT_EQ(w->E_KNX_IDDevice->Text(), "1.2.3");
             EXPECT_EQ(w->E_Ethernet_IP1->Text(), "");
         },
         465},
        {"too long for the edits",
         "<Par_Gen><Eth_Conn_Device_Name>" + long_name + "</Eth_Conn_Device_Name>"
         "<LoRa_JoinEUI>00112233445566778899</LoRa_JoinEUI>"
         "<LoRa_Application_Key>" + String(33, 'A') + "</LoRa_Application_Key>"
         "<LoRa_Device_Address>0011AABB</LoRa_Device_Address></Par_Gen>",
         false,
         [](TFParGen* w) {
             EXPECT_EQ(w->E_EthConn_Device_Name->Text(), "");
             EXPECT_EQ(w->E_LoRa_JoinEUI->Text(), "");
             EXPECT_EQ(w->E_LoRa_Application_Key->Text(), "");
             EXPECT_EQ(w->E_LoRa_Device_Address->Text(), "0011AABB") << "a value that fits is kept";
         },
         0},
        {"garbage",
         "<Par_Gen><LoRa_Device_Address>xyz!</LoRa_Device_Address><Eth_Conn_Device_Name>a&#10;b</Eth_Conn_Device_Name>"
         "<Eth_Conn_DHCP_Cable>maybe</Eth_Conn_DHCP_Cable><LoRa_Network_Type>Both</LoRa_Network_Type>"
         "<KNX_ID_DEV>hall</KNX_ID_DEV></Par_Gen>",
         false,
         [](TFParGen* w) {
             EXPECT_EQ(w->E_LoRa_Device_Address->Text(), "");
             EXPECT_EQ(w->E_EthConn_Device_Name->Text(), "");
             EXPECT_FALSE(w->CB_EthConn_En_DHCP_Cable->Checked());
             EXPECT_EQ(w->CB_LoRa_Network_Type->ItemIndex(), -1);
             EXPECT_EQ(w->E_KNX_IDDevice->Text(), "hall");
         },
         494},
        {"empty values",
         "<Par_Gen>" + [] {
             String s;
             for (const char* k : Key_Order) s += String("<") + k + "/>";
             return s;
         }() + "</Par_Gen>",
         false,
         [](TFParGen* w) {
             EXPECT_EQ(w->E_Ethernet_IP1->Text(), "");
             EXPECT_EQ(w->CB_LoRa_RF_Band->ItemIndex(), -1);
             EXPECT_EQ(w->CB_KNX_Type->ItemIndex(), 0);
             EXPECT_EQ(w->E_LoRa_Payload_Size->Text(), "0");
         },
         493},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Write_Raw(c.Bytes);
        TInteractionScript script;
        if (c.Reported) Expect_Box("ParGen.xml");
        if (c.Ok_Error) Expect_Box(Text(c.Ok_Error));
        Open(script, [&] {
            c.Check(W);
            UserClick(W->Btn_OK);
        });
        EXPECT_EQ(script.Problems(), "");
        if (c.Ok_Error) {
            EXPECT_EQ(Read_File(), c.Bytes) << "a rejected OK leaves the file as it was";
        } else {
            TXMLDocument doc;
            doc.LoadFromFile(FileName_ParGen);
            EXPECT_EQ(doc.DocumentElement().NodeName(), "Par_Gen");
            EXPECT_EQ(doc.DocumentElement().ChildCount(), 41);
        }
    }
}

TEST_F(ParGenTest, AFailedSaveIsReportedAndKeepsTheWindowAndTheOldFile)
{
    Write_File({{"Eth_Conn_Device_Name", "Old"}});
    const String before = Read_File();
    TInteractionScript script;
    Expect_Box();
    Open(script, [&] {
        W->E_EthConn_Device_Name->SetText("New");
        SetWriteFailureForTest(1);
        UserClick(W->Btn_OK);
        SetWriteFailureForTest(0);
        EXPECT_EQ(W->ModalResult(), mrNone);
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(script.Count(ikMessageBox), 1);
    EXPECT_EQ(Read_File(), before);
}
