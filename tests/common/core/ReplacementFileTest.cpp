// Saving keeps what the user's file was: where it is, its links, rights, owner and group,
// and its previous version. Permission checks do not bind root, which CI runs the tests as,
// so every scenario also runs as a normal user in a child process.

#include "common/core/ReplacementFile.h"
#include "tests/support/NormalUser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

using ::testing::ElementsAre;

namespace fs = std::filesystem;

namespace {

void Save(const fs::path& file, const std::string& text, TBackup backup = TBackup::KeepPrevious)
{
    TReplacementFile replacement(file.string(), backup);
    replacement.Write(text);
    replacement.Commit();
}

std::vector<std::string> EntriesOf(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatusOf(const fs::path& file)
{
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
    return status;
}

void ExpectSaveRefused(const fs::path& file, const std::string& message)
{
    try {
        Save(file, "new");
        ADD_FAILURE() << "saved over " << file;
    } catch (const EFileWriteError& error) {
        EXPECT_EQ(error.message(), message);
    }
}

class ReplacementFile : public ::testing::Test {
protected:
    // The scenario runs in a fresh folder, first as the tests' own user, then as a normal
    // user in a child process, in a folder that user owns.
    void AsEveryUser(const std::function<void(const fs::path& folder)>& scenario)
    {
        const fs::path own = Folder.Path() / "own";
        fs::create_directory(own);
        scenario(own);
        const fs::path normal = Folder.Path() / "normal";
        fs::create_directory(normal);
        ASSERT_EQ(::chown(normal.c_str(), NormalUserId(), static_cast<gid_t>(-1)), 0);
        EXPECT_EQ(RunAsNormalUser([&] {
                      scenario(normal);
                      return ::testing::Test::HasFailure() ? 1 : 0;
                  }),
                  0)
            << "as a normal user";
    }

    TTempFolder Folder;
};

TEST_F(ReplacementFile, ReplacesTheFileAndKeepsThePreviousVersionAsBackup)
{
    AsEveryUser([](const fs::path& folder) {
        const fs::path file = folder / "tree.xml";
        Save(file, "first");
        EXPECT_THAT(EntriesOf(folder), ElementsAre("tree.xml"));
        Save(file, "second");
        Save(file, "third");
        EXPECT_EQ(ReadFile(file), "third");
        EXPECT_EQ(ReadFile(folder / "tree.xml.bak"), "second");
        EXPECT_THAT(EntriesOf(folder), ElementsAre("tree.xml", "tree.xml.bak"));
        Save(file, "fourth", TBackup::None);
        EXPECT_EQ(ReadFile(folder / "tree.xml.bak"), "second");
    });
}

TEST_F(ReplacementFile, FollowsSymbolicLinksAndKeepsThem)
{
    AsEveryUser([](const fs::path& folder) {
        fs::create_directory(folder / "real");
        WriteFile(folder / "real" / "tree.xml", "old");
        fs::create_symlink("real/tree.xml", folder / "middle.xml");
        fs::create_symlink("middle.xml", folder / "tree.xml");
        Save(folder / "tree.xml", "new");
        EXPECT_TRUE(fs::is_symlink(folder / "tree.xml"));
        EXPECT_TRUE(fs::is_symlink(folder / "middle.xml"));
        EXPECT_EQ(ReadFile(folder / "real" / "tree.xml"), "new");
        EXPECT_EQ(ReadFile(folder / "real" / "tree.xml.bak"), "old");
        EXPECT_THAT(EntriesOf(folder), ElementsAre("middle.xml", "real", "tree.xml"));

        // A link to a file not yet there creates that file.
        fs::create_symlink("real/later.xml", folder / "later.xml");
        Save(folder / "later.xml", "made");
        EXPECT_TRUE(fs::is_symlink(folder / "later.xml"));
        EXPECT_EQ(ReadFile(folder / "real" / "later.xml"), "made");

        fs::create_symlink("loop.xml", folder / "loop.xml");
        ExpectSaveRefused(folder / "loop.xml", "Cannot create file \"" + (folder / "loop.xml").string() +
                                                   "\". Too many levels of symbolic links");
    });
}

TEST_F(ReplacementFile, RefusesAReadOnlyFileAndLeavesItAsItWas)
{
    AsEveryUser([](const fs::path& folder) {
        const fs::path file = folder / "tree.xml";
        WriteFile(file, "kept");
        ::chmod(file.c_str(), 0444);
        ExpectSaveRefused(file, "Cannot create file \"" + file.string() + "\". Permission denied");
        EXPECT_EQ(ReadFile(file), "kept");
        EXPECT_EQ(StatusOf(file).st_mode & 07777, 0444u);
        EXPECT_THAT(EntriesOf(folder), ElementsAre("tree.xml"));
    });
}

TEST_F(ReplacementFile, KeepsPermissionBitsAndHardLinks)
{
    AsEveryUser([](const fs::path& folder) {
        const fs::path file = folder / "tree.xml";
        WriteFile(file, "old");
        ::chmod(file.c_str(), 0640);
        Save(file, "new");
        EXPECT_EQ(StatusOf(file).st_mode & 07777, 0640u);
        EXPECT_EQ(StatusOf(folder / "tree.xml.bak").st_mode & 07777, 0640u);

        // A second name of the same file shows the new content too: the file is rewritten
        // where it is, and its backup is a copy with the same rights.
        fs::create_hard_link(file, folder / "other-name.xml");
        const ino_t inode = StatusOf(file).st_ino;
        Save(file, "newer and longer");
        EXPECT_EQ(StatusOf(file).st_ino, inode);
        EXPECT_EQ(ReadFile(folder / "other-name.xml"), "newer and longer");
        EXPECT_EQ(ReadFile(folder / "tree.xml.bak"), "new");
        EXPECT_EQ(StatusOf(folder / "tree.xml.bak").st_mode & 07777, 0640u);
        Save(file, "short");
        EXPECT_EQ(ReadFile(folder / "other-name.xml"), "short");
        EXPECT_THAT(EntriesOf(folder), ElementsAre("other-name.xml", "tree.xml", "tree.xml.bak"));
    });
}

// Only root may give a file away, so only root can keep another user's file theirs.
TEST_F(ReplacementFile, KeepsOwnerAndGroupWhereTheSystemAllowsIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "keeping another user's owner and group needs root";
    const fs::path file = Folder.Path() / "tree.xml";
    WriteFile(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 1234, 4321), 0);
    ::chmod(file.c_str(), 0640);
    Save(file, "new");
    const struct stat status = StatusOf(file);
    EXPECT_EQ(status.st_uid, 1234u);
    EXPECT_EQ(status.st_gid, 4321u);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(StatusOf(Folder.Path() / "tree.xml.bak").st_gid, 4321u);
}

// A writable file in a folder the user may not write: no new file can be made beside it, so
// the file itself is rewritten, once the whole text is there; no backup can be made.
TEST_F(ReplacementFile, RewritesAWritableFileInAFolderThatMayNotBeWritten)
{
    const fs::path folder = Folder.Path() / "locked";
    fs::create_directory(folder);
    const fs::path file = folder / "tree.xml";
    WriteFile(file, "old content");
    ASSERT_EQ(::chown(file.c_str(), NormalUserId(), static_cast<gid_t>(-1)), 0);
    ::chmod(folder.c_str(), 0555);
    const ino_t inode = StatusOf(file).st_ino;
    EXPECT_EQ(RunAsNormalUser([&] {
                  EXPECT_NE(::access(folder.c_str(), W_OK), 0);
                  {
                      TReplacementFile abandoned(file.string(), TBackup::KeepPrevious);
                      abandoned.Write("never committed");
                  }
                  EXPECT_EQ(ReadFile(file), "old content");
                  Save(file, "new");
                  EXPECT_EQ(ReadFile(file), "new");
                  ExpectSaveRefused(folder / "missing.xml", "Cannot create file \"" +
                                                                (folder / "missing.xml").string() +
                                                                "\". Permission denied");
                  return ::testing::Test::HasFailure() ? 1 : 0;
              }),
              0);
    EXPECT_EQ(StatusOf(file).st_ino, inode);
    EXPECT_THAT(EntriesOf(folder), ElementsAre("tree.xml"));
}

TEST_F(ReplacementFile, LeavesNothingBehindWhenItIsNotCommitted)
{
    AsEveryUser([](const fs::path& folder) {
        const fs::path file = folder / "tree.xml";
        WriteFile(file, "kept");
        {
            TReplacementFile abandoned(file.string(), TBackup::KeepPrevious);
            abandoned.Write("half");
        }
        EXPECT_EQ(ReadFile(file), "kept");
        EXPECT_THAT(EntriesOf(folder), ElementsAre("tree.xml"));
    });
}

}  // namespace
