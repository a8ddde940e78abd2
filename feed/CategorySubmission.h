#pragma once

#include "feed/AdminSession.h"
#include "feed/FeedPause.h"
#include "feed/FeedView.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TBaseCategory;

// Looks for a posted category in a page: nothing while the page does not show it; once it
// does, the identifier the site gave it, or "" when the page shows it but which of its
// listings is the new one cannot be told.
using TListingCheck = std::function<std::optional<std::string>(const TSitePage& page)>;

// A category to post: the record it stands for (handed back with the verdict), its name, its
// parent's identifier and how to see it listed.
struct TCategoryPost {
    const TBaseCategory* Record = nullptr;
    std::string Name;
    std::string ParentID;
    TListingCheck IsListed;
};

// What became of a posted category: listed (with the identifier its check found), refused by
// the site (with the site's reasons), or never listed after every examination.
enum class TPostVerdict { Listed, Refused, NotListed };

struct TSettledPost {
    TCategoryPost Post;
    TPostVerdict Verdict = TPostVerdict::Listed;
    std::string ID;
    std::string Reason;
};

// What the site said to a symbolic category.
enum class TSymbolicVerdict { Posted, AlreadyThere, Refused };

struct TSymbolicAnswer {
    TSymbolicVerdict Verdict = TSymbolicVerdict::Posted;
    std::string Reason;
};

// Posts categories through the site's new-category forms and sees each one listed.
//
// A site that answers a post with the form page listing the new category settles it at once.
// A site that answers "Category saved." renders that page from its list as it was before the
// insert, so the category can only show on a later page: it is examined on the answer to the
// next request, whatever that is, and only a category needed before then (as a parent) costs
// a fetch of its own. A page that should list a category and does not is a failed
// examination: the line "category ... seem like it was not added. regetting page k of 5
// before abort..." and a re-fetch of the form page, at once after the first failure and after
// the pause after later ones. After five failed examinations and their re-fetches the category
// is given up. An answer with the site's reasons (class="error") settles the post as refused.
class TCategorySubmitter {
public:
    static constexpr int MaxExaminations = 5;
    static constexpr std::chrono::milliseconds RefetchPause{1000};

    TCategorySubmitter(TAdminSession& session, TFeedView& view, TPause pause = SleepFor);

    // Posts the category under the parent listed first under parentName on the current page
    // and sees it listed. Fails with ECategoryNotAdded ("problems with category: NAME") when
    // it is refused or never shows.
    void AddCategory(const std::string& name, const std::string& parentName);

    // Posts the category. Returns the posts this call settled, earlier ones first: an earlier
    // post left unconfirmed is examined on this answer too. The post itself may be left
    // unconfirmed (see Unconfirmed).
    std::vector<TSettledPost> PostCategory(TCategoryPost post);

    // The post whose answer said "Category saved.", not yet seen listed; nullptr when none is
    // (also while a run that ends early had other posts still to see).
    const TCategoryPost* Unconfirmed() const;
    // Sees the unconfirmed post settled: fetches `url` (a form page) and re-fetches the new
    // category form after failed examinations. Returns what it settled.
    std::vector<TSettledPost> Confirm(const std::string& url);

    // Posts the symbolic category with the identifiers of the first categories listed under
    // those names; the answer is not examined beyond what PostSymbolicCategory reads.
    void AddSymbolicCategory(const std::string& name, const std::string& parentName, const std::string& targetName);

    // A site that writes full form pages sets up the checks of a form when its page is opened:
    // the symbolic form is fetched unless the last form page was that one.
    void OpenSymbolicForm();
    // Posts the symbolic category with both identifiers already known and reads the answer:
    // the site's reasons refuse it, unless it says only that it has the category already.
    TSymbolicAnswer PostSymbolicCategory(const std::string& name, const std::string& parentID,
                                         const std::string& targetID);

private:
    struct TAwaited {
        TCategoryPost Post;
        bool Saved = false;  // the site's answer said so
        int FailedExaminations = 0;
    };

    // FindCategoryID of the name on the current page, with the page dumped first.
    std::string IDOnCurrentPage(const std::string& name);
    void FillCategoryForm(const std::string& name, const std::string& parentID);
    void Fetch(const std::string& url);
    // Examines every awaited post on the current page; the listed ones are settled.
    void ExamineAwaited(std::vector<TSettledPost>& settled);
    // Re-fetches the form page while an awaited post has failed an examination.
    void RefetchWhileMissing(std::vector<TSettledPost>& settled);
    void ReportMissingCategory(const std::string& name, int examination);

    TAdminSession& Session;
    TFeedView& View;
    TPause Pause;
    // Posts waiting to be seen listed; only the last post is left here between calls.
    std::vector<TAwaited> Awaited;
    bool SymbolicFormOpen = false;
};

// The check of a category whose name the page did not list before its post: the first
// listing of the name is the new one.
TListingCheck FirstListingCheck(const std::string& name);

// The check of a category whose name the page listed before its post, under the identifiers
// given: it shows once the name is listed more often; the new identifier is the one not
// listed before ("" when more than one is new, as then which is ours cannot be told).
TListingCheck NewListingCheck(const std::string& name, std::vector<std::string> listedBefore);

// The check of a category by its path on a page that lists the site's tree (see
// TCategoryListing::IDAt), and by `onOtherPages` on a page that does not.
TListingCheck PathListingCheck(const std::string& path, TListingCheck onOtherPages);
