#include "tests/support/RawHttp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <stdexcept>

namespace {

constexpr int WaitMilliseconds = 10000;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

int StatusCodeOf(const std::string& statusLine)
{
    const auto blank = statusLine.find(' ');
    if (blank == std::string::npos)
        return -1;
    try {
        return std::stoi(statusLine.substr(blank + 1, 3));
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace

std::string TRawHttpResponse::Header(const std::string& name) const
{
    const std::string wanted = Lower(name);
    for (const std::string& line : HeaderLines) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && Lower(line.substr(0, colon)) == wanted)
            return Trim(line.substr(colon + 1));
    }
    return {};
}

bool TRawHttpResponse::HasHeader(const std::string& name) const
{
    const std::string wanted = Lower(name);
    for (const std::string& line : HeaderLines)
        if (Lower(line.substr(0, line.find(':'))) == wanted)
            return true;
    return false;
}

TRawHttpConnection::TRawHttpConnection(int port)
{
    Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (Socket < 0 || connect(Socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (Socket >= 0)
            close(Socket);
        throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
    }
}

TRawHttpConnection::~TRawHttpConnection()
{
    close(Socket);
}

void TRawHttpConnection::Send(const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = send(Socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count <= 0)
            throw std::runtime_error("sending to the server failed");
        sent += static_cast<std::size_t>(count);
    }
}

bool TRawHttpConnection::Fill(int waitMilliseconds)
{
    pollfd ready{Socket, POLLIN, 0};
    if (poll(&ready, 1, waitMilliseconds) <= 0)
        throw std::runtime_error("no answer from the server within " + std::to_string(waitMilliseconds) + " ms");
    char block[32768];
    const ssize_t count = recv(Socket, block, sizeof block, 0);
    if (count < 0)
        throw std::runtime_error("receiving from the server failed");
    Buffered.append(block, static_cast<std::size_t>(count));
    return count > 0;
}

std::string TRawHttpConnection::ReadLine()
{
    std::size_t end = 0;
    while ((end = Buffered.find('\n')) == std::string::npos)
        if (!Fill(WaitMilliseconds))
            throw std::runtime_error("the server closed the connection inside a line");
    std::string line = Buffered.substr(0, end);
    Buffered.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string TRawHttpConnection::ReadBytes(std::size_t count)
{
    while (Buffered.size() < count)
        if (!Fill(WaitMilliseconds))
            throw std::runtime_error("the server closed the connection inside a body");
    std::string bytes = Buffered.substr(0, count);
    Buffered.erase(0, count);
    return bytes;
}

TRawHttpResponse TRawHttpConnection::ReadResponse()
{
    TRawHttpResponse response;
    response.StatusLine = ReadLine();
    response.Status = StatusCodeOf(response.StatusLine);
    for (std::string line = ReadLine(); !line.empty(); line = ReadLine())
        response.HeaderLines.push_back(line);

    response.Chunked = Lower(response.Header("Transfer-Encoding")).find("chunked") != std::string::npos;
    if (response.Chunked) {
        for (std::size_t size = std::stoul(ReadLine(), nullptr, 16); size > 0;
             size = std::stoul(ReadLine(), nullptr, 16)) {
            response.Body += ReadBytes(size);
            ReadLine();
        }
        ReadLine();
    } else if (response.HasHeader("Content-Length")) {
        response.Body = ReadBytes(std::stoul(response.Header("Content-Length")));
    } else {
        response.ReadUntilClose = true;
        while (Fill(WaitMilliseconds)) {
        }
        response.Body = std::move(Buffered);
        Buffered.clear();
    }
    return response;
}

bool TRawHttpConnection::ClosedByServer(int waitMilliseconds)
{
    pollfd ready{Socket, POLLIN, 0};
    if (!Buffered.empty() || poll(&ready, 1, waitMilliseconds) <= 0)
        return false;
    char c = 0;
    return recv(Socket, &c, 1, MSG_PEEK) == 0;
}

TRawHttpResponse RawHttpExchange(int port, const std::string& request)
{
    TRawHttpConnection connection(port);
    connection.Send(request);
    return connection.ReadResponse();
}

std::string RawGetRequest(const std::string& target, const std::string& cookie)
{
    return "GET " + target +
           " HTTP/1.1\r\nContent-Type: text/html\r\nHost: 127.0.0.1\r\n"
           "Accept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Tessaroo)\r\n" +
           (cookie.empty() ? std::string() : "Cookie: " + cookie + "\r\n") + "\r\n";
}

std::string RawPostRequest(const std::string& target, const std::string& body, const std::string& cookie)
{
    return "POST " + target +
           " HTTP/1.0\r\nConnection: keep-alive\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           std::to_string(body.size()) +
           "\r\nHost: 127.0.0.1\r\nAccept: text/html, */*\r\n"
           "User-Agent: Mozilla/3.0 (compatible; Tessaroo)\r\n" +
           (cookie.empty() ? std::string() : "Cookie: " + cookie + "\r\n") + "\r\n" + body;
}

std::string RawFormBody(const std::vector<std::pair<std::string, std::string>>& fields)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string body;
    for (const auto& [name, value] : fields) {
        body += name + "=";
        for (unsigned char c : value) {
            if (c == ' ')
                body += '+';
            else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
                body += static_cast<char>(c);
            else
                body += {'%', hex[c >> 4], hex[c & 15]};
        }
        if (fields.size() >= 2)
            body += '&';
    }
    return body;
}

std::string CookieFromResponse(const TRawHttpResponse& response)
{
    const std::string cookie = response.Header("Set-Cookie");
    return cookie.substr(0, cookie.find(';'));
}
