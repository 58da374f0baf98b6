// The scan window as the user works it, against the simulated converter: the address
// typed, a primary scan with its progress lines, the meters and records in the tree,
// some unticked, saved into the configuration's network file, and seen again in the
// network editor; the window's place in the program and its dialogs' checks.
#include "mbus/network/UMeter_Bus.h"
#include "platform/os/Files.h"
#include "tests/mbus/windows_fixture.h"
#include "treeview/LazyStringTree.h"

namespace {

using ScanWindow = MBusWindows;

bool Is_Red(TColor C) { return GetRValue(C) > 180 && GetGValue(C) < 90 && GetBValue(C) < 90; }
bool Is_Blue(TColor C) { return GetBValue(C) > 180 && GetRValue(C) < 90 && GetGValue(C) < 90; }

PLazyNode Child(TBaseLazyTree* T, PLazyNode Parent, int Index)
{
    PLazyNode n = T->GetFirstChild(Parent);
    for (int i = 0; n && i < Index; ++i) n = T->GetNextSibling(n);
    return n;
}

TEST_F(ScanWindow, ScannedMetersTickedInTheTreeLandInTheNetworkAndTheEditorShowsThem)
{
    TInteractionScript script;
    New_Configuration(script, "Meters");
    // Address 7 is empty, 8 has a meter answering three frames, 20 one frame.
    Converter(31, {Sim_Meter(8, "22222222", 3), Sim_Meter(20, "33333333")});
    TFScanDecode* W = FScanDecode;
    TBitmap png;
    script.OnForm(
        [&](TForm*) -> TModalResult {
            EXPECT_EQ(W->Style(), 1);
            EXPECT_TRUE(W->Btn_StartScan->Visible());
            EXPECT_FALSE(W->CB_ScanMethod->Visible()) << "this build scans wired meters only";
            EXPECT_FALSE(W->CB_HardwareType->Enabled()) << "never over a serial port here";
            EXPECT_EQ(W->ClientHeight(), 523);
            EXPECT_TRUE(SNAPSHOT(W, "scan_window_options.png", png));
            Type_Address();
            EXPECT_EQ(W->E_IP1->Text(), "127");
            EXPECT_EQ(W->E_IP2->Text(), "38");
            EXPECT_EQ(W->E_IP3->Text(), "0");
            EXPECT_EQ(W->E_IP4->Text(), "31");

            UserClick(W->Btn_StartScan);
            EXPECT_EQ(W->Style(), 2);
            EXPECT_TRUE(W->Btn_StopScan->Visible());
            EXPECT_TRUE(W->Btn_AbortScan->Visible());
            EXPECT_FALSE(W->Btn_StartScan->Visible());
            // Mid-scan: the progress lines so far, found meters blue, missing ones red.
            EXPECT_TRUE(Pump_Until([&] { return W->LB_AvailableDevice->Count() >= 12; }));
            EXPECT_TRUE(W->TR_ScanDecode->FInScan);
            EXPECT_TRUE(SNAPSHOT(W, "scan_window_running.png", png));
            const TRect list = W->LB_AvailableDevice->BoundsRect();
            const TRect in_window(list.Left + W->P_TreeView->Left(), list.Top + W->P_TreeView->Top(),
                                  list.Right + W->P_TreeView->Left(), list.Bottom + W->P_TreeView->Top());
            // The newest line stands at the top of the list, in its colour.
            EXPECT_GT(Count_Pixels(png, in_window, [](TColor c) { return Is_Red(c) || Is_Blue(c); }), 20);

            // The window's timer sees the end and fills the tree.
            EXPECT_TRUE(Pump_Until([&] { return W->Style() == 3; }));
            const auto& lines = W->LB_AvailableDevice->Items();
            if (lines.size() < 22u) return ADD_FAILURE() << lines.size() << " lines", mrCancel;
            EXPECT_EQ(lines[7], "ID = 7\t[NOT FOUND]");
            EXPECT_EQ(lines[8], "ID = 8\t");
            EXPECT_EQ(W->LB_AvailableDevice->TopIndex(), W->LB_AvailableDevice->Count() - 1);
            EXPECT_EQ(W->L_Num_Slave->Caption(), "2");
            EXPECT_TRUE(W->Btn_NewScan->Visible());
            EXPECT_TRUE(W->Btn_SaveConf->Visible());

            TLazyStringTree* T = W->VST;
            if (T->RootNodeCount() != 2u) return ADD_FAILURE() << T->RootNodeCount() << " meters", mrCancel;
            PLazyNode m8 = Child(T, nullptr, 0), m20 = Child(T, nullptr, 1);
            EXPECT_EQ(T->Text(m8, 0).substr(0, 62),
                      "Primary Address = 8 - Secondary Address = 22222222 - Manufactu");
            EXPECT_EQ(T->GetChildCount(m8), 3u);
            EXPECT_EQ(T->GetChildCount(Child(T, m8, 0)), 12u);
            EXPECT_EQ(T->Text(Child(T, Child(T, m8, 0), 8), 0), "VIF = $13");
            for (PLazyNode n : {m8, m20, Child(T, m8, 1)}) EXPECT_EQ(T->CheckState(n), csCheckedNormal);

            // The user unticks the second record of meter 8 and the whole of meter 20.
            T->SetCheckState(Child(T, m8, 1), csUncheckedNormal);
            T->SetCheckState(m20, csUncheckedNormal);
            EXPECT_EQ(T->CheckState(m8), csMixedNormal) << "a meter with some records ticked";
            EXPECT_EQ(T->CheckState(Child(T, m20, 0)), csUncheckedNormal) << "the meter's records follow it";
            T->SetExpanded(m8, true);
            T->SetExpanded(Child(T, m8, 0), true);
            EXPECT_TRUE(SNAPSHOT(W, "scan_window_result.png", png));
            const TRect tree(T->Left() + W->P_TreeView->Left(), T->Top() + W->P_TreeView->Top(),
                             T->Left() + W->P_TreeView->Left() + T->Width(), T->Top() + W->P_TreeView->Top() + T->Height());
            EXPECT_GT(Count_Pixels(png, tree, [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 150; }),
                      400)
                << "the tree's texts are drawn";

            script.Answer(mrOk, Lang_Text(2130));
            UserClick(W->Btn_SaveConf);
            return mrCancel;
        },
        "TFScanDecode");
    FDuvazaradFirmWare->Btn_Click(FDuvazaradFirmWare->Btn_ScanDecode);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(W->FileName_MBus, FileName_M_Bus) << "the main window hands the window its file";
    EXPECT_EQ(W->Form_Type, 0);

    // The file, field by field.
    ASSERT_TRUE(FileExists(FileName_M_Bus));
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    EXPECT_EQ(net.Read_Error, "");
    ASSERT_EQ(net.Nodi_List.size(), 2u);
    const struct {
        int enable, pri, sec;
        std::vector<bool> vars;
        std::vector<int> regs;
    } expected[] = {{1, 8, 22222222, {true, false, true}, {1, 3, 5}}, {0, 20, 33333333, {false}, {7}}};
    for (size_t i = 0; i < 2; ++i) {
        const TNodo& n = *net.Nodi_List[i];
        EXPECT_EQ(n.Enable, expected[i].enable) << i;
        EXPECT_EQ(n.Node_Pri, expected[i].pri) << i;
        EXPECT_EQ(n.Node_Sec, expected[i].sec) << i;
        EXPECT_EQ(n.Node_ID_Type, 0) << i;
        EXPECT_EQ(n.MBus_Type, 1) << i;
        EXPECT_EQ(n.Send_SNK, 0) << i;
        ASSERT_EQ(n.Var_List.size(), expected[i].vars.size()) << i;
        for (size_t k = 0; k < n.Var_List.size(); ++k) {
            const TVariabile& v = *n.Var_List[k];
            EXPECT_EQ(v.Enable, expected[i].vars[k]) << i << "," << k;
            EXPECT_EQ(v.PositionData, expected[i].regs[k]) << i << "," << k;
            EXPECT_EQ(v.Position, k + 1) << i << "," << k;
            EXPECT_EQ(v.Dimension, 2) << "a 32-bit integer";
        }
    }

    // The network editor reads them back.
    script.OnForm(
        [&](TForm*) -> TModalResult {
            TFMeter_Bus* E = FMeter_Bus;
            EXPECT_EQ(E->Item_Text(E->Item_Of(-1)), "M-Bus Network");
            EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "ID 8 - " + net.Nodi_List[0]->Description);
            EXPECT_EQ(E->Item_Text(E->Item_Of(1)), "ID 20 - " + net.Nodi_List[1]->Description);
            EXPECT_EQ(E->Item_Text(E->Item_Of(0, 2)), "VAR - " + net.Nodi_List[0]->Var_List[2]->Description);
            E->Select_Item(E->Item_Of(0, 1));
            EXPECT_EQ(E->E_Var_PosData->Text(), "3");
            EXPECT_FALSE(E->CB_Var_Enable->Checked());
            EXPECT_EQ(E->E_Node_Pri->Text(), "8");
            EXPECT_TRUE(SNAPSHOT(E, "network_editor_after_scan.png", png));
            return mrCancel;
        },
        "TFMeter_Bus");
    FDuvazaradFirmWare->Btn_Click(FDuvazaradFirmWare->Btn_MBus);
    EXPECT_EQ(script.Problems(), "");
}

