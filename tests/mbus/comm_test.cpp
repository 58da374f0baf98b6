// The serial-port component against pseudo-terminal pairs: the component opens the
// terminal side, the test plays the far end on the controlling side. Events arrive on this
// thread when it runs the queued calls, as the interface thread would.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "mbus/comm/CommInt.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "tests/common/TestFolder.h"

namespace {

int Open_Fds()
{
    int n = 0;
    if (DIR* d = ::opendir("/proc/self/fd")) {
        while (::readdir(d)) ++n;
        ::closedir(d);
    }
    return n;
}

class Comm : public ::testing::Test {
protected:
    int Master = -1;
    String Slave;
    TComm Port;

    void SetUp() override
    {
        InitMainThread();
        int slave_fd = -1;
        char name[256];
        ASSERT_EQ(::openpty(&Master, &slave_fd, name, nullptr, nullptr), 0);
        ::close(slave_fd);   // the component opens it by name
        Slave = name;
        Port.SetDeviceName(Slave);
        Port.SetReadTimeout(100);
        Port.SetWriteTimeout(100);
    }
    void TearDown() override
    {
        Port.Close();
        CheckSynchronize();
        if (Master >= 0) ::close(Master);
    }

    termios Line() const
    {
        termios t{};
        const int fd = ::open(Slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0) {   // busy (exclusive) while the component holds it: read through the master
            ::tcgetattr(fd, &t);
            ::close(fd);
        } else {
            ::tcgetattr(Master, &t);
        }
        return t;
    }

    void Far_End_Sends(const std::string& Bytes) const
    {
        ASSERT_EQ(::write(Master, Bytes.data(), Bytes.size()), ssize_t(Bytes.size()));
    }

    std::string Far_End_Receives(size_t Count) const
    {
        std::string got;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < Count && std::chrono::steady_clock::now() < until) {
            char buf[256];
            const ssize_t n = ::read(Master, buf, sizeof buf);
            if (n > 0) got.append(buf, size_t(n));
            else std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return got;
    }

