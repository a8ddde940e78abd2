#include "common/XmlPersistance/XmlWriter.h"

#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/ValueText.h"
#include "common/XmlPersistance/XmlLog.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/XmlPersistance/XmlSink.h"
#include "common/core/ReplacementFile.h"

namespace {

// Kept as described: the array-shape check names a fixed line of the engine, not the line of
// this source, so that the message stays the same whatever this file becomes.
constexpr int SingleDimensionCheckLine = 390;

const std::string WrapperName = "DUMMY_NODE";
const std::string ArraySlotName = "e";
const std::string NullAttribute = "isNull";
const std::string SlotValueAttribute = "v";

void WriteObject(const TXMLPersistentObject& object, TXmlSink& sink);

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
    case pkWideChar: return std::to_string(property.GetOrdinal(object));
    case pkFloat: return FloatToText(property.GetFloat(object));
    case pkShortString:
    case pkString:
    case pkWideString: return property.GetText(object);
    case pkInt64: return std::to_string(property.GetInt64(object));
    default: return std::nullopt;
    }
}

void WriteTextElement(TXmlSink& sink, const std::string& name, const std::string& text)
{
    sink.OpenElement(name);
    sink.SetText(text);
    sink.CloseElement();
}

void WriteClassProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                        TXmlSink& sink)
{
    const TXMLPersistentObject* value = property.GetObject(object);
    if (value) {
        XmlTrace("- propinfo ", number, " class propvalue: not nil");
        sink.OpenElement(property.Name);
        WriteObject(*value, sink);
    } else {
        XmlTrace("- propinfo ", number, " class propvalue: nil");
        sink.OpenElement(property.Name);
        sink.SetAttribute(NullAttribute, "true");
    }
    sink.CloseElement();
}

// The element kind decides how the slots are written, so an unsupported kind is refused
// even when the array is empty.
void WriteArraySlots(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t length,
                     TXmlSink& sink)
{
    const TDynArrayInfo& array = property.Array;
    switch (array.ElementKind) {
    case pkInteger:
        for (std::size_t slot = 0; slot < length; ++slot) {
            sink.OpenElement(ArraySlotName);
            sink.SetAttribute(SlotValueAttribute, std::to_string(array.GetInteger(object, slot)));
            sink.CloseElement();
        }
        break;
    case pkShortString:
    case pkString:
    case pkWideString:
        for (std::size_t slot = 0; slot < length; ++slot)
            WriteTextElement(sink, ArraySlotName, array.GetText(object, slot));
        break;
    case pkClass:
        for (std::size_t slot = 0; slot < length; ++slot) {
            const TXMLPersistentObject* element = array.GetObject(object, slot);
            if (!element)
                throw EXmlPersistance("Slot " + std::to_string(slot) + " of array " + property.Name +
                                      " holds no object.");
            WriteObject(*element, sink);
        }
        break;
    default: throw Exception("Element type " + std::to_string(array.ElementKind) + " not implemented.");
    }
}

void WriteArrayProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                        TXmlSink& sink)
{
    const TDynArrayInfo& array = property.Array;
    if (array.Dimensions != 1)
        throw EAssertionFailed("Only single dimension arrays are supported. (common/XmlPersistance, line " +
                               std::to_string(SingleDimensionCheckLine) + ")");
    const std::size_t length = array.Length(object);
    XmlTrace("- propinfo ", number, " dynarray propvalue length: ", length);
    sink.OpenElement(property.Name);
    WriteArraySlots(object, property, length, sink);
    sink.CloseElement();
}

void WriteVariantProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                          TXmlSink& sink)
{
    const TVariant value = property.GetVariant(object);
    WriteTextElement(sink, property.Name, VariantElementText(value));
    if (XmlTracing())
        XmlTrace("- propinfo ", number, " propvalue: ", VariantLogText(value));
}

void WriteScalarProperty(const std::string& text, const TPropertyInfo& property, std::size_t number, TXmlSink& sink)
{
    WriteTextElement(sink, property.Name, text);
    XmlTrace("- propinfo ", number, " propvalue: ", text);
}

