#include "SocketApi.h" // first: it sets the platform's select() capacity

#include "UdpSocket.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

SockHandle Native(intptr_t h) {
    return static_cast<SockHandle>(h);
}

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " failed (error " + std::to_string(SocketApi::LastError()) +
                             ")");
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

} // namespace

UdpSocket::UdpSocket() {
    SocketApi::StartOnce();
    SockHandle s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) Fail("socket");
    FHandle = static_cast<intptr_t>(s);
}

UdpSocket::~UdpSocket() {
    SocketApi::Close(Native(FHandle));
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

std::vector<size_t> UdpSocket::WaitReadable(const std::vector<const UdpSocket*>& sockets, int timeoutMs) {
    if (sockets.size() > FD_SETSIZE) throw std::invalid_argument("too many sockets to wait on");
    fd_set readable;
    FD_ZERO(&readable);
    SockHandle highest = 0;
    for (const UdpSocket* s : sockets) {
        FD_SET(Native(s->FHandle), &readable);
        highest = std::max(highest, Native(s->FHandle));
    }
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int ready = select(static_cast<int>(highest) + 1, &readable, nullptr, nullptr, &limit);
    if (ready < 0 && SocketApi::Transient(SocketApi::LastError())) return {};
    if (ready < 0) Fail("select");
    std::vector<size_t> waiting;
    for (size_t i = 0; i < sockets.size() && ready > 0; ++i)
        if (FD_ISSET(Native(sockets[i]->FHandle), &readable)) waiting.push_back(i);
    return waiting;
}

std::optional<size_t> UdpSocket::Receive(uint8_t* buffer, size_t size, UdpEndpoint& from, int timeoutMs) {
    if (WaitReadable({this}, timeoutMs).empty()) return std::nullopt;
    sockaddr_in a{};
    SockLen len = sizeof a;
    auto got = recvfrom(Native(FHandle), reinterpret_cast<char*>(buffer), static_cast<int>(size), 0,
                        reinterpret_cast<sockaddr*>(&a), &len);
    if (got < 0 && SocketApi::Transient(SocketApi::LastError())) return std::nullopt;
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

std::optional<IPv4Address> ResolveHost(const std::string& host) {
    if (auto dotted = ParseAddress(host)) return dotted;
    SocketApi::StartOnce();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
    UdpEndpoint e = FromSockaddr(*reinterpret_cast<const sockaddr_in*>(found->ai_addr));
    freeaddrinfo(found);
    return e.Address;
}
