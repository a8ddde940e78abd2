#include "feed/PageScraping.h"

#include "common/core/Text.h"

#include <unordered_map>

namespace {

constexpr std::string_view NoID = "0";
constexpr std::string_view ValueAttribute = "value=";

std::string CategoryMarker(std::string_view name)
{
    std::string marker = "___";
    marker += name;
    marker += '"';
    return marker;
}

// The identifier belonging to a listing that ends at `from`: the text between the delimiter
// behind the first "value=" at or after `from` and the next same delimiter.
std::string IDAfterListing(std::string_view page, std::size_t from)
{
    const std::size_t attribute = page.find(ValueAttribute, from);
    const std::size_t delimiterAt = attribute == std::string_view::npos ? attribute : attribute + ValueAttribute.size();
    if (delimiterAt == std::string_view::npos || delimiterAt >= page.size())
        return std::string(NoID);
    const std::size_t valueEnd = page.find(page[delimiterAt], delimiterAt + 1);
    if (valueEnd == std::string_view::npos)
        return std::string(NoID);
    return std::string(page.substr(delimiterAt + 1, valueEnd - delimiterAt - 1));
}

}  // namespace

std::u16string TitleToUrl(std::u16string_view title)
{
    return ReplaceCharacter(title, u' ', u'-');
}

bool CategoryExists(std::string_view name, std::string_view page)
{
    return page.find(CategoryMarker(name)) != std::string_view::npos;
}

std::optional<std::string> FirstListedID(std::string_view name, std::string_view page)
{
    const std::string marker = CategoryMarker(name);
    const std::size_t listed = page.find(marker);
    if (listed == std::string_view::npos)
        return std::nullopt;
    return IDAfterListing(page, listed + marker.size());
}

std::string FindCategoryID(const std::string& name, const std::string& page)
{
    if (name.empty())
        return std::string(NoID);
    return FirstListedID(name, page).value_or(std::string(NoID));
}

std::vector<std::string> ListedCategoryIDs(std::string_view name, std::string_view page)
{
    const std::string marker = CategoryMarker(name);
    std::vector<std::string> ids;
    for (std::size_t listed = page.find(marker); listed != std::string_view::npos;
         listed = page.find(marker, listed + marker.size()))
        ids.push_back(IDAfterListing(page, listed + marker.size()));
    return ids;
}

std::vector<std::string> IDsNotIn(const std::vector<std::string>& ids, const std::vector<std::string>& known)
{
    std::unordered_map<std::string_view, std::size_t> unmatched;
    for (const std::string& id : known)
        ++unmatched[id];
    std::vector<std::string> rest;
    for (const std::string& id : ids) {
        const auto match = unmatched.find(id);
        if (match != unmatched.end() && match->second > 0)
            --match->second;
        else
            rest.push_back(id);
    }
    return rest;
}
