#include "common/logging/LogFlusher.h"

TLogFlusher::TLogFlusher(std::function<void()> flushPass) : FlushPass(std::move(flushPass))
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
    if (!Thread.joinable())
        Thread = std::thread([this] { Run(); });
    Changed.notify_one();
}

void TLogFlusher::Run()
{
    std::unique_lock lock(Mutex);
    for (;;) {
        Changed.wait(lock, [this] { return Woken || Stopping; });
        if (Stopping)
            return;
        Woken = false;
        Changed.wait_for(lock, FlushDelay, [this] { return Stopping; });
        lock.unlock();
        {
            std::lock_guard pass(PassMutex);
            FlushPass();
        }
        lock.lock();
    }
}
