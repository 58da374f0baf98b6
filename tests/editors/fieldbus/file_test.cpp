// The editors' files: written byte for byte, read back with their defaults, and what a
// broken or oversized file gives.
#include "platform/xml/XMLDoc.h"
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

using Files = EditorFiles;

String Golden(const char* Name) { return ReadFileBytes(PathJoin(EDITORS_TEST_DATA, Name)); }

// A KNX row element with every attribute of the valid rule, changed or left out as asked.
String KNX_Row(std::initializer_list<std::pair<const char*, const char*>> Changes, const char* Without = "")
{
    std::vector<std::pair<String, String>> a = {
        {"Enable", "Y"}, {"Source_Address", "1.1.20"}, {"Destination_Address", "1/2/3"}, {"APCI", "Write"},
        {"Priority", "Low"}, {"Format", "None"}, {"MultiplicationFactor", ""}, {"Extended", "N"}, {"ReTest", "N"},
        {"On_Command", "N"}, {"On_Change", "Y"}, {"On_Timer", "N"}, {"Poll_Time", "0"}, {"Position", "10"},
        {"Bit_Mode", "No"}, {"Length", "2"}, {"TimeOut", "0"}, {"Mnemonic", "Rule"}};
    String s = "<row";
    for (auto& [k, v] : a) {
        for (auto& [ck, cv] : Changes)
            if (k == ck) v = cv;
        if (k != Without) s += " " + k + "=\"" + v + "\"";
    }
    return s + "/>";
}

String KNX_File(const std::vector<String>& Rows)
{
    String s = "<BACnet_to_KNX><KNX_in_Write>";
    for (const String& r : Rows) s += r;
    return s + "</KNX_in_Write></BACnet_to_KNX><!--SW_VERSION = 1.002-->";
}

TEST_F(Files, KNXFileByteForByte)
{
    using namespace KNX;
    TMemoryTables t(KNX_Access_Desc(), KNX_Context());
    Valid_KNX_Row(t, 1);
    // A disabled row is written as it stands: text unchanged, blanks kept.
    Valid_KNX_Row(t, 2, " 4660 ", "x");
    t.Set(0, 2, {{Col_Enable, "N"}, {Col_APCI, "Read"}, {Col_Mnemonic, "Hall <3> & \"stairs\""}});
    Valid_KNX_Row(t, 3, "2.3.4", "1.1.1");
    t.Set(0, 3, {{Col_MultiplicationFactor, "1,5"}, {Col_Mnemonic, "two\nlines "}});

    TXMLDocument Doc;
    Save_Tables(t.Desc, Doc, Path("KNX_SetAccess.xml"), t.Data);
    EXPECT_EQ(ReadFileBytes(Path("KNX_SetAccess.xml")), Golden("KNX_SetAccess_small.xml"));
}

// A row whose key is empty (Insert Row leaves one, and so does clearing a row) is left
// out; every row below it is still written, in order, as if the gap were not there.
TEST_F(Files, AnEmptyKeyLeavesOutItsRowAndNoRowBelowIt)
{
    using namespace KNX;
    TMemoryTables packed(KNX_Access_Desc(), KNX_Context()), gaps(KNX_Access_Desc(), KNX_Context());
    Valid_KNX_Row(packed, 1, "1.1.1");
    Valid_KNX_Row(packed, 2, "1.1.2");
    Valid_KNX_Row(packed, 3, "1.1.3");
    Valid_KNX_Row(gaps, 2, "1.1.1");
    Valid_KNX_Row(gaps, 3, "1.1.2");
    Valid_KNX_Row(gaps, 4, "1.1.2");
    gaps.Set(0, 4, {{Col_Source_Address, "  "}});   // blanks only: empty
    Valid_KNX_Row(gaps, 6, "1.1.3");

    TXMLDocument Doc;
    Save_Tables(packed.Desc, Doc, Path("packed.xml"), packed.Data);
    Save_Tables(gaps.Desc, Doc, Path("gaps.xml"), gaps.Data);
    EXPECT_EQ(ReadFileBytes(Path("gaps.xml")), ReadFileBytes(Path("packed.xml")));
}

