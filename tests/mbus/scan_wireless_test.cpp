// Wireless scans end to end over UDP on loopback against the simulated converter with each
// radio module: the module's set-up, telegrams shown as they are heard, keys loaded into
// the module and then used to decrypt, a key the module refuses, and faults of the set-up.
#include "tests/mbus/air_telegrams.h"
#include "tests/mbus/scan_engine_fixture.h"

namespace {

using ScanEngineWireless = ScanEngineTest;

std::vector<std::string> Shown(int Index = 0)
{
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Index);
    if (!m) return {"no meter"};
    std::vector<std::string> v;
    if (m->Cripted) v.push_back("cripted");
    for (const auto& r : m->List_Var)
        if (r->Real_Wireless_Var) v.push_back(r->ValueStr);
    return v;
}

const std::vector<std::string> Decrypted = {"12.345", "30"};
const std::vector<std::string> Encrypted = {"cripted"};

class ScanEngineWirelessModule : public ScanEngineTest {
protected:
    // Up to listening with one encrypted meter heard.
    void Listen_With_A_Meter(TRadioModule Module, int Host, int32_t Mode = 1)
    {
        Make(Host, true);
        Sim->Set([&] { Sim->Radio = Module == rmTelit ? "TELIT" : "RADIOCRAFTS"; });
        ASSERT_TRUE(Start_Wireless(Mode));
        const int32_t listening = Module == rmTelit ? 134 : 320;
        ASSERT_TRUE(Pump_Until([&] { return Engine->Step() == listening && Sim->Module_Listens(); }));
        EXPECT_EQ(Engine->Radio_Module(), Module);
        ASSERT_TRUE(Sim->Air(Telegram(Module)));
        ASSERT_TRUE(Pump_Until([&] { return Rows.size() == 1; }));
        EXPECT_EQ(Shown(), Encrypted);
    }
    bool Back_To_Listening(TRadioModule Module)
    {
        const int32_t listening = Module == rmTelit ? 134 : 320;
        return Pump_Until([&] { return Engine->Step() == listening && Engine->Listening() && Sim->Module_Listens(); });
    }
};

TEST_F(ScanEngineWirelessModule, TelitSetUpSkipsTheRegistersNarrowbandModesLeaveAlone)
{
    const struct {
        int32_t mode;
        bool narrow;
    } cases[] = {{1, false}, {15, true}};
    int host = 60;
    for (const auto& c : cases) {
        Make(host++, true);
        ASSERT_TRUE(Start_Wireless(c.mode, 4));
        ASSERT_TRUE(Wait_For_Step(134));
        std::vector<std::string> expected = {"Zodudo_Enable_Configuration_Mode", "Zodudo_Type_Radio_Module", "+++",
                                             "ATR\r", "ATS400=" + std::to_string(c.mode) + "\r", "ATS401=0\r",
                                             "ATS402=191\r", "ATS420=4\r"};
        if (!c.narrow) expected.push_back("ATS421=0\r");
        for (const char* r : {"ATS422=3\r", "ATS430=5\r", "ATS431=5\r", "ATS440=0\r", "ATS441=0\r"}) expected.push_back(r);
        if (!c.narrow) expected.push_back("ATS442=0\r");
        expected.push_back("ATS452=0\r");
        expected.push_back("ATS453=0\r");
        if (!c.narrow) expected.push_back("ATS454=0\r");
        expected.push_back("ATO\r");
        EXPECT_EQ(Sim->Request_Texts(), expected) << c.mode;
        Engine->Stop_Scan();
        ASSERT_TRUE(Run_To_End());
        EXPECT_EQ(Engine->FResult.load(), 1);
        EXPECT_EQ(Sim->Request_Texts().back(), "Zodudo_Disable_Configuration_Mode");
    }
}

