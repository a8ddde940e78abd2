#include "model/tree/CategoryUrlIndex.h"

#include "model/Category.h"
#include "model/tree/TreeNode.h"
#include "model/tree/TreeOrder.h"

TCategoryUrlIndex::TCategoryUrlIndex(const std::vector<std::unique_ptr<TTreeNode>>& topLevelNodes)
{
    TTreeNode* node = topLevelNodes.empty() ? nullptr : topLevelNodes.front().get();
    for (; node; node = NextInTreeOrder(*node))
        if (const auto* category = dynamic_cast<const TCategory*>(node->Data()))
            Nodes.emplace(category->Url, node);
}

TTreeNode* TCategoryUrlIndex::First(std::u16string_view url) const
{
    const auto found = Nodes.find(url);
    return found == Nodes.end() ? nullptr : found->second;
}
