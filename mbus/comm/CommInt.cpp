// The serial-port component and its event thread.
#include "mbus/comm/CommInt.h"

#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>

#include "platform/os/SerialPort.h"
#include "shell/UComon.h"

String Comm_Device_Path(const String& Name)
{
    String n = Name;
    if (n.rfind("\\\\.\\", 0) == 0) n = n.substr(4);
    if (n.size() > 3 && SameText(n.substr(0, 3), "COM")) {
        int number;
        if (TryStrToInt(n.substr(3), number) && n[3] >= '0' && n[3] <= '9') {
            const String dev = COM_Port_Device(number);
            if (!dev.empty()) return dev;
        }
    }
    return n;
}

namespace {

// How often the watcher looks at what waiting cannot tell it (modem lines, counters,
// the output queue draining).
constexpr int Watch_Interval_Ms = 10;

}   // namespace

// Watches one open port: compares its state from one look to the next and queues the
// events it sees to the interface thread.
class TCommEventThread : public TThread {
public:
    TCommEventThread(TCustomComm& Comm, TSerialDevice& Device, TCommEventTypes Events, uint64_t Session)
        : TThread(true), FComm(Comm), FDevice(Device), FEventMask(Events), FSession(Session)
    {
    }
    void Stop()
    {
        Terminate();
        FWake.Signal();
    }

protected:
    void Execute() override
    {
        // Open emptied the queues: whatever is there at the first look has just arrived.
        TSerialState last = FDevice.State();
        last.InQueue = 0;
        last.OutQueue = 0;
        while (!Terminated()) {
            // Wait on input only while none is queued: queued input keeps the port readable.
            FDevice.Wait(last.InQueue == 0, FWake.Fd(), Watch_Interval_Ms);
            if (Terminated()) break;
            const TSerialState now = FDevice.State();
            unsigned mask = 0;
            if (now.InQueue > 0 && now.InQueue > last.InQueue) mask |= evRxChar;
            const bool written = FComm.FWritten.exchange(false);
            if ((written || last.OutQueue > 0) && now.OutQueue == 0) mask |= evTxEmpty;
            else if (written) FComm.FWritten = true;   // still sending: look again
            if (now.ModemLines >= 0 && last.ModemLines >= 0) {
                const int changed = now.ModemLines ^ last.ModemLines;
                if (changed & TIOCM_CTS) mask |= evCts;
                if (changed & TIOCM_DSR) mask |= evDsr;
                if (changed & TIOCM_CAR) mask |= evRlsd;
                if ((changed & TIOCM_RNG) && !(now.ModemLines & TIOCM_RNG)) mask |= evRing;   // end of a ring
            }
            if (now.Breaks > last.Breaks && last.Breaks >= 0) mask |= evBreak;
            if (now.LineErrors > last.LineErrors && last.LineErrors >= 0) mask |= evError;
            last = now;
            mask &= FEventMask;
            if (mask) {
                TCustomComm* comm = &FComm;
                const uint64_t session = FSession;
                Queue([comm, mask, session] { comm->DispatchEvents(mask, session); });
            }
        }
        FDevice.Purge(true, true);   // the port is still open: Close waits for this thread
    }

private:
    TCustomComm& FComm;
    TSerialDevice& FDevice;
    TSerialWake FWake;
    TCommEventTypes FEventMask;
    uint64_t FSession;
};

uint32_t Baudrate_Value(TBaudrate B)
{
    static const uint32_t values[] = {110,   300,   600,    1200,   2400,   4800,    9600,    14400,  19200,
                                      38400, 56000, 57600, 115200, 128000, 256000, 1500000, 3000000};
    return values[B];
}

void TCommEventChars::Set(char& Field, char C)
{
    if (Field == C) return;
    Field = C;
    FOwner->ApplyDCB();
}

void TCommEventChars::Assign(const TCommEventChars& S)
{
    FXonChar = S.FXonChar;
    FXoffChar = S.FXoffChar;
    FErrorChar = S.FErrorChar;
    FEofChar = S.FEofChar;
    FEvtChar = S.FEvtChar;
    FOwner->ApplyDCB();
}

TCustomComm::TCustomComm()
    : FDevice(std::make_unique<TSerialDevice>()), FEventChars(std::make_unique<TCommEventChars>(this))
{
}

TCustomComm::~TCustomComm() { Close(); }

void TCustomComm::RaiseCommError(const String& Text, int Code)
{
    throw ECommError(Text + Format(" (Error: %d) ", {Code}), Code);
}