TEST_F(ScanEngineWirelessModule, TelitLoadsTheKeyAndTheNextTelegramDecrypts)
{
    Listen_With_A_Meter(rmTelit, 62);
    // A datagram that breaks the module's length rule is no telegram.
    TBytes wrong = Telegram(rmTelit);
    wrong.push_back(0);
    ASSERT_TRUE(Sim->Air(wrong));

    ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Meter_Key.data()));
    ASSERT_TRUE(Back_To_Listening(rmTelit));
    std::map<int, int> expected = {{461, 45}, {462, 44}, {463, 120}, {464, 86}, {465, 52},
                                   {466, 18}, {467, 1},  {468, 7},   {460, 5}};
    for (int i = 0; i < 16; ++i) expected[470 + i] = Meter_Key[size_t(i)];
    std::map<int, int> loaded = Sim->Telit_Registers();
    for (auto it = loaded.begin(); it != loaded.end();)
        it = it->first >= 460 && it->first <= 485 ? std::next(it) : loaded.erase(it);
    EXPECT_EQ(loaded, expected);

    ASSERT_TRUE(Sim->Air(Telegram(rmTelit)));
    ASSERT_TRUE(Pump_Until([&] { return Rows.size() == 2; }));
    EXPECT_EQ(Shown(), Decrypted);
    EXPECT_EQ(Rows, (std::vector<int32_t>{0, 0}));
    EXPECT_FALSE(Off_Interface_Thread);

    Engine->Stop_Scan();
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Engine->FResult.load(), 1);
    EXPECT_EQ(Shown(), Decrypted);   // the meters heard stay
    EXPECT_EQ(Engine->Local_Port(), 0);
}

TEST_F(ScanEngineWirelessModule, RadiocraftsEmptiesItsKeyTableLoadsTheKeyAndTheNextTelegramDecrypts)
{
    Listen_With_A_Meter(rmRadioCrafts, 63, 5);
    EXPECT_EQ(Sim->RC_Config(), Hex("03 01 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01"));
    const std::map<int, TBytes> erased = Sim->RC_Addresses();
    ASSERT_EQ(erased.size(), 64u);
    EXPECT_EQ(erased.begin()->first, 1);
    EXPECT_EQ(erased.rbegin()->first, 64);
    EXPECT_EQ(erased.at(64), TBytes(8, 0));

    for (int round = 0; round < 2; ++round) {   // the second time reuses the position
        ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Meter_Key.data()));
        ASSERT_TRUE(Back_To_Listening(rmRadioCrafts));
    }
    EXPECT_EQ(Sim->RC_Addresses().at(1), Hex("78 56 34 12 2D 2C 01 07"));
    EXPECT_EQ(Sim->RC_Keys(), (std::map<int, TBytes>{{1, Meter_Key}}));
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        EXPECT_EQ(Wireless_Slave_At(List_Slave_wMBus, 0)->RadioCrafts_Ind_Tab_Decript, 1);
    }
    ASSERT_TRUE(Sim->Air(Telegram(rmRadioCrafts)));
    ASSERT_TRUE(Pump_Until([&] { return Rows.size() == 2; }));
    EXPECT_EQ(Shown(), Decrypted);
    Engine->Abort_Scan();
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Engine->FResult.load(), 1);
}

// A key the module does not take is reported; the meter keeps what it had, the module
// listens again and the scan goes on.
TEST_F(ScanEngineWirelessModule, AKeyTheModuleRefusesIsReportedAndChangesNothing)
{
    int host = 64;
    for (TRadioModule module : {rmTelit, rmRadioCrafts}) {
        Rows.clear();
        Empty_Slave_wMBus_List();
        Listen_With_A_Meter(module, host++);
        Sim->Set([&] {
            Sim->Telit_Answer = [](const std::string& C) { return C.rfind("ATS475=", 0) == 0 ? "ERROR\r" : "OK\r"; };
            Sim->RadioCrafts_Refuses = [](uint8_t C) { return C == 'K'; };
        });
        std::vector<int32_t> refused;
        Engine->OnKeyRefused = [&](int32_t I) {
            if (!IsMainThread()) Off_Interface_Thread = true;
            refused.push_back(I);
        };
        ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Meter_Key.data()));
        ASSERT_TRUE(Pump_Until([&] { return !refused.empty(); })) << module;
        EXPECT_EQ(refused, std::vector<int32_t>{0});
        ASSERT_TRUE(Back_To_Listening(module)) << module;
        {
            std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
            const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, 0);
            EXPECT_FALSE(m->Enable_Key);
            EXPECT_EQ(TBytes(m->Key, m->Key + 16), TBytes(16, 0));
            EXPECT_EQ(m->RadioCrafts_Ind_Tab_Decript, -1);
        }
        ASSERT_TRUE(Sim->Air(Telegram(module)));
        ASSERT_TRUE(Pump_Until([&] { return Rows.size() == 2; }));
        EXPECT_EQ(Shown(), Encrypted);
        EXPECT_TRUE(Engine->FInScan.load());
        EXPECT_EQ(Engine->FResult.load(), 1);
        EXPECT_FALSE(Off_Interface_Thread);
        Engine->Stop_Scan();
        ASSERT_TRUE(Run_To_End());
        Engine->OnKeyRefused = nullptr;
    }
}

