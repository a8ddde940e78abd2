#include "common/logging/LogFlusher.h"

TLogFlusher::TLogFlusher(std::function<void()> flushPass, std::function<bool()> handedOverPass)
    : FlushPass(std::move(flushPass)), HandedOverPass(std::move(handedOverPass))
{
}

TLogFlusher::~TLogFlusher()
{
    {
        std::lock_guard lock(Mutex);
        Stopping = true;
        Changed.notify_all();
    }
    if (Thread.joinable())
        Thread.join();
}

void TLogFlusher::Wake()
{
    std::lock_guard lock(Mutex);
    Woken = true;
    StartOnce();
    Changed.notify_one();
}

void TLogFlusher::WakeNow()
{
    std::lock_guard lock(Mutex);
    HandedOver = true;
    StartOnce();
    Changed.notify_one();
}

void TLogFlusher::StartOnce()
{
    if (!Thread.joinable())
        Thread = std::thread([this] { Run(); });
}

// Handed-over blocks are written also while the delay of a flush pass runs.
void TLogFlusher::Run()
{
    std::unique_lock lock(Mutex);
    for (;;) {
        Changed.wait(lock, [this] { return Woken || HandedOver || Stopping; });
        if (Stopping)
            return;
        if (HandedOver) {
            RunHandedOverPass(lock);
            continue;
        }
        Woken = false;
        const auto due = std::chrono::steady_clock::now() + FlushDelay;
        while (Changed.wait_until(lock, due, [this] { return HandedOver || Stopping; })) {
            if (Stopping)
                return;
            RunHandedOverPass(lock);
        }
        RunPass(lock, FlushPass);
    }
}

void TLogFlusher::RunPass(std::unique_lock<std::mutex>& lock, const std::function<void()>& pass)
{
    HandedOver = false;
    lock.unlock();
    {
        std::lock_guard running(PassMutex);
        pass();
    }
    lock.lock();
}

void TLogFlusher::RunHandedOverPass(std::unique_lock<std::mutex>& lock)
{
    bool flushAfter = false;
    RunPass(lock, [&] { flushAfter = HandedOverPass(); });
    if (flushAfter)
        Woken = true;
}
