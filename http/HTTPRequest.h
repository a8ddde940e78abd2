#pragma once

#include "http/HeaderList.h"

#include <cstdint>
#include <string>

enum class THTTPMethod { hmGet, hmPost };

enum TProtocolVersion { pv1_0, pv1_1 };

// The request the client sends. Its settings keep their values from call to call; the
// fields marked per request are set anew for every request sent, redirects included.
class THTTPRequest {
public:
    std::string Connection;
    std::string ContentType = "text/html";
    std::string Accept = "text/html, */*";
    std::string UserAgent = "Mozilla/3.0 (compatible; Tessaroo)";

    // Per request.
    THTTPMethod Method = THTTPMethod::hmGet;
    std::string Target;
    std::string Host;
    int64_t ContentLength = -1;

    // Set by a "Basic" challenge (401, resp. 407); from then on every request carries the
    // credentials the client has, which are empty.
    bool BasicAuthentication = false;
    bool ProxyBasicAuthentication = false;

    // The header lines actually sent with the last request.
    THeaderList RawHeaders;

    // Rebuilds RawHeaders in their fixed order; cookieValue empty means no "Cookie" line.
    void ComposeHeaders(const std::string& cookieValue);

    // The request line, the header lines and the empty line, each ended by CR LF.
    std::string HeaderText(TProtocolVersion version) const;
};
