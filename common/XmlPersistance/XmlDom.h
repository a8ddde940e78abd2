#pragma once

// The few things the engine asks of the XML document layer, on top of pugixml.

#include <pugixml.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A parsed file together with the text that the document points into.
class TXmlFileDocument {
public:
    // Raises EXmlDomError naming the file, and for a file that is not well-formed the
    // parser's reason with line and column.
    explicit TXmlFileDocument(const std::string& fileName);

    pugi::xml_node FirstTopLevelNode() const { return Document.first_child(); }

private:
    std::string Text;
    pugi::xml_document Document;
};

// The node's name as a DOM reports it: the tag of an element, "#text" for text.
std::string_view NodeName(pugi::xml_node node);

// Child nodes that count: elements and text. Blanks alone (indentation, or an element
// written over two lines) are no child.
std::size_t ChildNodeCount(pugi::xml_node element);
pugi::xml_node FirstChildNode(pugi::xml_node element);

// The text of an element that holds one text node; none (the null value) when the element
// has no children. Raises EXmlDomError when it holds elements or several nodes.
std::optional<std::string_view> ElementText(pugi::xml_node element);

// The first child node; raises EXmlDomError when the element has none.
pugi::xml_node RequiredFirstChildNode(pugi::xml_node element);
