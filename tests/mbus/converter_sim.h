#pragma once
// A converter on 127.0.0.x for the scan engine's tests: its application port 10000 with
// analyser mode, the serial-parameter command and a bus of simulated meters (primary
// addresses, selection by secondary address with wildcards and collisions, frames read one
// by one under the frame-count bit), and its wireless port with configuration mode and a
// Telit or a Radiocrafts radio module that forwards telegrams once it listens.
//
// Faults are injected per request: a garbled, missing, late or checksum-broken answer, or
// a datagram from another sender just before the answer.
//
// The clock the engine runs on in these tests is virtual: it moves only when the engine
// pauses, and before it moves it waits until every datagram in flight has been answered
// and delivered, so a whole scan runs in well under a second and no answer is ever late
// unless a fault makes it so.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mbus/engine/UMBusScanDecode.h"
#include "platform/net/Sockets.h"
#include "tests/mbus/mbus_fixture.h"

inline std::string Text_Of(const TBytes& B) { return std::string(B.begin(), B.end()); }
inline TBytes Bytes_Of(const std::string& S) { return TBytes(S.begin(), S.end()); }

// A meter on the wired bus: its primary address, its identification number (eight decimal
// digits) and the frames it answers, one per REQ_UD2 whose frame-count bit moved on.
struct TSimMeter {
    uint8_t Primary = 0;
    std::string Id = "12345678";
    std::vector<TBytes> Frames;
    // Bus state.
    bool Selected = false;
    int Next_Frame = 0;
    int Last_FCB = -1;
};

// A wired meter whose frames carry Records, all but the last with the more-records marker.
inline TSimMeter Sim_Meter(uint8_t Primary, const std::string& Id, int Frame_Count = 1,
                           const TBytes& Records = Hex("04 13 39 30 00 00"))
{
    TSimMeter m;
    m.Primary = Primary;
    m.Id = Id;
    for (int i = 0; i < Frame_Count; ++i) {
        TLongFrame f;
        f.A = Primary;
        f.Id = {uint8_t((Id[6] - '0') << 4 | (Id[7] - '0')), uint8_t((Id[4] - '0') << 4 | (Id[5] - '0')),
                uint8_t((Id[2] - '0') << 4 | (Id[3] - '0')), uint8_t((Id[0] - '0') << 4 | (Id[1] - '0'))};
        f.Records = Records;
        if (i + 1 < Frame_Count) f.Records.push_back(0x1F);
        m.Frames.push_back(f.Bytes());
    }
    return m;
}

// sfShort: the answer without its last byte.
enum TSimFault { sfNone, sfGarble, sfMissing, sfLate, sfBadChecksum, sfOtherSender, sfShort };

class TSimClock;

class TConverterSim {
public:
    explicit TConverterSim(const String& Address, uint16_t Wireless_Port = 0) : FAddress(Address)
    {
        FApp.Bind(Converter_Port, Address);
        FApp.StartListening([this](std::string_view D, const String& A, uint16_t P) { Receive(FApp, D, A, P); });
        if (Wireless_Port) {
            FRadio.Bind(Wireless_Port, Address);
            FRadio.StartListening([this](std::string_view D, const String& A, uint16_t P) { Receive(FRadio, D, A, P); });
        }
        FStranger.Bind(0, "127.0.0.1");
    }
    ~TConverterSim()
    {
        FApp.Close();
        FRadio.Close();
    }

    // Changes the settings below: under the simulator's lock, as its listener reads them.
    void Set(const std::function<void()>& Change)
    {
        std::lock_guard<std::mutex> lock(FLock);
        Change();
    }
    std::vector<TSimMeter> Meters;
    std::string Radio = "TELIT";       // what "Zodudo_Type_Radio_Module" answers
    bool No_Slave_Answers = false;     // "NO_SLAVE" for a selection nobody answers
    // Decides the fault for each request (called under the simulator's lock).
    std::function<TSimFault(const TBytes& Request)> Fault;
    uint32_t Late_By = 2000;           // how late a late answer is, on the engine's clock
    // The answer a Telit module gives a command (default "OK" CR).
    std::function<std::string(const std::string& Command)> Telit_Answer;
    std::function<bool(uint8_t Command)> RadioCrafts_Refuses;

