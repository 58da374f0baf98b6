// The scan engine's thread, its transports, the reply path, the time-out test and the
// requests the window sends in.
#include <algorithm>
#include <cstring>

#include "mbus/engine/UMBusScanDecode.h"

namespace {

// The largest reply kept; nothing the converter, a meter or a radio module sends comes
// near it, so a longer datagram is dropped rather than kept cut.
constexpr size_t Ans_Array_Size = 2048;

class TSystemScanClock : public TScanClock {
public:
    uint32_t Tick() override { return GetTickCount(); }
    void Sleep(uint32_t Ms) override { ::Sleep(Ms); }
};

}   // namespace

TScanClock& System_Scan_Clock()
{
    static TSystemScanClock clock;
    return clock;
}

TMBusScanDecode::TMBusScanDecode(TScanClock* Clock) : TThread(true), FClock(Clock ? Clock : &System_Scan_Clock())
{
    FWired.MBusType = mtWired;
    FWireless.MBusType = mtWireless;
    // The serial line to the converter: always 115200 8N1, whatever the bus runs at.
    Comm.SetBaudRate(br115200);
    Comm.SetDatabits(da8);
    Comm.SetParity(paNone);
    Comm.SetStopbits(sb10);
    Comm.SetFlowControl(fcNone);
    Comm.SetReadBufSize(4096);
    Comm.SetWriteBufSize(4096);
    Comm.SetReadTimeout(0);
    Start();
}

TMBusScanDecode::~TMBusScanDecode()
{
    FExit = true;
    Event_Run.SetEvent();
    WaitFor();
    std::lock_guard<std::mutex> lock(FStep_Lock);
    Close_Transport();
}

void TMBusScanDecode::Execute()
{
    while (!FExit) {
        if (FInScan) {
            {
                std::lock_guard<std::mutex> lock(FStep_Lock);
                if (FStepping && FInScan) Step_Once();
            }
            FClock->Sleep(40);
        } else {
            FClock->Sleep(10);
        }
        Event_Run.WaitFor(INFINITE);
    }
}

int32_t TMBusScanDecode::Step() const
{
    std::lock_guard<std::mutex> lock(FStep_Lock);
    return Step_Scan;
}

uint16_t TMBusScanDecode::Local_Port() const
{
    std::lock_guard<std::mutex> lock(FStep_Lock);
    return UDP_Server.LocalPort();
}

bool TMBusScanDecode::TimeOut_Elapsed(uint32_t Now, uint32_t Start_Send, uint32_t TimeOut_Calc)
{
    return uint64_t(Now) > uint64_t(Start_Send) + TimeOut_Calc || Now < Start_Send;
}

bool TMBusScanDecode::TimeOut_Elapsed() const { return TimeOut_Elapsed(FClock->Tick(), Start_Send, TimeOut_Calc); }

// ---------------------------------------------------------------------------------
// Sending and receiving.

void TMBusScanDecode::Send_Command(const std::string& Text, uint16_t Port)
{
    Send_Bytes(reinterpret_cast<const uint8_t*>(Text.data()), Text.size(), Port);
}

void TMBusScanDecode::Send_Command(uint16_t Port) { Send_Bytes(Req_Array.data(), Req_Array.size(), Port); }

void TMBusScanDecode::Send_Bytes(const uint8_t* Data, size_t Size, uint16_t Port)
{
    {
        std::lock_guard<std::mutex> lock(FAnswer_Lock);
        Answer_Arrived = false;
    }
    if (Select_Hardware == shSerial) {
        if (Comm.Write(Data, int(Size)) != int(Size)) throw ECommError("Write error", 0);
    } else {
        UDP_Server.SendTo(IP_Address, Port, std::string_view(reinterpret_cast<const char*>(Data), Size));
        ++FSent;
    }
    Start_Send = FClock->Tick();
}

void TMBusScanDecode::Deliver_Reply(const uint8_t* Data, size_t Size)
{
    std::lock_guard<std::mutex> lock(FAnswer_Lock);
    Ans_Array.assign(Data, Data + Size);
    Answer_Arrived = true;
}

void TMBusScanDecode::UDP_Read(std::string_view Data, const String& Peer)
{
    Handle_Datagram(Data, Peer);
    // Counted once handled, so whoever watches the count knows the reply is in place.
    ++FReceived;
}

void TMBusScanDecode::Handle_Datagram(std::string_view Data, const String& Peer)
{
    // A stray datagram of another host must not pass for the converter's answer (or a
    // telegram its module forwarded).
    uint32_t peer = 0;
    if (!TryParseIPv4(Peer, peer) || peer != FPeer) return;
    if (Data.empty() || Data.size() > Ans_Array_Size) return;
    const auto* bytes = reinterpret_cast<const uint8_t*>(Data.data());
    if (MBusType == mtWireless && Wireless_Receive_Message) {
        // A telegram: handed on only when its length keeps the module's rule.
        const TRadioModule module = RadioModule;
        const size_t expected = size_t(bytes[0]) + (module == rmTelit ? 3 : 1);
        if (Data.size() != expected) return;
        std::vector<uint8_t> telegram(bytes, bytes + Data.size());
        try {
            FWireless.Decode_Wireless_Telegram(module, telegram);
        } catch (...) {
            // That telegram is lost; the next one is decoded as usual.
        }
        return;
    }
    Deliver_Reply(bytes, Data.size());
}

