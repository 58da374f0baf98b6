// Step 5 in the program, from the first configuration to the converter's update: the main
// window, the parameter window and the update dialog as the start creates them, a
// stand-in updater beside the program and this machine's own address as the converter.
#include <gtest/gtest.h>

#include "converter/UBinImages.h"
#include "converter/UParGen.h"
#include "tests/common/UserInput.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/UNew_Project.h"
#include "update_fixture.h"

using namespace update_test;

namespace {

class UpdateInProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = Test_Folder("update_main");
        Program_Folder_Override = Dir;
        Plug_Shell_Windows();
        Plug_ParGen_Window();
        Plug_Boot_Window();
        Create_Windows();
        ASSERT_NE(FDuvazaradFirmWare, nullptr);
        ASSERT_NE(FBoot, nullptr);
        // The real ICMP client, held to this machine's own address.
        FBoot->Echo = [](const String& Host, std::string_view Data, uint32_t Timeout) {
            if (Host != "127.0.0.1") {
                ADD_FAILURE() << "ping of " << Host << " refused by the test";
                return TPingReply();
            }
            return FBoot->Ping.Ping(Host, Data, Timeout);
        };
        Place_Program(PathJoin(Dir, "Ethernet_Update.exe"), Updater_Script());
    }
    void TearDown() override
    {
        Free_Windows();
        Program_Folder_Override.clear();
        std::filesystem::remove_all(Dir);
    }

    // Step 1: a new configuration; step 2: its parameters saved as the window proposes
    // them; the mapping editors' files as fixtures.
    void Prepare_Configuration(TInteractionScript& script)
    {
        script.OnForm(
            [](TForm*) {
                FNew_Project->E_New_Proj->SetText("Plant 5");
                UserClick(FNew_Project->Btn_OK);
                return mrNone;
            },
            "TFNew_Project");
        UserClick(FDuvazaradFirmWare->Btn_New);
        ASSERT_FALSE(Project_Path.empty());
        script.OnForm(
            [](TForm*) {
                UserClick(FParGen->Btn_OK);
                return mrNone;
            },
            "TFParGen");
        UserClick(FDuvazaradFirmWare->Btn_Prm_Gen);
        ASSERT_TRUE(FileExists(FileName_ParGen));
        WriteFileAtomic(FileName_LoRaWAN_SetAccess, Fixture("LoRaWAN_SetAccess.xml"));
        WriteFileAtomic(FileName_KNX_SetAccess, Fixture("KNX_SetAccess.xml"));
        ASSERT_EQ(script.Problems(), "");
    }

    static String Fixture(const String& Name) { return ReadFileBytes(String(CONVERTER_TEST_DATA) + "/" + Name); }
    String Bank(int n) const { return PathJoin(Project_Path, "bin/bank" + IntToStr(n) + ".bin"); }
    String Marker() const { return PathJoin(Dir, "updater_ran"); }

    String Dir;
};

// Types an address the way the user does: digits and dots, the dots moving on.
void Type_Address(const String& Text)
{
    for (TEdit* e : {FBoot->E_IP1, FBoot->E_IP2, FBoot->E_IP3, FBoot->E_IP4}) e->SetText("");
    UserFocus(FBoot->E_IP1);
    for (char c : Text) UserType(FBoot->ActiveControl(), String(1, c));
}

}  // namespace

