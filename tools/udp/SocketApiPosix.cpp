#include "SocketApi.h"

#include <cerrno>

void SocketApi::StartOnce() {}

int SocketApi::LastError() {
    return errno;
}

bool SocketApi::Transient(int error) {
    return error == EINTR || error == ECONNREFUSED || error == EAGAIN || error == EWOULDBLOCK;
}

void SocketApi::Close(SockHandle socket) {
    close(socket);
}
