#include "fuzz/ScriptedServer.h"

#include "common/core/Text.h"
#include "tests/support/LoopbackListener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <string_view>

namespace {

// The length of the first complete request in data (the head and "Content-Length" bytes
// of body), or 0 while it is incomplete.
std::size_t CompleteRequestLength(std::string_view data)
{
    const std::size_t headEnd = data.find("\r\n\r\n");
    if (headEnd == std::string_view::npos)
        return 0;
    const std::string head = AsciiLowerCase(data.substr(0, headEnd));
    std::size_t bodyLength = 0;
    const std::string_view field = "\r\ncontent-length: ";
    const std::size_t found = head.find(field);
    if (found != std::string::npos)
        for (std::size_t i = found + field.size(); i < head.size() && head[i] >= '0' && head[i] <= '9'; ++i)
            bodyLength = bodyLength * 10 + static_cast<std::size_t>(head[i] - '0');
    const std::size_t total = headEnd + 4 + bodyLength;
    return data.size() >= total ? total : 0;
}

// Every request begins with its method in capitals; a TLS handshake begins with a byte of
// its own.
bool CouldBeRequest(std::string_view data)
{
    return data[0] >= 'A' && data[0] <= 'Z';
}

void SendAll(int socket, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

}  // namespace

// One accepted connection with the bytes it sent that are not yet a whole request.
class TScriptedServer::TConnection {
public:
    explicit TConnection(int socket) : Socket(socket)
    {
        // A client that stops reading must not hold the server in a send.
        const timeval limit{1, 0};
        setsockopt(Socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    }
    ~TConnection() { close(Socket); }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    void EndStream()
    {
        shutdown(Socket, SHUT_WR);
        Ended = true;
    }

    const int Socket;
    std::string Received;
    bool Ended = false;  // this side sends nothing more
};

TScriptedServer::TScriptedServer()
{
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0)
        throw std::runtime_error("scripted server: no pipe");
    WakeRead = wake[0];
    WakeWrite = wake[1];
    Listener = ListenOnLoopback(ListenAddress);
}

TScriptedServer::~TScriptedServer()
{
    if (Thread.joinable())
        Stop();
    close(Listener);
    close(WakeRead);
    close(WakeWrite);
}

void TScriptedServer::Start(std::vector<std::string> replies)
{
    Replies = std::move(replies);
    NextReply = 0;
    Requests.clear();
    Thread = std::thread([this] { Run(); });
}

std::vector<std::string> TScriptedServer::Stop()
{
    const char wake = 0;
    static_cast<void>(write(WakeWrite, &wake, 1));
    Thread.join();
    char drained;
    static_cast<void>(read(WakeRead, &drained, 1));
    return std::move(Requests);
}

void TScriptedServer::Run()
{
    std::unique_ptr<TConnection> connection;
    for (;;) {
        pollfd entries[] = {
            {WakeRead, POLLIN, 0}, {Listener, POLLIN, 0}, {connection ? connection->Socket : -1, POLLIN, 0}};
        const bool awaitingClient = connection && !connection->Ended;
        const int ready = poll(entries, 3, awaitingClient ? IdleMs : -1);
        if (ready == 0) {
            connection->EndStream();
            continue;
        }
        if (entries[0].revents != 0)
            return;
        if (entries[2].revents != 0 && !Serve(*connection))
            connection.reset();
        if (entries[1].revents & POLLIN) {
            // The client opens a new connection only after it has given up the old one.
            const int accepted = accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (accepted >= 0)
                connection = std::make_unique<TConnection>(accepted);
        }
    }
}

// False when the connection is to be closed.
bool TScriptedServer::Serve(TConnection& connection)
{
    char block[65536];
    const ssize_t received = recv(connection.Socket, block, sizeof block, 0);
    if (received <= 0)
        return false;
    connection.Received.append(block, static_cast<std::size_t>(received));
    if (!CouldBeRequest(connection.Received))
        return false;
    while (const std::size_t length = CompleteRequestLength(connection.Received)) {
        Requests.push_back(connection.Received.substr(0, length));
        connection.Received.erase(0, length);
        if (connection.Ended)
            continue;
        if (NextReply == Replies.size())
            return false;
        SendAll(connection.Socket, Replies[NextReply++]);
        if (NextReply == Replies.size())
            connection.EndStream();
    }
    return true;
}
