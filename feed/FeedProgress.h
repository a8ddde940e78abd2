#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

// How far a run has come: entries handled (regular categories first, then symbolic ones) of
// all entries, the time since the run started, and an estimate of the time left once enough
// entries are done for the rate to mean something.
struct TFeedProgress {
    static constexpr std::size_t EntriesBeforeEstimate = 5;

    std::size_t Done = 0;
    std::size_t Total = 0;
    std::chrono::milliseconds Elapsed{0};

    std::optional<std::chrono::milliseconds> Remaining() const;
    // Entries per second so far; 0 before the first millisecond has passed.
    double Rate() const;
};

// "12 of 40 entries, 0:00:12 elapsed", and once there is an estimate ", about 0:00:28 left".
std::string ProgressText(const TFeedProgress& progress);

// "h:mm:ss", hours without a limit.
std::string FormatDuration(std::chrono::milliseconds duration);
