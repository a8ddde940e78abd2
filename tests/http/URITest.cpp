#include "http/URI.h"
#include "http/NetExceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(URI, AbsoluteURLParts)
{
    const TURI uri = ParseURL("http://user:pw@h:8080/admin/dir_categs_edit.php?action=N&s=1#frag");
    EXPECT_EQ(uri.Protocol, "http");
    EXPECT_EQ(uri.Username, "user");
    EXPECT_EQ(uri.Password, "pw");
    EXPECT_EQ(uri.Host, "h");
    EXPECT_EQ(uri.Port, "8080");
    EXPECT_EQ(uri.Path, "/admin/");
    EXPECT_EQ(uri.Document, "dir_categs_edit.php");
    EXPECT_EQ(uri.Params, "?action=N&s=1");
    EXPECT_EQ(uri.Bookmark, "frag");

    const TURI bare = ParseURL("http:\\\\h");
    EXPECT_EQ(bare.Host, "h");
    EXPECT_EQ(bare.Path, "/");
    EXPECT_EQ(bare.Document, "");
    EXPECT_EQ(ParseURL("http://h/a/b=c/d").Params, "=c/d");
}

TEST(URI, ResolutionAgainstTheLastRequest)
{
    TURI base;
    base = ResolveURL(base, "http://site.test/admin/login.php");
    EXPECT_EQ(base.Port, "80");
    EXPECT_EQ(base.HostField(), "site.test");
    EXPECT_EQ(ResolveURL(base, "index.php").RequestTarget(), "/admin/index.php");
    EXPECT_EQ(ResolveURL(base, "/admin/index.php").RequestTarget(), "/admin/index.php");
    EXPECT_EQ(ResolveURL(base, "../index.php").RequestTarget(), "/index.php");
    EXPECT_EQ(ResolveURL(base, "../../../x/./y//z.php").RequestTarget(), "/x/./y/z.php");
    EXPECT_EQ(ResolveURL(base, "index.php?a=1#b").RequestTarget(), "/admin/index.php?a=1");
    EXPECT_EQ(ResolveURL(base, "index.php?next=http://x/").RequestTarget(), "/admin/index.php?next=http://x/");

    const TURI other = ResolveURL(base, "http://other/x.php");
    EXPECT_EQ(other.Host, "other");
    EXPECT_EQ(other.RequestTarget(), "/x.php");
}

TEST(URI, PortsAndHostField)
{
    TURI base = ResolveURL(TURI(), "http://h:8080/a/");
    EXPECT_EQ(base.HostField(), "h:8080");
    EXPECT_EQ(ResolveURL(base, "b.php").HostField(), "h:8080");
    // Another host without a port is reached on the protocol's port.
    EXPECT_EQ(ResolveURL(base, "http://other/").HostField(), "other");
}

TEST(URI, HttpsAddressesAndTheirPorts)
{
    const TURI secure = ResolveURL(TURI(), "HTTPS://site.test/admin/login.php");
    EXPECT_TRUE(secure.IsSecure());
    EXPECT_EQ(secure.Port, "443");
    EXPECT_EQ(secure.HostField(), "site.test");
    // A relative target stays on https, on the same port.
    EXPECT_TRUE(ResolveURL(secure, "index.php").IsSecure());
    EXPECT_EQ(ResolveURL(ResolveURL(TURI(), "https://h:8443/a/"), "/b").HostField(), "h:8443");
    EXPECT_FALSE(ResolveURL(secure, "http://site.test/").IsSecure());
    EXPECT_EQ(ResolveURL(secure, "http://site.test/").Port, "80");
}

TEST(URI, SchemesWithoutSupport)
{
    EXPECT_THROW(ResolveURL(TURI(), "gopher://h/"), EUnknownProtocol);
    EXPECT_THROW(ResolveURL(TURI(), "ftp://h:21/"), EUnknownProtocol);
}

TEST(URI, RequestLineNeverCarriesBlanksOrControlCharacters)
{
    const TURI base = ResolveURL(TURI(), "http://h/admin/");
    EXPECT_EQ(ResolveURL(base, "new page.php?q=a b\tc\x7F\r\n").RequestTarget(),
              "/admin/new%20page.php?q=a%20b%09c%7F%0D%0A");
    EXPECT_EQ(ResolveURL(base, "/caf\xC3\xA9/?x=%41#frag ment").RequestTarget(), "/caf%C3%A9/?x=%41");
}

}  // namespace
