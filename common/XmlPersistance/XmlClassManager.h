#pragma once

#include "common/XmlPersistance/PersistentClass.h"

#include <mutex>
#include <string_view>
#include <vector>

// The registry of persistable classes by which the reader turns an element name back into
// a class. Classes are only ever added.
class TXMLClassManager {
public:
    // Appends the class unless one of the same name (see ClassByName) is registered already.
    void AddClass(const TXMLPersistentClass& xmlClass);
    // The first registered class whose name equals name without regard to ASCII case; none
    // when there is none (always for an empty name).
    const TXMLPersistentClass* ClassByName(std::string_view name) const;

private:
    mutable std::recursive_mutex Lock;
    std::vector<const TXMLPersistentClass*> Classes;
};

// The one registry of the program.
TXMLClassManager& XmlClassManager();

void RegisterXmlClass(const TXMLPersistentClass& xmlClass);
const TXMLPersistentClass* GetXmlClass(std::string_view name);
