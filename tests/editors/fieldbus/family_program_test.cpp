// The DMX, DeviceNet, Modbus and EtherNet/IP windows in the program: created at their
// places in the window order, reached by the main window's hidden buttons only with a
// configuration open, relabelled by a language change.
#include <gtest/gtest.h>

#include "converter/UBoot.h"
#include "converter/UParGen.h"
#include "editors/fieldbus/UDMXDefVal.h"
#include "editors/fieldbus/UDNet.h"
#include "editors/fieldbus/UDefOffset.h"
#include "editors/fieldbus/UEtherNetIP_Master_Access.h"
#include "editors/fieldbus/UKNXAccess.h"
#include "editors/fieldbus/ULoRa_Set_Access.h"
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "editors/fieldbus/USetAccess.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Files.h"
#include "shell/ULanguage.h"
#include "tests/common/program_fixture.h"

namespace {

class FamilyInProgram : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start_Program({Plug_ParGen_Window, Plug_Boot_Window, Plug_LoRa_Set_Access_Window, Plug_KNX_Access_Window,
                       Plug_Set_Access_Window, Plug_Modbus_TCP_Master_Set_Access_Window, Plug_Def_Offset_Window,
                       Plug_DNet_Window, Plug_DMX_Def_Val_Window, Plug_EtherNetIP_Master_Access_Window});
    }
    void TearDown() override
    {
        Load_Default_Texts();
        ProgramFixture::TearDown();
    }
};

struct TWindowCase {
    const char* class_name;
    TForm* window;
    TLbButton* button;   // nullptr: no button opens it
    int caption;         // its caption's text
};

std::vector<TWindowCase> Windows()
{
    TFDuvazaradFirmWare* M = FDuvazaradFirmWare;
    return {{"TFSetAccess", FSetAccess, nullptr, 3000},
            {"TFModbus_TCP_Master_Set_Access", FModbus_TCP_Master_Set_Access, M->Btn_Modbus_Set_Access, 3100},
            {"TFDefOffset", FDefOffset, M->Btn_DNet_Offset, 3900},
            {"TFDNet", FDNet, M->Btn_DNet_Net, 3800},
            {"TFDMXDefVal", FDMXDefVal, M->Btn_DMX_Default, 4000},
            {"TFEtherNetIP_Master_Access", FEtherNetIP_Master_Access, M->Btn_EtherNetIP_Access, 4100}};
}

TEST_F(FamilyInProgram, TheWindowsStandAtTheirPlacesAndFollowTheLanguage)
{
    const struct {
        const char* class_name;
        int index;
    } places[] = {{"TFSetAccess", 18}, {"TFModbus_TCP_Master_Set_Access", 19}, {"TFDefOffset", 25},
                  {"TFDNet", 26},      {"TFDMXDefVal", 27},                    {"TFEtherNetIP_Master_Access", 29}};
    for (const auto& p : places) EXPECT_EQ(Window_Index(p.class_name), p.index) << p.class_name;
    for (const TWindowCase& w : Windows()) {
        ASSERT_NE(w.window, nullptr) << w.class_name;
        EXPECT_EQ(Find_Window(w.class_name), w.window);
        Lang_Strings.SetStrings(w.caption, String("Neu ") + w.class_name);
    }
    Lang_Strings.SetStrings(3917, "Beschreibung");
    Set_Lang_Of_Windows();
    for (const TWindowCase& w : Windows()) EXPECT_EQ(w.window->Caption(), String("Neu ") + w.class_name);
    EXPECT_EQ(FDefOffset->ACG_ByteIN->Columns()->Items(2)->Header(), "Beschreibung");
}

TEST_F(FamilyInProgram, TheHiddenButtonsOpenTheirWindowsOnlyWithAConfiguration)
{
    TInteractionScript script;
    for (const TWindowCase& w : Windows()) {
        if (!w.button) continue;
        EXPECT_FALSE(w.button->Visible()) << w.class_name;
        script.Answer(mrOk, Lang_Strings[18]);
        FDuvazaradFirmWare->Btn_Click(w.button);
    }
    EXPECT_EQ(script.Count(ikModalForm), 0);

    New_Configuration(script, "Plant 3");
    for (const TWindowCase& w : Windows()) {
        if (!w.button) continue;
        script.FormResult(mrCancel, w.class_name);
        FDuvazaradFirmWare->Btn_Click(w.button);
        ASSERT_NE(script.Last(), nullptr);
        EXPECT_EQ(script.Last()->FormClass, w.class_name);
    }
    EXPECT_EQ(script.Problems(), "");
    // Each reads and writes its own file of the configuration.
    EXPECT_EQ(FileName_DNETM_DefOff, PathJoin(Project_Path, "DNETM_DefOff.xml"));
    EXPECT_EQ(FileName_EtherNetIP_Master_Rules, PathJoin(Project_Path, "EtherNetIP_Master_Rules.xml"));
}

}  // namespace
