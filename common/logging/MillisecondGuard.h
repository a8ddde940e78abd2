#pragma once

#include <cstdint>

// Tells, for a fraction of the cost of reading the system clock, that the time is still
// within the millisecond of this thread's last reading: from the processor's time-stamp
// counter, where the system keeps its clock by that very counter. Until the counter's rate
// is known (a few milliseconds after the first reading), and on systems that keep their
// clock otherwise, it never tells, and every caller reads the clock.
class TMillisecondGuard {
public:
    // True while the time certainly lies in the millisecond of the last reading.
    bool WithinLastMillisecond() const;

    // Takes the counter just before the system clock is read...
    void BeforeReading();
    // ...and the reading, in nanoseconds since the epoch.
    void Read(std::int64_t nanoseconds);

private:
    std::uint64_t ReadingTicks = 0;
    // The counter's value by which the millisecond of the last reading has certainly not ended.
    std::uint64_t Deadline = 0;
    // The first reading, from which the counter's rate is worked out once enough time passed.
    std::uint64_t FirstTicks = 0;
    std::int64_t FirstNanoseconds = 0;
    double TicksPerNanosecond = 0;
};
