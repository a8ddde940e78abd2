#pragma once

#include <netinet/in.h>

// Keeps a fuzz run off the network. A program linked with
//   -Wl,--wrap=connect -Wl,--wrap=getaddrinfo
// connects every socket to this address, whatever address the code asked for, and
// resolves every name a resolver could answer to the loopback address without asking
// one; other names are not found. So a redirect to any site reaches the fuzzer's own
// server, and nothing a fuzzer makes up leaves the machine.
void RouteConnectionsTo(const sockaddr_in& address);
