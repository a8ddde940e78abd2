#include "model/tree/RenameCommand.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/TreeBinding.h"

TRenameCommand::TRenameCommand(TCategoryTree& tree, TTreeNode& node, std::u16string name)
    : Tree(tree), Renamed(node), NewName(std::move(name)), OldName(node.Data()->Name), OldText(node.Text())
{
}

void TRenameCommand::Do()
{
    RenameNode(Tree, Renamed, NewName);
}

void TRenameCommand::Undo()
{
    Renamed.Data()->Name = OldName;
    Tree.SetNodeText(Renamed, OldText);
}

std::string TRenameCommand::Text() const
{
    return "Rename " + Utf16ToUtf8(OldName);
}
