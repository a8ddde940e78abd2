#pragma once

#include "common/XmlPersistance/PersistentClass.h"

#include <cstdint>
#include <string>

// The common part of every category record: the display name that is posted to the site
// and the key by which a symbolic category names its target.
class TBaseCategory : public TXMLPersistentObject {
public:
    std::u16string Name, Url;

    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// A regular category of the directory.
class TCategory : public TBaseCategory {
public:
    std::int32_t ID = 0, Content = 0;

    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// A link that shows the category whose Url it carries a second time, under the category
// whose ID is Parent.
class TSymbolicCategory : public TBaseCategory {
public:
    std::int32_t Parent = 0;

    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};
