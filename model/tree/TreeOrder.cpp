#include "model/tree/TreeOrder.h"

#include "model/tree/CategoryTree.h"

TTreeNode* NextAfterBranch(const TTreeNode& node)
{
    for (const TTreeNode* n = &node; n; n = n->Parent())
        if (TTreeNode* next = n->NextSibling())
            return next;
    return nullptr;
}

TTreeNode* NextInTreeOrder(const TTreeNode& node)
{
    if (TTreeNode* child = node.FirstChild())
        return child;
    return NextAfterBranch(node);
}

TTreeNode* FindNodeCarrying(const TCategoryTree& tree, const TBaseCategory* record)
{
    for (TTreeNode* node = tree.FirstNode(); node; node = NextInTreeOrder(*node))
        if (node->Data() == record)
            return node;
    return nullptr;
}
