#pragma once
// Threads with the interface-thread hand-off the program's workers use: Synchronize
// runs a call on the interface thread and waits for it, Queue runs it there later.
// The interface thread runs pending calls in CheckSynchronize, which the toolkit's
// event loop calls whenever the wake-up hook fires.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <future>
#include <thread>

#include "platform/rtl/Exception.h"

// The thread that called InitMainThread (the first one to use the queue when none did).
void InitMainThread();
bool IsMainThread();
// Called from any thread when a call is queued; the event loop installs it.
void SetSynchronizeWakeup(std::function<void()> wakeup);
// Receives what a queued call (Queue) threw: nobody waits for such a call, so the
// application's error handler shows it. Without a handler the failure is dropped.
void SetQueuedExceptionHandler(std::function<void(std::exception_ptr)> handler);
// Runs every queued call; only on the interface thread. Returns true when any ran.
bool CheckSynchronize();
// Run fn on the interface thread: at once when already there, else queued and waited for.
// An exception thrown by fn is raised again in the calling thread.
void Synchronize(const std::function<void()>& fn);
// Run fn on the interface thread later, without waiting.
void Queue(std::function<void()> fn);
// Drop queued calls whose owner tag matches (a thread that is going away).
void RemoveQueuedEvents(const void* owner);

class TThread {
public:
    explicit TThread(bool createSuspended = true);
    virtual ~TThread();   // terminates and waits
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    void Terminate();
    bool Terminated() const { return FTerminated.load(); }
    bool Finished() const { return FFinished.load(); }
    bool Started() const { return FStarted; }
    // Waits for the end; on the interface thread queued calls keep running meanwhile.
    void WaitFor();

protected:
    virtual void Execute() = 0;
    void Synchronize(const std::function<void()>& fn) { ::Synchronize(fn); }
    void Queue(std::function<void()> fn);

private:
    std::thread FThread;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    bool FStarted = false;
};

class TCriticalSection {
public:
    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }
    std::recursive_mutex& Native() { return FMutex; }
private:
    std::recursive_mutex FMutex;
};

enum TWaitResult { wrSignaled, wrTimeout };

class TEvent {
public:
    explicit TEvent(bool manualReset = true, bool initialState = false)
        : FManualReset(manualReset), FSignaled(initialState) {}
    void SetEvent();
    void ResetEvent();
    TWaitResult WaitFor(uint32_t timeoutMs);   // 0xFFFFFFFF waits forever
private:
    std::mutex FMutex;
    std::condition_variable FCond;
    bool FManualReset;
    bool FSignaled;
};

constexpr uint32_t INFINITE = 0xFFFFFFFFu;

// Milliseconds since an arbitrary start, monotonic.
uint64_t GetTickCount64();
uint32_t GetTickCount();   // wraps after 49.7 days like the 32-bit tick
void Sleep(uint32_t ms);
