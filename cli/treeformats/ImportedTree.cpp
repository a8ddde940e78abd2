#include "cli/treeformats/ImportedTree.h"

std::unique_ptr<TXMLTreeNode> TImportedTree::NewNode(std::unique_ptr<TBaseCategory> record)
{
    auto node = std::make_unique<TXMLTreeNode>();
    node->Data = record.get();
    if (dynamic_cast<const TCategory*>(record.get()))
        ++CategoryCount;
    else
        ++SymbolicCount;
    Records.push_back(std::move(record));
    return node;
}

TXMLTreeNode& TImportedTree::Append(TXMLTreeNode& parent, std::unique_ptr<TBaseCategory> record)
{
    parent.AddNode(NewNode(std::move(record)));
    return *parent.Nodes.back();
}
