#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCategoryTree;
class TTreeNode;

// What a find shows of the tree: the entries whose name contains the text, each with its
// ancestors, in tree order.
struct TFoundEntries {
    struct TRow {
        TTreeNode* Node = nullptr;
        int Depth = 0;         // 0 at the top level
        bool Matches = false;  // false for an ancestor shown only for the entries below it
    };
    std::vector<TRow> Rows;
    // The rows that match, in order.
    std::vector<std::size_t> MatchRows;
};

// The names of a tree's entries, folded for a search without regard to letter case (accents
// stay as they are), as UTF-8 in one flat buffer in tree order, with each entry's node,
// parent and depth beside it. A find is one pass of memmem over that buffer (a text matches
// in UTF-8 exactly where it matches in characters), without a walk of the tree's nodes.
// It describes the tree as it was built from; IsCurrent tells whether the tree has changed
// since.
class TTreeSearch {
public:
    explicit TTreeSearch(const TCategoryTree& tree);

    bool IsCurrent(const TCategoryTree& tree) const;
    // An empty text matches every entry.
    TFoundEntries Find(std::u16string_view text) const;

private:
    void AddBranch(TTreeNode& node, std::int32_t parent, int depth);
    std::vector<std::uint8_t> MarkMatchesAndAncestors(std::string_view folded, std::size_t& marked) const;

    const TCategoryTree* Tree;
    std::uint64_t Generation;
    // Each entry's folded name, followed by a NUL that no name holds.
    std::string Names;
    std::vector<std::size_t> Starts;
    std::vector<TTreeNode*> Nodes;
    std::vector<std::int32_t> Parents;  // the entry number of the parent, -1 at the top level
    std::vector<int> Depths;
};
