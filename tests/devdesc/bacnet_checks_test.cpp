// The BACnet client's request checks: what each table accepts, which message the first
// fault of a row gives, and the engineering units' names.
#include <gtest/gtest.h>

#include <map>

#include "devdesc/bacnet/UBACnetRequestChecks.h"
#include "devdesc/bacnet/UBACnet_Eng_Units.h"
#include "shell/ULanguage.h"

using namespace BACnetReq;

namespace {

// Two small tables; a row is given by its cells, all else empty.
struct TTables {
    std::map<int, String> Cells[2][4];
    TCellGetter Getter() const
    {
        return [this](int T, int C, int R) {
            if (R >= 4) return String();
            const auto& Row = Cells[T][R];
            const auto It = Row.find(C);
            return It == Row.end() ? String() : It->second;
        };
    }
};

// A read row that passes (IP addressing).
std::map<int, String> Good_Read()
{
    using namespace Read;
    return {{Enable, "Y"}, {Address, "192.168.0.10"}, {Object_Type, "Analog Input"}, {Instance, "3"},
            {Property, "Present Value (85)"}, {NByte, "4"}, {En_Dest, "N"}, {Poll_Time, "1000"}, {Max_Err, "0"}};
}
std::map<int, String> Good_Write()
{
    using namespace Write;
    return {{Enable, "Y"}, {Address, "192.168.0.10"}, {Object_Type, "Analog Output"}, {Data_Type, "Real"},
            {Instance, "1"}, {Property, "Present Value (85)"}, {Priority, "8"}, {NByte, "4"}, {En_Dest, "N"},
            {Timer, "N"}, {Poll_Time, "1000"}, {Max_Err, "0"}};
}

class BACnetChecks : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Load_Default_Texts_2();
        Load_Default_Texts_3();
        Load_Default_Texts_4();
    }
    std::optional<String> Run(const TTables& T, int Type = 0) { return Controllo_dati(T.Getter(), 3, Type); }
    static String Msg(int Prefix, int Row, int Text, const String& Tail = {})
    {
        return Lang_Text(Prefix) + IntToStr(Row) + Lang_Text(Text) + Tail;
    }
};

}  // namespace

TEST_F(BACnetChecks, ObjectTypesAndPropertiesByTable)
{
    struct Case {
        const char* Text;
        int Table;
        int Expect;
    } Cases[] = {
        {" analog input ", 0, 4}, {"ANALOG INPUT", 1, -1}, {"Binary Output", 1, 7}, {"700", 0, 700},
        {"700", 1, 700}, {"100", 0, -1}, {"1024", 1, -1}, {"128", 0, 128}, {"", 0, -1},
    };
    for (const Case& c : Cases) EXPECT_EQ(Check_Object_Type(c.Text, c.Table), c.Expect) << c.Text;

    struct PCase {
        const char* Text;
        int Table, Obj, Expect;
    } PCases[] = {
        {"Scale (187)", 0, 1, 1},        {"Scale (187)", 0, 4, -1},      {"Units (117)", 0, 4, 4},
        {"Units (117)", 0, 6, -1},       {"Units (117)", 0, 7, -1},      {"Units (117)", 0, 13, -1},
        {"Units (117)", 0, 2, -1},       {"Units (117)", 0, 11, -1},     {"Present Value (85)", 1, 7, 100},
        {"Object Type (79)", 1, 7, -1},  {"12345", 0, 4, 200},           {"511", 0, 4, -1},
        {"4194304", 0, 4, -1},           {"Polarity (84)", 0, 6, 1},     {"Number of States (74)", 0, 4, -1},
    };
    for (const PCase& c : PCases) EXPECT_EQ(Check_Property(c.Text, c.Table, c.Obj), c.Expect) << c.Text << c.Obj;

    EXPECT_EQ(Read_Hint("Analog Input", "Units (117)"), "4");
    EXPECT_EQ(Read_Hint("Binary Input", "Units (117)"), "");
    EXPECT_EQ(Read_Hint("Large Analog Value", "Present Value (85)"), "8");
}

TEST_F(BACnetChecks, WriteRowDataTypeAndByteCount)
{
    using namespace Write;
    struct Case {
        std::map<int, String> Change;
        std::optional<String> Expect;
    } Cases[] = {
        {{{Object_Type, "Binary Output"}, {Data_Type, "Real"}}, Msg(1346, 1, 1358, "Enumerated")},
        {{{Object_Type, "Positive Integer Value"}, {Data_Type, "Real"}}, Msg(1346, 1, 1358, "Unsigned Int")},
        {{{Property, "12345"}, {Data_Type, "Octet String"}, {NByte, "200"}}, std::nullopt},
        {{{Property, "600"}, {Data_Type, "Bit String"}, {NByte, "120"}}, std::nullopt},
        {{{Property, "600"}, {Data_Type, "Bit String"}, {NByte, "121"}}, Msg(1346, 1, 1354, "120")},
        {{{Data_Type, "Bit String"}, {NByte, "120"}}, Msg(1346, 1, 1358, "Real")},
        {{{Object_Type, "700"}, {Data_Type, "Null"}, {NByte, "0"}}, std::nullopt},
        {{{Priority, "17"}}, Msg(1346, 1, 1353)},
        {{{Poll_Time, "x"}}, std::nullopt},                                  // Timer off: not looked at
        {{{Timer, "Y"}, {Poll_Time, "100000001"}}, Msg(1346, 1, 1355)},
        {{{Instance, "4294967296"}}, Msg(1346, 1, 1350)},
        {{{Instance, "4294967295"}}, std::nullopt},
    };
    for (const Case& c : Cases) {
        TTables T;
        T.Cells[1][1] = Good_Write();
        for (const auto& [Col, Text] : c.Change) T.Cells[1][1][Col] = Text;
        EXPECT_EQ(Run(T), c.Expect) << (c.Expect ? *c.Expect : "passes");
    }
}

