#include "http/TCPConnection.h"

#include "common/core/IntegerText.h"
#include "common/core/Text.h"
#include "http/NetExceptions.h"
#include "http/PlainTransport.h"
#include "http/SocketErrors.h"
#include "http/TLSTransport.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t CompactThreshold = 32768;
// The most room made ahead for a body of announced length; a longer one grows as it arrives.
constexpr uint64_t PreallocateLimit = 64 * 1024 * 1024;

struct TSocketAddress {
    sockaddr_storage Storage{};
    socklen_t Length = 0;
};

uint16_t PortNumber(const std::string& port)
{
    const auto number = TryParseInt(port);
    if (!number || *number < 0 || *number > 65535)
        throw ESocketError(SocketErrorNumber(EINVAL));
    return static_cast<uint16_t>(*number);
}

TSocketAddress IPv4Address(const in_addr& address, uint16_t port)
{
    TSocketAddress result;
    auto* ipv4 = reinterpret_cast<sockaddr_in*>(&result.Storage);
    ipv4->sin_family = AF_INET;
    ipv4->sin_port = htons(port);
    ipv4->sin_addr = address;
    result.Length = sizeof(sockaddr_in);
    return result;
}

// No name or address has a blank or a control byte in it. The lookups below read the host
// only up to a NUL, so "127.0.0.1\0..." would reach 127.0.0.1 while the "Host" header sent
// there carries the rest.
bool CannotBeAHost(const std::string& host)
{
    return host.empty() || std::any_of(host.begin(), host.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte <= ' ' || byte == 0x7F;
           });
}

