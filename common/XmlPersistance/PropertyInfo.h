#pragma once

#include "common/XmlPersistance/PropertyKind.h"
#include "common/XmlPersistance/Variant.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TXMLPersistentClass;
class TXMLPersistentObject;

// Access to a dynamic-array property: its shape, its length and its slots. Only the
// accessors of the element kind are set.
struct TDynArrayInfo {
    int Dimensions = 1;
    PropertyKind ElementKind = pkUnknown;
    // For object arrays: the declared element class (asked for only when needed, so that
    // a class may hold objects of its own class), and whether the array owns its objects
    // (and frees them) or only refers to objects owned elsewhere.
    const TXMLPersistentClass& (*ElementClass)() = nullptr;
    bool OwnsElements = false;

    std::size_t (*Length)(const TXMLPersistentObject&) = nullptr;
    // New slots are empty.
    void (*Resize)(TXMLPersistentObject&, std::size_t) = nullptr;

    std::int32_t (*GetInteger)(const TXMLPersistentObject&, std::size_t) = nullptr;
    void (*SetInteger)(TXMLPersistentObject&, std::size_t, std::int32_t) = nullptr;
    std::string (*GetText)(const TXMLPersistentObject&, std::size_t) = nullptr;
    void (*SetText)(TXMLPersistentObject&, std::size_t, std::string_view) = nullptr;
    TXMLPersistentObject* (*GetObject)(const TXMLPersistentObject&, std::size_t) = nullptr;
    // Stores the object; an owning array takes it over and frees what the slot held.
    void (*SetObject)(TXMLPersistentObject&, std::size_t, TXMLPersistentObject*) = nullptr;
};

// One published property. Text values are UTF-8; only the accessors of the property's
// kind are set.
struct TPropertyInfo {
    std::string Name;
    PropertyKind Kind = pkUnknown;
    std::string TypeName;

    // pkInteger, pkChar, pkEnumeration, pkSet, pkWideChar: the 32-bit ordinal.
    std::int32_t (*GetOrdinal)(const TXMLPersistentObject&) = nullptr;
    void (*SetOrdinal)(TXMLPersistentObject&, std::int32_t) = nullptr;
    double (*GetFloat)(const TXMLPersistentObject&) = nullptr;
    void (*SetFloat)(TXMLPersistentObject&, double) = nullptr;
    std::string (*GetText)(const TXMLPersistentObject&) = nullptr;
    void (*SetText)(TXMLPersistentObject&, std::string_view) = nullptr;
    std::int64_t (*GetInt64)(const TXMLPersistentObject&) = nullptr;
    void (*SetInt64)(TXMLPersistentObject&, std::int64_t) = nullptr;
    TVariant (*GetVariant)(const TXMLPersistentObject&) = nullptr;
    void (*SetVariant)(TXMLPersistentObject&, TVariant) = nullptr;

    // pkClass: the declared class of the value (asked for only when needed), and whether
    // the property owns its value (and frees it) or only refers to an object owned elsewhere.
    const TXMLPersistentClass& (*ValueClass)() = nullptr;
    bool OwnsValue = false;
    TXMLPersistentObject* (*GetObject)(const TXMLPersistentObject&) = nullptr;
    // Stores the object (or none); an owning property takes it over and frees its old value.
    void (*SetObject)(TXMLPersistentObject&, TXMLPersistentObject*) = nullptr;

    TDynArrayInfo Array;
};
