#include "feed/CategoryListing.h"

#include "feed/CategoryPaths.h"
#include "feed/HtmlTag.h"
#include "feed/HtmlText.h"

#include <algorithm>
#include <vector>

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

struct TOption {
    std::string Label;
    std::optional<std::string> Value;
};

// The option that starts at `at`: its label (or, without one, its text) and value decoded.
TOption ReadOption(std::string_view page, std::size_t at, std::size_t& end)
{
    THtmlTag tag(page, at);
    std::optional<std::string_view> label;
    std::optional<std::string_view> value;
    while (const std::optional<THtmlTag::TAttribute> attribute = tag.NextAttribute()) {
        if (attribute->Name == "label")
            label = attribute->Value;
        else if (attribute->Name == "value")
            value = attribute->Value;
    }
    end = tag.End();
    const std::size_t textEnd = std::min(page.find('<', end), page.size());
    const std::string_view text = page.substr(end, textEnd - end);
    TOption option{DecodeHtmlText(label.value_or(text)), std::nullopt};
    if (value)
        option.Value = DecodeHtmlText(*value);
    return option;
}

// The level of a category option and where its title starts; nothing for any other label.
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
    // The path of the last category seen on each level, the parents of the next option.
    std::vector<std::string> openPaths;
    for (pos = page.find('<', pos); pos != std::string_view::npos; pos = page.find('<', pos)) {
        if (StartsTag(page, pos, "</select"))
            break;
        if (!StartsTag(page, pos, "<option")) {
            ++pos;
            continue;
        }
        TOption option = ReadOption(page, pos, pos);
        if (option.Value == TopValue)
            continue;
        std::size_t titleStart = 0;
        const std::optional<std::size_t> level = LevelOf(option.Label, titleStart);
        // A category's option has a value of its own: one without posts its text.
        if (!level || *level > openPaths.size() || !option.Value)
            return std::nullopt;
        openPaths.resize(*level);
        std::string path = (openPaths.empty() ? std::string() : openPaths.back() + "/") +
                           EscapePathName(std::string_view(option.Label).substr(titleStart));
        listing.IDs.emplace(path, std::move(*option.Value));
        openPaths.push_back(std::move(path));
    }
    return listing;
}

const std::string* TCategoryListing::IDAt(const std::string& path) const
{
    const auto found = IDs.find(path);
    return found != IDs.end() ? &found->second : nullptr;
}
