#include "model/tree/DeleteCommand.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

TDeleteCommand::TDeleteCommand(TCategoryTree& tree, TDmoz& document, TTreeNode& node, TProcessMessages processMessages)
    : Tree(tree), Document(document), Target(&node), Parent(node.Parent()), Row(static_cast<std::size_t>(node.Row())),
      ProcessMessages(std::move(processMessages))
{
}

TDeleteCommand::~TDeleteCommand() = default;

void TDeleteCommand::Do()
{
    Places = TakeOutOfDocument(Document, RecordsOfBranch(*Target, ProcessMessages));
    Deleted = Tree.DetachBranch(*Target);
}

void TDeleteCommand::Undo()
{
    Tree.InsertBranch(Parent, Row, std::move(Deleted));
    PutBackIntoDocument(Document, Places);
    Places = {};
}

std::string TDeleteCommand::Text() const
{
    return "Delete " + Utf16ToUtf8(Target->Data() ? Target->Data()->Name : u"");
}
