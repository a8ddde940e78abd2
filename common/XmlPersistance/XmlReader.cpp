#include "common/XmlPersistance/XmlPersistance.h"

#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/ValueText.h"
#include "common/XmlPersistance/XmlClassManager.h"
#include "common/XmlPersistance/XmlDom.h"
#include "common/XmlPersistance/XmlLog.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"

#include <algorithm>
#include <vector>

namespace {

// Deeper nesting than any real document has would only exhaust the stack.
constexpr int MaxNestingDepth = 1000;

// Builds one object graph from an element. Objects stored in borrowing properties are
// held here until the read succeeds, so that a failed read frees them with the rest.
class TObjectReader {
public:
    std::unique_ptr<TXMLPersistentObject> Read(pugi::xml_node element)
    {
        std::unique_ptr<TXMLPersistentObject> object = ReadObject(element, nullptr, {});
        for (auto& borrowed : Borrowed)
            static_cast<void>(borrowed.release());
        return object;
    }

private:
    std::vector<std::unique_ptr<TXMLPersistentObject>> Borrowed;
    int Depth = 0;

    struct TDepthGuard {
        explicit TDepthGuard(int& depth) : Depth(depth)
        {
            if (++Depth > MaxNestingDepth)
                throw EXmlPersistance("Objects are nested deeper than " + std::to_string(MaxNestingDepth) +
                                      " levels.");
        }
        ~TDepthGuard() { --Depth; }
        int& Depth;
    };

    // Declared: the class that the property or array declares, or none at the top.
    std::unique_ptr<TXMLPersistentObject> ReadObject(pugi::xml_node element, const TXMLPersistentClass* declared,
                                                     std::string_view propertyName)
    {
        const TDepthGuard guard(Depth);
        const std::string_view name = NodeName(element);
        XmlTrace("loading from xml ", name);
        const TXMLPersistentClass* xmlClass = GetXmlClass(name);
        if (!xmlClass)
            throw EXmlPersistance("Xml class " + std::string(name) + " is not registered.");
        if (declared && !xmlClass->InheritsFrom(*declared))
            throw EXmlPersistance("Xml class " + std::string(name) + " does not fit property " +
                                  std::string(propertyName) + ".");
        std::unique_ptr<TXMLPersistentObject> object = xmlClass->NewInstance();
        const std::size_t inClass = xmlClass->PropertyCount();
        const std::size_t inXml = ChildNodeCount(element);
        if (inClass != inXml)
            throw EXmlPersistance("Property list not consistent. " + std::to_string(inClass) +
                                  " properties found in class and " + std::to_string(inXml) +
                                  " properties found in XML.");
        for (pugi::xml_node child = FirstChildNode(element); child; child = child.next_sibling()) {
            const TPropertyInfo* property = xmlClass->FindProperty(NodeName(child));
            if (!property)
                throw EXmlPersistance("Property name " + std::string(NodeName(child)) + " not found in class.");
            ReadProperty(*object, *property, child);
        }
        XmlTrace("done loading from xml ", name);
        return object;
    }

    void ReadProperty(TXMLPersistentObject& object, const TPropertyInfo& property, pugi::xml_node child)
    {
        const bool hasValue = property.Kind != pkClass && property.Kind != pkMethod && property.Kind != pkDynArray;
        const std::optional<std::string_view> value = hasValue ? ElementText(child) : std::nullopt;
        switch (property.Kind) {
        case pkInteger:
        case pkChar:
        case pkEnumeration:
        case pkSet:
        case pkWideChar:
            property.SetOrdinal(object, TextToInteger(value));
            break;
        case pkFloat:
            property.SetFloat(object, TextToFloat(value));
            break;
        case pkShortString:
        case pkString:
        case pkWideString:
            property.SetText(object, value.value_or(std::string_view()));
            break;
        case pkClass:
            ReadClassProperty(object, property, child);
            break;
        case pkMethod:
            break;
        case pkVariant:
            property.SetVariant(object, value ? TVariant(std::string(*value)) : TVariant::Null());
            break;
        case pkInt64:
            property.SetInt64(object, TextToInt64(value));
            break;
        case pkDynArray:
            ReadArray(object, property, child);
            break;
        default:
            throw EXmlPersistance("Property type " + std::to_string(property.Kind) + " not implemented.");
        }
    }

