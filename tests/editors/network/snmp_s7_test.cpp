// The SNMP agent editor's numbering of its variables, as the MIB writer numbers them from
// the file; and what the S7 and SNMP manager windows do beyond the frame: hints, the
// delete question, the row clipboard, an empty object identifier.
#include "editors/network/US7_Protocol_Set_Access.h"
#include "editors/network/USNMPManagerAccess.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "grid/core/ExtGrid.h"
#include "platform/xml/XMLDoc.h"
#include "tests/common/GridHands.h"
#include "tests/editors/network/network_fixture.h"

namespace {

using namespace hands;

using SNMPAgent = NetworkEditors;

String Trap_Row(const char* Enable, const char* Community, const char* Desc)
{
    return Format("<row Enable=\"%s\" Community_Name=\"%s\" Type=\"Int\" Position=\"0\" Bit=\"0\" NumBits=\"8\" "
                  "Description=\"%s\" IP_Address=\"10.0.0.1\" Conversion=\"None\"/>",
                  {Enable, Community, Desc});
}

// The number the MIB writer gives each row element of the read section: enabled rows
// (Enable upper-cased "Y") count from 1 in file order, the others get none (0).
std::vector<int> MIB_Numbers(const String& File)
{
    TXMLDocument Doc;
    Doc.LoadFromFile(File);
    std::vector<int> Numbers;
    int n = 0;
    for (const TXMLNode& Row : Doc.DocumentElement().FindNode("SNMP_Trap_Read").ChildNodes()) {
        String Enable;
        Row.FindAttribute("Enable", Enable);
        Numbers.push_back(UpperCase(Enable) == "Y" ? ++n : 0);
    }
    return Numbers;
}

// Column 0 of the rows with a community name, in order (an empty cell as 0).
std::vector<int> Shown_Numbers(TExtColumnGrid* G)
{
    std::vector<int> Numbers;
    for (int r = 1; r < G->RowCount(); ++r)
        if (!Trim(G->GetCellEx(SNMP_Trap::Rd_Community_Name, r)).empty())
            Numbers.push_back(StrToIntDef(G->GetCellEx(0, r), 0));
    return Numbers;
}

TEST_F(SNMPAgent, ColumnZeroNumbersTheVariablesAsTheMIBWill)
{
    using namespace SNMP_Trap;
    WriteFileAtomic(FileName_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>" + Trap_Row("Y", "a", "one") +
                                            Trap_Row("y", "b", "two") + Trap_Row("N", "c", "three") +
                                            Trap_Row("Y", "d", "four") +
                                            "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap><!--SW_VERSION = 1.000-->");
    auto* W = Make<TFSNMP_Trap_Access>();
    TExtColumnGrid* G = W->ACG_SNMP_Read;
    auto Column0 = [&](int Rows) {
        String s;
        for (int r = 1; r <= Rows; ++r) {
            if (r > 1) s += ',';
            s += G->GetCellEx(0, r);
        }
        return s;
    };
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  // A lower-case y is enabled; rows without a community are no variables.
                  EXPECT_EQ(Column0(6), "1,2,,3,,");
                  EXPECT_EQ(W->ACG_SNMP_Write->GetCellEx(0, 1), "");
                  // Disabling row 1 renumbers at the click.
                  UserFocus(G);
                  Click(G, Rd_Enable, 1);
                  EXPECT_EQ(G->GetCellEx(Rd_Enable, 1), "N");
                  EXPECT_EQ(Column0(4), ",1,,2");
                  Click(G, Rd_Enable, 1);
                  EXPECT_EQ(Column0(4), "1,2,,3");
                  // A community typed into a new row makes it a variable ...
                  Click(G, Rd_Community_Name, 5);
                  Type("e");
                  Key(VK_RETURN);
                  EXPECT_EQ(Column0(5), "1,2,,3,4");
                  const std::pair<int, const char*> Rest[] = {
                      {Rd_Type, "Int"}, {Rd_Position, "0"}, {Rd_Bit, "0"}, {Rd_NumBits, "8"},
                      {Rd_Description, "five"}, {Rd_IP_Address, "10.0.0.2"}, {Rd_Conversion, "None"}};
                  for (const auto& [c, t] : Rest) G->SetCellEx(c, 5, t);
                  // ... and emptying one leaves a gap the file closes up, so the rows below
                  // take the numbers the file will give them.
                  G->SetCellEx(Rd_Community_Name, 1, " ");
                  G->SetCellEx(Rd_Enable, 3, "Y");
                  W->Index_Row_Build(G);
                  EXPECT_EQ(Column0(5), ",1,2,3,4");
                  // Deleting a row renumbers the rows that moved up.
                  G->SetRow(1);
                  script.Answer(mrYes, Text(6275) + "1");
                  UserClick(W->Btn_DelRow);
                  EXPECT_EQ(Column0(5), "1,2,3,4,");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    // Every written row carries the number column 0 showed, and a lower-case y stays.
    Open(W, script, [&] { EXPECT_EQ(Shown_Numbers(G), MIB_Numbers(FileName_SNMP_Trap)); });
    EXPECT_EQ(MIB_Numbers(FileName_SNMP_Trap), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_NE(ReadFileBytes(FileName_SNMP_Trap).find("Enable=\"y\" Community_Name=\"b\""), String::npos);
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(SNMPAgent, PagesHintsAndTheRowClipboard)
{
    using namespace SNMP_Trap;
    auto* W = Make<TFSNMP_Trap_Access>();
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->PageControl1->ActivePage(), W->TS_SNMP_Read);
        EXPECT_EQ(W->ACG_SNMP_Read->Columns()->Items(Rd_Position)->ComboItems()->Count(), 1440);
        EXPECT_EQ(W->ACG_SNMP_Read->Columns()->Items(Rd_Description)->EditLength(), 15);
        String Hint;
        W->GridHint(W->ACG_SNMP_Write, 0, Wr_Conversion, Hint);
        EXPECT_EQ(Hint, Text(6284));
        W->ACG_SNMP_Read->SetCellEx(Rd_Community_Name, 1, "public");
        W->ACG_SNMP_Read->SetRow(1);
        UserClick(W->Btn_CopyRow);
        W->PageControl1->SetActivePage(W->TS_SNMP_Write);
        script.Answer(mrOk, Text(1102));
        UserClick(W->Btn_PasteRow);
        EXPECT_EQ(W->ACG_SNMP_Write->GetCellEx(Wr_Community_Name, 1), "");
        // Insert Row enables the new row.
        W->ACG_SNMP_Write->SetCellEx(Wr_Enable, 2, "N");
        W->ACG_SNMP_Write->SetRow(2);
        UserClick(W->Btn_InsRow);
        EXPECT_EQ(W->ACG_SNMP_Write->GetCellEx(Wr_Enable, 2), "Y");
    });
    // The page shown last stays for the next showing.
    Open(W, script, [&] { EXPECT_EQ(W->PageControl1->ActivePage(), W->TS_SNMP_Write); });
    EXPECT_EQ(script.Problems(), "");
}

