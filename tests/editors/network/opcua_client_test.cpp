// The OPC UA client editor driven like a user: servers through the server dialog, the
// variable tables as views of the selected server, browsing with the stand-in library,
// automatic positions and OK over the model.
#include "editors/network/opcua/UOPC_UA_Add_Server.h"
#include "editors/network/opcua/UOPC_UA_Client_Access.h"
#include "editors/network/opcua/UOPC_UA_Scan_Server.h"
#include "tests/editors/network/opcua_fixture.h"

namespace {

using namespace OPC_UA;

class OpcUaClient : public OpcUaWindows {
protected:
    void SetUp() override
    {
        OpcUaWindows::SetUp();
        Make(FOPC_UA_Add_Server);
        Make(FOPC_UA_Scan_Server);
        W = Make(FOPC_UA_Client_Access);
        R = W->ACG_OPC_UA_Var_R;
        Wr = W->ACG_OPC_UA_Var_W;
    }
    // Shows the editor; Act works on it while it is open. Returns how it closed.
    TModalResult Open(TInteractionScript& Script, const std::function<void()>& Act, TModalResult Close_With = mrCancel)
    {
        Script.OnForm(
            [&](TForm*) {
                Act();
                return Close_With;
            },
            "TFOPC_UA_Client_Access");
        return W->ShowModal();
    }
    // A server in the file: address, then read and write variables as attribute texts.
    static String Server_Xml(const String& Address, const String& Read = "", const String& Write = "")
    {
        return "<OPC_UA_Server Enable=\"1\" ServerAddress=\"" + Address +
               "\" Authorization=\"Anonymous\" UserName=\"\" Password=\"\" Certificate=\"\" PrivateKey=\"\" "
               "SecurityType=\"None\" SecurityPolicy=\"None\" Mnemonic=\"\"><OPC_UA_Variables><OPC_UA_Read_Var>" +
               Read + "</OPC_UA_Read_Var><OPC_UA_Write_Var>" + Write + "</OPC_UA_Write_Var></OPC_UA_Variables></OPC_UA_Server>";
    }
    static String Var_Xml(const String& Name, const String& VarType, const String& Position, const String& Time = "100")
    {
        return "<Variable Enable=\"1\" DisplayName=\"" + Name + "\" NodeType=\"Numeric\" NodeID=\"1\" VarType=\"" + VarType +
               "\" NameSpaceIndex=\"2\" OnChange=\"0\" OnCMD=\"0\" OnTimer=\"0\" Time=\"" + Time + "\" Position=\"" +
               Position + "\" Mnemonic=\"\"/>";
    }
    void Write_File(const String& Servers)
    {
        WriteFileAtomic(FileName_OPC_UA_Client,
                        "<OPC_UA_Client><OPC_UA_Server_List>" + Servers + "</OPC_UA_Server_List></OPC_UA_Client>");
    }
    // The file as the editor wrote it, read back into a model.
    TOPC_UA_Server_List Written()
    {
        TOPC_UA_Server_List l;
        TXMLDocument Doc;
        Doc.LoadFromFile(FileName_OPC_UA_Client);
        Read_OPC_UA_Client(Doc, l);
        return l;
    }
    // Focus into a table and out again to a button that does nothing here: the table is stored.
    void Store(TExtColumnGrid* G)
    {
        UserFocus(G);
        Pump();
        UserFocus(W->Btn_Cancel);
        Pump();
    }
    TOPC_UA_Server& Server(int i) { return *W->OPC_UA_Server_List.at(size_t(i)); }

