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
    // The same into this listing, keeping the memory of its earlier reading: a feed reads a
    // page of a size like the last one after every request. False, and an empty listing,
    // where Read gives nothing.
    bool ReadAgain(std::string_view page);

    // The identifier of the category at that path: the titles from the top down, each as
    // EscapePathName writes it, joined by "/". Nothing when the page does not list it.
    std::optional<std::string_view> IDAt(std::string_view path) const;

    // The number of categories listed.
    std::size_t Size() const { return Entries.size(); }

private:
    // A category: its parent's entry number + 1 (0 for the top), its title (as a step of a
    // path) and identifier in Text, and where in Source its option's tag and its reading end.
    struct TEntry {
        std::uint32_t Parent;
        std::uint32_t TitleStart;
        std::uint32_t TitleSize;
        std::uint32_t IDSize;  // the identifier follows the title
        std::uint32_t TagEnd;
        std::uint32_t ReadEnd;
    };

    std::string_view TitleOf(const TEntry& entry) const { return {Text.data() + entry.TitleStart, entry.TitleSize}; }
    // Keeps the entries read from the part of the list that `list` repeats; their number.
    std::size_t KeepUnchanged(std::string_view list);
    bool ReadOptions(std::string_view page, std::size_t kept);
    void Forget();
    void Index();
    // The entry number + 1 of the child of that parent with that title; 0 when there is none.
    std::uint32_t ChildOf(std::uint32_t parent, std::string_view title) const;

    // The page read last, from behind the select's tag.
    std::string Source;
    // Every title and identifier, one after the other.
    std::string Text;
    std::vector<TEntry> Entries;
    // Open addressing by parent and title: entry number + 1 per slot, 0 for a free one; twice
    // as many slots as entries, a power of two.
    std::vector<std::uint32_t> Slots;
};
