// The OPC UA server dialog: its fields per authorization, its start in add mode and its
// checks, driven like a user.
#include "editors/network/opcua/UOPC_UA_Add_Server.h"
#include "tests/editors/network/opcua_fixture.h"

namespace {

class OpcUaAddServer : public OpcUaWindows {
protected:
    void SetUp() override
    {
        OpcUaWindows::SetUp();
        D = Make(FOPC_UA_Add_Server);
    }
    // Shows the dialog in the mode; Act works on it; returns how it closed.
    TModalResult Open(int FormType, TInteractionScript& Script, const std::function<void()>& Act,
                      TModalResult Close_With = mrCancel)
    {
        D->FormType = FormType;
        Script.OnForm(
            [&](TForm*) {
                Act();
                return Close_With;
            },
            "TFOPC_UA_Add_Server");
        return D->ShowModal();
    }
    // Picks an item of a list the way the keyboard does.
    void Pick(TComboBox* cb, int Index)
    {
        UserFocus(cb);
        while (cb->ItemIndex() < Index) UserKey(cb, VK_DOWN);
        while (cb->ItemIndex() > Index) UserKey(cb, VK_UP);
        Pump();
        ASSERT_EQ(cb->ItemIndex(), Index);
    }
    void Type(TWinControl* c, const String& Text)
    {
        UserFocus(c);
        UserType(c, Text);
        Pump();
    }

