#include "common/XmlPersistance/XmlSink.h"

#include <array>

namespace {

// Text is handed to the flush function in pieces of about this size.
constexpr std::size_t FlushSize = 1 << 20;
// Room for a piece and the element that takes it over the size.
constexpr std::size_t PieceCapacity = FlushSize + FlushSize / 4;

constexpr auto MayNeedEscape = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'&', '<', '>', '"', '\n', '\r'})
        table[c] = true;
    return table;
}();

}  // namespace

void TXmlDomSink::OpenElement(const std::string& name)
{
    Open.push_back(Open.back().append_child(name.c_str()));
}

void TXmlDomSink::SetAttribute(const std::string& name, const std::string& value)
{
    Open.back().append_attribute(name.c_str()).set_value(value.c_str());
}

void TXmlDomSink::SetText(const std::string& text)
{
    if (!text.empty())
        Open.back().text().set(text.c_str());
}

void TXmlDomSink::CloseElement()
{
    Open.pop_back();
}

TXmlTextSink::TXmlTextSink(bool indented, TFlush flush, std::string head)
    : Indented(indented), Flush(std::move(flush)), Text(std::move(head))
{
    if (Flush)
        Text.reserve(PieceCapacity);
}

void TXmlTextSink::OpenElement(const std::string& name)
{
    if (StartTagOpen) {
        CloseStartTag();
        EndLine();
    }
    Indent(Open.size());
    Text += '<';
    Text += name;
    Open.push_back({&name, false});
    StartTagOpen = true;
}

void TXmlTextSink::SetAttribute(const std::string& name, const std::string& value)
{
    Text += ' ';
    Text += name;
    Text += "=\"";
    AppendEscaped(value, true);
    Text += '"';
}

void TXmlTextSink::SetText(const std::string& text)
{
    if (text.empty())
        return;
    CloseStartTag();
    AppendEscaped(text, false);
    Open.back().HasText = true;
}

void TXmlTextSink::CloseElement()
{
    const TOpenElement element = Open.back();
    Open.pop_back();
    if (StartTagOpen) {
        Text += "/>";
        StartTagOpen = false;
    } else {
        if (!element.HasText)
            Indent(Open.size());
        Text += "</";
        Text += *element.Name;
        Text += '>';
    }
    EndLine();
    FlushWhenLarge();
}

void TXmlTextSink::Finish()
{
    if (Flush && !Text.empty())
        FlushText();
}

void TXmlTextSink::CloseStartTag()
{
    if (StartTagOpen) {
        Text += '>';
        StartTagOpen = false;
    }
}

void TXmlTextSink::Indent(std::size_t level)
{
    if (Indented)
        Text.append(2 * level, ' ');
}

void TXmlTextSink::EndLine()
{
    if (Indented)
        Text += "\r\n";
}

// A line feed inside a text ends its line with CR LF like every other line; the parser reads
// CR LF back as one line feed. A carriage return is written as a character reference, which
// the parser's line-end rule leaves alone, so that it comes back too.
void TXmlTextSink::AppendEscaped(std::string_view value, bool inAttribute)
{
    const bool splitLines = Indented && !inAttribute;
    std::size_t plain = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        // Most of a text needs no escape; one look in a table tells.
        if (!MayNeedEscape[static_cast<unsigned char>(value[i])])
            continue;
        const char* replacement = nullptr;
        switch (value[i]) {
        case '&': replacement = "&amp;"; break;
        case '<': replacement = "&lt;"; break;
        case '>': replacement = "&gt;"; break;
        case '"': replacement = inAttribute ? "&quot;" : nullptr; break;
        case '\n': replacement = splitLines ? "\r\n" : nullptr; break;
        case '\r': replacement = "&#13;"; break;
        default: break;
        }
        if (!replacement)
            continue;
        Text.append(value.substr(plain, i - plain));
        Text += replacement;
        plain = i + 1;
    }
    Text.append(value.substr(plain));
}

void TXmlTextSink::FlushWhenLarge()
{
    if (Flush && Text.size() >= FlushSize)
        FlushText();
}

// A piece that was taken over leaves no room behind; the next one gets its own.
void TXmlTextSink::FlushText()
{
    Flush(Text);
    Text.clear();
    if (Text.capacity() < PieceCapacity)
        Text.reserve(PieceCapacity);
}
