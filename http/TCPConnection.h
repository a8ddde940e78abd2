#pragma once

#include "common/core/ProcessMessages.h"
#include "common/core/StopRequest.h"
#include "http/TLSContext.h"
#include "http/Transport.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One client TCP connection, plain or TLS, with its buffer of received bytes not yet
// consumed. Every wait (connect, TLS handshake, send, receive) is cut into slices of at most
// 50 ms when a process-messages function or a stop request is set; after each slice it
// runs, so the window stays responsive, and a stop request ends the wait with EStopRequested.
class TTCPConnection {
public:
    static constexpr size_t RecvBufferSize = 32768;
    static constexpr int SliceMs = 50;

    TTCPConnection() = default;
    TTCPConnection(const TTCPConnection&) = delete;
    TTCPConnection& operator=(const TTCPConnection&) = delete;
    ~TTCPConnection();

    void SetProcessMessages(TProcessMessages processMessages) { ProcessMessages = std::move(processMessages); }
    // Borrowed: the request outlives the connection's calls; nullptr = nothing to check.
    void SetStopRequest(const TStopRequest* stop) { Stop = stop; }

    // Resolves the host and connects; with tls, also completes the TLS handshake, which
    // waits like a read. Raises ESocketError (11001) for an unknown host, EConnectException
    // when the connect fails, EConnectTimeout after connectTimeoutMs and ETLSHandshakeFailed
    // when the server cannot be trusted.
    void Connect(const std::string& host, const std::string& port, bool tls, int connectTimeoutMs);
    void Disconnect();
    bool Connected() const { return Socket >= 0; }
    const std::string& Host() const { return ConnectedHost; }
    const std::string& Port() const { return ConnectedPort; }
    bool Encrypted() const { return ConnectedEncrypted; }

    // Looks for one millisecond whether the server closed the connection meanwhile;
    // if it did, the connection is closed here too.
    void CloseIfClosedByPeer();

    // Sets the milliseconds without any progress after which a read (or a send, or the
    // handshake) fails with EReadTimeout, 0 for no limit, for as long as the scope lives; the
    // one before is back when the scope ends, whether normally or by an exception.
    class TReadTimeoutScope {
    public:
        TReadTimeoutScope(TTCPConnection& connection, int timeoutMs);
        ~TReadTimeoutScope();
        TReadTimeoutScope(const TReadTimeoutScope&) = delete;
        TReadTimeoutScope& operator=(const TReadTimeoutScope&) = delete;

    private:
        TTCPConnection& Connection;
        const int Before;
    };

    void Write(std::string_view bytes);

    // The next line without its LF and one CR before it; nullopt when the server closed the
    // connection and nothing is left. Bytes after the last LF at the close form a last line.
    // A line longer than maxLength raises EReadLnMaxLineLengthExceeded.
    std::optional<std::string> ReadLn(size_t maxLength);

    // Appends up to count bytes to sink (or drops them when sink is null); stops early when
    // the server closes the connection. Returns the number of bytes taken. Room for the
    // bytes is made once, up to a limit, since count comes from the server.
    uint64_t ReadBytes(std::string* sink, uint64_t count);

    // Appends every byte up to the server's close.
    void ReadUntilClosed(std::string* sink);

private:
    void OpenTransport(const std::string& host, const std::string& port, bool tls);
    // Reads one block into the buffer; false when the server has closed the connection.
    bool FillBuffer();
    // Receives directly into sink (no copy through the buffer); 0 when closed.
    size_t ReceiveInto(std::string* sink, size_t maxBytes);
    // Receives up to count bytes straight into sink, in room made for them at once (up to
    // a limit); returns the number received.
    uint64_t ReceiveIntoRoom(std::string& sink, uint64_t count);
    size_t Receive(char* target, size_t maxBytes);
    void WaitFor(TWaitFor what, int timeoutMs);
    void CloseSocket();  // keeps the bytes already received
    void WaitForConnect(int connectTimeoutMs);
    bool WaitsInSlices() const { return ProcessMessages || Stop; }
    void AfterSlice();
    size_t Buffered() const { return InBuffer.size() - InPos; }
    uint64_t TakeBuffered(std::string* sink, uint64_t count);
    void CompactBuffer();

    int Socket = -1;
    int ReadTimeout = 0;                      // set by a TReadTimeoutScope
    std::unique_ptr<TTLSContext> TLSContext;  // made for the first TLS connection, kept for later ones
    std::unique_ptr<TTransport> Transport;    // uses Socket (and TLSContext); exists while it is open
    std::string ConnectedHost;
    std::string ConnectedPort;
    bool ConnectedEncrypted = false;
    TProcessMessages ProcessMessages;
    const TStopRequest* Stop = nullptr;
    std::string InBuffer;
    size_t InPos = 0;
    size_t LineScanned = 0;  // bytes after InPos already searched for a LF
};
