#pragma once

#include "http/Transport.h"

// The bytes go over the socket as they are.
class TPlainTransport : public TTransport {
public:
    explicit TPlainTransport(int socket) : Socket(socket) {}

    TTransportStep Receive(char* target, size_t maxBytes) override;
    TTransportStep Send(std::string_view bytes) override;

private:
    int Socket;  // borrowed from the connection
};
