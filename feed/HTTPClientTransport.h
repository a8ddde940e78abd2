#pragma once

#include "feed/PageTransport.h"

class THTTPClient;

// Sends the feed's requests through the window's HTTP client (with its cookie store and
// message processing); every request follows redirects.
class THTTPClientTransport : public TPageTransport {
public:
    explicit THTTPClientTransport(THTTPClient& client) : Client(client) {}

    std::string Get(const std::string& url) override;
    std::string Post(const std::string& url, std::vector<std::string>& fields) override;

private:
    THTTPClient& Client;
};
