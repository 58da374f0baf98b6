#include "platform/rtl/Threads.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>

namespace {

// The end of a Synchronize call, handed from the interface thread to the waiting
// caller. The interface thread gives up the exception under the lock, so the caller
// alone holds it afterwards and frees it on its own thread.
struct SyncDone {
    std::mutex m;
    std::condition_variable cv;
    bool ready = false;
    std::exception_ptr error;
};

struct QueuedCall {
    std::function<void()> fn;
    const void* owner = nullptr;
    // Set for Synchronize: the caller waits on it and takes over any exception.
    std::shared_ptr<SyncDone> done;
};

std::mutex gQueueMutex;
std::deque<QueuedCall> gQueue;
std::function<void()> gWakeup;
std::function<void(std::exception_ptr)> gQueuedExceptionHandler;
std::thread::id gMainThread;
bool gMainThreadSet = false;

void Wake()
{
    std::function<void()> w;
    {
        std::lock_guard<std::mutex> lock(gQueueMutex);
        w = gWakeup;
    }
    if (w) w();
}

void Enqueue(QueuedCall call)
{
    {
        std::lock_guard<std::mutex> lock(gQueueMutex);
        if (!gMainThreadSet) {
            // Nobody declared the interface thread: calls would never run.
            throw EThread("Synchronize called before the interface thread was set");
        }
        gQueue.push_back(std::move(call));
    }
    Wake();
}

} // namespace

void InitMainThread()
{
    std::lock_guard<std::mutex> lock(gQueueMutex);
    gMainThread = std::this_thread::get_id();
    gMainThreadSet = true;
}

bool IsMainThread()
{
    std::lock_guard<std::mutex> lock(gQueueMutex);
    return gMainThreadSet && gMainThread == std::this_thread::get_id();
}

void SetSynchronizeWakeup(std::function<void()> wakeup)
{
    std::lock_guard<std::mutex> lock(gQueueMutex);
    gWakeup = std::move(wakeup);
}

void SetQueuedExceptionHandler(std::function<void(std::exception_ptr)> handler)
{
    std::lock_guard<std::mutex> lock(gQueueMutex);
    gQueuedExceptionHandler = std::move(handler);
}

bool CheckSynchronize()
{
    if (!IsMainThread()) return false;
    bool any = false;
    while (true) {
        QueuedCall call;
        {
            std::lock_guard<std::mutex> lock(gQueueMutex);
            if (gQueue.empty()) break;
            call = std::move(gQueue.front());
            gQueue.pop_front();
        }
        any = true;
        if (call.done) {
            std::exception_ptr error;
            try {
                call.fn();
            } catch (...) {
                error = std::current_exception();
            }
            {
                std::lock_guard<std::mutex> lock(call.done->m);
                call.done->error = std::move(error);
                call.done->ready = true;
            }
            call.done->cv.notify_all();
        } else {
            // A queued call has no caller to report to; its failure goes to the handler
            // and must not stop the calls queued after it.
            try {
                call.fn();
            } catch (...) {
                std::function<void(std::exception_ptr)> handler;
                {
                    std::lock_guard<std::mutex> lock(gQueueMutex);
                    handler = gQueuedExceptionHandler;
                }
                if (handler) handler(std::current_exception());
            }
        }
    }
    return any;
}

void Synchronize(const std::function<void()>& fn)
{
    if (IsMainThread()) {
        fn();
        return;
    }
    auto done = std::make_shared<SyncDone>();
    Enqueue(QueuedCall{fn, nullptr, done});
    std::exception_ptr error;
    {
        std::unique_lock<std::mutex> lock(done->m);
        done->cv.wait(lock, [&] { return done->ready; });
        error = std::move(done->error);
    }
    if (error) std::rethrow_exception(error);   // what fn threw
}

void Queue(std::function<void()> fn)
{
    if (IsMainThread()) {
        fn();
        return;
    }
    Enqueue(QueuedCall{std::move(fn), nullptr, nullptr});
}

void RemoveQueuedEvents(const void* owner)
{
    if (!owner) return;
    std::lock_guard<std::mutex> lock(gQueueMutex);
    for (auto it = gQueue.begin(); it != gQueue.end();) {
        if (it->owner == owner && !it->done) it = gQueue.erase(it);
        else ++it;
    }
}

TThread::TThread(bool createSuspended)
{
    if (!createSuspended) Start();
}

TThread::~TThread()
{
    // A derived class must stop its thread in its own destructor when Execute uses
    // members of the derived class; this is the last safety net.
    Terminate();
    if (FThread.joinable()) {
        if (FThread.get_id() == std::this_thread::get_id()) FThread.detach();
        else FThread.join();
    }
    RemoveQueuedEvents(this);
}

void TThread::Start()
{
    if (FStarted) throw EThread("Cannot call Start on a running or terminated thread");
    FStarted = true;
    FThread = std::thread([this] {
        try {
            Execute();
        } catch (...) {
            // An escaping exception ends the thread, not the program.
        }
        FFinished.store(true);
        Wake();   // a WaitFor on the interface thread re-checks
    });
}

void TThread::Terminate() { FTerminated.store(true); }

void TThread::WaitFor()
{
    if (!FStarted) return;
    if (FThread.get_id() == std::this_thread::get_id()) throw EThread("Thread cannot wait for itself");
    if (IsMainThread()) {
        // The worker may be inside Synchronize: keep running its calls until it ends.
        while (!FFinished.load()) {
            if (!CheckSynchronize()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // What it queued just before it ended runs too, however the ending and the
        // first check above happened to meet.
        CheckSynchronize();
    }
    if (FThread.joinable()) FThread.join();
}

void TThread::Queue(std::function<void()> fn)
{
    if (IsMainThread()) {
        fn();
        return;
    }
    Enqueue(QueuedCall{std::move(fn), this, nullptr});
}

void TEvent::SetEvent()
{
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FSignaled = true;
    }
    if (FManualReset) FCond.notify_all();
    else FCond.notify_one();
}

void TEvent::ResetEvent()
{
    std::lock_guard<std::mutex> lock(FMutex);
    FSignaled = false;
}

TWaitResult TEvent::WaitFor(uint32_t timeoutMs)
{
    std::unique_lock<std::mutex> lock(FMutex);
    auto ready = [this] { return FSignaled; };
    if (timeoutMs == INFINITE) {
        FCond.wait(lock, ready);
    } else if (!FCond.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return wrTimeout;
    }
    if (!FManualReset) FSignaled = false;
    return wrSignaled;
}

uint64_t GetTickCount64()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t GetTickCount() { return static_cast<uint32_t>(GetTickCount64()); }

void Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
