// Trees of names as people write them fed into the stand-in site as a real directory site
// writes and checks its pages, with and without URL titles checked (--url-rewriting): every
// category must land under its parent, every symbolic category under its parent for its
// target, and a run again, with the journal or without, must create nothing.

#include "common/core/Text.h"
#include "feed/CategoryListing.h"
#include "feed/CategoryPaths.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/CategoryClasses.h"
#include "model/tree/DocumentOfTree.h"
#include "model/tree/TreeBinding.h"

#include "AdminRequests.h"
#include "RecordingTransport.h"
#include "RecordingView.h"
#include "tests/support/HardNamesTree.h"
#include "tests/support/RawHttp.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SiteDatabase.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TreeXml.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

// What a tree or a site holds, by path: "Arts & Crafts/Music" for a category,
// "Japan: Sounds -> Arts & Crafts/Music" for a symbolic category.
using TPaths = std::set<std::string>;

TPaths SitePaths(const std::vector<TSiteRecord>& records)
{
    std::map<std::int64_t, std::string> paths{{0, ""}};
    for (const TSiteRecord& record : records)
        if (!record.Symbolic)
            paths[record.Id] =
                (record.ParentId == 0 ? "" : paths.at(record.ParentId) + "/") + EscapePathName(record.Title);
    TPaths all;
    for (const TSiteRecord& record : records)
        all.insert(record.Symbolic
                       ? paths.at(record.ParentId) + ": " + record.Title + " -> " + paths.at(record.SymbolicId)
                       : paths.at(record.Id));
    return all;
}

class SiteHardNames : public ::testing::TestWithParam<bool> {
protected:
    SiteHardNames()
    {
        RegisterCategoryClasses();
        Client.SetCookieManager(&Cookies);
    }

    bool UrlRewriting() const { return GetParam(); }

    void StartSite()
    {
        std::vector<std::string> arguments{"--db", Scratch.PathOf("site.db")};
        if (UrlRewriting())
            arguments.push_back("--url-rewriting");
        Site = std::make_unique<TSiteProcess>(arguments);
    }

    void Load(const std::string& xml)
    {
        WriteFile("tree.xml", xml);
        LoadTree(CategoryTree, "tree.xml");
    }

    TFeedOutcome Run(bool keepJournal = true)
    {
        View = TRecordingView();
        Fields = TLoginFields();
        Fields.Domain = Site->Domain();
        Fields.Password = "demo";
        Transport.Sent.clear();
        TFeedSettings settings;
        settings.KeepJournal = keepJournal;
        settings.Pause = [this](std::chrono::milliseconds) { ++Pauses; };
        TFeedRun run(View, Transport, Fields.Login(), CategoryTree, std::move(settings));
        return run.Execute();
    }

    // The document as the site should hold it: names as the site stores them.
    TPaths DocumentPaths() const
    {
        const TCategoryPaths paths(CategoryTree);
        const TDmoz document = DocumentOfTree(CategoryTree);
        TPaths all;
        for (const TCategory* category : document.Categories)
            all.insert(paths.SitePathOf(category));
        for (const TSymbolicCategory* symbolic : document.SymbolicCategories)
            all.insert(paths.SitePathOf(document.FindCategoryByID(symbolic->Parent)) + ": " +
                       std::string(StoredTitle(Utf16ToUtf8(symbolic->Name))) + " -> " +
                       paths.SitePathOf(document.FindCategoryByUrl(Utf16ToUtf8(symbolic->Url))));
        return all;
    }

    std::vector<TSiteRecord> Records() const { return SiteRecords(Scratch.PathOf("site.db")); }

    std::size_t Posts(const std::string& of) const
    {
        const std::vector<std::string> requests = AdminRequests(Transport.Sent);
        return static_cast<std::size_t>(std::count(requests.begin(), requests.end(), "POST " + of));
    }

    // A run that finds everything there: nothing posted but the symbolic categories, which
    // the page does not list, without the journal; the site refuses those as had already.
    void ExpectReRunsToCreateNothing()
    {
        const std::vector<TSiteRecord> fed = Records();
        const std::size_t entries = CategoryTree.CategoryCount() + CategoryTree.SymbolicCount();

        const TFeedOutcome withJournal = Run();
        EXPECT_EQ(Posts("/admin/dir_categs_edit.php?action=N") + Posts("/admin/dir_categs_edit.php?action=N&s=1"), 0u);
        EXPECT_EQ(withJournal.AlreadyThere, entries);

        const TFeedOutcome withoutJournal = Run(false);
        EXPECT_EQ(Posts("/admin/dir_categs_edit.php?action=N"), 0u);
        EXPECT_EQ(Posts("/admin/dir_categs_edit.php?action=N&s=1"), CategoryTree.SymbolicCount());
        EXPECT_EQ(withoutJournal.AlreadyThere, entries);
        EXPECT_TRUE(withoutJournal.Failed.empty());
        EXPECT_EQ(Records().size(), fed.size()) << "nothing created";
    }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TScopedEnvironment StateFolder{"XDG_STATE_HOME", Scratch.PathOf("state")};
    std::unique_ptr<TSiteProcess> Site;
    TCookieManager Cookies;
    THTTPClient Client;
    THTTPClientTransport Http{Client};
    TRecordingTransport Transport{Http};
    TRecordingView View;
    TLoginFields Fields;
    int Pauses = 0;
    TCategoryTree CategoryTree;
};

std::string Name(const ::testing::TestParamInfo<bool>& info)
{
    return info.param ? "UrlRewriting" : "PlainUrls";
}

