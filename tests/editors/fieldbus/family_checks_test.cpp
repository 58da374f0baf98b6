// The checks of the DMX, DeviceNet, Modbus RTU and TCP master and EtherNet/IP scanner
// tables: which rows pass, which message names the first failure (with its row and,
// where the message ends in one, its limit), and which rows take part.
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
    TCells cells;    // changes to the valid rows of row 1
    String expect;   // "" passes
};

// Each case starts from tables whose row 1 holds a valid rule (Valid), changes cells of
// it and expects the check's text.
void Run_Cases(TEditorDesc (*Desc)(), const TEditorContext& Context, const std::vector<std::pair<int, TCells>>& Valid,
               std::initializer_list<TCase> Cases)
{
    for (const TCase& c : Cases) {
        TMemoryTables t(Desc(), Context);
        for (const auto& [table, cells] : Valid) t.Set(table, 1, cells);
        t.Set(c.table, 1, c.cells);
        EXPECT_EQ(t.Check(), c.expect) << c.what;
    }
}

TEST_F(Checks, DMXChannels)
{
    using namespace DMX;
    auto err = [](int Row) { return Row_Error(4011, Row, 4012); };
    // Every channel is checked: there is no key that ends the table.
    Run_Cases(DMX_Def_Val_Desc, TEditorContext(), {},
              {
                  {"the reset table", 0, {}, ""},
                  {"255", 0, {{Col_Default_Value, "255"}}, ""},
                  {"256", 0, {{Col_Default_Value, "256"}}, err(1)},
                  {"-1", 0, {{Col_Default_Value, "-1"}}, err(1)},
                  {"an empty value", 0, {{Col_Default_Value, ""}}, err(1)},
                  {"blanks before", 0, {{Col_Default_Value, "  7"}}, ""},
                  {"a blank after", 0, {{Col_Default_Value, "7 "}}, err(1)},
                  {"hexadecimal", 0, {{Col_Default_Value, "$FF"}}, ""},
                  {"any description", 0, {{Col_Mnemonic, "<&>"}}, ""},
              });
    TMemoryTables t(DMX_Def_Val_Desc());
    t.Set(0, 512, {{Col_Default_Value, ""}});
    EXPECT_EQ(t.Check(), err(512)) << "the last channel is checked too";
    t.Set(0, 3, {{Col_Default_Value, "x"}});
    EXPECT_EQ(t.Check(), err(3)) << "the first failure speaks";
    EXPECT_EQ(err(3), "Error row 3!! Default Value must be between 0 and 255");
}

TEST_F(Checks, DMXChannelCountFromParGen)
{
    const struct {
        const char* text;   // nullptr: no key
        int channels;
    } cases[] = {
        {nullptr, 512}, {"24", 24}, {"1", 1}, {"$20", 32}, {"many", 512}, {"", 512},
        // A hand-written count that would show no row, or millions of them, falls back.
        {"0", 512}, {"-5", 512}, {"32768", DMX::Max_Channels}, {"32769", 512}, {"2147483647", 512},
    };
    for (const auto& c : cases) {
        TEditorContext Context;
        if (c.text) Context.Settings["DMX_Num_Channels"] = c.text;
        EXPECT_EQ(DMX::Channels(Context), c.channels) << (c.text ? c.text : "(none)");
    }
}

