#pragma once

#include "http/TLSContext.h"
#include "http/TLSSocketBIO.h"
#include "http/Transport.h"

#include <openssl/ssl.h>

#include <memory>
#include <string>

// TLS over the connection's socket: SNI with the host name, the certificate verified for
// the host (name or address). Handshake failures raise ETLSHandshakeFailed, certificate
// failures ECertificateVerifyFailed, both naming the host and OpenSSL's reason.
class TTLSTransport : public TTransport {
public:
    TTLSTransport(int socket, const std::string& host, const std::string& port, TTLSContext& context);

    TWaitFor Open() override;
    TTransportStep Receive(char* target, size_t maxBytes) override;
    TTransportStep Send(std::string_view bytes) override;
    bool HasPendingBytes() const override;
    void Shutdown() noexcept override;

private:
    // What to do after an SSL call that moved nothing: wait, or nothing when the stream ended.
    TWaitFor AfterFailedCall(int result);
    [[noreturn]] void RaiseHandshakeError(int error);

    std::string Host;
    std::string Server;  // "host:port", the key of its resumable sessions
    TSocketBIOState BIOState;
    std::unique_ptr<SSL, decltype(&SSL_free)> Session;
    bool Opened = false;
    bool Broken = false;  // a fatal error forbids the goodbye
};
