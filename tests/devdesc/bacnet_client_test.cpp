// The BACnet client editor and the EDE import dialog: the server's objects written as an
// EDE file and imported back as requests, the dialog's choices and checks, and the
// editor's own checks, hint and file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "devdesc/UDevDescFile.h"
#include "devdesc/bacnet/UBACnetAccess.h"
#include "devdesc/bacnet/UBACnetRequestChecks.h"
#include "devdesc/ede/UBACnet_EDE_File.h"
#include "devdesc/ede/UImportEDEFile.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"
#include "tests/common/memory_rows.h"

namespace {

class BACnetClient_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Load_Default_Texts_2();
        Load_Default_Texts_3();
        Load_Default_Texts_4();
        SW_Code = "RO41R08";
        Dir = Test_Folder("bacnetcli");
        Project_Name = "Plant1";
        Project_Path = Dir;
        FileName_ParGen = PathJoin(Dir, "ParGen.xml");
        FileName_BACnet_Slave_SetAccess = PathJoin(Dir, "BACnet_Slave_SetAccess.xml");
        FileName_BACnet_Master_Access = PathJoin(Dir, "BACnet_Master_Access.xml");
        const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
        Description_Clock = [t] { return t; };
        FImportEDEFile = new TFImportEDEFile(nullptr);
        FImportEDEFile->AfterConstruction();
        W = new TFBACnetAccess(nullptr);
        W->AfterConstruction();
    }
    void TearDown() override
    {
        W->Free();
        FImportEDEFile->Free();
        FImportEDEFile = nullptr;
        Description_Clock = nullptr;
        EDE_File_Dir.clear();
        for (String* s : {&Project_Name, &Project_Path, &FileName_ParGen, &FileName_BACnet_Slave_SetAccess,
                          &FileName_BACnet_Master_Access})
            s->clear();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    void Put(const String& File, const String& Text) const { std::ofstream(File, std::ios::binary) << Text; }
    static void Click_Cell(TExtColumnGrid* G, int Col, int Row)
    {
        const TRect R = G->CellRect(Col, Row);
        UserClick(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    String Dir;
    TFBACnetAccess* W = nullptr;
};

}  // namespace

// The server's objects go out through the EDE writer and come back through the import
// dialog as the client's requests.
TEST_F(BACnetClient_, ServerObjectsRoundTripThroughEDE)
{
    using namespace BACnetReq;
    Put(FileName_ParGen, "<Par_Gen><BACnet_Master_Type>1</BACnet_Master_Type><BACnet_DEV_IDE>77</BACnet_DEV_IDE>"
                         "</Par_Gen>");
    Put(FileName_BACnet_Slave_SetAccess,
        "<BACnet_to_Modbus><BACnet_in_Read>"
        "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"0\" Length=\"4\" Swap=\"N\" Mnemonic=\"Room\"/>"
        "<row Data_Type=\"Binary Input\" Eng_Unit=\"95\" Position=\"4\" Bit=\"1\" Length=\"1\" Swap=\"N\" Mnemonic=\"Door\"/>"
        "<row Data_Type=\"Access Door\" Eng_Unit=\"95\" Position=\"5\" Bit=\"0\" Length=\"1\" Swap=\"N\" Mnemonic=\"Gate\"/>"
        "</BACnet_in_Read><BACnet_in_Write>"
        "<row Data_Type=\"Large Analog Value\" Eng_Unit=\"95\" Position=\"0\" Bit=\"0\" Length=\"8\" Swap=\"N\" Mnemonic=\"Set\"/>"
        "</BACnet_in_Write></BACnet_to_Modbus>");
    const String EDE = PathJoin(Dir, "server.csv");
    Create_EDE_File(EDE);
    ASSERT_TRUE(FileExists(EDE));

    TInteractionScript Script;
    TExtColumnGrid* R = W->ACG1;
    TExtColumnGrid* Wr = W->ACG2;
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(W->App_BACnet_Type, 1);
        EXPECT_EQ(R->Columns()->Items(2)->Header(), Lang_Text(1310));
        Script.ChooseFile(EDE);
        Script.OnForm([&](TForm* D) {
            TFImportEDEFile* F = FImportEDEFile;
            TExtColumnGrid* G = F->ACG;
            // The access door is no request; the others come in file order, none writable.
            EXPECT_EQ(F->List_EDE_Var.size(), 3u);
            if (F->List_EDE_Var.size() != 3u) return TModalResult(mrCancel);
            EXPECT_EQ(G->GetCellEx(4, 1), "Room");
            EXPECT_EQ(G->GetCellEx(5, 2), "3");
            EXPECT_EQ(G->GetCellEx(3, 1), "N");
            // Write on a read-only object is refused with the row named.
            Script.Answer(mrOk, Lang_Text(1413) + "2" + Lang_Text(1414));
            Click_Cell(G, 3, 2);
            EXPECT_EQ(G->GetCellEx(3, 2), "N");
            EXPECT_FALSE(F->List_EDE_Var[1]->write);
            Click_Cell(G, 1, 2);                  // the door is not imported
            EXPECT_FALSE(F->List_EDE_Var[1]->import);
            TBitmap Png;
            EXPECT_TRUE(SNAPSHOT(D, "ede_import.png", Png));
            for (const char* Bad : {"255", "-1", ""}) {
                F->E_ID_IP->SetText(Bad);
                Script.Answer(mrOk, Lang_Text(1417));
                UserClick(F->Btn_OK);
                EXPECT_EQ(D->ModalResult(), mrNone) << Bad;
            }
            F->E_ID_IP->SetText("");
            UserType(F->E_ID_IP, "254");
            UserClick(F->Btn_OK);
            return TModalResult(mrNone);
        }, "TFImportEDEFile");
        UserClick(W->Btn_Import_CSV);
        EXPECT_EQ(EDE_File_Dir, ExcludeTrailingPathDelimiter(Dir));
        // Room, then Set (the write object is read too); the door stayed out.
        EXPECT_EQ(R->GetCellEx(Read::Address, 1), "254");
        EXPECT_EQ(R->GetCellEx(Read::Object_Type, 1), "Analog Input");
        EXPECT_EQ(R->GetCellEx(Read::Instance, 1), "0");
        EXPECT_EQ(R->GetCellEx(Read::NByte, 1), "4");
        EXPECT_EQ(R->GetCellEx(Read::Position, 1), "0");
        EXPECT_EQ(R->GetCellEx(Read::Object_Type, 2), "Large Analog Value");
        EXPECT_EQ(R->GetCellEx(Read::NByte, 2), "8");
        EXPECT_EQ(R->GetCellEx(Read::Position, 2), "4");
        EXPECT_EQ(R->GetCellEx(Read::Mnemonic, 1).compare(0, 7, "Room - "), 0);
        EXPECT_EQ(R->GetCellEx(Read::Address, 3), "");
        EXPECT_EQ(Wr->GetCellEx(Write::Address, 1), "");
        // The byte-count hint of a Property cell.
        String Hint;
        R->OnGridHint(R, 2, Read::Property, Hint);
        EXPECT_EQ(Hint, "8");
        TBitmap Png;
        EXPECT_TRUE(SNAPSHOT(W, "bacnet_client.png", Png));
        // The imported rows pass; the file is written.
        UserClick(W->Btn_OK);
        return mrNone;
    }, "TFBACnetAccess");
    EXPECT_EQ(W->ShowModal(), mrOk);
    EXPECT_EQ(Script.Problems(), "");
    const String File = ReadFileBytes(FileName_BACnet_Master_Access);
    EXPECT_NE(File.find("Object_Type=\"Large Analog Value\""), String::npos) << File;
    EXPECT_EQ(File.find("Swap"), String::npos);
}

