#include "fuzz/LoopbackNetwork.h"

#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>

namespace {

sockaddr_in Destination{};

// Letters, digits, "-", "_" and ".": what a name needs for a resolver to find it.
bool IsResolvableName(const char* name)
{
    const std::size_t length = std::strlen(name);
    return length > 0 && std::all_of(name, name + length, [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                      c == '_' || c == '.';
           });
}

}  // namespace

void RouteConnectionsTo(const sockaddr_in& address)
{
    Destination = address;
}

extern "C" {

int __real_connect(int socket, const sockaddr* address, socklen_t length);
int __real_getaddrinfo(const char* name, const char* service, const addrinfo* hints, addrinfo** result);

int __wrap_connect(int socket, const sockaddr*, socklen_t)
{
    return __real_connect(socket, reinterpret_cast<const sockaddr*>(&Destination), sizeof Destination);
}

int __wrap_getaddrinfo(const char* name, const char* service, const addrinfo* hints, addrinfo** result)
{
    if (name == nullptr || !IsResolvableName(name))
        return EAI_NONAME;
    addrinfo numeric = hints ? *hints : addrinfo{};
    numeric.ai_family = AF_INET;
    numeric.ai_flags |= AI_NUMERICHOST;
    return __real_getaddrinfo("127.0.0.1", service, &numeric, result);
}

}  // extern "C"
