#include "UdpPeer.h"

namespace {
sockaddr_in Loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    return a;
}
} // namespace

// Each peer holds the socket layer itself, so the window's restarts of it never touch ours.
TUdpPeer::TUdpPeer(int port, int waitMs) {
    WSADATA data;
    WSAStartup(0x0101, &data);
    FSocket = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = Loopback(port);
    int length = sizeof a;
    for (DWORD start = GetTickCount(); bind(FSocket, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0;
         Sleep(20))
        if (GetTickCount() - start > static_cast<DWORD>(waitMs)) return;
    getsockname(FSocket, reinterpret_cast<sockaddr*>(&a), &length);
    FPort = ntohs(a.sin_port);
}

TUdpPeer::~TUdpPeer() {
    closesocket(FSocket);
    WSACleanup();
}

bool TUdpPeer::Pending(int ms) const {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(FSocket, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

TDatagram TUdpPeer::Receive(int ms) {
    static char buffer[65536];
    TDatagram d;
    if (!Pending(ms)) return d;
    sockaddr_in from{};
    int length = sizeof from;
    int n = recvfrom(FSocket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (n < 0) return d;
    d.Bytes.assign(buffer, static_cast<size_t>(n));
    d.FromPort = ntohs(from.sin_port);
    return d;
}

void TUdpPeer::SendTo(int port, const std::string& bytes) {
    sockaddr_in to = Loopback(port);
    sendto(FSocket, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&to),
           sizeof to);
}
