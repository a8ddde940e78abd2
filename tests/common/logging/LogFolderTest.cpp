#include "common/logging/LogPaths.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/NormalUser.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A folder for a program's executable, with the given rights, in the test's own folder.
std::string ProgramFolder(mode_t mode)
{
    const std::string folder = TestFolder() + "bin/";
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), mode);
    return folder;
}

std::string MakeLogsFolder(const std::string& programFolder, mode_t mode)
{
    const std::string logs = programFolder + "logs/";
    std::filesystem::create_directory(logs);
    ::chmod(logs.c_str(), mode);
    return logs;
}

// LogFolderFor as the normal user, who is bound by the folders' rights even when the test
// runs as root.
std::string LogFolderOfNormalUser(const std::string& programFolder)
{
    const std::vector<std::string> answers{"/state/tessaroo/logs/", programFolder + "logs/"};
    const int result = RunAsNormalUser([&] {
        return static_cast<int>(std::find(answers.begin(), answers.end(), LogFolderFor(programFolder)) -
                                answers.begin());
    });
    return result >= 0 && result < static_cast<int>(answers.size()) ? answers[result] : "another folder";
}

}  // namespace

TEST(LogFolder, BesideTheProgramWhenItsFolderCanBeWrittenAndNothingIsMadeToFindOut)
{
    const TScopedEnvironment state("XDG_STATE_HOME", "/state");
    const std::string program = ProgramFolder(0777);
    EXPECT_EQ(LogFolderFor(program), program + "logs/");
    EXPECT_EQ(LogFolderOfNormalUser(program), program + "logs/");
    EXPECT_TRUE(std::filesystem::is_empty(program));
}

TEST(LogFolder, InTheStateFolderWhenTheProgramsFolderCannotBeWritten)
{
    const TScopedEnvironment state("XDG_STATE_HOME", "/state");
    const std::string program = ProgramFolder(0555);
    EXPECT_EQ(LogFolderOfNormalUser(program), "/state/tessaroo/logs/");

    const int result = RunAsNormalUser([&] {
        const TScopedEnvironment noState("XDG_STATE_HOME", std::nullopt);
        const TScopedEnvironment home("HOME", "/home/ada");
        if (LogFolderFor(program) != "/home/ada/.local/state/tessaroo/logs/")
            return 1;
        const TScopedEnvironment noHome("HOME", std::nullopt);
        return LogFolderFor(program) == program + "logs/" ? 0 : 2;
    });
    EXPECT_EQ(result, 0) << "1: not under HOME without XDG_STATE_HOME; 2: not beside the program without either, "
                            "where the logger's own set-up fallback takes over";
}

TEST(LogFolder, AnExistingLogsFolderDecidesByItsOwnRights)
{
    const TScopedEnvironment state("XDG_STATE_HOME", "/state");
    const std::string readOnlyProgram = ProgramFolder(0777);
    MakeLogsFolder(readOnlyProgram, 0777);
    ::chmod(readOnlyProgram.c_str(), 0555);
    EXPECT_EQ(LogFolderOfNormalUser(readOnlyProgram), readOnlyProgram + "logs/");

    ::chmod(readOnlyProgram.c_str(), 0777);
    ::chmod((readOnlyProgram + "logs").c_str(), 0555);
    EXPECT_EQ(LogFolderOfNormalUser(readOnlyProgram), "/state/tessaroo/logs/");
}

// Root may write anywhere; an installed program still leaves the folders of the package
// manager alone.
TEST(LogFolder, TheFolderProgramsAreInstalledIntoAlwaysSendsTheLogsToTheStateFolder)
{
    const TScopedEnvironment state("XDG_STATE_HOME", "/state");
    EXPECT_EQ(LogFolderFor(IncludeTrailingDelimiter(TESSAROO_INSTALLED_PROGRAM_FOLDER)), "/state/tessaroo/logs/");
}
