// What the editors write is what the image builder reads: every row the checks accept
// lands in bank2.bin as the user meant it.
#include <cstring>

#include "converter/UBinImages.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

using Images = EditorFiles;

uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | uint32_t(U16(b, at + 2)) << 16; }
float F32(const std::vector<uint8_t>& b, size_t at)
{
    const uint32_t bits = U32(b, at);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

// One KNX entry of bank2.bin (24 bytes from offset 24 x i).
struct TEntry {
    uint32_t poll, timeout;
    uint8_t priority, length;
    uint16_t flags, apci, source, destination, position;
    float factor;
};
TEntry KNX_Entry(const std::vector<uint8_t>& b, int i)
{
    const size_t o = size_t(i) * 24;
    return {U32(b, o), U32(b, o + 4), b.at(o + 8), b.at(o + 9), U16(b, o + 10), U16(b, o + 12),
            U16(b, o + 14), U16(b, o + 16), U16(b, o + 18), F32(b, o + 20)};
}

TEST_F(Images, AcceptedKNXRowsAreEncodedAsMeant)
{
    using namespace KNX;
    const struct {
        const char* what;
        std::initializer_list<std::pair<int, const char*>> cells;   // changes to the valid rule
        TEntry entry;
    } cases[] = {
        {"the valid rule", {}, {0, 0, 3, 2, 0x0021, 128, 0x1114, 0x0A03, 10, 1.0f}},
        {"a plain source, an individual destination, the other flags",
         {{Col_Source_Address, "4660"}, {Col_Destination_Address, " 1.1.1 "}, {Col_APCI, "read"}, {Col_Priority, "System"},
          {Col_Extended, "Y"}, {Col_ReTest, "Y"}, {Col_On_Command, "Y"}, {Col_On_Change, "N"}, {Col_Format, "Swap16"}},
         {0, 0, 0, 2, 0x101A, 0, 0x1234, 0x1101, 10, 1.0f}},
        {"the largest addresses", {{Col_Source_Address, " 15.15.255 "}, {Col_Destination_Address, "31/7/255"}},
         {0, 0, 3, 2, 0x0021, 128, 0xFFFF, 0xFFFF, 10, 1.0f}},
        {"two-level and plain group addresses", {{Col_Source_Address, "0.0.0"}, {Col_Destination_Address, "31/2047"}},
         {0, 0, 3, 2, 0x0021, 128, 0x0000, 0xFFFF, 10, 1.0f}},
        {"a plain group number", {{Col_Destination_Address, "65535"}, {Col_APCI, "1023"}, {Col_Priority, "Urgent"}},
         {0, 0, 2, 2, 0x0021, 1023, 0x1114, 0xFFFF, 10, 1.0f}},
        {"bit 7 of the last byte but one", {{Col_Bit_Mode, "7"}, {Col_Position, "1498"}, {Col_Length, "2"}},
         {0, 0, 3, 2, 0x0061, 128, 0x1114, 0x0A03, 1498 * 8 + 7, 1.0f}},
        {"the longest extended bit rule", {{Col_Bit_Mode, "0"}, {Col_Extended, "Y"}, {Col_Length, "255"}, {Col_Position, "0"}},
         {0, 0, 3, 255, 0x0071, 128, 0x1114, 0x0A03, 0, 1.0f}},
        {"the longest extended byte rule", {{Col_Extended, "Y"}, {Col_Length, "255"}, {Col_Position, "$10"}},
         {0, 0, 3, 255, 0x0031, 128, 0x1114, 0x0A03, 16, 1.0f}},
        {"a factor with a comma", {{Col_MultiplicationFactor, "1,5"}}, {0, 0, 3, 2, 0x0021, 128, 0x1114, 0x0A03, 10, 1.5f}},
        {"a factor with a dot", {{Col_MultiplicationFactor, " 2.25 "}},
         {0, 0, 3, 2, 0x0021, 128, 0x1114, 0x0A03, 10, 2.25f}},
        {"on the timer", {{Col_On_Timer, "Y"}, {Col_Poll_Time, "250"}, {Col_TimeOut, "100000000"}},
         {250, 100000000, 3, 2, 0x0021, 128, 0x1114, 0x0A03, 10, 1.0f}},
    };
    TMemoryTables t(KNX_Access_Desc(), KNX_Context());
    int Row = 0;
    for (const auto& c : cases) {
        ++Row;
        Valid_KNX_Row(t, Row);
        t.Set(0, Row, c.cells);
        ASSERT_EQ(t.Check(), "") << c.what;
        // A disabled rule between the others takes no entry.
        ++Row;
        Valid_KNX_Row(t, Row, "bad", "bad");
        t.Set(0, Row, {{Col_Enable, "N"}});
    }
    TXMLDocument Doc;
    Save_Tables(t.Desc, Doc, Path("KNX_SetAccess.xml"), t.Data);

    const TBin_Images Built = Build_Bin_Images(Path("ParGen.xml"), Path("KNX_SetAccess.xml"), Path("none.xml"));
    EXPECT_EQ(U32(Built.Bank1, 456), std::size(cases)) << "entries used";
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TEntry e = KNX_Entry(Built.Bank2, int(i));
        const TEntry& x = cases[i].entry;
        const char* what = cases[i].what;
        EXPECT_EQ(e.poll, x.poll) << what;
        EXPECT_EQ(e.timeout, x.timeout) << what;
        EXPECT_EQ(e.priority, x.priority) << what;
        EXPECT_EQ(e.length, x.length) << what;
        EXPECT_EQ(e.flags, x.flags) << what;
        EXPECT_EQ(e.apci, x.apci) << what;
        EXPECT_EQ(e.source, x.source) << what;
        EXPECT_EQ(e.destination, x.destination) << what;
        EXPECT_EQ(e.position, x.position) << what;
        EXPECT_EQ(e.factor, x.factor) << what;
    }
    const TEntry After = KNX_Entry(Built.Bank2, int(std::size(cases)));
    EXPECT_EQ(After.source, 0) << "unused entries keep their defaults";
}

