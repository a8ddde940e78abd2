#include "common/logging/LogFlusher.h"

#include <unistd.h>

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
    if (!Thread.joinable())
        return;
    if (Owner == ::getpid())
        Thread.join();
    else
        Thread.detach();
}

void TLogFlusher::Wake()
{
    std::lock_guard lock(Mutex);
    Woken = true;
    if (Owner != ::getpid()) {
        ForgetThread();
        Thread = std::thread([this] { Run(); });
        Owner = ::getpid();
    }
    Changed.notify_one();
}

void TLogFlusher::ForgetThread()
{
    if (Thread.joinable())
        Thread.detach();
    Owner = 0;
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
