#pragma once

#include "tools/site/CategoryStore.h"

#include <functional>
#include <unordered_map>
#include <vector>

// How the children of one parent follow each other in a listing.
enum class TSiblingOrder {
    Oldest,   // in the order they were created
    ByTitle,  // sorted by title, as a directory script sorts its category lists
};

// One line of a listing: a category and how deep it sits (1 for a category at the top).
struct TListedCategory {
    const TSiteCategory* Category = nullptr;
    int Depth = 1;
};

// The directory as the pages show it: every category by identifier, and the children of each
// parent already in listing order. It is kept beside the database, which it mirrors, so that
// a page neither reads nor sorts the whole table: a listing is one walk over the tree.
class TDirectory {
public:
    TDirectory(std::vector<TSiteCategory> categories, TSiblingOrder order);

    // Takes in a category the database has just stored.
    void Add(TSiteCategory category);

    // Nothing when there is no category with that identifier.
    const TSiteCategory* Find(TCategoryId id) const;
    // True for an existing regular category; symbolic categories are never parents or targets.
    bool IsRegularCategory(TCategoryId id) const;
    // Regular and symbolic children, in listing order.
    const std::vector<const TSiteCategory*>& ChildrenOf(TCategoryId parent) const;

    // Each parent before its children; a category that shown turns down is left out, and so is
    // everything below it. The lines borrow from the directory until its next Add.
    std::vector<TListedCategory> InTreeOrder(const std::function<bool(const TSiteCategory&)>& shown) const;

private:
    void InsertChild(const TSiteCategory& category);

    TSiblingOrder Order;
    // Node-based, so the children lists may point into it.
    std::unordered_map<TCategoryId, TSiteCategory> ById;
    std::unordered_map<TCategoryId, std::vector<const TSiteCategory*>> Children;
};