TEST_F(BACnetClient_, ChecksStopAtTheFirstFaultAndFilesThatAreNoListAreNamed)
{
    using namespace BACnetReq;
    TInteractionScript Script;
    TExtColumnGrid* R = W->ACG1;
    const String Short = PathJoin(Dir, "short.csv");
    Put(Short, "\xEF\xBB\xBF# mandatory\r\n");
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(W->App_BACnet_Type, 0);
        // A file too short for an object list is named, and nothing is placed.
        Script.ChooseFile(Short);
        Script.OnForm([&](TForm*) { return mrCancel; }, "TFImportEDEFile");
        Script.Answer(mrOk, Lang_Text(1422) + Short);
        UserClick(W->Btn_Import_CSV);
        EXPECT_EQ(R->GetCellEx(Read::Object_Type, 1), "");
        // A destination of three bytes with none given says so.
        const std::pair<int, const char*> Cells[] = {
            {Read::Enable, "Y"},        {Read::Address, "10.0.0.5"},   {Read::Object_Type, "Analog Value"},
            {Read::Instance, "1"},      {Read::Property, "Present Value (85)"}, {Read::NByte, "4"},
            {Read::En_Dest, "Y"},       {Read::D_Net, "3"},            {Read::D_Len, "M3"},
            {Read::Poll_Time, "1000"},  {Read::Max_Err, "0"}};
        for (const auto& [c, t] : Cells) R->SetCellEx(c, 1, t);
        Script.Answer(mrOk, Lang_Text(1337) + "1" + Lang_Text(1388));
        UserClick(W->Btn_OK);
        R->SetCellEx(Read::D_Add, 1, "1,2,3");
        UserClick(W->Btn_OK);
        return mrNone;
    }, "TFBACnetAccess");
    Script.Answer(mrOk, Lang_Text(1357));     // no ParGen.xml: IP addressing, said as it opens
    EXPECT_EQ(W->ShowModal(), mrOk);
    EXPECT_EQ(Script.Problems(), "");
}

