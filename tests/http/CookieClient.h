#pragma once

#include "http/CookieManager.h"
#include "http/HTTPClient.h"

// A client linked to a cookie store of its own, as the window links them.
struct TCookieClient {
    TCookieClient() { Client.SetCookieManager(&Cookies); }
    TCookieClient(const TCookieClient&) = delete;
    TCookieClient& operator=(const TCookieClient&) = delete;

    TCookieManager Cookies;
    THTTPClient Client;
};
