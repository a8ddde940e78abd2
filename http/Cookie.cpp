#include "http/Cookie.h"

#include "common/core/IntegerText.h"
#include "common/core/Text.h"
#include "common/core/TextTrim.h"
#include "http/CookieDomain.h"
#include "http/InternetDate.h"

#include <algorithm>
#include <cstdint>

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

// Max-Age is a decimal number, negative ones included; anything else is no Max-Age.
std::optional<int64_t> ReadMaxAge(std::string_view text)
{
    if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9')))
        return std::nullopt;
    const std::string_view digits = text[0] == '-' ? text.substr(1) : text;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    // A number too long for the type is far in the future or far in the past.
    return TryParseInt64(text).value_or(text[0] == '-' ? INT64_MIN : INT64_MAX);
}

// Browsers keep a cookie for at most 400 days, whatever Max-Age asks for.
constexpr int64_t LongestMaxAge = 400LL * 24 * 60 * 60;

std::string ExpiryAfter(int64_t maxAge)
{
    if (maxAge <= 0)
        return EarliestInternetDate;
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return FormatLocalInternetDate(now + std::chrono::seconds(std::min(maxAge, LongestMaxAge)));
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
    for (auto attribute = attributes.rbegin(); attribute != attributes.rend(); ++attribute)
        if (attribute->Name == upperName)
            return &*attribute;
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
    if (Expires.empty())
        Kind = TCookieKind::ckNetscape;
    if (MaxAge)
        Expires = ExpiryAfter(*MaxAge);
}

void TNetscapeCookie::ReadAttributes(const TAttributes& attributes)
{
    const auto* path = Find(attributes, "PATH");
    Path = path ? Unquoted(path->Value) : std::string();
    const auto* expires = Find(attributes, "EXPIRES");
    Expires = expires ? expires->Value : std::string();
    const auto* domain = Find(attributes, "DOMAIN");
    Domain = domain ? domain->Value : std::string();
    Secure = Find(attributes, "SECURE") != nullptr;
    MaxAge.reset();
}

void TCookieRFC2109::ReadAttributes(const TAttributes& attributes)
{
    TNetscapeCookie::ReadAttributes(attributes);
    const auto* maxAge = Find(attributes, "MAX-AGE");
    MaxAge = maxAge ? ReadMaxAge(maxAge->Value) : std::nullopt;
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

// Max-Age travels as the expiry computed from it.
void TCookieRFC2109::AppendClassAttributes(std::vector<std::string>& parts) const
{
    if (!Comment.empty())
        parts.push_back("comment=" + Comment);
    if (!Version.empty())
        parts.push_back("version=" + Version);
}

void TNetscapeCookie::TakeOver(const TNetscapeCookie& newer)
{
    Parse(newer.TextForm());
    Kind = newer.Kind;
    HostOnly = newer.HostOnly;
}

bool TNetscapeCookie::IsExpired(std::chrono::system_clock::time_point now) const
{
    if (Expires.empty())
        return false;
    // Compared in seconds: a date as far ahead as year 9999 does not fit a finer clock.
    const auto expires = ReadInternetDate(Expires);
    return !expires || *expires < std::chrono::floor<std::chrono::seconds>(now);
}

bool TNetscapeCookie::AppliesTo(std::string_view host, std::string_view path) const
{
    if (Path.empty() || !CookieScopeMatchesHost({Domain, HostOnly}, host) || !path.starts_with(Path))
        return false;
    return path.size() == Path.size() || Path.back() == '/' || path[Path.size()] == '/';
}
