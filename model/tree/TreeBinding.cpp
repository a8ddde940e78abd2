#include "model/tree/TreeBinding.h"

#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/XMLTreeNode.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// A branch's records in pre-order, as AddTreeBranch wants their owners.
void CollectRecords(const TXMLTreeNode& node, std::vector<const TBaseCategory*>& records)
{
    records.push_back(node.Data);
    for (const auto& child : node.Nodes)
        CollectRecords(*child, records);
}

void CheckOwners(const TXMLTreeNode& branch, std::span<std::unique_ptr<TBaseCategory>> owners)
{
    std::vector<const TBaseCategory*> records;
    CollectRecords(branch, records);
    if (std::find(records.begin(), records.end(), nullptr) != records.end())
        throw EXmlPersistance("A TXMLTreeNode without Data cannot be shown in the category tree");
    if (!std::equal(records.begin(), records.end(), owners.begin(), owners.end(),
                    [](const TBaseCategory* record, const auto& owner) { return record == owner.get(); }))
        throw EXmlPersistance("The records of a TXMLTreeNode branch must come with their owners, in tree order");
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

// The owners of the records of the nodes below the root, in pre-order, taken from what the
// read handed over. The reader hands them over in the order it read them, which is this
// order unless a file gives some node's Nodes before its Data; only then is each one's
// place looked up. The root's own record is never shown, and stays with the read.
std::vector<std::unique_ptr<TBaseCategory>>
TakeRecordsInTreeOrder(const TXMLTreeNode& root, std::vector<std::unique_ptr<TXMLPersistentObject>>& handedOver)
{
    std::vector<const TBaseCategory*> order;
    for (const auto& node : root.Nodes)
        CollectRecords(*node, order);
    const bool asRead =
        std::equal(order.begin(), order.end(), handedOver.end() - std::ssize(order), handedOver.end(),
                   [](const TBaseCategory* record, const auto& owner) { return record == owner.get(); });
    std::unordered_map<const TXMLPersistentObject*, std::size_t> places;
    if (!asRead)
        for (std::size_t i = 0; i < order.size(); ++i)
            places.emplace(order[i], i);
    std::vector<std::unique_ptr<TBaseCategory>> records(order.size());
    std::size_t next = 0;
    for (auto& owner : handedOver) {
        if (owner.get() == root.Data)
            continue;
        const std::size_t place = asRead ? next++ : places.at(owner.get());
        records[place].reset(static_cast<TBaseCategory*>(owner.release()));
    }
    return records;
}

// A tree file as read: its root, a TXMLTreeNode (checked while it was read), and the
// owners of the records of the nodes below it, in pre-order.
struct TTreeFile {
    TXmlPersistance::TReadResult Read;
    std::vector<std::unique_ptr<TBaseCategory>> Records;

    const TXMLTreeNode& Root() const { return static_cast<const TXMLTreeNode&>(*Read.Object); }
};

TTreeFile ReadTreeFile(const std::string& fileName)
{
    TTreeFile file{TXmlPersistance::FileToObject(fileName, CheckTreeObject), {}};
    file.Records = TakeRecordsInTreeOrder(file.Root(), file.Read.Borrowed);
    return file;
}

void AppendTree(TCategoryTree& tree, TTreeFile& file, const TProcessMessages& processMessages)
{
    ProcessPendingMessages(processMessages);
    std::span<std::unique_ptr<TBaseCategory>> records(file.Records);
    for (const auto& node : file.Root().Nodes) {
        const std::size_t count = NodesIn(*node);
        AddTreeBranch(tree, nullptr, *node, records.first(count));
        records = records.subspan(count);
        ProcessPendingMessages(processMessages);
    }
}

std::unique_ptr<TTreeNode> BuildTreeBranch(const TXMLTreeNode& node, std::span<std::unique_ptr<TBaseCategory>> owners,
                                           std::size_t& next)
{
    TBaseCategory& record = *owners[next];
    auto branch = std::make_unique<TTreeNode>(NodeTextOf(record), std::move(owners[next++]));
    for (const auto& child : node.Nodes)
        branch->AppendDetachedChild(BuildTreeBranch(*child, owners, next));
    return branch;
}

}  // namespace

std::string NodeTextOf(const TBaseCategory& record)
{
    std::string text = Utf16ToUtf8(record.Name);
    if (dynamic_cast<const TSymbolicCategory*>(&record))
        text += '@';
    return text;
}

void LoadTree(TCategoryTree& tree, const std::string& fileName, const TProcessMessages& processMessages)
{
    TTreeFile file = ReadTreeFile(fileName);
    AppendTree(tree, file, processMessages);
}

void ReplaceTree(TCategoryTree& tree, const std::string& fileName, const TProcessMessages& processMessages)
{
    TTreeFile file = ReadTreeFile(fileName);
    tree.Clear();
    AppendTree(tree, file, processMessages);
}

void RenameNode(TCategoryTree& tree, TTreeNode& node, std::u16string name)
{
    node.Data()->Name = std::move(name);
    tree.SetNodeText(node, NodeTextOf(*node.Data()));
}

TTreeNode& AddTreeBranch(TCategoryTree& tree, TTreeNode* parent, const TXMLTreeNode& node,
                         std::span<std::unique_ptr<TBaseCategory>> records)
{
    CheckOwners(node, records);
    std::size_t next = 0;
    return tree.AddBranch(parent, BuildTreeBranch(node, records, next));
}

std::size_t NodesIn(const TXMLTreeNode& branch)
{
    std::size_t count = 1;
    for (const auto& child : branch.Nodes)
        count += NodesIn(*child);
    return count;
}

void SaveTree(const TCategoryTree& tree, const std::string& fileName, const TProcessMessages& processMessages)
{
    auto root = std::make_unique<TXMLTreeNode>();
    root->Nodes.reserve(tree.TopLevelNodes().size());
    ProcessPendingMessages(processMessages);
    for (const auto& node : tree.TopLevelNodes())
        root->AddNode(BuildXmlTreeNode(*node, processMessages));
    ProcessPendingMessages(processMessages);
    TXmlPersistance::ObjectToFile(*root, fileName, TBackup::KeepPrevious);
}

std::unique_ptr<TXMLTreeNode> BuildXmlTreeNode(const TTreeNode& node, const TProcessMessages& processMessages)
{
    auto persisted = std::make_unique<TXMLTreeNode>();
    persisted->Data = node.Data();
    persisted->Nodes.reserve(node.Children().size());
    ProcessPendingMessages(processMessages);
    for (const auto& child : node.Children())
        persisted->AddNode(BuildXmlTreeNode(*child, processMessages));
    return persisted;
}

void DeleteBranch(TCategoryTree& tree, TTreeNode& node)
{
    tree.DeleteNode(node);
}
