#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// 8-bit text is UTF-8 and the records' Unicode text is UTF-16, so converting between them
// loses nothing for valid text. Invalid UTF-8 (from a file or a page) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// Appends the UTF-8 form of one code point; a surrogate or a value beyond U+10FFFF gives U+FFFD.
void AppendUtf8(std::string& text, char32_t code);

// The offset of the first byte that is not part of valid UTF-8 (overlong forms, surrogates
// and sequences cut short included), or npos when the whole text is valid.
std::size_t FirstInvalidUtf8(std::string_view text);

// Only the ASCII letters change; every other byte stays as it is.
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);

// The text with every `from` unit replaced by `to`; nothing else changes.
std::u16string ReplaceCharacter(std::u16string_view text, char16_t from, char16_t to);
