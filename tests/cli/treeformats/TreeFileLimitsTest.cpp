// The deepest tree and the longest names a tree file can hold: beyond them it could not be
// read back by anything, so every importer refuses such input with the line, and the deepest
// tree that reads back goes through export, import and stats unchanged.

#include "TreeFormatTest.h"

#include "cli/treeformats/OutlineReader.h"
#include "cli/treeformats/OutlineWriter.h"
#include "cli/treeformats/PathListReader.h"
#include "cli/treeformats/RdfDumpReader.h"
#include "cli/treeformats/TreeFile.h"
#include "cli/treeformats/TreeFileLimits.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "cli/treeformats/TreeStats.h"
#include "common/core/Text.h"
#include "model/tree/CategoryTree.h"
#include "tests/support/WholeFile.h"

#include <gmock/gmock.h>

namespace {

const std::size_t Deepest = DeepestTreeLevel;
const std::size_t Longest = LongestTreeValue;

std::string TooDeep(std::size_t level)
{
    std::string reason = "an entry " + std::to_string(level);
    reason += " levels deep; a tree file can hold 998 levels, deeper ones cannot be read back";
    return reason;
}

std::string TooLong(std::size_t bytes)
{
    std::string reason = "a name or Url of " + std::to_string(bytes);
    reason += " bytes; a tree file can hold 1048576 bytes, longer ones cannot be read back";
    return reason;
}

// A name of that many bytes of UTF-8, of two-byte letters but the last when it is odd.
std::string NameOfBytes(std::size_t bytes)
{
    std::string name;
    for (std::size_t i = 0; i < bytes / 2; ++i)
        name += "\xC3\xA9";
    return bytes % 2 ? name + "e" : name;
}

// "A", one tab more on every line.
std::string Outline(std::size_t levels)
{
    std::string text;
    for (std::size_t level = 1; level <= levels; ++level)
        text += std::string(level - 1, '\t') + "A\n";
    return text;
}

std::string Path(std::size_t levels)
{
    std::string path = "A";
    for (std::size_t level = 2; level <= levels; ++level)
        path += "/A";
    return path;
}

std::string Topic(const std::string& path, std::size_t catid, const std::string& links = "")
{
    std::string topic = "<Topic r:id=\"Top/";
    topic += path;
    topic += "\"><catid>" + std::to_string(catid) + "</catid>";
    return topic + links + "</Topic>\n";
}

// Each topic on its own line, the line of level n being n + 1.
std::string Dump(std::size_t levels, const std::string& deepestExtra = "")
{
    std::string dump = "<RDF>\n";
    for (std::size_t level = 1; level <= levels; ++level)
        dump += Topic(Path(level), level);
    return dump + deepestExtra + "</RDF>\n";
}

class TreeFileLimits : public TTreeFormatTest {
protected:
    std::string Written(const TImportedTree& tree)
    {
        WriteTreeFile(tree, PathOf("tree.xml"));
        return PathOf("tree.xml");
    }

    TTreeStats StatsOf(const std::string& treeFile)
    {
        TCategoryTree tree;
        LoadTreeFile(treeFile, tree);
        return CollectTreeStats(tree);
    }

    std::string UnreadableReason(const TImportedTree& tree)
    {
        WriteTreeFile(tree, PathOf("unreadable.xml"));
        TCategoryTree loaded;
        try {
            LoadTreeFile(PathOf("unreadable.xml"), loaded);
        } catch (const ETreeFileUnreadable& error) {
            return error.what();
        }
        return "";
    }

