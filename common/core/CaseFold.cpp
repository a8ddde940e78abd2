#include "common/core/CaseFold.h"

#include <cstdint>
#include <locale>
#include <stdexcept>

namespace {

// The user's locale decides nothing here: a case-insensitive key must match the same way
// on every machine, so the Unicode tables of C.UTF-8 are used; without them, ASCII only.
const std::ctype<wchar_t>& UnicodeCType()
{
    static const std::locale locale = [] {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            return std::locale::classic();
        }
    }();
    return std::use_facet<std::ctype<wchar_t>>(locale);
}

bool IsSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

wchar_t FoldCase(const std::ctype<wchar_t>& ctype, char16_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(c + 32) : static_cast<wchar_t>(c);
    if (IsSurrogate(c))
        return static_cast<wchar_t>(c);
    return ctype.tolower(static_cast<wchar_t>(c));
}

}  // namespace

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto& ctype = UnicodeCType();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && FoldCase(ctype, a[i]) != FoldCase(ctype, b[i]))
            return false;
    }
    return true;
}

void AppendFoldedCase(std::u16string& folded, std::u16string_view text)
{
    const auto& ctype = UnicodeCType();
    for (const char16_t c : text) {
        const wchar_t lower = FoldCase(ctype, c);
        folded += lower > 0xFFFF ? c : static_cast<char16_t>(lower);
    }
}

// FNV-1a over the folded units.
std::size_t HashIgnoringCase(std::u16string_view text)
{
    const auto& ctype = UnicodeCType();
    std::uint64_t hash = 14695981039346656037ull;
    for (const char16_t c : text) {
        hash ^= static_cast<std::uint64_t>(FoldCase(ctype, c));
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}
