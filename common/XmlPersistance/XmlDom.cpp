#include "common/XmlPersistance/XmlDom.h"

#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/core/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a file descriptor when it goes out of scope.
class TOpenFile {
public:
    explicit TOpenFile(int fd) : Descriptor(fd) {}
    ~TOpenFile() { ::close(Descriptor); }
    TOpenFile(const TOpenFile&) = delete;
    TOpenFile& operator=(const TOpenFile&) = delete;

private:
    int Descriptor;
};

[[noreturn]] void RaiseCannotRead(const std::string& fileName, int error)
{
    throw EXmlDomError("Cannot open file \"" + fileName + "\". " + std::strerror(error));
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

std::string_view NodeName(pugi::xml_node node)
{
    switch (node.type()) {
    case pugi::node_pcdata: return "#text";
    case pugi::node_cdata: return "#cdata-section";
    default: return node.name();
    }
}

// The code that the reference "&#...;" or "&#x...;" at `at` stands for, worked out as the
// parser does (modulo 2^32); nothing when the parser takes the text as it is.
std::optional<std::uint32_t> ReferencedCode(std::string_view text, std::size_t at)
{
    std::size_t i = at + 2;
    const bool hex = i < text.size() && text[i] == 'x';
    if (hex)
        ++i;
    const std::size_t digits = i;
    std::uint32_t code = 0;
    for (; i < text.size() && text[i] != ';'; ++i) {
        const char c = text[i];
        const char lower = static_cast<char>(c | ' ');
        if (c >= '0' && c <= '9')
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(c - '0');
        else if (hex && lower >= 'a' && lower <= 'f')
            code = code * 16 + static_cast<std::uint32_t>(lower - 'a' + 10);
        else
            return std::nullopt;
    }
    if (i == text.size() || i == digits)
        return std::nullopt;
    return code;
}

bool IsCharacter(std::uint32_t code)
{
    return code != 0 && (code < 0xD800 || code > 0xDFFF) && code <= 0x10FFFF;
}

// Whether the offset lies in a comment, a CDATA section or a processing instruction, where
// the parser decodes no reference.
bool IsInUndecodedMarkup(std::string_view text, std::size_t offset)
{
    static constexpr std::pair<std::string_view, std::string_view> undecoded[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    for (std::size_t at = text.find('<'); at < offset; at = text.find('<', at + 1)) {
        for (const auto& [begin, end] : undecoded) {
            if (text.substr(at, begin.size()) != begin)
                continue;
            const std::size_t close = text.find(end, at + begin.size());
            if (close == std::string_view::npos || close + end.size() > offset)
                return true;
            at = close + end.size() - 1;
            break;
        }
    }
    return false;
}

}  // namespace

// Read straight into the buffer that the document is parsed in, without clearing it first.
void TXmlFileDocument::ReadWholeFile()
{
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        RaiseCannotRead(FileName, errno);
    const TOpenFile closer(fd);
    struct stat status {};
    // Room beyond the reported size: a file that grows while it is read, or one whose size
    // the system does not report, is still read whole.
    std::size_t capacity = (::fstat(fd, &status) == 0 && status.st_size > 0 ? status.st_size : 0) + 65536;
    Text = TLargeBuffer(capacity);
    for (;;) {
        const ssize_t got = ::read(fd, Text.get() + Length, capacity - Length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            RaiseCannotRead(FileName, errno);
        if (got == 0)
            return;
        Length += static_cast<std::size_t>(got);
        if (Length == capacity) {
            TLargeBuffer larger(capacity * 2);
            std::copy(Text.get(), Text.get() + Length, larger.get());
            Text = std::move(larger);
            capacity *= 2;
        }
    }
}

TXmlFileDocument::TXmlFileDocument(const std::string& fileName) : FileName(fileName)
{
    ReadWholeFile();
    RefuseMalformedText();
    // Blanks are kept only as an element's sole content, so that a value of blanks
    // survives while indentation between elements is dropped. The document type
    // declaration is parsed only to be refused.
    const unsigned options =
        pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata | pugi::parse_doctype;
    const pugi::xml_parse_result result =
        Document.load_buffer_inplace(Text.get(), Length, options, pugi::encoding_utf8);
    if (!result)
        throw EXmlDomError(result.description() + PlaceAt(result.offset));
    RefuseDocumentType();
}

// The parser takes the bytes as they come; a zero byte would silently end a text, and
// invalid UTF-8 would turn into replacement characters.
void TXmlFileDocument::RefuseMalformedText()
{
    const std::string_view text(Text.get(), Length);
    if (const auto zero = text.find('\0'); zero != std::string_view::npos)
        throw EXmlDomError("Zero byte in the text" + PlaceAt(static_cast<std::ptrdiff_t>(zero)));
    if (const auto invalid = FirstInvalidUtf8(text); invalid != std::string_view::npos)
        throw EXmlDomError("Invalid UTF-8 byte sequence" + PlaceAt(static_cast<std::ptrdiff_t>(invalid)));
    RefuseReferencesToNoCharacter(text);
}

// The parser decodes "&#0;" into a zero byte that silently ends the text, and a surrogate or
// a number beyond Unicode into bytes that are no UTF-8. Only the rare file with such a
// reference pays for finding out whether it stands where the parser decodes it.
void TXmlFileDocument::RefuseReferencesToNoCharacter(std::string_view text)
{
    for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 2)) {
        const std::optional<std::uint32_t> code = ReferencedCode(text, at);
        if (!code || IsCharacter(*code) || IsInUndecodedMarkup(text, at))
            continue;
        const std::string reference(text.substr(at, text.find(';', at) + 1 - at));
        throw EXmlDomError("Character reference \"" + reference + "\" is not a character" +
                           PlaceAt(static_cast<std::ptrdiff_t>(at)));
    }
}

