// The client editor's variable table and data sets: byte counts, checks, adding,
// removing, and the members of the data set shown.
#include "tests/editors/iec61850/client_fixture.h"

using namespace IEC_Client;

namespace {

// Row 1 of the variable table: a basic type and the cells given.
void Variable(TExtColumnGrid* G, const String& bType, std::vector<std::pair<int, String>> Cells)
{
    G->SetRowCount(2);
    for (int c = 1; c < DA_Col_Count; ++c) G->SetCellEx(c, 1, "");
    G->SetCellEx(DA_Index, 1, "0");
    G->SetCellEx(DA_bType, 1, bType);
    for (const auto& [c, t] : Cells) G->SetCellEx(c, 1, t);
}

const std::vector<std::pair<int, String>> Good = {
    {DA_IPAddress, " 192.168.1.125 "}, {DA_Port, "102"}, {DA_Position, "0"}, {DA_MoltFact, "none"}, {DA_OnTimer, "N"}};

std::vector<std::pair<int, String>> With(std::vector<std::pair<int, String>> Cells, int Col, const String& Text)
{
    Cells.emplace_back(Col, Text);
    return Cells;
}

}  // namespace

TEST_F(Client_Window, FixedSizeTypesGetTheirBytesReadOnlyOthersKeepWhatIsTyped)
{
    Window();
    const struct {
        const char* bType;
        const char* Start;
        const char* Count;
        bool Read_Only;
    } cases[] = {
        {"FLOAT32", "0", "4", true}, {"int32u", "0", "4", true},   {"Quality", "0", "4", true},
        {"FLOAT64", "0", "8", true}, {"INT64", "0", "8", true},    {"Enum", "0", "1", true},
        {"Timestamp", "0", "1", true}, {"BOOLEAN", "0", "1", true}, {"INT16U", "0", "2", true},
        {"VisString255", "7", "9", false}, {"Octet64", "7", "9", false}, {"", "7", "9", false},
    };
    for (const auto& c : cases) {
        Variable(W->ACG_DA, c.bType, {{DA_StartByte, "7"}, {DA_NumByte, "9"}});
        W->Set_Start_Num_Byte();
        EXPECT_EQ(Cell(W->ACG_DA, DA_StartByte, 1), c.Start) << c.bType;
        EXPECT_EQ(Cell(W->ACG_DA, DA_NumByte, 1), c.Count) << c.bType;
        EXPECT_EQ(W->ACG_DA->GetReadOnly(DA_StartByte, 1), c.Read_Only) << c.bType;
        EXPECT_EQ(W->ACG_DA->GetReadOnly(DA_NumByte, 1), c.Read_Only) << c.bType;
    }
}

