#pragma once

#include "feed/FeedLogin.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedPause.h"
#include "feed/FeedView.h"
#include "feed/PageTransport.h"

#include <chrono>
#include <memory>

class TAdminSession;
class TCategoryTree;
class TEntryFeeder;
class TFeedJournal;
class TStopRequest;

// How a run goes beyond the plain feed.
struct TFeedSettings {
    // Set from elsewhere (a Stop button, a signal) to end the run at its next safe point:
    // before a request, during a pause, or within a wait of the transport.
    const TStopRequest* Stop = nullptr;
    // Reads and appends the site's journal file in JournalFolder(); without it the run keeps
    // its journal in memory, so only what it posts itself is known.
    bool KeepJournal = false;
    // Logs in, reads the form page once and reports what a run would do; posts nothing.
    bool DryRun = false;
    // Empty: pauses in slices, processing the view's messages and watching for the stop.
    TPause Pause;
};

// Feeds the whole tree into the site: log in, create every regular category the form page
// does not list yet (parents first, in the tree order of the category document), post every
// symbolic category, log out. An HTTP error status is shown in a message box; a refused login
// shows "Could not log in." and ends the run there, the label left shown as after an error.
// Every run, however it ends, reports its outcome to the view; a stop ends it after the
// logout, without an error.
class TFeedRun {
public:
    TFeedRun(TFeedView& view, TPageTransport& transport, TFeedLogin login, const TCategoryTree& tree,
             TPause pause = SleepFor);
    TFeedRun(TFeedView& view, TPageTransport& transport, TFeedLogin login, const TCategoryTree& tree,
             TFeedSettings settings);
    ~TFeedRun();
    // The default pause refers to the run itself.
    TFeedRun(const TFeedRun&) = delete;
    TFeedRun& operator=(const TFeedRun&) = delete;

    // Errors other than the HTTP error status and the stop leave after the outcome is reported
    // (and after the logout when logged in), with the wait label still shown.
    TFeedOutcome Execute();

private:
    void LogInAndFeed();
    void OpenJournal(const TAdminAddresses& addresses);
    void FeedWithGuaranteedLogout(TAdminSession& session);
    void FeedEntries(TAdminSession& session);
    void FeedEntries(TEntryFeeder& feeder);
    void ReportProgress(const char* what, std::size_t done, std::size_t count, std::size_t entriesDone);
    TFeedOutcome Finish(TFeedEnd end, const std::string& reason);
    std::chrono::milliseconds Elapsed() const;

    TFeedView& View;
    TPageTransport& Transport;
    TFeedLogin Login;
    const TCategoryTree& Tree;
    TFeedSettings Settings;
    std::unique_ptr<TFeedJournal> Journal;
    TFeedOutcome Outcome;
    std::chrono::steady_clock::time_point Started;
};
