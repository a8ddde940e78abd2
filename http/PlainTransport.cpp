#include "http/PlainTransport.h"

#include "http/NetExceptions.h"
#include "http/SocketErrors.h"

#include <sys/socket.h>

#include <cerrno>

TTransportStep TPlainTransport::Receive(char* target, size_t maxBytes)
{
    for (;;) {
        const ssize_t received = recv(Socket, target, maxBytes, 0);
        if (received >= 0)
            return {static_cast<size_t>(received), TWaitFor::wfNothing};
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return {0, TWaitFor::wfReadable};
        if (errno != EINTR)
            throw ESocketError(SocketErrorNumber(errno));
    }
}

TTransportStep TPlainTransport::Send(std::string_view bytes)
{
    for (;;) {
        const ssize_t sent = send(Socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0)
            return {static_cast<size_t>(sent), TWaitFor::wfNothing};
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return {0, TWaitFor::wfWritable};
        if (errno != EINTR)
            throw ESocketError(SocketErrorNumber(errno));
    }
}
