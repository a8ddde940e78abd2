#pragma once

#include "http/HeaderList.h"

#include <cstdint>
#include <string>

// The last response the client received, kept after every call, also one that failed.
class THTTPResponse {
public:
    std::string ResponseText;  // the status line exactly as received, without its line end
    int ResponseCode = -1;
    THeaderList RawHeaders;

    std::string Location;
    std::string Connection;
    std::string ProxyConnection;
    std::string ContentType;
    std::string TransferEncoding;
    int64_t ContentLength = -1;     // -1 when absent or not a number
    bool HasContentLength = false;  // a length of 0 or more was given
    bool HasContentLengthHeader = false;
    // "Transfer-Encoding" names chunked (in any letter case); it wins over any length.
    bool Chunked = false;
    // Why the "Content-Length" headers cannot frame the body; empty when they can (or when
    // the body is chunked, and they do not count).
    std::string ContentLengthError;

    void Clear();
    // Sets the status line and its code: the integer between the first and second blank of a
    // line that begins with "HTTP/"; -1 for any other line, or when there is no integer.
    void SetStatusLine(std::string line);
    // Takes the values above from RawHeaders.
    void ProcessHeaders();
    // Whether a response can be followed by another request on its connection: for
    // HTTP/1.0 only when the server asked for "keep-alive", for HTTP/1.1 unless it said
    // "close"; never after a response whose framing is in doubt (a length beside chunked,
    // or a length that cannot be read), since stray bytes would be taken for the next answer.
    bool AllowsKeepAlive(bool http10) const;
    // 1xx, 204 and 304 responses never have a body.
    bool StatusForbidsBody() const;
};
