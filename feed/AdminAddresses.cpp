#include "feed/AdminAddresses.h"

#include "common/core/Text.h"
#include "feed/FeedErrors.h"

TAdminAddresses BuildAdminAddresses(const std::string& domainField)
{
    const std::string domain = AsciiLowerCase(domainField);
    if (domain.find("http:") != std::string::npos || domain.find('/') != std::string::npos)
        throw EAdminDomain(DomainRuleMessage);

    const std::string site = "http://" + domain;
    return TAdminAddresses{
        domain,
        site + "/admin/index.php",
        site + "/admin/login.php",
        site + "/admin/logout.php",
        site + "/admin/dir_categs_edit.php?action=N",
        site + "/admin/dir_categs_edit.php?action=N&s=1",
    };
}
