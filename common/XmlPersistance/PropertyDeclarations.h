#pragma once

// Helpers that build property-table entries over data members, so that a persistable class
// declares its published properties in one short list:
//   IntegerProperty<&TCategory::ID>("ID")

#include "common/XmlPersistance/PersistentClass.h"
#include "common/core/Text.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

template <class M>
struct TMemberPointer;

template <class C, class T>
struct TMemberPointer<T C::*> {
    using Class = C;
    using Type = T;
};

template <auto Field>
using TFieldType = typename TMemberPointer<decltype(Field)>::Type;

template <auto Field>
auto& FieldOf(TXMLPersistentObject& object)
{
    using TClass = typename TMemberPointer<decltype(Field)>::Class;
    return static_cast<TClass&>(object).*Field;
}

template <auto Field>
const auto& FieldOf(const TXMLPersistentObject& object)
{
    using TClass = typename TMemberPointer<decltype(Field)>::Class;
    return static_cast<const TClass&>(object).*Field;
}

inline TPropertyInfo NewProperty(std::string name, PropertyKind kind, std::string typeName)
{
    TPropertyInfo info;
    info.Name = std::move(name);
    info.Kind = kind;
    info.TypeName = std::move(typeName);
    return info;
}

// Any integral, character, boolean or enumeration member, stored as its 32-bit ordinal. A
// char's ordinal is its unsigned code (0 to 255), whatever the sign of char; reading takes a
// negative code of earlier files back to the same char.
template <auto Field>
TPropertyInfo OrdinalProperty(std::string name, PropertyKind kind, std::string typeName)
{
    using T = TFieldType<Field>;
    TPropertyInfo info = NewProperty(std::move(name), kind, std::move(typeName));
    info.GetOrdinal = [](const TXMLPersistentObject& o) {
        if constexpr (std::is_same_v<T, char>)
            return static_cast<std::int32_t>(static_cast<unsigned char>(FieldOf<Field>(o)));
        else
            return static_cast<std::int32_t>(FieldOf<Field>(o));
    };
    info.SetOrdinal = [](TXMLPersistentObject& o, std::int32_t value) { FieldOf<Field>(o) = static_cast<T>(value); };
    return info;
}

template <auto Field>
TPropertyInfo IntegerProperty(std::string name)
{
    return OrdinalProperty<Field>(std::move(name), pkInteger, "Integer");
}

template <auto Field>
TPropertyInfo FloatProperty(std::string name, std::string typeName = "Double")
{
    TPropertyInfo info = NewProperty(std::move(name), pkFloat, std::move(typeName));
    info.GetFloat = [](const TXMLPersistentObject& o) { return static_cast<double>(FieldOf<Field>(o)); };
    info.SetFloat = [](TXMLPersistentObject& o, double value) {
        FieldOf<Field>(o) = static_cast<TFieldType<Field>>(value);
    };
    return info;
}

template <auto Field>
TPropertyInfo Int64Property(std::string name)
{
    TPropertyInfo info = NewProperty(std::move(name), pkInt64, "Int64");
    info.GetInt64 = [](const TXMLPersistentObject& o) { return FieldOf<Field>(o); };
    info.SetInt64 = [](TXMLPersistentObject& o, std::int64_t value) { FieldOf<Field>(o) = value; };
    return info;
}

// A UTF-8 std::string member: pkString ("AnsiString") or pkShortString.
template <auto Field>
TPropertyInfo StringProperty(std::string name, PropertyKind kind = pkString, std::string typeName = "AnsiString")
{
    TPropertyInfo info = NewProperty(std::move(name), kind, std::move(typeName));
    info.GetText = [](const TXMLPersistentObject& o) { return FieldOf<Field>(o); };
    info.SetText = [](TXMLPersistentObject& o, std::string_view text) { FieldOf<Field>(o) = text; };
    return info;
}

// A UTF-16 std::u16string member.
template <auto Field>
TPropertyInfo WideStringProperty(std::string name)
{
    TPropertyInfo info = NewProperty(std::move(name), pkWideString, "WideString");
    info.GetText = [](const TXMLPersistentObject& o) { return Utf16ToUtf8(FieldOf<Field>(o)); };
    info.SetText = [](TXMLPersistentObject& o, std::string_view text) { FieldOf<Field>(o) = Utf8ToUtf16(text); };
    return info;
}

template <auto Field>
TPropertyInfo VariantProperty(std::string name)
{
    TPropertyInfo info = NewProperty(std::move(name), pkVariant, "Variant");
    info.GetVariant = [](const TXMLPersistentObject& o) { return FieldOf<Field>(o); };
    info.SetVariant = [](TXMLPersistentObject& o, TVariant value) { FieldOf<Field>(o) = std::move(value); };
    return info;
}

