// The scan engine's frames and converter commands as bytes, its time-out test, and its
// life: starting while a scan runs, sleeping while the window is closed, a scan whose
// sending fails, and ending the thread.
#include <chrono>

#include "tests/mbus/scan_engine_fixture.h"

namespace {

TEST(ScanEngineFrames, FramesAndCommandsAsTheBusAndTheConverterReadThem)
{
    std::array<int32_t, 8> first = {0, -1, -1, -1, -1, -1, -1, -1};
    std::array<int32_t, 8> second = {0, 0, -1, -1, -1, -1, -1, -1};
    const struct {
        const char* what;
        TFrameBytes frame;
        TBytes expected;
    } cases[] = {
        {"SND_NKE to all", Build_SND_NKE(0xFF), Hex("10 40 FF 3F 16")},
        {"first REQ_UD2 to 1", Build_REQ_UD2(1, REQ_UD2_C_Field(0, false, 1)), Hex("10 7B 01 7C 16")},
        {"second REQ_UD2 to 1", Build_REQ_UD2(1, REQ_UD2_C_Field(1, false, 1)), Hex("10 5B 01 5C 16")},
        {"third REQ_UD2 to 1", Build_REQ_UD2(1, REQ_UD2_C_Field(2, false, 1)), Hex("10 7B 01 7C 16")},
        {"fixed bit 0", Build_REQ_UD2(1, REQ_UD2_C_Field(0, true, 0)), Hex("10 5B 01 5C 16")},
        {"fixed bit 1", Build_REQ_UD2(1, REQ_UD2_C_Field(1, true, 1)), Hex("10 7B 01 7C 16")},
        {"application reset to 5", Build_Application_Reset(5, Select_C_Field(false, 1)),
         Hex("68 03 03 68 73 05 50 C8 16")},
        {"application reset, fixed bit 0", Build_Application_Reset(5, Select_C_Field(true, 0)),
         Hex("68 03 03 68 53 05 50 A8 16")},
        {"first selection", Build_Select_Secondary(first, 0x73), Hex("68 0B 0B 68 73 FD 52 FF FF FF 0F FF FF FF FF CA 16")},
        {"selection after a collision", Build_Select_Secondary(second, 0x73),
         Hex("68 0B 0B 68 73 FD 52 FF FF FF 00 FF FF FF FF BB 16")},
        {"2400 baud, even parity", Build_Serial_Parameters(2400, 1),
         Join(Bytes_Of("Zodudo_S_M:"), Hex("00 00 09 60 2C 02"))},
        {"9600 baud, odd parity", Build_Serial_Parameters(9600, 2),
         Join(Bytes_Of("Zodudo_S_M:"), Hex("00 00 25 80 2C 01"))},
    };
    for (const auto& c : cases) EXPECT_EQ(TBytes(c.frame.begin(), c.frame.end()), c.expected) << c.what;
}

TEST(ScanEngineFrames, TimeOutsRunOutAfterTheirTimeAndAcrossTheCounterWrap)
{
    const struct {
        const char* what;
        uint32_t now, start, allowed;
        bool elapsed;
    } cases[] = {
        {"exactly the time allowed", 6000, 5000, 1000, false},
        {"one millisecond more", 6001, 5000, 1000, true},
        {"sent before the wrap, tested after it", 20, 0xFFFFFF00u, 1000, true},
        {"sent near the wrap, limit beyond it", 0xFFFFFFF0u, 0xFFFFFF00u, 1000, false},
        {"tick above 2^31", 0x80000100u, 0x80000000u, 1000, false},
        {"tick above 2^31, run out", 0x80000400u, 0x80000000u, 1000, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMBusScanDecode::TimeOut_Elapsed(c.now, c.start, c.allowed), c.elapsed) << c.what;
}

using ScanEngineLife = ScanEngineTest;

TEST_F(ScanEngineLife, AScanStartsOnlyWhenNoneRunsAndTheOtherKindIsRefusedToo)
{
    Make(10, true);
    Sim->Set([&] { Sim->Meters = {Sim_Meter(1, "00000001")}; });
    ASSERT_TRUE(Start_Wired(saPrimaryAddress));
    EXPECT_FALSE(Start_Wired(saSecondaryAddress));
    EXPECT_FALSE(Start_Wireless());
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Engine->FResult.load(), 1);
    // The first scan's results all arrived before its end could be seen.
    ASSERT_FALSE(Progress.empty());
    EXPECT_EQ(Progress.back(), (TProgress{3, 0, 0, 1}));
    EXPECT_FALSE(Off_Interface_Thread);
    EXPECT_TRUE(Start_Wired(saPrimaryAddress));
}

// While the window is closed (its event reset) the engine takes no step; the event is the
// engine's own, so waking another engine in the same program wakes nothing here.
TEST_F(ScanEngineLife, TheEngineStepsOnlyWhileItsOwnEventIsSet)
{
    Make(11);
    Engine->Event_Run.ResetEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));   // the loop comes to rest on the event
    TMBusScanDecode other(&Clock);
    other.Event_Run.SetEvent();
    ASSERT_TRUE(Start_Wired(saPrimaryAddress));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(Sim->Requests().empty());
    EXPECT_EQ(Engine->Step(), 0);

    Engine->Event_Run.SetEvent();
    ASSERT_TRUE(Pump_Until([&] { return Engine->Step() > 4; }));
    // Closing the window: abort, then the event reset; the engine rests where it is.
    Engine->Abort_Scan();
    ASSERT_TRUE(Pump_Until([&] { return Engine->Step() >= 200; }));
    Engine->Event_Run.ResetEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const size_t sent = Sim->Requests().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Sim->Requests().size(), sent);
    Engine->Event_Run.SetEvent();
    EXPECT_TRUE(Run_To_End());
}

