// The scan window as the user works it, against the simulated converter: the address
// typed, a primary scan with its progress lines, the meters and records in the tree,
// some unticked, saved into the configuration's network file, and seen again in the
// network editor; the window's place in the program and its dialogs' checks.
#include "mbus/network/UMeter_Bus.h"
#include "mbus/scan/UScanDialogs.h"
#include "platform/os/Files.h"
#include "tests/mbus/network_fixture.h"
#include "tests/mbus/scan_grids.h"
#include "tests/mbus/windows_fixture.h"
#include "treeview/LazyStringTree.h"

namespace {

using ScanWindow = MBusWindows;

bool Is_Red(TColor C) { return GetRValue(C) > 180 && GetGValue(C) < 90 && GetBValue(C) < 90; }
bool Is_Blue(TColor C) { return GetBValue(C) > 180 && GetRValue(C) < 90 && GetGValue(C) < 90; }

size_t Meters_In(TSlaveList& List)
{
    std::lock_guard<std::mutex> lock(List.Lock);
    return List.Items.size();
}

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
            EXPECT_EQ(FindFocusedControl(), W->E_IP4) << "a full stop in the last box goes nowhere";

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

// Saving over an existing network file asks first: Cancel saves nothing, No writes a new
// file with only this scan's meters, Yes appends them from the start register asked for
// (this family's networks take Modbus registers), and the per-meter dialog lists every
// meter with its own start register. New Scan then empties the wired meters and their
// tree and leaves the wireless meters as they were.
TEST_F(ScanWindow, SavingOverAnExistingNetworkAsksWhetherToAppend)
{
    TInteractionScript script;
    New_Configuration(script, "Again");
    {
        TMBusNetwork net;
        net.Nodi_List.push_back(Wired_Node("Old", 1));
        net.Save(FileName_M_Bus);
    }
    const String old_text = File_Text(FileName_M_Bus);
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        List_Slave_wMBus.Items.push_back(std::make_unique<TSlave_wMBus>());
    }
    Converter(32, {Sim_Meter(8, "22222222", 2), Sim_Meter(9, "33333333")});
    TFScanDecode* W = FScanDecode;
    W->FileName_MBus = FileName_M_Bus;
    W->Form_Type = 0;
    W->XML_Code_Dev = 0;
    // Each node as its address and its records' registers.
    const auto saved = [&] {
        TMBusNetwork net;
        net.Load(FileName_M_Bus);
        std::vector<std::vector<int>> nodes;
        for (const auto& n : net.Nodi_List) {
            nodes.push_back({n->Node_Pri});
            for (const auto& v : n->Var_List) nodes.back().push_back(v->PositionData);
        }
        return nodes;
    };
    using TSaved = std::vector<std::vector<int>>;
    script.OnForm(
        [&](TForm*) -> TModalResult {
            Type_Address();
            UserClick(W->Btn_StartScan);
            if (!Pump_Until([&] { return W->Style() == 3; })) return ADD_FAILURE() << "no end", mrCancel;
            EXPECT_TRUE(W->Btn_SaveConfManual->Visible());

            script.Answer(mrCancel, Lang_Text(2137));
            UserClick(W->Btn_SaveConf);
            EXPECT_EQ(File_Text(FileName_M_Bus), old_text);

            script.Answer(mrNo, Lang_Text(2137)).Answer(mrOk, Lang_Text(2130));
            UserClick(W->Btn_SaveConf);
            EXPECT_EQ(saved(), (TSaved{{8, 1, 3}, {9, 5}})) << "only this scan's meters";

            script.Answer(mrYes, Lang_Text(2137));
            script.OnForm(
                [&](TForm*) {
                    TBitmap start_png;
                    EXPECT_TRUE(SNAPSHOT(FScanModbusStart, "scan_start_register_dialog.png", start_png));
                    FScanModbusStart->E_StartModAdd->SetText("100");
                    UserClick(FScanModbusStart->Btn_OK);
                    return FScanModbusStart->ModalResult();
                },
                "TFScanModbusStart");
            script.Answer(mrOk, Lang_Text(2130));
            UserClick(W->Btn_SaveConf);
            EXPECT_EQ(saved(), (TSaved{{8, 1, 3}, {9, 5}, {8, 100, 102}, {9, 104}}));

            script.Answer(mrYes, Lang_Text(2137));
            TBitmap png;
            script.OnForm(
                [&](TForm*) {
                    TFModbusStartAdd_SD* D = FModbusStartAdd_SD;
                    EXPECT_TRUE(SNAPSHOT(D, "scan_start_registers_dialog.png", png));
                    EXPECT_EQ(Start_Registers_Rows(), 3);
                    EXPECT_EQ(Start_Registers_Cell(0, 1), "8 - 22222222");
                    EXPECT_EQ(Start_Registers_Cell(0, 2), "9 - 33333333");
                    EXPECT_EQ(Start_Registers_Cell(1, 2), "1");
                    Set_Start_Registers_Cell(1, 1, "200");
                    Set_Start_Registers_Cell(1, 2, "300");
                    UserClick(D->Btn_OK);
                    return D->ModalResult();
                },
                "TFModbusStartAdd_SD");
            script.Answer(mrOk, Lang_Text(2130));
            UserClick(W->Btn_SaveConfManual);
            const TSaved all = saved();
            EXPECT_EQ(TSaved(all.begin() + 4, all.end()), (TSaved{{8, 200, 202}, {9, 300}}));

            UserClick(W->Btn_NewScan);
            EXPECT_EQ(W->Style(), 1);
            EXPECT_EQ(W->VST->RootNodeCount(), 0u);
            return mrCancel;
        },
        "TFScanDecode");
    W->ShowModal();
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(Meters_In(List_Slave_MBus), 0u);
    EXPECT_EQ(Meters_In(List_Slave_wMBus), 1u) << "a new wired scan leaves the wireless meters";
}

