// The job file for each update option, the start of the updater and its wait, and the
// update step from the pre-check to the dialog.
#include <gtest/gtest.h>

#include "converter/UBinImages.h"
#include "update_fixture.h"

using namespace update_test;

namespace {

class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "Ruz41O08";
        Dir = Test_Folder("update");
        Exe_Path = Dir;
        Master_Path = PathJoin(Dir, "MASTER");
        Project_Path = PathJoin(Dir, "PROJECTS/Plant");
        ForceDirectories(PathJoin(Project_Path, "bin"));
        FileName_ParGen = PathJoin(Project_Path, "ParGen.xml");
        FileName_KNX_SetAccess = PathJoin(Project_Path, "KNX_SetAccess.xml");
        FileName_LoRaWAN_SetAccess = PathJoin(Project_Path, "LoRaWAN_SetAccess.xml");
        Bin_Images = TBin_Images();
        W = new TFBoot(nullptr);
        W->AfterConstruction();
        W->Form_Type = 1;
        W->E_IP1->SetText("127");
        W->E_IP2->SetText("0");
        W->E_IP3->SetText("0");
        W->E_IP4->SetText("1");
    }
    void TearDown() override
    {
        if (FBoot == W) FBoot = nullptr;
        W->Free();
        TFDuvazaradFirmWare::Start_Program_Limit_Ms = 150000;
        for (String* s : {&Exe_Path, &Master_Path, &Project_Path, &FileName_ParGen, &FileName_KNX_SetAccess,
                          &FileName_LoRaWAN_SetAccess, &Last_IP_Address})
            s->clear();
        Bin_Images = TBin_Images();
        std::filesystem::remove_all(Dir);
    }

    TXMLNode Write_Job(TXMLDocument& Doc, int Option, bool Read_Back)
    {
        W->CB_Update_Options->SetItemIndex(Option);
        W->CB_Update_Option_Read_Back->SetChecked(Read_Back);
        W->Compile_XML_Parameter_New_Boot();
        Doc.LoadFromFile(Job_File());
        return Doc.DocumentElement();
    }
    String Job_File() const { return PathJoin(Dir, "Ethernet_Update.xml"); }
    String Bank(int n) const { return PathJoin(Project_Path, "bin/bank" + IntToStr(n) + ".bin"); }
    static String Fixture(const String& Name) { return ReadFileBytes(String(CONVERTER_TEST_DATA) + "/" + Name); }

    String Dir;
    TFBoot* W = nullptr;
};

const std::vector<String> Operation_Children = {
    "Ope_File_Name", "Ope_Protection_Enabled", "Ope_GoToBoot_Before", "Ope_GoToApp_Before",
    "Ope_IP_Address", "Ope_Port", "Ope_Port_Sec", "Ope_Erase_Memory", "Ope_Start_Address",
    "Ope_Memory_Type", "Ope_Bank_Type", "Ope_Read_Back", "Ope_Write_CSS", "Ope_Address_CSS",
    "Ope_Command_CSS", "Ope_Write_Internal_Data", "Ope_WID_Address", "Ope_WID_Command",
    "Ope_WID_Data", "Ope_GoToApp_After",
};

}  // namespace

// The whole file for all three operations, byte for byte; the program folder stands as
// @PROGRAM@ in the golden file.
TEST_F(UpdateTest, JobFileForFirmwareAndConfigurationGolden)
{
    TXMLDocument doc;
    Write_Job(doc, 0, true);
    String expected = Fixture("Ethernet_Update_all.xml");
    for (size_t at; (at = expected.find("@PROGRAM@")) != String::npos;) expected.replace(at, 9, Dir);
    EXPECT_EQ(ReadFileBytes(Job_File()), expected);
}

