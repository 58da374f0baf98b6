// The network editor as the user works it: the tree mirrors the file, nodes and variables
// added and modified through the pages (whatever language the buttons speak), copied and
// pasted through the paste dialog, deleted, cancelled, imported; and the paste dialog's
// checks.
#include "mbus/network/UMeter_Bus.h"
#include "platform/os/Files.h"
#include "tests/mbus/windows_fixture.h"

namespace {

class NetworkEditor : public MBusWindows {
protected:
    void SetUp() override
    {
        MBusWindows::SetUp();
        TInteractionScript script;
        New_Configuration(script, "Net");
        E = FMeter_Bus;
    }
    // Shows the editor, acts, and closes it with the result Act gives.
    void Edit(TInteractionScript& Script, const std::function<TModalResult()>& Act)
    {
        Script.OnForm([&](TForm*) { return Act(); }, "TFMeter_Bus");
        FDuvazaradFirmWare->Btn_Click(FDuvazaradFirmWare->Btn_MBus);
    }
    // A wired node typed on the "Nodes" page.
    void Type_Node(const String& Desc, int Primary)
    {
        E->CB_MBus_Type->SetItemIndex(1);
        E->CB_MBus_TypeChange(E->CB_MBus_Type);
        E->E_Node_Desc->SetText(Desc);
        E->RB_Node_Pri->SetChecked(true);
        E->E_Node_Pri->SetText(IntToStr(Primary));
        E->CB_Node_Enable->SetChecked(true);
    }
    void Type_Var(const String& Desc, int Register)
    {
        E->E_Var_Desc->SetText(Desc);
        E->E_Var_PosData->SetText(IntToStr(Register));
        E->CB_Var_Dim->SetItemIndex(2);
        E->CB_Var_DimChange(E->CB_Var_Dim);
    }
    TFMeter_Bus* E = nullptr;
};

TEST_F(NetworkEditor, WithoutAFileOnlyTheRootShowsAndOKWritesAnEmptyNetwork)
{
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        EXPECT_EQ(E->Item_Text(E->Item_Of(-1)), "M-Bus Network");
        EXPECT_EQ(E->Item_Of(0), nullptr);
        EXPECT_EQ(E->btn_Add_Node->Caption(), "ADD NODE");
        EXPECT_EQ(E->btn_Add_Var->Caption(), "ADD VARIABLE");
        EXPECT_TRUE(SNAPSHOT(E, "network_editor_empty.png", png));
        // The root selected: "ADD VARIABLE" stores nothing and says nothing.
        E->Select_Item(E->Item_Of(-1));
        UserClick(E->btn_Add_Var);
        EXPECT_EQ(E->Item_Of(0, 0), nullptr);
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    EXPECT_TRUE(FileExists(FileName_M_Bus));
    EXPECT_EQ(net.Read_Error, "");
    EXPECT_TRUE(net.Nodi_List.empty());
}

// The store buttons add or modify by the selection, not by what their captions say: a
// language that renames them changes nothing.
TEST_F(NetworkEditor, StoringFollowsTheSelectionWhateverTheButtonsRead)
{
    Lang_Strings.SetStrings(1723, "KNOTEN DAZU");
    Lang_Strings.SetStrings(1748, "VARIABLE DAZU");
    Set_Lang_Of_Windows();
    TInteractionScript script;
    Edit(script, [&] {
        EXPECT_EQ(E->btn_Add_Node->Caption(), "KNOTEN DAZU");
        Type_Node("Heat", 5);
        UserClick(E->btn_Add_Node);
        EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 5 - Heat");
        E->Select_Item(E->Item_Of(0));
        Type_Var("Energy", 10);
        UserClick(E->btn_Add_Var);
        EXPECT_EQ(E->Item_Text(E->Item_Of(0, 0)), "VAR - Energy");
        // The node selected: its button modifies it.
        E->Select_Item(E->Item_Of(0));
        E->E_Node_Desc->SetText("Heat meter");
        UserClick(E->btn_Add_Node);
        EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 5 - Heat meter");
        EXPECT_EQ(E->Item_Of(1), nullptr);
        // A variable selected: "ADD NODE" adds a node as typed.
        E->Select_Item(E->Item_Of(0, 0));
        Type_Node("Water", 6);
        UserClick(E->btn_Add_Node);
        EXPECT_EQ(E->Item_Text(E->Item_Of(1)), "ID 6 - Water");
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    ASSERT_EQ(net.Nodi_List.size(), 2u);
    EXPECT_EQ(net.Nodi_List[0]->Description, "Heat meter");
    ASSERT_EQ(net.Nodi_List[0]->Var_List.size(), 1u);
    EXPECT_EQ(net.Nodi_List[0]->Var_List[0]->PositionData, 10);
    EXPECT_EQ(net.Nodi_List[1]->Node_Pri, 6);
}

// A node copied in one showing is pasted in a later one, straight through the dialog: its
// scale rows come filled with "0", so OK needs no typing there.
TEST_F(NetworkEditor, ACopiedNodePastesInALaterShowingWithItsEnableFlagsCleared)
{
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        Type_Node("Heat", 5);
        E->CB_Node_State->SetChecked(true);
        E->E_Node_State->SetText("100");
        UserClick(E->btn_Add_Node);
        E->Select_Item(E->Item_Of(0));
        Type_Var("Energy", 10);
        UserClick(E->btn_Add_Var);
        E->Select_Item(E->Item_Of(0));
        E->CopyNode1Click(E->CopyNode1);
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    Edit(script, [&] {
        EXPECT_TRUE(E->PasteNode1->Enabled());
        script.OnForm(
            [&](TForm*) -> TModalResult {
                TFNewIDNode* D = FNewIDNode;
                EXPECT_EQ(D->Form_Type, 1);
                EXPECT_EQ(D->Register_Row_Count(), 3);
                EXPECT_EQ(D->Index_Cell(1), "10");
                EXPECT_EQ(D->Index_Cell(2), "0");
                EXPECT_TRUE(SNAPSHOT(D, "paste_node_dialog.png", png));
                // The same address and register clash with the node copied: refused.
                script.Answer(mrOk, Lang_Text(1890));
                script.Answer(mrOk);
                UserClick(D->LbButton2);
                EXPECT_EQ(D->ModalResult(), mrNone);
                D->E_New_Node_ID_Pri->SetText("7");
                D->Set_Index_Cell(1, "20");
                D->E_MR_NodeState->SetText("200");
                UserClick(D->LbButton2);
                return D->ModalResult();
            },
            "TFNewIDNode");
        E->PasteNode1Click(E->PasteNode1);
        EXPECT_EQ(E->Item_Text(E->Item_Of(1)), "ID 7 - Heat");
        EXPECT_EQ(E->Item_Text(E->Item_Of(1, 0)), "VAR - Energy");
        EXPECT_TRUE(E->Is_Change);
        const TNodo& n = *E->Nodi_List[1];
        EXPECT_EQ(n.Node_Pri, 7);
        EXPECT_EQ(n.Node_State, 200);
        EXPECT_EQ(n.Enable_NS, 0) << "the pasted node's enable flags are cleared";
        EXPECT_EQ(n.Var_List[0]->PositionData, 20);
        // Cancel after a change asks; No keeps the window and the edits.
        script.Answer(mrNo, Lang_Text(1896));
        UserClick(E->LbButton4);
        EXPECT_EQ(E->ModalResult(), mrNone);
        EXPECT_NE(E->Item_Of(1), nullptr);
        script.Answer(mrYes, Lang_Text(1896));
        UserClick(E->LbButton4);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    EXPECT_EQ(net.Nodi_List.size(), 1u) << "Cancel leaves the file as it was";
}

// The scan dialogs' checks: what is refused with which text, and what passes.
TEST_F(NetworkEditor, TheScanDialogsRefuseWhatTheyCannotTake)
{
    const struct {
        const char* key;
        int text;   // 0: accepted
    } keys[] = {{"0123456789ABCDEF0123456789ABCDEG", 2303},
                {"0123456789ABCDEF0123456789ABCDE", 2304},
                {"0123456789ABCDEF0123456789ABCDEF", 0}};
    for (const auto& k : keys) {
        TInteractionScript script;
        FInsertKeyWireless->SetModalResult(mrNone);
        FInsertKeyWireless->E_Key->SetText(k.key);
        if (k.text) script.Answer(mrOk, Lang_Text(k.text));
        UserClick(FInsertKeyWireless->Btn_OK);
        EXPECT_EQ(FInsertKeyWireless->ModalResult(), k.text ? mrNone : mrOk) << k.key;
        EXPECT_EQ(script.Problems(), "") << k.key;
    }
    // Typed in lower case, the key reads upper case.
    FInsertKeyWireless->E_Key->SetText("");
    UserType(FInsertKeyWireless->E_Key, "abcdef");
    EXPECT_EQ(FInsertKeyWireless->E_Key->Text(), "ABCDEF");

    for (const auto& [text, ok] : {std::pair<const char*, bool>{"0", false}, {"65536", false}, {"x", false},
                                   {"1", true}, {"65535", true}}) {
        TInteractionScript script;
        FScanModbusStart->SetModalResult(mrNone);
        FScanModbusStart->E_StartModAdd->SetText(text);
        if (!ok) script.Answer(mrOk, Lang_Text(2206));
        UserClick(FScanModbusStart->Btn_OK);
        EXPECT_EQ(FScanModbusStart->ModalResult(), ok ? mrOk : mrNone) << text;
        if (ok) {
            EXPECT_EQ(FScanModbusStart->StartModAdd, StrToInt(text));
        }
        EXPECT_EQ(script.Problems(), "") << text;
    }
}

}  // namespace
