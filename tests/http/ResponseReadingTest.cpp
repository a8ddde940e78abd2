#include "TestServer.h"

#include "http/HTTPClient.h"
#include "http/NetExceptions.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

std::string Chunked(const std::string& chunks)
{
    return Response("HTTP/1.1 200 OK", "Transfer-Encoding: chunked\r\n", chunks);
}

template <typename E>
std::string MessageOf(THTTPClient& client, const std::string& url)
{
    try {
        client.GetPage(url);
    } catch (const E& e) {
        return e.what();
    }
    return "no error";
}

TEST(BodyFraming, EveryFramingOnOneKeptAliveConnection)
{
    TTestServer server;
    server.Reply(OkResponse("exact"));
    server.Reply(Chunked("5\r\nhello\r\n1a;name=value\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\n\r\n"));
    server.Reply(Chunked("3 ext\r\nabc\r\n0\r\nX-Trailer: 1\r\nX-Other: 2\r\n\r\n"));
    server.Reply(Response("HTTP/1.1 200 OK", "Content-Length: 0\r\n", ""));
    server.Reply(Response("HTTP/1.1 204 No Content", "", ""));
    server.Reply(Response("HTTP/1.0 200 OK", "", "until the end"), true);
    THTTPClient client;

    EXPECT_EQ(client.GetPage(server.URL("/1")), "exact");
    EXPECT_EQ(client.GetPage(server.URL("/2")), "helloabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(client.GetPage(server.URL("/3")), "abc");
    EXPECT_EQ(client.GetPage(server.URL("/4")), "");
    EXPECT_EQ(client.GetPage(server.URL("/5")), "");
    EXPECT_EQ(client.GetPage(server.URL("/6")), "until the end");
    EXPECT_EQ(server.Connections(), 1);
}

TEST(BodyFraming, InvalidChunkSizeFailsAndDropsTheConnection)
{
    TTestServer server;
    server.Reply(Chunked("zz\r\nabc\r\n0\r\n\r\n"));
    server.Reply(OkResponse("fresh"));
    THTTPClient client;
    EXPECT_EQ(MessageOf<EInvalidChunkSize>(client, server.URL("/1")), "Invalid chunk size line: \"zz\"");
    EXPECT_EQ(client.GetPage(server.URL("/2")), "fresh");
    EXPECT_EQ(server.Connections(), 2);
}

TEST(BodyFraming, ChunkedWinsOverALengthAndEndsTheConnection)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 200 OK", "Content-Length: 3\r\nTransfer-Encoding: CHUNKED\r\n",
                          "5\r\nhello\r\n0\r\n\r\n" + OkResponse("smuggled")));
    server.Reply(OkResponse("fresh"));
    THTTPClient client;
    EXPECT_EQ(client.GetPage(server.URL("/1")), "hello");
    EXPECT_EQ(client.GetPage(server.URL("/2")), "fresh");
    EXPECT_EQ(server.Connections(), 2);
}

TEST(BodyFraming, LengthsThatCannotFrameABodyFailAndLeaveNothingForTheNextCall)
{
    struct TCase {
        std::string Headers;
        std::string Message;
    };
    const TCase cases[] = {
        {"Content-Length: abc\r\n", "Invalid \"Content-Length\" header: \"abc\""},
        {"Content-Length: -3\r\n", "Invalid \"Content-Length\" header: \"-3\""},
        {"Content-Length: +5\r\n", "Invalid \"Content-Length\" header: \"+5\""},
        {"Content-Length: 99999999999999999999\r\n", "Invalid \"Content-Length\" header: \"99999999999999999999\""},
        {"Content-Length: 5\r\nContent-Length: 6\r\n", "Conflicting \"Content-Length\" headers: \"5\" and \"6\""},
        {"Content-Length: 5, 6\r\n", "Conflicting \"Content-Length\" headers: \"5\" and \"6\""},
    };
    TTestServer server;
    THTTPClient client;
    for (const TCase& c : cases) {
        server.Reply(Response("HTTP/1.1 200 OK", c.Headers, "hello" + OkResponse("stray")));
        server.Reply(OkResponse("own answer"));
        EXPECT_EQ(MessageOf<EInvalidContentLength>(client, server.URL("/bad")), c.Message);
        EXPECT_EQ(client.GetPage(server.URL("/next")), "own answer") << c.Message;
    }
    server.Reply(Response("HTTP/1.1 200 OK", "Content-Length: 5, 5\r\nContent-Length: 5\r\n", "hello"));
    EXPECT_EQ(client.GetPage(server.URL("/same")), "hello");
}