TEST_F(BACnetChecks, ReadRowDestinationAndSkips)
{
    using namespace Read;
    struct Case {
        std::map<int, String> Change;
        std::optional<String> Expect;
    } Cases[] = {
        {{{Property, "12345"}, {NByte, "255"}}, std::nullopt},
        {{{NByte, "256"}}, Msg(1337, 1, 1343)},
        {{{En_Dest, "y"}, {D_Net, "5"}, {D_Len, "M3"}, {D_Add, " 1 , 2,3 "}}, std::nullopt},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "m3"}, {D_Add, "1,2,3"}}, std::nullopt},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M3"}, {D_Add, "1,2"}}, Msg(1337, 1, 1388)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M3"}, {D_Add, "1,2,3,4"}}, Msg(1337, 1, 1384)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M3"}, {D_Add, "1,256,3"}}, Msg(1337, 1, 1382)},
        // An empty address used to refuse the row without saying why.
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M3"}, {D_Add, "  "}}, Msg(1337, 1, 1388)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M9"}}, Msg(1337, 1, 1386)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "M0"}}, Msg(1337, 1, 1386)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "MM"}}, Msg(1337, 1, 1386)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, ""}}, Msg(1337, 1, 1386)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "3"}}, Msg(1337, 1, 1371)},
        {{{En_Dest, "Y"}, {D_Net, "0"}, {D_Len, "1"}}, Msg(1337, 1, 1370)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "2"}, {D_Add, "0"}}, Msg(1337, 1, 1373)},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "6"}, {D_Add, " 10.0.0.1:47808 "}}, std::nullopt},
        {{{En_Dest, "Y"}, {D_Net, "5"}, {D_Len, "6"}, {D_Add, "10.0.0.1"}}, Msg(1337, 1, 1374)},
        {{{Enable, "N"}, {Object_Type, "bad"}, {Poll_Time, "x"}}, std::nullopt},
        {{{Enable, "y"}, {Object_Type, "bad"}}, std::nullopt},
        {{{Address, "300.1.1.1"}}, Msg(1337, 1, 1338)},
        {{{Poll_Time, ""}}, Msg(1337, 1, 1344)},
        {{{Max_Err, "65536"}}, Msg(1337, 1, 1345)},
    };
    for (const Case& c : Cases) {
        TTables T;
        T.Cells[0][1] = Good_Read();
        for (const auto& [Col, Text] : c.Change) T.Cells[0][1][Col] = Text;
        EXPECT_EQ(Run(T), c.Expect) << (c.Expect ? *c.Expect : "passes");
    }
}

TEST_F(BACnetChecks, AddressingDecidesKeyAndAddressCheck)
{
    TTables T;
    T.Cells[0][1] = Good_Read();
    T.Cells[0][1][Read::Address] = "";           // hidden address: the object type is the key
    T.Cells[0][2] = Good_Read();
    T.Cells[0][2][Read::Object_Type] = "";       // the table ends here ...
    T.Cells[0][3] = Good_Read();
    T.Cells[0][3][Read::NByte] = "999";          // ... so this row is never checked
    EXPECT_EQ(Run(T, 2), std::nullopt);
    EXPECT_EQ(Run(T, 0), std::nullopt);          // the empty address ends the table at once
    T.Cells[0][1][Read::Address] = "255";
    EXPECT_EQ(Run(T, 1), Msg(1337, 1, 1339));
    T.Cells[0][1][Read::Address] = "254";
    T.Cells[0][2][Read::Address] = "";
    EXPECT_EQ(Run(T, 1), std::nullopt);
}

TEST(BACnetUnits, NamesAndCategories)
{
    int Count = 0;
    for (const BACnetUnits::TCategory& C : BACnetUnits::Categories()) Count += int(C.Units.size());
    EXPECT_EQ(Count, 237);
    EXPECT_EQ(BACnetUnits::Categories().size(), 23u);
    struct Case {
        int Code;
        const char* Name;
    } Cases[] = {{62, "degrees-Celsius"}, {207, "per-mille"}, {172, "ohm-meters"},
                 {139, "megajoules-hours-per-square-meter"}, {51, "housepower"}, {236, "minutes-per-degree-kelvin"},
                 {-1, "unknown"}, {237, "unknown"}};
    for (const Case& c : Cases) EXPECT_EQ(Desc_Unit(c.Code), c.Name);
}
