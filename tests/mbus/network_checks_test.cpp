// The network checks: each refusal with the text-table numbers and the text it shows,
// on a small network of an enabled wired meter, a disabled one and a wireless one.
#include <functional>

#include "mbus/network/MBusChecks.h"
#include "shell/ULanguage.h"
#include "tests/mbus/network_fixture.h"

namespace {

class MBusChecks : public ::testing::Test {
protected:
    TNodiList Nodi;

    void SetUp() override
    {
        Load_Default_Texts();
        auto a = Wired_Node("Heat", 5);              // node 0: registers 10, 11
        a->Node_State = 10;
        a->Ident_Num = 11;
        a->Var_List.push_back(Var("Energy", 100));
        auto tp = Var("Clock", 200);
        tp->TP_Mod_Regs = true;
        tp->TP_Mod_Year = 300;                        // 300..305
        a->Var_List.push_back(std::move(tp));
        a->Var_List.push_back(Var("Off", 400, /*Enable*/ false));
        Nodi.push_back(std::move(a));
        auto d = Wired_Node("Spare", 6, /*Enable*/ 0);   // node 1, disabled: registers 20, 21, 500
        d->Node_State = 20;
        d->Ident_Num = 21;
        d->Var_List.push_back(Var("Unused", 500));
        Nodi.push_back(std::move(d));
        auto w = Wireless_Node("Radio", "1234");     // node 2: registers 0, 0, RSSI 30
        w->RSSI = 30;
        w->Node_Pri = 7;
        Nodi.push_back(std::move(w));
        auto s = Wired_Node("Second", 1);            // node 3: addressed by secondary address 12345678
        s->Node_ID_Type = 1;
        s->Node_Sec = 12345678;
        Nodi.push_back(std::move(s));
    }