TEST_F(Checks, DeviceNetSlaves)
{
    using namespace DNet;
    auto err = [](int Row, int Message) { return Row_Error(3823, Row, Message); };
    Run_Cases(DNet_Desc, TEditorContext(), {{0, {{Col_ID, "5"}, {Col_NB_IN, "4"}, {Col_NB_OUT, "2"}}}},
              {
                  {"the valid slave", 0, {}, ""},
                  {"ID 63", 0, {{Col_ID, "63"}}, ""},
                  {"ID 64", 0, {{Col_ID, "64"}}, err(1, 3824)},
                  {"ID 0", 0, {{Col_ID, "0"}}, ""},
                  {"NB_IN 65535", 0, {{Col_NB_IN, "65535"}}, ""},
                  {"NB_IN 65536", 0, {{Col_NB_IN, "65536"}}, err(1, 3825)},
                  {"an empty NB_OUT", 0, {{Col_NB_OUT, ""}}, err(1, 3826)},
                  {"NB_OUT 0", 0, {{Col_NB_OUT, "0"}}, ""},
                  // Only a cell without any text ends the list: blanks are an ID, and a bad one.
                  {"an ID of blanks", 0, {{Col_ID, "  "}}, err(1, 3824)},
                  {"no ID", 0, {{Col_ID, ""}, {Col_NB_IN, "x"}}, ""},
                  {"the first failure speaks", 0, {{Col_ID, "99"}, {Col_NB_OUT, "x"}}, err(1, 3824)},
              });
    TMemoryTables t(DNet_Desc());
    t.Set(0, 1, {{Col_ID, "7"}, {Col_NB_IN, "1"}, {Col_NB_OUT, "1"}});
    t.Set(0, 2, {{Col_ID, "7"}, {Col_NB_IN, "1"}, {Col_NB_OUT, "1"}});
    EXPECT_EQ(t.Check(), "") << "two slaves may have the same ID";
    t.Set(0, 64, {{Col_ID, "1"}, {Col_NB_IN, "1"}, {Col_NB_OUT, "65536"}});
    EXPECT_EQ(t.Check(), err(64, 3826)) << "the 64th row is checked";
    EXPECT_EQ(err(64, 3826), "Error in row 64!! Number Byte OUT must be 0 or 65535");
}

TEST_F(Checks, ModbusRTURules)
{
    using namespace ModbusRTU;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3068, 1, Message, Limit); };
    const TCells read = {{Rd_Slave_ID, "1"},   {Rd_Type, "Holding Register"}, {Rd_Address, "0"}, {Rd_NPoint, "1"},
                         {Rd_PollTime, "1000"}, {Rd_MaxError, "0"},            {Rd_Position, "0"}, {Rd_Bit, "0"}};
    const TCells write = {{Wr_Slave_ID, "1"},   {Wr_Type, "Holding Register"}, {Wr_Address, "0"}, {Wr_NPoint, "1"},
                          {Wr_PollTime, "1000"}, {Wr_MaxError, "0"},            {Wr_Position, "0"}, {Wr_Bit, "0"}};
    Run_Cases(Set_Access_Desc, Showing_Context(Set_Access_Desc()), {{Read, read}, {Write, write}},
              {
                  {"the valid rules", Read, {}, ""},
                  {"registers up to the last byte", Read, {{Rd_Position, "1400"}, {Rd_NPoint, "50"}}, ""},
                  {"one register past it", Read, {{Rd_Position, "1400"}, {Rd_NPoint, "51"}}, err(3077)},
                  {"a coil at the last bit", Read, {{Rd_Type, "Coil Status"}, {Rd_Position, "1499"}, {Rd_Bit, "7"}}, ""},
                  {"two coils from the last bit", Read,
                   {{Rd_Type, "Coil Status"}, {Rd_Position, "1499"}, {Rd_Bit, "7"}, {Rd_NPoint, "2"}}, err(3077)},
                  {"126 input registers", Read, {{Rd_Type, "Input Register"}, {Rd_NPoint, "126"}}, err(3072, "125")},
                  {"2000 input bits", Read, {{Rd_Type, "Input Status"}, {Rd_NPoint, "2000"}}, ""},
                  {"2001 input bits", Read, {{Rd_Type, "Input Status"}, {Rd_NPoint, "2001"}}, err(3072, "2000")},
                  {"a type in any case", Read, {{Rd_Type, " coil status "}, {Rd_NPoint, "2000"}}, ""},
                  {"no type", Read, {{Rd_Type, ""}}, err(3070)},
                  {"a bit rule without start bit", Read, {{Rd_Type, "Coil Status"}, {Rd_Bit, ""}}, err(3076)},
                  {"a register rule needs no start bit", Read, {{Rd_Bit, ""}}, ""},
                  {"poll time 0 reading", Read, {{Rd_PollTime, "0"}}, err(3073)},
                  {"position 1500", Read, {{Rd_Position, "1500"}}, err(3075, "1499")},
                  {"max error 100000001", Read, {{Rd_MaxError, "100000001"}}, err(3074)},
                  {"address 65536", Read, {{Rd_Address, "65536"}}, err(3071)},
                  {"slave ID $10", Read, {{Rd_Slave_ID, "$10"}}, ""},
                  {"slave ID with a blank before", Read, {{Rd_Slave_ID, " 5"}}, ""},
                  {"slave ID with a blank after", Read, {{Rd_Slave_ID, "5 "}}, err(3069)},
                  {"slave ID 248", Read, {{Rd_Slave_ID, "248"}}, err(3069)},
                  {"1968 coils written", Write, {{Wr_Type, "Coil Status"}, {Wr_NPoint, "1968"}}, ""},
                  {"1969 coils written", Write, {{Wr_Type, "Coil Status"}, {Wr_NPoint, "1969"}}, err(3082, "1968")},
                  {"124 registers written", Write, {{Wr_NPoint, "124"}}, err(3082, "123")},
                  {"input status is no bit type for writing", Write, {{Wr_Type, "Input Status"}, {Wr_NPoint, "124"}},
                   err(3082, "123")},
                  {"poll time 0 writing", Write, {{Wr_PollTime, "0"}}, ""},
                  {"a disabled write rule with slave ID 300", Write, {{Wr_Enable, "N"}, {Wr_Slave_ID, "300"}}, ""},
                  {"write position 1500", Write, {{Wr_Position, "1500"}}, err(3085, "1499")},
                  {"write registers past the end", Write, {{Wr_Position, "1499"}}, err(3087)},
                  {"write bit rule without start bit", Write, {{Wr_Type, "Coil Status"}, {Wr_Bit, ""}}, err(3086)},
                  {"the read table is checked first", Write, {{Wr_Slave_ID, "0"}}, err(3079)},
              });
    EXPECT_EQ(err(3072, "125"), "Error row 1!! [Modbus Read] NPoint must be between 1 and 125");
}

