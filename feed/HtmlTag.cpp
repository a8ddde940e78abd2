#include "feed/HtmlTag.h"

#include <algorithm>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

}  // namespace

THtmlTag::THtmlTag(std::string_view page, std::size_t at) : Page(page), Pos(at + 1)
{
    while (Pos < Page.size() && !IsBlank(Page[Pos]) && Page[Pos] != '>' && Page[Pos] != '/')
        ++Pos;
}

std::optional<THtmlTag::TAttribute> THtmlTag::NextAttribute()
{
    while (Pos < Page.size() && (IsBlank(Page[Pos]) || Page[Pos] == '/'))
        ++Pos;
    if (Pos >= Page.size() || Page[Pos] == '>')
        return std::nullopt;
    const std::size_t nameStart = Pos;
    while (Pos < Page.size() && !IsBlank(Page[Pos]) && Page[Pos] != '=' && Page[Pos] != '>')
        ++Pos;
    TAttribute attribute{Page.substr(nameStart, Pos - nameStart), {}};
    if (Pos < Page.size() && Page[Pos] == '=')
        attribute.Value = ReadValue();
    return attribute;
}

std::string_view THtmlTag::ReadValue()
{
    ++Pos;
    std::size_t start = Pos;
    std::size_t end = Pos;
    if (Pos < Page.size() && (Page[Pos] == '"' || Page[Pos] == '\'')) {
        start = Pos + 1;
        end = std::min(Page.find(Page[Pos], start), Page.size());
        Pos = end < Page.size() ? end + 1 : end;
    } else {
        while (Pos < Page.size() && !IsBlank(Page[Pos]) && Page[Pos] != '>')
            ++Pos;
        end = Pos;
    }
    return Page.substr(start, end - start);
}

bool StartsTag(std::string_view page, std::size_t at, std::string_view name)
{
    if (page.compare(at, name.size(), name) != 0)
        return false;
    const std::size_t next = at + name.size();
    return next == page.size() || IsBlank(page[next]) || page[next] == '>' || page[next] == '/';
}

bool HasClass(std::string_view classes, std::string_view name)
{
    for (std::size_t start = 0; start < classes.size();) {
        while (start < classes.size() && IsBlank(classes[start]))
            ++start;
        std::size_t end = start;
        while (end < classes.size() && !IsBlank(classes[end]))
            ++end;
        if (end > start && classes.substr(start, end - start) == name)
            return true;
        start = end;
    }
    return false;
}
