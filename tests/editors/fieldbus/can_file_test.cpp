// The files of the CAN, J1939, NMEA 2000 and CANopen editors as their showings read
// them: the defaults of missing attributes (the CAN transmit presets among them), the
// earlier form of the J1939 transmit rows, required attributes that end the loading.
#include "platform/xml/XMLDoc.h"
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

using Loading = EditorFiles;

String Load(TMemoryTables& t, const String& File, const String& Bytes)
{
    WriteFileAtomic(File, Bytes);
    try {
        Load_Tables(t.Desc, File, t.Data);
    } catch (const EXmlError& e) {
        return e.what();
    }
    return "";
}

TEST_F(Loading, CANTransmitPresetsDecideMissingAttributes)
{
    using namespace TransmitCAN;
    const String file = "<Transmit_Frames><row COBID=\"1\" Dim=\"2\"/><row COBID=\"2\" OnTimer=\"Y\"/>"
                        "<row COBID=\"3\" OnTimer=\"Y\" Time=\"\"/><row COBID=\"4\" CAN_Type=\"\" OnChange=\"N\"/>"
                        "</Transmit_Frames>";
    const struct {
        int can_type, send_type, send_time;
        const char* row1;   // Enable|COBID|Type|Dim|OnChange|OnCMD|OnTimer|Time|bytes...|Mnemonic
        const char* row2_time;
    } cases[] = {
        {0, 0, 0, "Y|1|2.0A (11 bits)|2|Y|N|N||||||||||", "0"},
        {1, 1, 250, "Y|1|2.0B (29 bits)|2|N|N|Y|250|||||||||", "250"},
        {0, 2, 9, "Y|1|2.0A (11 bits)|2|N|N|N||||||||||", "9"},
    };
    for (const auto& c : cases) {
        TEditorContext ctx = Showing_Context(TransmitCAN_Desc());
        ctx.Numbers[CAN_Type] = c.can_type;
        ctx.Numbers[Send_Type] = c.send_type;
        ctx.Numbers[Send_Time] = c.send_time;
        TMemoryTables t(TransmitCAN_Desc(), ctx);
        ASSERT_EQ(Load(t, Path("t.xml"), file), "");
        EXPECT_EQ(t[0].RowText(1), c.row1) << c.send_type;
        EXPECT_EQ(t[0].GetCellEx(Col_Time, 2), c.row2_time) << "OnTimer given, no time";
        EXPECT_EQ(t[0].GetCellEx(Col_Time, 3), "") << "an empty time stays empty";
        EXPECT_EQ(t[0].GetCellEx(Col_CAN_Type, 4), "") << "an empty type stays empty";
        EXPECT_EQ(t[0].GetCellEx(Col_OnChange, 4), "N");
    }
}

TEST_F(Loading, CANReceiveDefaults)
{
    using namespace ReceiveCAN;
    TMemoryTables t(ReceiveCAN_Desc(), Showing_Context(ReceiveCAN_Desc()));
    EXPECT_EQ(t[0].RowText(1), "Y|||||||||||||") << "a fresh row is enabled and empty";
    ASSERT_EQ(Load(t, Path("r.xml"), "<R><row COBID=\"7\"/><row Enable=\"\" TimeOut=\"\"/></R>"), "");
    EXPECT_EQ(t[0].RowText(1), "Y|7|||0|||||||||");
    EXPECT_EQ(t[0].RowText(2), "|||||||||||||");
}

TEST_F(Loading, J1939TransmitEarlierFormAndUnknownSize)
{
    using namespace TransmitJ1939;
    TMemoryTables t(TransmitJ1939_Desc(), Showing_Context(TransmitJ1939_Desc()));
    ASSERT_EQ(Load(t, Path("j.xml"),
                   "<Transmit_J1939>"
                   "<row Priority=\"3\" T_Type=\"on timer\" On_Request=\"Y\"/>"
                   "<row Priority=\"3\" T_Type=\"ON REQUEST\" On_Timer=\"Y\" TP_NByte=\"\"/>"
                   "<row Priority=\"3\" T_Type=\"On Data Change\" TP_NByte=\"4\"/>"
                   "<row Priority=\"3\" On_Data_Change=\"Y\" TP_NByte=\" \"/>"
                   "</Transmit_J1939>"),
              "");
    struct {
        int row;
        const char *nbyte, *request, *change, *timer;
    } rows[] = {{1, "8", "N", "N", "Y"}, {2, "8", "N", "N", "N"}, {3, "4", "N", "Y", "N"}, {4, " ", "N", "Y", "N"}};
    for (const auto& r : rows) {
        EXPECT_EQ(t[0].GetCellEx(Col_TP_NByte, r.row), r.nbyte) << r.row;
        EXPECT_EQ(t[0].GetCellEx(Col_On_Request, r.row), r.request) << r.row;
        EXPECT_EQ(t[0].GetCellEx(Col_On_Data_Change, r.row), r.change) << r.row;
        EXPECT_EQ(t[0].GetCellEx(Col_On_Timer, r.row), r.timer) << r.row;
    }
    // Written back in the current form.
    TXMLDocument Doc;
    Write_Tables(t.Desc, Doc, t.Data);
    EXPECT_FALSE(Doc.DocumentElement().Child(0).HasAttribute("T_Type"));
    EXPECT_EQ(Doc.DocumentElement().Child(0).Attribute("On_Timer"), "Y");
}