void WriteProperty(const TXMLPersistentObject& object, const TPropertyInfo& property, std::size_t number,
                   TXmlSink& sink)
{
    // Kept as described: the property's name line comes twice; readers of the trace count on four lines.
    XmlTrace("- propinfo is nil? False");
    XmlTrace("- propinfo ", number, ": ", property.Name);
    XmlTrace("- propinfo ", number, " proptype: ", property.TypeName);
    XmlTrace("- propinfo ", number, ": ", property.Name);
    if (std::optional<std::string> text = ScalarText(object, property)) {
        WriteScalarProperty(*text, property, number, sink);
        return;
    }
    switch (property.Kind) {
    case pkVariant: WriteVariantProperty(object, property, number, sink); break;
    case pkClass: WriteClassProperty(object, property, number, sink); break;
    case pkDynArray: WriteArrayProperty(object, property, number, sink); break;
    case pkMethod: break;
    default: throw EXmlPersistance("Property type " + std::to_string(property.Kind) + " not implemented.");
    }
}

void WriteObject(const TXMLPersistentObject& object, TXmlSink& sink)
{
    const TXMLPersistentClass& xmlClass = object.XmlClass();
    XmlTrace("saving to xml ", xmlClass.ClassName());
    XmlTrace("- has ", xmlClass.PropertyCount(), " properties");
    XmlTrace("- object is nil? False");
    sink.OpenElement(xmlClass.ClassName());
    std::size_t number = 0;
    for (const TPropertyInfo* property : xmlClass.SortedProperties())
        WriteProperty(object, *property, ++number, sink);
    sink.CloseElement();
    XmlTrace("done saving to xml ", xmlClass.ClassName());
}

// The indented document: the object inside DUMMY_NODE.
void WriteDocument(const TXMLPersistentObject& object, TXmlSink& sink)
{
    sink.OpenElement(WrapperName);
    WriteObject(object, sink);
    sink.CloseElement();
}

// The text is built behind the head of its log record, which then needs no copy of it.
const std::string SavedRecordHead = "Saved object to xml:\r\n";

// Indented: the DUMMY_NODE document; else the object's element alone.
void WriteText(const TXMLPersistentObject& object, bool indented, TXmlSink& sink)
{
    if (indented)
        WriteDocument(object, sink);
    else
        WriteObject(object, sink);
}

std::string TextOf(const TXMLPersistentObject& object, bool indented)
{
    TXmlTextSink sink(indented);
    WriteText(object, indented, sink);
    return sink.Take();
}

// The same text in pieces of about a megabyte, each taken over whole from the sink: a text
// of many megabytes is never copied to grow.
std::vector<std::string> PiecesOf(const TXMLPersistentObject& object, bool indented, std::string head)
{
    std::vector<std::string> pieces;
    TXmlTextSink sink(
        indented, [&pieces](std::string& piece) { pieces.push_back(std::move(piece)); }, std::move(head));
    WriteText(object, indented, sink);
    sink.Finish();
    return pieces;
}

// The record "Saved object to xml:", CR LF and the text, logged; the pieces, shared with
// the logger until it has written them, hold the record's message, head first.
TLogPieces LoggedPieces(const TXMLPersistentObject& object, bool indented)
{
    auto pieces = std::make_shared<const std::vector<std::string>>(PiecesOf(object, indented, SavedRecordHead));
    XmlLogger()->LogShared(pieces, llFullDebug);
    return pieces;
}

// Each piece of the logged text, without the record's head.
template <class TVisit>
void ForEachTextPiece(const std::vector<std::string>& pieces, TVisit visit)
{
    for (std::size_t i = 0; i < pieces.size(); ++i)
        visit(i == 0 ? std::string_view(pieces[i]).substr(SavedRecordHead.size()) : std::string_view(pieces[i]));
}

}  // namespace

void WriteXmlElement(const TXMLPersistentObject& object, pugi::xml_node parent)
{
    TXmlDomSink sink(parent);
    WriteObject(object, sink);
}

std::string XmlTextOf(const TXMLPersistentObject& object, bool indented)
{
    if (!XmlTracing())
        return TextOf(object, indented);
    std::string text;
    ForEachTextPiece(*LoggedPieces(object, indented), [&text](std::string_view piece) { text += piece; });
    return text;
}

// Below the trace threshold the text goes to the file piece by piece as it is produced;
// otherwise the whole text is needed for the log anyway, which writes it beside the file.
void WriteXmlFile(const TXMLPersistentObject& object, const std::string& fileName, TBackup backup)
{
    if (XmlTracing()) {
        const TLogPieces pieces = LoggedPieces(object, true);
        TReplacementFile file(fileName, backup);
        ForEachTextPiece(*pieces, [&file](std::string_view piece) { file.Write(piece); });
        file.Commit();
        return;
    }
    TReplacementFile file(fileName, backup);
    TXmlTextSink sink(true, [&file](std::string& piece) { file.Write(piece); });
    WriteDocument(object, sink);
    sink.Finish();
    file.Commit();
}
