// The checks of the CAN, J1939, NMEA 2000 and CANopen tables: which rows pass, which
// message names the first failure (with its row and, where the message ends in one, its
// limit), the byte totals that speak of the whole table, and which rows take part.
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

using Checks = EditorFiles;
using TCells = std::initializer_list<std::pair<int, const char*>>;

String Row_Error(int Prefix, int Row, int Message, const String& Limit = "")
{
    return Lang_Strings[Prefix] + IntToStr(Row) + Lang_Strings[Message] + Limit;
}

struct TCase {
    const char* what;
    int table;
    TCells cells;    // changes to the valid row 1
    String expect;   // "" passes
};

// Each case starts from tables whose row 1 holds a valid rule, changes cells of it and
// expects the check's text.
void Run_Cases(TEditorDesc (*Desc)(), const std::vector<std::pair<int, TCells>>& Valid, std::initializer_list<TCase> Cases)
{
    for (const TCase& c : Cases) {
        TMemoryTables t(Desc(), Showing_Context(Desc()));
        for (const auto& [table, cells] : Valid) t.Set(table, 1, cells);
        t.Set(c.table, 1, c.cells);
        EXPECT_EQ(t.Check(), c.expect) << c.what;
    }
}

TEST_F(Checks, CANReceiveFrames)
{
    using namespace ReceiveCAN;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3344, 1, Message, Limit); };
    const String byte_limit = "1999" + Text(3350);
    Run_Cases(ReceiveCAN_Desc,
              {{0, {{Col_COBID, "0x100"}, {Col_CAN_Type, "2.0A (11 bits)"}, {Col_Dim, "8"}, {Col_TimeOut, "0"}}}},
              {
                  {"the valid frame", 0, {}, ""},
                  {"an empty type is extended", 0, {{Col_CAN_Type, ""}, {Col_COBID, "3000"}}, ""},
                  {"a standard frame refuses 3000", 0, {{Col_COBID, "3000"}}, err(3345)},
                  {"0x7FF is 2047", 0, {{Col_COBID, "0x7FF"}}, ""},
                  {"2048 standard", 0, {{Col_COBID, "2048"}}, err(3345)},
                  {"0x1FFFFFFF extended", 0, {{Col_CAN_Type, "2.0B (29 bits)"}, {Col_COBID, "0x1FFFFFFF"}}, ""},
                  {"0x20000000 extended", 0, {{Col_CAN_Type, "2.0B (29 bits)"}, {Col_COBID, "0x20000000"}}, err(3346)},
                  {"dimension 0", 0, {{Col_Dim, "0"}}, err(3347)},
                  {"dimension 9", 0, {{Col_Dim, "9"}}, err(3347)},
                  {"time-out 100000001", 0, {{Col_TimeOut, "100000001"}}, err(3348)},
                  {"byte 1 at 1999", 0, {{Col_Byte1, "1999"}}, ""},
                  {"byte 1 at 2000", 0, {{Col_Byte1, "2000"}}, err(3349, byte_limit)},
                  {"byte 3 at 2000 names text 3352", 0, {{Col_Dim, "3"}, {Col_Byte1 + 2, "2000"}}, err(3352, byte_limit)},
                  {"byte 4 beyond dimension 3", 0, {{Col_Dim, "3"}, {Col_Byte1 + 3, "5000"}}, ""},
                  {"byte 8 at 2000", 0, {{Col_Byte1 + 7, "2000"}}, err(3357, byte_limit)},
                  {"None and empty bytes", 0, {{Col_Byte1, "None"}, {Col_Byte1 + 1, " None "}, {Col_Byte1 + 2, ""}}, ""},
                  {"a disabled bad row", 0, {{Col_Enable, "N"}, {Col_COBID, "5000"}, {Col_Dim, "0"}}, ""},
                  {"enabled by y", 0, {{Col_Enable, "y"}, {Col_Dim, "0"}}, err(3347)},
                  {"enabled by a blank and Y", 0, {{Col_Enable, " Y"}, {Col_Dim, "0"}}, err(3347)},
              });
    EXPECT_EQ(err(3352, byte_limit), "Error row 1!! Byte3 must be between 0 and 1999 or None");
}

