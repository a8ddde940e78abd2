#pragma once

// The few things the engine asks of the XML document layer, on top of pugixml.

#include "common/XmlPersistance/LargeBuffer.h"

#include <pugixml.hpp>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// A parsed file together with the text that the document points into.
class TXmlFileDocument {
public:
    // Raises EXmlDomError naming the file, and for a file that is not well-formed, not
    // UTF-8 text or with a document type declaration, the reason with line and column. No
    // entity is ever expanded and nothing outside the file is read.
    explicit TXmlFileDocument(const std::string& fileName);

    pugi::xml_node FirstTopLevelNode() const { return Document.first_child(); }

    // " (<file>, line L, column C)": where a node of the document starts, to be appended to
    // the message of an error found there. Counting needs the file as it is on disk, so it
    // is read again over the text of the document, which must not be used afterwards.
    std::string PlaceOf(pugi::xml_node node);

private:
    std::string FileName;
    TLargeBuffer Text;
    std::size_t Length = 0;
    pugi::xml_document Document;

    void ReadWholeFile();
    void RefuseMalformedText();
    void RefuseReferencesToNoCharacter(std::string_view text);
    void RefuseDocumentType();
    std::string PlaceAt(std::ptrdiff_t offset);
};

// One child node of an element: an element or a text. The parser keeps a text that comes
// first in its element inside the element itself (which spares a node for every value of
// a large document); a child node hides that difference.
class TChildNode {
public:
    static TChildNode Node(pugi::xml_node node) { return TChildNode(node, false); }
    static TChildNode EmbeddedTextOf(pugi::xml_node element) { return TChildNode(element, true); }

    // As a DOM reports it: the tag of an element, "#text" for text.
    std::string_view Name() const;
    // The element; none for a text.
    pugi::xml_node Element() const { return ElementNode; }
    // A text's own text, or the text of an element as ElementText gives it.
    std::optional<std::string_view> Text() const;

private:
    TChildNode(pugi::xml_node node, bool embeddedText);

    pugi::xml_node Where;
    bool IsEmbeddedText;
    // Looked up once: the reader asks for it several times per node.
    pugi::xml_node ElementNode;
};

// Child nodes that count: elements and text. Blanks alone (indentation, or an element
// written over two lines) are no child.
std::size_t ChildNodeCount(pugi::xml_node element);
bool HasEmbeddedText(pugi::xml_node element);

// The visit may remove the child it is given from the element.
template <class TVisit>
void ForEachChildNode(pugi::xml_node element, TVisit visit)
{
    if (HasEmbeddedText(element))
        visit(TChildNode::EmbeddedTextOf(element));
    for (pugi::xml_node child = element.first_child(), next; child; child = next) {
        next = child.next_sibling();
        visit(TChildNode::Node(child));
    }
}

// The first child node; raises EXmlDomError when the element has none.
TChildNode RequiredFirstChildNode(pugi::xml_node element);

// The text of an element that holds one text node; none (the null value) when the element
// has no children. Raises EXmlDomError when it holds elements or several nodes.
std::optional<std::string_view> ElementText(pugi::xml_node element);
