#include "model/tree/TreeBinding.h"

#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/Dmoz.h"
#include "model/XMLTreeNode.h"

#include <unordered_set>
#include <vector>

namespace {

bool BranchHasAllRecords(const TXMLTreeNode& node)
{
    if (!node.Data)
        return false;
    for (const auto& child : node.Nodes)
        if (!BranchHasAllRecords(*child))
            return false;
    return true;
}

// Checked while the file is read, so that the error names the line of the object and the
// reader frees everything it built.
void CheckTreeObject(const TXMLPersistentObject& object, bool isRoot)
{
    const auto* node = dynamic_cast<const TXMLTreeNode*>(&object);
    if (isRoot && !node)
        throw EXmlPersistance("This is no category tree: its root object is a " + object.XmlClass().ClassName() +
                              ", not a TXMLTreeNode");
    if (!isRoot && node && !node->Data)
        throw EXmlPersistance("This is no category tree: a TXMLTreeNode below the root has no Data");
}

std::unique_ptr<TXMLTreeNode> ReadTreeFile(const std::string& fileName)
{
    std::unique_ptr<TXMLPersistentObject> object = TXmlPersistance::FileToObject(fileName, CheckTreeObject);
    std::unique_ptr<TXMLTreeNode> root(static_cast<TXMLTreeNode*>(object.release()));
    // The root's own record is never shown, so nobody else would free it.
    delete root->Data;
    root->Data = nullptr;
    return root;
}

void AppendTree(TCategoryTree& tree, const TXMLTreeNode& root, TDmoz& document, const ProcessMessages& processMessages)
{
    ProcessPendingMessages(processMessages);
    for (const auto& node : root.Nodes) {
        AddTreeBranch(tree, nullptr, *node, &document);
        ProcessPendingMessages(processMessages);
    }
}

std::unique_ptr<TTreeNode> BuildTreeBranch(TXMLTreeNode& node, TDmoz* document)
{
    TBaseCategory* record = node.Data;
    auto branch = std::make_unique<TTreeNode>(NodeTextOf(*record), std::unique_ptr<TBaseCategory>(record));
    if (document)
        document->AddRecord(record);
    for (const auto& child : node.Nodes)
        branch->AppendDetachedChild(BuildTreeBranch(*child, document));
    return branch;
}

void CollectPostOrder(TTreeNode& node, std::vector<TTreeNode*>& nodes, const ProcessMessages& processMessages)
{
    ProcessPendingMessages(processMessages);
    for (const auto& child : node.Children())
        CollectPostOrder(*child, nodes, processMessages);
    nodes.push_back(&node);
}

// Removes the first occurrence of each record from the array in one pass, keeping the
// order of the others: the same result as removing them one by one, without a search of
// the whole array for every record.
template <typename TRecord>
void RemoveFirstOccurrences(std::vector<TRecord*>& records, std::unordered_set<const TBaseCategory*>& pending)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!pending.empty() && pending.erase(records[i]) > 0)
            continue;
        records[kept++] = records[i];
    }
    records.resize(kept);
}

void RemoveRecordsOf(const std::vector<TTreeNode*>& nodes, TDmoz& document)
{
    std::unordered_set<const TBaseCategory*> categories;
    std::unordered_set<const TBaseCategory*> symbolicCategories;
    for (const TTreeNode* node : nodes) {
        if (!node->Data())
            continue;
        if (dynamic_cast<const TCategory*>(node->Data()))
            categories.insert(node->Data());
        else
            symbolicCategories.insert(node->Data());
    }
    RemoveFirstOccurrences(document.Categories, categories);
    RemoveFirstOccurrences(document.SymbolicCategories, symbolicCategories);
}

}  // namespace

std::string NodeTextOf(const TBaseCategory& record)
{
    std::string text = Utf16ToUtf8(record.Name);
    if (dynamic_cast<const TSymbolicCategory*>(&record))
        text += '@';
    return text;
}

void LoadTree(TCategoryTree& tree, const std::string& fileName, TDmoz& document,
              const ProcessMessages& processMessages)
{
    AppendTree(tree, *ReadTreeFile(fileName), document, processMessages);
}

void ReplaceTree(TCategoryTree& tree, const std::string& fileName, TDmoz& document,
                 const ProcessMessages& processMessages)
{
    const std::unique_ptr<TXMLTreeNode> root = ReadTreeFile(fileName);
    document.Categories.clear();
    document.SymbolicCategories.clear();
    tree.Clear();
    AppendTree(tree, *root, document, processMessages);
}

void RenameNode(TCategoryTree& tree, TTreeNode& node, std::u16string name)
{
    node.Data()->Name = std::move(name);
    tree.SetNodeText(node, NodeTextOf(*node.Data()));
}

TTreeNode& AddTreeBranch(TCategoryTree& tree, TTreeNode* parent, TXMLTreeNode& node, TDmoz* document)
{
    if (!BranchHasAllRecords(node))
        throw EXmlPersistance("A TXMLTreeNode without Data cannot be shown in the category tree");
    return tree.AddBranch(parent, BuildTreeBranch(node, document));
}

void SaveTree(const TCategoryTree& tree, const std::string& fileName, const ProcessMessages& processMessages)
{
    auto root = std::make_unique<TXMLTreeNode>();
    root->Nodes.reserve(tree.TopLevelNodes().size());
    ProcessPendingMessages(processMessages);
    for (const auto& node : tree.TopLevelNodes())
        root->AddNode(BuildXmlTreeNode(*node, processMessages));
    ProcessPendingMessages(processMessages);
    TXmlPersistance::ObjectToFile(*root, fileName, TBackup::KeepPrevious);
}

std::unique_ptr<TXMLTreeNode> BuildXmlTreeNode(const TTreeNode& node, const ProcessMessages& processMessages)
{
    auto persisted = std::make_unique<TXMLTreeNode>();
    persisted->Data = node.Data();
    persisted->Nodes.reserve(node.Children().size());
    ProcessPendingMessages(processMessages);
    for (const auto& child : node.Children())
        persisted->AddNode(BuildXmlTreeNode(*child, processMessages));
    return persisted;
}

void DeleteBranch(TCategoryTree& tree, TTreeNode& node, TDmoz& document, const ProcessMessages& processMessages)
{
    std::vector<TTreeNode*> branch;
    CollectPostOrder(node, branch, processMessages);
    RemoveRecordsOf(branch, document);
    tree.DeleteNode(node);
}