TEST_F(Checks, CANTransmitFrames)
{
    using namespace TransmitCAN;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3447, 1, Message, Limit); };
    const String byte_limit = "3399" + Text(3453);
    Run_Cases(TransmitCAN_Desc,
              {{0, {{Col_COBID, "$7FF"}, {Col_CAN_Type, "2.0A (11 bits)"}, {Col_Dim, "8"}, {Col_OnTimer, "N"}}}},
              {
                  {"the valid frame", 0, {}, ""},
                  {"a bad time without OnTimer", 0, {{Col_Time, "abc"}}, ""},
                  {"a bad time with OnTimer", 0, {{Col_OnTimer, "Y"}, {Col_Time, "abc"}}, err(3451)},
                  {"OnTimer in lower case", 0, {{Col_OnTimer, "y"}, {Col_Time, "100000001"}}, err(3451)},
                  {"time 100000000", 0, {{Col_OnTimer, "Y"}, {Col_Time, "100000000"}}, ""},
                  {"an empty type accepts 3000", 0, {{Col_CAN_Type, ""}, {Col_COBID, "3000"}}, ""},
                  {"a standard type refuses 3000", 0, {{Col_COBID, "3000"}}, err(3448)},
                  {"an extended frame past 29 bits", 0, {{Col_CAN_Type, ""}, {Col_COBID, "536870912"}}, err(3449)},
                  {"dimension empty", 0, {{Col_Dim, ""}}, err(3450)},
                  {"byte at 3399", 0, {{Col_Byte1 + 7, "3399"}}, ""},
                  {"byte at 3400", 0, {{Col_Byte1 + 7, "3400"}}, err(3460, byte_limit)},
                  {"byte 1 at 3400", 0, {{Col_Byte1, "3400"}}, err(3452, byte_limit)},
                  {"byte 3 beyond dimension 2", 0, {{Col_Dim, "2"}, {Col_Byte1 + 2, "9999"}}, ""},
              });
}

TEST_F(Checks, J1939ReceiveFrames)
{
    using namespace ReceiveJ1939;
    auto err = [](int Message) { return Row_Error(4335, 1, Message); };
    Run_Cases(ReceiveJ1939_Desc, {{0, {{Col_DP, "0"}, {Col_PGN, "65262"}, {Col_SA, "0"}}}},
              {
                  {"a whole single frame", 0, {}, ""},
                  {"no data page", 0, {{Col_DP, ""}}, err(4336)},
                  {"data page 7 from a file", 0, {{Col_DP, "7"}}, ""},
                  {"PGN 65535", 0, {{Col_PGN, "65535"}}, ""},
                  {"PGN 65536", 0, {{Col_PGN, "65536"}}, err(4337)},
                  {"PGN in hexadecimal", 0, {{Col_PGN, "0xFEEE"}}, ""},
                  {"a PGN of blanks is a key, and a bad one", 0, {{Col_PGN, "  "}}, err(4337)},
                  {"source address 240", 0, {{Col_SA, "240"}}, err(4338)},
                  {"transport 1000 + 785", 0, {{Col_TP, "Y"}, {Col_TP_Start, "1000"}, {Col_TP_NByte, "785"}}, ""},
                  {"transport 1000 + 786", 0, {{Col_TP, "Y"}, {Col_TP_Start, "1000"}, {Col_TP_NByte, "786"}}, err(4340)},
                  {"transport start 1786", 0, {{Col_TP, "Y"}, {Col_TP_Start, "1786"}, {Col_TP_NByte, "0"}}, err(4339)},
                  {"transport ticked in lower case is a single frame", 0,
                   {{Col_TP, "y"}, {Col_TP_Start, "1000"}, {Col_TP_NByte, "1"}}, err(4342)},
                  {"only a start byte", 0, {{Col_TP_Start, "2"}}, err(4341)},
                  {"start 3 + 6", 0, {{Col_TP_Start, "3"}, {Col_TP_NByte, "6"}}, err(4344)},
                  {"start 0", 0, {{Col_TP_Start, "0"}, {Col_TP_NByte, "1"}}, err(4342)},
                  {"9 bytes", 0, {{Col_TP_Start, "1"}, {Col_TP_NByte, "9"}}, err(4343)},
                  {"request every 1 ms", 0, {{Col_OnRequest, "Y"}, {Col_OnReq_Time, "1"}}, err(4346)},
                  {"request every 2 ms", 0, {{Col_OnRequest, "Y"}, {Col_OnReq_Time, "2"}}, ""},
                  {"no request, no time", 0, {{Col_OnReq_Time, "1"}}, ""},
              });
}

