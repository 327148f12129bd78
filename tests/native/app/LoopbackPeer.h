// The test's side of the wire: a socket on a loopback address that plays the tool, a device or a
// stranger. Only 127.0.0.0/8 is ever a destination.
#pragma once

#include "UdpSocket.h"

#include <vector>

struct Datagram {
    std::vector<uint8_t> Bytes;
    UdpEndpoint From;
    bool Arrived = false;
};

class LoopbackPeer {
  public:
    explicit LoopbackPeer(const IPv4Address& address = {127, 0, 0, 1}, uint16_t port = 0);
    UdpEndpoint Local() const { return FSocket.LocalEndpoint(); }
    void Send(const UdpEndpoint& to, const std::vector<uint8_t>& bytes);
    // The next datagram within `ms`; Arrived is false when none came.
    Datagram Receive(int ms = 1000);

  private:
    UdpSocket FSocket;
    std::vector<uint8_t> FBuffer = std::vector<uint8_t>(65536);
};
