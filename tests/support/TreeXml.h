#pragma once

#include <string>

// The text of a tree file built by hand, names and Urls escaped as the file needs them:
//
//     TreeXml(CategoryXml(1, "Arts & Crafts", "Top/Arts", SymbolicXml("Sounds", 1, "Top/Music")))
std::string CategoryXml(int id, const std::string& name, const std::string& url, const std::string& children = "");
std::string SymbolicXml(const std::string& name, int parent, const std::string& url);
// The document around the top-level entries.
std::string TreeXml(const std::string& topLevel);
