#include "model/tree/NewEntryRecords.h"

#include "model/Category.h"
#include "model/CategoryUrl.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/TreeEditErrors.h"
#include "model/tree/TreeNode.h"

#include <limits>

std::int32_t NextCategoryID(const TCategoryTree& tree)
{
    const std::int32_t largest = tree.LargestCategoryID().value_or(0);
    if (largest == std::numeric_limits<std::int32_t>::max())
        throw ETreeEdit("No ID is left for a new category: the tree already has a category with the largest ID, " +
                        std::to_string(largest) + ".");
    return largest + 1;
}

std::u16string NewCategoryUrl(const TTreeNode* parent, std::u16string_view name)
{
    return ChildUrl(parent && parent->Data() ? std::u16string_view(parent->Data()->Url) : TopUrl, name);
}

std::unique_ptr<TCategory> NewCategoryRecord(const TCategoryTree& tree, const TTreeNode* parent, std::u16string name)
{
    auto category = std::make_unique<TCategory>();
    category->ID = NextCategoryID(tree);
    category->Url = NewCategoryUrl(parent, name);
    category->Name = std::move(name);
    return category;
}

std::unique_ptr<TSymbolicCategory> NewSymbolicRecord(const TCategory& target, const TCategory& parent)
{
    auto symbolic = std::make_unique<TSymbolicCategory>();
    symbolic->Name = target.Name;
    symbolic->Url = target.Url;
    symbolic->Parent = parent.ID;
    return symbolic;
}
