#pragma once

#include "common/core/Exception.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class EVersionInfo : public Exception {
public:
    using Exception::Exception;
};

// The version record of an executable file: the translation key of its string table, the
// ten strings and the four numbers of its file version.
class TVersionInfo {
public:
    static constexpr int StringCount = 10;
    static const std::array<std::string_view, StringCount> KeyNames;

    // Reads the record of any file; a file without one gives a reader without info. Raises
    // EVersionInfo when the record's "FileVersion" does not start with four decimal numbers.
    explicit TVersionInfo(const std::string& fileName);

    bool HasInfo() const { return FHasInfo; }
    std::int32_t MajorVersion() const { return FMajorVersion; }
    std::int32_t MinorVersion() const { return FMinorVersion; }
    std::int32_t Release() const { return FRelease; }
    std::int32_t Build() const { return FBuild; }
    const std::string& Translation() const { return FTranslation; }

    // One of the ten strings, by its index in KeyNames.
    const std::string& GetString(int index) const;
    // The string of any key in the record's string table: empty when the table lacks the
    // key, "N/A" when the file has no record.
    std::string GetValue(std::string_view key) const;

private:
    std::optional<std::string_view> QueryValue(std::string_view path) const;
    void ReadFileVersion();

    std::int32_t FMajorVersion = 0;
    std::int32_t FMinorVersion = 0;
    std::int32_t FRelease = 0;
    std::int32_t FBuild = 0;
    std::string FTranslation;
    bool FHasInfo = false;
    std::array<std::string, StringCount> FStrings;
    std::string FBuffer;
};

// The first four numbers of a version text such as "1.0.0.6": pieces end at "." and at
// blanks and control characters. Raises EVersionInfo when a piece is not a decimal number
// or fewer than four pieces are present.
std::array<std::int32_t, 4> ParseFileVersion(std::string_view text);
