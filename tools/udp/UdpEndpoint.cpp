#include "UdpEndpoint.h"

#include <algorithm>
#include <charconv>

namespace {

std::optional<unsigned> ParseNumber(std::string_view text, unsigned max) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

} // namespace

std::string AddressText(const IPv4Address& a) {
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]);
}

std::string EndpointText(const UdpEndpoint& e) {
    return AddressText(e.Address) + ":" + std::to_string(e.Port);
}

std::optional<IPv4Address> ParseAddress(std::string_view text) {
    IPv4Address octets{};
    for (size_t i = 0; i < octets.size(); ++i) {
        size_t dot = i + 1 < octets.size() ? text.find('.') : text.size();
        if (dot == std::string_view::npos) return std::nullopt;
        auto octet = ParseNumber(text.substr(0, dot), 255);
        if (!octet) return std::nullopt;
        octets[i] = static_cast<uint8_t>(*octet);
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return octets;
}

std::optional<uint16_t> ParsePort(std::string_view text) {
    auto port = ParseNumber(text, 65535);
    if (!port) return std::nullopt;
    return static_cast<uint16_t>(*port);
}

std::optional<UdpEndpoint> ParseEndpoint(std::string_view text) {
    size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    auto address = ParseAddress(text.substr(0, colon));
    auto port = ParsePort(text.substr(colon + 1));
    if (!address || !port) return std::nullopt;
    return UdpEndpoint{*address, *port};
}

bool IsLoopback(const IPv4Address& address) {
    return address[0] == 127;
}

IPv4Address NextAddress(const IPv4Address& a, uint32_t steps) {
    uint32_t value = (uint32_t{a[0]} << 24 | uint32_t{a[1]} << 16 | uint32_t{a[2]} << 8 | a[3]) + steps;
    return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
            static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}
