#include "http/Cookie.h"

#include "common/core/Text.h"
#include "http/IntegerText.h"
#include "http/InternetDate.h"
#include "http/TextTrim.h"

namespace {

std::vector<std::string_view> SplitSegments(std::string_view text)
{
    std::vector<std::string_view> segments;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(';', start);
        const std::string_view segment = text.substr(start, end - start);
        // A last segment after the final ";" counts only when there is something in it.
        if (end != std::string_view::npos || start == 0 || !segment.empty())
            segments.push_back(Trim(segment));
        if (end == std::string_view::npos)
            return segments;
        start = end + 1;
    }
}

std::string Unquoted(std::string_view text)
{
    if (!text.empty() && text.front() == '"')
        text.remove_prefix(1);
    if (!text.empty() && text.back() == '"')
        text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

const TNetscapeCookie::TAttribute* TNetscapeCookie::Find(const TAttributes& attributes, std::string_view upperName)
{
    for (const auto& attribute : attributes)
        if (attribute.Name == upperName)
            return &attribute;
    return nullptr;
}

void TNetscapeCookie::Parse(std::string_view headerValue)
{
    if (headerValue == SourceText)
        return;
    SourceText = std::string(headerValue);

    const auto segments = SplitSegments(SourceText);
    const std::string_view first = segments.front();
    const size_t equals = first.find('=');
    CookieName = std::string(first.substr(0, equals));
    Value = equals == std::string_view::npos ? std::string() : std::string(first.substr(equals + 1));

    TAttributes attributes;
    for (size_t i = 1; i < segments.size(); ++i) {
        const size_t separator = segments[i].find('=');
        if (separator == std::string_view::npos) {
            attributes.push_back({AsciiUpperCase(segments[i]), "", false});
        } else {
            attributes.push_back({AsciiUpperCase(TrimRight(segments[i].substr(0, separator))),
                                  std::string(TrimLeft(segments[i].substr(separator + 1))), true});
        }
    }
    ReadAttributes(attributes);

    Kind = ClassKind();
    if (Expires.empty()) {
        Kind = TCookieKind::ckNetscape;
        if (MaxAge >= 0)
            Expires = FormatLocalInternetDate(std::chrono::system_clock::now() + std::chrono::seconds(MaxAge));
    }
}

void TNetscapeCookie::ReadAttributes(const TAttributes& attributes)
{
    const auto* path = Find(attributes, "PATH");
    Path = path ? Unquoted(path->Value) : std::string();
    const auto* expires = Find(attributes, "EXPIRES");
    Expires = expires ? expires->Value : std::string();
    const auto* domain = Find(attributes, "DOMAIN");
    Domain = domain ? domain->Value : std::string();
    const auto* secure = Find(attributes, "SECURE");
    Secure = secure && !secure->HasValue;
    MaxAge = -1;
}

void TCookieRFC2109::ReadAttributes(const TAttributes& attributes)
{
    TNetscapeCookie::ReadAttributes(attributes);
    const auto* maxAge = Find(attributes, "MAX-AGE");
    MaxAge = maxAge ? TryParseInt(maxAge->Value).value_or(-1) : -1;
    const auto* version = Find(attributes, "VERSION");
    Version = version ? version->Value : std::string();
    const auto* comment = Find(attributes, "COMMENT");
    Comment = comment ? comment->Value : std::string();
}

void TCookieRFC2965::ReadAttributes(const TAttributes& attributes)
{
    TCookieRFC2109::ReadAttributes(attributes);
    const auto* commentURL = Find(attributes, "COMMENTURL");
    CommentURL = commentURL ? commentURL->Value : std::string();
    Discard = Find(attributes, "DISCARD") != nullptr;
    const auto* port = Find(attributes, "PORT");
    if (!port || port->Value.empty()) {
        PortList = {80};
        return;
    }
    const std::string_view value = port->Value;
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return;
    std::vector<int> ports;
    std::string_view items = value.substr(1, value.size() - 2);
    for (;;) {
        const size_t comma = items.find(',');
        ports.push_back(ParseInt(Trim(items.substr(0, comma))));
        if (comma == std::string_view::npos)
            break;
        items.remove_prefix(comma + 1);
    }
    PortList = std::move(ports);
}

// The name always leads, also with an empty value, so that the text names the same
// cookie when it is parsed again; the expiry always travels with it.
std::string TNetscapeCookie::TextForm() const
{
    std::vector<std::string> parts{CookieName + "=" + Value};
    if (!Path.empty())
        parts.push_back("path=" + Path);
    if (!Expires.empty())
        parts.push_back("expires=" + Expires);
    if (!Domain.empty())
        parts.push_back("domain=" + Domain);
    if (Secure)
        parts.emplace_back("secure");
    AppendClassAttributes(parts);
    std::string text;
    for (const auto& part : parts) {
        if (!text.empty())
            text += "; ";
        text += part;
    }
    return text;
}

void TNetscapeCookie::AppendClassAttributes(std::vector<std::string>&) const
{
}

void TCookieRFC2109::AppendClassAttributes(std::vector<std::string>& parts) const
{
    if (MaxAge >= 0 && Expires.empty())
        parts.push_back("max-age=" + std::to_string(MaxAge));
    if (!Comment.empty())
        parts.push_back("comment=" + Comment);
    if (!Version.empty())
        parts.push_back("version=" + Version);
}

void TNetscapeCookie::TakeOver(const TNetscapeCookie& newer)
{
    Parse(newer.TextForm());
    Kind = newer.Kind;
}

bool TNetscapeCookie::IsExpired(std::chrono::system_clock::time_point now) const
{
    if (Expires.empty())
        return false;
    const auto expires = ReadInternetDate(Expires);
    return !expires || *expires < now;
}
