#include "common/logging/LogFile.h"
#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/NormalUser.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <stdexcept>
#include <thread>

namespace {

std::string LastLine(const std::string& path)
{
    const auto lines = LogLines(path);
    return lines.empty() ? std::string() : lines.back();
}

// Logs from another thread; false when that thread could not finish, e.g. on a lock
// that was never released.
bool LogsFromAnotherThread(TLogger& logger, const std::string& message)
{
    auto done = std::make_shared<std::promise<void>>();
    auto finished = done->get_future();
    std::thread([&logger, message, done] {
        try {
            logger.Log(message, llInfo);
        } catch (...) {
        }
        done->set_value();
    }).detach();
    return finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
}

void ExpectSetupFailureRecords(const std::string& fallback, const std::string& requested,
                               const std::string& folderFailure)
{
    const auto lines = LogLines(fallback);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_TRUE(lines[0].starts_with("Error [")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with("] : " + folderFailure)) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("Error [")) << lines[1];
    EXPECT_NE(
        lines[1].find("] : Error initializing log file: " + requested + " (Cannot open file \"" + requested + "\". "),
        std::string::npos)
        << lines[1];
    EXPECT_NE(lines[1].find(") EInOutError Cannot open file"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], "Stack trace follows:");
    EXPECT_TRUE(lines.back().ends_with("] : after set-up"));
}

std::string SetupFallbackIn(const std::string& temporaryFolder, const std::string& requested)
{
    return temporaryFolder + "Critical" + std::filesystem::path(requested).filename().string();
}

void ExpectSetupFallback(TLogger& logger, const std::string& requested, const std::string& folderFailure)
{
    const std::string fallback = SetupFallbackIn(ProcessFolder(), requested);
    EXPECT_EQ(logger.FileName(), fallback);
    logger.Log("after set-up", llInfo);
    ExpectSetupFailureRecords(fallback, requested, folderFailure);
}

}  // namespace

TEST(LoggerFailure, FolderBlockedByAFileSendsTheLoggerToItsSetupFallbackFile)
{
    const std::string folder = TestFolder();
    WriteFile(folder + "blocked", "a file where the folder should be");
    const std::string requested = folder + "blocked/inner/blockedlog.log";
    TLogger& logger = TLogger::GetLogger(requested, 1048576);
    ExpectSetupFallback(logger, requested, "Cannot create log path: " + folder + "blocked/inner");

    TLogger& again = TLogger::GetLogger(requested, 1048576);
    EXPECT_NE(&again, &logger) << "registered under the fallback path, so the request finds no logger";
    EXPECT_EQ(again.FileName(), logger.FileName());
    const auto lines = LogLines(logger.FileName());
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& line) { return line.find("] : Error initializing") != std::string::npos; }),
        2)
        << "the second logger repeats the set-up failure records";
}

// Permissions bind only a normal user, so the logger is made in a child that is one; it
// gets a temporary folder that it may write.
TEST(LoggerFailure, ReadOnlyParentSendsTheLoggerToItsSetupFallbackFile)
{
    const std::string folder = TestFolder();
    std::filesystem::create_directory(folder + "readonly");
    ::chmod((folder + "readonly").c_str(), 0555);
    const std::string temp = folder + "temp/";
    std::filesystem::create_directory(temp);
    ::chmod(temp.c_str(), 0777);
    const std::string requested = folder + "readonly/new/rolog.log";
    const int result = RunAsNormalUser([&] {
        ::setenv("temp", temp.c_str(), 1);
        TLogger& logger = TLogger::GetLogger(requested, 1048576);
        logger.Log("after set-up", llInfo);
        logger.Flush();
        return logger.FileName() == SetupFallbackIn(temp, requested) ? 0 : 1;
    });
    ASSERT_EQ(result, 0) << "the logger did not write to its set-up fallback file";
    ExpectSetupFailureRecords(SetupFallbackIn(temp, requested), requested,
                              "Cannot create log path: " + folder + "readonly/new");
    EXPECT_FALSE(std::filesystem::exists(folder + "readonly/new"));
}

