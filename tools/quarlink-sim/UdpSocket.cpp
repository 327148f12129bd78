#include "UdpSocket.h"

#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
using SockLen = int;
using SockHandle = SOCKET;
namespace {
int LastError() {
    return WSAGetLastError();
}
bool Transient(int error) {
    return error == WSAEINTR || error == WSAECONNRESET || error == WSAEMSGSIZE;
}
void CloseSocket(SockHandle s) {
    closesocket(s);
}
struct SocketLayer {
    SocketLayer() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    }
    ~SocketLayer() { WSACleanup(); }
};
} // namespace
#else
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SockLen = socklen_t;
using SockHandle = int;
constexpr SockHandle INVALID_SOCKET = -1;
namespace {
int LastError() {
    return errno;
}
bool Transient(int error) {
    return error == EINTR || error == ECONNREFUSED;
}
void CloseSocket(SockHandle s) {
    close(s);
}
struct SocketLayer {};
} // namespace
#endif

namespace {

SockHandle Native(intptr_t h) {
    return static_cast<SockHandle>(h);
}

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " failed (error " + std::to_string(LastError()) + ")");
}

sockaddr_in ToSockaddr(const UdpEndpoint& e) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(e.Port);
    std::memcpy(&a.sin_addr, e.Address.data(), 4);
    return a;
}

UdpEndpoint FromSockaddr(const sockaddr_in& a) {
    UdpEndpoint e;
    std::memcpy(e.Address.data(), &a.sin_addr, 4);
    e.Port = ntohs(a.sin_port);
    return e;
}

// Started on first use, ended at exit.
void EnsureSocketLayer() {
    [[maybe_unused]] static SocketLayer layer;
}

} // namespace

std::string EndpointText(const UdpEndpoint& e) {
    const auto& a = e.Address;
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]) + ":" + std::to_string(e.Port);
}

UdpSocket::UdpSocket() {
    EnsureSocketLayer();
    SockHandle s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) Fail("socket");
    FHandle = static_cast<intptr_t>(s);
}

UdpSocket::~UdpSocket() {
    CloseSocket(Native(FHandle));
}

void UdpSocket::Bind(const UdpEndpoint& local) {
    sockaddr_in a = ToSockaddr(local);
    if (bind(Native(FHandle), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) Fail("bind");
}

UdpEndpoint UdpSocket::LocalEndpoint() const {
    sockaddr_in a{};
    SockLen len = sizeof a;
    if (getsockname(Native(FHandle), reinterpret_cast<sockaddr*>(&a), &len) != 0) Fail("getsockname");
    return FromSockaddr(a);
}

std::optional<size_t> UdpSocket::Receive(uint8_t* buffer, size_t size, UdpEndpoint& from, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Native(FHandle), &readable);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int ready = select(static_cast<int>(Native(FHandle)) + 1, &readable, nullptr, nullptr, &limit);
    if (ready < 0 && Transient(LastError())) return std::nullopt;
    if (ready < 0) Fail("select");
    if (ready == 0) return std::nullopt;
    sockaddr_in a{};
    SockLen len = sizeof a;
    auto got = recvfrom(Native(FHandle), reinterpret_cast<char*>(buffer), static_cast<int>(size), 0,
                        reinterpret_cast<sockaddr*>(&a), &len);
    if (got < 0 && Transient(LastError())) return std::nullopt;
    if (got < 0) Fail("recvfrom");
    from = FromSockaddr(a);
    return static_cast<size_t>(got);
}

bool UdpSocket::Send(const uint8_t* bytes, size_t length, const UdpEndpoint& to) {
    sockaddr_in a = ToSockaddr(to);
    auto sent = sendto(Native(FHandle), reinterpret_cast<const char*>(bytes), static_cast<int>(length), 0,
                       reinterpret_cast<sockaddr*>(&a), sizeof a);
    return sent == static_cast<decltype(sent)>(length);
}
