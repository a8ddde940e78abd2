#include "feed/AdminAddresses.h"
#include "feed/FeedErrors.h"
#include "feed/FormFields.h"

#include <gtest/gtest.h>

TEST(AdminAddresses, LowerCasesOnlyAsciiLettersAndBuildsTheFivePages)
{
    const TAdminAddresses site = BuildAdminAddresses("WWW.Example.COM");
    EXPECT_EQ(site.Domain, "www.example.com");
    EXPECT_EQ(site.Index, "http://www.example.com/admin/index.php");
    EXPECT_EQ(site.Login, "http://www.example.com/admin/login.php");
    EXPECT_EQ(site.Logout, "http://www.example.com/admin/logout.php");
    EXPECT_EQ(site.NewCategory, "http://www.example.com/admin/dir_categs_edit.php?action=N");
    EXPECT_EQ(site.NewSymbolicCategory, "http://www.example.com/admin/dir_categs_edit.php?action=N&s=1");

    EXPECT_EQ(BuildAdminAddresses("\xC3\x84rger.DE").Domain, "\xC3\x84rger.de");
}

TEST(AdminAddresses, AnHttpsPrefixInAnyCaseMakesEveryAddressHttps)
{
    const TAdminAddresses site = BuildAdminAddresses("HTTPS://WWW.Example.COM:8443");
    EXPECT_EQ(site.Domain, "www.example.com:8443");
    EXPECT_EQ(site.Index, "https://www.example.com:8443/admin/index.php");
    EXPECT_EQ(site.NewSymbolicCategory, "https://www.example.com:8443/admin/dir_categs_edit.php?action=N&s=1");
}

TEST(AdminAddresses, KeepsAPortAndLetsAnEmptyDomainThrough)
{
    EXPECT_EQ(BuildAdminAddresses("localhost:8642").Index, "http://localhost:8642/admin/index.php");
    EXPECT_EQ(BuildAdminAddresses("").Logout, "http:///admin/logout.php");
}

TEST(AdminAddresses, RejectsSchemesAndPathsWithTheDomainMessage)
{
    for (const char* domain :
         {"http://example.com", "HTTP://example.com", "https://example.com/", "example.com/", "example.com/admin",
          "xhttp:y", "https://http://example.com", "evil.test#.example.com", "evil.test?.example.com", "me@evil.test",
          "evil.test\\example.com", "example.com ", "exa mple.com", "example.com\t"}) {
        try {
            BuildAdminAddresses(domain);
            ADD_FAILURE() << domain << " was accepted";
        } catch (const EAdminDomain& e) {
            EXPECT_STREQ(e.what(), "Domain must be in the form: [www.]subdomainlist.domainname.tld") << domain;
        }
    }
}

TEST(FormFields, SetReplacesInPlaceAppendsNewAndEmptyRemoves)
{
    TFormFields fields;
    fields.SetValue("TITLE", "Arts");
    fields.SetValue("PARENT_ID", "0");
    fields.SetValue("STATUS", "2");
    fields.SetValue("TITLE", "Music");
    EXPECT_EQ(fields.Lines(), (std::vector<std::string>{"TITLE=Music", "PARENT_ID=0", "STATUS=2"}));

    fields.SetValue("PARENT_ID", "");
    fields.SetValue("MISSING", "");
    EXPECT_EQ(fields.Lines(), (std::vector<std::string>{"TITLE=Music", "STATUS=2"}));

    fields.Clear();
    EXPECT_TRUE(fields.Lines().empty());
}

TEST(FormFields, MatchesWholeNamesOnlyAndKeepsEqualsSignsInValues)
{
    TFormFields fields;
    fields.SetValue("TITLE_URL", "a=b");
    fields.SetValue("TITLE", "x");
    fields.SetValue("TITLE", "y");
    EXPECT_EQ(fields.Lines(), (std::vector<std::string>{"TITLE_URL=a=b", "TITLE=y"}));
}