INSTANTIATE_TEST_SUITE_P(BothUrlChecks, SiteHardNames, ::testing::Bool(), Name);

}  // namespace

TEST_P(SiteHardNames, EveryHardNameLandsUnderItsParentAndRunsAgainCreateNothing)
{
    StartSite();
    Load(TreeXml(
        CategoryXml(1, "Arts & Crafts", "Top/Crafts",
                    CategoryXml(2, "Music", "Top/Crafts/Music", CategoryXml(3, "Jazz <&> Blues", "Top/Crafts/Jazz")) +
                        CategoryXml(4, "Say \"Hi\"", "Top/Crafts/Hi") +
                        CategoryXml(5, " Leading and trailing ", "Top/Crafts/Blanks") +
                        CategoryXml(6, "It's > 1", "Top/Crafts/Its")) +
        CategoryXml(7, "Arts", "Top/Arts", CategoryXml(8, "Caf\u00e9", "Top/Arts/Cafe")) +
        CategoryXml(9, "\u65e5\u672c", "Top/Japan",
                    CategoryXml(10, "Music", "Top/Japan/Music", CategoryXml(11, "Rock 'n' Roll", "Top/Japan/Rock")) +
                        SymbolicXml("Sounds", 9, "Top/Crafts/Music")) +
        SymbolicXml("Also Jazz", 7, "Top/Crafts/Jazz")));
    const TFeedOutcome outcome = Run();

    EXPECT_TRUE(outcome.Failed.empty()) << outcome.Failed.front().Entry << ": " << outcome.Failed.front().Reason;
    EXPECT_TRUE(outcome.Skipped.empty());
    EXPECT_EQ(outcome.Created, 11u);
    EXPECT_EQ(outcome.SymbolicPosted, 2u);
    EXPECT_EQ(Pauses, 0);
    EXPECT_EQ(SitePaths(Records()), DocumentPaths());
    EXPECT_EQ(SitePaths(Records()).count("Arts & Crafts/Leading and trailing"), 1u) << "stored trimmed";
    const auto posted = std::find_if(Transport.Sent.begin(), Transport.Sent.end(), [](const TSentRequest& request) {
        return !request.Fields.empty() && request.Fields[0] == "TITLE=Jazz <&> Blues";
    });
    ASSERT_NE(posted, Transport.Sent.end());
    EXPECT_EQ(posted->Fields[1], "TITLE_URL=Jazz-___-Blues");
    ExpectReRunsToCreateNothing();
}

TEST_P(SiteHardNames, ARefusedEntryInTheMiddleFailsAloneAndItsSubtreeIsSkipped)
{
    StartSite();
    const std::string cookie = CookieFromResponse(RawHttpExchange(Site->Port(), RawGetRequest("/admin/index.php")));
    RawHttpExchange(Site->Port(),
                    RawPostRequest("/admin/login.php",
                                   RawFormBody({{"user", "admin"}, {"pass", "demo"}, {"submit", "Login"}}), cookie));
    // An inactive category, which the site does not list but whose title it keeps for itself.
    RawHttpExchange(
        Site->Port(),
        RawPostRequest("/admin/dir_categs_edit.php?action=N",
                       RawFormBody({{"TITLE", "Hidden"}, {"PARENT_ID", "0"}, {"STATUS", "1"}, {"submit", "Save"}}),
                       cookie));
    Load(
        TreeXml(CategoryXml(1, "Before", "Top/Before") +
                CategoryXml(2, "Hidden", "Top/Hidden",
                            CategoryXml(3, "Below", "Top/Hidden/Below", CategoryXml(4, "Deeper", "Top/Hidden/Deeper")) +
                                SymbolicXml("See before", 2, "Top/Before")) +
                CategoryXml(5, "After", "Top/After", SymbolicXml("See below", 5, "Top/Hidden/Below"))));
    const TFeedOutcome outcome = Run();

    const std::string refusal = UrlRewriting() ? "Title is not unique in the parent category. "
                                                 "URL title is not unique in the parent category."
                                               : "Title is not unique in the parent category.";
    EXPECT_EQ(outcome.Failed, (std::vector<TFeedEntryNote>{{"Hidden", refusal}}));
    EXPECT_EQ(
        outcome.Skipped,
        (std::vector<TFeedEntryNote>{
            {"Hidden/Below", "its parent failed"},
            {"Hidden/Below/Deeper", "the identifier of its parent cannot be determined: Hidden/Below is not posted"},
            {"symbolic category See before", "an identifier cannot be determined: Hidden failed"},
            {"symbolic category See below", "an identifier cannot be determined: Hidden/Below is not posted"}}));
    EXPECT_EQ(outcome.Created, 2u);
    EXPECT_EQ(SitePaths(Records()), (TPaths{"Before", "After", "Hidden"}));
}

TEST_P(SiteHardNames, AGeneratedTreeOfAThousandEntriesLandsCompletely)
{
    StartSite();
    WriteHardNamesTree(1000, "tree.xml");
    LoadTree(CategoryTree, "tree.xml");
    const TFeedOutcome outcome = Run();

    EXPECT_TRUE(outcome.Failed.empty()) << outcome.Failed.size() << " failed, first " << outcome.Failed.front().Entry
                                        << ": " << outcome.Failed.front().Reason;
    EXPECT_TRUE(outcome.Skipped.empty());
    EXPECT_EQ(outcome.Created, CategoryTree.CategoryCount());
    EXPECT_EQ(outcome.SymbolicPosted, CategoryTree.SymbolicCount());
    EXPECT_EQ(Pauses, 0);
    EXPECT_EQ(SitePaths(Records()), DocumentPaths());
    ExpectReRunsToCreateNothing();
}
