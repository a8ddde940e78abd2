#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a cookie may go: to the host that set it alone, or to a domain and its subdomains.
struct TCookieScope {
    std::string Domain;  // lower case, without a leading dot
    bool HostOnly = false;
};

// The scope of a cookie that host set with this "Domain" attribute (empty when it had
// none): without a domain, or from an address, the host alone; otherwise the domain, a
// leading dot ignored, when the host lies in it and it is no public suffix. Nothing when
// the cookie must be dropped.
std::optional<TCookieScope> CookieScopeFor(std::string_view domainAttribute, std::string_view host);

// Whether a cookie of this scope goes to host: the host itself, or for a domain scope also
// its subdomains (".site.test" goes to "site.test" and "x.site.test", not to "x.site.test.net").
bool CookieScopeMatchesHost(const TCookieScope& scope, std::string_view host);