// Placing imported objects: after the last filled row, at the position after the
// highest Position + NByte, with the byte count of each kind; what does not fit stays out.
TEST(BACnetClientImport, PlacesBelowAndAfterTheHighestByte)
{
    using namespace BACnetReq;
    TMemoryRows R(Read::Count, 4), W(Write::Count, 4);
    R.SetCellEx(Read::Address, 1, "10.0.0.1");
    R.SetCellEx(Read::Position, 1, "20");
    R.SetCellEx(Read::NByte, 1, "2");
    std::vector<std::unique_ptr<TBACnet_Var>> Own;
    std::vector<const TBACnet_Var*> Vars;
    for (int Type : {4, 21, 46, 30}) {
        auto V = std::make_unique<TBACnet_Var>();
        V->object_type = Type;
        V->import = V->read = true;
        V->write = Type == 4;
        Vars.push_back(V.get());
        Own.push_back(std::move(V));
    }
    EXPECT_EQ(BACnetClient::Place_EDE_Vars(R, W, 0, "10.0.0.2", Vars), std::make_pair(2, 1));
    EXPECT_EQ(R.GetCellEx(Read::NByte, 2), "1");       // binary output
    EXPECT_EQ(R.GetCellEx(Read::Position, 2), "22");
    EXPECT_EQ(R.GetCellEx(Read::NByte, 3), "2");       // life safety point
    EXPECT_EQ(R.GetCellEx(Read::Position, 3), "23");
    EXPECT_EQ(W.GetCellEx(Write::Data_Type, 1), "Enumerated");
    EXPECT_EQ(W.GetCellEx(Write::Position, 1), "0");
    // A full table takes nothing more.
    EXPECT_EQ(BACnetClient::Place_EDE_Vars(R, W, 0, "10.0.0.2", Vars), std::make_pair(0, 1));
    EXPECT_EQ(W.GetCellEx(Write::Position, 2), "1");
    struct Case {
        int Type;
        const char *Obj, *Data;
        int Bytes;
    } Cases[] = {{46, "Large Analog Value", "Double", 8}, {22, "Life Safety Zone", "Enumerated", 2},
                 {5, "Binary Value", "Enumerated", 1}, {48, "Positive Integer Value", "Unsigned Int", 4},
                 {30, "", "Null", 4}};
    for (const Case& c : Cases) {
        EXPECT_EQ(BACnetClient::Get_ObjType_EDE(c.Type), c.Obj);
        EXPECT_EQ(BACnetClient::Get_DataType_EDE(c.Type), c.Data);
        EXPECT_EQ(BACnetClient::Get_NumByte_EDE(c.Type), c.Bytes);
    }
}

