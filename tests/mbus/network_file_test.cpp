// The network model and its file: round trips of every node kind, the reading rules
// (defaults, required attributes, the scan's address and groups), a partly read file that
// cannot be saved over by accident, and the import that replaces the file safely.
#include <filesystem>

#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "tests/mbus/network_fixture.h"

namespace {

void Expect_Same(const TVariabile& a, const TVariabile& b)
{
    EXPECT_EQ(a.Enable, b.Enable);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.Type_Of_Data, b.Type_Of_Data);
    EXPECT_EQ(a.Function_Field, b.Function_Field);
    EXPECT_EQ(a.Dimension, b.Dimension);
    EXPECT_EQ(a.Unita, b.Unita);
    EXPECT_EQ(a.PositionData, b.PositionData);
    EXPECT_EQ(a.Storage_Number, b.Storage_Number);
    EXPECT_EQ(a.Tariff, b.Tariff);
    EXPECT_EQ(a.VIFE, b.VIFE);
    EXPECT_EQ(a.BCDtoINT, b.BCDtoINT);
    EXPECT_EQ(a.Length, b.Length);
    EXPECT_EQ(a.VIF_ASCII, b.VIF_ASCII);
    EXPECT_EQ(a.Conv_Float, b.Conv_Float);
    EXPECT_EQ(a.Force_Int32, b.Force_Int32);
    EXPECT_EQ(a.TP_Mod_Regs, b.TP_Mod_Regs);
    EXPECT_EQ(a.TP_Mod_Year, b.TP_Mod_Year);
    EXPECT_EQ(a.Position, b.Position);
    EXPECT_EQ(a.Post_Operation, b.Post_Operation);
}

void Expect_Same(const TNodo& a, const TNodo& b)
{
    EXPECT_EQ(a.Enable, b.Enable);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.Node_Pri, b.Node_Pri);
    EXPECT_EQ(a.Node_Sec, b.Node_Sec);
    EXPECT_EQ(a.Send_SNK, b.Send_SNK);
    EXPECT_EQ(a.Reset_App, b.Reset_App);
    EXPECT_EQ(a.Enable_NS, b.Enable_NS);
    EXPECT_EQ(a.Node_State, b.Node_State);
    EXPECT_EQ(a.Enable_IN, b.Enable_IN);
    EXPECT_EQ(a.Ident_Num, b.Ident_Num);
    EXPECT_EQ(a.BCDtoINT_IN, b.BCDtoINT_IN);
    EXPECT_EQ(a.Swap_Ident, b.Swap_Ident);
    EXPECT_EQ(a.Node_ID_Type, b.Node_ID_Type);
    EXPECT_EQ(a.Var_List_Type, b.Var_List_Type);
    EXPECT_EQ(a.Cut_After, b.Cut_After);
    EXPECT_EQ(a.Enable_MS, b.Enable_MS);
    EXPECT_EQ(a.Manufacturer_Spec, b.Manufacturer_Spec);
    EXPECT_EQ(a.MSD_Length, b.MSD_Length);
    EXPECT_EQ(a.MSD_Offset, b.MSD_Offset);
    EXPECT_EQ(a.MBus_Type, b.MBus_Type);
    EXPECT_EQ(a.wMBus_ManID, b.wMBus_ManID);
    EXPECT_EQ(a.wMBus_Add, b.wMBus_Add);
    EXPECT_EQ(a.wMBus_Ver, b.wMBus_Ver);
    EXPECT_EQ(a.wMBus_DevType, b.wMBus_DevType);
    EXPECT_EQ(a.wMBus_En_Key, b.wMBus_En_Key);
    EXPECT_EQ(a.wMBus_Key, b.wMBus_Key);
    EXPECT_EQ(a.Enable_RSSI, b.Enable_RSSI);
    EXPECT_EQ(a.RSSI, b.RSSI);
    EXPECT_EQ(a.Enable_AN, b.Enable_AN);
    EXPECT_EQ(a.Access_Number, b.Access_Number);
    ASSERT_EQ(a.Var_List.size(), b.Var_List.size());
    for (size_t i = 0; i < a.Var_List.size(); ++i) Expect_Same(*a.Var_List[i], *b.Var_List[i]);
}

TNodo& Only_Node(const TMBusNetwork& Net)
{
    EXPECT_EQ(Net.Nodi_List.size(), 1u) << Net.Read_Error;
    return *Net.Nodi_List.at(0);
}

TMBusNetwork Read(const String& Body)
{
    TMBusNetwork net;
    net.Load_XML("<M-Bus_Network>" + Body + "</M-Bus_Network>");
    return net;
}

