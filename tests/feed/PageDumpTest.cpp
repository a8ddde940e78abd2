#include "feed/PageDump.h"
#include "feed/AdminSession.h"
#include "feed/FeedErrors.h"

#include "ScriptedTransport.h"
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
    int Pages = 0;
    TScriptedTransport Transport{[this](const TSentRequest&) { return "page " + std::to_string(++Pages); }};
    TAdminSession Session{Transport, BuildAdminAddresses("site.test")};
};

}  // namespace

TEST_F(PageDump, EveryLookupWithANameLeavesItsPageAndOneWithoutWritesNothing)
{
    Session.SendRequest("http://site.test/admin/index.php");
    Session.DumpPageOfLookup("");
    EXPECT_FALSE(DumpExists());
    Session.DumpPageOfLookup("Not listed");
    EXPECT_EQ(Dump(), "page 1");
    std::filesystem::remove(Scratch.Path() / "html");
    Session.DumpPageOfLookup("Again");
    EXPECT_FALSE(DumpExists()) << "a page is dumped once, however many lookups it serves";

    Session.SendRequest("http://site.test/admin/index.php");
    Session.DumpPageOfLookup("");
    EXPECT_FALSE(DumpExists());
    Session.DumpPageOfLookup("Arts");
    EXPECT_EQ(Dump(), "page 2");
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
        Session.DumpPageOfLookup("Arts");
        FAIL() << "no error";
    } catch (const EPageDump& e) {
        EXPECT_NE(std::string(e.what()).find((Scratch.Path() / "html").string()), std::string::npos) << e.what();
    }
}