    TImportedTree ReadDump(const std::string& dump)
    {
        return ReadRdfDump(Input("dump.rdf", dump), DefaultRdfRoot, [](const std::string&) {});
    }
};

// The limits are the engine reader's, not a choice: a tree one level deeper, or with a Url
// one byte longer, written all the same, cannot be loaded.
TEST_F(TreeFileLimits, BeyondTheLimitsATreeFileCannotBeReadBack)
{
    TImportedTree deeper;
    TXMLTreeNode* parent = deeper.Root.get();
    for (std::size_t level = 1; level <= Deepest + 1; ++level) {
        auto category = std::make_unique<TCategory>();
        category->Name = std::u16string(1, u'A');
        parent = &deeper.Append(*parent, std::move(category));
    }
    EXPECT_THAT(UnreadableReason(deeper), testing::HasSubstr("Objects are nested deeper than 1000 levels."));

    TImportedTree longer;
    auto category = std::make_unique<TCategory>();
    category->Url = Utf8ToUtf16(NameOfBytes(Longest + 1));
    longer.Append(*longer.Root, std::move(category));
    EXPECT_THAT(UnreadableReason(longer), testing::HasSubstr("Value of Url is longer than 1048576 bytes."));
}

// Bytes of UTF-8 count, not letters.
TEST_F(TreeFileLimits, NamesAndUrlsUpToTheLongestAreWrittenLongerOnesRefused)
{
    const std::string longest = NameOfBytes(Longest - 4);  // "Top/" and the name
    EXPECT_EQ(StatsOf(Written(ReadOutline(Input("long.txt", longest + "\n")))).Categories, 1u);
    EXPECT_EQ(InputErrorOf([&] { ReadOutline(Input("long.txt", "B\n" + longest + "e\n")); }),
              "long.txt:2: " + TooLong(Longest + 1));
    EXPECT_EQ(InputErrorOf([&] { ReadPathList(Input("long.txt", "B/" + longest + "\n"), "/"); }),
              "long.txt:1: " + TooLong(Longest + 2));
    EXPECT_EQ(
        InputErrorOf([&] { ReadOutline(Input("link.txt", "B\n\t@" + NameOfBytes(Longest + 1) + " -> Top/B\n")); }),
        "link.txt:2: " + TooLong(Longest + 1));

    const std::string title = "<RDF>\n" + Topic("B", 1) + "<Topic r:id=\"Top/C\"><catid>2</catid><d:Title>" +
                              NameOfBytes(Longest + 1) + "</d:Title></Topic>\n</RDF>\n";
    EXPECT_EQ(InputErrorOf([&] { ReadDump(title); }), "dump.rdf:3: " + TooLong(Longest + 1));
    const std::string link =
        "<RDF>\n" + Topic("B", 1, "\n<symbolic r:resource=\"" + NameOfBytes(Longest + 1) + ":Top/B\"/>") + "</RDF>\n";
    EXPECT_EQ(InputErrorOf([&] { ReadDump(link); }), "dump.rdf:3: " + TooLong(Longest + 1));
}

TEST_F(TreeFileLimits, DeepestOutlineReadsBackThroughExportAndStats)
{
    const std::string first = Written(ReadOutline(Input("deep.txt", Outline(Deepest))));
    const std::string firstBytes = ReadFile(first);
    EXPECT_EQ(StatsOf(first).Depth, Deepest);

    TCategoryTree tree;
    LoadTreeFile(first, tree);
    const std::string exported = OutlineText(tree, [](const std::string& note) { FAIL() << note; });
    std::string expected;
    for (std::size_t level = 1; level <= Deepest; ++level)
        expected += std::string(2 * (level - 1), ' ') + "A\n";
    EXPECT_EQ(exported, expected);
    EXPECT_EQ(ReadFile(Written(ReadOutline(Input("exported.txt", exported)))), firstBytes);
}

TEST_F(TreeFileLimits, EveryImporterRefusesOneLevelMoreWithTheLine)
{
    EXPECT_EQ(InputErrorOf([&] { ReadOutline(Input("deep.txt", Outline(Deepest + 1))); }),
              "deep.txt:999: " + TooDeep(Deepest + 1));
    // A symbolic category is an entry of its own below its category.
    const std::string link = std::string(Deepest, '\t') + "@Link -> Top/A\n";
    EXPECT_EQ(InputErrorOf([&] { ReadOutline(Input("link.txt", Outline(Deepest) + link)); }),
              "link.txt:999: " + TooDeep(Deepest + 1));

    EXPECT_EQ(StatsOf(Written(ReadPathList(Input("paths.txt", "B\n" + Path(Deepest) + "\n"), "/"))).Depth, Deepest);
    EXPECT_EQ(InputErrorOf([&] { ReadPathList(Input("paths.txt", "B\n" + Path(Deepest + 1) + "\n"), "/"); }),
              "paths.txt:2: " + TooDeep(Deepest + 1));

    EXPECT_EQ(StatsOf(Written(ReadDump(Dump(Deepest)))).Depth, Deepest);
    EXPECT_EQ(InputErrorOf([&] { ReadDump(Dump(Deepest + 1)); }), "dump.rdf:1000: " + TooDeep(Deepest + 1));
    const std::string deepestLink = Topic(Path(Deepest), Deepest, "\n<symbolic r:resource=\"Link:Top/A\"/>");
    EXPECT_EQ(InputErrorOf([&] { ReadDump(Dump(Deepest - 1, deepestLink)); }),
              "dump.rdf:1000: " + TooDeep(Deepest + 1));
}

// A topic's level is where it lands in the tree, whatever its path says: under its nearest
// ancestor when parents are missing, and counted through parents that come after it.
TEST_F(TreeFileLimits, DumpLevelsAreThoseOfTheTreeNotOfThePaths)
{
    const std::string farBelow = Topic(Path(Deepest + 200), 1) + Topic(Path(Deepest + 300), 2);
    EXPECT_EQ(StatsOf(Written(ReadDump("<RDF>\n" + farBelow + "</RDF>\n"))).Depth, 2u);

    std::string deepestFirst = "<RDF>\n";
    for (std::size_t level = Deepest + 1; level >= 1; --level)
        deepestFirst += Topic(Path(level), level);
    EXPECT_EQ(InputErrorOf([&] { ReadDump(deepestFirst + "</RDF>\n"); }), "dump.rdf:2: " + TooDeep(Deepest + 1));
}

}  // namespace
