#pragma once

#include "http/HTTPResponse.h"
#include "http/TCPConnection.h"

#include <string>

// Longest status, header or chunk-size line the client accepts.
constexpr size_t HTTPMaxLineLength = 16384;

// Reads the body of a response: chunked, by its "Content-Length", or up to the server's
// close. Appends to sink, or drops the bytes when sink is null. A length that cannot frame
// the body raises EInvalidContentLength.
void ReadResponseBody(TTCPConnection& connection, const THTTPResponse& response, std::string* sink);
