#pragma once

#include <string>
#include <string_view>
#include <vector>

class TCategoryTree;
class TTreeNode;

// Entries are named by path as the feed names them in its lines and its preview: the names
// from the top level down, each escaped as one step and joined by "/" ("Arts/Music").

// A name as one step of a path: "\", "/", tab, CR and LF are escaped with a backslash, so a
// path holds no line break or tab and splits at "/" back into its names.
std::string EscapePathName(std::string_view name);

std::string PathOfNode(const TTreeNode& node);

// The names a path is made of, each step unescaped.
std::vector<std::string> StepsOfPath(std::string_view path);

// The category at that path: each step a regular category of that name below the one
// before; where names repeat, the first in tree order. Null when there is none.
TTreeNode* FindCategoryNodeByPath(const TCategoryTree& tree, std::string_view path);
