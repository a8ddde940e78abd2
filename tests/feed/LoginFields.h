#pragma once

#include "feed/AdminAddresses.h"
#include "feed/FeedLogin.h"

#include <string>

// The window's three connection fields as a test fills them in, and the login a run gets of them.
struct TLoginFields {
    std::string Domain = "site.test";
    std::string Username = "admin";
    std::string Password = "secret";

    TFeedLogin Login() const { return {BuildAdminAddresses(Domain), Username, Password}; }
};
