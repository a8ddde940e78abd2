#include "http/BodyReader.h"

#include "common/core/TextTrim.h"
#include "http/NetExceptions.h"

#include <cstdint>
#include <limits>

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The size of a chunk: the hexadecimal number before the first ";" or blank (chunk
// extensions follow those). Anything else would leave the stream out of step.
uint64_t ChunkSize(const std::string& line)
{
    const std::string_view trimmed = Trim(line);
    const std::string_view number = trimmed.substr(0, trimmed.find_first_of("; \t"));
    if (number.empty())
        throw EInvalidChunkSize(line);
    uint64_t size = 0;
    for (const char c : number) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || size > (std::numeric_limits<uint64_t>::max() >> 4))
            throw EInvalidChunkSize(line);
        size = (size << 4) | static_cast<uint64_t>(digit);
    }
    return size;
}

std::string ReadChunkLine(TTCPConnection& connection)
{
    auto line = connection.ReadLn(HTTPMaxLineLength);
    if (!line)
        throw EConnClosedGracefully();
    return *line;
}

void ReadChunked(TTCPConnection& connection, std::string* sink)
{
    for (;;) {
        const uint64_t size = ChunkSize(ReadChunkLine(connection));
        if (size == 0)
            break;
        if (connection.ReadBytes(sink, size) < size)
            throw EConnClosedGracefully();
        ReadChunkLine(connection);
    }
    // Trailer header lines, up to the empty line that ends the message.
    for (;;) {
        const auto trailer = connection.ReadLn(HTTPMaxLineLength);
        if (!trailer || trailer->empty())
            break;
    }
}

}  // namespace

void ReadResponseBody(TTCPConnection& connection, const THTTPResponse& response, std::string* sink)
{
    if (response.Chunked) {
        ReadChunked(connection, sink);
    } else if (!response.ContentLengthError.empty()) {
        throw EInvalidContentLength(response.ContentLengthError);
    } else if (response.ContentLength >= 1) {
        // A body cut short by the server's close keeps every byte that arrived.
        connection.ReadBytes(sink, static_cast<uint64_t>(response.ContentLength));
    } else if (!response.HasContentLengthHeader) {
        connection.ReadUntilClosed(sink);
    }
}
