#include "feed/FeedRun.h"

#include "common/core/StopRequest.h"
#include "feed/AdminSession.h"
#include "feed/CategorySubmission.h"
#include "feed/EntryFeeder.h"
#include "feed/FeedJournal.h"
#include "feed/FeedProgress.h"
#include "feed/JournalLocation.h"
#include "http/NetExceptions.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/DocumentOfTree.h"

#include <utility>

namespace {

TFeedSettings BlockingPauses(TPause pause)
{
    TFeedSettings settings;
    settings.Pause = std::move(pause);
    return settings;
}

}  // namespace

TFeedRun::TFeedRun(TFeedView& view, TPageTransport& transport, TFeedLogin login, const TCategoryTree& tree,
                   TPause pause)
    : TFeedRun(view, transport, std::move(login), tree, BlockingPauses(std::move(pause)))
{
}

TFeedRun::TFeedRun(TFeedView& view, TPageTransport& transport, TFeedLogin login, const TCategoryTree& tree,
                   TFeedSettings settings)
    : View(view), Transport(transport), Login(std::move(login)), Tree(tree), Settings(std::move(settings))
{
    if (!Settings.Pause)
        Settings.Pause = [this](std::chrono::milliseconds duration) { PauseInSlices(duration, View, Settings.Stop); };
}

TFeedRun::~TFeedRun() = default;

TFeedOutcome TFeedRun::Execute()
{
    Started = std::chrono::steady_clock::now();
    Outcome = TFeedOutcome();
    Outcome.DryRun = Settings.DryRun;
    try {
        LogInAndFeed();
    } catch (const EStopRequested&) {
        return Finish(TFeedEnd::Stopped, "");
    } catch (const ENetException& error) {
        Finish(TFeedEnd::NetworkFailure, error.what());
        throw;
    } catch (const std::exception& error) {
        Finish(TFeedEnd::Failed, error.what());
        throw;
    }
    return Finish(Outcome.End, Outcome.Reason);
}

void TFeedRun::LogInAndFeed()
{
    TAdminSession session(Transport, Login.Addresses, Settings.Stop);
    OpenJournal(session.Addresses());
    View.SetWaitLabelVisible(true);
    try {
        if (!session.Login(Login.User, Login.Password)) {
            View.ShowMessageBox("Could not log in.");
            Outcome.End = TFeedEnd::LoginRefused;
            Outcome.Reason = "Could not log in.";
            return;
        }
        FeedWithGuaranteedLogout(session);
    } catch (const EHTTPProtocolException& e) {
        View.ShowMessageBox(e.what());
        Outcome.End = TFeedEnd::NetworkFailure;
        Outcome.Reason = e.what();
    }
    View.SetWaitLabelVisible(false);
}

void TFeedRun::OpenJournal(const TAdminAddresses& addresses)
{
    Journal = Settings.KeepJournal ? std::make_unique<TFeedJournal>(JournalFolder() / JournalFileName(addresses.Index))
                                   : std::make_unique<TFeedJournal>();
}

// When the logout fails after an earlier error, the logout's error is the one that leaves.
void TFeedRun::FeedWithGuaranteedLogout(TAdminSession& session)
{
    try {
        session.SendRequest(session.Addresses().NewCategory);
        FeedEntries(session);
    } catch (...) {
        session.Logout();
        throw;
    }
    session.Logout();
}

void TFeedRun::FeedEntries(TAdminSession& session)
{
    TCategorySubmitter submitter(session, View, Settings.Pause);
    TEntryFeeder feeder(session, submitter, View, Tree, *Journal, Settings.DryRun, Outcome);
    try {
        FeedEntries(feeder);
    } catch (...) {
        feeder.CountUnconfirmedAsCreated();
        throw;
    }
}

void TFeedRun::FeedEntries(TEntryFeeder& feeder)
{
    const TDmoz document = DocumentOfTree(Tree);
    const std::size_t categories = document.Categories.size();
    const std::size_t symbolic = document.SymbolicCategories.size();
    for (std::size_t i = 0; i < categories; ++i) {
        feeder.FeedCategory(*document.Categories[i]);
        ReportProgress("Processing category ", i + 1, categories, i + 1);
    }
    feeder.FinishCategories(symbolic > 0);
    for (std::size_t j = 0; j < symbolic; ++j) {
        feeder.FeedSymbolicCategory(*document.SymbolicCategories[j]);
        ReportProgress("Processing symbolic category ", j + 1, symbolic, categories + j + 1);
    }
}

void TFeedRun::ReportProgress(const char* what, std::size_t done, std::size_t count, std::size_t entriesDone)
{
    View.SetStatusText(what + std::to_string(done) + " of " + std::to_string(count));
    View.ShowProgress(TFeedProgress{entriesDone, Tree.CategoryCount() + Tree.SymbolicCount(), Elapsed()});
    View.ProcessMessages();
    if (Settings.Stop)
        Settings.Stop->ThrowIfRequested();
}

TFeedOutcome TFeedRun::Finish(TFeedEnd end, const std::string& reason)
{
    Outcome.End = end;
    Outcome.Reason = reason;
    Outcome.Elapsed = Elapsed();
    View.ShowOutcome(Outcome);
    return Outcome;
}

std::chrono::milliseconds TFeedRun::Elapsed() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Started);
}
