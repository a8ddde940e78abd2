#include "http/IPAddress.h"

#include <arpa/inet.h>

bool IsIPAddress(const std::string& host)
{
    unsigned char address[sizeof(in6_addr)];
    return inet_pton(AF_INET, host.c_str(), address) == 1 || inet_pton(AF_INET6, host.c_str(), address) == 1;
}
