// The tessaroo-tree executable: what it prints, its exit codes, and that it writes nothing
// when it fails or is stopped.

#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TToolRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

class TreeTool : public ::testing::Test {
protected:
    TTempFolder Folder;
    // Where the tool's standard output goes; only a file in the folder is read back.
    std::string StandardOutput = Folder.PathOf("stdout");

    std::string PathOf(const std::string& name) const { return Folder.PathOf(name); }

    std::string Input(const std::string& name, const std::string& bytes) const
    {
        WriteFile(PathOf(name), bytes);
        return PathOf(name);
    }

    pid_t Start(const std::vector<std::string>& arguments) const
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, StandardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, PathOf("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        EXPECT_EQ(SpawnProgram(pid, TESSAROO_TREE_EXECUTABLE, arguments, actions), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    TToolRun Finish(pid_t pid) const
    {
        int status = 0;
        waitpid(pid, &status, 0);
        TToolRun run;
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        if (StandardOutput == PathOf("stdout")) {
            run.Out = ReadFile(StandardOutput);
            std::filesystem::remove(StandardOutput);
        }
        run.Err = ReadFile(PathOf("stderr"));
        std::filesystem::remove(PathOf("stderr"));
        return run;
    }

    TToolRun Run(const std::vector<std::string>& arguments) const { return Finish(Start(arguments)); }

    std::vector<std::string> FilesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.Path()))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(TreeTool, ImportExportAndStatsOfOneTree)
{
    const std::string outline = "Arts\n  Music\n  @Sounds -> Top/Arts/Music\nShopping\n  Music\n";
    const TToolRun imported = Run({"import", "outline", Input("in.txt", outline), "-o", PathOf("tree.xml")});
    EXPECT_EQ(imported.ExitCode, 0) << imported.Err;
    EXPECT_EQ(imported.Out, "wrote " + PathOf("tree.xml") + " (categories: 4, symbolic categories: 1)\n");

    const TToolRun exported = Run({"export", PathOf("tree.xml")});
    EXPECT_EQ(exported.ExitCode, 0) << exported.Err;
    EXPECT_EQ(exported.Out, outline);
    EXPECT_EQ(Run({"export", PathOf("tree.xml"), "-o", PathOf("out.txt")}).ExitCode, 0);
    EXPECT_EQ(ReadFile(PathOf("out.txt")), outline);

    const TToolRun stats = Run({"stats", PathOf("tree.xml")});
    EXPECT_EQ(stats.ExitCode, 0) << stats.Err;
    EXPECT_NE(stats.Out.find("names under more than one parent: 1\n  \"Music\" under Top/Arts, Top/Shopping\n"),
              std::string::npos)
        << stats.Out;
}

TEST_F(TreeTool, RejectedInputExitsWithOneAndLeavesTheEarlierTreeAlone)
{
    WriteFile(PathOf("tree.xml"), "earlier tree");
    const TToolRun run = Run({"import", "outline", Input("in.txt", "Arts\n\t\tJazz\n"), "-o", PathOf("tree.xml")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, PathOf("in.txt") + ":2: depth jumps from 0 to 2\n");
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(ReadFile(PathOf("tree.xml")), "earlier tree");
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"in.txt", "tree.xml"}));

    EXPECT_EQ(Run({"import", "rdf", PathOf("missing.rdf"), "-o", PathOf("tree.xml")}).ExitCode, 1);
    EXPECT_EQ(ReadFile(PathOf("tree.xml")), "earlier tree");
}

TEST_F(TreeTool, UsageErrorsExitWithTwoHelpAndVersionWithZero)
{
    const std::string input = Input("in.txt", "Arts\n");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{},
          {"import"},
          {"import", "outline", input},
          {"convert", input},
          {"import", "paths", input, "-o", PathOf("t.xml"), "--separator", ""},
          {"--log-level", "Loud", "stats", input}}) {
        const TToolRun run = Run(arguments);
        EXPECT_EQ(run.ExitCode, 2) << run.Err;
        EXPECT_FALSE(run.Err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("t.xml")));

    const TToolRun version = Run({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, "tessaroo-tree 1.0.0.1\n");
    const TToolRun help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("Exit codes: 0 done;"), std::string::npos) << help.Out;
}

TEST_F(TreeTool, TreeFileThatCannotBeReadExitsWithFive)
{
    const TToolRun missing = Run({"stats", PathOf("missing.xml")});
    EXPECT_EQ(missing.ExitCode, 5);
    EXPECT_EQ(missing.Err.rfind(PathOf("missing.xml") + " cannot be read: ", 0), 0u) << missing.Err;
    EXPECT_EQ(
        Run({"export", Input("broken.xml", "<DUMMY_NODE><TCategory/></DUMMY_NODE>"), "-o", PathOf("o.txt")}).ExitCode,
        5);
    EXPECT_FALSE(std::filesystem::exists(PathOf("o.txt")));
}

TEST_F(TreeTool, OutputThatCannotBeWrittenExitsWithSix)
{
    const std::string input = Input("in.txt", "Arts\n");
    const TToolRun run = Run({"import", "paths", input, "-o", PathOf("no/such/folder/tree.xml")});
    EXPECT_EQ(run.ExitCode, 6);
    EXPECT_NE(run.Err.find("no/such/folder/tree.xml"), std::string::npos) << run.Err;

    ASSERT_EQ(Run({"import", "paths", input, "-o", PathOf("tree.xml")}).ExitCode, 0);
    StandardOutput = "/dev/full";
    const TToolRun full = Run({"export", PathOf("tree.xml")});
    EXPECT_EQ(full.ExitCode, 6);
    EXPECT_EQ(full.Err, "Cannot write to standard output.\n");
}

// The tool reads a pipe that has more to come; Ctrl+C must end the wait without a tree.
TEST_F(TreeTool, InterruptWhileReadingExitsWith130AndWritesNothing)
{
    const std::string pipe = PathOf("dump.rdf");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const pid_t tool = Start({"import", "rdf", pipe, "-o", PathOf("tree.xml")});
    // Opening blocks until the tool opens the pipe, which it does after its signal set-up.
    const int writer = ::open(pipe.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    const std::string part = "<RDF>\n<Topic r:id=\"Top/Arts\"><catid>1</catid></Topic>\n";
    ASSERT_EQ(::write(writer, part.data(), part.size()), static_cast<ssize_t>(part.size()));
    ::kill(tool, SIGINT);
    const TToolRun run = Finish(tool);
    ::close(writer);
    EXPECT_EQ(run.ExitCode, 130) << run.Err;
    EXPECT_EQ(run.Err, "Stopped on request.\n");
    EXPECT_FALSE(std::filesystem::exists(PathOf("tree.xml")));
}

}  // namespace
