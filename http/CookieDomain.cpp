#include "http/CookieDomain.h"

#include "common/core/Text.h"
#include "http/IntegerText.h"

#include <string_view>

namespace {

// The first four dot-separated fields are each an integer from 0 to 255.
bool IsDottedAddress(std::string_view host)
{
    for (int field = 0; field < 4; ++field) {
        const size_t dot = host.find('.');
        const auto number = TryParseInt(host.substr(0, dot));
        if (!number || *number < 0 || *number > 255)
            return false;
        if (dot == std::string_view::npos)
            return field == 3;
        host.remove_prefix(dot + 1);
    }
    return true;
}

// "a.site.test" -> ".site.test"; a host without "." is its own remainder.
std::string_view FromFirstDot(std::string_view host)
{
    const size_t dot = host.find('.');
    return dot == std::string_view::npos ? host : host.substr(dot);
}

}  // namespace

bool CookieDomainFitsHost(const std::string& domain, const std::string& host)
{
    if (IsDottedAddress(host))
        return domain == host;
    if (host.empty() || host[0] != '.') {
        if ((domain.empty() || domain[0] != '.') && !IsDottedAddress(domain))
            return domain == host;
        return domain == FromFirstDot(host);
    }
    return SameTextAscii(domain, FromFirstDot(host));
}

bool CookieDomainMatchesHost(const std::string& domain, const std::string& host)
{
    const std::string_view bare = !domain.empty() && domain[0] == '.' ? std::string_view(domain).substr(1)
                                                                      : std::string_view(domain);
    if (bare.empty())
        return false;
    if (SameTextAscii(host, bare))
        return true;
    return host.size() > bare.size() && host[host.size() - bare.size() - 1] == '.' &&
           SameTextAscii(std::string_view(host).substr(host.size() - bare.size()), bare);
}
