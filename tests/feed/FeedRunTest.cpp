#include "feed/FeedRun.h"
#include "common/core/Text.h"
#include "feed/FeedErrors.h"
#include "http/NetExceptions.h"
#include "model/Dmoz.h"

#include "AdminRequests.h"
#include "FakeAdminSite.h"
#include "FakeSiteFeedTest.h"
#include "RecordingView.h"
#include "TestDocument.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>

namespace {

class FeedRun : public TFakeSiteFeedTest {
protected:
    FeedRun()
    {
        TCategory* arts = Tree.Category(u"Arts", 1);
        Tree.Category(u"Music", 2, arts);
        Tree.Symbolic(u"Sounds", u"Top/Music", 1);
    }

    void Run()
    {
        TFeedRun run(View, Transport, Fields.Login(), Tree.CategoryTree(),
                     [this](std::chrono::milliseconds) { ++Pauses; });
        run.Execute();
    }

    std::vector<std::string> SentRequests() const { return AdminRequests(Transport.Sent); }

    static std::function<void()> Status(int code, const std::string& statusLine)
    {
        return [=] { throw EHTTPProtocolException(code, statusLine, "<h1>trouble</h1>"); };
    }
};

}  // namespace

TEST_F(FeedRun, FeedsParentsFirstThenSymbolicCategoriesAndLogsOut)
{
    Run();

    EXPECT_EQ(SentRequests(), CompleteRunRequests);
    ASSERT_EQ(Site.Categories.size(), 2u);
    EXPECT_EQ(Site.Categories[0].ParentID, "0");
    EXPECT_EQ(Site.Categories[1].Title, "Music");
    EXPECT_EQ(Site.Categories[1].ParentID, "1") << "the ID the site gave Arts";
    ASSERT_EQ(Site.SymbolicCategories.size(), 1u);
    EXPECT_EQ(Site.SymbolicCategories[0].ParentID, "1");
    EXPECT_EQ(Site.SymbolicCategories[0].SymbolicID, "2");
    EXPECT_EQ(View.StatusTexts, (std::vector<std::string>{"Processing category 1 of 2", "Processing category 2 of 2",
                                                          "Processing symbolic category 1 of 1"}));
    EXPECT_EQ(View.WaitLabelChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(View.MessageBoxes.empty());
    EXPECT_TRUE(View.MessageLines.empty());
    EXPECT_EQ(View.ProcessCalls, 3);
}

TEST_F(FeedRun, SecondRunSkipsExistingCategoriesButPostsSymbolicOnesAgain)
{
    Run();
    Transport.Sent.clear();
    Run();

    EXPECT_EQ(View.MessageLines, (std::vector<std::string>{"Arts seems to already exist. skipping.",
                                                           "Music seems to already exist. skipping."}));
    EXPECT_EQ(SentRequests(), RepeatedRunRequests);
    EXPECT_EQ(Site.SymbolicCategories.size(), 2u);
}

// What each entry came to, with the record it is about, so that a view can point at it.
std::vector<std::string> ReportLines(const std::vector<TFeedEntryReport>& reports)
{
    std::vector<std::string> lines;
    for (const TFeedEntryReport& report : reports)
        lines.push_back(Utf16ToUtf8(report.Record->Name) + " | " + report.Entry + " | " + ActionName(report.Action) +
                        (report.Reason.empty() ? "" : " | ") + report.Reason);
    return lines;
}

TEST_F(FeedRun, ReportsEveryEntryWithItsRecordOncePerRun)
{
    Tree.Symbolic(u"Lost", u"Top/Nowhere", 1);
    Run();
    EXPECT_EQ(ReportLines(View.Reports),
              (std::vector<std::string>{
                  "Arts | Arts | create", "Music | Arts/Music | create", "Sounds | symbolic category Sounds | create",
                  "Lost | symbolic category Lost | skip | no category has the Url \"Top/Nowhere\""}));

    View.Reports.clear();
    Run();
    EXPECT_EQ(
        ReportLines(View.Reports),
        (std::vector<std::string>{"Arts | Arts | already there", "Music | Arts/Music | already there",
                                  "Sounds | symbolic category Sounds | create",
                                  "Lost | symbolic category Lost | skip | no category has the Url \"Top/Nowhere\""}));
}

TEST_F(FeedRun, ReportsTheEntryThatFailedAndSkipsEverythingThatNeedsIt)
{
    TScriptedTransport transport([](const TSentRequest& request) {
        return std::string(request.Url.ends_with("login.php") ? "logout.php" : "<form></form>");
    });
    TFeedRun run(View, transport, Fields.Login(), Tree.CategoryTree(), [](std::chrono::milliseconds) {});
    run.Execute();
    EXPECT_EQ(ReportLines(View.Reports),
              (std::vector<std::string>{
                  "Arts | Arts | fail | the site does not list it, also after 5 re-fetches of the form page.",
                  "Music | Arts/Music | skip | its parent failed",
                  "Sounds | symbolic category Sounds | skip | an identifier cannot be determined: Arts failed"}));
}

TEST_F(FeedRun, EmptyDocumentOnlyLogsInFetchesTheFormAndLogsOut)
{
    TTestDocument empty;
    TFeedRun run(View, Transport, Fields.Login(), empty.CategoryTree());
    run.Execute();
    EXPECT_EQ(SentRequests(),
              (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php",
                                        "GET /admin/dir_categs_edit.php?action=N", "GET /admin/logout.php"}));
    EXPECT_TRUE(View.StatusTexts.empty());
}

