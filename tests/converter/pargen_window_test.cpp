// The parameter window as the user meets it: what a new configuration shows, the rows
// that come and go, DHCP, the octet keys, the hexadecimal edits, the fixed width, the
// wheel, Cancel, a language change, a picture of the first open and one of the open
// data-rate list.
#include "tests/converter/pargen_fixture.h"

#include "converter/UBoot.h"
#include "platform/gui/Graphics.h"
#include "shell/UDuvazaradFirmWare.h"

namespace {

std::vector<String> Visible_Panels(TFParGen* w)
{
    std::vector<String> names;
    for (int i = 0; i < w->CPG->PanelCount(); ++i)
        if (w->CPG->Panels(i)->Visible()) names.push_back(w->CPG->Panels(i)->Name());
    return names;
}

}  // namespace

TEST_F(ParGenTest, CreationShowsTheFourSectionsNumberedInOrder)
{
    EXPECT_EQ(Visible_Panels(W), (std::vector<String>{"CP_Ethernet_Connection", "CP_LoRa", "CP_KNX", "CP_Ethernet"}));
    EXPECT_EQ(W->CP_Ethernet_Connection->Caption(), "1. Ethernet Connection");
    EXPECT_EQ(W->CP_LoRa->Caption(), "2. LoRaWAN");
    EXPECT_EQ(W->CP_KNX->Caption(), "3. KNX");
    EXPECT_EQ(W->CP_Ethernet->Caption(), "4. Ethernet");
    EXPECT_EQ(W->CP_Ethernet_Connection->TabOrder(), 0);
    EXPECT_EQ(W->CP_Ethernet->TabOrder(), 3);
    EXPECT_EQ(W->ClientWidth(), 460);
    EXPECT_EQ(W->ClientHeight(), 700);
    EXPECT_EQ(W->L_SW_Code->Caption(), "Ruz41O08");
    EXPECT_EQ(W->L_SW_Desc->Caption(), Text(401));
    EXPECT_EQ(W->Caption(), Text(400));
    EXPECT_EQ(W->Btn_Cancel->ModalResult(), mrCancel);
    // The other 32 panels exist, hidden, with their texts.
    ASSERT_NE(W->Control("CP_SNMP_Agent"), nullptr);
    EXPECT_FALSE(W->CP_MQTT->Visible());
    EXPECT_EQ(W->Control("L_MQTT_Server")->Caption(), Text(2564));
    EXPECT_EQ(W->Control("E_MQTT_Server")->Hint(), Text(2565));
}

TEST_F(ParGenTest, WithoutAFileTheWindowShowsTheDefaults)
{
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(TFParGen::List_Text(W->CB_LoRa_RF_Band), "AS923");
        EXPECT_EQ(W->CB_LoRa_DataRate->Items()->Count(), 8);
        EXPECT_EQ(W->CB_LoRa_DataRate->ItemIndex(), 6);
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "230");
        EXPECT_TRUE(W->E_LoRa_Device_Address->Visible());
        EXPECT_TRUE(W->E_LoRa_Network_Session_Key->Visible());
        EXPECT_TRUE(W->E_LoRa_Application_Session_Key->Visible());
        EXPECT_FALSE(W->E_LoRa_Application_Key->Visible());
        EXPECT_FALSE(W->CB_LoRa_FrequencySubBand->Visible());
        EXPECT_FALSE(W->L_LoRa_FrequencySubBand->Visible());
        EXPECT_FALSE(W->CB_EthConn_En_DHCP_Cable->Checked());
        EXPECT_FALSE(W->CB_EthConn_En_DHCP_WiFi->Enabled());
        for (TControl* c : std::initializer_list<TControl*>{W->E_Ethernet_IP1, W->E_Ethernet_SM4, W->CB_Ethernet_En_GAT,
                                                            W->E_Ethernet_GAT4})
            EXPECT_TRUE(c->Enabled()) << c->Name();
        EXPECT_EQ(W->E_EthConn_Sec_DNS_IP3->Text(), "4");
        EXPECT_EQ(W->E_Ethernet_IP4->Text(), "10");
        EXPECT_EQ(W->E_KNX_IDDevice->Text(), "1.1.200");
        EXPECT_EQ(W->CB_KNX_Type->ItemIndex(), 0);
        EXPECT_FALSE(W->CB_KNX_Type->Enabled());
        EXPECT_FALSE(W->E_Ethernet_TCP_Port->Visible());
        EXPECT_FALSE(W->L_Ethernet_UDP_Port->Visible());
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_FALSE(FileExists(FileName_ParGen));
}

