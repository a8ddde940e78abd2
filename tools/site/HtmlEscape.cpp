#include "tools/site/HtmlEscape.h"

void AppendEscapedHtml(std::string& html, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#039;"; break;
        default: html += c;
        }
    }
}

std::string EscapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    AppendEscapedHtml(escaped, text);
    return escaped;
}
