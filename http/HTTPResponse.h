#pragma once

#include "http/HeaderList.h"

#include <cstdint>
#include <string>

// The last response the client received, kept after every call, also one that failed.
class THTTPResponse {
public:
    std::string ResponseText;   // the status line exactly as received, without its line end
    int ResponseCode = -1;
    THeaderList RawHeaders;

    std::string Location;
    std::string Connection;
    std::string ProxyConnection;
    std::string ContentType;
    std::string TransferEncoding;
    int64_t ContentLength = -1;  // -1 when absent or not a number
    bool HasContentLength = false;  // a length of 0 or more was given
    bool HasContentLengthHeader = false;

    void Clear();
    // Sets the status line and its code: the integer between the first and second blank.
    void SetStatusLine(std::string line);
    // Takes the values above from RawHeaders.
    void ProcessHeaders();
    // Whether a response can be followed by another request on its connection: for
    // HTTP/1.0 only when the server asked for "keep-alive", for HTTP/1.1 unless it said "close".
    bool AllowsKeepAlive(bool http10) const;
    // 1xx, 204 and 304 responses never have a body.
    bool StatusForbidsBody() const;
};
