// A feed over HTTPS against the stand-in site sends what the same feed sends over HTTP.

#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/CategoryClasses.h"
#include "model/Dmoz.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include "AdminRequests.h"
#include "RecordingTransport.h"
#include "RecordingView.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

// One run of the example tree into a site, through a client of its own, as the window
// runs it.
struct TExampleTreeFeed {
    explicit TExampleTreeFeed(const TSiteProcess& site)
    {
        View.Domain = site.Domain();
        View.Password = "demo";
        Client.SetCookieManager(&Cookies);
        LoadTree(Tree, EXAMPLE_TREE_FILE, Document);
        TFeedRun(View, Transport, Document, [this](std::int32_t id) { return Tree.FindParentCategory(id); })
            .Execute();
    }

    TCookieManager Cookies;
    THTTPClient Client;
    THTTPClientTransport Http{Client};
    TRecordingTransport Transport{Http};
    TCategoryTree Tree;
    TDmoz Document;
    TRecordingView View;
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
    EXPECT_EQ(AdminRequests(secure.Transport.Sent), CompleteRunRequests);
    for (size_t i = 0; i < plain.Transport.Sent.size(); ++i)
        EXPECT_EQ(secure.Transport.Sent[i].Fields, plain.Transport.Sent[i].Fields) << i;
    EXPECT_TRUE(secure.View.MessageBoxes.empty());
    EXPECT_EQ(secure.View.MessageLines, plain.View.MessageLines);
    EXPECT_EQ(secure.View.StatusTexts, plain.View.StatusTexts);
    EXPECT_FALSE(secure.View.WaitLabelVisible);
}