    // Runs the queued events until Done holds or a second passes.
    static bool Pump_Until(const std::function<bool()>& Done)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < until) {
            CheckSynchronize();
            if (Done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    static void Expect_Comm_Error(const std::function<void()>& Call, const std::string& Message, int Code)
    {
        try {
            Call();
            ADD_FAILURE() << "no error, expected: " << Message;
        } catch (const ECommError& e) {
            EXPECT_EQ(e.Message(), Message);
            EXPECT_EQ(e.ErrorCode, Code);
        }
    }
};

TEST_F(Comm, ANewComponentIsClosedWithItsDefaults)
{
    TComm c;
    EXPECT_FALSE(c.Enabled());
    EXPECT_EQ(c.InQueCount(), -1);
    EXPECT_EQ(c.OutQueCount(), -1);
    EXPECT_FALSE(c.CTS());
    EXPECT_FALSE(c.RLSD());
    EXPECT_EQ(c.DeviceName(), "Com2");
    EXPECT_EQ(c.ReadTimeout(), 1000u);
    EXPECT_EQ(c.WriteTimeout(), 1000u);
    EXPECT_EQ(c.ReadBufSize(), 4096);
    EXPECT_EQ(c.WriteBufSize(), 2048);
    EXPECT_EQ(c.MonitorEvents(), All_Comm_Events);
    EXPECT_EQ(c.BaudRate(), br9600);
    EXPECT_EQ(c.Databits(), da8);
    EXPECT_EQ(c.FlowControl(), fcDefault);
    EXPECT_EQ(c.EventChars().XonChar(), 17);
    EXPECT_EQ(c.EventChars().XoffChar(), 19);
    c.PurgeIn();    // nothing while closed
    c.PurgeOut();
    c.SetBaudRate(br115200);   // stored, no device touched
    EXPECT_EQ(c.BaudRate(), br115200);
}

TEST_F(Comm, PortNamesMapThroughTheShellsPortMap)
{
    EXPECT_EQ(Comm_Device_Path("COM1"), COM_Port_Device(1));
    EXPECT_EQ(Comm_Device_Path("\\\\.\\com66"), COM_Port_Device(66));
    EXPECT_EQ(Comm_Device_Path("COM300"), "COM300");   // outside the map: taken as it stands
    EXPECT_EQ(Comm_Device_Path("COMx"), "COMx");
    EXPECT_EQ(Comm_Device_Path("/dev/pts/3"), "/dev/pts/3");
}

TEST_F(Comm, OpenAppliesTheLineAndEveryChangeWhileOpenIsAppliedAtOnce)
{
    Port.SetBaudRate(br115200);
    Port.Open();
    ASSERT_TRUE(Port.Enabled());
    termios t = Line();
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B115200));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);   // raw: bytes pass unchanged

    const struct {
        const char* what;
        std::function<void()> set;
        std::function<bool(const termios&)> holds;
    } cases[] = {
        {"baud 2400", [&] { Port.SetBaudRate(br2400); }, [](const termios& t) { return cfgetospeed(&t) == B2400; }},
        {"14400, a rate without a constant", [&] { Port.SetBaudRate(br14400); },
         [](const termios& t) { return (t.c_cflag & CBAUD) == 0010000; }},   // the rate is a number, not a constant
        {"back to 2400", [&] { Port.SetBaudRate(br2400); }, [](const termios& t) { return cfgetospeed(&t) == B2400; }},
        {"two stop bits", [&] { Port.SetStopbits(sb20); }, [](const termios& t) { return (t.c_cflag & CSTOPB) != 0; }},
        {"one stop bit", [&] { Port.SetStopbits(sb10); }, [](const termios& t) { return (t.c_cflag & CSTOPB) == 0; }},
        {"software flow", [&] { Port.SetFlowControl(fcSoftware); },
         [](const termios& t) { return (t.c_iflag & (IXON | IXOFF)) == (IXON | IXOFF); }},
        {"default keeps it", [&] { Port.SetFlowControl(fcDefault); },
         [](const termios& t) { return (t.c_iflag & (IXON | IXOFF)) == (IXON | IXOFF); }},
        {"no flow", [&] { Port.SetFlowControl(fcNone); },
         [](const termios& t) { return (t.c_iflag & (IXON | IXOFF)) == 0 && !(t.c_cflag & CRTSCTS); }},
        {"xon character", [&] { Port.EventChars().SetXonChar(0x21); }, [](const termios& t) { return t.c_cc[VSTART] == 0x21; }},
        {"parity check", [&] { Port.SetOptions(coParityCheck); }, [](const termios& t) { return (t.c_iflag & INPCK) != 0; }},
    };
    for (const auto& c : cases) {
        c.set();
        EXPECT_TRUE(c.holds(Line())) << c.what;
    }
    Port.Close();
    EXPECT_FALSE(Port.Enabled());
    EXPECT_EQ(Port.InQueCount(), -1);
}