TEST_F(Client_Window, TheVariableCheckReportsTheFirstFailingTestOfTheFirstFailingRow)
{
    Window();
    const String E = "Error row 1";
    const struct {
        String bType;
        std::vector<std::pair<int, String>> Cells;
        String Expected;
    } cases[] = {
        {"INT32", {}, E + Lang_Text(4953)},
        {"INT32", {{DA_IPAddress, "10.0.0.1"}}, E + Lang_Text(4954)},
        {"INT32", {{DA_IPAddress, "10.0.0.1"}, {DA_Port, "102"}}, E + Lang_Text(4956) + "1399"},
        {"INT32", {{DA_IPAddress, "10.0.0.1"}, {DA_Port, "102"}, {DA_Position, "3"}}, E + Lang_Text(4957)},
        {"INT32", Good, ""},
        {"INT32", With(Good, DA_MoltFact, "1,5"), ""},
        {"INT32", With(Good, DA_MoltFact, "x"), E + Lang_Text(4957)},
        {"INT32", With(Good, DA_Position, "1399"), ""},
        {"INT32", With(Good, DA_Position, "1400"), E + "!! Position must be between 0 and 1399"},
        {"INT32", With(Good, DA_IPAddress, "10.0.0.1.5"), E + Lang_Text(4953)},
        {"INT32", With(Good, DA_Port, "65536"), E + Lang_Text(4954)},
        {"INT32", With(With(Good, DA_OnTimer, "Y"), DA_Time, "0"), E + Lang_Text(4955)},
        {"INT32", With(With(Good, DA_OnTimer, "Y"), DA_Time, "100000000"), ""},
        {"INT32", With(Good, DA_Time, ""), ""},
        {"VisString255", With(With(Good, DA_StartByte, "200"), DA_NumByte, "55"), ""},
        {"VisString255", With(With(Good, DA_StartByte, "200"), DA_NumByte, "56"), E + Lang_Text(4964)},
        {"VisString255", With(With(Good, DA_StartByte, "255"), DA_NumByte, "1"), E + Lang_Text(4962)},
        {"VisString255", With(With(Good, DA_StartByte, "0"), DA_NumByte, "0"), E + Lang_Text(4963)},
        {"VisString255", Good, E + Lang_Text(4962)},
        {"Octet64", With(With(Good, DA_StartByte, "60"), DA_NumByte, "4"), ""},
        {"Octet64", With(With(Good, DA_StartByte, "64"), DA_NumByte, "1"), E + Lang_Text(4965)},
        {"Octet64", With(With(Good, DA_StartByte, "0"), DA_NumByte, "65"), E + Lang_Text(4966)},
        {"Octet64", With(With(Good, DA_StartByte, "1"), DA_NumByte, "64"), E + Lang_Text(4967)},
        {"", {}, ""},   // a row without a basic type is not looked at
    };
    for (const auto& c : cases) {
        Variable(W->ACG_DA, c.bType, c.Cells);
        TInteractionScript Script;
        if (!c.Expected.empty()) Script.Answer(mrOk, c.Expected);
        EXPECT_EQ(W->Controllo_dati(), c.Expected.empty()) << c.Expected;
        EXPECT_EQ(Script.Problems(), "") << c.bType;
        if (!c.Expected.empty() && Script.Last()) {
            EXPECT_EQ(Script.Last()->Text, c.Expected);
        }
    }
}

