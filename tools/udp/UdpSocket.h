// A blocking IPv4 datagram socket for the command-line tools; with SocketApi*.cpp the only code that
// knows a platform's socket API.
#pragma once

#include "UdpEndpoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class UdpSocket {
  public:
    UdpSocket(); // throws std::runtime_error when the socket layer refuses
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    void Bind(const UdpEndpoint& local); // throws std::runtime_error
    UdpEndpoint LocalEndpoint() const;
    // Waits at most timeoutMs for one datagram. Nothing on time-out, on a signal, or on a
    // report about an earlier send; throws std::runtime_error on any other failure.
    std::optional<size_t> Receive(uint8_t* buffer, size_t size, UdpEndpoint& from, int timeoutMs);
    bool Send(const uint8_t* bytes, size_t length, const UdpEndpoint& to);

    // The positions in `sockets` of those with a datagram waiting, after at most timeoutMs.
    static std::vector<size_t> WaitReadable(const std::vector<const UdpSocket*>& sockets, int timeoutMs);

  private:
    intptr_t FHandle;
};

// A host's IPv4 address: dotted text as it is, a name through the system's resolver.
std::optional<IPv4Address> ResolveHost(const std::string& host);
