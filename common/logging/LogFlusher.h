#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A background thread that writes buffered log records out soon after they were buffered.
// It sleeps until woken, waits FlushDelay so that more records can join, then runs one
// flush pass. The thread starts with the first wake.
class TLogFlusher {
public:
    // Well within the 100 ms that a record may wait in a buffer, also when a pass is slow.
    static constexpr std::chrono::milliseconds FlushDelay{50};

    explicit TLogFlusher(std::function<void()> flushPass);
    // Stops the thread after its current pass; the owner writes what is left.
    ~TLogFlusher();
    TLogFlusher(const TLogFlusher&) = delete;
    TLogFlusher& operator=(const TLogFlusher&) = delete;

    // A buffer has records: a pass follows within FlushDelay.
    void Wake();

    // Held during every pass; holding it keeps the thread out of the buffers.
    std::mutex& PassLock() { return PassMutex; }
    // Held while the thread decides what to do next.
    std::mutex& StateLock() { return Mutex; }

private:
    void Run();

    std::function<void()> FlushPass;
    std::mutex PassMutex;
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Woken = false;
    bool Stopping = false;
    std::thread Thread;
};
