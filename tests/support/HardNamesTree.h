#pragma once

#include "model/Category.h"
#include "model/XMLTreeNode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A category tree with names as people write them, for feeds that must land completely on a
// site that checks what a directory site checks: "&", "<", ">", quotes and an apostrophe,
// blanks around a name, letters beyond ASCII, one name under many parents, and names that
// begin another name of the same parent. Siblings differ also as the site stores them
// (trimmed) and as URL titles; every symbolic category stands for a category under another
// parent than its own, and no two share parent and target. The same entries and seed give the
// same tree.
struct THardNamesTree {
    // The root has no record, like the root of tree.xml.
    std::unique_ptr<TXMLTreeNode> Root;
    // Every record of the tree; the nodes only borrow them.
    std::vector<std::unique_ptr<TBaseCategory>> Records;
};

THardNamesTree GenerateHardNamesTree(std::size_t entries, std::uint32_t seed = 1);

// Writes such a tree as tree.xml is written.
void WriteHardNamesTree(std::size_t entries, const std::string& fileName, std::uint32_t seed = 1);
