#include "feed/FeedJournal.h"
#include "feed/FeedErrors.h"
#include "feed/JournalLocation.h"
#include "model/tree/EntryPaths.h"

#include "tests/support/NormalUser.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class FeedJournal : public ::testing::Test {
protected:
    std::filesystem::path File() const { return Scratch.Path() / "state" / "tessaroo" / "site.journal"; }

    TTempFolder Scratch;
};

}  // namespace

TEST_F(FeedJournal, WhatOneRunNotesTheNextRunReadsBack)
{
    const std::string oddName = "Tab\there/slash\\back\nline";
    const std::string oddPath = "Arts/" + EscapePathName(oddName);
    const std::string key = TFeedJournal::SymbolicKey("Arts", oddPath, "Sounds");
    {
        TFeedJournal journal(File());
        journal.NoteCategoryCreated("Arts", "1");
        journal.NoteCategoryPost(oddPath, {"7", "id\twith tab"});
        journal.NoteCategoryPost("Shopping/Music", {"2"});
        journal.NoteCategoryCreated("Shopping/Music", "5");
        journal.NoteSymbolicPost(key);
        journal.NoteSymbolicPost(TFeedJournal::SymbolicKey("Arts", "Arts", "Echo"));
        journal.NoteSymbolicPosted(TFeedJournal::SymbolicKey("Arts", "Arts", "Echo"));
    }
    EXPECT_EQ(ReadFile(File()).rfind("# ", 0), 0u) << "the file starts with a note for the person who finds it";

    const TFeedJournal journal(File());
    ASSERT_NE(journal.CategoryID("Arts"), nullptr);
    EXPECT_EQ(*journal.CategoryID("Arts"), "1");
    EXPECT_EQ(*journal.CategoryID("Shopping/Music"), "5");
    EXPECT_EQ(journal.CutOffCategoryPost("Shopping/Music"), nullptr) << "its post was answered";
    ASSERT_NE(journal.CutOffCategoryPost(oddPath), nullptr);
    EXPECT_EQ(*journal.CutOffCategoryPost(oddPath), (std::vector<std::string>{"7", "id\twith tab"}));
    EXPECT_EQ(journal.CategoryID(oddPath), nullptr);
    EXPECT_EQ(journal.SymbolicState(key), TFeedJournal::TSymbolicState::PostCutOff);
    EXPECT_EQ(journal.SymbolicState(TFeedJournal::SymbolicKey("Arts", "Arts", "Echo")),
              TFeedJournal::TSymbolicState::Posted);
    EXPECT_EQ(journal.SymbolicState(TFeedJournal::SymbolicKey("Arts", "Arts", "Other")),
              TFeedJournal::TSymbolicState::NotPosted);
}

TEST_F(FeedJournal, ARefusedPostLeavesNothingToResolveOnTheNextRun)
{
    const std::string key = TFeedJournal::SymbolicKey("Arts", "Arts/Music", "Sounds");
    {
        TFeedJournal journal(File());
        journal.NoteCategoryPost("Shopping/Music", {"2"});
        journal.NoteCategoryRefused("Shopping/Music");
        journal.NoteSymbolicPost(key);
        journal.NoteSymbolicRefused(key);
        EXPECT_EQ(journal.CutOffCategoryPost("Shopping/Music"), nullptr);
        EXPECT_EQ(journal.SymbolicState(key), TFeedJournal::TSymbolicState::NotPosted);
    }
    const TFeedJournal journal(File());
    EXPECT_EQ(journal.CutOffCategoryPost("Shopping/Music"), nullptr);
    EXPECT_EQ(journal.CategoryID("Shopping/Music"), nullptr);
    EXPECT_EQ(journal.SymbolicState(key), TFeedJournal::TSymbolicState::NotPosted) << "a later run posts it again";
}

TEST_F(FeedJournal, ALineCutOffByAKilledRunIsIgnoredAndGoesBeforeTheNextRecord)
{
    std::filesystem::create_directories(File().parent_path());
    WriteFile(File(), "category\tArts\t1\r\ncategory\tMus");
    {
        TFeedJournal journal(File());
        EXPECT_EQ(journal.CategoryID("Mus"), nullptr);
        journal.NoteCategoryCreated("Music", "2");
    }
    EXPECT_EQ(ReadFile(File()), "category\tArts\t1\r\ncategory\tMusic\t2\n");
    const TFeedJournal journal(File());
    EXPECT_EQ(*journal.CategoryID("Arts"), "1");
    EXPECT_EQ(*journal.CategoryID("Music"), "2");
}

TEST_F(FeedJournal, ABadLineIsReportedWithTheFileAndItsNumber)
{
    std::filesystem::create_directories(File().parent_path());
    for (const std::string line : {"categories\tArts\t1", "category\tArts", "symbolic\tArts\tArts"}) {
        WriteFile(File(), "# note\n\ncategory\tMusic\t2\n" + line + "\n");
        try {
            TFeedJournal journal(File());
            ADD_FAILURE() << line << " accepted";
        } catch (const EFeedJournal& e) {
            EXPECT_EQ(std::string(e.what()).rfind("The journal \"" + File().string() + "\", line 4: ", 0), 0u)
                << e.what();
        }
    }
}

TEST_F(FeedJournal, AFolderThatCannotBeWrittenFailsTheFirstRecordWithTheFileNamed)
{
    namespace fs = std::filesystem;
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::create_directories(File().parent_path());
    for (const fs::path& folder : {Scratch.Path(), Scratch.Path() / "state"})
        fs::permissions(folder, readOnly | fs::perms::owner_write);
    fs::permissions(File().parent_path(), readOnly);

    const int result = RunAsNormalUser([&] {
        TFeedJournal journal(File());
        try {
            journal.NoteCategoryCreated("Arts", "1");
            return 1;
        } catch (const EFeedJournal& e) {
            return std::string(e.what()).rfind("Cannot write the journal \"" + File().string() + "\". ", 0) == 0 ? 0
                                                                                                                 : 2;
        }
    });
    EXPECT_EQ(result, 0) << "1: the record was written; 2: the message does not name the file";
}

TEST(JournalLocation, StateFolderFromTheEnvironment)
{
    {
        TScopedEnvironment state("XDG_STATE_HOME", "/var/state");
        EXPECT_EQ(JournalFolder(), "/var/state/tessaroo");
    }
    TScopedEnvironment home("HOME", "/home/ada");
    for (const char* ignored : {"", "relative/state"}) {
        TScopedEnvironment state("XDG_STATE_HOME", std::string(ignored));
        EXPECT_EQ(JournalFolder(), "/home/ada/.local/state/tessaroo");
    }
    TScopedEnvironment noState("XDG_STATE_HOME", std::nullopt);
    EXPECT_EQ(JournalFolder(), "/home/ada/.local/state/tessaroo");
    TScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_THROW(JournalFolder(), EFeedJournal);
}

TEST(JournalLocation, OneFilePerSchemeHostAndPort)
{
    EXPECT_EQ(JournalFileName("http://localhost:8642/admin/index.php"), "http-localhost-8642.journal");
    EXPECT_EQ(JournalFileName("http://www.example.com/admin/index.php"), "http-www.example.com-80.journal");
    EXPECT_EQ(JournalFileName("https://www.example.com/admin/index.php"), "https-www.example.com-443.journal");
    EXPECT_EQ(JournalFileName("http://[::1]:8080/admin/index.php"), "http-%5B%3A%3A1%5D-8080.journal");
    EXPECT_EQ(JournalFileName("http://we ird_host/admin/index.php"), "http-we%20ird%5Fhost-80.journal");
}