    TFOPC_UA_Client_Access* W = nullptr;
    TExtColumnGrid* R = nullptr;
    TExtColumnGrid* Wr = nullptr;
};

TEST_F(OpcUaClient, EmptyListButtonsAndOK)
{
    TInteractionScript Script;
    EXPECT_EQ(Open(Script, [&] {
        EXPECT_EQ(W->ACG_OPC_UA_Server->RowCount(), 2);
        EXPECT_EQ(R->RowCount(), Var_Rows + 1);
        Press(W->Btn_Modify_Server);
        Press(W->Btn_Delete_Server);
        Press(W->Btn_AutoPosition);
        Script.Answer(mrOk, Text(5490));
        Press(W->Btn_Scan_Server);
        Press(W->Btn_OK);
    }),
              mrOk);
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_EQ(Boxes(Script), std::vector<String>{Text(5490)});
    EXPECT_EQ(ReadFileBytes(FileName_OPC_UA_Client), "<OPC_UA_Client>\n  <OPC_UA_Server_List/>\n</OPC_UA_Client>\n");
}

TEST_F(OpcUaClient, ServersComeFromTheDialogAndVariablesFromTheTables)
{
    TInteractionScript Script;
    const TModalResult r = Open(
        Script,
        [&] {
            // A server through the dialog, with a certificate of several lines.
            Script.OnForm(
                [&](TForm*) {
                    auto* D = FOPC_UA_Add_Server;
                    UserFocus(D->E_Server_Add);
                    Type("opc.tcp://127.0.0.1:4840");
                    D->CB_Auth->SetItemIndex(2);
                    D->CB_Auth->OnChange(D->CB_Auth);
                    D->RE_Certificate->SetText("-----BEGIN-----\r\nMIIB\r\n-----END-----");
                    D->RE_Priv_Key->SetText("KEY");
                    D->CB_Sec_Type->SetItemIndex(2);
                    D->CB_Sec_Type->OnChange(D->CB_Sec_Type);
                    D->CB_Sec_Policy->SetItemIndex(3);
                    UserFocus(D->E_Mnemonic);
                    Type("Boiler");
                    Press(D->Btn_OK);
                    return mrNone;
                },
                "TFOPC_UA_Add_Server");
            Press(W->Btn_Add_Server);
            EXPECT_EQ(W->ACG_OPC_UA_Server->GetCellEx(Srv_Address, 1), "opc.tcp://127.0.0.1:4840");
            EXPECT_EQ(W->ACG_OPC_UA_Server->GetCellEx(Srv_Authorization, 1), "Certificate");
            EXPECT_EQ(W->ACG_OPC_UA_Server->GetCellEx(Srv_Security_Policy, 1), "Basic 256 SHA 256");
            // A second one, by a double click below the last row.
            Script.OnForm(
                [&](TForm*) {
                    UserFocus(FOPC_UA_Add_Server->E_Server_Add);
                    Type("x");
                    Press(FOPC_UA_Add_Server->Btn_OK);
                    return mrNone;
                },
                "TFOPC_UA_Add_Server");
            UserDblClick(W->ACG_OPC_UA_Server, 100, W->ACG_OPC_UA_Server->Height() - 5);
            Pump();
            ASSERT_EQ(W->OPC_UA_Server_List.size(), 2u);

            // Variables of the first server, typed.
            Click(W->ACG_OPC_UA_Server, Srv_Address, 1);
            Type_Into(R, Var_Display_Name, 1, "Temp");
            R->SetCellEx(Var_Node_Type, 1, "Guid");
            Type_Into(R, Var_Node_ID, 1, "0123abcd-0001-0002-0304-05060708090a");
            R->SetCellEx(Var_Var_Type, 1, "Double");
            Type_Into(R, R_Time, 1, "100");
            Type_Into(R, R_Position, 1, "0");
            // A display name of one blank is a variable; after an empty one nothing counts.
            Type_Into(R, Var_Display_Name, 2, " ");
            Type_Into(R, R_Time, 2, "100");
            Type_Into(R, R_Position, 2, "8");
            Type_Into(R, Var_Display_Name, 4, "lost");
            W->PC_OPC_UA_Vars->SetActivePage(W->TS_OPC_UA_Var_Write);
            Pump();
            Type_Into(Wr, Var_Display_Name, 1, "Out");
            Type_Into(Wr, W_Position, 1, "10");
            TBitmap Png;
            W->PC_OPC_UA_Vars->SetActivePage(W->TS_OPC_UA_Var_Read);
            EXPECT_TRUE(SNAPSHOT(W, "opcua_client.png", Png));
            // To the second server and back: the first keeps its rows.
            Click(W->ACG_OPC_UA_Server, Srv_Address, 2);
            EXPECT_EQ(R->GetCellEx(Var_Display_Name, 1), "");
            Click(W->ACG_OPC_UA_Server, Srv_Address, 1);
            EXPECT_EQ(R->GetCellEx(Var_Node_ID, 1), "0123ABCD-0001-0002-0304-05060708090A") << "stored and shown again";
            Press(W->Btn_OK);
        },
        mrCancel);
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_EQ(r, mrOk);
    const TOPC_UA_Server_List l = Written();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0]->Certificate(), "-----BEGIN-----\r\nMIIB\r\n-----END-----");
    EXPECT_EQ(l[0]->Mnemonic(), "Boiler");
    ASSERT_EQ(l[0]->Var_List_R.size(), 2u);
    EXPECT_EQ(l[0]->Var_List_R[1]->DispalyName(), " ");
    EXPECT_EQ(l[0]->Var_List_R[0]->VarType(), "Double");
    ASSERT_EQ(l[0]->Var_List_W.size(), 1u);
    EXPECT_EQ(l[0]->Var_List_W[0]->Position(), "10");
    EXPECT_TRUE(l[1]->Var_List_R.empty());
}

