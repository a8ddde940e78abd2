#pragma once

#include "cli/treeformats/ImportedTree.h"
#include "common/core/StopRequest.h"

#include <string>

// Reads an outline: one category per line, its depth given by its indentation (tabs, or
// spaces in the unit of the first indented line) or by a run of leading "-"; blank lines and
// lines starting with "#" do not count; "@Name -> Top/Path" is a symbolic category under the
// category it is indented below. IDs and Urls are made as TNamedTreeBuilder makes them.
// Anything that leaves the tree in doubt raises ETreeInputError with the file, the line and
// the reason.
TImportedTree ReadOutline(const std::string& fileName, const TStopRequest* stop = nullptr);
