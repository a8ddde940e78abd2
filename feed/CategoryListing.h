#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// How the site stores a title: without the blanks around it (the site trims blank, tab, CR,
// LF, NUL and vertical tab), so " Leading Blank" is listed as "Leading Blank".
std::string_view StoredTitle(std::string_view name);

// The site's regular categories as its form pages list them in the options of the select
// "PARENT_ID": a first option of value 0 ("[Top]"), then one option per category in tree
// pre-order, its level written as one "|&nbsp;&nbsp;&nbsp;" per level in front of a final
// "|___", then the title HTML-escaped, in the option's label (or its text):
//
//     <option label="|&nbsp;&nbsp;&nbsp;|___Jazz &amp; Blues" value="3">...</option>
//
// Read once per page, the list answers by path, so that a title used under two parents is
// told apart, and a category is found whatever order the site sorts siblings in.
class TCategoryListing {
public:
    // Nothing when the page has no such select, or when one of its options is no category
    // option of that form or skips a level: the page is read by the marker rule then
    // (PageScraping.h).
    static std::optional<TCategoryListing> Read(std::string_view page);

    // The identifier of the category at that path: the titles from the top down, each as
    // EscapePathName writes it, joined by "/". nullptr when the page does not list it.
    const std::string* IDAt(const std::string& path) const;

    // The number of categories listed.
    std::size_t Size() const { return IDs.size(); }

private:
    std::unordered_map<std::string, std::string> IDs;
};