TEST_F(Checks, J1939Transmit)
{
    using namespace TransmitJ1939;
    auto err = [](int Row, int Message, const String& Limit = "") { return Row_Error(4435, Row, Message, Limit); };
    const TCells valid = {{Col_Priority, "3"}, {Col_DP, "0"}, {Col_PGN, "65262"}, {Col_SA, "0"}, {Col_TP_NByte, "8"}};
    Run_Cases(TransmitJ1939_Desc, {{0, valid}},
              {
                  {"the valid frame", 0, {}, ""},
                  {"priority 8", 0, {{Col_Priority, "8"}}, err(1, 4436)},
                  {"no data page", 0, {{Col_DP, ""}}, err(1, 4437)},
                  {"PGN 131071", 0, {{Col_PGN, "131071"}}, ""},
                  {"PGN 131072", 0, {{Col_PGN, "131072"}}, err(1, 4438)},
                  {"source address 255", 0, {{Col_SA, "255"}}, ""},
                  {"source address 256", 0, {{Col_SA, "256"}}, err(1, 4439)},
                  {"no bytes", 0, {{Col_TP_NByte, "0"}}, err(1, 4440, "512")},
                  {"512 bytes", 0, {{Col_TP_NByte, "512"}}, ""},
                  {"on timer every 0 ms", 0, {{Col_On_Timer, "Y"}, {Col_SendTimer, "0"}}, err(1, 4442)},
                  {"no timer, no time", 0, {{Col_SendTimer, ""}}, ""},
              });
    // The transmit area is shared: the row that passes it speaks of the whole table.
    TMemoryTables t(TransmitJ1939_Desc(), Showing_Context(TransmitJ1939_Desc()));
    for (int r = 1; r <= 3; ++r) t.Set(0, r, valid);
    t.Set(0, 1, {{Col_TP_NByte, "256"}});
    t.Set(0, 2, {{Col_TP_NByte, "248"}});
    EXPECT_EQ(t.Check(), "");
    t.Set(0, 4, valid);
    t.Set(0, 4, {{Col_TP_NByte, "1"}, {Col_On_Timer, "Y"}, {Col_SendTimer, "0"}});
    EXPECT_EQ(t.Check(), Text(4441) + "512") << "the total speaks before the row's own timer";
    EXPECT_EQ(Text(4441) + "512", "Error!! Too many bytes of data, the max number is 512");
}

TEST_F(Checks, J1939AndNMEATransmitCheckEveryRowTheyWrite)
{
    // Row 1 complete, row 2 with a priority and nothing else, row 3 complete: row 2 is
    // written, so it is checked and fails, instead of reaching the file unchecked.
    const struct {
        TEditorDesc (*desc)();
        TCells valid, priority_only, pgn_only;
        String row2_fails, pgn_only_fails;
    } cases[] = {
        {TransmitJ1939_Desc,
         {{TransmitJ1939::Col_Priority, "3"}, {TransmitJ1939::Col_DP, "0"}, {TransmitJ1939::Col_PGN, "1"},
          {TransmitJ1939::Col_SA, "1"}, {TransmitJ1939::Col_TP_NByte, "8"}},
         {{TransmitJ1939::Col_Priority, "3"}},
         {{TransmitJ1939::Col_PGN, "65262"}, {TransmitJ1939::Col_DP, "0"}},
         Row_Error(4435, 2, 4437), Row_Error(4435, 2, 4436)},
        {TransmitNMEA_Desc,
         {{TransmitNMEA::Col_Priority, "3"}, {TransmitNMEA::Col_PGN, "1"}, {TransmitNMEA::Col_SA, "1"},
          {TransmitNMEA::Col_TP_NByte, "8"}},
         {{TransmitNMEA::Col_Priority, "3"}},
         {{TransmitNMEA::Col_PGN, "65262"}},
         Row_Error(4735, 2, 4737), Row_Error(4735, 2, 4736)},
    };
    for (const auto& c : cases) {
        TMemoryTables t(c.desc(), Showing_Context(c.desc()));
        t.Set(0, 1, c.valid);
        t.Set(0, 2, c.priority_only);
        t.Set(0, 3, c.valid);
        EXPECT_EQ(t.Check(), c.row2_fails) << t.Desc.Class_Name;
        TMemoryTables u(c.desc(), Showing_Context(c.desc()));
        u.Set(0, 1, c.valid);
        u.Set(0, 2, c.pgn_only);
        EXPECT_EQ(u.Check(), c.pgn_only_fails) << t.Desc.Class_Name << ": a PGN without priority is checked too";
        TMemoryTables v(c.desc(), Showing_Context(c.desc()));
        v.Set(0, 1, c.valid);
        v.Set(0, 3, c.valid);
        EXPECT_EQ(v.Check(), "") << t.Desc.Class_Name << ": a row without both keys is left out";
    }
}

