// Wired scans end to end over UDP on loopback against the simulated converter: the primary
// scan over every address, meters read frame by frame under the frame-count bit, the
// secondary search through collisions, stopping, and each injected fault ending with its
// report and a clean close.
#include "tests/mbus/scan_engine_fixture.h"

namespace {

using ScanEngineWired = ScanEngineTest;

struct TWiredMeterShown {
    uint16_t primary;
    std::string id;
    size_t records;
};

std::vector<TWiredMeterShown> Wired_List()
{
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    std::vector<TWiredMeterShown> out;
    for (size_t i = 0; i < List_Slave_MBus.Items.size(); ++i) {
        const TSlave_MBus* m = Wired_Slave_At(List_Slave_MBus, int(i));
        out.push_back({m->Primary_Addresss, m->Secondary_Addresss, m->List_Var.size()});
    }
    return out;
}

bool operator==(const TWiredMeterShown& A, const TWiredMeterShown& B)
{
    return A.primary == B.primary && A.id == B.id && A.records == B.records;
}

std::ostream& operator<<(std::ostream& O, const TWiredMeterShown& M)
{
    return O << "{" << M.primary << ", " << M.id << ", " << M.records << "}";
}

TEST_F(ScanEngineWired, PrimaryScanProbesEveryAddressAndReadsEachMeterWhole)
{
    Make(20);
    Sim->Set([&] {
        Sim->Meters = {Sim_Meter(0, "11111111"), Sim_Meter(5, "22222222", 3), Sim_Meter(250, "33333333"),
                       Sim_Meter(251, "44444444")};
    });
    ASSERT_TRUE(Start_Wired(saPrimaryAddress, true, true, 5));
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Engine->FResult.load(), 1);
    EXPECT_FALSE(Off_Interface_Thread);

    // The reports in order: start, every address 0..250 once, the end.
    ASSERT_EQ(Progress.size(), 253u);
    EXPECT_EQ(Progress.front(), (TProgress{1, 0, 0, 1}));
    for (int a = 0; a <= 250; ++a) {
        const bool found = a == 0 || a == 5 || a == 250;
        EXPECT_EQ(Progress[size_t(a) + 1], (TProgress{2, a, found ? 1 : 0, 1})) << a;
    }
    EXPECT_EQ(Progress.back(), (TProgress{3, 0, 0, 1}));

    // The three-frame meter read three times with the bit moving: its records in one meter.
    EXPECT_EQ(Wired_List(), (std::vector<TWiredMeterShown>{{0, "11111111", 1}, {5, "22222222", 3}, {250, "33333333", 1}}));
    EXPECT_EQ(Count_Requests(Hex("10 7B 05 80 16")), 2u);
    EXPECT_EQ(Count_Requests(Hex("10 5B 05 60 16")), 1u);

    // The converter was set up and released; reset and SND_NKE went to every address.
    const std::vector<std::string> r = Sim->Request_Texts();
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[0], "Zodudo_Enable_Analyzer_Mode");
    EXPECT_EQ(r[1], Text_Of(Join(Bytes_Of("Zodudo_S_M:"), Hex("00 00 09 60 2C 02"))));
    EXPECT_EQ(r[2], Text_Of(Hex("10 40 FF 3F 16")));
    EXPECT_EQ(r.back(), "Zodudo_Disable_Analyzer_Mode");
    EXPECT_EQ(Count_Requests(Hex("68 03 03 68 73 05 50 C8 16")), 1u);
    EXPECT_EQ(Count_Requests(Hex("10 40 FA 3A 16")), 1u);
    EXPECT_EQ(Engine->Local_Port(), 0);
}

// Frames read from one meter: as many as it has, but never more than the cut-off; a fixed
// frame-count bit makes the meter repeat its first frame.
TEST_F(ScanEngineWired, FramesPerMeterFollowTheMarkerTheCutOffAndTheFrameCountBit)
{
    const struct {
        const char* what;
        int frames, cut_after;
        bool fixed;
        size_t records, requests;
    } cases[] = {
        {"marker in two of three", 3, 10, false, 3, 3},
        {"always the marker, cut at 3", 40, 3, false, 3, 3},
        {"cut-off 0 reads one", 3, 0, false, 1, 1},
        {"fixed bit: the same frame again", 3, 2, true, 2, 2},
    };
    int host = 21;
    for (const auto& c : cases) {
        Make(host++);
        Progress.clear();
        Empty_Slave_MBus_List();
        Sim->Set([&] { Sim->Meters = {Sim_Meter(1, "00000001", c.frames, Hex("02 5A 2C 01"))}; });
        ASSERT_TRUE(Start_Wired(saPrimaryAddress, false, false, c.cut_after, c.fixed, 1));
        ASSERT_TRUE(Pump_Until([&] { return Progress.size() >= 3; })) << c.what;
        Engine->Stop_Scan();
        ASSERT_TRUE(Run_To_End());
        EXPECT_EQ(Progress[2], (TProgress{2, 1, 1, 1})) << c.what;
        ASSERT_EQ(Wired_List().size(), 1u) << c.what;
        EXPECT_EQ(Wired_List()[0].records, c.records) << c.what;
        size_t reads = 0;
        for (const TBytes& r : Sim->Requests())
            reads += r.size() == 5 && r[0] == 0x10 && r[2] == 1 && (r[1] & 0xDF) == 0x5B;
        EXPECT_EQ(reads, c.requests) << c.what;
        Engine.reset();
        Sim.reset();
    }
}

