#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TCategoryTree;

// What to know of a tree before a feed: its size and shape, the names that the site's
// new-category page will list more than once, and the symbolic categories that the feed will
// skip because their target (by Url) or their parent (by ID) is not found, looked up as the
// feed looks them up.
struct TTreeStats {
    struct TSharedName {
        std::string Name;
        // The Urls of the parents, in tree order; "(top level)" for the top level.
        std::vector<std::string> Parents;
    };
    struct TDanglingLink {
        std::string Name;
        std::string Holder;
        std::string Reason;
    };

    std::size_t Categories = 0;
    std::size_t SymbolicCategories = 0;
    // Levels of the deepest entry; top-level entries are at level 1.
    std::size_t Depth = 0;
    // The top-level entry with the most entries in its branch, itself included.
    std::string LargestBranch;
    std::size_t LargestBranchSize = 0;
    // Category names under more than one parent, those under the most parents first.
    std::vector<TSharedName> SharedNames;
    std::vector<TDanglingLink> DanglingLinks;
};

TTreeStats CollectTreeStats(const TCategoryTree& tree);

// The report, one fact a line; each list shows at most listLimit items (0: all of them).
std::string TreeStatsText(const TTreeStats& stats, std::size_t listLimit);
