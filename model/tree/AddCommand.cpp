#include "model/tree/AddCommand.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/NewEntryRecords.h"
#include "model/tree/RenameCommand.h"
#include "model/tree/TreeBinding.h"

TAddCommand::TAddCommand(TCategoryTree& tree, TTreeNode* parent, std::unique_ptr<TBaseCategory> record)
    : Tree(tree), Parent(parent)
{
    std::string text = NodeTextOf(*record);
    Detached = std::make_unique<TTreeNode>(std::move(text), std::move(record));
    Added = Detached.get();
}

TAddCommand::~TAddCommand() = default;

void TAddCommand::Do()
{
    Tree.AddBranch(Parent, std::move(Detached));
}

void TAddCommand::Undo()
{
    Detached = Tree.DetachBranch(*Added);
}

std::string TAddCommand::Text() const
{
    return "Add " + Utf16ToUtf8(Added->Data()->Name);
}

bool TAddCommand::TakeOverRename(const TRenameCommand& rename)
{
    if (&rename.Node() != Added)
        return false;
    if (auto* category = dynamic_cast<TCategory*>(Added->Data()))
        Tree.SetCategoryUrl(*Added, NewCategoryUrl(Parent, category->Name));
    return true;
}
