#pragma once

#include <openssl/bio.h>

// What the socket BIO reports back after OpenSSL used it: the errno of a failed socket call.
struct TSocketBIOState {
    int Socket = -1;
    int LastErrno = 0;
};

// A BIO that lets OpenSSL read and write a non-blocking socket with recv and send, with
// MSG_NOSIGNAL: OpenSSL's own socket BIO writes with write(), and a peer that has gone away
// would raise SIGPIPE and end the whole program. The state is borrowed and must outlive
// the BIO; the BIO never closes the socket.
BIO* NewSocketBIO(TSocketBIOState& state);
