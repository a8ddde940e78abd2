#pragma once

#include <pugixml.hpp>

#include <string>

// Serialises an element and everything below it as UTF-8 without an XML declaration.
// Indented: every element on its own line, two spaces per level below the given element,
// an element with child elements closing on a line of its own, CR LF after every line.
// Not indented: no whitespace between the tags. Text is escaped as pugixml does it.
std::string ElementToText(pugi::xml_node element, bool indented);
