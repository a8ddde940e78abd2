#include "common/logging/MillisecondGuard.h"

#include <fstream>
#include <string>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#define TESSAROO_HAS_TIME_STAMP_COUNTER 1
#endif

namespace {

// The rate is taken over at least this span, so that the delay between reading the counter
// and reading the clock does not count.
constexpr std::int64_t CalibrationNanoseconds = 20'000'000;

// Only this share of what is left of a millisecond is trusted, so that a rate that is off
// by a few per cent still never gives a stamp of a millisecond that has ended.
constexpr double TrustedShare = 0.8;

#ifdef TESSAROO_HAS_TIME_STAMP_COUNTER

// The counter goes at one rate on every processor when the system's own clock is kept by it.
bool ClockKeptByCounter()
{
    static const bool kept = [] {
        std::ifstream source("/sys/devices/system/clocksource/clocksource0/current_clocksource");
        std::string name;
        return static_cast<bool>(source >> name) && name == "tsc";
    }();
    return kept;
}

std::uint64_t Ticks()
{
    return __rdtsc();
}

#else

bool ClockKeptByCounter()
{
    return false;
}

std::uint64_t Ticks()
{
    return 0;
}

#endif

}  // namespace

bool TMillisecondGuard::WithinLastMillisecond() const
{
    if (Deadline == 0)
        return false;
    const std::uint64_t now = Ticks();
    return now >= ReadingTicks && now < Deadline;
}

void TMillisecondGuard::BeforeReading()
{
    ReadingTicks = ClockKeptByCounter() ? Ticks() : 0;
}

void TMillisecondGuard::Read(std::int64_t nanoseconds)
{
    Deadline = 0;
    if (ReadingTicks == 0)
        return;
    if (FirstTicks == 0) {
        FirstTicks = ReadingTicks;
        FirstNanoseconds = nanoseconds;
    } else if (TicksPerNanosecond == 0 && nanoseconds - FirstNanoseconds >= CalibrationNanoseconds) {
        TicksPerNanosecond = double(ReadingTicks - FirstTicks) / double(nanoseconds - FirstNanoseconds);
    }
    if (TicksPerNanosecond <= 0 || nanoseconds < 0)
        return;
    // The counter was read before the clock, so the time left is counted from a moment
    // that lies, if anything, later than the counter's value.
    const std::int64_t left = 1'000'000 - nanoseconds % 1'000'000;
    Deadline = ReadingTicks + static_cast<std::uint64_t>(double(left) * TicksPerNanosecond * TrustedShare);
}