    // What the engine sent, in order.
    std::vector<TBytes> Requests() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FRequests;
    }
    std::vector<std::string> Request_Texts() const
    {
        std::vector<std::string> out;
        for (const TBytes& r : Requests()) out.push_back(Text_Of(r));
        return out;
    }
    std::map<int, int> Telit_Registers() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FRegisters;
    }
    // Radiocrafts key table: position -> address block and key block.
    std::map<int, TBytes> RC_Addresses() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FRC_Address;
    }
    std::map<int, TBytes> RC_Keys() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FRC_Key;
    }
    TBytes RC_Config() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FRC_Config;
    }
    bool Module_Listens() const { return FListening.load(); }

    // A telegram heard on the air: forwarded to the engine while the module listens.
    bool Air(const TBytes& Telegram)
    {
        std::lock_guard<std::mutex> lock(FLock);
        if (!FListening || FEngine_Port == 0) return false;
        Send(FRadio, Text_Of(Telegram));
        return true;
    }
    // A datagram from an address that is not the converter's.
    void Stranger(const TBytes& Data)
    {
        std::lock_guard<std::mutex> lock(FLock);
        if (FEngine_Port == 0) return;
        FStranger.SendTo("127.0.0.1", FEngine_Port, Text_Of(Data));
        ++FSent;
    }

    // The clock moved on: late answers whose time has come are sent.
    void Release_Due(uint32_t Now)
    {
        std::lock_guard<std::mutex> lock(FLock);
        for (auto it = FHeld.begin(); it != FHeld.end();) {
            if (int32_t(Now - it->Due) >= 0) {
                Send(*it->Socket, it->Data);
                it = FHeld.erase(it);
            } else {
                ++it;
            }
        }
    }

    uint64_t Processed() const { return FProcessed.load(); }
    uint64_t Sent() const { return FSent.load(); }
    TSimClock* Clock = nullptr;

private:
    struct THeld {
        TUdpSocket* Socket;
        std::string Data;
        uint32_t Due;
    };

    void Send(TUdpSocket& S, const std::string& Data)
    {
        S.SendTo("127.0.0.1", FEngine_Port, Data);
        ++FSent;
    }

    void Receive(TUdpSocket& S, std::string_view D, const String&, uint16_t Port);
    std::string Answer_App(const TBytes& R);
    std::string Answer_Radio(const TBytes& R);
    std::string Answer_Frame(const TBytes& R);

    String FAddress;
    mutable std::mutex FLock;
    TUdpSocket FApp, FRadio, FStranger;
    uint16_t FEngine_Port = 0;
    std::vector<TBytes> FRequests;
    std::vector<THeld> FHeld;
    bool FAnalyser = false;
    bool FConfiguration = false;
    std::atomic<bool> FListening{false};
    std::map<int, int> FRegisters;
    // Radiocrafts command state: the command waiting for its position or block.
    char FRC_Command = 0;
    int FRC_Position = 0;
    int FRC_Stage = 0;
    std::map<int, TBytes> FRC_Address, FRC_Key;
    TBytes FRC_Config;
    std::atomic<uint64_t> FProcessed{0}, FSent{0};
};

// The engine's clock in these tests (see the top of this file).
class TSimClock : public TScanClock {
public:
    explicit TSimClock(uint32_t Start = 1000) : FNow(Start) {}
    std::atomic<TConverterSim*> Sim{nullptr};
    std::atomic<TMBusScanDecode*> Engine{nullptr};

    uint32_t Tick() override { return FNow.load(); }
    // A new engine and converter: nothing written off yet.
    void Attach(TConverterSim* S, TMBusScanDecode* E)
    {
        Sim = S;
        Engine = E;
        FLost = 0;
    }
    void Sleep(uint32_t Ms) override
    {
        Settle();
        FNow += Ms;
        if (TConverterSim* sim = Sim.load()) {
            sim->Release_Due(FNow.load());
            Settle();
        }
        if (Ms <= 10) std::this_thread::sleep_for(std::chrono::microseconds(500));
        else std::this_thread::yield();
    }

