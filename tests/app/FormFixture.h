#pragma once

#include "ScriptedDialogs.h"

#include "app/Form1.h"
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
    std::string TreeFileText() const;

    TForm1& OpenForm(const std::string& treeFileName = "tree.xml");
    // The node texts in pre-order, two blanks per level.
    std::vector<std::string> Outline() const;
    std::vector<std::u16string> CategoryNames() const;
    std::vector<std::u16string> SymbolicNames() const;
    // As a user selects a row: its branch opened first.
    void Select(const TTreeNode* node) const;

    TScriptedDialogs::TScript Script;
    std::unique_ptr<TForm1> Form;

    TTempFolder Folder;

private:
    TWorkingDirectory InFolder{Folder.Path()};
};
