#pragma once

#include <netinet/in.h>

// A TCP socket listening on 127.0.0.1 at a port the system chooses, for the servers that
// tests and fuzz targets run in their own process. Returns the socket and fills address
// with where it listens; raises std::runtime_error when there is none.
int ListenOnLoopback(sockaddr_in& address);
