#pragma once

#include "ScriptedDialogs.h"

#include "app/Form1.h"
#include "app/NamedChild.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Every test runs in a working folder of its own, which is where the window finds tree.xml.
class FormTest : public ::testing::Test {
protected:
    ~FormTest() override;

    void PutExampleTree() const;
    void PutTreeFile(const std::string& text) const;
    // tree.xml as the tree tool makes it of an outline ("Arts", "  Music", "  @Sounds -> Top/Arts/Music").
    void PutOutline(const std::string& outline) const;
    std::string TreeFileText() const;

    TForm1& OpenForm(const std::string& treeFileName = "tree.xml");
    // The node texts in pre-order, two blanks per level.
    std::vector<std::string> Outline() const;
    std::vector<std::u16string> CategoryNames() const;
    std::vector<std::u16string> SymbolicNames() const;
    // As a user selects a row: its branch opened first.
    void Select(const TTreeNode* node) const;
    // The window's tree view, "categories".
    QTreeView* TreeView() const;
    // The node of the first entry in tree order whose node text this is.
    TTreeNode* Node(const std::string& text) const;
    // Opens the window on the tree and makes it the active one, so that its keys work.
    TForm1& OpenActiveForm();

    TScriptedDialogs::TScript Script;
    std::unique_ptr<TForm1> Form;

    TTempFolder Folder;

private:
    TWorkingDirectory InFolder{Folder.Path()};
};