// A T* member that refers to an object owned elsewhere. The type name is T's class name.
template <auto Field>
TPropertyInfo BorrowedObjectProperty(std::string name, std::string typeName)
{
    using T = std::remove_pointer_t<TFieldType<Field>>;
    TPropertyInfo info = NewProperty(std::move(name), pkClass, std::move(typeName));
    info.ValueClass = &T::ClassInfo;
    info.OwnsValue = false;
    info.GetObject = [](const TXMLPersistentObject& o) -> TXMLPersistentObject* { return FieldOf<Field>(o); };
    info.SetObject = [](TXMLPersistentObject& o, TXMLPersistentObject* value) {
        FieldOf<Field>(o) = static_cast<T*>(value);
    };
    return info;
}

// A std::unique_ptr<T> member that owns its object. The type name is T's class name.
template <auto Field>
TPropertyInfo OwnedObjectProperty(std::string name, std::string typeName)
{
    using T = typename TFieldType<Field>::element_type;
    TPropertyInfo info = NewProperty(std::move(name), pkClass, std::move(typeName));
    info.ValueClass = &T::ClassInfo;
    info.OwnsValue = true;
    info.GetObject = [](const TXMLPersistentObject& o) -> TXMLPersistentObject* { return FieldOf<Field>(o).get(); };
    info.SetObject = [](TXMLPersistentObject& o, TXMLPersistentObject* value) {
        FieldOf<Field>(o).reset(static_cast<T*>(value));
    };
    return info;
}

template <auto Field>
TPropertyInfo DynArrayProperty(std::string name, std::string typeName, PropertyKind elementKind)
{
    TPropertyInfo info = NewProperty(std::move(name), pkDynArray, std::move(typeName));
    info.Array.ElementKind = elementKind;
    info.Array.Length = [](const TXMLPersistentObject& o) { return FieldOf<Field>(o).size(); };
    info.Array.Resize = [](TXMLPersistentObject& o, std::size_t length) { FieldOf<Field>(o).resize(length); };
    return info;
}

// A std::vector<std::int32_t> member.
template <auto Field>
TPropertyInfo IntegerArrayProperty(std::string name, std::string typeName)
{
    TPropertyInfo info = DynArrayProperty<Field>(std::move(name), std::move(typeName), pkInteger);
    info.Array.GetInteger = [](const TXMLPersistentObject& o, std::size_t i) { return FieldOf<Field>(o)[i]; };
    info.Array.SetInteger = [](TXMLPersistentObject& o, std::size_t i, std::int32_t value) {
        FieldOf<Field>(o)[i] = value;
    };
    return info;
}

// A std::vector<std::string> (UTF-8) member.
template <auto Field>
TPropertyInfo StringArrayProperty(std::string name, std::string typeName)
{
    TPropertyInfo info = DynArrayProperty<Field>(std::move(name), std::move(typeName), pkString);
    info.Array.GetText = [](const TXMLPersistentObject& o, std::size_t i) { return FieldOf<Field>(o)[i]; };
    info.Array.SetText = [](TXMLPersistentObject& o, std::size_t i, std::string_view text) {
        FieldOf<Field>(o)[i] = text;
    };
    return info;
}

// A std::vector<T*> member whose objects are owned elsewhere.
template <auto Field>
TPropertyInfo BorrowedObjectArrayProperty(std::string name, std::string typeName)
{
    using T = std::remove_pointer_t<typename TFieldType<Field>::value_type>;
    TPropertyInfo info = DynArrayProperty<Field>(std::move(name), std::move(typeName), pkClass);
    info.Array.ElementClass = &T::ClassInfo;
    info.Array.OwnsElements = false;
    info.Array.GetObject = [](const TXMLPersistentObject& o, std::size_t i) -> TXMLPersistentObject* {
        return FieldOf<Field>(o)[i];
    };
    info.Array.SetObject = [](TXMLPersistentObject& o, std::size_t i, TXMLPersistentObject* value) {
        FieldOf<Field>(o)[i] = static_cast<T*>(value);
    };
    return info;
}

// A std::vector<std::unique_ptr<T>> member that owns its objects.
template <auto Field>
TPropertyInfo OwnedObjectArrayProperty(std::string name, std::string typeName)
{
    using T = typename TFieldType<Field>::value_type::element_type;
    TPropertyInfo info = DynArrayProperty<Field>(std::move(name), std::move(typeName), pkClass);
    info.Array.ElementClass = &T::ClassInfo;
    info.Array.OwnsElements = true;
    info.Array.GetObject = [](const TXMLPersistentObject& o, std::size_t i) -> TXMLPersistentObject* {
        return FieldOf<Field>(o)[i].get();
    };
    info.Array.SetObject = [](TXMLPersistentObject& o, std::size_t i, TXMLPersistentObject* value) {
        FieldOf<Field>(o)[i].reset(static_cast<T*>(value));
    };
    return info;
}

// The creation function of a class's property table.
template <class T>
std::unique_ptr<TXMLPersistentObject> CreateInstance()
{
    return std::make_unique<T>();
}
