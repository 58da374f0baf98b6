// The scan's writers: meters decoded from long frames (and wireless meters with decoded
// records) into M_Bus.xml, new or appended, with their register layout, and into the scan
// result files; and the network file they write read back as the editor reads it.
#include "mbus/scan/MBusScanFiles.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "tests/common/TestFolder.h"
#include "mbus/network/UMeter_Bus.h"
#include "tests/mbus/mbus_fixture.h"

namespace {

// Records: 32-bit volume, 16-bit flow temperature, 64-bit energy.
const TBytes Three_Records = Hex("04 13 E8 03 00 00  02 5B 28 00  07 03 01 00 00 00 00 00 00 00");

class ScanFiles : public MBusTest {
protected:
    String Folder, File;

    void SetUp() override
    {
        MBusTest::SetUp();
        Folder = Test_Folder("mbus");
        File = PathJoin(Folder, "M_Bus.xml");
    }

    // A wired meter found: its answer decoded into List_Slave_MBus.
    void Add_Wired(uint8_t Primary, const TBytes& Records, const TBytes& Id = Hex("78 56 34 12"))
    {
        TLongFrame f;
        f.A = Primary;
        f.Id = Id;
        f.Records = Records;
        bool more = false;
        ASSERT_GE(Dec.Add_Wired_Slave_Frame(-1, more, f.Bytes()), 0);
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        Wired_Slave_At(List_Slave_MBus, int(List_Slave_MBus.Items.size()) - 1)->Primary_Addresss = Primary;
    }

    void Add_Wireless(int32_t Address, const TBytes& Records, int Placeholder_At = -1)
    {
        auto m = std::make_unique<TSlave_wMBus>();
        m->ALA_Manufacturer = 0x0443;
        m->ALA_Manu_str = "ABC";
        m->ALA_Address = Address;
        m->ALA_Version = 2;
        m->ALA_DeviceType = 7;
        m->Enable_Key = true;
        for (int i = 0; i < 16; ++i) m->Key[i] = uint8_t(i * 17);
        m->List_Var = Decode(Records);
        for (auto& r : m->List_Var) r->Real_Wireless_Var = true;
        if (Placeholder_At >= 0) {
            auto p = std::make_unique<TVariable_MBus>();
            p->Real_Wireless_Var = false;
            m->List_Var.insert(m->List_Var.begin() + Placeholder_At, std::move(p));
        }
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        List_Slave_wMBus.Items.push_back(std::move(m));
    }

    TSaveConfXML Options(int Code = 0) const
    {
        TSaveConfXML o;
        o.XML_Code_Dev = Code;
        o.File_Name = File;
        o.Cut_After = 3;
        return o;
    }

    TXMLNode Root(TXMLDocument& Doc) const
    {
        Doc.LoadFromFile(File);
        return Doc.DocumentElement();
    }