// "localhost" in any case is the loopback address without a lookup; a dotted address is
// used as it is; any other name takes the first address of a single blocking lookup.
TSocketAddress ResolveHost(const std::string& host, uint16_t port)
{
    if (CannotBeAHost(host))
        throw ESocketError(HostNotFoundError);
    in_addr address{};
    if (SameTextAscii(host, "localhost")) {
        address.s_addr = htonl(INADDR_LOOPBACK);
        return IPv4Address(address, port);
    }
    if (inet_pton(AF_INET, host.c_str(), &address) == 1)
        return IPv4Address(address, port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        throw ESocketError(HostNotFoundError);
    TSocketAddress result;
    std::memcpy(&result.Storage, found->ai_addr, found->ai_addrlen);
    result.Length = found->ai_addrlen;
    freeaddrinfo(found);
    if (result.Storage.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6*>(&result.Storage)->sin6_port = htons(port);
    else
        reinterpret_cast<sockaddr_in*>(&result.Storage)->sin_port = htons(port);
    return result;
}

int ElapsedMs(Clock::time_point since)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

bool PollOnce(int socket, short events, int timeoutMs)
{
    pollfd entry{socket, events, 0};
    const int ready = poll(&entry, 1, timeoutMs);
    if (ready < 0 && errno != EINTR)
        throw ESocketError(SocketErrorNumber(errno));
    return ready > 0;
}

}  // namespace

TTCPConnection::~TTCPConnection()
{
    Disconnect();
}

TTCPConnection::TReadTimeoutScope::TReadTimeoutScope(TTCPConnection& connection, int timeoutMs)
    : Connection(connection), Before(connection.ReadTimeout)
{
    Connection.ReadTimeout = timeoutMs;
}

TTCPConnection::TReadTimeoutScope::~TReadTimeoutScope()
{
    Connection.ReadTimeout = Before;
}

void TTCPConnection::Disconnect()
{
    CloseSocket();
    InBuffer.clear();
    InPos = 0;
    LineScanned = 0;
}

void TTCPConnection::CloseSocket()
{
    if (Transport)
        Transport->Shutdown();
    Transport.reset();
    if (Socket >= 0)
        close(Socket);
    Socket = -1;
}

void TTCPConnection::Connect(const std::string& host, const std::string& port, bool tls, int connectTimeoutMs)
{
    Disconnect();
    const TSocketAddress address = ResolveHost(host, PortNumber(port));
    Socket = socket(address.Storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (Socket < 0)
        throw ESocketError(SocketErrorNumber(errno));
    try {
        const int noDelay = 1;
        setsockopt(Socket, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        if (connect(Socket, reinterpret_cast<const sockaddr*>(&address.Storage), address.Length) != 0) {
            if (errno != EINPROGRESS)
                throw EConnectException(SocketErrorNumber(errno));
            WaitForConnect(connectTimeoutMs);
        }
        OpenTransport(host, port, tls);
    } catch (...) {
        CloseSocket();
        throw;
    }
    ConnectedHost = host;
    ConnectedPort = port;
    ConnectedEncrypted = tls;
}

void TTCPConnection::OpenTransport(const std::string& host, const std::string& port, bool tls)
{
    if (!tls) {
        Transport = std::make_unique<TPlainTransport>(Socket);
        return;
    }
    if (!TLSContext)
        TLSContext = std::make_unique<TTLSContext>();
    Transport = std::make_unique<TTLSTransport>(Socket, host, port, *TLSContext);
    for (TWaitFor wait = Transport->Open(); wait != TWaitFor::wfNothing; wait = Transport->Open())
        WaitFor(wait, ReadTimeout);
}

void TTCPConnection::WaitForConnect(int connectTimeoutMs)
{
    const auto start = Clock::now();
    for (;;) {
        const int remaining = std::max(0, connectTimeoutMs - ElapsedMs(start));
        const bool ready = PollOnce(Socket, POLLOUT, WaitsInSlices() ? std::min(SliceMs, remaining) : remaining);
        if (ready)
            break;
        AfterSlice();
        if (ElapsedMs(start) >= connectTimeoutMs)
            throw EConnectTimeout();
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(Socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    if (error != 0)
        throw EConnectException(SocketErrorNumber(error));
}

void TTCPConnection::AfterSlice()
{
    ProcessPendingMessages(ProcessMessages);
    if (Stop)
        Stop->ThrowIfRequested();
}

void TTCPConnection::WaitFor(TWaitFor what, int timeoutMs)
{
    const short events = what == TWaitFor::wfWritable ? POLLOUT : POLLIN;
    const auto start = Clock::now();
    for (;;) {
        int slice = -1;
        if (timeoutMs > 0)
            slice = std::max(0, timeoutMs - ElapsedMs(start));
        if (WaitsInSlices())
            slice = slice < 0 ? SliceMs : std::min(SliceMs, slice);
        const bool ready = PollOnce(Socket, events, slice);
        AfterSlice();
        if (ready)
            return;
        if (timeoutMs > 0 && ElapsedMs(start) >= timeoutMs)
            throw EReadTimeout();
    }
}

void TTCPConnection::CloseIfClosedByPeer()
{
    if (!Transport || (!Transport->HasPendingBytes() && !PollOnce(Socket, POLLIN, 0)))
        return;
    // Whatever arrived while the connection was idle is kept; an end of the stream (or
    // an error) means the server is gone, and so is anything it sent before leaving.
    try {
        for (;;) {
            char block[4096];
            const TTransportStep step = Transport->Receive(block, sizeof block);
            if (step.Bytes > 0)
                InBuffer.append(block, step.Bytes);
            else if (step.Wait != TWaitFor::wfNothing)
                return;
            else
                break;
        }
    } catch (const ENetException&) {
        // The connection is unusable; the next request opens a new one.
    }
    Disconnect();
}

void TTCPConnection::Write(std::string_view bytes)
{
    if (!Transport)
        throw ESocketError(SocketErrorNumber(ENOTCONN));
    while (!bytes.empty()) {
        const TTransportStep step = Transport->Send(bytes);
        if (step.Bytes > 0) {
            bytes.remove_prefix(step.Bytes);
            ProcessPendingMessages(ProcessMessages);
        } else {
            // A server that takes nothing is waited for as long as one that sends nothing.
            WaitFor(step.Wait == TWaitFor::wfNothing ? TWaitFor::wfWritable : step.Wait, ReadTimeout);
        }
    }
}

size_t TTCPConnection::Receive(char* target, size_t maxBytes)
{
    while (Transport) {
        TTransportStep step;
        try {
            step = Transport->Receive(target, maxBytes);
        } catch (const ESocketError& e) {
            // An abort after the server's last bytes arrived is its way of ending the stream.
            if ((e.LastError() == ConnectionAbortedError || e.LastError() == SocketClosedError) && Buffered() > 0)
                break;
            CloseSocket();
            throw;
        }
        if (step.Bytes > 0)
            return step.Bytes;
        if (step.Wait == TWaitFor::wfNothing)
            break;
        WaitFor(step.Wait, ReadTimeout);
    }
    CloseSocket();
    return 0;
}

void TTCPConnection::CompactBuffer()
{
    if (InPos == InBuffer.size()) {
        InBuffer.clear();
        InPos = 0;
    } else if (InPos >= CompactThreshold) {
        InBuffer.erase(0, InPos);
        InPos = 0;
    }
}

bool TTCPConnection::FillBuffer()
{
    CompactBuffer();
    const size_t oldSize = InBuffer.size();
    InBuffer.resize(oldSize + RecvBufferSize);
    size_t received = 0;
    try {
        received = Receive(InBuffer.data() + oldSize, RecvBufferSize);
    } catch (...) {
        InBuffer.resize(oldSize);
        throw;
    }
    InBuffer.resize(oldSize + received);
    return received > 0;
}

size_t TTCPConnection::ReceiveInto(std::string* sink, size_t maxBytes)
{
    const size_t oldSize = sink->size();
    sink->resize(oldSize + maxBytes);
    size_t received = 0;
    try {
        received = Receive(sink->data() + oldSize, maxBytes);
    } catch (...) {
        sink->resize(oldSize);
        throw;
    }
    sink->resize(oldSize + received);
    return received;
}

uint64_t TTCPConnection::TakeBuffered(std::string* sink, uint64_t count)
{
    const size_t taken = static_cast<size_t>(std::min<uint64_t>(Buffered(), count));
    if (sink)
        sink->append(InBuffer, InPos, taken);
    InPos += taken;
    LineScanned = 0;
    CompactBuffer();
    return taken;
}

std::optional<std::string> TTCPConnection::ReadLn(size_t maxLength)
{
    for (;;) {
        const std::string_view pending(InBuffer.data() + InPos, Buffered());
        const size_t lineFeed = pending.find('\n', LineScanned);
        if (lineFeed != std::string_view::npos) {
            size_t length = lineFeed;
            if (length > 0 && pending[length - 1] == '\r')
                --length;
            if (length > maxLength)
                throw EReadLnMaxLineLengthExceeded();
            std::string line(pending.substr(0, length));
            InPos += lineFeed + 1;
            LineScanned = 0;
            return line;
        }
        // Room for the CR of a line of the greatest allowed length.
        if (pending.size() > maxLength + 1)
            throw EReadLnMaxLineLengthExceeded();
        LineScanned = pending.size();
        if (!FillBuffer())
            break;
    }
    if (Buffered() == 0)
        return std::nullopt;
    std::string line(InBuffer.data() + InPos, Buffered());
    TakeBuffered(nullptr, Buffered());
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > maxLength)
        throw EReadLnMaxLineLengthExceeded();
    return line;
}

uint64_t TTCPConnection::ReceiveIntoRoom(std::string& sink, uint64_t count)
{
    // One allocation for the whole body instead of one per block: growing block by block
    // zero-filled and copied the body again and again.
    const size_t start = sink.size();
    const size_t room = static_cast<size_t>(std::min(count, PreallocateLimit));
    sink.resize(start + room);
    size_t filled = start;
    try {
        while (filled < sink.size() && Socket >= 0) {
            const size_t received = Receive(sink.data() + filled, std::min(sink.size() - filled, RecvBufferSize));
            if (received == 0)
                break;
            filled += received;
        }
    } catch (...) {
        sink.resize(filled);
        throw;
    }
    sink.resize(filled);
    // A server that announced more than it sent must not leave the page holding the room.
    if (filled < start + room)
        sink.shrink_to_fit();
    return filled - start;
}

uint64_t TTCPConnection::ReadBytes(std::string* sink, uint64_t count)
{
    uint64_t taken = TakeBuffered(sink, count);
    if (sink && taken < count)
        taken += ReceiveIntoRoom(*sink, count - taken);
    while (taken < count && Socket >= 0) {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(count - taken, RecvBufferSize));
        if (sink) {
            const size_t received = ReceiveInto(sink, wanted);
            if (received == 0)
                break;
            taken += received;
        } else {
            if (!FillBuffer())
                break;
            taken += TakeBuffered(nullptr, count - taken);
        }
    }
    return taken;
}

void TTCPConnection::ReadUntilClosed(std::string* sink)
{
    TakeBuffered(sink, Buffered());
    while (Socket >= 0) {
        if (sink) {
            if (ReceiveInto(sink, RecvBufferSize) == 0)
                break;
        } else {
            if (!FillBuffer())
                break;
            TakeBuffered(nullptr, Buffered());
        }
    }
}
