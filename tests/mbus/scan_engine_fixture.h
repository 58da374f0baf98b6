#pragma once
// A scan engine on the virtual clock against a simulated converter on its own loopback
// address. This thread plays the interface thread: it runs the calls the engine queues,
// and records the progress reports and wireless rows it is given.
#include <array>
#include <chrono>
#include <memory>
#include <thread>

#include "tests/mbus/converter_sim.h"

using TProgress = std::array<int32_t, 4>;

class ScanEngineTest : public MBusTest {
protected:
    TSimClock Clock;
    std::unique_ptr<TConverterSim> Sim;
    std::unique_ptr<TMBusScanDecode> Engine;
    String Address;
    uint16_t Wireless_Port = 0;

    std::vector<TProgress> Progress;
    std::vector<int32_t> Rows;          // wireless meter indexes, in the order shown
    bool Off_Interface_Thread = false;  // a callback ran elsewhere

    void SetUp() override
    {
        MBusTest::SetUp();
        InitMainThread();
    }
    void TearDown() override
    {
        Engine.reset();
        Sim.reset();
        Clock.Attach(nullptr, nullptr);
        CheckSynchronize();
        MBusTest::TearDown();
    }

    // A converter at 127.38.0.Host (with a radio port when asked) and an engine woken up.
    void Make(int Host, bool Radio = false)
    {
        Engine.reset();
        Sim.reset();
        Clock.Attach(nullptr, nullptr);
        CheckSynchronize();
        Address = "127.38.0." + std::to_string(Host);
        if (Radio) Wireless_Port = Free_Port();
        Sim = std::make_unique<TConverterSim>(Address, Wireless_Port);
        Sim->Clock = &Clock;
        Engine = std::make_unique<TMBusScanDecode>(&Clock);
        Engine->Bind_Address = "127.0.0.1";
        Clock.Attach(Sim.get(), Engine.get());
        Engine->Event_Run.SetEvent();
    }

    static uint16_t Free_Port()
    {
        TUdpSocket s;
        s.Bind(0, "127.0.0.1");
        return s.LocalPort();
    }

    TUpdateSlaveListEvent Progress_Handler()
    {
        return [this](int32_t K, int32_t V, int32_t F, int32_t T) {
            if (!IsMainThread()) Off_Interface_Thread = true;
            Progress.push_back({K, V, F, T});
        };
    }
    TUpdateListWirelessSlaveEvent Row_Handler()
    {
        return [this](int32_t I, TSlave_wMBus* M) {
            if (!IsMainThread() || !M) Off_Interface_Thread = true;
            Rows.push_back(I);
        };
    }

    bool Start_Wired(TScanType Type, bool AppReset = false, bool SndNke = false, int CutAfter = 3,
                     bool FixC = false, uint8_t FixValue = 1)
    {
        return Engine->Start_Scan(Type, shEthernet, Address, 2400, 1, AppReset, SndNke, CutAfter, FixC, FixValue, false,
                                  Progress_Handler());
    }
    bool Start_Wireless(int32_t Mode = 1, int32_t Channel = 2)
    {
        return Engine->Start_Scan_Wireless(shEthernet, Address, Wireless_Port, Mode, Channel, false, Row_Handler(),
                                           false);
    }

    // Runs the interface thread's queue until Done holds (false after Seconds).
    bool Pump_Until(const std::function<bool()>& Done, int Seconds = 60)
    {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
        while (std::chrono::steady_clock::now() < give_up) {
            CheckSynchronize();
            if (Done()) return true;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }
    bool Run_To_End(int Seconds = 60)
    {
        return Pump_Until([this] { return !Engine->FInScan; }, Seconds);
    }
    bool Wait_For_Step(int32_t Step, int Seconds = 30)
    {
        return Pump_Until([&] { return Engine->Step() == Step; }, Seconds);
    }

    size_t Count_Requests(const std::string& Text) const
    {
        size_t n = 0;
        for (const std::string& r : Sim->Request_Texts()) n += r == Text;
        return n;
    }
    size_t Count_Requests(const TBytes& Bytes) const { return Count_Requests(Text_Of(Bytes)); }
};
