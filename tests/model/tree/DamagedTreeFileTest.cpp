// Damaged tree files, made by hand and by mutating a good one: every one is refused with an
// error that names the file, the line and the reason, in bounded time and memory, and
// nothing is changed: not the tree, not the document, not the folder.

#include "TreeFixtures.h"

#include "common/core/Exception.h"
#include "common/logging/Logger.h"
#include "model/CategoryClasses.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

class DamagedTreeFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterCategoryClasses();
        LoadTree(Tree, ExampleTreeFile());
    }

    // The error message of loading the text as a tree file, with tree and folder checked to be
    // as they were.
    std::string LoadError(const std::string& text)
    {
        WriteFile(FileName, text);
        std::string message;
        try {
            LoadTree(Tree, FileName);
            ADD_FAILURE() << "loaded a damaged file";
        } catch (const Exception& error) {
            message = error.message();
        }
        EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
        EXPECT_EQ(Tree.CategoryCount(), 2u);
        EXPECT_EQ(Tree.SymbolicCount(), 1u);
        EXPECT_EQ(ReadFile(FileName), text);
        EXPECT_THAT(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 1);
        return message;
    }

    void ExpectRefused(const std::string& text, const std::string& reason, const std::string& place)
    {
        const std::string message = LoadError(text);
        EXPECT_THAT(message, HasSubstr(reason));
        EXPECT_THAT(message, HasSubstr("(" + FileName + ", " + place + ")"));
    }

    TTempFolder Folder;
    std::string FileName = Folder.PathOf("tree.xml");
    std::string Example = ReadFile(ExampleTreeFile());
    TCategoryTree Tree;
};

TEST_F(DamagedTreeFile, NotATreeIsRefusedAtTheLineOfTheObject)
{
    ExpectRefused(Example.substr(0, Example.size() / 2), "Start-end tags mismatch", "line 21, column 22");
    ExpectRefused(Replaced(Replaced(Example, "<TXMLTreeNode>", "<TDmoz>"), "</TXMLTreeNode>\r\n</DUMMY_NODE>",
                           "</TDmoz>\r\n</DUMMY_NODE>"),
                  "Property name Data not found in class.", "line 3, column 6");
    ExpectRefused(
        "<DUMMY_NODE>\r\n  <TCategory><Content>0</Content><ID>1</ID><Name/><Url/></TCategory>\r\n</DUMMY_NODE>",
        "This is no category tree: its root object is a TCategory, not a TXMLTreeNode", "line 2, column 4");
    std::string withoutData = Example;
    const std::size_t data = withoutData.rfind("<Data>", withoutData.find("<TSymbolicCategory>"));
    const std::size_t dataEnd = withoutData.find("</Data>", data) + std::string("</Data>").size();
    withoutData.replace(data, dataEnd - data, "<Data isNull=\"true\"/>");
    ExpectRefused(withoutData, "This is no category tree: a TXMLTreeNode below the root has no Data",
                  "line 26, column 12");
    ExpectRefused(Replaced(Example, "<ID>2</ID>", "<ID>two</ID>"), "'two' is not a valid integer value",
                  "line 19, column 18");
}

TEST_F(DamagedTreeFile, TextThatIsNotUtf8IsRefusedWhereItStands)
{
    ExpectRefused(Replaced(Example, "Music</Name>", "Mu\xC3\x28sic</Name>"), "Invalid UTF-8 byte sequence",
                  "line 20, column 25");
    ExpectRefused(Replaced(Example, "Music</Name>", "Mu\xED\xA0\x80sic</Name>"), "Invalid UTF-8 byte sequence",
                  "line 20, column 25");
    ExpectRefused(Replaced(Example, "Arts</Name>", std::string("Ar\0ts</Name>", 12)), "Zero byte in the text",
                  "line 10, column 21");
}

// A reference decoded into a zero byte would cut the name short, one to a surrogate or beyond
// Unicode would turn into replacement characters: both are refused where they stand. Where
// the parser decodes nothing, in a comment, such text is no reference.
TEST_F(DamagedTreeFile, ReferencesToNoCharacterAreRefusedWhereTheyStand)
{
    ExpectRefused(Replaced(Example, ">Arts<", ">a&#0;b<"), "Character reference \"&#0;\" is not a character",
                  "line 10, column 20");
    ExpectRefused(Replaced(Example, ">Arts<", ">a&#x000;b<"), "Character reference \"&#x000;\" is not a character",
                  "line 10, column 20");
    ExpectRefused(Replaced(Example, ">Music<", ">&#xD800;<"), "Character reference \"&#xD800;\" is not a character",
                  "line 20, column 23");
    ExpectRefused(Replaced(Example, ">Music<", ">&#57343;<"), "Character reference \"&#57343;\" is not a character",
                  "line 20, column 23");
    ExpectRefused(Replaced(Example, ">Music<", ">&#x110000;<"), "Character reference \"&#x110000;\" is not a character",
                  "line 20, column 23");
    ExpectRefused(Replaced(Example, ">Music<", ">&#4294967296;<"),
                  "Character reference \"&#4294967296;\" is not a character", "line 20, column 23");

    WriteFile(FileName, "<!-- a&#0;b --><?note &#xD800;?>" + Replaced(Example, ">Arts<", ">&#x41;&#114;t&#xFFFF;s<"));
    TCategoryTree tree;
    LoadTree(tree, FileName);
    EXPECT_EQ(tree.FirstNode()->Data()->Name, u"Art\uFFFFs");
}