TEST_F(ParGenTest, UsBandsInsertTheSubBandRowAndPushTheRestDown)
{
    TInteractionScript script;
    Open(script, [&] {
        const int height = W->CP_LoRa->Height();
        const int knx_top = W->CP_KNX->Top();
        const int network_top = W->CB_LoRa_Network_Type->Top();
        const int fport_top = W->L_LoRa_FPort->Top();
        for (int band : {5, 6}) {
            Pick(W->CB_LoRa_RF_Band, band);
            EXPECT_TRUE(W->CB_LoRa_FrequencySubBand->Visible());
            EXPECT_EQ(W->L_LoRa_FrequencySubBand->Top(), W->CB_LoRa_RF_Band->Top() + 28);
            EXPECT_EQ(W->CB_LoRa_FrequencySubBand->Top(), W->CB_LoRa_RF_Band->Top() + 25);
            EXPECT_EQ(W->CB_LoRa_Network_Type->Top(), network_top + 28);
            EXPECT_EQ(W->L_LoRa_FPort->Top(), fport_top + 28);
            EXPECT_EQ(W->CP_LoRa->Height(), height + 28);
            EXPECT_EQ(W->CP_KNX->Top(), knx_top + 28) << "the panels below move with it";
        }
        Pick(W->CB_LoRa_RF_Band, 2);
        EXPECT_FALSE(W->CB_LoRa_FrequencySubBand->Visible());
        EXPECT_EQ(W->CP_LoRa->Height(), height);
        EXPECT_EQ(W->CP_KNX->Top(), knx_top);
    });
}

TEST_F(ParGenTest, OtaaShowsTheApplicationKeyInsteadOfTheThreeAbpRows)
{
    TInteractionScript script;
    Open(script, [&] {
        const int height = W->CP_LoRa->Height();
        const int address_top = W->E_LoRa_Device_Address->Top();
        Pick(W->CB_LoRa_Activation_Method, 1);
        EXPECT_FALSE(W->E_LoRa_Device_Address->Visible());
        EXPECT_FALSE(W->L_LoRa_Network_Session_Key->Visible());
        EXPECT_FALSE(W->E_LoRa_Application_Session_Key->Visible());
        EXPECT_TRUE(W->E_LoRa_Application_Key->Visible());
        EXPECT_EQ(W->E_LoRa_Application_Key->Top(), address_top) << "the key takes the first freed row";
        EXPECT_EQ(W->CP_LoRa->Height(), height - 56);
        EXPECT_EQ(W->CP_KNX->Top(), W->CP_LoRa->Top() + W->CP_LoRa->Height());
        Pick(W->CB_LoRa_Activation_Method, 0);
        EXPECT_EQ(W->CP_LoRa->Height(), height);
    });
}

