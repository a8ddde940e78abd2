#include "app/StartFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

namespace {

const std::filesystem::path Root("/");

}  // namespace

TEST(StartFolder, StartedInTheRootFolderTheProgramWorksInTheHomeFolder)
{
    const TTempFolder home;
    EXPECT_EQ(FolderToWorkIn(Root, home.Path().c_str(), "tree.xml", false), home.Path()) << "no file named";
    EXPECT_EQ(FolderToWorkIn(Root, home.Path().c_str(), "/srv/trees/tree.xml", true), home.Path())
        << "a file named with its full path, as the desktop names one";
    EXPECT_EQ(FolderToWorkIn(Root, home.Path().c_str(), "srv/tree.xml", true), std::nullopt)
        << "a relative name means a file under the root folder";
}

TEST(StartFolder, StartedInAFolderOfItsOwnTheProgramStays)
{
    const TTempFolder home;
    const TTempFolder working;
    EXPECT_EQ(FolderToWorkIn(working.Path(), home.Path().c_str(), "tree.xml", false), std::nullopt);
    EXPECT_EQ(FolderToWorkIn("/tmp", home.Path().c_str(), "/srv/tree.xml", true), std::nullopt);
}

TEST(StartFolder, WithoutAHomeFolderToGoToTheProgramStaysInTheRootFolder)
{
    const TTempFolder folder;
    const std::string missing = (folder.Path() / "gone").string();
    const std::string file = folder.PathOf("file");
    WriteFile(file, "not a folder");
    for (const char* home :
         {static_cast<const char*>(nullptr), "", "relative/home", missing.c_str(), file.c_str(), "/", "//"})
        EXPECT_EQ(FolderToWorkIn(Root, home, "tree.xml", false), std::nullopt) << (home ? home : "unset");
}
