#pragma once

#include "tools/site/CategoryForm.h"
#include "tools/site/Directory.h"

#include <string>
#include <vector>

// What a legacy category form page reports about the last post: either a notice or an error.
struct TFormOutcome {
    std::string Notice;
    std::string Error;
};

// The category forms of the legacy pages: every listed category as three underscores per
// level of depth, the name and a double quote, followed by the category's value="ID".
std::string LegacyFormPage(const std::vector<TListedCategory>& listing, TCategoryForm form,
                           const TFormOutcome& outcome);
