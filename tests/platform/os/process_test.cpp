#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <unistd.h>

#include "platform/os/Files.h"
#include "platform/os/Process.h"

namespace {

// A waited-for program is looked at every 10 ms, no more often and no less.
static_assert(ProcessPollInterval == 10);

// True once the process is gone entirely: neither running nor left as a zombie.
bool GoneWithin(int pid, int ms)
{
    for (int waited = 0; waited < ms; waited += 5) {
        if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(Process, EndedChildIsWaitedForAndItsExitCodeRead)
{
    struct Case {
        std::string script;
        uint32_t exitCode;
    };
    const Case cases[] = {
        {"exit 0", 0},
        {"exit 3", 3},
        {"kill -TERM $$", 128 + SIGTERM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        TProcess p;
        ASSERT_TRUE(p.Start("/bin/sh", {"-c", c.script})) << p.LastError();
        EXPECT_TRUE(p.WaitFor(5000));
        EXPECT_EQ(p.ExitCode(), c.exitCode);
        EXPECT_FALSE(p.Running());
        EXPECT_TRUE(GoneWithin(p.Pid(), 1000));
    }
}

TEST(Process, ArgumentsArriveIntactAndHiddenIsRecorded)
{
    TProcess p;
    // Exit code 7 only when exactly the two arguments arrive as given.
    const std::string script = "[ $# -eq 2 ] && [ \"$1\" = 'b c' ] && [ \"$2\" = 'Ümlaut \"q\"' ] && exit 7; exit 1";
    ASSERT_TRUE(p.Start("sh", {"-c", script, "sh", "b c", "Ümlaut \"q\""}, true)) << p.LastError();
    EXPECT_TRUE(p.Hidden());
    EXPECT_TRUE(p.WaitFor(5000));
    EXPECT_EQ(p.ExitCode(), 7u);
}

TEST(Process, StuckChildIsAbandonedAtTheLimit)
{
    TProcess p;
    ASSERT_TRUE(p.Start("/bin/sleep", {"30"})) << p.LastError();
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(p.WaitFor(300));
    const auto waited = std::chrono::steady_clock::now() - t0;
    // The wait counts whole milliseconds of the tick, so it may end up to one tick early.
    EXPECT_GE(waited, std::chrono::milliseconds(299));
    EXPECT_LT(waited, std::chrono::milliseconds(5000));
    EXPECT_TRUE(p.Running());
    EXPECT_EQ(p.ExitCode(), STILL_ACTIVE);

    const int pid = p.Pid();
    p.Terminate();   // the test's own clean-up
    EXPECT_EQ(p.ExitCode(), 128u + SIGKILL);
    EXPECT_TRUE(GoneWithin(pid, 1000));
}

TEST(Process, AbandonedChildIsReapedWhenItEnds)
{
    int pid = 0;
    {
        TProcess p;
        ASSERT_TRUE(p.Start("/bin/sleep", {"0.1"})) << p.LastError();
        pid = p.Pid();
        EXPECT_FALSE(p.WaitFor(0));
    }   // left running on purpose
    EXPECT_TRUE(GoneWithin(pid, 3000)) << "abandoned child left as a zombie";
}

TEST(Process, ProgramThatCannotStartReportsFailure)
{
    char tmpl[] = "/tmp/conf_proc_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    const std::string dir = std::string(tmpl) + "/";
    WriteFileAtomic(dir + "Ethernet_Update.exe", "MZ not a program here");   // not executable

    struct Case {
        std::string program;
        const char* reason;
    };
    const Case cases[] = {
        {dir + "missing_program", "No such file"},
        {"conf_no_such_program_in_path", "No such file"},
        {dir + "Ethernet_Update.exe", "Permission denied"},
        {"", "No program"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        TProcess p;
        EXPECT_FALSE(p.Start(c.program, {}));
        EXPECT_FALSE(p.Started());
        EXPECT_NE(p.LastError().find(c.reason), std::string::npos) << p.LastError();
        EXPECT_TRUE(p.WaitFor(1000));   // nothing to wait for
        EXPECT_FALSE(p.Running());
    }
    DeleteFile(dir + "Ethernet_Update.exe");
    RemoveDir(dir);
}

TEST(Process, CommandLineSplitsAtBlanksOutsideQuotes)
{
    struct Case {
        const char* text;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"-a  -b\tc", {"-a", "-b", "c"}},
        {"\"/opt/My Files/job.xml\" -q", {"/opt/My Files/job.xml", "-q"}},
        {"name=\"a b\"", {"name=a b"}},
        {"\"\" x", {"", "x"}},
        {"say \\\"hi\\\"", {"say", "\"hi\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCommandLine(c.text), c.args);
    }
}

}  // namespace
