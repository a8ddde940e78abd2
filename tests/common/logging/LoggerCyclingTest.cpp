#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/NormalUser.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

const std::string CycledLine = "log file was cycled due to reaching maximum limit.";
const std::string CycleErrorLine = "ERROR - error cycling file.";

}  // namespace

TEST(LoggerCycling, FileOfMaxSizeIsArchivedBeforeTheNextRecordOneByteLessIsNot)
{
    const std::string folder = TestFolder();
    TFixedClock clock(LocalTime(2024, 1, 5, 13, 45, 12, 345));
    TLogger& logger = TLogger::GetLogger(folder + "XmlPersistance.log", 100);

    WriteFile(folder + "xmlpersistance.log", std::string(99, 'x'));
    logger.Log("below", llFullDebug);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"xmlpersistance.log"});

    logger.Flush();
    const std::string full(100, 'y');
    WriteFile(folder + "xmlpersistance.log", full);
    logger.Log("at the limit", llFullDebug);
    EXPECT_EQ(FilesIn(folder),
              (std::vector<std::string>{"xmlpersistance Archived 2024-01-05 13-45-12.log", "xmlpersistance.log"}));
    EXPECT_EQ(ReadFile(folder + "xmlpersistance Archived 2024-01-05 13-45-12.log"), full);
    EXPECT_EQ(LogLines(folder + "xmlpersistance.log"),
              (std::vector<std::string>{CycledLine, "FullDebug [01/05/24 13:45:12:345] : at the limit"}));
}

TEST(LoggerCycling, ArchivesWithinOneSecondGetCountersAndNoArchiveIsEverReplaced)
{
    const std::string folder = TestFolder();
    TFixedClock clock(LocalTime(2024, 1, 5, 13, 45, 12));
    TLogger& logger = TLogger::GetLogger(folder + "busy.log", 60);
    const std::string record = std::string(50, 'r');

    logger.Log(record, llInfo);  // 87 bytes: every later record archives
    logger.Log(record, llInfo);
    logger.Log(record, llInfo);  // same second: the name is taken, so the counter goes on
    logger.Log(record, llInfo);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"busy Archived 2024-01-05 13-45-12 (2).log",
                                                         "busy Archived 2024-01-05 13-45-12 (3).log",
                                                         "busy Archived 2024-01-05 13-45-12.log", "busy.log"}));
    EXPECT_EQ(LogLines(folder + "busy Archived 2024-01-05 13-45-12.log").size(), 1u);
    for (const char* name :
         {"busy Archived 2024-01-05 13-45-12 (2).log", "busy Archived 2024-01-05 13-45-12 (3).log", "busy.log"}) {
        const auto lines = LogLines(folder + name);
        ASSERT_EQ(lines.size(), 2u) << name;
        EXPECT_EQ(lines[0], CycledLine) << name;
        EXPECT_TRUE(lines[1].ends_with(record)) << name;
    }

    // An archive of that second from an earlier run keeps its content.
    WriteFile(folder + "busy Archived 2024-01-05 13-45-13.log", "earlier run\r\n");
    clock.Set(LocalTime(2024, 1, 5, 13, 45, 13));
    logger.Log("later", llInfo);
    EXPECT_EQ(ReadFile(folder + "busy Archived 2024-01-05 13-45-13.log"), "earlier run\r\n");
    EXPECT_EQ(LogLines(folder + "busy Archived 2024-01-05 13-45-13 (2).log").size(), 2u);
    EXPECT_EQ(LogLines(folder + "busy.log"),
              (std::vector<std::string>{CycledLine, "Info [01/05/24 13:45:13:000] : later"}));
}

TEST(LoggerCycling, ArchiveAtMidnightIsNamedWithTheDateAlone)
{
    const std::string folder = TestFolder();
    TFixedClock clock(LocalTime(2024, 1, 5, 0, 0, 0, 250));
    TLogger& logger = TLogger::GetLogger(folder + "night", 10);
    WriteFile(folder + "night", std::string(10, 'n'));
    logger.Log("midnight", llInfo);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"night", "night Archived 2024-01-05.log"}));
    EXPECT_EQ(LogLines(folder + "night"), (std::vector<std::string>{CycledLine, "Info [01/05/24] : midnight"}));
}

TEST(LoggerCycling, PathThatCannotBeLookedAtGivesAFailureRecordWithoutCycleLines)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "loop/x.log", 1048576);
    // A path that loops back on itself cannot be looked at (ELOOP), unlike a missing one.
    std::filesystem::remove_all(folder + "loop");
    std::filesystem::create_directory_symlink(folder + "loop", folder + "loop");
    logger.Log("lost", llInfo);
    const auto lines = LogLines(CriticalLogFile());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2], CycleErrorLine);
    EXPECT_NE(lines.back().find("while logging message: <lost> in file: [" + folder + "loop/x.log]"), std::string::npos)
        << lines.back();
}

// A folder that may not be written makes every archive fail. Records that the client
// logged before the writing found that out try again as well, each preceded by the error
// line, exactly as when every record looked at the file itself; once the folder may be
// written again, the next record archives. Permissions bind only a normal user.
TEST(LoggerCycling, AfterAFailedArchiveEveryRecordTriesAgainUntilOneSucceeds)
{
    const std::string folder = TestFolder();
    ::chmod(folder.c_str(), 0777);
    const std::string locked = folder + "locked/";
    const int result = RunAsNormalUser([&] {
        ::setenv("temp", folder.c_str(), 1);
        std::filesystem::create_directory(locked);
        TFixedClock clock(LocalTime(2024, 1, 5, 13, 45, 12));
        TLogger& logger = TLogger::GetLogger(locked + "retry.log", 100);
        logger.Log(std::string(57, 'a'), llInfo);  // 90 bytes
        logger.Log("b", llInfo);                   // 124: the next record archives
        logger.Flush();
        ::chmod(locked.c_str(), 0555);
        logger.Log("c", llInfo);  // taken to archive, so the next two are logged without looking
        logger.Log("d", llInfo);
        logger.Log("e", llInfo);
        logger.Flush();
        ::chmod(locked.c_str(), 0755);
        logger.Log("f", llInfo);
        logger.Flush();
        return 0;
    });
    ASSERT_EQ(result, 0);
    const std::string stamp = "Info [01/05/24 13:45:12:000] : ";
    EXPECT_EQ(LogLines(locked + "retry Archived 2024-01-05 13-45-12.log"),
              (std::vector<std::string>{stamp + std::string(57, 'a'), stamp + "b", CycleErrorLine, stamp + "c",
                                        CycleErrorLine, stamp + "d", CycleErrorLine, stamp + "e"}));
    EXPECT_EQ(LogLines(locked + "retry.log"), (std::vector<std::string>{CycledLine, stamp + "f"}));
}
