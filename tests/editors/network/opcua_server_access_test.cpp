// The editor of the converter's own OPC UA server variables: the length rule, the file
// with its check boxes, the checks and the row buttons with their read-only marks.
#include "editors/network/opcua/UOPC_UA_Server_Access.h"
#include "grid/core/ExtGrid.h"
#include "tests/editors/network/opcua_fixture.h"

namespace {

using namespace OPC_UA_Server;

class OpcUaServerAccess : public OpcUaWindows {
protected:
    void SetUp() override
    {
        OpcUaWindows::SetUp();
        W = Make(FOPC_UA_Server_Access);
        G = W->ASG;
    }
    TModalResult Open(TInteractionScript& Script, const std::function<void()>& Act)
    {
        Script.OnForm(
            [&](TForm*) {
                Act();
                return mrCancel;
            },
            "TFOPC_UA_Server_Access");
        return W->ShowModal();
    }
    // A list cell: click, F2 opens the list, arrows to the item, Enter.
    void Pick(int c, int r, const String& Item)
    {
        Click(G, c, r);
        Key(VK_F2);
        TComboBox* cb = G->ComboEditor();
        ASSERT_TRUE(cb && cb->Visible()) << "column " << c;
        const int Want = cb->Items()->IndexOf(Item);
        for (int i = 0; i < cb->Items()->Count() && cb->Text() != Item; ++i)
            Key(Want >= 0 && cb->ItemIndex() > Want ? VK_UP : VK_DOWN);
        Key(VK_RETURN);
        EXPECT_EQ(G->GetCellEx(c, r), Item) << "column " << c << " row " << r;
    }
    bool Checked(int r)
    {
        bool State = false;
        return G->GetCheckBoxState(Col_Enable, r, State) && State;
    }
    void Write_File(const String& Rows)
    {
        WriteFileAtomic(FileName_OPC_UA_Server,
                        "<OPC_UA_Server><OPC_UA_Server_Variables>" + Rows + "</OPC_UA_Server_Variables></OPC_UA_Server>");
    }
    static String Row(const String& Enable, const String& Type, const String& Position, const String& Extra = "")
    {
        return "<row Enable=\"" + Enable + "\" Type=\"" + Type + "\" Position=\"" + Position + "\" " + Extra + "/>";
    }

