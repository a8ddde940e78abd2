#include "CookieClient.h"
#include "TestServer.h"

#include "http/HTTPClient.h"
#include "http/NetExceptions.h"
#include "tests/support/TestCertificates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

std::string RequestLine(const std::string& request)
{
    return request.substr(0, request.find("\r\n"));
}

class TLS : public ::testing::Test {
protected:
    TTestCertificates Certificates;
};

TEST_F(TLS, RequestsAndFramingAreThoseOfPlainHttp)
{
    TTestServer server(Certificates.Trusted());
    server.Reply(OkResponse("index"));
    server.Reply(Response("HTTP/1.1 200 OK", "Transfer-Encoding: chunked\r\n", "5\r\nhello\r\n0\r\n\r\n"));
    server.Reply(OkResponse("logged in"));
    server.Reply(Response("HTTP/1.0 200 OK", "", std::string(100000, 'z')), true);
    THTTPClient client;
    std::vector<std::string> fields{"user=a", "pass=b c"};

    EXPECT_EQ(client.GetPage(server.URL("/admin/index.php")), "index");
    EXPECT_EQ(client.GetPage(server.URL("/admin/form.php")), "hello");
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_EQ(client.PostForm(server.URL("/admin/login.php"), fields), "logged in");
    EXPECT_EQ(server.Connections(), 2);
    EXPECT_EQ(server.ResumedSessions(), 1) << "the new connection of the post resumes the session";
    EXPECT_EQ(client.GetPage(server.URL("/admin/big.php")), std::string(100000, 'z'));

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    const std::string common = "Host: 127.0.0.1:" + std::to_string(server.Port()) +
                               "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Tessaroo)\r\n";
    EXPECT_EQ(requests[0], "GET /admin/index.php HTTP/1.1\r\nContent-Type: text/html\r\n" + common + "\r\n");
    EXPECT_EQ(requests[2], "POST /admin/login.php HTTP/1.0\r\nConnection: keep-alive\r\n"
                           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 16\r\n" +
                               common + "\r\nuser=a&pass=b+c&");
}

TEST_F(TLS, UntrustedExpiredAndWrongHostCertificatesFailBeforeAnythingIsSent)
{
    struct TCase {
        TCertificate Identity;
        std::string Host;
        std::string Message;
    };
    TCase cases[] = {
        {TTestCertificates::SelfSigned(), "127.0.0.1",
         "Certificate verify failed for \"127.0.0.1\": self-signed certificate"},
        {Certificates.Expired(), "localhost", "Certificate verify failed for \"localhost\": certificate has expired"},
        {Certificates.ForOtherHost(), "localhost", "Certificate verify failed for \"localhost\": hostname mismatch"},
        {Certificates.ForOtherHost(), "127.0.0.1", "Certificate verify failed for \"127.0.0.1\": IP address mismatch"},
    };
    for (const TCase& c : cases) {
        TTestServer server(c.Identity);
        server.Reply(OkResponse("must not be read"));
        THTTPClient client;
        try {
            client.GetPage("https://" + c.Host + ":" + std::to_string(server.Port()) + "/admin/index.php");
            ADD_FAILURE() << c.Message;
        } catch (const ECertificateVerifyFailed& e) {
            EXPECT_EQ(e.what(), c.Message);
        }
        server.WaitForClosedConnections(1);
        EXPECT_TRUE(server.Requests().empty()) << c.Message;
        EXPECT_EQ(server.FailedHandshakes(), 1) << c.Message;
    }
}

TEST_F(TLS, AHandshakeThatGetsNoAnswerEndsAfterTheReadTimeout)
{
    TTestServer silent;
    THTTPClient client;
    client.ReadTimeout = 300;
    int calls = 0;
    client.SetProcessMessages([&] { ++calls; });
    try {
        client.GetPage(silent.URL("/").replace(0, 4, "https"));
        FAIL();
    } catch (const EReadTimeout& e) {
        EXPECT_STREQ(e.what(), "Read Timeout.");
    }
    EXPECT_GE(calls, 5);
}

TEST_F(TLS, HandshakeWithASilentServerKeepsTheWindowAliveAndStopsOnRequest)
{
    TTestServer silent;
    THTTPClient client;
    TStopRequest stop;
    client.SetStopRequest(&stop);
    int calls = 0;
    std::optional<Clock::time_point> requested;
    client.SetProcessMessages([&] {
        if (++calls == 10) {
            stop.Request();
            requested = Clock::now();
        }
    });
    EXPECT_THROW(client.GetPage(silent.URL("/").replace(0, 4, "https")), EStopRequested);
    ASSERT_TRUE(requested);
    EXPECT_LT(Clock::now() - *requested, std::chrono::milliseconds(100));
}

TEST_F(TLS, RedirectsMoveUpToHttpsButNeverDown)
{
    TTestServer plain;
    TTestServer secure(Certificates.Trusted());
    plain.Reply(Response("HTTP/1.1 301 Moved Permanently",
                         "Location: " + secure.URL("/admin/index.php") + "\r\nContent-Length: 0\r\n", ""));
    secure.Reply(OkResponse("secure index"));
    secure.Reply(
        Response("HTTP/1.1 302 Found", "Location: " + plain.URL("/admin/login.php") + "\r\nContent-Length: 0\r\n", ""));
    THTTPClient client;
    client.HandleRedirects = true;
    EXPECT_EQ(client.GetPage(plain.URL("/admin/index.php")), "secure index");
    try {
        client.GetPage(secure.URL("/admin/logout.php"));
        FAIL();
    } catch (const ERedirectRefused& e) {
        EXPECT_EQ(e.what(), "Refusing to follow a redirect from https to http: " + plain.URL("/admin/login.php"));
    }
    EXPECT_EQ(plain.Requests().size(), 1u);
    EXPECT_EQ(RequestLine(secure.Requests().at(0)), "GET /admin/index.php HTTP/1.1");
}

TEST_F(TLS, SecureCookiesGoOnlyOverHttps)
{
    TTestServer secure(Certificates.Trusted());
    TTestServer plain;
    secure.Reply(OkResponse("session", "Set-Cookie: s=1; Secure; path=/\r\nSet-Cookie: p=2; path=/\r\n"));
    secure.Reply(OkResponse("again"));
    plain.Reply(OkResponse("plain"));
    TCookieClient browser;
    THTTPClient& client = browser.Client;
    client.GetPage(secure.URL("/"));
    client.GetPage(secure.URL("/"));
    client.GetPage(plain.URL("/"));
    EXPECT_NE(secure.Requests().at(1).find("\r\nCookie: p=2; s=1\r\n"), std::string::npos);
    EXPECT_NE(plain.Requests().at(0).find("\r\nCookie: p=2\r\n"), std::string::npos);
}

}  // namespace
