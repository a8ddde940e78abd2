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
}
