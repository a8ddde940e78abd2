#pragma once

#include "model/tree/TreeCommand.h"

#include <string>

class TCategoryTree;
class TTreeNode;

// Gives an entry's record a new name, and its node the text that shows it (RenameNode);
// Undo gives both back the old ones.
class TRenameCommand : public TTreeCommand {
public:
    // The node must carry a record; both are borrowed.
    TRenameCommand(TCategoryTree& tree, TTreeNode& node, std::u16string name);

    void Do() override;
    void Undo() override;
    std::string Text() const override;

    TTreeNode& Node() const { return Renamed; }

private:
    TCategoryTree& Tree;
    TTreeNode& Renamed;
    std::u16string NewName;
    std::u16string OldName;
    std::string OldText;
};
