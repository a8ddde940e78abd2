#include "tools/site/UrlTitle.h"

#include <algorithm>

namespace {

bool IsUrlTitleByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

}  // namespace

std::string MadeUrlTitle(std::string_view title)
{
    std::string made(title);
    for (char& c : made)
        if (!IsUrlTitleByte(c))
            c = '_';
    return made;
}

bool IsAllowedUrlTitle(std::string_view urlTitle)
{
    return !urlTitle.empty() && std::all_of(urlTitle.begin(), urlTitle.end(), IsUrlTitleByte);
}
