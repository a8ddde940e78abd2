#include "feed/CategoryListing.h"

#include "feed/HtmlTag.h"
#include "feed/HtmlText.h"
#include "model/tree/EntryPaths.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

namespace {

// The level mark as the site writes it, and once decoded: "|" and three no-break spaces.
constexpr std::string_view WrittenLevelMark = "|&nbsp;&nbsp;&nbsp;";
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

// An option as written: its label (or, without one, its text), its value, and where the
// reading of it ended.
struct TOption {
    std::string_view Label;
    std::optional<std::string_view> Value;
    std::size_t ReadEnd = 0;
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
    option.Label = label ? *label : page.substr(end, std::min(page.find('<', end), page.size()) - end);
    option.ReadEnd = label ? end : end + option.Label.size();
    return option;
}

// The level of a category label written with these level marks, and its title behind the
// marks; nothing for any other label.
std::optional<std::size_t> LevelOf(std::string_view label, std::string_view levelMark, std::string_view& title)
{
    std::size_t level = 0;
    std::size_t pos = 0;
    while (label.compare(pos, levelMark.size(), levelMark) == 0) {
        ++level;
        pos += levelMark.size();
    }
    if (label.compare(pos, TitleMark.size(), TitleMark) != 0)
        return std::nullopt;
    title = label.substr(pos + TitleMark.size());
    return level;
}

// The level of a category's label and its title, decoded into `title`. The marks are read as
// the site writes them, so that only the title is decoded; a label written otherwise
// ("&#160;" for a no-break space) is decoded as a whole first.
std::optional<std::size_t> ReadLabel(std::string_view label, std::string& scratch, std::string_view& title)
{
    std::string_view written;
    scratch.clear();
    if (const std::optional<std::size_t> level = LevelOf(label, WrittenLevelMark, written)) {
        AppendHtmlText(scratch, written);
        title = scratch;
        return level;
    }
    AppendHtmlText(scratch, label);
    return LevelOf(scratch, LevelMark, title);
}

bool HoldsPathEscapes(std::string_view title)
{
    for (const char c : title)
        if (c == '\\' || c == '/' || c == '\t' || c == '\r' || c == '\n')
            return true;
    return false;
}

// Compared a block at a time: the texts are whole pages that mostly agree.
std::size_t CommonPrefixSize(std::string_view a, std::string_view b)
{
    constexpr std::size_t Block = 256;
    const std::size_t size = std::min(a.size(), b.size());
    std::size_t same = 0;
    while (same + Block <= size && std::memcmp(a.data() + same, b.data() + same, Block) == 0)
        same += Block;
    while (same < size && a[same] == b[same])
        ++same;
    return same;
}

bool IsTopValue(std::string_view value, std::string& scratch)
{
    if (value.find('&') == std::string_view::npos)
        return value == TopValue;
    scratch.clear();
    AppendHtmlText(scratch, value);
    return scratch == TopValue;
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
    TCategoryListing listing;
    if (!listing.ReadAgain(page))
        return std::nullopt;
    return listing;
}

// Consecutive pages of a feed list nearly the same categories: the entries read from the part
// of the list that is the same as on the last page are kept, and only the rest is read.
bool TCategoryListing::ReadAgain(std::string_view page)
{
    const std::size_t start = ParentOptionsStart(page);
    Slots.clear();
    if (start == std::string_view::npos || !ReadOptions(page.substr(start), KeepUnchanged(page.substr(start)))) {
        Forget();
        return false;
    }
    Source.assign(page.substr(start));
    Index();
    return true;
}

void TCategoryListing::Forget()
{
    Source.clear();
    Text.clear();
    Entries.clear();
    Slots.clear();
}

std::size_t TCategoryListing::KeepUnchanged(std::string_view list)
{
    const std::size_t common = CommonPrefixSize(Source, list);
    std::size_t kept = Entries.size();
    while (kept > 0 && Entries[kept - 1].ReadEnd > common)
        --kept;
    Entries.resize(kept);
    Text.resize(kept == 0 ? 0 : Entries[kept - 1].TitleStart + Entries[kept - 1].TitleSize + Entries[kept - 1].IDSize);
    return kept;
}

// `page` starts behind the select's tag; the first `kept` entries are read already.
bool TCategoryListing::ReadOptions(std::string_view page, std::size_t kept)
{
    constexpr std::string_view OptionEnd = "</option>";
    // The entries of the last category seen on each level: the parents of the next option.
    std::vector<std::size_t> open;
    for (std::uint32_t parent = static_cast<std::uint32_t>(kept); parent != 0; parent = Entries[parent - 1].Parent)
        open.insert(open.begin(), parent - 1);
    std::size_t pos = kept == 0 ? 0 : Entries[kept - 1].TagEnd;
    std::string label;
    for (pos = page.find('<', pos); pos != std::string_view::npos; pos = page.find('<', pos)) {
        if (page.compare(pos, OptionEnd.size(), OptionEnd) == 0) {
            pos += OptionEnd.size();
            continue;
        }
        if (StartsTag(page, pos, "</select"))
            break;
        if (!StartsTag(page, pos, "<option")) {
            ++pos;
            continue;
        }
        const TOption option = ReadOption(page, pos, pos);
        if (option.Value && IsTopValue(*option.Value, label))
            continue;
        std::string_view title;
        const std::optional<std::size_t> level = ReadLabel(option.Label, label, title);
        // A category's option has a value of its own: one without posts its text.
        if (!level || *level > open.size() || !option.Value)
            return false;
        open.resize(*level);

        const auto at = [this] { return static_cast<std::uint32_t>(Text.size()); };
        TEntry entry{open.empty() ? 0 : static_cast<std::uint32_t>(open.back() + 1),
                     at(),
                     0,
                     0,
                     static_cast<std::uint32_t>(pos),
                     static_cast<std::uint32_t>(option.ReadEnd)};
        if (!HoldsPathEscapes(title))
            Text += title;
        else
            Text += EscapePathName(title);
        entry.TitleSize = at() - entry.TitleStart;
        AppendHtmlText(Text, *option.Value);
        entry.IDSize = at() - entry.TitleStart - entry.TitleSize;
        open.push_back(Entries.size());
        Entries.push_back(entry);
    }
    return true;
}

namespace {

std::size_t StepHash(std::uint32_t parent, std::string_view title)
{
    return std::hash<std::string_view>()(title) ^ (std::size_t{parent} * 0x9E3779B97F4A7C15u);
}

// The end of the path's first step: the first "/" that no backslash escapes.
std::size_t StepEnd(std::string_view path)
{
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\')
            ++i;
        else if (path[i] == '/')
            return i;
    }
    return path.size();
}

}  // namespace

