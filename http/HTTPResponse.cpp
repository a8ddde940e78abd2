#include "http/HTTPResponse.h"

#include "common/core/Text.h"
#include "http/IntegerText.h"
#include "http/TextTrim.h"

void THTTPResponse::Clear()
{
    *this = THTTPResponse();
}

void THTTPResponse::SetStatusLine(std::string line)
{
    ResponseText = std::move(line);
    const std::string_view trimmed = Trim(ResponseText);
    const size_t first = trimmed.find(' ');
    const std::string_view rest = first == std::string_view::npos ? std::string_view() : trimmed.substr(first + 1);
    ResponseCode = TryParseInt(rest.substr(0, rest.find(' '))).value_or(-1);
}

void THTTPResponse::ProcessHeaders()
{
    Location = RawHeaders.Values("Location");
    Connection = RawHeaders.Values("Connection");
    ProxyConnection = RawHeaders.Values("Proxy-Connection");
    ContentType = RawHeaders.Values("Content-Type");
    TransferEncoding = RawHeaders.Values("Transfer-Encoding");
    HasContentLengthHeader = !RawHeaders.AllValues("Content-Length").empty();
    const auto length = TryParseInt64(RawHeaders.Values("Content-Length"));
    HasContentLength = length && *length >= 0;
    ContentLength = HasContentLength ? *length : -1;
}

bool THTTPResponse::AllowsKeepAlive(bool http10) const
{
    if (http10)
        return SameTextAscii(Trim(Connection), "keep-alive") || SameTextAscii(Trim(ProxyConnection), "keep-alive");
    return !SameTextAscii(Trim(Connection), "close") && !SameTextAscii(Trim(ProxyConnection), "close");
}

bool THTTPResponse::StatusForbidsBody() const
{
    return (ResponseCode >= 100 && ResponseCode < 200) || ResponseCode == 204 || ResponseCode == 304;
}
