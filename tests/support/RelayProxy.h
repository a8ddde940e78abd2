#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A TCP relay on 127.0.0.1 in front of a server (the stand-in site): it passes the bytes of
// every connection both ways and keeps what the clients sent, so a test sees the requests
// exactly as they went out. It can also hold back the answers to requests that begin with a
// given text: the request reaches the server, the answer never reaches the client, and the
// client waits as on a server that stalls.
//
//     TRelayProxy relay(site.Port());
//     relay.HoldAnswersTo("POST /admin/dir_categs_edit.php?action=N HTTP");
//     feed the domain relay.Domain() ...; relay.Holding() tells when a request is held
class TRelayProxy {
public:
    explicit TRelayProxy(int serverPort);
    ~TRelayProxy();
    TRelayProxy(const TRelayProxy&) = delete;
    TRelayProxy& operator=(const TRelayProxy&) = delete;

    int Port() const { return ListenPort; }
    std::string Domain() const { return "127.0.0.1:" + std::to_string(ListenPort); }

    // Connections accepted from now on go to this port.
    void Retarget(int serverPort) { ServerPort = serverPort; }
    // Requests starting with this text from now on get no answer; "" holds nothing.
    void HoldAnswersTo(const std::string& requestStart);
    // True once a request is held.
    bool Holding() const { return HeldRequests > 0; }

    // Everything the clients sent, in the order it arrived.
    std::string ClientBytes() const;
    // The request lines ("GET /admin/index.php HTTP/1.1") of the requests the clients sent.
    std::vector<std::string> RequestLines() const;

private:
    void Run();
    void Note(const char* bytes, std::size_t size, bool& held);

    int Listener = -1;
    int WakePipe[2] = {-1, -1};
    int ListenPort = 0;
    std::atomic<int> ServerPort;
    std::atomic<int> HeldRequests{0};
    mutable std::mutex Lock;
    std::string HoldPrefix;
    std::string Received;
    std::thread Worker;
};
