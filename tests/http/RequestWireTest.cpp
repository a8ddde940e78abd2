#include "TestServer.h"

#include "http/FormEncoding.h"
#include "http/HTTPClient.h"

#include <gtest/gtest.h>

namespace {

std::string CommonHeaders(const TTestServer& server)
{
    return "Host: 127.0.0.1:" + std::to_string(server.Port()) +
           "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Tessaroo)\r\n";
}

TEST(RequestWire, GetBeforePostThenPostThenGetAfterIt)
{
    TTestServer server;
    server.Reply(OkResponse("index"));
    server.Reply(OkResponse("logged in", "Connection: keep-alive\r\n"));
    server.Reply(OkResponse("again"));
    THTTPClient client;
    client.HandleRedirects = true;

    EXPECT_EQ(client.GetPage(server.URL("/admin/index.php")), "index");
    std::vector<std::string> fields{"user=a", "pass=b", "submit=Login"};
    EXPECT_EQ(client.PostForm(server.URL("/admin/login.php"), fields), "logged in");
    EXPECT_EQ(client.GetPage(server.URL("/admin/index.php")), "again");

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], "GET /admin/index.php HTTP/1.1\r\n"
                           "Content-Type: text/html\r\n" +
                               CommonHeaders(server) + "\r\n");
    EXPECT_EQ(requests[1], "POST /admin/login.php HTTP/1.0\r\n"
                           "Connection: keep-alive\r\n"
                           "Content-Type: application/x-www-form-urlencoded\r\n"
                           "Content-Length: 27\r\n" +
                               CommonHeaders(server) + "\r\nuser=a&pass=b&submit=Login&");
    EXPECT_EQ(requests[2], "GET /admin/index.php HTTP/1.1\r\n"
                           "Connection: keep-alive\r\n"
                           "Content-Type: application/x-www-form-urlencoded\r\n" +
                               CommonHeaders(server) + "\r\n");
}

TEST(RequestWire, FragmentIsNeverSentAndQueryIs)
{
    TTestServer server;
    server.Reply(OkResponse("x"));
    THTTPClient client;
    client.GetPage(server.URL("/admin/dir_categs_edit.php?action=N&s=1#top"));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].substr(0, 52), "GET /admin/dir_categs_edit.php?action=N&s=1 HTTP/1.1");
}

TEST(RequestWire, PostedValuesAreEncodedInPlaceNamesStay)
{
    TTestServer server;
    server.Reply(OkResponse("x"));
    THTTPClient client;
    std::vector<std::string> fields{"TITLE_URL=a-b_c.d", "TITLE=Hello World", "EMPTY=", "ID=12"};
    client.PostForm(server.URL("/p.php"), fields);

    EXPECT_EQ(fields, (std::vector<std::string>{"TITLE_URL=a%2Db%5Fc%2Ed", "TITLE=Hello+World", "EMPTY=", "ID=12"}));
    const std::string request = server.Requests().at(0);
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), "TITLE_URL=a%2Db%5Fc%2Ed&TITLE=Hello+World&EMPTY=&ID=12&");
}

TEST(FormBody, OneLineHasNoAmpersandAnEmptyListIsEmpty)
{
    EXPECT_EQ(FormBody({"a=b"}), "a=b");
    EXPECT_EQ(FormBody({}), "");
    EXPECT_EQ(FormBody({"a=1", "b=2"}), "a=1&b=2&");
    EXPECT_EQ(EncodeFormValue("\xC3\xA9 /"), "%C3%A9+%2F");
}

TEST(FormBody, RepeatedNamesAreEachEncodedOnce)
{
    std::vector<std::string> fields{"a=x y", "a=z w"};
    EncodeFormValues(fields);
    EXPECT_EQ(fields, (std::vector<std::string>{"a=x+y", "a=z+w"}));
}

TEST(RequestWire, EmptyFormSendsContentLengthZero)
{
    TTestServer server;
    server.Reply(OkResponse("x"));
    THTTPClient client;
    std::vector<std::string> fields;
    client.PostForm(server.URL("/p.php"), fields);
    const std::string request = server.Requests().at(0);
    EXPECT_NE(request.find("\r\nContent-Length: 0\r\n"), std::string::npos);
    EXPECT_EQ(request.substr(request.size() - 4), "\r\n\r\n");
}

TEST(RequestWire, BasicChallengesLeaveEmptyCredentialsOnLaterRequests)
{
    TTestServer server;
    server.Reply(
        Response("HTTP/1.1 401 Unauthorized",
                 "WWW-Authenticate: Digest x\r\nWWW-Authenticate: Basic realm=\"admin\"\r\nContent-Length: 0\r\n", ""));
    server.Reply(Response("HTTP/1.1 407 Proxy Authentication Required",
                          "Proxy-Authenticate: basic\r\nContent-Length: 0\r\n", ""));
    server.Reply(OkResponse("x"));
    THTTPClient client;
    EXPECT_THROW(client.GetPage(server.URL("/a")), EHTTPProtocolException);
    EXPECT_THROW(client.GetPage(server.URL("/a")), EHTTPProtocolException);
    client.GetPage(server.URL("/a"));
    const auto requests = server.Requests();
    EXPECT_EQ(requests[0].find("Authorization"), std::string::npos);
    EXPECT_NE(requests[1].find("User-Agent: Mozilla/3.0 (compatible; Tessaroo)\r\nAuthorization: Basic Og==\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(requests[2].find("\r\nAuthorization: Basic Og==\r\nProxy-Authorization: Basic Og==\r\n\r\n"),
              std::string::npos);
}

}  // namespace
