#include "TestServer.h"

#include "http/HTTPClient.h"
#include "http/NetExceptions.h"
#include "http/Redirects.h"

#include <gtest/gtest.h>

namespace {

std::string Redirect(const std::string& status, const std::string& location)
{
    return Response(status, "Location: " + location + "\r\nContent-Length: 5\r\n", "moved");
}

std::string RequestLine(const std::string& request)
{
    return request.substr(0, request.find("\r\n"));
}

std::string Body(const std::string& request)
{
    return request.substr(request.find("\r\n\r\n") + 4);
}

TEST(Redirects, PostFoundIsPostedAgainAndSeeOtherBecomesAGet)
{
    TTestServer server;
    server.Reply(Redirect("HTTP/1.1 302 Found", "index.php"));
    server.Reply(OkResponse("after 302", "Connection: keep-alive\r\n"));
    server.Reply(Redirect("HTTP/1.1 303 See Other", "index.php?done=1"));
    server.Reply(OkResponse("after 303"));
    THTTPClient client;
    client.HandleRedirects = true;
    std::vector<std::string> fields{"user=a", "pass=b"};

    EXPECT_EQ(client.PostForm(server.URL("/admin/login.php"), fields), "after 302");
    EXPECT_EQ(client.PostForm(server.URL("/admin/dir_categs_edit.php?action=N"), fields), "after 303");

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(RequestLine(requests[1]), "POST /admin/index.php HTTP/1.0");
    EXPECT_EQ(Body(requests[1]), "user=a&pass=b&");
    EXPECT_EQ(RequestLine(requests[3]), "GET /admin/index.php?done=1 HTTP/1.0");
    EXPECT_EQ(requests[3].find("Content-Length"), std::string::npos);
    EXPECT_EQ(Body(requests[3]), "");
}

TEST(Redirects, ALoginPostFollowsFoundAndSeeOtherWithAGetSoThePasswordGoesOutOnce)
{
    TTestServer server;
    server.Reply(Redirect("HTTP/1.1 302 Found", "index.php"));
    server.Reply(OkResponse("after 302"));
    server.Reply(Redirect("HTTP/1.1 303 See Other", "index.php"));
    server.Reply(OkResponse("after 303"));
    server.Reply(Redirect("HTTP/1.1 307 Temporary Redirect", "again.php"));
    server.Reply(OkResponse("after 307"));
    THTTPClient client;
    client.HandleRedirects = true;
    for (const char* answer : {"after 302", "after 303", "after 307"}) {
        std::vector<std::string> fields{"user=a", "pass=secret"};
        EXPECT_EQ(client.PostForm(server.URL("/admin/login.php"), fields, TFoundAfterPost::Get), answer);
    }

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(RequestLine(requests[1]), "GET /admin/index.php HTTP/1.0");
    EXPECT_EQ(requests[1].find("Content-Length"), std::string::npos);
    EXPECT_EQ(Body(requests[1]), "");
    EXPECT_EQ(RequestLine(requests[3]), "GET /admin/index.php HTTP/1.0");
    EXPECT_EQ(RequestLine(requests[5]), "POST /admin/again.php HTTP/1.0") << "307 asks for the same method";
    EXPECT_EQ(Body(requests[5]), "user=a&pass=secret&");
}

TEST(Redirects, AFormIsNeverPostedAgainToAnotherSite)
{
    TTestServer site;
    TTestServer other;
    const std::string otherHost = "http://localhost:" + std::to_string(site.Port());
    site.Reply(Redirect("HTTP/1.1 302 Found", otherHost + "/admin/index.php"));
    site.Reply(OkResponse("landed without the form"));
    site.Reply(Redirect("HTTP/1.1 307 Temporary Redirect", other.URL("/steal.php")));
    site.Reply(Redirect("HTTP/1.1 308 Permanent Redirect", "again.php"));
    site.Reply(OkResponse("posted again on the same site"));
    THTTPClient client;
    client.HandleRedirects = true;
    std::vector<std::string> fields{"user=a", "pass=secret"};

    EXPECT_EQ(client.PostForm(site.URL("/admin/login.php"), fields), "landed without the form");
    try {
        client.PostForm(site.URL("/admin/login.php"), fields);
        FAIL();
    } catch (const ERedirectRefused& e) {
        EXPECT_EQ(e.what(), "Refusing to post the form again to another site: " + other.URL("/steal.php"));
    }
    EXPECT_EQ(client.PostForm(site.URL("/admin/login.php"), fields), "posted again on the same site");

    const auto requests = site.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(RequestLine(requests[1]), "GET /admin/index.php HTTP/1.0");
    EXPECT_NE(requests[1].find("\r\nHost: localhost:" + std::to_string(site.Port()) + "\r\n"), std::string::npos);
    EXPECT_EQ(requests[1].find("Content-Length"), std::string::npos);
    EXPECT_EQ(Body(requests[1]), "");
    EXPECT_EQ(RequestLine(requests[4]), "POST /admin/again.php HTTP/1.0");
    EXPECT_EQ(Body(requests[4]), "user=a&pass=secret&");
    EXPECT_TRUE(other.Requests().empty());
}

TEST(Redirects, OnlyTheMoveUpFromPort80ToHttpsOn443StaysOnTheSite)
{
    const TURI from = ResolveURL(TURI(), "http://site.test/admin/login.php");
    const auto methodTo = [&](int status, const std::string& target) {
        return RedirectMethod(status, THTTPMethod::hmPost, from, ResolveURL(from, target), target);
    };
    EXPECT_EQ(methodTo(301, "https://site.test/admin/login.php"), THTTPMethod::hmPost);
    EXPECT_EQ(methodTo(308, "https://SITE.TEST:443/admin/login.php"), THTTPMethod::hmPost);
    EXPECT_EQ(methodTo(302, "https://site.test:8443/admin/login.php"), THTTPMethod::hmGet);
    EXPECT_EQ(methodTo(301, "http://www.site.test/admin/login.php"), THTTPMethod::hmGet);
    EXPECT_EQ(methodTo(302, "https://site.test/admin/index.php"), THTTPMethod::hmPost);
    EXPECT_EQ(RedirectMethod(302, THTTPMethod::hmPost, from, ResolveURL(from, "index.php"), "index.php",
                             TFoundAfterPost::Get),
              THTTPMethod::hmGet);
    EXPECT_EQ(RedirectMethod(301, THTTPMethod::hmPost, from, ResolveURL(from, "index.php"), "index.php",
                             TFoundAfterPost::Get),
              THTTPMethod::hmPost)
        << "only 302 and 303 become a GET";
    EXPECT_THROW(methodTo(307, "https://www.site.test/admin/login.php"), ERedirectRefused);
    EXPECT_EQ(RedirectMethod(307, THTTPMethod::hmGet, from, ResolveURL(from, "http://else.test/"), ""),
              THTTPMethod::hmGet);
}

TEST(Redirects, ALocationWithBlanksIsEncodedOnTheRequestLine)
{
    TTestServer server;
    server.Reply(Redirect("HTTP/1.1 302 Found", "/new page.php?q=a b\x01#frag ment"));
    server.Reply(OkResponse("x"));
    THTTPClient client;
    client.HandleRedirects = true;
    client.GetPage(server.URL("/"));
    EXPECT_EQ(RequestLine(server.Requests().at(1)), "GET /new%20page.php?q=a%20b%01 HTTP/1.1");
}

TEST(Redirects, AHostWithANulOrAControlByteIsNotFoundAndNothingIsSent)
{
    TTestServer server;
    const std::string port = std::to_string(server.Port());
    server.Reply(Redirect("HTTP/1.1 302 Found", std::string("http://127.0.0.1\0.other.test:", 29) + port + "/x"));
    server.Reply(Redirect("HTTP/1.1 302 Found", "http://127.0.0.1\rx:" + port + "/x"));
    THTTPClient client;
    client.HandleRedirects = true;
    for (int call = 0; call < 2; ++call) {
        try {
            client.GetPage(server.URL("/"));
            FAIL();
        } catch (const ESocketError& e) {
            EXPECT_STREQ(e.what(), "Socket Error # 11001\r\nHost not found.");
        }
    }
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(Redirects, RelativeTargetsResolveAndOnlyA3xxRedirects)
{
    TTestServer server;
    server.Reply(Redirect("HTTP/1.1 302 Found", "../up/x.php"));
    server.Reply(Redirect("HTTP/1.1 301 Moved Permanently", "sub//y.php"));
    server.Reply(Redirect("HTTP/1.1 200 OK", "/elsewhere"));
    server.Reply(Response("HTTP/1.1 404 Not Found", "Location: /elsewhere\r\nContent-Length: 4\r\n", "gone"));
    THTTPClient client;
    client.HandleRedirects = true;
    EXPECT_EQ(client.GetPage(server.URL("/admin/index.php")), "moved");
    EXPECT_THROW(client.GetPage(server.URL("/missing")), EHTTPProtocolException);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(RequestLine(requests[1]), "GET /up/x.php HTTP/1.1");
    EXPECT_EQ(RequestLine(requests[2]), "GET /up/sub/y.php HTTP/1.1");
    EXPECT_EQ(RequestLine(requests[3]), "GET /missing HTTP/1.1");
    EXPECT_EQ(server.Connections(), 1);
}

TEST(Redirects, AChainOfTwentyFailsAfterFifteenRequests)
{
    TTestServer server;
    for (int i = 0; i < 20; ++i)
        server.Reply(Redirect("HTTP/1.1 302 Found", "/r" + std::to_string(i + 1)));
    THTTPClient client;
    client.HandleRedirects = true;
    try {
        client.GetPage(server.URL("/r0"));
        FAIL();
    } catch (const ETooManyRedirects& e) {
        EXPECT_STREQ(e.what(), "Too many redirects");
    }
    EXPECT_EQ(server.Requests().size(), 15u);
    EXPECT_EQ(client.Response().Location, "/r15");
    // The count starts afresh with every call: the five redirects left over and nine more
    // still end in a page at the fifteenth request.
    for (int i = 0; i < 9; ++i)
        server.Reply(Redirect("HTTP/1.1 302 Found", "/s" + std::to_string(i + 1)));
    server.Reply(OkResponse("arrived"));
    EXPECT_EQ(client.GetPage(server.URL("/again")), "arrived");
    EXPECT_EQ(server.Requests().size(), 30u);
}

TEST(Redirects, NotHandledIsAProtocolError)
{
    TTestServer server;
    server.Reply(Redirect("HTTP/1.1 302 Found", "/elsewhere"));
    THTTPClient client;
    try {
        client.GetPage(server.URL("/"));
        FAIL();
    } catch (const EHTTPProtocolException& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 302 Found");
        EXPECT_EQ(e.ErrorCode(), 302);
        EXPECT_EQ(client.Response().Location, "/elsewhere");
    }
}

TEST(Redirects, RedirectWithoutLocationIsAProtocolError)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 301 Moved Permanently", "Content-Length: 0\r\n", ""));
    THTTPClient client;
    client.HandleRedirects = true;
    try {
        client.GetPage(server.URL("/"));
        FAIL();
    } catch (const EHTTPProtocolException& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 301 Moved Permanently");
    }
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(Redirects, UnknownProtocolsFail)
{
    TTestServer server;
    server.Reply(Redirect("HTTP/1.1 302 Found", "ftp://127.0.0.1/file"));
    THTTPClient client;
    client.HandleRedirects = true;
    EXPECT_THROW(client.GetPage(server.URL("/")), EUnknownProtocol);
    EXPECT_THROW(client.GetPage("ftp://127.0.0.1/x"), EUnknownProtocol);
}

TEST(ProtocolErrors, ErrorBodyAndStatusLineAreKept)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 404 Not Found", "Content-Length: 9\r\n", "not here!"));
    server.Reply(Response("HTTP/1.1 304 Not Modified", "", ""));
    THTTPClient client;
    client.HandleRedirects = true;
    try {
        client.GetPage(server.URL("/missing"));
        FAIL();
    } catch (const EHTTPProtocolException& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 404 Not Found");
        EXPECT_EQ(e.ErrorCode(), 404);
        EXPECT_EQ(e.ErrorMessage(), "not here!");
        EXPECT_EQ(client.Response().ResponseText, "HTTP/1.1 404 Not Found");
    }
    try {
        client.GetPage(server.URL("/cached"));
        FAIL();
    } catch (const EHTTPProtocolException& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 304 Not Modified");
    }
    EXPECT_EQ(server.Connections(), 1);
}

TEST(ProtocolErrors, InterimStatusOtherThanContinueLeavesNothingForTheNextCall)
{
    TTestServer server;
    server.Reply("HTTP/1.1 102 Processing\r\n\r\n" + OkResponse("late answer to the first call"));
    server.Reply(OkResponse("second"));
    THTTPClient client;
    try {
        client.GetPage(server.URL("/first"));
        FAIL();
    } catch (const EHTTPProtocolException& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 102 Processing");
    }
    EXPECT_EQ(client.GetPage(server.URL("/second")), "second");
}

TEST(ProtocolErrors, ALineThatIsNoStatusLineIsAProtocolErrorNeverARedirect)
{
    TTestServer server;
    server.Reply(Response("HT1.1 302 Found", "Location: /elsewhere\r\nContent-Length: 0\r\n", ""));
    server.Reply(Response("HTTP/1.1 abc Found", "Location: /elsewhere\r\nContent-Length: 0\r\n", ""));
    server.Reply(OkResponse("fresh"));
    THTTPClient client;
    client.HandleRedirects = true;
    for (const char* statusLine : {"HT1.1 302 Found", "HTTP/1.1 abc Found"}) {
        try {
            client.GetPage(server.URL("/"));
            FAIL() << statusLine;
        } catch (const EHTTPProtocolException& e) {
            EXPECT_STREQ(e.what(), statusLine);
            EXPECT_EQ(e.ErrorCode(), -1);
        }
    }
    EXPECT_EQ(client.GetPage(server.URL("/next")), "fresh");
    EXPECT_EQ(server.Connections(), 3) << "nothing after such a line is read as the next answer";
    for (const std::string& request : server.Requests())
        EXPECT_EQ(request.find("/elsewhere"), std::string::npos);
}

TEST(ProtocolErrors, StalledErrorBodyIsAReadTimeout)
{
    TTestServer server;
    server.Reply(Response("HTTP/1.1 500 Internal Server Error", "Content-Length: 10\r\n", "part"));
    THTTPClient client;
    try {
        client.GetPage(server.URL("/"));
        FAIL();
    } catch (const EReadTimeout& e) {
        EXPECT_STREQ(e.what(), "Read Timeout");
    }
}

}  // namespace
