#include "feed/EntryFeeder.h"

#include "common/core/Text.h"
#include "feed/FeedJournal.h"
#include "feed/FeedOutcome.h"
#include "feed/PageScraping.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <algorithm>

namespace {

std::string Times(std::size_t count)
{
    return count == 1 ? "once" : std::to_string(count) + " times";
}

}  // namespace

TEntryFeeder::TEntryFeeder(TAdminSession& session, TCategorySubmitter& submitter, TFeedView& view,
                           const TCategoryTree& tree, TFeedJournal& journal, bool dryRun, TFeedOutcome& outcome)
    : Session(session), Submitter(submitter), View(view), Tree(tree), Paths(tree), Journal(journal), DryRun(dryRun),
      Outcome(outcome)
{
}

TEntryFeeder::TEntry TEntryFeeder::EntryOf(const TBaseCategory* record) const
{
    return {record, Utf16ToUtf8(record->Name), Paths.PathOf(record), Paths.SitePathOf(record)};
}

void TEntryFeeder::FeedCategory(const TCategory& category)
{
    const TEntry entry = EntryOf(&category);
    ConfirmIfAbout(entry);
    std::vector<std::string> listedBefore;
    if (IsSettledWithoutPost(entry, listedBefore))
        return;
    std::string parentID = "0";
    if (const TBaseCategory* parent = Tree.FindParentCategory(category.ID)) {
        std::string reason;
        std::optional<std::string> id = IdentifierOf(parent, reason);
        if (!id) {
            const auto parentState = NotPosted.find(Paths.PathOf(parent));
            const bool parentFailed = parentState != NotPosted.end() && parentState->second == TNotPosted::Failed;
            ReportSkipped(&category, entry.Path,
                          parentFailed ? "its parent failed"
                                       : "the identifier of its parent cannot be determined: " + reason,
                          entry.Path);
            return;
        }
        parentID = std::move(*id);
    }
    if (DryRun) {
        View.AppendMessageLine(entry.Path + ": would be created");
        View.ReportEntry({&category, entry.Path, TEntryAction::Create, ""});
        WouldCreate.insert(entry.Path);
        ++Outcome.Created;
        return;
    }
    PostCategory(entry, parentID, listedBefore);
}

void TEntryFeeder::ConfirmIfAbout(const TEntry& entry)
{
    const TCategoryPost* unconfirmed = Submitter.Unconfirmed();
    if (!unconfirmed)
        return;
    const bool byPath = Session.ReadPage().Listing() != nullptr;
    if (byPath ? Paths.SitePathOf(unconfirmed->Record) == entry.SitePath : unconfirmed->Name == entry.Name)
        Settle(Submitter.Confirm(Session.Addresses().NewCategory));
}

bool TEntryFeeder::IsSettledWithoutPost(const TEntry& entry, std::vector<std::string>& listedBefore)
{
    const TSitePage& page = Session.ReadPage();
    // On a site that writes full form pages only its tree is read, by path; the listings of
    // a name matter on the others.
    if (Paths.IsShared(entry.Name) && !Session.MetFullFormPages())
        listedBefore = ListedCategoryIDs(entry.Name, page.Text());
    const TCategoryListing* listing = page.Listing();
    if (!listing)
        return IsSettledByName(entry, listedBefore);
    if (!listing->IDAt(entry.SitePath))
        return false;
    ReportListed(entry);
    return true;
}

bool TEntryFeeder::IsSettledByName(const TEntry& entry, const std::vector<std::string>& listedBefore)
{
    if (!Paths.IsShared(entry.Name)) {
        if (!CategoryExists(entry.Name, Session.CurrentPage()))
            return false;
        ReportListed(entry);
        return true;
    }
    if (IsInJournal(entry, listedBefore)) {
        ReportAlreadyThere({entry.Record, entry.Path, TEntryAction::InJournal, ""},
                           entry.Path + " is in the journal. skipping.", entry.Path + ": in the journal");
        return true;
    }
    const std::size_t unclaimed = UnclaimedIDs(entry.Name, listedBefore).size();
    if (unclaimed == 0)
        return false;
    ReportSkipped(entry.Record, entry.Path,
                  "the page lists " + entry.Name + " " + Times(unclaimed) +
                      " where the journal does not tell which category it is, so it may be there already",
                  entry.Path);
    return true;
}

bool TEntryFeeder::IsInJournal(const TEntry& entry, const std::vector<std::string>& listed)
{
    if (CertainID(entry.Path, listed))
        return true;
    // A post whose answer never came created the one listing that is new since and that no
    // other category of the name accounts for.
    const std::vector<std::string>* before = Journal.CutOffCategoryPost(entry.Path);
    if (!before)
        return false;
    const std::vector<std::string> added = IDsNotIn(UnclaimedIDs(entry.Name, listed), *before);
    if (added.size() != 1)
        return false;
    if (!DryRun)
        Journal.NoteCategoryCreated(entry.Path, added.front());
    return true;
}

