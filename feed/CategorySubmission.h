#pragma once

#include "feed/AdminSession.h"
#include "feed/FeedPause.h"
#include "feed/FeedView.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Looks for a posted category in a page: nothing while the page does not show it; once it
// does, the identifier the site gave it, or "" when the page shows it but which of its
// listings is the new one cannot be told.
using TListingCheck = std::function<std::optional<std::string>(const std::string& page)>;

// Posts categories through the site's new-category forms. Names and identifiers are read from
// the session's current page, i.e. from the answer to the previous request.
class TCategorySubmitter {
public:
    static constexpr int MaxExaminations = 5;
    static constexpr std::chrono::milliseconds RefetchPause{1000};

    TCategorySubmitter(TAdminSession& session, TFeedView& view, TPause pause = SleepFor);

    // Posts the category under the parent listed first under parentName and checks that the
    // site lists it, re-fetching the form page up to five times with a pause before each.
    // Fails with ECategoryNotAdded when it never shows.
    void AddCategory(const std::string& name, const std::string& parentName);

    // The same with the parent's identifier already known; the check tells when the category
    // shows. Returns the identifier the check found.
    std::string PostCategory(const std::string& name, const std::string& parentID, const TListingCheck& isListed);

    // Posts the symbolic category with the identifiers of the first categories listed under
    // those names; the site's answer is not checked.
    void AddSymbolicCategory(const std::string& name, const std::string& parentName, const std::string& targetName);

    // The same with both identifiers already known.
    void PostSymbolicCategory(const std::string& name, const std::string& parentID, const std::string& targetID);

private:
    // FindCategoryID of the name on the current page, with the page dumped first.
    std::string IDOnCurrentPage(const std::string& name) const;
    void FillCategoryForm(const std::string& name, const std::string& parentID);
    void ReportMissingCategory(const std::string& name, int examination);

    TAdminSession& Session;
    TFeedView& View;
    TPause Pause;
};

// The check of a category whose name the page did not list before its post: the first
// listing of the name is the new one.
TListingCheck FirstListingCheck(const std::string& name);

// The check of a category whose name the page listed before its post, under the identifiers
// given: it shows once the name is listed more often; the new identifier is the one not
// listed before ("" when more than one is new, as then which is ours cannot be told).
TListingCheck NewListingCheck(const std::string& name, std::vector<std::string> listedBefore);
