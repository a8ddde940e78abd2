#pragma once

#include <string>
#include <string_view>

// 8-bit text is UTF-8 and the records' Unicode text is UTF-16, so converting between them
// loses nothing for valid text. Invalid UTF-8 (from a file or a page) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// True when every byte belongs to a well-formed UTF-8 sequence, so that nothing would become
// U+FFFD on the way to UTF-16.
bool IsValidUtf8(std::string_view text);

// Only the ASCII letters change; every other byte stays as it is.
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
