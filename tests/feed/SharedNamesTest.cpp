// Trees that give one name to categories under different parents, fed into the in-memory
// site, with the journal that tells those categories apart on a later run.

#include "feed/FeedRun.h"
#include "feed/JournalLocation.h"

#include "AdminRequests.h"
#include "FakeAdminSite.h"
#include "FakeSiteFeedTest.h"
#include "RecordingView.h"
#include "TestDocument.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

namespace {

using TCreated = TFakeAdminSite::TCreated;

// Arts/Music/Jazz and Shopping/Music/Guitars, and a symbolic category under Shopping/Music
// that stands for Arts/Music.
class SharedNames : public TFakeSiteFeedTest {
protected:
    SharedNames()
    {
        TCategory* arts = Tree.Category(u"Arts", 1);
        TCategory* artsMusic = Tree.Category(u"Music", 2, arts, u"Top/Arts/Music");
        Tree.Category(u"Jazz", 3, artsMusic);
        TCategory* shopping = Tree.Category(u"Shopping", 4);
        TCategory* shoppingMusic = Tree.Category(u"Music", 5, shopping, u"Top/Shopping/Music");
        Tree.Category(u"Guitars", 6, shoppingMusic);
        Tree.Symbolic(u"Sounds", u"Top/Arts/Music", 5);
    }

    TFeedOutcome Run(bool keepJournal = true)
    {
        View = TRecordingView();
        Fields = TLoginFields();
        Fields.Password = Site.Password;
        TFeedSettings settings;
        settings.KeepJournal = keepJournal;
        settings.Pause = [](std::chrono::milliseconds) {};
        TFeedRun run(View, Transport, Fields.Login(), Tree.CategoryTree(), std::move(settings));
        return run.Execute();
    }

    std::filesystem::path JournalFile() const
    {
        return Scratch.Path() / "state" / "tessaroo" / JournalFileName("http://site.test/admin/index.php");
    }

    void WriteJournal(const std::string& records)
    {
        std::filesystem::create_directories(JournalFile().parent_path());
        WriteFile(JournalFile(), records);
    }

    // The site as a run leaves it after creating both branches, and the journal of that run.
    void SiteWithBothBranches()
    {
        Site.Categories = {
            {"Arts", "0", ""}, {"Music", "1", ""}, {"Jazz", "2", ""}, {"Shopping", "0", ""}, {"Music", "4", ""}};
        WriteJournal("category\tArts\t1\ncategory\tArts/Music\t2\ncategory\tArts/Music/Jazz\t3\n"
                     "category\tShopping\t4\n");
    }

    std::vector<std::string> Posts() const
    {
        std::vector<std::string> posts;
        for (const std::string& request : AdminRequests(Transport.Sent))
            if (request.rfind("POST /admin/dir", 0) == 0)
                posts.push_back(request);
        return posts;
    }
};

}  // namespace

TEST_F(SharedNames, BothBranchesAreCreatedUnderTheirOwnParentsAndASecondRunCreatesNothing)
{
    const TFeedOutcome first = Run();
    EXPECT_EQ(Site.Categories, (std::vector<TCreated>{{"Arts", "0", ""},
                                                      {"Music", "1", ""},
                                                      {"Jazz", "2", ""},
                                                      {"Shopping", "0", ""},
                                                      {"Music", "4", ""},
                                                      {"Guitars", "5", ""}}));
    EXPECT_EQ(Site.SymbolicCategories, (std::vector<TCreated>{{"Sounds", "5", "2"}}));
    EXPECT_TRUE(View.MessageLines.empty());
    EXPECT_EQ(first.Created, 6u);
    EXPECT_EQ(first.SymbolicPosted, 1u);
    EXPECT_EQ(ReadFile(Scratch.Path() / "html"), Site.FormPage()) << "the page of the last lookup, a shared name's";

    Transport.Sent.clear();
    const TFeedOutcome second = Run();
    EXPECT_TRUE(Posts().empty());
    EXPECT_EQ(View.MessageLines,
              (std::vector<std::string>{
                  "Arts seems to already exist. skipping.", "Arts/Music is in the journal. skipping.",
                  "Jazz seems to already exist. skipping.", "Shopping seems to already exist. skipping.",
                  "Shopping/Music is in the journal. skipping.", "Guitars seems to already exist. skipping.",
                  "symbolic category Sounds is in the journal. skipping."}));
    EXPECT_EQ(second.AlreadyThere, 7u);
    EXPECT_EQ(second.End, TFeedEnd::Finished);
}

TEST_F(SharedNames, AListingNoJournalAccountsForIsNotGuessedAndNothingBelowItIsPosted)
{
    Site.Categories = {{"Music", "0", ""}};
    const TFeedOutcome outcome = Run(false);

    EXPECT_EQ(Site.Categories, (std::vector<TCreated>{{"Music", "0", ""}, {"Arts", "0", ""}, {"Shopping", "0", ""}}));
    EXPECT_TRUE(Site.SymbolicCategories.empty());
    const std::string unaccounted =
        "the page lists Music once where the journal does not tell which category it is, so it may be there already";
    EXPECT_EQ(outcome.Skipped,
              (std::vector<TFeedEntryNote>{
                  {"Arts/Music", unaccounted},
                  {"Arts/Music/Jazz", "the identifier of its parent cannot be determined: Arts/Music is not posted"},
                  {"Shopping/Music", unaccounted},
                  {"Shopping/Music/Guitars",
                   "the identifier of its parent cannot be determined: Shopping/Music is not posted"},
                  {"symbolic category Sounds", "an identifier cannot be determined: Shopping/Music is not posted"}}));
    EXPECT_EQ(View.MessageLines[0], "Arts/Music skipped: " + unaccounted + ".");
    EXPECT_EQ(outcome.End, TFeedEnd::Finished);
    EXPECT_EQ(View.Outcomes.size(), 1u);
}