// The serial line carries the bus's answers as a byte stream: it is cut into replies by
// their framing (the acknowledgement, short and long frames); anything else is one reply
// once the line has gone quiet for a step.
void TMBusScanDecode::Poll_Serial()
{
    // A port that cannot be read (the device gone, a line error) raises here: the scan
    // then ends as failed instead of taking the silence for meters that are not there.
    bool more = false;
    uint8_t buf[4096];
    for (;;) {
        const int n = Comm.Read(buf, int(sizeof buf));
        if (n <= 0) break;
        FSerial_Pending.insert(FSerial_Pending.end(), buf, buf + n);
        more = true;
    }
    auto& p = FSerial_Pending;
    while (!p.empty()) {
        size_t whole = 0;
        if (p[0] == 0xE5) whole = 1;
        else if (p[0] == 0x10) whole = 5;
        else if (p[0] == 0x68 && p.size() >= 4 && p[3] == 0x68 && p[1] == p[2]) whole = size_t(p[1]) + 6;
        else if (p[0] == 0x68 && p.size() < 4) whole = 0;
        else whole = more ? 0 : p.size();
        if (whole == 0 || whole > p.size()) {
            if (more) break;
            whole = p.size();   // quiet with a frame cut short: hand it on as it is
        }
        Deliver_Reply(p.data(), std::min(whole, Ans_Array_Size));
        p.erase(p.begin(), p.begin() + long(whole));
    }
}

void TMBusScanDecode::Activate_UDP(uint16_t Port)
{
    if (!UDP_Server.Active()) UDP_Server.Bind(Port, Port == FBound_Port ? Bind_Address : String("0.0.0.0"));
    if (!UDP_Server.Listening())
        UDP_Server.StartListening([this](std::string_view Data, const String& Peer, uint16_t) { UDP_Read(Data, Peer); });
}

void TMBusScanDecode::Close_Transport()
{
    if (Comm.Enabled()) Comm.Close();
    FSerial_Pending.clear();
    UDP_Server.StopListening();
    UDP_Server.Close();
    Wireless_Receive_Message = false;
}

void TMBusScanDecode::End_Scan()
{
    Close_Transport();
    FStepping = false;
    if (!SaveXMLFile.empty()) {
        try {
            if (MBusType == mtWired) Save_XML_File_DLL(SaveXMLFile);
            else Save_Wireless_XML_File_DLL(SaveXMLFile);
        } catch (...) {
            // The host that asked for the file finds it missing; the scan itself is over.
        }
    }
    if (MBusType == mtWired && Enable_Send_In_Last_Step) Notify(3, 0, 0, int32_t(Type_To_Send_In_Last_Step));
    // Behind every result of the scan, so the window sees them all before the end; and
    // only for this scan, should the window have ended it itself and started another.
    const uint64_t scan = FScan_Number;
    Queue([this, scan] {
        if (FScan_Number == scan) FInScan = false;
    });
}

// ---------------------------------------------------------------------------------
// Requests from the window.

void TMBusScanDecode::Set_Peer(const String& Address)
{
    uint32_t peer = 0;
    FPeer = TryParseIPv4(Address, peer) ? peer : 0;
}

bool TMBusScanDecode::Start_Scan(TScanType ScanT, TSelectHard SelHard, const String& IP_COM, int32_t Baud,
                                 int32_t Par, bool AppReset, bool SNDNKE, int32_t CutAfter, bool FixCField,
                                 uint8_t FixCFieldValue, bool RemoteTimeout, TUpdateSlaveListEvent Proc_Slave_List)
{
    std::lock_guard<std::mutex> lock(FStep_Lock);
    if (FInScan) return false;
    // The time-outs divide by the baud rate.
    if (Baud <= 0) throw EInvalidArgument("The M-Bus baud rate must be greater than 0");
    if (SelHard == shSerial) {
        Comm.SetDeviceName(IP_COM);
        Comm.Open();
    } else {
        Activate_UDP(FBound_Port);
    }
    Update_Slave_List = std::move(Proc_Slave_List);
    MBusType = mtWired;
    ScanType = ScanT;
    Select_Hardware = SelHard;
    ComPort.clear();
    IP_Address.clear();
    (SelHard == shSerial ? ComPort : IP_Address) = IP_COM;
    Set_Peer(IP_Address);
    Baudrate = Baud;
    Parity = Par;
    App_Reset = AppReset;
    SND_NKE = SNDNKE;
    Cut_After = CutAfter;
    Fix_C_Field = FixCField;
    Fix_C_Field_Value = FixCFieldValue;
    Add_TimeOut = RemoteTimeout ? 10000 : 0;
    FWired.Update_Slave_List = [this](int32_t A, int32_t B, int32_t C, int32_t D) {
        Queue([this, A, B, C, D] {
            if (!Update_Slave_List) return;
            try {
                Update_Slave_List(A, B, C, D);
            } catch (...) {
                // The window's trouble is not the scan's.
            }
        });
    };
    Step_Scan = 0;
    FStopScan = false;
    FAbortScan = false;
    FStepping = true;
    ++FScan_Number;
    FInScan = true;
    return true;
}

