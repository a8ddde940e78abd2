#pragma once

#include "feed/CategoryPaths.h"
#include "feed/CategorySubmission.h"
#include "feed/FeedEntryReport.h"

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class TCategory;
class TDmoz;
class TFeedJournal;
class TSymbolicCategory;
struct TFeedOutcome;

// Decides for each entry of the document whether to post it, and posts it through a logged-in
// session, counting what it does in the outcome.
//
// A category whose name no other branch of the tree uses is handled by name, as the form page
// lists it: it is there when the page lists its name, and its parent is the first category
// listed under the parent's name. A name used under several parents may be listed several
// times, and then the name alone says nothing certain; the feeder uses only what it knows for
// sure: the identifiers listed before and after its own post, kept in the journal by path. An
// entry that needs an identifier it cannot determine that way is not posted, and neither are
// the entries below it. Symbolic categories are not listed at all; the journal alone tells
// which were posted.
//
// In a dry run nothing is posted: every entry is reported with what a run would do.
class TEntryFeeder {
public:
    TEntryFeeder(TAdminSession& session, TCategorySubmitter& submitter, TFeedView& view, const TDmoz& document,
                 const TParentLookup& findParent, TFeedJournal& journal, bool dryRun, TFeedOutcome& outcome);

    void FeedCategory(const TCategory& category);
    void FeedSymbolicCategory(const TSymbolicCategory& symbolic);

private:
    struct TEntry {
        const TBaseCategory* Record;
        std::string Name;
        std::string Path;
    };

    // True when the entry needs no post: it is there already, or it is skipped.
    bool IsSettledWithoutPost(const TEntry& entry, std::vector<std::string>& listedBefore);
    bool IsInJournal(const TEntry& entry, const std::vector<std::string>& listed);
    std::vector<std::string> UnclaimedIDs(const std::string& name, const std::vector<std::string>& listed) const;
    std::optional<std::string> CertainID(const std::string& path, const std::vector<std::string>& listed) const;
    // The identifier to post for a parent or target; nothing, with the reason, when it is not certain.
    std::optional<std::string> IdentifierOf(const TBaseCategory* record, std::string& reason);
    void PostCategory(const TEntry& entry, const std::string& parentID, const std::vector<std::string>& listedBefore);

    void ReportAlreadyThere(const TFeedEntryReport& report, const std::string& line, const std::string& dryRunLine);
    // path: the category's path, so that nothing below it is posted; "" for a symbolic category.
    void ReportSkipped(const TBaseCategory* record, const std::string& entry, const std::string& reason,
                       const std::string& path);

    TAdminSession& Session;
    TCategorySubmitter& Submitter;
    TFeedView& View;
    const TDmoz& Document;
    const TParentLookup& FindParentCategory;
    TCategoryPaths Paths;
    TFeedJournal& Journal;
    const bool DryRun;
    TFeedOutcome& Outcome;
    // Paths of categories this run did not post and that are not on the site for certain: no
    // entry below them can be posted either.
    std::unordered_set<std::string> NotPosted;
    // Paths of categories a dry run would create: the entries below them would be created too.
    std::unordered_set<std::string> WouldCreate;
};
