#include "common/XmlPersistance/XmlDom.h"

#include "common/XmlPersistance/XmlPersistanceErrors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void RaiseCannotRead(const std::string& fileName, int error)
{
    throw EXmlDomError("Cannot open file \"" + fileName + "\". " + std::strerror(error));
}

std::string ReadWholeFile(const std::string& fileName)
{
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        RaiseCannotRead(fileName, errno);
    std::string text;
    char chunk[65536];
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0)
            text.reserve(static_cast<std::size_t>(size));
        std::rewind(file.get());
    }
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        text.append(chunk, got);
    if (std::ferror(file.get()))
        RaiseCannotRead(fileName, errno);
    return text;
}

std::string PositionOf(std::string_view text, std::ptrdiff_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    const auto end = std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)), text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

bool IsText(pugi::xml_node node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The parser keeps blanks only when they are an element's sole content (so that a value
// of blanks survives); for elements that hold objects they are just layout.
bool HoldsOnlyBlanks(pugi::xml_node element)
{
    const pugi::xml_node first = element.first_child();
    return first && !first.next_sibling() && first.type() == pugi::node_pcdata && IsBlank(first.value());
}

}  // namespace

TXmlFileDocument::TXmlFileDocument(const std::string& fileName) : Text(ReadWholeFile(fileName))
{
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result result = Document.load_buffer_inplace(Text.data(), Text.size(), options);
    if (!result)
        throw EXmlDomError(std::string(result.description()) + " (" + fileName + ", " +
                           PositionOf(Text, result.offset) + ")");
}

std::string_view NodeName(pugi::xml_node node)
{
    switch (node.type()) {
    case pugi::node_pcdata:
        return "#text";
    case pugi::node_cdata:
        return "#cdata-section";
    default:
        return node.name();
    }
}

std::size_t ChildNodeCount(pugi::xml_node element)
{
    if (HoldsOnlyBlanks(element))
        return 0;
    std::size_t count = 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        ++count;
    return count;
}

pugi::xml_node FirstChildNode(pugi::xml_node element)
{
    return HoldsOnlyBlanks(element) ? pugi::xml_node() : element.first_child();
}

std::optional<std::string_view> ElementText(pugi::xml_node element)
{
    const pugi::xml_node first = element.first_child();
    if (!first)
        return std::nullopt;
    if (first.next_sibling() || !IsText(first))
        throw EXmlDomError("Element does not contain a single text node");
    const std::string_view text = first.value();
    if (text.empty())
        return std::nullopt;
    return text;
}

pugi::xml_node RequiredFirstChildNode(pugi::xml_node element)
{
    const pugi::xml_node first = FirstChildNode(element);
    if (!first)
        throw EXmlDomError("Element " + std::string(NodeName(element)) + " does not contain a child node");
    return first;
}
