// tessaroo-feed run as a process against the stand-in site.

#include "FeedToolProcess.h"
#include "tests/support/ExampleTree.h"
#include "tests/support/RelayProxy.h"
#include "tests/support/SiteDatabase.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

namespace {

const std::string Password = "Zebra-7-Quokka";

std::string CommandLineOf(pid_t pid)
{
    std::string arguments = ReadFile("/proc/" + std::to_string(pid) + "/cmdline");
    for (char& c : arguments)
        if (c == '\0')
            c = ' ';
    return arguments;
}

class FeedTool : public ::testing::Test {
protected:
    FeedTool()
    {
        WriteFile("tree.xml", ExampleTreeXml);
        WriteFile("password", Password + "\r\nsecond line\n");
    }

    void StartSite(std::vector<std::string> arguments = {}, TSitePages pages = TSitePages::RealSite)
    {
        arguments.insert(arguments.end(), {"--db", Scratch.PathOf("site.db"), "--password", Password});
        Site = std::make_unique<TSiteProcess>(arguments, pages);
    }

    TFeedToolResult Feed(std::vector<std::string> arguments, const std::function<bool(pid_t)>& watch = {})
    {
        return Feed(Site->Domain(), std::move(arguments), watch);
    }

    TFeedToolResult Feed(const std::string& domain, std::vector<std::string> arguments,
                         const std::function<bool(pid_t)>& watch = {})
    {
        arguments.insert(arguments.begin(), {"--domain", domain, "--user", "admin", "--password-file", "password"});
        return RunFeedToolProcess(arguments, Environment, watch);
    }

    std::vector<std::string> SiteRows() const { return SiteCategories(Scratch.PathOf("site.db")); }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    std::map<std::string, std::optional<std::string>> Environment{{"XDG_STATE_HOME", Scratch.PathOf("state")},
                                                                  {"TESSAROO_PASSWORD", std::nullopt}};
    std::unique_ptr<TSiteProcess> Site;
};

}  // namespace

TEST_F(FeedTool, FeedsTheTreeWithTheWindowsMessagesAndExitsZero)
{
    StartSite({}, TSitePages::Legacy);
    const TFeedToolResult result = Feed({});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out.rfind("Feed summary: 2 created, 0 already there, 1 symbolic posted, 0 skipped, 0 failed; ", 0),
              0u)
        << result.Out;
    EXPECT_NE(result.Err.find("Processing symbolic category 1 of 1: 3 of 3 entries"), std::string::npos) << result.Err;
    EXPECT_TRUE(result.Err.ends_with("Feed finished\n")) << result.Err;
    EXPECT_EQ(SiteRows(), (std::vector<std::string>{"1 Arts under 0", "2 Music under 1", "3 Sounds@ under 1 for 2"}));

    const TFeedToolResult again = Feed({});
    EXPECT_EQ(again.ExitCode, 0);
    EXPECT_EQ(again.Out.substr(0, again.Out.find("Feed summary")),
              "Arts seems to already exist. skipping.\nMusic seems to already exist. skipping.\n"
              "symbolic category Sounds is in the journal. skipping.\n");
    EXPECT_EQ(SiteRows().size(), 3u);
}

TEST_F(FeedTool, AnEntryTheSiteRefusesEndsTheRunWithOneAfterTheRestAndTheSummaryNamesIt)
{
    StartSite();
    const TFeedToolResult result = Feed({});
    EXPECT_EQ(result.ExitCode, 1) << result.Err;
    EXPECT_EQ(result.Out.rfind("symbolic category Sounds failed: "
                               "Symbolic category cannot have the same parent as the reference category.\n"
                               "Feed summary: 2 created, 0 already there, 0 symbolic posted, 0 skipped, 1 failed; ",
                               0),
              0u)
        << result.Out;
    EXPECT_NE(result.Out.find("\n  failed symbolic category Sounds: Symbolic category cannot have the same parent as "
                              "the reference category.\n"),
              std::string::npos)
        << result.Out;
    EXPECT_TRUE(result.Err.ends_with("Feed finished\n")) << result.Err;
    EXPECT_EQ(SiteRows(), (std::vector<std::string>{"1 Arts under 0", "2 Music under 1"}));
}

