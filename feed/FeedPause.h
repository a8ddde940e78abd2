#pragma once

#include <chrono>
#include <functional>

class TFeedView;
class TStopRequest;

// Waits before a re-fetch of the form page; the run passes one of the two below, tests record
// the calls.
using TPause = std::function<void(std::chrono::milliseconds)>;

// Blocks the thread for the whole time.
void SleepFor(std::chrono::milliseconds duration);

// Waits in slices of at most 50 ms; after each slice the view processes its messages and a
// requested stop ends the wait with EStopRequested, so a window stays responsive and a Stop
// takes effect at once instead of after the pause.
void PauseInSlices(std::chrono::milliseconds duration, TFeedView& view, const TStopRequest* stop);
