#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TCategory;
class TCategoryTree;
class TSymbolicCategory;
class TTreeNode;

// One more than the largest category ID of the tree, 1 for a tree without categories. Raises
// ETreeEdit when the largest ID leaves no larger one.
std::int32_t NextCategoryID(const TCategoryTree& tree);

// The record of a new regular category named `name` that is to go under `parent` (top-level
// when null): a new ID (NextCategoryID), and the Url made of the parent's Url and the name
// as the tree tool makes one, "Top/" and the name at the top level.
std::unique_ptr<TCategory> NewCategoryRecord(const TCategoryTree& tree, const TTreeNode* parent, std::u16string name);

// The Url a category named `name` gets under `parent`, as NewCategoryRecord gives it.
std::u16string NewCategoryUrl(const TTreeNode* parent, std::u16string_view name);

// The record of a new symbolic category that shows `target` under the category `parent`,
// named as its target.
std::unique_ptr<TSymbolicCategory> NewSymbolicRecord(const TCategory& target, const TCategory& parent);
