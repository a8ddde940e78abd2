#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <functional>

// The shortest of a few runs of the work, in seconds: the machine is shared, and the best
// run is the one that others disturbed least.
inline double BestSeconds(int runs, const std::function<void()>& work)
{
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (run == 0 || seconds < best)
            best = seconds;
    }
    return best;
}

// What a piece of work took: time on the clock, and processor time of the whole process (all
// its threads) and of the calling thread alone, which a shared machine disturbs far less.
struct TTimes {
    double Wall = 0;
    double Process = 0;
    double Thread = 0;
};

inline double ProcessorSeconds(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline TTimes TimesOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    const double process = ProcessorSeconds(RUSAGE_SELF);
    const double thread = ProcessorSeconds(RUSAGE_THREAD);
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            ProcessorSeconds(RUSAGE_SELF) - process, ProcessorSeconds(RUSAGE_THREAD) - thread};
}

// Keeps the best of each kind of time over the runs of one piece of work. Works that are
// compared run by turns, so that a change in the machine's load meets them alike.
struct TBestTimes : TTimes {
    bool Any = false;

    void Add(const TTimes& times)
    {
        Wall = Any ? std::min(Wall, times.Wall) : times.Wall;
        Process = Any ? std::min(Process, times.Process) : times.Process;
        Thread = Any ? std::min(Thread, times.Thread) : times.Thread;
        Any = true;
    }
};
