// The update dialog on its own: what it shows, the address edits, the ping and what a
// ping's outcome leads to, and stopping an update by closing the dialog.
#include <gtest/gtest.h>

#include "tests/common/UserInput.h"
#include "update_fixture.h"

using namespace update_test;

namespace {

class BootTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "Ruz41O08";
        Dir = Test_Folder("boot");
        Exe_Path = Dir;
        Master_Path = PathJoin(Dir, "MASTER");
        Project_Path = PathJoin(Dir, "PROJECTS/Plant");
        Last_IP_Address = "192.168.2.205";
        Update_Option_Index = 0;
        Update_Option_Read_Back = true;
        W = new TFBoot(nullptr);
        W->AfterConstruction();
        W->Form_Type = 1;
        W->Echo = Converter.Echo();
        W->Ping_Limit_Ms = 150;
    }
    void TearDown() override
    {
        W->Free();
        W = nullptr;
        Exe_Path.clear();
        Master_Path.clear();
        Project_Path.clear();
        Last_IP_Address.clear();
        Update_Option_Index = 0;
        Update_Option_Read_Back = true;
        std::filesystem::remove_all(Dir);
    }

    // Shows the dialog; Act works on it like the user; then Cancel closes it unless it
    // was closed already.
    void Open(TInteractionScript& script, const std::function<void()>& Act)
    {
        script.OnForm(
            [&](TForm*) {
                Act();
                return mrCancel;
            },
            "TFBoot");
        W->ShowModal();
    }
    void Set_Address(const String& a, const String& b, const String& c, const String& d)
    {
        W->E_IP1->SetText(a);
        W->E_IP2->SetText(b);
        W->E_IP3->SetText(c);
        W->E_IP4->SetText(d);
    }
    String Job_File() const { return PathJoin(Dir, "Ethernet_Update.xml"); }
    String Updater_Ran() const { return PathJoin(Dir, "updater_ran"); }

    String Dir;
    TFBoot* W = nullptr;
    TStand_In_Converter Converter;
};

}  // namespace

