#pragma once

#include "feed/CategoryPaths.h"
#include "feed/CategorySubmission.h"
#include "feed/FeedEntryReport.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TCategory;
class TFeedJournal;
class TSymbolicCategory;
struct TFeedOutcome;

// Decides for each entry of the tree whether to post it, and posts it through a logged-in
// session, counting what it does in the outcome.
//
// A form page that lists the site's tree (TCategoryListing) answers by path: a category is
// there when its path is listed, and its parent is the category listed at the parent's path.
// Other pages are read by name, as the marker rule lists categories: a category whose name no
// other branch of the tree uses is there when the page lists its name, and its parent is the
// first category listed under the parent's name. A name used under several parents may be
// listed several times there, and then the name alone says nothing certain; the feeder uses
// only what it knows for sure: the identifiers listed before and after its own post, kept in
// the journal by path. An entry that needs an identifier it cannot determine is not posted,
// and neither are the entries below it.
//
// A category the site refuses, or never lists, fails: the run goes on without it and its
// subtree. Symbolic categories are not listed at all; the journal alone tells which were
// posted, and a site that has one already says so in its refusal.
//
// In a dry run nothing is posted: every entry is reported with what a run would do.
class TEntryFeeder {
public:
    TEntryFeeder(TAdminSession& session, TCategorySubmitter& submitter, TFeedView& view, const TCategoryTree& tree,
                 TFeedJournal& journal, bool dryRun, TFeedOutcome& outcome);

    void FeedCategory(const TCategory& category);
    // After the last regular category: sees the one posted last listed, on the symbolic form
    // when symbolic categories follow (that fetch opens the form for them too).
    void FinishCategories(bool symbolicFollow);
    void FeedSymbolicCategory(const TSymbolicCategory& symbolic);
    // For a run that ends early: the category posted last, which the site said it saved,
    // counts as created.
    void CountUnconfirmedAsCreated();

private:
    struct TEntry {
        const TBaseCategory* Record;
        std::string Name;
        std::string Path;
        std::string SitePath;
    };

    enum class TNotPosted { Skipped, Failed };

    TEntry EntryOf(const TBaseCategory* record) const;
    // True when the entry needs no post: it is there already, or it is skipped.
    bool IsSettledWithoutPost(const TEntry& entry, std::vector<std::string>& listedBefore);
    bool IsSettledByName(const TEntry& entry, const std::vector<std::string>& listedBefore);
    bool IsInJournal(const TEntry& entry, const std::vector<std::string>& listed);
    std::vector<std::string> UnclaimedIDs(const std::string& name, const std::vector<std::string>& listed) const;
    std::optional<std::string> CertainID(const std::string& path, const std::vector<std::string>& listed) const;
    // The identifier to post for a parent or target; nothing, with the reason, when it is not certain.
    std::optional<std::string> IdentifierOf(const TBaseCategory* record, std::string& reason);
    std::optional<std::string> IdentifierOnPage(const TEntry& entry, std::string& reason);
    // The post left unconfirmed is seen settled first when the entry may be that category.
    void ConfirmIfAbout(const TEntry& entry);
    void PostCategory(const TEntry& entry, const std::string& parentID, const std::vector<std::string>& listedBefore);
    void Settle(const std::vector<TSettledPost>& settled);
    void PostSymbolic(const TSymbolicCategory& symbolic, const std::string& entry, const std::string& key,
                      const std::string& parentID, const std::string& targetID);

    void ReportCreated(const TEntry& entry);
    // A category the page lists.
    void ReportListed(const TEntry& entry);
    void ReportAlreadyThere(const TFeedEntryReport& report, const std::string& line, const std::string& dryRunLine);
    // path: the category's path, so that nothing below it is posted; "" for a symbolic category.
    void ReportSkipped(const TBaseCategory* record, const std::string& entry, const std::string& reason,
                       const std::string& path);
    void ReportFailed(const TBaseCategory* record, const std::string& entry, const std::string& reason,
                      const std::string& path);

    TAdminSession& Session;
    TCategorySubmitter& Submitter;
    TFeedView& View;
    const TCategoryTree& Tree;
    TCategoryPaths Paths;
    TFeedJournal& Journal;
    const bool DryRun;
    TFeedOutcome& Outcome;
    // Paths of categories this run did not post and that are not on the site for certain: no
    // entry below them can be posted either.
    std::unordered_map<std::string, TNotPosted> NotPosted;
    // Paths of categories a dry run would create: the entries below them would be created too.
    std::unordered_set<std::string> WouldCreate;
    // The identifiers of the categories this run created, by site path.
    std::unordered_map<std::string, std::string> CreatedIDs;
};
