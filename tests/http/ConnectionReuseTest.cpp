#include "TestServer.h"

#include "http/HTTPClient.h"
#include "http/NetExceptions.h"

#include <gtest/gtest.h>

namespace {

std::string RequestLine(const std::string& request)
{
    return request.substr(0, request.find("\r\n"));
}

TEST(ConnectionReuse, TwoGetsShareAConnectionAPostOpensANewOne)
{
    TTestServer server;
    for (int i = 0; i < 4; ++i)
        server.Reply(OkResponse("x", "Connection: keep-alive\r\n"));
    THTTPClient client;
    std::vector<std::string> fields{"a=1"};
    client.GetPage(server.URL("/1"));
    client.GetPage(server.URL("/2"));
    EXPECT_EQ(server.Connections(), 1);
    client.PostForm(server.URL("/3"), fields);
    EXPECT_EQ(server.Connections(), 2);
    client.GetPage(server.URL("/4"));
    EXPECT_EQ(server.Connections(), 2);
}

TEST(ConnectionReuse, ConnectionClosedWhileIdleIsReplacedWithoutError)
{
    TTestServer server;
    server.Reply(OkResponse("first"), true);
    server.Reply(OkResponse("second"));
    THTTPClient client;
    EXPECT_EQ(client.GetPage(server.URL("/1")), "first");
    ASSERT_TRUE(server.WaitForClosedConnections(1));
    EXPECT_EQ(client.GetPage(server.URL("/2")), "second");
    EXPECT_EQ(server.Connections(), 2);
}

TEST(ConnectionReuse, Http10ResponseWithoutKeepAliveClosesAfterPost)
{
    TTestServer server;
    server.Reply(OkResponse("posted"));
    server.Reply(OkResponse("got"));
    THTTPClient client;
    std::vector<std::string> fields{"a=1"};
    client.PostForm(server.URL("/p"), fields);
    client.GetPage(server.URL("/g"));
    EXPECT_EQ(server.Connections(), 2);
}

TEST(ConnectionReuse, GetAfterAFailedPostIsHttp11Again)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 500 Internal Server Error", "Content-Length: 4\r\n", "oops"));
    server.Reply(OkResponse("fine"));
    THTTPClient client;
    std::vector<std::string> fields{"a=1"};
    EXPECT_THROW(client.PostForm(server.URL("/p"), fields), EHTTPProtocolException);
    EXPECT_EQ(client.GetPage(server.URL("/g")), "fine");
    const auto requests = server.Requests();
    EXPECT_EQ(RequestLine(requests[0]), "POST /p HTTP/1.0");
    EXPECT_EQ(RequestLine(requests[1]), "GET /g HTTP/1.1");
}

TEST(ConnectionReuse, ConnectionCloseFromServerEndsReuse)
{
    TTestServer server;
    server.Reply(OkResponse("a", "Connection: close\r\n"));
    server.Reply(OkResponse("b"));
    THTTPClient client;
    client.GetPage(server.URL("/1"));
    client.GetPage(server.URL("/2"));
    EXPECT_EQ(server.Connections(), 2);
}

TEST(Transport, RefusedConnectionAndUnknownHostCarryTheirSocketErrors)
{
    int port = 0;
    {
        TTestServer closed;
        port = closed.Port();
    }
    THTTPClient client;
    try {
        client.GetPage("http://127.0.0.1:" + std::to_string(port) + "/");
        FAIL();
    } catch (const EConnectException& e) {
        EXPECT_STREQ(e.what(), "Socket Error # 10061\r\nConnection refused.");
        EXPECT_EQ(e.LastError(), 10061);
    }
    try {
        client.GetPage("http:///admin/index.php");
        FAIL();
    } catch (const ESocketError& e) {
        EXPECT_STREQ(e.what(), "Socket Error # 11001\r\nHost not found.");
    }
}

TEST(Transport, ResetWhileReadingIsASocketError)
{
    TTestServer server;
    server.Reply(TTestServer::TReply{{{0, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart"}}, false, true});
    THTTPClient client;
    try {
        client.GetPage(server.URL("/"));
        FAIL();
    } catch (const ESocketError& e) {
        EXPECT_STREQ(e.what(), "Socket Error # 10054\r\nConnection reset by peer.");
        EXPECT_EQ(e.LastError(), 10054);
    }
}

TEST(Transport, ServerClosingBeforeTheStatusLineKeepsTheLastResponse)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 200 Fine", "Content-Length: 0\r\nConnection: close\r\n", ""));
    server.Reply("", true);
    THTTPClient client;
    client.GetPage(server.URL("/"));
    try {
        client.GetPage(server.URL("/"));
        FAIL();
    } catch (const EConnClosedGracefully& e) {
        EXPECT_STREQ(e.what(), "Connection Closed Gracefully.");
    }
    EXPECT_EQ(client.Response().ResponseText, "HTTP/1.1 200 Fine");
    EXPECT_EQ(client.Response().ResponseCode, 200);
}

}  // namespace
