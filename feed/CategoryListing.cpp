#include "feed/CategoryListing.h"

#include "feed/CategoryPaths.h"
#include "feed/HtmlTag.h"
#include "feed/HtmlText.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace {

// The level mark once decoded: "|" and three no-break spaces.
constexpr std::string_view LevelMark = "|\xC2\xA0\xC2\xA0\xC2\xA0";
constexpr std::string_view TitleMark = "|___";
constexpr std::string_view TopValue = "0";

// Where the options of the select "PARENT_ID" begin; npos when the page has none.
std::size_t ParentOptionsStart(std::string_view page)
{
    for (std::size_t at = page.find("<select"); at != std::string_view::npos; at = page.find("<select", at + 1)) {
        if (!StartsTag(page, at, "<select"))
            continue;
        THtmlTag tag(page, at);
        bool isParentSelect = false;
        while (const std::optional<THtmlTag::TAttribute> attribute = tag.NextAttribute())
            isParentSelect = isParentSelect || (attribute->Name == "name" && attribute->Value == "PARENT_ID");
        if (isParentSelect)
            return tag.End();
    }
    return std::string_view::npos;
}

// An option as written: its label (or, without one, its text) and its value.
struct TOption {
    std::string_view Label;
    std::optional<std::string_view> Value;
};

TOption ReadOption(std::string_view page, std::size_t at, std::size_t& end)
{
    THtmlTag tag(page, at);
    std::optional<std::string_view> label;
    TOption option;
    while (const std::optional<THtmlTag::TAttribute> attribute = tag.NextAttribute()) {
        if (attribute->Name == "label")
            label = attribute->Value;
        else if (attribute->Name == "value")
            option.Value = attribute->Value;
    }
    end = tag.End();
    const std::size_t textEnd = std::min(page.find('<', end), page.size());
    option.Label = label.value_or(page.substr(end, textEnd - end));
    return option;
}

// The level of a decoded category label and where its title starts; nothing for any other label.
std::optional<std::size_t> LevelOf(std::string_view label, std::size_t& titleStart)
{
    std::size_t level = 0;
    std::size_t pos = 0;
    while (label.compare(pos, LevelMark.size(), LevelMark) == 0) {
        ++level;
        pos += LevelMark.size();
    }
    if (label.compare(pos, TitleMark.size(), TitleMark) != 0)
        return std::nullopt;
    titleStart = pos + TitleMark.size();
    return level;
}

}  // namespace

std::string_view StoredTitle(std::string_view name)
{
    constexpr std::string_view Trimmed(" \t\r\n\0\v", 6);
    const std::size_t first = name.find_first_not_of(Trimmed);
    if (first == std::string_view::npos)
        return {};
    return name.substr(first, name.find_last_not_of(Trimmed) - first + 1);
}

std::optional<TCategoryListing> TCategoryListing::Read(std::string_view page)
{
    std::size_t pos = ParentOptionsStart(page);
    if (pos == std::string_view::npos)
        return std::nullopt;
    TCategoryListing listing;
    listing.Text.reserve(page.size());
    // The entries of the last category seen on each level: the parents of the next option.
    std::vector<std::size_t> open;
    std::string label;
    for (pos = page.find('<', pos); pos != std::string_view::npos; pos = page.find('<', pos)) {
        if (StartsTag(page, pos, "</select"))
            break;
        if (!StartsTag(page, pos, "<option")) {
            ++pos;
            continue;
        }
        const TOption option = ReadOption(page, pos, pos);
        label.clear();
        AppendHtmlText(label, option.Value.value_or(""));
        if (label == TopValue)
            continue;
        label.clear();
        AppendHtmlText(label, option.Label);
        std::size_t titleStart = 0;
        const std::optional<std::size_t> level = LevelOf(label, titleStart);
        // A category's option has a value of its own: one without posts its text.
        if (!level || *level > open.size() || !option.Value)
            return std::nullopt;
        open.resize(*level);

        std::string& text = listing.Text;
        TEntry entry{text.size(), 0, 0, 0};
        if (!open.empty()) {
            const TEntry& parent = listing.Entries[open.back()];
            text.append(text, parent.PathStart, parent.PathSize);
            text += '/';
        }
        const std::string_view title = std::string_view(label).substr(titleStart);
        if (title.find_first_of(PathEscapedCharacters) == std::string_view::npos)
            text += title;
        else
            text += EscapePathName(title);
        entry.PathSize = text.size() - entry.PathStart;
        entry.IDStart = text.size();
        AppendHtmlText(text, *option.Value);
        entry.IDSize = text.size() - entry.IDStart;
        open.push_back(listing.Entries.size());
        listing.Entries.push_back(entry);
    }
    listing.Index();
    return listing;
}

void TCategoryListing::Index()
{
    Slots.assign(std::bit_ceil(std::max<std::size_t>(2 * Entries.size(), 2)), 0);
    const std::size_t mask = Slots.size() - 1;
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        std::size_t slot = std::hash<std::string_view>()(PathOf(Entries[i])) & mask;
        // The first listing of a path wins, as a site lists each path once.
        while (Slots[slot] != 0 && PathOf(Entries[Slots[slot] - 1]) != PathOf(Entries[i]))
            slot = (slot + 1) & mask;
        if (Slots[slot] == 0)
            Slots[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

std::optional<std::string_view> TCategoryListing::IDAt(std::string_view path) const
{
    const std::size_t mask = Slots.size() - 1;
    for (std::size_t slot = std::hash<std::string_view>()(path) & mask; Slots[slot] != 0; slot = (slot + 1) & mask) {
        const TEntry& entry = Entries[Slots[slot] - 1];
        if (PathOf(entry) == path)
            return std::string_view(Text.data() + entry.IDStart, entry.IDSize);
    }
    return std::nullopt;
}
