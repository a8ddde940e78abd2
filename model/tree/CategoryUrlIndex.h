#pragma once

#include "model/UrlMap.h"

#include <memory>
#include <string_view>
#include <vector>

class TTreeNode;

// The first category node of every Url in tree order, without regard to letter case, the way
// the feed looks up the target of a symbolic category. Built in one walk of the tree; its keys
// are views of the records' Urls, so it holds only while the tree is unchanged.
class TCategoryUrlIndex {
public:
    explicit TCategoryUrlIndex(const std::vector<std::unique_ptr<TTreeNode>>& topLevelNodes);

    TTreeNode* First(std::u16string_view url) const;

private:
    TUrlMap<TTreeNode*> Nodes;
};