std::vector<std::string> TEntryFeeder::UnclaimedIDs(const std::string& name,
                                                    const std::vector<std::string>& listed) const
{
    std::vector<std::string> claimed;
    for (const std::string& path : Paths.PathsNamed(name))
        if (const std::string* id = Journal.CategoryID(path))
            claimed.push_back(*id);
    return IDsNotIn(listed, claimed);
}

std::optional<std::string> TEntryFeeder::CertainID(const std::string& path,
                                                   const std::vector<std::string>& listed) const
{
    const std::string* id = Journal.CategoryID(path);
    if (id && std::find(listed.begin(), listed.end(), *id) != listed.end())
        return *id;
    return std::nullopt;
}

std::optional<std::string> TEntryFeeder::IdentifierOf(const TBaseCategory* record, std::string& reason)
{
    const TEntry entry = EntryOf(record);
    if (WouldCreate.contains(entry.Path))
        return std::string();
    ConfirmIfAbout(entry);
    if (const auto notPosted = NotPosted.find(entry.Path); notPosted != NotPosted.end()) {
        reason = entry.Path + (notPosted->second == TNotPosted::Failed ? " failed" : " is not posted");
        return std::nullopt;
    }
    Session.DumpPageOfLookup(entry.Name);
    return IdentifierOnPage(entry, reason);
}

std::optional<std::string> TEntryFeeder::IdentifierOnPage(const TEntry& entry, std::string& reason)
{
    const TSitePage& page = Session.ReadPage();
    if (const TCategoryListing* listing = page.Listing()) {
        if (const std::optional<std::string_view> id = listing->IDAt(entry.SitePath))
            return std::string(*id);
        if (const auto created = CreatedIDs.find(entry.SitePath); created != CreatedIDs.end())
            return created->second;
        reason = entry.Path + " is not listed on the site";
        return std::nullopt;
    }
    if (!Paths.IsShared(entry.Name))
        return FindCategoryID(entry.Name, Session.CurrentPage());
    const std::vector<std::string> listed = ListedCategoryIDs(entry.Name, page.Text());
    if (std::optional<std::string> id = CertainID(entry.Path, listed))
        return id;
    reason = "the page lists " + entry.Name + " " + Times(listed.size()) + " and the journal does not tell which is " +
             entry.Path;
    return std::nullopt;
}

// A site that writes full form pages shows a new category on a page of its tree; by name
// alone, another category of a shared name could be taken for it.
void TEntryFeeder::PostCategory(const TEntry& entry, const std::string& parentID,
                                const std::vector<std::string>& listedBefore)
{
    const bool shared = Paths.IsShared(entry.Name);
    const bool byPath = Session.MetFullFormPages();
    if (shared && !byPath)
        Journal.NoteCategoryPost(entry.Path, listedBefore);
    TListingCheck byName = !shared  ? FirstListingCheck(entry.Name)
                           : byPath ? TListingCheck([](const TSitePage&) { return std::optional<std::string>(); })
                                    : NewListingCheck(entry.Name, listedBefore);
    Settle(Submitter.PostCategory(
        {entry.Record, entry.Name, parentID, PathListingCheck(entry.SitePath, std::move(byName))}));
}

void TEntryFeeder::Settle(const std::vector<TSettledPost>& settled)
{
    for (const TSettledPost& post : settled) {
        const TEntry entry = EntryOf(post.Post.Record);
        const bool shared = Paths.IsShared(entry.Name);
        switch (post.Verdict) {
        case TPostVerdict::Listed:
            if (!post.ID.empty()) {
                if (shared)
                    Journal.NoteCategoryCreated(entry.Path, post.ID);
                CreatedIDs[entry.SitePath] = post.ID;
            }
            ReportCreated(entry);
            break;
        case TPostVerdict::Refused:
            if (shared)
                Journal.NoteCategoryRefused(entry.Path);
            ReportFailed(entry.Record, entry.Path, post.Reason, entry.Path);
            break;
        case TPostVerdict::NotListed: ReportFailed(entry.Record, entry.Path, post.Reason, entry.Path); break;
        }
    }
}

void TEntryFeeder::FinishCategories(bool symbolicFollow)
{
    if (Submitter.Unconfirmed())
        Settle(Submitter.Confirm(symbolicFollow ? Session.Addresses().NewSymbolicCategory
                                                : Session.Addresses().NewCategory));
}

void TEntryFeeder::CountUnconfirmedAsCreated()
{
    if (const TCategoryPost* unconfirmed = Submitter.Unconfirmed())
        ReportCreated(EntryOf(unconfirmed->Record));
}

