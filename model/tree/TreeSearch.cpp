#include "model/tree/TreeSearch.h"

#include "common/core/CaseFold.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char EndOfName = '\0';
// What a name takes in the buffer on average, to reserve it in one go.
constexpr std::size_t TypicalNameBytes = 24;

enum : std::uint8_t { fsHidden, fsAncestor, fsMatch };

// Most names are ASCII and fold byte by byte; the others go through the Unicode folding.
void AppendFoldedName(std::string& names, std::u16string_view name)
{
    if (std::all_of(name.begin(), name.end(), [](char16_t c) { return c < 0x80; })) {
        for (const char16_t c : name)
            names += c >= u'A' && c <= u'Z' ? static_cast<char>(c + 32) : static_cast<char>(c);
        return;
    }
    std::u16string folded;
    AppendFoldedCase(folded, name);
    names += Utf16ToUtf8(folded);
}

std::string FoldedText(std::u16string_view text)
{
    std::string folded;
    AppendFoldedName(folded, text);
    return folded;
}

}  // namespace

TTreeSearch::TTreeSearch(const TCategoryTree& tree) : Tree(&tree), Generation(tree.Generation())
{
    Names.reserve(tree.Count() * TypicalNameBytes);
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
        AppendFoldedName(Names, node.Data()->Name);
    else
        AppendFoldedName(Names, Utf8ToUtf16(node.Text()));
    std::replace(Names.begin() + static_cast<std::ptrdiff_t>(Starts.back()), Names.end(), EndOfName, ' ');
    Names += EndOfName;
    for (const auto& child : node.Children())
        AddBranch(*child, entry, depth + 1);
}

bool TTreeSearch::IsCurrent(const TCategoryTree& tree) const
{
    return &tree == Tree && tree.Generation() == Generation;
}

// After a match, the search goes on at the next entry's name: an entry counts once. Matches
// come in tree order, so the entry of each is found by stepping on from the last one.
std::vector<std::uint8_t> TTreeSearch::MarkMatchesAndAncestors(std::string_view folded, std::size_t& marked) const
{
    std::vector<std::uint8_t> state(Nodes.size(), fsHidden);
    std::size_t from = 0;
    std::size_t entry = 0;
    while (true) {
        const void* found = ::memmem(Names.data() + from, Names.size() - from, folded.data(), folded.size());
        if (!found)
            break;
        const auto offset = static_cast<std::size_t>(static_cast<const char*>(found) - Names.data());
        while (Starts[entry + 1] <= offset)
            ++entry;
        state[entry] = fsMatch;
        ++marked;
        for (std::int32_t up = Parents[entry]; up >= 0 && state[static_cast<std::size_t>(up)] == fsHidden;
             up = Parents[static_cast<std::size_t>(up)]) {
            state[static_cast<std::size_t>(up)] = fsAncestor;
            ++marked;
        }
        from = Starts[entry + 1];
    }
    return state;
}

TFoundEntries TTreeSearch::Find(std::u16string_view text) const
{
    const std::string folded = FoldedText(text);
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
