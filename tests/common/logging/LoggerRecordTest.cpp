#include "common/core/Exception.h"
#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

class ESampleError : public Exception {
public:
    using Exception::Exception;
};

class LoggerRecord : public ::testing::Test {
protected:
    void TearDown() override { GlobalLogLevel = llAll; }
};

}  // namespace

TEST_F(LoggerRecord, EveryLevelIsWrittenInTheRecordLayout)
{
    const std::string file = TestFolder() + "records.log";
    TLogger& logger = TLogger::GetLogger(file, 1048576);
    for (int level = llNone; level <= llAll; ++level)
        logger.Log("message " + std::to_string(level), static_cast<TLogLevel>(level));
    const auto lines = LogLines(file);
    ASSERT_EQ(lines.size(), 8u);
    const char* levels[] = {"None", "Error", "Warn", "Info", "Debug", "FullDebug", "Disabled", "All"};
    for (size_t i = 0; i < lines.size(); ++i) {
        TRecordLine record;
        ASSERT_TRUE(ParseRecordLine(lines[i], record)) << lines[i];
        EXPECT_EQ(record.Level, levels[i]);
        EXPECT_EQ(record.Message, "message " + std::to_string(i));
    }
}

// Error records, and everything logged before them, are on disk when Log returns; other
// records follow from the background without any further call.
TEST_F(LoggerRecord, ErrorRecordsAreWrittenAtOnceOthersSoonAfter)
{
    const std::string file = TestFolder() + "timely.log";
    TLogger& logger = TLogger::GetLogger(file, 1048576);
    logger.Log("before", llDebug);
    logger.Log("failed", llError);
    const std::string written = ReadFile(file);
    EXPECT_NE(written.find("] : before\r\nError ["), std::string::npos) << written;
    EXPECT_TRUE(written.ends_with("] : failed\r\n")) << written;
    logger.Log("worse", llNone);
    EXPECT_TRUE(ReadFile(file).ends_with("] : worse\r\n"));

    logger.Log("later", llInfo);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ReadFile(file).ends_with("] : later\r\n") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(ReadFile(file).ends_with("] : later\r\n")) << "the background wrote the record";
}

TEST_F(LoggerRecord, MessageWithLineBreaksIsWrittenUnchanged)
{
    const std::string file = TestFolder() + "breaks.log";
    TFixedClock clock(LocalTime(2024, 1, 5, 0, 0, 0, 500));
    TLogger& logger = TLogger::GetLogger(file, 1048576);
    logger.Log("first\r\nsecond", llDebug);
    logger.Flush();
    EXPECT_EQ(ReadFile(file), "Debug [01/05/24] : first\r\nsecond\r\n");
}

TEST_F(LoggerRecord, ErrorRecordCarriesClassMessageAndAMultiLineStackTrace)
{
    const std::string file = TestFolder() + "errors.log";
    TLogger& logger = TLogger::GetLogger(file, 1048576);
    try {
        throw ESampleError("disk on fire");
    } catch (const std::exception& e) {
        logger.Log("while saving", llError, &e);
    }
    const auto lines = LogLines(file);
    ASSERT_GE(lines.size(), 4u) << "record line, \"Stack trace follows:\" and a trace of several calls";
    EXPECT_TRUE(lines[0].ends_with("] : while saving (anonymous namespace)::ESampleError disk on fire")) << lines[0];
    EXPECT_EQ(lines[1], "Stack trace follows:");
    EXPECT_NE(lines[2].find("  at "), std::string::npos);
}

TEST_F(LoggerRecord, BelowTheThresholdNothingTouchesAnyFile)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "sub/quiet.log", 10);
    WriteFile(folder + "sub/quiet.log", std::string(10, 'x'));
    GlobalLogLevel = llError;
    EXPECT_FALSE(IsLogged(llWarn));
    logger.Log("not written", llWarn);
    EXPECT_EQ(FilesIn(folder + "sub"), std::vector<std::string>{"quiet.log"}) << "no archive at the size limit";
    EXPECT_EQ(ReadFile(folder + "sub/quiet.log"), std::string(10, 'x'));

    const std::string critical = ReadFile(CriticalLogFile());
    std::filesystem::remove_all(folder + "sub");
    logger.Log("not written either", llWarn);
    EXPECT_FALSE(std::filesystem::exists(folder + "sub")) << "no file is created";
    EXPECT_EQ(ReadFile(CriticalLogFile()), critical) << "no failure record";
}