    static std::vector<int> Numbers(const TMBusMessages& M)
    {
        std::vector<int> out;
        for (const auto& m : M) out.insert(out.end(), m.Numbers.begin(), m.Numbers.end());
        return out;
    }
};

TNodePage Good_Wired()
{
    TNodePage p;
    p.MBus_Type = 1;
    p.Node_Pri = "9";
    p.Node_Sec = "0";
    return p;
}

TNodePage Good_Wireless()
{
    TNodePage p;
    p.MBus_Type = 0;
    p.wMBus_ManID = "0xFFFF";
    p.wMBus_Add = "0xFFFFFFFF";
    p.wMBus_Ver = "255";
    p.wMBus_DevType = "$07";
    p.W_Node_State = p.W_Ident_Num = p.W_RSSI = p.W_Access_Number = "0";
    return p;
}

TEST_F(MBusChecks, NodePageRefusalsWithTheirNumbers)
{
    const struct {
        const char* what;
        TNodePage (*base)();
        std::function<void(TNodePage&)> edit;
        bool ok;
        std::vector<int> numbers;
    } cases[] = {
        {"wired ok", Good_Wired, [](TNodePage&) {}, true, {}},
        {"primary 255", Good_Wired, [](TNodePage& p) { p.Node_Pri = "255"; }, true, {}},
        {"primary 256", Good_Wired, [](TNodePage& p) { p.Node_Pri = "256"; }, false, {1875}},
        {"primary no number", Good_Wired, [](TNodePage& p) { p.Node_Pri = "x"; }, false, {1875}},
        {"secondary too big", Good_Wired, [](TNodePage& p) { p.Primary_Chosen = false; p.Node_Sec = "100000000"; }, false, {1876}},
        {"secondary clash", Good_Wired, [](TNodePage& p) { p.Primary_Chosen = false; p.Node_Sec = "12345678"; }, false, {1892}},
        {"primary clash", Good_Wired, [](TNodePage& p) { p.Node_Pri = "5"; }, false, {1892}},
        {"clash with a disabled node too", Good_Wired, [](TNodePage& p) { p.Node_Pri = "6"; }, false, {1892}},
        {"wireless node's address is free", Good_Wired, [](TNodePage& p) { p.Node_Pri = "7"; }, true, {}},
        {"clash, then the later checks still run", Good_Wired,
         [](TNodePage& p) { p.Node_Pri = "5"; p.Enable_NS = true; p.Node_State = "1537"; }, false, {1892, 1877}},
        {"unticked register boxes are not read", Good_Wired,
         [](TNodePage& p) { p.Node_State = "x"; p.Ident_Num = "x"; p.Access_Number = "x"; }, true, {}},
        {"ident out of range", Good_Wired, [](TNodePage& p) { p.Enable_IN = true; p.Ident_Num = "-1"; }, false, {1878}},
        {"state equals ident", Good_Wired,
         [](TNodePage& p) { p.Enable_NS = p.Enable_IN = true; p.Node_State = p.Ident_Num = "12"; }, false, {1879}},
        {"state and ident both 0", Good_Wired,
         [](TNodePage& p) { p.Enable_NS = p.Enable_IN = true; p.Node_State = p.Ident_Num = "0"; }, true, {}},
        {"msd 241 in all", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = true; p.Manufacturer_Spec = "5"; p.MSD_Length = "200"; p.MSD_Offset = "41"; }, true, {}},
        {"msd 242 in all", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = true; p.Manufacturer_Spec = "5"; p.MSD_Length = "200"; p.MSD_Offset = "42"; }, false, {1885}},
        {"msd register 0 skips length", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = true; p.Manufacturer_Spec = "0"; p.MSD_Length = "x"; }, true, {}},
        {"msd register range", Good_Wired, [](TNodePage& p) { p.Enable_MS = true; p.Manufacturer_Spec = "1537"; }, false, {1880}},
        {"msd equals ident", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = p.Enable_IN = true; p.Manufacturer_Spec = p.Ident_Num = "8"; }, false, {1881}},
        {"msd equals state", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = p.Enable_NS = true; p.Manufacturer_Spec = p.Node_State = "8"; }, false, {1882}},
        {"msd length 0", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = true; p.Manufacturer_Spec = "8"; p.MSD_Length = "0"; p.MSD_Offset = "0"; }, false, {1883}},
        {"msd offset 241", Good_Wired,
         [](TNodePage& p) { p.Enable_MS = true; p.Manufacturer_Spec = "8"; p.MSD_Length = "1"; p.MSD_Offset = "241"; }, false, {1884}},
        {"access range", Good_Wired, [](TNodePage& p) { p.Enable_AN = true; p.Access_Number = "1537"; }, false, {1886}},
        {"access equals ident", Good_Wired,
         [](TNodePage& p) { p.Enable_AN = p.Enable_IN = true; p.Access_Number = p.Ident_Num = "3"; }, false, {1887}},
        {"access equals state", Good_Wired,
         [](TNodePage& p) { p.Enable_AN = p.Enable_NS = true; p.Access_Number = p.Node_State = "3"; }, false, {1888}},
        {"access equals msd", Good_Wired,
         [](TNodePage& p) {
             p.Enable_AN = p.Enable_MS = true;
             p.Access_Number = p.Manufacturer_Spec = "3";
             p.MSD_Length = "1";
             p.MSD_Offset = "0";
         }, false, {1889}},
        {"access equals an unticked msd", Good_Wired,
         [](TNodePage& p) { p.Enable_AN = true; p.Access_Number = p.Manufacturer_Spec = "3"; }, true, {}},
        {"wireless ok", Good_Wireless, [](TNodePage&) {}, true, {}},
        {"wireless is not tested for uniqueness", Good_Wireless, [](TNodePage& p) { p.Node_Pri = "5"; }, true, {}},
        {"manufacturer", Good_Wireless, [](TNodePage& p) { p.wMBus_ManID = "0x10000"; }, false, {1845}},
        {"address 2^32", Good_Wireless, [](TNodePage& p) { p.wMBus_Add = "4294967296"; }, false, {1846}},
        {"address no number", Good_Wireless, [](TNodePage& p) { p.wMBus_Add = ""; }, false, {1846}},
        {"version", Good_Wireless, [](TNodePage& p) { p.wMBus_Ver = "256"; }, false, {1847}},
        {"device type", Good_Wireless, [](TNodePage& p) { p.wMBus_DevType = "-1"; }, false, {1848}},
        {"key 4 with keys on", Good_Wireless,
         [](TNodePage& p) { p.wMBus_En_Key = true; p.wMBus_Key.fill(String("0")); p.wMBus_Key[3] = "300"; }, false, {1852}},
        {"key 16 empty", Good_Wireless,
         [](TNodePage& p) { p.wMBus_En_Key = true; p.wMBus_Key.fill(String("255")); p.wMBus_Key[15] = ""; }, false, {1864}},
        {"keys off: not looked at", Good_Wireless, [](TNodePage& p) { p.wMBus_Key[3] = "300"; }, true, {}},
        {"state 60000", Good_Wireless, [](TNodePage& p) { p.W_Node_State = "60000"; }, false, {1865}},
        {"ident empty", Good_Wireless, [](TNodePage& p) { p.W_Ident_Num = ""; }, false, {1866}},
        {"rssi", Good_Wireless, [](TNodePage& p) { p.W_RSSI = "60000"; }, false, {1867}},
        {"access", Good_Wireless, [](TNodePage& p) { p.W_Access_Number = "-5"; }, false, {1868}},
        {"state = ident", Good_Wireless, [](TNodePage& p) { p.W_Node_State = p.W_Ident_Num = "10"; }, false, {1869}},
        {"rssi = ident", Good_Wireless, [](TNodePage& p) { p.W_RSSI = p.W_Ident_Num = "10"; }, false, {1870}},
        {"access = ident", Good_Wireless, [](TNodePage& p) { p.W_Access_Number = p.W_Ident_Num = "10"; }, false, {1871}},
        {"rssi = state", Good_Wireless, [](TNodePage& p) { p.W_RSSI = p.W_Node_State = "10"; }, false, {1872}},
        {"access = state", Good_Wireless, [](TNodePage& p) { p.W_Access_Number = p.W_Node_State = "10"; }, false, {1873}},
        {"access = rssi", Good_Wireless, [](TNodePage& p) { p.W_Access_Number = p.W_RSSI = "10"; }, false, {1874}},
        {"wireless msd against its own ident", Good_Wireless,
         [](TNodePage& p) { p.Enable_MS = true; p.W_Ident_Num = p.Manufacturer_Spec = "9"; }, false, {1881}},
    };
    for (const auto& c : cases) {
        TNodePage page = c.base();
        c.edit(page);
        TMBusMessages m;
        EXPECT_EQ(Controllo_Dati_New_Nodo(page, Nodi, {}, m), c.ok) << c.what;
        EXPECT_EQ(Numbers(m), c.numbers) << c.what;
        for (const auto& msg : m) EXPECT_EQ(msg.Text, Lang_Text(msg.Numbers[0])) << c.what;
    }
    TMBusMessages m;
    TNodePage p = Good_Wired();
    p.Node_Pri = "256";
    Controllo_Dati_New_Nodo(p, Nodi, {}, m);
    EXPECT_EQ(m.at(0).Text, "Error!! Primary ID Node M-Bus must be between 0 and 255");
}

