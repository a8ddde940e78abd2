#include "common/XmlPersistance/XmlReader.h"

#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/ValueText.h"
#include "common/XmlPersistance/XmlClassManager.h"
#include "common/XmlPersistance/XmlDom.h"
#include "common/XmlPersistance/XmlLog.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/XmlPersistance/XmlReadLimits.h"

#include <unordered_set>
#include <vector>

namespace {

// Element names as far as an error message shows them: a damaged file may hold one of any
// length.
constexpr std::size_t MaxNameInMessage = 200;

std::string NameForMessage(std::string_view name)
{
    if (name.size() <= MaxNameInMessage)
        return std::string(name);
    return std::string(name.substr(0, MaxNameInMessage)) + "...";
}

std::optional<std::string_view> LimitedValue(std::optional<std::string_view> value, std::string_view propertyName)
{
    if (value && value->size() > MaxValueLength)
        throw EXmlPersistance("Value of " + std::string(propertyName) + " is longer than " +
                              std::to_string(MaxValueLength) + " bytes.");
    return value;
}

// Builds one object graph from an element. Objects stored in borrowing properties are
// held apart from it, and handed over with it once the read succeeds. Elements are removed
// from their document as soon as they have been read, so that the objects built reuse the
// document's memory instead of adding to it.
class TObjectReader {
public:
    explicit TObjectReader(TXmlPersistance::TReadCheck check) : Check(std::move(check)) {}

    TXmlPersistance::TReadResult Read(TChildNode element)
    {
        std::unique_ptr<TXMLPersistentObject> object = ReadObject(element, nullptr, {});
        if (Replaced)
            FreeUnreachableBorrowed(*object);
        return {std::move(object), std::move(Borrowed)};
    }

    // The element read last: where an error was found.
    pugi::xml_node Current;

private:
    TXmlPersistance::TReadCheck Check;
    std::vector<std::unique_ptr<TXMLPersistentObject>> Borrowed;
    // The classes met so far, looked at before the registry, whose lock every lookup takes.
    std::vector<const TXMLPersistentClass*> ClassesMet;
    std::size_t Depth = 0;
    // A property element came twice and its second object replaced the first one.
    bool Replaced = false;

    struct TDepthGuard {
        explicit TDepthGuard(std::size_t& depth) : Depth(depth)
        {
            if (Depth >= MaxNestingDepth)
                throw EXmlPersistance("Objects are nested deeper than " + std::to_string(MaxNestingDepth) + " levels.");
            ++Depth;
        }
        ~TDepthGuard() { --Depth; }
        std::size_t& Depth;
    };

    // Declared: the class that the property or array declares, or none at the top.
    std::unique_ptr<TXMLPersistentObject> ReadObject(TChildNode node, const TXMLPersistentClass* declared,
                                                     std::string_view propertyName)
    {
        const pugi::xml_node element = node.Element();
        if (element)
            Current = element;
        const TDepthGuard guard(Depth);
        const std::string_view name = node.Name();
        XmlTrace("loading from xml ", name);
        const TXMLPersistentClass* xmlClass = ClassNamed(name);
        if (!xmlClass)
            throw EXmlPersistance("Xml class " + NameForMessage(name) + " is not registered.");
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
        std::size_t place = 0;
        ForEachChildNode(element, [&](TChildNode child) {
            if (child.Element())
                Current = child.Element();
            const TPropertyInfo* property = xmlClass->FindProperty(child.Name(), place++);
            if (!property)
                throw EXmlPersistance("Property name " + NameForMessage(child.Name()) + " not found in class.");
            ReadProperty(*object, *property, child.Element());
            Release(element, child);
        });
        XmlTrace("done loading from xml ", name);
        if (Check) {
            Current = element;
            Check(*object, Depth == 1);
        }
        return object;
    }

    void ReadProperty(TXMLPersistentObject& object, const TPropertyInfo& property, pugi::xml_node child)
    {
        const bool hasValue = property.Kind != pkClass && property.Kind != pkMethod && property.Kind != pkDynArray;
        const std::optional<std::string_view> value =
            hasValue ? LimitedValue(ElementText(child), property.Name) : std::nullopt;
        switch (property.Kind) {
        case pkInteger:
        case pkChar:
        case pkEnumeration:
        case pkSet:
        case pkWideChar: property.SetOrdinal(object, TextToInteger(value)); break;
        case pkFloat: property.SetFloat(object, TextToFloat(value)); break;
        case pkShortString:
        case pkString:
        case pkWideString: property.SetText(object, value.value_or(std::string_view())); break;
        case pkClass: ReadClassProperty(object, property, child); break;
        case pkMethod: break;
        case pkVariant: property.SetVariant(object, value ? TVariant(std::string(*value)) : TVariant::Null()); break;
        case pkInt64: property.SetInt64(object, TextToInt64(value)); break;
        case pkDynArray: ReadArray(object, property, child); break;
        default: throw EXmlPersistance("Property type " + std::to_string(property.Kind) + " not implemented.");
        }
    }

