// The two editors in the program: created at their places, reached by steps 3 and 4 of
// the main window, relabelled by a language change, and feeding step 5's images.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "converter/UBoot.h"
#include "converter/UParGen.h"
#include "editors/fieldbus/UKNXAccess.h"
#include "editors/fieldbus/ULoRa_Set_Access.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "tests/common/UserInput.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "tests/common/program_fixture.h"
#include "tests/editors/fieldbus/window_fixture.h"

namespace {

class EditorsInProgram : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start_Program({Plug_ParGen_Window, Plug_Boot_Window, Plug_LoRa_Set_Access_Window, Plug_KNX_Access_Window});
    }
};

TEST_F(EditorsInProgram, TheWindowsStandAtTheirPlacesAndFollowTheLanguage)
{
    EXPECT_EQ(Window_Index("TFLoRa_Set_Access"), 7);
    EXPECT_EQ(Window_Index("TFKNXAccess"), 32);
    ASSERT_NE(FLoRa_Set_Access, nullptr);
    ASSERT_NE(FKNXAccess, nullptr);
    EXPECT_EQ(Find_Window("TFKNXAccess"), FKNXAccess);
    EXPECT_EQ(FKNXAccess->L_SW_Code->Caption(), SW_Code);

    Lang_Strings.SetStrings(4500, "KNX-Zugriff");
    Lang_Strings.SetStrings(4529, "Laenge");
    Lang_Strings.SetStrings(1214, "Aufwaerts");
    Set_Lang_Of_Windows();
    EXPECT_EQ(FKNXAccess->Caption(), "KNX-Zugriff");
    EXPECT_EQ(FKNXAccess->ACG_KNX_in_Write->Columns()->Items(KNX::Col_Length)->Header(), "Laenge");
    EXPECT_EQ(FLoRa_Set_Access->TS_LoRa_Uplink->Caption(), "Aufwaerts");
    Load_Default_Texts();

    // Without a configuration the steps only say so.
    TInteractionScript script;
    script.Answer(mrOk, Lang_Strings[18]);
    UserClick(FDuvazaradFirmWare->Btn_KNX_Access);
    script.Answer(mrOk, Lang_Strings[18]);
    UserClick(FDuvazaradFirmWare->Btn_LoRaWAN_Access);
    EXPECT_EQ(script.Count(ikModalForm), 0);
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(EditorsInProgram, KNXRulesFromStepFourReachBankTwo)
{
    using namespace KNX;
    TInteractionScript script;
    New_Configuration(script, "Plant 7");
    ASSERT_EQ(FileName_KNX_SetAccess, PathJoin(Project_Path, "KNX_SetAccess.xml"));

    // Step 4: three rules, OK.
    script.OnForm(
        [](TForm*) {
            TExtColumnGrid* G = FKNXAccess->ACG_KNX_in_Write;
            Type_KNX_Rule(G, 1, "1.1.20", "1/2/3", "Hall");
            Type_KNX_Rule(G, 2, "2.3.4", "5/6/7", "Stairs");
            Type_KNX_Rule(G, 3, "4660", "31/2047", "Roof");
            G->SetCellEx(Col_Bit_Mode, 3, "5");
            UserClick(FKNXAccess->Btn_OK);
            return mrNone;
        },
        "TFKNXAccess");
    UserClick(FDuvazaradFirmWare->Btn_KNX_Access);
    EXPECT_EQ(script.Last()->Result, mrOk);
    ASSERT_TRUE(FileExists(FileName_KNX_SetAccess));

    // Reopened, the rules are there.
    script.OnForm(
        [](TForm*) {
            TExtColumnGrid* G = FKNXAccess->ACG_KNX_in_Write;
            EXPECT_EQ(G->GetCellEx(Col_Mnemonic, 1), "Hall");
            EXPECT_EQ(G->GetCellEx(Col_Source_Address, 2), "2.3.4");
            EXPECT_EQ(G->GetCellEx(Col_Bit_Mode, 3), "5");
            EXPECT_EQ(G->GetCellEx(Col_Source_Address, 4), "");
            return mrCancel;
        },
        "TFKNXAccess");
    UserClick(FDuvazaradFirmWare->Btn_KNX_Access);
    EXPECT_EQ(script.Problems(), "");

    // Step 5 builds the images and opens the update dialog, which is closed.
    script.FormResult(mrCancel, "TFBoot");
    UserClick(FDuvazaradFirmWare->Btn_CreateBin);
    EXPECT_EQ(script.Problems(), "");
    const String bank2 = ReadFileBytes(PathJoin(Project_Path, "bin/bank2.bin"));
    ASSERT_EQ(bank2.size(), 32768u);
    auto u16 = [&](size_t at) { return unsigned(uint8_t(bank2[at])) | unsigned(uint8_t(bank2[at + 1])) << 8; };
    const struct {
        unsigned source, destination, position;
    } entries[] = {{0x1114, 0x0A03, 2}, {0x2304, 5 * 2048 + 6 * 256 + 7, 4}, {0x1234, 0xFFFF, 6 * 8 + 5}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(u16(i * 24 + 14), entries[i].source) << i;
        EXPECT_EQ(u16(i * 24 + 16), entries[i].destination) << i;
        EXPECT_EQ(u16(i * 24 + 18), entries[i].position) << i;
    }
    EXPECT_EQ(u16(3 * 24 + 14), 0u);
    const String bank1 = ReadFileBytes(PathJoin(Project_Path, "bin/bank1.bin"));
    EXPECT_EQ(uint8_t(bank1.at(456)), 3) << "three entries used";
}

TEST_F(EditorsInProgram, StepThreeSavesTheLoRaWANRules)
{
    using namespace LoRa;
    TInteractionScript script;
    New_Configuration(script, "Plant 7");
    script.OnForm(
        [](TForm*) {
            UserClick(FParGen->Btn_OK);
            return mrNone;
        },
        "TFParGen");
    UserClick(FDuvazaradFirmWare->Btn_Prm_Gen);
    script.OnForm(
        [](TForm*) {
            TExtColumnGrid* Up = FLoRa_Set_Access->ACG_LoRa_Uplink;
            Up->SetCellEx(Up_StartByte, 1, "0");
            Up->SetCellEx(Up_NumByte, 1, "4");
            UserClick(FLoRa_Set_Access->Btn_OK);
            return mrNone;
        },
        "TFLoRa_Set_Access");
    UserClick(FDuvazaradFirmWare->Btn_LoRaWAN_Access);
    EXPECT_EQ(script.Last()->Result, mrOk);
    EXPECT_EQ(script.Problems(), "");
    TXMLDocument doc;
    doc.LoadFromFile(FileName_LoRaWAN_SetAccess);
    EXPECT_EQ(doc.DocumentElement().ChildNode("LoRaWAN_Uplink").Child(0).Attribute("NumByte"), "4");
    EXPECT_EQ(doc.DocumentElement().ChildNode("LoRaWAN_Downlink").ChildCount(), 0);
}

}  // namespace
