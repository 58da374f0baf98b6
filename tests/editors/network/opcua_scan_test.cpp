// The OPC UA server browse against the stand-in library: what the library is given, the
// rows it fills and their marks, and a library that is missing or incomplete.
#include "editors/network/opcua/UOPC_UA_Scan_Server.h"
#include "platform/os/DynLibrary.h"
#include "tests/editors/network/opcua_fixture.h"

namespace {

using namespace OPC_UA_Scan;

class OpcUaScan : public OpcUaWindows {
protected:
    void SetUp() override
    {
        OpcUaWindows::SetUp();
        D = Make(FOPC_UA_Scan_Server);
    }
    // Fills Server as the client editor does; the texts live in this fixture.
    void Set_Server(const String& Address)
    {
        Texts = {Address, "user", "pw", "-----BEGIN-----\r\nAB\r\n-----END-----", "key"};
        D->Server = {};
        D->Server.server_address = OPCUA_Register_Text(Texts[0].c_str());
        D->Server.user_pass_auth_flag = 2;
        D->Server.username = OPCUA_Register_Text(Texts[1].c_str());
        D->Server.password = OPCUA_Register_Text(Texts[2].c_str());
        D->Server.cert = OPCUA_Register_Text(Texts[3].c_str());
        D->Server.priv_key = OPCUA_Register_Text(Texts[4].c_str());
        D->Server.security_type = 1;
        D->Server.security_policy = 4;
    }
    // Shows the dialog, lets the browse run, then acts and closes with Result.
    // A box expected from the browse (Box not empty) is answered OK.
    TModalResult Browse(TInteractionScript& Script, const std::function<void()>& Act = {},
                        TModalResult Result = mrOk, const String& Box = "")
    {
        Script.OnForm(
            [&](TForm*) {
                Wait_Until([&] { return !D->Timer_Scan->Enabled(); });
                if (Act) Act();
                return Result;
            },
            "TFOPC_UA_Scan_Server");
        if (!Box.empty()) Script.Answer(mrOk, Box);
        return D->ShowModal();
    }
    String Cell(int c, int r) const { return D->ACG_OPC_UA_Scan_Var->GetCellEx(c, r); }

    TFOPC_UA_Scan_Server* D = nullptr;
    std::vector<std::string> Texts;
};

TEST_F(OpcUaScan, RowsAndMarksFollowTheRecords)
{
    // The test holds the library too, to read what the browse gave it afterwards.
    TDynLibrary Lib;
    ASSERT_TRUE(Lib.Load(Library, Exe_Path)) << Lib.Error();
    Set_Server("table");
    TInteractionScript Script;
    TBitmap Png;
    EXPECT_EQ(Browse(Script, [&] { EXPECT_TRUE(SNAPSHOT(D, "opcua_scan.png", Png)); }), mrOk);
    EXPECT_EQ(Script.Problems(), "");
    const auto Last = reinterpret_cast<const char* (*)()>(Lib.Function("standin_last_server"));
    ASSERT_TRUE(Last);
    EXPECT_STREQ(Last(), "table|2|user|pw|-----BEGIN-----\r\nAB\r\n-----END-----|key|1|4");

    EXPECT_FALSE(D->LWaiting->Visible());
    ASSERT_EQ(D->List_Var.size(), 6u);
    ASSERT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), 7);
    const std::vector<std::vector<String>> rows = {
        {"1", "Y", "", "Temperature", "Numeric", "4294967295", "Double", "2", "Read"},
        {"2", "", "Y", "Setpoint", "String", "ns=2;s=Pump.Setpoint", "Int16", "2", "Write"},
        {"3", "Y", "Y", "Mode", "ByteString", "QUJD", "String", "3", "Read/Write"},
        {"4", "Y", "Y", "Counter", "Numeric", "1001", "UInt32", "1", "Read/Write"},
        {"5", "Y", "Y", "Serial", "Guid", "0123ABCD-0001-0002-0304-05060708090A", "Guid", "0", "Read/Write"},
        // A record without texts shows empty texts; a type outside the table no name.
        {"6", "Y", "", "", "String", "", "", "0", "Read"},
    };
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < Col_Count; ++c) EXPECT_EQ(Cell(c, int(r) + 1), rows[r][size_t(c)]) << r + 1 << "," << c;
    // The records' texts are the dialog's own: readable after the library is gone.
    Lib.Unload();
    EXPECT_EQ(TFOPC_UA_Scan_Server::Record_Text(D->List_Var[1].stringname), "ns=2;s=Pump.Setpoint");
    EXPECT_EQ(TFOPC_UA_Scan_Server::Record_Text(D->List_Var[0].displayName), "Temperature");
    // The server's handles are spent with the browse.
    EXPECT_EQ(OPCUA_Text_Of(D->Server.server_address), nullptr);
}