TEST_F(ScanEngineWired, SecondarySearchDescendsThroughCollisionsToEveryMeter)
{
    for (bool no_slave_answers : {false, true}) {
        Make(no_slave_answers ? 31 : 30);
        Progress.clear();
        Empty_Slave_MBus_List();
        Sim->Set([&] { Sim->No_Slave_Answers = no_slave_answers; });
        // 12345678 and 12399999 collide down to the fourth digit; 50000001 stands alone.
        Sim->Set([&] {
            Sim->Meters = {Sim_Meter(7, "12345678"), Sim_Meter(8, "12399999", 2), Sim_Meter(9, "50000001")};
        });
        ASSERT_TRUE(Start_Wired(saSecondaryAddress));
        ASSERT_TRUE(Run_To_End(120));
        EXPECT_EQ(Engine->FResult.load(), 1);
        EXPECT_EQ(Progress, (std::vector<TProgress>{{1, 0, 0, 2},
                                                    {2, 0x12345678, 1, 2},
                                                    {2, 0x12399999, 1, 2},
                                                    {2, 0x50000001, 1, 2},
                                                    {3, 0, 0, 2}}))
            << no_slave_answers;
        EXPECT_EQ(Wired_List(), (std::vector<TWiredMeterShown>{{7, "12345678", 1}, {8, "12399999", 2}, {9, "50000001", 1}}));
        const std::vector<std::string> r = Sim->Request_Texts();
        EXPECT_EQ(Count_Requests(Hex("68 0B 0B 68 73 FD 52 FF FF FF 0F FF FF FF FF CA 16")), 1u);
        EXPECT_EQ(Count_Requests(Hex("68 0B 0B 68 73 FD 52 FF FF FF 1F FF FF FF FF DA 16")), 1u);   // collision
        EXPECT_EQ(Count_Requests(Hex("68 0B 0B 68 73 FD 52 FF FF FF 10 FF FF FF FF CB 16")), 1u);   // one deeper
        EXPECT_EQ(r.back(), "Zodudo_Disable_Analyzer_Mode");
        Engine.reset();
        Sim.reset();
    }
}

// Stopping: the primary scan reports its end, the secondary search does not.
TEST_F(ScanEngineWired, StoppingEndsAtTheNextItemAndOnlyThePrimaryScanReportsTheEnd)
{
    const struct {
        TScanType type;
        bool end_reported;
    } cases[] = {{saPrimaryAddress, true}, {saSecondaryAddress, false}};
    int host = 40;
    for (const auto& c : cases) {
        Make(host++);
        Progress.clear();
        ASSERT_TRUE(Start_Wired(c.type));
        Engine->Stop_Scan();   // seen at the first address or digit
        ASSERT_TRUE(Run_To_End());
        EXPECT_EQ(Engine->FResult.load(), 1);
        const int32_t type = c.type == saPrimaryAddress ? 1 : 2;
        std::vector<TProgress> expected = {{1, 0, 0, type}};
        if (c.end_reported) expected.push_back({3, 0, 0, type});
        EXPECT_EQ(Progress, expected) << c.type;
        EXPECT_EQ(Sim->Request_Texts().back(), "Zodudo_Disable_Analyzer_Mode");
        Engine.reset();
        Sim.reset();
    }
}

