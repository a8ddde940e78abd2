#pragma once

#include "tools/site/CategoryChecks.h"
#include "tools/site/CategoryForm.h"
#include "tools/site/Directory.h"

#include <string>
#include <vector>

// What a form page says about the post it answers: that it was saved, or why it was refused.
// A page opened with a GET says neither, and so does the answer to a post that the database
// turned down while no form checked it.
struct TFormAnswer {
    bool Saved = false;
    TRefusals Refusals;
};

// The category forms as the directory script writes them: "Category saved." above the form,
// each refusal beside its field, and every listed category in the parent list (and in the
// symbolic form also in the list of the category it stands for) after "[Top]", its title
// escaped behind one "|&nbsp;&nbsp;&nbsp;" per level above it and "|___".
std::string CategoryFormPage(const std::vector<TListedCategory>& listing, TCategoryForm form,
                             const TFormAnswer& answer);
