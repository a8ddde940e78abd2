#include "common/core/Text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[pos]; advances pos past it, or by one byte when the
// sequence is malformed (overlong, surrogate, out of range or cut short).
char32_t DecodeUtf8(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
        minimum = 0x10000;
    } else
        return Replacement;
    if (pos + extra > text.size())
        return Replacement;
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return Replacement;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return Replacement;
    pos += extra;
    return code;
}

// Writes one code point and returns the position after it; the caller sized the buffer.
char* PutUtf8(char* out, char32_t code)
{
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (code >> 18));
        *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

char16_t* PutUtf16(char16_t* out, char32_t code)
{
    if (code < 0x10000) {
        *out++ = static_cast<char16_t>(code);
    } else {
        *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
    return out;
}

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

}  // namespace

// Both conversions write into a buffer sized for the longest possible result and copy
// ASCII, which is most of any real text, one unit at a time without decoding.
std::u16string Utf8ToUtf16(std::string_view text)
{
    // Every UTF-8 byte yields at most one UTF-16 unit (four bytes give a surrogate pair).
    std::u16string out(text.size(), u'\0');
    char16_t* end = out.data();
    size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            *end++ = byte;
            ++pos;
        } else {
            end = PutUtf16(end, DecodeUtf8(text, pos));
        }
    }
    out.resize(static_cast<size_t>(end - out.data()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    // One unit yields at most three bytes; a surrogate pair, two units, yields four.
    std::string out(text.size() * 3, '\0');
    char* end = out.data();
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80)
            *end++ = static_cast<char>(c);
        else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            end = PutUtf8(end, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c))
            end = PutUtf8(end, Replacement);
        else
            end = PutUtf8(end, c);
    }
    out.resize(static_cast<size_t>(end - out.data()));
    return out;
}

void AppendUtf8(std::string& text, char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = Replacement;
    char buffer[4];
    text.append(buffer, PutUtf8(buffer, code));
}

// ASCII, most of any real text, is skipped a word at a time, also up to a letter beyond
// ASCII in the middle of a word: only that letter's sequence is decoded.
std::size_t FirstInvalidUtf8(std::string_view text)
{
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    size_t pos = 0;
    while (pos < text.size()) {
        if (pos + sizeof(std::uint64_t) <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + pos, sizeof word);
            const std::uint64_t high = word & HighBits;
            if (high == 0) {
                pos += sizeof word;
                continue;
            }
            const int bit =
                std::endian::native == std::endian::little ? std::countr_zero(high) : std::countl_zero(high);
            pos += static_cast<size_t>(bit / 8);
        }
        // Two-byte letters, the most common beyond ASCII, need no decoding to be valid.
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size() &&
            (static_cast<unsigned char>(text[pos + 1]) & 0xC0) == 0x80) {
            pos += 2;
            continue;
        }
        const size_t start = pos;
        // A malformed sequence decodes to the replacement character and advances by one byte;
        // the character itself is three bytes long.
        if (DecodeUtf8(text, pos) == Replacement && pos - start != 3)
            return start;
    }
    return std::string_view::npos;
}

std::string AsciiLowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

std::string AsciiUpperCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

std::u16string ReplaceCharacter(std::u16string_view text, char16_t from, char16_t to)
{
    std::u16string replaced(text);
    std::replace(replaced.begin(), replaced.end(), from, to);
    return replaced;
}
