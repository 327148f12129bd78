// A blocking IPv4 datagram socket; the only place that knows the platform's socket API.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct UdpEndpoint {
    std::array<uint8_t, 4> Address{};
    uint16_t Port = 0;
};

std::string EndpointText(const UdpEndpoint& endpoint); // "127.0.0.1:3000"

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

  private:
    intptr_t FHandle;
};
