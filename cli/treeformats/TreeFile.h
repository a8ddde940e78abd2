#pragma once

#include <string>

class TCategoryTree;
struct TImportedTree;

// Reads a tree file as the window reads it. Whatever fails (a missing file, broken XML, a
// document that holds no category tree) raises ETreeFileUnreadable naming the file.
void LoadTreeFile(const std::string& fileName, TCategoryTree& tree);

// Writes the tree as the window saves one, through the engine's writer, replacing the file
// only once the whole text is written.
void WriteTreeFile(const TImportedTree& tree, const std::string& fileName);