TEST_F(FeedTool, ExitCodesTellHowARunEnded)
{
    StartSite();
    std::string lost = ExampleTreeXml;
    const std::string target = "<Url>Top/Arts/Music</Url></TSymbolicCategory>";
    lost.replace(lost.find(target), target.size(), "<Url>Top/Nowhere</Url></TSymbolicCategory>");
    WriteFile("lost.xml", lost);
    const TFeedToolResult skipped = Feed({"--tree", "lost.xml"});
    EXPECT_EQ(skipped.ExitCode, 1) << skipped.Err;
    EXPECT_NE(skipped.Out.find("  skipped symbolic category Sounds: no category has the Url \"Top/Nowhere\""),
              std::string::npos)
        << skipped.Out;

    WriteFile("password", "wrong\n");
    const TFeedToolResult refused = Feed({});
    EXPECT_EQ(refused.ExitCode, 3);
    EXPECT_NE(refused.Err.find("Could not log in.\n"), std::string::npos) << refused.Err;
    WriteFile("password", Password);

    EXPECT_EQ(Feed("127.0.0.1:1", {}).ExitCode, 4) << "nothing listens on port 1";
    Site = nullptr;
    StartSite({"--fail", "/admin/dir_categs_edit.php=500"});
    const TFeedToolResult httpError = Feed({});
    EXPECT_EQ(httpError.ExitCode, 4);
    EXPECT_NE(httpError.Err.find("Feed failed: HTTP/1.1 500"), std::string::npos) << httpError.Err;

    WriteFile("damaged.xml", "<DUMMY_NODE><TXMLTreeNode>");
    for (const char* tree : {"missing.xml", "damaged.xml"}) {
        const TFeedToolResult unreadable = Feed({"--tree", tree});
        EXPECT_EQ(unreadable.ExitCode, 5) << tree;
        EXPECT_NE(unreadable.Err.find(std::string("cannot read the tree \"") + tree + "\""), std::string::npos)
            << unreadable.Err;
    }
}

TEST_F(FeedTool, UsageErrorsExitTwoAndHelpAndVersionZero)
{
    const std::vector<std::vector<std::string>> misuses = {
        {"--user", "admin"},
        {"--domain", "localhost", "--user", "admin", "--password", Password},
        {"--domain", "http://localhost", "--user", "admin"},
        {"--domain", "localhost", "--user", "admin", "--timeout", "-1"},
        {"--domain", "localhost", "--user", "admin"},  // no password, and no terminal to ask on
    };
    for (const auto& arguments : misuses) {
        const TFeedToolResult result = RunFeedToolProcess(arguments, Environment);
        EXPECT_EQ(result.ExitCode, 2) << arguments.back() << ": " << result.Err;
        EXPECT_FALSE(result.Err.empty());
    }
    const TFeedToolResult help = RunFeedToolProcess({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("--password-file"), std::string::npos);
    const TFeedToolResult version = RunFeedToolProcess({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, "tessaroo-feed 1.0.0.1\n");
}

TEST_F(FeedTool, PasswordFromTheEnvironmentWhenNoFileIsNamed)
{
    StartSite({}, TSitePages::Legacy);
    Environment["TESSAROO_PASSWORD"] = Password;
    const TFeedToolResult result =
        RunFeedToolProcess({"--domain", Site->Domain(), "--user", "admin", "--no-journal"}, Environment);
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(Scratch.Path() / "state")) << "--no-journal writes no journal";
}

TEST_F(FeedTool, DryRunReportsEveryEntryAndPostsNothing)
{
    StartSite();
    const TFeedToolResult result = Feed({"--dry-run"});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out.substr(0, result.Out.find("Dry run, nothing posted: 2 would be created")),
              "Arts: would be created\nArts/Music: would be created\nsymbolic category Sounds: would be posted\n");
    EXPECT_TRUE(SiteRows().empty());
}

TEST_F(FeedTool, CtrlCStopsTheRunLogsOutAndExits130WithThePasswordNeverAnArgument)
{
    StartSite();
    TRelayProxy relay(Site->Port());
    relay.HoldAnswersTo("POST /admin/dir_categs_edit.php?action=N HTTP");
    std::string commandLine;
    const TFeedToolResult result = Feed(relay.Domain(), {}, [&](pid_t pid) {
        if (!relay.Holding())
            return false;
        commandLine = CommandLineOf(pid);
        kill(pid, SIGINT);
        return true;
    });

    EXPECT_EQ(result.ExitCode, 130) << result.Err;
    EXPECT_TRUE(result.Err.ends_with("Feed stopped\n")) << result.Err;
    EXPECT_EQ(relay.RequestLines().back(), "GET /admin/logout.php HTTP/1.1");
    EXPECT_NE(commandLine.find("--password-file password"), std::string::npos) << commandLine;
    EXPECT_EQ(commandLine.find(Password), std::string::npos) << commandLine;
}
