#include "feed/EntryFeeder.h"

#include "common/core/Text.h"
#include "feed/FeedErrors.h"
#include "feed/FeedJournal.h"
#include "feed/FeedOutcome.h"
#include "feed/PageDump.h"
#include "feed/PageScraping.h"
#include "model/Dmoz.h"

#include <algorithm>

namespace {

std::string Times(std::size_t count)
{
    return count == 1 ? "once" : std::to_string(count) + " times";
}

}  // namespace

TEntryFeeder::TEntryFeeder(TAdminSession& session, TCategorySubmitter& submitter, TFeedView& view,
                           const TDmoz& document, const TParentLookup& findParent, TFeedJournal& journal, bool dryRun,
                           TFeedOutcome& outcome)
    : Session(session), Submitter(submitter), View(view), Document(document), FindParentCategory(findParent),
      Paths(document, findParent), Journal(journal), DryRun(dryRun), Outcome(outcome)
{
}

void TEntryFeeder::FeedCategory(const TCategory& category)
{
    const TEntry entry{&category, Utf16ToUtf8(category.Name), Paths.PathOf(&category)};
    std::vector<std::string> listedBefore;
    if (IsSettledWithoutPost(entry, listedBefore))
        return;
    const TBaseCategory* parent = FindParentCategory(category.ID);
    std::string reason;
    const std::optional<std::string> parentID = parent ? IdentifierOf(parent, reason) : std::string("0");
    if (!parentID) {
        ReportSkipped(&category, entry.Path, "the identifier of its parent cannot be determined: " + reason,
                      entry.Path);
        return;
    }
    if (DryRun) {
        View.AppendMessageLine(entry.Path + ": would be created");
        View.ReportEntry({&category, entry.Path, TEntryAction::Create, ""});
        WouldCreate.insert(entry.Path);
        ++Outcome.Created;
        return;
    }
    PostCategory(entry, *parentID, listedBefore);
}

bool TEntryFeeder::IsSettledWithoutPost(const TEntry& entry, std::vector<std::string>& listedBefore)
{
    const std::string& page = Session.CurrentPage();
    if (!Paths.IsShared(entry.Name)) {
        if (!CategoryExists(entry.Name, page))
            return false;
        ReportAlreadyThere({entry.Record, entry.Path, TEntryAction::AlreadyThere, ""},
                           entry.Name + " seems to already exist. skipping.", entry.Path + ": already there");
        return true;
    }
    listedBefore = ListedCategoryIDs(entry.Name, page);
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
    const std::string name = Utf16ToUtf8(record->Name);
    const std::string path = Paths.PathOf(record);
    if (NotPosted.contains(path)) {
        reason = path + " is not posted";
        return std::nullopt;
    }
    if (WouldCreate.contains(path))
        return std::string();
    const std::string& page = Session.CurrentPage();
    DumpPageOfLookup(name, page);
    if (!Paths.IsShared(name))
        return FindCategoryID(name, page);
    const std::vector<std::string> listed = ListedCategoryIDs(name, page);
    if (std::optional<std::string> id = CertainID(path, listed))
        return id;
    reason = "the page lists " + name + " " + Times(listed.size()) + " and the journal does not tell which is " + path;
    return std::nullopt;
}

void TEntryFeeder::PostCategory(const TEntry& entry, const std::string& parentID,
                                const std::vector<std::string>& listedBefore)
{
    const bool shared = Paths.IsShared(entry.Name);
    if (shared)
        Journal.NoteCategoryPost(entry.Path, listedBefore);
    std::string id;
    try {
        id = Submitter.PostCategory(entry.Name, parentID,
                                    shared ? NewListingCheck(entry.Name, listedBefore) : FirstListingCheck(entry.Name));
    } catch (const ECategoryNotAdded& error) {
        Outcome.Failed.push_back({entry.Path, error.what()});
        View.ReportEntry({entry.Record, entry.Path, TEntryAction::Fail, error.what()});
        throw;
    }
    if (!id.empty())
        Journal.NoteCategoryCreated(entry.Path, id);
    ++Outcome.Created;
    View.ReportEntry({entry.Record, entry.Path, TEntryAction::Create, ""});
}

void TEntryFeeder::FeedSymbolicCategory(const TSymbolicCategory& symbolic)
{
    const std::string name = Utf16ToUtf8(symbolic.Name);
    const std::string entry = "symbolic category " + name;
    // Both the target and the parent are needed by name; without either there is nothing to
    // post, so the entry is skipped with a line that says which lookup failed.
    const std::string url = Utf16ToUtf8(symbolic.Url);
    const TCategory* target = Document.FindCategoryByUrl(url);
    const TCategory* parent = Document.FindCategoryByID(symbolic.Parent);
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
    Journal.NoteSymbolicPost(key);
    Submitter.PostSymbolicCategory(name, *parentID, *targetID);
    Journal.NoteSymbolicPosted(key);
    ++Outcome.SymbolicPosted;
    View.ReportEntry({&symbolic, entry, TEntryAction::Create, ""});
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
    Outcome.Skipped.push_back({entry, reason});
    if (!path.empty())
        NotPosted.insert(path);
}
