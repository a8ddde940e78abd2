// A feed over HTTPS against the stand-in site sends what the same feed sends over HTTP.

#include "model/CategoryClasses.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include "AdminRequests.h"
#include "RecordedSiteFeed.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

// One run of the example tree into a site, through a client of its own, as the window
// runs it.
struct TExampleTreeFeed : TRecordedSiteFeed {
    explicit TExampleTreeFeed(const TSiteProcess& site)
    {
        Fields.Domain = site.Domain();
        LoadTree(Tree, EXAMPLE_TREE_FILE);
        Run();
    }
};

}  // namespace

TEST(SiteFeedTls, TheExampleTreeOverHttpsSendsWhatItSendsOverHttp)
{
    RegisterCategoryClasses();
    const TTempFolder scratch;
    const TWorkingDirectory inScratch(scratch.Path());

    const TSiteProcess plainSite;
    const TExampleTreeFeed plain(plainSite);
    const TSiteProcess secureSite({"--tls"});
    setenv("SSL_CERT_FILE", secureSite.CertificateFile().c_str(), 1);
    const TExampleTreeFeed secure(secureSite);

    EXPECT_EQ(secure.Transport.Sent.front().Url, secureSite.Url() + "admin/index.php");
    EXPECT_EQ(AdminRequests(secure.Transport.Sent), AdminRequests(plain.Transport.Sent));
    EXPECT_EQ(AdminRequests(secure.Transport.Sent), FullFormPagesRunRequests);
    for (size_t i = 0; i < plain.Transport.Sent.size(); ++i)
        EXPECT_EQ(secure.Transport.Sent[i].Fields, plain.Transport.Sent[i].Fields) << i;
    EXPECT_TRUE(secure.View.MessageBoxes.empty());
    EXPECT_EQ(secure.View.Outcomes.back().Failed, plain.View.Outcomes.back().Failed) << "the site refuses Sounds";
    EXPECT_EQ(secure.View.MessageLines, plain.View.MessageLines);
    EXPECT_EQ(secure.View.StatusTexts, plain.View.StatusTexts);
    EXPECT_FALSE(secure.View.WaitLabelVisible);
}