// Every address text the KNX editor accepts names one address, and the encoder stores
// exactly that one; a two-part individual address is refused, never guessed.
TEST_F(Images, EveryAcceptedAddressIsTheAddressItNames)
{
    auto Refused = [](const String& Text, bool Group) { return Check_KNX_Address(Text, Group, true) != 0; };
    int Failures = 0;
    for (int a = 0; a <= 16 && Failures < 5; ++a)
        for (int l = 0; l <= 16 && Failures < 5; ++l)
            for (int d : {0, 1, 7, 128, 255, 256}) {
                const String Text = IntToStr(a) + "." + IntToStr(l) + "." + IntToStr(d);
                const bool Valid = a <= 15 && l <= 15 && d <= 255;
                if (Refused(Text, false) == Valid ||
                    (Valid && Get_KNX_Address(" " + Text + " ", false) != a * 4096 + l * 256 + d)) {
                    ADD_FAILURE() << Text;
                    ++Failures;
                }
                if (!Refused(IntToStr(a) + "." + IntToStr(d), false)) {
                    ADD_FAILURE() << "two parts accepted: " << a << "." << d;
                    ++Failures;
                }
            }
    for (int m = 0; m <= 32 && Failures < 5; ++m)
        for (int s : {0, 1, 255, 256, 2047, 2048})
            for (int mid = 0; mid <= 8; ++mid) {
                const String Three = IntToStr(m) + "/" + IntToStr(mid) + "/" + IntToStr(s);
                const bool Valid3 = m <= 31 && mid <= 7 && s <= 255 && (m || mid || s);
                if (Refused(Three, true) == Valid3 ||
                    (Valid3 && Get_KNX_Address(Three, true) != m * 2048 + mid * 256 + s)) {
                    ADD_FAILURE() << Three;
                    ++Failures;
                }
                const String Two = IntToStr(m) + "/" + IntToStr(s);
                const bool Valid2 = m <= 31 && s <= 2047 && (m || s);
                if (Refused(Two, true) == Valid2 || (Valid2 && Get_KNX_Address(Two, true) != m * 2048 + s)) {
                    ADD_FAILURE() << Two;
                    ++Failures;
                }
            }
}

TEST_F(Images, AcceptedLoRaWANRowsAreEncodedAsMeant)
{
    using namespace LoRa;
    WriteFileAtomic(Path("ParGen.xml"),
                    "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size><LoRa_FPort>Variable</LoRa_FPort></Par_Gen>");
    TEditorContext Context;
    Read_Model_Settings(Path("ParGen.xml"), Context);
    ASSERT_EQ(Payload_Size(Context), 51);
    ASSERT_FALSE(FPort_Fixed(Context));
    TMemoryTables t(LoRa_Set_Access_Desc(), Context);
    t.Set(Uplink, 1,
          {{Up_StartByte, "1536"}, {Up_NumByte, "49"}, {Up_OnChange, "Y"}, {Up_OnTimer, "Y"}, {Up_Time, "86400"},
           {Up_FPort, "223"}});
    t.Set(Uplink, 2, {{Up_Enable, "N"}, {Up_StartByte, "x"}});
    t.Set(Uplink, 3, {{Up_StartByte, "$10"}, {Up_NumByte, "0"}, {Up_OnCMD, "Y"}, {Up_FPort, "1"}});
    t.Set(Downlink, 1, {{Down_StartByte, "7"}, {Down_NumByte, "3"}, {Down_FPort, "9"}});
    ASSERT_EQ(t.Check(), "");
    TXMLDocument Doc;
    Save_Tables(t.Desc, Doc, Path("LoRaWAN_SetAccess.xml"), t.Data);
    EXPECT_TRUE(Check_Config_LoraWAN(Path("ParGen.xml"), Path("LoRaWAN_SetAccess.xml")));

    const TBin_Images Built = Build_Bin_Images(Path("ParGen.xml"), Path("none.xml"), Path("LoRaWAN_SetAccess.xml"));
    const size_t Block = 24576, Up = Block + 1024, Down = Block + 4096;
    EXPECT_EQ(U16(Built.Bank2, Block + 80), 2) << "uplinks used";
    EXPECT_EQ(U16(Built.Bank2, Block + 82), 1) << "downlinks used";
    const struct {
        size_t at;
        unsigned start, num, flags, fport;
        uint32_t time;
    } entries[] = {
        {Up, 1536, 49, 0x05, 223, 86400},
        {Up + 12, 16, 0, 0x02, 1, 30},   // an empty time is read as 30
        {Down, 7, 3, 0, 9, 0},
    };
    for (const auto& e : entries) {
        EXPECT_EQ(U16(Built.Bank2, e.at), e.start) << e.at;
        EXPECT_EQ(U16(Built.Bank2, e.at + 2), e.num) << e.at;
        EXPECT_EQ(Built.Bank2.at(e.at + 4), e.flags) << e.at;
        EXPECT_EQ(Built.Bank2.at(e.at + 5), e.fport) << e.at;
        if (e.at < Down) {
            EXPECT_EQ(U32(Built.Bank2, e.at + 8), e.time) << e.at;
        }
    }
}

}  // namespace
