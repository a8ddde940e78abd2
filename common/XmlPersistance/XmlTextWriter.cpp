#include "common/XmlPersistance/XmlTextWriter.h"

#include <string_view>

namespace {

class TXmlTextWriter {
public:
    explicit TXmlTextWriter(bool indented) : Indented(indented) {}

    void WriteElement(pugi::xml_node element, std::size_t level)
    {
        Indent(level);
        Text += '<';
        Text += element.name();
        for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
             attribute = attribute.next_attribute())
            WriteAttribute(attribute);
        const pugi::xml_node first = element.first_child();
        if (!first) {
            Text += "/>";
        } else if (!first.next_sibling() && first.type() == pugi::node_pcdata) {
            Text += '>';
            AppendEscaped(first.value(), false);
            CloseTag(element);
        } else {
            Text += '>';
            EndLine();
            for (pugi::xml_node child = first; child; child = child.next_sibling())
                WriteChild(child, level + 1);
            Indent(level);
            CloseTag(element);
        }
        EndLine();
    }

    std::string Take() { return std::move(Text); }

private:
    bool Indented;
    std::string Text;

    void WriteChild(pugi::xml_node child, std::size_t level)
    {
        if (child.type() == pugi::node_element) {
            WriteElement(child, level);
        } else {
            Indent(level);
            AppendEscaped(child.value(), false);
            EndLine();
        }
    }

    void WriteAttribute(pugi::xml_attribute attribute)
    {
        Text += ' ';
        Text += attribute.name();
        Text += "=\"";
        AppendEscaped(attribute.value(), true);
        Text += '"';
    }

    void CloseTag(pugi::xml_node element)
    {
        Text += "</";
        Text += element.name();
        Text += '>';
    }

    void Indent(std::size_t level)
    {
        if (Indented)
            Text.append(2 * level, ' ');
    }

    void EndLine()
    {
        if (Indented)
            Text += "\r\n";
    }

    // A line break inside a text ends its line with CR LF like every other line; the
    // parser reads CR LF back as the line feed.
    void AppendEscaped(std::string_view value, bool inAttribute)
    {
        std::size_t plain = 0;
        for (std::size_t i = 0; i < value.size(); ++i) {
            const char* replacement = nullptr;
            switch (value[i]) {
            case '&': replacement = "&amp;"; break;
            case '<': replacement = "&lt;"; break;
            case '>': replacement = "&gt;"; break;
            case '"': replacement = inAttribute ? "&quot;" : nullptr; break;
            case '\n': replacement = Indented && !inAttribute ? "\r\n" : nullptr; break;
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
};

}  // namespace

std::string ElementToText(pugi::xml_node element, bool indented)
{
    TXmlTextWriter writer(indented);
    writer.WriteElement(element, 0);
    return writer.Take();
}