TEST_F(Checks, ReceiveTotalsOfWholeSingleFrames)
{
    // 180 whole J1939 single frames take 1440 bytes; the 181st passes the area. 62 NMEA
    // 2000 single frames take 496 of 512.
    const struct {
        TEditorDesc (*desc)();
        int rows, pgn_col, sa_col, dp_col;
        String fails;
    } cases[] = {
        {ReceiveJ1939_Desc, 180, ReceiveJ1939::Col_PGN, ReceiveJ1939::Col_SA, ReceiveJ1939::Col_DP, ""},
        {ReceiveJ1939_Desc, 181, ReceiveJ1939::Col_PGN, ReceiveJ1939::Col_SA, ReceiveJ1939::Col_DP,
         Lang_Strings[4345] + "1440"},
        {ReceiveNMEA_Desc, 62, ReceiveNMEA::Col_PGN, ReceiveNMEA::Col_SA, -1, ""},
    };
    for (const auto& c : cases) {
        TMemoryTables t(c.desc(), Showing_Context(c.desc()));
        for (int r = 1; r <= c.rows; ++r) {
            t[0].SetCellEx(c.pgn_col, r, "65262");
            t[0].SetCellEx(c.sa_col, r, "0");
            if (c.dp_col >= 0) t[0].SetCellEx(c.dp_col, r, "0");
        }
        EXPECT_EQ(t.Check(), c.fails) << t.Desc.Class_Name << " " << c.rows;
    }
}

TEST_F(Checks, APartOfASingleFrameCountsTheBytesItCaptures)
{
    using namespace ReceiveJ1939;
    // 178 whole frames take 1424 bytes; three rows of one byte each add 3, not 24.
    TMemoryTables t(ReceiveJ1939_Desc(), Showing_Context(ReceiveJ1939_Desc()));
    for (int r = 1; r <= 181; ++r) t.Set(0, r, {{Col_DP, "0"}, {Col_PGN, "65262"}, {Col_SA, "0"}});
    for (int r = 179; r <= 181; ++r) t.Set(0, r, {{Col_TP_Start, "2"}, {Col_TP_NByte, "1"}});
    EXPECT_EQ(t.Check(), "");
    t.Set(0, 182, {{Col_DP, "0"}, {Col_PGN, "65262"}, {Col_SA, "0"}, {Col_TP_Start, "1"}, {Col_TP_NByte, "7"}});
    t.Set(0, 183, {{Col_DP, "0"}, {Col_PGN, "65262"}, {Col_SA, "0"}, {Col_TP_Start, "1"}, {Col_TP_NByte, "7"}});
    EXPECT_EQ(t.Check(), Text(4345) + "1440") << "1441 bytes";
}

