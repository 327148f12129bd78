// The test's side of the wire: a plain UDP socket on 127.0.0.1, standing in for the device or for
// a stranger. Only 127.0.0.1 is ever a destination.
#pragma once

#include <winsock.h>

#include <string>

struct TDatagram {
    std::string Bytes;
    int FromPort = 0;
};

class TUdpPeer {
  public:
    // 0: the system chooses. A port just given up by another process may take a moment to be free
    // again: binding is retried for up to `waitMs`.
    explicit TUdpPeer(int port, int waitMs = 1000);
    TUdpPeer(const TUdpPeer&) = delete;
    TUdpPeer& operator=(const TUdpPeer&) = delete;
    ~TUdpPeer();

    bool Bound() const { return FPort != 0; }
    int Port() const { return FPort; }
    bool Pending(int ms = 0) const;
    // The next datagram, waiting up to `ms`; empty bytes and port 0 when none came.
    TDatagram Receive(int ms = 1000);
    void SendTo(int port, const std::string& bytes);

  private:
    SOCKET FSocket = INVALID_SOCKET;
    int FPort = 0;
};