// A send that raises (an address that is no address) ends that scan as failed; the engine's
// thread lives on and scans again.
TEST_F(ScanEngineLife, AnErrorWhileSendingEndsTheScanNotTheThread)
{
    Make(12);
    Sim->Set([&] { Sim->Meters = {Sim_Meter(0, "00000001")}; });
    ASSERT_TRUE(Engine->Start_Scan(saPrimaryAddress, shEthernet, "converter.invalid", 2400, 1, false, false, 1, false, 1,
                                   false, Progress_Handler()));
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Engine->FResult.load(), 2);
    EXPECT_EQ(Engine->Local_Port(), 0);   // the endpoint closed
    EXPECT_TRUE(Progress.empty());

    ASSERT_TRUE(Start_Wired(saPrimaryAddress));
    ASSERT_TRUE(Pump_Until([&] { return Progress.size() >= 2; }));
    EXPECT_EQ(Progress[1], (TProgress{2, 0, 1, 1}));
    Engine->Abort_Scan();
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Engine->FResult.load(), 1);
}

TEST_F(ScanEngineLife, TheThreadEndsPromptlyAsleepOrInAScan)
{
    for (bool scanning : {false, true}) {
        Make(13);
        if (scanning) {
            ASSERT_TRUE(Start_Wired(saPrimaryAddress));
            ASSERT_TRUE(Pump_Until([&] { return Engine->Step() > 4; }));
        } else {
            Engine->Event_Run.ResetEvent();
        }
        const auto t0 = std::chrono::steady_clock::now();
        Engine.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5)) << scanning;
        Sim.reset();
        Clock.Attach(nullptr, nullptr);
    }
}

// The end of a scan reaches the window behind its results; a scan the window ended itself
// (closing) and followed with a new one is not ended by that late news.
TEST_F(ScanEngineLife, TheEndOfAScanEndsOnlyThatScan)
{
    Make(14);
    ASSERT_TRUE(Start_Wired(saPrimaryAddress));
    Engine->Stop_Scan();
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!(Engine->Step() == 203 && Engine->Local_Port() == 0) && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(Engine->Step(), 203);
    EXPECT_TRUE(Engine->FInScan.load());   // not yet seen by the interface thread

    Engine->FInScan = false;   // the window closes and is opened again
    ASSERT_TRUE(Start_Wired(saPrimaryAddress));
    CheckSynchronize();
    EXPECT_TRUE(Engine->FInScan.load());
    ASSERT_TRUE(Pump_Until([&] { return Progress.size() >= 4; }));   // the second scan goes on
    EXPECT_EQ(Progress[2], (TProgress{1, 0, 0, 1}));
    Engine->Abort_Scan();
    EXPECT_TRUE(Run_To_End());
}

// The program's one engine is made on demand and freed at exit.
TEST(ScanEngineInstance, OneEngineMadeOnDemandAndFreedAtExit)
{
    TMBusScanDecode* engine = MBus_Scan_Engine();
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(MBus_Scan_Engine(), engine);
    EXPECT_FALSE(engine->FInScan.load());
    EXPECT_EQ(engine->FResult.load(), -1);
    Free_MBus_Scan_Engine();
}

}   // namespace
