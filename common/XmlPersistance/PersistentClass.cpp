#include "common/XmlPersistance/PersistentClass.h"

#include <algorithm>

namespace {

unsigned char Folded(char c)
{
    return static_cast<unsigned char>(c) & ~0x20u;
}

}  // namespace

int CompareFoldedNames(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (Folded(a[i]) != Folded(b[i]))
            return Folded(a[i]) < Folded(b[i]) ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Names in a file are nearly always spelt as declared; only the others are folded.
bool SameFoldedName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && (a == b || CompareFoldedNames(a, b) == 0);
}

TXMLPersistentClass::TXMLPersistentClass(std::string name, const TXMLPersistentClass* parent,
                                         std::vector<TPropertyInfo> ownProperties, TCreate create)
    : Name(std::move(name)), ParentClass(parent), OwnProperties(std::move(ownProperties)), Create(create)
{
    if (ParentClass)
        Sorted = ParentClass->Sorted;
    for (const TPropertyInfo& property : OwnProperties)
        Sorted.push_back(&property);
    std::stable_sort(Sorted.begin(), Sorted.end(), [](const TPropertyInfo* a, const TPropertyInfo* b) {
        return CompareFoldedNames(a->Name, b->Name) < 0;
    });
    for (std::size_t i = 1; i < Sorted.size(); ++i)
        DistinctNames = DistinctNames && !SameFoldedName(Sorted[i - 1]->Name, Sorted[i]->Name);
}

const TPropertyInfo* TXMLPersistentClass::FindProperty(std::string_view name) const
{
    for (const TXMLPersistentClass* xmlClass = this; xmlClass; xmlClass = xmlClass->ParentClass) {
        for (const TPropertyInfo& property : xmlClass->OwnProperties) {
            if (SameFoldedName(property.Name, name))
                return &property;
        }
    }
    return nullptr;
}

const TPropertyInfo* TXMLPersistentClass::FindProperty(std::string_view name, std::size_t place) const
{
    if (DistinctNames && place < Sorted.size() && SameFoldedName(Sorted[place]->Name, name))
        return Sorted[place];
    return FindProperty(name);
}

bool TXMLPersistentClass::InheritsFrom(const TXMLPersistentClass& other) const
{
    for (const TXMLPersistentClass* xmlClass = this; xmlClass; xmlClass = xmlClass->ParentClass) {
        if (xmlClass == &other)
            return true;
    }
    return false;
}

std::unique_ptr<TXMLPersistentObject> TXMLPersistentClass::NewInstance() const
{
    return Create();
}