TEST_F(Checks, NMEAReceiveFrames)
{
    using namespace ReceiveNMEA;
    auto err = [](int Message) { return Row_Error(4631, 1, Message); };
    Run_Cases(ReceiveNMEA_Desc, {{0, {{Col_PGN, "127250"}, {Col_SA, "0"}}}},
              {
                  {"a whole single frame", 0, {}, ""},
                  {"PGN 131071", 0, {{Col_PGN, "131071"}}, ""},
                  {"PGN 131072", 0, {{Col_PGN, "131072"}}, err(4632)},
                  {"source address 240", 0, {{Col_SA, "240"}}, err(4633)},
                  {"transport and fast packet: transport limits", 0,
                   {{Col_TP, "Y"}, {Col_FP, "Y"}, {Col_TP_Start, "1000"}, {Col_TP_NByte, "500"}}, ""},
                  {"transport 1000 + 0", 0, {{Col_TP, "Y"}, {Col_FP, "Y"}, {Col_TP_Start, "1000"}, {Col_TP_NByte, "0"}}, ""},
                  {"transport start 1786", 0, {{Col_TP, "Y"}, {Col_TP_Start, "1786"}, {Col_TP_NByte, "0"}}, err(4634)},
                  {"transport end past 1785", 0, {{Col_TP, "Y"}, {Col_TP_Start, "1785"}, {Col_TP_NByte, "1"}}, err(4635)},
                  {"fast packet 200 + 23", 0, {{Col_FP, "Y"}, {Col_TP_Start, "200"}, {Col_TP_NByte, "23"}}, ""},
                  {"fast packet 200 + 24", 0, {{Col_FP, "Y"}, {Col_TP_Start, "200"}, {Col_TP_NByte, "24"}}, err(4637)},
                  {"fast packet start 224", 0, {{Col_FP, "Y"}, {Col_TP_Start, "224"}, {Col_TP_NByte, "0"}}, err(4636)},
                  {"only a start byte", 0, {{Col_TP_Start, "1"}}, err(4638)},
                  {"start 0", 0, {{Col_TP_Start, "0"}, {Col_TP_NByte, "1"}}, err(4639)},
                  {"9 bytes", 0, {{Col_TP_Start, "1"}, {Col_TP_NByte, "9"}}, err(4640)},
                  {"4 + 5", 0, {{Col_TP_Start, "4"}, {Col_TP_NByte, "5"}}, err(4641)},
                  {"600 bytes by transport", 0, {{Col_TP, "Y"}, {Col_TP_Start, "0"}, {Col_TP_NByte, "600"}},
                   Text(4642) + "512"},
              });
}

TEST_F(Checks, NMEATransmit)
{
    using namespace TransmitNMEA;
    auto err = [](int Row, int Message, const String& Limit = "") { return Row_Error(4735, Row, Message, Limit); };
    const TCells valid = {{Col_Priority, "3"}, {Col_PGN, "127250"}, {Col_SA, "0"}, {Col_TP_NByte, "8"}};
    Run_Cases(TransmitNMEA_Desc, {{0, valid}},
              {
                  {"the valid frame", 0, {}, ""},
                  {"no bytes", 0, {{Col_TP_NByte, "0"}}, ""},
                  {"-1 bytes", 0, {{Col_TP_NByte, "-1"}}, err(1, 4739, "512")},
                  {"empty bytes", 0, {{Col_TP_NByte, ""}}, err(1, 4739, "512")},
                  {"512 bytes, no fast packet", 0, {{Col_TP_NByte, "512"}}, ""},
                  {"priority 8", 0, {{Col_Priority, "8"}}, err(1, 4736)},
                  {"PGN 131071", 0, {{Col_PGN, "131071"}}, ""},
                  {"source address 240", 0, {{Col_SA, "240"}}, err(1, 4738)},
                  {"on timer every 65536 ms", 0, {{Col_On_Timer, "Y"}, {Col_SendTimer, "65536"}}, err(1, 4741)},
                  {"no timer, no time", 0, {{Col_SendTimer, ""}}, ""},
              });
    TMemoryTables t(TransmitNMEA_Desc(), Showing_Context(TransmitNMEA_Desc()));
    t.Set(0, 1, valid);
    t.Set(0, 2, valid);
    t.Set(0, 1, {{Col_TP_NByte, "300"}});
    t.Set(0, 2, {{Col_TP_NByte, "300"}});
    EXPECT_EQ(t.Check(), Text(4740) + "512");
}

