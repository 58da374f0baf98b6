// The LoRaWAN radio tables and the three operations on them.
#include "tests/converter/pargen_fixture.h"

#include "converter/UParGenDesign.h"

// The item texts are checked against the gap rules each band follows, so a blank or a tab
// out of place in the table shows here.
TEST(ParGenRadioTables, ItemTextsFollowTheGapsOfTheirBand)
{
    struct Band {
        const char* Name;
        std::vector<int> Rates;
        std::vector<int> Payloads;
        // The text between the data-rate number and "LoRa:"/"FSK:" for data rate dr.
        std::function<String(int dr)> Gap;
    };
    auto pad = [](int dr) { return dr < 10 ? String("  ") : String(" "); };
    const Band bands[] = {
        {"AS923", {0, 1, 2, 3, 4, 5, 6, 7}, {59, 59, 59, 123, 230, 230, 230, 230}, [](int) { return String("\t- "); }},
        {"AU915", {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13}, {51, 51, 51, 115, 222, 222, 222, 33, 109, 222, 222, 222, 222},
         [&](int dr) { return pad(dr) + "- "; }},
        {"EU868", {0, 1, 2, 3, 4, 5, 6, 7}, {51, 51, 51, 115, 222, 222, 222, 222},
         [](int dr) { return dr <= 5 ? String(" -\t") : String(" - "); }},
        {"KR920", {0, 1, 2, 3, 4, 5}, {51, 51, 51, 115, 222, 222}, [](int dr) { return dr == 0 ? String(" - ") : String(" -\t"); }},
        {"IN865", {0, 1, 2, 3, 4, 5, 7}, {51, 51, 51, 115, 222, 222, 222},
         [](int dr) { return dr == 0 ? String(" - ") : String(" -\t"); }},
        {"US915", {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 13}, {11, 53, 125, 242, 242, 33, 109, 222, 222, 222, 222},
         [&](int dr) { return pad(dr) + (dr <= 9 ? "-\t" : "- "); }},
        {"US915-Hybrid", {0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 13}, {11, 53, 125, 242, 242, 33, 109, 222, 222, 222, 222},
         [&](int dr) { return pad(dr) + "- "; }},
    };
    ASSERT_EQ(pargen::Band_Count, 7);
    for (int b = 0; b < 7; ++b) {
        const pargen::TBandTable& t = pargen::Bands[b];
        const Band& e = bands[b];
        SCOPED_TRACE(e.Name);
        EXPECT_STREQ(t.Band, e.Name);
        ASSERT_EQ(t.Count, int(e.Rates.size()));
        for (int i = 0; i < t.Count; ++i) {
            const String text = t.Rates[i].Text;
            const String number = IntToStr(e.Rates[size_t(i)]);
            EXPECT_EQ(text.substr(0, number.size() + e.Gap(e.Rates[size_t(i)]).size()), number + e.Gap(e.Rates[size_t(i)]))
                << i;
            EXPECT_TRUE(text.find("LoRa: SF") != String::npos || text.find("FSK: 50kbps 50000 [bit/s]") != String::npos);
            EXPECT_EQ(text.substr(text.size() - 8), " [bit/s]");
            EXPECT_EQ(t.Rates[i].Max_Payload, e.Payloads[size_t(i)]) << i;
        }
    }
    EXPECT_STREQ(pargen::Bands[0].Rates[6].Text, "6\t- LoRa: SF7/250kHz 11000 [bit/s]");
    EXPECT_STREQ(pargen::Bands[4].Rates[6].Text, "7 -\tFSK: 50kbps 50000 [bit/s]");
    EXPECT_STREQ(pargen::Bands[5].Rates[0].Text, "0  -\tLoRa: SF10/125kHz 980 [bit/s]");
}

TEST_F(ParGenTest, TheBandRefillsTheDataRatesAndThePayloadFollows)
{
    TInteractionScript script;
    Open(script, [&] {
        Pick(W->CB_LoRa_RF_Band, 5);
        ASSERT_EQ(W->CB_LoRa_DataRate->Items()->Count(), 11);
        EXPECT_EQ(W->CB_LoRa_DataRate->Items()->Strings(0), "0  -\tLoRa: SF10/125kHz 980 [bit/s]");
        EXPECT_EQ(W->CB_LoRa_DataRate->ItemIndex(), 0);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "11");
        Pick(W->CB_LoRa_DataRate, 3);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "242");
        Pick(W->CB_LoRa_DataRate, 5);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "33") << "item 5 of the US915 list is DR8";

        Pick(W->CB_LoRa_RF_Band, 1);
        Pick(W->CB_LoRa_DataRate, 7);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "33") << "item 7 of the AU915 list is DR8";
        Pick(W->CB_LoRa_RF_Band, 4);
        EXPECT_EQ(W->CB_LoRa_DataRate->Items()->Count(), 7);
        Pick(W->CB_LoRa_DataRate, 6);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "222");
    });
}

TEST_F(ParGenTest, APayloadIsFoundOnlyForTheExactTextOfTheShownBand)
{
    TInteractionScript script;
    Open(script, [&] {
        // The US915-Hybrid text differs from the US915 one by a blank in place of a tab.
        Pick(W->CB_LoRa_RF_Band, 6);
        Pick(W->CB_LoRa_DataRate, 3);
        EXPECT_EQ(W->Find_Max_PayLoad(), 242);
        W->CB_LoRa_RF_Band->SetItemIndex(5);   // the band changes, the list does not
        EXPECT_EQ(W->Find_Max_PayLoad(), 0);
        W->CB_LoRa_RF_Band->SetItemIndex(-1);
        W->Change_LoRa_DataRate();
        EXPECT_EQ(W->CB_LoRa_DataRate->Items()->Count(), 0);
        EXPECT_EQ(W->CB_LoRa_DataRate->ItemIndex(), -1);
        W->Set_Max_Payload_Size();
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "0");
    });
}
