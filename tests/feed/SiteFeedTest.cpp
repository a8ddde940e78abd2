// Feed runs against the stand-in site, through the real HTTP client and cookie store.

#include "feed/FeedErrors.h"
#include "feed/FeedOutcome.h"
#include "http/NetExceptions.h"
#include "model/CategoryClasses.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/SiteDatabase.h"
#include "tests/support/SiteProcess.h"

#include "AdminRequests.h"
#include "RecordedSiteFeed.h"
#include "tests/support/RelayProxy.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const ExampleTree =
    "<DUMMY_NODE>\r\n"
    "  <TXMLTreeNode>\r\n"
    "    <Data isNull=\"true\"/>\r\n"
    "    <Nodes>\r\n"
    "      <TXMLTreeNode>\r\n"
    "        <Data>\r\n"
    "          <TCategory><Content>0</Content><ID>1</ID><Name>Arts</Name><Url>Top/Arts</Url></TCategory>\r\n"
    "        </Data>\r\n"
    "        <Nodes>\r\n"
    "          <TXMLTreeNode>\r\n"
    "            <Data>\r\n"
    "              <TCategory><Content>5</Content><ID>2</ID><Name>Music</Name><Url>Top/Arts/Music</Url></TCategory>\r\n"
    "            </Data>\r\n"
    "            <Nodes/>\r\n"
    "          </TXMLTreeNode>\r\n"
    "          <TXMLTreeNode>\r\n"
    "            <Data>\r\n"
    "              "
    "<TSymbolicCategory><Name>Sounds</Name><Parent>1</Parent><Url>Top/Arts/Music</Url></TSymbolicCategory>\r\n"
    "            </Data>\r\n"
    "            <Nodes/>\r\n"
    "          </TXMLTreeNode>\r\n"
    "        </Nodes>\r\n"
    "      </TXMLTreeNode>\r\n"
    "    </Nodes>\r\n"
    "  </TXMLTreeNode>\r\n"
    "</DUMMY_NODE>\r\n";

// One row of the site's categories table, as the tests compare it.
struct TSiteRow {
    std::int64_t Id;
    std::string Title;
    std::string TitleUrl;
    std::int64_t ParentId;
    bool Symbolic;
    std::int64_t SymbolicId;

    bool operator==(const TSiteRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TSiteRow& row)
{
    return out << row.Id << " " << row.Title << " " << row.TitleUrl << " parent " << row.ParentId
               << (row.Symbolic ? " symbolic " : " regular ") << row.SymbolicId;
}

std::vector<TSiteRow> ReadSiteDatabase(const std::string& fileName)
{
    std::vector<TSiteRow> rows;
    for (const TSiteRecord& record : SiteRecords(fileName))
        rows.push_back({record.Id, record.Title, record.TitleUrl, record.ParentId, record.Symbolic, record.SymbolicId});
    return rows;
}

// A port on which nothing listens: bound once to learn a free number, then released.
int UnusedPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

class SiteFeed : public ::testing::Test, protected TRecordedSiteFeed {
protected:
    SiteFeed() { RegisterCategoryClasses(); }

    using TRecordedSiteFeed::Run;

    void StartSite(std::vector<std::string> arguments = {}, TSitePages pages = TSitePages::RealSite)
    {
        arguments.insert(arguments.end(), {"--db", DatabaseFile()});
        Site = std::make_unique<TSiteProcess>(arguments, pages);
        Fields.Domain = Site->Domain();
    }

    void LoadTree(const std::string& xml = ExampleTree)
    {
        WriteFile("tree.xml", xml);
        ::LoadTree(Tree, "tree.xml");
    }

    std::vector<std::string> SentRequests() const { return AdminRequests(Transport.Sent); }

    std::string DatabaseFile() const { return (Scratch.Path() / "site.db").string(); }
    std::vector<TSiteRow> SiteRows() const { return ReadSiteDatabase(DatabaseFile()); }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    std::unique_ptr<TSiteProcess> Site;
};

}  // namespace

