#pragma once

#include "feed/AdminAddresses.h"

#include <string>

// Who logs in where: the site's administration pages, built from the Domain field (whose
// rule is checked there, once), and the user and password as typed.
struct TFeedLogin {
    TAdminAddresses Addresses;
    std::string User;
    std::string Password;
};
