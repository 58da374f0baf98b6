// The LoRaWAN uplink and downlink tables and the update step's pre-check, which must
// take the same rows as the builder.
#include "ImageTestUtil.h"

#include "platform/xml/XMLDoc.h"

namespace {
using namespace image_test;
using LoRaWanTables = TConfigTest;

struct LEntry {
    uint32_t start, num, flags, fport, pad, time;
    bool operator==(const LEntry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const LEntry& e)
{
    return os << "{start " << e.start << ", num " << e.num << ", flags " << e.flags << ", fport " << e.fport
              << ", pad " << e.pad << ", time " << e.time << "}";
}
LEntry Entry_At(const std::vector<uint8_t>& b, int at)
{
    return {U16(b, at), U16(b, at + 2), U8(b, at + 4), U8(b, at + 5), U16(b, at + 6), U32(b, at + 8)};
}

TEST_F(LoRaWanTables, FixedAndVariableFPort)
{
    Write(LoRaWAN, Fixture("LoRaWAN_SetAccess.xml"));
    for (bool variable : {false, true}) {
        Write(ParGen, ParGen_With({{"LoRa_FPort", variable ? "Variable" : "Fixed"}}));
        const TBin_Images im = Build();
        const auto& b = im.Bank2;
        const auto fp = [&](uint32_t own) { return variable ? own : 2u; };
        EXPECT_EQ(U8(b, LoRa + 67), variable ? 1u : 0u);
        EXPECT_EQ(U32(b, LoRa + 72), 0x86400u);
        EXPECT_EQ(U32(b, LoRa + 76), 0x87000u);
        EXPECT_EQ(U16(b, LoRa + 80), 3u) << "the disabled uplink uses no entry";
        EXPECT_EQ(U16(b, LoRa + 82), 2u) << "the disabled downlink uses no entry";

        EXPECT_EQ(Entry_At(b, Uplink(0)), (LEntry{0, 10, 0x05, fp(5), 0, 60}));
        EXPECT_EQ(Entry_At(b, Uplink(1)), (LEntry{20, 4, 0x02, fp(7), 0, 30})) << "\" y \" is taken";
        EXPECT_EQ(Entry_At(b, Uplink(2)), (LEntry{1536, 0, 0x01, 2, 0, 30}))
            << "no Enable: taken; empty Time and FPort take 30 and 2";
        EXPECT_TRUE(All_Zero(b, Uplink(3), Downlink(0)));
        EXPECT_EQ(Entry_At(b, Downlink(0)), (LEntry{200, 8, 0, fp(10), 0, 0}));
        EXPECT_EQ(Entry_At(b, Downlink(1)), (LEntry{400, 16, 0, fp(223), 0, 0}));
        EXPECT_TRUE(All_Zero(b, Downlink(2), 32768));
    }
}

TEST_F(LoRaWanTables, WithoutParGenTheFPortIsFixedAndMissingValuesTakeDefaults)
{
    Write(LoRaWAN, "<LoRaWAN_Set_Access><LoRaWAN_Uplink>"
                   "<row FPort='9' OnChange='Y ' OnTimer='y'/>"
                   "<row Enable='N'/><row Enable='n'/><row Enable=''/>"
                   "<row StartByte='70000' NumByte='$10' Time='-1'/>"
                   "</LoRaWAN_Uplink><LoRaWAN_Downlink><row Time='99' OnChange='Y'/></LoRaWAN_Downlink>"
                   "</LoRaWAN_Set_Access>");
    const auto b = Build().Bank2;
    EXPECT_EQ(U16(b, LoRa + 80), 2u);
    EXPECT_EQ(Entry_At(b, Uplink(0)), (LEntry{0, 0, 0x04, 2, 0, 30})) << "\"Y \" is not stripped";
    EXPECT_EQ(Entry_At(b, Uplink(1)), (LEntry{70000 - 65536, 16, 0, 2, 0, 0xFFFFFFFF}));
    EXPECT_EQ(Entry_At(b, Downlink(0)), (LEntry{0, 0, 0, 2, 0, 0})) << "downlinks have no flags or time";
}

TEST_F(LoRaWanTables, MoreThan256TakenRowsNeverWritePastTheTable)
{
    std::string xml = "<LoRaWAN_Set_Access><LoRaWAN_Uplink>";
    for (int i = 0; i < 260; ++i)
        xml += "<row StartByte='" + std::to_string(i) + "' NumByte='65535' OnChange='Y' OnCMD='Y' OnTimer='Y' "
               "Time='-1' FPort='255'/>";
    xml += "</LoRaWAN_Uplink><LoRaWAN_Downlink>";
    for (int i = 0; i < 300; ++i)
        xml += "<row StartByte='" + std::to_string(1000 + i) + "' NumByte='65535' FPort='255'/>";
    xml += "</LoRaWAN_Downlink></LoRaWAN_Set_Access>";
    Write(LoRaWAN, xml);
    Write(ParGen, ParGen_With({{"LoRa_FPort", "Variable"}}));
    const TBin_Images im = Build();
    const auto& b = im.Bank2;
    ASSERT_EQ(b.size(), 32768u);
    EXPECT_EQ(U16(b, LoRa + 80), 256u);
    EXPECT_EQ(U16(b, LoRa + 82), 256u);
    EXPECT_EQ(U16(b, Uplink(255)), 255u);
    EXPECT_EQ(U16(b, Downlink(0)), 1000u) << "the uplinks stop before the downlink table";
    EXPECT_EQ(U16(b, Downlink(255)), 1255u);
    EXPECT_TRUE(All_Zero(b, LoRa + 7168, 32768)) << "the block's last 1024 bytes stay zero";
}

TEST_F(LoRaWanTables, FileWithoutASectionStopsTheBuild)
{
    Write(LoRaWAN, "<LoRaWAN_Set_Access><LoRaWAN_Uplink/></LoRaWAN_Set_Access>");
    EXPECT_THROW(Build(), EXmlError);
    Write(LoRaWAN, "<LoRaWAN_Set_Access><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    EXPECT_THROW(Build(), EXmlError);
    EXPECT_THROW(Check_Config_LoraWAN(ParGen, LoRaWAN), EXmlError);
}

// The pre-check: payload size P from ParGen.xml; every uplink the builder takes must
// have 0 <= NumByte <= P - 2.
TEST_F(LoRaWanTables, PreCheckTakesTheBuildersRows)
{
    const struct {
        const char* payload;   // nullptr: no LoRa_Payload_Size element; "" : no ParGen.xml
        const char* uplinks;
        bool ok;
        const char* why;
    } cases[] = {
        {"10", "<row Enable='Y' NumByte='8'/>", true, "8 fits 10 - 2"},
        {"10", "<row Enable='Y' NumByte='9'/>", false, "9 does not"},
        {"10", "<row Enable='Y' NumByte='0'/>", true, ""},
        {"10", "<row Enable='Y' NumByte='-1'/>", false, "negative"},
        {"10", "<row Enable='Y' NumByte=''/>", false, "empty NumByte"},
        {"10", "<row Enable='Y'/>", false, "missing NumByte"},
        {"10", "<row Enable='N' NumByte='300'/>", true, "disabled rows are not checked"},
        {"10", "<row Enable=' y ' NumByte='300'/>", false, "the builder takes \" y \", so it is checked"},
        {"10", "<row NumByte='300'/>", false, "the builder takes a row without Enable, so it is checked"},
        {"10", "<row Enable='Y' NumByte='2'/><row Enable='Y' NumByte='50'/>", false, "a later row fails"},
        {nullptr, "<row Enable='Y' NumByte='0'/>", false, "no payload size: P is 0"},
        {"abc", "<row Enable='Y' NumByte='0'/>", false, "payload size no number: P is 0"},
        {"", "<row Enable='Y' NumByte='0'/>", false, "no ParGen.xml: P is 0"},
        {"", "<row Enable='N' NumByte='0'/>", true, "no ParGen.xml, no enabled uplink"},
        {"10", "", true, "no uplinks"},
        {"-2147483648", "<row Enable='Y' NumByte='0'/>", false, "the smallest payload size: P - 2 does not wrap"},
        {"$FFFFFFFF", "<row Enable='Y' NumByte='0'/>", false, "a hex payload size of -1"},
    };
    for (const auto& c : cases) {
        if (c.payload && !*c.payload) std::filesystem::remove(ParGen);
        else Write(ParGen, ParGen_With({{"LoRa_Payload_Size", c.payload}}));
        Write(LoRaWAN, std::string("<LoRaWAN_Set_Access><LoRaWAN_Uplink>") + c.uplinks +
                           "</LoRaWAN_Uplink><LoRaWAN_Downlink><row NumByte='1000'/></LoRaWAN_Downlink>"
                           "</LoRaWAN_Set_Access>");
        EXPECT_EQ(Check_Config_LoraWAN(ParGen, LoRaWAN), c.ok) << c.uplinks << ": " << c.why;
    }

    std::filesystem::remove(LoRaWAN);
    EXPECT_TRUE(Check_Config_LoraWAN(ParGen, LoRaWAN)) << "no LoRaWAN file";
    std::filesystem::remove(ParGen);
    EXPECT_TRUE(Check_Config_LoraWAN(ParGen, LoRaWAN)) << "no files at all";

    Write(ParGen, Fixture("ParGen_defaults.xml"));
    Write(LoRaWAN, Fixture("LoRaWAN_SetAccess.xml"));
    EXPECT_TRUE(Check_Config_LoraWAN(ParGen, LoRaWAN)) << "the editor's file fits 230 bytes";
}

}   // namespace
