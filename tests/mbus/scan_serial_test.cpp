// The wired scan over a serial port, against a bus played on the far side of a
// pseudo-terminal pair: the frames go out without converter commands, the answers come back
// as a byte stream and are read, and a port that can no longer be read ends the scan as
// failed instead of as a scan that found nothing.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/mbus/scan_engine_fixture.h"

namespace {

// Real time, ten times faster: the engine's pauses and time-outs shrink alike.
class TFastClock : public TScanClock {
public:
    uint32_t Tick() override
    {
        return uint32_t(std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - FStart)
                            .count() /
                        100);
    }
    void Sleep(uint32_t Ms) override { std::this_thread::sleep_for(std::chrono::microseconds(Ms * 100)); }

private:
    std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

class ScanEngineSerial : public MBusTest {
protected:
    int Master = -1;
    String Device;
    TFastClock Clock;
    std::atomic<bool> Bus_Run{true};
    std::thread Bus;
    std::mutex Heard_Lock;
    std::vector<TBytes> Heard;
    TSimMeter Meter = Sim_Meter(1, "00000001", 2);
    std::vector<TProgress> Progress;

    void SetUp() override
    {
        MBusTest::SetUp();
        InitMainThread();
        int slave = -1;
        char name[256];
        ASSERT_EQ(::openpty(&Master, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        Device = name;
        Bus = std::thread([this] { Play_Bus(); });
    }
    void TearDown() override
    {
        Bus_Run = false;
        Bus.join();
        if (Master >= 0) ::close(Master);
        CheckSynchronize();
        MBusTest::TearDown();
    }

    // The meter at address 1 answers its short frames; the answer goes out in two writes,
    // as a slow line delivers it.
    void Play_Bus()
    {
        TBytes in;
        while (Bus_Run) {
            pollfd p{Master, POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0 || !(p.revents & POLLIN)) continue;
            uint8_t buf[256];
            const ssize_t n = ::read(Master, buf, sizeof buf);
            if (n <= 0) continue;
            in.insert(in.end(), buf, buf + n);
            while (in.size() >= 5 && in[0] == 0x10) {
                const TBytes frame(in.begin(), in.begin() + 5);
                in.erase(in.begin(), in.begin() + 5);
                {
                    std::lock_guard<std::mutex> lock(Heard_Lock);
                    Heard.push_back(frame);
                }
                if (frame[2] != 1) continue;
                if (frame[1] == 0x40) {
                    const uint8_t ack = 0xE5;
                    (void)!::write(Master, &ack, 1);
                    continue;
                }
                const int fcb = frame[1] & 0x20 ? 1 : 0;
                if (Meter.Last_FCB != -1 && fcb != Meter.Last_FCB) ++Meter.Next_Frame;
                Meter.Last_FCB = fcb;
                const TBytes& answer = Meter.Frames[size_t(std::min<int>(Meter.Next_Frame, 1))];
                (void)!::write(Master, answer.data(), 7);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                (void)!::write(Master, answer.data() + 7, answer.size() - 7);
            }
            if (!in.empty() && in[0] != 0x10) in.clear();
        }
    }

    bool Pump_Until(const std::function<bool()>& Done, int Seconds = 30)
    {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
        while (std::chrono::steady_clock::now() < give_up) {
            CheckSynchronize();
            if (Done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
};

TEST_F(ScanEngineSerial, APrimaryScanOverTheSerialPortReadsTheMeterFromTheByteStream)
{
    TMBusScanDecode engine(&Clock);
    engine.Event_Run.SetEvent();
    ASSERT_TRUE(engine.Start_Scan(saPrimaryAddress, shSerial, Device, 2400, 1, false, true, 5, false, 1, false,
                                  [&](int32_t K, int32_t V, int32_t F, int32_t T) { Progress.push_back({K, V, F, T}); }));
    ASSERT_TRUE(Pump_Until([&] { return Progress.size() >= 3; }));
    engine.Stop_Scan();
    ASSERT_TRUE(Pump_Until([&] { return !engine.FInScan; }));
    EXPECT_EQ(engine.FResult.load(), 1);
    EXPECT_EQ(Progress[0], (TProgress{1, 0, 0, 1}));
    EXPECT_EQ(Progress[1], (TProgress{2, 0, 0, 1}));
    EXPECT_EQ(Progress[2], (TProgress{2, 1, 1, 1}));
    EXPECT_EQ(Progress.back(), (TProgress{3, 0, 0, 1}));
    {
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        ASSERT_EQ(List_Slave_MBus.Items.size(), 1u);
        EXPECT_EQ(Wired_Slave_At(List_Slave_MBus, 0)->List_Var.size(), 2u);   // both frames
    }
    // Frames only: the first thing on the line is the SND_NKE to every meter.
    std::lock_guard<std::mutex> lock(Heard_Lock);
    ASSERT_FALSE(Heard.empty());
    EXPECT_EQ(Heard[0], Hex("10 40 FF 3F 16"));
}

TEST_F(ScanEngineSerial, APortThatCannotBeReadEndsTheScanAsFailed)
{
    TMBusScanDecode engine(&Clock);
    engine.Event_Run.SetEvent();
    ASSERT_TRUE(engine.Start_Scan(saPrimaryAddress, shSerial, Device, 2400, 1, false, false, 1, false, 1, false,
                                  [&](int32_t K, int32_t V, int32_t F, int32_t T) { Progress.push_back({K, V, F, T}); }));
    ASSERT_TRUE(Pump_Until([&] { return !Progress.empty(); }));
    // The far end goes away: reading the port fails from now on.
    Bus_Run = false;
    Bus.join();
    ::close(Master);
    Master = -1;
    Bus = std::thread([] {});
    ASSERT_TRUE(Pump_Until([&] { return !engine.FInScan; }));
    EXPECT_EQ(engine.FResult.load(), 2);
    EXPECT_NE(Progress.back()[0], 3);   // no end as if the scan had finished
}

}   // namespace