bool TCustomComm::Enabled() const { return FDevice->IsOpen(); }

void TCustomComm::Only_While_Closed(bool Changed) const
{
    if (Changed && Enabled()) RaiseCommError("Port already assigned (open)", -1);
}

void TCustomComm::SetDeviceName(const String& V)
{
    Only_While_Closed(V != FDeviceName);
    FDeviceName = V;
}
void TCustomComm::SetReadBufSize(int V)
{
    Only_While_Closed(V != FReadBufSize);
    FReadBufSize = V;
}
void TCustomComm::SetWriteBufSize(int V)
{
    Only_While_Closed(V != FWriteBufSize);
    FWriteBufSize = V;
}
void TCustomComm::SetMonitorEvents(TCommEventTypes V)
{
    Only_While_Closed(V != FMonitorEvents);
    FMonitorEvents = V;
}

void TCustomComm::OpenDevice()
{
    if (!FDevice->Open(Comm_Device_Path(FDeviceName))) {
        if (FDevice->LastError() == ENOTTY) RaiseCommError("Invalid device handle, access denied", -1);
        RaiseCommError("Error accessing specified device", FDevice->LastError());
    }
}

void TCustomComm::Open()
{
    if (Enabled()) RaiseCommError("Port already assigned (open)", -1);
    OpenDevice();
    try {
        ApplyTimeouts();
        ApplyDCB();
        FDevice->Purge(true, true);
    } catch (...) {
        // A port that could not be set up is not left open behind the caller's back.
        FDevice->Close();
        throw;
    }
    const TSerialState s = FDevice->State();
    FLast_Breaks = s.Breaks;
    FLast_Overruns = s.Overruns;
    FLast_Frames = s.Frames;
    FLast_Parities = s.Parities;
    FWritten = false;
    const uint64_t session = ++FSession;
    FEventThread = std::make_unique<TCommEventThread>(*this, *FDevice, FMonitorEvents, session);
    FEventThread->Start();
}

void TCustomComm::Close()
{
    if (!Enabled()) return;
    ++FSession;   // events queued for this opening are dropped from now on
    if (FEventThread) {
        FEventThread->Stop();
        FEventThread->WaitFor();
        RemoveQueuedEvents(FEventThread.get());
        FEventThread.reset();
    }
    Lock();   // not under a Read or Write of another thread
    FDevice->Close();
    Unlock();
}

void TCustomComm::ApplyTimeouts()
{
    // Reads take what is queued and never wait in the driver: the waiting is Read's own,
    // bounded by ReadTimeout. Nothing to set on the device.
}

TSerialLine TCustomComm::Line_Settings() const
{
    TSerialLine l;
    l.BaudRate = Baudrate_Value(FBaudRate);
    static const TSerialParity parities[] = {TSerialParity::None, TSerialParity::Odd, TSerialParity::Even,
                                             TSerialParity::Mark, TSerialParity::Space};
    l.Parity = parities[FParity];
    l.StopBits = FStopbits == sb10 ? TSerialStopBits::One
                 : FStopbits == sb15 ? TSerialStopBits::OneAndHalf : TSerialStopBits::Two;
    l.ByteSize = 4 + int(FDatabits);
    l.XonChar = FEventChars->XonChar();
    l.XoffChar = FEventChars->XoffChar();
    l.ParityCheck = (FOptions & coParityCheck) != 0;
    switch (FFlowControl) {
    case fcNone: break;
    case fcCTS: l.RtsCtsFlow = true; break;
    case fcDTR: break;   // the line discipline has no DTR/DSR handshake
    case fcSoftware: l.XonXoffOut = l.XonXoffIn = true; break;
    case fcDefault: l.Keep_Flow_Control = true; break;
    }
    return l;
}

void TCustomComm::ApplyDCB()
{
    if (!Enabled()) return;
    if (!FDevice->SetLine(Line_Settings())) RaiseCommError("Error updating DataControlBlock", FDevice->LastError());
}

int TCustomComm::Write(const void* Buffer, int Count)
{
    if (!Enabled()) RaiseCommError("Port not open, unable to complete operation", -1);
    Lock();
    const long n = FDevice->Write(Buffer, size_t(Count < 0 ? 0 : Count), FWriteTimeout);
    const int error = FDevice->LastError();
    Unlock();
    FWritten = true;
    if (n < 0 && error != 0) RaiseCommError("Write error", error);
    return int(n);
}

