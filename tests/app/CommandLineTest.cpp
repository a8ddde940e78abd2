#include "app/CommandLine.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <fcntl.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

extern char** environ;

namespace {

struct TProgramRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// The window's program, run as over ssh: no display to connect to.
TProgramRun RunWithoutDisplay(const std::vector<std::string>& arguments)
{
    const TTempFolder folder;
    std::vector<std::string> environment{"QT_QPA_PLATFORM=xcb"};
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM")
            environment.push_back(text);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, folder.PathOf("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, folder.PathOf("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    EXPECT_EQ(SpawnProgram(pid, TESSAROO_EXECUTABLE, arguments, actions, environment), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadFile(folder.PathOf("out")),
            ReadFile(folder.PathOf("err"))};
}

TCommandLine Parse(const QStringList& arguments)
{
    return ParseCommandLine(QStringList{"tessaroo"} + arguments);
}

TEST(CommandLine, NamesTheTreeFileOrTakesTreeXml)
{
    EXPECT_EQ(Parse({}).TreeFileName, "tree.xml");
    EXPECT_FALSE(Parse({}).FileNamed);
    EXPECT_FALSE(Parse({}).ExitCode);
    EXPECT_EQ(Parse({"trees/my tree.xml"}).TreeFileName, "trees/my tree.xml");
    EXPECT_TRUE(Parse({"tree.xml"}).FileNamed) << "named, even when it is the default's name";
    EXPECT_FALSE(Parse({"trees/my tree.xml"}).ExitCode);
}

TEST(CommandLine, PrintsHelpAndVersionInsteadOfAWindow)
{
    const TCommandLine version = Parse({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Output.toStdString(), std::string("tessaroo ") + TESSAROO_VERSION + "\n");
    const TCommandLine help = Parse({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(help.Output.contains("[FILE]")) << help.Output.toStdString();
    EXPECT_TRUE(help.Error.isEmpty());
}

// help2man reads the usage line and the option lines; the version line names the program.
TEST(CommandLine, TheProgramAnswersWithoutADisplay)
{
    const TProgramRun help = RunWithoutDisplay({"--help"});
    EXPECT_EQ(help.ExitCode, 0) << help.Err;
    EXPECT_EQ(help.Out.rfind("Usage: tessaroo [OPTION]... [FILE]\n", 0), 0u) << help.Out;
    EXPECT_NE(help.Out.find("\n  -h, --help     display this help and exit\n"), std::string::npos);
    EXPECT_NE(help.Out.find("\n  -v, --version  output version information and exit\n"), std::string::npos);
    EXPECT_EQ(help.Err, "");
    const TProgramRun version = RunWithoutDisplay({"--version"});
    EXPECT_EQ(version.ExitCode, 0) << version.Err;
    EXPECT_EQ(version.Out, std::string("tessaroo ") + TESSAROO_VERSION + "\n");
    const TProgramRun wrong = RunWithoutDisplay({"--frobnicate"});
    EXPECT_EQ(wrong.ExitCode, 2);
    EXPECT_EQ(wrong.Err, "tessaroo: Unknown option 'frobnicate'.\n");
}

TEST(CommandLine, RefusesWhatItDoesNotKnowWithExitCodeTwo)
{
    for (const QStringList& arguments : {QStringList{"--frobnicate"}, QStringList{"one.xml", "two.xml"}}) {
        const TCommandLine line = Parse(arguments);
        EXPECT_EQ(line.ExitCode, 2);
        EXPECT_TRUE(line.Output.isEmpty());
        EXPECT_TRUE(line.Error.startsWith("tessaroo: ")) << line.Error.toStdString();
    }
}

}  // namespace
