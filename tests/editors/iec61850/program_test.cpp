// The three IEC 61850 windows in the program: at their places in the window order,
// relabelled by a language change, reached by the main window's hidden buttons only with
// a configuration open, the client editor's catalogue inside that configuration.
#include "editors/network/iec61850/UIEC61850_Variables.h"
#include "editors/network/iec61850/UIEC_61850_Access.h"
#include "editors/network/iec61850/UTLS_Server_Known_Cert.h"
#include "shell/ULanguage.h"
#include "tests/common/program_fixture.h"
#include "tests/editors/iec61850/scl_fixture.h"

namespace {

class IEC61850_In_Program : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start_Program({Plug_IEC_61850_Access_Window, Plug_TLS_Server_Known_Cert_Window, Plug_IEC61850_Variables_Window});
    }
};

TEST_F(IEC61850_In_Program, TheWindowsStandAtTheirPlacesFollowTheLanguageAndOpenWithAConfiguration)
{
    const struct {
        const char* Class;
        TForm* Window;
        TLbButton* Button;
        int Caption;
    } windows[] = {
        {"TFIEC_61850_Access", FIEC_61850_Access, FDuvazaradFirmWare->Btn_IEC61850_Client, 4900},
        {"TFTLS_Server_Known_Cert", FTLS_Server_Known_Cert, FDuvazaradFirmWare->Btn_TLS_List_Certificates, 5100},
        {"TFIEC61850_Variables", FIEC61850_Variables, FDuvazaradFirmWare->Btn_IEC61850_Access, 5000},
    };
    for (const auto& w : windows) {
        ASSERT_NE(w.Window, nullptr) << w.Class;
        EXPECT_EQ(Find_Window(w.Class), w.Window);
        Lang_Strings.SetStrings(w.Caption, String("Neu ") + w.Class);
    }
    Set_Lang_Of_Windows();
    for (const auto& w : windows) EXPECT_EQ(w.Window->Caption(), String("Neu ") + w.Class);

    TInteractionScript Script;
    for (const auto& w : windows) {
        Script.Answer(mrOk, Lang_Strings[18]);
        FDuvazaradFirmWare->Btn_Click(w.Button);
    }
    EXPECT_EQ(Script.Count(ikModalForm), 0);
    New_Configuration(Script, "Substation");
    for (const auto& w : windows) {
        Script.FormResult(mrCancel, w.Class);
        FDuvazaradFirmWare->Btn_Click(w.Button);
        ASSERT_NE(Script.Last(), nullptr);
        EXPECT_EQ(Script.Last()->FormClass, w.Class);
    }
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_EQ(FileName_IEC_61850_Client, PathJoin(Project_Path, "IEC_61850_Client.xml"));
    EXPECT_EQ(FIEC_61850_Access->Catalog_Path(), PathJoin(Project_Path, "ICD_Catalog") + "/");
}

}  // namespace
