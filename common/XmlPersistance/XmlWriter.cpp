#include "common/XmlPersistance/XmlPersistance.h"

#include "common/XmlPersistance/FileReplace.h"
#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/ValueText.h"
#include "common/XmlPersistance/XmlLog.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/XmlPersistance/XmlTextWriter.h"

namespace {

// The writer's own check of the array shape reports where it stands in the engine.
constexpr int SingleDimensionCheckLine = 390;

std::string VariantLogText(const TVariant& value)
{
    try {
        return value.ToText();
    } catch (const Exception& error) {
        return "<variant(" + error.message() + ")>";
    }
}

// Null has no text of its own; it is written as an empty element, which reads back as null.
std::string VariantElementText(const TVariant& value)
{
    return value.IsNull() ? std::string() : value.ToText();
}

// The value text of a scalar property; none for the kinds written otherwise or not at all.
std::optional<std::string> ScalarText(const TXMLPersistentObject& object, const TPropertyInfo& property)
{
    switch (property.Kind) {
    case pkInteger:
    case pkChar:
    case pkEnumeration:
    case pkSet:
    case pkWideChar:
        return std::to_string(property.GetOrdinal(object));
    case pkFloat:
        return FloatToText(property.GetFloat(object));
    case pkShortString:
    case pkString:
    case pkWideString:
        return property.GetText(object);
    case pkInt64:
        return std::to_string(property.GetInt64(object));
    default:
        return std::nullopt;
    }
}

void SetElementText(pugi::xml_node element, const std::string& text)
{
    if (!text.empty())
        element.text().set(text.c_str());
}

void WriteClassProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                        pugi::xml_node objectElement)
{
    const TXMLPersistentObject* value = property.GetObject(object);
    pugi::xml_node element = objectElement.append_child(property.Name.c_str());
    if (value) {
        XmlTrace("- propinfo ", number, " class propvalue: not nil");
        TXmlPersistance::ObjectToNode(*value, element);
    } else {
        XmlTrace("- propinfo ", number, " class propvalue: nil");
        element.append_attribute("isNull").set_value("true");
    }
}

void WriteArrayProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                        pugi::xml_node objectElement)
{
    const TDynArrayInfo& array = property.Array;
    if (array.Dimensions != 1)
        throw EAssertionFailed("Only single dimension arrays are supported. (common/XmlPersistance, line " +
                               std::to_string(SingleDimensionCheckLine) + ")");
    const std::size_t length = array.Length(object);
    XmlTrace("- propinfo ", number, " dynarray propvalue length: ", length);
    pugi::xml_node arrayElement = objectElement.append_child(property.Name.c_str());
    for (std::size_t slot = 0; slot < length; ++slot) {
        switch (array.ElementKind) {
        case pkInteger:
            arrayElement.append_child("e").append_attribute("v").set_value(array.GetInteger(object, slot));
            break;
        case pkShortString:
        case pkString:
        case pkWideString:
            SetElementText(arrayElement.append_child("e"), array.GetText(object, slot));
            break;
        case pkClass:
            if (const TXMLPersistentObject* element = array.GetObject(object, slot))
                TXmlPersistance::ObjectToNode(*element, arrayElement);
            else
                throw EXmlPersistance("Slot " + std::to_string(slot) + " of array " + property.Name +
                                      " holds no object.");
            break;
        default:
            throw Exception("Element type " + std::to_string(array.ElementKind) + " not implemented.");
        }
    }
}

void WriteVariantProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                          pugi::xml_node objectElement)
{
    const TVariant value = property.GetVariant(object);
    pugi::xml_node element = objectElement.append_child(property.Name.c_str());
    SetElementText(element, VariantElementText(value));
    if (IsLogged(llFullDebug))
        XmlTrace("- propinfo ", number, " propvalue: ", VariantLogText(value));
}

void WriteScalarProperty(const std::string& text, const TPropertyInfo& property, std::size_t number,
                         pugi::xml_node objectElement)
{
    SetElementText(objectElement.append_child(property.Name.c_str()), text);
    XmlTrace("- propinfo ", number, " propvalue: ", text);
}

void WriteProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                   pugi::xml_node objectElement)
{
    XmlTrace("- propinfo is nil? False");
    XmlTrace("- propinfo ", number, ": ", property.Name);
    XmlTrace("- propinfo ", number, " proptype: ", property.TypeName);
    XmlTrace("- propinfo ", number, ": ", property.Name);
    if (std::optional<std::string> text = ScalarText(object, property)) {
        WriteScalarProperty(*text, property, number, objectElement);
        return;
    }
    switch (property.Kind) {
    case pkVariant:
        WriteVariantProperty(object, property, number, objectElement);
        break;
    case pkClass:
        WriteClassProperty(object, property, number, objectElement);
        break;
    case pkDynArray:
        WriteArrayProperty(object, property, number, objectElement);
        break;
    case pkMethod:
        break;
    default:
        throw EXmlPersistance("Property type " + std::to_string(property.Kind) + " not implemented.");
    }
}

}  // namespace

void TXmlPersistance::ObjectToNode(const TXMLPersistentObject& object, pugi::xml_node parent)
{
    const TXMLPersistentClass& xmlClass = object.XmlClass();
    XmlTrace("saving to xml ", xmlClass.ClassName());
    XmlTrace("- has ", xmlClass.PropertyCount(), " properties");
    XmlTrace("- object is nil? False");
    pugi::xml_node objectElement = parent.append_child(xmlClass.ClassName().c_str());
    std::size_t number = 0;
    for (const TPropertyInfo* property : xmlClass.SortedProperties())
        WriteProperty(object, *property, ++number, objectElement);
    XmlTrace("done saving to xml ", xmlClass.ClassName());
}

std::string TXmlPersistance::ObjectToXml(const TXMLPersistentObject& object, bool indented)
{
    pugi::xml_document document;
    pugi::xml_node wrapper = document.append_child("DUMMY_NODE");
    ObjectToNode(object, wrapper);
    std::string text = ElementToText(indented ? wrapper : wrapper.first_child(), indented);
    if (IsLogged(llFullDebug))
        XmlLogger().Log("Saved object to xml:\r\n" + text, llFullDebug, nullptr);
    return text;
}

void TXmlPersistance::ObjectToFile(const TXMLPersistentObject& object, const std::string& fileName)
{
    ReplaceFileContent(fileName, ObjectToXml(object, true));
}