TEST_F(MBusChecks, AddressUniquenessInTheEditorAndThePasteDialog)
{
    const struct {
        const char* what;
        TMBusSelection sel;
        int32_t id;
        int type;
        bool ok;
        std::vector<int> numbers;
    } editor[] = {
        {"free", {}, 9, 0, true, {}},
        {"another wired node", {}, 5, 0, false, {1892}},
        {"the node being modified is skipped", {0, -1}, 5, 0, true, {}},
        {"with its variable selected a new node is added", {0, 1}, 5, 0, false, {1891}},
        {"a wireless node does not count", {}, 7, 0, true, {}},
        {"unless its variable is selected", {2, 0}, 7, 0, false, {1891}},
        {"secondary numbers are another space", {}, 5, 1, true, {}},
        {"secondary clash", {}, 12345678, 1, false, {1892}},
    };
    for (const auto& c : editor) {
        TMBusMessages m;
        EXPECT_EQ(Check_Node_ID(Nodi, c.sel, c.id, c.type, m), c.ok) << c.what;
        EXPECT_EQ(Numbers(m), c.numbers) << c.what;
    }
    const struct {
        int32_t id;
        int type;
        bool ok;
    } paste[] = {{5, 0, false}, {6, 0, false}, {7, 0, false}, {9, 0, true}, {12345678, 1, false}, {12345678, 0, true}};
    for (const auto& c : paste) {
        TMBusMessages m;
        EXPECT_EQ(Check_Node_ID2(Nodi, c.id, c.type, m), c.ok) << c.id;
        EXPECT_EQ(Numbers(m), c.ok ? std::vector<int>{} : std::vector<int>{1890}) << c.id;
    }
}

