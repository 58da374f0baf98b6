#pragma once
// Serial ports on termios: open a device exclusively, set its line, move bytes with a
// time-out, look at its queues and modem lines, and wait for something to happen on it.
//
// Every call reports failure by its result and leaves the system's error number in
// LastError(); the component above turns that into its own errors. A port is always in
// raw mode with non-blocking reads: a read takes what is queued and never waits in the
// kernel, so a time-out never leaves a read behind.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

enum class TSerialParity { None, Odd, Even, Mark, Space };
enum class TSerialStopBits { One, OneAndHalf, Two };

struct TSerialLine {
    uint32_t BaudRate = 9600;          // any rate; one the system has no constant for is set exactly where the driver allows
    TSerialParity Parity = TSerialParity::None;
    TSerialStopBits StopBits = TSerialStopBits::One;
    int ByteSize = 8;                  // 5..8
    bool Keep_Flow_Control = false;    // leave the port's handshake as it is (the three below unused)
    bool RtsCtsFlow = false;           // hardware handshake
    bool XonXoffOut = false;           // output stops on XOFF
    bool XonXoffIn = false;            // input sends XOFF when full
    char XonChar = 0x11;
    char XoffChar = 0x13;
    bool ParityCheck = false;          // check parity on input
};

// What the watcher compares from one look to the next. A value the device cannot give
// (a pseudo-terminal has no modem lines or error counters) stays -1.
struct TSerialState {
    int InQueue = -1;                  // bytes received, not read
    int OutQueue = -1;                 // bytes written, not sent
    int ModemLines = -1;               // TIOCM_* bits
    long Breaks = -1;                  // counters since the driver started
    long LineErrors = -1;              // framing, parity and overrun, together
    long Overruns = -1;                // overrun and buffer overrun
    long Frames = -1;
    long Parities = -1;
};

class TSerialDevice {
public:
    TSerialDevice();
    ~TSerialDevice();                  // closes
    TSerialDevice(const TSerialDevice&) = delete;
    TSerialDevice& operator=(const TSerialDevice&) = delete;

    // Opens the device for reading and writing, exclusively, without becoming its
    // controlling terminal. False when it cannot be opened. A file that opens but is no
    // terminal device is closed again: false, with LastError ENOTTY.
    bool Open(const std::string& Path);
    void Close();
    bool IsOpen() const { return FFd >= 0; }
    int LastError() const { return FError; }

    bool SetLine(const TSerialLine& Line);
    // Waits at most Timeout_Ms for the first byte, then takes what is queued, at most Count.
    // Bytes read; -1 when nothing came in time or on an error (LastError tells: 0 for a time-out).
    long Read(void* Buffer, size_t Count, uint32_t Timeout_Ms);
    // Writes all Count bytes within Timeout_Ms: Count, or -1 when they could not all be
    // handed over in time or on an error (LastError 0 for a time-out). Bytes handed over
    // before a time-out stay written.
    long Write(const void* Buffer, size_t Count, uint32_t Timeout_Ms);

    TSerialState State() const;
    bool Purge(bool Input, bool Output);     // drops what is queued
    bool SetModemLine(int Line, bool On);    // TIOCM_DTR or TIOCM_RTS
    bool SetBreak(bool On);
    bool SetOutputSuspended(bool Suspended); // as if XOFF (true) or XON (false) had come

    // Blocks until input arrives (only when Wait_Input), the wake object is signalled, or
    // Timeout_Ms pass. True when the wake object was signalled (it is then cleared).
    bool Wait(bool Wait_Input, int Wake_Fd, int Timeout_Ms) const;

private:
    int FFd = -1;
    std::atomic<int> FError{0};   // written by whichever thread used the port last
};

// A wake-up for a thread that waits on a port: Signal from any thread.
class TSerialWake {
public:
    TSerialWake();
    ~TSerialWake();
    TSerialWake(const TSerialWake&) = delete;
    TSerialWake& operator=(const TSerialWake&) = delete;
    void Signal();
    int Fd() const { return FFd; }
private:
    int FFd = -1;
};
