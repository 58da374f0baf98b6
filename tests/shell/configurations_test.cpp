// Step 1: creating and opening configurations.
#include "tests/shell/shell_windows_fixture.h"

#include "tests/common/UserInput.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"

namespace {

// Types the name into the new configuration dialog and confirms it; when an error box
// follows, the dialog is cancelled after it.
void Script_New(TInteractionScript& script, const String& name, const String& error, bool byEnter = false)
{
    script.OnForm([=](TForm*) {
        EXPECT_EQ(FNew_Project->E_New_Proj->Text(), "");   // emptied at each showing
        FNew_Project->E_New_Proj->SetText(name);
        if (byEnter)
            UserKey(FNew_Project->E_New_Proj, 13);
        else
            UserClick(FNew_Project->Btn_OK);
        if (!error.empty()) UserClick(FNew_Project->Btn_Cancel);
        return mrNone;
    }, "TFNew_Project");
    if (!error.empty()) script.Answer(mrOk, error);
}

TEST_F(ShellWindows, NewConfiguration)
{
    Start();
    Script_New(Script, "Plant 1", "");
    UserClick(FDuvazaradFirmWare->Btn_New);
    EXPECT_EQ(Script.Last()->Result, mrOk);
    EXPECT_TRUE(DirectoryExists(Path("PROJECTS/Plant 1/bin")));
    EXPECT_EQ(Project_Name, "Plant 1");
    EXPECT_EQ(Project_Path, Path("PROJECTS/Plant 1"));
    EXPECT_EQ(FileName_ParGen, Path("PROJECTS/Plant 1/ParGen.xml"));
    EXPECT_EQ(FileName_KNX_SetAccess, Path("PROJECTS/Plant 1/KNX_SetAccess.xml"));
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf->Caption(), Text(11));
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf_L2->Caption(), "Plant 1");
}

TEST_F(ShellWindows, NewConfigurationRefusals)
{
    Write("PROJECTS/Existing/ParGen.xml", "<Par_Gen/>");
    Start();
    struct Case { const char* name; String typed; int error; bool enter; } const cases[] = {
        {"empty name", "", 107, false},
        {"empty name by Enter", "", 107, true},
        {"existing configuration", "Existing", 106, false},
        {"parent folder", "..", 105, false},
        {"path to a parent", "../Outside", 105, false},
        {"path separator", "a/b", 105, false},
        {"backslash", "a\\b", 105, false},
        {"absolute path", "/tmp/x", 105, false},
        {"current folder", ".", 105, false},
        {"control character", String("tab\there"), 105, false},
        {"leading blank", " Plant", 105, false},
        {"trailing blank", "Plant ", 105, false},
    };
    for (const Case& c : cases) {
        Script_New(Script, c.typed, Text(c.error), c.enter);
        UserClick(FDuvazaradFirmWare->Btn_New);
        EXPECT_EQ(Script.PendingSteps(), 0) << c.name;
        EXPECT_EQ(Script.Last()->Text, Text(c.error)) << c.name;
        EXPECT_EQ(Project_Path, "") << c.name;
    }
    // Nothing was made anywhere, and the existing configuration is as it was.
    EXPECT_FALSE(std::filesystem::exists(Path("Outside")));
    EXPECT_FALSE(std::filesystem::exists(Path("PROJECTS/a")));
    EXPECT_EQ(Read("PROJECTS/Existing/ParGen.xml"), "<Par_Gen/>");
    EXPECT_FALSE(std::filesystem::exists(Path("PROJECTS/Existing/bin")));
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf->Caption(), Text(9));
}

TEST_F(ShellWindows, ConfigurationNames)
{
    for (const char* ok : {"Plant 1", "a.b", "Ünïcode", "x"}) EXPECT_TRUE(Valid_Configuration_Name(ok)) << ok;
    for (const char* bad : {"", ".", "..", "a..b", "a/b", "a\\b", " a", "a ", "a\nb", "a\x7F"})
        EXPECT_FALSE(Valid_Configuration_Name(bad)) << bad;
}

