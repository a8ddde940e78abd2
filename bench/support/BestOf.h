#pragma once

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
