#include "model/tree/DeleteCommand.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

TDeleteCommand::TDeleteCommand(TCategoryTree& tree, TTreeNode& node)
    : Tree(tree), Target(&node), Parent(node.Parent()), Row(static_cast<std::size_t>(node.Row()))
{
}

TDeleteCommand::~TDeleteCommand() = default;

void TDeleteCommand::Do()
{
    Deleted = Tree.DetachBranch(*Target);
}

void TDeleteCommand::Undo()
{
    Tree.InsertBranch(Parent, Row, std::move(Deleted));
}

std::string TDeleteCommand::Text() const
{
    return "Delete " + Utf16ToUtf8(Target->Data() ? Target->Data()->Name : u"");
}
