#pragma once

#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <memory>
#include <string>
#include <vector>

std::unique_ptr<TCategory> MakeCategory(const std::u16string& name, std::int32_t id, const std::u16string& url = u"");
std::unique_ptr<TSymbolicCategory> MakeSymbolic(const std::u16string& name, std::int32_t parent,
                                                const std::u16string& url);

// The node texts of the tree in pre-order, each indented by two blanks per level.
std::vector<std::string> Outline(const TCategoryTree& tree);

std::string ExampleTreeFile();
