// A run's stop, its outcome on every path and its progress, against the in-memory site.

#include "common/core/StopRequest.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedProgress.h"
#include "feed/FeedRun.h"
#include "http/NetExceptions.h"

#include "AdminRequests.h"
#include "FakeAdminSite.h"
#include "RecordingView.h"
#include "TestDocument.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

// Ends every request with EStopRequested once the stop is requested, as the HTTP client's
// waits do, except the closing request, which it marks.
class TStoppableTransport : public TPageTransport {
public:
    TStoppableTransport(TPageTransport& next, const TStopRequest& stop) : Next(next), Stop(stop) {}

    std::string Get(const std::string& url) override
    {
        Stop.ThrowIfRequested();
        return Next.Get(url);
    }
    std::string Post(const std::string& url, std::vector<std::string>& fields) override
    {
        Stop.ThrowIfRequested();
        return Next.Post(url, fields);
    }
    std::string PostLogin(const std::string& url, std::vector<std::string>& fields) override
    {
        Stop.ThrowIfRequested();
        return Next.PostLogin(url, fields);
    }
    std::string GetClosing(const std::string& url) override
    {
        ++ClosingRequests;
        return Next.Get(url);
    }

    int ClosingRequests = 0;

private:
    TPageTransport& Next;
    const TStopRequest& Stop;
};

// A window whose message processing runs a test's action, as a click would arrive there.
class TClickingView : public TRecordingView {
public:
    void ProcessMessages() override
    {
        TRecordingView::ProcessMessages();
        if (OnMessages)
            OnMessages();
    }

    std::function<void()> OnMessages;
};

class FeedStopAndOutcome : public ::testing::Test {
protected:
    FeedStopAndOutcome()
    {
        TCategory* arts = Tree.Category(u"Arts", 1);
        Tree.Category(u"Music", 2, arts);
        Tree.Category(u"Shopping", 3);
        Tree.Symbolic(u"Sounds", u"Top/Music", 1);
    }

    TFeedOutcome Run(TPause pause = [](std::chrono::milliseconds) {})
    {
        TFeedSettings settings;
        settings.Stop = &Stop;
        settings.Pause = std::move(pause);
        TFeedRun run(View, Transport, Fields.Login(), Tree.CategoryTree(), std::move(settings));
        return run.Execute();
    }

    std::vector<std::string> SentRequests() const { return AdminRequests(SiteTransport.Sent); }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TTestDocument Tree;
    TFakeAdminSite Site;
    TScriptedTransport SiteTransport{Site.Responder()};
    TStopRequest Stop;
    TStoppableTransport Transport{SiteTransport, Stop};
    TClickingView View;
    TLoginFields Fields;
};

}  // namespace

TEST_F(FeedStopAndOutcome, AStopBetweenEntriesEndsTheRunWithTheLogoutSentAndNoError)
{
    View.OnMessages = [&] { Stop.Request(); };
    const TFeedOutcome outcome = Run();

    EXPECT_EQ(SentRequests(),
              (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php",
                                        "GET /admin/dir_categs_edit.php?action=N",
                                        "POST /admin/dir_categs_edit.php?action=N", "GET /admin/logout.php"}));
    EXPECT_EQ(Transport.ClosingRequests, 1) << "the logout is not ended by the stop that ended the run";
    EXPECT_EQ(outcome.End, TFeedEnd::Stopped);
    EXPECT_EQ(outcome.Created, 1u);
    EXPECT_EQ(OutcomeStatusText(outcome), "Feed stopped");
    ASSERT_EQ(View.Outcomes.size(), 1u);
    EXPECT_TRUE(View.MessageBoxes.empty());
}

TEST_F(FeedStopAndOutcome, ACategoryTheSiteSaidItSavedCountsAsCreatedWhenAStopEndsTheRun)
{
    Site.RealSitePages = true;
    View.OnMessages = [&] { Stop.Request(); };
    const TFeedOutcome outcome = Run();

    EXPECT_EQ(outcome.End, TFeedEnd::Stopped);
    EXPECT_EQ(outcome.Created, 1u) << "its answer said \"Category saved.\" over the list before the insert";
    ASSERT_EQ(View.Reports.size(), 1u);
    EXPECT_EQ(View.Reports[0].Entry, "Arts");
    EXPECT_EQ(View.Reports[0].Action, TEntryAction::Create);
    EXPECT_EQ(SentRequests().back(), "GET /admin/logout.php");
}

TEST_F(FeedStopAndOutcome, AStopDuringARefetchPauseEndsItWithinASlice)
{
    TScriptedTransport neverListing([](const TSentRequest& request) {
        return std::string(request.Url.ends_with("login.php") ? "logout.php" : "<form></form>");
    });
    TStoppableTransport transport(neverListing, Stop);
    View.OnMessages = [&] {
        if (!View.MessageLines.empty())
            Stop.Request();
    };
    TFeedSettings settings;
    settings.Stop = &Stop;
    TFeedRun run(View, transport, Fields.Login(), Tree.CategoryTree(), std::move(settings));
    const auto started = std::chrono::steady_clock::now();
    const TFeedOutcome outcome = run.Execute();

    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500))
        << "the second of the pause is cut short";
    EXPECT_EQ(View.MessageLines.size(), 1u);
    EXPECT_EQ(outcome.End, TFeedEnd::Stopped);
    EXPECT_EQ(AdminRequests(neverListing.Sent).back(), "GET /admin/logout.php");
}

