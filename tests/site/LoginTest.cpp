#include "tests/site/AdminConversation.h"

#include <gtest/gtest.h>

namespace {

bool Mentions(const std::string& page, const std::string& text)
{
    return page.find(text) != std::string::npos;
}

}  // namespace

TEST(Login, IndexStartsASessionWithACookieForTheWholeSite)
{
    TSiteProcess site;
    TAdminConversation admin(site);
    const TRawHttpResponse index = admin.Get("/admin/index.php");
    EXPECT_EQ(index.Status, 200);
    const std::string setCookie = index.Header("Set-Cookie");
    EXPECT_EQ(setCookie.rfind("CORVANESESSID=", 0), 0u) << setCookie;
    // A client that sends a cookie only for a matching path needs the path attribute.
    EXPECT_NE(setCookie.find("; path=/"), std::string::npos) << setCookie;
    EXPECT_FALSE(Mentions(index.Body, "logout.php"));
    EXPECT_TRUE(Mentions(index.Body, "name=\"user\""));

    // The same session is kept: no new cookie while the old one is sent.
    EXPECT_FALSE(admin.Get("/admin/index.php").HasHeader("Set-Cookie"));
}

TEST(Login, RealSitePagesRedirectAGoodLoginToTheIndexThatLinksToLogout)
{
    TSiteProcess site({}, TSitePages::RealSite);
    TAdminConversation admin(site);
    EXPECT_EQ(admin.LogIn("admin", "wrong").Status, 200);
    const TRawHttpResponse answer = admin.LogIn("admin", "demo");
    EXPECT_EQ(answer.StatusLine, "HTTP/1.1 302 Found");
    EXPECT_EQ(answer.Header("Location"), "index.php");
    EXPECT_FALSE(Mentions(answer.Body, "name=\"pass\""));
    // A browser follows with a GET: the session is logged in, the password went out once.
    EXPECT_TRUE(Mentions(admin.Get("/admin/index.php").Body, "logout.php"));
    EXPECT_EQ(admin.Get(NewCategoryTarget).Status, 200);
}

TEST(Login, LegacyPagesAnswerAGoodLoginWithAPageThatLinksToLogout)
{
    TSiteProcess site({}, TSitePages::Legacy);
    TAdminConversation admin(site);
    const TRawHttpResponse answer = admin.LogIn("admin", "demo");
    EXPECT_EQ(answer.Status, 200);
    EXPECT_TRUE(Mentions(answer.Body, "logout.php"));
    EXPECT_EQ(admin.Get(NewCategoryTarget).Status, 200);
}

TEST(Login, WrongCredentialsGiveTheFormAgainWithAnErrorAndNoLogout)
{
    TSiteProcess site({"--user", "root", "--password", "s3cret pass"}, TSitePages::Legacy);
    const std::pair<std::string, std::string> wrong[] = {
        {"admin", "demo"}, {"root", "s3cret"}, {"ROOT", "s3cret pass"}, {"root", ""}, {"", "s3cret pass"}};
    for (const auto& [user, password] : wrong) {
        TAdminConversation admin(site);
        const TRawHttpResponse answer = admin.LogIn(user, password);
        EXPECT_EQ(answer.Status, 200);
        EXPECT_FALSE(Mentions(answer.Body, "logout.php")) << user << "/" << password;
        EXPECT_TRUE(Mentions(answer.Body, "Wrong user name or password."));
        EXPECT_TRUE(Mentions(answer.Body, "name=\"pass\""));
        EXPECT_EQ(admin.Get(NewCategoryTarget).Status, 302);
    }
    TAdminConversation admin(site);
    EXPECT_TRUE(Mentions(admin.LogIn("root", "s3cret pass").Body, "logout.php"));
}

TEST(Login, AdminPagesWithoutSessionRedirectToTheIndexEvenForPosts)
{
    TSiteProcess site;
    TAdminConversation stranger(site);
    for (const std::string target : {NewCategoryTarget, NewSymbolicTarget}) {
        const TRawHttpResponse get = stranger.Get(target);
        EXPECT_EQ(get.Status, 302);
        EXPECT_EQ(get.Header("Location"), "index.php");
        const TRawHttpResponse post = stranger.Post(target, {{"TITLE", "Sneaky"}, {"PARENT_ID", "0"}, {"STATUS", "2"}});
        EXPECT_EQ(post.Status, 302);
    }
    // A client that follows the redirect sends the POST again to the index page.
    const TRawHttpResponse followed = stranger.Post("/admin/index.php", {{"TITLE", "Sneaky"}, {"PARENT_ID", "0"}});
    EXPECT_EQ(followed.Status, 200);
    EXPECT_TRUE(Mentions(followed.Body, "name=\"user\""));
    EXPECT_FALSE(Mentions(RawHttpExchange(site.Port(), RawGetRequest("/")).Body, "Sneaky"));
}

TEST(Login, LogoutEndsTheSession)
{
    TSiteProcess site;
    TAdminConversation admin(site);
    admin.LogIn();
    const TRawHttpResponse logout = admin.Get("/admin/logout.php");
    EXPECT_EQ(logout.Status, 200);
    EXPECT_FALSE(Mentions(logout.Body, "logout.php"));
    EXPECT_EQ(admin.Get(NewCategoryTarget).Status, 302);
    EXPECT_FALSE(Mentions(admin.Get("/admin/index.php").Body, "logout.php"));
}