TEST(MBusNetworkFile, EveryNodeKindSurvivesAFileRoundTrip)
{
    const String folder = Test_Folder("mbus");
    TMBusNetwork net;
    net.Nodi_List.push_back(Full_Node(1, 0));    // wired, primary address
    net.Nodi_List.push_back(Full_Node(0, 1));    // wireless
    net.Nodi_List.push_back(Full_Node(7, 3));    // any other type counts as wired; secondary
    net.Nodi_List.push_back(Wired_Node("bare", 0));   // no variables, empty texts
    const String file = PathJoin(folder, "M_Bus.xml");
    net.Save(file);

    TMBusNetwork back;
    back.Load(file);
    EXPECT_FALSE(back.Read_In_Part()) << back.Read_Error;
    ASSERT_EQ(back.Nodi_List.size(), net.Nodi_List.size());
    for (size_t i = 0; i < net.Nodi_List.size(); ++i) Expect_Same(*back.Nodi_List[i], *net.Nodi_List[i]);
    // And the file written again from what was read is the same file.
    EXPECT_EQ(back.Save_XML(), ReadFileBytes(file));
}

TEST(MBusNetworkFile, AnEmptyNetworkIsTheRootAndTheVersionComment)
{
    const String folder = Test_Folder("mbus");
    TMBusNetwork net;
    net.Load(PathJoin(folder, "M_Bus.xml"));   // no file: empty, nothing to report
    EXPECT_TRUE(net.Nodi_List.empty());
    EXPECT_FALSE(net.Read_In_Part());
    net.Save(PathJoin(folder, "M_Bus.xml"));
    EXPECT_EQ(ReadFileBytes(PathJoin(folder, "M_Bus.xml")), "<M-Bus_Network/>\n<!--SW_VERSION = 1.002-->\n");
    const TMBusNetwork none = Read("<!-- nothing -->");
    EXPECT_TRUE(none.Nodi_List.empty());
    EXPECT_FALSE(none.Read_In_Part());
}

TEST(MBusNetworkFile, AttributesAreWrittenInTheEditorsOrder)
{
    TMBusNetwork net;
    net.Nodi_List.push_back(Wired_Node("A", 5));
    net.Nodi_List[0]->Var_List.push_back(Var("V", 9));
    const String xml = net.Save_XML();
    const char* const order[] = {"Node_Enable=", "ID_Primary=", "ID_Secondary=", "Descrizione=", "Send_SND_NKE=",
        "Reset_App=", "Enable_Node_State=", "Node_State=", "Enable_Ident_Num=", "Ident_Num=", "BCDtoINT_IN=",
        "Swap_IN=", "Node_ID_Type=", "Var_List_Type=", "Cut_After=", "Enable_Manufacturer_Specific_Data=",
        "Manufacturer_Specific_Data=", "MSD_Length=", "MSD_Offset=", "Enable_Access_Number=", "Access_Number=",
        "MBus_Type=", "wMBus_ManID=", "wMBus_Add=", "wMBus_Ver=", "wMBus_DevType=", "wMBus_En_Key=",
        "wMBus_Key_1=", "wMBus_Key_16=", "wMBus_Enable_RSSI=", "wMBus_RSSI=", "<Variabile", " Enable=", "Desc=",
        "Type=", "Fun_Field=", "Dim=", "Unit=", "PositionData=", "StoNumber=", "Tariff=", "VIFE=", "BCDtoINT=",
        "VIF_ASCII=", "Length=", "Conv_Float=", "Force_Int32=", "TP_Mod_Regs=", "TP_Mod_Year=", "Position=",
        "Post_Operation="};
    size_t at = 0;
    for (const char* a : order) {
        const size_t p = xml.find(a, at);
        ASSERT_NE(p, String::npos) << a << " after " << at << "\n" << xml;
        at = p + 1;
    }
}

TEST(MBusNetworkFile, NodeAttributesReadWithTheirDefaultsAndTheScansAddress)
{
    const struct {
        const char* attrs;
        int32_t pri, sec;
        uint8_t enable, type, id_type;
    } cases[] = {
        {R"(Descrizione="")", 1, 1, 1, 1, 0},                              // enabled and wired by default
        {R"(Descrizione="" Node_Enable="0" MBus_Type="0")", 1, 1, 0, 0, 0},
        {R"(Descrizione="" ID="7" Node_ID_Type="1" ID_Primary="3" ID_Secondary="4")", 1, 7, 1, 1, 1},
        {R"(Descrizione="" ID="7" Node_ID_Type="0" ID_Primary="3" ID_Secondary="4")", 7, 1, 1, 1, 0},
        {R"(Descrizione="" ID="x" ID_Primary="3" ID_Secondary="$10")", 3, 16, 1, 1, 0},   // unreadable ID
        {R"(Descrizione="" ID_Primary=" 0x1F" ID_Secondary="-2")", 31, -2, 1, 1, 0},
        {R"(Descrizione="" Node_Enable="257" MBus_Type="abc")", 1, 1, 1, 1, 0},   // low bits; unreadable
    };
    for (const auto& c : cases) {
        const TMBusNetwork net = Read(String("<Nodo ") + c.attrs + "/>");
        const TNodo& n = Only_Node(net);
        EXPECT_EQ(n.Node_Pri, c.pri) << c.attrs;
        EXPECT_EQ(n.Node_Sec, c.sec) << c.attrs;
        EXPECT_EQ(n.Enable, c.enable) << c.attrs;
        EXPECT_EQ(n.MBus_Type, c.type) << c.attrs;
        EXPECT_EQ(n.Node_ID_Type, c.id_type) << c.attrs;
    }
}

