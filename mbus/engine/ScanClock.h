#pragma once
// The time the scan engine runs on: the 32-bit millisecond tick its time-outs are measured
// in and the pauses it takes between steps. The program uses the system's; a test hands
// the engine a clock of its own so a whole scan runs in a fraction of its real time.
#include <cstdint>

class TScanClock {
public:
    virtual ~TScanClock() = default;
    // Milliseconds; wraps to zero after about 49.7 days like the system's tick counter.
    virtual uint32_t Tick() = 0;
    virtual void Sleep(uint32_t Ms) = 0;
};

// The system's tick counter and real sleeping; one for the whole process.
TScanClock& System_Scan_Clock();