TEST_F(Client_Window, RemoveVarEmptiesTheOnlyRowWhichTheNextAddUsesAgain)
{
    const String File = Source("bay.icd", Breaker_SCL());
    TInteractionScript Script;
    Open(Script, [&] {
        Add_Device(Script, File);
        Choose_Device(0);
        Add_Attribute(0, "stVal");
        Add_Attribute(0, "q");
        Add_Attribute(0, "ctlModel");
        EXPECT_EQ(W->ACG_DA->RowCount(), 4);
        W->ACG_DA->SetRow(1);
        UserClick(W->Btn_RemoveVar);
        EXPECT_EQ(W->ACG_DA->RowCount(), 3);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Number, 2), "2");
        EXPECT_EQ(Cell(W->ACG_DA, DA_bType, 1), "Quality");
        // The read-only marks follow the types that now stand in the rows.
        EXPECT_TRUE(W->ACG_DA->GetReadOnly(DA_NumByte, 2));
        EXPECT_EQ(Cell(W->ACG_DA, DA_NumByte, 2), "1");
        UserClick(W->Btn_RemoveVar);
        W->ACG_DA->SetRow(1);
        UserClick(W->Btn_RemoveVar);
        EXPECT_EQ(W->ACG_DA->RowCount(), 2);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Reference, 1), "");
        Add_Attribute(0, "t");
        EXPECT_EQ(W->ACG_DA->RowCount(), 2);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Reference, 1), "E1CTRL/XCBR1.Pos.t");
        EXPECT_EQ(Cell(W->ACG_DA, DA_OnCMD, 1), "N");
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(Client_Window, DataSetRowsKeepTheirOwnMembersAndTheMemberTableEditsTheOneShown)
{
    const String File = Source("bay.icd", Breaker_SCL());
    TInteractionScript Script;
    Open(Script, [&] {
        Add_Device(Script, File);
        Choose_Device(0);
        Add_Data_Set(0, 0);
        EXPECT_EQ(W->PC_DA_DataSet->ActivePage(), W->TS_DataSet);
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_Reference, 1), "E1CTRL/LLN0.DS1");
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_GooseName, 1), "GSE1");
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_EnGoose, 1), "Y");
        Add_Data_Set(0, 0);
        Add_Data_Set(0, 1);
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_GooseName, 3), "");
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_EnGoose, 3), "N");
        ASSERT_EQ(W->List_DataSet.size(), 3u);
        // A click in column 0 of row 3 selects row 3 of the data-set grid, not of the variable table.
        const int Variable_Row = W->ACG_DA->Row();
        const TRect N3 = W->ACG_DataSet->CellRect(DS_Number, 3);
        UserClick(W->ACG_DataSet, N3.Left + 5, N3.Top + 5);
        EXPECT_EQ(W->ACG_DataSet->Row(), 3);
        EXPECT_EQ(W->ACG_DA->Row(), Variable_Row);

        // Row 2 clicked, Position typed in its third member.
        UserClick(W->ACG_DataSet, W->ACG_DataSet->CellRect(DS_Reference, 2).Left + 5,
                  W->ACG_DataSet->CellRect(DS_Reference, 2).Top + 5);
        ASSERT_EQ(W->ACG_DS_Vars->RowCount(), 4);
        EXPECT_EQ(Cell(W->ACG_DS_Vars, M_Reference, 3), "E1CTRL/XCBR1.Pos.t");
        bool Can = true;
        W->ACG_DS_Vars->OnSelectCell(W->ACG_DS_Vars, M_Position, 3, Can);
        W->ACG_DS_Vars->SetCellEx(M_Position, 3, "12");
        W->ACG_DS_Vars->OnEditCellDone(W->ACG_DS_Vars, M_Position, 3);
        EXPECT_EQ(W->List_DataSet[1]->List_DAs[2]->Position, "12");
        EXPECT_EQ(W->List_DataSet[0]->List_DAs[2]->Position, "");

        // The current row moves by key: the member table follows, and edits go to what it shows.
        UserKey(W->ACG_DataSet, VK_UP);
        EXPECT_EQ(W->ACG_DataSet->Row(), 1);
        EXPECT_EQ(Cell(W->ACG_DS_Vars, M_Position, 3), "");
        W->ACG_DS_Vars->OnSelectCell(W->ACG_DS_Vars, M_Mnemonic, 1, Can);
        W->ACG_DS_Vars->SetCellEx(M_Mnemonic, 1, "first");
        W->ACG_DS_Vars->OnEditCellDone(W->ACG_DS_Vars, M_Mnemonic, 1);
        EXPECT_EQ(W->List_DataSet[0]->List_DAs[0]->Mnemonic, "first");
        EXPECT_EQ(W->List_DataSet[1]->List_DAs[0]->Mnemonic, "");

        // A data set whose members all failed shows one empty row; typing there stores nothing.
        W->ACG_DataSet->SetRow(3);
        ASSERT_EQ(W->ACG_DS_Vars->RowCount(), 2);
        EXPECT_EQ(Cell(W->ACG_DS_Vars, M_Reference, 1), "");
        W->ACG_DS_Vars->OnSelectCell(W->ACG_DS_Vars, M_Position, 1, Can);
        W->ACG_DS_Vars->SetCellEx(M_Position, 1, "5");
        W->ACG_DS_Vars->OnEditCellDone(W->ACG_DS_Vars, M_Position, 1);
        EXPECT_TRUE(W->List_DataSet[2]->List_DAs.empty());

        // Removing row 1 moves the others up; the member table shows the new row 1's members.
        W->ACG_DataSet->SetRow(1);
        UserClick(W->Btn_RemoveVar);
        ASSERT_EQ(W->List_DataSet.size(), 2u);
        EXPECT_EQ(W->ACG_DataSet->RowCount(), 3);
        EXPECT_EQ(Cell(W->ACG_DS_Vars, M_Position, 3), "12");
        W->ACG_DS_Vars->OnSelectCell(W->ACG_DS_Vars, M_Position, 3, Can);
        W->ACG_DS_Vars->SetCellEx(M_Position, 3, "13");
        W->ACG_DS_Vars->OnEditCellDone(W->ACG_DS_Vars, M_Position, 3);
        EXPECT_EQ(W->List_DataSet[0]->List_DAs[2]->Position, "13");

        // Removing the last ones leaves one empty row, which the next Add Var fills.
        UserClick(W->Btn_RemoveVar);
        UserClick(W->Btn_RemoveVar);
        EXPECT_TRUE(W->List_DataSet.empty());
        EXPECT_EQ(W->ACG_DataSet->RowCount(), 2);
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_Reference, 1), "");
        Add_Data_Set(0, 0);
        EXPECT_EQ(W->ACG_DataSet->RowCount(), 2);
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_Number, 1), "1");
        EXPECT_EQ(W->ACG_DS_Vars->RowCount(), 4);
    });
    EXPECT_EQ(Script.Problems(), "");
}
