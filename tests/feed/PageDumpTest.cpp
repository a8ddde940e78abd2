#include "feed/PageDump.h"
#include "feed/FeedErrors.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class PageDump : public ::testing::Test {
protected:
    bool DumpExists() const { return std::filesystem::exists(Scratch.Path() / "html"); }
    std::string Dump() const
    {
        EXPECT_TRUE(std::filesystem::is_regular_file(Scratch.Path() / "html"));
        return ReadFile(Scratch.Path() / "html");
    }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
};

}  // namespace

TEST_F(PageDump, EveryLookupWithANameLeavesItsPageAndOneWithoutWritesNothing)
{
    DumpPageOfLookup("", "page of a lookup without a name");
    EXPECT_FALSE(DumpExists());
    DumpPageOfLookup("Not listed", "first page");
    EXPECT_EQ(Dump(), "first page");
    DumpPageOfLookup("", "ignored");
    EXPECT_EQ(Dump(), "first page");
}

TEST_F(PageDump, ReplacesAnEarlierDumpAndKeepsBytesAsTheyCame)
{
    WritePageDump(std::string(5000, 'x'));
    const std::string binary("a\0b\r\n\xFF", 6);
    WritePageDump(binary);
    EXPECT_EQ(Dump(), binary);
}

TEST_F(PageDump, UnwritableDumpFailsNamingTheFile)
{
    std::filesystem::create_directory(Scratch.Path() / "html");
    try {
        DumpPageOfLookup("Arts", "page");
        FAIL() << "no error";
    } catch (const EPageDump& e) {
        EXPECT_NE(std::string(e.what()).find((Scratch.Path() / "html").string()), std::string::npos) << e.what();
    }
}
