// The MQTT, S7 and SNMP windows in the program: created at their places in the window
// order, reached by the main window's hidden buttons only with a configuration open,
// relabelled by a language change; the MQTT editor finds the program's template dialog.
#include <gtest/gtest.h>

#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/US7_Protocol_Set_Access.h"
#include "editors/network/USNMPManagerAccess.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "editors/network/UTopicTemplate.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Files.h"
#include "shell/ULanguage.h"
#include "tests/common/program_fixture.h"

namespace {

class NetworkInProgram : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start_Program({Plug_MQTT_Set_Topic_Window, Plug_Topic_Template_Window, Plug_S7_Protocol_Set_Access_Window,
                       Plug_SNMP_Manager_Access_Window, Plug_SNMP_Trap_Access_Window});
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
    TLbButton* button;
    int caption;
    String* file;
    const char* file_name;
};

std::vector<TWindowCase> Windows()
{
    TFDuvazaradFirmWare* M = FDuvazaradFirmWare;
    return {{"TFMQTT_Set_Topic", FMQTT_Set_Topic, M->Btn_MQTT_Set_Topic, 5200, &FileName_MQTT_Set_Topic,
             "MQTT_Set_Topic.xml"},
            {"TFTopicTemplate", FTopicTemplate, nullptr, 5300, nullptr, ""},
            {"TFS7_Protocol_Set_Access", FS7_Protocol_Set_Access, M->Btn_S7_Protocol_Access, 5900,
             &FileName_S7_Protocol, "S7_Protocol.xml"},
            {"TFSNMPManagerAccess", FSNMPManagerAccess, M->Btn_SNMP_Manager_Access, 6100, &FileName_SNMP_Manager,
             "SNMP_Manager.xml"},
            {"TFSNMP_Trap_Access", FSNMP_Trap_Access, M->Btn_SNMP_Trap, 6200, &FileName_SNMP_Trap, "SNMP_Trap.xml"}};
}

TEST_F(NetworkInProgram, TheWindowsStandAtTheirPlacesAndFollowTheLanguage)
{
    int Last = -1;
    for (const TWindowCase& w : Windows()) {
        ASSERT_NE(w.window, nullptr) << w.class_name;
        EXPECT_EQ(Find_Window(w.class_name), w.window);
        EXPECT_GT(Window_Index(w.class_name), Last) << w.class_name;
        Last = Window_Index(w.class_name);
        Lang_Strings.SetStrings(w.caption, String("Neu ") + w.class_name);
    }
    Lang_Strings.SetStrings(6227, "Beschreibung");
    Set_Lang_Of_Windows();
    for (const TWindowCase& w : Windows()) EXPECT_EQ(w.window->Caption(), String("Neu ") + w.class_name);
    EXPECT_EQ(FSNMP_Trap_Access->ACG_SNMP_Read->Columns()->Items(SNMP_Trap::Rd_Description)->Header(), "Beschreibung");
}

TEST_F(NetworkInProgram, TheHiddenButtonsOpenTheirWindowsOnlyWithAConfiguration)
{
    TInteractionScript script;
    for (const TWindowCase& w : Windows()) {
        if (!w.button) continue;
        EXPECT_FALSE(w.button->Visible()) << w.class_name;
        script.Answer(mrOk, Lang_Strings[18]);
        FDuvazaradFirmWare->Btn_Click(w.button);
    }
    EXPECT_EQ(script.Count(ikModalForm), 0);

    New_Configuration(script, "Plant 6");
    for (const TWindowCase& w : Windows()) {
        if (!w.button) continue;
        EXPECT_EQ(*w.file, PathJoin(Project_Path, w.file_name)) << "each reads and writes its own file";
        script.FormResult(mrCancel, w.class_name);
        FDuvazaradFirmWare->Btn_Click(w.button);
        ASSERT_NE(script.Last(), nullptr);
        EXPECT_EQ(script.Last()->FormClass, w.class_name);
    }
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(NetworkInProgram, TheMQTTEditorEditsItsTemplatesInTheProgramsDialog)
{
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) {
            FMQTT_Set_Topic->ACG_Sub->SetCellEx(MQTT::Sub_Template, 1, "$VALUE$");
            script.OnForm(
                [&](TForm* f) {
                    EXPECT_EQ(f, FTopicTemplate);
                    FTopicTemplate->RE_TopicTemplate->SetText("line 1\r\nline 2");
                    return mrOk;
                },
                "TFTopicTemplate");
            FMQTT_Set_Topic->Show_Form_Topic(FMQTT_Set_Topic->ACG_Sub, 1, MQTT::Sub_Template);
            EXPECT_EQ(FMQTT_Set_Topic->ACG_Sub->GetCellEx(MQTT::Sub_Template, 1), "line 1\r\nline 2");
            return mrCancel;
        },
        "TFMQTT_Set_Topic");
    FMQTT_Set_Topic->ShowModal();
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