int TCustomComm::Read(void* Buffer, int Count)
{
    if (!Enabled()) RaiseCommError("Port not open, unable to complete operation", -1);
    Lock();
    const long n = FDevice->Read(Buffer, size_t(Count < 0 ? 0 : Count), FReadTimeout);
    const int error = FDevice->LastError();
    Unlock();
    if (n < 0 && error != 0) RaiseCommError("Read error", error);
    return int(n);
}

int TCustomComm::InQueCount() const { return Enabled() ? FDevice->State().InQueue : -1; }
int TCustomComm::OutQueCount() const { return Enabled() ? FDevice->State().OutQueue : -1; }

void TCustomComm::PurgeIn()
{
    if (Enabled()) FDevice->Purge(true, false);
}
void TCustomComm::PurgeOut()
{
    if (Enabled()) FDevice->Purge(false, true);
}

namespace {

void Escape(TSerialDevice& D, bool Ok)
{
    if (!Ok) TCustomComm::RaiseCommError("EscapeCommFunction failure", D.LastError());
}

}   // namespace

void TCustomComm::SetDTRState(bool On)
{
    if (!Enabled()) RaiseCommError("Port not open, unable to complete operation", -1);
    Escape(*FDevice, FDevice->SetModemLine(TIOCM_DTR, On));
}

void TCustomComm::SetRTSState(bool On)
{
    if (!Enabled()) RaiseCommError("Port not open, unable to complete operation", -1);
    Escape(*FDevice, FDevice->SetModemLine(TIOCM_RTS, On));
}

void TCustomComm::SetXONState(bool On)
{
    if (!Enabled()) RaiseCommError("Port not open, unable to complete operation", -1);
    Escape(*FDevice, FDevice->SetOutputSuspended(!On));
}

void TCustomComm::SetBREAKState(bool On)
{
    if (!Enabled()) RaiseCommError("Port not open, unable to complete operation", -1);
    Escape(*FDevice, FDevice->SetBreak(On));
    FDevice->Purge(true, true);
}

namespace {

bool Line(const TSerialDevice& D, bool Open, int Bit)
{
    if (!Open) return false;
    const int lines = D.State().ModemLines;
    return lines >= 0 && (lines & Bit) != 0;
}

}   // namespace

bool TCustomComm::CTS() const { return Line(*FDevice, Enabled(), TIOCM_CTS); }
bool TCustomComm::DSR() const { return Line(*FDevice, Enabled(), TIOCM_DSR); }
bool TCustomComm::RING() const { return Line(*FDevice, Enabled(), TIOCM_RNG); }
bool TCustomComm::RLSD() const { return Line(*FDevice, Enabled(), TIOCM_CAR); }

unsigned TCustomComm::Take_Error_Flags()
{
    const TSerialState s = FDevice->State();
    unsigned flags = 0;
    if (s.Overruns > FLast_Overruns && FLast_Overruns >= 0) flags |= ceOverrun;
    if (s.Parities > FLast_Parities && FLast_Parities >= 0) flags |= ceRxParity;
    if (s.Frames > FLast_Frames && FLast_Frames >= 0) flags |= ceFrame;
    if (s.Breaks > FLast_Breaks && FLast_Breaks >= 0) flags |= ceBreak;
    FLast_Overruns = s.Overruns;
    FLast_Parities = s.Parities;
    FLast_Frames = s.Frames;
    FLast_Breaks = s.Breaks;
    return flags;
}

void TCustomComm::DispatchEvents(unsigned Mask, uint64_t Session)
{
    if (Session != FSession || !Enabled()) return;   // queued for an opening that has ended
    const unsigned errors = Take_Error_Flags();
    const int waiting = FDevice->State().InQueue;
    // A handler may close the port: the rest of the events are dropped then.
    auto open = [&] { return Session == FSession; };
    if ((Mask & evBreak) && OnBreak && open()) OnBreak(this);
    if ((Mask & evCts) && OnCts && open()) OnCts(this);
    if ((Mask & evDsr) && OnDsr && open()) OnDsr(this);
    if ((Mask & evError) && OnError && open()) OnError(this, errors);
    if ((Mask & evRing) && OnRing && open()) OnRing(this);
    if ((Mask & evRlsd) && OnRlsd && open()) OnRlsd(this);
    if ((Mask & evRxChar) && OnRxChar && waiting > 0 && open()) OnRxChar(this, waiting);
    if ((Mask & evRxFlag) && OnRxFlag && open()) OnRxFlag(this);
    if ((Mask & evTxEmpty) && OnTxEmpty && open()) OnTxEmpty(this);
}
