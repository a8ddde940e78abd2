#pragma once

#include "model/Dmoz.h"

class TCategoryTree;

// The category document of the tree: every record in tree pre-order, the categories in
// Categories and the symbolic categories in SymbolicCategories, so that a parent comes before
// its children. The document refers to the records the tree owns, and holds while the tree
// is unchanged.
TDmoz DocumentOfTree(const TCategoryTree& tree);
