// IEC_61850_Client.xml: written by OK, read again at every showing with the catalogue's
// devices, saved data sets linked again to the decoded models.
#include "tests/editors/iec61850/client_fixture.h"

using namespace IEC_Client;

namespace {

String Read_Text(const String& Path)
{
    return ReadFileBytes(Path);
}

// A DA_Item with every attribute; Extra replaces or (with an empty value name) drops some.
String DA_Item(const String& bType, const String& Reference, const String& Extra = "")
{
    return "<DA_Item Index=\"0\" bType=\"" + bType + "\" fc=\"ST\" Reference=\"" + Reference + "\" " + Extra +
           " IPAddress=\"10.0.0.1\" Port=\"102\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Position=\"1\" "
           "StartBit=\"\" ReadWrite=\"Read\" Convertion=\"None\" MoltFact=\"None\" Mnemonic=\"m\"/>";
}

String DataSet_Item(const String& Index, const String& Reference, const String& Members)
{
    return "<DataSet_Item Index=\"" + Index + "\" Reference=\"" + Reference +
           "\" GooseName=\"GSE1\" EnGoose=\"Y\" IPAddress=\"\" Port=\"\" Time=\"\" Mnemonic=\"\"><DataSet_List_DAs>" +
           Members + "</DataSet_List_DAs></DataSet_Item>";
}

String Member(const String& bType, const String& Reference, const String& Position)
{
    return "<DataSet_DA_Item bType=\"" + bType + "\" Reference=\"" + Reference + "\" Position=\"" + Position +
           "\" StartBit=\"1\" Convertion=\"None\" MoltFact=\"2\" Mnemonic=\"p" + Position + "\"/>";
}

String Client_File(const String& Files, const String& DAs, const String& Sets)
{
    return "<IEC_68850_Client><List_ICD_Files>" + Files + "</List_ICD_Files><List_DA_Selected>" + DAs +
           "</List_DA_Selected><List_DataSet_Selected>" + Sets + "</List_DataSet_Selected></IEC_68850_Client>";
}

String ICD_File(const String& Name, const String& File)
{
    return "<ICD_File Name=\"" + Name + "\" FileName=\"" + File + "\"/>";
}

}  // namespace

TEST_F(Client_Window, OKWithEmptyTablesWritesTheThreeSectionsAndShowsEmptyRowsAgain)
{
    TInteractionScript Script;
    Open(Script, [&] { UserClick(W->Btn_OK); });
    EXPECT_EQ(W->ModalResult(), mrOk);
    EXPECT_EQ(Read_Text(FileName_IEC_61850_Client),
              "<IEC_68850_Client>\n  <List_ICD_Files/>\n  <List_DA_Selected/>\n  <List_DataSet_Selected/>\n"
              "</IEC_68850_Client>\n<!--SW_VERSION = 1.000-->\n");
    TInteractionScript Again;
    Open(Again, [&] {
        for (TExtColumnGrid* g : {W->ACG_DA, W->ACG_DataSet, W->ACG_DS_Vars}) {
            EXPECT_EQ(g->RowCount(), 2);
            EXPECT_EQ(Cell(g, 1, 1), "");
        }
    });
    EXPECT_EQ(Script.Problems() + Again.Problems(), "");
}

TEST_F(Client_Window, WrittenAndShownAgainTheTablesAndMemberSettingsComeBackTheSame)
{
    const String A = Source("a.icd", Breaker_SCL("EA")), B = Source("b.icd", Breaker_SCL("EB"));
    TInteractionScript Script;
    Open(Script, [&] {
        Add_Device(Script, A);
        Add_Device(Script, B);
        Choose_Device(1);
        Add_Attribute(1, "stVal");
        for (const auto& [c, t] : std::vector<std::pair<int, String>>{
                 {DA_IPAddress, "10.0.0.2"}, {DA_Port, "102"}, {DA_Position, "7"}, {DA_MoltFact, " 1.5"},
                 {DA_OnTimer, "Y"}, {DA_Time, "500"}, {DA_ReadWrite, "Write"}, {DA_Mnemonic, "breaker\r\nposition"}})
            W->ACG_DA->SetCellEx(c, 1, t);
        Add_Data_Set(1, 0);
        bool Can = true;
        W->ACG_DS_Vars->OnSelectCell(W->ACG_DS_Vars, M_Position, 2, Can);
        W->ACG_DS_Vars->SetCellEx(M_Position, 2, "40");
        W->ACG_DS_Vars->OnEditCellDone(W->ACG_DS_Vars, M_Position, 2);
        W->ACG_DataSet->SetCellEx(DS_IPAddress, 1, "10.0.0.9");
        UserClick(W->Btn_OK);
    });
    EXPECT_EQ(W->ModalResult(), mrOk);
    const String First = Read_Text(FileName_IEC_61850_Client);
    EXPECT_NE(First.find("<ICD_File Name=\"EB\" FileName=\"b.icd\"/>"), String::npos) << First;
    EXPECT_NE(First.find("Mnemonic=\"breaker&#13;&#10;position\""), String::npos);
    EXPECT_NE(First.find("<DataSet_DA_Item bType=\"Quality\" Reference=\"EBCTRL/XCBR1.Pos.q\" Position=\"40\""),
              String::npos);

    TInteractionScript Again;
    Open(Again, [&] {
        EXPECT_EQ(W->LB_IEC_Devices->Count(), 2);
        EXPECT_EQ(W->LB_IEC_Devices->ItemIndex(), -1);
        EXPECT_TRUE(Tree_Lines(W).empty());
        EXPECT_EQ(Cell(W->ACG_DA, DA_Index, 1), "1");
        EXPECT_EQ(Cell(W->ACG_DA, DA_Mnemonic, 1), "breaker\r\nposition");
        EXPECT_EQ(Cell(W->ACG_DA, DA_MoltFact, 1), " 1.5");
        EXPECT_TRUE(W->ACG_DA->GetReadOnly(DA_StartByte, 1) == false);   // Dbpos: the user's part
        ASSERT_EQ(W->List_DataSet.size(), 1u);
        EXPECT_EQ(W->List_DataSet[0]->Select_DataSet, Data_Set(1, 0));
        ASSERT_EQ(W->List_DataSet[0]->List_DAs.size(), 3u);
        EXPECT_EQ(W->List_DataSet[0]->List_DAs[1]->Position, "40");
        EXPECT_EQ(Cell(W->ACG_DS_Vars, M_Position, 2), "40");
        UserClick(W->Btn_OK);
    });
    EXPECT_EQ(Read_Text(FileName_IEC_61850_Client), First);
    EXPECT_EQ(Script.Problems() + Again.Problems(), "");
}

