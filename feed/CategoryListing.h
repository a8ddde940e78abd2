#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// told apart, and a category is found whatever order the site sorts siblings in. The page is
// read after every request of a feed and lists every category of the site, so reading it
// costs one pass and no allocation per category.
class TCategoryListing {
public:
    // Nothing when the page has no such select, or when one of its options is no category
    // option of that form or skips a level: the page is read by the marker rule then
    // (PageScraping.h).
    static std::optional<TCategoryListing> Read(std::string_view page);

    // The identifier of the category at that path: the titles from the top down, each as
    // EscapePathName writes it, joined by "/". Nothing when the page does not list it.
    std::optional<std::string_view> IDAt(std::string_view path) const;

    // The number of categories listed.
    std::size_t Size() const { return Entries.size(); }

private:
    struct TEntry {
        std::size_t PathStart;
        std::size_t PathSize;
        std::size_t IDStart;
        std::size_t IDSize;
    };

    std::string_view PathOf(const TEntry& entry) const { return {Text.data() + entry.PathStart, entry.PathSize}; }
    void Index();

    // Every path and identifier, one after the other.
    std::string Text;
    std::vector<TEntry> Entries;
    // Open addressing: entry number + 1 per slot, 0 for a free one; twice as many slots as
    // entries, a power of two.
    std::vector<std::uint32_t> Slots;
};
