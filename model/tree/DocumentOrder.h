#pragma once

#include "common/core/ProcessMessages.h"

#include <cstddef>
#include <utility>
#include <vector>

class TBaseCategory;
class TCategory;
class TDmoz;
class TSymbolicCategory;
class TTreeNode;

// The document lists the tree's records in tree order, and the feed relies on it: a parent
// is posted before its children. These keep it so while the tree is edited, and let an edit
// be taken back to the very arrays it started from.

// The records of a branch in tree order, the node's own first.
std::vector<TBaseCategory*> RecordsOfBranch(const TTreeNode& branch, const TProcessMessages& processMessages = {});

// Records taken out of the document, each with the place it had in its array, ascending.
struct TDocumentPlaces {
    std::vector<std::pair<std::size_t, TCategory*>> Categories;
    std::vector<std::pair<std::size_t, TSymbolicCategory*>> SymbolicCategories;
};

// Takes the first occurrence of each record out of its array, keeping the order of the
// others, in one pass per array; a record the document does not list changes nothing.
TDocumentPlaces TakeOutOfDocument(TDmoz& document, const std::vector<TBaseCategory*>& records);

// Puts records back at the places they were taken from. With the arrays as the take left
// them, they become exactly what they were before it.
void PutBackIntoDocument(TDmoz& document, const TDocumentPlaces& places);

// Adds the records of a branch of the tree to the document where tree order puts them: in
// each array, before the first record of that kind that follows the branch in the tree.
void AddToDocumentInTreeOrder(TDmoz& document, const TTreeNode& branch);
