#pragma once

#include <string>

// Socket errors are reported with the Windows Sockets numbering the users know from the
// program's messages: 10000 plus the classic error number, 11001 for an unknown host.
constexpr int HostNotFoundError = 11001;
// "Software caused connection abort." and "Cannot send or receive after socket is closed.":
// how a receive fails when the server has ended the connection without a proper close.
constexpr int ConnectionAbortedError = 10053;
constexpr int SocketClosedError = 10058;

// The Windows Sockets number for a POSIX errno value; unknown values keep their own number.
int SocketErrorNumber(int posixErrno);

// The text of a socket error number, empty for numbers without one.
std::string SocketErrorText(int errorNumber);

// "Socket Error # <number>\r\n<text>"
std::string SocketErrorMessage(int errorNumber);
