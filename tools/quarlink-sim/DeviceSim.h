// The stand-in device's behaviour: one settings record and a MAC, changed only by write commands.
#pragma once

#include "DeviceProtocol.h"

class DeviceSim {
  public:
    DeviceSim(const DeviceConfigRecord& record, const MacAddress& mac) : FState{record, mac} {}
    // The answer to a read request or (after applying it) a write command; nothing for any
    // other datagram.
    std::optional<DeviceAnswerBytes> Handle(const uint8_t* bytes, size_t length);
    const DeviceAnswer& State() const { return FState; }

  private:
    DeviceAnswer FState;
};
