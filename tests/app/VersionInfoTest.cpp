#include "app/VersionInfo.h"
#include "app/ElfSection.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

namespace {

const std::string OwnExecutable = "/proc/self/exe";

// Writes a file into the folder and gives its path.
std::string PutFile(const TTempFolder& folder, const std::string& name, const std::string& contents)
{
    WriteFile(folder.PathOf(name), contents);
    return folder.PathOf(name);
}

TEST(VersionInfo, ReadsTheRecordEmbeddedInTheExecutable)
{
    const TVersionInfo info(OwnExecutable);
    ASSERT_TRUE(info.HasInfo());
    EXPECT_EQ(info.Translation(), "0409FDE9");
    EXPECT_EQ(info.GetString(2), TESSAROO_VERSION);
    EXPECT_EQ(info.GetValue("FileVersion"), TESSAROO_VERSION);
    EXPECT_EQ(info.GetValue("fileversion"), TESSAROO_VERSION);
    EXPECT_EQ(info.GetString(0), "Tessaroo");
    EXPECT_EQ(info.GetString(9), "");
    EXPECT_EQ(info.GetValue("NoSuchKey"), "");
    const auto numbers = ParseFileVersion(TESSAROO_VERSION);
    EXPECT_EQ(info.MajorVersion(), numbers[0]);
    EXPECT_EQ(info.MinorVersion(), numbers[1]);
    EXPECT_EQ(info.Release(), numbers[2]);
    EXPECT_EQ(info.Build(), numbers[3]);
    EXPECT_THROW(info.GetString(10), EVersionInfo);
    EXPECT_THROW(info.GetString(-1), EVersionInfo);
}

TEST(VersionInfo, FilesWithoutRecordHaveNoInfo)
{
    const TTempFolder folder;
    const std::string text = PutFile(folder, "text", "just some text, not an executable");
    const std::string empty = PutFile(folder, "empty", "");
    const std::string bytes = ReadFile(OwnExecutable);
    // Cut inside the section headers at the end of the file.
    const std::string truncated = PutFile(folder, "truncated", bytes.substr(0, bytes.size() - 100));
    const std::string headerOnly = PutFile(folder, "header-only", bytes.substr(0, 64));
    for (const std::string& file :
         {text, empty, truncated, headerOnly, std::string("/no/such/file"), std::string("/tmp")}) {
        const TVersionInfo info(file);
        EXPECT_FALSE(info.HasInfo()) << file;
        EXPECT_EQ(info.GetValue("FileVersion"), "N/A") << file;
        EXPECT_EQ(info.GetString(2), "") << file;
        EXPECT_EQ(info.MajorVersion() + info.MinorVersion() + info.Release() + info.Build(), 0) << file;
    }
}

TEST(VersionInfo, FindsSectionsByTheirWholeName)
{
    EXPECT_TRUE(ReadElfSection(OwnExecutable, ".tessaroo_version").has_value());
    EXPECT_FALSE(ReadElfSection(OwnExecutable, ".tessaroo").has_value());
    EXPECT_FALSE(ReadElfSection(OwnExecutable, ".tessaroo_version_more").has_value());
    EXPECT_TRUE(ReadElfSection(OwnExecutable, ".text").has_value());
}

TEST(VersionInfo, FileVersionGivesFourDecimalNumbers)
{
    EXPECT_EQ(ParseFileVersion("1.0.0.6"), (std::array<std::int32_t, 4>{1, 0, 0, 6}));
    EXPECT_EQ(ParseFileVersion("2.10.3.44 (beta)"), (std::array<std::int32_t, 4>{2, 10, 3, 44}));
    EXPECT_EQ(ParseFileVersion("5.6.7.8.9"), (std::array<std::int32_t, 4>{5, 6, 7, 8}));
    EXPECT_THROW(ParseFileVersion("1.2.3"), EVersionInfo);
    EXPECT_THROW(ParseFileVersion(""), EVersionInfo);
    try {
        ParseFileVersion("1.x.0.0");
        ADD_FAILURE() << "converted";
    } catch (const EVersionInfo& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
    }
    EXPECT_THROW(ParseFileVersion("1.0.0.99999999999"), EVersionInfo);
}

}  // namespace
