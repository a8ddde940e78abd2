#include "feed/PageScraping.h"

#include "common/core/Text.h"
#include "feed/CategoryListing.h"
#include "feed/HtmlText.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr std::string_view NoID = "0";
constexpr std::string_view ValueAttribute = "value=";
constexpr std::string_view Underscores = "___";

std::string CategoryMarker(std::string_view name)
{
    std::string marker(Underscores);
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

// Where the listings of a name end (just behind their double quote), each found once: the
// marker holding the name as given or as the site stores it, as it is or HTML-escaped.
class TListingSearch {
public:
    TListingSearch(std::string_view name, std::string_view page)
        : Page(page), Name(name), Stored(StoredTitle(name)), NameMarker(CategoryMarker(Name)),
          StoredMarker(CategoryMarker(Stored))
    {
    }

    // The first listing at or after `from`; npos when there is none.
    std::size_t Next(std::size_t from) const
    {
        return std::min({LiteralAfter(NameMarker, from), LiteralAfter(StoredMarker, from), EscapedAfter(from)});
    }

private:
    std::size_t LiteralAfter(const std::string& marker, std::size_t from) const
    {
        const std::size_t found = Page.find(marker, from);
        return found == std::string_view::npos ? found : found + marker.size();
    }

    // A listing whose text holds character references: three underscores, text that decodes
    // to the name, a double quote. The marker's underscores start at `from` or later.
    std::size_t EscapedAfter(std::size_t from) const
    {
        if (Stored.empty())
            return std::string_view::npos;
        for (std::size_t at = Page.find(Underscores, from); at != std::string_view::npos;
             at = Page.find(Underscores, at + 1)) {
            const std::size_t start = at + Underscores.size();
            const std::size_t quote = Page.find('"', start);
            if (quote == std::string_view::npos)
                return quote;
            const std::string_view listed = Page.substr(start, quote - start);
            if (listed.find('&') == std::string_view::npos)
                continue;
            const std::string decoded = DecodeHtmlText(listed);
            if (decoded == Name || decoded == Stored)
                return quote + 1;
        }
        return std::string_view::npos;
    }

    std::string_view Page;
    std::string_view Name;
    std::string_view Stored;
    std::string NameMarker;
    std::string StoredMarker;
};

}  // namespace

std::u16string TitleToUrl(std::u16string_view title)
{
    const std::string text = Utf16ToUtf8(title);
    std::string url;
    url.reserve(text.size());
    for (const char c : text) {
        const bool kept =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        url += c == ' ' ? '-' : kept ? c : '_';
    }
    return Utf8ToUtf16(url);
}

bool CategoryExists(std::string_view name, std::string_view page)
{
    return TListingSearch(name, page).Next(0) != std::string_view::npos;
}

std::optional<std::string> FirstListedID(std::string_view name, std::string_view page)
{
    const std::size_t listed = TListingSearch(name, page).Next(0);
    if (listed == std::string_view::npos)
        return std::nullopt;
    return IDAfterListing(page, listed);
}

std::string FindCategoryID(const std::string& name, const std::string& page)
{
    if (name.empty())
        return std::string(NoID);
    return FirstListedID(name, page).value_or(std::string(NoID));
}

std::vector<std::string> ListedCategoryIDs(std::string_view name, std::string_view page)
{
    const TListingSearch search(name, page);
    std::vector<std::string> ids;
    for (std::size_t listed = search.Next(0); listed != std::string_view::npos; listed = search.Next(listed))
        ids.push_back(IDAfterListing(page, listed));
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
