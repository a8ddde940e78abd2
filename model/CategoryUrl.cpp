#include "model/CategoryUrl.h"

#include "common/core/Text.h"

std::u16string UrlSegmentOf(std::u16string_view name)
{
    return ReplaceCharacter(name, u' ', u'_');
}

std::u16string NameOfSegment(std::u16string_view segment)
{
    return ReplaceCharacter(segment, u'_', u' ');
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