// A document type declaration can define entities that expand beyond any bound or refer
// to other files; the engine never writes one, so a file with one is refused.
void TXmlFileDocument::RefuseDocumentType()
{
    for (pugi::xml_node node = Document.first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_doctype)
            throw EXmlDomError("Document type declarations are not accepted" + PlaceOf(node));
}

std::string TXmlFileDocument::PlaceOf(pugi::xml_node node)
{
    return PlaceAt(node.offset_debug());
}

// Parsing in place rewrites texts and line ends, so the position is counted in the file as
// it is. Should the file be gone by then, the error is still told, with the file alone.
std::string TXmlFileDocument::PlaceAt(std::ptrdiff_t offset)
{
    if (offset < 0)
        return " (" + FileName + ")";
    Length = 0;
    try {
        ReadWholeFile();
    } catch (const EXmlDomError&) {
        return " (" + FileName + ")";
    }
    return " (" + FileName + ", " + PositionOf(std::string_view(Text.get(), Length), offset) + ")";
}

std::string_view TChildNode::Name() const
{
    return IsEmbeddedText ? "#text" : NodeName(Where);
}

TChildNode::TChildNode(pugi::xml_node node, bool embeddedText)
    : Where(node), IsEmbeddedText(embeddedText),
      ElementNode(embeddedText || node.type() != pugi::node_element ? pugi::xml_node() : node)
{
}

std::optional<std::string_view> TChildNode::Text() const
{
    if (IsEmbeddedText)
        return std::string_view(Where.value());
    if (IsText(Where))
        return std::string_view(Where.value());
    return ElementText(Where);
}

// Blanks embedded as an element's sole content are a value for a text property and mere
// layout for an element that holds objects.
bool HasEmbeddedText(pugi::xml_node element)
{
    const std::string_view text = element.value();
    return !text.empty() && !IsBlank(text);
}

std::size_t ChildNodeCount(pugi::xml_node element)
{
    std::size_t count = HasEmbeddedText(element) ? 1 : 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        ++count;
    return count;
}

TChildNode RequiredFirstChildNode(pugi::xml_node element)
{
    if (HasEmbeddedText(element))
        return TChildNode::EmbeddedTextOf(element);
    if (!element.first_child())
        throw EXmlDomError("Element " + std::string(NodeName(element)) + " does not contain a child node");
    return TChildNode::Node(element.first_child());
}

std::optional<std::string_view> ElementText(pugi::xml_node element)
{
    const std::string_view embedded = element.value();
    const pugi::xml_node first = element.first_child();
    if (!embedded.empty() && !first)
        return embedded;
    if (embedded.empty() && !first)
        return std::nullopt;
    if (!embedded.empty() || first.next_sibling() || !IsText(first))
        throw EXmlDomError("Element does not contain a single text node");
    const std::string_view text = first.value();
    if (text.empty())
        return std::nullopt;
    return text;
}