TEST_F(FeedStopAndOutcome, EveryPathEndsWithOneOutcome)
{
    Fields.Password = "wrong";
    EXPECT_EQ(Run().End, TFeedEnd::LoginRefused);
    EXPECT_EQ(OutcomeStatusText(View.Outcomes.back()), "Feed failed: Could not log in.");

    Fields.Password = Site.Password;
    Site.FailOn("GET", "action=N", [] { throw EHTTPProtocolException(404, "HTTP/1.0 404 Not Found", ""); });
    EXPECT_EQ(Run().End, TFeedEnd::NetworkFailure);
    EXPECT_EQ(OutcomeStatusText(View.Outcomes.back()), "Feed failed: HTTP/1.0 404 Not Found");

    TScriptedTransport neverListing([](const TSentRequest& request) {
        return std::string(request.Url.ends_with("login.php") ? "logout.php" : "<form></form>");
    });
    TFeedRun run(View, neverListing, Fields.Login(), Tree.CategoryTree(), [](std::chrono::milliseconds) {});
    run.Execute();
    EXPECT_EQ(View.Outcomes.back().End, TFeedEnd::Finished);
    const std::string neverListed = "the site does not list it, also after 5 re-fetches of the form page.";
    EXPECT_EQ(View.Outcomes.back().Failed,
              (std::vector<TFeedEntryNote>{{"Arts", neverListed}, {"Shopping", neverListed}}));

    Site.FailOn("GET", "action=N", [] { throw std::runtime_error("the page cannot be read"); });
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(OutcomeStatusText(View.Outcomes.back()), "Feed failed: the page cannot be read");
    EXPECT_EQ(View.Outcomes.size(), 4u);
}

TEST(FeedProgress, EstimateAfterAFewEntriesAndDurations)
{
    using std::chrono::milliseconds;
    EXPECT_FALSE((TFeedProgress{4, 10, milliseconds(8000)}.Remaining()));
    EXPECT_EQ((TFeedProgress{5, 10, milliseconds(10000)}.Remaining()), milliseconds(10000));
    EXPECT_EQ((TFeedProgress{10, 10, milliseconds(10000)}.Remaining()), milliseconds(0));
    EXPECT_DOUBLE_EQ((TFeedProgress{5, 10, milliseconds(2000)}.Rate()), 2.5);
    EXPECT_EQ(FormatDuration(milliseconds(3725999)), "1:02:05");
    EXPECT_EQ(ProgressText(TFeedProgress{5, 10, milliseconds(10000)}),
              "5 of 10 entries, 0:00:10 elapsed, about 0:00:10 left");
}

TEST(FeedOutcome, TheProblemsMessageNamesTheFirstFailureAndCountsTheOthers)
{
    TFeedOutcome outcome;
    EXPECT_FALSE(ProblemsMessage(outcome)) << "skipped entries alone show no message";
    outcome.Skipped = {{"Arts/Music", "its parent failed"}};
    EXPECT_FALSE(ProblemsMessage(outcome));

    outcome.Failed = {{"Arts", "Title is not unique in the parent category."}};
    EXPECT_EQ(ProblemsMessage(outcome), "problems with category: Arts\nTitle is not unique in the parent category.\n"
                                        "1 entry skipped; the message pane lists them.");
    outcome.Skipped.clear();
    outcome.Failed.push_back({"Shopping", "This field is required."});
    outcome.Failed.push_back({"Home", "This field is required."});
    EXPECT_EQ(ProblemsMessage(outcome), "problems with category: Arts\nTitle is not unique in the parent category.\n"
                                        "2 more entries failed; the message pane lists them.");
}

TEST(FeedOutcome, SummaryLineAndTheEntriesNotDone)
{
    TFeedOutcome outcome;
    outcome.Created = 3;
    outcome.AlreadyThere = 2;
    outcome.SymbolicPosted = 1;
    outcome.Skipped = {{"Arts/Music", "the page lists Music twice"}};
    outcome.Elapsed = std::chrono::milliseconds(65000);
    EXPECT_EQ(
        OutcomeSummaryLines(outcome),
        (std::vector<std::string>{
            "Feed summary: 3 created, 2 already there, 1 symbolic posted, 1 skipped, 0 failed; time taken 0:01:05.",
            "  skipped Arts/Music: the page lists Music twice"}));
    outcome.DryRun = true;
    EXPECT_EQ(OutcomeSummaryLines(outcome).front(),
              "Dry run, nothing posted: 3 would be created, 2 already there, 1 symbolic would be posted, "
              "1 would be skipped; time taken 0:01:05.");
    EXPECT_EQ(OutcomeStatusText(outcome), "Feed finished");
}
