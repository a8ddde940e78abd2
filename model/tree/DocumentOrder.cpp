#include "model/tree/DocumentOrder.h"

#include "model/Dmoz.h"
#include "model/tree/TreeNode.h"
#include "model/tree/TreeOrder.h"

#include <algorithm>
#include <unordered_set>

namespace {

void CollectRecords(const TTreeNode& node, std::vector<TBaseCategory*>& records, const TProcessMessages& processMessages)
{
    ProcessPendingMessages(processMessages);
    if (node.Data())
        records.push_back(node.Data());
    for (const auto& child : node.Children())
        CollectRecords(*child, records, processMessages);
}

template <class TRecord>
void TakeOut(std::vector<TRecord*>& records, std::unordered_set<const TBaseCategory*>& pending,
             std::vector<std::pair<std::size_t, TRecord*>>& taken)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!pending.empty() && pending.erase(records[i]) > 0) {
            taken.emplace_back(i, records[i]);
            continue;
        }
        records[kept++] = records[i];
    }
    records.resize(kept);
}

template <class TRecord>
void PutBack(std::vector<TRecord*>& records, const std::vector<std::pair<std::size_t, TRecord*>>& taken)
{
    if (taken.empty())
        return;
    std::vector<TRecord*> merged;
    merged.reserve(records.size() + taken.size());
    auto next = taken.begin();
    std::size_t kept = 0;
    while (kept < records.size() || next != taken.end()) {
        if (next != taken.end() && (next->first <= merged.size() || kept == records.size()))
            merged.push_back((next++)->second);
        else
            merged.push_back(records[kept++]);
    }
    records = std::move(merged);
}

template <class TRecord>
std::vector<TRecord*> OfKind(const std::vector<TBaseCategory*>& records)
{
    std::vector<TRecord*> ofKind;
    for (TBaseCategory* record : records)
        if (auto* typed = dynamic_cast<TRecord*>(record))
            ofKind.push_back(typed);
    return ofKind;
}

// Where tree order puts records of this kind that come just before `next`: at the place of
// the first record of the kind from `next` on, at the end when there is none.
template <class TRecord>
std::size_t PlaceBefore(const std::vector<TRecord*>& records, const TTreeNode* next)
{
    for (const TTreeNode* node = next; node; node = NextInTreeOrder(*node)) {
        if (auto* record = dynamic_cast<TRecord*>(node->Data()))
            return static_cast<std::size_t>(std::find(records.begin(), records.end(), record) - records.begin());
    }
    return records.size();
}

template <class TRecord>
void InsertInTreeOrder(std::vector<TRecord*>& records, const std::vector<TBaseCategory*>& branchRecords,
                       const TTreeNode* next)
{
    const std::vector<TRecord*> ofKind = OfKind<TRecord>(branchRecords);
    if (ofKind.empty())
        return;
    const std::size_t place = PlaceBefore(records, next);
    records.insert(records.begin() + static_cast<std::ptrdiff_t>(place), ofKind.begin(), ofKind.end());
}

}  // namespace

std::vector<TBaseCategory*> RecordsOfBranch(const TTreeNode& branch, const TProcessMessages& processMessages)
{
    std::vector<TBaseCategory*> records;
    CollectRecords(branch, records, processMessages);
    return records;
}

TDocumentPlaces TakeOutOfDocument(TDmoz& document, const std::vector<TBaseCategory*>& records)
{
    std::unordered_set<const TBaseCategory*> categories;
    std::unordered_set<const TBaseCategory*> symbolicCategories;
    for (const TBaseCategory* record : records) {
        if (dynamic_cast<const TCategory*>(record))
            categories.insert(record);
        else
            symbolicCategories.insert(record);
    }
    TDocumentPlaces places;
    TakeOut(document.Categories, categories, places.Categories);
    TakeOut(document.SymbolicCategories, symbolicCategories, places.SymbolicCategories);
    return places;
}

void PutBackIntoDocument(TDmoz& document, const TDocumentPlaces& places)
{
    PutBack(document.Categories, places.Categories);
    PutBack(document.SymbolicCategories, places.SymbolicCategories);
}

void AddToDocumentInTreeOrder(TDmoz& document, const TTreeNode& branch)
{
    const std::vector<TBaseCategory*> records = RecordsOfBranch(branch);
    const TTreeNode* next = NextAfterBranch(branch);
    InsertInTreeOrder(document.Categories, records, next);
    InsertInTreeOrder(document.SymbolicCategories, records, next);
}
