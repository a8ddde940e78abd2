// Buffered records reach the file however the process goes on: at a normal end, on the way
// out of an uncaught exception, and only once when the process forks.
#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/NormalUser.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

constexpr int Records = 1000;

void LogRecords(TLogger& logger, const std::string& tag)
{
    for (int i = 0; i < Records; ++i)
        logger.Log(tag + " " + std::to_string(i), llFullDebug);
}

// The number of record lines of the file whose message starts with the tag.
int RecordsTagged(const std::string& file, const std::string& tag)
{
    int count = 0;
    for (const auto& line : LogLines(file)) {
        TRecordLine record;
        if (ParseRecordLine(line, record) && record.Message.starts_with(tag + " "))
            ++count;
    }
    return count;
}

// The child of a death test starts this program afresh and runs the test again up to the
// death: it takes the parent's file from the environment, so that it writes where the
// parent reads.
class LoggerFlush : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    void TearDown() override { ::unsetenv(SharedFileVariable); }

    static std::string FileSharedWithTheChild(const std::string& name)
    {
        if (const char* parents = std::getenv(SharedFileVariable))
            return parents;
        const std::string file = TestFolder() + name;
        ::setenv(SharedFileVariable, file.c_str(), 1);
        return file;
    }

private:
    static constexpr const char* SharedFileVariable = "TESSAROO_LOGGER_FLUSH_TEST_FILE";
};

}  // namespace

TEST_F(LoggerFlush, EveryRecordIsOnDiskAfterTheProcessEndsNormally)
{
    const std::string file = FileSharedWithTheChild("exit.log");
    EXPECT_EXIT(
        {
            LogRecords(TLogger::GetLogger(file, 0x7FFFFFFF), "exit");
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(RecordsTagged(file, "exit"), Records);
}

TEST_F(LoggerFlush, EveryRecordIsOnDiskAfterAnUncaughtException)
{
    const std::string file = FileSharedWithTheChild("uncaught.log");
    EXPECT_DEATH(
        {
            LogRecords(TLogger::GetLogger(file, 0x7FFFFFFF), "uncaught");
            std::thread([] { throw std::runtime_error("nobody catches this"); }).join();
        },
        "nobody catches this");
    EXPECT_EQ(RecordsTagged(file, "uncaught"), Records);
}

TEST_F(LoggerFlush, AChildMadeByForkDoesNotWriteItsParentsRecordsAgain)
{
    const std::string file = TestFolder() + "fork.log";
    TLogger& logger = TLogger::GetLogger(file, 0x7FFFFFFF);
    LogRecords(logger, "parent");
    const int result = RunAsNormalUser([] {
        TLogger::FlushAll();
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(RecordsTagged(file, "parent"), Records);
}
