#pragma once

#include "model/Category.h"
#include "model/XMLTreeNode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A large category tree shaped like a web directory: about 15 top-level categories,
// 5 to 30 children per category, at most 8 levels, about one symbolic leaf in ten, and
// names with blanks, "&", "<" and letters beyond ASCII. The same entries and seed always
// give the same tree.
struct TGeneratedTree {
    // The root has no record, like the root of tree.xml.
    std::unique_ptr<TXMLTreeNode> Root;
    // Every record of the tree; the nodes only borrow them.
    std::vector<std::unique_ptr<TBaseCategory>> Records;
};

TGeneratedTree GenerateTree(std::size_t entries, std::uint32_t seed = 1);

// Writes a generated tree as tree.xml is written, without the engine's trace.
void WriteGeneratedTree(std::size_t entries, const std::string& fileName, std::uint32_t seed = 1);