TEST_F(Checks, ModbusTCPRules)
{
    using namespace ModbusTCP;
    auto err = [](int Message, const String& Limit = "") { return Row_Error(3138, 1, Message, Limit); };
    const TCells read = {{Rd_IP_Address, "192.168.1.125"}, {Rd_Port, "502"},   {Rd_Slave_ID, "1"},
                         {Rd_Type, "Holding Register"},    {Rd_Address, "0"},  {Rd_NPoint, "1"},
                         {Rd_PollTime, "1000"},            {Rd_MaxError, "0"}, {Rd_Position, "0"}, {Rd_Bit, "0"}};
    const TCells write = {{Wr_IP_Address, "192.168.1.126"}, {Wr_Port, "502"},   {Wr_Slave_ID, "1"},
                          {Wr_Type, "Holding Register"},    {Wr_Address, "0"},  {Wr_NPoint, "1"},
                          {Wr_PollTime, "1000"},            {Wr_MaxError, "0"}, {Wr_Position, "0"}, {Wr_Bit, "0"}};
    Run_Cases(Modbus_TCP_Master_Set_Access_Desc, Showing_Context(Modbus_TCP_Master_Set_Access_Desc()),
              {{Read, read}, {Write, write}},
              {
                  {"the valid rules", Read, {}, ""},
                  {"three parts", Read, {{Rd_IP_Address, "192.168.1"}}, err(3139)},
                  {"a part above 255", Read, {{Rd_IP_Address, "192.168.1.256"}}, err(3139)},
                  {"a fifth part", Read, {{Rd_IP_Address, "192.168.1.1.5"}}, err(3139)},
                  {"a blank before", Read, {{Rd_IP_Address, " 192.168.1.125"}}, ""},
                  {"a blank after", Read, {{Rd_IP_Address, "192.168.1.125 "}}, err(3139)},
                  {"an empty part", Read, {{Rd_IP_Address, "192..1.125"}}, err(3139)},
                  {"a hexadecimal part", Read, {{Rd_IP_Address, "0xC0.168.1.125"}}, ""},
                  {"port 0", Read, {{Rd_Port, "0"}}, ""},
                  {"port 65535", Read, {{Rd_Port, "65535"}}, ""},
                  {"port 65536", Read, {{Rd_Port, "65536"}}, err(3140)},
                  {"no port", Read, {{Rd_Port, ""}}, err(3140)},
                  {"registers up to the last byte", Read, {{Rd_Position, "1400"}, {Rd_NPoint, "50"}}, ""},
                  {"one register past it", Read, {{Rd_Position, "1400"}, {Rd_NPoint, "51"}}, err(3149)},
                  {"poll time 0 reading", Read, {{Rd_PollTime, "0"}}, err(3199)},
                  {"position 1500", Read, {{Rd_Position, "1500"}}, err(3147, "1499")},
                  {"a bit rule without start bit", Read, {{Rd_Type, "Input Status"}, {Rd_Bit, ""}}, err(3148)},
                  {"1968 coils written", Write, {{Wr_Type, "Coil Status"}, {Wr_NPoint, "1968"}}, ""},
                  {"1969 coils written", Write, {{Wr_Type, "Coil Status"}, {Wr_NPoint, "1969"}}, err(3155, "1968")},
                  {"124 registers written", Write, {{Wr_NPoint, "124"}}, err(3155, "123")},
                  {"poll time 0 writing", Write, {{Wr_PollTime, "0"}}, ""},
                  {"a write address", Write, {{Wr_IP_Address, "10.0.0"}}, err(3150)},
                  {"a write port", Write, {{Wr_Port, "-1"}}, err(3151)},
                  {"write registers past the end", Write, {{Wr_Position, "1499"}}, err(3160)},
                  {"a disabled write rule", Write, {{Wr_Enable, "N"}, {Wr_Port, "x"}}, ""},
              });
    EXPECT_EQ(err(3155, "1968"), "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968");
}

