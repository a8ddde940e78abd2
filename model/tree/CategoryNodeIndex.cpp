#include "model/tree/CategoryNodeIndex.h"

#include "model/tree/TreeNode.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<const TTreeNode*> PathFromTop(const TTreeNode& node)
{
    std::vector<const TTreeNode*> path;
    for (const TTreeNode* n = &node; n; n = n->Parent())
        path.push_back(n);
    std::reverse(path.begin(), path.end());
    return path;
}

}  // namespace

bool ComesBeforeInTree(const TTreeNode& a, const TTreeNode& b)
{
    const auto pathA = PathFromTop(a);
    const auto pathB = PathFromTop(b);
    const auto [divergeA, divergeB] = std::mismatch(pathA.begin(), pathA.end(), pathB.begin(), pathB.end());
    if (divergeA == pathA.end())
        return divergeB != pathB.end();  // a is an ancestor of b: it comes first
    if (divergeB == pathB.end())
        return false;
    return (*divergeA)->Row() < (*divergeB)->Row();
}

void TCategoryNodeIndex::Add(TTreeNode& node, std::int32_t id, bool atEnd)
{
    node.Indexed = true;
    node.IndexedID = id;
    if (LargestKnown && (!Largest || id > *Largest))
        Largest = id;
    TNodeList& list = Lists[id];
    TTreeNode* next = nullptr;
    if (!atEnd) {
        next = list.First;
        while (next && ComesBeforeInTree(*next, node))
            next = next->IndexNext;
    }
    InsertBefore(list, node, next);
}

void TCategoryNodeIndex::InsertBefore(TNodeList& list, TTreeNode& node, TTreeNode* next)
{
    TTreeNode* previous = next ? next->IndexPrevious : list.Last;
    node.IndexPrevious = previous;
    node.IndexNext = next;
    (previous ? previous->IndexNext : list.First) = &node;
    (next ? next->IndexPrevious : list.Last) = &node;
}

void TCategoryNodeIndex::Remove(TTreeNode& node)
{
    if (!node.Indexed)
        return;
    const auto found = Lists.find(node.IndexedID);
    if (found == Lists.end())
        return;
    TNodeList& list = found->second;
    (node.IndexPrevious ? node.IndexPrevious->IndexNext : list.First) = node.IndexNext;
    (node.IndexNext ? node.IndexNext->IndexPrevious : list.Last) = node.IndexPrevious;
    node.IndexPrevious = nullptr;
    node.IndexNext = nullptr;
    node.Indexed = false;
    if (!list.First) {
        if (Largest == node.IndexedID)
            LargestKnown = false;
        Lists.erase(found);
    }
}

TTreeNode* TCategoryNodeIndex::First(std::int32_t id) const
{
    const auto found = Lists.find(id);
    return found == Lists.end() ? nullptr : found->second.First;
}

std::optional<std::int32_t> TCategoryNodeIndex::LargestID() const
{
    if (!LargestKnown) {
        Largest.reset();
        for (const auto& [id, list] : Lists)
            if (!Largest || id > *Largest)
                Largest = id;
        LargestKnown = true;
    }
    return Largest;
}
