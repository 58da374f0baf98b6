#pragma once
// Starting an external program and waiting for its end.
//
// The program waits for a helper it started by polling: read the exit code, and while
// it is STILL_ACTIVE sleep ProcessPollInterval ms and read again, up to a limit. When
// the limit passes the child is abandoned, not killed: it goes on running on its own,
// and the layer reaps it in the background when it ends, so it never stays a zombie.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr uint32_t STILL_ACTIVE = 259;              // exit code read while the process runs
constexpr uint32_t ExitCodeUnknown = 0xFFFFFFFFu;   // it ended, but its status was taken elsewhere
constexpr uint32_t ProcessPollInterval = 10;        // ms between two looks at a waited-for process

class TProcess {
public:
    TProcess() = default;
    ~TProcess();   // a child still running is abandoned (see above)
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    // Starts 'program' (a path, or a bare name looked up in PATH) with the arguments, in
    // the caller's working folder, in a process group of its own. 'hidden' asks for no
    // window; a desktop without that notion only records it. A program that cannot be
    // started (missing, not executable) gives false with the reason in LastError();
    // nothing is thrown. A process this object still held is abandoned first.
    bool Start(const std::string& program, const std::vector<std::string>& args, bool hidden = false);

    bool Started() const { return FPid > 0; }
    int Pid() const { return FPid; }
    bool Hidden() const { return FHidden; }
    const std::string& LastError() const { return FLastError; }

    // STILL_ACTIVE while the child runs; afterwards its exit status (0..255), or
    // 128 + the signal number when a signal ended it. 0 when no process was started.
    uint32_t ExitCode();
    bool Running() { return Started() && ExitCode() == STILL_ACTIVE; }

    // Polls every ProcessPollInterval ms until the child has ended (true) or limitMs have
    // passed since the call (false; the child keeps running and is still held).
    bool WaitFor(uint32_t limitMs);

    // Kills the child's whole process group and reaps the child.
    void Terminate();
    // Gives up the child: it keeps running and is reaped in the background when it ends.
    void Abandon();

private:
    void Reap(int status);
    int FPid = 0;
    bool FEnded = false;
    bool FHidden = false;
    uint32_t FExitCode = 0;
    std::string FLastError;
};

// Splits a command-line text into arguments: blanks separate them, double quotes group
// blanks into one argument and are removed, \" stands for a quote inside an argument.
std::vector<std::string> SplitCommandLine(std::string_view params);
