#include "tests/site/AdminConversation.h"

#include <gtest/gtest.h>

TEST(Misbehaviour, HideNewListsANewCategoryOnlyFromTheNthFurtherFormFetch)
{
    TSiteProcess site({"--hide-new", "3"});
    TAdminConversation admin(site);
    admin.LogIn();
    const std::string answer = admin.AddCategory("Late", "0");
    EXPECT_NE(answer.find("Category <b>Late</b> saved"), std::string::npos);
    EXPECT_FALSE(ListedId(answer, "Late").has_value());
    EXPECT_FALSE(ListedId(admin.Get(NewCategoryTarget).Body, "Late").has_value());
    EXPECT_FALSE(ListedId(admin.Get(NewCategoryTarget).Body, "Late").has_value());
    const auto id = ListedId(admin.Get(NewCategoryTarget).Body, "Late");
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(ListedId(admin.Get(NewCategoryTarget).Body, "Late"), id);
    // Hidden from the listing only: it is a parent already.
    EXPECT_FALSE(ListedId(admin.AddCategory("Child", *id), "Child").has_value());
}

TEST(Misbehaviour, FailAnswersTheStatusForThatPageOnly)
{
    TSiteProcess site({"--fail", "/admin/login.php=500", "--fail", "/admin/dir_categs_edit.php?action=N&s=1=404"});
    TAdminConversation admin(site);
    EXPECT_EQ(admin.Get("/admin/index.php").Status, 200);
    const TRawHttpResponse login = admin.Post("/admin/login.php", {{"user", "admin"}, {"pass", "demo"}});
    EXPECT_EQ(login.StatusLine, "HTTP/1.1 500 Internal Server Error");
    EXPECT_NE(login.Body.find("<h1>500 Internal Server Error</h1>"), std::string::npos);

    TSiteProcess other({"--fail", "/admin/dir_categs_edit.php?action=N&s=1=404"});
    TAdminConversation admin2(other);
    admin2.LogIn();
    EXPECT_EQ(admin2.Get(NewCategoryTarget).Status, 200);
    EXPECT_EQ(admin2.Get(NewSymbolicTarget).StatusLine, "HTTP/1.1 404 Not Found");

    // A path without query fails the page whatever its query.
    TSiteProcess third({"--fail", "/admin/dir_categs_edit.php=503"});
    TAdminConversation admin3(third);
    admin3.LogIn();
    EXPECT_EQ(admin3.Get(NewCategoryTarget).Status, 503);
    EXPECT_EQ(admin3.Get(NewSymbolicTarget).Status, 503);
}

TEST(Misbehaviour, RedirectAfterLoginSendsAGoodLoginToTheIndex)
{
    TSiteProcess site({"--redirect-after-login"});
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

TEST(Misbehaviour, NoContentLengthAnswersAreReadUntilTheSiteCloses)
{
    TSiteProcess site({"--no-content-length"});
    TAdminConversation admin(site);
    const TRawHttpResponse login = admin.LogIn();
    EXPECT_TRUE(login.ReadUntilClose);
    EXPECT_FALSE(login.HasHeader("Content-Length"));
    EXPECT_NE(login.Body.find("logout.php"), std::string::npos);

    const TRawHttpResponse page = admin.Get(NewCategoryTarget);
    EXPECT_TRUE(page.ReadUntilClose);
    EXPECT_EQ(page.Body.substr(page.Body.size() - 8), "</html>\n");
}

TEST(Misbehaviour, ChunkedAnswersCarryTheWholePage)
{
    TSiteProcess site({"--chunked"});
    TAdminConversation admin(site);
    const TRawHttpResponse login = admin.LogIn();
    EXPECT_TRUE(login.Chunked);
    EXPECT_NE(login.Body.find("logout.php"), std::string::npos);

    const std::string page = admin.AddCategory("Arts", "0");
    EXPECT_TRUE(ListedId(page, "Arts").has_value());
    EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");
}