TEST_F(ParGenTest, DhcpDisablesEveryEthernetAddressFieldButKeepsTheirValues)
{
    TInteractionScript script;
    Open(script, [&] {
        TControl* const fields[] = {W->E_Ethernet_IP1,  W->E_Ethernet_IP2,  W->E_Ethernet_IP3,  W->E_Ethernet_IP4,
                                    W->E_Ethernet_SM1,  W->E_Ethernet_SM2,  W->E_Ethernet_SM3,  W->E_Ethernet_SM4,
                                    W->CB_Ethernet_En_GAT, W->E_Ethernet_GAT1, W->E_Ethernet_GAT2, W->E_Ethernet_GAT3,
                                    W->E_Ethernet_GAT4};
        UserClick(W->CB_EthConn_En_DHCP_Cable);
        ASSERT_TRUE(W->CB_EthConn_En_DHCP_Cable->Checked());
        for (TControl* c : fields) EXPECT_FALSE(c->Enabled()) << c->Name();
        EXPECT_TRUE(W->E_EthConn_Pri_DNS_IP1->Enabled());
        // The gateway box decides nothing about the gateway edits.
        Tick(W->CB_Ethernet_En_GAT, true);
        EXPECT_FALSE(W->E_Ethernet_GAT1->Enabled());
        // A disabled octet cannot take the focus, so it takes no keys.
        EXPECT_FALSE(W->E_Ethernet_IP4->CanFocus());
        UserClick(W->CB_EthConn_En_DHCP_Cable);
        for (TControl* c : fields) EXPECT_TRUE(c->Enabled()) << c->Name();
        UserClick(W->CB_EthConn_En_DHCP_Cable);
        UserClick(W->Btn_OK);
    });
    TXMLDocument doc;
    doc.LoadFromFile(FileName_ParGen);
    EXPECT_EQ(doc.DocumentElement().ChildNode("Eth_Conn_DHCP_Cable").Text(), "1");
    EXPECT_EQ(doc.DocumentElement().ChildNode("Ethernet_IP4").Text(), "10");
    EXPECT_EQ(doc.DocumentElement().ChildNode("Ethernet_EN_GAT").Text(), "1");
}

TEST_F(ParGenTest, AFullStopInAnOctetJumpsAlongItsChain)
{
    struct Case {
        TEdit* From;
        TEdit* To;   // nullptr: the focus stays
    };
    TInteractionScript script;
    Open(script, [&] {
        const Case cases[] = {
            {W->E_Ethernet_IP4, W->E_Ethernet_SM1},       {W->E_Ethernet_IP1, W->E_Ethernet_IP2},
            {W->E_Ethernet_SM4, W->E_Ethernet_GAT1},      {W->E_EthConn_Pri_DNS_IP4, W->E_EthConn_Sec_DNS_IP1},
            {W->E_EthConn_Sec_DNS_IP2, W->E_EthConn_Sec_DNS_IP3},
            {W->E_Ethernet_GAT4, nullptr},                {W->E_EthConn_Sec_DNS_IP4, nullptr},
        };
        for (const Case& c : cases) {
            UserFocus(c.From);
            const String before = c.From->Text();
            UserType(c.From, ".");
            EXPECT_EQ(c.From->Text(), before) << c.From->Name() << ": the full stop is never typed";
            EXPECT_EQ(FindFocusedControl(), c.To ? c.To : c.From) << c.From->Name();
        }
        // Other keys pass.
        UserFocus(W->E_Ethernet_IP3);
        W->E_Ethernet_IP3->SelectAll();
        UserType(W->E_Ethernet_IP3, "12");
        EXPECT_EQ(W->E_Ethernet_IP3->Text(), "12");
        // A next edit that cannot take the focus leaves it where it is.
        UserFocus(W->E_EthConn_Pri_DNS_IP4);
        W->E_EthConn_Sec_DNS_IP1->SetEnabled(false);
        UserType(W->E_EthConn_Pri_DNS_IP4, ".");
        EXPECT_EQ(FindFocusedControl(), W->E_EthConn_Pri_DNS_IP4);
    });
}