TEST(MBusNetworkFile, VariableFlagsAreTrueOnlyForOneAndMissingNumbersTakeTheirDefaults)
{
    const struct {
        const char* enable;
        bool expected;
    } flags[] = {{"1", true}, {"true", false}, {"01", false}, {" 1", false}, {"", false}, {nullptr, false}};
    for (const auto& f : flags) {
        const String attr = f.enable ? String(" Enable=\"") + f.enable + "\"" : String();
        const TMBusNetwork net = Read("<Nodo Descrizione=\"n\"><Variabile" + attr +
                                      R"( Desc="" Type="1" Fun_Field="0" Dim="2"/></Nodo>)");
        const TVariabile& v = *Only_Node(net).Var_List.at(0);
        EXPECT_EQ(v.Enable, f.expected) << (f.enable ? f.enable : "(missing)");
        EXPECT_EQ(v.Position, 1);
        EXPECT_EQ(v.PositionData, 0);
        EXPECT_EQ(v.VIFE, 0);
    }
    const TMBusNetwork big = Read(R"(<Nodo Descrizione="n"><Variabile Desc="" Type="1" Fun_Field="0" Dim="2")"
                                  R"( StoNumber="4294967295" VIFE="0xFF" Position="70000"/></Nodo>)");
    const TVariabile& v = *Only_Node(big).Var_List.at(0);
    EXPECT_EQ(v.Storage_Number, 4294967295u);
    EXPECT_EQ(v.VIFE, 255);
    EXPECT_EQ(v.Position, uint16_t(70000));   // a narrower field keeps the low bits
}

TEST(MBusNetworkFile, AMissingRequiredAttributeStopsTheReadingAndKeepsWhatWasRead)
{
    const struct {
        const char* body;
        size_t nodes;
        size_t vars_of_last;
        const char* error_names;
    } cases[] = {
        {R"(<Nodo Descrizione="a"/><Nodo/><Nodo Descrizione="c"/>)", 1, 0, "Descrizione"},
        {R"(<Nodo Descrizione="a"><Variabile Desc="" Type="1" Fun_Field="0" Dim="0"/>)"
         R"(<Variabile Desc="" Fun_Field="0" Dim="0"/></Nodo><Nodo Descrizione="c"/>)", 1, 1, "Type"},
        {R"(<Nodo Descrizione="a"><Variabile Desc="" Type="1" Fun_Field="x" Dim="0"/></Nodo>)", 1, 0, "Fun_Field"},
        {R"(<Nodo Descrizione="a"><Variabile Desc="" Type="1" Fun_Field="0" Dim=""/></Nodo>)", 1, 0, "Dim"},
        {R"(<Nodo Descrizione="a"><Variabile Type="1" Fun_Field="0" Dim="0"/></Nodo>)", 1, 0, "Desc"},
    };
    for (const auto& c : cases) {
        const TMBusNetwork net = Read(c.body);
        EXPECT_TRUE(net.Read_In_Part()) << c.body;
        EXPECT_NE(net.Read_Error.find(c.error_names), String::npos) << net.Read_Error;
        ASSERT_EQ(net.Nodi_List.size(), c.nodes) << c.body;
        EXPECT_EQ(net.Nodi_List.back()->Var_List.size(), c.vars_of_last) << c.body;
    }
    const TMBusNetwork broken = Read("<Nodo Descrizione=\"a\">");   // not well-formed
    EXPECT_TRUE(broken.Read_In_Part());
    EXPECT_TRUE(broken.Nodi_List.empty());
}

