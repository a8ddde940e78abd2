#pragma once

#include "cli/treeformats/ImportedTree.h"
#include "model/UrlMap.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Builds the tree of an outline or a path list, whose entries are given by name: a category's
// Url is made of the names on its way down from Top (ChildUrl), and the IDs are given 1, 2,
// 3... in tree order once the tree is complete. A symbolic category names its target by path;
// targets are looked up at the end, so a link may come before the category it shows. Names
// are UTF-8; errors name the file and the line given with the entry.
class TNamedTreeBuilder {
public:
    explicit TNamedTreeBuilder(std::string fileName);

    // A new category as the last child of parent (at the top level when null). A category
    // of the same path, letter case aside, raises ETreeInputError.
    TXMLTreeNode& AddCategory(TXMLTreeNode* parent, std::string_view name, std::size_t line);
    // The category of parent with exactly that name, added when there is none. Another name
    // that gives the same path raises ETreeInputError.
    TXMLTreeNode& FindOrAddCategory(TXMLTreeNode* parent, std::string_view name, std::size_t line);
    // A symbolic category as the last child of a category's node.
    void AddSymbolic(TXMLTreeNode& parent, std::string_view name, std::string_view targetPath, std::size_t line);

    // Gives the IDs, points every symbolic category at its target and its parent, and hands
    // the tree over. A target that names no category raises ETreeInputError.
    TImportedTree Finish();

private:
    struct TIndexed {
        TXMLTreeNode* Node;
        std::size_t Line;
    };
    struct TPendingLink {
        TSymbolicCategory* Link;
        const TXMLTreeNode* Parent;
        std::u16string Target;
        std::size_t Line;
    };

    std::string FileName;
    TImportedTree Tree;
    TUrlMap<TIndexed> Index;
    std::vector<TPendingLink> PendingLinks;

    std::u16string CheckedName(std::string_view name, std::size_t line) const;
    TXMLTreeNode& AddIndexedCategory(TXMLTreeNode* parent, std::u16string name, std::u16string url, std::size_t line);
    [[noreturn]] void FailSamePath(std::u16string_view name, const TIndexed& existing, std::size_t line) const;
    void ResolveLink(const TPendingLink& pending) const;
};
