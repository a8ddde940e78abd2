#pragma once

#include "common/core/Exception.h"

#include <string>

// Base of every error the HTTP client raises.
class ENetException : public Exception {
public:
    using Exception::Exception;
};

// A socket call failed; the message is "Socket Error # <number>\r\n<text>".
class ESocketError : public ENetException {
public:
    explicit ESocketError(int errorCode);

    int LastError() const { return Code; }

private:
    int Code;
};

// The connect itself failed (refused, unreachable, ...); the message is that of the socket error.
class EConnectException : public ESocketError {
public:
    using ESocketError::ESocketError;
};

class EConnectTimeout : public ENetException {
public:
    EConnectTimeout() : ENetException("Connect timed out.") {}
};

class EConnClosedGracefully : public ENetException {
public:
    EConnClosedGracefully() : ENetException("Connection Closed Gracefully.") {}
};

// Nothing arrived for the read timeout. A stalled error body, read with a limit of its own,
// says "Read Timeout"; the client's own limit says "Read Timeout.".
class EReadTimeout : public ENetException {
public:
    EReadTimeout() : ENetException("Read Timeout.") {}
    static EReadTimeout OfErrorBody() { return EReadTimeout("Read Timeout"); }

private:
    explicit EReadTimeout(std::string message) : ENetException(std::move(message)) {}
};

class EReadLnMaxLineLengthExceeded : public ENetException {
public:
    EReadLnMaxLineLengthExceeded() : ENetException("Max line length exceeded.") {}
};

// A chunked body whose size line is not a hexadecimal number.
class EInvalidChunkSize : public ENetException {
public:
    explicit EInvalidChunkSize(const std::string& sizeLine)
        : ENetException("Invalid chunk size line: \"" + sizeLine + "\"")
    {
    }
};

// A call started from the process-messages hook while another call of the same client waits.
class EClientBusy : public ENetException {
public:
    EClientBusy() : ENetException("The HTTP client is busy with another request.") {}
};

// TLS could not be set up or failed on an open connection; the message names the host
// and OpenSSL's reason.
class ETLSError : public ENetException {
public:
    using ENetException::ENetException;
};

// The TLS handshake with a server failed.
class ETLSHandshakeFailed : public ETLSError {
public:
    ETLSHandshakeFailed(const std::string& host, const std::string& reason)
        : ETLSError("TLS handshake failed for \"" + host + "\": " + reason)
    {
    }

protected:
    explicit ETLSHandshakeFailed(std::string message) : ETLSError(std::move(message)) {}
};

// The server's certificate is not trusted, has expired or is for another host.
class ECertificateVerifyFailed : public ETLSHandshakeFailed {
public:
    ECertificateVerifyFailed(const std::string& host, const std::string& reason)
        : ETLSHandshakeFailed("Certificate verify failed for \"" + host + "\": " + reason)
    {
    }
};

// A redirect the client does not follow, because following it would carry the form or the
// session somewhere the user did not send them.
class ERedirectRefused : public ENetException {
public:
    using ENetException::ENetException;
};

class ETooManyRedirects : public ENetException {
public:
    ETooManyRedirects() : ENetException("Too many redirects") {}
};

// A response whose end cannot be told: a "Content-Length" that is no plain decimal number,
// or two that differ.
class EInvalidContentLength : public ENetException {
public:
    using ENetException::ENetException;
};

class EUnknownProtocol : public ENetException {
public:
    EUnknownProtocol() : ENetException("") {}
};

class EProtocolReplyError : public ENetException {
public:
    EProtocolReplyError(int errorCode, const std::string& statusLine) : ENetException(statusLine), Code(errorCode) {}

    int ErrorCode() const { return Code; }

private:
    int Code;
};

// A response status the client does not accept: what() is the status line exactly as
// received, ErrorMessage() the response body.
class EHTTPProtocolException : public EProtocolReplyError {
public:
    EHTTPProtocolException(int errorCode, const std::string& statusLine, std::string body)
        : EProtocolReplyError(errorCode, statusLine), Body(std::move(body))
    {
    }

    const std::string& ErrorMessage() const { return Body; }

private:
    std::string Body;
};
