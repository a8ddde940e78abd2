#pragma once

#include <string>

// One edit of the category tree, with its way back. Do makes the edit (again, after an
// Undo); Undo takes it back exactly, the very records in their places included. Both
// hold only while the edits are made and taken back in stack order: every edit made after
// this one has been undone before this one is.
class TTreeCommand {
public:
    virtual ~TTreeCommand() = default;

    virtual void Do() = 0;
    virtual void Undo() = 0;
    // What the edit does, for the undo commands of a menu: "Delete Arts".
    virtual std::string Text() const = 0;
};
