// The browse library against a real OPC UA server on 127.0.0.1: through the browse dialog
// as the user meets it (anonymous, user name, Basic256Sha256 signed and encrypted), and
// what it says when the settings are ones it does not support.
#include <gtest/gtest.h>

#include <map>

#include "editors/network/opcua/UOPC_UA_Scan_Server.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/opcua/UaBrowse.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/platform/opcua/test_server.h"

namespace {

using namespace OPC_UA_Scan;

TTestServer Server;
std::string Server_Error;

class OpcUaServerBrowse : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Server_Error = Server.Start(); }
    static void TearDownTestSuite() { Server.Stop(); }

    void SetUp() override
    {
        ASSERT_EQ(Server_Error, "");
        Load_Default_Texts();
        SW_Code = "RO41R08";
        Saved_Exe_Path = Exe_Path;
        Exe_Path = OPCUA_LIBRARY_DIR;
        D = new TFOPC_UA_Scan_Server(nullptr);
        D->AfterConstruction();
        FOPC_UA_Scan_Server = D;
    }
    void TearDown() override
    {
        if (!D) return;  // the server did not start: SetUp stopped before making the dialog
        D->Free();
        FOPC_UA_Scan_Server = nullptr;
        Exe_Path = Saved_Exe_Path;
    }

    // Fills Server as the client editor does, from the texts of its table.
    void Set_Server(int Auth, const std::string& User, const std::string& Password, int Mode, int Policy)
    {
        Texts = {Server.Url, User, Password, Server.Client_Cert, Server.Client_Key};
        D->Server = {};
        D->Server.server_address = OPCUA_Register_Text(Texts[0].c_str());
        D->Server.user_pass_auth_flag = Auth;
        D->Server.username = OPCUA_Register_Text(Texts[1].c_str());
        D->Server.password = OPCUA_Register_Text(Texts[2].c_str());
        D->Server.cert = OPCUA_Register_Text(Texts[3].c_str());
        D->Server.priv_key = OPCUA_Register_Text(Texts[4].c_str());
        D->Server.security_type = Mode;
        D->Server.security_policy = Policy;
    }

    // Shows the dialog and lets the browse run; the boxes it showed (Box: one is expected).
    std::vector<String> Browse(bool Box = false)
    {
        TInteractionScript Script;
        Script.OnForm(
            [&](TForm*) {
                for (int i = 0; i < 3000 && (D->Timer_Scan->Enabled() || D->LWaiting->Visible()); ++i) {
                    Application->ProcessMessages();
                    usleep(10000);
                }
                return mrOk;
            },
            "TFOPC_UA_Scan_Server");
        if (Box) Script.Answer(mrOk);
        D->ShowModal();
        std::vector<String> Boxes;
        for (const TInteractionRecord& r : Script.Records())
            if (r.Kind == ikMessageBox) Boxes.push_back(r.Text);
        return Boxes;
    }

    // The dialog's rows by display name: the cells from column 1 on.
    std::map<String, std::vector<String>> Rows() const
    {
        std::map<String, std::vector<String>> m;
        TExtColumnGrid* g = D->ACG_OPC_UA_Scan_Var;
        for (int r = 1; r < g->RowCount(); ++r) {
            std::vector<String> v;
            for (int c = Col_Read; c < Col_Count; ++c) v.push_back(g->GetCellEx(c, r));
            m[g->GetCellEx(Col_Display_Name, r)] = v;
        }
        return m;
    }

    TFOPC_UA_Scan_Server* D = nullptr;
    String Saved_Exe_Path;
    std::vector<std::string> Texts;
};

// What the server holds, as the dialog must list it: 15 types, two access variants, three
// identifier kinds and 1100 variables in one folder; no array, no variable without access.
void Expect_Address_Space(const std::map<String, std::vector<String>>& Rows, size_t Count)
{
    EXPECT_EQ(Count, 1120u);
    const struct {
        const char* Name;
        std::vector<String> Cells;   // Read, Write, name, node type, id, data type, ns, access
    } cases[] = {
        {"VBoolean", {"Y", "Y", "VBoolean", "String", "VBoolean", "Boolean", "1", "Read/Write"}},
        {"VSByte", {"Y", "Y", "VSByte", "String", "VSByte", "Int8", "1", "Read/Write"}},
        {"VByte", {"Y", "Y", "VByte", "String", "VByte", "UInt8", "1", "Read/Write"}},
        {"VInt16", {"Y", "Y", "VInt16", "String", "VInt16", "Int16", "1", "Read/Write"}},
        {"VUInt16", {"Y", "Y", "VUInt16", "String", "VUInt16", "UInt16", "1", "Read/Write"}},
        {"VInt32", {"Y", "Y", "VInt32", "String", "VInt32", "Int32", "1", "Read/Write"}},
        {"VUInt32", {"Y", "Y", "VUInt32", "String", "VUInt32", "UInt32", "1", "Read/Write"}},
        {"VInt64", {"Y", "Y", "VInt64", "String", "VInt64", "Int64", "1", "Read/Write"}},
        {"VUInt64", {"Y", "Y", "VUInt64", "String", "VUInt64", "UInt64", "1", "Read/Write"}},
        {"VFloat", {"Y", "Y", "VFloat", "String", "VFloat", "Float", "1", "Read/Write"}},
        {"VDouble", {"Y", "Y", "VDouble", "String", "VDouble", "Double", "1", "Read/Write"}},
        {"VString", {"Y", "Y", "VString", "String", "VString", "String", "1", "Read/Write"}},
        {"VDateTime", {"Y", "Y", "VDateTime", "String", "VDateTime", "DateTime", "1", "Read/Write"}},
        {"VGuid", {"Y", "Y", "VGuid", "String", "VGuid", "Guid", "1", "Read/Write"}},
        {"VByteString", {"Y", "Y", "VByteString", "String", "VByteString", "ByteString", "1", "Read/Write"}},
        {"ReadOnly", {"Y", "", "ReadOnly", "String", "ReadOnly", "Double", "1", "Read"}},
        {"WriteOnly", {"", "Y", "WriteOnly", "String", "WriteOnly", "Double", "1", "Write"}},
        {"BigNumeric", {"Y", "Y", "BigNumeric", "Numeric", "4294967290", "Int32", "1", "Read/Write"}},
        {"GuidId", {"Y", "Y", "GuidId", "Guid", "0123ABCD-0001-0002-0304-05060708090A", "Int32", "1", "Read/Write"}},
        {"\xC3\x89mile", {"Y", "Y", "\xC3\x89mile", "String", "\xC3\x9Cn\xC3\xAF" "code", "Int32", "1", "Read/Write"}},
        {"M0", {"Y", "Y", "M0", "Numeric", "100000", "UInt16", "1", "Read/Write"}},
        {"M1099", {"Y", "Y", "M1099", "Numeric", "101099", "UInt16", "1", "Read/Write"}},
    };
    for (const auto& c : cases) {
        const auto it = Rows.find(c.Name);
        ASSERT_NE(it, Rows.end()) << c.Name;
        EXPECT_EQ(it->second, c.Cells) << c.Name;
    }
    for (const char* Absent : {"NoAccess", "AnArray", "Plant", "Many"}) EXPECT_EQ(Rows.count(Absent), 0u) << Absent;
}