TEST_F(UpdateInProgram, StepFiveUpdatesTheConverterWithEachOption)
{
    TIcmpEcho probe;
    const TPingReply r = probe.Ping("127.0.0.1", "probe", 400);
    if (r.Result == prError) GTEST_SKIP() << "no ICMP socket can be opened here: " << r.ErrorText;

    EXPECT_EQ(Window_Index("TFBoot"), 6);
    TInteractionScript script;
    Prepare_Configuration(script);
    if (HasFatalFailure()) return;

    const struct {
        int Option;
        bool Read_Back;
        std::vector<const char*> Start_Addresses;
    } cases[] = {
        {0, true, {"0x8000", "0x07000", "0x80000"}},
        {1, false, {"0x8000"}},
        {2, true, {"0x07000", "0x80000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("option " + IntToStr(c.Option));
        DeleteFile(Bank(1));
        DeleteFile(Bank(2));
        DeleteFile(Marker());
        script.OnForm(
            [&](TForm*) {
                // Both images are on disk before the dialog opens.
                EXPECT_EQ(ReadFileBytes(Bank(1)).size(), 2048u);
                EXPECT_EQ(ReadFileBytes(Bank(2)).size(), 32768u);
                Type_Address("127.0.0.1");
                FBoot->CB_Update_Options->SetItemIndex(c.Option);
                FBoot->CB_Update_Option_Read_Back->SetChecked(c.Read_Back);
                UserClick(FBoot->Btn_Update);
                EXPECT_TRUE(FileExists(Marker())) << "the updater ran and was waited for";
                UserClick(FBoot->Btn_Cancel);
                return mrNone;
            },
            "TFBoot");
        UserClick(FDuvazaradFirmWare->Btn_CreateBin);
        EXPECT_EQ(script.Problems(), "");
        EXPECT_EQ(script.Last()->Result, mrCancel);

        // The images are the configuration's, fixtures included.
        const TBin_Images built = Build_Bin_Images(FileName_ParGen, FileName_KNX_SetAccess, FileName_LoRaWAN_SetAccess);
        const String b1 = ReadFileBytes(Bank(1)), b2 = ReadFileBytes(Bank(2));
        EXPECT_EQ(String(built.Bank1.begin(), built.Bank1.end()), b1);
        EXPECT_EQ(String(built.Bank2.begin(), built.Bank2.end()), b2);
        EXPECT_EQ(uint8_t(b1.at(456)), 4) << "the four taken KNX rows";
        EXPECT_EQ(uint8_t(b2.at(24576 + 80)), 3) << "the three taken uplinks";

        // The job the updater found beside itself.
        TXMLDocument job;
        job.LoadFromFile(PathJoin(Dir, "job_seen.xml"));
        EXPECT_EQ(job.DocumentElement().ChildNode("IP_Address_Dev").Text(), "127.0.0.1");
        TXMLNode ops = job.DocumentElement().ChildNode("Operations");
        ASSERT_EQ(ops.ChildCount(), int(c.Start_Addresses.size()));
        for (int i = 0; i < ops.ChildCount(); ++i) {
            EXPECT_EQ(ops.Child(i).ChildNode("Ope_Start_Address").Text(), c.Start_Addresses[i]);
            EXPECT_EQ(ops.Child(i).ChildNode("Ope_Read_Back").Text(), c.Read_Back ? "1" : "0");
        }
        EXPECT_EQ(ReadFileBytes(PathJoin(Dir, "Ethernet_Update.xml")), ReadFileBytes(PathJoin(Dir, "job_seen.xml")));
        EXPECT_EQ(Last_IP_Address, "127.0.0.1");
        EXPECT_EQ(Update_Option_Index, c.Option);
        EXPECT_EQ(Update_Option_Read_Back, c.Read_Back);
    }

    // The next press shows the choices of the last update.
    script.OnForm(
        [](TForm*) {
            EXPECT_EQ(FBoot->IP_Address_Text(), "127.0.0.1");
            EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 2);
            return mrCancel;
        },
        "TFBoot");
    UserClick(FDuvazaradFirmWare->Btn_CreateBin);
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(UpdateInProgram, ARowWithoutARequiredAttributeStopsTheStepAndWritesNothing)
{
    TInteractionScript script;
    Prepare_Configuration(script);
    if (HasFatalFailure()) return;
    String knx = Fixture("KNX_SetAccess.xml");
    const auto at = knx.find(" Length=\"4\"");
    ASSERT_NE(at, String::npos);
    knx.erase(at, 11);
    WriteFileAtomic(FileName_KNX_SetAccess, knx);

    script.Answer(mrOk, "Length");
    UserClick(FDuvazaradFirmWare->Btn_CreateBin);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(script.Count(ikModalForm), 2) << "only the two dialogs of the preparation";
    EXPECT_EQ(script.Last()->DlgType, mtError);
    EXPECT_FALSE(FileExists(Bank(1)));
    EXPECT_FALSE(FileExists(Bank(2)));
}

TEST_F(UpdateInProgram, ImagesThatCannotBeWrittenAreReportedAndTheDialogStaysShut)
{
    TInteractionScript script;
    Prepare_Configuration(script);
    if (HasFatalFailure()) return;
    const String bin = PathJoin(Project_Path, "bin");
    std::filesystem::remove_all(bin);
    WriteFileAtomic(bin, "a file where the folder should be");

    script.Answer(mrOk, "bank1.bin");
    UserClick(FDuvazaradFirmWare->Btn_CreateBin);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(script.Count(ikModalForm), 2) << "only the two dialogs of the preparation";
    EXPECT_EQ(script.Last()->DlgType, mtError);
}
