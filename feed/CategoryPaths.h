#pragma once

#include "model/tree/EntryPaths.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TBaseCategory;
class TCategoryTree;

// Where every category of a tree sits in it: the names from the top down, e.g. "Arts/Music".
// A name is ambiguous on the site's pages when the tree gives it to categories under
// different parents (Arts/Music and Shopping/Music), also in another form the site stores
// alike (" Music" and "Music"); the paths tell those apart.
class TCategoryPaths {
public:
    explicit TCategoryPaths(const TCategoryTree& tree);

    // The path of a category of the tree; "" for none. A record that is no category (a
    // symbolic category carrying children) stands for itself.
    std::string PathOf(const TBaseCategory* record) const;
    // The same path with every name as the site stores it (StoredTitle): the path by which
    // the site's list finds the category.
    std::string SitePathOf(const TBaseCategory* record) const;

    // True when categories of this name (8-bit text), or of a name the site stores alike, sit
    // under more than one parent path.
    bool IsShared(const std::string& name) const;
    // The different paths of the categories of this name and of the names the site stores alike.
    const std::vector<std::string>& PathsNamed(const std::string& name) const;

private:
    struct TPaths {
        std::string Path;
        std::string SitePath;
    };

    std::unordered_map<const TBaseCategory*, TPaths> Paths;
    std::unordered_map<std::string, std::vector<std::string>> PathsByName;
};
