#include "http/HTTPResponse.h"

#include "common/core/IntegerText.h"
#include "common/core/Text.h"
#include "common/core/TextTrim.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>

namespace {

// 1*DIGIT that fits the length type; anything else ("+5", "5x", "-3", "") is no length.
std::optional<int64_t> PlainDecimal(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return TryParseInt64(text);
}

// Every value of every "Content-Length" header, a comma-separated list included, must be
// the same plain decimal number.
void ReadContentLength(const std::vector<std::string>& values, THTTPResponse& response)
{
    std::optional<int64_t> length;
    std::string first;
    for (const auto& value : values) {
        std::string_view items = value;
        for (;;) {
            const size_t comma = items.find(',');
            const std::string_view item = Trim(items.substr(0, comma));
            const auto number = PlainDecimal(item);
            if (!number) {
                response.ContentLengthError = "Invalid \"Content-Length\" header: \"" + value + "\"";
                return;
            }
            if (length && *length != *number) {
                response.ContentLengthError =
                    "Conflicting \"Content-Length\" headers: \"" + first + "\" and \"" + std::string(item) + "\"";
                return;
            }
            length = number;
            first = std::string(item);
            if (comma == std::string_view::npos)
                break;
            items.remove_prefix(comma + 1);
        }
    }
    response.ContentLength = *length;
    response.HasContentLength = true;
}

}  // namespace

void THTTPResponse::Clear()
{
    *this = THTTPResponse();
}

void THTTPResponse::SetStatusLine(std::string line)
{
    ResponseText = std::move(line);
    const std::string_view trimmed = Trim(ResponseText);
    // "HT1.1 302 Found" is no answer of an HTTP server; a code read from it would be followed.
    if (!trimmed.starts_with("HTTP/")) {
        ResponseCode = -1;
        return;
    }
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
    Chunked = AsciiLowerCase(TransferEncoding).find("chunked") != std::string::npos;
    const auto lengths = RawHeaders.AllValues("Content-Length");
    HasContentLengthHeader = !lengths.empty();
    if (HasContentLengthHeader && !Chunked)
        ReadContentLength(lengths, *this);
}

bool THTTPResponse::AllowsKeepAlive(bool http10) const
{
    if ((Chunked && HasContentLengthHeader) || !ContentLengthError.empty())
        return false;
    if (http10)
        return SameTextAscii(Trim(Connection), "keep-alive") || SameTextAscii(Trim(ProxyConnection), "keep-alive");
    return !SameTextAscii(Trim(Connection), "close") && !SameTextAscii(Trim(ProxyConnection), "close");
}

bool THTTPResponse::StatusForbidsBody() const
{
    return (ResponseCode >= 100 && ResponseCode < 200) || ResponseCode == 204 || ResponseCode == 304;
}
