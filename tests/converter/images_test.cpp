// The general block and the LoRaWAN header: defaults, the fields from ParGen.xml, the
// checksum and the golden images.
#include "ImageTestUtil.h"

#include "platform/xml/XMLDoc.h"

namespace {
using namespace image_test;
using Images = TConfigTest;

std::vector<uint8_t> V(std::initializer_list<int> l) { return std::vector<uint8_t>(l.begin(), l.end()); }

uint32_t Sum_0_2043(const std::vector<uint8_t>& b)
{
    uint32_t s = 0;
    for (int i = 0; i < 2044; ++i) s += b[i];
    return s;
}

TEST_F(Images, WithoutConfigurationFilesHoldOnlyTheDefaults)
{
    const TBin_Images im = Build();
    const auto& b = im.Bank1;
    ASSERT_EQ(b.size(), 2048u);
    ASSERT_EQ(im.Bank2.size(), 32768u);

    EXPECT_EQ(U32(b, 0), 250000u);
    EXPECT_EQ(U32(b, 4), 250000u);
    EXPECT_EQ(U32(b, 8), 0u);
    EXPECT_EQ(U32(b, 12), 9600u);
    EXPECT_EQ(Bytes(b, 40, 12), V({192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(U16(b, 52), 10000u);
    EXPECT_EQ(U16(b, 54), 10001u);
    EXPECT_EQ(U16(b, 56), 10001u);
    EXPECT_EQ(U32(b, 420), 0u);
    EXPECT_EQ(U8(b, 435), 0u);
    EXPECT_EQ(Bytes(b, 436, 8), V({8, 8, 8, 8, 8, 8, 8, 8}));
    EXPECT_EQ(U32(b, 444), 0x80000u);
    EXPECT_EQ(U32(b, 448), 0x80000u);
    EXPECT_EQ(U32(b, 456), 0u);
    EXPECT_EQ(U16(b, 460), 3671u);
    EXPECT_EQ(U16(b, 462), 0u);
    EXPECT_EQ(U16(b, 468), 50000u);
    EXPECT_EQ(U16(b, 470), 50001u);
    EXPECT_EQ(U16(b, 472), 50002u);
    EXPECT_EQ(U32(b, 1628), 0x86000u);
    EXPECT_TRUE(All_Zero(b, 1644, 1652)) << "no version text";
    EXPECT_EQ(Bytes(b, 2044, 4), V({0x9B, 0x11, 0x00, 0x00}));
    EXPECT_EQ(U32(b, 2044), 4507u);

    // every other byte is zero: the listed fields hold exactly the sum
    const auto& k = im.Bank2;
    for (int n = 0; n < 1024; ++n) {
        ASSERT_TRUE(All_Zero(k, KNX_Entry(n), KNX_Entry(n) + 20)) << "entry " << n;
        ASSERT_EQ(Bytes(k, KNX_Entry(n) + 20, 4), V({0x00, 0x00, 0x80, 0x3F})) << "entry " << n;
    }
    EXPECT_EQ(Bytes(k, LoRa, 4), V({0, 0, 0, 6}));
    EXPECT_EQ(U8(k, LoRa + 66), 1u);
    EXPECT_EQ(Bytes(k, LoRa + 68, 12), V({1, 0, 0, 0, 0x00, 0x64, 0x08, 0x00, 0x00, 0x70, 0x08, 0x00}));
    EXPECT_TRUE(All_Zero(k, LoRa + 4, LoRa + 66));
    EXPECT_TRUE(All_Zero(k, LoRa + 67, LoRa + 68));
    EXPECT_TRUE(All_Zero(k, LoRa + 80, 32768));

    Expect_Golden(im.Bank1, "bank1_no_files.bin");
    Expect_Golden(im.Bank2, "bank2_no_files.bin");
}

TEST_F(Images, ParGenAsTheParameterWindowWritesItsDefaults)
{
    Write(ParGen, Fixture("ParGen_defaults.xml"));
    const TBin_Images im = Build();
    const auto& b = im.Bank1;

    EXPECT_EQ(Bytes(b, 40, 12), V({192, 168, 0, 10, 255, 255, 255, 0, 255, 255, 255, 255}))
        << "the gateway is off, so 255.255.255.255";
    EXPECT_EQ(U32(b, 420), 19200u);
    EXPECT_EQ(U8(b, 435), 1u);
    EXPECT_EQ(U16(b, 462), 4552u) << "1.1.200";
    EXPECT_EQ(U16(b, 1256), 0u);
    EXPECT_TRUE(All_Zero(b, 1300, 1332)) << "empty device name";
    EXPECT_TRUE(All_Zero(b, 1340, 1344)) << "DNS off";
    EXPECT_TRUE(All_Zero(b, 1420, 1424)) << "DNS off";
    EXPECT_EQ(Bytes(b, 1644, 8), V({'1', '.', '0', '0', '2', 0, 0, 0})) << "version text";
    EXPECT_EQ(U32(b, 2044), Sum_0_2043(b));

    const auto& k = im.Bank2;
    EXPECT_EQ(Bytes(k, LoRa, 4), V({0, 0, 0, 6})) << "AS923, private, ABP, data rate 6";
    EXPECT_EQ(U8(k, LoRa + 64), 0u);
    EXPECT_EQ(U8(k, LoRa + 65), 0u);
    EXPECT_EQ(U8(k, LoRa + 66), 230u);
    EXPECT_EQ(U8(k, LoRa + 67), 0u) << "fixed FPort";
    EXPECT_EQ(U32(k, LoRa + 68), 1u) << "no transmit interval is written";
    EXPECT_EQ(U8(k, LoRa + 84), 1u) << "sub-band 1";
    EXPECT_TRUE(All_Zero(k, LoRa + 4, LoRa + 64)) << "empty keys";

    Expect_Golden(im.Bank1, "bank1_pargen_defaults.bin");
    Expect_Golden(im.Bank2, "bank2_pargen_defaults.bin");
}

// One key of ParGen.xml changed (or removed) at a time, against the bytes it must give.
TEST_F(Images, ParGenKeysGiveTheirFields)
{
    const struct {
        std::vector<std::pair<std::string, const char*>> changes;
        int bank;   // 1 general block, 2 LoRaWAN block (offset from its start)
        int offset;
        std::vector<uint8_t> bytes;
        const char* why;
    } cases[] = {
        {{{"Ethernet_EN_GAT", "1"}}, 1, 48, V({192, 168, 0, 1}), "gateway on"},
        {{{"Ethernet_EN_GAT", nullptr}}, 1, 48, V({255, 255, 255, 255}), "no EN_GAT"},
        {{{"Ethernet_EN_GAT", ""}}, 1, 48, V({255, 255, 255, 255}), "empty EN_GAT"},
        {{{"Ethernet_EN_GAT", " 1"}}, 1, 48, V({255, 255, 255, 255}), "EN_GAT is compared exactly"},
        {{{"Ethernet_IP1", nullptr}, {"Ethernet_IP2", nullptr}, {"Ethernet_IP3", nullptr}, {"Ethernet_IP4", nullptr}},
         1, 40, V({192, 168, 0, 10}), "a ParGen.xml without the address"},
        {{{"Ethernet_IP1", "10"}, {"Ethernet_IP4", "300"}}, 1, 40, V({10, 168, 0, 44}), "octets keep their low byte"},
        {{{"Ethernet_SM3", "x"}}, 1, 44, V({255, 255, 255, 0}), "octet that is no number"},
        {{{"Eth_Conn_DHCP_Cable", "1"}}, 1, 1256, V({1, 0}), "DHCP on the cable"},
        {{{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Primary_DNS1", "1"}, {"Eth_Conn_Primary_DNS4", "$FF"}},
         1, 1420, V({1, 8, 8, 255}), "primary DNS, hex octet"},
        {{{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Secondary_DNS3", nullptr}}, 1, 1340, V({8, 8, 4, 4}),
         "missing secondary octet takes its default"},
        {{{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Secondary_DNS3", ""}}, 1, 1340, V({8, 8, 4, 4}),
         "empty secondary octet takes its default"},
        {{{"Eth_Conn_Enable_DNS", "Y"}, {"Eth_Conn_Primary_DNS1", "1"}}, 1, 1420, V({0, 0, 0, 0}),
         "DNS not exactly 1: both servers stay zero"},
        {{{"Eth_Conn_Device_Name", "Unit-7"}}, 1, 1300, V({'U', 'n', 'i', 't', '-', '7', 0}), "device name"},
        {{{"Eth_Conn_Device_Name", "\xC3\x84\xC5\x81"}}, 1, 1300, V({0xC4, 0x41, 0}),
         "characters beyond 8 bits keep their low byte"},
        {{{"KNX_ID_DEV", "15.15.255"}}, 1, 462, V({0xFF, 0xFF}), "15.15.255"},
        {{{"KNX_ID_DEV", "16.0.0"}}, 1, 462, V({0, 0}), "16.0.0 is 65536, stored as 0"},
        {{{"KNX_ID_DEV", "2.3"}}, 1, 462, V({0x03, 0x21}), "2.3: line 1 by default, 8451"},
        {{{"KNX_ID_DEV", " 1 . . 7 "}}, 1, 462, V({0x07, 0x11}), "empty line takes 1"},
        {{{"KNX_ID_DEV", nullptr}}, 1, 462, V({0xC8, 0x11}), "missing: 4552"},
        {{{"KNX_ID_DEV", ""}}, 1, 462, V({0x14, 0x11}), "empty: a number with default 4372"},
        {{{"KNX_ID_DEV", "4660"}}, 1, 462, V({0x34, 0x12}), "a bare number"},
        {{{"LoRa_RF_Band", " eu868 "}}, 2, 0, V({5}), "band upper-trimmed"},
        {{{"LoRa_RF_Band", "US915-Hybrid"}}, 2, 0, V({9}), ""},
        {{{"LoRa_RF_Band", "IN865"}}, 2, 0, V({7}), ""},
        {{{"LoRa_RF_Band", "Mars"}}, 2, 0, V({0}), "unknown band"},
        {{{"LoRa_Network_Type", " public"}}, 2, 1, V({1}), ""},
        {{{"LoRa_DataRate", "3 -\tLoRa: SF9/125kHz 1760 [bit/s]"}}, 2, 3, V({3}), ""},
        {{{"LoRa_DataRate", "12 - LoRa: SF8/500kHz 12500 [bit/s]"}}, 2, 3, V({12}), ""},
        {{{"LoRa_DataRate", "0  -\tLoRa: SF10/125kHz 980 [bit/s]"}}, 2, 3, V({0}), ""},
        {{{"LoRa_DataRate", "5"}}, 2, 3, V({0}), "no '-': 0"},
        {{{"LoRa_DataRate", nullptr}}, 2, 3, V({0}), "missing: 0, not the default 6"},
        {{{"LoRa_Transmission_Type", "Confirmed"}}, 2, 65, V({1}), ""},
        {{{"LoRa_Transmission_Type", "confirmed"}}, 2, 65, V({0}), "compared exactly"},
        {{{"LoRa_Adaptive_DataRate", "1"}}, 2, 64, V({1}), ""},
        {{{"LoRa_Payload_Size", nullptr}}, 2, 66, V({1}), "missing payload size: 1"},
        {{{"LoRa_FPort", " variable "}}, 2, 67, V({1}), ""},
        {{{"LoRa_Frequency_SubBand", "8"}}, 2, 84, V({8}), ""},
        {{{"LoRa_Frequency_SubBand", nullptr}}, 2, 84, V({1}), ""},
        {{{"LoRa_JoinEUI", "0102030405060708"}}, 2, 8, V({1, 2, 3, 4, 5, 6, 7, 8}), "first digits first"},
        {{{"LoRa_Device_Address", "12345"}}, 2, 4, V({0x00, 0x01, 0x23, 0x45}), "five digits padded on the left"},
        {{{"LoRa_Device_Address", "12ZZ56"}}, 2, 4, V({0x00, 0x12, 0x00, 0x56}), "a pair that is no hex gives 0"},
        {{{"LoRa_Device_Address", "123456789ABC"}, {"LoRa_JoinEUI", "1111111111111111"}}, 2, 4,
         V({0x12, 0x34, 0x56, 0x78, 0x11}), "over-long hex keeps its first bytes, the next field is untouched"},
        {{{"LoRa_Network_Session_Key", "123456789ABCDEF0123456789ABCDEF"}}, 2, 16,
         V({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}),
         "31 digits get one leading zero"},
        {{{"LoRa_Application_Session_Key", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"}}, 2, 32,
         std::vector<uint8_t>(16, 0xFF), "over-long key"},
    };
    for (const auto& c : cases) {
        Write(ParGen, ParGen_With(c.changes));
        const TBin_Images im = Build();
        const auto& img = c.bank == 1 ? im.Bank1 : im.Bank2;
        const int at = c.bank == 1 ? c.offset : LoRa + c.offset;
        EXPECT_EQ(Bytes(img, at, static_cast<int>(c.bytes.size())), c.bytes)
            << c.changes.front().first << " = " << (c.changes.front().second ? c.changes.front().second : "(none)")
            << ": " << c.why;
        EXPECT_EQ(U32(im.Bank1, 2044), Sum_0_2043(im.Bank1));
    }
}

TEST_F(Images, OverLongAndOddTextsStayInTheirFields)
{
    // 40 characters: the first 31 and a zero at 1331; 1332 on stays zero.
    Write(ParGen, ParGen_With({{"Eth_Conn_Device_Name", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn"},
                               {"LoRa_Activation_Method", "Over-the-Air Activation [OTAA]"},
                               {"LoRa_Application_Key", std::string(64, 'E').c_str()},
                               {"LoRa_JoinEUI", std::string(33, '7').c_str()}}));
    const TBin_Images im = Build();
    EXPECT_EQ(std::string(im.Bank1.begin() + 1300, im.Bank1.begin() + 1331), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde");
    EXPECT_TRUE(All_Zero(im.Bank1, 1331, 1340));
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 8, 8), std::vector<uint8_t>(8, 0x77));
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 16, 32), std::vector<uint8_t>(32, 0)) << "OTAA: no session keys";
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 48, 16), std::vector<uint8_t>(16, 0xEE));
    EXPECT_EQ(U8(im.Bank2, LoRa + 64), 0u) << "the byte after the application key";
}

TEST_F(Images, OnlyTheChosenActivationsKeysAreRead)
{
    const std::vector<std::pair<std::string, const char*>> keys = {
        {"LoRa_Device_Address", "01020304"},
        {"LoRa_Network_Session_Key", "11111111111111111111111111111111"},
        {"LoRa_Application_Session_Key", "22222222222222222222222222222222"},
        {"LoRa_Application_Key", "33333333333333333333333333333333"}};
    auto with = keys;
    with.push_back({"LoRa_Activation_Method", " over-the-air activation [otaa] "});
    Write(ParGen, ParGen_With(with));
    TBin_Images im = Build();
    EXPECT_EQ(U8(im.Bank2, LoRa + 2), 1u);
    EXPECT_TRUE(All_Zero(im.Bank2, LoRa + 4, LoRa + 8));
    EXPECT_TRUE(All_Zero(im.Bank2, LoRa + 16, LoRa + 48));
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 48, 16), std::vector<uint8_t>(16, 0x33));

    Write(ParGen, ParGen_With(keys));   // ABP
    im = Build();
    EXPECT_EQ(U8(im.Bank2, LoRa + 2), 0u);
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 4, 4), V({1, 2, 3, 4}));
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 16, 16), std::vector<uint8_t>(16, 0x11));
    EXPECT_EQ(Bytes(im.Bank2, LoRa + 32, 16), std::vector<uint8_t>(16, 0x22));
    EXPECT_TRUE(All_Zero(im.Bank2, LoRa + 48, LoRa + 64));
}

TEST_F(Images, TransmitIntervalIsReadWhenAFileHoldsIt)
{
    // The parameter window never writes it, but a file edited by hand may.
    std::string xml = Fixture("ParGen_defaults.xml");
    xml.replace(xml.find("</Par_Gen>"), 0, "  <LoRa_Transmit_Interval>600</LoRa_Transmit_Interval>\n");
    Write(ParGen, xml);
    EXPECT_EQ(U32(Build().Bank2, LoRa + 68), 600u);
}

TEST_F(Images, BrokenParGenStopsTheBuild)
{
    Write(ParGen, "<Par_Gen><Ethernet_IP1>1</Par_Gen>");
    EXPECT_THROW(Build(), EXmlError);
}

TEST_F(Images, FullConfigurationGolden)
{
    Write(ParGen, Fixture("ParGen_defaults.xml"));
    Write(KNX, Fixture("KNX_SetAccess.xml"));
    Write(LoRaWAN, Fixture("LoRaWAN_SetAccess.xml"));
    const TBin_Images im = Build();
    // The key bytes are asserted one by one in the KNX and LoRaWAN tests; here the counts.
    EXPECT_EQ(U32(im.Bank1, 456), 4u);
    EXPECT_EQ(U16(im.Bank2, LoRa + 80), 3u);
    EXPECT_EQ(U16(im.Bank2, LoRa + 82), 2u);
    EXPECT_EQ(U32(im.Bank1, 2044), Sum_0_2043(im.Bank1));
    Expect_Golden(im.Bank1, "bank1_tables.bin");
    Expect_Golden(im.Bank2, "bank2_tables.bin");
}

TEST_F(Images, ASecondBuildKeepsNothingOfTheFirst)
{
    Write(ParGen, ParGen_With({{"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Device_Name", "First build"}}));
    Write(KNX, Fixture("KNX_SetAccess.xml"));
    Write(LoRaWAN, Fixture("LoRaWAN_SetAccess.xml"));
    const TBin_Images first = Build();
    ASSERT_EQ(Bytes(first.Bank1, 1420, 4), V({8, 8, 8, 8}));

    // Fewer rows, DNS off, shorter name, then no files at all.
    Write(ParGen, ParGen_With({{"Eth_Conn_Device_Name", "Two"}}));
    Write(KNX, "<BACnet_to_KNX><KNX_in_Write>"
               "<row Source_Address='1.1.1' Destination_Address='1/1/1' APCI='Write' Priority='Low' "
               "Extended='N' ReTest='N' On_Change='N' Position='0' Bit_Mode='No' Length='1'/>"
               "</KNX_in_Write></BACnet_to_KNX>");
    Write(LoRaWAN, "<LoRaWAN_Set_Access><LoRaWAN_Uplink/><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    const TBin_Images second = Build();
    EXPECT_TRUE(All_Zero(second.Bank1, 1340, 1344));
    EXPECT_TRUE(All_Zero(second.Bank1, 1420, 1424));
    EXPECT_EQ(Bytes(second.Bank1, 1300, 8), V({'T', 'w', 'o', 0, 0, 0, 0, 0}));
    EXPECT_EQ(U32(second.Bank1, 456), 1u);
    EXPECT_EQ(Bytes(second.Bank2, KNX_Entry(1), 24), Bytes(Build_Bin_Images("", "", "").Bank2, 0, 24));
    EXPECT_TRUE(All_Zero(second.Bank2, Uplink(0), LoRa + 8192));

    std::filesystem::remove(ParGen);
    std::filesystem::remove(KNX);
    std::filesystem::remove(LoRaWAN);
    EXPECT_EQ(Build().Bank1, Build_Bin_Images("", "", "").Bank1);
    Expect_Golden(Build().Bank1, "bank1_no_files.bin");
}

}   // namespace