    static std::vector<String> Attr(const TXMLNode& Parent, const char* Name)
    {
        std::vector<String> out;
        for (const TXMLNode& c : Parent.ChildNodes()) out.push_back(c.AttributeDef(Name, "-"));
        return out;
    }
};

TEST_F(ScanFiles, RegistersAreLaidOutRecordByRecordAndMeterByMeter)
{
    Add_Wired(1, Three_Records);
    Add_Wired(2, Hex("01 FD 17 05"));
    TSaveConfXML o = Options();
    o.Mod_Start = 100;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TXMLDocument doc;
    const TXMLNode root = Root(doc);
    ASSERT_EQ(root.ChildCount(), 2);
    using V = std::vector<String>;
    EXPECT_EQ(Attr(root.Child(0), "ModReg"), (V{"100", "102", "103"}));
    EXPECT_EQ(Attr(root.Child(0), "PositionData"), (V{"100", "102", "103"}));
    EXPECT_EQ(Attr(root.Child(0), "Dim"), (V{"2", "1", "3"}));
    EXPECT_EQ(Attr(root.Child(1), "ModReg"), (V{"107"}));
    EXPECT_EQ(Attr(root.Child(0), "Position"), (V{"1", "2", "3"}));
    EXPECT_EQ(root.Child(0).Attribute("Descrizione"), "ABC");
    EXPECT_EQ(root.Child(0).Attribute("Cut_After"), "2");   // three frames: the list's third entry
    EXPECT_FALSE(root.Child(0).HasAttribute("ID"));       // not for this family
    EXPECT_FALSE(root.Child(0).HasAttribute("Node_State"));
    EXPECT_EQ(root.Child(0).Child(0).Attribute("Desc").find(" (U0S0T0)") != String::npos, true);
    // No version comment in a scan's file.
    EXPECT_EQ(ReadFileBytes(File).find("SW_VERSION"), String::npos);
}

TEST_F(ScanFiles, RegisterCountsAndSizeCodesByDataField)
{
    const struct {
        uint8_t dif;
        int32_t nbyte, regs, dim;
    } cases[] = {
        {1, 1, 1, 0}, {2, 2, 1, 1}, {3, 3, 2, 4}, {4, 4, 2, 2}, {5, 4, 2, 6}, {6, 6, 3, 5}, {7, 8, 4, 3},
        {9, 1, 1, 0}, {10, 2, 1, 1}, {11, 3, 2, 4}, {12, 4, 2, 2}, {14, 6, 3, 5}, {0, 0, 0, 255}, {8, 0, 0, 255},
        {15, 0, 0, 255}, {0x34, 4, 2, 2},   // only the low four bits count
        // variable length: two bytes to a register
        {13, 1, 1, 7}, {13, 2, 1, 7}, {13, 3, 2, 7}, {13, 4, 2, 7}, {13, 5, 3, 7}, {13, 6, 3, 7}, {13, 10, 5, 7},
        {13, 0, 0, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MBus_Register_Count(c.dif, c.nbyte), c.regs) << int(c.dif) << " " << c.nbyte;
        EXPECT_EQ(MBus_Dim_Code(c.dif), c.dim) << int(c.dif);
    }
}

TEST_F(ScanFiles, VariableLengthFunctionFieldAndBcdRecords)
{
    // a 6-byte text, a maximum (function field 1), a BCD volume
    Add_Wired(1, Hex("0D 13 06 41 42 43 44 45 46  14 13 01 00 00 00  0C 13 78 56 34 12  04 13 00 00 00 00"));
    TSaveConfXML o = Options();
    o.Mod_Start = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, /*Check_BCD*/ true));
    TXMLDocument doc;
    const TXMLNode n = Root(doc).Child(0);
    using V = std::vector<String>;
    EXPECT_EQ(Attr(n, "Dim"), (V{"7", "2", "2", "2"}));
    EXPECT_EQ(Attr(n, "Length"), (V{"6", "0", "0", "0"}));
    EXPECT_EQ(Attr(n, "ModReg"), (V{"1", "4", "6", "8"}));
    EXPECT_EQ(Attr(n, "Fun_Field"), (V{"0", "2", "0", "0"}));
    EXPECT_EQ(Attr(n, "BCDtoINT"), (V{"0", "0", "1", "0"}));
    ASSERT_TRUE(Save_XML_Conf_Wired(o, /*Check_BCD*/ false));
    TXMLDocument doc2;
    EXPECT_EQ(Attr(Root(doc2).Child(0), "BCDtoINT"), (V{"0", "0", "0", "0"}));
}

TEST_F(ScanFiles, PerMeterStartRegistersWiredAndWireless)
{
    Add_Wired(1, Three_Records);
    Add_Wired(2, Three_Records);
    Add_Wireless(0x12345678, Three_Records);
    TSaveConfXML o = Options(0);
    o.StartModnode = 1;
    o.SMN_Array = {10};   // the second meter is beyond the array: it starts at 1
    o.En_NodeState = o.En_IdeNum = true;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TXMLDocument doc;
    TXMLNode root = Root(doc);
    EXPECT_EQ(root.Child(0).Attribute("Node_State"), "10");
    EXPECT_EQ(root.Child(0).Attribute("Ident_Num"), "11");
    EXPECT_EQ(root.Child(0).Child(0).Attribute("ModReg"), "13");
    EXPECT_EQ(root.Child(1).Attribute("Node_State"), "1");
    EXPECT_EQ(root.Child(1).Child(0).Attribute("ModReg"), "4");

    ASSERT_TRUE(Save_XML_Conf_Wireless(o, false));
    TXMLDocument wdoc;
    root = Root(wdoc);
    EXPECT_EQ(root.Child(0).Attribute("Node_State"), "10");
    EXPECT_EQ(root.Child(0).Attribute("Ident_Num"), "12");
    EXPECT_EQ(root.Child(0).Child(0).Attribute("ModReg"), "13");

    o.En_NodeState = false;   // "0", and no register taken
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TXMLDocument doc3;
    root = Root(doc3);
    EXPECT_EQ(root.Child(0).Attribute("Node_State"), "0");
    EXPECT_EQ(root.Child(0).Attribute("Ident_Num"), "10");
    EXPECT_EQ(root.Child(0).Child(0).Attribute("ModReg"), "12");
}