bool TMBusScanDecode::Start_Scan_Wireless(TSelectHard SelHard, const String& IP_COM, uint16_t Port,
                                          int32_t wMBus_Mode, int32_t wMBus_Radio_Channel, bool RemoteTimeout,
                                          TUpdateListWirelessSlaveEvent Proc_Wireless, bool FromDLL)
{
    std::lock_guard<std::mutex> lock(FStep_Lock);
    if (FInScan) return false;
    if (SelHard == shSerial) {
        Comm.SetDeviceName(IP_COM);
        Comm.Open();
    } else {
        if (!(UDP_Server.Active() && UDP_Server.LocalPort() == Port)) {
            UDP_Server.Close();
            FBound_Port = Port;
        }
        Activate_UDP(Port);
    }
    UpdateListWirelessSlave = std::move(Proc_Wireless);
    MBusType = mtWireless;
    Select_Hardware = SelHard;
    IP_Address = IP_COM;
    Set_Peer(IP_Address);
    wMBusMode = wMBus_Mode;
    wMBusRadioChannel = wMBus_Radio_Channel;
    Port_Wireless = Port;
    Add_TimeOut = RemoteTimeout ? 10000 : 0;
    Wireless_Receive_Message = false;
    From_DLL = FromDLL;
    FWireless.From_DLL = FromDLL;
    // Telegrams are decoded on the listener thread; the window hears of each on its own
    // thread, and looks the meter up there, where meters are freed.
    FWireless.UpdateListWirelessSlave = [this](int32_t Idx, TSlave_wMBus*) {
        Queue([this, Idx] {
            if (!UpdateListWirelessSlave) return;
            TSlave_wMBus* meter = nullptr;
            if (!From_DLL) {
                std::lock_guard<std::mutex> list_lock(List_Slave_wMBus.Lock);
                meter = Wireless_Slave_At(List_Slave_wMBus, Idx);
            }
            try {
                UpdateListWirelessSlave(Idx, meter);
            } catch (...) {
                // As for the wired progress.
            }
        });
    };
    Step_Scan = 0;
    FStopScan = false;
    FAbortScan = false;
    FStepping = true;
    ++FScan_Number;
    FInScan = true;
    return true;
}

// ---------------------------------------------------------------------------------

void TMBusScanDecode::Step_Once()
{
    {
        std::lock_guard<std::mutex> lock(FAnswer_Lock);
        FStep_Answer = Answer_Arrived;
        if (FStep_Answer) FStep_Reply = Ans_Array;
        else FStep_Reply.clear();
    }
    const bool closing = MBusType == mtWired ? Step_Scan >= 200 && Step_Scan < 300 : Step_Scan >= 500;
    try {
        if (Select_Hardware == shSerial && MBusType == mtWired) {
            Poll_Serial();
            std::lock_guard<std::mutex> lock(FAnswer_Lock);
            FStep_Answer = Answer_Arrived;
            if (FStep_Answer) FStep_Reply = Ans_Array;
        }
        if (MBusType == mtWireless) Scan_Decode_Wireless();
        else Scan_Decode();
    } catch (...) {
        // A send or a read that fails (an address that is no address, a port that went
        // away) ends the scan as a failed one; the thread goes on for the next scan.
        FResult = 2;
        if (closing) {
            End_Scan();
        } else {
            FAbortScan = false;
            FStopScan = false;
            Count_Disable_Analyzer = 3;   // the converter cannot be reached to be told
            Step_Scan = MBusType == mtWired ? 201 : 501;
        }
    }
}

bool TMBusScanDecode::Answer_Is(const std::string& Text) const
{
    return FStep_Answer && FStep_Reply.size() == Text.size() &&
           std::equal(FStep_Reply.begin(), FStep_Reply.end(), reinterpret_cast<const uint8_t*>(Text.data()));
}

// ---------------------------------------------------------------------------------

TMBusScanDecode* MBus_Scan_Engine_Slot(bool Create)
{
    static std::unique_ptr<TMBusScanDecode> engine;
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    if (Create && !engine) engine = std::make_unique<TMBusScanDecode>();
    if (!Create) engine.reset();
    return engine.get();
}

TMBusScanDecode* MBus_Scan_Engine() { return MBus_Scan_Engine_Slot(true); }

void Free_MBus_Scan_Engine() { MBus_Scan_Engine_Slot(false); }
