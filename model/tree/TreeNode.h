#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBaseCategory;

// One node of the category tree: the text shown for it, the category record it carries and
// owns, and its children in order. The text is a copy taken when the node was made; a
// change of the record's name reaches it only through TCategoryTree::SetNodeText (as
// RenameNode does).
class TTreeNode {
public:
    TTreeNode(std::string text, std::unique_ptr<TBaseCategory> data);
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return NodeText; }
    TBaseCategory* Data() const { return Record.get(); }
    TTreeNode* Parent() const { return ParentNode; }
    const std::vector<std::unique_ptr<TTreeNode>>& Children() const { return ChildNodes; }

    // Position among the siblings (or among the top-level nodes).
    int Row() const { return RowInParent; }

    TTreeNode* FirstChild() const;
    TTreeNode* NextSibling() const;

    // Frees the record; the node then carries none. This is what the tree's deletion
    // callback does for a node that is about to go.
    void FreeData();

    // Appends a child to a node that is not yet part of a tree (a branch being built).
    // Nodes inside a tree grow through TCategoryTree::AddBranch only, so that the tree can
    // tell its observer and keep its index right.
    TTreeNode& AppendDetachedChild(std::unique_ptr<TTreeNode> child);

private:
    friend class TCategoryTree;
    friend class TCategoryNodeIndex;

    std::string NodeText;
    std::unique_ptr<TBaseCategory> Record;
    TTreeNode* ParentNode = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> ChildNodes;
    // The list this node sits in: its parent's children or the tree's top-level nodes.
    const std::vector<std::unique_ptr<TTreeNode>>* Siblings = nullptr;
    int RowInParent = 0;

    // Links of the per-ID list of category nodes kept by TCategoryNodeIndex.
    bool Indexed = false;
    std::int32_t IndexedID = 0;
    TTreeNode* IndexPrevious = nullptr;
    TTreeNode* IndexNext = nullptr;
};
