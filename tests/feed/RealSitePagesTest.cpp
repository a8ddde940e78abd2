// Feeds into the in-memory site writing its pages as a directory site does: the option list
// with level marks and escaped titles, "Category saved." over the list as it was before the
// insert, refusals with their reasons.

#include "common/core/Text.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedRun.h"

#include "AdminRequests.h"
#include "FakeAdminSite.h"
#include "FakeSiteFeedTest.h"
#include "RecordingView.h"
#include "TestDocument.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TCreated = TFakeAdminSite::TCreated;

const std::string Form = "GET /admin/dir_categs_edit.php?action=N";
const std::string Post = "POST /admin/dir_categs_edit.php?action=N";
const std::string SymbolicForm = "GET /admin/dir_categs_edit.php?action=N&s=1";
const std::string SymbolicPost = "POST /admin/dir_categs_edit.php?action=N&s=1";

class RealSitePages : public TFakeSiteFeedTest {
protected:
    RealSitePages() { Site.RealSitePages = true; }

    // Names as people write them, one used under two parents, one the beginning of another.
    void HardNames()
    {
        TCategory* crafts = Tree.Category(u"Arts & Crafts", 1);
        TCategory* music = Tree.Category(u"Music", 2, crafts, u"Top/Crafts/Music");
        Tree.Category(u"Jazz <&> Blues", 3, music);
        Tree.Category(u"Say \"Hi\"", 4, crafts);
        Tree.Category(u" Leading Blank ", 5, crafts);
        TCategory* arts = Tree.Category(u"Arts", 6);
        Tree.Category(u"Caf\u00e9", 7, arts);
        TCategory* japan = Tree.Category(u"\u65e5\u672c", 8);
        TCategory* japanMusic = Tree.Category(u"Music", 9, japan, u"Top/Japan/Music");
        Tree.Category(u"It's", 10, japanMusic);
        Tree.Symbolic(u"Sounds", u"Top/Crafts/Music", 8);
    }

    TFeedOutcome Run(bool keepJournal = true, bool dryRun = false)
    {
        Transport.Sent.clear();
        View = TRecordingView();
        Fields = TLoginFields();
        Fields.Password = Site.Password;
        TFeedSettings settings;
        settings.KeepJournal = keepJournal;
        settings.DryRun = dryRun;
        settings.Pause = [this](std::chrono::milliseconds) { ++Pauses; };
        TFeedRun run(View, Transport, Fields.Login(), Tree.CategoryTree(), std::move(settings));
        return run.Execute();
    }

    std::vector<std::string> Requests() const { return AdminRequests(Transport.Sent); }
    std::size_t Count(const std::string& request) const
    {
        const std::vector<std::string> requests = Requests();
        return static_cast<std::size_t>(std::count(requests.begin(), requests.end(), request));
    }

    std::vector<std::string> Reports() const
    {
        std::vector<std::string> lines;
        for (const TFeedEntryReport& report : View.Reports)
            lines.push_back(report.Entry + " | " + ActionName(report.Action) +
                            (report.Reason.empty() ? "" : " | " + report.Reason));
        return lines;
    }
};

}  // namespace

