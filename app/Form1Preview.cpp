#include "app/Form1.h"

#include "app/FeedPreview.h"
#include "app/FeedPreviewView.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"
#include "model/tree/TreeOrder.h"

#include <QTreeView>

// The dry run of "Login & Feed": the same client, cookies, journal and fields, posting nothing.
void TForm1::PreviewFeed()
{
    if (!FeedPreview)
        FeedPreview = new TFeedPreview(this, [this](const TBaseCategory* record) {
            if (Finding())
                CloseFind();
            SelectNode(FindNodeCarrying(Tree, record));
            activateWindow();
            categories->setFocus();
        });
    FeedPreview->Start();
    THTTPClientTransport transport(HTTPClient1, &FeedStop);
    TFeedPreviewView view(*this, *FeedPreview);
    const std::unique_ptr<TFeedRun> run = NewFeedRun(view, transport, true);
    const TFeedUnderWay underWay(*this, Tree.CategoryCount() + Tree.SymbolicCount());
    run->Execute();
}