TEST_F(Checks, CANopenPDO)
{
    using namespace PDO;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3568, 1, Message, Limit); };
    const TCells rx = {{Col_COB_ID, "0x181"}, {Col_Dimension, "2"}, {Col_Address_B1, "0"}, {Col_Address_B1 + 1, "1"},
                       {Col_TimeOut, "0"}};
    const TCells tx = {{Col_COB_ID, "0x201"}, {Col_Dimension, "1"}, {Col_Address_B1, "0"}, {Tx_Send_Time, "100"}};
    Run_Cases(Set_PDO_Access_Desc, {{Receive, rx}, {Transmit, tx}},
              {
                  {"the valid PDOs", Receive, {}, ""},
                  {"0x7FF", Receive, {{Col_COB_ID, "0x7FF"}}, ""},
                  {"$7FF", Receive, {{Col_COB_ID, "$7FF"}}, ""},
                  {"x7FF", Receive, {{Col_COB_ID, "x7FF"}}, ""},
                  {"2047", Receive, {{Col_COB_ID, "2047"}}, ""},
                  {"a blank before 0x181", Receive, {{Col_COB_ID, " 0x181"}}, ""},
                  {"0x800", Receive, {{Col_COB_ID, "0x800"}}, err(3569)},
                  {"2048", Receive, {{Col_COB_ID, "2048"}}, err(3569)},
                  {"-1", Receive, {{Col_COB_ID, "-1"}}, err(3569)},
                  {"7FF without prefix", Receive, {{Col_COB_ID, "7FF"}}, err(3569)},
                  {"a blank after 0x181", Receive, {{Col_COB_ID, "0x181 "}}, err(3569)},
                  {"transmit 0x800", Transmit, {{Col_COB_ID, "0x800"}}, err(3580)},
                  {"dimension 0", Receive, {{Col_Dimension, "0"}}, err(3570)},
                  {"dimension 9", Transmit, {{Col_Dimension, "9"}}, err(3581)},
                  {"dimension no number", Receive, {{Col_Dimension, "two"}}, err(3570)},
                  {"dimension 3, a fourth position no number", Receive,
                   {{Col_Dimension, "3"}, {Col_Address_B1 + 1, "1499"}, {Col_Address_B1 + 2, "10"}, {Col_Address_B1 + 3, "x"}},
                   ""},
                  {"first position 1500", Receive, {{Col_Address_B1, "1500"}}, err(3571, "1499")},
                  {"third position 1500", Receive, {{Col_Dimension, "3"}, {Col_Address_B1 + 2, "1500"}}, err(3573, "1499")},
                  {"transmit eighth position", Transmit,
                   {{Col_Dimension, "8"}, {Col_Address_B1 + 1, "1"}, {Col_Address_B1 + 2, "2"}, {Col_Address_B1 + 3, "3"},
                    {Col_Address_B1 + 4, "4"}, {Col_Address_B1 + 5, "5"}, {Col_Address_B1 + 6, "6"},
                    {Col_Address_B1 + 7, "1500"}},
                   err(3589, "1499")},
                  {"time-out 65536", Receive, {{Col_TimeOut, "65536"}}, err(3579)},
                  {"send time 100000001", Transmit, {{Tx_Send_Time, "100000001"}}, err(3590)},
                  {"send time empty", Transmit, {{Tx_Send_Time, ""}}, err(3590)},
                  {"send time 100000000", Transmit, {{Tx_Send_Time, "100000000"}}, ""},
                  {"the receive table first", Transmit, {{Col_COB_ID, "0x800"}}, err(3580)},
              });
    TMemoryTables t(Set_PDO_Access_Desc(), Showing_Context(Set_PDO_Access_Desc()));
    t.Set(Receive, 1, rx);
    t.Set(Receive, 2, rx);
    t.Set(Receive, 2, {{Col_Dimension, "3"}, {Col_Address_B1 + 2, "1500"}});
    t.Set(Transmit, 1, {{Col_COB_ID, "0x800"}});
    EXPECT_EQ(t.Check(), "Error row 2!! [Receive PDO] Address Byte3 must be between 0 and 1499");
}