// A pseudo-terminal keeps eight data bits without parity whatever it is asked, so the rest
// of the line is checked as the component hands it to the port.
TEST_F(Comm, PropertiesMakeTheLine)
{
    const struct {
        const char* what;
        std::function<void(TComm&)> set;
        std::function<bool(const TSerialLine&)> holds;
    } cases[] = {
        {"defaults", [](TComm&) {},
         [](const TSerialLine& l) {
             return l.BaudRate == 9600 && l.ByteSize == 8 && l.Parity == TSerialParity::None &&
                    l.StopBits == TSerialStopBits::One && l.Keep_Flow_Control && !l.ParityCheck;
         }},
        {"110", [](TComm& c) { c.SetBaudRate(br110); }, [](const TSerialLine& l) { return l.BaudRate == 110; }},
        {"14400", [](TComm& c) { c.SetBaudRate(br14400); }, [](const TSerialLine& l) { return l.BaudRate == 14400; }},
        {"3000000", [](TComm& c) { c.SetBaudRate(br3000000); }, [](const TSerialLine& l) { return l.BaudRate == 3000000; }},
        {"odd", [](TComm& c) { c.SetParity(paOdd); }, [](const TSerialLine& l) { return l.Parity == TSerialParity::Odd; }},
        {"even", [](TComm& c) { c.SetParity(paEven); }, [](const TSerialLine& l) { return l.Parity == TSerialParity::Even; }},
        {"mark", [](TComm& c) { c.SetParity(paMark); }, [](const TSerialLine& l) { return l.Parity == TSerialParity::Mark; }},
        {"space", [](TComm& c) { c.SetParity(paSpace); }, [](const TSerialLine& l) { return l.Parity == TSerialParity::Space; }},
        {"5 bits", [](TComm& c) { c.SetDatabits(da5); }, [](const TSerialLine& l) { return l.ByteSize == 5; }},
        {"1.5 stop", [](TComm& c) { c.SetStopbits(sb15); }, [](const TSerialLine& l) { return l.StopBits == TSerialStopBits::OneAndHalf; }},
        {"cts", [](TComm& c) { c.SetFlowControl(fcCTS); },
         [](const TSerialLine& l) { return l.RtsCtsFlow && !l.XonXoffIn && !l.Keep_Flow_Control; }},
        {"none", [](TComm& c) { c.SetFlowControl(fcNone); },
         [](const TSerialLine& l) { return !l.RtsCtsFlow && !l.XonXoffIn && !l.XonXoffOut && !l.Keep_Flow_Control; }},
        {"xoff char", [](TComm& c) { c.EventChars().SetXoffChar(0x05); }, [](const TSerialLine& l) { return l.XoffChar == 0x05; }},
    };
    for (const auto& c : cases) {
        TComm comm;
        c.set(comm);
        EXPECT_TRUE(c.holds(comm.Line_Settings())) << c.what;
    }
}

TEST_F(Comm, WriteReadAndReadTimeOut)
{
    Port.Open();
    EXPECT_EQ(Port.Write("hello", 5), 5);
    EXPECT_EQ(Far_End_Receives(5), "hello");

    Far_End_Sends("abc");
    char buf[16] = {};
    EXPECT_EQ(Port.Read(buf, sizeof buf), 3);
    EXPECT_EQ(std::string(buf, 3), "abc");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Port.Read(buf, sizeof buf), -1);   // nothing comes
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    // The timed-out read left nothing behind that would swallow the next bytes.
    Far_End_Sends("x");
    EXPECT_EQ(Port.Read(buf, 1), 1);
    EXPECT_EQ(buf[0], 'x');
    Far_End_Sends("12345");
    EXPECT_EQ(Port.Read(buf, 2), 2);   // at most the count; the rest stays queued
    EXPECT_TRUE(Pump_Until([&] { return Port.InQueCount() == 3; }));
    Port.PurgeIn();
    EXPECT_EQ(Port.InQueCount(), 0);
}

TEST_F(Comm, AWriteTheFarEndDoesNotTakeTimesOut)
{
    Port.Open();
    const std::vector<char> big(1 << 20, 'z');   // far more than the terminal buffers hold
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Port.Write(big.data(), int(big.size())), -1);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(100));
    EXPECT_LT(took, std::chrono::milliseconds(1500));
}

TEST_F(Comm, ErrorsWithTheirTextsAndCodes)
{
    const String folder = Test_Folder("comm");
    const String file = PathJoin(folder, "plain.txt");
    WriteFileAtomic(file, "x");
    TComm c;
    const int fds = Open_Fds();
    const struct {
        const char* what;
        std::function<void()> call;
        std::string message;
        int code;
    } cases[] = {
        {"no such port", [&] { c.SetDeviceName(PathJoin(folder, "ttyNONE")); c.Open(); },
         "Error accessing specified device (Error: 2) ", ENOENT},
        {"a file, not a port", [&] { c.SetDeviceName(file); c.Open(); }, "Invalid device handle, access denied (Error: -1) ", -1},
        {"DTR on a closed port", [&] { c.SetDTRState(true); }, "Port not open, unable to complete operation (Error: -1) ", -1},
        {"break on a closed port", [&] { c.SetBREAKState(true); }, "Port not open, unable to complete operation (Error: -1) ", -1},
        {"write on a closed port", [&] { c.Write("a", 1); }, "Port not open, unable to complete operation (Error: -1) ", -1},
        {"a line the port cannot take", [&] { c.SetDeviceName(Slave); c.SetDatabits(da4); c.Open(); },
         "Error updating DataControlBlock (Error: 22) ", EINVAL},
    };
    for (const auto& e : cases) {
        Expect_Comm_Error(e.call, e.message, e.code);
        EXPECT_FALSE(c.Enabled()) << e.what;   // a failed open leaves nothing open
        EXPECT_EQ(Open_Fds(), fds) << e.what;
    }
    // The port that failed to open is free for the next try.
    c.SetDatabits(da8);
    c.Open();
    EXPECT_TRUE(c.Enabled());
}

