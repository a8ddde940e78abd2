#include "common/logging/LogTime.h"
#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"

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
// its own and none of the records is held up by a taken name. The day starts just after
// midnight, so that the readings of a run, however often the logger reads the clock, stay
// within it: a stamp of the next day would sort its archive out of place.
std::chrono::system_clock::time_point TickingClock()
{
    return LocalTime(2024, 1, 5, 0, 0, 1) + std::chrono::seconds(Ticks++);
}

}  // namespace

// The limits: many archives of a few blocks' worth; archives of several full blocks, which
// go to the file from the background; no archive at all.
class LoggerThreads : public ::testing::TestWithParam<std::int32_t> {};

INSTANTIATE_TEST_SUITE_P(Limits, LoggerThreads, ::testing::Values(64 * 1024, 1024 * 1024, 0x7FFFFFFF));

// Each thread's records are found once each and in the order it logged them, the archives
// taken in the order they were made and the live file last.
TEST_P(LoggerThreads, FourWritersLoseNoRecordMixNoLineAndKeepTheirOrder)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "threads.log", GetParam());
    Ticks = 0;
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

    std::vector<int> next(ThreadCount, 0);
    const auto files = FilesIn(folder);
    if (GetParam() == 64 * 1024) {
        EXPECT_GT(files.size(), 10u) << "the limit was reached many times";
    }
    // "threads Archived ..." sorts before "threads.log", and the stamps by time.
    for (const auto& name : files) {
        for (const auto& line : LogLines(folder + name)) {
            if (line == "log file was cycled due to reaching maximum limit." || line == "ERROR - error cycling file.")
                continue;
            TRecordLine record;
            int thread = -1;
            int index = -1;
            ASSERT_TRUE(ParseRecordLine(line, record) && record.Level == "FullDebug" &&
                        std::sscanf(record.Message.c_str(), "t%d r%d", &thread, &index) == 2 && thread >= 0 &&
                        thread < ThreadCount &&
                        record.Message == "t" + std::to_string(thread) + " r" + std::to_string(index))
                << name << ": " << line;
            ASSERT_EQ(index, next[thread]) << name << ": " << line;
            ++next[thread];
        }
    }
    EXPECT_EQ(next, std::vector<int>(ThreadCount, RecordsPerThread));
}
