// The start in a program folder, the settings file, the main window's steps and its look.
#include "tests/shell/shell_windows_fixture.h"

#include "tests/common/UserInput.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UAbout.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"

namespace {

// ---------------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------------
TEST_F(ShellWindows, FirstStartInAnEmptyFolder)
{
    Start();
    for (const char* dir : {"MASTER", "PROJECTS", "LANGUAGE"}) EXPECT_TRUE(DirectoryExists(Path(dir))) << dir;
    EXPECT_FALSE(FileExists(Path("Ruduziv.xml")));
    EXPECT_EQ(Exe_Path, Dir);
    EXPECT_EQ(Projects_Path, Path("PROJECTS"));

    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Lang_Strings.Count(), 6300);
    EXPECT_EQ(FDuvazaradFirmWare->L_Begin->Caption(), "Begin");
    EXPECT_EQ(Project_Name, "");
    EXPECT_EQ(Project_Path, "");
    EXPECT_FALSE(FDuvazaradFirmWare->Timer_Update->Enabled());
    EXPECT_EQ(Last_IP_Address, "192.168.2.205");
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf->Caption(), "None Configuration Opened ");
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");

    EXPECT_EQ(FDuvazaradFirmWare->Caption(), "Zodudo - Configurator RO41R08 KNX / LoRaWAN ");
    EXPECT_EQ(FDuvazaradFirmWare->L_SW_Code->Caption(), SW_Code);
    EXPECT_EQ(SW_Code, Const_SW_Code);
    EXPECT_TRUE(Update_Option_Read_Back);
    // Without an open configuration a path is the separator and the file name.
    EXPECT_EQ(FileName_ParGen, "/ParGen.xml");
    EXPECT_EQ(FileName_SNMP_Trap, "/SNMP_Trap.xml");
    // Every shell window exists, in the table's order.
    for (const char* w : {"TFDuvazaradFirmWare", "TFNew_Project", "TFOpenConf", "TFAbout", "TFSoftOptions"})
        EXPECT_NE(Find_Window(w), nullptr) << w;
    EXPECT_EQ(Find_Window("TFParGen"), nullptr);
}

TEST_F(ShellWindows, WindowsAfterTheMainOneShowTheLanguageOfTheSettings)
{
    Write("LANGUAGE/Deutsch.lng", "STR100 = Neue Konfiguration\nSTR15 = Neu\n");
    Write("Ruduziv.xml", Settings("<lastlang><language>Deutsch</language></lastlang>"));
    Start();
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_EQ(FDuvazaradFirmWare->Btn_New->Caption(), "Neu");
    EXPECT_EQ(FNew_Project->Caption(), "Neue Konfiguration");
}

TEST_F(ShellWindows, ADeletedLastConfigurationOpensNothingAndIsWrittenBack)
{
    Write("Ruduziv.xml", Settings("<lastproj><projectname>Plant A</projectname></lastproj>"));
    Start();
    EXPECT_EQ(Project_Name, "Plant A");
    EXPECT_EQ(Project_Path, "");
    EXPECT_EQ(FDuvazaradFirmWare->L_Name_Conf->Caption(), Text(9));

    // Each step after step 1, the visible ones clicked like a user would.
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    for (TLbButton* b : {w->Btn_Prm_Gen, w->Btn_LoRaWAN_Access, w->Btn_KNX_Access, w->Btn_CreateBin}) {
        Script.Answer(mrOk, "Error! Project not Valid");
        UserClick(b);
        ASSERT_EQ(Script.PendingSteps(), 0) << b->Name();
        EXPECT_EQ(Script.Last()->DlgType, mtError);
        EXPECT_EQ(Script.Last()->Buttons, TMsgDlgButtons{mbOK});
    }
    Close_Main_Window();
    EXPECT_NE(Read("Ruduziv.xml").find("<projectname>Plant A</projectname>"), String::npos);
}

TEST_F(ShellWindows, ALastConfigurationOutsideProjectsOpensNothing)
{
    // Folders that exist, but are no configuration folder under PROJECTS.
    for (const char* name : {"..", "../MASTER", "."}) {
        Write("Ruduziv.xml", Settings(String("<lastproj><projectname>") + name + "</projectname></lastproj>"));
        Start();
        EXPECT_EQ(Project_Path, "") << name;
        EXPECT_EQ(Project_Name, name);
        Free_Windows();
    }
}

