// A fixed sequence of records, with a clock that the test moves, against the files that the
// logger wrote for it when every record went to disk on its own. How and when the logger
// writes may change; the bytes of the files, archives included, may not.
#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// The same numbers on every machine, so the run is the same everywhere.
class TSequence {
public:
    std::uint32_t Next(std::uint32_t below)
    {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) % below;
    }

private:
    std::uint32_t State = 12345;
};

std::string Message(TSequence& numbers, std::size_t length)
{
    static const std::string pieces[] = {"word ", "Arts/Music", "\r\n", "\n", "caf\xC3\xA9 ", "<&>", "  ", "x"};
    std::string text;
    while (text.size() < length)
        text += pieces[numbers.Next(std::size(pieces))];
    return text;
}

// Every file of the folder, in name order, each under a line with its name.
std::string FolderDump(const std::string& folder)
{
    std::string dump;
    for (const auto& name : FilesIn(folder))
        dump += "== " + name + " ==\n" + ReadFile(folder + name);
    return dump;
}

void RunRecordedSequence(const std::string& folder)
{
    TSequence numbers;
    auto now = LocalTime(2024, 3, 9, 23, 59, 58, 0);
    TFixedClock clock(now);
    TLogger& first = TLogger::GetLogger(folder + "Recorded.Run.log", 2000);
    TLogger& second = TLogger::GetLogger(folder + "second", 600);
    for (int record = 0; record < 600; ++record) {
        now += std::chrono::milliseconds(numbers.Next(400));
        // One record at midnight itself, whose stamp is the date alone.
        if (record == 7)
            now = LocalTime(2024, 3, 10, 0, 0, 0, 321);
        clock.Set(now);
        GlobalLogLevel = record % 97 < 11 ? llWarn : llAll;
        const std::size_t length = record == 300 ? 5000 : numbers.Next(180);
        const auto level = static_cast<TLogLevel>(numbers.Next(8));
        TLogger& logger = numbers.Next(3) == 0 ? second : first;
        logger.Log(Message(numbers, length), level);
    }
    GlobalLogLevel = llAll;
}

}  // namespace

TEST(LoggerRecordedRun, FilesAndArchivesHoldTheSameBytesAsWhenEveryRecordWentToDiskAtOnce)
{
    const std::string folder = TestFolder();
    RunRecordedSequence(folder);
    const std::string expected = ReadFile(TESSAROO_LOGGING_TEST_DATA "/recorded-run.txt");
    ASSERT_FALSE(expected.empty());
    const std::string actual = FolderDump(folder);
    EXPECT_EQ(actual.size(), expected.size());
    EXPECT_TRUE(actual == expected) << "the files differ from the recorded run";
}