using SNMPManager = NetworkEditors;

TEST_F(SNMPManager, AnEmptyOIDIsRefusedWithItsOwnMessage)
{
    using namespace SNMP_Manager;
    auto* W = Make<TFSNMPManagerAccess>();
    TExtColumnGrid* G = W->ACG_SNMP;
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  EXPECT_EQ(FindFocusedControl(), G);
                  EXPECT_EQ(G->Columns()->Items(Col_Position)->ComboItems()->Count(), 1440);
                  const std::pair<int, const char*> Row[] = {{Col_IP_Address, "10.0.0.9"}, {Col_Version, "1"},
                                                             {Col_Number_Bytes, "2"}, {Col_ConvertFrom, "None"}};
                  for (const auto& [c, t] : Row) G->SetCellEx(c, 1, t);
                  script.Answer(mrOk, Row_Error(6137, 1, 6190));
                  UserClick(W->Btn_OK);
                  EXPECT_FALSE(FileExists(FileName_SNMP_Manager));
                  G->SetCellEx(Col_OID, 1, "1.3.6.1");
                  // Paste before any copy in this showing.
                  G->SetRow(2);
                  script.Answer(mrOk, Text(1102));
                  UserClick(W->Btn_PasteRow);
                  // A click in column 0 does not select the row.
                  Click(G, 0, 3);
                  EXPECT_FALSE(G->IsSelected(5, 3));
                  G->SetRow(3);
                  script.Answer(mrNo, Text(6147) + "3");
                  UserClick(W->Btn_DelRow);
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    // A file without some attributes: their defaults.
    WriteFileAtomic(FileName_SNMP_Manager, "<SNMP_Manager_Access><row IP_Address=\"1.2.3.4\"/></SNMP_Manager_Access>");
    Open(W, script, [&] {
        EXPECT_EQ(G->GetCellEx(Col_Enable, 1), "Y");
        EXPECT_EQ(G->GetCellEx(Col_On_Timer, 1), "N");
        EXPECT_EQ(G->GetCellEx(Col_ConvertFrom, 1), "None");
        EXPECT_EQ(G->GetCellEx(Col_OID, 1), "");
    });
    EXPECT_EQ(script.Problems(), "");
}

