#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback HTTP server for the client's tests. It records every request exactly as
// received (header block plus "Content-Length" bytes) and answers each one with the next
// scripted reply: bytes, sent in steps with optional pauses, and optionally a close.
// A request with no reply left is answered by closing the connection.
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
    ~TTestServer();

    int Port() const { return ListenPort; }
    std::string URL(const std::string& path) const;

    void Reply(std::string bytes, bool closeAfter = false);
    void Reply(TReply reply);

    std::vector<std::string> Requests();
    int Connections() const { return Accepted; }
    // Waits until the server has closed or seen closed this many connections.
    bool WaitForClosedConnections(int count, int timeoutMs = 5000);

private:
    struct TClient {
        int Socket;
        std::string Received;
    };

    void Run();
    void ServeReadable(TClient& client);
    void CloseClient(TClient& client, bool reset = false);

    int Listener = -1;
    int ListenPort = 0;
    std::atomic<bool> Stopping{false};
    std::atomic<int> Accepted{0};
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