TEST_F(OpcUaClient, ChecksRunOverTheModelAndKeepTheWindowOpen)
{
    Write_File(Server_Xml("a", Var_Xml("v", "Int16", "1")) + Server_Xml("b", Var_Xml("w", "Int16", "1499") +
                                                                             Var_Xml("x", "Int16", "1500")));
    TInteractionScript Script;
    Open(Script, [&] {
        Script.Answer(mrOk, "Error in Server Number 2 in Read Variable 2!! Position must be between 0 and 1499");
        Press(W->Btn_OK);
        EXPECT_EQ(W->ModalResult(), mrNone);
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(OpcUaClient, AutoPosStartsAfterTheServerBefore)
{
    Write_File(Server_Xml("a", Var_Xml("i", "Int16", "10") + Var_Xml("d", "Double", "0")) +
               Server_Xml("b", Var_Xml("b", "Boolean", "") + Var_Xml("t", "DateTime", "") + Var_Xml("s", "String", ""),
                          Var_Xml("w", "Guid", "99")));
    TInteractionScript Script;
    Open(Script, [&] {
        // On the first server both lists start at 0; No changes nothing.
        Script.Answer(mrNo, Text(5494));
        Press(W->Btn_AutoPosition);
        EXPECT_EQ(R->GetCellEx(R_Position, 1), "10");
        Script.Answer(mrYes, Text(5494));
        Press(W->Btn_AutoPosition);
        EXPECT_EQ(R->GetCellEx(R_Position, 1), "0");
        EXPECT_EQ(R->GetCellEx(R_Position, 2), "2");
        Click(W->ACG_OPC_UA_Server, Srv_Address, 2);
        Script.Answer(mrYes, Text(5494));
        Press(W->Btn_AutoPosition);
        // From the first server's farthest end, now 2 + 8.
        EXPECT_EQ(R->GetCellEx(R_Position, 1), "10");
        EXPECT_EQ(R->GetCellEx(R_Position, 2), "11");
        EXPECT_EQ(R->GetCellEx(R_Position, 3), "19");
        EXPECT_EQ(Wr->GetCellEx(W_Position, 1), "0");
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(OpcUaClient, BrowseMergesAsAnsweredAndMarksFollowTheAccessLevel)
{
    // The stand-in offers Temperature (read), Setpoint (write), Mode, Counter, Serial
    // (both) and a nameless read-only one.
    const std::vector<String> Offered_R = {"Temperature", "Mode", "Counter", "Serial", ""};
    const std::vector<String> Offered_W = {"Setpoint", "Mode", "Counter", "Serial"};
    const auto Plus = [](std::vector<String> a, const std::vector<String>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        TModalResult read_answer, write_answer;
        std::vector<String> read, write;
    } cases[] = {
        {mrNo, mrYes, Offered_R, Plus({"oldw"}, Offered_W)},
        {mrCancel, mrYes, {"old"}, Plus({"oldw"}, Offered_W)},
        {mrYes, mrNo, Plus({"old"}, Offered_R), Offered_W},
    };
    for (const auto& c : cases) {
        Write_File(Server_Xml("table", Var_Xml("old", "Int16", "0"), Var_Xml("oldw", "Int16", "0")));
        TInteractionScript Script;
        Open(Script, [&] {
            Script.OnForm(
                [&](TForm*) {
                    Wait_Until([] { return !FOPC_UA_Scan_Server->Timer_Scan->Enabled(); });
                    return mrOk;
                },
                "TFOPC_UA_Scan_Server");
            Script.Answer(c.read_answer, Text(5491));
            Script.Answer(c.write_answer, Text(5492));
            Press(W->Btn_Scan_Server);
            std::vector<String> read, write;
            for (auto& v : Server(0).Var_List_R) read.push_back(v->DispalyName());
            for (auto& v : Server(0).Var_List_W) write.push_back(v->DispalyName());
            EXPECT_EQ(read, c.read);
            EXPECT_EQ(write, c.write);
            EXPECT_EQ(R->GetCellEx(Var_Display_Name, 1), c.read[0]) << "shown";
            if (c.read_answer != mrNo) return;
            // What the browse gave: identifiers and types from the records, Time and
            // Position left to the user.
            const TOPC_UA_Variable& t = *Server(0).Var_List_R[0];
            EXPECT_EQ(t.NodeID(), "4294967295");
            EXPECT_EQ(t.VarType(), "Double");
            EXPECT_EQ(t.nameSpaceIndex, 2);
            EXPECT_TRUE(t.Enable());
            EXPECT_EQ(t.Time(), "");
            const TOPC_UA_Variable& s = *Server(0).Var_List_W[1];
            EXPECT_EQ(s.NodeType(), "String");
            EXPECT_EQ(s.NodeID(), "ns=2;s=Pump.Setpoint");
            EXPECT_EQ(Server(0).Var_List_R[3]->NodeID(), "0123ABCD-0001-0002-0304-05060708090A");
        });
        EXPECT_EQ(Script.Problems(), "");
    }
}

TEST_F(OpcUaClient, MoreVariablesThanRowsAreKeptWhenStored)
{
    Write_File(Server_Xml("many:1100"));
    TInteractionScript Script;
    Open(Script, [&] {
        Script.FormResult(mrOk, "TFOPC_UA_Scan_Server");
        Script.OnForm(
            [&](TForm*) {
                Wait_Until([] { return !FOPC_UA_Scan_Server->Timer_Scan->Enabled(); });
                return mrOk;
            },
            "TFOPC_UA_Scan_Server");
        // (the first showing closes before its browse starts: nothing comes back)
        Press(W->Btn_Scan_Server);
        EXPECT_TRUE(Server(0).Var_List_R.empty());
        Press(W->Btn_Scan_Server);
        ASSERT_EQ(Server(0).Var_List_R.size(), 1100u);
        EXPECT_EQ(R->RowCount(), 1101);
        EXPECT_EQ(R->GetCellEx(Var_Display_Name, 1100), "Var1100");
        Store(R);
        EXPECT_EQ(Server(0).Var_List_R.size(), 1100u);
        EXPECT_EQ(Server(0).Var_List_R.back()->NodeID(), "1100");
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(OpcUaClient, RowButtonsStoreAndCopyMarksKeepToTheirTable)
{
    Write_File(Server_Xml("a", Var_Xml("v1", "Int16", "0") + Var_Xml("v2", "Int16", "2")) + Server_Xml("b"));
    TInteractionScript Script;
    Open(Script, [&] {
        Click(R, 0, 1);
        Press(W->Btn_CopyRow);
        EXPECT_TRUE(W->Do_Copy_Read());
        EXPECT_FALSE(W->Do_Copy_Write());
        W->PC_OPC_UA_Vars->SetActivePage(W->TS_OPC_UA_Var_Write);
        Pump();
        Click(Wr, 0, 1);
        Script.Answer(mrOk, Text(1102));
        Press(W->Btn_PasteRow);
        EXPECT_EQ(Wr->GetCellEx(Var_Display_Name, 1), "");
        W->PC_OPC_UA_Vars->SetActivePage(W->TS_OPC_UA_Var_Read);
        Pump();
        // Delete Row: asked with the row's number, then the server holds one variable.
        Click(R, 0, 1);
        Script.Answer(mrYes, Text(5493) + "1");
        Press(W->Btn_DelRow);
        ASSERT_EQ(Server(0).Var_List_R.size(), 1u);
        EXPECT_EQ(Server(0).Var_List_R[0]->DispalyName(), "v2");
        Press(W->Btn_InsRow);
        EXPECT_EQ(R->GetCellEx(Var_Enable, 1), "Y");
        // The inserted row has no name: it ends the list.
        EXPECT_TRUE(Server(0).Var_List_R.empty());
        // The keyboard moves to the second server: its (empty) variables show, and
        // nothing of the first is stored into it.
        Click(W->ACG_OPC_UA_Server, Srv_Address, 1);
        Key(VK_DOWN);
        EXPECT_EQ(W->ACG_OPC_UA_Server->Row(), 2);
        EXPECT_EQ(R->GetCellEx(Var_Display_Name, 2), "");
        Store(R);
        EXPECT_TRUE(Server(1).Var_List_R.empty());
        // Header hints of the write table come from its own list.
        String Hint;
        Wr->OnGridHint(Wr, 0, W_Position, Hint);
        EXPECT_EQ(Hint, Text(5487));
        Wr->OnGridHint(Wr, 0, W_Mnemonic, Hint);
        EXPECT_EQ(Hint, Text(5488));
        W->ACG_OPC_UA_Server->OnGridHint(W->ACG_OPC_UA_Server, 0, Srv_Mnemonic, Hint);
        EXPECT_EQ(Hint, Text(5431));
        // Delete the selected server: the tables show the one selected now.
        Click(W->ACG_OPC_UA_Server, Srv_Address, 1);
        Script.Answer(mrYes, Text(5489));
        Press(W->Btn_Delete_Server);
        ASSERT_EQ(W->OPC_UA_Server_List.size(), 1u);
        EXPECT_EQ(Server(0).ServerAddress(), "b");
    });
    EXPECT_EQ(Script.Problems(), "");
}

// A file that breaks after its first server: the error is told, and the server read is
// shown, so that what the tables edit and what OK writes is in sight.
TEST_F(OpcUaClient, ServersReadBeforeABreakAreShownAndWritten)
{
    Write_File(Server_Xml("a", Var_Xml("v1", "Int16", "0")) + "<OPC_UA_Server Enable=\"1\"/>");
    TInteractionScript Script;
    Script.OnForm(
        [&](TForm*) {
            EXPECT_EQ(W->ACG_OPC_UA_Server->GetCellEx(Srv_Address, 1), "a");
            EXPECT_EQ(R->GetCellEx(Var_Display_Name, 1), "v1");
            Store(R);
            Press(W->Btn_OK);
            return mrNone;
        },
        "TFOPC_UA_Client_Access");
    Script.Answer(mrOk, "ServerAddress");
    // (the box comes while the window opens, before the script acts on it)
    W->ShowModal();
    const TOPC_UA_Server_List l = Written();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0]->Var_List_R.size(), 1u);
}

TEST_F(OpcUaClient, ModifyPresetsTheDialogAndWritesBack)
{
    Write_File(Server_Xml("a", Var_Xml("v1", "Int16", "0")));
    TInteractionScript Script;
    Open(Script, [&] {
        Script.OnForm(
            [&](TForm*) {
                auto* D = FOPC_UA_Add_Server;
                EXPECT_EQ(D->E_Server_Add->Text(), "a");
                EXPECT_EQ(D->CB_Auth->ItemIndex(), 0);
                EXPECT_EQ(D->Caption(), Text(5602));
                UserFocus(D->E_Server_Add);
                Type("b");
                Press(D->Btn_OK);
                return mrNone;
            },
            "TFOPC_UA_Add_Server");
        DblClick(W->ACG_OPC_UA_Server, Srv_Address, 1);
        EXPECT_EQ(Server(0).ServerAddress(), "b");
        EXPECT_EQ(Server(0).Var_List_R.size(), 1u) << "the variables stay";
    });
    EXPECT_EQ(Script.Problems(), "");
}

}  // namespace
