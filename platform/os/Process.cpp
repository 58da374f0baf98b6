#include "platform/os/Process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Threads.h"

extern char** environ;

namespace {

uint32_t StatusToExitCode(int status)
{
    if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
    return ExitCodeUnknown;
}

// An abandoned child is waited for by a thread of its own, so it leaves no zombie
// whenever it ends, and no other child's status is taken from anyone who waits for it.
void ReapInBackground(int pid)
{
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace

TProcess::~TProcess() { Abandon(); }

bool TProcess::Start(const std::string& program, const std::vector<std::string>& args, bool hidden)
{
    Abandon();
    FLastError.clear();
    FHidden = hidden;
    FEnded = false;
    FExitCode = 0;
    if (program.empty()) {
        FLastError = "No program given";
        return false;
    }

    std::vector<char*> argv;
    argv.reserve(args.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Signals the parent blocks or ignores must not reach the child that way, and a group
    // of its own lets Terminate end the helper together with anything it started.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2, SIGALRM, SIGTTIN, SIGTTOU})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    pid_t pid = 0;
    int rc = ::posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        FLastError = Format("Cannot start \"%s\": %s.", {program, String(std::strerror(rc))});
        return false;
    }
    FPid = pid;
    return true;
}

void TProcess::Reap(int status)
{
    FEnded = true;
    FExitCode = StatusToExitCode(status);
}

uint32_t TProcess::ExitCode()
{
    if (FPid <= 0) return 0;
    if (FEnded) return FExitCode;
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(FPid, &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == FPid) {
        Reap(status);
    } else if (r < 0) {   // ECHILD: someone else collected it
        FEnded = true;
        FExitCode = ExitCodeUnknown;
    }
    return FEnded ? FExitCode : STILL_ACTIVE;
}

bool TProcess::WaitFor(uint32_t limitMs)
{
    if (FPid <= 0) return true;
    const uint64_t start = GetTickCount64();
    for (;;) {
        if (ExitCode() != STILL_ACTIVE) return true;
        if (GetTickCount64() - start >= limitMs) return false;
        Sleep(ProcessPollInterval);
    }
}

void TProcess::Terminate()
{
    if (FPid <= 0 || FEnded) return;
    ::kill(-FPid, SIGKILL);   // the group the child leads
    ::kill(FPid, SIGKILL);    // in case it left that group
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(FPid, &status, 0);
    } while (r < 0 && errno == EINTR);
    if (r == FPid) Reap(status);
    else {
        FEnded = true;
        FExitCode = ExitCodeUnknown;
    }
}

void TProcess::Abandon()
{
    if (FPid > 0 && !FEnded && ExitCode() == STILL_ACTIVE) ReapInBackground(FPid);
    FPid = 0;
    FEnded = false;
}

std::vector<std::string> SplitCommandLine(std::string_view params)
{
    std::vector<std::string> out;
    std::string cur;
    bool inArg = false, quoted = false;
    for (std::size_t i = 0; i < params.size(); ++i) {
        char c = params[i];
        if (c == '\\' && i + 1 < params.size() && params[i + 1] == '"') {
            cur += '"';
            inArg = true;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
            inArg = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArg) out.push_back(cur);
            cur.clear();
            inArg = false;
        } else {
            cur += c;
            inArg = true;
        }
    }
    if (inArg) out.push_back(cur);
    return out;
}
