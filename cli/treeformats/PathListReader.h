#pragma once

#include "cli/treeformats/ImportedTree.h"
#include "common/core/StopRequest.h"

#include <string>

// Reads a list of paths, one a line ("Arts/Music/Jazz" with the separator "/"): every path
// names a category and, through its leading part, the categories above it, which are made
// once, when first named. Categories keep the order in which they are first named; blanks
// around a name and blank lines do not count. IDs and Urls are made as TNamedTreeBuilder makes
// them. An empty name, or two names that give the same path, raise ETreeInputError.
TImportedTree ReadPathList(const std::string& fileName, const std::string& separator,
                           const TStopRequest* stop = nullptr);