TEST_F(UpdateTest, JobFileOperationsFollowTheOption)
{
    struct Op {
        const char* File;
        const char* Start;
        const char* Bank_Type;
        const char* Write_CSS;
        const char* Write_Internal_Data;
        const char* GoToApp_After;
    };
    const Op Firmware_Last{"MASTER/Ruz41O08.sim", "0x8000", "1", "1", "0", "1"};
    const Op Firmware{"MASTER/Ruz41O08.sim", "0x8000", "1", "1", "0", "0"};
    const Op Bank1{"PROJECTS/Plant/bin/bank1.bin", "0x07000", "2", "0", "1", "0"};
    const Op Bank2{"PROJECTS/Plant/bin/bank2.bin", "0x80000", "2", "0", "0", "1"};
    struct Case {
        int Option;
        bool Read_Back;
        std::vector<Op> Ops;
    };
    const Case cases[] = {
        {0, true, {Firmware, Bank1, Bank2}},
        {0, false, {Firmware, Bank1, Bank2}},
        {1, true, {Firmware_Last}},
        {2, false, {Bank1, Bank2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("option " + IntToStr(c.Option) + (c.Read_Back ? " with read-back" : ""));
        TXMLDocument doc;
        TXMLNode root = Write_Job(doc, c.Option, c.Read_Back);
        EXPECT_EQ(root.NodeName(), "Ethernet_Update");
        EXPECT_EQ(Child_Names(root), (std::vector<String>{"Version", "IP_Address_Dev", "Application_Port", "Boot_Port",
                                                          "Boot_Port_Sec", "Address_Protection", "Protections",
                                                          "Operations"}));
        EXPECT_EQ(root.ChildNode("IP_Address_Dev").Text(), "127.0.0.1");
        TXMLNode ops = root.ChildNode("Operations");
        ASSERT_EQ(ops.ChildCount(), int(c.Ops.size()));
        for (int i = 0; i < ops.ChildCount(); ++i) {
            TXMLNode op = ops.Child(i);
            const Op& e = c.Ops[i];
            EXPECT_EQ(op.NodeName(), "Operation");
            EXPECT_EQ(Child_Names(op), Operation_Children);
            EXPECT_EQ(op.ChildNode("Ope_File_Name").Text(), PathJoin(Dir, e.File));
            EXPECT_EQ(op.ChildNode("Ope_Start_Address").Text(), e.Start);
            EXPECT_EQ(op.ChildNode("Ope_Bank_Type").Text(), e.Bank_Type);
            EXPECT_EQ(op.ChildNode("Ope_Write_CSS").Text(), e.Write_CSS);
            EXPECT_EQ(op.ChildNode("Ope_Write_Internal_Data").Text(), e.Write_Internal_Data);
            EXPECT_EQ(op.ChildNode("Ope_GoToApp_After").Text(), e.GoToApp_After);
            EXPECT_EQ(op.ChildNode("Ope_Read_Back").Text(), c.Read_Back ? "1" : "0");
            EXPECT_EQ(op.ChildNode("Ope_Protection_Enabled").Text(), "");
            EXPECT_EQ(op.ChildNode("Ope_IP_Address").Text(), "");
        }
    }
}

TEST_F(UpdateTest, AnEarlierJobFileIsReplacedWhole)
{
    WriteFileAtomic(Job_File(), "<Ethernet_Update><Old/><Operations><Operation/><Operation/><Operation/>"
                                "</Operations></Ethernet_Update>");
    TXMLDocument doc;
    TXMLNode root = Write_Job(doc, 1, false);
    EXPECT_FALSE(root.FindNode("Old"));
    EXPECT_EQ(root.ChildNode("Operations").ChildCount(), 1);
    EXPECT_EQ(ReadFileBytes(Job_File()).find("<!--"), String::npos) << "no comment in the job file";
}

// ---------------------------------------------------------------------------------
// The updater's start
// ---------------------------------------------------------------------------------
TEST_F(UpdateTest, StartProgramWaitsForTheProgramsEnd)
{
    const String program = PathJoin(Dir, "Ethernet_Update.exe");
    Place_Program(program, Updater_Script("0.3"));
    WriteFileAtomic(Job_File(), "<Ethernet_Update/>");
    const uint64_t t0 = GetTickCount64();
    TFDuvazaradFirmWare::Start_Program(program, "", 0);
    const uint64_t took = GetTickCount64() - t0;
    EXPECT_TRUE(FileExists(PathJoin(Dir, "updater_ran")));
    EXPECT_GE(took, 300u);
    EXPECT_LT(took, 3000u);
    EXPECT_EQ(Trim(ReadFileBytes(PathJoin(Dir, "updater_ran"))), "0:");

    // Arguments, when there are any, are split as a command line.
    TFDuvazaradFirmWare::Start_Program(program, "-q \"a b\"", 1);
    EXPECT_EQ(Trim(ReadFileBytes(PathJoin(Dir, "updater_ran"))), "2:-q a b");
}

TEST_F(UpdateTest, AStuckProgramIsLeftAtTheLimit)
{
    const String program = PathJoin(Dir, "Ethernet_Update.exe");
    Place_Program(program, Stuck_Updater_Script());
    TFDuvazaradFirmWare::Start_Program_Limit_Ms = 300;
    const uint64_t t0 = GetTickCount64();
    TFDuvazaradFirmWare::Start_Program(program, "", 0);
    const uint64_t took = GetTickCount64() - t0;
    EXPECT_GE(took, 300u);
    EXPECT_LT(took, 1000u) << "returns at the limit, not later";
    const String pid_file = PathJoin(Dir, "updater.pid");
    ASSERT_TRUE(FileExists(pid_file));
    const int pid = StrToIntDef(Trim(ReadFileBytes(pid_file)), 0);
    EXPECT_EQ(::kill(pid, 0), 0) << "still running, left alone";
    End_Stuck_Updater(Dir);
}

TEST_F(UpdateTest, AProgramThatCannotStartRaises)
{
    const String missing = PathJoin(Dir, "Ethernet_Update.exe");
    const uint64_t t0 = GetTickCount64();
    try {
        TFDuvazaradFirmWare::Start_Program(missing, "", 0);
        ADD_FAILURE() << "no error";
    } catch (const EOSError& e) {
        // One sentence, naming the program once.
        EXPECT_EQ(String(e.what()), "Cannot start \"" + missing + "\": No such file or directory.");
    }
    EXPECT_LT(GetTickCount64() - t0, 1000u) << "returns at once";
}

// ---------------------------------------------------------------------------------
// The update step
// ---------------------------------------------------------------------------------
TEST_F(UpdateTest, AnUplinkTooLongForThePayloadStopsTheStepBeforeAnythingIsBuilt)
{
    FBoot = W;
    WriteFileAtomic(FileName_ParGen, "<Par_Gen><LoRa_Payload_Size>10</LoRa_Payload_Size></Par_Gen>");
    WriteFileAtomic(FileName_LoRaWAN_SetAccess,
                    "<LoRaWAN_Set_Access><LoRaWAN_Uplink>"
                    "<row Enable=\"Y\" StartByte=\"0\" NumByte=\"9\"/>"
                    "</LoRaWAN_Uplink><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    TInteractionScript script;
    script.Answer(mrOk, "Error in configuration, Num. Byte not conformed with Max Payload Size");
    Update_Device();
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(script.Count(ikModalForm), 0) << "the dialog does not open";
    EXPECT_EQ(script.Records().at(0).DlgType, mtError);
    EXPECT_FALSE(FileExists(Bank(1)));
    EXPECT_FALSE(FileExists(Bank(2)));
}

TEST_F(UpdateTest, WithoutConfigurationFilesTheDefaultImagesAreWrittenAndTheDialogOpens)
{
    FBoot = W;
    W->Form_Type = 0;
    TInteractionScript script;
    script.OnForm(
        [&](TForm* f) {
            EXPECT_EQ(W->Form_Type, 1);
            EXPECT_EQ(f->Caption(), "Update Device by Ethernet (UDP)");
            EXPECT_TRUE(FileExists(Bank(1))) << "written before the dialog opens";
            return mrCancel;
        },
        "TFBoot");
    Update_Device();
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(ReadFileBytes(Bank(1)), Fixture("bank1_no_files.bin"));
    EXPECT_EQ(ReadFileBytes(Bank(2)), Fixture("bank2_no_files.bin"));
}

TEST_F(UpdateTest, EveryPressRewritesBothImages)
{
    FBoot = W;
    WriteFileAtomic(FileName_KNX_SetAccess, Fixture("KNX_SetAccess.xml"));
    TInteractionScript script;
    script.FormResult(mrCancel, "TFBoot");
    Update_Device();
    const String first1 = ReadFileBytes(Bank(1)), first2 = ReadFileBytes(Bank(2));
    WriteFileAtomic(Bank(1), "stale");
    WriteFileAtomic(Bank(2), "stale");
    script.FormResult(mrCancel, "TFBoot");
    Update_Device();
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(ReadFileBytes(Bank(1)), first1);
    EXPECT_EQ(ReadFileBytes(Bank(2)), first2);
}
