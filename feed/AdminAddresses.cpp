#include "feed/AdminAddresses.h"

#include "common/core/Text.h"
#include "feed/FeedErrors.h"

#include <algorithm>

namespace {

constexpr std::string_view SecurePrefix = "https://";

// Characters that would make the address name another host, path or port than the one
// typed ("@" starts a host, "#" and "?" end it, "\" reads as "/"), or that cannot stand in
// an address at all (blanks and control characters).
bool LeavesTheDomain(char c)
{
    return c == '/' || c == '\\' || c == '#' || c == '?' || c == '@' || static_cast<unsigned char>(c) <= ' ' ||
           c == '\x7F';
}

}  // namespace

TAdminAddresses BuildAdminAddresses(const std::string& domainField)
{
    std::string domain = AsciiLowerCase(domainField);
    std::string scheme = "http://";
    if (domain.starts_with(SecurePrefix)) {
        scheme = SecurePrefix;
        domain.erase(0, SecurePrefix.size());
    }
    if (domain.find("http:") != std::string::npos || std::any_of(domain.begin(), domain.end(), LeavesTheDomain))
        throw EAdminDomain(DomainRuleMessage);

    const std::string site = scheme + domain;
    return TAdminAddresses{
        domain,
        site + "/admin/index.php",
        site + "/admin/login.php",
        site + "/admin/logout.php",
        site + "/admin/dir_categs_edit.php?action=N",
        site + "/admin/dir_categs_edit.php?action=N&s=1",
    };
}
