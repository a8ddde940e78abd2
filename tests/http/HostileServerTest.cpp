#include "TestServer.h"

#include "http/CookieManager.h"
#include "http/HTTPClient.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Pieces of answers, well-formed and not, that a broken or hostile server could send.
const std::vector<std::string> StatusLines{"HTTP/1.1 200 OK\r\n",
                                           "HTTP/1.1 200 OK\r\n",
                                           "HTTP/1.1 100 Continue\r\n\r\n",
                                           "HTTP/1.1 302 Found\r\n",
                                           "HTTP/1.0 404 Nope\r\n",
                                           "HTTP/1.1\r\n",
                                           "garbage",
                                           ""};

const std::vector<std::string> Fragments{"\r\n",
                                         "\n",
                                         "\r\n\r\n",
                                         "Content-Length: 5\r\n",
                                         "Content-Length: -3\r\n",
                                         "Content-Length: 99999999999999999999999\r\n",
                                         "Content-Length: 1000000000000000000\r\n",
                                         "Transfer-Encoding: chunked\r\n",
                                         "5\r\nhello\r\n",
                                         "0\r\n\r\n",
                                         "ffffffffffffffff\r\n",
                                         ";;\r\n",
                                         "Location: \r\n",
                                         "Location: ../../../..\r\n",
                                         "Location: http://127.0.0.1:1/\r\n",
                                         "Location: https://x/\r\n",
                                         "Location: ftp://x/\r\n",
                                         "Set-Cookie: a=1; path=/; expires=Thu, 99-Zzz-99 99:99:99 +99\r\n",
                                         "Set-Cookie: ;;;=;=\r\n",
                                         "Set-Cookie2: b=2; Port=\"1,2\"; max-age=-5\r\n",
                                         "Set-Cookie2: c=3; Port=\"x\"\r\n",
                                         "Set-Cookie: d=4; domain=.0.0.1; max-age=99999999999\r\n",
                                         " continued\r\n",
                                         "WWW-Authenticate: Basic\r\n",
                                         std::string(3000, 'x'),
                                         std::string("\0\x01\xff", 3)};

TEST(HostileServer, AnythingAServerSendsEndsInAResultOrAnError)
{
    TTestServer server;
    TCookieManager cookies;
    THTTPClient client;
    client.SetCookieManager(&cookies);
    client.HandleRedirects = true;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<size_t> pickStatus(0, StatusLines.size() - 1);
    std::uniform_int_distribution<size_t> pick(0, Fragments.size() - 1);
    std::uniform_int_distribution<int> count(1, 7);
    for (int round = 0; round < 300; ++round) {
        std::string reply = StatusLines[pickStatus(random)];
        for (int i = count(random); i > 0; --i)
            reply += Fragments[pick(random)];
        server.Reply(reply, true);
        try {
            client.GetPage(server.URL("/admin/index.php"));
        } catch (const Exception&) {
            // Every failure is one of the client's own errors with a message.
        }
    }
}

}  // namespace
