#pragma once

class TBaseCategory;
class TCategoryTree;
class TTreeNode;

// Tree order is pre-order: each node before its children, children in order, then the next
// sibling. It is the order of the document's arrays and of the tree file.

// The node that follows the branch of `node`: the next sibling of the node or of its
// nearest ancestor that has one; null when the branch ends the tree.
TTreeNode* NextAfterBranch(const TTreeNode& node);
// The node that follows `node`: its first child, else NextAfterBranch.
TTreeNode* NextInTreeOrder(const TTreeNode& node);

// The first node in tree order that carries this record (the same object), or null.
TTreeNode* FindNodeCarrying(const TCategoryTree& tree, const TBaseCategory* record);