    void ReadClassProperty(TXMLPersistentObject& object, const TPropertyInfo& property, pugi::xml_node child)
    {
        if (property.GetObject(object))
            Replaced = true;
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
        if (array.ElementKind == pkClass && array.Length(object) > 0)
            Replaced = true;
        array.Resize(object, ChildNodeCount(child));
        std::size_t slot = 0;
        ForEachChildNode(child, [&](TChildNode element) {
            ReadArraySlot(object, property, slot++, element);
            Release(child, element);
        });
    }

    // An error is placed at the element read last; once that is gone, at its parent.
    void Release(pugi::xml_node parent, TChildNode child)
    {
        if (child.Element()) {
            parent.remove_child(child.Element());
            Current = parent;
        }
    }

    const TXMLPersistentClass* ClassNamed(std::string_view name)
    {
        for (const TXMLPersistentClass* known : ClassesMet)
            if (SameFoldedName(known->ClassName(), name))
                return known;
        const TXMLPersistentClass* xmlClass = GetXmlClass(name);
        if (xmlClass)
            ClassesMet.push_back(xmlClass);
        return xmlClass;
    }

    void ReadArraySlot(TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t slot,
                       TChildNode element)
    {
        const TDynArrayInfo& array = property.Array;
        switch (array.ElementKind) {
        case pkInteger: {
            const pugi::xml_attribute v = element.Element().attribute("v");
            array.SetInteger(object, slot,
                             TextToInteger(v ? std::optional<std::string_view>(v.value()) : std::nullopt));
            break;
        }
        case pkShortString:
        case pkString:
        case pkWideString:
            array.SetText(object, slot, LimitedValue(element.Text(), property.Name).value_or(std::string_view()));
            break;
        case pkClass:
            StoreObject(ReadObject(element, &array.ElementClass(), property.Name), array.OwnsElements,
                        [&](TXMLPersistentObject* stored) { array.SetObject(object, slot, stored); });
            break;
        default: throw Exception("Element type " + std::to_string(array.ElementKind) + " not implemented.");
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

    // Objects that a replaced object referred to in borrowing properties are referred to by
    // nobody now; they are freed here instead of being handed to the caller.
    void FreeUnreachableBorrowed(const TXMLPersistentObject& root)
    {
        std::unordered_set<const TXMLPersistentObject*> reachable;
        std::vector<const TXMLPersistentObject*> pending{&root};
        auto visit = [&pending](const TXMLPersistentObject* object) {
            if (object)
                pending.push_back(object);
        };
        while (!pending.empty()) {
            const TXMLPersistentObject* object = pending.back();
            pending.pop_back();
            if (!reachable.insert(object).second)
                continue;
            for (const TPropertyInfo* property : object->XmlClass().SortedProperties()) {
                if (property->Kind == pkClass)
                    visit(property->GetObject(*object));
                if (property->Kind == pkDynArray && property->Array.ElementKind == pkClass) {
                    for (std::size_t slot = 0; slot < property->Array.Length(*object); ++slot)
                        visit(property->Array.GetObject(*object, slot));
                }
            }
        }
        std::erase_if(Borrowed, [&reachable](const auto& borrowed) { return !reachable.contains(borrowed.get()); });
    }
};

}  // namespace

TXmlPersistance::TReadResult ReadXmlFile(const std::string& fileName, const TXmlPersistance::TReadCheck& check)
{
    TXmlFileDocument document(fileName);
    const pugi::xml_node first = document.FirstTopLevelNode();
    TObjectReader reader(check);
    reader.Current = first;
    try {
        const TChildNode element =
            std::string_view(first.name()) == "DUMMY_NODE" ? RequiredFirstChildNode(first) : TChildNode::Node(first);
        return reader.Read(element);
    } catch (Exception& error) {
        error.AppendToMessage(document.PlaceOf(reader.Current));
        throw;
    }
}