TEST(BodyFraming, AnnouncedSizesAreNotTrusted)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 200 OK", "Content-Length: 1000000000000000000\r\n", "short"), true);
    server.Reply(Chunked("DE0B6B3A7640000\r\nabc"), true);
    server.Reply(Chunked("10000000000000000\r\nabc"), true);
    THTTPClient client;
    EXPECT_EQ(client.GetPage(server.URL("/1")), "short");
    EXPECT_EQ(MessageOf<EConnClosedGracefully>(client, server.URL("/2")), "Connection Closed Gracefully.");
    EXPECT_EQ(MessageOf<EInvalidChunkSize>(client, server.URL("/3")), "Invalid chunk size line: \"10000000000000000\"");
}

TEST(BodyFraming, ShortBodyKeepsEveryByteThatArrived)
{
    TTestServer server;
    const std::string part(40000, 'x');
    server.Reply(Response("HTTP/1.1 200 OK", "Content-Length: 100000\r\n", part), true);
    server.Reply(Response("HTTP/1.1 200 OK", "Content-Length: 100\r\n", "0123456789"), true);
    THTTPClient client;
    EXPECT_EQ(client.GetPage(server.URL("/1")), part);
    EXPECT_EQ(client.GetPage(server.URL("/2")), "0123456789");
}

TEST(StatusAndHeaders, InterimContinueStatusWithoutReasonAndTheResponseRecord)
{
    TTestServer server;
    server.Reply("HTTP/1.1 100 Continue\r\n\r\n" +
                 Response("HTTP/1.1 200",
                          "X-Long: part one\r\n\tpart two\r\nContent-Type: text/plain\r\nContent-Length: 2\r\n", "ok"));
    THTTPClient client;
    EXPECT_EQ(client.GetPage(server.URL("/")), "ok");
    const THTTPResponse& response = client.Response();
    EXPECT_EQ(response.ResponseText, "HTTP/1.1 200");
    EXPECT_EQ(response.ResponseCode, 200);
    EXPECT_EQ(response.RawHeaders.Count(), 4u);
    EXPECT_EQ(response.RawHeaders[1], "\tpart two");
    EXPECT_EQ(response.RawHeaders.Values("x-long"), "part one part two");
    EXPECT_EQ(response.ContentType, "text/plain");
    EXPECT_EQ(response.ContentLength, 2);
}

TEST(StatusAndHeaders, InterimAnswersWithoutAFinalOneEndWithinTheReadTimeout)
{
    TTestServer server;
    server.Reply(TTestServer::TReply{{{0, "HTTP/1.1 100 Continue\r\n\r\n"}}, false});
    TTestServer::TReply endless;
    for (int i = 0; i < 40; ++i)
        endless.Steps.push_back({25, "HTTP/1.1 100 Continue\r\n\r\n"});
    server.Reply(endless);
    THTTPClient client;
    client.ReadTimeout = 300;
    EXPECT_EQ(MessageOf<EReadTimeout>(client, server.URL("/silent")), "Read Timeout.");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageOf<EReadTimeout>(client, server.URL("/endless")), "Read Timeout.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
}

TEST(StatusAndHeaders, LineLengthLimit)
{
    TTestServer server;
    const std::string longest = "X-A: " + std::string(16384 - 5, 'a');
    server.Reply(Response("HTTP/1.1 200 OK", longest + "\r\nContent-Length: 1\r\n", "1"));
    server.Reply(Response("HTTP/1.1 200 OK", longest + "a\r\nContent-Length: 1\r\n", "1"));
    THTTPClient client;
    EXPECT_EQ(client.GetPage(server.URL("/1")), "1");
    EXPECT_EQ(MessageOf<EReadLnMaxLineLengthExceeded>(client, server.URL("/2")), "Max line length exceeded.");
}

TEST(StatusAndHeaders, SuccessCutInsideTheHeaderBlockIsAnUndefinedSituation)
{
    TTestServer server;
    server.Reply("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n", true);
    THTTPClient client;
    EXPECT_EQ(MessageOf<ENetException>(client, server.URL("/")), "Undefined situation");
}

}  // namespace