TEST_F(ShellWindows, EveryStepButtOneNeedsAnOpenConfiguration)
{
    Start();
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    int steps = 0;
    for (int i = 0; i < w->ComponentCount(); ++i) {
        auto* b = dynamic_cast<TLbButton*>(w->Components(i));
        if (!b || b == w->Btn_New || b == w->Btn_Open || b == w->Btn_Close || b == w->Btn_Info || b == w->Btn_Opz)
            continue;
        Script.Answer(mrOk, Text(18));
        w->Btn_Click(b);
        EXPECT_EQ(Script.PendingSteps(), 0) << b->Name();
        ++steps;
    }
    EXPECT_EQ(steps, 31);
    EXPECT_EQ(Script.Count(ikModalForm), 0);
}

TEST_F(ShellWindows, AStepWhoseWindowIsNotBuiltInDoesNothing)
{
    std::filesystem::create_directories(Path("PROJECTS/P1"));
    Write("Ruduziv.xml", Settings("<lastproj><projectname>P1</projectname></lastproj>"));
    Start();
    ASSERT_EQ(Project_Path, Path("PROJECTS/P1"));
    bool updated = false;
    Main_Window_Steps.Update_Device = [&] { updated = true; };
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    for (TLbButton* b : {w->Btn_Prm_Gen, w->Btn_LoRaWAN_Access, w->Btn_KNX_Access, w->Btn_MBus, w->Btn_ScanDecode,
                         w->Btn_BACnet_EDE_File, w->Btn_CANopen_EDS, w->Btn_PROFINET_XML, w->Btn_SNMP_MIB})
        w->Btn_Click(b);
    EXPECT_TRUE(Script.Records().empty());
    w->Btn_Click(w->Btn_CreateBin);
    EXPECT_TRUE(updated);
}

TEST_F(ShellWindows, AMissingLanguageFileFallsBackToEnglish)
{
    Write("Ruduziv.xml", Settings("<lastlang><language>Klingon</language></lastlang>"));
    Write("LANGUAGE/English.lng", "STR0 = Start here\n");
    Start();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(FDuvazaradFirmWare->L_Begin->Caption(), "Start here");
    Close_Main_Window();
    EXPECT_NE(Read("Ruduziv.xml").find("<language>English</language>"), String::npos);
}

TEST_F(ShellWindows, TheVersionTimerRunsOnlyWithBothOptions)
{
    struct Case { const char* options; bool on; } const cases[] = {
        {"", false},
        {"<enable_update>1</enable_update>", false},
        {"<enable_internet>1</enable_internet>", false},
        {"<enable_internet>1</enable_internet><enable_update>1</enable_update>", true},
    };
    for (const Case& c : cases) {
        Write("Ruduziv.xml", Settings(String("<lastinternet>") + c.options + "</lastinternet>"));
        Start();
        EXPECT_EQ(FDuvazaradFirmWare->Timer_Update->Enabled(), c.on) << c.options;
        EXPECT_EQ(FDuvazaradFirmWare->Timer_Update->Interval(), 60000u);
        Free_Windows();
    }
}

// ---------------------------------------------------------------------------------
// Settings file
// ---------------------------------------------------------------------------------
struct SettingsCase {
    const char* name;
    const char* file;   // nullptr: no file at all
    const char* project;
    const char* address;
    const char* language;
    bool internet, update, jump, autosize;
};

const SettingsCase SettingsCases[] = {
    {"no file", nullptr, "", "192.168.2.205", "English", false, false, false, false},
    {"only the language", "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
     "", "192.168.2.205", "Deutsch", false, false, false, false},
    {"a root of another name",
     "<Anything><lastproj><projectname>X</projectname></lastproj><lastipadd><ipaddress>10.0.0.7</ipaddress>"
     "</lastipadd><lastinternet><enable_internet>1</enable_internet><Double_Click_Auto_Size>1"
     "</Double_Click_Auto_Size></lastinternet></Anything>",
     "X", "10.0.0.7", "English", true, false, false, true},
    {"only \"1\" turns an option on",
     "<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
     "<enable_jump_field_tables>1</enable_jump_field_tables></lastinternet></Conf_Settings>",
     "", "192.168.2.205", "English", false, false, true, false},
    {"an empty element gives an empty text",
     "<Conf_Settings><lastipadd><ipaddress></ipaddress></lastipadd></Conf_Settings>", "", "", "English", false,
     false, false, false},
    {"element names are matched exactly",
     "<Conf_Settings><LastProj><projectname>X</projectname></LastProj><lastinternet><Enable_Internet>1"
     "</Enable_Internet></lastinternet></Conf_Settings>",
     "", "192.168.2.205", "English", false, false, false, false},
    {"a file that is no XML document reads like no file", "<Conf_Settings><lastproj>", "", "192.168.2.205",
     "English", false, false, false, false},
    {"an empty file", "", "", "192.168.2.205", "English", false, false, false, false},
};