TEST_F(Loading, ReceiveDefaultsOfJ1939AndNMEA)
{
    TMemoryTables j(ReceiveJ1939_Desc(), Showing_Context(ReceiveJ1939_Desc()));
    EXPECT_EQ(j[0].RowText(1), "|||||||||") << "check boxes start empty";
    ASSERT_EQ(Load(j, Path("j.xml"), "<X><row PGN=\"1\"/></X>"), "");
    EXPECT_EQ(j[0].RowText(1), "|1||N|||N|N|1000|");
    TMemoryTables n(ReceiveNMEA_Desc(), Showing_Context(ReceiveNMEA_Desc()));
    ASSERT_EQ(Load(n, Path("n.xml"), "<X><row PGN=\"1\" TP=\"\"/></X>"), "");
    EXPECT_EQ(n[0].RowText(1), "1|||N|||N|");
}

TEST_F(Loading, CANopenNeedsEveryAttributeAndKeepsAtMostItsRows)
{
    using namespace PDO;
    const String rx = "COB-ID=\"$181\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" "
                      "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"m\"";
    TMemoryTables t(Set_PDO_Access_Desc(), Showing_Context(Set_PDO_Access_Desc()));
    const String e = Load(t, Path("p.xml"),
                          "<PDO_CANopen><Receive_PDO><row " + rx + "/><row " + rx +
                              "/><row COB-ID=\"3\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" "
                              "Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"9\" "
                              "Mnemonic=\"no time-out\"/></Receive_PDO><Transmit_PDO><row COB-ID=\"1\"/></Transmit_PDO>"
                              "</PDO_CANopen>");
    EXPECT_NE(e.find("TimeOut"), String::npos) << e;
    EXPECT_EQ(t[Receive].GetCellEx(Col_COB_ID, 1), "$181");
    EXPECT_EQ(t[Receive].GetCellEx(Col_Address_B1 + 7, 3), "9") << "read up to its Add B8";
    EXPECT_EQ(t[Receive].GetCellEx(Col_Mnemonic, 3), "");
    EXPECT_EQ(t[Transmit].GetCellEx(Col_COB_ID, 1), "") << "nothing of the transmit table";

    // 35 rows: 30 shown, 30 written, each as typed.
    String rows;
    for (int i = 0; i < 35; ++i) rows += "<row " + rx + "/>";
    TMemoryTables u(Set_PDO_Access_Desc(), Showing_Context(Set_PDO_Access_Desc()));
    ASSERT_EQ(Load(u, Path("p.xml"), "<P><Receive_PDO>" + rows + "</Receive_PDO><Transmit_PDO/></P>"), "");
    TXMLDocument Doc;
    Write_Tables(u.Desc, Doc, u.Data);
    EXPECT_EQ(Doc.DocumentElement().ChildNode("Receive_PDO").ChildCount(), 30);
    EXPECT_EQ(Doc.DocumentElement().ChildNode("Receive_PDO").Child(29).Attribute("COB-ID"), "$181");
    EXPECT_EQ(Doc.DocumentElement().ChildNode("Transmit_PDO").ChildCount(), 0);

    // A missing section ends the loading, for each of the three files.
    const struct {
        TEditorDesc (*desc)();
        const char* file;
        const char* missing;
    } sections[] = {{Set_PDO_Access_Desc, "<P><Receive_PDO/></P>", "Transmit_PDO"},
                    {Set_SDO_Client_Access_Desc, "<S><SDO_Write/></S>", "SDO_Read"},
                    {Set_SDO_Server_Access_Desc, "<S><SDO_Read/></S>", "SDO_Write"}};
    for (const auto& s : sections) {
        TMemoryTables v(s.desc(), Showing_Context(s.desc()));
        const String err = Load(v, Path("s.xml"), s.file);
        EXPECT_NE(err.find(s.missing), String::npos) << err;
    }
}

TEST_F(Loading, EmptyTablesPassAndWriteTheRootTheCommentAndTheirSections)
{
    const struct {
        TEditorDesc (*desc)();
        const char* file;
    } cases[] = {
        {ReceiveCAN_Desc, "<Receive_Frames/>\n<!--SW_VERSION = 1.000-->\n"},
        {TransmitCAN_Desc, "<Transmit_Frames/>\n<!--SW_VERSION = 1.000-->\n"},
        {ReceiveJ1939_Desc, "<Receive_J1939/>\n<!--SW_VERSION = 1.000-->\n"},
        {TransmitJ1939_Desc, "<Transmit_J1939/>\n<!--SW_VERSION = 1.000-->\n"},
        {ReceiveNMEA_Desc, "<Receive_NMEA_2000/>\n<!--SW_VERSION = 1.000-->\n"},
        {TransmitNMEA_Desc, "<Receive_NMEA_2000/>\n<!--SW_VERSION = 1.000-->\n"},
        {Set_PDO_Access_Desc,
         "<PDO_CANopen>\n  <Receive_PDO/>\n  <Transmit_PDO/>\n</PDO_CANopen>\n<!--SW_VERSION = 1.000-->\n"},
        {Set_SDO_Client_Access_Desc,
         "<SDO_Client_CANopen>\n  <SDO_Read/>\n  <SDO_Write/>\n</SDO_Client_CANopen>\n<!--SW_VERSION = 1.000-->\n"},
        {Set_SDO_Server_Access_Desc,
         "<SDO_Server_CANopen>\n  <SDO_Read/>\n  <SDO_Write/>\n</SDO_Server_CANopen>\n<!--SW_VERSION = 1.000-->\n"},
    };
    for (const auto& c : cases) {
        TMemoryTables t(c.desc(), Showing_Context(c.desc()));
        EXPECT_EQ(t.Check(), "") << t.Desc.Class_Name;
        TXMLDocument Doc;
        Save_Tables(t.Desc, Doc, Path("e.xml"), t.Data);
        EXPECT_EQ(ReadFileBytes(Path("e.xml")), c.file) << t.Desc.Class_Name;
    }
}

}  // namespace
