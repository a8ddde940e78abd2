#pragma once

#include <cstddef>
#include <string_view>

// What a transport needs from the socket before a step can go on.
enum class TWaitFor { wfNothing, wfReadable, wfWritable };

// The outcome of one non-blocking step: bytes moved, or what to wait for before the same
// step is tried again. No bytes and nothing to wait for means the peer ended the stream.
struct TTransportStep {
    size_t Bytes = 0;
    TWaitFor Wait = TWaitFor::wfNothing;
};

// The byte stream over one connected non-blocking socket: plain, or TLS on top of it. The
// connection above does every wait (in slices, with its hook, stop request and timeout), so
// reading and writing work the same whichever kind carries them. Socket failures raise
// ESocketError; the socket itself belongs to the connection.
class TTransport {
public:
    virtual ~TTransport() = default;

    // Moves the opening of the stream on (the TLS handshake); wfNothing once it is open.
    virtual TWaitFor Open() { return TWaitFor::wfNothing; }
    virtual TTransportStep Receive(char* target, size_t maxBytes) = 0;
    virtual TTransportStep Send(std::string_view bytes) = 0;
    // Bytes that arrived and can be received without looking at the socket.
    virtual bool HasPendingBytes() const { return false; }
    // Tells the peer politely that this side ends the stream, when the kind has a way to.
    virtual void Shutdown() noexcept {}
};
