#pragma once

#include <netinet/in.h>

#include <cstddef>
#include <string>
#include <thread>
#include <vector>

// A loopback server that answers the n-th request it receives, on whichever connection,
// with the n-th reply of a script, byte for byte, and then keeps the connection open for
// the next request. After the last reply it ends its side of the stream; a request beyond
// the script, or bytes that are no HTTP request (a TLS handshake), get the connection
// closed. A client that neither sends nor closes for IdleMs gets the stream ended, so
// that a reply whose body never ends costs a fuzz run milliseconds, not the client's read
// timeout.
class TScriptedServer {
public:
    static constexpr int IdleMs = 5;

    TScriptedServer();
    ~TScriptedServer();
    TScriptedServer(const TScriptedServer&) = delete;
    TScriptedServer& operator=(const TScriptedServer&) = delete;

    const sockaddr_in& Address() const { return ListenAddress; }

    // Serves the replies on a thread of its own until Stop.
    void Start(std::vector<std::string> replies);
    // Closes every connection and returns each request received (head and body), in order.
    std::vector<std::string> Stop();

private:
    class TConnection;

    void Run();
    bool Serve(TConnection& connection);

    int Listener = -1;
    sockaddr_in ListenAddress{};
    int WakeRead = -1;
    int WakeWrite = -1;
    std::thread Thread;
    std::vector<std::string> Replies;
    std::size_t NextReply = 0;
    std::vector<std::string> Requests;
};
