// The EtherNet/IP connection picker as the scanner editor's user meets it: choosing an
// EDS file, seeing its connections, picking one, and the file without any.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "devdesc/eds/UEtherNetIP_EDS.h"
#include "editors/fieldbus/UEtherNetIP_Master_Access.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"

namespace {

class EDSPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Load_Default_Texts_2();
        Load_Default_Texts_3();
        Load_Default_Texts_4();
        SW_Code = "RO41R08";
        Dir = Test_Folder("edspicker");
        FileName_ParGen = PathJoin(Dir, "ParGen.xml");
        FileName_EtherNetIP_Master_Rules = PathJoin(Dir, "EtherNetIP_Master_Rules.xml");
        Plug_EtherNetIP_EDS_Picker();
        FEtherNEtIP_EDS = new TFEtherNEtIP_EDS(nullptr);
        FEtherNEtIP_EDS->AfterConstruction();
        Scanner = new TFEtherNetIP_Master_Access(nullptr);
        Scanner->AfterConstruction();
    }
    void TearDown() override
    {
        Scanner->Free();
        FEtherNEtIP_EDS->Free();
        FEtherNEtIP_EDS = nullptr;
        Pick_EDS_Connection = nullptr;
        FileName_ParGen.clear();
        FileName_EtherNetIP_Master_Rules.clear();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    static String Data(const char* Name) { return PathJoin(DEVDESC_DATA_DIR, Name); }
    // Clicks the picker's row like the user does.
    static void Click_Row(int Row)
    {
        TExtColumnGrid* G = FEtherNEtIP_EDS->ACG;
        const TRect R = G->CellRect(1, Row);
        UserClick(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    String Dir;
    TFEtherNetIP_Master_Access* Scanner = nullptr;
};

}  // namespace

TEST_F(EDSPicker, PicksAConnectionIntoTheScanner)
{
    using namespace EtherNetIP;
    TInteractionScript Script;
    TExtColumnGrid* G = FEtherNEtIP_EDS->ACG;
    Script.OnForm([&](TForm*) {
        Script.ChooseFile(Data("adapter.eds"));
        Script.OnForm([&](TForm* Picker) {
            // Three of the four entries are usable; the broken one is left out.
            EXPECT_EQ(G->RowCount(), 4);
            EXPECT_EQ(G->GetCellEx(0, 1), "Connection1");
            EXPECT_EQ(G->GetCellEx(1, 1), "\"Exclusive Owner\"");
            EXPECT_EQ(G->GetCellEx(7, 1), "Default");
            EXPECT_EQ(G->GetCellEx(1, 2), "\"Input Only\"");
            EXPECT_EQ(G->GetCellEx(7, 2), "1");
            EXPECT_EQ(G->GetCellEx(8, 2), "3");
            EXPECT_EQ(G->GetCellEx(3, 3), "300");   // a 16-bit instance, whole
            EXPECT_EQ(G->Row(), 1);
            Click_Row(2);
            EXPECT_EQ(G->Row(), 2);
            TBitmap Png;
            EXPECT_TRUE(SNAPSHOT(Picker, "eds_picker.png", Png));
            UserClick(FEtherNEtIP_EDS->Btn_OK);
            return mrNone;
        }, "TFEtherNEtIP_EDS");
        UserClick(Scanner->Btn_Import_EDS);
        TExtColumnGrid* S = Scanner->ACG;
        EXPECT_EQ(S->GetCellEx(Col_Instance_O_T, 1), "1");
        EXPECT_EQ(S->GetCellEx(Col_Connection_Point_O_T, 1), "150");
        EXPECT_EQ(S->GetCellEx(Col_Instance_T_O, 1), "2");
        EXPECT_EQ(S->GetCellEx(Col_Connection_Point_T_O, 1), "100");
        EXPECT_EQ(S->GetCellEx(Col_Dim_Header_O_T, 1), "1");
        EXPECT_EQ(S->GetCellEx(Col_Dim_Header_T_O, 1), "3");
        // Cancel in the picker copies nothing.
        Script.ChooseFile(Data("adapter.eds"));
        Script.FormResult(mrCancel, "TFEtherNEtIP_EDS");
        UserClick(Scanner->Btn_Import_EDS);
        EXPECT_EQ(S->GetCellEx(Col_Instance_T_O, 2), "");
        return mrCancel;
    }, "TFEtherNetIP_Master_Access");
    Scanner->ShowModal();
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(EDSPicker, NoUsableConnectionTellsAndCloses)
{
    const String Files[] = {PathJoin(Dir, "none.eds"), PathJoin(Dir, "missing.eds")};
    {
        std::ofstream(Files[0], std::ios::binary) << "\xEF\xBB\xBF[Connection Manager]\rConnection1 = 0,0,\"20\";\r";
    }
    for (const String& File : Files) {
        TInteractionScript Script;
        Script.OnForm([&](TForm* Picker) {
            // The picker closes itself shortly after it showed, after the message.
            while (Picker->ModalResult() == mrNone) Application->HandleMessage();
            return mrNone;
        }, "TFEtherNEtIP_EDS");
        Script.Answer(mrOk, Lang_Text(4215));
        EXPECT_FALSE(Pick_EDS_Connection(File).has_value()) << File;
        EXPECT_EQ(Script.Problems(), "") << File;
        EXPECT_EQ(FEtherNEtIP_EDS->ACG->RowCount(), 2);
    }
}