TEST_F(Client_Window, SavedBytesOfFixedTypesComeFromTheTypeAndTextTypesKeepTheirsEmpty)
{
    WriteFileAtomic(FileName_IEC_61850_Client,
                    Client_File("", DA_Item("INT32", "X.a", "StartByte=\"5\" NumByte=\"9\"") + DA_Item("VisString255", "X.b"),
                                ""));
    TInteractionScript Script;
    Open(Script, [&] {
        EXPECT_EQ(Cell(W->ACG_DA, DA_StartByte, 1), "0");
        EXPECT_EQ(Cell(W->ACG_DA, DA_NumByte, 1), "4");
        EXPECT_TRUE(W->ACG_DA->GetReadOnly(DA_NumByte, 1));
        EXPECT_EQ(Cell(W->ACG_DA, DA_StartByte, 2), "");
        EXPECT_FALSE(W->ACG_DA->GetReadOnly(DA_StartByte, 2));
        UserClick(W->Btn_OK);
    }, {{mrOk, "Error row 2"}});
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_NE(W->ModalResult(), mrOk);
    ASSERT_GE(Script.Records().size(), 2u);
    EXPECT_EQ(Script.Records()[1].Text, "Error row 2" + Lang_Text(4962));
}

TEST_F(Client_Window, SavedMembersSurviveOnlyWhileTheirPlaceTypeAndReferenceStillMatch)
{
    // The device file lost the second member of DS1 (q) since the file was saved; the
    // ICD_File's Name was changed by hand, which loading does not read.
    std::filesystem::create_directories(PathJoin(Dir, "ICD_Catalog"));
    String Changed = Breaker_SCL();
    const String Q = "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"q\"/>";
    Changed.erase(Changed.find(Q), Q.size());
    WriteFileAtomic(In_Catalog("bay.icd"), Changed);
    WriteFileAtomic(FileName_IEC_61850_Client,
                    Client_File(ICD_File("Renamed", "bay.icd"), "",
                                DataSet_Item("0", "E1CTRL/LLN0.DS1",
                                             Member("Dbpos", "E1CTRL/XCBR1.Pos.stVal", "1") +
                                                 Member("Quality", "E1CTRL/XCBR1.Pos.q", "2") +
                                                 Member("Timestamp", "E1CTRL/XCBR1.Pos.t", "3")) +
                                    DataSet_Item("0", "E1CTRL/LLN0.NoSuch", Member("Dbpos", "E1CTRL/XCBR1.Pos.stVal", "9"))));
    TInteractionScript Script;
    Open(Script, [&] {
        EXPECT_EQ(W->LB_IEC_Devices->Items()->Strings(0), "E1");
        ASSERT_EQ(W->List_DataSet.size(), 2u);
        const TDataSet& DS1 = *W->List_DataSet[0];
        ASSERT_EQ(DS1.List_DAs.size(), 1u);
        EXPECT_EQ(DS1.List_DAs[0]->Position, "1");
        EXPECT_EQ(DS1.List_DAs[0]->multFactor, "2");
        EXPECT_EQ(DS1.List_DAs[0]->Mnemonic, "p1");
        // A reference the device no longer has: the row keeps its texts, without members.
        EXPECT_EQ(W->List_DataSet[1]->Select_DataSet, nullptr);
        EXPECT_TRUE(W->List_DataSet[1]->List_DAs.empty());
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_Reference, 2), "E1CTRL/LLN0.NoSuch");
        // The member table shows the current row's record.
        EXPECT_EQ(W->ACG_DS_Vars->RowCount(), 2);
        EXPECT_EQ(Cell(W->ACG_DS_Vars, M_Reference, 1), "E1CTRL/XCBR1.Pos.stVal");
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(Client_Window, ACatalogueFileThatVanishedKeepsItsPlaceSoSavedIndexesStayRight)
{
    std::filesystem::create_directories(PathJoin(Dir, "ICD_Catalog"));
    WriteFileAtomic(In_Catalog("b.icd"), Breaker_SCL("EB"));
    WriteFileAtomic(FileName_IEC_61850_Client,
                    Client_File(ICD_File("EA", "a.icd") + ICD_File("EB", "b.icd"),
                                "<DA_Item Index=\"1\" bType=\"Dbpos\" fc=\"ST\" Reference=\"EBCTRL/XCBR1.Pos.stVal\" "
                                "IPAddress=\"10.0.0.1\" Port=\"1\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"N\" Time=\"\" "
                                "Position=\"0\" StartBit=\"\" ReadWrite=\"\" Convertion=\"\" MoltFact=\"None\" "
                                "Mnemonic=\"\"/>",
                                DataSet_Item("1", "EBCTRL/LLN0.DS1", Member("Dbpos", "EBCTRL/XCBR1.Pos.stVal", "4"))));
    TInteractionScript Script;
    Open(Script, [&] {
        ASSERT_EQ(W->List_IEC_Dev.size(), 2u);
        EXPECT_EQ(W->LB_IEC_Devices->Items()->Strings(0), "EA");
        EXPECT_TRUE(Device(0).List_LDevice.empty());
        EXPECT_EQ(W->LB_IEC_Devices->Items()->Strings(1), "EB");
        ASSERT_EQ(W->List_DataSet.size(), 1u);
        EXPECT_EQ(W->List_DataSet[0]->Select_DataSet, Data_Set(1, 0));
        ASSERT_EQ(W->List_DataSet[0]->List_DAs.size(), 1u);
        EXPECT_EQ(W->List_DataSet[0]->List_DAs[0]->Position, "4");
        EXPECT_EQ(Cell(W->ACG_DA, DA_Index, 1), "1");
        UserClick(W->Btn_OK);
    }, {{mrOk, "a.icd"}});
    EXPECT_EQ(Script.Problems(), "");
    // The missing file stays in the list, under its name, for when it comes back.
    EXPECT_NE(Read_Text(FileName_IEC_61850_Client).find("<ICD_File Name=\"EA\" FileName=\"a.icd\"/>"), String::npos);
}

TEST_F(Client_Window, AFileThatCannotBeReadWholeStopsWithItsErrorAndKeepsWhatWasFilled)
{
    std::filesystem::create_directories(PathJoin(Dir, "ICD_Catalog"));
    WriteFileAtomic(In_Catalog("bad.icd"), "<SCL>");
    WriteFileAtomic(In_Catalog("bay.icd"), Breaker_SCL());
    const struct {
        const char* What;
        String File;
        int DA_Rows;   // rows filled before the error
    } cases[] = {
        {"another root", "<Other/>", 0},
        {"no device list", "<IEC_68850_Client><List_DA_Selected/></IEC_68850_Client>", 0},
        {"a file without FileName", Client_File("<ICD_File Name=\"x\"/>", "", ""), 0},
        {"a broken catalogue file", Client_File(ICD_File("", "bad.icd"), "", ""), 0},
        {"no variable list", "<IEC_68850_Client><List_ICD_Files/></IEC_68850_Client>", 0},
        {"a variable without Reference",
         Client_File("", DA_Item("INT32", "X.a") + "<DA_Item Index=\"0\" bType=\"INT8\"/>", ""), 1},
        {"a data set whose Index is no number",
         Client_File(ICD_File("", "bay.icd"), DA_Item("INT32", "X.a"), DataSet_Item("x", "E1CTRL/LLN0.DS1", "")), 1},
    };
    for (const auto& c : cases) {
        WriteFileAtomic(FileName_IEC_61850_Client, c.File);
        TInteractionScript Script;
        Open(Script, [&] {
            EXPECT_EQ(Cell(W->ACG_DA, DA_Reference, 1), c.DA_Rows ? "X.a" : "") << c.What;
        }, {{mrOk, ""}});
        EXPECT_EQ(Script.Problems(), "") << c.What;
        EXPECT_EQ(Script.Count(ikMessageBox), 1) << c.What;
    }
    // No file at all: empty tables, nothing said.
    std::filesystem::remove(FileName_IEC_61850_Client);
    TInteractionScript Script;
    Open(Script, [&] { EXPECT_TRUE(W->List_IEC_Dev.empty()); });
    EXPECT_EQ(Script.Count(ikMessageBox), 0);
}
