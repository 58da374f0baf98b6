// Validation at OK: each check, its message, its place in the order, and what it lets pass.
#include "tests/converter/pargen_fixture.h"

namespace {

struct CheckCase {
    const char* What;
    std::function<void(TFParGen*)> Change;
    int Text;   // the error box's text; 0: OK saves
};

}  // namespace

TEST_F(ParGenTest, EveryCheckReportsItsOwnTextAndNothingIsWritten)
{
    std::vector<CheckCase> cases;
    auto dns = [](TFParGen* w, int i) -> TEdit* {
        TEdit* e[] = {w->E_EthConn_Pri_DNS_IP1, w->E_EthConn_Pri_DNS_IP2, w->E_EthConn_Pri_DNS_IP3,
                      w->E_EthConn_Pri_DNS_IP4, w->E_EthConn_Sec_DNS_IP1, w->E_EthConn_Sec_DNS_IP2,
                      w->E_EthConn_Sec_DNS_IP3, w->E_EthConn_Sec_DNS_IP4};
        return e[i];
    };
    const char* const bad_octets[] = {"256", "-1", "x", "", "1.5", "300", " ", "2560"};
    for (int i = 0; i < 8; ++i)
        cases.push_back({"DNS octet", [=](TFParGen* w) {
                             Tick(w->CB_EthConn_Enable_DNS, true);
                             dns(w, i)->SetText(bad_octets[i]);
                         },
                         2925 + i});
    auto eth = [](TFParGen* w, int i) -> TEdit* {
        TEdit* e[] = {w->E_Ethernet_IP1, w->E_Ethernet_IP2, w->E_Ethernet_IP3, w->E_Ethernet_IP4,
                      w->E_Ethernet_SM1, w->E_Ethernet_SM2, w->E_Ethernet_SM3, w->E_Ethernet_SM4,
                      w->E_Ethernet_GAT1, w->E_Ethernet_GAT2, w->E_Ethernet_GAT3, w->E_Ethernet_GAT4};
        return e[i];
    };
    for (int i = 0; i < 12; ++i)
        cases.push_back({"Ethernet octet", [=](TFParGen* w) {
                             Tick(w->CB_Ethernet_En_GAT, true);
                             eth(w, i)->SetText(i % 2 ? "256" : "");
                         },
                         465 + i});
    cases.push_back({"band", [](TFParGen* w) { w->CB_LoRa_RF_Band->SetItemIndex(-1); }, 493});
    cases.push_back({"network type", [](TFParGen* w) { w->CB_LoRa_Network_Type->SetItemIndex(-1); }, 494});
    cases.push_back({"data rate", [](TFParGen* w) { w->CB_LoRa_DataRate->SetItemIndex(-1); }, 495});
    cases.push_back({"transmission", [](TFParGen* w) { w->CB_LoRa_Transmission_Type->SetItemIndex(-1); }, 496});
    cases.push_back({"payload above", [](TFParGen* w) { w->E_LoRa_Payload_Size->SetText("231"); }, 497});
    cases.push_back({"payload zero", [](TFParGen* w) { w->E_LoRa_Payload_Size->SetText("0"); }, 497});
    cases.push_back({"activation", [](TFParGen* w) { w->CB_LoRa_Activation_Method->SetItemIndex(-1); }, 499});
    for (const char* knx : {"0.0.0", "1/1/20", "16.1.1", "", "hall", "2.3"})
        cases.push_back({"KNX address", [=](TFParGen* w) { w->E_KNX_IDDevice->SetText(knx); }, 882});
    // What passes.
    cases.push_back({"DNS off", [](TFParGen* w) { w->E_EthConn_Pri_DNS_IP1->SetText("999"); }, 0});
    cases.push_back({"gateway off", [](TFParGen* w) { w->E_Ethernet_GAT2->SetText("300"); }, 0});
    cases.push_back({"unchecked fields", [](TFParGen* w) {
                         w->E_LoRa_JoinEUI->SetText("1");
                         w->E_EthConn_Device_Name->SetText("");
                         w->CB_LoRa_FPort->SetItemIndex(-1);
                         w->CB_KNX_Type->SetItemIndex(-1);
                         w->E_Ethernet_SM1->SetText("7");
                     },
                     0});
    for (const char* knx : {"1.1.200", "15.15.255", " 1.1.1 "})
        cases.push_back({"KNX address", [=](TFParGen* w) { w->E_KNX_IDDevice->SetText(knx); }, 0});
    cases.push_back({"DNS edge values", [](TFParGen* w) {
                         Tick(w->CB_EthConn_Enable_DNS, true);
                         w->E_EthConn_Pri_DNS_IP1->SetText("0");
                         w->E_EthConn_Sec_DNS_IP4->SetText("255");
                     },
                     0});

    for (const CheckCase& c : cases) {
        SCOPED_TRACE(String(c.What) + " " + IntToStr(c.Text));
        DeleteFile(FileName_ParGen);
        TInteractionScript script;
        if (c.Text) Expect_Box();
        const TModalResult r = Open(script, [&] {
            c.Change(W);
            UserClick(W->Btn_OK);
        });
        EXPECT_EQ(script.Problems(), "");
        if (c.Text) {
            ASSERT_EQ(script.Count(ikMessageBox), 1);
            const TInteractionRecord* box = script.Last();
            EXPECT_EQ(box->DlgType, mtError);
            EXPECT_TRUE(box->Buttons == TMsgDlgButtons{mbOK});
            const String expected = c.Text == 497 ? Format(Text(497), {230}) : Text(c.Text);
            EXPECT_EQ(box->Text, expected);
            EXPECT_EQ(r, mrCancel);
            EXPECT_FALSE(FileExists(FileName_ParGen));
        } else {
            EXPECT_EQ(r, mrOk);
            EXPECT_TRUE(FileExists(FileName_ParGen));
        }
    }
}

