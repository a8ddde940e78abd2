#pragma once

#include "tools/site/Certificate.h"

#include <openssl/ssl.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback HTTP server for the client's tests, plain or over TLS. It records every request
// exactly as received (header block plus "Content-Length" bytes, decrypted) and answers each
// one with the next scripted reply: bytes, sent in steps with optional pauses, and
// optionally a close. A request with no reply left is answered by closing the connection.
class TTestServer {
public:
    struct TStep {
        int DelayMs = 0;
        std::string Bytes;
    };
    struct TReply {
        std::vector<TStep> Steps;
        bool CloseAfter = false;
        bool ResetAfter = false;  // close with a reset instead of an orderly close
    };

    TTestServer();
    // Serves TLS with this certificate.
    explicit TTestServer(const TCertificate& identity);
    ~TTestServer();

    int Port() const { return ListenPort; }
    std::string URL(const std::string& path) const;

    void Reply(std::string bytes, bool closeAfter = false);
    void Reply(TReply reply);

    std::vector<std::string> Requests();
    int Connections() const { return Accepted; }
    // TLS connections whose handshake failed, and those that resumed an earlier session.
    int FailedHandshakes() const { return HandshakeFailures; }
    int ResumedSessions() const { return Resumptions; }
    // Waits until the server has closed or seen closed this many connections.
    bool WaitForClosedConnections(int count, int timeoutMs = 5000);

private:
    using TSession = std::unique_ptr<SSL, decltype(&SSL_free)>;
    struct TClient {
        int Socket;
        TSession Tls{nullptr, &SSL_free};
        std::string Received;
    };

    void Listen();
    void Run();
    void Accept();
    void ServeReadable(TClient& client);
    // What the client sent; empty when it closed.
    std::string ReceiveFrom(TClient& client);
    void SendAll(TClient& client, const std::string& bytes);
    void CloseClient(TClient& client, bool reset = false);

    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> TlsContext{nullptr, &SSL_CTX_free};
    int Listener = -1;
    int ListenPort = 0;
    std::atomic<bool> Stopping{false};
    std::atomic<int> Accepted{0};
    std::atomic<int> HandshakeFailures{0};
    std::atomic<int> Resumptions{0};
    int Closed = 0;
    std::mutex Mutex;
    std::condition_variable ClosedChanged;
    std::deque<TReply> Replies;
    std::vector<std::string> Recorded;
    std::vector<TClient> Clients;
    std::thread Thread;
};

// "HTTP/1.1 200 OK", the extra header lines (each ended by CR LF), "Content-Length" and the body.
std::string OkResponse(const std::string& body, const std::string& extraHeaders = "");
std::string Response(const std::string& statusLine, const std::string& headers, const std::string& body);
