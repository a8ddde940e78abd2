#pragma once

#include <string>
#include <utility>
#include <vector>

// A plain socket conversation with an HTTP server on 127.0.0.1, written independently of
// the program's HTTP client so that each can be checked against the other. Every wait is
// limited (10 s); failures and time-outs throw std::runtime_error.

struct TRawHttpResponse {
    std::string StatusLine;
    int Status = 0;
    std::vector<std::string> HeaderLines;  // as received, without line ends
    std::string Body;                      // de-chunked when it came chunked
    bool Chunked = false;                  // came with "Transfer-Encoding: chunked"
    bool ReadUntilClose = false;           // had neither a length nor chunks

    // The first header of that name (any letter case), trimmed; "" when absent.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
};

class TRawHttpConnection {
public:
    explicit TRawHttpConnection(int port);
    ~TRawHttpConnection();
    TRawHttpConnection(const TRawHttpConnection&) = delete;
    TRawHttpConnection& operator=(const TRawHttpConnection&) = delete;

    void Send(const std::string& bytes);
    // One response: its body read by Content-Length, by chunks, or until the server closes.
    TRawHttpResponse ReadResponse();
    // True when the server closes the connection within the wait (no bytes arrive).
    bool ClosedByServer(int waitMilliseconds);

private:
    bool Fill(int waitMilliseconds);  // false when the server closed
    std::string ReadLine();
    std::string ReadBytes(std::size_t count);

    int Socket = -1;
    std::string Buffered;
};

// One request on a connection of its own.
TRawHttpResponse RawHttpExchange(int port, const std::string& request);

// A GET as the program sends it: HTTP/1.1, with a "Cookie" header when one is given.
std::string RawGetRequest(const std::string& target, const std::string& cookie = "");
// A form POST as the program sends it: HTTP/1.0, "Connection: keep-alive", form type.
std::string RawPostRequest(const std::string& target, const std::string& body, const std::string& cookie = "");

// A form body as the program encodes it: a blank becomes "+", letters and digits stay,
// every other byte becomes %XX; two or more fields each end with "&".
std::string RawFormBody(const std::vector<std::pair<std::string, std::string>>& fields);

// "NAME=value" of the response's first "Set-Cookie" header, "" when it has none.
std::string CookieFromResponse(const TRawHttpResponse& response);
