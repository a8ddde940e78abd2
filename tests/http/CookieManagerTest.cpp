#include "CookieClient.h"
#include "TestServer.h"

#include "common/core/IntegerText.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr const char* Host = "a.site.test";

class CookieStore : public ::testing::Test {
protected:
    void Set(const std::string& value, const std::string& host = Host, const std::string& path = "/admin/")
    {
        Store.AddCookie(value, host, path);
    }
    std::string Sent(const std::string& path = "/admin/", const std::string& host = Host)
    {
        return Store.CookieHeaderValue(host, path, false);
    }

    TCookieManager Store;
};

TEST_F(CookieStore, DefaultDomainAndPathScoping)
{
    Set("a=1; path=/");
    EXPECT_EQ(Store.CookieCollection()[0].Domain, Host);
    EXPECT_EQ(Sent("/"), "a=1");
    EXPECT_EQ(Sent("/admin/"), "a=1");

    Set("b=2; path=/admin");
    Set("c=3; path=/admin/index.php");
    Set("d=4; path=/ADMIN/");
    Set("e=5; path=\"/admin/\"");
    EXPECT_EQ(Sent("/admin/"), "e=5; b=2; a=1");
}

TEST_F(CookieStore, CookieWithoutPathBelongsToTheDirectoryThatSetIt)
{
    Set("s=1", Host, "/admin/");
    EXPECT_EQ(Store.CookieCollection()[0].Path, "/admin/");
    EXPECT_EQ(Sent("/admin/"), "s=1");
    EXPECT_EQ(Sent("/"), "");
}

TEST_F(CookieStore, DomainMustHoldTheHostAndBeNoPublicSuffix)
{
    Set("a=1; path=/; domain=.site.test");
    Set("b=2; path=/; domain=site.test");
    Set("c=3; path=/; domain=A.Site.Test");
    Set("d=4; path=/; domain=.site.test", "site.test");
    ASSERT_EQ(Store.CookieCollection().Count(), 4u);
    EXPECT_EQ(Store.CookieCollection()[0].Domain, "site.test");
    EXPECT_FALSE(Store.CookieCollection()[0].HostOnly);
    EXPECT_EQ(Store.CookieCollection()[2].Domain, "a.site.test");

    Set("e=5; path=/; domain=.other.test");
    Set("f=6; path=/; domain=test");
    Set("g=7; path=/; domain=.co.uk", "www.shop.co.uk");
    Set("h=8; path=/; domain=github.io", "user.github.io");
    Set("i=9; path=/; domain=ite.test");
    Set("j=10; path=/; domain=0.0.1", "127.0.0.1");
    Set("k=11; path=/; domain=127.0.0.2", "127.0.0.1");
    EXPECT_EQ(Store.CookieCollection().Count(), 4u);

    // A public suffix or an address naming itself keeps the cookie to itself.
    Set("l=12; path=/; domain=github.io", "github.io");
    Set("m=13; path=/; domain=127.0.0.1", "127.0.0.1");
    ASSERT_EQ(Store.CookieCollection().Count(), 6u);
    EXPECT_TRUE(Store.CookieCollection()[4].HostOnly);
    EXPECT_EQ(Sent("/", "user.github.io"), "");
    EXPECT_EQ(Sent("/", "github.io"), "l=12");
}

TEST_F(CookieStore, HostOnlyCookiesStayWithTheirHostDomainCookiesReachSubdomains)
{
    Set("d=4; path=/; domain=.site.test");
    Set("h=8; path=/");
    EXPECT_EQ(Sent("/", "site.test"), "d=4");
    EXPECT_EQ(Sent("/", "x.site.test"), "d=4");
    EXPECT_EQ(Sent("/", "X.SITE.TEST"), "d=4");
    EXPECT_EQ(Sent("/", "A.site.test"), "d=4; h=8");
    EXPECT_EQ(Sent("/", "x.a.site.test"), "d=4");
    EXPECT_EQ(Sent("/", "x.site.test.net"), "");
    EXPECT_EQ(Sent("/", "evilsite.test"), "");
    // The same name under the same domain is one cookie, whether host-only or not.
    Set("d=5; path=/", "site.test");
    EXPECT_EQ(Store.CookieCollection().Count(), 2u);
    EXPECT_EQ(Sent("/", "x.site.test"), "");
}