void TEntryFeeder::FeedSymbolicCategory(const TSymbolicCategory& symbolic)
{
    const std::string name = Utf16ToUtf8(symbolic.Name);
    const std::string entry = "symbolic category " + name;
    // Both the target and the parent are needed by name; without either there is nothing to
    // post, so the entry is skipped with a line that says which lookup failed.
    const std::string url = Utf16ToUtf8(symbolic.Url);
    const TCategory* target = Tree.FindCategoryByUrl(symbolic.Url);
    const TCategory* parent = Tree.FindCategoryByID(symbolic.Parent);
    if (!target || !parent) {
        std::string reason;
        if (!target)
            reason = "no category has the Url \"" + url + "\"";
        if (!parent)
            reason += (reason.empty() ? "" : " and ") + std::string("no category has the ID ") +
                      std::to_string(symbolic.Parent);
        ReportSkipped(&symbolic, entry, reason, "");
        return;
    }

    const std::string key = TFeedJournal::SymbolicKey(Paths.PathOf(parent), Paths.PathOf(target), name);
    switch (Journal.SymbolicState(key)) {
    case TFeedJournal::TSymbolicState::Posted:
        ReportAlreadyThere({&symbolic, entry, TEntryAction::InJournal, ""}, entry + " is in the journal. skipping.",
                           entry + ": in the journal");
        return;
    case TFeedJournal::TSymbolicState::PostCutOff:
        ReportSkipped(&symbolic, entry, "its post in an earlier run got no answer, so the site may hold it already",
                      "");
        return;
    case TFeedJournal::TSymbolicState::NotPosted: break;
    }

    std::string reason;
    const std::optional<std::string> parentID = IdentifierOf(parent, reason);
    const std::optional<std::string> targetID = parentID ? IdentifierOf(target, reason) : std::nullopt;
    if (!targetID) {
        ReportSkipped(&symbolic, entry, "an identifier cannot be determined: " + reason, "");
        return;
    }
    if (DryRun) {
        View.AppendMessageLine(entry + ": would be posted");
        View.ReportEntry({&symbolic, entry, TEntryAction::Create, ""});
        ++Outcome.SymbolicPosted;
        return;
    }
    PostSymbolic(symbolic, entry, key, *parentID, *targetID);
}

void TEntryFeeder::PostSymbolic(const TSymbolicCategory& symbolic, const std::string& entry, const std::string& key,
                                const std::string& parentID, const std::string& targetID)
{
    Submitter.OpenSymbolicForm();
    Journal.NoteSymbolicPost(key);
    const TSymbolicAnswer answer = Submitter.PostSymbolicCategory(Utf16ToUtf8(symbolic.Name), parentID, targetID);
    switch (answer.Verdict) {
    case TSymbolicVerdict::Posted:
        Journal.NoteSymbolicPosted(key);
        ++Outcome.SymbolicPosted;
        View.ReportEntry({&symbolic, entry, TEntryAction::Create, ""});
        break;
    case TSymbolicVerdict::AlreadyThere:
        Journal.NoteSymbolicPosted(key);
        ReportAlreadyThere({&symbolic, entry, TEntryAction::AlreadyThere, ""}, entry + " is on the site already.", "");
        break;
    case TSymbolicVerdict::Refused:
        Journal.NoteSymbolicRefused(key);
        ReportFailed(&symbolic, entry, answer.Reason, "");
        break;
    }
}

void TEntryFeeder::ReportCreated(const TEntry& entry)
{
    ++Outcome.Created;
    View.ReportEntry({entry.Record, entry.Path, TEntryAction::Create, ""});
}

void TEntryFeeder::ReportListed(const TEntry& entry)
{
    ReportAlreadyThere({entry.Record, entry.Path, TEntryAction::AlreadyThere, ""},
                       entry.Name + " seems to already exist. skipping.", entry.Path + ": already there");
}

void TEntryFeeder::ReportAlreadyThere(const TFeedEntryReport& report, const std::string& line,
                                      const std::string& dryRunLine)
{
    View.AppendMessageLine(DryRun ? dryRunLine : line);
    View.ReportEntry(report);
    ++Outcome.AlreadyThere;
}

void TEntryFeeder::ReportSkipped(const TBaseCategory* record, const std::string& entry, const std::string& reason,
                                 const std::string& path)
{
    View.AppendMessageLine(DryRun ? entry + ": would be skipped: " + reason : entry + " skipped: " + reason + ".");
    View.ReportEntry({record, entry, TEntryAction::Skip, reason});
    Outcome.Skipped.push_back({entry, reason, record});
    if (!path.empty())
        NotPosted.emplace(path, TNotPosted::Skipped);
}

void TEntryFeeder::ReportFailed(const TBaseCategory* record, const std::string& entry, const std::string& reason,
                                const std::string& path)
{
    View.AppendMessageLine(entry + " failed: " + reason);
    View.ReportEntry({record, entry, TEntryAction::Fail, reason});
    Outcome.Failed.push_back({entry, reason, record});
    if (!path.empty())
        NotPosted.emplace(path, TNotPosted::Failed);
}
