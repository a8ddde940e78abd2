#pragma once

#include "model/tree/CategoryNodeIndex.h"
#include "model/tree/TreeNode.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TCategory;
class TCategoryUrlIndex;

// Told about every change of a TCategoryTree's shape, before and after it, so that a view
// can follow (the window's item model does).
class TCategoryTreeObserver {
public:
    virtual ~TCategoryTreeObserver() = default;
    // A branch is about to become child number `row` of `parent` (top-level when null).
    virtual void BranchAboutToBeAdded(TTreeNode* parent, int row) = 0;
    virtual void BranchAdded() = 0;
    // `node` and its descendants are about to leave the tree.
    virtual void BranchAboutToBeRemoved(TTreeNode& node) = 0;
    virtual void BranchRemoved() = 0;
    // `node` shows another text now.
    virtual void NodeTextChanged(TTreeNode& node) = 0;
};

// Runs for every node that the tree deletes, while the node is still in place.
using TNodeDeletion = std::function<void(TTreeNode&)>;

// The working copy of the categories as the window shows it: top-level nodes in order, each
// with its children. Nodes own their records, and the tree is the one store of them: it
// answers for IDs, Urls and parents from its indexes, and the category document (TDmoz) is
// only a view built from it where its arrays are read. The index by ID follows every change;
// the one by Url is built on the first lookup after a change. So a record in the tree keeps
// its ID, and its Url changes only through SetCategoryUrl, never behind the tree's back.
class TCategoryTree {
public:
    TCategoryTree();
    ~TCategoryTree();
    TCategoryTree(const TCategoryTree&) = delete;
    TCategoryTree& operator=(const TCategoryTree&) = delete;

    const std::vector<std::unique_ptr<TTreeNode>>& TopLevelNodes() const { return TopLevel; }
    TTreeNode* FirstNode() const;
    // Number of nodes at all levels.
    std::size_t Count() const { return NodeCount; }
    // Number of nodes whose record is a TCategory, and of those whose record is a
    // TSymbolicCategory.
    std::size_t CategoryCount() const { return CategoryNodes; }
    std::size_t SymbolicCount() const { return SymbolicNodes; }

    // Adds a branch built with TTreeNode::AppendDetachedChild (or taken out with
    // DetachBranch) as the last child of `parent`, or as the last top-level node when
    // `parent` is null.
    TTreeNode& AddBranch(TTreeNode* parent, std::unique_ptr<TTreeNode> branch);
    TTreeNode& AddNode(TTreeNode* parent, std::string text, std::unique_ptr<TBaseCategory> data);
    // The same, as child number `row` (at most the number of children) of `parent`.
    TTreeNode& InsertBranch(TTreeNode* parent, std::size_t row, std::unique_ptr<TTreeNode> branch);

    // Takes the node with its descendants out of the tree, records and all, without the
    // deletion callback: the caller owns the branch from now on, and may add it again.
    std::unique_ptr<TTreeNode> DetachBranch(TTreeNode& node);

    // Deletes the node with its descendants. The deletion callback runs for every one of
    // them first, deepest first and every node after its children, while they are all still
    // in place; then the branch leaves the tree in one step.
    void DeleteNode(TTreeNode& node);
    // Deletes every node, the same way.
    void Clear();

    void SetNodeText(TTreeNode& node, std::string text);
    // Gives the category that the node carries another Url.
    void SetCategoryUrl(TTreeNode& node, std::u16string url);

    // True while the node is part of this tree, false once its branch has been taken out.
    bool Contains(const TTreeNode& node) const;
    // Grows with every change of the tree's shape, of a node's text or of a category's Url, so
    // that what was worked out from the tree can tell whether it still holds.
    std::uint64_t Generation() const { return Changes; }

    // The first node in tree order whose record is a TCategory with this ID, or null.
    TTreeNode* FindFirstCategoryNode(std::int32_t id) const;
    // That node's record.
    TCategory* FindCategoryByID(std::int32_t id) const;
    // The first node in tree order whose record is a TCategory with this Url, compared without
    // regard to letter case, or null; and that node's record.
    TTreeNode* FindCategoryNodeByUrl(std::u16string_view url) const;
    TCategory* FindCategoryByUrl(std::u16string_view url) const;
    // The largest ID of the tree's categories; none when it has no category.
    std::optional<std::int32_t> LargestCategoryID() const;
    // The record of the parent of the first node of the ID: null when that node is top-level
    // or no node carries the ID. Answered from the index, so a feed run stays linear in the
    // tree's size.
    const TBaseCategory* FindParentCategory(std::int32_t id) const;

    void SetOnDeletion(TNodeDeletion onDeletion) { OnDeletion = std::move(onDeletion); }
    // Borrowed; null stops the notifications.
    void SetObserver(TCategoryTreeObserver* observer) { Observer = observer; }

private:
    bool IsLastInTreeOrder(const TTreeNode* node) const;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingListOf(TTreeNode* parent);
    void IndexBranch(TTreeNode& branch, bool atEnd);
    void UnindexNode(TTreeNode& node);
    void UnindexBranch(TTreeNode& branch);
    void RunDeletion(TTreeNode& branch);
    std::unique_ptr<TTreeNode> TakeOut(TTreeNode& node);

    std::vector<std::unique_ptr<TTreeNode>> TopLevel;
    std::size_t NodeCount = 0;
    std::size_t CategoryNodes = 0;
    std::size_t SymbolicNodes = 0;
    std::uint64_t Changes = 0;
    TCategoryNodeIndex CategoryIndex;
    // Built for the generation it was built in, on the first lookup by Url after a change.
    mutable std::unique_ptr<TCategoryUrlIndex> UrlIndex;
    mutable std::uint64_t UrlIndexGeneration = 0;
    TNodeDeletion OnDeletion;
    TCategoryTreeObserver* Observer = nullptr;
};
