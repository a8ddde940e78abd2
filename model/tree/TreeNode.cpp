#include "model/tree/TreeNode.h"

#include "model/Category.h"

TTreeNode::TTreeNode(std::string text, std::unique_ptr<TBaseCategory> data)
    : NodeText(std::move(text)), Record(std::move(data))
{
}

TTreeNode::~TTreeNode() = default;

TTreeNode* TTreeNode::FirstChild() const
{
    return ChildNodes.empty() ? nullptr : ChildNodes.front().get();
}

TTreeNode* TTreeNode::NextSibling() const
{
    if (!Siblings)
        return nullptr;
    const auto next = static_cast<std::size_t>(RowInParent) + 1;
    return next < Siblings->size() ? (*Siblings)[next].get() : nullptr;
}

void TTreeNode::FreeData()
{
    Record.reset();
}

TTreeNode& TTreeNode::AppendDetachedChild(std::unique_ptr<TTreeNode> child)
{
    child->ParentNode = this;
    child->Siblings = &ChildNodes;
    child->RowInParent = static_cast<int>(ChildNodes.size());
    ChildNodes.push_back(std::move(child));
    return *ChildNodes.back();
}
