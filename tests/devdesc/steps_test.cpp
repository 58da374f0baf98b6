// The main window's hidden buttons that write the description files: their save
// dialogs, their overwrite questions and the files they leave.
#include <fstream>
#include <functional>

#include "devdesc/UDevDesc.h"
#include "devdesc/UDevDescFile.h"
#include "devdesc/ede/UBACnet_EDE_File.h"
#include "devdesc/eds/UEds.h"
#include "devdesc/gsd/UProfibus_GSD.h"
#include "devdesc/gsdml/UProfinetFileName.h"
#include "devdesc/gsdml/UProfinetXML.h"
#include "devdesc/mib/USNMP_MIB.h"
#include "platform/os/Files.h"
#include "shell/ULanguage.h"
#include "tests/common/program_fixture.h"

namespace {

class DescriptionSteps : public ProgramFixture {
protected:
    void SetUp() override
    {
        const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
        Description_Clock = [t] { return t; };
        Start_Program({Plug_Device_Description_Files});
        New_Configuration(Script, "Plant1");
        M = FDuvazaradFirmWare;
    }
    void TearDown() override
    {
        Description_Clock = nullptr;
        ProgramFixture::TearDown();
    }
    String In_Project(const String& Name) const { return PathJoin(Project_Path, Name); }
    static String Read(const String& File)
    {
        std::ifstream in(File, std::ios::binary);
        return String(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const String& File, const String& Text) { std::ofstream(File, std::ios::binary) << Text; }

    TInteractionScript Script;
    TFDuvazaradFirmWare* M = nullptr;
};

TEST_F(DescriptionSteps, EdeAppendsItsExtensionAndAsksBeforeReplacing)
{
    Script.ChooseFile(In_Project("objects"));
    M->Btn_Click(M->Btn_BACnet_EDE_File);
    EXPECT_EQ(Script.Last()->Text, "CSV (MS-DOS) (*.csv)|*.csv");
    EXPECT_EQ(Script.Last()->InitialDir, Project_Path);
    ASSERT_TRUE(FileExists(In_Project("objects.csv")));
    EXPECT_EQ(Read(In_Project("objects.csv")).substr(0, 36), "PROJECT_NAME; Zodudo--Plant1;;;;;;\r\n");

    struct Case { TModalResult answer; bool replaced; } const cases[] = {{mrNo, false}, {mrCancel, false}, {mrYes, true}};
    for (const Case& c : cases) {
        Write(In_Project("objects.CSV"), "old");
        Script.ChooseFile(In_Project("objects.CSV")).Answer(c.answer, "File already exists. Do you want to overwrite?");
        M->Btn_Click(M->Btn_BACnet_EDE_File);
        EXPECT_EQ(Read(In_Project("objects.CSV")) != "old", c.replaced) << c.answer;
        EXPECT_EQ(Script.Last()->Buttons, mbYesNoCancel);
    }
    Script.ChooseFile("");
    M->Btn_Click(M->Btn_BACnet_EDE_File);
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(DescriptionSteps, EdsReplacesWithoutAsking)
{
    Write(In_Project("node.eds"), "old");
    Script.ChooseFile(In_Project("node.eds"));
    M->Btn_Click(M->Btn_CANopen_EDS);
    EXPECT_EQ(Script.Last()->Text, "Electronic Data Sheet (*.eds)|*.eds");
    EXPECT_EQ(Script.Last()->InitialDir, Project_Path);
    EXPECT_EQ(Read(In_Project("node.eds")).substr(0, 12), "[FileInfo]\r\n");
    Script.ChooseFile(In_Project("second"));
    M->Btn_Click(M->Btn_CANopen_EDS);
    EXPECT_TRUE(FileExists(In_Project("second.eds"))) << "the dialog's default extension";
    EXPECT_EQ(Script.Count(ikMessageBox), 0);
}

TEST_F(DescriptionSteps, GsdAndMibAskTheirOwnQuestions)
{
    Script.Answer(mrOk, "Error! Please set the Set Communication Parameter before to create the GSD file");
    M->Btn_Click(M->Btn_PROFIBUS_GSD);
    EXPECT_EQ(Script.Count(ikSaveDialog), 0) << "no ParGen.xml, no dialog";

    Write(FileName_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Description=\"temp\" Type=\"Int\"/>"
                              "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    Script.ChooseFile(In_Project("agent"));
    M->Btn_Click(M->Btn_SNMP_MIB);
    EXPECT_EQ(Script.Last()->Text, "Management Information Base (*.mib)|*.mib");
    EXPECT_EQ(Script.Last()->InitialDir, Project_Path);
    ASSERT_TRUE(FileExists(In_Project("agent.mib")));
    EXPECT_EQ(MIB_Read_Names.Count(), 1);
    EXPECT_EQ(MIB_Read_Names[0], "temp");

    Write(In_Project("agent.mib"), "old");
    Script.ChooseFile(In_Project("agent.mib")).Answer(mrNo, "File already exists. Do you want to overwrite?");
    M->Btn_Click(M->Btn_SNMP_MIB);
    EXPECT_EQ(Read(In_Project("agent.mib")), "old");
    EXPECT_EQ(Script.Last()->Buttons, mbYesNo);
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(DescriptionSteps, ProfinetWritesTheNameTheDialogComposed)
{
    Script.OnForm([](TForm*) {
        UserType(FProfinetFileName->E_XML_User, "line2");
        UserClick(FProfinetFileName->Btn_OK);
        return mrNone;
    }, "TFProfinetFileName");
    Script.ChooseFile(In_Project("anything.xml"));
    M->Btn_Click(M->Btn_PROFINET_XML);
    const String Name = "GSDML-V2.25-Zodudo-_line2-20240305.xml";
    ASSERT_TRUE(FileExists(In_Project(Name)));
    EXPECT_EQ(Read(In_Project(Name)).substr(0, 3), "\xEF\xBB\xBF");

    Script.FormResult(mrCancel, "TFProfinetFileName");
    M->Btn_Click(M->Btn_PROFINET_XML);
    EXPECT_EQ(Script.Count(ikSaveDialog), 1) << "cancelled: no save dialog";
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(DescriptionSteps, TheNameDialogFollowsALanguageChange)
{
    Apply_Lng_Bytes("STR4800 = Dateiname\nSTR4804 = Eigener Teil\nSTR4806 = Weiter\n");
    M->Change_Language();
    EXPECT_EQ(FProfinetFileName->Caption(), "Dateiname");
    EXPECT_EQ(FProfinetFileName->L_UsedPart->Caption(), "Eigener Teil");
    EXPECT_EQ(FProfinetFileName->Btn_OK->Caption(), "Weiter");
    EXPECT_EQ(FProfinetFileName->L_XML_Fix1->Caption(), "GSDML-V2.25-Zodudo-");
}

// A file that cannot be written is told through the error of the write, and a file of
// that name already there is left as it was.
TEST_F(DescriptionSteps, AFileThatCannotBeWrittenRaisesAndKeepsTheOldOne)
{
    const String file = In_Project("x");
    Write(file, "old");
    const std::function<void(const String&)> writers[] = {
        Create_EDE_File, Build_CANopen_EDS, Write_GSD_File, Write_GSDML_File, Write_MIB_File,
    };
    for (const auto& w : writers) {
        SetWriteFailureForTest(1);
        EXPECT_THROW(w(file), EInOutError);
        EXPECT_EQ(Read(file), "old");
        EXPECT_THROW(w(In_Project("no/such/folder/x")), EInOutError);
    }
    SetWriteFailureForTest(0);
}

}  // namespace
