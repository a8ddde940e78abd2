#include "feed/FeedRun.h"

#include "common/core/Text.h"
#include "feed/AdminSession.h"
#include "feed/PageScraping.h"
#include "http/NetExceptions.h"
#include "model/Dmoz.h"

#include <utility>

TFeedRun::TFeedRun(TFeedView& view, TPageTransport& transport, const TDmoz& document,
                   TParentLookup findParentCategory, TPause pause)
    : View(view), Transport(transport), Document(document), FindParentCategory(std::move(findParentCategory)),
      Pause(std::move(pause))
{
}

void TFeedRun::Execute()
{
    TAdminSession session(Transport, BuildAdminAddresses(View.DomainText()));
    View.SetWaitLabelVisible(true);
    try {
        if (!session.Login(View.UsernameText(), View.PasswordText())) {
            View.ShowMessageBox("Could not log in.");
            return;
        }
        FeedWithGuaranteedLogout(session);
    } catch (const EHTTPProtocolException& e) {
        View.ShowMessageBox(e.what());
    }
    View.SetWaitLabelVisible(false);
}

// When the logout fails after an earlier error, the logout's error is the one that leaves.
void TFeedRun::FeedWithGuaranteedLogout(TAdminSession& session)
{
    try {
        TCategorySubmitter submitter(session, View, Pause);
        session.SendRequest(session.Addresses().NewCategory);
        FeedCategories(session, submitter);
        FeedSymbolicCategories(submitter);
    } catch (...) {
        session.Logout();
        throw;
    }
    session.Logout();
}

void TFeedRun::FeedCategories(TAdminSession& session, TCategorySubmitter& submitter)
{
    const std::size_t count = Document.Categories.size();
    for (std::size_t i = 0; i < count; ++i) {
        FeedCategory(*Document.Categories[i], session, submitter);
        ReportProgress("Processing category ", i + 1, count);
    }
}

void TFeedRun::FeedCategory(const TCategory& category, TAdminSession& session, TCategorySubmitter& submitter)
{
    const std::string name = Utf16ToUtf8(category.Name);
    if (CategoryExists(name, session.CurrentPage())) {
        View.AppendMessageLine(name + " seems to already exist. skipping.");
        return;
    }
    const TBaseCategory* parent = FindParentCategory(category.ID);
    submitter.AddCategory(name, parent ? Utf16ToUtf8(parent->Name) : std::string());
}

void TFeedRun::FeedSymbolicCategories(TCategorySubmitter& submitter)
{
    const std::size_t count = Document.SymbolicCategories.size();
    for (std::size_t j = 0; j < count; ++j) {
        FeedSymbolicCategory(*Document.SymbolicCategories[j], submitter);
        ReportProgress("Processing symbolic category ", j + 1, count);
    }
}

// A symbolic category needs both its target and its parent by name; without either there is
// nothing to post, so it is skipped with a line that says which lookup failed.
void TFeedRun::FeedSymbolicCategory(const TSymbolicCategory& symbolic, TCategorySubmitter& submitter)
{
    const std::string name = Utf16ToUtf8(symbolic.Name);
    const std::string url = Utf16ToUtf8(symbolic.Url);
    const TCategory* target = Document.FindCategoryByUrl(url);
    const TCategory* parent = Document.FindCategoryByID(symbolic.Parent);
    if (target && parent) {
        submitter.AddSymbolicCategory(name, Utf16ToUtf8(parent->Name), Utf16ToUtf8(target->Name));
        return;
    }
    std::string reason;
    if (!target)
        reason = "no category has the Url \"" + url + "\"";
    if (!parent)
        reason += (reason.empty() ? "" : " and ") + std::string("no category has the ID ") +
                  std::to_string(symbolic.Parent);
    View.AppendMessageLine("symbolic category " + name + " skipped: " + reason + ".");
}

void TFeedRun::ReportProgress(const char* what, std::size_t done, std::size_t count)
{
    View.SetStatusText(what + std::to_string(done) + " of " + std::to_string(count));
    View.ProcessMessagesNow();
}
