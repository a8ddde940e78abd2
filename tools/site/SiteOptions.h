#pragma once

#include "common/core/Exception.h"

#include <map>
#include <string>
#include <vector>

// A command line the site cannot run with; the message names the offending argument.
class ESiteUsage : public Exception {
public:
    using Exception::Exception;
};

// How the site runs: where it listens, what it stores, whom it lets in, and the ways it
// misbehaves on purpose so that a client can be tested against an awkward server.
struct TSiteOptions {
    // The pages this site served before it rendered them as a real installation of the
    // directory script does: options labelled "___Name" (three underscores per level), the
    // answer to a post rendered after the insert with the new category in it, no checks for
    // unique titles, and errors as one paragraph. The client's oldest rules were written
    // for exactly these pages.
    bool LegacyPages = false;
    // URL titles are checked, as a directory script with URL rewriting switched on checks
    // them: allowed bytes only, unique among the parent's children. Real-site pages only.
    bool UrlRewriting = false;

    int Port = 8642;
    std::string DatabaseFile = ":memory:";
    std::string User = "admin";
    std::string Password = "demo";

    // A new category is left out of the listing until this many further GETs of a form page.
    int HideNewForGets = 0;
    // Page (path, or path with query) -> HTTP status answered for it instead of the page.
    std::map<std::string, int> FailingPages;
    // A redirect to "index.php" after a good login on the legacy pages too; the real-site
    // pages always answer a good login so.
    bool RedirectAfterLogin = false;
    bool NoContentLength = false;
    bool Chunked = false;

    // HTTPS instead of HTTP: with the certificate and key in these files, or, when they are
    // empty, with a self-signed certificate made at start.
    bool Tls = false;
    std::string CertificateFile;
    std::string KeyFile;

    // A good login is answered with a redirect to "index.php".
    bool RedirectsAfterLogin() const { return RedirectAfterLogin || !LegacyPages; }
};

TSiteOptions ParseSiteOptions(const std::vector<std::string>& arguments);

extern const char* const SiteUsageText;