TEST_F(OpcUaScan, MarksAreTheUsersAndShowingAgainWithoutAddressResetsThem)
{
    Set_Server("table");
    TInteractionScript Script;
    Browse(Script, [&] {
        Press(D->Btn_ClearAllWrite);
        Press(D->Btn_SelectAllRead);
        // A click on a mark flips it.
        Click(D->ACG_OPC_UA_Scan_Var, Col_Write, 3);
    });
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_EQ(Cell(Col_Read, 2), "Y");
    EXPECT_EQ(Cell(Col_Write, 1), "N");
    EXPECT_EQ(Cell(Col_Write, 3), "Y");
    EXPECT_EQ(Cell(Col_Write, 4), "N");

    // No address: no browse, the last result with the marks of its access levels.
    D->Server = {};
    TInteractionScript Again;
    Again.OnForm([&](TForm*) {
        EXPECT_FALSE(D->Timer_Scan->Enabled());
        EXPECT_FALSE(D->LWaiting->Visible());
        return mrCancel;
    });
    D->ShowModal();
    EXPECT_EQ(Again.Problems(), "");
    EXPECT_EQ(Cell(Col_Read, 2), "");
    EXPECT_EQ(Cell(Col_Write, 1), "");
    EXPECT_EQ(Cell(Col_Write, 4), "Y");
}

TEST_F(OpcUaScan, CountsOutsideReasonAreBounded)
{
    const struct {
        const char* address;
        size_t records;
        int rows;
    } cases[] = {
        {"none", 0, 2},
        {"count:-5", 0, 2},
        {"count:2147483647", size_t(Max_Variables), Max_Variables + 1},
        {"many:3", 3, 4},
    };
    for (const auto& c : cases) {
        Set_Server(c.address);
        TInteractionScript Script;
        // Select All on an empty result changes nothing.
        Browse(Script, [&] { Press(D->Btn_SelectAllWrite); });
        EXPECT_EQ(Script.Problems(), "") << c.address;
        EXPECT_EQ(D->List_Var.size(), c.records) << c.address;
        EXPECT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), c.rows) << c.address;
        if (c.records == 0) {
            EXPECT_EQ(Cell(Col_Write, 1), "") << c.address;
        }
    }
}

// The built-in texts of both boxes are blank: a language file gives them their words.
TEST_F(OpcUaScan, MissingLibraryOrFunctionIsToldAndNothingBrowsed)
{
    Apply_Lng_Bytes("STR5730 = Error!! OPC_UA_Search cannot be loaded\nSTR5731 = Error!! OPC_UA_Search lacks a function\n");
    const struct {
        String folder;
        int text;
    } cases[] = {{Dir, 5730}, {OPCUA_LACKING_DIR, 5731}};
    for (const auto& c : cases) {
        Exe_Path = c.folder;
        Set_Server("table");
        TInteractionScript Script;
        EXPECT_EQ(Browse(Script, {}, mrOk, Text(c.text)), mrOk);
        EXPECT_EQ(Script.Problems(), "") << c.text;
        EXPECT_EQ(Boxes(Script), std::vector<String>{Text(c.text)});
        EXPECT_TRUE(D->LWaiting->Visible()) << c.text;
        EXPECT_TRUE(D->List_Var.empty());
        EXPECT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), 2);
    }
}

}  // namespace
