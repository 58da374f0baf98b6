// The network editor as the user works it: the tree mirrors the file, nodes and variables
// added and modified through the pages (whatever language the buttons speak), copied and
// pasted through the paste dialog, deleted, cancelled, imported; and the paste dialog's
// checks.
#include "gridedit/ExtPageControl.h"
#include "mbus/network/UMeter_Bus.h"
#include "platform/os/Files.h"
#include "tests/mbus/network_fixture.h"
#include "tests/mbus/windows_fixture.h"
#include "treeview/LazyStringTree.h"

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
    // The configuration's network file holding these nodes.
    template <class... TNodes>
    static void Write_Network(TNodes&&... Nodes)
    {
        TMBusNetwork net;
        (net.Nodi_List.push_back(std::forward<TNodes>(Nodes)), ...);
        net.Save(FileName_M_Bus);
    }
    static std::unique_ptr<TNodo> With(std::unique_ptr<TNodo> N,
                                       std::initializer_list<std::pair<const char*, int>> Vars)
    {
        for (const auto& [desc, reg] : Vars) N->Var_List.push_back(Var(desc, reg));
        return N;
    }
    // The tree's pop-up menu opened on an item and the command with this text picked; Then
    // scripts what the command brings up.
    void Menu_On(TInteractionScript& Script, TLazyNode* Item, int Text, const std::function<void()>& Then)
    {
        E->Select_Item(Item);
        const TRect r = E->TW->GetDisplayRect(Item, NoColumnIndex, true);
        Script.PickMenu(Lang_Text(Text));
        Then();
        UserRightClick(E->TW, r.Left + 4, (r.Top + r.Bottom) / 2);
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
        E->CB_Ident_Num->SetChecked(true);
        E->E_Ident_Num->SetText("101");
        E->CB_Manufacturer_Spec->SetChecked(true);
        E->E_Manufacturer_Spec->SetText("102");
        E->E_MSD_Length->SetText("4");
        E->CB_Access_Number->SetChecked(true);
        E->E_Access_Number->SetText("103");
        UserClick(E->btn_Add_Node);
        EXPECT_EQ(E->Nodi_List[0]->Enable_AN, 1);
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
        EXPECT_EQ(std::vector<int>({n.Enable_NS, n.Enable_IN, n.Enable_MS, n.Enable_RSSI, n.Enable_AN}),
                  std::vector<int>(5, 0))
            << "the pasted node's enable flags are cleared";
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
                {"0123456789ABCDEF0123456789ABCDG", 2304},   // the length is told first
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

// "Delete Item" from the tree's menu asks first: No keeps everything; Yes removes a
// variable, a node with its variables, or with the root selected the whole network, which
// OK then writes without nodes.
TEST_F(NetworkEditor, DeletingAsksAndRemovesTheItemTheSelectionNames)
{
    Write_Network(With(Wired_Node("Heat", 5), {{"Energy", 10}, {"Volume", 11}}),
                  With(Wired_Node("Water", 6), {{"Flow", 20}}));
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        Menu_On(script, E->Item_Of(0, 1), 1784, [&] { script.Answer(mrNo, Lang_Text(1895)); });
        EXPECT_EQ(script.Problems(), "");
        EXPECT_EQ(E->Item_Text(E->Item_Of(0, 1)), "VAR - Volume");
        EXPECT_FALSE(E->Is_Change);

        Menu_On(script, E->Item_Of(0, 1), 1784, [&] { script.Answer(mrYes, Lang_Text(1895)); });
        EXPECT_EQ(E->Item_Of(0, 1), nullptr);
        EXPECT_EQ(E->Nodi_List[0]->Var_List.size(), 1u);
        EXPECT_EQ(E->Nodi_List[0]->Var_List[0]->Description, "Energy");
        EXPECT_TRUE(E->Is_Change);
        EXPECT_EQ(E->IND_NODO, -1) << "the selection is taken anew";
        EXPECT_EQ(E->btn_Add_Var->Caption(), "ADD VARIABLE");

        Menu_On(script, E->Item_Of(0), 1784, [&] { script.Answer(mrYes, Lang_Text(1894)); });
        EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 6 - Water");
        EXPECT_EQ(E->Item_Text(E->Item_Of(0, 0)), "VAR - Flow");
        EXPECT_EQ(E->Item_Of(1), nullptr);
        EXPECT_EQ(E->Nodi_List.size(), 1u);
        EXPECT_TRUE(SNAPSHOT(E, "network_editor_after_delete.png", png));

        Menu_On(script, E->Item_Of(-1), 1784, [&] { script.Answer(mrYes, Lang_Text(1893)); });
        EXPECT_EQ(E->Item_Text(E->Item_Of(-1)), "M-Bus Network");
        EXPECT_EQ(E->Item_Of(0), nullptr);
        EXPECT_TRUE(E->Nodi_List.empty());
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    EXPECT_EQ(net.Read_Error, "");
    EXPECT_TRUE(net.Nodi_List.empty());
    EXPECT_NE(File_Text(FileName_M_Bus).find("<!--"), String::npos) << "the file keeps its comment";
}

// Import Network: a cancelled file dialog and the answer No change nothing; Yes puts the
// picked file in place at once and shows it, dropping the edits, and Cancel afterwards
// does not bring the old file back. Without a network file nothing is asked.
TEST_F(NetworkEditor, ImportReplacesTheFileOnlyWhenTheUserSaysYes)
{
    Write_Network(Wired_Node("Old", 1));
    const String other = PathJoin(Dir, "other.xml");
    {
        TMBusNetwork net;
        net.Nodi_List.push_back(With(Wired_Node("New", 2), {{"Energy", 10}}));
        net.Nodi_List.push_back(Wired_Node("Newer", 3));
        net.Save(other);
    }
    const String old_text = File_Text(FileName_M_Bus), other_text = File_Text(other);
    TInteractionScript script;
    Edit(script, [&] {
        Type_Node("Typed", 9);
        UserClick(E->btn_Add_Node);
        EXPECT_TRUE(E->Is_Change);

        script.ChooseFile("");
        UserClick(E->Btn_ImportNet);
        script.ChooseFile(other).Answer(mrNo, Lang_Text(1906));
        UserClick(E->Btn_ImportNet);
        EXPECT_EQ(script.Problems(), "");
        EXPECT_EQ(File_Text(FileName_M_Bus), old_text);
        EXPECT_EQ(E->Item_Text(E->Item_Of(1)), "ID 9 - Typed") << "the edits stay";

        script.ChooseFile(other).Answer(mrYes, Lang_Text(1906));
        UserClick(E->Btn_ImportNet);
        EXPECT_EQ(File_Text(FileName_M_Bus), other_text) << "copied unchanged, at once";
        EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 2 - New");
        EXPECT_EQ(E->Item_Text(E->Item_Of(0, 0)), "VAR - Energy");
        EXPECT_EQ(E->Item_Text(E->Item_Of(1)), "ID 3 - Newer");
        EXPECT_EQ(E->Item_Of(2), nullptr);
        EXPECT_FALSE(E->Is_Change);
        EXPECT_EQ(E->btn_Add_Node->Caption(), "ADD NODE");
        // Nothing changed since the import: Cancel closes without asking.
        UserClick(E->LbButton4);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(File_Text(FileName_M_Bus), other_text);

    ASSERT_TRUE(DeleteFile(FileName_M_Bus));
    Edit(script, [&] {
        script.ChooseFile(other);
        UserClick(E->Btn_ImportNet);
        EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 2 - New");
        UserClick(E->LbButton4);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(File_Text(FileName_M_Bus), other_text);
}

// The "M-Bus Type" list switches the page between the wired rows and the wireless panel;
// a wireless node takes its registers, BCD, swap and list settings from the panel, and the
// wired rows keep their own values meanwhile. Either way the store button is on the page.
TEST_F(NetworkEditor, TheWirelessPanelStoresItsOwnRowsAndTheWiredRowsKeepTheirs)
{
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        const auto button_on_page = [&] {
            return E->btn_Add_Node->Top() + E->btn_Add_Node->Height() <= E->TS_Nodes->ClientHeight();
        };
        Type_Node("Radio", 4);
        E->CB_Node_State->SetChecked(true);
        E->E_Node_State->SetText("100");
        E->CB_BCDtoINT_IN->SetChecked(false);
        EXPECT_TRUE(button_on_page());
        // The user picks "wM-Bus" in the list.
        UserFocus(E->CB_MBus_Type);
        UserKey(E->CB_MBus_Type, VK_UP);
        EXPECT_EQ(E->CB_MBus_Type->ItemIndex(), 0);
        EXPECT_TRUE(E->P_wMBus->Visible());
        EXPECT_FALSE(E->E_Node_State->Visible());
        EXPECT_FALSE(E->E_Access_Number->Visible());
        EXPECT_TRUE(button_on_page()) << E->btn_Add_Node->Top() << " on a page of " << E->TS_Nodes->ClientHeight();
        const struct {
            TEdit* box;
            const char* text;
        } boxes[] = {{E->E_W_ManID, "11309"}, {E->E_W_Add, "305419896"}, {E->E_W_Ver, "1"},
                     {E->E_W_DevType, "7"},   {E->E_W_Node_State, "300"}, {E->E_W_Ident_Num, "301"},
                     {E->E_W_RSSI, "302"},    {E->E_W_Access_Number, "303"}};
        for (const auto& b : boxes) b.box->SetText(b.text);
        for (TCheckBox* c : {E->CB_W_Node_State, E->CB_W_Ident_Num, E->CB_W_RSSI, E->CB_W_Access_Number,
                             E->CB_W_BCDtoINT_IN, E->CB_W_En_Key})
            c->SetChecked(true);
        for (int k = 0; k < 16; ++k) E->E_W_Key[size_t(k)]->SetText(IntToStr(k + 200));
        E->CB_W_Swap_Ident->SetItemIndex(1);
        E->CB_W_Var_List_Type->SetItemIndex(1);
        EXPECT_TRUE(SNAPSHOT(E->TS_Nodes, "network_editor_wireless_page.png", png));
        UserClick(E->btn_Add_Node);
        EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "wM-Bus Node - Address 305419896 - Radio");
        if (E->Nodi_List.size() != 1u) return ADD_FAILURE() << "not stored", mrCancel;
        const TNodo& n = *E->Nodi_List[0];
        EXPECT_EQ(n.MBus_Type, 0);
        EXPECT_EQ(std::vector<int>({n.Enable_NS, n.Node_State, n.Enable_IN, n.Ident_Num, n.Enable_RSSI, n.RSSI,
                                    n.Enable_AN, n.Access_Number, n.BCDtoINT_IN, n.Swap_Ident, n.Var_List_Type}),
                  std::vector<int>({1, 300, 1, 301, 1, 302, 1, 303, 1, 1, 1}));
        EXPECT_EQ(n.wMBus_Key[15], "215");
        EXPECT_EQ(n.wMBus_En_Key, 1);

        // Back to wired: the wired rows show again as they were typed.
        UserFocus(E->CB_MBus_Type);
        UserKey(E->CB_MBus_Type, VK_DOWN);
        EXPECT_FALSE(E->P_wMBus->Visible());
        EXPECT_TRUE(E->E_Node_State->Visible());
        EXPECT_EQ(E->E_Node_State->Text(), "100");
        EXPECT_TRUE(E->CB_Node_State->Checked());

        // Copied and pasted: the dialog asks the wireless address and the registers. The
        // dialog lets a register box holding no number through; the paste then adds nothing.
        E->Select_Item(E->Item_Of(0));
        E->CopyNode1Click(E->CopyNode1);
        script.OnForm(
            [&](TForm*) {
                FNewIDNode->E_MR_NodeState->SetText("x");
                UserClick(FNewIDNode->LbButton2);
                return FNewIDNode->ModalResult();
            },
            "TFNewIDNode");
        script.Answer(mrOk);
        E->PasteNode1Click(E->PasteNode1);
        EXPECT_EQ(E->Item_Of(1), nullptr);
        EXPECT_EQ(E->Nodi_List.size(), 1u);
        script.OnForm(
            [&](TForm*) -> TModalResult {
                TFNewIDNode* D = FNewIDNode;
                EXPECT_EQ(D->Form_Type, 3);
                EXPECT_TRUE(D->E_wMBus_Add->Visible());
                EXPECT_FALSE(D->E_New_Node_ID_Pri->Visible());
                EXPECT_EQ(D->E_wMBus_Add->Text(), "305419896");
                EXPECT_EQ(D->E_wMBus_RSSI->Text(), "302");
                EXPECT_EQ(D->E_MR_NodeState->Text(), "300");
                EXPECT_EQ(D->Register_Row_Count(), 1) << "a node without variables: one empty row";
                EXPECT_TRUE(SNAPSHOT(D, "paste_wireless_node_dialog.png", png));
                D->E_wMBus_Add->SetText("305419897");
                D->E_wMBus_RSSI->SetText("310");
                UserClick(D->LbButton2);
                return D->ModalResult();
            },
            "TFNewIDNode");
        E->PasteNode1Click(E->PasteNode1);
        EXPECT_EQ(E->Item_Text(E->Item_Of(1)), "wM-Bus Node - Address 305419897 - Radio");
        if (E->Nodi_List.size() == 2u) {
            EXPECT_EQ(E->Nodi_List[1]->RSSI, 310);
            EXPECT_EQ(E->Nodi_List[1]->Enable_RSSI, 0);
        }
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    ASSERT_EQ(net.Nodi_List.size(), 2u);
    EXPECT_EQ(net.Nodi_List[0]->RSSI, 302);
    EXPECT_EQ(net.Nodi_List[0]->wMBus_Add, "305419896");
}

// With a variable selected, "Paste Variable" pastes into that variable's node. The dialog
// comes with the scale row's index "0"; emptied, it is refused with its own text.
TEST_F(NetworkEditor, APastedVariableGoesToTheSelectedVariablesNode)
{
    Write_Network(With(Wired_Node("Heat", 5), {{"Energy", 10}}), With(Wired_Node("Water", 6), {{"Flow", 20}}));
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        E->Select_Item(E->Item_Of(0, 0));
        E->CopyVariable1Click(E->CopyVariable1);
        EXPECT_TRUE(E->PasteVariable1->Enabled());
        const auto paste = [&](TForm*) -> TModalResult {
                TFNewIDNode* D = FNewIDNode;
                EXPECT_EQ(D->Form_Type, 2);
                EXPECT_EQ(D->Caption(), Lang_Text(2001));
                EXPECT_EQ(D->Register_Row_Count(), 3);
                EXPECT_EQ(D->Index_Cell(1), "10");
                EXPECT_EQ(D->Index_Cell(2), "0");
                EXPECT_FALSE(D->E_MR_NodeState->Visible());
                EXPECT_TRUE(SNAPSHOT(D, "paste_variable_dialog.png", png));
                D->Set_Index_Cell(1, "30");
                D->Set_Index_Cell(2, "");
                script.Answer(mrOk, Lang_Text(2017));
                UserClick(D->LbButton2);
                EXPECT_EQ(D->ModalResult(), mrNone);
                D->Set_Index_Cell(2, "0");
                UserClick(D->LbButton2);
                return D->ModalResult();
            };
        Menu_On(script, E->Item_Of(1, 0), 1781, [&] { script.OnForm(paste, "TFNewIDNode"); });
        EXPECT_EQ(E->Item_Text(E->Item_Of(1, 1)), "VAR - Energy");
        EXPECT_EQ(E->Item_Of(0, 1), nullptr);
        EXPECT_EQ(E->Nodi_List[1]->Var_List[1]->PositionData, 30);
        UserClick(E->LbButton2);
        return E->ModalResult();
    });
    EXPECT_EQ(script.Problems(), "");
}

// The paste dialog's checks on OK, against the network open in the editor (a node at
// primary address 5 with node-state register 100 and a variable at register 10): the range
// messages end the check at once; a clash is told and the groups are still checked; the
// pasted variables are not held against each other.
TEST_F(NetworkEditor, ThePasteDialogRefusesWhatClashesOrIsOutOfRange)
{
    auto heat = With(Wired_Node("Heat", 5), {{"Energy", 10}});
    heat->Node_State = 100;
    Write_Network(std::move(heat));
    const struct {
        const char* what;
        int type;
        bool secondary;
        const char* address;
        std::vector<const char*> cells;   // the "Index" cells, three per variable
        std::vector<int> texts;           // the messages, in order
    } cases[] = {
        {"primary out of range", 1, false, "256", {"20", "0", "0"}, {2013}},
        {"primary no number", 1, false, "x", {"20", "0", "0"}, {2013}},
        {"secondary out of range", 1, true, "100000000", {"20", "0", "0"}, {2014}},
        {"wireless past 32 bits", 3, false, "4294967296", {"20", "0", "0"}, {2015}},
        {"wireless at 32 bits", 3, false, "4294967295", {"20", "0", "0"}, {}},
        {"register 60000", 2, false, "", {"60000", "0", "0"}, {2016}},
        {"register 0", 2, false, "", {"0", "0", "0"}, {2016}},
        {"register 59999", 2, false, "", {"59999", "0", "0"}, {}},
        {"scale empty", 2, false, "", {"20", "", "0"}, {2017}},
        {"time point 59996", 2, false, "", {"20", "0", "59996"}, {2018}},
        {"time point 59995", 2, false, "", {"20", "0", "59995"}, {}},
        {"time point block over a variable", 2, false, "", {"20", "0", "6"}, {1823}},
        {"time point block just below it", 2, false, "", {"20", "0", "5"}, {}},
        {"time point block over the node state", 2, false, "", {"20", "0", "95"}, {1799}},
        {"address and register clash", 1, false, "5", {"10", "0", "0", "20", "0", "0"}, {1890, 1805}},
        {"two pasted variables on one register", 1, false, "7", {"20", "0", "0", "20", "0", "0"}, {}},
        {"trailing part of a group", 2, false, "", {"20", "0", "0", "60000"}, {}},
    };
    TInteractionScript script;
    Edit(script, [&] {
        TFNewIDNode* D = FNewIDNode;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            D->Form_Type = c.type;
            D->FormShow(D);
            (c.secondary ? D->RB_Node_Sec : D->RB_Node_Pri)->SetChecked(true);
            TEdit* address = c.type == 3 ? D->E_wMBus_Add : c.secondary ? D->E_New_Node_ID_Sec : D->E_New_Node_ID_Pri;
            address->SetText(c.address);
            std::vector<std::array<String, 3>> rows;
            for (const char* cell : c.cells) rows.push_back({"", cell, "v"});
            D->Set_Register_Rows(rows);
            D->SetModalResult(mrNone);
            for (int t : c.texts) script.Answer(mrOk, Lang_Text(t));
            UserClick(D->LbButton2);
            EXPECT_EQ(D->ModalResult(), c.texts.empty() ? mrOk : mrNone);
            EXPECT_EQ(script.Problems(), "");
            script.Clear();
        }
        return mrCancel;
    });
    EXPECT_EQ(script.Problems(), "");
}

// The lists of Type of Data and VIFE drop wider than their boxes and open towards the
// left, their right edges on the boxes' right edges.
TEST_F(NetworkEditor, TheWideListsOpenTowardsTheLeft)
{
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        E->PC_Main->SetActivePage(E->TS_Variables);
        for (TComboBox* cb : {E->CB_Var_ToD, E->CB_Var_VIFE}) {
            SCOPED_TRACE(cb->Name());
            EXPECT_GT(cb->DroppedWidth(), cb->Width());
            cb->SetDroppedDown(true);
            const TRect list = cb->DroppedControlRect();
            EXPECT_GE(list.Width(), cb->DroppedWidth());
            EXPECT_EQ(list.Right, cb->ClientToScreen(TPoint(cb->Width(), 0)).X);
            if (cb == E->CB_Var_ToD) {
                EXPECT_TRUE(SNAPSHOT(cb, "network_editor_type_of_data_list.png", png));
                // The picture spans the list; the box stands at its right end.
                EXPECT_EQ(png.Width(), list.Width());
            }
            cb->SetDroppedDown(false);
        }
        return mrCancel;
    });
    EXPECT_EQ(script.Problems(), "");
}