TEST_F(Files, LoRaWANFileByteForByte)
{
    using namespace LoRa;
    int P = 51;
    bool Fixed = true;
    TMemoryTables t(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
    // The FPort column is hidden in fixed mode; its cell is written all the same.
    t.Set(Uplink, 1,
          {{Up_StartByte, "0"}, {Up_NumByte, "4"}, {Up_OnChange, "Y"}, {Up_OnTimer, "Y"}, {Up_Time, "60"},
           {Up_FPort, "7"}, {Up_Mnemonic, "Meter"}});
    t.Set(Uplink, 2, {{Up_Enable, "N"}, {Up_StartByte, "4"}, {Up_NumByte, "99"}});
    // Both sections are written, also the empty one.
    TXMLDocument Doc;
    Save_Tables(t.Desc, Doc, Path("LoRaWAN_SetAccess.xml"), t.Data);
    EXPECT_EQ(ReadFileBytes(Path("LoRaWAN_SetAccess.xml")), Golden("LoRaWAN_SetAccess_small.xml"));

    // Read back into fresh tables, every cell is what was written.
    TMemoryTables u(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
    Load_Tables(u.Desc, Path("LoRaWAN_SetAccess.xml"), u.Data);
    for (int table : {Uplink, Downlink})
        for (int r = 1; r <= Rows_Fixed; ++r) EXPECT_EQ(u[table].RowText(r), t[table].RowText(r)) << table << " " << r;
}

TEST_F(Files, MissingAttributesTakeTheirDefaultsAndEmptyOnesStayEmpty)
{
    using namespace KNX;
    WriteFileAtomic(Path("k.xml"),
                    "<Other_Root><KNX_in_Write>" +
                        KNX_Row({}, "Enable") + KNX_Row({{"Enable", ""}, {"Priority", "urgent"}}, "Format") +
                        KNX_Row({}, "On_Command") + KNX_Row({}, "On_Timer") + KNX_Row({}, "TimeOut") +
                        KNX_Row({}, "MultiplicationFactor") + KNX_Row({}, "Priority") +
                        "</KNX_in_Write></Other_Root>");
    TMemoryTables t(KNX_Access_Desc(), KNX_Context());
    Load_Tables(t.Desc, Path("k.xml"), t.Data);
    const struct {
        int row, col;
        const char* text;
    } cells[] = {
        {1, Col_Enable, "Y"},   {2, Col_Enable, ""},        {2, Col_Priority, "Normal"}, {2, Col_Format, "None"},
        {3, Col_On_Command, "N"}, {4, Col_On_Timer, "N"},   {5, Col_TimeOut, "0"},       {6, Col_MultiplicationFactor, ""},
        {7, Col_Priority, "Normal"}, {7, Col_Source_Address, "1.1.20"}, {8, Col_Source_Address, ""}, {8, Col_Enable, "Y"},
    };
    for (const auto& c : cells) EXPECT_EQ(t[0].GetCellEx(c.col, c.row), c.text) << "row " << c.row << " col " << c.col;
    EXPECT_EQ(t[0].GetCellEx(0, 1024), "1024");
}

TEST_F(Files, ARowWithoutARequiredAttributeEndsTheLoadingThere)
{
    using namespace KNX;
    WriteFileAtomic(Path("k.xml"), KNX_File({KNX_Row({{"Mnemonic", "one"}}),
                                             KNX_Row({{"Mnemonic", "two"}, {"Position", "7"}}, "Bit_Mode"),
                                             KNX_Row({{"Mnemonic", "three"}})}));
    TMemoryTables t(KNX_Access_Desc(), KNX_Context());
    try {
        Load_Tables(t.Desc, Path("k.xml"), t.Data);
        ADD_FAILURE() << "no error";
    } catch (const EXmlError& e) {
        EXPECT_NE(String(e.what()).find("Bit_Mode"), String::npos) << e.what();
        EXPECT_NE(String(e.what()).find("row 2"), String::npos) << e.what();
    }
    EXPECT_EQ(t[0].GetCellEx(Col_Mnemonic, 1), "one");
    EXPECT_EQ(t[0].GetCellEx(Col_Position, 2), "7") << "read before the missing attribute";
    EXPECT_EQ(t[0].GetCellEx(Col_Bit_Mode, 2), "");
    EXPECT_EQ(t[0].GetCellEx(Col_Mnemonic, 2), "") << "after it";
    EXPECT_EQ(t[0].GetCellEx(Col_Source_Address, 3), "");
}

TEST_F(Files, BrokenFilesRaiseAndOversizedOnesAreCut)
{
    using namespace KNX;
    const struct {
        const char* what;
        String bytes;
    } broken[] = {
        {"not XML", "this is no XML <"},
        {"no section", "<BACnet_to_KNX><Other/></BACnet_to_KNX>"},
        {"empty file", ""},
    };
    for (const auto& b : broken) {
        WriteFileAtomic(Path("k.xml"), b.bytes);
        TMemoryTables t(KNX_Access_Desc(), KNX_Context());
        EXPECT_THROW(Load_Tables(t.Desc, Path("k.xml"), t.Data), EXmlError) << b.what;
        EXPECT_EQ(t[0].GetCellEx(Col_Enable, 1), "Y") << b.what;
    }

    // 5000 rows: the table shows its 1024, and OK writes only those.
    std::vector<String> rows;
    for (int i = 0; i < 5000; ++i) rows.push_back(KNX_Row({{"Mnemonic", IntToStr(i).c_str()}}));
    WriteFileAtomic(Path("k.xml"), KNX_File(rows));
    TMemoryTables t(KNX_Access_Desc(), KNX_Context());
    Load_Tables(t.Desc, Path("k.xml"), t.Data);
    EXPECT_EQ(t[0].GetCellEx(Col_Mnemonic, 1024), "1023");
    EXPECT_EQ(t.Check(), "");
    TXMLDocument Doc;
    Save_Tables(t.Desc, Doc, Path("k.xml"), t.Data);
    Doc.LoadFromFile(Path("k.xml"));
    EXPECT_EQ(Doc.DocumentElement().ChildNode("KNX_in_Write").ChildCount(), 1024);
}

TEST_F(Files, AFixedModeFileShownInVariableModeKeepsItsFirstRows)
{
    using namespace LoRa;
    int P = 51;
    bool Fixed = true;
    TMemoryTables full(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
    for (int r = 1; r <= Rows_Fixed; ++r) full.Set(Uplink, r, {{Up_StartByte, "1"}, {Up_NumByte, "1"}});
    TXMLDocument Doc;
    Save_Tables(full.Desc, Doc, Path("l.xml"), full.Data);

    // Variable mode: 223 rows.
    Fixed = false;
    TMemoryTables t(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
    for (int table : {Uplink, Downlink}) t[table].SetRowCount(Rows_Variable + 1);
    Load_Tables(t.Desc, Path("l.xml"), t.Data);
    EXPECT_EQ(t[Uplink].GetCellEx(Up_StartByte, Rows_Variable), "1");
    Save_Tables(t.Desc, Doc, Path("l.xml"), t.Data);
    Doc.LoadFromFile(Path("l.xml"));
    EXPECT_EQ(Doc.DocumentElement().ChildNode("LoRaWAN_Uplink").ChildCount(), Rows_Variable);

    // A missing section ends the loading after the uplinks.
    WriteFileAtomic(Path("l.xml"), "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row StartByte=\"5\"/></LoRaWAN_Uplink>"
                                   "</LoRaWAN_Set_Access>");
    TMemoryTables u(LoRa_Set_Access_Desc(), LoRa_Context(P, Fixed));
    EXPECT_THROW(Load_Tables(u.Desc, Path("l.xml"), u.Data), EXmlError);
    EXPECT_EQ(u[Uplink].RowText(1), "Y|5||N|N|N|||") << "missing attributes take their defaults";
}

}  // namespace

namespace {

TEST_F(Files, TheLoRaWANEditorReadsPayloadSizeAndFPortModeFromParGen)
{
    const struct {
        const char* what;
        const char* bytes;   // nullptr: no file
        int payload;
        bool fixed;
    } cases[] = {
        {"no file", nullptr, 0, true},
        {"both keys", "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size><LoRa_FPort>Variable</LoRa_FPort></Par_Gen>",
         51, false},
        {"any case, blanks around", "<P><LoRa_FPort> vARIABLE </LoRa_FPort></P>", 0, false},
        {"Fixed", "<P><LoRa_Payload_Size>222</LoRa_Payload_Size><LoRa_FPort>Fixed</LoRa_FPort></P>", 222, true},
        {"another word", "<P><LoRa_FPort>Var</LoRa_FPort></P>", 0, true},
        {"blanks before the size", "<P><LoRa_Payload_Size>  51</LoRa_Payload_Size></P>", 51, true},
        {"blanks after the size", "<P><LoRa_Payload_Size>51 </LoRa_Payload_Size></P>", 0, true},
        {"no number", "<P><LoRa_Payload_Size>many</LoRa_Payload_Size></P>", 0, true},
        {"not XML", "<P><LoRa_Payload_Size>51", 0, true},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(Path("ParGen.xml"));
        if (c.bytes) WriteFileAtomic(Path("ParGen.xml"), c.bytes);
        TEditorContext Context;
        Read_Model_Settings(Path("ParGen.xml"), Context);
        EXPECT_EQ(LoRa::Payload_Size(Context), c.payload) << c.what;
        EXPECT_EQ(LoRa::FPort_Fixed(Context), c.fixed) << c.what;
    }
}

}  // namespace
