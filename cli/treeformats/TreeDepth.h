#pragma once

#include <cstddef>
#include <string>

// The deepest level of an entry that a tree file can hold and still be read back, top-level
// entries being at level 1: the engine's reader takes objects nested at most 1000 deep, and
// below the tree's root node every level nests a node and the node's record.
inline constexpr std::size_t DeepestTreeLevel = 998;

// Raises ETreeInputError naming the file and the line when level is deeper than that: a
// tree written with such an entry could be read by nothing.
void RefuseTooDeep(const std::string& fileName, std::size_t line, std::size_t level);
