#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A background thread that writes log records out. Blocks handed over whole are written at
// once (WakeNow), so that formatting and writing run side by side; records still in a
// buffer are written FlushDelay after the wake that announced them (Wake), so that more can
// join them. A handed-over pass that leaves records to report asks for a flush pass, which
// reports them under the writers' locks. The thread starts with the first wake.
class TLogFlusher {
public:
    // Well within the 100 ms that a record may wait in a buffer, also when a pass is slow.
    static constexpr std::chrono::milliseconds FlushDelay{50};

    // handedOverPass returns true when a flush pass must follow.
    TLogFlusher(std::function<void()> flushPass, std::function<bool()> handedOverPass);
    // Stops the thread after its current pass; the owner writes what is left.
    ~TLogFlusher();
    TLogFlusher(const TLogFlusher&) = delete;
    TLogFlusher& operator=(const TLogFlusher&) = delete;

    // A buffer has records: a flush pass follows within FlushDelay.
    void Wake();
    // A block was handed over: a pass that writes it follows at once.
    void WakeNow();

    // Held during every pass; holding it keeps the thread out of the buffers.
    std::mutex& PassLock() { return PassMutex; }
    // Held while the thread decides what to do next.
    std::mutex& StateLock() { return Mutex; }

private:
    void StartOnce();
    void Run();
    void RunPass(std::unique_lock<std::mutex>& lock, const std::function<void()>& pass);
    void RunHandedOverPass(std::unique_lock<std::mutex>& lock);

    std::function<void()> FlushPass;
    std::function<bool()> HandedOverPass;
    std::mutex PassMutex;
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Woken = false;
    bool HandedOver = false;
    bool Stopping = false;
    std::thread Thread;
};