    TFOPC_UA_Add_Server* D = nullptr;
};

TEST_F(OpcUaAddServer, FieldsFollowTheAuthorization)
{
    TInteractionScript Script;
    Open(1, Script, [&] {
        const struct {
            int auth;
            const char* png;
            std::vector<std::pair<TControl*, int>> tops;   // shown fields and their tops
            std::vector<TControl*> hidden;
        } cases[] = {
            {1, "opcua_server_user.png",
             {{D->E_User, 168}, {D->E_Pass, 200}, {D->CB_Sec_Type, 232}, {D->CB_Sec_Policy, 264}, {D->E_Mnemonic, 296}},
             {D->RE_Certificate, D->RE_Priv_Key}},
            {2, "opcua_server_certificate.png",
             {{D->RE_Certificate, 168}, {D->RE_Priv_Key, 268}, {D->CB_Sec_Type, 368}, {D->CB_Sec_Policy, 400},
              {D->E_Mnemonic, 432}},
             {D->E_User, D->E_Pass}},
            {0, "opcua_server_anonymous.png",
             {{D->CB_Sec_Type, 168}, {D->CB_Sec_Policy, 200}, {D->E_Mnemonic, 232}},
             {D->E_User, D->E_Pass, D->RE_Certificate, D->RE_Priv_Key}},
        };
        for (const auto& c : cases) {
            Pick(D->CB_Auth, c.auth);
            for (const auto& [f, top] : c.tops) {
                EXPECT_TRUE(f->Visible()) << c.png << " " << f->Name();
                EXPECT_EQ(f->Top(), top) << c.png << " " << f->Name();
            }
            for (TControl* f : c.hidden) EXPECT_FALSE(f->Visible()) << c.png << " " << f->Name();
            EXPECT_EQ(D->L_Mnemonic->Top(), D->E_Mnemonic->Top() + 3);
            EXPECT_EQ(D->ClientHeight(), 40 + D->E_Mnemonic->Top() + D->E_Mnemonic->Height() + 15) << c.png;
            EXPECT_EQ(D->ClientWidth(), 407);
            TBitmap Png;
            EXPECT_TRUE(SNAPSHOT(D, c.png, Png));
        }
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(OpcUaAddServer, AddModeStartsFreshAndModifyKeepsThePreset)
{
    TInteractionScript Script;
    // Leave everything changed, then cancel.
    Open(1, Script, [&] {
        D->CB_OPC_UA_Server_Enable->SetChecked(false);
        Type(D->E_Server_Add, "opc.tcp://a");
        Pick(D->CB_Auth, 2);
        Pick(D->CB_Sec_Type, 2);
        Pick(D->CB_Sec_Policy, 3);
        EXPECT_TRUE(D->CB_Sec_Policy->Enabled());
        // Back to "None": the policy follows.
        Pick(D->CB_Sec_Type, 0);
        EXPECT_EQ(D->CB_Sec_Policy->ItemIndex(), 0);
        EXPECT_FALSE(D->CB_Sec_Policy->Enabled());
        Pick(D->CB_Sec_Type, 1);
        Pick(D->CB_Sec_Policy, 5);
    });
    Open(1, Script, [&] {
        EXPECT_EQ(D->Caption(), Text(5600));
        EXPECT_TRUE(D->CB_OPC_UA_Server_Enable->Checked());
        EXPECT_EQ(D->E_Server_Add->Text(), "");
        EXPECT_EQ(D->CB_Auth->ItemIndex(), 0);
        EXPECT_EQ(D->CB_Sec_Type->ItemIndex(), 0);
        EXPECT_EQ(D->CB_Sec_Policy->ItemIndex(), 0);
        EXPECT_FALSE(D->CB_Sec_Policy->Enabled());
        EXPECT_FALSE(D->RE_Certificate->Visible());
    });
    // Modify: what the caller preset stays, laid out for it.
    D->CB_OPC_UA_Server_Enable->SetChecked(false);
    D->E_Server_Add->SetText("opc.tcp://b");
    D->CB_Auth->SetItemIndex(1);
    D->CB_Sec_Type->SetItemIndex(2);
    D->CB_Sec_Policy->SetItemIndex(4);
    Open(2, Script, [&] {
        EXPECT_EQ(D->Caption(), Text(5602));
        EXPECT_FALSE(D->CB_OPC_UA_Server_Enable->Checked());
        EXPECT_EQ(D->E_Server_Add->Text(), "opc.tcp://b");
        EXPECT_TRUE(D->E_User->Visible());
        EXPECT_EQ(D->CB_Sec_Policy->ItemIndex(), 4);
        EXPECT_TRUE(D->CB_Sec_Policy->Enabled());
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(OpcUaAddServer, OKChecksOnlyTheChosenAuthorization)
{
    const struct {
        const char* what;
        int auth;
        String address, user, pass, cert, key;
        int message;   // 0: passes
    } cases[] = {
        {"blank address", 0, "   ", "", "", "", "", 5628},
        {"address x", 0, "x", "", "", "", "", 0},
        {"anonymous, user and password kept", 0, "x", "u", "p", "", "", 0},
        {"no user", 1, "x", " ", "p", "", "", 5629},
        {"no password", 1, "x", "u", "", "", "", 5630},
        {"user and password", 1, "x", "u", "p", "", "", 0},
        {"no certificate", 2, "x", "", "", "  ", "k", 5631},
        {"no key", 2, "x", "", "", "C", "", 5632},
        {"certificate and key", 2, "x", "", "", "A", "B", 0},
    };
    for (const auto& c : cases) {
        TInteractionScript Script;
        const TModalResult r = Open(1, Script, [&] {
            Pick(D->CB_Auth, c.auth);
            Type(D->E_Server_Add, c.address);
            if (!c.user.empty()) D->E_User->SetText(c.user);
            if (!c.pass.empty()) D->E_Pass->SetText(c.pass);
            if (!c.cert.empty()) D->RE_Certificate->SetText(c.cert);
            if (!c.key.empty()) D->RE_Priv_Key->SetText(c.key);
            if (c.message) Script.Answer(mrOk, Text(c.message));
            Press(D->Btn_OK);
        });
        EXPECT_EQ(Script.Problems(), "") << c.what;
        EXPECT_EQ(r, c.message ? mrCancel : mrOk) << c.what;
        EXPECT_EQ(Boxes(Script), c.message ? std::vector<String>{Text(c.message)} : std::vector<String>{}) << c.what;
        if (!c.message) {
            EXPECT_EQ(D->E_User->Text(), c.user) << c.what;
        }
    }
}

TEST_F(OpcUaAddServer, TypedTextThatIsNoItemChangesNoLayout)
{
    TInteractionScript Script;
    Open(1, Script, [&] {
        Pick(D->CB_Auth, 1);
        Type(D->CB_Auth, "Kerberos");
        EXPECT_EQ(D->CB_Auth->ItemIndex(), -1);
        EXPECT_TRUE(D->E_User->Visible()) << "the layout stays";
        EXPECT_EQ(D->E_Mnemonic->Top(), 296);
        Type(D->CB_Sec_Type, "Strong");
        EXPECT_EQ(D->CB_Sec_Type->ItemIndex(), -1);
        EXPECT_TRUE(D->CB_Sec_Policy->Enabled());
        // Only the address is checked: no user was typed, yet OK closes.
        Type(D->E_Server_Add, "x");
        Press(D->Btn_OK);
    });
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_EQ(D->ModalResult(), mrOk);
}

}  // namespace
