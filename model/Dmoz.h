#pragma once

#include "model/Category.h"

#include <cstdint>
#include <string>
#include <vector>

// The category document: every record of the loaded tree, regular and symbolic ones apart,
// in tree pre-order. It only refers to the records; the tree's nodes own them, and the tree
// builds the document where its arrays are read (DocumentOfTree).
class TDmoz : public TXMLPersistentObject {
public:
    std::vector<TCategory*> Categories;
    std::vector<TSymbolicCategory*> SymbolicCategories;

    // A TCategory (or derived) goes to Categories, anything else to SymbolicCategories.
    void AddRecord(TBaseCategory* record);
    // Drops the first occurrence of the record from its array; the record is not freed.
    void RemoveRecord(TBaseCategory* record);

    // The first category in Categories with that ID; none when there is none.
    TCategory* FindCategoryByID(std::int32_t id) const;
    // The first category in Categories whose Url equals url (UTF-8) without regard to
    // letter case; none when there is none.
    TCategory* FindCategoryByUrl(const std::string& url) const;

    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};
