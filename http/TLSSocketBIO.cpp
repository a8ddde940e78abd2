#include "http/TLSSocketBIO.h"

#include "http/NetExceptions.h"

#include <sys/socket.h>

#include <cerrno>
#include <memory>

namespace {

TSocketBIOState& StateOf(BIO* bio)
{
    return *static_cast<TSocketBIOState*>(BIO_get_data(bio));
}

bool IsTransient(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

int WriteEx(BIO* bio, const char* data, size_t size, size_t* written)
{
    TSocketBIOState& state = StateOf(bio);
    BIO_clear_retry_flags(bio);
    const ssize_t sent = send(state.Socket, data, size, MSG_NOSIGNAL);
    if (sent >= 0) {
        *written = static_cast<size_t>(sent);
        return 1;
    }
    state.LastErrno = errno;
    if (IsTransient(errno))
        BIO_set_retry_write(bio);
    return 0;
}

int ReadEx(BIO* bio, char* data, size_t size, size_t* read)
{
    TSocketBIOState& state = StateOf(bio);
    BIO_clear_retry_flags(bio);
    const ssize_t received = recv(state.Socket, data, size, 0);
    if (received > 0) {
        *read = static_cast<size_t>(received);
        return 1;
    }
    state.LastErrno = received == 0 ? 0 : errno;
    if (received < 0 && IsTransient(errno))
        BIO_set_retry_read(bio);
    return 0;
}

long Control(BIO*, int command, long, void*)
{
    // Writes go straight to the socket, so there is never anything left to flush.
    return command == BIO_CTRL_FLUSH ? 1 : 0;
}

int Create(BIO* bio)
{
    BIO_set_init(bio, 1);
    return 1;
}

using TMethodPointer = std::unique_ptr<BIO_METHOD, decltype(&BIO_meth_free)>;

TMethodPointer MakeMethod()
{
    TMethodPointer method(BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "tessaroo socket"), &BIO_meth_free);
    if (!method || !BIO_meth_set_write_ex(method.get(), &WriteEx) || !BIO_meth_set_read_ex(method.get(), &ReadEx) ||
        !BIO_meth_set_ctrl(method.get(), &Control) || !BIO_meth_set_create(method.get(), &Create))
        throw ETLSError("TLS cannot be set up: out of memory");
    return method;
}

}  // namespace

BIO* NewSocketBIO(TSocketBIOState& state)
{
    static const TMethodPointer method = MakeMethod();
    BIO* bio = BIO_new(method.get());
    if (!bio)
        throw ETLSError("TLS cannot be set up: out of memory");
    BIO_set_data(bio, &state);
    return bio;
}