TEST_F(Checks, CANopenSDOClient)
{
    using namespace SDO_Client;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3660, 1, Message, Limit); };
    const TCells rd = {{Col_Device_ID, "5"}, {Col_Index, "0x2000"}, {Col_SubIndex, "0"}, {Col_NByte, "1"},
                       {Col_Poll_Time, "100"}, {Rd_Address_B1, "0"}};
    const TCells wr = {{Col_Device_ID, "5"}, {Col_Index, "0x2000"}, {Col_SubIndex, "0"}, {Col_NByte, "2"},
                       {Col_Poll_Time, "0"}, {Wr_Address_B1, "0"}, {Wr_Address_B1 + 1, "1"}};
    Run_Cases(Set_SDO_Client_Access_Desc, {{Read, rd}, {Write, wr}},
              {
                  {"the valid objects", Read, {}, ""},
                  {"$1000", Read, {{Col_Index, "$1000"}}, ""},
                  {"4096", Read, {{Col_Index, "4096"}}, ""},
                  {"0xFFFF", Read, {{Col_Index, "0xFFFF"}}, ""},
                  {"0x0FFF", Read, {{Col_Index, "0x0FFF"}}, err(3662)},
                  {"0x10000", Write, {{Col_Index, "0x10000"}}, err(3671)},
                  {"2000 is decimal", Read, {{Col_Index, "2000"}}, err(3662)},
                  {"1A00 is no number", Read, {{Col_Index, "1A00"}}, err(3662)},
                  {"sub-index 0xFF", Read, {{Col_SubIndex, "0xFF"}}, ""},
                  {"sub-index 0x100", Write, {{Col_SubIndex, "0x100"}}, err(3672)},
                  {"device 0", Read, {{Col_Device_ID, "0"}}, err(3661)},
                  {"device 128", Write, {{Col_Device_ID, "128"}}, err(3670)},
                  {"device 127", Read, {{Col_Device_ID, "127"}}, ""},
                  {"size 3", Read, {{Col_NByte, "3"}}, err(3664)},
                  {"size 8", Write, {{Col_NByte, "8"}}, err(3673)},
                  {"read poll 0", Read, {{Col_Poll_Time, "0"}}, err(3665)},
                  {"write poll 100000001", Write, {{Col_Poll_Time, "100000001"}}, err(3674)},
                  {"size 1 leaves positions 2 to 4", Read, {{Rd_Address_B1 + 1, "x"}, {Rd_Address_B1 + 3, "x"}}, ""},
                  {"size 4, fourth at 1500", Read,
                   {{Col_NByte, "4"}, {Rd_Address_B1 + 1, "1"}, {Rd_Address_B1 + 2, "2"}, {Rd_Address_B1 + 3, "1500"}},
                   err(3669, "1499")},
                  {"write second at 1500", Write, {{Wr_Address_B1 + 1, "1500"}}, err(3676, "1499")},
              });
    EXPECT_EQ(Row_Error(3660, 4, 3676, "1499"), "Error row 4!! [SDO Write] Address Byte2 must be between 0 and 1499");
}

TEST_F(Checks, CANopenSDOServer)
{
    using namespace SDO_Server;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3750, 1, Message, Limit); };
    const TCells obj = {{Col_Index, "0x2000"}, {Col_SubIndex, "0"}, {Col_NByte, "2"}, {Col_Address_B1, "0"},
                        {Col_Address_B1 + 1, "1"}};
    Run_Cases(Set_SDO_Server_Access_Desc, {{Read, obj}, {Write, obj}},
              {
                  {"the valid objects", Read, {}, ""},
                  {"$2000", Read, {{Col_Index, "$2000"}}, ""},
                  {"8192", Write, {{Col_Index, "8192"}}, ""},
                  {"0x5FFF", Read, {{Col_Index, "0x5FFF"}}, ""},
                  {"0x1FFF", Read, {{Col_Index, "0x1FFF"}}, err(3751)},
                  {"0x6000", Write, {{Col_Index, "0x6000"}}, err(3758)},
                  {"2000 is decimal", Read, {{Col_Index, "2000"}}, err(3751)},
                  {"2A00 is no number", Write, {{Col_Index, "2A00"}}, err(3758)},
                  {"sub-index 256", Read, {{Col_SubIndex, "256"}}, err(3752)},
                  {"sub-index 0xFF", Write, {{Col_SubIndex, "0xFF"}}, ""},
                  {"size 3", Write, {{Col_NByte, "3"}}, err(3760)},
                  {"size 2 leaves positions 3 and 4", Read, {{Col_Address_B1 + 2, "x"}, {Col_Address_B1 + 3, "9999"}}, ""},
                  {"size 4, third at 1500", Read,
                   {{Col_NByte, "4"}, {Col_Address_B1 + 2, "1500"}, {Col_Address_B1 + 3, "3"}}, err(3756, "1499")},
                  {"the read table first", Write, {{Col_Index, "0x6000"}}, err(3758)},
              });
    EXPECT_EQ(err(3756, "1499"), "Error row 1!! [SDO in Read] Address Byte3 must be between 0 and 1499");
    TMemoryTables t(Set_SDO_Server_Access_Desc(), Showing_Context(Set_SDO_Server_Access_Desc()));
    t.Set(Read, 1, obj);
    t.Set(Read, 3, {{Col_Index, "0x6000"}});   // below an empty row: still a row
    t.Set(Write, 1, {{Col_Index, "0x6000"}});
    EXPECT_EQ(t.Check(), Row_Error(3750, 3, 3751)) << "a failure in the read table speaks before the write table";
}

}  // namespace