TEST_F(SiteFeed, ExampleTreeIntoASiteListingByTheMarkerSendsTheRequestsItAlwaysSent)
{
    StartSite({}, TSitePages::Legacy);
    LoadTree();
    Run();

    EXPECT_EQ(SentRequests(), CompleteRunRequests);
    EXPECT_EQ(Transport.Sent[1].Fields, (std::vector<std::string>{"user=admin", "pass=demo", "submit=Login"}));
    EXPECT_EQ(Transport.Sent[4].Fields,
              (std::vector<std::string>{"TITLE=Music", "TITLE_URL=Music", "PARENT_ID=1", "STATUS=2", "submit=Save"}));
    EXPECT_EQ(Transport.Sent[5].Fields,
              (std::vector<std::string>{"TITLE=Sounds", "PARENT_ID=1", "SYMBOLIC_ID=2", "STATUS=2", "submit=Save"}));
    EXPECT_EQ(View.StatusTexts.back(), "Processing symbolic category 1 of 1");
    EXPECT_TRUE(View.MessageLines.empty());
    EXPECT_TRUE(View.MessageBoxes.empty());
    EXPECT_FALSE(View.WaitLabelVisible);
    EXPECT_EQ(SiteRows(), (std::vector<TSiteRow>{{1, "Arts", "Arts", 0, false, 0},
                                                 {2, "Music", "Music", 1, false, 0},
                                                 {3, "Sounds", "", 1, true, 2}}));

    Transport.Sent.clear();
    Run();
    EXPECT_EQ(View.MessageLines, (std::vector<std::string>{"Arts seems to already exist. skipping.",
                                                           "Music seems to already exist. skipping."}));
    EXPECT_EQ(SentRequests(), RepeatedRunRequests);
    EXPECT_EQ(SiteRows().size(), 4u) << "the symbolic category is posted again";
}

TEST_F(SiteFeed, ExampleTreeIntoARealSiteWhichRefusesTheSymbolicCategoryAndARerunThatFindsTheRest)
{
    StartSite();
    LoadTree();
    Run();

    const std::string refusal = "Symbolic category cannot have the same parent as the reference category.";
    EXPECT_EQ(SentRequests(), FullFormPagesRunRequests);
    EXPECT_EQ(Transport.Sent[5].Fields,
              (std::vector<std::string>{"TITLE=Music", "TITLE_URL=Music", "PARENT_ID=1", "STATUS=2", "submit=Save"}));
    EXPECT_EQ(SiteRows(),
              (std::vector<TSiteRow>{{1, "Arts", "Arts", 0, false, 0}, {2, "Music", "Music", 1, false, 0}}));
    EXPECT_EQ(View.MessageLines, (std::vector<std::string>{"symbolic category Sounds failed: " + refusal}));
    ASSERT_EQ(View.Outcomes.size(), 1u);
    EXPECT_EQ(ProblemsMessage(View.Outcomes[0]), "problems with category: Sounds\n" + refusal);
    EXPECT_FALSE(View.WaitLabelVisible);

    Transport.Sent.clear();
    Run();
    EXPECT_EQ(
        std::vector<std::string>(View.MessageLines.begin() + 1, View.MessageLines.end()),
        (std::vector<std::string>{"Arts seems to already exist. skipping.", "Music seems to already exist. skipping.",
                                  "symbolic category Sounds failed: " + refusal}));
    EXPECT_EQ(SentRequests(),
              (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php",
                                        "GET /admin/dir_categs_edit.php?action=N",
                                        "GET /admin/dir_categs_edit.php?action=N&s=1",
                                        "POST /admin/dir_categs_edit.php?action=N&s=1", "GET /admin/logout.php"}))
        << "a refused symbolic category is posted again";
    EXPECT_EQ(SiteRows().size(), 2u);
}

