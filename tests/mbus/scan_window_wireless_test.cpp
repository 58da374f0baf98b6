// The scan window's wireless side as the user works it, against the simulated converter's
// radio module: the method and the port chosen, telegrams becoming rows coloured by whether
// they could be read, a meter's records in the tree, its key typed after a double click
// and its next telegram read, a record and a meter unticked, saved into the network file
// and compared field by field; and the port a box of letters gives.
#include "mbus/network/UMeter_Bus.h"
#include "platform/os/Files.h"
#include "tests/mbus/air_telegrams.h"
#include "tests/mbus/windows_fixture.h"
#include "tests/mbus/scan_grids.h"
#include "treeview/LazyStringTree.h"

namespace {

using ScanWindowWireless = MBusWindows;

constexpr int32_t Telit_Listening = 134;
constexpr uint32_t Plain_Meter = 0x11111111;

bool Near(int V, int Target) { return V >= Target - 12 && V <= Target + 12; }
bool Is_Light_Red(TColor C) { return Near(GetRValue(C), 255) && Near(GetGValue(C), 187) && Near(GetBValue(C), 185); }
bool Is_Light_Green(TColor C) { return Near(GetRValue(C), 168) && Near(GetGValue(C), 255) && Near(GetBValue(C), 168); }

// The tree node whose text starts with Text, among Parent's children.
PLazyNode Child_Starting(TBaseLazyTree* T, PLazyNode Parent, const String& Text)
{
    for (PLazyNode n = T->GetFirstChild(Parent); n; n = T->GetNextSibling(n))
        if (static_cast<TLazyStringTree*>(T)->Text(n, 0).rfind(Text, 0) == 0) return n;
    return nullptr;
}

// The user clicks a node's check box: found along the node's row as the tree places it.
bool Click_Check_Box(TBaseLazyTree* T, PLazyNode Node)
{
    T->ScrollIntoView(Node, false);
    const TRect row = T->GetDisplayRect(Node, NoColumnIndex, false);
    const int y = (row.Top + row.Bottom) / 2;
    for (int x = 0; x < row.Right; ++x) {
        THitInfo hit;
        T->GetHitTestInfoAt(x, y, true, hit);
        if (hit.HitNode == Node && hit.HitPositions.Contains(hiOnItemCheckbox)) {
            UserClick(T, x + 2, y);
            return true;
        }
    }
    return false;
}

// A table cell's centre, for the mouse.
TPoint Centre_Of(TFScanDecode* W, int Col, int Row)
{
    const TRect r = Wireless_Table_Cell_Rect(W, Col, Row);
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

TEST_F(ScanWindowWireless, HeardMetersShowAsRowsTakeAKeyAndLandInTheNetworkAsTicked)
{
    TInteractionScript script;
    New_Configuration(script, "Radio");
    Converter(41, {}, 10001);
    TFScanDecode* W = FScanDecode;
    W->Form_Type = 1;
    W->FileName_MBus = FileName_M_Bus;
    W->XML_Code_Dev = No_XML_Code_Dev;
    TControl* G = Wireless_Table(W);
    TLazyStringTree* T = W->VST_Wireless;
    TBitmap png;
    const auto row_of = [&](int Row) {
        std::vector<String> cells;
        for (int c = 0; c < 13; ++c) cells.push_back(Wireless_Table_Cell(W, c, Row));
        return cells;
    };
    script.OnForm(
        [&](TForm*) -> TModalResult {
            EXPECT_TRUE(W->CB_ScanMethod->Visible());
            EXPECT_EQ(W->ClientHeight(), 571);
            // The user picks the wireless method: the wired rows give way to the radio's.
            UserFocus(W->CB_ScanMethod);
            UserKey(W->CB_ScanMethod, VK_DOWN);
            EXPECT_EQ(W->CB_ScanMethod->ItemIndex(), 1);
            EXPECT_FALSE(W->CB_ScanBy->Visible());
            EXPECT_FALSE(W->CB_MBus_Baud->Visible());
            EXPECT_FALSE(W->CB_Opt_SND_NKE->Visible());
            EXPECT_TRUE(W->CB_wMBus_Mode->Visible());
            EXPECT_TRUE(W->CB_wMBus_Radio_Channel->Visible());
            EXPECT_TRUE(W->E_Port->Visible());
            EXPECT_TRUE(W->E_Port->Enabled());
            EXPECT_EQ(W->CB_HardwareType->Top(), 40) << "the hardware row moves up where the scan-by row was";
            EXPECT_TRUE(SNAPSHOT(W, "scan_window_wireless_options.png", png));
            Type_Address();
            W->E_Port->SetText("");
            UserType(W->E_Port, "10001");

            UserClick(W->Btn_StartScan);
            EXPECT_EQ(W->Style(), 4);
            EXPECT_TRUE(W->P_View_Wireless->Visible());
            EXPECT_FALSE(W->P_TreeView->Visible());
            EXPECT_TRUE(W->Btn_StopScan->Visible());
            if (!Pump_Until([&] { return Engine->Step() == Telit_Listening && Sim->Module_Listens(); }))
                return ADD_FAILURE() << "the module never listened", mrCancel;

            // The encrypted meter is heard four times, then the plain one: one row each (the
            // rows come in the order the telegrams were decoded).
            for (int i = 0; i < 4; ++i) EXPECT_TRUE(Sim->Air(Telegram(rmTelit)));
            EXPECT_TRUE(Sim->Air(Plain_Telegram(Plain_Meter, rmTelit, Hex("04 13 E8 03 00 00 02 5A 2C 01"))));
            if (!Pump_Until([&] { return Wireless_Table_Cell(W, 0, 2) == "2"; }))
                return ADD_FAILURE() << "no rows", mrCancel;
            EXPECT_EQ(Wireless_Table_Rows(W), 3);
            const std::vector<String> encrypted = row_of(1);
            EXPECT_EQ(encrypted[0], "1");
            EXPECT_EQ(encrypted[1].size(), 19u) << encrypted[1];
            const std::vector<String> expected_cells = {"0x44", "KAM(2C2D)", "12345678", "1 (01)", "7 (07)",
                                                       "KAM(2C2D)", "12345678", "1 (01)", "7 (07)"};
            EXPECT_EQ(std::vector<String>(encrypted.begin() + 2, encrypted.begin() + 11), expected_cells);
            EXPECT_EQ(row_of(2)[8], "11111111");
            EXPECT_EQ(Wireless_Table_Image(W, 12, 1), 0) << "the lock of an encrypted meter";
            EXPECT_EQ(Wireless_Table_Image(W, 12, 2), 1);

            // A click on the plain meter's row shows its records in the tree.
            const TPoint plain_row = Centre_Of(W, 4, 2);
            UserClick(G, plain_row.X, plain_row.Y);
            PLazyNode plain = T->GetFirst();
            if (!plain || T->RootNodeCount() != 1u) return ADD_FAILURE() << "no tree", mrCancel;
            EXPECT_EQ(T->Text(plain, 0), "Manufacturer = KAM - Address = 11111111 - Version = 1 - Device Type = 7 - ");
            EXPECT_EQ(T->GetChildCount(plain), 2u);
            PLazyNode plain_temp = Child_Starting(T, plain, "Value = 30 - ");
            EXPECT_NE(plain_temp, nullptr);
            T->SetExpanded(plain, true);
            if (plain_temp) T->SetExpanded(plain_temp, true);
            T->ScrollIntoView(plain, false);
            // Mid-scan, both the table and the tree filled.
            EXPECT_TRUE(W->TR_ScanDecode->FInScan);
            EXPECT_TRUE(SNAPSHOT(W, "scan_window_wireless_running.png", png));
            const TPoint grid_at(G->Left() + W->P_W_Table->Left() + W->P_View_Wireless->Left(),
                                 G->Top() + W->P_W_Table->Top() + W->P_View_Wireless->Top());
            const auto in_window = [&](int Col, int Row) {
                TRect r = Wireless_Table_Cell_Rect(W, Col, Row);
                return TRect(r.Left + grid_at.X, r.Top + grid_at.Y, r.Right + grid_at.X, r.Bottom + grid_at.Y);
            };
            EXPECT_GT(Count_Pixels(png, in_window(2, 1), Is_Light_Red), 100) << "the encrypted meter's row";
            // The plain meter's row is the selected one; its own colour is light green.
            EXPECT_EQ(Wireless_Table_Colour(W, 2, 2), TColor(0xA8FFA8));
            EXPECT_EQ(Count_Pixels(png, in_window(0, 1), Is_Light_Red), 0) << "the number column keeps its colour";
            const TRect tree(T->Left() + W->P_W_Tree->Left() + W->P_View_Wireless->Left(),
                             T->Top() + W->P_W_Tree->Top() + W->P_View_Wireless->Top(),
                             T->Left() + W->P_W_Tree->Left() + W->P_View_Wireless->Left() + T->Width(),
                             T->Top() + W->P_W_Tree->Top() + W->P_View_Wireless->Top() + T->Height());
            const auto dark = [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 150; };
            EXPECT_GT(Count_Pixels(png, tree, dark), 300)
                << "the tree's texts are drawn";

            // The plain meter is left out of the network: its check box unticked.
            EXPECT_TRUE(Click_Check_Box(T, plain));
            EXPECT_EQ(T->CheckState(plain), csUncheckedNormal);

            // A double click on a meter that can be read asks for no key (the script would
            // see the dialog).
            UserDblClick(G, plain_row.X, plain_row.Y);

            // A double click on the encrypted meter near the window's right edge: the key
            // dialog opens inside the window, the key typed in lower case.
            const TRect last = Wireless_Table_Cell_Rect(W, 5, 1);
            EXPECT_GT(last.Right + G->ClientToScreen(TPoint(0, 0)).X + FInsertKeyWireless->Width(),
                      W->ClientToScreen(TPoint(W->ClientWidth(), 0)).X);
            script.OnForm(
                [&](TForm*) -> TModalResult {
                    TFInsertKeyWireless* D = FInsertKeyWireless;
                    const TPoint at = W->ScreenToClient(TPoint(D->Left(), D->Top()));
                    EXPECT_GE(at.X, 0);
                    EXPECT_LE(at.X + D->Width(), W->ClientWidth()) << "moved left to stay inside the window";
                    EXPECT_LE(at.Y + D->Height(), W->ClientHeight());
                    D->E_Key->SetText("");
                    UserType(D->E_Key, "000102030405060708090a0b0c0d0e0f");
                    EXPECT_EQ(D->E_Key->Text(), "000102030405060708090A0B0C0D0E0F");
                    TBitmap key_png;
                    EXPECT_TRUE(SNAPSHOT(D, "scan_key_dialog.png", key_png));
                    const TRect key = D->E_Key->BoundsRect();
                    const auto dark = [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 150; };
                    EXPECT_GT(Count_Pixels(key_png, key, dark), 100) << "the key's digits are drawn";
                    UserClick(D->Btn_OK);
                    return D->ModalResult();
                },
                "TFInsertKeyWireless");
            UserDblClick(G, last.Right - 3, (last.Top + last.Bottom) / 2);
            if (!Pump_Until([&] { return Engine->Step() == Telit_Listening && Engine->Listening(); }))
                return ADD_FAILURE() << "the key was not loaded", mrCancel;
            std::map<int, int> key_registers;
            for (const auto& [reg, value] : Sim->Telit_Registers())
                if (reg >= 470 && reg < 486) key_registers[reg] = value;
            EXPECT_EQ(key_registers.size(), 16u);
            EXPECT_EQ(key_registers[470 + 10], 0x0A) << "the key's bytes as typed";

            // The fifth telegram of the same meter is read with the key: still one row,
            // now in green.
            EXPECT_TRUE(Sim->Air(Telegram(rmTelit)));
            EXPECT_TRUE(Pump_Until([&] { return Wireless_Table_Colour(W, 1, 1) == TColor(0xA8FFA8); }));
            EXPECT_EQ(Wireless_Table_Rows(W), 3);
            EXPECT_EQ(Wireless_Table_Image(W, 12, 1), 1);

            // Its records in the tree; the temperature unticked.
            const TPoint meter_row = Centre_Of(W, 4, 1);
            UserClick(G, meter_row.X, meter_row.Y);
            PLazyNode meter = T->GetFirst();
            if (!meter) return ADD_FAILURE() << "no tree", mrCancel;
            EXPECT_EQ(T->Text(meter, 0), "Manufacturer = KAM - Address = 12345678 - Version = 1 - Device Type = 7 - ");
            PLazyNode volume = Child_Starting(T, meter, "Value = 12.345 - ");
            PLazyNode temperature = Child_Starting(T, meter, "Value = 30 - ");
            if (!volume || !temperature) return ADD_FAILURE() << "records missing", mrCancel;
            T->SetExpanded(meter, true);
            EXPECT_TRUE(Click_Check_Box(T, temperature));
            EXPECT_EQ(T->CheckState(meter), csMixedNormal);
            // Back on the plain meter: its check shows what the user left it at.
            UserClick(G, plain_row.X, plain_row.Y);
            EXPECT_EQ(T->CheckState(T->GetFirst()), csUncheckedNormal);

            UserClick(W->Btn_StopScan);
            if (!Pump_Until([&] { return W->Style() == 5; })) return ADD_FAILURE() << "no end", mrCancel;
            EXPECT_TRUE(W->Btn_NewScan->Visible());
            EXPECT_TRUE(W->Btn_SaveConf->Visible());
            EXPECT_TRUE(W->Btn_SaveConfManual->Visible());
            EXPECT_EQ(Wireless_Table_Rows(W), 3) << "the meters heard stay";
            EXPECT_TRUE(SNAPSHOT(W, "scan_window_wireless_result.png", png));
            EXPECT_GT(Count_Pixels(png, in_window(2, 1), Is_Light_Green), 100) << "the meter read with its key";
            EXPECT_EQ(Count_Pixels(png, in_window(2, 1), Is_Light_Red), 0);

            script.Answer(mrOk, Lang_Text(2130));
            UserClick(W->Btn_SaveConf);
            return mrCancel;
        },
        "TFScanDecode");
    W->ShowModal();
    EXPECT_EQ(script.Problems(), "");

    // The file, field by field: the meters in the order heard.
    TMBusNetwork net;
    net.Load(FileName_M_Bus);
    EXPECT_EQ(net.Read_Error, "");
    ASSERT_EQ(net.Nodi_List.size(), 2u);
    const TNodo& a = *net.Nodi_List[0];
    EXPECT_EQ(a.Enable, 1);
    EXPECT_EQ(a.MBus_Type, 0);
    EXPECT_EQ(a.Description, "KAM");
    EXPECT_EQ(a.wMBus_ManID, "11309");
    EXPECT_EQ(a.wMBus_Add, "305419896");
    EXPECT_EQ(a.wMBus_Ver, "1");
    EXPECT_EQ(a.wMBus_DevType, "7");
    EXPECT_EQ(a.wMBus_En_Key, 1);
    for (int b = 0; b < 16; ++b) EXPECT_EQ(a.wMBus_Key[size_t(b)], IntToStr(b)) << b;
    ASSERT_EQ(a.Var_List.size(), 2u);
    EXPECT_TRUE(a.Var_List[0]->Enable);
    EXPECT_FALSE(a.Var_List[1]->Enable) << "the unticked temperature";
    EXPECT_LT(a.Var_List[0]->PositionData, a.Var_List[1]->PositionData);
    const TNodo& b = *net.Nodi_List[1];
    EXPECT_EQ(b.Enable, 0) << "the unticked meter";
    EXPECT_EQ(b.wMBus_Add, IntToStr(int(Plain_Meter)));
    EXPECT_EQ(b.wMBus_En_Key, 0);
    EXPECT_EQ(b.Var_List.size(), 2u);

    // The network editor shows them as wireless nodes.
    script.OnForm(
        [&](TForm*) -> TModalResult {
            TFMeter_Bus* E = FMeter_Bus;
            EXPECT_EQ(E->Item_Text(E->Item_Of(0)), "wM-Bus Node - Address 305419896 - KAM");
            E->Select_Item(E->Item_Of(0));
            EXPECT_EQ(E->CB_MBus_Type->ItemIndex(), 0);
            EXPECT_TRUE(E->P_wMBus->Visible());
            EXPECT_TRUE(SNAPSHOT(E, "network_editor_wireless_node.png", png));
            return mrCancel;
        },
        "TFMeter_Bus");
    FDuvazaradFirmWare->Btn_Click(FDuvazaradFirmWare->Btn_MBus);
    EXPECT_EQ(script.Problems(), "");
}

// A port box holding letters only: the scan goes to port 65535, where this converter's
// radio module listens.
TEST_F(ScanWindowWireless, APortOfLettersScansOnTheLastPort)
{
    Converter(42, {}, 65535);
    TFScanDecode* W = FScanDecode;
    W->Form_Type = 1;
    W->XML_Code_Dev = No_XML_Code_Dev;
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) -> TModalResult {
            W->CB_ScanMethod->SetItemIndex(1);
            W->CB_HardwareTypeChange(W->CB_ScanMethod);
            Type_Address();
            W->E_Port->SetText("port");
            UserClick(W->Btn_StartScan);
            EXPECT_TRUE(Pump_Until([&] { return Sim->Module_Listens(); }));
            UserClick(W->Btn_AbortScan);
            EXPECT_TRUE(Pump_Until([&] { return W->Style() == 5; }));
            return mrCancel;
        },
        "TFScanDecode");
    W->ShowModal();
    EXPECT_EQ(script.Problems(), "");
    const std::vector<std::string> heard = Sim->Request_Texts();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), "Zodudo_Enable_Configuration_Mode");
}

}  // namespace
