#include "feed/PageScraping.h"

#include "feed/PageDump.h"

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

}  // namespace

std::u16string TitleToUrl(std::u16string_view title)
{
    std::u16string url(title);
    for (char16_t& c : url)
        if (c == u' ')
            c = u'-';
    return url;
}

bool CategoryExists(std::string_view name, std::string_view page)
{
    return page.find(CategoryMarker(name)) != std::string_view::npos;
}

std::string FindCategoryID(const std::string& name, const std::string& page)
{
    if (name.empty())
        return std::string(NoID);
    WritePageDump(page);

    const std::string marker = CategoryMarker(name);
    const size_t listed = page.find(marker);
    if (listed == std::string::npos)
        return std::string(NoID);
    const size_t attribute = page.find(ValueAttribute, listed + marker.size());
    const size_t delimiterAt = attribute == std::string::npos ? attribute : attribute + ValueAttribute.size();
    if (delimiterAt == std::string::npos || delimiterAt >= page.size())
        return std::string(NoID);
    const size_t valueEnd = page.find(page[delimiterAt], delimiterAt + 1);
    if (valueEnd == std::string::npos)
        return std::string(NoID);
    return page.substr(delimiterAt + 1, valueEnd - delimiterAt - 1);
}