TEST_F(RealSitePages, HardNamesLandUnderTheirParentsSeenOnTheNextAnswerWithoutAPause)
{
    HardNames();
    const TFeedOutcome outcome = Run();

    EXPECT_EQ(Site.Categories, (std::vector<TCreated>{{"Arts & Crafts", "0", "", "Arts-_-Crafts"},
                                                      {"Music", "1", "", "Music"},
                                                      {"Jazz <&> Blues", "2", "", "Jazz-___-Blues"},
                                                      {"Say \"Hi\"", "1", "", "Say-_Hi_"},
                                                      {"Leading Blank", "1", "", "-Leading-Blank-"},
                                                      {"Arts", "0", "", "Arts"},
                                                      {"Caf\u00e9", "6", "", "Caf__"},
                                                      {"\u65e5\u672c", "0", "", "______"},
                                                      {"Music", "8", "", "Music"},
                                                      {"It's", "9", "", "It_s"}}));
    EXPECT_EQ(Site.SymbolicCategories, (std::vector<TCreated>{{"Sounds", "8", "2"}}));
    EXPECT_EQ(outcome.Created, 10u);
    EXPECT_EQ(outcome.SymbolicPosted, 1u);
    EXPECT_TRUE(outcome.Failed.empty());
    EXPECT_TRUE(outcome.Skipped.empty());
    EXPECT_EQ(Pauses, 0);
    EXPECT_TRUE(View.MessageLines.empty()) << View.MessageLines.front();

    // A category is fetched for only when the next one needs it as its parent; the symbolic
    // form is opened once, which also shows the last category.
    EXPECT_EQ(Count(Post), 10u);
    EXPECT_EQ(Count(Form), 1u + 5u);
    EXPECT_EQ(Count(SymbolicForm), 1u);
    const std::vector<std::string> requests = Requests();
    EXPECT_EQ(std::vector<std::string>(requests.begin() + 2, requests.begin() + 9),
              (std::vector<std::string>{Form, Post, Form, Post, Form, Post, Post}));
    EXPECT_EQ(std::vector<std::string>(requests.end() - 3, requests.end()),
              (std::vector<std::string>{SymbolicForm, SymbolicPost, "GET /admin/logout.php"}));
}

TEST_F(RealSitePages, ReRunsWithAndWithoutTheJournalCreateNothing)
{
    HardNames();
    Run();
    const std::vector<TCreated> fed = Site.Categories;

    const TFeedOutcome withJournal = Run();
    EXPECT_EQ(Requests(), (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php", Form,
                                                    "GET /admin/logout.php"}));
    EXPECT_EQ(withJournal.AlreadyThere, 11u);
    EXPECT_EQ(View.MessageLines[4], " Leading Blank  seems to already exist. skipping.");

    const TFeedOutcome withoutJournal = Run(false);
    EXPECT_EQ(Count(Post), 0u);
    EXPECT_EQ(Count(SymbolicPost), 1u) << "the page does not list symbolic categories";
    EXPECT_EQ(withoutJournal.AlreadyThere, 11u) << "the site says it has the symbolic one";
    EXPECT_EQ(withoutJournal.SymbolicPosted, 0u);
    EXPECT_EQ(View.MessageLines.back(), "symbolic category Sounds is on the site already.");
    EXPECT_EQ(Site.Categories, fed);
    EXPECT_EQ(Site.SymbolicCategories.size(), 1u);
}