    // Every request answered and every answer delivered. An answer that can never arrive is
    // written off after a long while (the simulator drops late answers when the engine
    // closes, so only a broken test gets there).
    void Settle()
    {
        TConverterSim* sim = Sim.load();
        TMBusScanDecode* engine = Engine.load();
        if (!sim || !engine) return;
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < give_up) {
            if (sim->Processed() >= engine->Datagrams_Sent() && engine->Datagrams_Received() + FLost >= sim->Sent())
                return;
            std::this_thread::yield();
        }
        const uint64_t received = engine->Datagrams_Received() + FLost, sent = sim->Sent();
        if (sent > received) FLost += sent - received;
    }

private:
    std::atomic<uint32_t> FNow;
    std::atomic<uint64_t> FLost{0};
};

inline void TConverterSim::Receive(TUdpSocket& S, std::string_view D, const String&, uint16_t Port)
{
    std::lock_guard<std::mutex> lock(FLock);
    FEngine_Port = Port;
    const TBytes r(D.begin(), D.end());
    FRequests.push_back(r);
    const TSimFault fault = Fault ? Fault(r) : sfNone;
    std::string answer = &S == &FApp ? Answer_App(r) : Answer_Radio(r);
    if (!answer.empty()) {
        switch (fault) {
        case sfGarble: answer = "\x12garbled\x34"; break;
        case sfMissing: answer.clear(); break;
        case sfShort: answer.pop_back(); break;
        case sfBadChecksum:
            if (answer.size() > 2) answer[answer.size() - 2] = char(answer[answer.size() - 2] + 1);
            break;
        case sfOtherSender:
            FStranger.SendTo("127.0.0.1", FEngine_Port, "\x68stranger");
            ++FSent;
            break;
        case sfLate:
            FHeld.push_back({&S, answer, (Clock ? Clock->Tick() : 0) + Late_By});
            answer.clear();
            break;
        case sfNone: break;
        }
        if (!answer.empty()) Send(S, answer);
    }
    ++FProcessed;
}

inline std::string TConverterSim::Answer_App(const TBytes& R)
{
    const std::string t = Text_Of(R);
    if (t == "Zodudo_Enable_Analyzer_Mode") {
        FAnalyser = true;
        return Converter_Answer("Analyzer_Mode Enabled!");
    }
    if (t == "Zodudo_Disable_Analyzer_Mode") {
        FAnalyser = false;
        FHeld.clear();   // the engine closes its endpoint next: nothing may be on its way
        return Converter_Answer("Analyzer_Mode Disabled!");
    }
    if (R.size() == 17 && t.rfind("Zodudo_S_M:", 0) == 0) return "\n\rDone!";
    if (!FAnalyser) return "";
    return Answer_Frame(R);
}

