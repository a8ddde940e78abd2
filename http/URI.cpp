#include "http/URI.h"

#include "common/core/Text.h"
#include "http/NetExceptions.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// Splits "dir/dir/doc?params" (the query begins at the first "?", or at the first "="
// when there is no "?") into its directory part, document and params.
void SplitPathDocumentParams(std::string_view text, TURI& uri)
{
    size_t query = text.find('?');
    if (query == std::string_view::npos)
        query = text.find('=');
    const std::string_view head = text.substr(0, query);
    const size_t lastSlash = head.rfind('/');
    const size_t documentStart = lastSlash == std::string_view::npos ? 0 : lastSlash + 1;
    uri.Path = std::string(head.substr(0, documentStart));
    uri.Document = std::string(head.substr(documentStart));
    uri.Params = query == std::string_view::npos ? std::string() : std::string(text.substr(query));
}

std::string WithoutFragment(std::string_view text, TURI& uri)
{
    const size_t hash = text.find('#');
    if (hash == std::string_view::npos)
        return std::string(text);
    uri.Bookmark = std::string(text.substr(hash + 1));
    return std::string(text.substr(0, hash));
}

void SplitAuthority(std::string_view authority, TURI& uri)
{
    const size_t at = authority.find('@');
    if (at != std::string_view::npos) {
        const std::string_view credentials = authority.substr(0, at);
        const size_t colon = credentials.find(':');
        uri.Username = std::string(credentials.substr(0, colon));
        if (colon != std::string_view::npos)
            uri.Password = std::string(credentials.substr(colon + 1));
        authority.remove_prefix(at + 1);
    }
    const size_t colon = authority.find(':');
    uri.Host = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos)
        uri.Port = std::string(authority.substr(colon + 1));
}

// Drops empty segments (so "//" becomes "/") and lets each ".." remove itself and the
// segment before it; "." segments stay.
std::string NormalisePath(std::string_view path)
{
    std::vector<std::string_view> segments;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty()) {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string normalised = "/";
    for (const auto segment : segments) {
        normalised += segment;
        normalised += '/';
    }
    return normalised;
}

std::string JoinPaths(const std::string& basePath, const std::string& targetPath)
{
    if (!targetPath.empty() && targetPath[0] == '/')
        return targetPath;
    if (basePath.empty() || basePath.back() != '/')
        return basePath + "/" + targetPath;
    return basePath + targetPath;
}

bool IsDefaultPort(const std::string& port)
{
    return port.empty() || port == "0" || port == "80" || port == "443";
}

bool NeedsEncodingOnRequestLine(unsigned char c)
{
    return c <= ' ' || c >= 0x7F;
}

void AppendForRequestLine(std::string& line, std::string_view part)
{
    static constexpr char HexDigits[] = "0123456789ABCDEF";
    for (const char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEncodingOnRequestLine(byte)) {
            line += '%';
            line += HexDigits[byte >> 4];
            line += HexDigits[byte & 0x0F];
        } else {
            line += c;
        }
    }
}

}  // namespace

std::string DefaultPortOf(std::string_view protocol)
{
    return SameTextAscii(protocol, "https") ? "443" : "80";
}

std::string TURI::RequestTarget() const
{
    std::string target;
    target.reserve(Path.size() + Document.size() + Params.size());
    AppendForRequestLine(target, Path);
    AppendForRequestLine(target, Document);
    AppendForRequestLine(target, Params);
    return target;
}

std::string TURI::HostField() const
{
    return Port == DefaultPortOf(Protocol) ? Host : Host + ":" + Port;
}

bool TURI::IsSecure() const
{
    return SameTextAscii(Protocol, "https");
}

// Only a scheme name may stand before "://", so that a relative target carrying a URL in
// its query ("index.php?next=http://x/") stays relative.
bool IsAbsoluteURL(std::string_view url)
{
    const size_t separator = url.find("://");
    if (separator == std::string_view::npos || separator == 0 || !std::isalpha(static_cast<unsigned char>(url[0])))
        return false;
    return std::all_of(url.begin(), url.begin() + separator, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

TURI ParseURL(std::string_view url)
{
    std::string text(url);
    std::replace(text.begin(), text.end(), '\\', '/');
    TURI uri;
    uri.Port.clear();
    if (!IsAbsoluteURL(text)) {
        SplitPathDocumentParams(WithoutFragment(text, uri), uri);
        return uri;
    }
    const size_t separator = text.find("://");
    uri.Protocol = text.substr(0, separator);
    const std::string rest = WithoutFragment(std::string_view(text).substr(separator + 3), uri);
    const size_t slash = rest.find('/');
    SplitAuthority(std::string_view(rest).substr(0, slash), uri);
    SplitPathDocumentParams(slash == std::string::npos ? std::string_view() : std::string_view(rest).substr(slash + 1),
                            uri);
    uri.Path = "/" + uri.Path;
    return uri;
}

TURI ResolveURL(const TURI& base, std::string_view target)
{
    const TURI parsed = ParseURL(target);
    const bool absolute = IsAbsoluteURL(target);
    TURI resolved = base;
    // A relative target stays with the protocol of the page that named it, so that a
    // redirect on an https site does not fall back to plain http.
    if (absolute || base.Protocol.empty())
        resolved.Protocol = parsed.Protocol.empty() ? "http" : parsed.Protocol;
    if (!SameTextAscii(resolved.Protocol, "http") && !SameTextAscii(resolved.Protocol, "https"))
        throw EUnknownProtocol();

    if (absolute) {
        // An absolute target names its own host, even an empty one, and without a port
        // it goes to the protocol's port, not to the port of the previous host.
        resolved.Host = parsed.Host;
        resolved.Username = parsed.Username;
        resolved.Password = parsed.Password;
        resolved.Port = parsed.Port.empty() ? DefaultPortOf(resolved.Protocol) : parsed.Port;
    } else if (IsDefaultPort(resolved.Port)) {
        resolved.Port = DefaultPortOf(resolved.Protocol);
    }
    resolved.Path = NormalisePath(JoinPaths(base.Path, parsed.Path));
    resolved.Document = parsed.Document;
    resolved.Params = parsed.Params;
    resolved.Bookmark = parsed.Bookmark;
    return resolved;
}
