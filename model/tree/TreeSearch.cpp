#include "model/tree/TreeSearch.h"

#include "common/core/CaseFold.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <algorithm>
#include <functional>

namespace {

constexpr char16_t EndOfName = u'\0';

enum : std::uint8_t { fsHidden, fsAncestor, fsMatch };

}  // namespace

TTreeSearch::TTreeSearch(const TCategoryTree& tree) : Tree(&tree), Generation(tree.Generation())
{
    Starts.reserve(tree.Count() + 1);
    Nodes.reserve(tree.Count());
    Parents.reserve(tree.Count());
    Depths.reserve(tree.Count());
    for (const auto& node : tree.TopLevelNodes())
        AddBranch(*node, -1, 0);
    Starts.push_back(Names.size());
}

void TTreeSearch::AddBranch(TTreeNode& node, std::int32_t parent, int depth)
{
    const auto entry = static_cast<std::int32_t>(Nodes.size());
    Starts.push_back(Names.size());
    Nodes.push_back(&node);
    Parents.push_back(parent);
    Depths.push_back(depth);
    if (node.Data())
        AppendFoldedCase(Names, node.Data()->Name);
    else
        AppendFoldedCase(Names, Utf8ToUtf16(node.Text()));
    std::replace(Names.begin() + static_cast<std::ptrdiff_t>(Starts.back()), Names.end(), EndOfName, u' ');
    Names += EndOfName;
    for (const auto& child : node.Children())
        AddBranch(*child, entry, depth + 1);
}

bool TTreeSearch::IsCurrent(const TCategoryTree& tree) const
{
    return &tree == Tree && tree.Generation() == Generation;
}

// After a match, the search goes on at the next entry's name: an entry counts once.
std::vector<std::uint8_t> TTreeSearch::MarkMatchesAndAncestors(std::u16string_view folded, std::size_t& marked) const
{
    std::vector<std::uint8_t> state(Nodes.size(), fsHidden);
    const std::boyer_moore_horspool_searcher searcher(folded.begin(), folded.end());
    auto from = Names.begin();
    std::size_t entry = 0;
    while (true) {
        const auto found = std::search(from, Names.end(), searcher);
        if (found == Names.end())
            break;
        const auto offset = static_cast<std::size_t>(found - Names.begin());
        entry = static_cast<std::size_t>(
                    std::upper_bound(Starts.begin() + static_cast<std::ptrdiff_t>(entry), Starts.end(), offset) -
                    Starts.begin()) -
                1;
        state[entry] = fsMatch;
        ++marked;
        for (std::int32_t up = Parents[entry]; up >= 0 && state[static_cast<std::size_t>(up)] == fsHidden;
             up = Parents[static_cast<std::size_t>(up)]) {
            state[static_cast<std::size_t>(up)] = fsAncestor;
            ++marked;
        }
        from = Names.begin() + static_cast<std::ptrdiff_t>(Starts[entry + 1]);
    }
    return state;
}

TFoundEntries TTreeSearch::Find(std::u16string_view text) const
{
    std::u16string folded;
    AppendFoldedCase(folded, text);
    std::vector<std::uint8_t> state;
    std::size_t marked = 0;
    if (folded.empty()) {
        state.assign(Nodes.size(), fsMatch);
        marked = Nodes.size();
    } else {
        state = MarkMatchesAndAncestors(folded, marked);
    }
    TFoundEntries found;
    found.Rows.reserve(marked);
    for (std::size_t entry = 0; entry < Nodes.size(); ++entry) {
        if (state[entry] == fsHidden)
            continue;
        if (state[entry] == fsMatch)
            found.MatchRows.push_back(found.Rows.size());
        found.Rows.push_back({Nodes[entry], Depths[entry], state[entry] == fsMatch});
    }
    return found;
}