using S7Editor = NetworkEditors;

TEST_F(S7Editor, HintsDeleteQuestionAndRequiredAttributes)
{
    using namespace S7;
    auto* W = Make<TFS7_Protocol_Set_Access>();
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_TRUE(W->ACG_S7_Read->ShowHint());
        EXPECT_FALSE(W->ACG_S7_Write->ShowHint());
        EXPECT_TRUE(W->Btn_PasteRow->ShowHint());
        String Hint;
        W->GridHint(W->ACG_S7_Read, 0, Col_Rack, Hint);
        EXPECT_EQ(Hint, Text(6017));
        W->GridHint(W->ACG_S7_Read, 0, Rd_Mnemonic, Hint);
        EXPECT_EQ(Hint, Text(5955));
        EXPECT_EQ(W->ACG_S7_Write->Columns()->Items(Wr_Position)->ComboItems()->Count(), 1500);
        W->PageControl1->SetActivePage(W->TS_S7_Write);
        W->ACG_S7_Write->SetRow(7);
        script.Answer(mrNo, "Are you sure to delete the Row number 7");
        UserClick(W->Btn_DelRow);
    });
    EXPECT_EQ(script.Problems(), "");
    // Only Enable, Rack and Slot may be missing; the row without a PLC type ends the loading.
    WriteFileAtomic(FileName_S7_Protocol,
                    "<S7_Protocol><S7_Protocol_Read>"
                    "<row PLC_Address=\"1.2.3.4\" PLC_Port=\"102\" PLC_Type=\"S7300\" Data_Type=\"Int\" "
                    "Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" PLC_Add=\"0\" PLC_Bit=\"0\" "
                    "PollTime=\"10\" Position=\"1500\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"\"/>"
                    "<row PLC_Address=\"1.2.3.5\" PLC_Port=\"102\"/>"
                    "</S7_Protocol_Read><S7_Protocol_Write/></S7_Protocol>");
    Open(
        W, script,
        [&] {
            EXPECT_EQ(W->ACG_S7_Read->GetCellEx(Col_Enable, 1), "Y");
            EXPECT_EQ(W->ACG_S7_Read->GetCellEx(Col_Rack, 1), "0");
            EXPECT_EQ(W->ACG_S7_Read->GetCellEx(Rd_Position, 1), "1500");
            EXPECT_EQ(W->ACG_S7_Read->GetCellEx(Col_PLC_Address, 2), "1.2.3.5");
            EXPECT_EQ(W->ACG_S7_Read->GetCellEx(Col_PLC_Type, 2), "");
            W->ACG_S7_Read->SetCellEx(Col_PLC_Address, 2, "");
            // The position the file gave is beyond the data array.
            script.Answer(mrOk, Row_Error(5970, 1, 5977, "1499"));
            UserClick(W->Btn_OK);
        },
        mrCancel, {"PLC_Type"});
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