TEST_F(ShellWindows, SettingsFileReading)
{
    for (const SettingsCase& c : SettingsCases) {
        // Whatever an earlier case left in the state must not show through.
        Project_Name = "stale";
        Last_IP_Address = "stale";
        Language_Name = "stale";
        Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = true;
        std::filesystem::remove(Path("Ruduziv.xml"));
        if (c.file) Write("Ruduziv.xml", c.file);
        Exe_Path = Dir;
        TXMLDocument doc;
        Read_Settings_File(doc);
        EXPECT_EQ(Project_Name, c.project) << c.name;
        EXPECT_EQ(Last_IP_Address, c.address) << c.name;
        EXPECT_EQ(Language_Name, c.language) << c.name;
        EXPECT_EQ(Enable_Internet, c.internet) << c.name;
        EXPECT_EQ(Enable_Update, c.update) << c.name;
        EXPECT_EQ(Enable_Jump_Field_Tables, c.jump) << c.name;
        EXPECT_EQ(Double_Click_Auto_Size, c.autosize) << c.name;
    }
}

TEST_F(ShellWindows, SettingsFileRoundTrip)
{
    Exe_Path = Dir;
    Project_Name = "Plant <North> & \"South\"";
    Last_IP_Address = "10.1.2.3";
    Language_Name = "Italiano";
    Enable_Internet = true;
    Enable_Update = false;
    Enable_Jump_Field_Tables = false;
    Double_Click_Auto_Size = true;
    TXMLDocument doc;
    doc.LoadFromXML("<Other><stale/></Other>");   // whatever was loaded before goes
    Write_Settings_File(doc);

    const String text = Read("Ruduziv.xml");
    // The elements in their fixed order, nothing before the root, no comment.
    EXPECT_EQ(text.rfind("<Conf_Settings>", 0), 0u) << text;
    EXPECT_EQ(text.find("<!--"), String::npos);
    EXPECT_EQ(text.find("stale"), String::npos);
    const char* order[] = {"<lastproj>", "<projectname>", "<lastipadd>", "<ipaddress>", "<lastlang>", "<language>",
                           "<lastinternet>", "<enable_internet>1<", "<enable_update>0<",
                           "<enable_jump_field_tables>0<", "<Double_Click_Auto_Size>1<"};
    size_t at = 0;
    for (const char* e : order) {
        const size_t p = text.find(e, at);
        ASSERT_NE(p, String::npos) << e << " in\n" << text;
        at = p;
    }

    Project_Name = Last_IP_Address = Language_Name = "";
    Enable_Internet = Double_Click_Auto_Size = false;
    Enable_Update = Enable_Jump_Field_Tables = true;
    Read_Settings_File(doc);
    EXPECT_EQ(Project_Name, "Plant <North> & \"South\"");
    EXPECT_EQ(Last_IP_Address, "10.1.2.3");
    EXPECT_EQ(Language_Name, "Italiano");
    EXPECT_TRUE(Enable_Internet);
    EXPECT_FALSE(Enable_Update);
    EXPECT_FALSE(Enable_Jump_Field_Tables);
    EXPECT_TRUE(Double_Click_Auto_Size);
}

TEST_F(ShellWindows, ClosingWritesTheSettingsAndStillEndsWhenThatFails)
{
    Start();
    Last_IP_Address = "10.9.8.7";   // as an update would leave it
    // A folder where the file should go: the save cannot replace it.
    std::filesystem::create_directories(Path("Ruduziv.xml"));
    Script.Answer(mrOk);
    Close_Main_Window();
    ASSERT_EQ(Script.Count(ikMessageBox), 1);
    EXPECT_EQ(Script.Last()->DlgType, mtError);
    EXPECT_NE(Script.Last()->Text.find("Ruduziv.xml"), String::npos) << Script.Last()->Text;

    std::filesystem::remove(Path("Ruduziv.xml"));
    Close_Main_Window();
    EXPECT_NE(Read("Ruduziv.xml").find("<ipaddress>10.9.8.7</ipaddress>"), String::npos);
}

