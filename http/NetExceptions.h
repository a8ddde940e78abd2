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

class EReadTimeout : public ENetException {
public:
    EReadTimeout() : ENetException("Read Timeout") {}
};

class EReadLnMaxLineLengthExceeded : public ENetException {
public:
    EReadLnMaxLineLengthExceeded() : ENetException("Max line length exceeded.") {}
};

// A chunked body whose size line is not a hexadecimal number.
class EInvalidChunkSize : public ENetException {
public:
    explicit EInvalidChunkSize(const std::string& sizeLine)
        : ENetException("Invalid chunk size line: \"" + sizeLine + "\"") {}
};

// A call started from the process-messages hook while another call of the same client waits.
class EClientBusy : public ENetException {
public:
    EClientBusy() : ENetException("The HTTP client is busy with another request.") {}
};

// A target that needs an encrypted connection; the client has no TLS layer.
class EIOHandlerPropInvalid : public ENetException {
public:
    EIOHandlerPropInvalid() : ENetException("IOHandler value is not valid") {}
};

class EUnknownProtocol : public ENetException {
public:
    EUnknownProtocol() : ENetException("") {}
};

class EProtocolReplyError : public ENetException {
public:
    EProtocolReplyError(int errorCode, const std::string& statusLine)
        : ENetException(statusLine), Code(errorCode) {}

    int ErrorCode() const { return Code; }

private:
    int Code;
};

// A response status the client does not accept: what() is the status line exactly as
// received, ErrorMessage() the response body.
class EHTTPProtocolException : public EProtocolReplyError {
public:
    EHTTPProtocolException(int errorCode, const std::string& statusLine, std::string body)
        : EProtocolReplyError(errorCode, statusLine), Body(std::move(body)) {}

    const std::string& ErrorMessage() const { return Body; }

private:
    std::string Body;
};
