#pragma once

#include <string>

// Whether a cookie's domain may be set by a response from host: a host name sets only
// itself (same case) or its parent domain from its first "." on; an address only itself.
bool CookieDomainFitsHost(const std::string& domain, const std::string& host);

// Whether a cookie stored under domain goes to host: the host itself or one of its
// subdomains (".site.test" goes to "site.test" and "x.site.test", not to "x.site.test.net").
bool CookieDomainMatchesHost(const std::string& domain, const std::string& host);