TEST_F(ShellWindows, OptionsConfirmedWriteTheSettingsAndSetTheTimer)
{
    Start();
    struct Case { bool internet, update, timer; } const cases[] = {
        {false, true, false}, {true, false, false}, {true, true, true}};
    for (const Case& c : cases) {
        Script.OnForm([&](TForm*) {
            FSoftOptions->CB_En_Con->SetChecked(c.internet);
            FSoftOptions->CB_Update->SetChecked(c.update);
            FSoftOptions->CB_Soft_Set_Jump_Table->SetChecked(true);
            UserClick(FSoftOptions->Btn_OK);
            return mrNone;
        }, "TFSoftOptions");
        UserClick(FDuvazaradFirmWare->Btn_Opz);
        EXPECT_EQ(FDuvazaradFirmWare->Timer_Update->Enabled(), c.timer);
        EXPECT_EQ(Enable_Update, c.update);
        const String file = Read("Ruduziv.xml");
        EXPECT_NE(file.find(String("<enable_internet>") + (c.internet ? "1" : "0")), String::npos) << file;
        EXPECT_NE(file.find("<enable_jump_field_tables>1"), String::npos) << file;
    }
    // Cancel changes nothing and writes nothing.
    std::filesystem::remove(Path("Ruduziv.xml"));
    Script.OnForm([&](TForm*) {
        FSoftOptions->CB_En_Con->SetChecked(false);
        UserClick(FSoftOptions->Btn_Cancel);
        return mrNone;
    }, "TFSoftOptions");
    UserClick(FDuvazaradFirmWare->Btn_Opz);
    EXPECT_TRUE(Enable_Internet);
    EXPECT_FALSE(FileExists(Path("Ruduziv.xml")));
}

TEST_F(ShellWindows, TheInformationButtonShowsTheAboutWindow)
{
    Start();
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(FAbout->Label3->Caption(), "Version 1.002");
        EXPECT_NE(FAbout->Label2->Caption().find(SW_Code), String::npos);
        UserClick(FAbout->Btn_OK);
        return mrNone;
    }, "TFAbout");
    UserClick(FDuvazaradFirmWare->Btn_Info);
    ASSERT_EQ(Script.Count(ikModalForm), 1);
    EXPECT_EQ(Script.Last()->Result, mrOk);
}

// ---------------------------------------------------------------------------------
// Language switch and look
// ---------------------------------------------------------------------------------
TEST_F(ShellWindows, ChangingTheLanguageRelabelsAllButTheFixedTexts)
{
    Start();
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    Apply_Lng_Bytes("STR1 = Schritt 1\nSTR16 = Oeffnen\nSTR23 = Vorhandene oeffnen\nSTR9 = Keine\nSTR200 = Oeffnen?\n");
    w->Change_Language();
    EXPECT_EQ(w->L_Step_1->Caption(), "Schritt 1");
    EXPECT_EQ(w->Btn_Open->Caption(), "Oeffnen");
    EXPECT_EQ(w->Btn_Open->Hint(), "Vorhandene oeffnen");
    EXPECT_EQ(w->L_Name_Conf->Caption(), "Keine");
    EXPECT_EQ(FOpenConf->Caption(), "Oeffnen?");
    EXPECT_EQ(w->Caption(), "Zodudo - Configurator RO41R08 KNX / LoRaWAN ");
    EXPECT_EQ(w->Btn_KNX_Access->Caption(), "KNX Access");
    EXPECT_EQ(w->Btn_BACnet_EDE_File->Caption(), "BACnet EDE File");
}

