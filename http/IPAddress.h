#pragma once

#include <string>

// An IPv4 address in dotted form or an IPv6 address, rather than a host name.
bool IsIPAddress(const std::string& host);