TEST_F(CookieStore, PathsMatchWholeSegmentsAndAMissingPathIsTheDirectory)
{
    Set("a=1; path=/adm");
    Set("b=2; path=");
    Set("c=3; path=admin");
    Set("d=4; path=/admin");
    EXPECT_EQ(Store.CookieCollection()[1].Path, "/admin/");
    EXPECT_EQ(Store.CookieCollection()[2].Path, "/admin/");
    EXPECT_EQ(Sent("/admin/"), "c=3; b=2; d=4");
    EXPECT_EQ(Sent("/admin/sub/"), "c=3; b=2; d=4");
    EXPECT_EQ(Sent("/adminx/"), "");
}

TEST_F(CookieStore, ReplacementKeepsThePlaceAndTakesValueAndExpiry)
{
    Set("a=1; path=/");
    Set("z=9; path=/");
    Set("a=2; path=/");
    ASSERT_EQ(Store.CookieCollection().Count(), 2u);
    EXPECT_EQ(Store.CookieCollection()[0].Value, "2");
    Set("A=3; path=/");
    EXPECT_EQ(Store.CookieCollection()[0].Value, "3");
    EXPECT_EQ(Sent("/"), "z=9; A=3");

    Set("a=x; path=/; expires=Thu, 01-Jan-1970 00:00:01 GMT");
    EXPECT_EQ(Store.CookieCollection()[0].Value, "x");
    EXPECT_EQ(Sent("/"), "z=9");
    Set("z=; path=/; max-age=0");
    EXPECT_EQ(Sent("/"), "");
    EXPECT_EQ(Store.CookieCollection().Count(), 0u);
}

TEST_F(CookieStore, ReplacementWithAnEmptyValueKeepsTheName)
{
    Set("a=1; path=/");
    Set("a=; path=/");
    ASSERT_EQ(Store.CookieCollection().Count(), 1u);
    EXPECT_EQ(Store.CookieCollection()[0].CookieName, "a");
    EXPECT_EQ(Store.CookieCollection()[0].Value, "");
    EXPECT_EQ(Sent("/"), "");
}

TEST_F(CookieStore, ExpiryOfNewCookies)
{
    Set("gone=1; path=/; expires=Thu, 01-Jan-70 00:00:01 GMT");
    Set("bad=1; path=/; expires=someday");
    Set("kept=1; path=/; expires=Fri, 31-Dec-2060 23:59:59 GMT");
    Set("soon=1; path=/; max-age=1");
    EXPECT_EQ(Store.CookieCollection().Count(), 4u);
    EXPECT_EQ(Sent("/"), "soon=1; kept=1");
    EXPECT_EQ(Store.CookieCollection().Count(), 2u);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_EQ(Sent("/"), "kept=1");
}

TEST_F(CookieStore, ValuesFlagsAndRfc2965Attributes)
{
    Set("a=x==y; path=/");
    Set("e=; path=/");
    Set("s=1; path=/; secure");
    EXPECT_EQ(Sent("/"), "a=x==y");
    EXPECT_EQ(Store.CookieHeaderValue(Host, "/", true), "s=1; a=x==y");

    Store.AddCookie("v=1; Port=\"80, 8080\"; Discard; CommentURL=http://x/; path=/", Host, "/", true);
    const auto& cookie = dynamic_cast<const TCookieRFC2965&>(Store.CookieCollection()[3]);
    EXPECT_EQ(cookie.PortList, (std::vector<int>{80, 8080}));
    EXPECT_TRUE(cookie.Discard);
    EXPECT_EQ(cookie.CommentURL, "http://x/");
    EXPECT_THROW(Store.AddCookie("w=1; Port=\"8x\"", Host, "/", true), EConvertError);
    EXPECT_EQ(Store.CookieCollection().Count(), 4u);
}

TEST_F(CookieStore, MaxAgeOfZeroOrLessDeletesAndWinsOverExpires)
{
    Set("a=1; path=/");
    Set("b=2; path=/");
    Set("c=3; path=/; expires=Fri, 31-Dec-2060 23:59:59 GMT");
    Set("a=1; path=/; max-age=0");
    Set("b=2; path=/; max-age=-1");
    Set("c=3; path=/; max-age=-5; expires=Fri, 31-Dec-2060 23:59:59 GMT");
    Set("d=4; path=/; expires=Thu, 01-Jan-1970 00:00:01 GMT; max-age=60");
    Set("e=5; path=/; max-age=99999999999999999999");
    Set("f=6; path=/; max-age=1x");
    Set("g=7; path=/; expires=Fri, 31 Dec 9999 23:59:59 GMT");
    EXPECT_EQ(Sent("/"), "g=7; f=6; e=5; d=4");
}

