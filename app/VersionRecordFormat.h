#pragma once

#include <string_view>

// The version record the build embeds in the executable: the magic text, then entries of a
// 16-bit little-endian key length, the key, a 16-bit little-endian value length and the
// value. Keys are query paths: "\VarFileInfo\Translation" holds the 16-bit language and the
// 16-bit code page of the string table (little-endian); "\StringFileInfo\<key>\<name>"
// holds the UTF-8 text of one string.
inline constexpr std::string_view VersionSectionName = ".tessaroo_version";
inline constexpr std::string_view VersionRecordMagic = "TessarooVersionRecord1";
inline constexpr std::string_view TranslationPath = "\\VarFileInfo\\Translation";
