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

    // Path + Document + Params, e.g. "/admin/index.php?x=1".
    std::string RequestTarget() const;
    // The "Host" header value: the host alone for port 80, else "host:port".
    std::string HostField() const;
};

// Splits a URL into its parts without resolving it. A URL without "://" is relative: it
// has no protocol and no host, and its Path may be empty or relative ("../").
TURI ParseURL(std::string_view url);

bool IsAbsoluteURL(std::string_view url);

// Resolves a target (the call's URL or a "Location" value) against the URL of the last
// request: a relative target keeps the host and port and is joined to the directory,
// with ".." segments removed and "//" collapsed. Raises EIOHandlerPropInvalid for "https"
// and EUnknownProtocol for any protocol other than "http".
TURI ResolveURL(const TURI& base, std::string_view target);