// Each change comes after the logger wrote what it had; the next write notices it.
TEST_F(LoggerRecord, AfterTheFileIsRenamedDeletedOrReplacedTheNextRecordGoesToTheFileAtThePath)
{
    const std::string folder = TestFolder();
    const std::string file = folder + "moved.log";
    TLogger& logger = TLogger::GetLogger(file, 1048576);
    logger.Log("one", llInfo);
    logger.Flush();
    std::filesystem::rename(file, folder + "elsewhere.log");
    logger.Log("two", llInfo);
    logger.Flush();
    std::filesystem::remove(file);
    logger.Log("three", llInfo);
    logger.Log("four", llInfo);
    const auto afterDeletion = LogLines(file);
    ASSERT_EQ(afterDeletion.size(), 2u);
    EXPECT_TRUE(afterDeletion[0].ends_with(" : three"));
    WriteFile(folder + "replacement.log", "replacement\r\n");
    std::filesystem::rename(folder + "replacement.log", file);
    logger.Log("five", llInfo);

    const auto moved = LogLines(folder + "elsewhere.log");
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_TRUE(moved[0].ends_with(" : one"));
    const auto current = LogLines(file);
    ASSERT_EQ(current.size(), 2u);
    EXPECT_EQ(current[0], "replacement");
    EXPECT_TRUE(current[1].ends_with(" : five"));
}

TEST_F(LoggerRecord, ARecordAppendsToWhatOthersWroteIntoTheFile)
{
    const std::string file = TestFolder() + "shared.log";
    TLogger& logger = TLogger::GetLogger(file, 1048576);
    logger.Log("mine", llInfo);
    logger.Flush();
    std::ofstream(file, std::ios::app | std::ios::binary) << "theirs\r\n";
    logger.Log("mine again", llInfo);
    const auto lines = LogLines(file);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "theirs");
    EXPECT_TRUE(lines[2].ends_with(" : mine again"));
}

// Records larger than a block, a copied one and one shared in pieces, keep their place among
// the others, and archives are made before them as before any record.
TEST_F(LoggerRecord, RecordsLargerThanABlockKeepTheirPlaceAndTheirCycling)
{
    const std::string folder = TestFolder();
    TFixedClock clock(LocalTime(2024, 1, 5, 13, 45, 12, 7));
    TLogger& logger = TLogger::GetLogger(folder + "large.log", 100);
    const std::string copied(3 * 256 * 1024, 'c');
    const auto pieces = std::make_shared<const std::vector<std::string>>(
        std::vector<std::string>{std::string(200 * 1024, 'p'), "\r\nmiddle\r\n", std::string(100 * 1024, 'q')});
    const std::string before(70, 'b');  // 103 bytes with its frame: the next record archives
    logger.Log(before, llInfo);
    logger.Log(copied, llDebug);
    logger.LogShared(pieces, llFullDebug);
    logger.Log("after", llInfo);
    logger.Flush();

    const std::string stamp = " [01/05/24 13:45:12:007] : ";
    EXPECT_TRUE(ReadFile(folder + "large Archived 2024-01-05 13-45-12.log") == "Info" + stamp + before + "\r\n");
    EXPECT_TRUE(ReadFile(folder + "large Archived 2024-01-05 13-45-12 (2).log") ==
                "log file was cycled due to reaching maximum limit.\r\nDebug" + stamp + copied + "\r\n");
    EXPECT_TRUE(ReadFile(folder + "large Archived 2024-01-05 13-45-12 (3).log") ==
                "log file was cycled due to reaching maximum limit.\r\nFullDebug" + stamp + (*pieces)[0] +
                    (*pieces)[1] + (*pieces)[2] + "\r\n");
    EXPECT_EQ(ReadFile(folder + "large.log"),
              "log file was cycled due to reaching maximum limit.\r\nInfo" + stamp + "after\r\n");
}