TEST_F(BootTest, FirstShowingTakesTheKeptAddressAndChoices)
{
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(W->Caption(), "Update Device by Ethernet (UDP)");
        EXPECT_EQ(W->L_SW_Desc->Caption(), "Update Device Using the Ethernet Port");
        EXPECT_EQ(W->L_SW_Code->Caption(), "Ruz41O08");
        EXPECT_EQ(W->IP_Address_Text(), "192.168.2.205");
        EXPECT_EQ(W->CB_Update_Options->Items()->Count(), 3);
        EXPECT_EQ(W->CB_Update_Options->Text(), "Firmware + Configuration");
        EXPECT_TRUE(W->CB_Update_Option_Read_Back->Checked());
        EXPECT_EQ(W->ClientWidth(), 449);
        EXPECT_EQ(W->ClientHeight(), 230);
        EXPECT_TRUE(W->P_IP_Address->Visible());
        EXPECT_TRUE(W->P_Options->Visible());
        EXPECT_FALSE(W->P_Eth_Search->Visible());
        EXPECT_FALSE(W->P_Serial->Visible());
        // Address, then options, under the title.
        EXPECT_EQ(W->P_IP_Address->Top(), 69);
        EXPECT_EQ(W->P_Options->Top(), 69 + 49);
        EXPECT_EQ(W->ActiveControl(), W->E_IP1);
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(BootTest, EachShowingReappliesTheTextsAndRestoresTheRunsChoices)
{
    Update_Option_Index = 2;
    Update_Option_Read_Back = false;
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(W->CB_Update_Options->Text(), "Configuration");
        EXPECT_FALSE(W->CB_Update_Option_Read_Back->Checked());
        // The user changes the choices, then cancels: nothing is kept.
        W->CB_Update_Options->SetItemIndex(1);
        W->CB_Update_Option_Read_Back->SetChecked(true);
    });
    EXPECT_EQ(Update_Option_Index, 2);
    EXPECT_FALSE(Update_Option_Read_Back);

    // An address that does not split into four octets leaves the edits as they are.
    Last_IP_Address = "10.0.0";
    Set_Address("7", "8", "9", "10");
    Open(script, [&] {
        EXPECT_EQ(W->IP_Address_Text(), "7.8.9.10");
        EXPECT_EQ(W->CB_Update_Options->Text(), "Configuration");
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(BootTest, TheDotKeyMovesThroughTheOctetsAndNeverReachesThem)
{
    TInteractionScript script;
    Open(script, [&] {
        Set_Address("", "", "", "");
        UserFocus(W->E_IP1);
        for (char c : String("192.168.1.10.")) {
            auto* focused = W->ActiveControl();
            ASSERT_NE(focused, nullptr);
            UserType(focused, String(1, c));
        }
        EXPECT_EQ(W->E_IP1->Text(), "192");
        EXPECT_EQ(W->E_IP2->Text(), "168");
        EXPECT_EQ(W->E_IP3->Text(), "1");
        EXPECT_EQ(W->E_IP4->Text(), "10") << "a dot in the last octet is swallowed";
        EXPECT_EQ(W->ActiveControl(), W->E_IP4);
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(BootTest, AnAddressTypedOverTheShownOneReplacesEveryOctet)
{
    struct Case {
        const char* How;
        const char* Typed;
        bool Back_To_First;   // the user returns to the first octet before typing
    };
    const Case cases[] = {
        {"as the dialog opens on the first octet", "10.0.0.1", false},
        {"back in the first octet after typing one", "172.16.254.3", true},
    };
    Last_IP_Address = "192.0.2.1";
    TInteractionScript script;
    Open(script, [&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.How);
            if (c.Back_To_First) UserFocus(W->E_IP1);
            ASSERT_EQ(W->ActiveControl(), W->E_IP1);
            // The keys go wherever the focus is; each full stop moves it on.
            for (char k : String(c.Typed)) UserType(W->ActiveControl(), String(1, k));
            EXPECT_EQ(W->IP_Address_Text(), c.Typed);
        }
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(BootTest, PingOutcomes)
{
    struct Case {
        const char* Why;
        std::vector<TPingResult> Results;
        bool Answer;
        int Ping_Res;
        bool Until_Limit;   // echoes go on until the overall limit
        int Echoes;         // exactly, when not Until_Limit
    };
    const Case cases[] = {
        {"answers every echo: two echoes", {prReplyWithData}, true, 1, false, 2},
        {"answers the first only: on to the limit, the last decides", {prReplyWithData, prTimeout}, false, 2, true, 0},
        {"answers from the third echo on", {prTimeout, prTimeout, prReplyWithData}, true, 1, false, 4},
        {"answers once, late, as the last echo", {prTimeout, prTimeout, prTimeout, prReplyWithData, prTimeout}, false, 2, true, 0},
        {"silent", {prTimeout}, false, 2, true, 0},
        {"replies without our data never count", {prReplyWithoutData}, false, 2, true, 0},
        {"cannot be pinged at all", {prError}, false, 0, false, 1},
        {"an error after a time-out keeps the time-out", {prTimeout, prError}, false, 2, false, 2},
        {"an error after an answer ends it unanswered", {prReplyWithData, prError}, false, 1, false, 2},
    };
    Set_Address("127", "0", "0", "1");
    for (const Case& c : cases) {
        Converter = TStand_In_Converter();
        Converter.Results = c.Results;
        const uint64_t t0 = GetTickCount64();
        EXPECT_EQ(W->Send_Ping(), c.Answer) << c.Why;
        const uint64_t took = GetTickCount64() - t0;
        EXPECT_EQ(W->ping_res, c.Ping_Res) << c.Why;
        if (c.Until_Limit) {
            EXPECT_GE(took, W->Ping_Limit_Ms) << c.Why;
            EXPECT_LT(took, W->Ping_Limit_Ms + 200) << c.Why << ": no echo starts after the limit";
            EXPECT_GE(Converter.Echoes(), 5) << c.Why;
        } else {
            EXPECT_EQ(Converter.Echoes(), c.Echoes) << c.Why;
        }
    }
    EXPECT_FALSE(W->Pinging());
    EXPECT_TRUE(W->Btn_Update->Enabled());
}

TEST_F(BootTest, EachEchoCarriesTheTypedAddressIn1024Bytes)
{
    Set_Address(" 127", "0", "00", "1");
    Converter.Results = {prReplyWithData};
    ASSERT_TRUE(W->Send_Ping());
    ASSERT_EQ(Converter.Echoes(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Converter.Hosts[i], " 127.0.00.1") << "as typed";
        EXPECT_EQ(Converter.Timeouts[i], 400u);
        ASSERT_EQ(Converter.Data[i].size(), 1024u);
        EXPECT_EQ(Converter.Data[i].substr(0, 11), " 127.0.00.1");
        EXPECT_EQ(Converter.Data[i].find_first_not_of('\0', 11), std::string::npos) << "then zero bytes";
    }
}

TEST_F(BootTest, AFailedPingShowsItsMessageAndKeepsNothing)
{
    struct Case {
        TPingResult Result;
        TMsgDlgType Type;
        const char* Text;
    };
    const Case cases[] = {
        {prTimeout, mtWarning, "Device Not Found!"},
        {prReplyWithoutData, mtWarning, "Device Not Found!"},
        {prError, mtError, "Error!!! Check the Ip Address"},
    };
    Place_Program(PathJoin(Dir, "Ethernet_Update.exe"), Updater_Script("0"));
    for (const Case& c : cases) {
        Converter.Results = {c.Result};
        TInteractionScript script;
        script.OnForm(
            [&](TForm*) {
                Set_Address("127", "0", "0", "2");
                W->CB_Update_Options->SetItemIndex(2);
                W->CB_Update_Option_Read_Back->SetChecked(false);
                UserClick(W->Btn_Update);
                EXPECT_EQ(W->ModalResult(), mrNone) << "the dialog stays open";
                return mrCancel;
            },
            "TFBoot");
        script.Answer(mrOk, c.Text);
        W->ShowModal();
        EXPECT_EQ(script.Problems(), "") << c.Text;
        ASSERT_EQ(script.Count(ikMessageBox), 1);
        EXPECT_EQ(script.Records()[1].DlgType, c.Type);
        EXPECT_EQ(Last_IP_Address, "192.168.2.205");
        EXPECT_EQ(Update_Option_Index, 0);
        EXPECT_TRUE(Update_Option_Read_Back);
        EXPECT_FALSE(FileExists(Job_File()));
        EXPECT_FALSE(FileExists(Updater_Ran()));
    }

    // Reopened, the dialog shows the address of the last good update, not the one typed.
    TInteractionScript script;
    Open(script, [&] { EXPECT_EQ(W->IP_Address_Text(), "192.168.2.205"); });
}

TEST_F(BootTest, AnAnsweredPingKeepsTheAddressAsTypedWritesTheJobAndRunsTheUpdater)
{
    Place_Program(PathJoin(Dir, "Ethernet_Update.exe"), Updater_Script());
    Converter.Results = {prReplyWithData};
    TInteractionScript script;
    Open(script, [&] {
        Set_Address(" 127", "0", "0", "001");
        W->CB_Update_Options->SetItemIndex(1);
        W->CB_Update_Option_Read_Back->SetChecked(false);
        UserClick(W->Btn_Update);
        EXPECT_TRUE(FileExists(Updater_Ran())) << "the updater was waited for";
        EXPECT_EQ(W->ModalResult(), mrNone) << "the dialog stays open";
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(Last_IP_Address, " 127.0.0.001");
    EXPECT_EQ(Update_Option_Index, 1);
    EXPECT_FALSE(Update_Option_Read_Back);
    EXPECT_EQ(Trim(ReadFileBytes(Updater_Ran())), "0:") << "started without arguments";
    TXMLDocument job;
    job.LoadFromFile(PathJoin(Dir, "job_seen.xml"));
    EXPECT_EQ(job.DocumentElement().ChildNode("IP_Address_Dev").Text(), " 127.0.0.001");
    EXPECT_EQ(job.DocumentElement().ChildNode("Operations").ChildCount(), 1);
}

TEST_F(BootTest, ClosingTheDialogDuringThePingStopsTheUpdate)
{
    Place_Program(PathJoin(Dir, "Ethernet_Update.exe"), Updater_Script("0"));
    struct Case {
        const char* How;
        std::function<void(TFBoot*)> Close;
    };
    const Case cases[] = {
        {"Cancel", [](TFBoot* w) { UserClick(w->Btn_Cancel); }},
        {"the window's close", [](TFBoot* w) { w->Close(); }},
    };
    for (const Case& c : cases) {
        Converter = TStand_In_Converter();
        Converter.Results = {prReplyWithData};
        Converter.During = [&](int n) {
            if (n == 0) c.Close(W);
        };
        TInteractionScript script;
        script.OnForm(
            [&](TForm*) {
                Set_Address("127", "0", "0", "1");
                UserClick(W->Btn_Update);
                return mrNone;
            },
            "TFBoot");
        EXPECT_EQ(W->ShowModal(), mrCancel) << c.How;
        EXPECT_EQ(script.Problems(), "") << c.How << ": no message either";
        EXPECT_EQ(Converter.Echoes(), 1) << c.How;
        EXPECT_EQ(Last_IP_Address, "192.168.2.205") << c.How;
        EXPECT_FALSE(FileExists(Job_File())) << c.How;
        EXPECT_FALSE(FileExists(Updater_Ran())) << c.How;
        EXPECT_TRUE(W->Btn_Update->Enabled()) << c.How;
    }
}

TEST_F(BootTest, TheUpdateButtonCannotBePressedAgainWhileThePingRuns)
{
    Place_Program(PathJoin(Dir, "Ethernet_Update.exe"), Updater_Script("0"));
    Converter.Results = {prReplyWithData};
    bool enabled_during = true;
    Converter.During = [&](int n) {
        if (n != 0) return;
        enabled_during = W->Btn_Update->Enabled();
        UserClick(W->Btn_Update);
        // Even a click that reaches the handler directly starts nothing.
        W->Btn_UpdateClick(W->Btn_Update);
    };
    TInteractionScript script;
    Open(script, [&] {
        Set_Address("127", "0", "0", "1");
        UserClick(W->Btn_Update);
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_FALSE(enabled_during);
    EXPECT_EQ(Converter.Echoes(), 2) << "one ping, not two";
    EXPECT_TRUE(FileExists(Updater_Ran()));
    EXPECT_TRUE(W->Btn_Update->Enabled());
}

TEST_F(BootTest, AMissingUpdaterIsReported)
{
    Converter.Results = {prReplyWithData};
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) {
            Set_Address("127", "0", "0", "1");
            UserClick(W->Btn_Update);
            EXPECT_EQ(W->ModalResult(), mrNone) << "the dialog stays open";
            return mrCancel;
        },
        "TFBoot");
    script.Answer(mrOk, "Ethernet_Update.exe");
    W->ShowModal();
    EXPECT_EQ(script.Problems(), "");
    ASSERT_EQ(script.Count(ikMessageBox), 1);
    EXPECT_EQ(script.Records()[1].DlgType, mtError);
    EXPECT_TRUE(FileExists(Job_File())) << "the job was written before the start failed";
    EXPECT_EQ(Last_IP_Address, "127.0.0.1");
}

TEST_F(BootTest, AJobFileThatCannotBeWrittenStartsNoUpdater)
{
    Place_Program(PathJoin(Dir, "Ethernet_Update.exe"), Updater_Script("0"));
    // A folder where the job file should be.
    ASSERT_TRUE(CreateDir(Job_File()));
    Converter.Results = {prReplyWithData};
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) {
            Set_Address("127", "0", "0", "1");
            UserClick(W->Btn_Update);
            return mrCancel;
        },
        "TFBoot");
    script.Answer(mrOk, "Ethernet_Update.xml");
    W->ShowModal();
    EXPECT_EQ(script.Problems(), "");
    EXPECT_FALSE(FileExists(Updater_Ran()));
}

TEST_F(BootTest, TheUpdateLineNamesTheChoices)
{
    struct Case {
        int Option;
        bool Read_Back;
        const char* Line;
    };
    const Case cases[] = {
        {0, true, "X FW FR PW PR "}, {0, false, "X FW NO PW NO "}, {1, true, "X FW FR NO NO "},
        {1, false, "X FW NO NO NO "}, {2, true, "X NO NO PW PR "}, {2, false, "X NO NO PW NO "},
    };
    for (const Case& c : cases) {
        W->CB_Update_Options->SetItemIndex(c.Option);
        W->CB_Update_Option_Read_Back->SetChecked(c.Read_Back);
        EXPECT_EQ(W->Update_Options("X "), c.Line);
    }
}

TEST_F(BootTest, SerialVariantListsThePortsAndOnlyKeepsTheChoices)
{
    W->Form_Type = 0;
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(W->Caption(), "Update Device by Serial");
        EXPECT_TRUE(W->P_Serial->Visible());
        EXPECT_FALSE(W->P_IP_Address->Visible());
        EXPECT_EQ(W->ClientHeight(), 232);
        for (int i = 0; i < W->CB_COM_Port->Items()->Count(); ++i)
            EXPECT_EQ(W->CB_COM_Port->Items()->Strings(i).substr(0, 3), "COM");
        W->CB_Update_Options->SetItemIndex(2);
        UserClick(W->Btn_Update);
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(Converter.Echoes(), 0);
    EXPECT_EQ(Update_Option_Index, 2);
    EXPECT_FALSE(FileExists(Job_File()));
}

// The real ICMP client against this machine's own address.
TEST_F(BootTest, PingOfTheLoopbackAddressIsAnswered)
{
    W->Echo = nullptr;
    W->Ping_Limit_Ms = 5000;
    TIcmpEcho probe;
    const TPingReply r = probe.Ping("127.0.0.1", "probe", 400);
    if (r.Result == prError) GTEST_SKIP() << "no ICMP socket can be opened here: " << r.ErrorText;

    Set_Address("127", "0", "0", "1");
    const uint64_t t0 = GetTickCount64();
    EXPECT_TRUE(W->Send_Ping());
    EXPECT_EQ(W->ping_res, 1);
    EXPECT_LT(GetTickCount64() - t0, 1000u) << "two answers end it at once";
}
