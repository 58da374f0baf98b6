// The files of the DMX, DeviceNet, Modbus RTU and TCP and EtherNet/IP editors as their
// showings read them: a missing attribute takes its column's default, an empty one stays
// empty, a required one ends the loading at its row; rows beyond the table are cut.
#include "platform/xml/XMLDoc.h"
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

using Loading = EditorFiles;

struct TCellCase {
    int table, row, col;
    const char* text;
};

// Loads Bytes into fresh tables of the editor; the error text, empty when it loaded.
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

void Expect_Cells(TMemoryTables& t, std::initializer_list<TCellCase> Cells, const char* What)
{
    for (const auto& c : Cells)
        EXPECT_EQ(t[c.table].GetCellEx(c.col, c.row), c.text) << What << ": table " << c.table << " row " << c.row
                                                              << " col " << c.col;
}

TEST_F(Loading, DMXRowsAreAnyElementsAndTheCountFollowsTheChannels)
{
    using namespace DMX;
    TMemoryTables t(DMX_Def_Val_Desc());
    t[0].SetRowCount(4 + 1);   // a showing of four channels
    Reset_Tables(t.Desc, t.Data);
    EXPECT_EQ(Load(t, Path("d.xml"),
                   "<Any><Row Mnemonic=\"no value\"/><row Default_Value=\"\" Mnemonic=\"\"/>"
                   "<Channel Default_Value=\"12\"/><Row Default_Value=\"4\" Mnemonic=\"four\"/>"
                   "<Row Default_Value=\"5\" Mnemonic=\"beyond\"/></Any><!--SW_VERSION = 1.000-->"),
              "");
    Expect_Cells(t,
                 {{0, 1, Col_Default_Value, "0"}, {0, 1, Col_Mnemonic, "no value"}, {0, 2, Col_Default_Value, ""},
                  {0, 3, Col_Default_Value, "12"}, {0, 3, Col_Mnemonic, ""}, {0, 4, Col_Mnemonic, "four"},
                  {0, 4, Col_Channel, "4"}},
                 "four channels");
    // Fewer rows than channels: the rest stay as reset.
    TMemoryTables u(DMX_Def_Val_Desc());
    EXPECT_EQ(Load(u, Path("d.xml"), "<DMX_Default_Values><Row Default_Value=\"9\" Mnemonic=\"x\"/></DMX_Default_Values>"),
              "");
    Expect_Cells(u, {{0, 1, Col_Default_Value, "9"}, {0, 2, Col_Default_Value, "0"}, {0, 512, Col_Default_Value, "0"}},
                 "one row");
}

TEST_F(Loading, DeviceNetNeedsEveryAttribute)
{
    using namespace DNet;
    TMemoryTables t(DNet_Desc());
    const String e = Load(t, Path("n.xml"),
                          "<DNET_Net><row ID=\"1\" NB_IN=\"\" NB_OUT=\"2\" Mnemonic=\"\"/>"
                          "<row ID=\"2\" NB_IN=\"3\" Mnemonic=\"no out\"/><row ID=\"3\" NB_IN=\"1\" NB_OUT=\"1\" "
                          "Mnemonic=\"after\"/></DNET_Net>");
    EXPECT_NE(e.find("NB_OUT"), String::npos) << e;
    EXPECT_NE(e.find("row 2"), String::npos) << e;
    Expect_Cells(t,
                 {{0, 1, Col_ID, "1"}, {0, 1, Col_NB_IN, ""}, {0, 1, Col_NB_OUT, "2"}, {0, 2, Col_ID, "2"},
                  {0, 2, Col_NB_IN, "3"}, {0, 2, Col_NB_OUT, ""}, {0, 2, Col_Mnemonic, ""}, {0, 3, Col_ID, ""}},
                 "stopped at row 2");
    // A file with fewer rows than before: the rest stays empty.
    TMemoryTables u(DNet_Desc());
    EXPECT_EQ(Load(u, Path("n.xml"), "<DNET_Net><row ID=\"9\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"m\"/></DNET_Net>"), "");
    EXPECT_EQ(u[0].RowText(1), "9|1|1|m");
    EXPECT_EQ(u[0].RowText(2), "|||");
}

