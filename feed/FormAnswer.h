#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the site's answer to a form post says about the post. The site answers with the form
// page again: a post it accepts with the notice <div class="alert">Category saved.</div>,
// a post it refuses with each reason beside its field as <span class="error">reason</span>.
struct TFormAnswer {
    bool Saved = false;
    // The reasons, decoded and without the blanks around them, in page order.
    std::vector<std::string> Refusals;
};

TFormAnswer ReadFormAnswer(std::string_view page);

// The reasons of a refusal as one text: "Title is not unique in the parent category. ...".
std::string JoinedReasons(const std::vector<std::string>& reasons);
