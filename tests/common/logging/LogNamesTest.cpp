#include "common/logging/LogPaths.h"
#include "common/logging/LogTime.h"
#include "common/logging/Logger.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string ExecutableFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

// Restores an environment variable when the test ends.
class TEnvironmentVariable {
public:
    explicit TEnvironmentVariable(const char* name) : Name(name)
    {
        if (const char* value = std::getenv(name))
            Saved = value, WasSet = true;
    }
    ~TEnvironmentVariable()
    {
        if (WasSet)
            ::setenv(Name, Saved.c_str(), 1);
        else
            ::unsetenv(Name);
    }

private:
    const char* Name;
    std::string Saved;
    bool WasSet = false;
};

}  // namespace

TEST(LogNames, EmptyNameGivesTheDefaultLoggerWritingTheCriticalFileWithTheStartUpRecord)
{
    TLogger& logger = TLogger::GetLogger("", 1048576);
    EXPECT_EQ(&logger, &TLogger::GetLogger("", 5));
    EXPECT_EQ(logger.FileName(), CriticalLogFile());
    EXPECT_EQ(logger.MaxSize(), 1048576);
    const std::string startUp = "] : This is not an error just an information message that the Logging system is up "
                                "and running (module: " +
                                std::filesystem::read_symlink("/proc/self/exe").string() + ").";
    const auto lines = LogLines(CriticalLogFile());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("Info [", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(startUp), std::string::npos) << lines[0];
}

TEST(LogNames, RequestsDifferingInAsciiCaseShareOneLoggerUnderTheLowerCasedPath)
{
    const std::string folder = TestFolder();
    TLogger& logger = TLogger::GetLogger(folder + "Trace.LOG", 1000);
    EXPECT_EQ(&logger, &TLogger::GetLogger(folder + "TRACE.log", 2000));
    EXPECT_EQ(logger.FileName(), folder + "trace.log");
    EXPECT_EQ(logger.MaxSize(), 1000) << "a later request does not change the maximum size";
    EXPECT_TRUE(std::filesystem::exists(folder + "trace.log")) << "set-up creates the empty file";
}

TEST(LogNames, BareNameAndItsFullPathUnderTheDefaultLogPathAreOneLogger)
{
    TLogger& bare = TLogger::GetLogger("XmlPersistance.log", 1048576);
    EXPECT_EQ(bare.FileName(), ExecutableFolder() + "logs/xmlpersistance.log");
    EXPECT_EQ(&bare, &TLogger::GetLogger(ExecutableFolder() + "logs/XmlPersistance.log", 1048576));
    EXPECT_TRUE(std::filesystem::is_regular_file(bare.FileName()));
}

// Only the file's own name is lower-cased; folders keep their case, as on a file system that
// tells case apart a lower-cased folder would be another one.
TEST(LogNames, ShortDirectoryPartGoesUnderTheDefaultLogPathLongerOneIsTakenAsGiven)
{
    const std::string folder = TestFolder();
    TLogger::GetLogger("", 0);
    TLogger::SetLogPath(folder + "Opt/Tessaroo/Bin/logs");
    TLogger& bare = TLogger::GetLogger("XmlPersistance.log", 100);
    EXPECT_EQ(bare.FileName(), folder + "Opt/Tessaroo/Bin/logs/xmlpersistance.log");
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "Opt/Tessaroo/Bin/logs/xmlpersistance.log"));
    EXPECT_FALSE(std::filesystem::exists(folder + "opt")) << "no lower-cased twin of the program's folder";
    EXPECT_EQ(TLogger::GetLogger("A/Two.log", 100).FileName(), folder + "Opt/Tessaroo/Bin/logs/A/two.log");
    EXPECT_EQ(&TLogger::GetLogger("a/TWO.log", 100), &TLogger::GetLogger("A/Two.log", 100))
        << "the registry key is lower-cased as a whole";

    TLogger* three = nullptr;
    {
        const TWorkingDirectory inFolder(folder);
        three = &TLogger::GetLogger("Ab/Three.log", 100);
        three->Log("relative", llInfo);
        three->Flush();
    }
    TLogger::SetLogPath(ExecutableFolder() + "logs/");
    EXPECT_EQ(three->FileName(), "Ab/three.log");
    EXPECT_EQ(LogLines(folder + "Ab/three.log").size(), 1u);
}

TEST(LogNames, TemporaryFolderComesFromTempThenTmpdirThenSlashTmp)
{
    TEnvironmentVariable temp("temp");
    TEnvironmentVariable tmpdir("TMPDIR");
    ::setenv("temp", "/var/x", 1);
    ::setenv("TMPDIR", "/y/", 1);
    EXPECT_EQ(TemporaryFolder(), "/var/x/");
    ::setenv("temp", "", 1);
    EXPECT_EQ(TemporaryFolder(), "/y/");
    ::unsetenv("temp");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TemporaryFolder(), "/tmp/");
    EXPECT_EQ(SetupFallbackFileName("/a.b/c/xmlpersistance.log"), "/tmp/Criticalxmlpersistance.log");
}

TEST(LogNames, ArchiveNameReplacesTheExtensionOfTheFileNamePartOnly)
{
    EXPECT_EQ(ArchiveFileName("/l/xmlpersistance.log", "2024-01-05 13-45-12"),
              "/l/xmlpersistance Archived 2024-01-05 13-45-12.log");
    EXPECT_EQ(ArchiveFileName("/l.d/trace", "2024-01-05"), "/l.d/trace Archived 2024-01-05.log");
    EXPECT_EQ(ArchiveFileName("/l/a.b.txt", "2024-01-05"), "/l/a.b Archived 2024-01-05.log");
}

TEST(LogNames, LevelTextIsTheMemberNameWithoutItsPrefix)
{
    const char* expected[] = {"None", "Error", "Warn", "Info", "Debug", "FullDebug", "Disabled", "All"};
    for (int level = llNone; level <= llAll; ++level)
        EXPECT_STREQ(LogLevelText(static_cast<TLogLevel>(level)), expected[level]);
    EXPECT_EQ(sizeof(TLogLevel), 1u);
}

TEST(LogTimeStamps, RecordStampUsesTheShortDateAndMillisecondsArchiveStampUsesHyphens)
{
    TFixedClock clock(LocalTime(2024, 1, 5, 13, 45, 2, 7));
    EXPECT_EQ(RecordTimeStamp(CurrentLocalTime()), "01/05/24 13:45:02:007");
    EXPECT_EQ(ArchiveTimeStamp(CurrentLocalTime()), "2024-01-05 13-45-02");
}

TEST(LogTimeStamps, AtMidnightBothStampsShowTheDateAloneWhateverTheMilliseconds)
{
    TFixedClock clock(LocalTime(2024, 2, 29, 0, 0, 0, 999));
    EXPECT_EQ(RecordTimeStamp(CurrentLocalTime()), "02/29/24");
    EXPECT_EQ(ArchiveTimeStamp(CurrentLocalTime()), "2024-02-29");
    clock.Set(LocalTime(2024, 2, 29, 0, 0, 1));
    EXPECT_EQ(RecordTimeStamp(CurrentLocalTime()), "02/29/24 00:00:01:000");
}
