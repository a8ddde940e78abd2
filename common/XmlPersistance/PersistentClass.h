#pragma once

#include "common/XmlPersistance/PersistentObject.h"
#include "common/XmlPersistance/PropertyInfo.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The property table of one persistable class: its name, its base, its published
// properties and the creation of new instances. Each class keeps one instance for the
// life of the process (see the ClassInfo functions of the classes).
class TXMLPersistentClass {
public:
    using TCreate = std::unique_ptr<TXMLPersistentObject> (*)();

    TXMLPersistentClass(std::string name, const TXMLPersistentClass* parent, std::vector<TPropertyInfo> ownProperties,
                        TCreate create);
    TXMLPersistentClass(const TXMLPersistentClass&) = delete;
    TXMLPersistentClass& operator=(const TXMLPersistentClass&) = delete;

    const std::string& ClassName() const { return Name; }
    const TXMLPersistentClass* Parent() const { return ParentClass; }

    // Published properties of all kinds, inherited ones included.
    std::size_t PropertyCount() const { return Sorted.size(); }
    // The same properties sorted by name (see CompareFoldedNames).
    const std::vector<const TPropertyInfo*>& SortedProperties() const { return Sorted; }
    // The class's own properties are searched before those of its bases; none when absent.
    const TPropertyInfo* FindProperty(std::string_view name) const;
    // The same, looking first at the given place of the sorted list, where the writer puts it.
    const TPropertyInfo* FindProperty(std::string_view name, std::size_t place) const;

    bool InheritsFrom(const TXMLPersistentClass& other) const;

    // A new instance with every field zero, empty or none.
    std::unique_ptr<TXMLPersistentObject> NewInstance() const;

private:
    std::string Name;
    const TXMLPersistentClass* ParentClass;
    std::vector<TPropertyInfo> OwnProperties;
    std::vector<const TPropertyInfo*> Sorted;
    // No two properties share a name, so the sorted list alone answers a lookup.
    bool DistinctNames = true;
    TCreate Create;
};

// Names compare character by character with the bit of value 32 cleared, which folds
// ASCII lower-case letters onto upper case; a prefix sorts before the longer name.
int CompareFoldedNames(std::string_view a, std::string_view b);
// Equal length and equal under the same folding.
bool SameFoldedName(std::string_view a, std::string_view b);
