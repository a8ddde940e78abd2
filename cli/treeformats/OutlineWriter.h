#pragma once

#include "cli/treeformats/Notes.h"

#include <string>

class TCategoryTree;

// The outline of a category tree, in the form that ReadOutline reads: two blanks of
// indentation per level, symbolic categories as "@Name -> Top/Path" with the path that their
// target gets from its names, and a backslash before a name that starts with a mark of the
// form. ReadOutline of the text gives the same tree back, with IDs and Urls made anew; an
// entry that would not come back the same (a name that one outline line cannot hold, a link
// that does not resolve, two entries of one path) is noted.
std::string OutlineText(const TCategoryTree& tree, const TNoteSink& note);
