#include "cli/treeformats/CategoryPaths.h"

std::u16string UrlSegmentOf(std::u16string_view name)
{
    std::u16string segment(name);
    for (char16_t& c : segment)
        if (c == u' ')
            c = u'_';
    return segment;
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
