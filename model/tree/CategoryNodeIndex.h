#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

class TTreeNode;

// For every category ID, the nodes whose record is a TCategory with that ID, in tree order.
// The lists run through links inside the nodes, so adding at the end and removing any node
// take constant time; the first node of an ID is found in constant time.
class TCategoryNodeIndex {
public:
    // atEnd: the node comes after every node already in the tree, which holds whenever a
    // branch is added after the last node in tree order (as every load does). Otherwise the
    // node is placed by walking its ID's list.
    void Add(TTreeNode& node, std::int32_t id, bool atEnd);
    void Remove(TTreeNode& node);
    TTreeNode* First(std::int32_t id) const;
    // The largest ID of the indexed nodes; none without any. Kept while nodes are added, and
    // looked for again only after the last node of the largest ID went.
    std::optional<std::int32_t> LargestID() const;

private:
    struct TNodeList {
        TTreeNode* First = nullptr;
        TTreeNode* Last = nullptr;
    };

    void InsertBefore(TNodeList& list, TTreeNode& node, TTreeNode* next);

    std::unordered_map<std::int32_t, TNodeList> Lists;
    mutable std::optional<std::int32_t> Largest;
    mutable bool LargestKnown = true;
};

// True when a comes before b in tree order (pre-order, siblings in order).
bool ComesBeforeInTree(const TTreeNode& a, const TTreeNode& b);
