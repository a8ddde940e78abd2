#include "model/tree/MoveCommand.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/TreeEditErrors.h"

#include <algorithm>

namespace {

std::size_t ChildCount(const TCategoryTree& tree, const TTreeNode* parent)
{
    return parent ? parent->Children().size() : tree.TopLevelNodes().size();
}

}  // namespace

bool IsInBranch(const TTreeNode* node, const TTreeNode& branch)
{
    for (; node; node = node->Parent())
        if (node == &branch)
            return true;
    return false;
}

// The place is counted without the moved node, which leaves its siblings first.
TMoveCommand::TMoveCommand(TCategoryTree& tree, TTreeNode& node, TTreeNode* newParent, std::optional<std::size_t> row)
    : Tree(tree), Moved(node), OldParent(node.Parent()), OldRow(static_cast<std::size_t>(node.Row())),
      NewParent(newParent)
{
    if (IsInBranch(newParent, node))
        throw ETreeEdit("A branch cannot be moved into itself or into one of its own entries.");
    std::size_t place = std::min(row.value_or(ChildCount(tree, newParent)), ChildCount(tree, newParent));
    if (newParent == OldParent && place > OldRow)
        --place;
    NewRow = place;
}

void TMoveCommand::Do()
{
    Tree.InsertBranch(NewParent, NewRow, Tree.DetachBranch(Moved));
}

void TMoveCommand::Undo()
{
    Tree.InsertBranch(OldParent, OldRow, Tree.DetachBranch(Moved));
}

std::string TMoveCommand::Text() const
{
    return "Move " + Utf16ToUtf8(Moved.Data() ? Moved.Data()->Name : u"");
}
