#pragma once

#include "feed/PageTransport.h"

#include <chrono>

class THTTPClient;
class TStopRequest;

// Sends the feed's requests through the window's HTTP client (with its cookie store and
// message processing); every request follows redirects. While the transport lives, the stop
// request (if any) ends every wait of the client.
class THTTPClientTransport : public TPageTransport {
public:
    // The longest any wait of the closing request may take.
    static constexpr std::chrono::milliseconds ClosingWaitLimit{10000};

    explicit THTTPClientTransport(THTTPClient& client, const TStopRequest* stop = nullptr);
    ~THTTPClientTransport() override;
    THTTPClientTransport(const THTTPClientTransport&) = delete;
    THTTPClientTransport& operator=(const THTTPClientTransport&) = delete;

    std::string Get(const std::string& url) override;
    std::string Post(const std::string& url, std::vector<std::string>& fields) override;
    std::string PostLogin(const std::string& url, std::vector<std::string>& fields) override;
    std::string GetClosing(const std::string& url) override;

private:
    THTTPClient& Client;
    const TStopRequest* Stop;
};