TVariablePage Good_Var()
{
    return TVariablePage{.PositionData = "600", .Storage_Number = "0", .Tariff = "0", .Length = "0",
                         .TP_Mod_Year = "1", .Position = "1"};
}

TEST_F(MBusChecks, VariablePageRefusalsWithTheirNumbers)
{
    const struct {
        const char* what;
        std::function<void(TVariablePage&)> edit;
        bool ok;
        std::vector<int> numbers;
    } cases[] = {
        {"ok", [](TVariablePage&) {}, true, {}},
        {"register 0", [](TVariablePage& p) { p.PositionData = "0"; }, false, {1835}},
        {"register 1537", [](TVariablePage& p) { p.PositionData = "1537"; }, false, {1835}},
        {"storage 2^32-1", [](TVariablePage& p) { p.Storage_Number = "4294967295"; }, true, {}},
        {"storage 2^32", [](TVariablePage& p) { p.Storage_Number = "0x100000000"; }, false, {1838}},
        {"tariff", [](TVariablePage& p) { p.Tariff = "$100000"; }, false, {1839}},
        {"length of a variable-length value", [](TVariablePage& p) { p.Dimension = 7; p.Length = "192"; }, false, {1840}},
        {"length of another value not looked at", [](TVariablePage& p) { p.Dimension = 6; p.Length = "x"; }, true, {}},
        {"time point year 0", [](TVariablePage& p) { p.Type_Of_Data = 20; p.TP_Mod_Regs = true; p.TP_Mod_Year = "0"; }, false, {1841}},
        {"time point year 59996", [](TVariablePage& p) { p.Type_Of_Data = 20; p.TP_Mod_Regs = true; p.TP_Mod_Year = "59996"; }, false, {1841}},
        {"register inside its own time point", [](TVariablePage& p) { p.Type_Of_Data = 20; p.TP_Mod_Regs = true; p.TP_Mod_Year = "1000"; p.PositionData = "1005"; }, false, {1842}},
        {"register just after it", [](TVariablePage& p) { p.Type_Of_Data = 20; p.TP_Mod_Regs = true; p.TP_Mod_Year = "1000"; p.PositionData = "1006"; }, true, {}},
        {"six registers only for a time point", [](TVariablePage& p) { p.Type_Of_Data = 19; p.TP_Mod_Regs = true; p.TP_Mod_Year = "x"; }, true, {}},
        {"position 0", [](TVariablePage& p) { p.Position = "0"; }, false, {1844}},
        {"position 513", [](TVariablePage& p) { p.Position = "513"; }, false, {1844}},
        {"register of another variable", [](TVariablePage& p) { p.PositionData = "100"; }, false, {1805, 1806, 1807}},
        {"register of a disabled variable", [](TVariablePage& p) { p.PositionData = "400"; }, true, {}},
        {"register of a disabled node", [](TVariablePage& p) { p.PositionData = "20"; }, true, {}},
        {"ident register of an enabled node", [](TVariablePage& p) { p.PositionData = "11"; }, false, {1789, 1790}},
        {"time-point block reaches a node register", [](TVariablePage& p) { p.Type_Of_Data = 20; p.TP_Mod_Regs = true; p.TP_Mod_Year = "6"; p.PositionData = "50"; }, false, {1799, 1800}},
    };
    for (const auto& c : cases) {
        TVariablePage page = Good_Var();
        c.edit(page);
        TMBusMessages m;
        EXPECT_EQ(Controllo_Dati_New_Var(page, Nodi, {}, true, m), c.ok) << c.what;
        EXPECT_EQ(Numbers(m), c.numbers) << c.what;
    }
}

