#pragma once

#include "feed/CategorySubmission.h"
#include "feed/FeedView.h"
#include "feed/PageTransport.h"

#include <cstdint>
#include <functional>

class TBaseCategory;
class TCategory;
class TDmoz;
class TSymbolicCategory;

// The record of the tree parent of the category with that ID (see FindParentCategory), or
// nullptr for a top-level category or an unknown ID.
using TParentLookup = std::function<const TBaseCategory*(std::int32_t)>;

// Feeds the whole document into the site: log in, create every regular category the form page
// does not list yet (parents first, as the document is in tree order), post every symbolic
// category, log out. An HTTP error status is shown in a message box; every other error leaves
// Execute after the logout (when logged in) with the wait label still shown. A refused login
// shows "Could not log in." and ends the run there, the label left shown as after an error.
class TFeedRun {
public:
    TFeedRun(TFeedView& view, TPageTransport& transport, const TDmoz& document, TParentLookup findParentCategory,
             TPause pause = SleepFor);

    void Execute();

private:
    void FeedWithGuaranteedLogout(TAdminSession& session);
    void FeedCategories(TAdminSession& session, TCategorySubmitter& submitter);
    void FeedCategory(const TCategory& category, TAdminSession& session, TCategorySubmitter& submitter);
    void FeedSymbolicCategories(TCategorySubmitter& submitter);
    void FeedSymbolicCategory(const TSymbolicCategory& symbolic, TCategorySubmitter& submitter);
    void ReportProgress(const char* what, std::size_t done, std::size_t count);

    TFeedView& View;
    TPageTransport& Transport;
    const TDmoz& Document;
    TParentLookup FindParentCategory;
    TPause Pause;
};