TEST_F(RealSitePages, ARefusedEntryFailsWithTheSitesReasonItsSubtreeIsSkippedAndTheRunGoesOn)
{
    Site.UrlRewriting = true;
    TCategory* food = Tree.Category(u"Food", 1);
    Tree.Category(u"Caf\u00e9", 2, food);
    TCategory* refused = Tree.Category(u"Caf\u00e8", 3, food);  // the same URL title "Caf__"
    TCategory* below = Tree.Category(u"Espresso", 4, refused);
    Tree.Category(u"Ristretto", 5, below);
    Tree.Category(u"Tea", 6, food);
    Tree.Symbolic(u"Coffee", u"Top/Caf\u00e8", 1);
    Tree.Symbolic(u"Same parent", u"Top/Tea", 1);
    Tree.Symbolic(u"Drinks", u"Top/Tea", 2);
    const TFeedOutcome outcome = Run();

    const std::string urlRefusal = "URL title is not unique in the parent category.";
    EXPECT_EQ(Reports(),
              (std::vector<std::string>{
                  "Food | create", "Food/Caf\u00e9 | create", "Food/Caf\u00e8 | fail | " + urlRefusal,
                  "Food/Caf\u00e8/Espresso | skip | its parent failed",
                  "Food/Caf\u00e8/Espresso/Ristretto | skip | the identifier of its parent cannot be determined: "
                  "Food/Caf\u00e8/Espresso is not posted",
                  "Food/Tea | create",
                  // In tree order: Drinks sits under Caf\u00e9, the others under Food.
                  "symbolic category Drinks | create",
                  "symbolic category Coffee | skip | an identifier cannot be determined: Food/Caf\u00e8 failed",
                  "symbolic category Same parent | fail | "
                  "Symbolic category cannot have the same parent as the reference category."}));
    EXPECT_EQ(Site.Categories.size(), 3u);
    EXPECT_EQ(Site.SymbolicCategories, (std::vector<TCreated>{{"Drinks", "2", "3"}}));
    EXPECT_EQ(outcome.End, TFeedEnd::Finished);
    EXPECT_EQ(OutcomeSummaryLines(outcome).back(),
              "  failed symbolic category Same parent: "
              "Symbolic category cannot have the same parent as the reference category.");
    EXPECT_EQ(ProblemsMessage(outcome), "problems with category: Caf\u00e8\n" + urlRefusal +
                                            "\n1 more entry failed, 3 entries skipped; the message pane lists them.");
    EXPECT_EQ(View.MessageLines[0], "Food/Caf\u00e8 failed: " + urlRefusal);
    EXPECT_EQ(Requests().back(), "GET /admin/logout.php");
}

TEST_F(RealSitePages, ASymbolicPostIsCheckedBecauseItsFormIsOpenedFirst)
{
    TCategory* arts = Tree.Category(u"Arts", 1);
    TCategory* music = Tree.Category(u"Music", 2, arts);
    Tree.Category(u"Jazz", 3, music);  // the last post waits to be seen on the symbolic form
    Tree.Symbolic(u"Sounds", u"Top/Music", 1);
    const TFeedOutcome outcome = Run();

    EXPECT_EQ(Site.SymbolicCategories.size(), 0u);
    ASSERT_EQ(outcome.Failed.size(), 1u);
    EXPECT_EQ(outcome.Failed[0].Reason, "Symbolic category cannot have the same parent as the reference category.");
    EXPECT_EQ(ProblemsMessage(outcome), "problems with category: Sounds\n"
                                        "Symbolic category cannot have the same parent as the reference category.");
    const std::vector<std::string> requests = Requests();
    EXPECT_EQ(std::vector<std::string>(requests.end() - 4, requests.end()),
              (std::vector<std::string>{Post, SymbolicForm, SymbolicPost, "GET /admin/logout.php"}));
}

TEST_F(RealSitePages, ADryRunReadsThePageAsTheFeedDoes)
{
    Site.Categories = {{"Arts & Crafts", "0", ""}, {"Music", "1", ""}};
    HardNames();
    const TFeedOutcome outcome = Run(true, true);

    EXPECT_EQ(std::vector<std::string>(View.MessageLines.begin(), View.MessageLines.begin() + 4),
              (std::vector<std::string>{"Arts & Crafts: already there", "Arts & Crafts/Music: already there",
                                        "Arts & Crafts/Music/Jazz <&> Blues: would be created",
                                        "Arts & Crafts/Say \"Hi\": would be created"}));
    EXPECT_EQ(outcome.Created, 8u);
    EXPECT_EQ(outcome.AlreadyThere, 2u);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php", Form,
                                                    "GET /admin/logout.php"}));
}

TEST_F(RealSitePages, TheSameEntryTwiceIsSeenAsThereWhileItsPostStillWaits)
{
    Tree.Category(u"Arts", 1);
    Tree.Category(u"Arts", 2);
    const TFeedOutcome outcome = Run();
    EXPECT_EQ(outcome.Created, 1u);
    EXPECT_EQ(outcome.AlreadyThere, 1u);
    EXPECT_TRUE(outcome.Failed.empty());
    EXPECT_EQ(Site.Categories.size(), 1u);
}
