#pragma once

#include "feed/AdminSession.h"
#include "feed/FeedView.h"

#include <chrono>
#include <functional>
#include <string>

// Blocks the thread for the given time; the run passes a real sleep, tests record the calls.
using TPause = std::function<void(std::chrono::milliseconds)>;

void SleepFor(std::chrono::milliseconds duration);

// Posts categories through the site's new-category forms. Names and identifiers are read from
// the session's current page, i.e. from the answer to the previous request.
class TCategorySubmitter {
public:
    static constexpr int MaxExaminations = 5;
    static constexpr std::chrono::milliseconds RefetchPause{1000};

    TCategorySubmitter(TAdminSession& session, TFeedView& view, TPause pause = SleepFor);

    // Posts the category and checks that the site lists it, re-fetching the form page up to
    // five times with a pause before each. Fails with ECategoryNotAdded when it never shows.
    void AddCategory(const std::string& name, const std::string& parentName);

    // Posts the symbolic category; the site's answer is not checked.
    void AddSymbolicCategory(const std::string& name, const std::string& parentName, const std::string& targetName);

private:
    void FillCategoryForm(const std::string& name, const std::string& parentName);
    void ReportMissingCategory(const std::string& name, int examination);

    TAdminSession& Session;
    TFeedView& View;
    TPause Pause;
};
