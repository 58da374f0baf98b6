#pragma once
// The M-Bus windows in the program, a configuration open, and a simulated converter on
// its own loopback address with a scan engine on the virtual clock that the scan window
// drives in place of the program's own engine. This thread plays the interface thread:
// it runs what the engine queues and the window's timer.
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "mbus/network/UMeter_Bus_Window.h"
#include "mbus/network/UNewIDNode.h"
#include "mbus/scan/MBusWindows.h"
#include "mbus/scan/UScanDecode.h"
#include "mbus/scan/UScanDialogs.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Threads.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/program_fixture.h"
#include "tests/mbus/converter_sim.h"

class MBusWindows : public ProgramFixture {
protected:
    void SetUp() override
    {
        InitMainThread();
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        Empty_Slave_MBus_List();
        Empty_Slave_wMBus_List();
        Start_Program({Plug_MBus_Windows});
    }
    void TearDown() override
    {
        if (FScanDecode) FScanDecode->TR_ScanDecode = MBus_Scan_Engine();
        Engine.reset();
        Sim.reset();
        Clock.Attach(nullptr, nullptr);
        CheckSynchronize();
        Empty_Slave_MBus_List();
        Empty_Slave_wMBus_List();
        Load_Default_Texts();
        ProgramFixture::TearDown();
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
    }

    // A converter at 127.38.0.Host with these wired meters, and its radio module on
    // Radio_Port when one is given; the scan window scans it.
    void Converter(int Host, std::vector<TSimMeter> Meters, uint16_t Radio_Port = 0)
    {
        Address = "127.38.0." + std::to_string(Host);
        Sim = std::make_unique<TConverterSim>(Address, Radio_Port);
        Sim->Clock = &Clock;
        Sim->Set([&] { Sim->Meters = std::move(Meters); });
        Engine = std::make_unique<TMBusScanDecode>(&Clock);
        Engine->Bind_Address = "127.0.0.1";
        Clock.Attach(Sim.get(), Engine.get());
        FScanDecode->TR_ScanDecode = Engine.get();
    }
    // The address boxes as the user types them: "127" "." "38" ... (a full stop moves on).
    void Type_Address()
    {
        for (TEdit* e : {FScanDecode->E_IP1, FScanDecode->E_IP2, FScanDecode->E_IP3, FScanDecode->E_IP4})
            e->SetText("");
        UserFocus(FScanDecode->E_IP1);
        String part;
        for (char c : Address + ".") {
            if (c != '.') { part += c; continue; }
            auto* box = dynamic_cast<TEdit*>(FindFocusedControl());
            if (!box) return;
            UserType(box, part + ".");
            part.clear();
        }
    }

    // Runs the engine's queue and the window's timer until Done holds (false after Seconds).
    static bool Pump_Until(const std::function<bool()>& Done, int Seconds = 60)
    {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
        while (std::chrono::steady_clock::now() < give_up) {
            CheckSynchronize();
            Application->ProcessMessages();
            if (Done()) return true;
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        return false;
    }

    static String File_Text(const String& Name)
    {
        std::ifstream in(Name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TSimClock Clock;
    std::unique_ptr<TConverterSim> Sim;
    std::unique_ptr<TMBusScanDecode> Engine;
    String Address;
};
