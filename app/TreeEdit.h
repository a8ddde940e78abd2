#pragma once

#include "model/tree/TreeCommand.h"

#include <QUndoCommand>

#include <memory>

class TTreeNode;

// A command of the tree on the window's undo stack. It is done before it is pushed, so that
// an error leaves the stack as it was; the stack's first redo therefore does nothing. A
// rename pushed straight after an add of the same entry becomes part of the add.
class TTreeEdit : public QUndoCommand {
public:
    explicit TTreeEdit(std::unique_ptr<TTreeCommand> command);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // The entry to select after the command was undone or done again; null when it is gone.
    TTreeNode* NodeToShow(bool undone) const;

private:
    std::unique_ptr<TTreeCommand> Command;
    bool Pushed = false;
};
