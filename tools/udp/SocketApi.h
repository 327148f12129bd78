// The few places where the POSIX and the Winsock socket APIs differ; SocketApiPosix.cpp and
// SocketApiWinsock.cpp each implement them for one platform. Include before any other header.
#pragma once

#ifdef _WIN32
// Winsock's default select() set holds only 64 sockets; a fleet of stand-ins needs more.
#define FD_SETSIZE 1024
#include <winsock2.h>
#include <ws2tcpip.h>
using SockLen = int;
using SockHandle = SOCKET;
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SockLen = socklen_t;
using SockHandle = int;
constexpr SockHandle INVALID_SOCKET = -1;
#endif

namespace SocketApi {
void StartOnce(); // the socket layer, started on first use and ended at exit
int LastError();
// Errors that concern a single datagram or report on an earlier send (a peer's closed port, a
// datagram larger than the buffer, a signal): the socket itself is fine.
bool Transient(int error);
void Close(SockHandle socket);
} // namespace SocketApi
