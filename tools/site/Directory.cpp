#include "tools/site/Directory.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

unsigned char FoldedAscii(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Titles compared as a database's case-insensitive collation compares them as far as ASCII goes
// (the collation real installations use): letters without regard to case, every other byte by
// its value.
int CompareFolded(const std::string& a, const std::string& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (FoldedAscii(a[i]) != FoldedAscii(b[i]))
            return FoldedAscii(a[i]) < FoldedAscii(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Titles that differ only in case go in byte order, then oldest first, so that the order is
// total and a listing is the same on every request.
bool TitleBefore(const TSiteCategory* a, const TSiteCategory* b)
{
    if (const int folded = CompareFolded(a->Title, b->Title); folded != 0)
        return folded < 0;
    return std::tie(a->Title, a->Id) < std::tie(b->Title, b->Id);
}

bool OlderFirst(const TSiteCategory* a, const TSiteCategory* b)
{
    return a->Id < b->Id;
}

}  // namespace

TDirectory::TDirectory(std::vector<TSiteCategory> categories, TSiblingOrder order) : Order(order)
{
    ById.reserve(categories.size());
    for (TSiteCategory& category : categories) {
        const TCategoryId id = category.Id;
        const TSiteCategory& kept = ById.insert_or_assign(id, std::move(category)).first->second;
        Children[kept.ParentId].push_back(&kept);
    }
    // Sorted once here: inserting each of a large directory's categories in order would cost
    // a move of its siblings per category.
    for (auto& [parent, siblings] : Children)
        std::sort(siblings.begin(), siblings.end(), Order == TSiblingOrder::ByTitle ? TitleBefore : OlderFirst);
}

void TDirectory::Add(TSiteCategory category)
{
    const TCategoryId id = category.Id;
    InsertChild(ById.insert_or_assign(id, std::move(category)).first->second);
}

void TDirectory::InsertChild(const TSiteCategory& category)
{
    std::vector<const TSiteCategory*>& siblings = Children[category.ParentId];
    const auto at = std::upper_bound(siblings.begin(), siblings.end(), &category,
                                     Order == TSiblingOrder::ByTitle ? TitleBefore : OlderFirst);
    siblings.insert(at, &category);
}

const TSiteCategory* TDirectory::Find(TCategoryId id) const
{
    const auto found = ById.find(id);
    return found == ById.end() ? nullptr : &found->second;
}

bool TDirectory::IsRegularCategory(TCategoryId id) const
{
    const TSiteCategory* category = Find(id);
    return category && !category->Symbolic;
}

const std::vector<const TSiteCategory*>& TDirectory::ChildrenOf(TCategoryId parent) const
{
    static const std::vector<const TSiteCategory*> none;
    const auto found = Children.find(parent);
    return found == Children.end() ? none : found->second;
}

std::vector<TListedCategory> TDirectory::InTreeOrder(const std::function<bool(const TSiteCategory&)>& shown) const
{
    // An explicit stack: a fed tree can be deeper than the call stack would like.
    std::vector<TListedCategory> listing;
    listing.reserve(ById.size());
    std::vector<std::pair<const std::vector<const TSiteCategory*>*, std::size_t>> stack;
    stack.emplace_back(&ChildrenOf(TopCategoryId), 0);
    while (!stack.empty()) {
        auto& [siblings, next] = stack.back();
        if (next == siblings->size()) {
            stack.pop_back();
            continue;
        }
        const TSiteCategory* category = (*siblings)[next++];
        if (!shown(*category))
            continue;
        listing.push_back({category, static_cast<int>(stack.size())});
        stack.emplace_back(&ChildrenOf(category->Id), 0);
    }
    return listing;
}
