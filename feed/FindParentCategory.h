#pragma once

#include <cstdint>

class TBaseCategory;
class TCategoryTree;

// The record of the parent node of the first node in tree order whose record is a category
// with this ID; nullptr when that node is top-level or no node carries the ID. The tree's
// index answers without walking the tree, so a feed run stays linear in the tree's size.
const TBaseCategory* FindParentCategory(const TCategoryTree& tree, std::int32_t id);