TEST_F(SiteFeed, LoginAndDomainFailures)
{
    StartSite();
    LoadTree();
    Fields.Password = "wrong";
    Run();
    EXPECT_EQ(View.MessageBoxes, (std::vector<std::string>{"Could not log in."}));
    EXPECT_EQ(SentRequests(), (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php"}));
    EXPECT_TRUE(View.WaitLabelVisible);

    Transport.Sent.clear();
    for (const std::string& domain : {"http:" + Site->Domain(), Site->Domain() + "/", "HTTP://" + Site->Domain()}) {
        Fields.Domain = domain;
        try {
            Run();
            ADD_FAILURE() << domain << " accepted";
        } catch (const EAdminDomain& e) {
            EXPECT_STREQ(e.what(), "Domain must be in the form: [www.]subdomainlist.domainname.tld");
        }
    }
    EXPECT_TRUE(Transport.Sent.empty());
    EXPECT_TRUE(SiteRows().empty());
}

TEST_F(SiteFeed, CategoryListedOnlyAfterThreeRefetchesNeedsNoError)
{
    StartSite({"--hide-new", "3"}, TSitePages::Legacy);
    LoadTree();
    Run();
    const auto line = [](const std::string& name, int k) {
        return "category " + name + " seem like it was not added. regetting page " + std::to_string(k) +
               " of 5 before abort...";
    };
    EXPECT_EQ(View.MessageLines, (std::vector<std::string>{line("Arts", 1), line("Arts", 2), line("Arts", 3),
                                                           line("Music", 1), line("Music", 2), line("Music", 3)}));
    EXPECT_TRUE(View.MessageBoxes.empty());
    EXPECT_EQ(SiteRows().size(), 3u);
    EXPECT_EQ(SiteRows()[1].ParentId, 1);
}

TEST_F(SiteFeed, ARealSiteListingLateCostsLinesAndPausesOnlyWhereAPageShouldHaveListedIt)
{
    StartSite({"--hide-new", "3"});
    LoadTree();
    Run();
    const auto line = [](const std::string& name, int k) {
        return "category " + name + " seem like it was not added. regetting page " + std::to_string(k) +
               " of 5 before abort...";
    };
    EXPECT_EQ(std::vector<std::string>(View.MessageLines.begin(), View.MessageLines.end() - 1),
              (std::vector<std::string>{line("Arts", 1), line("Arts", 2), line("Music", 1), line("Music", 2)}));
    EXPECT_EQ(View.Outcomes.back().Created, 2u);
    EXPECT_EQ(SiteRows().size(), 2u);
    EXPECT_EQ(SiteRows()[1].ParentId, 1);
}

TEST_F(SiteFeed, CategoryNeverListedGivesUpAfterFiveRefetchesAndTheRunGoesOnWithoutItsSubtree)
{
    StartSite({"--hide-new", "100"}, TSitePages::Legacy);
    LoadTree();
    Run();
    EXPECT_EQ(View.MessageLines.size(), 8u) << "five re-fetches, the failure, Music and Sounds skipped";
    EXPECT_EQ(View.Outcomes.back().Failed.size(), 1u);
    EXPECT_EQ(SentRequests(), (std::vector<std::string>{
                                  "GET /admin/index.php", "POST /admin/login.php",
                                  "GET /admin/dir_categs_edit.php?action=N", "POST /admin/dir_categs_edit.php?action=N",
                                  "GET /admin/dir_categs_edit.php?action=N", "GET /admin/dir_categs_edit.php?action=N",
                                  "GET /admin/dir_categs_edit.php?action=N", "GET /admin/dir_categs_edit.php?action=N",
                                  "GET /admin/dir_categs_edit.php?action=N", "GET /admin/logout.php"}));
    EXPECT_FALSE(View.WaitLabelVisible);
}

TEST_F(SiteFeed, ErrorStatusOnTheFormPageLogsOutThenShowsItsStatusLine)
{
    StartSite({"--fail", "/admin/dir_categs_edit.php=500"});
    LoadTree();
    Run();
    EXPECT_EQ(SentRequests(),
              (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php",
                                        "GET /admin/dir_categs_edit.php?action=N", "GET /admin/logout.php"}));
    ASSERT_EQ(View.MessageBoxes.size(), 1u);
    EXPECT_EQ(View.MessageBoxes[0].rfind("HTTP/1.1 500", 0), 0u) << View.MessageBoxes[0];
    EXPECT_FALSE(View.WaitLabelVisible);
}

TEST_F(SiteFeed, NetworkFailureAndUnwritableDumpReachTheCaller)
{
    LoadTree();
    Fields.Domain = "127.0.0.1:" + std::to_string(UnusedPort());
    EXPECT_THROW(Run(), ENetException);
    EXPECT_EQ(SentRequests(), (std::vector<std::string>{"GET /admin/index.php"}));
    EXPECT_TRUE(View.WaitLabelVisible);

    StartSite();
    Transport.Sent.clear();
    std::filesystem::create_directory(Scratch.Path() / "html");
    EXPECT_THROW(Run(), EPageDump);
    EXPECT_EQ(SentRequests().back(), "GET /admin/logout.php");
    EXPECT_EQ(SiteRows().size(), 1u) << "Arts was created before Music's parent lookup failed";
}

TEST_F(SiteFeed, FollowsTheRedirectAfterLoginWithAGetAndKeepsTheSession)
{
    StartSite({"--redirect-after-login", "--chunked"}, TSitePages::Legacy);
    const TRelayProxy relay(Site->Port());
    Fields.Domain = relay.Domain();
    LoadTree();
    Run();
    EXPECT_TRUE(View.MessageBoxes.empty());
    EXPECT_EQ(SiteRows().size(), 3u);
    const std::vector<std::string> lines = relay.RequestLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "POST /admin/login.php HTTP/1.0");
    EXPECT_EQ(lines[2], "GET /admin/index.php HTTP/1.0") << "in the call of the post, which speaks HTTP/1.0";
    const std::string sent = relay.ClientBytes();
    EXPECT_EQ(sent.find("pass=demo"), sent.rfind("pass=demo")) << "the password goes out once";
}
