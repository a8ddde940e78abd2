#include "TestServer.h"

#include "common/core/Text.h"
#include "tests/support/LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

// The length of the first complete request in data, or 0 while it is incomplete.
size_t CompleteRequestLength(const std::string& data)
{
    const size_t headerEnd = data.find("\r\n\r\n");
    if (headerEnd == std::string::npos)
        return 0;
    const std::string header = AsciiLowerCase(data.substr(0, headerEnd));
    size_t bodyLength = 0;
    const size_t field = header.find("\r\ncontent-length:");
    if (field != std::string::npos)
        bodyLength = std::stoul(header.substr(field + 17));
    const size_t total = headerEnd + 4 + bodyLength;
    return data.size() >= total ? total : 0;
}

// A client that never finishes its part of a TLS handshake must not hold the server up.
void LimitBlockingWaits(int socket)
{
    const timeval limit{5, 0};
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

}  // namespace

TTestServer::TTestServer()
{
    Listen();
}

TTestServer::TTestServer(const TCertificate& identity) : TlsContext(SSL_CTX_new(TLS_server_method()), &SSL_CTX_free)
{
    // OpenSSL writes to the socket with write(): a client that has gone would end the test.
    signal(SIGPIPE, SIG_IGN);
    if (!TlsContext || SSL_CTX_use_certificate(TlsContext.get(), identity.Certificate.get()) != 1 ||
        SSL_CTX_use_PrivateKey(TlsContext.get(), identity.Key.get()) != 1)
        throw std::runtime_error("test server cannot serve TLS");
    Listen();
}

void TTestServer::Listen()
{
    sockaddr_in address{};
    Listener = ListenOnLoopback(address);
    ListenPort = ntohs(address.sin_port);
    Thread = std::thread([this] { Run(); });
}

TTestServer::~TTestServer()
{
    Stopping = true;
    Thread.join();
    for (auto& client : Clients)
        close(client.Socket);
    close(Listener);
}

std::string TTestServer::URL(const std::string& path) const
{
    return std::string(TlsContext ? "https" : "http") + "://127.0.0.1:" + std::to_string(ListenPort) + path;
}

void TTestServer::Reply(std::string bytes, bool closeAfter)
{
    Reply(TReply{{{0, std::move(bytes)}}, closeAfter});
}

void TTestServer::Reply(TReply reply)
{
    std::lock_guard lock(Mutex);
    Replies.push_back(std::move(reply));
}

std::vector<std::string> TTestServer::Requests()
{
    std::lock_guard lock(Mutex);
    return Recorded;
}

bool TTestServer::WaitForClosedConnections(int count, int timeoutMs)
{
    std::unique_lock lock(Mutex);
    return ClosedChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return Closed >= count; });
}

void TTestServer::CloseClient(TClient& client, bool reset)
{
    if (reset) {
        const linger abort{1, 0};
        setsockopt(client.Socket, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    } else if (client.Tls) {
        SSL_shutdown(client.Tls.get());
    }
    client.Tls.reset();
    close(client.Socket);
    client.Socket = -1;
    std::lock_guard lock(Mutex);
    ++Closed;
    ClosedChanged.notify_all();
}

std::string TTestServer::ReceiveFrom(TClient& client)
{
    char block[65536];
    if (!client.Tls) {
        const ssize_t received = recv(client.Socket, block, sizeof block, 0);
        return received > 0 ? std::string(block, static_cast<size_t>(received)) : std::string();
    }
    // Decrypted bytes left in the session would never wake the poll.
    std::string data;
    do {
        const int received = SSL_read(client.Tls.get(), block, sizeof block);
        if (received <= 0)
            break;
        data.append(block, static_cast<size_t>(received));
    } while (SSL_pending(client.Tls.get()) > 0);
    return data;
}

void TTestServer::SendAll(TClient& client, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = client.Tls
                              ? SSL_write(client.Tls.get(), bytes.data() + sent, static_cast<int>(bytes.size() - sent))
                              : send(client.Socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

void TTestServer::ServeReadable(TClient& client)
{
    const std::string received = ReceiveFrom(client);
    if (received.empty()) {
        CloseClient(client);
        return;
    }
    client.Received += received;
    while (size_t length = CompleteRequestLength(client.Received)) {
        TReply reply;
        bool haveReply = false;
        {
            std::lock_guard lock(Mutex);
            Recorded.push_back(client.Received.substr(0, length));
            if (!Replies.empty()) {
                reply = std::move(Replies.front());
                Replies.pop_front();
                haveReply = true;
            }
        }
        client.Received.erase(0, length);
        for (const auto& step : reply.Steps) {
            std::this_thread::sleep_for(std::chrono::milliseconds(step.DelayMs));
            SendAll(client, step.Bytes);
        }
        if (!haveReply || reply.CloseAfter || reply.ResetAfter) {
            CloseClient(client, reply.ResetAfter);
            return;
        }
    }
}

void TTestServer::Run()
{
    while (!Stopping) {
        std::vector<pollfd> entries{{Listener, POLLIN, 0}};
        for (const auto& client : Clients)
            entries.push_back({client.Socket, POLLIN, 0});
        if (poll(entries.data(), entries.size(), 20) <= 0)
            continue;
        for (size_t i = 1; i < entries.size(); ++i)
            if (entries[i].revents != 0)
                ServeReadable(Clients[i - 1]);
        std::erase_if(Clients, [](const TClient& client) { return client.Socket < 0; });
        if (entries[0].revents & POLLIN)
            Accept();
    }
}

void TTestServer::Accept()
{
    const int socket = accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0)
        return;
    ++Accepted;
    TClient client{socket, {nullptr, &SSL_free}, {}};
    if (TlsContext) {
        LimitBlockingWaits(socket);
        client.Tls.reset(SSL_new(TlsContext.get()));
        SSL_set_fd(client.Tls.get(), socket);
        if (SSL_accept(client.Tls.get()) != 1) {
            ++HandshakeFailures;
            client.Tls.reset();
            CloseClient(client);
            return;
        }
        if (SSL_session_reused(client.Tls.get()) == 1)
            ++Resumptions;
    }
    Clients.push_back(std::move(client));
}

std::string Response(const std::string& statusLine, const std::string& headers, const std::string& body)
{
    return statusLine + "\r\n" + headers + "\r\n" + body;
}

std::string OkResponse(const std::string& body, const std::string& extraHeaders)
{
    return Response("HTTP/1.1 200 OK", extraHeaders + "Content-Length: " + std::to_string(body.size()) + "\r\n", body);
}