TEST_F(ScanFiles, UncheckedTreeNodesDisableAndInPerMeterModeTakeNoRegisters)
{
    Add_Wired(1, Three_Records);
    TSaveConfXML o = Options();
    o.Mod_Start = 50;
    {
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, 0);
        s->Node = reinterpret_cast<TLazyNode*>(1);             // unchecked
        s->List_Var[0]->Node = reinterpret_cast<TLazyNode*>(1);   // unchecked
        s->List_Var[1]->Node = reinterpret_cast<TLazyNode*>(2);   // the tree fails: counts as checked
    }
    o.Node_Checked = [](const TLazyNode* n) -> bool {
        if (n == reinterpret_cast<TLazyNode*>(2)) throw std::runtime_error("gone");
        return false;
    };
    using V = std::vector<String>;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TXMLDocument doc;
    TXMLNode n = Root(doc).Child(0);
    EXPECT_EQ(n.Attribute("Node_Enable"), "0");
    EXPECT_EQ(Attr(n, "Enable"), (V{"0", "1", "1"}));
    EXPECT_EQ(Attr(n, "ModReg"), (V{"50", "52", "53"}));   // every record counts outside per-meter mode
    o.StartModnode = 1;
    o.SMN_Array = {50};
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TXMLDocument doc2;
    n = Root(doc2).Child(0);
    EXPECT_EQ(Attr(n, "ModReg"), (V{"50", "50", "51"}));
    EXPECT_EQ(Attr(n, "Dim"), (V{"2", "1", "3"}));
}

TEST_F(ScanFiles, GroupsForTheirFamiliesAndAppendingAddsAfterWhatIsThere)
{
    Add_Wired(1, Three_Records);
    Add_Wired(2, {});
    TSaveConfXML o = Options(4);
    o.Index_Baud = 3;
    o.Index_Par = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    o.Append = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TXMLDocument doc;
    const TXMLNode root = Root(doc);
    ASSERT_EQ(root.ChildCount(), 2);
    for (int g = 0; g < 2; ++g) {
        EXPECT_EQ(root.Child(g).NodeName(), "Group");
        EXPECT_EQ(root.Child(g).Attribute("Baudrate"), "3");
        EXPECT_EQ(root.Child(g).Attribute("Parity"), "1");
        EXPECT_EQ(root.Child(g).ChildCount(), 2);
        EXPECT_EQ(root.Child(g).Child(1).Attribute("ID"), "2");
        EXPECT_EQ(root.Child(g).Child(1).Attribute("Secondary_address"), "12345678");
    }
    // The editor reads the grouped meters.
    TMBusNetwork net;
    net.Load(File);
    EXPECT_FALSE(net.Read_In_Part()) << net.Read_Error;
    EXPECT_EQ(net.Nodi_List.size(), 4u);

    // Appending to an editor's file keeps its meters and its comment.
    TMBusNetwork edited;
    edited.Nodi_List.push_back(std::make_unique<TNodo>());
    edited.Nodi_List[0]->Description = "kept";
    edited.Save(File);
    o.XML_Code_Dev = 0;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    net.Load(File);
    ASSERT_EQ(net.Nodi_List.size(), 3u);
    EXPECT_EQ(net.Nodi_List[0]->Description, "kept");
    EXPECT_NE(ReadFileBytes(File).find("SW_VERSION = 1.002"), String::npos);
}

TEST_F(ScanFiles, ASavedScanOpensInTheEditorWithItsAddressesRegistersAndFrameCount)
{
    Add_Wired(9, Three_Records, Hex("21 43 65 87"));
    TSaveConfXML o = Options(2);
    o.Mod_Start = 100;
    o.Node_ID_Type = 1;   // scanned by secondary address
    o.Cut_After = 5;
    o.SND_NKE = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    TMBusNetwork net;
    net.Load(File);
    ASSERT_EQ(net.Nodi_List.size(), 1u) << net.Read_Error;
    const TNodo& n = *net.Nodi_List[0];
    EXPECT_EQ(n.Node_ID_Type, 1);
    EXPECT_EQ(n.Node_Sec, 87654321);   // the identification number, not the primary address
    EXPECT_EQ(n.Cut_After + 1, 5);      // the editor shows the five frames scanned
    EXPECT_EQ(n.Send_SNK, 1);
    EXPECT_EQ(n.MBus_Type, 1);
    ASSERT_EQ(n.Var_List.size(), 3u);
    EXPECT_EQ(n.Var_List[1]->PositionData, 102);

    o.Node_ID_Type = 0;
    ASSERT_TRUE(Save_XML_Conf_Wired(o, false));
    net.Load(File);
    EXPECT_EQ(net.Nodi_List.at(0)->Node_Pri, 9);
}

