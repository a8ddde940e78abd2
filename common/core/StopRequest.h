#pragma once

#include "common/core/Exception.h"

#include <atomic>

// Raised where a long operation notices that it was asked to stop. Callers treat it like any
// other failure of the operation (a feed run still logs out), and tell it apart by its type.
class EStopRequested : public Exception {
public:
    EStopRequested() : Exception("Stopped on request.") {}
};

// One request to end a long operation at its next safe point. The window's Stop button, a
// closing window and Ctrl+C in the command-line feed all set it; the HTTP client checks it at
// every wait slice and the feed run between requests and during pauses. Request() only stores
// a lock-free flag, so a signal handler may call it.
class TStopRequest {
public:
    void Request() noexcept { Requested.store(true, std::memory_order_relaxed); }
    void Clear() noexcept { Requested.store(false, std::memory_order_relaxed); }
    bool IsRequested() const noexcept { return Requested.load(std::memory_order_relaxed); }

    void ThrowIfRequested() const
    {
        if (IsRequested())
            throw EStopRequested();
    }

private:
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> Requested{false};
};