// A key handed in while the scan does not listen loads nothing and changes nothing.
TEST_F(ScanEngineWirelessModule, AKeyWhileNotListeningChangesNothing)
{
    Listen_With_A_Meter(rmRadioCrafts, 66);
    // The window closed a moment: the engine rests between two steps.
    Engine->Event_Run.ResetEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(Engine->Insert_Wireless_Key(0, Meter_Key.data()));
    // Loading now: a second key is refused and the first stays in hand.
    const TBytes other(16, 0x77);
    EXPECT_FALSE(Engine->Insert_Wireless_Key(0, other.data()));
    Engine->Event_Run.SetEvent();
    ASSERT_TRUE(Back_To_Listening(rmRadioCrafts));
    EXPECT_EQ(Sim->RC_Keys(), (std::map<int, TBytes>{{1, Meter_Key}}));
    Engine->Abort_Scan();
    ASSERT_TRUE(Run_To_End());
    EXPECT_FALSE(Engine->Insert_Wireless_Key(0, other.data()));   // no scan at all
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, 0);
    EXPECT_EQ(TBytes(m->Key, m->Key + 16), Meter_Key);
}

TEST_F(ScanEngineWirelessModule, FaultsOfTheSetUpEndTheScanAsFailedAndCleanly)
{
    const struct {
        const char* what;
        const char* module;
        TBytes on;
        TSimFault fault;
    } cases[] = {
        {"configuration mode not confirmed", "TELIT", Bytes_Of("Zodudo_Enable_Configuration_Mode"), sfGarble},
        {"module kind missing", "TELIT", Bytes_Of("Zodudo_Type_Radio_Module"), sfMissing},
        {"module kind late", "RADIOCRAFTS", Bytes_Of("Zodudo_Type_Radio_Module"), sfLate},
        {"Telit refuses ATR", "TELIT", Bytes_Of("ATR\r"), sfGarble},
        {"Radiocrafts memory without its prompt", "RADIOCRAFTS", Bytes_Of("0"), sfShort},
        {"Radiocrafts erase not confirmed", "RADIOCRAFTS", TBytes(8, 0), sfGarble},
    };
    int host = 70;
    for (const auto& c : cases) {
        Make(host++, true);
        Sim->Set([&] {
            Sim->Radio = c.module;
            Sim->Fault = [&](const TBytes& R) { return R == c.on ? c.fault : sfNone; };
        });
        ASSERT_TRUE(Start_Wireless());
        ASSERT_TRUE(Run_To_End()) << c.what;
        EXPECT_EQ(Engine->FResult.load(), 2) << c.what;
        EXPECT_EQ(Sim->Request_Texts().back(), "Zodudo_Disable_Configuration_Mode") << c.what;
        EXPECT_FALSE(Sim->Module_Listens()) << c.what;
        EXPECT_EQ(Engine->Local_Port(), 0) << c.what;
    }
}

}   // namespace

namespace {

TEST_F(ScanEngineWirelessModule, RadiocraftsHandsOutSixtyFourKeyPositionsAndRefusesTheNext)
{
    Listen_With_A_Meter(rmRadioCrafts, 67);
    for (uint32_t id = 1; id <= 64; ++id) ASSERT_TRUE(Sim->Air(Plain_Telegram(id)));
    ASSERT_TRUE(Pump_Until([&] { return Rows.size() == 65; }));
    for (int i = 0; i < 64; ++i) {
        ASSERT_TRUE(Engine->Insert_Wireless_Key(i, Meter_Key.data())) << i;
        ASSERT_TRUE(Back_To_Listening(rmRadioCrafts)) << i;
    }
    EXPECT_FALSE(Engine->Insert_Wireless_Key(64, Meter_Key.data()));
    EXPECT_EQ(Engine->Step(), 320);
    EXPECT_EQ(Sim->RC_Keys().size(), 64u);
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    EXPECT_EQ(Wireless_Slave_At(List_Slave_wMBus, 63)->RadioCrafts_Ind_Tab_Decript, 64);
    const TSlave_wMBus* last = Wireless_Slave_At(List_Slave_wMBus, 64);
    EXPECT_EQ(last->RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_FALSE(last->Enable_Key);
}

}   // namespace