TEST_F(ParGenTest, ChecksRunInTheirOrderNotInTheOrderOfThePanels)
{
    struct OrderCase {
        const char* What;
        std::function<void(TFParGen*)> Change;
        int Text;
    };
    const OrderCase cases[] = {
        {"Ethernet before KNX although KNX is shown first",
         [](TFParGen* w) {
             w->E_KNX_IDDevice->SetText("0.0.0");
             w->E_Ethernet_SM3->SetText("");
         },
         471},
        {"DNS before LoRaWAN",
         [](TFParGen* w) {
             Tick(w->CB_EthConn_Enable_DNS, true);
             w->E_EthConn_Sec_DNS_IP4->SetText("256");
             w->CB_LoRa_RF_Band->SetItemIndex(-1);
         },
         2932},
        {"an empty octet fails also while DHCP disables it",
         [](TFParGen* w) {
             UserClick(w->CB_EthConn_En_DHCP_Cable);
             w->E_Ethernet_IP2->SetText("");
             w->E_KNX_IDDevice->SetText("x");
         },
         466},
        {"the first octet of a group first",
         [](TFParGen* w) {
             w->E_Ethernet_IP4->SetText("a");
             w->E_Ethernet_IP3->SetText("b");
         },
         467},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.What);
        TInteractionScript script;
        Expect_Box(Text(c.Text));
        Open(script, [&] {
            c.Change(W);
            UserClick(W->Btn_OK);
        });
        EXPECT_EQ(script.Problems(), "");
        EXPECT_EQ(script.Count(ikMessageBox), 1) << "one box per OK";
    }
}

TEST_F(ParGenTest, ThePayloadMessageKeepsItsPlaceholderInATranslation)
{
    Lang_Strings.SetStrings(497, "Nutzlast zwischen 1 und %d!");
    TInteractionScript script;
    Expect_Box();
    Open(script, [&] {
        Pick(W->CB_LoRa_RF_Band, 5);
        Pick(W->CB_LoRa_DataRate, 3);
        W->E_LoRa_Payload_Size->SetText("243");
        EXPECT_FALSE(W->Controllo_Dati());
    });
    EXPECT_EQ(script.Last()->Text, "Nutzlast zwischen 1 und 242!");
}
