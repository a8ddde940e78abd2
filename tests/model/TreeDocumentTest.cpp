#include "EngineTrace.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "model/CategoryClasses.h"
#include "model/Dmoz.h"
#include "model/XMLTreeNode.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

const std::string WorkedExample = std::string(TESSAROO_MODEL_TEST_DATA) + "/tree.xml";

// The records of a tree, owned as the tree view owns them.
using TRecords = std::vector<std::unique_ptr<TBaseCategory>>;

std::unique_ptr<TXMLTreeNode> NodeOf(TBaseCategory* record)
{
    auto node = std::make_unique<TXMLTreeNode>();
    node->Data = record;
    return node;
}

// Arts (1) with Music (2) and the symbolic Sounds under it.
std::unique_ptr<TXMLTreeNode> WorkedExampleTree(TRecords& records)
{
    auto arts = std::make_unique<TCategory>();
    arts->Name = u"Arts";
    arts->Url = u"Top/Arts";
    arts->ID = 1;
    auto music = std::make_unique<TCategory>();
    music->Name = u"Music";
    music->Url = u"Top/Arts/Music";
    music->ID = 2;
    music->Content = 5;
    auto sounds = std::make_unique<TSymbolicCategory>();
    sounds->Name = u"Sounds";
    sounds->Url = u"Top/Arts/Music";
    sounds->Parent = 1;

    auto artsNode = NodeOf(arts.get());
    artsNode->AddNode(NodeOf(music.get()));
    artsNode->AddNode(NodeOf(sounds.get()));
    auto root = std::make_unique<TXMLTreeNode>();
    root->AddNode(std::move(artsNode));
    records.push_back(std::move(arts));
    records.push_back(std::move(music));
    records.push_back(std::move(sounds));
    return root;
}

// The tree a file holds; the records it refers to are taken over in the order read.
std::unique_ptr<TXMLTreeNode> ReadTree(const std::string& fileName, TRecords& records)
{
    TXmlPersistance::TReadResult read = TXmlPersistance::FileToObject(fileName);
    if (!dynamic_cast<TXMLTreeNode*>(read.Object.get()))
        throw std::runtime_error("not a tree");
    for (auto& record : read.Borrowed)
        records.emplace_back(static_cast<TBaseCategory*>(record.release()));
    return std::unique_ptr<TXMLTreeNode>(static_cast<TXMLTreeNode*>(read.Object.release()));
}

class TreeDocument : public ::testing::Test {
protected:
    void SetUp() override { RegisterCategoryClasses(); }

    void ExpectReadFails(const std::string& xml, const std::string& message)
    {
        WriteFile(FileName, xml);
        try {
            TXmlPersistance::FileToObject(FileName);
            ADD_FAILURE() << "no error, expected: " << message;
        } catch (const Exception& error) {
            EXPECT_THAT(error.message(), ::testing::StartsWith(message + " (" + FileName + ", line 1, column "));
        }
    }

    TTempFolder Folder;
    std::string FileName = Folder.PathOf("tree.xml");
};

}  // namespace

TEST_F(TreeDocument, WritesTheWorkedExampleByteForByte)
{
    TRecords records;
    const auto tree = WorkedExampleTree(records);
    TXmlPersistance::ObjectToFile(*tree, FileName);
    EXPECT_EQ(ReadFile(FileName), ReadFile(WorkedExample));
}

TEST_F(TreeDocument, ReadsTheWorkedExampleAndWritesItAgainUnchanged)
{
    TRecords records;
    const auto tree = ReadTree(WorkedExample, records);
    EXPECT_EQ(tree->Data, nullptr);
    ASSERT_EQ(tree->Nodes.size(), 1u);
    ASSERT_EQ(tree->Nodes[0]->Nodes.size(), 2u);
    EXPECT_THAT(tree->Nodes[0]->Nodes[1]->Nodes, ::testing::IsEmpty());

    TDmoz dmoz;
    for (const auto& record : records)
        dmoz.AddRecord(record.get());
    ASSERT_EQ(dmoz.Categories.size(), 2u);
    EXPECT_EQ(dmoz.Categories[0]->Name, u"Arts");
    EXPECT_EQ(dmoz.Categories[1]->Content, 5);
    ASSERT_EQ(dmoz.SymbolicCategories.size(), 1u);
    EXPECT_EQ(dmoz.SymbolicCategories[0]->Name, u"Sounds");
    EXPECT_EQ(dmoz.SymbolicCategories[0]->Parent, 1);
    EXPECT_EQ(dmoz.FindCategoryByUrl("top/arts/music"), dmoz.Categories[1]);
    EXPECT_EQ(dmoz.FindCategoryByID(1), dmoz.Categories[0]);

    TXmlPersistance::ObjectToFile(*tree, FileName);
    EXPECT_EQ(ReadFile(FileName), ReadFile(WorkedExample));
}

