#pragma once

#include "model/Category.h"
#include "model/XMLTreeNode.h"

#include <cstddef>
#include <memory>
#include <vector>

// A category tree made from an input file, in the persisted form that tree.xml holds: a root
// without a record and a node for every entry, in tree order. The nodes borrow their records
// from Records, as they borrow them from the tree view when the window saves.
struct TImportedTree {
    std::unique_ptr<TXMLTreeNode> Root = std::make_unique<TXMLTreeNode>();
    std::vector<std::unique_ptr<TBaseCategory>> Records;
    std::size_t CategoryCount = 0;
    std::size_t SymbolicCount = 0;

    // A node that carries the record, not yet in the tree; the tree keeps the record.
    std::unique_ptr<TXMLTreeNode> NewNode(std::unique_ptr<TBaseCategory> record);
    // Appends a node that carries the record as the last child of parent.
    TXMLTreeNode& Append(TXMLTreeNode& parent, std::unique_ptr<TBaseCategory> record);
};
