#pragma once

#include <string>

// The site's administration pages for one domain.
struct TAdminAddresses {
    std::string Domain;
    std::string Index;
    std::string Login;
    std::string Logout;
    std::string NewCategory;
    std::string NewSymbolicCategory;
};

inline constexpr const char* DomainRuleMessage = "Domain must be in the form: [www.]subdomainlist.domainname.tld";

// Lower-cases the ASCII letters of the Domain field and builds the addresses under
// "http://<domain>/admin/", or "https://<domain>/admin/" when the field begins with
// "https://" (in any case). A domain holding "http:", "/", "\", "#", "?", "@", a blank or a
// control character fails with EAdminDomain; nothing else is checked, so "host:port" passes
// and an empty domain only fails at the first request.
TAdminAddresses BuildAdminAddresses(const std::string& domainField);