// The bus: a frame with a wrong checksum or stop byte is not heard by any meter.
inline std::string TConverterSim::Answer_Frame(const TBytes& R)
{
    auto sum = [&](size_t from, size_t to) {
        uint8_t cs = 0;
        for (size_t i = from; i < to; ++i) cs = uint8_t(cs + R[i]);
        return cs;
    };
    const std::string ack = "\xE5";
    if (R.size() == 5 && R[0] == 0x10 && R[4] == 0x16 && R[3] == sum(1, 3)) {
        const uint8_t c = R[1], a = R[2];
        if (c == 0x40) {   // SND_NKE
            std::string answer;
            for (TSimMeter& m : Meters) {
                if (a == 0xFF || a == m.Primary || (a == 0xFD && m.Selected)) {
                    m.Next_Frame = 0;
                    m.Last_FCB = -1;
                    if (a != 0xFF) answer = ack;
                }
                if (a == 0xFF || (a == 0xFD && m.Selected)) m.Selected = false;
            }
            return answer;
        }
        if ((c & 0xDF) == 0x5B) {   // REQ_UD2
            std::vector<TSimMeter*> answering;
            for (TSimMeter& m : Meters)
                if ((a == 0xFD && m.Selected) || (a != 0xFD && a == m.Primary)) answering.push_back(&m);
            if (answering.size() > 1) return "\x68\x68\x01\xFF";   // frames on top of each other
            if (answering.empty()) return "";
            TSimMeter& m = *answering[0];
            const int fcb = (c & 0x20) ? 1 : 0;
            // A moved frame-count bit asks for the next frame; the same bit repeats the last.
            if (m.Last_FCB != -1 && fcb != m.Last_FCB && m.Next_Frame + 1 < int(m.Frames.size())) ++m.Next_Frame;
            m.Last_FCB = fcb;
            return Text_Of(m.Frames[size_t(m.Next_Frame)]);
        }
        return "";
    }
    if (R.size() >= 9 && R[0] == 0x68 && R[3] == 0x68 && R[1] == R[2] && R.size() == size_t(R[1]) + 6 &&
        R.back() == 0x16 && R[R.size() - 2] == sum(4, R.size() - 2)) {
        const uint8_t a = R[5], ci = R[6];
        if (ci == 0x50) {   // application reset
            for (TSimMeter& m : Meters)
                if (a == m.Primary) return ack;
            return "";
        }
        if (ci == 0x52 && a == 0xFD && R.size() == 17) {   // selection
            // Identification digits, most significant first, from I4 I3 I2 I1.
            std::string mask;
            for (int i = 10; i >= 7; --i) {
                mask += char(R[size_t(i)] >> 4);
                mask += char(R[size_t(i)] & 0x0F);
            }
            int matches = 0;
            for (TSimMeter& m : Meters) {
                bool match = true;
                for (size_t d = 0; d < 8; ++d)
                    if (mask[d] != 0x0F && mask[d] != m.Id[d] - '0') match = false;
                m.Selected = match;
                if (match) {
                    ++matches;
                    m.Next_Frame = 0;
                    m.Last_FCB = -1;
                }
            }
            if (matches == 0) return No_Slave_Answers ? std::string(Answer_No_Slave) : "";
            if (matches == 1) return ack;
            return "\xE5\xE5\x13";   // several acknowledgements collide
        }
    }
    return "";
}

inline std::string TConverterSim::Answer_Radio(const TBytes& R)
{
    const std::string t = Text_Of(R);
    if (t == "Zodudo_Enable_Configuration_Mode") {
        FConfiguration = true;
        return Converter_Answer("Configuration_Mode Enabled!");
    }
    if (t == "Zodudo_Disable_Configuration_Mode") {
        FConfiguration = false;
        FHeld.clear();
        FListening = false;
        return Converter_Answer("Configuration_Mode Disabled!");
    }
    if (t == "Zodudo_Type_Radio_Module") return Converter_Answer(Radio.c_str());
    if (!FConfiguration) return "";
    if (Radio == "TELIT") {
        const std::string answer = Telit_Answer ? Telit_Answer(t) : "OK\r";
        if (answer != "OK\r") return answer;
        if (t == "+++") FListening = false;
        if (t == "ATO\r") FListening = true;
        int reg = 0, value = 0;
        if (std::sscanf(t.c_str(), "ATS%d=%d\r", &reg, &value) == 2) FRegisters[reg] = value;
        return answer;
    }
    // Radiocrafts: a command byte, then (B, K, A) the position and a block, each answered
    // by the prompt.
    const std::string prompt = ">";
    if (FRC_Stage == 1) {   // the position
        FRC_Position = R.empty() ? 0 : R[0];
        FRC_Stage = 2;
        return prompt;
    }
    if (FRC_Stage == 2) {   // the block
        FRC_Stage = 0;
        if (FRC_Command == 'B') FRC_Address[FRC_Position] = R;
        if (FRC_Command == 'K') FRC_Key[FRC_Position] = R;
        return prompt;
    }
    if (FRC_Stage == 3) {   // the configuration block after "M"
        FRC_Stage = 0;
        FRC_Config = R;
        return prompt;
    }
    if (R.size() != 1) return "";
    const uint8_t c = R[0];
    if (RadioCrafts_Refuses && RadioCrafts_Refuses(c)) return "?";
    switch (c) {
    case 0x00: FListening = false; return prompt;
    case '0': return std::string(256, '\x55') + prompt;
    case 'M': FRC_Stage = 3; return prompt;
    case 0xFF: return prompt;
    case 'B':
    case 'K':
    case 'A':
        FRC_Command = char(c);
        FRC_Stage = 1;
        return prompt;
    case 'X': FListening = true; return "";
    default: return "";
    }
}
