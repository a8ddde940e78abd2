#include "tests/site/AdminConversation.h"

#include <gtest/gtest.h>

TEST(Protocol, HttpOneZeroPostWithTrailingAmpersandIsReadAndAnswered)
{
    TSiteProcess site({}, TSitePages::Legacy);
    TAdminConversation admin(site);
    admin.Get("/admin/index.php");
    const std::string body = "user=admin&pass=demo&submit=Login&";
    ASSERT_EQ(RawFormBody({{"user", "admin"}, {"pass", "demo"}, {"submit", "Login"}}), body);

    TRawHttpConnection connection(site.Port());
    connection.Send(RawPostRequest("/admin/login.php", body, admin.Cookie));
    const TRawHttpResponse answer = connection.ReadResponse();
    EXPECT_EQ(answer.Status, 200);
    EXPECT_NE(answer.Body.find("logout.php"), std::string::npos);
    // The site does not keep an HTTP/1.0 connection, and so does not claim to.
    EXPECT_NE(answer.Header("Connection"), "keep-alive");
    EXPECT_TRUE(connection.ClosedByServer(5000));
}

TEST(Protocol, HttpOneOneGetsShareAConnection)
{
    TSiteProcess site;
    TRawHttpConnection connection(site.Port());
    for (int i = 0; i < 3; ++i) {
        connection.Send(RawGetRequest("/"));
        const TRawHttpResponse page = connection.ReadResponse();
        EXPECT_EQ(page.Status, 200);
        EXPECT_EQ(page.Header("Content-Length"), std::to_string(page.Body.size()));
    }
}

TEST(Protocol, GetWithAFormContentTypeAndNoBodyIsAnsweredAtOnce)
{
    // After its first post the program sends its GETs with the form content type.
    TSiteProcess site;
    const TRawHttpResponse page =
        RawHttpExchange(site.Port(), "GET /admin/index.php HTTP/1.1\r\nConnection: keep-alive\r\n"
                                     "Content-Type: application/x-www-form-urlencoded\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_EQ(page.Status, 200);
}

TEST(Protocol, OverlongFormIsRefusedWithAStatusAndCreatesNothing)
{
    TSiteProcess site;
    TAdminConversation admin(site);
    admin.LogIn();
    const TRawHttpResponse answer =
        admin.Post(NewCategoryTarget,
                   {{"TITLE", std::string(10000, 'x')}, {"PARENT_ID", "0"}, {"STATUS", "2"}, {"submit", "Save"}});
    EXPECT_EQ(answer.StatusLine, "HTTP/1.1 413 Payload Too Large");
    EXPECT_EQ(RawHttpExchange(site.Port(), RawGetRequest("/")).Body.find("xxxx"), std::string::npos);
    EXPECT_EQ(admin.Get(NewCategoryTarget).Status, 200);
}
