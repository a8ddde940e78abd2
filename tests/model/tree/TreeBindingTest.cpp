#include "TreeFixtures.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "model/CategoryClasses.h"
#include "model/XMLTreeNode.h"
#include "model/tree/DocumentOfTree.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

namespace {

const std::string RecordsOnlyRoot =
    "<DUMMY_NODE><TDmoz><Categories><TCategory><Content>0</Content><ID>1</ID><Name>A</Name><Url>u</Url>"
    "</TCategory></Categories><SymbolicCategories/></TDmoz></DUMMY_NODE>";

class TreeBinding : public ::testing::Test {
protected:
    void SetUp() override { RegisterCategoryClasses(); }

    // The tree and its document: the outline of the tree and the names in the two arrays.
    void ExpectInStep(const std::vector<std::string>& outline, const std::vector<std::u16string>& categories,
                      const std::vector<std::u16string>& symbolic)
    {
        EXPECT_EQ(Outline(Tree), outline);
        const TDmoz document = DocumentOfTree(Tree);
        std::vector<std::u16string> names;
        for (const TCategory* category : document.Categories)
            names.push_back(category->Name);
        EXPECT_EQ(names, categories);
        EXPECT_EQ(Tree.CategoryCount(), categories.size());
        names.clear();
        for (const TSymbolicCategory* link : document.SymbolicCategories)
            names.push_back(link->Name);
        EXPECT_EQ(names, symbolic);
        EXPECT_EQ(Tree.SymbolicCount(), symbolic.size());
    }

    // A persisted top-level node that refers to the record; its owner goes to Records.
    void AddTopLevel(TXMLTreeNode& root, std::unique_ptr<TBaseCategory> record)
    {
        auto node = std::make_unique<TXMLTreeNode>();
        node->Data = record.get();
        root.AddNode(std::move(node));
        Records.push_back(std::move(record));
    }

    std::vector<std::unique_ptr<TBaseCategory>> Records;