TEST_F(ScanFiles, WirelessMetersWithTheirIdentityKeysAndPlaceholderGaps)
{
    Add_Wireless(int32_t(0x87654321), Three_Records, /*Placeholder_At*/ 1);
    TSaveConfXML o = Options(0);
    o.Mod_Start = 1;
    ASSERT_TRUE(Save_XML_Conf_Wireless(o, false));
    TXMLDocument doc;
    const TXMLNode n = Root(doc).Child(0);
    EXPECT_EQ(n.Attribute("wMBus_Add"), "2271560481");
    EXPECT_EQ(n.Attribute("wMBus_ManID"), "1091");
    EXPECT_EQ(n.Attribute("MBus_Type"), "0");
    EXPECT_EQ(n.Attribute("wMBus_Key_2"), "17");
    EXPECT_EQ(n.Attribute("wMBus_Key_16"), "255");
    EXPECT_EQ(n.Attribute("Cut_After"), "2");
    using V = std::vector<String>;
    EXPECT_EQ(Attr(n, "Position"), (V{"1", "3", "4"}));
    EXPECT_EQ(Attr(n, "ModReg"), (V{"1", "3", "4"}));

    TMBusNetwork net;
    net.Load(File);
    ASSERT_EQ(net.Nodi_List.size(), 1u) << net.Read_Error;
    EXPECT_TRUE(net.Nodi_List[0]->Is_Wireless());
    EXPECT_EQ(net.Nodi_List[0]->wMBus_Add, "2271560481");
}

TEST_F(ScanFiles, EmptyListsWriteNothingAndABadAppendTargetRaises)
{
    TSaveConfXML o = Options();
    EXPECT_FALSE(Save_XML_Conf_Wired(o, false));
    EXPECT_FALSE(Save_XML_Conf_Wireless(o, false));
    EXPECT_FALSE(FileExists(File));
    Add_Wired(1, Three_Records);
    o.Append = 1;
    EXPECT_THROW(Save_XML_Conf_Wired(o, false), Exception);   // nothing to append to
    WriteFileAtomic(File, "<M-Bus_Network><Nodo");
    EXPECT_THROW(Save_XML_Conf_Wired(o, false), EXmlError);
    EXPECT_EQ(ReadFileBytes(File), "<M-Bus_Network><Nodo");
    EXPECT_EQ(Count(List_Slave_MBus), 1u);
}

TEST_F(ScanFiles, ResultFilesDescribeEveryMeterAndRecord)
{
    Add_Wired(1, Hex("04 13 E8 03 00 00"));
    const String result = PathJoin(Folder, "scan.xml");
    Save_XML_File_DLL(result);
    TXMLDocument doc;
    doc.LoadFromFile(result);
    TXMLNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), "SCAN_M-Bus_Wired");
    TXMLNode n = root.Child(0);
    EXPECT_EQ(n.Attribute("Manufacturer"), "ABC (1091)");
    EXPECT_EQ(n.Attribute("Primary_Address"), "1");
    EXPECT_EQ(n.Attribute("Secondary_Address"), "12345678");
    EXPECT_EQ(n.Attribute("Type"), "7");
    TXMLNode v = n.Child(0);
    EXPECT_EQ(v.Attribute("UST"), "(U0S0T0)");
    const char* const children[] = {"Storage_Number", "Tariff", "Unit", "Data_Field", "Function_Field", "Type",
                                    "Value", "DIF", "VIF", "DIFE", "VIFE", "DATA"};
    ASSERT_EQ(v.ChildCount(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(v.Child(i).NodeName(), children[i]);
    EXPECT_EQ(v.ChildNode("VIF").Text(), "$13");
    EXPECT_EQ(v.ChildNode("DATA").Text(), "$E8030000");
    EXPECT_EQ(v.ChildNode("Value").Text(), v.Attribute("Value"));

    Add_Wireless(0x00ABCDEF, Hex("02 5B 28 00"), /*Placeholder_At*/ 0);
    Save_Wireless_XML_File_DLL(result);
    doc.LoadFromFile(result);
    root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), "SCAN_M-Bus_Wireless");
    n = root.Child(0);
    EXPECT_EQ(n.Attribute("Address"), "00ABCDEF");
    EXPECT_EQ(n.Attribute("Cripted"), "False");
    EXPECT_EQ(n.ChildCount(), 2);   // the placeholder too
}

}   // namespace
