#pragma once

#include <openssl/ssl.h>

#include <memory>

// The client's TLS settings: TLS 1.2 or newer, and the server's certificate chain verified
// against the system's trust store through OpenSSL's default verify paths, so that
// SSL_CERT_FILE and SSL_CERT_DIR work as they do for every other program. There is no way
// to turn the verification off. The trust store is read when the context is made.
class TTLSContext {
public:
    TTLSContext();

    SSL_CTX* Handle() const { return Context.get(); }

private:
    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> Context;
};

// OpenSSL's reason for the last error of this thread, e.g. "wrong version number";
// fallback when the error queue holds none. Empties the queue.
std::string TakeOpenSSLReason(const std::string& fallback);