    TTempFolder Folder;
    TCategoryTree Tree;
    int MessageCalls = 0;
    TProcessMessages CountCalls = [this] { ++MessageCalls; };
};

TEST_F(TreeBinding, LoadsTheExampleIntoTreeAndDocumentInPreOrder)
{
    LoadTree(Tree, ExampleTreeFile());
    ExpectInStep({"Arts", "  Music", "  Sounds@"}, {u"Arts", u"Music"}, {u"Sounds"});
    EXPECT_EQ(Tree.FirstNode()->Data(), DocumentOfTree(Tree).Categories[0]);
    EXPECT_EQ(Tree.FindFirstCategoryNode(2)->Text(), "Music");
    const auto* sounds = dynamic_cast<const TSymbolicCategory*>(Tree.FirstNode()->Children()[1]->Data());
    ASSERT_NE(sounds, nullptr);
    EXPECT_EQ(sounds->Parent, 1);
    EXPECT_EQ(sounds->Url, u"Top/Arts/Music");
}

TEST_F(TreeBinding, ASecondLoadAppendsDistinctCopies)
{
    LoadTree(Tree, ExampleTreeFile());
    LoadTree(Tree, ExampleTreeFile());
    ExpectInStep({"Arts", "  Music", "  Sounds@", "Arts", "  Music", "  Sounds@"},
                 {u"Arts", u"Music", u"Arts", u"Music"}, {u"Sounds", u"Sounds"});
    EXPECT_NE(DocumentOfTree(Tree).Categories[0], DocumentOfTree(Tree).Categories[2]);
    EXPECT_NE(DocumentOfTree(Tree).SymbolicCategories[0], DocumentOfTree(Tree).SymbolicCategories[1]);
    EXPECT_EQ(Tree.FindFirstCategoryNode(1), Tree.FirstNode());
}

TEST_F(TreeBinding, RefusesFilesThatDoNotDescribeATreeAndChangesNothing)
{
    LoadTree(Tree, ExampleTreeFile());
    const std::string noData = Folder.PathOf("nodata.xml");
    WriteFile(noData,
              "<DUMMY_NODE><TXMLTreeNode><Data isNull=\"true\"/><Nodes>"
              "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>7</ID><Name>Kept</Name><Url/></TCategory>"
              "</Data><Nodes><TXMLTreeNode><Data isNull=\"true\"/><Nodes/></TXMLTreeNode></Nodes></TXMLTreeNode>"
              "</Nodes></TXMLTreeNode></DUMMY_NODE>");
    const std::string document = Folder.PathOf("document.xml");
    WriteFile(document, RecordsOnlyRoot);
    const std::string broken = Folder.PathOf("broken.xml");
    WriteFile(broken, "<DUMMY_NODE><TXMLTreeNode>");

    for (const auto& [file, reason] :
         {std::pair{noData, std::string("has no Data")}, std::pair{document, std::string("root object is a TDmoz")}}) {
        try {
            LoadTree(Tree, file);
            ADD_FAILURE() << file << " was loaded";
        } catch (const EXmlPersistance& error) {
            EXPECT_NE(std::string(error.what()).find(file), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
    }
    EXPECT_ANY_THROW(LoadTree(Tree, broken));
    EXPECT_ANY_THROW(LoadTree(Tree, Folder.PathOf("missing.xml")));
    ExpectInStep({"Arts", "  Music", "  Sounds@"}, {u"Arts", u"Music"}, {u"Sounds"});
}

namespace {

std::string CategoryXml(const std::string& name, int id)
{
    return "<Data><TCategory><Content>0</Content><ID>" + std::to_string(id) + "</ID><Name>" + name +
           "</Name><Url/></TCategory></Data>";
}

}  // namespace

TEST_F(TreeBinding, TheRootsOwnRecordIsNeitherShownNorIndexed)
{
    const std::string file = Folder.PathOf("tree.xml");
    WriteFile(file, "<TXMLTreeNode>" + CategoryXml("Root", 1) + "<Nodes/></TXMLTreeNode>");
    LoadTree(Tree, file);
    ExpectInStep({}, {}, {});
    WriteFile(file, "<TXMLTreeNode>" + CategoryXml("Root", 1) + "<Nodes><TXMLTreeNode>" + CategoryXml("A", 2) +
                        "<Nodes/></TXMLTreeNode></Nodes></TXMLTreeNode>");
    LoadTree(Tree, file);
    ExpectInStep({"A"}, {u"A"}, {});
}

// The reader meets the records in file order; the tree takes each over all the same.
TEST_F(TreeBinding, LoadsNodesWhoseChildrenComeBeforeTheirRecord)
{
    const auto node = [](const std::string& name, int id, const std::string& children) {
        return "<TXMLTreeNode><Nodes>" + children + "</Nodes>" + CategoryXml(name, id) + "</TXMLTreeNode>";
    };
    const std::string file = Folder.PathOf("tree.xml");
    WriteFile(file, "<TXMLTreeNode><Data isNull=\"true\"/><Nodes>" +
                        node("A", 1, node("B", 2, node("C", 3, "")) + node("D", 4, "")) + node("E", 5, "") +
                        "</Nodes></TXMLTreeNode>");
    LoadTree(Tree, file);
    ExpectInStep({"A", "  B", "    C", "  D", "E"}, {u"A", u"B", u"C", u"D", u"E"}, {});
    EXPECT_EQ(Tree.FindFirstCategoryNode(3)->Data(), DocumentOfTree(Tree).Categories[2]);
}

TEST_F(TreeBinding, SavesTheExampleByteForByte)
{
    LoadTree(Tree, ExampleTreeFile());
    const std::string file = Folder.PathOf("tree.xml");
    SaveTree(Tree, file, CountCalls);
    EXPECT_EQ(ReadFile(file), ReadFile(ExampleTreeFile()));
    EXPECT_EQ(MessageCalls, 2 + 3);  // before and after building, and once per node
}

TEST_F(TreeBinding, SaveWritesRecordsNotNodeTextsAndLoadReproducesTheTree)
{
    TTreeNode& top = Tree.AddNode(nullptr, "Old", MakeCategory(u"Old", 10, u"Top/Old"));
    Tree.AddNode(&top, "Link@", MakeSymbolic(u"Link", 10, u"Top/Old"));
    Tree.AddNode(nullptr, "Second", MakeCategory(u"Second & <more>", -3, u""));
    top.Data()->Name = u"Renamed";
    const std::string file = Folder.PathOf("tree.xml");
    SaveTree(Tree, file);
    EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Old", "  Link@", "Second"}));

    TCategoryTree loaded;
    LoadTree(loaded, file);
    const TDmoz document = DocumentOfTree(loaded);
    EXPECT_EQ(Outline(loaded), (std::vector<std::string>{"Renamed", "  Link@", "Second & <more>"}));
    ASSERT_EQ(document.Categories.size(), 2u);
    EXPECT_EQ(document.Categories[0]->Url, u"Top/Old");
    EXPECT_EQ(document.Categories[0]->ID, 10);
    EXPECT_EQ(document.Categories[1]->ID, -3);
    EXPECT_EQ(document.Categories[1]->Url, u"");
    EXPECT_EQ(document.SymbolicCategories[0]->Parent, 10);
}

TEST_F(TreeBinding, AnEmptyTreeSavesAsAnEmptyRootThatLoadsAsNothing)
{
    const std::string file = Folder.PathOf("tree.xml");
    SaveTree(Tree, file);
    EXPECT_EQ(ReadFile(file), "<DUMMY_NODE>\r\n  <TXMLTreeNode>\r\n    <Data isNull=\"true\"/>\r\n    <Nodes/>\r\n"
                              "  </TXMLTreeNode>\r\n</DUMMY_NODE>\r\n");
    LoadTree(Tree, ExampleTreeFile());
    LoadTree(Tree, file);
    ExpectInStep({"Arts", "  Music", "  Sounds@"}, {u"Arts", u"Music"}, {u"Sounds"});
}

TEST_F(TreeBinding, NodeTextsComeFromNamesAsTheyWereWhenAdded)
{
    TXMLTreeNode root;
    AddTopLevel(root, MakeCategory(std::u16string(u"Caf\u00e9 ") + char16_t(0xD800), 1));
    AddTopLevel(root, MakeSymbolic(u"", 1, u""));
    for (std::size_t i = 0; i < root.Nodes.size(); ++i)
        AddTreeBranch(Tree, nullptr, *root.Nodes[i], std::span(Records).subspan(i, 1));
    EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Caf\xc3\xa9 \xef\xbf\xbd", "@"}));
    EXPECT_TRUE(std::all_of(Records.begin(), Records.end(), [](const auto& owner) { return !owner; }))
        << "the tree nodes took the records over";
}

// A node without a record, or owners that are not the branch's records in tree order.
TEST_F(TreeBinding, AddTreeBranchRefusesABranchWhoseRecordsItCannotTakeOver)
{
    TXMLTreeNode root;
    AddTopLevel(root, MakeCategory(u"Top", 1));
    TXMLTreeNode& branch = *root.Nodes[0];
    branch.AddNode(std::make_unique<TXMLTreeNode>());
    EXPECT_THROW(AddTreeBranch(Tree, nullptr, branch, Records), EXmlPersistance);

    auto child = MakeCategory(u"Child", 2);
    branch.Nodes[0]->Data = child.get();
    Records.insert(Records.begin(), std::move(child));
    EXPECT_THROW(AddTreeBranch(Tree, nullptr, branch, Records), EXmlPersistance);
    EXPECT_THROW(AddTreeBranch(Tree, nullptr, branch, std::span(Records).first(1)), EXmlPersistance);
    ExpectInStep({}, {}, {});
    EXPECT_TRUE(Records[0] && Records[1]) << "nothing was taken";

    std::swap(Records[0], Records[1]);
    AddTreeBranch(Tree, nullptr, branch, Records);
    ExpectInStep({"Top", "  Child"}, {u"Top", u"Child"}, {});
}

TEST_F(TreeBinding, BuildXmlTreeNodeBorrowsTheRecordsOfTheBranch)
{
    LoadTree(Tree, ExampleTreeFile());
    const auto persisted = BuildXmlTreeNode(*Tree.FirstNode(), CountCalls);
    EXPECT_EQ(persisted->Data, Tree.FirstNode()->Data());
    ASSERT_EQ(persisted->Nodes.size(), 2u);
    EXPECT_EQ(persisted->Nodes[1]->Data, Tree.FirstNode()->Children()[1]->Data());
    EXPECT_TRUE(persisted->Nodes[1]->Nodes.empty());
    EXPECT_EQ(MessageCalls, 3);
}

TEST_F(TreeBinding, DeletingALeafRemovesOneRecordFromOneArray)
{
    LoadTree(Tree, ExampleTreeFile());
    DeleteBranch(Tree, *Tree.FirstNode()->Children()[1]);
    ExpectInStep({"Arts", "  Music"}, {u"Arts", u"Music"}, {});
}

TEST_F(TreeBinding, DeletingABranchLeavesSymbolicCategoriesElsewhereThatPointIntoIt)
{
    LoadTree(Tree, ExampleTreeFile());
    TTreeNode& other = Tree.AddNode(nullptr, "Other", MakeCategory(u"Other", 5));
    Tree.AddNode(&other, "ToMusic@", MakeSymbolic(u"ToMusic", 1, u"Top/Arts/Music"));
    std::vector<std::string> deleted;
    Tree.SetOnDeletion([&](TTreeNode& node) {
        deleted.push_back(node.Text());
        node.FreeData();
    });

    DeleteBranch(Tree, *Tree.FirstNode());
    ExpectInStep({"Other", "  ToMusic@"}, {u"Other"}, {u"ToMusic"});
    EXPECT_EQ(deleted, (std::vector<std::string>{"Music", "Sounds@", "Arts"}));
    EXPECT_EQ(Tree.FindFirstCategoryNode(1), nullptr);
    EXPECT_EQ(Tree.FindFirstCategoryNode(5), &other);
}

}  // namespace
