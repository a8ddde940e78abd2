#pragma once

#include "cli/treeformats/ImportedTree.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// A tree file read back as the window reads it, one entry a line in tree order, two blanks
// of indentation per level: "Name #ID Url" for a category, "@Name -> Url ^Parent" for a
// symbolic category. Every lookup the feed makes in the tree is expected to resolve.
std::string DescribeTreeFile(const std::string& fileName);

// The bytes the window writes when it loads the file and saves it again.
std::string ResavedByWindow(const std::string& fileName, const std::string& copyName);

class TTreeFormatTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Writes an input file into the test's folder and returns its path.
    std::string Input(const std::string& name, const std::string& bytes) const;
    // The same, gzip-compressed.
    std::string CompressedInput(const std::string& name, const std::string& bytes) const;
    std::string PathOf(const std::string& name) const { return Folder.PathOf(name); }

    // Writes the tree as the tool does and describes the file written.
    std::string WrittenAndDescribed(const TImportedTree& tree, const std::string& name = "tree.xml") const;

    // The message of the ETreeInputError that the reading raises, with the folder left out,
    // e.g. "outline.txt:3: depth jumps from 0 to 2"; "" when nothing is raised.
    std::string InputErrorOf(const std::function<void()>& reading) const;

    TTempFolder Folder;
};