// The per-meter start registers: every row a whole number 1..59999, the first failure
// told with its row; no rows at all pass.
TEST_F(ScanWindow, ThePerMeterRegistersAreCheckedRowByRow)
{
    TFModbusStartAdd_SD* D = FModbusStartAdd_SD;
    const auto row_text = [](int Row, int Text) { return Lang_Text(2408) + IntToStr(Row) + Lang_Text(Text); };
    const struct {
        std::vector<const char*> cells;
        String message;   // empty: accepted
    } cases[] = {
        {{"1", "59999"}, ""},
        {{"1", "60000"}, row_text(2, 2410)},
        {{"0"}, row_text(1, 2410)},
        {{"x"}, row_text(1, 2410)},
        {{"5", "6", ""}, row_text(3, 2409)},
        {{"", "60000"}, row_text(1, 2409)},
        {{}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Set_Start_Registers_Rows(int(c.cells.size()) + 1);
        for (size_t r = 0; r < c.cells.size(); ++r) Set_Start_Registers_Cell(1, int(r) + 1, c.cells[r]);
        D->SetModalResult(mrNone);
        TInteractionScript script;
        if (!c.message.empty()) script.Answer(mrOk, c.message);
        UserClick(D->Btn_OK);
        EXPECT_EQ(D->ModalResult(), c.message.empty() ? mrOk : mrNone);
        EXPECT_EQ(script.Problems(), "");
        if (!c.message.empty()) {
            ASSERT_NE(script.Last(), nullptr);
            EXPECT_EQ(script.Last()->Text, c.message) << "the whole message, row and all";
        }
    }
}

// The address boxes take the converter's address from the configuration's ParGen.xml under
// the keys of its device family (a key missing leaves its box as it was); the wireless
// port is fixed for some families.
TEST_F(ScanWindow, TheAddressComesFromTheFamilysKeysAndSomeFamiliesFixThePort)
{
    TInteractionScript script;
    New_Configuration(script, "Keys");
    WriteFileAtomic(FileName_ParGen, "<ParGen><IP_1>10</IP_1><IP_2>1</IP_2><IP_3>2</IP_3>"
                                     "<PROFINET_IP1>20</PROFINET_IP1><PROFINET_IP2>21</PROFINET_IP2>"
                                     "<PROFINET_IP3>22</PROFINET_IP3><PROFINET_IP4>23</PROFINET_IP4>"
                                     "<Modbus_TCP_Slave_IP1>30</Modbus_TCP_Slave_IP1>"
                                     "<Modbus_TCP_Slave_IP4>34</Modbus_TCP_Slave_IP4>"
                                     "<BACnet_IP1>40</BACnet_IP1><Eth_IP2>51</Eth_IP2><Ethernet_IP3>62</Ethernet_IP3>"
                                     "</ParGen>");
    const struct {
        int32_t code;
        const char* address;   // the four boxes, starting from a.b.c.d
        const char* port;      // the port box, starting from 502
        bool port_editable;
    } cases[] = {
        {No_XML_Code_Dev, "10.1.2.d", "502", true}, {11, "20.21.22.23", "502", true},
        {20, "20.21.22.23", "502", true},           {15, "30.b.c.34", "10001", false},
        {6, "40.b.c.d", "502", true},               {16, "a.51.c.d", "502", true},
        {18, "a.b.62.d", "10001", true},            {12, "10.1.2.d", "10001", false},
    };
    TFScanDecode* W = FScanDecode;
    W->Form_Type = 1;
    W->CB_ScanMethod->SetItemIndex(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        W->XML_Code_Dev = c.code;
        const char* start[] = {"a", "b", "c", "d"};
        TEdit* boxes[] = {W->E_IP1, W->E_IP2, W->E_IP3, W->E_IP4};
        for (int i = 0; i < 4; ++i) boxes[i]->SetText(start[i]);
        W->E_Port->SetText("502");
        script.OnForm(
            [&](TForm*) {
                EXPECT_EQ(W->E_IP1->Text() + "." + W->E_IP2->Text() + "." + W->E_IP3->Text() + "." + W->E_IP4->Text(),
                          c.address);
                EXPECT_EQ(W->E_Port->Text(), c.port);
                EXPECT_EQ(W->E_Port->Enabled(), c.port_editable);
                return mrCancel;
            },
            "TFScanDecode");
        W->ShowModal();
        EXPECT_EQ(script.Problems(), "");
    }
}

}  // namespace
