#pragma once
// The serial-port component: opens a port by name, applies its line settings, reads and
// writes with time-outs, and watches the port's communication events from a thread of its
// own, handing each event to the interface thread.
//
// Port names are those the shell lists ("COM3", also written "\\.\COM3"), mapped to
// their devices by the shell's port map; any other name is taken as a device path.
//
// Threads: the owner opens, closes and sets properties; Read and Write may come from any
// thread (one at a time, under the component's lock); the event thread only watches and
// queues the events, which then run on the interface thread (CheckSynchronize). Close
// stops the watcher before the port is closed, and events still queued for a closed port
// are dropped, so no handler ever runs for a port that is no longer open.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/os/SerialPort.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Threads.h"


class ECommError : public Exception {
public:
    ECommError(const String& Msg, int Code) : Exception(Msg), ErrorCode(Code) {}
    int ErrorCode;
};

enum TBaudrate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600, br115200,
    br128000, br256000, br1500000, br3000000
};
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits { sb10, sb15, sb20 };
enum TDatabits { da4, da5, da6, da7, da8 };
enum TFlowControl { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

// Options as bits of the line settings.
enum TCommOption : unsigned {
    coParityCheck = 0x0002, coDsrSensitivity = 0x0040, coIgnoreXOff = 0x0080, coErrorChar = 0x0400, coNullStrip = 0x0800
};
using TCommOptions = unsigned;

// Event kinds with their mask bits.
enum TCommEventType : unsigned {
    evRxChar = 0x01, evRxFlag = 0x02, evTxEmpty = 0x04, evCts = 0x08, evDsr = 0x10, evRlsd = 0x20, evBreak = 0x40,
    evError = 0x80, evRing = 0x100
};
using TCommEventTypes = unsigned;
constexpr TCommEventTypes All_Comm_Events = 0x1FF;

// Error flags handed to OnError.
enum TCommErrorFlag : unsigned { ceRxOver = 0x01, ceOverrun = 0x02, ceRxParity = 0x04, ceFrame = 0x08, ceBreak = 0x10 };

uint32_t Baudrate_Value(TBaudrate B);
// The device a port name opens: "COM3" and "\\\\.\\COM3" by the shell's port map, else the name.
String Comm_Device_Path(const String& Name);

class TCustomComm;

// The special characters of the line; changing one re-applies the owner's settings.
class TCommEventChars {
public:
    explicit TCommEventChars(TCustomComm* Owner) : FOwner(Owner) {}
    char XonChar() const { return FXonChar; }
    char XoffChar() const { return FXoffChar; }
    char ErrorChar() const { return FErrorChar; }
    char EofChar() const { return FEofChar; }
    char EvtChar() const { return FEvtChar; }
    void SetXonChar(char C) { Set(FXonChar, C); }
    void SetXoffChar(char C) { Set(FXoffChar, C); }
    void SetErrorChar(char C) { Set(FErrorChar, C); }
    void SetEofChar(char C) { Set(FEofChar, C); }
    void SetEvtChar(char C) { Set(FEvtChar, C); }
    void Assign(const TCommEventChars& Source);
private:
    void Set(char& Field, char C);
    TCustomComm* FOwner;
    char FXonChar = 0x11;
    char FXoffChar = 0x13;
    char FErrorChar = 0;
    char FEofChar = 0;
    char FEvtChar = 0;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TCommErrorEvent = std::function<void(TObject* Sender, unsigned Errors)>;
using TCommRxCharEvent = std::function<void(TObject* Sender, int Count)>;

class TCommEventThread;

class TCustomComm : public TObject {
public:
    TCustomComm();
    ~TCustomComm() override;   // closes

    void Open();
    void Close();
    bool Enabled() const;

    // Bytes written, or -1 when they could not all be written within WriteTimeout.
    int Write(const void* Buffer, int Count);
    // Waits at most ReadTimeout for data: bytes read (at most Count), or -1 when none came.
    int Read(void* Buffer, int Count);
    int InQueCount() const;    // -1 while closed
    int OutQueCount() const;
    void PurgeIn();
    void PurgeOut();
    void SetDTRState(bool On);
    void SetRTSState(bool On);
    void SetXONState(bool On);
    void SetBREAKState(bool On);
    void Lock() { FCriticalSection.Enter(); }
    void Unlock() { FCriticalSection.Leave(); }

