#include "model/tree/DocumentOfTree.h"

#include "model/tree/CategoryTree.h"
#include "model/tree/TreeOrder.h"

TDmoz DocumentOfTree(const TCategoryTree& tree)
{
    TDmoz document;
    document.Categories.reserve(tree.CategoryCount());
    document.SymbolicCategories.reserve(tree.SymbolicCount());
    for (const TTreeNode* node = tree.FirstNode(); node; node = NextInTreeOrder(*node))
        if (node->Data())
            document.AddRecord(node->Data());
    return document;
}