TEST(LoggerFailure, UnwritableRecordBecomesAFailureRecordInTheCriticalFile)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "gone/lost.log", 1048576);
    logger.Log("kept", llInfo);
    logger.Flush();
    std::filesystem::remove_all(folder + "gone");

    EXPECT_NO_THROW(logger.Log("lost", llWarn));
    const std::string file = folder + "gone/lost.log";
    EXPECT_TRUE(LastLine(CriticalLogFile())
                    .ends_with("] : critical error: <Cannot open file \"" + file +
                               "\". No such file or directory> while logging message: <lost> in file: [" + file +
                               "] with log level: Warn ()"))
        << LastLine(CriticalLogFile());

    const std::runtime_error error("the cause");
    EXPECT_NO_THROW(logger.Log("lost too", llError, &error));
    const auto lines = LogLines(CriticalLogFile());
    ASSERT_GE(lines.size(), 3u);
    auto record = std::find_if(lines.rbegin(), lines.rend(),
                               [](const std::string& line) { return line.find("<lost too>") != std::string::npos; });
    ASSERT_NE(record, lines.rend());
    EXPECT_TRUE(record->ends_with("with log level: Error ( std::runtime_error the cause)")) << *record;
    EXPECT_EQ(*(record - 1), "Stack trace follows:");
    EXPECT_FALSE(std::filesystem::exists(folder + "gone"));
}

TEST(LoggerFailure, UnwritableRecordSharedInPiecesIsReportedWithItsWholeMessage)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "gone/pieces.log", 1048576);
    std::filesystem::remove_all(folder + "gone");
    logger.LogShared(
        std::make_shared<const std::vector<std::string>>(std::vector<std::string>{"first piece, ", "second"}), llError);
    EXPECT_TRUE(LastLine(CriticalLogFile())
                    .ends_with("while logging message: <first piece, second> in file: [" + folder +
                               "gone/pieces.log] with log level: Error ()"))
        << LastLine(CriticalLogFile());
}

TEST(LoggerFailure, FailedWriteBecomesAFailureRecordNamingTheReason)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no device that refuses writes";
    TLogger& logger = TLogger::GetLogger("/dev/full", 1048576);
    EXPECT_NO_THROW(logger.Log("refused", llDebug));
    EXPECT_TRUE(LastLine(CriticalLogFile())
                    .ends_with("] : critical error: <Cannot write to file \"/dev/full\". No space left on device> "
                               "while logging message: <refused> in file: [/dev/full] with log level: Debug ()"))
        << LastLine(CriticalLogFile());
}

TEST(LoggerFailure, WhenTheFailureRecordFailsTooTheErrorReachesTheCallerWithBothLocksReleased)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "gone/twice.log", 1048576);
    std::filesystem::remove_all(folder + "gone");
    const std::string temp = std::getenv("temp");
    ::setenv("temp", (folder + "missing/").c_str(), 1);

    const std::string reason = "Cannot open file \"" + folder +
                               "missing/Brevin_Logger_Critical_logging_tests.log\". No such file or directory";
    try {
        logger.Log("nowhere", llError);
        ADD_FAILURE() << "Log did not throw";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), reason);
    }
    // A record below llError waits in the buffer; its error reaches whoever writes it out.
    logger.Log("nowhere either", llInfo);
    try {
        logger.Flush();
        ADD_FAILURE() << "Flush did not throw";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), reason);
    }
    ::setenv("temp", temp.c_str(), 1);

    ASSERT_TRUE(LogsFromAnotherThread(logger, "from another thread")) << "a lock was left held";
    EXPECT_NE(LastLine(CriticalLogFile()).find("<from another thread>"), std::string::npos)
        << "the failure record needed both locks";
}

// Nothing can be written below a file, so neither the critical log file nor its set-up
// fallback can be made. Each request then fails with that error; none finds a half-built
// registry. Runs in a fresh process, as the logging unit must not have started yet.
TEST(LoggerFailure, UnwritableTemporaryFolderFailsEveryRequestForTheDefaultLogger)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string blocker = TestFolder() + "file";
    WriteFile(blocker, "x");
    EXPECT_EXIT(
        {
            ::setenv("temp", (blocker + "/temp/").c_str(), 1);
            int failures = 0;
            for (int attempt = 0; attempt < 2; ++attempt) {
                try {
                    TLogger::GetLogger("", 1048576);
                } catch (const std::exception&) {
                    ++failures;
                }
            }
            std::exit(failures);
        },
        ::testing::ExitedWithCode(2), "");
}
