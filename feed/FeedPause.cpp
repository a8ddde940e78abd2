#include "feed/FeedPause.h"

#include "common/core/StopRequest.h"
#include "feed/FeedView.h"

#include <algorithm>
#include <thread>

namespace {

constexpr std::chrono::milliseconds PauseSlice{50};

}  // namespace

void SleepFor(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

void PauseInSlices(std::chrono::milliseconds duration, TFeedView& view, const TStopRequest* stop)
{
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (auto now = std::chrono::steady_clock::now(); now < deadline; now = std::chrono::steady_clock::now()) {
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(PauseSlice, deadline - now));
        view.ProcessMessages();
        if (stop)
            stop->ThrowIfRequested();
    }
}