TEST_F(ParGenTest, AnAddressTypedOverAShownOneReplacesEveryOctet)
{
    struct Case {
        const char* Chain;
        std::vector<TEdit*> Octets;
    };
    TInteractionScript script;
    Open(script, [&] {
        const Case cases[] = {
            {"Ethernet address", {W->E_Ethernet_IP1, W->E_Ethernet_IP2, W->E_Ethernet_IP3, W->E_Ethernet_IP4}},
            {"primary DNS", {W->E_EthConn_Pri_DNS_IP1, W->E_EthConn_Pri_DNS_IP2, W->E_EthConn_Pri_DNS_IP3,
                             W->E_EthConn_Pri_DNS_IP4}},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.Chain);
            const char* shown[] = {"192", "0", "2", "1"};
            for (int i = 0; i < 4; ++i) c.Octets[i]->SetText(shown[i]);
            // The keys go wherever the focus is; each full stop moves it on.
            UserFocus(c.Octets[0]);
            for (char k : String("10.0.0.1")) UserType(FindFocusedControl(), String(1, k));
            std::vector<String> octets;
            for (TEdit* e : c.Octets) octets.push_back(e->Text());
            EXPECT_EQ(octets, (std::vector<String>{"10", "0", "0", "1"}));
        }
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(ParGenTest, LoRaKeysTakeHexadecimalDigitsInUpperCaseWithinTheirLength)
{
    TInteractionScript script;
    Open(script, [&] {
        UserFocus(W->E_LoRa_JoinEUI);
        UserType(W->E_LoRa_JoinEUI, "0aZ-9f g");
        EXPECT_EQ(W->E_LoRa_JoinEUI->Text(), "0A9F ") << "letters beyond F and signs are swallowed, blanks pass";
        W->E_LoRa_JoinEUI->SetText("");
        UserType(W->E_LoRa_JoinEUI, "0123456789abcdef0123");
        EXPECT_EQ(W->E_LoRa_JoinEUI->Text(), "0123456789ABCDEF");
        UserFocus(W->E_LoRa_Device_Address);
        UserType(W->E_LoRa_Device_Address, "deadbeef99");
        EXPECT_EQ(W->E_LoRa_Device_Address->Text(), "DEADBEEF");
        UserFocus(W->E_LoRa_Network_Session_Key);
        UserType(W->E_LoRa_Network_Session_Key, String(40, 'a'));
        EXPECT_EQ(W->E_LoRa_Network_Session_Key->Text(), String(32, 'A'));
        // The payload field shows the band's maximum and takes nothing.
        UserFocus(W->E_LoRa_Payload_Size);
        UserType(W->E_LoRa_Payload_Size, "1");
        EXPECT_EQ(W->E_LoRa_Payload_Size->Text(), "230");
        // The device name takes any 31 characters.
        UserFocus(W->E_EthConn_Device_Name);
        UserType(W->E_EthConn_Device_Name, "Gateway.Hall-3 ZZ" + String(20, 'x'));
        EXPECT_EQ(W->E_EthConn_Device_Name->Text(), ("Gateway.Hall-3 ZZ" + String(20, 'x')).substr(0, 31));
    });
}

TEST_F(ParGenTest, TheClientWidthStaysAt460)
{
    TInteractionScript script;
    Open(script, [&] {
        W->HostResized(W->Width() + 140, W->Height() + 50);
        EXPECT_EQ(W->ClientWidth(), 460);
        W->SetClientWidth(300);
        EXPECT_EQ(W->ClientWidth(), 460);
        W->SetClientHeight(500);
        EXPECT_EQ(W->ClientHeight(), 500) << "the height is the user's";
    });
}

TEST_F(ParGenTest, TheWheelScrollsThePanelsOnlyOverThem)
{
    TInteractionScript script;
    Open(script, [&] {
        ASSERT_GT(W->CPG->ScrollRange(), W->CPG->ClientHeight()) << "the four panels are taller than the window";
        const TPoint inside = W->CPG->ClientToScreen(TPoint(100, 100));
        bool handled = false;
        W->FormMouseWheel(W, TShiftState(), -WHEEL_DELTA, inside, handled);
        EXPECT_TRUE(handled);
        const int down = W->CPG->ScrollPos();
        EXPECT_EQ(down, TFParGen::Wheel_Scroll_Lines * W->CPG->LineSize());
        W->FormMouseWheel(W, TShiftState(), WHEEL_DELTA, inside, handled);
        EXPECT_EQ(W->CPG->ScrollPos(), 0);

        // A real notch over a field of a panel: the window scrolls once, the group not again.
        UserWheel(W->E_LoRa_JoinEUI, -WHEEL_DELTA);
        EXPECT_EQ(W->CPG->ScrollPos(), down);
        UserWheel(W->E_LoRa_JoinEUI, WHEEL_DELTA);
        EXPECT_EQ(W->CPG->ScrollPos(), 0);

        const TPoint title = W->P_Title->ClientToScreen(TPoint(100, 10));
        handled = false;
        W->FormMouseWheel(W, TShiftState(), -WHEEL_DELTA, title, handled);
        EXPECT_FALSE(handled);
        EXPECT_EQ(W->CPG->ScrollPos(), 0);
    });
}

TEST_F(ParGenTest, CancelDropsTheEditsAndTheNextOpenShowsTheSavedValues)
{
    {
        TInteractionScript script;
        Open(script, [&] {
            W->E_EthConn_Device_Name->SetText("Hall 3");
            Pick(W->CB_LoRa_RF_Band, 2);
            UserClick(W->Btn_OK);
        });
        EXPECT_EQ(script.Problems(), "");
    }
    {
        TInteractionScript script;
        EXPECT_EQ(Open(script, [&] {
                      W->E_EthConn_Device_Name->SetText("Edited");
                      Pick(W->CB_LoRa_RF_Band, 5);
                      Pick(W->CB_LoRa_Activation_Method, 1);
                  }),
                  mrCancel);
    }
    TInteractionScript script;
    Open(script, [&] {
        EXPECT_EQ(W->E_EthConn_Device_Name->Text(), "Hall 3");
        EXPECT_EQ(TFParGen::List_Text(W->CB_LoRa_RF_Band), "EU868");
        EXPECT_EQ(W->CB_LoRa_Activation_Method->ItemIndex(), 0);
        EXPECT_FALSE(W->CB_LoRa_FrequencySubBand->Visible());
        EXPECT_TRUE(W->E_LoRa_Device_Address->Visible());
    });
}

TEST_F(ParGenTest, ALanguageChangeRelabelsEverythingButThePanelCaptions)
{
    Lang_Strings.SetStrings(489, "Nutzlast");
    Lang_Strings.SetStrings(490, "Groesste Nutzlast");
    Lang_Strings.SetStrings(406, "Funk");
    Lang_Strings.SetStrings(2909, "DHCP (Kabel)");
    Lang_Strings.SetStrings(633, "Fehlt");
    W->Set_Lang();
    EXPECT_EQ(W->L_LoRa_Payload_Size->Caption(), "Nutzlast");
    EXPECT_EQ(W->E_LoRa_Payload_Size->Hint(), "Groesste Nutzlast");
    EXPECT_EQ(W->CB_EthConn_En_DHCP_Cable->Caption(), "DHCP (Kabel)");
    EXPECT_EQ(W->CP_LoRa->Caption(), "2. LoRaWAN") << "panel captions keep the language of the start";
    auto* presence = W->Control_As<TComboBox>("CB_MBus_OnWire_Present");
    ASSERT_EQ(presence->Items()->Count(), 2);
    EXPECT_EQ(presence->Items()->Strings(0), "Fehlt");
    EXPECT_EQ(presence->ItemIndex(), 0);
    // The fixed lists keep their items.
    EXPECT_EQ(TFParGen::List_Text(W->CB_LoRa_Transmission_Type), "Unconfirmed");
}

TEST_F(ParGenTest, FirstOpenPictureStacksTheFourPanelsWithoutOverlap)
{
    const String png = Dir + "/pargen.png";
    TInteractionScript script;
    Open(script, [&] { ASSERT_TRUE(SaveControlToPng(W, png)); });
    TBitmap bmp;
    bmp.LoadFromFile(png);
    ASSERT_EQ(bmp.Width(), 460);
    ASSERT_EQ(bmp.Height(), 700);

    // Each visible panel's header band lies right below the previous panel, in order.
    const TPoint group = W->CPG->ClientToParent(TPoint(0, 0), W);
    const int header = W->CPG->HeaderHeight();
    int expected_top = 0;
    std::vector<TColor> headers;
    for (TCategoryPanel* p : {W->CP_Ethernet_Connection, W->CP_LoRa, W->CP_KNX, W->CP_Ethernet}) {
        EXPECT_EQ(p->Top(), expected_top) << p->Name();
        expected_top += p->Height();
        const int y = group.Y + p->Top() + header / 2;
        if (y >= bmp.Height() - W->P_Button->Height()) break;
        headers.push_back(bmp.Canvas()->Pixels(group.X + 4, y));
        // Below the header the panel's body is not header-coloured.
        const int body = group.Y + p->Top() + header + 4;
        if (body < bmp.Height() - W->P_Button->Height()) {
            EXPECT_NE(bmp.Canvas()->Pixels(group.X + 4, body), headers.back()) << p->Name();
        }
    }
    ASSERT_GE(headers.size(), 3u) << "at least three headers fit in the first view";
    for (TColor c : headers) EXPECT_EQ(c, headers.front());
    // The title panel has the program's background above the group.
    EXPECT_EQ(bmp.Canvas()->Pixels(440, 4), Window_Color);
}

// The title panel as every other window shows it: the code large and grey, the line
// below grey and bold, on the program's background. Compared with the update dialog's
// title, pixel for pixel where both show the same code; the pictures stay in the test
// output folder to be looked at side by side.
TEST_F(ParGenTest, TheTitleLooksLikeTheOtherWindowsTitles)
{
    const String mine = String(TEST_OUTPUT_DIR) + "/pargen_title.png";
    const String theirs = String(TEST_OUTPUT_DIR) + "/update_title.png";
    TInteractionScript script;
    Open(script, [&] { ASSERT_TRUE(SaveControlToPng(W->P_Title, mine)); });

    auto* other = new TFBoot(nullptr);
    other->AfterConstruction();
    other->L_SW_Code->SetCaption(SW_Code);   // what its showing does
    ASSERT_TRUE(SaveControlToPng(other->P_Title, theirs));

    TBitmap a, b;
    a.LoadFromFile(mine);
    b.LoadFromFile(theirs);
    EXPECT_EQ(a.Height(), b.Height());
    EXPECT_EQ(a.Canvas()->Pixels(a.Width() - 5, 4), Window_Color);
    EXPECT_EQ(a.Canvas()->Pixels(a.Width() - 5, 4), b.Canvas()->Pixels(b.Width() - 5, 4));

    // The code: the same pixels in both.
    ASSERT_EQ(W->L_SW_Code->BoundsRect(), other->L_SW_Code->BoundsRect());
    const TRect code = W->L_SW_Code->BoundsRect();
    int differing = 0, grey = 0;
    for (int y = code.Top; y < code.Bottom; ++y)
        for (int x = code.Left; x < code.Right; ++x) {
            differing += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y);
            grey += a.Canvas()->Pixels(x, y) == clGray;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(grey, 20) << "the code is drawn in grey";

    // The line below: its own text in the same font, grey and bold.
    for (TLabel* l : {W->L_SW_Code, W->L_SW_Desc}) {
        SCOPED_TRACE(l->Name());
        TLabel* o = l == W->L_SW_Code ? other->L_SW_Code : other->L_SW_Desc;
        EXPECT_EQ(l->Font()->Name(), o->Font()->Name());
        EXPECT_EQ(l->Font()->Size(), o->Font()->Size());
        EXPECT_EQ(l->Font()->Color(), o->Font()->Color());
        EXPECT_EQ(l->Font()->Style(), o->Font()->Style());
        EXPECT_EQ(l->Top(), o->Top());
        EXPECT_EQ(l->Left(), o->Left());
    }
    const TRect desc = W->L_SW_Desc->BoundsRect();
    int desc_grey = 0;
    for (int y = desc.Top; y < desc.Bottom; ++y)
        for (int x = desc.Left; x < std::min<int>(desc.Right, a.Width()); ++x)
            desc_grey += a.Canvas()->Pixels(x, y) == clGray;
    EXPECT_GT(desc_grey, 20) << "the description is drawn in grey";
    other->Free();
}

// The US915 data rates hold a tab after the rate's number. The open list moves the text
// after it on to the next tab stop, as the platform's list does, and is wide enough for
// every item; the picture of the open list shows each line whole.
TEST_F(ParGenTest, TheOpenUs915DataRateListShowsEveryItemWhole)
{
    TInteractionScript script;
    Open(script, [&] {
        Pick(W->CB_LoRa_RF_Band, 5);
        TComboBox* list = W->CB_LoRa_DataRate;
        ASSERT_EQ(list->Items()->Strings(0), "0  -\tLoRa: SF10/125kHz 980 [bit/s]");
        UserFocus(list);
        UserKey(list, VK_F4);
        ASSERT_TRUE(list->DroppedDown());

        // The items' widths as the canvas draws them in the list's font.
        TBitmap measure(1, 1);
        measure.Canvas()->Font()->Assign(*list->Font());
        auto drawn = [&](const String& s) {
            TRect r = Rect(0, 0, 0, 0);
            measure.Canvas()->DrawText(s, r, DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT);
            return r.Width();
        };
        const int stop = drawn("\t");
        int widest = 0;
        for (int i = 0; i < list->Items()->Count(); ++i) widest = std::max(widest, drawn(list->Items()->Strings(i)));
        const TRect drop = list->DroppedControlRect();
        EXPECT_GE(drop.Width(), widest);
        EXPECT_GE(drop.Width(), list->Width());

        const String png = PathJoin(TEST_OUTPUT_DIR, "pargen_us915_data_rates.png");
        ASSERT_TRUE(SaveControlToPng(list, png));
        TBitmap bmp;
        bmp.LoadFromFile(png);
        TCanvas* c = bmp.Canvas();
        // The picture begins at the top left corner of box and list together.
        const TPoint box = list->ClientToScreen(TPoint(0, 0));
        const int left = drop.Left - std::min(box.X, drop.Left), top = drop.Top - std::min(box.Y, drop.Top);
        ASSERT_GE(bmp.Width(), left + drop.Width());
        ASSERT_GE(bmp.Height(), top + drop.Height());

        // The list's rows: the highlighted one is the first item's, so its band of pixel
        // rows gives each item's.
        const int inner_left = left + 1, inner_right = left + drop.Width() - 2;
        const TColor list_back = c->Pixels(inner_left, top + drop.Height() - 2);
        int first_row = -1, row_height = 0;
        for (int y = top + 1; y < top + drop.Height() - 1; ++y) {
            if (c->Pixels(inner_left, y) == list_back) continue;
            if (first_row < 0) first_row = y;
            ++row_height;
        }
        ASSERT_GE(row_height, measure.Canvas()->TextHeight("Ag")) << "one item highlighted";
        const int shown = std::min(list->Items()->Count(), (top + drop.Height() - 1 - first_row) / row_height);
        ASSERT_GE(shown, std::min(list->Items()->Count(), list->DropDownCount()));
        // Ink: a pixel far from its row's background (the highlight shades off at its edges).
        auto ink = [&](int x, int y) {
            const TColor a = c->Pixels(x, y), b = c->Pixels(inner_left + 1, y);
            return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                       std::abs(GetBValue(a) - GetBValue(b)) > 96;
        };
        for (int i = 0; i < shown; ++i) {
            const String item = list->Items()->Strings(i);
            SCOPED_TRACE(item);
            const int y0 = first_row + i * row_height, y1 = y0 + row_height;
            // Columns with ink in any pixel row of the item.
            int first = -1, last = -1, gap = 0, widest_gap = 0;
            for (int x = inner_left; x <= inner_right; ++x) {
                bool any = false;
                for (int y = y0; y < y1 && !any; ++y) any = ink(x, y);
                if (!any) {
                    ++gap;
                    continue;
                }
                if (first < 0) first = x;
                else widest_gap = std::max(widest_gap, gap);
                last = x;
                gap = 0;
            }
            ASSERT_GE(first, 0);
            // The whole text is there, clear of the list's right edge ...
            EXPECT_GE(last - first + 1, drawn(item) - 3);
            EXPECT_LT(last, inner_right - 1);
            // ... and a tab opens no gap wider than one tab stop.
            EXPECT_LE(widest_gap, stop);
        }
    });
}
