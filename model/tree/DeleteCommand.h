#pragma once

#include "common/core/ProcessMessages.h"
#include "model/tree/DocumentOrder.h"
#include "model/tree/TreeCommand.h"

#include <memory>

class TCategoryTree;
class TDmoz;
class TTreeNode;

// Target an entry with its branch from the tree and takes their records out of the
// document, as DeleteBranch does. The branch is not freed but kept, records and all, so that
// Undo can put it back in its place and its records back in theirs; it is freed with the
// command, when no undo can reach it any more.
class TDeleteCommand : public TTreeCommand {
public:
    TDeleteCommand(TCategoryTree& tree, TDmoz& document, TTreeNode& node, TProcessMessages processMessages = {});
    ~TDeleteCommand() override;

    void Do() override;
    void Undo() override;
    std::string Text() const override;

    TTreeNode& Node() const { return *Target; }

private:
    TCategoryTree& Tree;
    TDmoz& Document;
    TTreeNode* Target;
    TTreeNode* Parent;
    std::size_t Row;
    TProcessMessages ProcessMessages;
    std::unique_ptr<TTreeNode> Deleted;
    TDocumentPlaces Places;
};
