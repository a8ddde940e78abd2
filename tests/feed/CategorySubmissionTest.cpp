#include "feed/CategorySubmission.h"
#include "feed/AdminSession.h"
#include "feed/FeedErrors.h"

#include "RecordingView.h"
#include "ScriptedTransport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string ArtsListed = "<option title=\"___Arts\" value=\"7\">";
const std::string NewCategoryUrl = "http://site.test/admin/dir_categs_edit.php?action=N";

// A site whose form page starts to list "Music" with the page of the given request
// (counted from 1 over all requests), and lists Arts throughout.
class TLateListingSite {
public:
    explicit TLateListingSite(int listedFrom) : ListedFrom(listedFrom) {}

    std::string operator()(const TSentRequest&)
    {
        ++Requests;
        return ArtsListed + (Requests >= ListedFrom ? "___Music\" value=\"8\"" : "");
    }

private:
    int ListedFrom;
    int Requests = 0;
};

class CategorySubmission : public ::testing::Test {
protected:
    explicit CategorySubmission(TScriptedTransport::TResponder responder = TLateListingSite(1))
        : Transport(std::move(responder))
    {
    }

    void UseSite(TScriptedTransport::TResponder responder) { Transport = TScriptedTransport(std::move(responder)); }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TScriptedTransport Transport;
    TRecordingView View;
    TAdminSession Session{Transport, BuildAdminAddresses("site.test")};
    std::vector<std::chrono::milliseconds> Pauses;
    TCategorySubmitter Submitter{Session, View, [this](std::chrono::milliseconds pause) { Pauses.push_back(pause); }};
};

std::string MissingLine(int examination)
{
    return "category Music seem like it was not added. regetting page " + std::to_string(examination) +
           " of 5 before abort...";
}

}  // namespace

TEST_F(CategorySubmission, PostsTheFormWithTheParentsIdFromTheCurrentPage)
{
    Session.SendRequest(NewCategoryUrl);
    Submitter.AddCategory("Music", "Arts");

    ASSERT_EQ(Transport.Sent.size(), 2u);
    EXPECT_EQ(Transport.Sent[1].Method, "POST");
    EXPECT_EQ(Transport.Sent[1].Url, NewCategoryUrl);
    EXPECT_EQ(Transport.Sent[1].Fields,
              (std::vector<std::string>{"TITLE=Music", "TITLE_URL=Music", "PARENT_ID=7", "STATUS=2", "submit=Save"}));
    EXPECT_TRUE(View.MessageLines.empty());
    EXPECT_TRUE(Pauses.empty());
    EXPECT_EQ(View.ProcessCalls, 0);
}

TEST_F(CategorySubmission, WithoutParentSendsZeroAndLeavesNoDump)
{
    UseSite([](const TSentRequest&) { return std::string("___Rock and Roll\" value=\"3\""); });
    Submitter.AddCategory("Rock and Roll", "");

    ASSERT_EQ(Transport.Sent.size(), 1u);
    EXPECT_EQ(Transport.Sent[0].Fields, (std::vector<std::string>{"TITLE=Rock and Roll", "TITLE_URL=Rock-and-Roll",
                                                                  "PARENT_ID=0", "STATUS=2", "submit=Save"}));
    EXPECT_FALSE(std::filesystem::exists(Scratch.Path() / "html"));
}

TEST_F(CategorySubmission, LeavesThePageOfEveryNamedLookupInTheDump)
{
    int requests = 0;
    UseSite([&requests](const TSentRequest&) { return ArtsListed + "___Music\" page " + std::to_string(++requests); });
    Session.SendRequest(NewCategoryUrl);
    Submitter.AddCategory("Music", "Arts");
    EXPECT_EQ(ReadFile(Scratch.Path() / "html"), ArtsListed + "___Music\" page 1")
        << "the parent's page, not the answer";
    Submitter.AddSymbolicCategory("Sounds", "", "Music");
    EXPECT_EQ(ReadFile(Scratch.Path() / "html"), ArtsListed + "___Music\" page 2") << "the target's lookup alone";
}

TEST_F(CategorySubmission, LeavesOutAParentIdListedEmpty)
{
    UseSite([](const TSentRequest& request) {
        return std::string(request.Method == "GET" ? "___Arts\" value=\"\"" : "___Music\"");
    });
    Session.SendRequest(NewCategoryUrl);
    Submitter.AddCategory("Music", "Arts");
    EXPECT_EQ(Transport.Sent[1].Fields,
              (std::vector<std::string>{"TITLE=Music", "TITLE_URL=Music", "STATUS=2", "submit=Save"}));
}