    void ReadClassProperty(TXMLPersistentObject& object, const TPropertyInfo& property, pugi::xml_node child)
    {
        if (!property.OwnsValue)
            DiscardBorrowed(property.GetObject(object));
        if (std::string_view(child.attribute("isNull").value()) == "true") {
            property.SetObject(object, nullptr);
            return;
        }
        std::unique_ptr<TXMLPersistentObject> value =
            ReadObject(RequiredFirstChildNode(child), &property.ValueClass(), property.Name);
        StoreObject(std::move(value), property.OwnsValue,
                    [&](TXMLPersistentObject* stored) { property.SetObject(object, stored); });
    }

    void ReadArray(TXMLPersistentObject& object, const TPropertyInfo& property, pugi::xml_node child)
    {
        const TDynArrayInfo& array = property.Array;
        if (array.ElementKind == pkClass && !array.OwnsElements) {
            for (std::size_t slot = 0; slot < array.Length(object); ++slot)
                DiscardBorrowed(array.GetObject(object, slot));
        }
        array.Resize(object, ChildNodeCount(child));
        std::size_t slot = 0;
        for (pugi::xml_node element = FirstChildNode(child); element; element = element.next_sibling(), ++slot)
            ReadArraySlot(object, property, slot, element);
    }

    void ReadArraySlot(TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t slot,
                       pugi::xml_node element)
    {
        const TDynArrayInfo& array = property.Array;
        switch (array.ElementKind) {
        case pkInteger: {
            const pugi::xml_attribute v = element.attribute("v");
            array.SetInteger(object, slot, TextToInteger(v ? std::optional<std::string_view>(v.value()) : std::nullopt));
            break;
        }
        case pkShortString:
        case pkString:
        case pkWideString:
            array.SetText(object, slot, ElementText(element).value_or(std::string_view()));
            break;
        case pkClass:
            StoreObject(ReadObject(element, &array.ElementClass(), property.Name), array.OwnsElements,
                        [&](TXMLPersistentObject* stored) { array.SetObject(object, slot, stored); });
            break;
        default:
            throw Exception("Element type " + std::to_string(array.ElementKind) + " not implemented.");
        }
    }

    template <class TStore>
    void StoreObject(std::unique_ptr<TXMLPersistentObject> value, bool owning, TStore store)
    {
        if (owning) {
            store(value.get());
            static_cast<void>(value.release());
        } else {
            Borrowed.push_back(std::move(value));
            store(Borrowed.back().get());
        }
    }

    // A borrowing slot read twice (a duplicated property element) drops its first object,
    // which nobody else refers to.
    void DiscardBorrowed(const TXMLPersistentObject* previous)
    {
        if (!previous)
            return;
        const auto found = std::find_if(Borrowed.rbegin(), Borrowed.rend(),
                                        [previous](const auto& borrowed) { return borrowed.get() == previous; });
        if (found != Borrowed.rend())
            Borrowed.erase(std::next(found).base());
    }
};

}  // namespace

std::unique_ptr<TXMLPersistentObject> TXmlPersistance::FileToObject(const std::string& fileName)
{
    const TXmlFileDocument document(fileName);
    pugi::xml_node element = document.FirstTopLevelNode();
    if (std::string_view(element.name()) == "DUMMY_NODE")
        element = RequiredFirstChildNode(element);
    return NodeToObject(element);
}

std::unique_ptr<TXMLPersistentObject> TXmlPersistance::NodeToObject(const pugi::xml_node& element)
{
    TObjectReader reader;
    return reader.Read(element);
}
