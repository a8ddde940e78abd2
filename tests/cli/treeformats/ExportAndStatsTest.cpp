// Trees written as outlines and read back, and the stats of a tree before a feed.

#include "TreeFormatTest.h"

#include "cli/treeformats/OutlineReader.h"
#include "cli/treeformats/OutlineWriter.h"
#include "cli/treeformats/RdfDumpReader.h"
#include "cli/treeformats/TreeFile.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "cli/treeformats/TreeStats.h"
#include "model/tree/CategoryTree.h"
#include "tests/model/tree/TreeFixtures.h"
#include "tests/support/WholeFile.h"

#include <vector>

namespace {

class ExportAndStats : public TTreeFormatTest {
protected:
    std::vector<std::string> Notes;

    std::string Exported(const std::string& treeFile)
    {
        TCategoryTree tree;
        LoadTreeFile(treeFile, tree);
        return OutlineText(tree, [&](const std::string& note) { Notes.push_back(note); });
    }

    std::string ImportedBytes(const std::string& outline, const std::string& name)
    {
        WriteTreeFile(ReadOutline(Input(name + ".txt", outline)), PathOf(name + ".xml"));
        return ReadFile(PathOf(name + ".xml"));
    }

    TTreeStats StatsOf(const TImportedTree& imported)
    {
        WriteTreeFile(imported, PathOf("tree.xml"));
        TCategoryTree tree;
        LoadTreeFile(PathOf("tree.xml"), tree);
        return CollectTreeStats(tree);
    }
};

TEST_F(ExportAndStats, OutlineRoundTripGivesTheSameTreeFileByteForByte)
{
    const std::string outline = "Arts\n"
                                "- Music & <Sound>\n"
                                "-- \\@home\n"
                                "-- \\#1 Hits\n"
                                "-- \\-5 Degrees\n"
                                "-- \\\\server\n"
                                "-- \\  Two Blanks First\n"
                                "-- @Name -> with arrow -> top/science\n"
                                "- Caf\xC3\xA9 -> Bar\n"
                                "Science\n"
                                "- @Back -> Top/Arts/Music & <Sound>\n";
    const std::string first = ImportedBytes(outline, "first");
    const std::string exported = Exported(PathOf("first.xml"));
    EXPECT_EQ(exported, "Arts\n"
                        "  Music & <Sound>\n"
                        "    \\@home\n"
                        "    \\#1 Hits\n"
                        "    \\-5 Degrees\n"
                        "    \\\\server\n"
                        "    \\  Two Blanks First\n"
                        "    @Name -> with arrow -> Top/Science\n"
                        "  Caf\xC3\xA9 -> Bar\n"
                        "Science\n"
                        "  @Back -> Top/Arts/Music_&_<Sound>\n");
    EXPECT_EQ(ImportedBytes(exported, "second"), first);
    EXPECT_TRUE(Notes.empty());
}

// A dump's Urls are its topic paths, not made of the titles; the outline names link targets
// by the paths they will have when it is read back.
TEST_F(ExportAndStats, ExportOfADumpWritesLinksByTheirTargetsNewPaths)
{
    const std::string dump = "<RDF>\n"
                             "<Topic r:id=\"Top/Arts\"><catid>10</catid><d:Title>Arts &amp; Crafts</d:Title></Topic>\n"
                             "<Topic r:id=\"Top/Science\"><catid>20</catid><d:Title>Science</d:Title>\n"
                             "  <symbolic r:resource=\"Crafts:Top/Arts\"/></Topic>\n"
                             "</RDF>\n";
    WriteTreeFile(ReadRdfDump(Input("dump.rdf", dump), DefaultRdfRoot, {}), PathOf("dump.xml"));
    const std::string exported = Exported(PathOf("dump.xml"));
    EXPECT_EQ(exported, "Arts & Crafts\nScience\n  @Crafts -> Top/Arts_&_Crafts\n");
    ImportedBytes(exported, "again");
    EXPECT_EQ(DescribeTreeFile(PathOf("again.xml")),
              "Arts & Crafts #1 Top/Arts_&_Crafts\nScience #2 Top/Science\n  @Crafts -> Top/Arts_&_Crafts ^2\n");
}

TEST_F(ExportAndStats, ExportNotesWhatWouldNotComeBackTheSame)
{
    TImportedTree tree;
    TXMLTreeNode& arts = tree.Append(*tree.Root, MakeCategory(u"Arts", 1, u"Top/Arts"));
    tree.Append(arts, MakeCategory(u"Two\tLines", 2, u"Top/Arts/Two"));
    tree.Append(arts, MakeCategory(u"Music ", 3, u"Top/Arts/Music"));
    tree.Append(arts, MakeCategory(u"Film", 4, u"Top/Arts/Film"));
    tree.Append(arts, MakeCategory(u"Film", 5, u"Top/Arts/Film2"));
    tree.Append(arts, MakeSymbolic(u"Lost", 1, u"Top/Nowhere"));
    tree.Append(*tree.Root, MakeSymbolic(u"Loose", 1, u"Top/Arts"));
    WriteTreeFile(tree, PathOf("odd.xml"));

    EXPECT_EQ(Exported(PathOf("odd.xml")),
              "Arts\n  Two Lines\n  Music \n  Film\n  Film\n  @Lost -> Top/Nowhere\n@Loose -> Top/Arts\n");
    EXPECT_EQ(Notes, (std::vector<std::string>{
                         "\"Top/Arts/Film\" has the same path as an entry before it, which an outline does not allow",
                         "\"Top/Arts/Two Lines\" has control characters in its name, written as blanks",
                         "\"Top/Arts/Music_\" has a name that ends with a blank, which an outline line drops",
                         "\"Top/Arts/Lost\" links to \"Top/Nowhere\", which names no category",
                         "\"Top/Loose\" is a symbolic category at the top level, which an outline does not allow"}));
}

TEST_F(ExportAndStats, StatsTellSizeShapeSharedNamesAndLinksThatDoNotResolve)
{
    TImportedTree tree;
    TXMLTreeNode& arts = tree.Append(*tree.Root, MakeCategory(u"Arts", 1, u"Top/Arts"));
    TXMLTreeNode& music = tree.Append(arts, MakeCategory(u"Music", 2, u"Top/Arts/Music"));
    tree.Append(music, MakeCategory(u"Jazz", 3, u"Top/Arts/Music/Jazz"));
    tree.Append(music, MakeSymbolic(u"Fine", 2, u"TOP/ARTS"));
    tree.Append(music, MakeSymbolic(u"Lost", 2, u"Top/Arts/Musik"));
    TXMLTreeNode& shopping = tree.Append(*tree.Root, MakeCategory(u"Shopping", 4, u"Top/Shopping"));
    tree.Append(shopping, MakeCategory(u"Music", 5, u"Top/Shopping/Music"));
    tree.Append(shopping, MakeSymbolic(u"Orphan", 99, u"Top/Elsewhere"));
    tree.Append(*tree.Root, MakeCategory(u"Music", 6, u"Top/Music"));
    tree.Append(arts, MakeCategory(u"Jazz", 7, u"Top/Arts/Jazz"));

    const TTreeStats stats = StatsOf(tree);
    EXPECT_EQ(TreeStatsText(stats, 0), "categories: 7\n"
                                       "symbolic categories: 3\n"
                                       "depth: 3\n"
                                       "largest branch: Arts (Top/Arts), 6 entries\n"
                                       "names under more than one parent: 2\n"
                                       "  \"Music\" under (top level), Top/Arts, Top/Shopping\n"
                                       "  \"Jazz\" under Top/Arts, Top/Arts/Music\n"
                                       "symbolic categories that do not resolve: 2\n"
                                       "  \"Lost\" under Top/Arts/Music: no category has the Url \"Top/Arts/Musik\"\n"
                                       "  \"Orphan\" under Top/Shopping: no category has the Url \"Top/Elsewhere\" "
                                       "and no category has the ID 99\n");
    EXPECT_EQ(TreeStatsText(stats, 1), "categories: 7\n"
                                       "symbolic categories: 3\n"
                                       "depth: 3\n"
                                       "largest branch: Arts (Top/Arts), 6 entries\n"
                                       "names under more than one parent: 2\n"
                                       "  \"Music\" under (top level), Top/Arts, Top/Shopping\n"
                                       "  ... and 1 more\n"
                                       "symbolic categories that do not resolve: 2\n"
                                       "  \"Lost\" under Top/Arts/Music: no category has the Url \"Top/Arts/Musik\"\n"
                                       "  ... and 1 more\n");
}

TEST_F(ExportAndStats, TreeFileThatCannotBeReadIsTold)
{
    const std::string broken = Input("broken.xml", "<DUMMY_NODE><TXMLTreeNode>");
    TCategoryTree tree;
    try {
        LoadTreeFile(broken, tree);
        FAIL() << "a broken tree file was read";
    } catch (const ETreeFileUnreadable& error) {
        EXPECT_EQ(std::string(error.what()).rfind(broken + " cannot be read: ", 0), 0u) << error.what();
    }
    EXPECT_TRUE(tree.TopLevelNodes().empty());
}

}  // namespace
