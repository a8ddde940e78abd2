#include "feed/FindParentCategory.h"

#include "model/tree/CategoryTree.h"

const TBaseCategory* FindParentCategory(const TCategoryTree& tree, std::int32_t id)
{
    const TTreeNode* node = tree.FindFirstCategoryNode(id);
    return node && node->Parent() ? node->Parent()->Data() : nullptr;
}