    // Modem lines; false while closed. The hold flags are always false here: the line
    // discipline does not report why output waits.
    bool CTS() const;
    bool DSR() const;
    bool RING() const;
    bool RLSD() const;
    bool CtsHold() const { return false; }
    bool DsrHold() const { return false; }
    bool RlsdHold() const { return false; }
    bool XoffHold() const { return false; }
    bool XOffSent() const { return false; }

    const String& DeviceName() const { return FDeviceName; }
    void SetDeviceName(const String& V);
    uint32_t ReadTimeout() const { return FReadTimeout; }
    void SetReadTimeout(uint32_t V) { FReadTimeout = V; }
    uint32_t WriteTimeout() const { return FWriteTimeout; }
    void SetWriteTimeout(uint32_t V) { FWriteTimeout = V; }
    int ReadBufSize() const { return FReadBufSize; }
    void SetReadBufSize(int V);
    int WriteBufSize() const { return FWriteBufSize; }
    void SetWriteBufSize(int V);
    TCommEventTypes MonitorEvents() const { return FMonitorEvents; }
    void SetMonitorEvents(TCommEventTypes V);
    TBaudrate BaudRate() const { return FBaudRate; }
    void SetBaudRate(TBaudrate V) { Reapply(FBaudRate, V); }
    TParity Parity() const { return FParity; }
    void SetParity(TParity V) { Reapply(FParity, V); }
    TStopbits Stopbits() const { return FStopbits; }
    void SetStopbits(TStopbits V) { Reapply(FStopbits, V); }
    TDatabits Databits() const { return FDatabits; }
    void SetDatabits(TDatabits V) { Reapply(FDatabits, V); }
    TCommOptions Options() const { return FOptions; }
    void SetOptions(TCommOptions V) { Reapply(FOptions, V); }
    TFlowControl FlowControl() const { return FFlowControl; }
    void SetFlowControl(TFlowControl V) { Reapply(FFlowControl, V); }
    TCommEventChars& EventChars() { return *FEventChars; }

    TNotifyEvent OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag, OnTxEmpty;
    TCommErrorEvent OnError;
    TCommRxCharEvent OnRxChar;

    // The line the properties describe, as it is written to the port.
    TSerialLine Line_Settings() const;

    // Raises ECommError: Text, then " (Error: <Code>) ".
    [[noreturn]] static void RaiseCommError(const String& Text, int Code);

protected:
    virtual void OpenDevice();
    // Writes the line settings to the open port; nothing while closed.
    void ApplyDCB();
    void ApplyTimeouts();
    // The events of Mask on the interface thread, in their fixed order.
    void DispatchEvents(unsigned Mask, uint64_t Session);

private:
    friend class TCommEventChars;
    friend class TCommEventThread;
    template <typename T>
    void Reapply(T& Field, T V)
    {
        if (Field == V) return;
        Field = V;
        ApplyDCB();
    }
    void Only_While_Closed(bool Changed) const;
    unsigned Take_Error_Flags();

    std::unique_ptr<TSerialDevice> FDevice;
    String FDeviceName = "Com2";
    TCriticalSection FCriticalSection;
    uint32_t FReadTimeout = 1000;
    uint32_t FWriteTimeout = 1000;
    int FReadBufSize = 4096;
    int FWriteBufSize = 2048;
    TCommEventTypes FMonitorEvents = All_Comm_Events;
    TBaudrate FBaudRate = br9600;
    TParity FParity = paNone;
    TStopbits FStopbits = sb10;
    TDatabits FDatabits = da8;
    TCommOptions FOptions = 0;
    TFlowControl FFlowControl = fcDefault;
    std::unique_ptr<TCommEventChars> FEventChars;
    std::unique_ptr<TCommEventThread> FEventThread;
    std::atomic<uint64_t> FSession{0};     // which opening of the port an event belongs to
    std::atomic<bool> FWritten{false};     // a write since the watcher last looked
    long FLast_Breaks = -1, FLast_Overruns = -1, FLast_Frames = -1, FLast_Parities = -1;
};

class TComm : public TCustomComm {};
