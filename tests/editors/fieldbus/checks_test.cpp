// The checks of the LoRaWAN and KNX tables: which rows pass, which message names the
// first failure, and where the checking stops.
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

using Checks = EditorFiles;

struct TLoRaCase {
    const char* what;
    int payload;
    bool fixed;
    int table;
    std::initializer_list<std::pair<int, const char*>> cells;   // row 1
    String expect;                                               // "" passes
};

TEST_F(Checks, LoRaWANRows)
{
    using namespace LoRa;
    auto err = [](int Row, int Message, const String& Limit = "") {
        return Lang_Strings[1243] + IntToStr(Row) + Lang_Strings[Message] + Limit;
    };
    const TLoRaCase cases[] = {
        {"NumByte at the payload limit", 51, true, Uplink, {{Up_StartByte, "0"}, {Up_NumByte, "49"}}, ""},
        {"NumByte one above", 51, true, Uplink, {{Up_StartByte, "0"}, {Up_NumByte, "50"}}, err(1, 1245, "49")},
        {"payload not set: every NumByte fails with -2", 0, true, Uplink, {{Up_StartByte, "0"}, {Up_NumByte, "0"}},
         err(1, 1245, "-2")},
        {"StartByte 1536", 51, true, Uplink, {{Up_StartByte, "1536"}, {Up_NumByte, "1"}}, ""},
        {"StartByte 1537", 51, true, Uplink, {{Up_StartByte, "1537"}, {Up_NumByte, "1"}}, err(1, 1244)},
        {"hex start byte", 51, true, Uplink, {{Up_StartByte, "$1F"}, {Up_NumByte, "0x1"}}, ""},
        {"blanks after a number", 51, true, Uplink, {{Up_StartByte, "5 "}, {Up_NumByte, "1"}}, err(1, 1244)},
        {"blanks before a number", 51, true, Uplink, {{Up_StartByte, "  5"}, {Up_NumByte, "1"}}, ""},
        {"Time 29 on the timer", 51, true, Uplink,
         {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_OnTimer, "Y"}, {Up_Time, "29"}}, err(1, 1246)},
        {"Time 30 on the timer", 51, true, Uplink,
         {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_OnTimer, "Y"}, {Up_Time, "30"}}, ""},
        {"Time 86400 on the timer", 51, true, Uplink,
         {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_OnTimer, "Y"}, {Up_Time, "86400"}}, ""},
        {"Time 86401 on the timer", 51, true, Uplink,
         {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_OnTimer, "Y"}, {Up_Time, "86401"}}, err(1, 1246)},
        {"Time 29 off the timer", 51, true, Uplink,
         {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_OnTimer, "N"}, {Up_Time, "29"}}, ""},
        // The image builder sets the timer flag for "y" too, so its time is checked.
        {"a lower-case timer flag", 51, true, Uplink,
         {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_OnTimer, "y"}, {Up_Time, ""}}, err(1, 1246)},
        {"hidden FPort is not checked", 51, true, Uplink, {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_FPort, "0"}},
         ""},
        {"shown FPort 0", 51, false, Uplink, {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_FPort, "0"}},
         err(1, 1254)},
        {"shown FPort 223", 51, false, Uplink, {{Up_StartByte, "0"}, {Up_NumByte, "1"}, {Up_FPort, "223"}}, ""},
        {"a disabled row with bad values", 51, false, Uplink, {{Up_Enable, "N"}, {Up_StartByte, "x"}}, ""},
        {"downlink start byte", 51, true, Downlink, {{Down_StartByte, "-1"}}, err(1, 1247)},
        {"downlink NumByte", 20, true, Downlink, {{Down_StartByte, "0"}, {Down_NumByte, "19"}}, err(1, 1248, "18")},
        {"downlink FPort shown", 51, false, Downlink,
         {{Down_StartByte, "0"}, {Down_NumByte, "1"}, {Down_FPort, "224"}}, err(1, 1255)},
        {"the first check that fails speaks", 51, false, Uplink,
         {{Up_StartByte, "2000"}, {Up_NumByte, "99"}, {Up_FPort, "0"}}, err(1, 1244)},
    };
    for (const auto& c : cases) {
        int P = c.payload;
        bool Fixed = c.fixed;
        TMemoryTables t(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
        t.Set(c.table, 1, c.cells);
        EXPECT_EQ(t.Check(), c.expect) << c.what;
    }
    EXPECT_EQ(err(1, 1245, "49"), "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and 49");
}