TEST(MBusNetworkFile, APartlyReadNetworkIsNotSavedOverTheFileUnlessTheLossIsAccepted)
{
    const String folder = Test_Folder("mbus");
    const String file = PathJoin(folder, "M_Bus.xml");
    const String original = R"(<M-Bus_Network><Nodo Descrizione="a"/><Nodo/><Nodo Descrizione="c"/></M-Bus_Network>)";
    WriteFileAtomic(file, original);
    TMBusNetwork net;
    net.Load(file);
    ASSERT_TRUE(net.Read_In_Part());
    EXPECT_THROW(net.Save(file), EMBusNetworkError);
    EXPECT_EQ(ReadFileBytes(file), original);
    net.Save(file, /*Drop_Unread*/ true);
    net.Load(file);
    EXPECT_FALSE(net.Read_In_Part());
    EXPECT_EQ(net.Nodi_List.size(), 1u);

    WriteFileAtomic(file, "<M-Bus_Network><Nodo");   // broken: nothing read at all
    net.Load(file);
    EXPECT_TRUE(net.Read_In_Part());
    EXPECT_THROW(net.Save(file), EMBusNetworkError);
    EXPECT_EQ(ReadFileBytes(file), "<M-Bus_Network><Nodo");
}

TEST(MBusNetworkFile, MetersTheScanGroupedAreReadAndTheGroupIsDroppedOnSave)
{
    const TMBusNetwork net = Read(R"(<Nodo Descrizione="before"/>)"
                                  R"(<Group Baudrate="3" Parity="1"><Nodo Descrizione="g1" ID="5" Secondary_address="1">)"
                                  R"(<Variabile Desc="v" Type="0" Fun_Field="0" Dim="2" ModReg="100"/></Nodo>)"
                                  R"(<Nodo Descrizione="g2"/></Group>)"
                                  R"(<Group Baudrate="3" Parity="1"><Nodo Descrizione="g3"/></Group>)");
    EXPECT_FALSE(net.Read_In_Part()) << net.Read_Error;
    ASSERT_EQ(net.Nodi_List.size(), 4u);
    const char* const names[] = {"before", "g1", "g2", "g3"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(net.Nodi_List[i]->Description, names[i]);
    EXPECT_EQ(net.Nodi_List[1]->Node_Pri, 5);
    EXPECT_EQ(net.Nodi_List[1]->Var_List.size(), 1u);
    const String xml = net.Save_XML();
    for (const char* gone : {"Group", "Baudrate", "Secondary_address", "ModReg"})
        EXPECT_EQ(xml.find(gone), String::npos) << gone;
}

TEST(MBusNetworkFile, TheRootIsTheFirstElementWhateverItsNameAndWhateverPrecedesIt)
{
    TMBusNetwork net;
    net.Load_XML("<?xml version=\"1.0\"?>\n<!-- c --><?pi x?><Other><N Descrizione=\"x\"/></Other>");
    EXPECT_EQ(Only_Node(net).Description, "x");
}

TEST(MBusNetworkFile, ImportReplacesTheFileOnlyOnceTheCopyIsComplete)
{
    const String folder = Test_Folder("mbus");
    const String target = PathJoin(folder, "M_Bus.xml");
    const String source = PathJoin(folder, "other.xml");
    WriteFileAtomic(target, "old");
    WriteFileAtomic(source, "<M-Bus_Network/>");

    EXPECT_THROW(Import_MBus_Network(PathJoin(folder, "missing.xml"), target), EInOutError);
    EXPECT_EQ(ReadFileBytes(target), "old");
    SetWriteFailureForTest(1);   // the disk fills while the copy is written
    EXPECT_THROW(Import_MBus_Network(source, target), EInOutError);
    SetWriteFailureForTest(0);
    EXPECT_EQ(ReadFileBytes(target), "old");
    Import_MBus_Network(source, target);
    EXPECT_EQ(ReadFileBytes(target), "<M-Bus_Network/>");
    // Nothing is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++entries;
    EXPECT_EQ(entries, 2);
}

TEST(MBusNetworkFile, CodeListsHaveTheirPositions)
{
    EXPECT_STREQ(MBus_Type_Of_Data_List[Type_Of_Data_Time_Point], "Time Point");
    EXPECT_STREQ(MBus_Type_Of_Data_List[Type_Of_Data_VIF_ASCII], "VIF is in ASCII");
    EXPECT_STREQ(MBus_Type_Of_Data_List[25], "Bus Address");
    EXPECT_STREQ(MBus_Dimension_List[Dimension_Variable_Length], "Variable Length");
    EXPECT_STREQ(MBus_VIFE_List[0], "Not Selected");
    EXPECT_STREQ(MBus_VIFE_List[108], "None");
    EXPECT_STREQ(MBus_VIFE_List[151], "Overflow values");
    EXPECT_STREQ(MBus_Post_Operation_List[12], " * 1000000");
}

TEST(MBusNetworkFile, ACloneIsDeep)
{
    const auto n = Full_Node(1, 2);
    auto c = n->Clone();
    Expect_Same(*c, *n);
    c->Var_List[0]->Description = "changed";
    EXPECT_NE(n->Var_List[0]->Description, "changed");
}

}   // namespace
