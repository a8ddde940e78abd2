#include "model/tree/CategoryTree.h"

#include "model/Category.h"
#include "model/tree/CategoryUrlIndex.h"

TCategoryTree::TCategoryTree() = default;

TCategoryTree::~TCategoryTree() = default;

TTreeNode* TCategoryTree::FirstNode() const
{
    return TopLevel.empty() ? nullptr : TopLevel.front().get();
}

std::vector<std::unique_ptr<TTreeNode>>& TCategoryTree::SiblingListOf(TTreeNode* parent)
{
    return parent ? parent->ChildNodes : TopLevel;
}

// A new last child of `node` comes after every node in the tree when `node` itself is the
// last node on the way down the last branches (or when the branch goes to the top level).
bool TCategoryTree::IsLastInTreeOrder(const TTreeNode* node) const
{
    for (; node; node = node->Parent()) {
        if (node->NextSibling())
            return false;
        if (!node->Parent() && node != TopLevel.back().get())
            return false;
    }
    return true;
}

TTreeNode& TCategoryTree::AddBranch(TTreeNode* parent, std::unique_ptr<TTreeNode> branch)
{
    return InsertBranch(parent, SiblingListOf(parent).size(), std::move(branch));
}

TTreeNode& TCategoryTree::InsertBranch(TTreeNode* parent, std::size_t row, std::unique_ptr<TTreeNode> branch)
{
    auto& siblings = SiblingListOf(parent);
    const bool atEnd = row == siblings.size() && IsLastInTreeOrder(parent);
    if (Observer)
        Observer->BranchAboutToBeAdded(parent, static_cast<int>(row));
    branch->ParentNode = parent;
    branch->Siblings = &siblings;
    TTreeNode& added = **siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), std::move(branch));
    for (std::size_t i = row; i < siblings.size(); ++i)
        siblings[i]->RowInParent = static_cast<int>(i);
    IndexBranch(added, atEnd);
    ++Changes;
    if (Observer)
        Observer->BranchAdded();
    return added;
}

TTreeNode& TCategoryTree::AddNode(TTreeNode* parent, std::string text, std::unique_ptr<TBaseCategory> data)
{
    return AddBranch(parent, std::make_unique<TTreeNode>(std::move(text), std::move(data)));
}

void TCategoryTree::IndexBranch(TTreeNode& branch, bool atEnd)
{
    ++NodeCount;
    if (const auto* category = dynamic_cast<const TCategory*>(branch.Data())) {
        CategoryIndex.Add(branch, category->ID, atEnd);
        ++CategoryNodes;
    } else if (dynamic_cast<const TSymbolicCategory*>(branch.Data())) {
        ++SymbolicNodes;
    }
    for (const auto& child : branch.ChildNodes)
        IndexBranch(*child, atEnd);
}

void TCategoryTree::UnindexNode(TTreeNode& node)
{
    if (node.Indexed) {
        CategoryIndex.Remove(node);
        --CategoryNodes;
    } else if (dynamic_cast<const TSymbolicCategory*>(node.Data())) {
        --SymbolicNodes;
    }
    --NodeCount;
}

void TCategoryTree::UnindexBranch(TTreeNode& branch)
{
    for (const auto& child : branch.ChildNodes)
        UnindexBranch(*child);
    UnindexNode(branch);
}

void TCategoryTree::RunDeletion(TTreeNode& branch)
{
    for (const auto& child : branch.ChildNodes)
        RunDeletion(*child);
    UnindexNode(branch);
    if (OnDeletion)
        OnDeletion(branch);
}

std::unique_ptr<TTreeNode> TCategoryTree::TakeOut(TTreeNode& node)
{
    if (Observer)
        Observer->BranchAboutToBeRemoved(node);
    auto& siblings = SiblingListOf(node.Parent());
    const auto row = static_cast<std::size_t>(node.Row());
    std::unique_ptr<TTreeNode> removed = std::move(siblings[row]);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    for (std::size_t i = row; i < siblings.size(); ++i)
        siblings[i]->RowInParent = static_cast<int>(i);
    removed->ParentNode = nullptr;
    removed->Siblings = nullptr;
    removed->RowInParent = 0;
    ++Changes;
    if (Observer)
        Observer->BranchRemoved();
    return removed;
}

void TCategoryTree::DeleteNode(TTreeNode& node)
{
    RunDeletion(node);
    TakeOut(node);
}

std::unique_ptr<TTreeNode> TCategoryTree::DetachBranch(TTreeNode& node)
{
    UnindexBranch(node);
    return TakeOut(node);
}

// From the last top-level node on, so that no row has to be renumbered.
void TCategoryTree::Clear()
{
    while (!TopLevel.empty())
        DeleteNode(*TopLevel.back());
}

void TCategoryTree::SetNodeText(TTreeNode& node, std::string text)
{
    node.NodeText = std::move(text);
    ++Changes;
    if (Observer)
        Observer->NodeTextChanged(node);
}

void TCategoryTree::SetCategoryUrl(TTreeNode& node, std::u16string url)
{
    node.Data()->Url = std::move(url);
    ++Changes;
}

bool TCategoryTree::Contains(const TTreeNode& node) const
{
    const TTreeNode* top = &node;
    while (top->Parent())
        top = top->Parent();
    return top->Siblings == &TopLevel;
}

TTreeNode* TCategoryTree::FindFirstCategoryNode(std::int32_t id) const
{
    return CategoryIndex.First(id);
}

const TBaseCategory* TCategoryTree::FindParentCategory(std::int32_t id) const
{
    const TTreeNode* node = FindFirstCategoryNode(id);
    return node && node->Parent() ? node->Parent()->Data() : nullptr;
}

TCategory* TCategoryTree::FindCategoryByID(std::int32_t id) const
{
    const TTreeNode* node = FindFirstCategoryNode(id);
    return node ? static_cast<TCategory*>(node->Data()) : nullptr;
}

TTreeNode* TCategoryTree::FindCategoryNodeByUrl(std::u16string_view url) const
{
    if (!UrlIndex || UrlIndexGeneration != Changes) {
        UrlIndex = std::make_unique<TCategoryUrlIndex>(TopLevel);
        UrlIndexGeneration = Changes;
    }
    return UrlIndex->First(url);
}

TCategory* TCategoryTree::FindCategoryByUrl(std::u16string_view url) const
{
    const TTreeNode* node = FindCategoryNodeByUrl(url);
    return node ? static_cast<TCategory*>(node->Data()) : nullptr;
}

std::optional<std::int32_t> TCategoryTree::LargestCategoryID() const
{
    return CategoryIndex.LargestID();
}
