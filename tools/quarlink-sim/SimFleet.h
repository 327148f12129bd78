// The stand-in devices of one quarlink-sim process: one device on --bind, or a fleet on consecutive
// loopback addresses, each with its own socket, record, MAC and lossy link.
#pragma once

#include "DeviceSim.h"
#include "SimOptions.h"
#include "UdpSocket.h"

#include <csignal>
#include <memory>
#include <random>
#include <string>
#include <vector>

class SimFleet {
  public:
    explicit SimFleet(const SimOptions& options); // binds every device; throws std::runtime_error
    // "127.0.0.1:3000", or "127.0.0.2:3000 .. 127.0.0.51:3000 (50 devices)"
    std::string Description() const;
    // Answers commands until `stop` is set, or after the first answer when `once`.
    void Serve(const volatile std::sig_atomic_t& stop, bool once);

  private:
    struct Device {
        Device(const DeviceConfigRecord& record, const MacAddress& mac, unsigned seed)
            : Sim(record, mac), Random(seed) {}
        UdpSocket Socket;
        DeviceSim Sim;
        std::minstd_rand Random; // fixed seed per device: a lossy run repeats itself
        std::string Label;       // the device's address in the log; empty for a single device
    };
    // True when an answer went out.
    bool HandleOne(Device& device, std::vector<uint8_t>& buffer);
    bool Lost(Device& device);

    std::vector<std::unique_ptr<Device>> FDevices;
    double FLoss;
};
