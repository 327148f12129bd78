#include "LoopbackPeer.h"

#include <stdexcept>

LoopbackPeer::LoopbackPeer(const IPv4Address& address, uint16_t port) {
    if (!IsLoopback(address)) throw std::invalid_argument("tests stay on 127.0.0.0/8");
    FSocket.Bind({address, port});
}

void LoopbackPeer::Send(const UdpEndpoint& to, const std::vector<uint8_t>& bytes) {
    if (!IsLoopback(to.Address)) throw std::invalid_argument("tests stay on 127.0.0.0/8");
    FSocket.Send(bytes.data(), bytes.size(), to);
}

Datagram LoopbackPeer::Receive(int ms) {
    Datagram d;
    auto length = FSocket.Receive(FBuffer.data(), FBuffer.size(), d.From, ms);
    if (!length) return d;
    d.Bytes.assign(FBuffer.begin(), FBuffer.begin() + static_cast<std::ptrdiff_t>(*length));
    d.Arrived = true;
    return d;
}
