#include "feed/CategoryPaths.h"

#include "common/core/Text.h"
#include "feed/CategoryListing.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/TreeOrder.h"

#include <algorithm>

TCategoryPaths::TCategoryPaths(const TCategoryTree& tree)
{
    // In tree pre-order a parent's path is known before its children's. The parent is that of
    // the first category of the ID, as the feed posts it.
    const auto below = [](const std::string& parentPath, std::string_view name) {
        return (parentPath.empty() ? "" : parentPath + "/") + EscapePathName(name);
    };
    for (const TTreeNode* node = tree.FirstNode(); node; node = NextInTreeOrder(*node)) {
        const auto* category = dynamic_cast<const TCategory*>(node->Data());
        if (!category)
            continue;
        const std::string name = Utf16ToUtf8(category->Name);
        const TBaseCategory* parent = tree.FindParentCategory(category->ID);
        TPaths paths{below(PathOf(parent), name), below(SitePathOf(parent), StoredTitle(name))};
        PathsByName[std::string(StoredTitle(name))].push_back(paths.Path);
        Paths.emplace(category, std::move(paths));
    }
    for (auto& [name, paths] : PathsByName) {
        std::sort(paths.begin(), paths.end());
        paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    }
}

std::string TCategoryPaths::PathOf(const TBaseCategory* record) const
{
    if (!record)
        return {};
    const auto known = Paths.find(record);
    return known != Paths.end() ? known->second.Path : EscapePathName(Utf16ToUtf8(record->Name));
}

std::string TCategoryPaths::SitePathOf(const TBaseCategory* record) const
{
    if (!record)
        return {};
    const auto known = Paths.find(record);
    return known != Paths.end() ? known->second.SitePath : EscapePathName(StoredTitle(Utf16ToUtf8(record->Name)));
}

bool TCategoryPaths::IsShared(const std::string& name) const
{
    return PathsNamed(name).size() > 1;
}

const std::vector<std::string>& TCategoryPaths::PathsNamed(const std::string& name) const
{
    static const std::vector<std::string> none;
    const auto found = PathsByName.find(std::string(StoredTitle(name)));
    return found != PathsByName.end() ? found->second : none;
}