TEST_F(CategorySubmission, RefetchesUntilTheCategoryShowsOnTheThirdRefetch)
{
    UseSite(TLateListingSite(4));  // POST, re-fetch 1 and 2 without it, re-fetch 3 with it
    Submitter.AddCategory("Music", "Arts");

    EXPECT_EQ(View.MessageLines, (std::vector<std::string>{MissingLine(1), MissingLine(2), MissingLine(3)}));
    EXPECT_EQ(Pauses, std::vector<std::chrono::milliseconds>(2, std::chrono::milliseconds(1000)))
        << "the first re-fetch goes out at once";
    EXPECT_EQ(View.ProcessCalls, 3);
    ASSERT_EQ(Transport.Sent.size(), 4u);
    for (size_t i = 1; i < Transport.Sent.size(); ++i) {
        EXPECT_EQ(Transport.Sent[i].Method, "GET");
        EXPECT_EQ(Transport.Sent[i].Url, NewCategoryUrl);
    }
}

TEST_F(CategorySubmission, GivesUpAfterFiveRefetchesWithoutExaminingTheLastPage)
{
    UseSite(TLateListingSite(7));  // only the fifth re-fetch would list it
    try {
        Submitter.AddCategory("Music", "Arts");
        FAIL() << "no error";
    } catch (const ECategoryNotAdded& e) {
        EXPECT_STREQ(e.what(), "problems with category: Music");
    }
    EXPECT_EQ(View.MessageLines, (std::vector<std::string>{MissingLine(1), MissingLine(2), MissingLine(3),
                                                           MissingLine(4), MissingLine(5)}));
    EXPECT_EQ(Pauses.size(), 4u);
    EXPECT_EQ(Transport.Sent.size(), 6u) << "one POST and five re-fetches, never a second POST";
    EXPECT_EQ(Transport.Sent.back().Method, "GET");
}

TEST_F(CategorySubmission, MessageLineCarriesNamesWithPercentSignsUnchanged)
{
    UseSite([](const TSentRequest&) { return std::string(); });
    EXPECT_THROW(Submitter.AddCategory("100% %d %s", ""), ECategoryNotAdded);
    EXPECT_EQ(View.MessageLines.at(1),
              "category 100% %d %s seem like it was not added. regetting page 2 of 5 before abort...");
}

TEST_F(CategorySubmission, FailedRequestLeavesTheCurrentPageAndReachesTheCaller)
{
    UseSite([](const TSentRequest& request) -> std::string {
        if (request.Method == "POST")
            throw std::runtime_error("connection refused");
        return ArtsListed;
    });
    Session.SendRequest(NewCategoryUrl);
    EXPECT_THROW(Submitter.AddCategory("Music", "Arts"), std::runtime_error);
    EXPECT_EQ(Session.CurrentPage(), ArtsListed);
}

TEST_F(CategorySubmission, SymbolicCategoryIsPostedOnceWithBothIdsOrZero)
{
    UseSite([](const TSentRequest&) { return ArtsListed + "___Music\" value=\"8\""; });
    Session.SendRequest(NewCategoryUrl);
    Submitter.AddSymbolicCategory("Sounds", "Arts", "Music");
    Submitter.AddSymbolicCategory("Noise", "Unlisted", "Music");

    ASSERT_EQ(Transport.Sent.size(), 3u);
    EXPECT_EQ(Transport.Sent[1].Url, "http://site.test/admin/dir_categs_edit.php?action=N&s=1");
    EXPECT_EQ(Transport.Sent[1].Fields,
              (std::vector<std::string>{"TITLE=Sounds", "PARENT_ID=7", "SYMBOLIC_ID=8", "STATUS=2", "submit=Save"}));
    EXPECT_EQ(Transport.Sent[2].Fields,
              (std::vector<std::string>{"TITLE=Noise", "PARENT_ID=0", "SYMBOLIC_ID=8", "STATUS=2", "submit=Save"}));
}

TEST(AdminSession, LoginPostsTheCredentialsAndLooksForTheLogoutLink)
{
    TScriptedTransport transport([](const TSentRequest& request) {
        return std::string(request.Method == "POST" ? "<!-- logout.php -->" : "index");
    });
    TAdminSession session(transport, BuildAdminAddresses("site.test"));
    EXPECT_TRUE(session.Login("admin", "pa ss&"));
    ASSERT_EQ(transport.Sent.size(), 2u);
    EXPECT_EQ(transport.Sent[0].Url, "http://site.test/admin/index.php");
    EXPECT_EQ(transport.Sent[1].Url, "http://site.test/admin/login.php");
    EXPECT_EQ(transport.Sent[1].Fields, (std::vector<std::string>{"user=admin", "pass=pa ss&", "submit=Login"}));
}

TEST(AdminSession, LoginLeavesOutEmptyCredentialsAndNeedsTheExactLink)
{
    TScriptedTransport transport([](const TSentRequest&) { return std::string("LOGOUT.PHP logout.ph"); });
    TAdminSession session(transport, BuildAdminAddresses("site.test"));
    EXPECT_FALSE(session.Login("", ""));
    EXPECT_EQ(transport.Sent.back().Fields, (std::vector<std::string>{"submit=Login"}));
}
