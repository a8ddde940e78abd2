#pragma once

#include "common/core/ProcessMessages.h"
#include "model/tree/CategoryTree.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>

class TXMLTreeNode;

// Reads a category tree file and appends its top-level entries, each with its whole branch,
// after the tree's existing top-level nodes. The file is read and checked in full before
// anything is added: a read error, a root object that is not a TXMLTreeNode, or a node below
// the root without a record raises an error naming the file and the line, and leaves the tree
// as it was.
void LoadTree(TCategoryTree& tree, const std::string& fileName, const TProcessMessages& processMessages = {});

// As LoadTree, but the file's entries take the place of the tree's nodes (the tree's deletion
// callback runs for every node). A failed read changes nothing.
void ReplaceTree(TCategoryTree& tree, const std::string& fileName, const TProcessMessages& processMessages = {});

// Writes every node of the tree, in tree order, with the records the nodes carry (not their
// texts), replacing the file the crash-safe way; the file's previous version stays beside
// it as <file>.bak.
void SaveTree(const TCategoryTree& tree, const std::string& fileName, const TProcessMessages& processMessages = {});

// Gives the node's record the name, and the node the text that shows it. The node must
// carry a record.
void RenameNode(TCategoryTree& tree, TTreeNode& node, std::u16string name);

// Deletes the node and its descendants from the tree. The tree's deletion callback runs for
// every node, deepest first.
void DeleteBranch(TCategoryTree& tree, TTreeNode& node);

// Adds one persisted node and its descendants as the last child of `parent` (top-level when
// null). The persisted nodes only refer to their records: `records` holds their owners, one
// per node of the branch in pre-order (see NodesIn), and the new tree nodes take them over.
// A node without a record, or owners that are not those of the branch's records, raise
// EXmlPersistance before anything is added.
TTreeNode& AddTreeBranch(TCategoryTree& tree, TTreeNode* parent, const TXMLTreeNode& node,
                         std::span<std::unique_ptr<TBaseCategory>> records);

// The number of nodes of a persisted branch, its own included.
std::size_t NodesIn(const TXMLTreeNode& branch);

// The persisted form of a node and its descendants; it borrows the nodes' records.
std::unique_ptr<TXMLTreeNode> BuildXmlTreeNode(const TTreeNode& node, const TProcessMessages& processMessages = {});

// The text a node shows for a record: its name, with "@" after a symbolic category's.
std::string NodeTextOf(const TBaseCategory& record);
