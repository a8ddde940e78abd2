#include "feed/HtmlText.h"

#include "common/core/Text.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

constexpr char32_t Replacement = 0xFFFD;
// Longer than any reference a site writes for a title; a longer one is left as written.
constexpr std::size_t LongestReference = 12;

constexpr std::array<std::pair<std::string_view, char32_t>, 6> NamedReferences = {{
    {"amp", U'&'},
    {"lt", U'<'},
    {"gt", U'>'},
    {"quot", U'"'},
    {"apos", U'\''},
    {"nbsp", 0xA0},
}};

std::optional<char32_t> NumericReference(std::string_view digits)
{
    int base = 10;
    if (!digits.empty() && (digits.front() == 'x' || digits.front() == 'X')) {
        base = 16;
        digits.remove_prefix(1);
    }
    std::uint32_t code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, base);
    if (digits.empty() || error == std::errc::invalid_argument || end != digits.data() + digits.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return Replacement;
    return static_cast<char32_t>(code);
}

// The character of the reference between "&" and ";", if it is one.
std::optional<char32_t> ReferencedCharacter(std::string_view reference)
{
    if (!reference.empty() && reference.front() == '#')
        return NumericReference(reference.substr(1));
    for (const auto& [name, character] : NamedReferences)
        if (reference == name)
            return character;
    return std::nullopt;
}

}  // namespace

std::string DecodeHtmlText(std::string_view html)
{
    std::string text;
    text.reserve(html.size());
    AppendHtmlText(text, html);
    return text;
}

void AppendHtmlText(std::string& text, std::string_view html)
{
    std::size_t done = 0;
    for (std::size_t amp = html.find('&'); amp != std::string_view::npos; amp = html.find('&', amp + 1)) {
        const std::size_t semicolon = html.substr(amp + 1, LongestReference).find(';');
        if (semicolon == std::string_view::npos)
            continue;
        const std::optional<char32_t> character = ReferencedCharacter(html.substr(amp + 1, semicolon));
        if (!character)
            continue;
        text.append(html.substr(done, amp - done));
        AppendUtf8(text, *character);
        amp += semicolon + 1;
        done = amp + 1;
    }
    text.append(html.substr(done));
}
