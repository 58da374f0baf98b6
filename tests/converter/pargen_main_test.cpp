// The parameter window in the program: created sixth at the start, opened by the main
// window's step 2 on the open configuration, relabelled by a language change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "converter/UParGen.h"
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

namespace {

class ParGenInProgram : public ProgramFixture {
protected:
    void SetUp() override { Start_Program({Plug_ParGen_Window}); }
};

}  // namespace

TEST_F(ParGenInProgram, StepTwoSavesParGenIntoTheOpenConfiguration)
{
    EXPECT_EQ(Window_Index("TFParGen"), 5);
    ASSERT_NE(FParGen, nullptr);
    EXPECT_EQ(Find_Window("TFParGen"), FParGen);
    EXPECT_EQ(FParGen->L_SW_Code->Caption(), SW_Code) << "the main window set the code before";

    TInteractionScript script;
    // Without a configuration the step only says so.
    script.Answer(mrOk, Lang_Strings[18]);
    UserClick(FDuvazaradFirmWare->Btn_Prm_Gen);
    EXPECT_EQ(script.Count(ikModalForm), 0);

    script.OnForm(
        [](TForm*) {
            FNew_Project->E_New_Proj->SetText("Plant 1");
            UserClick(FNew_Project->Btn_OK);
            return mrNone;
        },
        "TFNew_Project");
    UserClick(FDuvazaradFirmWare->Btn_New);
    ASSERT_FALSE(Project_Path.empty());
    ASSERT_EQ(FileName_ParGen, PathJoin(Project_Path, "ParGen.xml"));

    script.OnForm(
        [](TForm*) {
            EXPECT_EQ(FParGen->E_KNX_IDDevice->Text(), "1.1.200");
            FParGen->E_EthConn_Device_Name->SetText("Hall 3");
            FParGen->E_KNX_IDDevice->SetText("1.1.7");
            UserClick(FParGen->Btn_OK);
            return mrNone;
        },
        "TFParGen");
    UserClick(FDuvazaradFirmWare->Btn_Prm_Gen);
    EXPECT_EQ(script.Last()->Result, mrOk);
    EXPECT_EQ(script.Problems(), "");

    TXMLDocument doc;
    doc.LoadFromFile(PathJoin(Project_Path, "ParGen.xml"));
    EXPECT_EQ(doc.DocumentElement().NodeName(), "Par_Gen");
    EXPECT_EQ(doc.DocumentElement().ChildNode("Eth_Conn_Device_Name").Text(), "Hall 3");
    EXPECT_EQ(doc.DocumentElement().ChildNode("KNX_ID_DEV").Text(), "1.1.7");

    // The next press shows what was saved.
    script.OnForm(
        [](TForm*) {
            EXPECT_EQ(FParGen->E_EthConn_Device_Name->Text(), "Hall 3");
            return mrCancel;
        },
        "TFParGen");
    UserClick(FDuvazaradFirmWare->Btn_Prm_Gen);
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(ParGenInProgram, ALanguageChangeReachesTheWindowButNotItsPanelCaptions)
{
    const String caption = FParGen->CP_KNX->Caption();
    Lang_Strings.SetStrings(880, "Geraeteadresse");
    Lang_Strings.SetStrings(877, "KNX-Bus");
    Set_Lang_Of_Windows();
    EXPECT_EQ(FParGen->L_KNX_IDDevice->Caption(), "Geraeteadresse");
    EXPECT_EQ(FParGen->CP_KNX->Caption(), caption);
    Load_Default_Texts();
}