// The engine's progress reports as lines: what each kind of report adds, and how a line is
// drawn (scrolled back to the first line).
TEST_F(ScanWindow, ProgressReportsBecomeColouredLines)
{
    TFScanDecode* W = FScanDecode;
    W->Form_Style(2);
    W->LB_AvailableDevice->Clear();
    const struct {
        int kind, value, found, type;
        const char* line;   // nullptr: no line
    } reports[] = {
        {1, 0, 0, 1, nullptr},                        // a primary scan starts without a line
        {2, 7, 0, 1, "ID = 7\t[NOT FOUND]"},
        {2, 8, 1, 1, "ID = 8\t"},
        {3, 0, 0, 1, nullptr},                        // nor does it end with one
        {1, 0, 0, 2, "Start Scan By Secondary Address"},
        {2, 0x12345678, 1, 2, "ID = 12345678"},
        {3, 0, 0, 2, "Finish Scan By Secondary Address"},
    };
    std::vector<String> expected;
    for (const auto& r : reports) {
        W->Update_Slave_List_Box(r.kind, r.value, r.found, r.type);
        if (r.line) expected.push_back(r.line);
        EXPECT_EQ(W->LB_AvailableDevice->TopIndex(), std::max(0, W->LB_AvailableDevice->Count() - 1))
            << "the newest line on top";
    }
    EXPECT_EQ(W->LB_AvailableDevice->Items(), expected);

    W->LB_AvailableDevice->SetTopIndex(0);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(W->LB_AvailableDevice, "scan_progress_lines.png", png));
    const int h = W->LB_AvailableDevice->ItemHeight();
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, 70, h), Is_Red), 10) << "7: no meter, red";
    EXPECT_GT(Count_Pixels(png, TRect(70, 0, 200, h), Is_Red), 10) << "its mark in the second column";
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, 200, h), Is_Blue), 0);
    EXPECT_GT(Count_Pixels(png, TRect(0, h, 200, 2 * h), Is_Blue), 10) << "8: a meter, blue";
    EXPECT_EQ(Count_Pixels(png, TRect(0, h, 200, 2 * h), Is_Red), 0);
}

}  // namespace