TEST_F(ShellWindows, OpenConfigurationListAndPreselection)
{
    for (const char* d : {"PROJECTS/Beta", "PROJECTS/alpha", "PROJECTS/.hidden", "PROJECTS/Gamma"})
        std::filesystem::create_directories(Path(d));
    Write("PROJECTS/notes.txt", "not a configuration");
    Start();

    // The open configuration in another letter case is the one preselected.
    Project_Path = Path("PROJECTS/GAMMA");
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FOpenConf->ListBox1->Count(), 3);
        if (FOpenConf->ListBox1->Count() != 3) return mrCancel;
        EXPECT_EQ(FOpenConf->ListBox1->Items()->Strings(0), "alpha");
        EXPECT_EQ(FOpenConf->ListBox1->Items()->Strings(1), "Beta");
        EXPECT_EQ(FOpenConf->ListBox1->Items()->Strings(2), "Gamma");
        EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), 2);
        EXPECT_EQ(FOpenConf->Name_Conf, "Gamma");
        FOpenConf->ListBox1->SetItemIndex(1);
        FOpenConf->ListBox1Click(FOpenConf->ListBox1);
        UserClick(FOpenConf->Btn_OK);
        return mrNone;
    }, "TFOpenConf");
    UserClick(FDuvazaradFirmWare->Btn_Open);
    EXPECT_EQ(Project_Name, "Beta");
    EXPECT_EQ(Project_Path, Path("PROJECTS/Beta"));
    EXPECT_EQ(FileName_M_Bus, Path("PROJECTS/Beta/M_Bus.xml"));
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf_L2->Caption(), "Beta");

    // No open configuration: the first entry. Cancel changes nothing.
    Project_Path.clear();
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), 0);
        EXPECT_EQ(FOpenConf->Name_Conf, "alpha");
        return mrCancel;
    }, "TFOpenConf");
    UserClick(FDuvazaradFirmWare->Btn_Open);
    EXPECT_EQ(Project_Path, "");
    EXPECT_EQ(Project_Name, "Beta");
}

TEST_F(ShellWindows, OpenWithAnEmptyListOpensNothing)
{
    std::filesystem::create_directories(Path("PROJECTS/Old"));
    Start();
    Script.FormResult(mrOk, "TFOpenConf");
    UserClick(FDuvazaradFirmWare->Btn_Open);
    ASSERT_EQ(Project_Path, Path("PROJECTS/Old"));

    // The folder is removed outside the program: the name chosen before must not come back.
    std::filesystem::remove_all(Path("PROJECTS/Old"));
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FOpenConf->ListBox1->Count(), 0);
        EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), -1);
        return mrOk;
    }, "TFOpenConf");
    UserClick(FDuvazaradFirmWare->Btn_Open);
    EXPECT_EQ(Project_Path, "");
    EXPECT_EQ(Project_Name, "");
    EXPECT_EQ(FileName_ParGen, "/ParGen.xml");
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf->Caption(), Text(9));
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf_L2->Caption(), Text(10));
}

TEST_F(ShellWindows, ANewConfigurationCanBeOpenedAndUsedAtOnce)
{
    Start();
    Script_New(Script, "First", "");
    UserClick(FDuvazaradFirmWare->Btn_New);
    Script_New(Script, "Second", "");
    UserClick(FDuvazaradFirmWare->Btn_New);
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FOpenConf->Name_Conf, "Second");
        FOpenConf->ListBox1->SetItemIndex(FOpenConf->Search_Open_Conf("FIRST"));
        FOpenConf->ListBox1Click(FOpenConf->ListBox1);
        return mrOk;
    }, "TFOpenConf");
    UserClick(FDuvazaradFirmWare->Btn_Open);
    EXPECT_EQ(Project_Path, Path("PROJECTS/First"));

    // With a configuration open the steps go on to their windows (none of them is built in).
    UserClick(FDuvazaradFirmWare->Btn_Prm_Gen);
    Close_Main_Window();
    EXPECT_NE(Read("Ruduziv.xml").find("<projectname>First</projectname>"), String::npos);
}

}  // namespace
