#pragma once

#include "model/tree/TreeCommand.h"

#include <memory>

class TCategoryTree;
class TTreeNode;

// Takes an entry with its branch out of the tree, as DeleteBranch does. The branch is not
// freed but kept, records and all, so that Undo can put it back in its place; it is freed
// with the command, when no undo can reach it any more.
class TDeleteCommand : public TTreeCommand {
public:
    TDeleteCommand(TCategoryTree& tree, TTreeNode& node);
    ~TDeleteCommand() override;

    void Do() override;
    void Undo() override;
    std::string Text() const override;

    TTreeNode& Node() const { return *Target; }

private:
    TCategoryTree& Tree;
    TTreeNode* Target;
    TTreeNode* Parent;
    std::size_t Row;
    std::unique_ptr<TTreeNode> Deleted;
};
