#pragma once

#include "model/tree/TreeCommand.h"

#include <cstddef>
#include <optional>

class TCategoryTree;
class TTreeNode;

// Moves an entry with its branch under another parent (to the top level when null). Records
// keep every ID and Url, and nodes their texts. Undo puts the branch back in its old place.
class TMoveCommand : public TTreeCommand {
public:
    // `row`: the place among the new parent's children as they are before the move; none
    // for the last. Raises ETreeEdit for a move into the branch itself.
    TMoveCommand(TCategoryTree& tree, TTreeNode& node, TTreeNode* newParent,
                 std::optional<std::size_t> row = std::nullopt);

    void Do() override;
    void Undo() override;
    std::string Text() const override;

    TTreeNode& Node() const { return Moved; }

private:
    TCategoryTree& Tree;
    TTreeNode& Moved;
    TTreeNode* OldParent;
    std::size_t OldRow;
    TTreeNode* NewParent;
    std::size_t NewRow;
};

// True when `node` lies in the branch of `branch` (the branch's own node included).
bool IsInBranch(const TTreeNode* node, const TTreeNode& branch);
