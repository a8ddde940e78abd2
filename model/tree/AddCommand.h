#pragma once

#include "model/tree/TreeCommand.h"

#include <memory>

class TBaseCategory;
class TCategoryTree;
class TRenameCommand;
class TTreeNode;

// Adds a new entry as the last child of `parent` (the last top-level entry when null). Undo
// takes the entry out again; the command keeps it meanwhile, so that a redo adds the same node
// and record.
class TAddCommand : public TTreeCommand {
public:
    TAddCommand(TCategoryTree& tree, TTreeNode* parent, std::unique_ptr<TBaseCategory> record);
    ~TAddCommand() override;

    void Do() override;
    void Undo() override;
    std::string Text() const override;

    // The new entry's node, in the tree after Do.
    TTreeNode& Node() const { return *Added; }

    // A rename of the new category done straight after it was added: the category takes the
    // Url of its new name too, as if it had been added with that name, since nothing can
    // refer to its Url yet. False (and nothing changes) for a rename of another entry.
    bool TakeOverRename(const TRenameCommand& rename);

private:
    TCategoryTree& Tree;
    TTreeNode* Parent;
    std::unique_ptr<TTreeNode> Detached;
    TTreeNode* Added;
};