TEST_F(Loading, ModbusRTUGuardsOnlyItsCheckBoxesAndTopic)
{
    using namespace ModbusRTU;
    const String all_read = "Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" "
                            "Position=\"0\" Bit=\"0\" Mnemonic=\"m\"";
    const String all_write = "Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" "
                             "OnChange=\"Y\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"w\"";
    TMemoryTables t(Set_Access_Desc(), Showing_Context(Set_Access_Desc()));
    EXPECT_EQ(Load(t, Path("m.xml"),
                   "<Other><Modbus_Read><row " + all_read + "/><row Enable=\"\" Swap=\"\" Index_Topic=\"5\" " + all_read +
                       "/></Modbus_Read><Modbus_Write><row " + all_write + "/></Modbus_Write></Other>"),
              "");
    Expect_Cells(t,
                 {{Read, 1, Rd_Enable, "Y"}, {Read, 1, Rd_Swap, "N"}, {Read, 1, Rd_SwapWord, "N"}, {Read, 1, Rd_Topic, ""},
                  {Read, 2, Rd_Enable, ""}, {Read, 2, Rd_Swap, ""}, {Read, 2, Rd_Topic, ""}, {Read, 2, Rd_Mnemonic, "m"},
                  {Write, 1, Wr_OnCMD, "N"}, {Write, 1, Wr_OnChange, "Y"}, {Write, 1, Wr_Enable, "Y"}},
                 "guarded attributes");
    // A read row without Type ends the loading, a write row without OnChange too.
    const struct {
        const char* what;
        String file;
        const char* attribute;
    } required[] = {
        {"read Type, the first one missing", "<R><Modbus_Read><row Slave_ID=\"4\"/></Modbus_Read><Modbus_Write/></R>", "Type"},
        {"write OnChange", "<R><Modbus_Read/><Modbus_Write><row Slave_ID=\"4\" Type=\"Coil Status\" Address=\"0\" "
                           "NPoint=\"1\" PollTime=\"1\"/></Modbus_Write></R>", "OnChange"},
        {"no write section", "<R><Modbus_Read><row " + all_read + "/></Modbus_Read></R>", "Modbus_Write"},
    };
    for (const auto& r : required) {
        TMemoryTables u(Set_Access_Desc(), Showing_Context(Set_Access_Desc()));
        const String e = Load(u, Path("m.xml"), r.file);
        EXPECT_NE(e.find(r.attribute), String::npos) << r.what << ": " << e;
    }
    TMemoryTables u(Set_Access_Desc(), Showing_Context(Set_Access_Desc()));
    Load(u, Path("m.xml"), required[2].file);
    EXPECT_EQ(u[Read].GetCellEx(Rd_Mnemonic, 1), "m") << "the rows read before the missing section stay";
}

TEST_F(Loading, ModbusTCPRowWithoutPortEndsTheLoading)
{
    using namespace ModbusTCP;
    TMemoryTables t(Modbus_TCP_Master_Set_Access_Desc(), Showing_Context(Modbus_TCP_Master_Set_Access_Desc()));
    const String e = Load(t, Path("t.xml"),
                          "<R><Modbus_Read/><Modbus_Write><row Enable=\"N\" IP_Address=\"10.0.0.1\" Slave_ID=\"1\"/>"
                          "</Modbus_Write></R>");
    EXPECT_NE(e.find("Port"), String::npos) << e;
    Expect_Cells(t, {{Write, 1, Wr_Enable, "N"}, {Write, 1, Wr_IP_Address, "10.0.0.1"}, {Write, 1, Wr_Slave_ID, ""}},
                 "stopped at Port");
}

TEST_F(Loading, EtherNetIPReadsEveryAttributeOnItsOwn)
{
    using namespace EtherNetIP;
    TMemoryTables t(EtherNetIP_Master_Access_Desc(), Showing_Context(EtherNetIP_Master_Access_Desc()));
    String rows;
    for (int i = 0; i < 12; ++i) rows += "<row IP_Address=\"10.0.0." + IntToStr(i) + "\"/>";
    EXPECT_EQ(Load(t, Path("e.xml"),
                   "<X><row/><row Enable=\"Y\" Dim_Header_T_O=\"\" Dim_Header_O_T=\"3\" Mnemonic=\"m\"/>" + rows + "</X>"),
              "");
    Expect_Cells(t,
                 {// A row element without Enable was written disabled; without headers they are "Default".
                  {0, 1, Col_Enable, "N"}, {0, 1, Col_Dim_Header_T_O, "Default"}, {0, 1, Col_Dim_Header_O_T, "Default"},
                  {0, 1, Col_IP_Address, ""}, {0, 2, Col_Enable, "Y"}, {0, 2, Col_Dim_Header_T_O, ""},
                  {0, 2, Col_Dim_Header_O_T, "3"}, {0, 10, Col_IP_Address, "10.0.0.7"}},
                 "ten rows");
    // A fresh row (no file) is enabled and empty, the header formats too.
    TMemoryTables u(EtherNetIP_Master_Access_Desc());
    EXPECT_EQ(u[0].RowText(1), "Y|||||||||||||");
}

TEST_F(Loading, TheTopicIsWrittenEmptyByTheRTUEditorAndAsMinusOneByTheTCPEditor)
{
    const struct {
        TEditorDesc (*desc)();
        int col;
        const char* written;
    } cases[] = {{Set_Access_Desc, ModbusRTU::Rd_Topic, ""}, {Modbus_TCP_Master_Set_Access_Desc, ModbusTCP::Rd_Topic, "-1"}};
    for (const auto& c : cases) {
        TMemoryTables t(c.desc(), Showing_Context(c.desc()));
        t[0].SetCellEx(2, 1, "1");   // a key
        t[0].SetCellEx(c.col, 1, "whatever");
        TXMLDocument Doc;
        Write_Tables(t.Desc, Doc, t.Data);
        EXPECT_EQ(Doc.DocumentElement().ChildNode("Modbus_Read").Child(0).Attribute("Index_Topic"), c.written)
            << t.Desc.Class_Name;
    }
}

}  // namespace