TEST_F(Comm, SettingsThatNeedAClosedPortAreRefusedWhileOpen)
{
    Port.Open();
    Expect_Comm_Error([&] { Port.Open(); }, "Port already assigned (open) (Error: -1) ", -1);
    Expect_Comm_Error([&] { Port.SetDeviceName("COM9"); }, "Port already assigned (open) (Error: -1) ", -1);
    Expect_Comm_Error([&] { Port.SetReadBufSize(10); }, "Port already assigned (open) (Error: -1) ", -1);
    Expect_Comm_Error([&] { Port.SetMonitorEvents(evRxChar); }, "Port already assigned (open) (Error: -1) ", -1);
    Port.SetDeviceName(Slave);   // the same value is fine
    Port.SetReadBufSize(4096);
    EXPECT_EQ(Port.DeviceName(), Slave);
    Port.Close();
    Port.SetMonitorEvents(evRxChar);
    EXPECT_EQ(Port.MonitorEvents(), unsigned(evRxChar));
}

TEST_F(Comm, EventsArriveOnThisThreadInOrder)
{
    std::vector<std::string> seen;
    int rx_count = 0;
    Port.OnRxChar = [&](TObject* Sender, int Count) {
        EXPECT_EQ(Sender, &Port);
        rx_count = Count;
        seen.push_back("rx");
    };
    Port.OnTxEmpty = [&](TObject*) { seen.push_back("tx"); };
    Port.Open();
    Far_End_Sends("four");
    ASSERT_TRUE(Pump_Until([&] { return rx_count > 0; }));
    EXPECT_EQ(rx_count, 4);
    EXPECT_EQ(Port.Write("ab", 2), 2);
    ASSERT_TRUE(Pump_Until([&] { return !seen.empty() && seen.back() == "tx"; }));
    EXPECT_EQ(Far_End_Receives(2), "ab");
}

TEST_F(Comm, NoReceiveEventForAnEmptyQueueAClosedPortOrAnUnwatchedEvent)
{
    int calls = 0;
    Port.OnRxChar = [&](TObject*, int) { ++calls; };
    Port.Open();
    // Queued with bytes waiting, dispatched after they were purged: no call.
    Far_End_Sends("x");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Port.PurgeIn();
    CheckSynchronize();
    EXPECT_EQ(calls, 0);
    // Queued, then the port closed before the interface thread ran it: no call.
    Far_End_Sends("y");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Port.Close();
    CheckSynchronize();
    EXPECT_EQ(calls, 0);
    // Not watched: no call.
    Port.SetMonitorEvents(evTxEmpty);
    Port.Open();
    Far_End_Sends("z");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    CheckSynchronize();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(Port.InQueCount(), 1);
}

TEST_F(Comm, AHandlerThatClosesThePortEndsTheDispatch)
{
    int tx = 0;
    Port.OnRxChar = [&](TObject*, int) { Port.Close(); };
    Port.OnTxEmpty = [&](TObject*) { ++tx; };
    Port.Open();
    EXPECT_EQ(Port.Write("a", 1), 1);
    Far_End_Sends("b");   // rx and tx may come in one dispatch: tx must not follow the close
    ASSERT_TRUE(Pump_Until([&] { return !Port.Enabled(); }));
    CheckSynchronize();
    EXPECT_LE(tx, 1);
    EXPECT_FALSE(Port.Enabled());
}

TEST_F(Comm, OpenAndCloseAgainAndAgain)
{
    int calls = 0;
    Port.OnRxChar = [&](TObject*, int) { ++calls; };
    for (int i = 0; i < 20; ++i) {
        Port.Open();
        Far_End_Sends("q");
        Port.Close();
    }
    CheckSynchronize();
    EXPECT_FALSE(Port.Enabled());
}

}   // namespace
