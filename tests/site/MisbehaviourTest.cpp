#include "tests/site/AdminConversation.h"

#include <gtest/gtest.h>

namespace {

// Every misbehaviour works alike on the real-site and the legacy pages.
class Misbehaviour : public ::testing::TestWithParam<TSitePages> {
protected:
    bool Legacy() const { return GetParam() == TSitePages::Legacy; }
    // The login answer's status: the real-site pages redirect a good login.
    int LoginStatus() const { return Legacy() ? 200 : 302; }
    std::string SavedNotice(const std::string& name) const
    {
        return Legacy() ? "Category <b>" + name + "</b> saved" : "Category saved.";
    }
};

std::string PagesName(const ::testing::TestParamInfo<TSitePages>& info)
{
    return info.param == TSitePages::Legacy ? "LegacyPages" : "RealSitePages";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(BothManners, Misbehaviour, ::testing::Values(TSitePages::RealSite, TSitePages::Legacy),
                         PagesName);

TEST_P(Misbehaviour, HideNewListsANewCategoryOnlyFromTheNthFurtherFormFetch)
{
    TSiteProcess site({"--hide-new", "3"}, GetParam());
    TAdminConversation admin(site);
    admin.LogIn();
    admin.Get(NewCategoryTarget);
    const std::string answer = admin.AddCategory("Late", "0");
    EXPECT_NE(answer.find(SavedNotice("Late")), std::string::npos);
    EXPECT_FALSE(ListedId(answer, "Late").has_value());
    // Hidden from the listing only: it is a parent already.
    EXPECT_NE(admin.AddCategory("Child", "1").find(SavedNotice("Child")), std::string::npos);
    EXPECT_FALSE(ListedId(admin.Get(NewCategoryTarget).Body, "Late").has_value());
    EXPECT_FALSE(ListedId(admin.Get(NewSymbolicTarget).Body, "Late").has_value());
    const std::string third = admin.Get(NewCategoryTarget).Body;
    EXPECT_EQ(ListedId(third, "Late"), "1");
    EXPECT_EQ(ListedId(third, "Child"), "2");
    EXPECT_EQ(ListedId(admin.Get(NewCategoryTarget).Body, "Late"), "1");
}

TEST_P(Misbehaviour, FailAnswersTheStatusForThatPageOnly)
{
    TSiteProcess site({"--fail", "/admin/login.php=500", "--fail", "/admin/dir_categs_edit.php?action=N&s=1=404"},
                      GetParam());
    TAdminConversation admin(site);
    EXPECT_EQ(admin.Get("/admin/index.php").Status, 200);
    const TRawHttpResponse login = admin.Post("/admin/login.php", {{"user", "admin"}, {"pass", "demo"}});
    EXPECT_EQ(login.StatusLine, "HTTP/1.1 500 Internal Server Error");
    EXPECT_NE(login.Body.find("<h1>500 Internal Server Error</h1>"), std::string::npos);

    TSiteProcess other({"--fail", "/admin/dir_categs_edit.php?action=N&s=1=404"}, GetParam());
    TAdminConversation admin2(other);
    admin2.LogIn();
    EXPECT_EQ(admin2.Get(NewCategoryTarget).Status, 200);
    EXPECT_EQ(admin2.Get(NewSymbolicTarget).StatusLine, "HTTP/1.1 404 Not Found");

    // A path without query fails the page whatever its query.
    TSiteProcess third({"--fail", "/admin/dir_categs_edit.php=503"}, GetParam());
    TAdminConversation admin3(third);
    admin3.LogIn();
    EXPECT_EQ(admin3.Get(NewCategoryTarget).Status, 503);
    EXPECT_EQ(admin3.Get(NewSymbolicTarget).Status, 503);
}

TEST_P(Misbehaviour, RedirectAfterLoginSendsAGoodLoginToTheIndex)
{
    TSiteProcess site({"--redirect-after-login"}, GetParam());
    TAdminConversation admin(site);
    const TRawHttpResponse bad = admin.LogIn("admin", "wrong");
    EXPECT_EQ(bad.Status, 200);

    const TRawHttpResponse good = admin.LogIn("admin", "demo");
    EXPECT_EQ(good.Status, 302);
    EXPECT_EQ(good.Header("Location"), "index.php");
    // A client that follows it posts the same form again to the index page.
    const TRawHttpResponse index =
        admin.Post("/admin/index.php", {{"user", "admin"}, {"pass", "demo"}, {"submit", "Login"}});
    EXPECT_EQ(index.Status, 200);
    EXPECT_NE(index.Body.find("logout.php"), std::string::npos);
}

TEST_P(Misbehaviour, NoContentLengthAnswersAreReadUntilTheSiteCloses)
{
    TSiteProcess site({"--no-content-length"}, GetParam());
    TAdminConversation admin(site);
    const TRawHttpResponse login = admin.LogIn();
    EXPECT_EQ(login.Status, LoginStatus());
    EXPECT_TRUE(login.ReadUntilClose);
    EXPECT_FALSE(login.HasHeader("Content-Length"));

    const TRawHttpResponse page = admin.Get(NewCategoryTarget);
    EXPECT_TRUE(page.ReadUntilClose);
    EXPECT_NE(page.Body.find("logout.php"), std::string::npos);
    EXPECT_EQ(page.Body.substr(page.Body.size() - 8), "</html>\n");
}

TEST_P(Misbehaviour, ChunkedAnswersCarryTheWholePage)
{
    TSiteProcess site({"--chunked"}, GetParam());
    TAdminConversation admin(site);
    const TRawHttpResponse login = admin.LogIn();
    EXPECT_EQ(login.Status, LoginStatus());
    EXPECT_TRUE(login.Chunked);

    admin.AddCategory("Arts", "0");
    const TRawHttpResponse page = admin.Get(NewCategoryTarget);
    EXPECT_TRUE(page.Chunked);
    EXPECT_TRUE(ListedId(page.Body, "Arts").has_value());
    EXPECT_EQ(page.Body.substr(page.Body.size() - 8), "</html>\n");
}
