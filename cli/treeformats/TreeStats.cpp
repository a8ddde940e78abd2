#include "cli/treeformats/TreeStats.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <algorithm>

namespace {

const std::string TopLevel = "(top level)";

struct TNameUse {
    std::u16string_view Name;
    // The parent's place in tree order, counted from 1; 0 for the top level.
    std::size_t ParentOrder;
    const TTreeNode* Parent;
};

std::string PlaceText(const TTreeNode* parent)
{
    return parent ? Utf16ToUtf8(parent->Data()->Url) : TopLevel;
}

class TStatsCollector {
public:
    explicit TStatsCollector(const TCategoryTree& tree) : Tree(tree) {}

    TTreeStats Collect()
    {
        for (const auto& top : Tree.TopLevelNodes()) {
            const std::size_t before = Visited;
            Visit(*top, 1, 0);
            const std::size_t size = Visited - before;
            if (size > Stats.LargestBranchSize) {
                Stats.LargestBranchSize = size;
                Stats.LargestBranch = Utf16ToUtf8(top->Data()->Name) + " (" + Utf16ToUtf8(top->Data()->Url) + ")";
            }
        }
        CollectSharedNames();
        for (const TTreeNode* link : Links)
            CheckLink(*link);
        return std::move(Stats);
    }

private:
    const TCategoryTree& Tree;
    TTreeStats Stats;
    std::size_t Visited = 0;
    std::vector<TNameUse> NameUses;
    std::vector<const TTreeNode*> Links;

    // parentOrder: the parent's place in tree order, as TNameUse counts it.
    void Visit(const TTreeNode& node, std::size_t level, std::size_t parentOrder)
    {
        const std::size_t order = ++Visited;
        Stats.Depth = std::max(Stats.Depth, level);
        if (const auto* category = dynamic_cast<const TCategory*>(node.Data())) {
            ++Stats.Categories;
            NameUses.push_back({category->Name, parentOrder, node.Parent()});
        } else {
            ++Stats.SymbolicCategories;
            Links.push_back(&node);
        }
        for (const auto& child : node.Children())
            Visit(*child, level + 1, order);
    }

    void CollectSharedNames()
    {
        std::sort(NameUses.begin(), NameUses.end(), [](const TNameUse& a, const TNameUse& b) {
            return a.Name != b.Name ? a.Name < b.Name : a.ParentOrder < b.ParentOrder;
        });
        for (auto first = NameUses.begin(); first != NameUses.end();) {
            const auto last =
                std::find_if(first, NameUses.end(), [&](const TNameUse& use) { return use.Name != first->Name; });
            TTreeStats::TSharedName shared{Utf16ToUtf8(first->Name), {}};
            for (auto use = first; use != last; ++use)
                if (use == first || use->ParentOrder != (use - 1)->ParentOrder)
                    shared.Parents.push_back(PlaceText(use->Parent));
            if (shared.Parents.size() > 1)
                Stats.SharedNames.push_back(std::move(shared));
            first = last;
        }
        std::stable_sort(Stats.SharedNames.begin(), Stats.SharedNames.end(),
                         [](const auto& a, const auto& b) { return a.Parents.size() > b.Parents.size(); });
    }

    // The reasons are those of the feed's line for a skipped symbolic category, found by the
    // same lookups.
    void CheckLink(const TTreeNode& node)
    {
        const auto& link = static_cast<const TSymbolicCategory&>(*node.Data());
        std::string reason;
        if (!Tree.FindCategoryByUrl(link.Url))
            reason = "no category has the Url \"" + Utf16ToUtf8(link.Url) + "\"";
        if (!Tree.FindCategoryByID(link.Parent))
            reason +=
                (reason.empty() ? "" : " and ") + std::string("no category has the ID ") + std::to_string(link.Parent);
        if (!reason.empty())
            Stats.DanglingLinks.push_back({Utf16ToUtf8(link.Name), PlaceText(node.Parent()), reason});
    }
};

template <class TItem, class TFormat>
void AppendList(std::string& text, const std::vector<TItem>& items, std::size_t limit, TFormat format)
{
    const std::size_t shown = limit == 0 ? items.size() : std::min(limit, items.size());
    for (std::size_t i = 0; i < shown; ++i)
        text += "  " + format(items[i]) + "\n";
    if (shown < items.size())
        text += "  ... and " + std::to_string(items.size() - shown) + " more\n";
}

std::string JoinedParents(const std::vector<std::string>& parents)
{
    std::string text;
    for (const std::string& parent : parents)
        text += (text.empty() ? "" : ", ") + parent;
    return text;
}

}  // namespace

TTreeStats CollectTreeStats(const TCategoryTree& tree)
{
    return TStatsCollector(tree).Collect();
}

std::string TreeStatsText(const TTreeStats& stats, std::size_t listLimit)
{
    std::string text;
    text += "categories: " + std::to_string(stats.Categories) + "\n";
    text += "symbolic categories: " + std::to_string(stats.SymbolicCategories) + "\n";
    text += "depth: " + std::to_string(stats.Depth) + "\n";
    text += "largest branch: " +
            (stats.LargestBranchSize == 0
                 ? std::string("none")
                 : stats.LargestBranch + ", " + std::to_string(stats.LargestBranchSize) + " entries") +
            "\n";
    text += "names under more than one parent: " + std::to_string(stats.SharedNames.size()) + "\n";
    AppendList(text, stats.SharedNames, listLimit, [](const TTreeStats::TSharedName& shared) {
        return "\"" + shared.Name + "\" under " + JoinedParents(shared.Parents);
    });
    text += "symbolic categories that do not resolve: " + std::to_string(stats.DanglingLinks.size()) + "\n";
    AppendList(text, stats.DanglingLinks, listLimit, [](const TTreeStats::TDanglingLink& link) {
        return "\"" + link.Name + "\" under " + link.Holder + ": " + link.Reason;
    });
    return text;
}