TEST_F(TreeDocument, KeepsNamesWithReservedAndNonAsciiCharactersAndEmptyUrls)
{
    TRecords records;
    auto tree = WorkedExampleTree(records);
    records[0]->Name = u"Arts & <Crafts> \"\u00c4sthetik\" \u6587\u5316 \U0001F3A8";
    records[1]->Url = u"";
    TXmlPersistance::ObjectToFile(*tree, FileName);
    EXPECT_THAT(
        ReadFile(FileName),
        ::testing::HasSubstr("<Name>Arts &amp; &lt;Crafts&gt; \"\u00c4sthetik\" \u6587\u5316 \U0001F3A8</Name>"));
    EXPECT_THAT(ReadFile(FileName), ::testing::HasSubstr("<Url/>"));

    TRecords readRecords;
    const auto readTree = ReadTree(FileName, readRecords);
    ASSERT_EQ(readRecords.size(), 3u);
    EXPECT_EQ(readRecords[0]->Name, records[0]->Name);
    EXPECT_EQ(readRecords[1]->Url, u"");
}

TEST_F(TreeDocument, WritesACategoryWithTheTraceOfTheExample)
{
    TCategory arts;
    arts.Name = u"Arts";
    arts.Url = u"Top/Arts";
    arts.ID = 1;
    pugi::xml_document document;
    pugi::xml_node parent = document.append_child("Data");
    const std::uintmax_t before = EngineLogSize();
    TXmlPersistance::ObjectToNode(arts, parent);
    EXPECT_THAT(EngineLogMessagesSince(before),
                ElementsAre("saving to xml TCategory", "- has 4 properties", "- object is nil? False",
                            "- propinfo is nil? False", "- propinfo 1: Content", "- propinfo 1 proptype: Integer",
                            "- propinfo 1: Content", "- propinfo 1 propvalue: 0", "- propinfo is nil? False",
                            "- propinfo 2: ID", "- propinfo 2 proptype: Integer", "- propinfo 2: ID",
                            "- propinfo 2 propvalue: 1", "- propinfo is nil? False", "- propinfo 3: Name",
                            "- propinfo 3 proptype: WideString", "- propinfo 3: Name", "- propinfo 3 propvalue: Arts",
                            "- propinfo is nil? False", "- propinfo 4: Url", "- propinfo 4 proptype: WideString",
                            "- propinfo 4: Url", "- propinfo 4 propvalue: Top/Arts", "done saving to xml TCategory"));
    std::ostringstream text;
    parent.first_child().print(text, "  ", pugi::format_indent | pugi::format_raw);
    EXPECT_EQ(text.str(), "<TCategory><Content>0</Content><ID>1</ID><Name>Arts</Name><Url>Top/Arts</Url></TCategory>");
}

// The second Nodes stands where Data belongs: the count passes and the first list, records
// included, is dropped (the sanitizer build sees any record left behind).
TEST_F(TreeDocument, DropsTheRecordsOfADuplicatedNodeList)
{
    const std::string node = "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>7</ID><Name>Arts</Name>"
                             "<Url>Top/Arts</Url></TCategory></Data><Nodes/></TXMLTreeNode>";
    WriteFile(FileName, "<TXMLTreeNode><Nodes>" + node + node + "</Nodes><Nodes>" + node + "</Nodes></TXMLTreeNode>");
    TRecords records;
    const auto tree = ReadTree(FileName, records);
    EXPECT_EQ(tree->Data, nullptr);
    ASSERT_EQ(tree->Nodes.size(), 1u);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(static_cast<TCategory&>(*records[0]).ID, 7);
}

TEST_F(TreeDocument, RefusesRecordsOfTheWrongShapeAndFreesWhatWasRead)
{
    const std::string arts = "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>1</ID><Name>Arts</Name>"
                             "<Url>Top/Arts</Url></TCategory></Data><Nodes/></TXMLTreeNode>";
    auto tree = [&arts](const std::string& last) {
        return "<DUMMY_NODE><TXMLTreeNode><Data isNull=\"true\"/><Nodes>" + arts + arts + last +
               "</Nodes></TXMLTreeNode></DUMMY_NODE>";
    };
    ExpectReadFails(
        tree("<TXMLTreeNode><Data><TBaseCategory><Name/><Url/></TBaseCategory></Data><Nodes/></TXMLTreeNode>"),
        "Xml class TBaseCategory is not registered.");
    ExpectReadFails(tree("<TXMLTreeNode><Data><TXMLTreeNode/></Data><Nodes/></TXMLTreeNode>"),
                    "Xml class TXMLTreeNode does not fit property Data.");
    ExpectReadFails(tree("<TCategory><Content>0</Content><ID>1</ID><Name>Arts</Name><Url/></TCategory>"),
                    "Xml class TCategory does not fit property Nodes.");
    ExpectReadFails(tree("<TXMLTreeNode><Data><TSymbolicCategory><Name/><Url/></TSymbolicCategory></Data><Nodes/>"
                         "</TXMLTreeNode>"),
                    "Property list not consistent. 3 properties found in class and 2 properties found in XML.");
    ExpectReadFails(tree("<TXMLTreeNode><Data><TCategory><Content>0</Content><ID></ID><Name/><Url/></TCategory></Data>"
                         "<Nodes/></TXMLTreeNode>"),
                    "Could not convert variant of type (Null) into type (Integer)");
}
