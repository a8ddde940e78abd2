#include "app/VersionInfo.h"

#include "app/ElfSection.h"
#include "app/VersionRecordFormat.h"
#include "common/core/Text.h"

#include <charconv>
#include <cstdio>
#include <vector>

const std::array<std::string_view, TVersionInfo::StringCount> TVersionInfo::KeyNames = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"};

namespace {

constexpr int FileVersionIndex = 2;

std::uint16_t ReadUInt16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

bool EndsPiece(char c)
{
    return c == '.' || static_cast<unsigned char>(c) <= ' ';
}

std::vector<std::string_view> SplitPieces(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || EndsPiece(text[i])) {
            if (i > start)
                pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return pieces;
}

std::int32_t ToInteger(std::string_view piece)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (error != std::errc() || end != piece.data() + piece.size())
        throw EVersionInfo("'" + std::string(piece) + "' is not a valid integer value");
    return value;
}

}  // namespace

std::array<std::int32_t, 4> ParseFileVersion(std::string_view text)
{
    const auto pieces = SplitPieces(text);
    if (pieces.size() < 4)
        throw EVersionInfo("The file version '" + std::string(text) + "' does not have four numbers");
    return {ToInteger(pieces[0]), ToInteger(pieces[1]), ToInteger(pieces[2]), ToInteger(pieces[3])};
}

TVersionInfo::TVersionInfo(const std::string& fileName)
{
    auto block = ReadElfSection(fileName, std::string(VersionSectionName));
    if (!block || !block->starts_with(VersionRecordMagic))
        return;
    FBuffer = std::move(*block);
    const auto translation = QueryValue(TranslationPath);
    if (!translation || translation->size() < 4)
        return;
    char key[16];
    std::snprintf(key, sizeof key, "%.4X%.4X", ReadUInt16(*translation, 0), ReadUInt16(*translation, 2));
    FTranslation = key;
    FHasInfo = true;
    for (int i = 0; i < StringCount; ++i)
        FStrings[i] = GetValue(KeyNames[i]);
    ReadFileVersion();
}

void TVersionInfo::ReadFileVersion()
{
    const auto numbers = ParseFileVersion(FStrings[FileVersionIndex]);
    FMajorVersion = numbers[0];
    FMinorVersion = numbers[1];
    FRelease = numbers[2];
    FBuild = numbers[3];
}

// Walks the entries after the magic text; a damaged record ends the walk, it never reads
// past the block.
std::optional<std::string_view> TVersionInfo::QueryValue(std::string_view path) const
{
    const std::string_view block(FBuffer);
    std::size_t at = VersionRecordMagic.size();
    while (at + 2 <= block.size()) {
        const std::size_t keyLength = ReadUInt16(block, at);
        at += 2;
        if (at + keyLength + 2 > block.size())
            break;
        const std::string_view key = block.substr(at, keyLength);
        at += keyLength;
        const std::size_t valueLength = ReadUInt16(block, at);
        at += 2;
        if (at + valueLength > block.size())
            break;
        if (SameTextAscii(key, path))
            return block.substr(at, valueLength);
        at += valueLength;
    }
    return std::nullopt;
}

const std::string& TVersionInfo::GetString(int index) const
{
    if (index < 0 || index >= StringCount)
        throw EVersionInfo("Version string index " + std::to_string(index) + " is out of range");
    return FStrings[index];
}

std::string TVersionInfo::GetValue(std::string_view key) const
{
    if (!FHasInfo)
        return "N/A";
    const auto value = QueryValue("\\StringFileInfo\\" + FTranslation + "\\" + std::string(key));
    return value ? std::string(*value) : std::string();
}