void TCategoryListing::Index()
{
    Slots.assign(std::bit_ceil(std::max<std::size_t>(2 * Entries.size(), 2)), 0);
    const std::size_t mask = Slots.size() - 1;
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        const TEntry& entry = Entries[i];
        std::size_t slot = StepHash(entry.Parent, TitleOf(entry)) & mask;
        // The first listing of a path wins, as a site lists each path once.
        for (; Slots[slot] != 0; slot = (slot + 1) & mask) {
            const TEntry& other = Entries[Slots[slot] - 1];
            if (other.Parent == entry.Parent && TitleOf(other) == TitleOf(entry))
                break;
        }
        if (Slots[slot] == 0)
            Slots[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

std::uint32_t TCategoryListing::ChildOf(std::uint32_t parent, std::string_view title) const
{
    const std::size_t mask = Slots.size() - 1;
    for (std::size_t slot = StepHash(parent, title) & mask; Slots[slot] != 0; slot = (slot + 1) & mask) {
        const TEntry& entry = Entries[Slots[slot] - 1];
        if (entry.Parent == parent && TitleOf(entry) == title)
            return Slots[slot];
    }
    return 0;
}

std::optional<std::string_view> TCategoryListing::IDAt(std::string_view path) const
{
    if (Slots.empty() || path.empty())
        return std::nullopt;
    std::uint32_t found = 0;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = start + StepEnd(path.substr(start));
        found = ChildOf(found, path.substr(start, end - start));
        if (found == 0)
            return std::nullopt;
        start = end + 1;
    }
    const TEntry& entry = Entries[found - 1];
    return std::string_view(Text.data() + entry.TitleStart + entry.TitleSize, entry.IDSize);
}