// The parser expands no entity of its own, but a file with a document type could still mean
// something else to other programs; none is accepted.
TEST_F(DamagedTreeFile, DocumentTypesAreRefusedEntitiesAreNeverExpandedOrFetched)
{
    std::string laughs = "<!DOCTYPE DUMMY_NODE [\r\n<!ENTITY lol0 \"lol\">\r\n";
    for (int level = 1; level < 10; ++level) {
        std::string tenfold;
        for (int copy = 0; copy < 10; ++copy)
            tenfold += "&lol" + std::to_string(level - 1) + ";";
        laughs += "<!ENTITY lol" + std::to_string(level) + " \"" + tenfold + "\">\r\n";
    }
    laughs += "]>\r\n";
    ExpectRefused(laughs + Replaced(Example, ">Arts<", ">&lol9;<"), "Document type declarations are not accepted",
                  "line 1, column 11");
    ExpectRefused("<!DOCTYPE DUMMY_NODE [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>" +
                      Replaced(Example, ">Arts<", ">&secret;<"),
                  "Document type declarations are not accepted", "line 1, column 11");
    ExpectRefused("<!DOCTYPE DUMMY_NODE SYSTEM \"http://localhost:1/tree.dtd\">" + Example,
                  "Document type declarations are not accepted", "line 1, column 11");
}

TEST_F(DamagedTreeFile, EndlessNestingAndHugeValuesAreRefused)
{
    std::string deep = "<DUMMY_NODE>\n<TXMLTreeNode><Data isNull=\"true\"/><Nodes>\n";
    const std::string level = "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>1</ID><Name>x</Name><Url/>"
                              "</TCategory></Data><Nodes>\n";
    for (int i = 0; i < 100000; ++i)
        deep += level;
    for (int i = 0; i < 100000; ++i)
        deep += "</Nodes></TXMLTreeNode>";
    deep += "</Nodes></TXMLTreeNode></DUMMY_NODE>";
    ExpectRefused(deep, "Objects are nested deeper than 1000 levels.", "line 1001, column 22");

    const std::string huge(100 * 1024 * 1024, 'x');
    ExpectRefused(Replaced(Example, ">Music<", ">" + huge + "<"), "Value of Name is longer than 1048576 bytes.",
                  "line 20, column 18");
    std::string longName = "<DUMMY_NODE><T" + std::string(1 << 20, 'x') + "/></DUMMY_NODE>";
    const std::string message = LoadError(longName);
    EXPECT_LT(message.size(), 400u) << "an error message shows only the start of a long name";
}

// A simple mutation loop over a good file: bytes flipped, cut out, doubled and inserted.
// Every result either loads or is refused with the file named; nothing else escapes.
TEST_F(DamagedTreeFile, MutatedFilesLoadOrAreRefusedWithTheFileNamed)
{
    const TLogLevel saved = GlobalLogLevel;
    GlobalLogLevel = llDebug;
    std::mt19937 random(12);
    constexpr char OddBytes[] = "<>/&\"'=!?[]#;\r\n\0\x80\xC3\xFF";
    const std::string oddBytes(OddBytes, sizeof OddBytes - 1);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = Example;
        for (int change = 1 + static_cast<int>(random() % 3); change > 0; --change) {
            const std::size_t at = random() % text.size();
            const std::size_t length = std::min<std::size_t>(1 + random() % 40, text.size() - at);
            switch (random() % 4) {
            case 0: text[at] = static_cast<char>(text[at] ^ (1 << (random() % 8))); break;
            case 1: text.erase(at, length); break;
            case 2: text.insert(at, text.substr(at, length)); break;
            default: text.insert(at, 1, oddBytes[random() % oddBytes.size()]); break;
            }
            if (text.empty())
                text = "<";
        }
        WriteFile(FileName, text);
        TCategoryTree tree;
        try {
            LoadTree(tree, FileName);
        } catch (const Exception& error) {
            ++refused;
            EXPECT_THAT(error.message(), HasSubstr("(" + FileName)) << text;
        }
        EXPECT_THAT(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 1);
    }
    GlobalLogLevel = saved;
    EXPECT_GT(refused, 1000);
}

}  // namespace
