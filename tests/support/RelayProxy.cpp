#include "tests/support/RelayProxy.h"

#include "tests/support/LoopbackListener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <stdexcept>
#include <vector>

namespace {

sockaddr_in LoopbackAddress(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int ConnectToServer(int port)
{
    const int server = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = LoopbackAddress(port);
    if (server >= 0 && connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return server;
    if (server >= 0)
        close(server);
    return -1;
}

// One client connection and its connection to the server.
struct TRelayedConnection {
    int Client = -1;
    int Server = -1;
    bool Held = false;  // the server's answers are dropped

    void Close()
    {
        close(Client);
        CloseServer();
        Client = -1;
    }

    void CloseServer()
    {
        if (Server >= 0)
            close(Server);
        Server = -1;
    }
};

bool SendAll(int socket, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t sent = send(socket, bytes, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::size_t ContentLengthOf(std::string header)
{
    for (char& c : header)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t field = header.find("\r\ncontent-length:");
    return field == std::string::npos ? 0 : std::stoul(header.substr(field + 17));
}

}  // namespace

TRelayProxy::TRelayProxy(int serverPort) : ServerPort(serverPort)
{
    sockaddr_in address{};
    Listener = ListenOnLoopback(address);
    if (pipe2(WakePipe, O_CLOEXEC) != 0)
        throw std::runtime_error("relay: no pipe");
    ListenPort = ntohs(address.sin_port);
    Worker = std::thread([this] { Run(); });
}

TRelayProxy::~TRelayProxy()
{
    const char stop = 0;
    [[maybe_unused]] const ssize_t written = write(WakePipe[1], &stop, 1);
    Worker.join();
    close(WakePipe[0]);
    close(WakePipe[1]);
    close(Listener);
}

void TRelayProxy::HoldAnswersTo(const std::string& requestStart)
{
    const std::lock_guard<std::mutex> guard(Lock);
    HoldPrefix = requestStart;
}

std::string TRelayProxy::ClientBytes() const
{
    const std::lock_guard<std::mutex> guard(Lock);
    return Received;
}

std::vector<std::string> TRelayProxy::RequestLines() const
{
    const std::string bytes = ClientBytes();
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t headerEnd = bytes.find("\r\n\r\n", start);
        if (headerEnd == std::string::npos)
            break;
        const std::string header = bytes.substr(start, headerEnd - start);
        lines.push_back(header.substr(0, header.find("\r\n")));
        start = headerEnd + 4 + ContentLengthOf(header);
    }
    return lines;
}

void TRelayProxy::Note(const char* bytes, std::size_t size, bool& held)
{
    const std::lock_guard<std::mutex> guard(Lock);
    const std::string_view chunk(bytes, size);
    if (!HoldPrefix.empty() && chunk.substr(0, HoldPrefix.size()) == HoldPrefix) {
        held = true;
        ++HeldRequests;
    }
    Received.append(bytes, size);
}

void TRelayProxy::Run()
{
    std::vector<TRelayedConnection> connections;
    char buffer[65536];
    for (;;) {
        std::vector<pollfd> waits{{WakePipe[0], POLLIN, 0}, {Listener, POLLIN, 0}};
        for (const TRelayedConnection& connection : connections) {
            waits.push_back({connection.Client, POLLIN, 0});
            waits.push_back({connection.Server, POLLIN, 0});  // poll ignores a negative descriptor
        }
        if (poll(waits.data(), waits.size(), -1) < 0)
            continue;
        if (waits[0].revents)
            break;
        for (std::size_t i = 0; i < connections.size(); ++i) {
            TRelayedConnection& connection = connections[i];
            for (const bool fromClient : {true, false}) {
                if (connection.Client < 0 || !waits[2 + 2 * i + (fromClient ? 0 : 1)].revents)
                    continue;
                const int from = fromClient ? connection.Client : connection.Server;
                const ssize_t got = recv(from, buffer, sizeof buffer, 0);
                if (got <= 0 && !fromClient && connection.Held) {
                    // The client of a held request waits on, however the server ends.
                    connection.CloseServer();
                    continue;
                }
                if (got <= 0) {
                    connection.Close();
                    continue;
                }
                const auto size = static_cast<std::size_t>(got);
                if (fromClient)
                    Note(buffer, size, connection.Held);
                const bool passOn = fromClient || !connection.Held;
                if (passOn && !SendAll(fromClient ? connection.Server : connection.Client, buffer, size))
                    connection.Close();
            }
        }
        std::erase_if(connections, [](const TRelayedConnection& connection) { return connection.Client < 0; });
        if (waits[1].revents & POLLIN) {
            const int client = accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
            const int server = client >= 0 ? ConnectToServer(ServerPort) : -1;
            if (server >= 0)
                connections.push_back({client, server, false});
            else if (client >= 0)
                close(client);
        }
    }
    for (TRelayedConnection& connection : connections)
        connection.Close();
}