TEST_F(MBusChecks, ModifyingAVariableSkipsOnlyItself)
{
    TVariablePage p = Good_Var();
    p.PositionData = "100";
    TMBusMessages m;
    EXPECT_TRUE(Controllo_Dati_New_Var(p, Nodi, {0, 0}, false, m));    // the variable itself
    EXPECT_FALSE(Controllo_Dati_New_Var(p, Nodi, {0, 0}, true, m));    // a second one with its register
    EXPECT_FALSE(Controllo_Dati_New_Var(p, Nodi, {0, 1}, false, m));   // another variable modified
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].Text, "Error!! ModBus Register already use in the Node \"Heat\", Variable \"Energy\" (Modbus Register)");
}

TEST_F(MBusChecks, RegisterConflictsWithTheirTexts)
{
    const struct {
        const char* what;
        int32_t reg, re, tp;
        std::vector<int> numbers;
        const char* text;
    } cases[] = {
        {"free", 600, 0, 0, {}, ""},
        {"node state", 10, 0, 0, {1787, 1788}, "Error!! ModBus Register already use in the Node \"Heat\" (Node State)"},
        {"ident", 11, 0, 0, {1789, 1790}, "Error!! ModBus Register already use in the Node \"Heat\" (Identification Number)"},
        {"rssi", 30, 0, 0, {1791, 1792}, "Error!! ModBus Register already use in the Node \"Radio\" (RSSI)"},
        {"second register: state", 600, 10, 0, {1793, 1794}, "Error!! ModBus Register Scale already use in the Node \"Heat\" (Node State)"},
        {"second register: ident", 600, 11, 0, {1795, 1796}, nullptr},
        {"second register: rssi", 600, 30, 0, {1797, 1798}, nullptr},
        {"block over state", 600, 0, 5, {1799, 1800}, "Error!! Time Point Registers already use in the Node \"Heat\" (Node State)"},
        {"block over ident only", 600, 0, 11, {1801, 1802}, nullptr},
        {"block over rssi", 600, 0, 25, {1803, 1804}, nullptr},
        {"block ends before rssi", 600, 0, 24, {}, ""},
        {"variable register", 100, 0, 0, {1805, 1806, 1807}, nullptr},
        {"inside another variable's time point", 303, 0, 0, {1811, 1812, 1813},
         "Error!! ModBus Register already use in the Node \"Heat\", Variable \"Clock\" (Time Point)"},
        {"its last register", 305, 0, 0, {1811, 1812, 1813}, nullptr},
        {"second register on a variable", 600, 100, 0, {1814, 1815, 1816}, nullptr},
        {"second register in a time point, five wide", 600, 304, 0, {1820, 1821, 1822}, nullptr},
        {"second register past it", 600, 305, 0, {}, ""},
        {"block over a variable register, five wide", 600, 0, 96, {1823, 1824, 1825},
         "Error!! Time Point Registers already use in the Node \"Heat\", Variable \"Energy\" (Modbus Register)"},
        {"block just past it", 600, 0, 95, {}, ""},
        {"disabled node and variable", 500, 400, 0, {}, ""},
    };
    for (const auto& c : cases) {
        TMBusMessages m;
        EXPECT_EQ(Check_Registers(Nodi, {}, c.reg, c.re, c.tp, true, m), !c.numbers.empty()) << c.what;
        EXPECT_EQ(Numbers(m), c.numbers) << c.what;
        if (c.text && m.size() == 1) {
            EXPECT_EQ(m[0].Text, c.text) << c.what;
        }
    }
}

TEST_F(MBusChecks, BoxesHoldingNoIntegerReadAsMinusOne)
{
    const struct {
        const char* text;
        int64_t v;
    } cases[] = {{"12", 12}, {" 12", 12}, {"$1F", 31}, {"0x1F", 31}, {"-3", -3}, {"", -1}, {"1.5", -1}, {"12 ", -1}, {"abc", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(Box_Int(c.text), c.v) << c.text;
        EXPECT_EQ(Box_Int64(c.text), c.v) << c.text;
    }
    EXPECT_EQ(Box_Int("4294967295"), -1);
    EXPECT_EQ(Box_Int64("4294967295"), 4294967295LL);
}

}   // namespace