TEST_F(FeedRun, SkipsASymbolicCategoryWhoseLookupsFailAndGoesOn)
{
    Tree.Symbolic(u"Lost", u"Top/Nowhere", 1);
    Tree.Symbolic(u"Orphan", u"TOP/ARTS", 99);
    Tree.Symbolic(u"Void", u"", 98);
    Tree.Symbolic(u"Echo", u"top/music", 2);
    Run();

    EXPECT_EQ(View.MessageLines,
              (std::vector<std::string>{
                  "symbolic category Lost skipped: no category has the Url \"Top/Nowhere\".",
                  "symbolic category Orphan skipped: no category has the ID 99.",
                  "symbolic category Void skipped: no category has the Url \"\" and no category has the ID 98."}));
    ASSERT_EQ(Site.SymbolicCategories.size(), 2u);
    EXPECT_EQ(Site.SymbolicCategories[0].Title, "Echo") << "in tree order, under Music and before Sounds";
    EXPECT_EQ(View.StatusTexts.back(), "Processing symbolic category 5 of 5");
    EXPECT_EQ(SentRequests().back(), "GET /admin/logout.php");
}

TEST_F(FeedRun, WrongPasswordShowsTheLoginMessageAndLeavesTheLabel)
{
    Fields.Password = "wrong";
    Run();
    EXPECT_EQ(View.MessageBoxes, (std::vector<std::string>{"Could not log in."}));
    EXPECT_EQ(SentRequests(), (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php"}));
    EXPECT_TRUE(View.WaitLabelVisible);
}

TEST_F(FeedRun, BadDomainFailsBeforeAnythingIsShownOrSent)
{
    Fields.Domain = "http://site.test";
    EXPECT_THROW(Run(), EAdminDomain);
    EXPECT_TRUE(Transport.Sent.empty());
    EXPECT_TRUE(View.WaitLabelChanges.empty());
}

TEST_F(FeedRun, HttpErrorBeforeLoginIsShownWithoutLogout)
{
    Site.FailOn("POST", "login.php", Status(500, "HTTP/1.1 500 Internal Server Error"));
    Run();
    EXPECT_EQ(View.MessageBoxes, (std::vector<std::string>{"HTTP/1.1 500 Internal Server Error"}));
    EXPECT_EQ(SentRequests().back(), "POST /admin/login.php");
    EXPECT_FALSE(View.WaitLabelVisible);
}

TEST_F(FeedRun, HttpErrorOnTheFormLogsOutFirstThenShowsTheFailedStatusLine)
{
    Site.FailOn("GET", "action=N", Status(404, "HTTP/1.0 404 Not Found"));
    Run();
    EXPECT_EQ(SentRequests(),
              (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php",
                                        "GET /admin/dir_categs_edit.php?action=N", "GET /admin/logout.php"}));
    EXPECT_EQ(View.MessageBoxes, (std::vector<std::string>{"HTTP/1.0 404 Not Found"}));
    EXPECT_FALSE(View.WaitLabelVisible);
}

TEST_F(FeedRun, FailingLogoutIsTheErrorReported)
{
    Site.FailOn("GET", "logout.php", Status(503, "HTTP/1.1 503 Service Unavailable"));
    Run();
    EXPECT_EQ(View.MessageBoxes, (std::vector<std::string>{"HTTP/1.1 503 Service Unavailable"}));
    EXPECT_FALSE(View.WaitLabelVisible);

    View.MessageBoxes.clear();
    Site.FailOn("POST", "action=N&s=1", [] { throw std::runtime_error("connection reset"); });
    Run();
    EXPECT_EQ(View.MessageBoxes, (std::vector<std::string>{"HTTP/1.1 503 Service Unavailable"}))
        << "the logout's error replaces the earlier one";
}

TEST_F(FeedRun, CategoryNeverListedFailsAfterFiveRefetchesAndTheRunGoesOn)
{
    TScriptedTransport transport([](const TSentRequest& request) {
        return std::string(request.Url.ends_with("login.php") ? "logout.php" : "<form></form>");
    });
    TFeedRun run(View, transport, Fields.Login(), Tree.CategoryTree(), [this](std::chrono::milliseconds) { ++Pauses; });
    const TFeedOutcome outcome = run.Execute();
    ASSERT_EQ(View.MessageLines.size(), 8u);
    EXPECT_EQ(View.MessageLines[5],
              "Arts failed: the site does not list it, also after 5 re-fetches of the form page.");
    EXPECT_EQ(View.MessageLines[6], "Arts/Music skipped: its parent failed.");
    EXPECT_EQ(Pauses, 4) << "none before the first re-fetch";
    EXPECT_EQ(AdminRequests(transport.Sent).size(), 10u) << "login, form, one post, five re-fetches, logout";
    EXPECT_EQ(transport.Sent.back().Url, "http://site.test/admin/logout.php");
    EXPECT_EQ(outcome.End, TFeedEnd::Finished);
    EXPECT_EQ(outcome.Failed.size(), 1u);
    EXPECT_EQ(outcome.Skipped.size(), 2u);
    EXPECT_FALSE(View.WaitLabelVisible);
    EXPECT_TRUE(View.MessageBoxes.empty()) << "the window shows the problems with the outcome";
}

TEST_F(FeedRun, OtherErrorsLeaveAfterTheLogoutOnlyWhenLoggedIn)
{
    Site.FailOn("POST", "action=N", [] { throw std::runtime_error("Socket Error # 10054"); });
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(SentRequests().back(), "GET /admin/logout.php");
    EXPECT_TRUE(View.WaitLabelVisible);

    Transport.Sent.clear();
    Site.FailOn("GET", "index.php", [] { throw std::runtime_error("Socket Error # 10061"); });
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(SentRequests(), (std::vector<std::string>{"GET /admin/index.php"}));
}

TEST_F(FeedRun, UnwritablePageDumpEndsTheRunAfterTheLogout)
{
    std::filesystem::create_directory(Scratch.Path() / "html");
    EXPECT_THROW(Run(), EPageDump);
    EXPECT_EQ(SentRequests().back(), "GET /admin/logout.php");
    EXPECT_EQ(Site.Categories.size(), 1u) << "Arts needs no lookup; Music's parent lookup fails";
}

TEST_F(FeedRun, ProgressCountsEveryCategoryAndProcessesMessagesAfterEach)
{
    TTestDocument seven;
    for (int i = 1; i <= 7; ++i)
        seven.Category(u"C" + std::u16string(1, static_cast<char16_t>(u'0' + i)), i);
    TFeedRun run(View, Transport, Fields.Login(), seven.CategoryTree());
    run.Execute();
    ASSERT_EQ(View.StatusTexts.size(), 7u);
    EXPECT_EQ(View.StatusTexts[2], "Processing category 3 of 7");
    EXPECT_EQ(View.ProcessCalls, 7);
}
