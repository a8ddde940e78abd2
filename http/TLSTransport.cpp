#include "http/TLSTransport.h"

#include "http/IPAddress.h"
#include "http/NetExceptions.h"
#include "http/SocketErrors.h"

#include <openssl/err.h>
#include <openssl/x509v3.h>

TTLSTransport::TTLSTransport(int socket, const std::string& host, const std::string& port, TTLSContext& context)
    : Host(host), Server(host + ":" + port), Session(SSL_new(context.Handle()), &SSL_free)
{
    BIOState.Socket = socket;
    if (!Session)
        throw ETLSError("TLS cannot be set up: " + TakeOpenSSLReason("out of memory"));
    BIO* bio = NewSocketBIO(BIOState);
    SSL_set_bio(Session.get(), bio, bio);
    // An address is checked against the certificate's addresses and never sent as a name.
    const bool expected = IsIPAddress(host)
                              ? X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(Session.get()), host.c_str()) == 1
                              : SSL_set_tlsext_host_name(Session.get(), host.c_str()) == 1 &&
                                    SSL_set1_host(Session.get(), host.c_str()) == 1;
    if (!expected)
        throw ETLSHandshakeFailed(Host, TakeOpenSSLReason("the host cannot be checked"));
    context.ResumeSessions(Session.get(), Server);
}

TWaitFor TTLSTransport::Open()
{
    ERR_clear_error();
    BIOState.LastErrno = 0;
    const int result = SSL_connect(Session.get());
    if (result == 1) {
        Opened = true;
        return TWaitFor::wfNothing;
    }
    const int error = SSL_get_error(Session.get(), result);
    if (error == SSL_ERROR_WANT_READ)
        return TWaitFor::wfReadable;
    if (error == SSL_ERROR_WANT_WRITE)
        return TWaitFor::wfWritable;
    RaiseHandshakeError(error);
}

void TTLSTransport::RaiseHandshakeError(int error)
{
    Broken = true;
    const long verifyResult = SSL_get_verify_result(Session.get());
    if (verifyResult != X509_V_OK) {
        ERR_clear_error();
        throw ECertificateVerifyFailed(Host, X509_verify_cert_error_string(verifyResult));
    }
    if (error == SSL_ERROR_SYSCALL && BIOState.LastErrno != 0) {
        ERR_clear_error();
        throw ESocketError(SocketErrorNumber(BIOState.LastErrno));
    }
    throw ETLSHandshakeFailed(Host, TakeOpenSSLReason("the server closed the connection"));
}

TWaitFor TTLSTransport::AfterFailedCall(int result)
{
    const int error = SSL_get_error(Session.get(), result);
    switch (error) {
    case SSL_ERROR_WANT_READ: return TWaitFor::wfReadable;
    case SSL_ERROR_WANT_WRITE: return TWaitFor::wfWritable;
    case SSL_ERROR_ZERO_RETURN: return TWaitFor::wfNothing;
    case SSL_ERROR_SYSCALL:
        Broken = true;
        if (BIOState.LastErrno == 0)
            return TWaitFor::wfNothing;
        ERR_clear_error();
        throw ESocketError(SocketErrorNumber(BIOState.LastErrno));
    default: Broken = true; throw ETLSError("TLS error with \"" + Host + "\": " + TakeOpenSSLReason("unknown error"));
    }
}

TTransportStep TTLSTransport::Receive(char* target, size_t maxBytes)
{
    ERR_clear_error();
    BIOState.LastErrno = 0;
    size_t received = 0;
    const int result = SSL_read_ex(Session.get(), target, maxBytes, &received);
    if (result == 1)
        return {received, TWaitFor::wfNothing};
    return {0, AfterFailedCall(result)};
}

TTransportStep TTLSTransport::Send(std::string_view bytes)
{
    ERR_clear_error();
    BIOState.LastErrno = 0;
    size_t sent = 0;
    const int result = SSL_write_ex(Session.get(), bytes.data(), bytes.size(), &sent);
    if (result == 1)
        return {sent, TWaitFor::wfNothing};
    const TWaitFor wait = AfterFailedCall(result);
    if (wait == TWaitFor::wfNothing)
        throw ESocketError(SocketErrorNumber(EPIPE));
    return {0, wait};
}

bool TTLSTransport::HasPendingBytes() const
{
    return SSL_has_pending(Session.get()) == 1;
}

void TTLSTransport::Shutdown() noexcept
{
    if (Opened && !Broken) {
        SSL_shutdown(Session.get());
        ERR_clear_error();
    }
}