TEST_F(Checks, WhereTheCheckingStopsAndWhichRowItNames)
{
    using namespace LoRa;
    int P = 51;
    bool Fixed = true;
    TMemoryTables t(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
    t.Set(Uplink, 1, {{Up_StartByte, "0"}, {Up_NumByte, "1"}});
    t.Set(Uplink, 2, {{Up_StartByte, "1"}, {Up_NumByte, "1"}});
    t.Set(Uplink, 3, {{Up_StartByte, "2"}, {Up_NumByte, "99"}});
    // Row 3 shows 2 in column 0 and is row 3 of the message.
    EXPECT_EQ(t[Uplink].GetCellEx(0, 3), "2");
    EXPECT_EQ(t.Check(), Text(1243) + "3" + Text(1245) + "49");
    // An empty key above it leaves out only that row: the bad row is still checked.
    t.Set(Uplink, 2, {{Up_StartByte, "   "}});
    EXPECT_EQ(t.Check(), Text(1243) + "3" + Text(1245) + "49");
    t.Set(Uplink, 3, {{Up_NumByte, "9"}});
    // The uplinks come first; then the downlinks.
    t.Set(Downlink, 1, {{Down_StartByte, "9999"}});
    t.Set(Uplink, 1, {{Up_NumByte, "50"}});
    EXPECT_EQ(t.Check(), Text(1243) + "1" + Text(1245) + "49");
    t.Set(Uplink, 1, {{Up_NumByte, "5"}});
    EXPECT_EQ(t.Check(), Text(1243) + "1" + Text(1247));
    // The payload size is read from the context when the check runs.
    t.Set(Downlink, 1, {{Down_StartByte, "0"}, {Down_NumByte, "5"}});
    t.Data.Context = LoRa_Context(6, Fixed);
    EXPECT_EQ(t.Check(), Text(1243) + "1" + Text(1245) + "4");
}

TEST_F(Checks, KNXRows)
{
    using namespace KNX;
    auto err = [](int Message, const String& Limit = "") {
        return Lang_Strings[4548] + "1" + Lang_Strings[Message] + Limit;
    };
    const struct {
        const char* what;
        std::initializer_list<std::pair<int, const char*>> cells;
        String expect;
    } cases[] = {
        {"the valid row", {}, ""},
        {"source 1.1.20", {{Col_Source_Address, " 1.1.20 "}}, ""},
        {"source 0.0.0", {{Col_Source_Address, "0.0.0"}}, ""},
        {"source 16.1.1", {{Col_Source_Address, "16.1.1"}}, err(4549)},
        {"source 1/1/1", {{Col_Source_Address, "1/1/1"}}, err(4549)},
        {"source 4660", {{Col_Source_Address, "4660"}}, ""},
        {"source 0", {{Col_Source_Address, "0"}}, err(4549)},
        {"source with one dot", {{Col_Source_Address, "1.5"}}, err(4549)},
        {"destination 1/2/3", {{Col_Destination_Address, "1/2/3"}}, ""},
        {"destination 31/7/255", {{Col_Destination_Address, "31/7/255"}}, ""},
        {"destination 32/0/1", {{Col_Destination_Address, "32/0/1"}}, err(4551)},
        {"destination 0/0/0", {{Col_Destination_Address, "0/0/0"}}, err(4551)},
        {"destination 0/0", {{Col_Destination_Address, "0/0"}}, err(4551)},
        {"destination 1/2047", {{Col_Destination_Address, "1/2047"}}, ""},
        {"destination 1/2048", {{Col_Destination_Address, "1/2048"}}, err(4551)},
        {"destination 1.1.1, individual", {{Col_Destination_Address, "1.1.1"}}, ""},
        {"destination 0.0.0, individual", {{Col_Destination_Address, "0.0.0"}}, ""},
        {"destination 1.16.1", {{Col_Destination_Address, "1.16.1"}}, err(4550)},
        {"destination with one dot", {{Col_Destination_Address, "1.5"}}, err(4550)},
        {"APCI write", {{Col_APCI, "write"}}, ""},
        {"APCI Read", {{Col_APCI, "Read"}}, ""},
        {"APCI 1023", {{Col_APCI, "1023"}}, ""},
        {"APCI 1024", {{Col_APCI, "1024"}}, err(4552)},
        {"APCI empty", {{Col_APCI, ""}}, err(4552)},
        {"priority in lower case", {{Col_Priority, "low"}}, err(4553)},
        {"format empty", {{Col_Format, " "}}, err(4554)},
        {"factor 1,5", {{Col_MultiplicationFactor, "1,5"}}, ""},
        {"factor 1.5", {{Col_MultiplicationFactor, "1.5"}}, ""},
        {"factor letters", {{Col_MultiplicationFactor, "abc"}}, err(4565)},
        {"factor blanks", {{Col_MultiplicationFactor, "  "}}, ""},
        {"poll time 0 off the timer", {{Col_Poll_Time, "0"}, {Col_On_Timer, "N"}}, ""},
        {"poll time 0 on the timer", {{Col_Poll_Time, "0"}, {Col_On_Timer, "Y"}}, err(4555)},
        {"poll time 100000000 on the timer", {{Col_Poll_Time, "100000000"}, {Col_On_Timer, "Y"}}, ""},
        {"position 1500", {{Col_Position, "1500"}}, err(4556, "1499")},
        {"position empty", {{Col_Position, ""}}, err(4556, "1499")},
        {"bit mode empty", {{Col_Bit_Mode, ""}}, err(4557)},
        {"bit mode 8", {{Col_Bit_Mode, "8"}}, err(4557)},
        {"bit mode no", {{Col_Bit_Mode, "no"}}, ""},
        {"byte length 14", {{Col_Length, "14"}}, ""},
        {"byte length 15", {{Col_Length, "15"}}, err(4558, "14")},
        {"byte length 0", {{Col_Length, "0"}}, err(4558, "14")},
        {"extended byte length 255", {{Col_Extended, "Y"}, {Col_Length, "255"}}, ""},
        {"extended byte length 256", {{Col_Extended, "Y"}, {Col_Length, "256"}}, err(4558, "255")},
        {"bit length 112", {{Col_Bit_Mode, "0"}, {Col_Length, "112"}}, ""},
        {"bit length 113", {{Col_Bit_Mode, "0"}, {Col_Length, "113"}}, err(4558, "112")},
        // The image keeps the length in one byte.
        {"extended bit length 255", {{Col_Bit_Mode, "0"}, {Col_Extended, "Y"}, {Col_Length, "255"}}, ""},
        {"extended bit length 256", {{Col_Bit_Mode, "0"}, {Col_Extended, "Y"}, {Col_Length, "256"}}, err(4558, "255")},
        {"bit 7, length 2 at 1499", {{Col_Bit_Mode, "7"}, {Col_Length, "2"}, {Col_Position, "1499"}}, err(4559, "1500")},
        {"bit 7, length 2 at 1498", {{Col_Bit_Mode, "7"}, {Col_Length, "2"}, {Col_Position, "1498"}}, ""},
        {"bit 0, length 8 at 1499", {{Col_Bit_Mode, "0"}, {Col_Length, "8"}, {Col_Position, "1499"}}, ""},
        {"bytes up to the end", {{Col_Length, "14"}, {Col_Position, "1486"}}, ""},
        {"bytes past the end", {{Col_Length, "14"}, {Col_Position, "1487"}}, err(4559, "1500")},
        {"timeout 100000000", {{Col_TimeOut, "100000000"}}, ""},
        {"timeout -1", {{Col_TimeOut, "-1"}}, err(4566)},
        {"a disabled row", {{Col_Enable, "N"}, {Col_Source_Address, "x"}, {Col_Length, "x"}}, ""},
        // The image builder takes a row enabled in any case, so such a row is checked.
        {"enabled in lower case", {{Col_Enable, " y"}, {Col_Source_Address, "x"}}, err(4549)},
        {"the first failure speaks", {{Col_APCI, "x"}, {Col_Length, "99"}}, err(4552)},
    };
    for (const auto& c : cases) {
        TMemoryTables t(KNX_Access_Desc(), KNX_Context());
        Valid_KNX_Row(t, 1);
        t.Set(0, 1, c.cells);
        EXPECT_EQ(t.Check(), c.expect) << c.what;
    }
    EXPECT_EQ(err(4559, "1500"), "Error row 1!! [KNX in Write] Position plus Length must be minor or equal to 1500");
}

}  // namespace