// A file read only in part: its reason is shown, the window opens with the nodes read
// before it, and OK refuses to write them over the file (the meters after the fault would
// be lost) and leaves the window open.
TEST_F(NetworkEditor, AFileReadInPartOpensWithWhatWasReadAndIsNotSavedOver)
{
    const String original =
        R"(<M-Bus_Network><Nodo Descrizione="a" ID_Primary="3"/><Nodo/><Nodo Descrizione="c"/></M-Bus_Network>)";
    WriteFileAtomic(FileName_M_Bus, original);
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) {
            EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 3 - a");
            EXPECT_EQ(E->Item_Of(1), nullptr);
            EXPECT_FALSE(E->Is_Change);
            script.Answer(mrOk);
            UserClick(E->LbButton2);
            EXPECT_EQ(E->ModalResult(), mrNone);
            UserClick(E->LbButton4);
            return E->ModalResult();
        },
        "TFMeter_Bus");
    // The reason, shown as the window opens.
    script.Answer(mrOk, "Descrizione");
    FDuvazaradFirmWare->Btn_Click(FDuvazaradFirmWare->Btn_MBus);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(File_Text(FileName_M_Bus), original);
}

// The "Variables" page follows the node in hand: "By Position" hides the rows it does not
// use and shows "Position Var", with the time-point group enabled; "By Type" enables the
// ASCII box and the group by the type of data. A variable length clears and locks
// "Convert in Float". The five time-point fields follow the year register.
TEST_F(NetworkEditor, TheVariablesPageFollowsTheNodesListingAndTheChosenTypes)
{
    auto by_position = With(Wired_Node("Positions", 6), {{"Raw", 20}});
    by_position->Var_List_Type = 1;
    Write_Network(With(Wired_Node("Types", 5), {{"Energy", 10}}), std::move(by_position));
    TInteractionScript script;
    TBitmap png;
    Edit(script, [&] {
        E->Select_Item(E->Item_Of(1, 0));
        EXPECT_EQ(E->PC_Main->ActivePage(), E->TS_Variables);
        EXPECT_TRUE(E->E_Position_Var->Visible());
        for (TControl* c : std::initializer_list<TControl*>{E->CB_Var_ToD, E->E_VIF_ASCII, E->CB_Var_FF,
                                                             E->CB_Var_Unit, E->E_Var_Storage, E->E_Var_Tariff,
                                                             E->CB_Var_VIFE})
            EXPECT_FALSE(c->Visible()) << c->Name();
        EXPECT_TRUE(E->GB_Time_Point->Enabled());
        EXPECT_TRUE(SNAPSHOT(E, "network_editor_by_position.png", png));
        // The root selected: the rows last shown stay.
        E->Select_Item(E->Item_Of(-1));
        EXPECT_TRUE(E->E_Position_Var->Visible());

        E->Select_Item(E->Item_Of(0, 0));
        EXPECT_FALSE(E->E_Position_Var->Visible());
        EXPECT_TRUE(E->CB_Var_ToD->Visible());
        const struct {
            int type_of_data;
            bool ascii, time_point;
        } types[] = {{Type_Of_Data_Time_Point, false, true}, {Type_Of_Data_VIF_ASCII, true, false}, {0, false, false}};
        for (const auto& t : types) {
            E->CB_Var_ToD->SetItemIndex(t.type_of_data);
            E->CB_Var_ToDChange(E->CB_Var_ToD);
            EXPECT_EQ(E->E_VIF_ASCII->Enabled(), t.ascii) << t.type_of_data;
            EXPECT_EQ(E->GB_Time_Point->Enabled(), t.time_point) << t.type_of_data;
        }
        E->CB_Conv_Float->SetChecked(true);
        E->CB_Var_Dim->SetItemIndex(Dimension_Variable_Length);
        E->CB_Var_DimChange(E->CB_Var_Dim);
        EXPECT_TRUE(E->E_Var_Len->Enabled());
        EXPECT_FALSE(E->CB_Conv_Float->Checked());
        EXPECT_FALSE(E->CB_Conv_Float->Enabled());
        E->CB_Var_Dim->SetItemIndex(2);
        E->CB_Var_DimChange(E->CB_Var_Dim);
        EXPECT_FALSE(E->E_Var_Len->Enabled());
        EXPECT_TRUE(E->CB_Conv_Float->Enabled());

        const auto fields = [&] {
            String all;
            for (TEdit* e : E->E_TP) all += e->Text() + " ";
            return all;
        };
        const std::pair<const char*, const char*> years[] = {
            {"10", "11 12 13 14 15 "}, {"x", "0 0 0 0 0 "}, {"0", "0 0 0 0 0 "}};
        for (const auto& [year, shown] : years) {
            E->E_TP_Year->SetText("");
            UserType(E->E_TP_Year, year);
            EXPECT_EQ(fields(), shown) << year;
        }
        // A node selected: the page starts afresh, the year register 1.
        E->Select_Item(E->Item_Of(0));
        EXPECT_EQ(E->E_TP_Year->Text(), "1");
        EXPECT_EQ(fields(), "2 3 4 5 6 ");
        EXPECT_EQ(E->E_Position_Var->Text(), "1");
        return mrCancel;
    });
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
