#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/rtl/Threads.h"

namespace {

class Worker : public TThread {
public:
    std::function<void(Worker&)> body;
    explicit Worker(std::function<void(Worker&)> b) : TThread(true), body(std::move(b)) {}
    ~Worker() override
    {
        Terminate();
        WaitFor();
    }
    void Sync(const std::function<void()>& fn) { Synchronize(fn); }
    void Post(std::function<void()> fn) { Queue(std::move(fn)); }

protected:
    void Execute() override { body(*this); }
};

struct MainThreadFixture : ::testing::Test {
    void SetUp() override { InitMainThread(); }
};

TEST_F(MainThreadFixture, SynchronizeRunsOnTheInterfaceThreadWhileItWaits)
{
    std::thread::id ranOn;
    std::vector<int> order;
    Worker w([&](Worker& self) {
        self.Post([&] { order.push_back(1); });
        self.Sync([&] {
            ranOn = std::this_thread::get_id();
            order.push_back(2);
        });
        order.push_back(3);   // after Synchronize returned
    });
    w.Start();
    w.WaitFor();   // on the interface thread: runs the queued calls meanwhile
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(MainThreadFixture, SynchronizeCarriesTheExceptionBackToTheWorker)
{
    bool caught = false;
    Worker w([&](Worker& self) {
        try {
            self.Sync([] { throw EConvertError("bad"); });
        } catch (const EConvertError& e) {
            caught = e.Message() == "bad";
        }
    });
    w.Start();
    w.WaitFor();
    EXPECT_TRUE(caught);
}

TEST_F(MainThreadFixture, TerminateStopsALoopingThreadAndItsQueuedCallRuns)
{
    std::atomic<int> loops{0};
    int ran = 0;
    {
        Worker w([&](Worker& self) {
            self.Post([&] { ++ran; });
            while (!self.Terminated()) {
                ++loops;
                Sleep(1);
            }
        });
        w.Start();
        while (loops.load() == 0) Sleep(1);
    }   // the destructor terminates and waits; the wait runs the queued call
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(CheckSynchronize());
}

TEST_F(MainThreadFixture, AFailingQueuedCallReachesTheHandlerAndTheNextOneStillRuns)
{
    std::vector<std::string> failures;
    SetQueuedExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const Exception& ex) {
            failures.push_back(ex.Message());
        }
    });
    int after = 0;
    Worker w([&](Worker& self) {
        self.Post([] { throw EConvertError("queued failure"); });
        self.Post([&] { ++after; });
    });
    w.Start();
    w.WaitFor();
    CheckSynchronize();
    SetQueuedExceptionHandler(nullptr);
    EXPECT_EQ(failures, (std::vector<std::string>{"queued failure"}));
    EXPECT_EQ(after, 1);
}

TEST(Event, AutoResetWakesOneWaitAndTimesOut)
{
    TEvent ev(false, false);
    EXPECT_EQ(ev.WaitFor(5), wrTimeout);
    ev.SetEvent();
    EXPECT_EQ(ev.WaitFor(0), wrSignaled);
    EXPECT_EQ(ev.WaitFor(0), wrTimeout);   // reset by the first wait
    TEvent manual(true, true);
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);
}

TEST(Tick, IsMonotonic)
{
    uint64_t a = GetTickCount64();
    Sleep(2);
    EXPECT_GE(GetTickCount64(), a + 2);
}

} // namespace
