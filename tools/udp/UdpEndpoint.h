// An IPv4 address and UDP port, and their text forms. No sockets here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using IPv4Address = std::array<uint8_t, 4>;

struct UdpEndpoint {
    IPv4Address Address{};
    uint16_t Port = 0;
    bool operator==(const UdpEndpoint&) const = default;
};

std::string AddressText(const IPv4Address& address);   // "127.0.0.1"
std::string EndpointText(const UdpEndpoint& endpoint); // "127.0.0.1:3000"

// Strict dotted quad: four decimal numbers 0-255, nothing else.
std::optional<IPv4Address> ParseAddress(std::string_view text);
// Strict decimal 0-65535.
std::optional<uint16_t> ParsePort(std::string_view text);
// "ADDR:PORT" with both parts strict.
std::optional<UdpEndpoint> ParseEndpoint(std::string_view text);

// 127.0.0.0/8: every address of it belongs to this machine.
bool IsLoopback(const IPv4Address& address);
// The address `steps` further on (127.0.0.2 + 1 = 127.0.0.3), carrying into the higher octets.
IPv4Address NextAddress(const IPv4Address& address, uint32_t steps = 1);