TEST_F(Checks, EtherNetIPSlaves)
{
    using namespace EtherNetIP;
    auto err = [](int Row, int Message) { return Row_Error(4131, Row, Message); };
    const TCells valid = {{Col_IP_Address, "192.168.1.5"},
                          {Col_Start_Input, "0"},
                          {Col_Num_Input, "10"},
                          {Col_Start_Output, "0"},
                          {Col_Num_Output, "10"},
                          {Col_Time_Poll, "100"},
                          {Col_Instance_T_O, "1"},
                          {Col_Connection_Point_T_O, "100"},
                          {Col_Instance_O_T, "1"},
                          {Col_Connection_Point_O_T, "101"},
                          {Col_Dim_Header_T_O, "Default"},
                          {Col_Dim_Header_O_T, "Default"}};
    Run_Cases(EtherNetIP_Master_Access_Desc, Showing_Context(EtherNetIP_Master_Access_Desc()), {{0, valid}},
              {
                  {"the valid slave", 0, {}, ""},
                  {"empty header formats", 0, {{Col_Dim_Header_T_O, ""}, {Col_Dim_Header_O_T, ""}}, err(1, 4157)},
                  {"default in lower case, blanks around", 0, {{Col_Dim_Header_T_O, " default "}}, ""},
                  {"header format 7", 0, {{Col_Dim_Header_T_O, "7"}, {Col_Dim_Header_O_T, "0"}}, ""},
                  {"header format 8", 0, {{Col_Dim_Header_T_O, "8"}}, err(1, 4157)},
                  {"header format O > T 8", 0, {{Col_Dim_Header_O_T, "8"}}, err(1, 4158)},
                  {"no bytes at all", 0, {{Col_Num_Input, "0"}, {Col_Num_Output, "0"}}, ""},
                  {"enabled by a lower-case y", 0, {{Col_Enable, "y"}, {Col_IP_Address, "192.168.1"}}, err(1, 4132)},
                  {"a blank before Y disables", 0, {{Col_Enable, " Y"}, {Col_IP_Address, "192.168.1"}}, ""},
                  {"blanks around a part", 0, {{Col_IP_Address, "192.168.1. 5"}}, ""},
                  {"three parts", 0, {{Col_IP_Address, "192.168.1"}}, err(1, 4132)},
                  {"start input 65536", 0, {{Col_Start_Input, "65536"}}, err(1, 4133)},
                  {"num input -1", 0, {{Col_Num_Input, "-1"}}, err(1, 4134)},
                  {"start output empty", 0, {{Col_Start_Output, ""}}, err(1, 4135)},
                  {"num output 65536", 0, {{Col_Num_Output, "65536"}}, err(1, 4136)},
                  {"poll time 0", 0, {{Col_Time_Poll, "0"}}, err(1, 4137)},
                  {"poll time 100000000", 0, {{Col_Time_Poll, "100000000"}}, ""},
                  {"instance T > O", 0, {{Col_Instance_T_O, "65536"}}, err(1, 4145)},
                  {"connection point T > O", 0, {{Col_Connection_Point_T_O, ""}}, err(1, 4151)},
                  {"instance O > T", 0, {{Col_Instance_O_T, "x"}}, err(1, 4146)},
                  {"connection point O > T", 0, {{Col_Connection_Point_O_T, "-1"}}, err(1, 4152)},
              });
}

