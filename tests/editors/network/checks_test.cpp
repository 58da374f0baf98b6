// The network editors' checks on their tables in memory: each editor's rules with the
// values at their limits, the order in which they are told, and what spans rows and
// tables (connections, duplicates, string totals, unique names).
#include "tests/editors/network/network_fixture.h"

namespace {

using Checks = NetworkEditors;
using Cells = std::initializer_list<std::pair<int, const char*>>;

// ---- MQTT ---------------------------------------------------------------------------------
TEST_F(Checks, MQTTPublishRows)
{
    using namespace MQTT;
    const struct {
        const char* what;
        Cells cells;
        int message;              // 0: the row passes
        const char* limit;
    } cases[] = {
        {"valid", {}, 0, ""},
        {"no data type", {{Pub_DataType, " "}}, 5252, ""},
        {"Int of 3 bytes", {{Pub_Dimension, "3"}}, 5253, ""},
        {"Int of 8 bytes", {{Pub_Dimension, "8"}}, 0, ""},
        {"Float of 2 bytes", {{Pub_DataType, "Float"}, {Pub_Dimension, "2"}}, 5254, ""},
        {"float with blanks is a Float", {{Pub_DataType, " float "}, {Pub_Dimension, "3"}}, 5254, ""},
        {"String of 0 bytes", {{Pub_DataType, "String"}, {Pub_Dimension, "0"}}, 5255, ""},
        {"Base64 without size", {{Pub_DataType, "Base64"}, {Pub_Dimension, ""}}, 5255, ""},
        {"String of 300 bytes", {{Pub_DataType, "String"}, {Pub_Dimension, "300"}}, 0, ""},
        {"another type needs 1 or more", {{Pub_DataType, "Double"}, {Pub_Dimension, "3"}}, 0, ""},
        {"position 1499", {{Pub_Position, "1499"}}, 0, ""},
        {"position 1500", {{Pub_Position, "1500"}}, 5256, "1499"},
        {"position -1", {{Pub_Position, "-1"}}, 5256, "1499"},
        {"no position", {{Pub_Position, ""}}, 5256, "1499"},
        {"template $VALUE$", {{Pub_Template, "$VALUE$"}}, 0, ""},
        {"template holding it twice", {{Pub_Template, "{\"a\":$VALUE$,\"b\":$VALUE$}"}}, 0, ""},
        {"template with one $", {{Pub_Template, "$VALUE"}}, 5278, ""},
        {"template with three $", {{Pub_Template, "$VALUE$$"}}, 5278, ""},
        {"on timer y, time 0", {{Pub_OnTimer, "y"}, {Pub_Time, "0"}}, 5289, ""},
        {"on timer, time 1", {{Pub_OnTimer, "Y"}, {Pub_Time, "1"}}, 0, ""},
        {"on timer, time 1000000000", {{Pub_OnTimer, "Y"}, {Pub_Time, "1000000000"}}, 0, ""},
        {"on timer, time 1000000001", {{Pub_OnTimer, "Y"}, {Pub_Time, "1000000001"}}, 5289, ""},
        {"no timer, no time", {{Pub_OnTimer, "N"}, {Pub_Time, ""}}, 0, ""},
        {"empty timer, no time", {{Pub_OnTimer, ""}, {Pub_Time, ""}}, 0, ""},
    };
    for (const auto& c : cases) {
        TMemoryTables t = Tables_Of(MQTT_Set_Topic_Desc());
        t.Set(Publish, 1, {{Pub_Topic, "plant/temp"}, {Pub_DataType, "Int"}, {Pub_Dimension, "2"}, {Pub_Position, "0"}});
        t.Set(Publish, 1, c.cells);
        EXPECT_EQ(t.Check(), c.message ? Row_Error(5251, 1, c.message, c.limit) : String()) << c.what;
    }
}

TEST_F(Checks, MQTTSubscribeRowsAndTheTopicThatEndsARow)
{
    using namespace MQTT;
    TMemoryTables t = Tables_Of(MQTT_Set_Topic_Desc());
    // Rows without a topic take no part, in each table separately.
    t.Set(Publish, 2, {{Pub_DataType, "Int"}, {Pub_Dimension, "3"}});
    t.Set(Subscribe, 1, {{Sub_Topic, "cmd/set"}, {Sub_DataType, ""}, {Sub_Position, "0"}});
    EXPECT_EQ(t.Check(), Row_Error(5251, 1, 5257));
    t.Set(Subscribe, 1, {{Sub_DataType, "Float"}, {Sub_Dimension, "4"}, {Sub_Template, "$V"}});
    EXPECT_EQ(t.Check(), Row_Error(5251, 1, 5280));
    // No time check on the subscribe side; its position has its own message.
    t.Set(Subscribe, 1, {{Sub_Template, "$V$"}, {Sub_Position, "1500"}});
    EXPECT_EQ(t.Check(), Row_Error(5251, 1, 5261, "1499"));
    t.Set(Subscribe, 1, {{Sub_Position, "1499"}});
    EXPECT_EQ(t.Check(), "");
    // The publish table is checked first.
    t.Set(Publish, 2, {{Pub_Topic, "x"}});
    t.Set(Subscribe, 1, {{Sub_DataType, ""}});
    EXPECT_EQ(t.Check(), Row_Error(5251, 2, 5253));
}

TEST_F(Checks, TemplateWellFormedByItsDollars)
{
    const std::pair<const char*, bool> cases[] = {
        {"", false}, {"$VALUE$", false}, {"$A$ and $B$", false}, {"$", true}, {"a$b$c$", true}, {"no keyword", false}};
    for (const auto& [text, error] : cases) EXPECT_EQ(Error_In_Topic_Template(text), error) << text;
}

// ---- S7 -------------------------------------------------------------------------------------
// A read (or write) row that passes every check, at the address and port given.
void S7_Row(TMemoryTables& t, int Table, int Row, const char* Address, const char* Port = "102")
{
    using namespace S7;
    t.Set(Table, Row, {{Col_PLC_Address, Address}, {Col_PLC_Port, Port}, {Col_PLC_Type, "S71500"}, {Col_Rack, "0"},
                       {Col_Slot, "1"}, {Col_Data_Type, "Int"}, {Col_Data_Identifier, "DB"}, {Col_DB_Number, "10"},
                       {Col_PLC_Area, "Flags (M) (Merker)"}, {Col_PLC_Add, "0"}, {Col_PLC_Bit, "0"},
                       {Col_PollTime, "100"}});
    if (Table == Read)
        t.Set(Table, Row, {{Rd_Position, "0"}, {Rd_Bit, "0"}});
    else
        t.Set(Table, Row, {{Wr_Position, "0"}, {Wr_Bit, "0"}});
}

TEST_F(Checks, S7RowsInBothTables)
{
    using namespace S7;
    const struct {
        const char* what;
        int table;
        Cells cells;
        int message;
        const char* limit;
    } cases[] = {
        {"valid read", Read, {}, 0, ""},
        {"valid write", Write, {}, 0, ""},
        {"address part 300", Read, {{Col_PLC_Address, "192.168.1.300"}}, 5971, ""},
        {"address of three parts", Write, {{Col_PLC_Address, "192.168.1"}}, 5979, ""},
        {"address with a blank after it", Read, {{Col_PLC_Address, "192.168.1.10 "}}, 5971, ""},
        {"disabled row with a bad address", Read, {{Col_Enable, "N"}, {Col_PLC_Address, "x"}}, 0, ""},
        {"port 65536", Read, {{Col_PLC_Port, "65536"}}, 5972, ""},
        {"rack 3 slot 31", Read, {{Col_Rack, "3"}, {Col_Slot, "31"}}, 0, ""},
        {"rack 4", Read, {{Col_Rack, "4"}}, 6021, ""},
        {"rack -1", Write, {{Col_Rack, "-1"}}, 6023, ""},
        {"slot 32", Read, {{Col_Slot, "32"}}, 6022, ""},
        {"slot empty", Write, {{Col_Slot, ""}}, 6024, ""},
        {"no PLC type", Read, {{Col_PLC_Type, ""}}, 5973, ""},
        {"no data type", Write, {{Col_Data_Type, ""}}, 5982, ""},
        {"no data identifier", Read, {{Col_Data_Identifier, " "}}, 5975, ""},
        {"inputs without DB number", Read, {{Col_PLC_Area, "Inputs (I)"}, {Col_DB_Number, ""}}, 6005, ""},
        {"no area", Write, {{Col_PLC_Area, ""}}, 6010, ""},
        {"PLC add 65536", Read, {{Col_PLC_Add, "65536"}}, 6007, ""},
        {"no PLC bit", Write, {{Col_PLC_Bit, ""}}, 6012, ""},
        {"read poll 0", Read, {{Col_PollTime, "0"}}, 5976, ""},
        {"write poll 0", Write, {{Col_PollTime, "0"}}, 0, ""},
        {"read poll 100000000", Read, {{Col_PollTime, "100000000"}}, 0, ""},
        {"write poll 100000001", Write, {{Col_PollTime, "100000001"}}, 5984, ""},
        {"read position 1499", Read, {{Rd_Position, "1499"}}, 0, ""},
        {"read position 1500", Read, {{Rd_Position, "1500"}}, 5977, "1499"},
        {"write position 1500", Write, {{Wr_Position, "1500"}}, 5985, "1499"},
        {"read without start bit", Read, {{Rd_Bit, ""}}, 5978, ""},
        {"write without start bit", Write, {{Wr_Bit, ""}}, 5986, ""},
    };
    for (const auto& c : cases) {
        TMemoryTables t = Tables_Of(S7_Protocol_Set_Access_Desc());
        S7_Row(t, c.table, 1, "192.168.1.10");
        t.Set(c.table, 1, c.cells);
        EXPECT_EQ(t.Check(), c.message ? Row_Error(5970, 1, c.message, c.limit) : String()) << c.what;
    }
}

TEST_F(Checks, S7CountsTenConnectionsAcrossBothTables)
{
    using namespace S7;
    // Ten PLCs on the read side; a write row to an eleventh fails, one to a known PLC passes.
    TMemoryTables t = Tables_Of(S7_Protocol_Set_Access_Desc());
    for (int r = 1; r <= 10; ++r) S7_Row(t, Read, r, ("10.0.0." + IntToStr(r)).c_str());
    // The same PLC written another way, and again and again: still ten.
    S7_Row(t, Write, 1, "010.000.000.001");
    S7_Row(t, Write, 2, "10.0.0.10");
    EXPECT_EQ(t.Check(), "");
    // The same address on another port is another connection.
    S7_Row(t, Write, 3, "10.0.0.1", "103");
    EXPECT_EQ(t.Check(), Row_Error(5970, 3, 5988));
    // A disabled row opens nothing.
    t.Set(Write, 3, {{Col_Enable, "N"}});
    EXPECT_EQ(t.Check(), "");
    // An eleventh on the read side is told by the read message.
    t.Set(Write, 3, {{Col_Enable, "Y"}, {Col_PLC_Port, "102"}});
    S7_Row(t, Read, 11, "192.168.001.010");
    S7_Row(t, Read, 12, "192.168.1.10");
    EXPECT_EQ(t.Check(), Row_Error(5970, 11, 5987));
    // The connection is counted before the PLC type is looked at.
    t.Set(Read, 11, {{Col_PLC_Type, ""}});
    EXPECT_EQ(t.Check(), Row_Error(5970, 11, 5987));
}

TEST_F(Checks, S7ConnectionsAreComparedByTheirBytes)
{
    std::vector<String> Seen;
    const uint8_t a[4] = {192, 168, 1, 10}, b[4] = {192, 168, 1, 11};
    EXPECT_EQ(Check_IP_Port(Seen, a, 102), 0);
    EXPECT_EQ(Check_IP_Port(Seen, b, 102), 1);
    EXPECT_EQ(Check_IP_Port(Seen, a, 102), 0);
    EXPECT_EQ(Check_IP_Port(Seen, a, 103), 2);
    for (uint8_t i = 0; Seen.size() < 10; ++i) {
        const uint8_t c[4] = {10, 0, 0, i};
        Check_IP_Port(Seen, c, 1);
    }
    const uint8_t d[4] = {10, 0, 1, 0};
    EXPECT_EQ(Check_IP_Port(Seen, d, 1), -1);
    EXPECT_EQ(Check_IP_Port(Seen, b, 102), 1);
}

// ---- SNMP manager -----------------------------------------------------------------------------
void Manager_Row(TMemoryTables& t, int Row, const char* IP, const char* Version = "2", const char* OID = "1.3.6.1.2.1.1.3.0")
{
    using namespace SNMP_Manager;
    t.Set(0, Row, {{Col_IP_Address, IP}, {Col_Version, Version}, {Col_Community_String, "public"}, {Col_OID, OID},
                   {Col_Type, "Int"}, {Col_Mode, "Get"}, {Col_Position, "0"}, {Col_Number_Bytes, "4"},
                   {Col_ConvertFrom, "None"}});
}

TEST_F(Checks, SNMPManagerRows)
{
    using namespace SNMP_Manager;
    // Digits and dots, one arc of two digits and 63 of one.
    String Long128 = "11";
    for (int i = 0; i < 63; ++i) Long128 += ".1";
    const String Long129 = Long128 + "1";
    const struct {
        const char* what;
        std::vector<std::pair<int, String>> cells;
        int message;
    } cases[] = {
        {"valid", {}, 0},
        {"address part 300", {{Col_IP_Address, "192.168.1.300"}}, 6138},
        {"address with blanks around", {{Col_IP_Address, " 192.168.1.10 "}}, 0},
        {"OID of 129 characters", {{Col_OID, Long129}}, 6139},
        {"OID of 128 characters", {{Col_OID, Long128}}, 0},
        {"OID with a letter", {{Col_OID, "1.3.6.1.a"}}, 6140},
        {"OID with a leading dot", {{Col_OID, ".1.3"}}, 6141},
        {"OID with a trailing dot", {{Col_OID, "1.3."}}, 6142},
        {"OID with two dots", {{Col_OID, "1.3..6"}}, 6143},
        {"OID arc 4294967296", {{Col_OID, "1.3.6.4294967296"}}, 6144},
        {"OID arc 4294967295", {{Col_OID, "1.3.6.4294967295"}}, 0},
        {"empty OID", {{Col_OID, ""}}, 6190},
        {"OID of blanks", {{Col_OID, "  "}}, 6140},
        {"no timer, no time", {{Col_On_Timer, "N"}, {Col_Time, ""}}, 0},
        {"timer, time 0", {{Col_On_Timer, "Y"}, {Col_Time, "0"}}, 6145},
        {"timer, time 100000001", {{Col_On_Timer, "Y"}, {Col_Time, "100000001"}}, 6145},
        {"timer, time 1", {{Col_On_Timer, "Y"}, {Col_Time, "1"}}, 0},
        {"timer, time 100000000", {{Col_On_Timer, "Y"}, {Col_Time, "100000000"}}, 0},
        {"no byte count", {{Col_Number_Bytes, ""}}, 6146},
        {"0 bytes", {{Col_Number_Bytes, "0"}}, 0},
        {"1024 bytes", {{Col_Number_Bytes, "1024"}}, 0},
        {"1025 bytes", {{Col_Number_Bytes, "1025"}}, 6146},
        {"no conversion", {{Col_ConvertFrom, ""}}, 6156},
        {"v3 auth without mode", {{Col_Version, "3"}, {Col_Security_Level, "Auth NoPriv"}}, 6184},
        {"v3 auth with MD5", {{Col_Version, "3"}, {Col_Security_Level, "Auth NoPriv"}, {Col_Auth_Mode, "MD5"}}, 0},
        {"v3 priv without mode", {{Col_Version, "3"}, {Col_Security_Level, "Auth Priv"}, {Col_Auth_Mode, "MD5"}}, 6185},
        {"v3 empty level needs auth", {{Col_Version, "3"}, {Col_Security_Level, ""}}, 6184},
        {"v3 empty level needs priv", {{Col_Version, "3"}, {Col_Auth_Mode, "SHA"}}, 6185},
        {"v3 without security", {{Col_Version, "3"}, {Col_Security_Level, "NoAuth NoPriv"}}, 0},
        {"v2 ignores security", {{Col_Version, "2"}, {Col_Security_Level, "Auth Priv"}}, 0},
        {"disabled row with a bad address", {{Col_Enable, "N"}, {Col_IP_Address, "x"}}, 0},
    };
    for (const auto& c : cases) {
        TMemoryTables t = Tables_Of(SNMPManagerAccess_Desc());
        Manager_Row(t, 1, "192.168.1.10");
        for (const auto& [col, text] : c.cells) t.Set(0, 1, {{col, text.c_str()}});
        EXPECT_EQ(t.Check(), c.message ? Row_Error(6137, 1, c.message) : String()) << c.what;
    }
}

TEST_F(Checks, SNMPManagerDuplicatesAndTheStringTotal)
{
    using namespace SNMP_Manager;
    TMemoryTables t = Tables_Of(SNMPManagerAccess_Desc());
    Manager_Row(t, 1, "10.0.0.1");
    Manager_Row(t, 2, "10.0.0.2");
    Manager_Row(t, 3, "10.0.0.3");
    Manager_Row(t, 5, " 10.0.0.2 ");
    EXPECT_EQ(t.Check(), Text(6186) + "2" + Text(6187) + "5" + Text(6188));
    t.Set(0, 5, {{Col_Enable, "N"}});
    EXPECT_EQ(t.Check(), "");
    // The same agent and OID with another version is another request.
    t.Set(0, 5, {{Col_Enable, "Y"}, {Col_Version, "3"}, {Col_Security_Level, "NoAuth NoPriv"}});
    EXPECT_EQ(t.Check(), "");

    // 1, then per row: the OID "1.3.6.1.2.1.1.3.0" (17 + 1) and "public" (6 + 1) for
    // versions 1 and 2; row 5 is version 3 without a user: the OID alone.
    EXPECT_EQ(SNMP_String_Total(TTableView(t.Desc.Tables[0], t[0])), 1 + 3 * 25 + 18);
    // Pad row 4 (version 3, user and both passwords) to reach exactly 47104.
    Manager_Row(t, 4, "10.0.0.4", "3", "1");
    t.Set(0, 4, {{Col_Security_Level, ""}, {Col_Auth_Mode, "SHA"}, {Col_Priv_Mode, "AES"}});
    const long long Before = 1 + 3 * 25 + 18 + 2;   // row 4's OID "1"
    const long long Room = Max_String_Total - Before - 3;   // three terminators
    const String User(size_t(Room / 3), 'u'), Auth(size_t(Room / 3), 'a'), Priv(size_t(Room - 2 * (Room / 3)), 'p');
    t.Set(0, 4, {{Col_User, User.c_str()}, {Col_Auth_Pass, Auth.c_str()}, {Col_Priv_Pass, Priv.c_str()}});
    EXPECT_EQ(SNMP_String_Total(TTableView(t.Desc.Tables[0], t[0])), Max_String_Total);
    EXPECT_EQ(t.Check(), "");
    t.Set(0, 4, {{Col_Priv_Pass, (Priv + "p").c_str()}});
    EXPECT_EQ(t.Check(), Text(6189));
    // A level without privacy leaves the privacy password out of the total.
    t.Set(0, 4, {{Col_Security_Level, "Auth NoPriv"}});
    EXPECT_EQ(t.Check(), "");
    t.Set(0, 4, {{Col_Security_Level, ""}});
    // Disabled rows and rows without an address do not count.
    t.Set(0, 4, {{Col_Enable, "N"}});
    EXPECT_EQ(t.Check(), "");
    t.Set(0, 4, {{Col_Enable, "Y"}, {Col_IP_Address, " "}});
    EXPECT_EQ(t.Check(), "");
    // Duplicates are told before the total.
    t.Set(0, 4, {{Col_IP_Address, "10.0.0.4"}});
    Manager_Row(t, 6, "10.0.0.1");
    EXPECT_EQ(t.Check(), Text(6186) + "1" + Text(6187) + "6" + Text(6188));
}

// ---- SNMP agent -------------------------------------------------------------------------------
void Trap_Read_Row(TMemoryTables& t, int Row, const char* Desc)
{
    using namespace SNMP_Trap;
    t.Set(Read, Row, {{Rd_Community_Name, "Vostek"}, {Rd_Type, "Int"}, {Rd_Position, "0"}, {Rd_Bit, "3"},
                      {Rd_NumBits, "64"}, {Rd_Description, Desc}, {Rd_IP_Address, "192.168.1.125"},
                      {Rd_Conversion, "None"}});
}
void Trap_Write_Row(TMemoryTables& t, int Row, const char* Desc)
{
    using namespace SNMP_Trap;
    t.Set(Write, Row, {{Wr_Community_Name, "Quenmar"}, {Wr_Type, "String"}, {Wr_Position, "10"}, {Wr_Bit, "0"},
                       {Wr_NumBits, "16"}, {Wr_Description, Desc}, {Wr_Conversion, "None"}});
}

TEST_F(Checks, SNMPAgentRows)
{
    using namespace SNMP_Trap;
    const struct {
        const char* what;
        int table;
        Cells cells;
        int message;
    } cases[] = {
        {"Int, bit 3, 64 bits", Read, {}, 0},
        {"Int, 65 bits", Read, {{Rd_NumBits, "65"}}, 6266},
        {"String from bit 3", Read, {{Rd_Type, "String"}, {Rd_NumBits, "4"}}, 6265},
        {"String of 17 bytes", Read, {{Rd_Type, "String"}, {Rd_Bit, "0"}, {Rd_NumBits, "17"}}, 6267},
        {"no timer, no time", Read, {{Rd_On_Timer, "N"}, {Rd_Time, ""}}, 0},
        {"timer, time 0", Read, {{Rd_On_Timer, "Y"}, {Rd_Time, "0"}}, 6262},
        {"timer, time 1000000000", Read, {{Rd_On_Timer, "Y"}, {Rd_Time, "1000000000"}}, 0},
        {"community with a blank", Read, {{Rd_Community_Name, "Vos tek"}}, 6276},
        {"community with a trailing blank", Write, {{Wr_Community_Name, "Quenmar "}}, 6278},
        {"community starting with a digit", Read, {{Rd_Community_Name, "1public"}}, 0},
        {"description 1abc", Read, {{Rd_Description, "1abc"}}, 6277},
        {"description Abc", Write, {{Wr_Description, "Abc"}}, 6279},
        {"description abc1", Read, {{Rd_Description, "abc1"}}, 0},
        {"empty description", Read, {{Rd_Description, ""}}, 0},
        {"no type", Read, {{Rd_Type, ""}}, 6261},
        {"no position", Write, {{Wr_Position, ""}}, 6270},
        {"no start bit", Read, {{Rd_Bit, " "}}, 6264},
        {"no address", Read, {{Rd_IP_Address, ""}}, 6268},
        {"no conversion", Write, {{Wr_Conversion, ""}}, 6286},
        {"write Int of 65 bits", Write, {{Wr_Type, "Int"}, {Wr_NumBits, "65"}}, 6273},
        {"write String of 17 bytes", Write, {{Wr_NumBits, "17"}}, 6274},
        {"disabled row with bad values", Read, {{Rd_Enable, "N"}, {Rd_NumBits, "99"}}, 0},
        {"lower-case y is enabled", Read, {{Rd_Enable, "y"}, {Rd_NumBits, "99"}}, 6266},
        {"y with a blank is not", Read, {{Rd_Enable, " y"}, {Rd_NumBits, "99"}}, 0},
    };
    for (const auto& c : cases) {
        TMemoryTables t = Tables_Of(SNMP_Trap_Access_Desc());
        Trap_Read_Row(t, 1, "temp");
        Trap_Write_Row(t, 1, "setpoint");
        t.Set(c.table, 1, c.cells);
        EXPECT_EQ(t.Check(), c.message ? Row_Error(6260, 1, c.message) : String()) << c.what;
    }
}

TEST_F(Checks, SNMPAgentDescriptionsDifferAcrossBothTables)
{
    using namespace SNMP_Trap;
    TMemoryTables t = Tables_Of(SNMP_Trap_Access_Desc());
    Trap_Read_Row(t, 1, "temp");
    Trap_Read_Row(t, 2, "level");
    Trap_Write_Row(t, 1, "temp");
    EXPECT_EQ(t.Check(), Text(6280));
    // The same name in a disabled row passes.
    t.Set(Write, 1, {{Wr_Enable, "N"}});
    EXPECT_EQ(t.Check(), "");
    // Exact comparison: case counts.
    t.Set(Write, 1, {{Wr_Enable, "Y"}, {Wr_Description, "temP"}});
    EXPECT_EQ(t.Check(), "");
    // One empty description passes, two fail.
    t.Set(Read, 2, {{Rd_Description, ""}});
    EXPECT_EQ(t.Check(), "");
    t.Set(Write, 1, {{Wr_Description, ""}});
    EXPECT_EQ(t.Check(), Text(6280));
}

TEST_F(Checks, CommunityAndDescriptionCharacters)
{
    const struct {
        const char* text;
        int type;
        bool error;
    } cases[] = {{"", 0, false}, {"", 1, false}, {"Public1", 0, false}, {"Public1", 1, true}, {"public1", 1, false},
                 {"9abc", 1, true},  {"a b", 0, true},  {"a_b", 0, true},   {"é", 0, true}};
    for (const auto& c : cases) EXPECT_EQ(Check_Error_CommName_Desc(c.text, c.type), c.error) << c.text << c.type;
}

}  // namespace
