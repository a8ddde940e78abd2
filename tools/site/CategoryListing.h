#pragma once

#include "tools/site/CategoryStore.h"

#include <vector>

// One line of a listing: a category and how deep it sits (1 for a category at the top).
struct TListedCategory {
    const TSiteCategory* Category = nullptr;
    int Depth = 1;
};

// The categories in tree order: each parent before its children, siblings oldest first.
// The lines borrow from the vector they were made from.
std::vector<TListedCategory> InTreeOrder(const std::vector<TSiteCategory>& categories);
