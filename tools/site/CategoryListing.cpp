#include "tools/site/CategoryListing.h"

#include <map>
#include <utility>

std::vector<TListedCategory> InTreeOrder(const std::vector<TSiteCategory>& categories)
{
    std::map<TCategoryId, std::vector<const TSiteCategory*>> childrenOf;
    for (const TSiteCategory& category : categories)
        childrenOf[category.ParentId].push_back(&category);

    // An explicit stack: a fed tree can be deeper than the call stack would like.
    std::vector<TListedCategory> listing;
    listing.reserve(categories.size());
    std::vector<std::pair<const std::vector<const TSiteCategory*>*, std::size_t>> stack;
    if (auto top = childrenOf.find(TopCategoryId); top != childrenOf.end())
        stack.emplace_back(&top->second, 0);
    while (!stack.empty()) {
        auto& [siblings, next] = stack.back();
        if (next == siblings->size()) {
            stack.pop_back();
            continue;
        }
        const TSiteCategory* category = (*siblings)[next++];
        listing.push_back({category, static_cast<int>(stack.size())});
        if (auto children = childrenOf.find(category->Id); children != childrenOf.end())
            stack.emplace_back(&children->second, 0);
    }
    return listing;
}
