#include "SocketApi.h"

#include <stdexcept>

namespace {
struct SocketLayer {
    SocketLayer() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    }
    ~SocketLayer() { WSACleanup(); }
};
} // namespace

void SocketApi::StartOnce() {
    [[maybe_unused]] static SocketLayer layer;
}

int SocketApi::LastError() {
    return WSAGetLastError();
}

bool SocketApi::Transient(int error) {
    return error == WSAEINTR || error == WSAECONNRESET || error == WSAEMSGSIZE || error == WSAEWOULDBLOCK;
}

void SocketApi::Close(SockHandle socket) {
    closesocket(socket);
}