TEST_F(CookieStore, ALineWithAControlCharacterIsIgnoredAsBrowsersDo)
{
    Set("a=1; path=/");
    Set("a=2\rInjected: yes; path=/");
    Set(std::string("b=1\0x; path=/", 13));
    Set("c=1; path=/\x01");
    Set("d=1\x7F; path=/");
    Set("t=1\t2; path=/");
    EXPECT_EQ(Sent("/"), "t=1\t2; a=1");
}

TEST(CookieText, LastOfARepeatedAttributeCountsAndSecureNeedsNoValue)
{
    TCookieRFC2109 cookie;
    cookie.Parse("sid=abc; Path=/ignored; DOMAIN=.site.test; secure=false; comment=hi; version=1; path=/admin/");
    EXPECT_EQ(cookie.Path, "/admin/");
    EXPECT_TRUE(cookie.Secure);
    EXPECT_EQ(cookie.Kind, TCookieKind::ckNetscape);
    EXPECT_EQ(cookie.TextForm(), "sid=abc; path=/admin/; domain=.site.test; secure; comment=hi; version=1");
}

TEST(CookieTraffic, SessionCookieFromTheLoginGoesBackWithLaterRequests)
{
    TTestServer server;
    server.Reply(OkResponse("logged in", "Set-Cookie: PHPSESSID=s1; path=/\r\nSet-Cookie: admin=1\r\n"));
    server.Reply(OkResponse("form"));
    server.Reply(OkResponse("root"));
    TCookieClient browser;
    THTTPClient& client = browser.Client;
    std::vector<std::string> fields{"user=a"};
    client.PostForm(server.URL("/admin/login.php"), fields);
    client.GetPage(server.URL("/admin/dir_categs_edit.php?action=N"));
    client.GetPage(server.URL("/index.php"));
    const auto requests = server.Requests();
    EXPECT_EQ(requests[0].find("Cookie:"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\nCookie: admin=1; PHPSESSID=s1\r\n\r\n"), std::string::npos);
    EXPECT_NE(requests[2].find("\r\nCookie: PHPSESSID=s1\r\n\r\n"), std::string::npos);
}

TEST(CookieTraffic, AHostOnlyCookieNeverReachesAnotherHost)
{
    TTestServer server;
    server.Reply(OkResponse("set", "Set-Cookie: s=1; path=/\r\nSet-Cookie: t=2; path=/; domain=.0.0.1\r\n"));
    server.Reply(OkResponse("other host"));
    server.Reply(OkResponse("same host"));
    TCookieClient browser;
    THTTPClient& client = browser.Client;
    client.GetPage(server.URL("/"));
    client.GetPage("http://localhost:" + std::to_string(server.Port()) + "/");
    client.GetPage(server.URL("/"));
    const auto requests = server.Requests();
    EXPECT_EQ(requests.at(1).find("Cookie:"), std::string::npos);
    EXPECT_NE(requests.at(2).find("\r\nCookie: s=1\r\n"), std::string::npos);
}

TEST(CookieTraffic, ABareCRInASetCookieNeverReachesARequest)
{
    TTestServer server;
    server.Reply(OkResponse("set", "Set-Cookie: a=1\rInjected: yes; path=/\r\nSet-Cookie: b=2; path=/\r\n"));
    server.Reply(OkResponse("sent"));
    TCookieClient browser;
    THTTPClient& client = browser.Client;
    client.GetPage(server.URL("/"));
    client.GetPage(server.URL("/"));
    const std::string request = server.Requests().at(1);
    EXPECT_EQ(request.find("Injected"), std::string::npos);
    EXPECT_NE(request.find("\r\nCookie: b=2\r\n\r\n"), std::string::npos);
}

TEST(CookieTraffic, ALongCookieHeaderStaysOnOneLine)
{
    TTestServer server;
    const std::string value(1500, 'v');
    server.Reply(OkResponse("set", "Set-Cookie: a=" + value + ", with comma; path=/\r\nSet-Cookie: b=2; path=/\r\n"));
    server.Reply(OkResponse("sent"));
    TCookieClient browser;
    THTTPClient& client = browser.Client;
    client.GetPage(server.URL("/"));
    client.GetPage(server.URL("/"));
    EXPECT_NE(server.Requests().at(1).find("\r\nCookie: b=2; a=" + value + ", with comma\r\n\r\n"), std::string::npos);
}

}  // namespace
