#include "common/logging/LogRetention.h"
#include "tests/common/logging/LoggingTestSupport.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void PutFile(const std::string& path, std::size_t size)
{
    WriteFile(path, std::string(size, 'a'));
}

}  // namespace

// Archives are ordered by the time in their names and then by counter, whatever order the
// folder lists them in; only files named as archives of this log count.
TEST(LogRetention, OldestArchivesOfThisLogGoFirstUntilTheRestFitsTheLimit)
{
    const std::string folder = TestFolder();
    std::vector<std::string> others = {
        "xml.log",                                   // the live file
        "xml Archived 2024-01-04 10-00-00.txt",      // another extension
        "xml Archived someday.log",                  // no stamp
        "xml Archived 2024-01-04 10-00-00 (1).log",  // counters begin at 2
        "xmlx Archived 2024-01-04 10-00-00.log",     // another log
        "other Archived 2024-01-04 10-00-00.log",    // another log
    };
    for (const auto& name : others)
        PutFile(folder + name, 100);
    PutFile(folder + "xml Archived 2024-01-05 09-00-00 (10).log", 100);  // 4th oldest
    PutFile(folder + "xml Archived 2024-01-05 09-00-00 (2).log", 100);   // 3rd
    PutFile(folder + "xml Archived 2024-01-05 09-00-00.log", 100);       // 2nd
    PutFile(folder + "xml Archived 2024-01-05.log", 100);                // midnight: oldest
    PutFile(folder + "xml Archived 2024-01-06 00-00-01.log", 100);
    PutFile(folder + "xml Archived 2024-01-06 00-00-02.log", 100);  // the newest, just made

    TArchiveRetention retention(folder + "xml.log", 250);
    retention.Archived(folder + "xml Archived 2024-01-06 00-00-02.log", 100);

    std::vector<std::string> expected = others;
    expected.push_back("xml Archived 2024-01-06 00-00-01.log");
    expected.push_back("xml Archived 2024-01-06 00-00-02.log");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(folder), expected);

    // Later archives are counted without reading the folder again; one alone larger than the
    // limit goes too.
    PutFile(folder + "xml Archived 2024-01-06 00-00-03.log", 100);
    retention.Archived(folder + "xml Archived 2024-01-06 00-00-03.log", 100);
    EXPECT_FALSE(std::filesystem::exists(folder + "xml Archived 2024-01-06 00-00-01.log"));
    PutFile(folder + "xml Archived 2024-01-06 00-00-04.log", 300);
    retention.Archived(folder + "xml Archived 2024-01-06 00-00-04.log", 300);
    std::sort(others.begin(), others.end());
    EXPECT_EQ(FilesIn(folder), others);
}