TEST_F(SharedNames, APostCutOffInAnEarlierRunIsResolvedByTheListingThatIsNewSince)
{
    SiteWithBothBranches();
    WriteFile(JournalFile(), ReadFile(JournalFile()) + "category-post\tShopping/Music\t2\n");
    Run();

    EXPECT_EQ(View.MessageLines[4], "Shopping/Music is in the journal. skipping.");
    ASSERT_EQ(Site.Categories.size(), 6u);
    EXPECT_EQ(Site.Categories[5], (TCreated{"Guitars", "5", ""}));
    EXPECT_NE(ReadFile(JournalFile()).find("category\tShopping/Music\t5\n"), std::string::npos);
}

TEST_F(SharedNames, ASymbolicPostCutOffInAnEarlierRunIsNotPostedAgain)
{
    SiteWithBothBranches();
    WriteFile(JournalFile(), ReadFile(JournalFile()) +
                                 "category\tShopping/Music\t5\ncategory\tShopping/Music/Guitars\t6\n"
                                 "symbolic-post\tShopping/Music\tArts/Music\tSounds\n");
    Site.Categories.push_back({"Guitars", "5", ""});
    const TFeedOutcome outcome = Run();

    EXPECT_TRUE(Posts().empty());
    EXPECT_EQ(outcome.Skipped, (std::vector<TFeedEntryNote>{
                                   {"symbolic category Sounds",
                                    "its post in an earlier run got no answer, so the site may hold it already"}}));
}

TEST_F(SharedNames, ADryRunReportsEveryEntryAndPostsNothing)
{
    Site.Categories = {{"Arts", "0", ""}, {"Music", "1", ""}};
    WriteJournal("category\tArts/Music\t2\n");
    Fields.Password = Site.Password;
    TFeedSettings settings;
    settings.KeepJournal = true;
    settings.DryRun = true;
    TFeedRun run(View, Transport, Fields.Login(), Tree.CategoryTree(), std::move(settings));
    const TFeedOutcome outcome = run.Execute();

    EXPECT_EQ(AdminRequests(Transport.Sent),
              (std::vector<std::string>{"GET /admin/index.php", "POST /admin/login.php",
                                        "GET /admin/dir_categs_edit.php?action=N", "GET /admin/logout.php"}));
    EXPECT_EQ(View.MessageLines,
              (std::vector<std::string>{"Arts: already there", "Arts/Music: in the journal",
                                        "Arts/Music/Jazz: would be created", "Shopping: would be created",
                                        "Shopping/Music: would be created", "Shopping/Music/Guitars: would be created",
                                        "symbolic category Sounds: would be posted"}));
    std::vector<std::pair<std::string, TEntryAction>> reports;
    for (const TFeedEntryReport& report : View.Reports)
        reports.emplace_back(report.Entry, report.Action);
    EXPECT_EQ(reports,
              (std::vector<std::pair<std::string, TEntryAction>>{{"Arts", TEntryAction::AlreadyThere},
                                                                 {"Arts/Music", TEntryAction::InJournal},
                                                                 {"Arts/Music/Jazz", TEntryAction::Create},
                                                                 {"Shopping", TEntryAction::Create},
                                                                 {"Shopping/Music", TEntryAction::Create},
                                                                 {"Shopping/Music/Guitars", TEntryAction::Create},
                                                                 {"symbolic category Sounds", TEntryAction::Create}}));
    EXPECT_TRUE(outcome.DryRun);
    EXPECT_EQ(outcome.Created, 4u);
    EXPECT_EQ(outcome.AlreadyThere, 2u);
    EXPECT_EQ(outcome.SymbolicPosted, 1u);
    EXPECT_EQ(ReadFile(JournalFile()), "category\tArts/Music\t2\n") << "a dry run writes nothing";
}

TEST(SharedNamesAcrossBlanks, NamesTheSiteMayStoreAlikeAreToldApartLikeOneName)
{
    const TTempFolder scratch;
    const TWorkingDirectory inScratch(scratch.Path());
    const TScopedEnvironment stateFolder("XDG_STATE_HOME", scratch.PathOf("state"));
    TTestDocument tree;
    TCategory* arts = tree.Category(u"Arts", 1);
    tree.Category(u"Music", 2, arts);
    tree.Category(u" Music", 3);
    TFakeAdminSite site;
    TScriptedTransport transport(site.Responder());
    const auto run = [&] {
        TRecordingView view;
        TLoginFields fields;
        fields.Password = site.Password;
        TFeedSettings settings;
        settings.KeepJournal = true;
        return TFeedRun(view, transport, fields.Login(), tree.CategoryTree(), std::move(settings)).Execute();
    };

    const TFeedOutcome first = run();
    EXPECT_EQ(site.Categories, (std::vector<TCreated>{{"Arts", "0", ""}, {"Music", "1", ""}, {" Music", "0", ""}}))
        << "the listing of Arts/Music is no sign of \" Music\" on a site that keeps the blanks";
    EXPECT_EQ(first.Created, 3u);
    const TFeedOutcome second = run();
    EXPECT_EQ(second.Created, 0u);
    EXPECT_EQ(second.AlreadyThere, 3u);
    EXPECT_EQ(site.Categories.size(), 3u);
}
