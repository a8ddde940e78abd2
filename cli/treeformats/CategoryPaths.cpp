#include "cli/treeformats/CategoryPaths.h"

#include <algorithm>

namespace {

std::u16string Replaced(std::u16string_view text, char16_t from, char16_t to)
{
    std::u16string replaced(text);
    std::replace(replaced.begin(), replaced.end(), from, to);
    return replaced;
}

}  // namespace

std::u16string UrlSegmentOf(std::u16string_view name)
{
    return Replaced(name, u' ', u'_');
}

std::u16string NameOfSegment(std::u16string_view segment)
{
    return Replaced(segment, u'_', u' ');
}

std::u16string ChildUrl(std::u16string_view parentUrl, std::u16string_view name)
{
    std::u16string url;
    url.reserve(parentUrl.size() + 1 + name.size());
    url.append(parentUrl);
    url += u'/';
    url += UrlSegmentOf(name);
    return url;
}
