#include "http/TLSContext.h"

#include "http/NetExceptions.h"

#include <openssl/err.h>

#include <string>

std::string TakeOpenSSLReason(const std::string& fallback)
{
    const unsigned long error = ERR_peek_last_error();
    const char* reason = error != 0 ? ERR_reason_error_string(error) : nullptr;
    ERR_clear_error();
    return reason ? reason : fallback;
}

TTLSContext::TTLSContext() : Context(SSL_CTX_new(TLS_client_method()), &SSL_CTX_free)
{
    if (!Context || !SSL_CTX_set_min_proto_version(Context.get(), TLS1_2_VERSION) ||
        !SSL_CTX_set_default_verify_paths(Context.get()))
        throw ETLSError("TLS cannot be set up: " + TakeOpenSSLReason("unknown error"));
    SSL_CTX_set_verify(Context.get(), SSL_VERIFY_PEER, nullptr);
    // A server that closes without a TLS goodbye ends its stream as a plain one would; the
    // framing rules above decide whether the body is complete.
    SSL_CTX_set_options(Context.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_mode(Context.get(), SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    SSL_CTX_set_app_data(Context.get(), this);
    SSL_CTX_set_session_cache_mode(Context.get(), SSL_SESS_CACHE_CLIENT | SSL_SESS_CACHE_NO_INTERNAL_STORE);
    SSL_CTX_sess_set_new_cb(Context.get(), &TTLSContext::KeepSession);
}

void TTLSContext::ResumeSessions(SSL* connection, const std::string& server)
{
    SSL_set_app_data(connection, &server);
    const auto known = Sessions.find(server);
    if (known != Sessions.end())
        SSL_set_session(connection, known->second.get());
}

int TTLSContext::KeepSession(SSL* connection, SSL_SESSION* session)
{
    auto* context = static_cast<TTLSContext*>(SSL_CTX_get_app_data(SSL_get_SSL_CTX(connection)));
    const auto* server = static_cast<const std::string*>(SSL_get_app_data(connection));
    if (!context || !server)
        return 0;
    context->Sessions.insert_or_assign(*server, TSession(session, &SSL_SESSION_free));
    return 1;  // the reference is ours now
}