TEST_F(ShellWindows, MainWindowLayout)
{
    Start();
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    EXPECT_EQ(w->ClientWidth(), 694);
    EXPECT_EQ(w->ClientHeight(), 440);
    struct { TControl* c; int left, top; bool visible; } const placed[] = {
        {w->L_SW_Code, 16, 8, true},        {w->L_SW_Desc, 16, 42, true},   {w->LL_Update, 208, 19, false},
        {w->Btn_Info, 516, 8, true},        {w->Btn_Opz, 574, 8, true},     {w->Btn_Close, 632, 8, true},
        {w->L_Begin, 16, 84, true},         {w->Shape2, 80, 70, true},      {w->L_Name_Conf, 87, 75, true},
        {w->L_Name_Conf_L2, 87, 88, true},  {w->L_Step_1, 16, 128, true},   {w->L_Step_5, 16, 304, true},
        {w->L_Step_6, 16, 348, false},      {w->L_Step_8, 16, 436, false},  {w->Btn_New, 80, 112, true},
        {w->Btn_Open, 258, 112, true},      {w->Btn_Prm_Gen, 80, 156, true}, {w->Btn_LoRaWAN_Access, 80, 200, true},
        {w->Btn_KNX_Access, 80, 244, true}, {w->Btn_CreateBin, 80, 288, true}, {w->Shape1, 10, 339, true},
        {w->L_Zodudo, 565, 304, true},      {w->Btn_MBus, 80, 112, false},
    };
    for (const auto& p : placed) {
        EXPECT_EQ(p.c->Left(), p.left) << p.c->Name();
        EXPECT_EQ(p.c->Top(), p.top) << p.c->Name();
        EXPECT_EQ(p.c->Visible(), p.visible) << p.c->Name();
    }
    EXPECT_EQ(w->Shape1->Width(), 674);
    EXPECT_EQ(w->Shape1->Height(), 1);
    EXPECT_EQ(w->Btn_Info->Width(), 50);
    EXPECT_EQ(w->Btn_New->Width(), 170);
    EXPECT_EQ(w->Btn_New->Height(), 36);
    EXPECT_EQ(w->Btn_New->Style(), bsEncarta);
    EXPECT_EQ(w->Btn_Prm_Gen->Style(), bsNormal);
    EXPECT_EQ(w->Btn_New->HotTrackColor(), clSkyBlue);
    EXPECT_EQ(w->Btn_KNX_Access->HotTrackColor(), clYellow);
    EXPECT_EQ(w->Btn_New->ColorWhenDown(), 33023);
    EXPECT_EQ(w->Btn_New->NumGlyphs(), 1);
    EXPECT_EQ(w->Btn_Close->Caption(), "");
}

TEST_F(ShellWindows, MainWindowPicture)
{
    Start();
    TFDuvazaradFirmWare* w = FDuvazaradFirmWare;
    const String png = Path("main.png");
    ASSERT_TRUE(SaveControlToPng(w, png));
    TBitmap bmp;
    bmp.LoadFromFile(png);
    ASSERT_EQ(bmp.Width(), 694);
    ASSERT_EQ(bmp.Height(), 440);
    TCanvas* c = bmp.Canvas();
    const TColor background = 15595512;
    for (TPoint p : {TPoint(5, 5), TPoint(450, 150), TPoint(300, 250), TPoint(690, 436), TPoint(40, 400)})
        EXPECT_EQ(c->Pixels(p.X, p.Y), background) << p.X << "," << p.Y;

    // The five step buttons, 170 x 36 where the steps put them: a grey frame exactly on
    // their edges, background just outside.
    struct { const char* step; int top; } const steps[] = {
        {"new", 112}, {"parameters", 156}, {"LoRaWAN", 200}, {"KNX", 244}, {"update", 288}};
    for (const auto& s : steps) {
        const int l = 80, t = s.top, r = l + 170 - 1, bt = t + 36 - 1, my = t + 18;
        EXPECT_EQ(c->Pixels(l, my), clGray) << s.step;
        EXPECT_EQ(c->Pixels(r, my), clGray) << s.step;
        EXPECT_EQ(c->Pixels(l + 120, t), clGray) << s.step;
        EXPECT_EQ(c->Pixels(l + 120, bt), clGray) << s.step;
        EXPECT_EQ(c->Pixels(l - 2, my), background) << s.step;
        EXPECT_EQ(c->Pixels(r + 2, my), background) << s.step;
        EXPECT_EQ(c->Pixels(l + 120, t - 2), background) << s.step;
        EXPECT_EQ(c->Pixels(l + 120, bt + 2), background) << s.step;
    }
    // The second button of step 1 beside the first.
    EXPECT_EQ(c->Pixels(258, 130), clGray);
    EXPECT_EQ(c->Pixels(254, 130), background);
    // The line under the steps.
    EXPECT_NE(c->Pixels(300, 339), background);
    EXPECT_EQ(c->Pixels(300, 341), background);
}

}  // namespace