TEST_F(OpcUaServerBrowse, ListsTheAddressSpaceForEveryIdentityAndSecurity)
{
    const struct {
        const char* what;
        int auth, mode, policy;
        const char* user;
    } cases[] = {
        {"anonymous, no security", 0, 0, 0, ""},
        {"user name, no security", 1, 0, 0, "operator"},
        {"anonymous, signed", 0, 1, 3, ""},
        {"user name, signed and encrypted", 1, 2, 3, "operator"},
    };
    for (const auto& c : cases) {
        Set_Server(c.auth, c.user, "secret", c.mode, c.policy);
        EXPECT_EQ(Browse(), std::vector<String>{}) << c.what;
        EXPECT_FALSE(D->LWaiting->Visible()) << c.what;
        if (c.auth == 0 && c.mode == 0) {
            TBitmap Png;
            EXPECT_TRUE(SNAPSHOT(D, "opcua_server_browse.png", Png));
        }
        Expect_Address_Space(Rows(), D->List_Var.size());
    }
}

TEST_F(OpcUaServerBrowse, WhatFailsIsToldAndNothingListed)
{
    const struct {
        int auth;
        const char* password;
        int mode, policy;
        const char* says;
    } cases[] = {
        {1, "wrong", 0, 0, "sign-in"},
        {1, "wrong", 2, 3, "sign-in"},
        {2, "secret", 0, 0, "certificate is not supported"},
        {0, "", 2, 5, "policies None and Basic 256 SHA 256"},
        {0, "", 0, 3, "do not agree"},
    };
    for (const auto& c : cases) {
        Set_Server(c.auth, "operator", c.password, c.mode, c.policy);
        const std::vector<String> Boxes = Browse(true);
        ASSERT_EQ(Boxes.size(), 1u) << c.says;
        EXPECT_NE(Boxes[0].find(c.says), String::npos) << Boxes[0];
        EXPECT_TRUE(D->List_Var.empty());
        EXPECT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), 2);
    }
}

// A server that takes the connection and never answers: closing the dialog ends the
// browse at once, long before the library's own time-outs, with nothing listed or told.
TEST_F(OpcUaServerBrowse, ClosingTheDialogCancelsAWaitingBrowse)
{
    const int Silent = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(Silent, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(listen(Silent, 4), 0);
    socklen_t n = sizeof a;
    getsockname(Silent, reinterpret_cast<sockaddr*>(&a), &n);
    Set_Server(0, "", "", 0, 0);
    Texts[0] = "opc.tcp://127.0.0.1:" + std::to_string(ntohs(a.sin_port));
    D->Server.server_address = OPCUA_Register_Text(Texts[0].c_str());
    TInteractionScript Script;
    const auto Start = std::chrono::steady_clock::now();
    // The user's click comes through the event loop while the browse waits on the server.
    TTimer* Hand = new TTimer(D);
    Hand->SetInterval(300);
    Hand->OnTimer = [&](TObject*) {
        Hand->SetEnabled(false);
        EXPECT_TRUE(D->LWaiting->Visible());
        UserClick(D->Btn_Cancel);
    };
    Script.OnForm(
        [&](TForm*) {
            Hand->SetEnabled(true);
            for (int i = 0; i < 300 && D->ModalResult() == mrNone; ++i) {
                Application->ProcessMessages();
                usleep(10000);
            }
            return mrCancel;
        },
        "TFOPC_UA_Scan_Server");
    EXPECT_EQ(D->ShowModal(), mrCancel);
    close(Silent);
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(3));
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_TRUE(D->List_Var.empty());
}

// A client certificate whose key is another's is refused before anything is sent.
TEST_F(OpcUaServerBrowse, KeyOfAnotherCertificateIsRefused)
{
    ua::TUaSettings s;
    s.Url = Server.Url;
    s.Mode = 2;
    s.Policy = 3;
    s.Certificate = Server.Client_Cert;
    s.Private_Key = TTestServer::Read(Server.Dir + "/server_key.pem");
    try {
        ua::Browse_Server(s);
        ADD_FAILURE() << "no error";
    } catch (const ua::EUaClient& e) {
        EXPECT_NE(std::string(e.what()).find("does not belong"), std::string::npos) << e.what();
    }
}

}  // namespace