TEST_F(BACnetClient_, ImportDialogSelectionAndUnitPickerChoices)
{
    const String EDE = PathJoin(Dir, "dev.csv");
    Put(EDE, "1\n2\n3\n4\n5\n6\n# mandatory\n# names\na;1;A;0;1;x;;;;Y;\nb;1;B;4;2;y;;;;N;\n");
    FImportEDEFile->EDE_File = EDE;
    FImportEDEFile->App_BACnet_Type = 0;
    TInteractionScript Script;
    Script.OnForm([&](TForm*) {
        TFImportEDEFile* F = FImportEDEFile;
        EXPECT_TRUE(F->List_EDE_Var[0]->write);            // commandable: chosen for writing
        UserClick(F->Btn_Unselect_All);
        F->E_ID_IP->SetText("10.0.0.300");
        Script.Answer(mrOk, Lang_Text(1416));
        UserClick(F->Btn_OK);
        F->E_ID_IP->SetText("10.0.0.30");
        UserClick(F->Btn_OK);
        return TModalResult(mrNone);
    }, "TFImportEDEFile");
    EXPECT_EQ(FImportEDEFile->ShowModal(), mrOk);
    for (const auto& V : FImportEDEFile->List_EDE_Var) EXPECT_FALSE(V->import);
    EXPECT_EQ(Script.Problems(), "");
}

// The file as it was left: rows past the table's end and the hidden columns never come
// back, and with no address column the object type is the row's key.
TEST_F(BACnetClient_, FileRowsPastTheTableAndHiddenColumns)
{
    using namespace BACnetReq;
    Put(FileName_ParGen, "<Par_Gen><BACnet_Master_Type>2</BACnet_Master_Type></Par_Gen>");
    String Rows;
    for (int r = 1; r <= 514; ++r)
        Rows += "<row IP_Address_Slave_ID=\"x\" Object_Type=\"Analog Input\" Instance=\"" + IntToStr(r) +
                "\" Property=\"Present Value (85)\" NumByte=\"4\" PollTime=\"1000\" MaxError=\"0\" Swap=\"Y\"/>";
    Put(FileName_BACnet_Master_Access,
        "<BACnet_Master_Access><BACnet_Read>" + Rows + "</BACnet_Read><BACnet_Write/></BACnet_Master_Access>");
    TInteractionScript Script;
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(W->ACG1->RowCount(), 513);
        EXPECT_EQ(W->ACG1->GetCellEx(Read::Instance, 512), "512");
        EXPECT_EQ(W->ACG1->GetCellEx(Read::Swap, 1), "");
        EXPECT_EQ(W->ACG1->GetCellEx(Read::Enable, 1), "Y");   // missing Enable reads "Y"
        UserClick(W->Btn_OK);
        return TModalResult(mrNone);
    }, "TFBACnetAccess");
    EXPECT_EQ(W->ShowModal(), mrOk);
    EXPECT_EQ(Script.Problems(), "");
    const String File = ReadFileBytes(FileName_BACnet_Master_Access);
    EXPECT_EQ(File.find("Swap"), String::npos);
    EXPECT_EQ(File.find("Instance=\"513\""), String::npos);
    EXPECT_NE(File.find("Instance=\"512\""), String::npos);
    EXPECT_NE(File.find("IP_Address_Slave_ID=\"x\""), String::npos);
}
