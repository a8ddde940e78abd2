#pragma once

#include "common/XmlPersistance/XmlReadLimits.h"

#include <cstddef>
#include <string>
#include <string_view>

// What a tree file can hold and still be read back by the engine's reader. An importer
// refuses input beyond that rather than write a file that nothing could load.

// Top-level entries are at level 1; below the tree's root node, every level nests a node
// and the node's record.
inline constexpr std::size_t DeepestTreeLevel = MaxNestingDepth - 2;
// Bytes of a name or a Url, as UTF-8.
inline constexpr std::size_t LongestTreeValue = MaxValueLength;

// Raise ETreeInputError naming the file and the line when the entry is deeper, or the name
// or Url longer, than a tree file can hold.
void RefuseTooDeep(const std::string& fileName, std::size_t line, std::size_t level);
void RefuseTooLong(const std::string& fileName, std::size_t line, std::u16string_view value);
