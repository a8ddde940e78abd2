#pragma once

#include "common/core/StopRequest.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <vector>

// Items filled on one thread and used on another, in order. A fixed number of items goes
// round: the producer fills an empty one and passes it on, the consumer gives it back once
// used, so that the producer is never more than that many items ahead and nothing is
// allocated on the way. The producer ends with Finish or Fail; the consumer may give up at
// any time, which ends the producer's next wait for an empty item.
template <class TItem>
class THandOver {
public:
    explicit THandOver(std::size_t items) : Items(items)
    {
        for (TItem& item : Items)
            Empties.push_back(&item);
    }
    THandOver(const THandOver&) = delete;
    THandOver& operator=(const THandOver&) = delete;

    // Producer: an item to fill, or null once the consumer gave up.
    TItem* Empty()
    {
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [this] { return GivenUp || !Empties.empty(); });
        if (GivenUp)
            return nullptr;
        TItem* item = Empties.back();
        Empties.pop_back();
        return item;
    }

    void Pass(TItem* filled)
    {
        Notify([&] { Filled.push_back(filled); });
    }
    // No more items come.
    void Finish()
    {
        Notify([this] { Ended = true; });
    }
    // The producer failed; the consumer raises the failure once it has used the items passed before.
    void Fail(std::exception_ptr failure)
    {
        Notify([&] {
            Failure = std::move(failure);
            Ended = true;
        });
    }

    // Consumer: the next filled item; null once all came. Raises the producer's failure, and
    // EStopRequested once stop is requested, whether items are waiting or not.
    TItem* Next(const TStopRequest* stop)
    {
        std::unique_lock lock(Mutex);
        for (;;) {
            if (stop)
                stop->ThrowIfRequested();
            if (!Filled.empty()) {
                TItem* item = Filled.front();
                Filled.pop_front();
                return item;
            }
            if (Ended) {
                if (Failure)
                    std::rethrow_exception(Failure);
                return nullptr;
            }
            Changed.wait_for(lock, WaitSlice);
        }
    }

    void GiveBack(TItem* used)
    {
        Notify([&] { Empties.push_back(used); });
    }
    void GiveUp()
    {
        Notify([this] { GivenUp = true; });
    }

private:
    static constexpr std::chrono::milliseconds WaitSlice{50};

    std::vector<TItem> Items;
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<TItem*> Empties;
    std::deque<TItem*> Filled;
    std::exception_ptr Failure;
    bool Ended = false;
    bool GivenUp = false;

    template <class TChange>
    void Notify(TChange change)
    {
        {
            const std::lock_guard lock(Mutex);
            change();
        }
        Changed.notify_all();
    }
};
