#include "common/logging/LogTime.h"
#include "common/logging/Logger.h"
#include "tests/logging/LoggingTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int ThreadCount = 4;
constexpr int RecordsPerThread = 10000;

std::atomic<long long> Ticks{0};

// Every reading is a second later than the one before, so each archive gets a name of
// its own and none of the records is held up by a taken name.
std::chrono::system_clock::time_point TickingClock()
{
    return LocalTime(2024, 1, 5, 12, 0, 0) + std::chrono::seconds(Ticks++);
}

}  // namespace

TEST(LoggerThreads, FourWritersLoseNoRecordAndMixNoLine)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "threads.log", 64 * 1024);
    SetLogClock(TickingClock);
    std::vector<std::thread> writers;
    for (int t = 0; t < ThreadCount; ++t)
        writers.emplace_back([&logger, t] {
            for (int i = 0; i < RecordsPerThread; ++i)
                logger.Log("t" + std::to_string(t) + " r" + std::to_string(i), llFullDebug);
        });
    for (auto& writer : writers)
        writer.join();
    SetLogClock(nullptr);

    std::vector<std::vector<int>> seen(ThreadCount, std::vector<int>(RecordsPerThread, 0));
    const auto files = FilesIn(folder);
    EXPECT_GT(files.size(), 10u) << "the limit was reached many times";
    for (const auto& name : files) {
        for (const auto& line : LogLines(folder + name)) {
            if (line == "log file was cycled due to reaching maximum limit." || line == "ERROR - error cycling file.")
                continue;
            TRecordLine record;
            int thread = -1;
            int index = -1;
            ASSERT_TRUE(ParseRecordLine(line, record) && record.Level == "FullDebug" &&
                        std::sscanf(record.Message.c_str(), "t%d r%d", &thread, &index) == 2 && thread >= 0 &&
                        thread < ThreadCount && index >= 0 && index < RecordsPerThread &&
                        record.Message == "t" + std::to_string(thread) + " r" + std::to_string(index))
                << name << ": " << line;
            ++seen[thread][index];
        }
    }
    for (int t = 0; t < ThreadCount; ++t)
        for (int i = 0; i < RecordsPerThread; ++i)
            ASSERT_EQ(seen[t][i], 1) << "record t" << t << " r" << i;
}
