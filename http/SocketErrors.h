#pragma once

#include <string>

// Socket errors are reported with the Windows Sockets numbering the users know from the
// program's messages: 10000 plus the classic error number, 11001 for an unknown host.
constexpr int HostNotFoundError = 11001;

// The Windows Sockets number for a POSIX errno value; unknown values keep their own number.
int SocketErrorNumber(int posixErrno);

// The text of a socket error number, empty for numbers without one.
std::string SocketErrorText(int errorNumber);

// "Socket Error # <number>\r\n<text>"
std::string SocketErrorMessage(int errorNumber);