    TFOPC_UA_Server_Access* W = nullptr;
    TExtStringGrid* G = nullptr;
};

TEST_F(OpcUaServerAccess, TypesFixTheirLengthAndStringsLeaveItOpen)
{
    Write_File(Row("Y", "Int16", "0", "ReadWrite=\"Read Only\"") + Row("Y", "Double", "2"));
    TInteractionScript Script;
    Open(Script, [&] {
        // A stored row without Length shows none, even for a fixed-size type, but locked.
        EXPECT_EQ(G->GetCellEx(Col_Length, 2), "");
        EXPECT_TRUE(G->GetReadOnly(Col_Length, 2));
        EXPECT_EQ(G->GetCellEx(Col_RW, 2), "") << "no access stored";
        Pick(Col_Type, 3, "Double");
        EXPECT_EQ(G->GetCellEx(Col_Length, 3), "8");
        EXPECT_TRUE(G->GetReadOnly(Col_Length, 3));
        EXPECT_EQ(G->GetCellEx(Col_RW, 3), "Read/Write");
        Pick(Col_Type, 1, "String");
        EXPECT_EQ(G->GetCellEx(Col_Length, 1), "10");
        EXPECT_FALSE(G->GetReadOnly(Col_Length, 1));
        EXPECT_EQ(G->GetCellEx(Col_RW, 1), "Read Only") << "an access chosen stays";
        G->SetCellEx(Col_Length, 1, "");
        Type_Into(G, Col_Length, 1, "32");
        Type_Into(G, Col_Position, 3, "10");
        TBitmap Png;
        EXPECT_TRUE(SNAPSHOT(W, "opcua_server_access.png", Png));
        Press(W->Btn_OK);
    });
    EXPECT_EQ(Script.Problems(), "");
    EXPECT_EQ(W->ModalResult(), mrOk);
    const String Text = ReadFileBytes(FileName_OPC_UA_Server);
    EXPECT_NE(Text.find("<!--SW_VERSION = 1.000-->"), String::npos) << Text;
    EXPECT_NE(Text.find("<row Enable=\"Y\" Type=\"String\" Position=\"0\" Length=\"32\" Name=\"\" ReadWrite=\"Read Only\""),
              String::npos)
        << Text;
    EXPECT_NE(Text.find("Type=\"Double\" Position=\"2\" Length=\"\""), String::npos) << "kept empty: " << Text;
    EXPECT_NE(Text.find("Type=\"Double\" Position=\"10\" Length=\"8\""), String::npos) << Text;
}

TEST_F(OpcUaServerAccess, ChecksLookAtEveryTickedRowWithAType)
{
    const struct {
        const char* what;
        String rows;
        int failing_row;   // 0: passes
        int written;       // rows written when it passes
    } cases[] = {
        {"1999", Row("Y", "Int16", "1999"), 0, 1},
        {"2000", Row("Y", "Int16", "2000"), 1, 0},
        {"abc", Row("Y", "Int16", "abc"), 1, 0},
        {"disabled 5000", Row("N", "Int16", "5000"), 0, 1},
        // An empty type between filled rows: the checks go on past it, writing stops.
        {"gap, bad below", Row("Y", "Int16", "1") + Row("Y", "", "") + Row("Y", "Int16", "9999"), 3, 0},
        {"gap, good below", Row("Y", "Int16", "1") + Row("Y", " ", "") + Row("Y", "Int16", "5"), 0, 1},
    };
    for (const auto& c : cases) {
        Write_File(c.rows);
        TInteractionScript Script;
        Open(Script, [&] {
            if (c.failing_row) Script.Answer(mrOk, Format(Text(5827), {c.failing_row, Max_Position}));
            Press(W->Btn_OK);
        });
        EXPECT_EQ(Script.Problems(), "") << c.what;
        if (c.failing_row) continue;
        TXMLDocument Doc;
        Doc.LoadFromFile(FileName_OPC_UA_Server);
        EXPECT_EQ(Doc.DocumentElement().ChildNode("OPC_UA_Server_Variables").ChildCount(), c.written) << c.what;
    }
    EXPECT_EQ(Format(Text(5827), {2, Max_Position}), "Error row 2!! Position Must be Between 0 and 1999");
}

TEST_F(OpcUaServerAccess, EnableIsUntickedOnlyByN)
{
    Write_File(Row("1", "Byte", "0") + Row("y", "Byte", "1") + Row("N", "Byte", "2") + "<row Type=\"Byte\" Position=\"3\"/>");
    TInteractionScript Script;
    Open(Script, [&] {
        EXPECT_TRUE(Checked(1));
        EXPECT_TRUE(Checked(2));
        EXPECT_FALSE(Checked(3));
        EXPECT_TRUE(Checked(4));
        Press(W->Btn_OK);
    });
    EXPECT_EQ(Script.Problems(), "");
    const String Text = ReadFileBytes(FileName_OPC_UA_Server);
    EXPECT_NE(Text.find("Enable=\"Y\" Type=\"Byte\" Position=\"1\""), String::npos) << Text;
    EXPECT_NE(Text.find("Enable=\"N\" Type=\"Byte\" Position=\"2\""), String::npos) << Text;
}

TEST_F(OpcUaServerAccess, RowButtonsMoveBoxesAndLocks)
{
    Write_File(Row("Y", "String", "0", "Length=\"32\" ReadWrite=\"Read Only\"") + Row("N", "Double", "40") +
               Row("Y", "Int32", "48"));
    TInteractionScript Script;
    Open(Script, [&] {
        // Paste a String row of length 32 over the Double row: 32 stays and is editable.
        Click(G, Col_Position, 1);
        Press(W->Btn_CopyRow);
        Click(G, Col_Position, 2);
        Script.Answer(mrYes, Text(1100));
        Press(W->Btn_PasteRow);
        EXPECT_EQ(G->GetCellEx(Col_Length, 2), "32");
        EXPECT_FALSE(G->GetReadOnly(Col_Length, 2));
        EXPECT_TRUE(Checked(2));
        // Delete row 1: asked with its number; rows move up with their boxes and locks.
        Click(G, Col_Position, 1);
        Script.Answer(mrYes, "Are you sure to delete the Row number 1");
        Press(W->Btn_DelRow);
        EXPECT_EQ(G->GetCellEx(Col_Type, 2), "Int32");
        EXPECT_TRUE(G->GetReadOnly(Col_Length, 2));
        EXPECT_TRUE(G->GetReadOnly(Col_Name, Rows)) << "the emptied last row is locked";
        // Insert: an editable row with a ticked box.
        Click(G, Col_Position, 2);
        Press(W->Btn_InsRow);
        EXPECT_TRUE(Checked(2));
        EXPECT_FALSE(G->GetReadOnly(Col_Length, 2));
        EXPECT_EQ(G->GetCellEx(Col_Type, 3), "Int32");
    });
    EXPECT_EQ(Script.Problems(), "");
    // Shown again, no lock left behind by the deletion remains.
    TInteractionScript Again;
    Open(Again, [&] {
        EXPECT_FALSE(G->GetReadOnly(Col_Name, Rows));
        EXPECT_FALSE(G->GetReadOnly(Col_Length, Rows));
        EXPECT_TRUE(G->GetReadOnly(Col_Length, 3)) << "a fixed-size type in the file locks its length";
    });
    EXPECT_EQ(Again.Problems(), "");
}

}  // namespace
