#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Where the writer puts the elements of an object: into a document (ObjectToNode) or
// straight into text (ObjectToXml, ObjectToFile), which spares building a document of a
// large tree only to serialise it. Elements are opened and closed in nesting order; an
// element gets either text or child elements.
class TXmlSink {
public:
    virtual ~TXmlSink() = default;
    virtual void OpenElement(const std::string& name) = 0;
    virtual void SetAttribute(const std::string& name, const std::string& value) = 0;
    // Empty text adds nothing.
    virtual void SetText(const std::string& text) = 0;
    virtual void CloseElement() = 0;
};

// Appends the elements below a parent element of a document.
class TXmlDomSink : public TXmlSink {
public:
    explicit TXmlDomSink(pugi::xml_node parent) : Open{parent} {}
    void OpenElement(const std::string& name) override;
    void SetAttribute(const std::string& name, const std::string& value) override;
    void SetText(const std::string& text) override;
    void CloseElement() override;

private:
    std::vector<pugi::xml_node> Open;
};

// Serialises the elements as UTF-8 without an XML declaration. Indented: every element on
// its own line, two spaces per level, an element with child elements closing on a line of
// its own, CR LF after every line, the last one included. Not indented: no whitespace
// between the tags. Text is escaped as pugixml escapes it.
class TXmlTextSink : public TXmlSink {
public:
    // Gets the text so far; it may take it over (move from it) or leave it to be cleared.
    using TFlush = std::function<void(std::string& piece)>;

    // With a flush function, the text is handed over in pieces of about a megabyte as it
    // grows, and the rest by Finish; without one, Take returns all of it. Either way the
    // text begins with the given head.
    explicit TXmlTextSink(bool indented, TFlush flush = {}, std::string head = {});
    void OpenElement(const std::string& name) override;
    void SetAttribute(const std::string& name, const std::string& value) override;
    void SetText(const std::string& text) override;
    void CloseElement() override;

    void Finish();
    std::string Take() { return std::move(Text); }

private:
    struct TOpenElement {
        const std::string* Name;
        bool HasText;
    };

    bool Indented;
    TFlush Flush;
    std::string Text;
    std::vector<TOpenElement> Open;
    // The start tag of the innermost element still waits for its ">" or "/>".
    bool StartTagOpen = false;

    void CloseStartTag();
    void Indent(std::size_t level);
    void EndLine();
    void AppendEscaped(std::string_view value, bool inAttribute);
    void FlushWhenLarge();
    void FlushText();
};
