#include "http/CookieDomain.h"

#include "common/core/Text.h"
#include "http/IPAddress.h"
#include "http/PublicSuffix.h"

namespace {

bool IsSubdomainOf(std::string_view host, std::string_view domain)
{
    return host.size() > domain.size() && host.ends_with(domain) && host[host.size() - domain.size() - 1] == '.';
}

}  // namespace

std::optional<TCookieScope> CookieScopeFor(std::string_view domainAttribute, std::string_view host)
{
    const std::string canonicalHost = AsciiLowerCase(host);
    if (domainAttribute.starts_with('.'))
        domainAttribute.remove_prefix(1);
    const std::string domain = AsciiLowerCase(domainAttribute);
    if (domain.empty())
        return TCookieScope{canonicalHost, true};
    if (domain == canonicalHost)
        // A host that is an address or a public suffix itself keeps its cookies to itself.
        return TCookieScope{domain, IsIPAddress(domain) || IsPublicSuffix(domain)};
    if (IsIPAddress(canonicalHost) || !IsSubdomainOf(canonicalHost, domain) || IsPublicSuffix(domain))
        return std::nullopt;
    return TCookieScope{domain, false};
}

bool CookieScopeMatchesHost(const TCookieScope& scope, std::string_view host)
{
    const std::string canonicalHost = AsciiLowerCase(host);
    return canonicalHost == scope.Domain || (!scope.HostOnly && IsSubdomainOf(canonicalHost, scope.Domain));
}
