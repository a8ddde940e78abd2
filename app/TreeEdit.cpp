#include "app/TreeEdit.h"

#include "model/tree/AddCommand.h"
#include "model/tree/DeleteCommand.h"
#include "model/tree/MoveCommand.h"
#include "model/tree/RenameCommand.h"

namespace {

// Adds and renames may merge; every other command stands alone.
constexpr int AddOrRename = 1;

}  // namespace

TTreeEdit::TTreeEdit(std::unique_ptr<TTreeCommand> command) : Command(std::move(command))
{
    setText(QString::fromStdString(Command->Text()));
}

void TTreeEdit::undo()
{
    Command->Undo();
}

void TTreeEdit::redo()
{
    if (Pushed)
        Command->Do();
    Pushed = true;
}

int TTreeEdit::id() const
{
    const bool mayMerge =
        dynamic_cast<const TAddCommand*>(Command.get()) || dynamic_cast<const TRenameCommand*>(Command.get());
    return mayMerge ? AddOrRename : -1;
}

bool TTreeEdit::mergeWith(const QUndoCommand* other)
{
    auto* add = dynamic_cast<TAddCommand*>(Command.get());
    const auto* edit = dynamic_cast<const TTreeEdit*>(other);
    const auto* rename = edit ? dynamic_cast<const TRenameCommand*>(edit->Command.get()) : nullptr;
    if (!add || !rename || !add->TakeOverRename(*rename))
        return false;
    setText(QString::fromStdString(add->Text()));
    return true;
}

TTreeNode* TTreeEdit::NodeToShow(bool undone) const
{
    if (const auto* add = dynamic_cast<const TAddCommand*>(Command.get()))
        return undone ? nullptr : &add->Node();
    if (const auto* remove = dynamic_cast<const TDeleteCommand*>(Command.get()))
        return undone ? &remove->Node() : nullptr;
    if (const auto* move = dynamic_cast<const TMoveCommand*>(Command.get()))
        return &move->Node();
    if (const auto* rename = dynamic_cast<const TRenameCommand*>(Command.get()))
        return &rename->Node();
    return nullptr;
}