// Faults of the converter and the bus: each gives its report and a clean end (analyser
// mode switched off, tried up to three times, the endpoint closed).
TEST_F(ScanEngineWired, EachInjectedFaultGivesItsReportAndACleanEnd)
{
    auto is = [](const std::string& T) { return [T](const TBytes& R) { return Text_Of(R) == T; }; };
    auto read_of = [](uint8_t A) {
        return [A](const TBytes& R) { return R.size() == 5 && R[0] == 0x10 && R[2] == A && R[1] != 0x40; };
    };
    const std::string params = Text_Of(Join(Bytes_Of("Zodudo_S_M:"), Hex("00 00 09 60 2C 02")));
    const struct {
        const char* what;
        std::function<bool(const TBytes&)> on;
        TSimFault fault;
        int32_t result;
        bool meter_3_found;
        size_t disable_tries;
    } cases[] = {
        {"analyser answer garbled", is("Zodudo_Enable_Analyzer_Mode"), sfGarble, 2, false, 1},
        {"analyser answer missing", is("Zodudo_Enable_Analyzer_Mode"), sfMissing, 2, false, 1},
        {"analyser answer late", is("Zodudo_Enable_Analyzer_Mode"), sfLate, 2, false, 1},
        {"line settings not confirmed", is(params), sfGarble, 2, false, 1},
        {"closing never confirmed", is("Zodudo_Disable_Analyzer_Mode"), sfMissing, 1, true, 3},
        {"frame with a bad checksum", read_of(3), sfBadChecksum, 1, false, 1},
        {"frame garbled", read_of(3), sfGarble, 1, false, 1},
        {"frame missing", read_of(3), sfMissing, 1, false, 1},
        {"frame late", read_of(3), sfLate, 1, false, 1},
        {"a stranger speaks first", read_of(3), sfOtherSender, 1, true, 1},
    };
    int host = 50;
    for (const auto& c : cases) {
        Make(host++);
        Progress.clear();
        Empty_Slave_MBus_List();
        Sim->Set([&] {
            Sim->Meters = {Sim_Meter(3, "00000003"), Sim_Meter(4, "00000004")};
            Sim->Fault = [&](const TBytes& R) { return c.on(R) ? c.fault : sfNone; };
        });
        ASSERT_TRUE(Start_Wired(saPrimaryAddress));
        // A scan that gets going is stopped once address 4 was reported.
        ASSERT_TRUE(Pump_Until([&] { return !Engine->FInScan || Progress.size() >= 6; })) << c.what;
        Engine->Stop_Scan();
        ASSERT_TRUE(Run_To_End()) << c.what;
        EXPECT_EQ(Engine->FResult.load(), c.result) << c.what;
        EXPECT_EQ(Count_Requests("Zodudo_Disable_Analyzer_Mode"), c.disable_tries) << c.what;
        EXPECT_EQ(Engine->Local_Port(), 0) << c.what;
        if (c.result == 2) {
            EXPECT_TRUE(Progress.empty()) << c.what;
            continue;
        }
        ASSERT_GE(Progress.size(), 6u) << c.what;
        EXPECT_EQ(Progress[4], (TProgress{2, 3, c.meter_3_found ? 1 : 0, 1})) << c.what;
        EXPECT_EQ(Progress[5], (TProgress{2, 4, 1, 1})) << c.what;   // the next meter is not disturbed
        EXPECT_EQ(Progress.back(), (TProgress{3, 0, 0, 1})) << c.what;
        EXPECT_EQ(Wired_List().size(), c.meter_3_found ? 2u : 1u) << c.what;
    }
}

}   // namespace

namespace {

// An answer seen in the same step as its time-out still counts: the meter's first frame
// arrives just past the long time-out (1802 ms at 2400 baud, steps every 40 ms), and the
// meter is read whole and reported once, as found.
TEST_F(ScanEngineWired, AnAnswerSeenWithItsTimeOutIsReadNotReportedAbsent)
{
    Make(80);
    Sim->Set([&] {
        Sim->Meters = {Sim_Meter(3, "00000003", 2), Sim_Meter(4, "00000004")};
        Sim->Late_By = 1820;
    });
    bool first = true;
    Sim->Set([&] {
        Sim->Fault = [&](const TBytes& R) {
            const bool late = first && R.size() == 5 && R[0] == 0x10 && R[2] == 3 && R[1] != 0x40;
            if (late) first = false;
            return late ? sfLate : sfNone;
        };
    });
    ASSERT_TRUE(Start_Wired(saPrimaryAddress));
    ASSERT_TRUE(Pump_Until([&] { return Progress.size() >= 6; }));
    Engine->Stop_Scan();
    ASSERT_TRUE(Run_To_End());
    EXPECT_EQ(Progress[4], (TProgress{2, 3, 1, 1}));
    EXPECT_EQ(Progress[5], (TProgress{2, 4, 1, 1}));
    EXPECT_EQ(Wired_List(), (std::vector<TWiredMeterShown>{{3, "03", 2}, {4, "04", 1}}));
}

}   // namespace
