#pragma once

#include <string>
#include <string_view>

// The parts of a URL as the client keeps them between calls. Path is the directory part,
// always beginning and ending with "/"; Document the last segment; Params the query from
// its "?" on; Bookmark the fragment, which is never sent.
struct TURI {
    std::string Protocol;
    std::string Username;
    std::string Password;
    std::string Host;
    std::string Port = "80";
    std::string Path;
    std::string Document;
    std::string Params;
    std::string Bookmark;

    // Path + Document + Params, e.g. "/admin/index.php?x=1", as it goes on the request
    // line: blanks, control characters and non-ASCII bytes are percent-encoded, as
    // browsers do, so that no such byte can break the line.
    std::string RequestTarget() const;
    // The "Host" header value: the host alone on the protocol's own port (80 for http,
    // 443 for https), else "host:port".
    std::string HostField() const;
    // An https address, which is reached over TLS.
    bool IsSecure() const;
};

// "443" for https, "80" for anything else.
std::string DefaultPortOf(std::string_view protocol);

// Splits a URL into its parts without resolving it. A URL without "://" is relative: it
// has no protocol and no host, and its Path may be empty or relative ("../").
TURI ParseURL(std::string_view url);

bool IsAbsoluteURL(std::string_view url);

// Resolves a target (the call's URL or a "Location" value) against the URL of the last
// request: a relative target keeps the protocol, host and port and is joined to the
// directory, with ".." segments removed and "//" collapsed. Raises EUnknownProtocol for any
// protocol other than "http" and "https".
TURI ResolveURL(const TURI& base, std::string_view target);