TEST_F(Checks, EtherNetIPTotalsComeAfterEveryRowAndNameNoRow)
{
    using namespace EtherNetIP;
    TMemoryTables t(EtherNetIP_Master_Access_Desc(), Showing_Context(EtherNetIP_Master_Access_Desc()));
    EXPECT_EQ(t.Check(), "") << "an empty table passes";
    auto slave = [&](int Row, const char* In, const char* Out) {
        t.Set(0, Row,
              {{Col_IP_Address, "10.0.0.1"}, {Col_Start_Input, "0"}, {Col_Num_Input, In}, {Col_Start_Output, "0"},
               {Col_Num_Output, Out}, {Col_Time_Poll, "100"}, {Col_Instance_T_O, "1"}, {Col_Connection_Point_T_O, "100"},
               {Col_Instance_O_T, "1"}, {Col_Connection_Point_O_T, "101"}, {Col_Dim_Header_T_O, "Default"},
               {Col_Dim_Header_O_T, "4"}});
    };
    slave(1, "700", "0");
    slave(3, "738", "1438");
    EXPECT_EQ(t.Check(), "") << "1438 input bytes in all";
    slave(3, "739", "1439");
    EXPECT_EQ(t.Check(), Text(4138) + "1438") << "inputs before outputs, no row";
    EXPECT_EQ(t.Check(), "Error!! The Total Number of Input Bytes must be between 0 and 1438");
    slave(3, "738", "1439");
    EXPECT_EQ(t.Check(), Text(4139) + "1438");
    // A row failure below the row that makes the sum too big still speaks first.
    slave(5, "1", "1");
    t.Set(0, 5, {{Col_Time_Poll, "0"}});
    EXPECT_EQ(t.Check(), Row_Error(4131, 5, 4137));
    // A disabled row with no address between enabled ones: the rows below still count.
    t.Set(0, 5, {{Col_Time_Poll, "10"}, {Col_Num_Input, "0"}});
    t.Set(0, 2, {{Col_Enable, "N"}, {Col_IP_Address, ""}});
    t.Set(0, 4, {{Col_Enable, "N"}, {Col_Num_Output, "1400"}});
    slave(3, "738", "1000");
    EXPECT_EQ(t.Check(), "") << "disabled rows count in no sum";
}

}  // namespace
