#pragma once

#include <openssl/ssl.h>

#include <map>
#include <memory>
#include <string>

// The client's TLS settings: TLS 1.2 or newer, and the server's certificate chain verified
// against the system's trust store through OpenSSL's default verify paths, so that
// SSL_CERT_FILE and SSL_CERT_DIR work as they do for every other program. There is no way
// to turn the verification off. The trust store is read when the context is made.
//
// It also keeps the last session of every server ("host:port"), so that the next
// connection to it (every post opens one) resumes it instead of a full handshake. A
// session is only ever offered to the server it came from, which was verified then.
class TTLSContext {
public:
    TTLSContext();
    TTLSContext(const TTLSContext&) = delete;
    TTLSContext& operator=(const TTLSContext&) = delete;

    SSL_CTX* Handle() const { return Context.get(); }

    // Lets the connection resume the last session with server, and keeps the sessions it
    // is given. server must outlive connection.
    void ResumeSessions(SSL* connection, const std::string& server);

private:
    using TSession = std::unique_ptr<SSL_SESSION, decltype(&SSL_SESSION_free)>;
    static int KeepSession(SSL* connection, SSL_SESSION* session);

    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> Context;
    std::map<std::string, TSession> Sessions;
};

// OpenSSL's reason for the last error of this thread, e.g. "wrong version number";
// fallback when the error queue holds none. Empties the queue.
std::string TakeOpenSSLReason(const std::string& fallback);
