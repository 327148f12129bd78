// quarlink-sim's command line.
#pragma once

#include "DeviceProtocol.h"
#include "UdpEndpoint.h"

#include <optional>
#include <stdexcept>

// --flood: datagrams of every kind, bounded in count and time, to one loopback port.
struct FloodPlan {
    uint32_t Rate = 0; // datagrams a second
    UdpEndpoint Target;
    double Seconds = 0;
};

struct SimOptions {
    UdpEndpoint Bind{{127, 0, 0, 1}, DeviceCommandPort};
    bool BindGiven = false;
    DeviceConfigRecord Record = RecordFromFields(DefaultDeviceFields());
    MacAddress Mac{0x02, 0x00, 0x00, 0x0A, 0x1B, 0xFF};
    bool MacGiven = false;
    unsigned Fleet = 0; // 0: one device on Bind
    double Loss = 0;    // share of commands dropped unanswered
    std::optional<FloodPlan> Flood;
    bool Once = false;
    bool Help = false;
};

extern const char* const SimUsage;
constexpr unsigned MaxFleet = 254;
constexpr uint32_t MaxFloodRate = 100000;
constexpr double MaxFloodSeconds = 60;

// Throws std::invalid_argument with a message naming the option at fault. A flood target outside
// 127.0.0.0/8 is refused here, before any socket exists.
SimOptions ParseSimOptions(int argc, const char* const* argv);

// Where a fleet's first device listens: --bind when given, otherwise 127.0.0.2.
IPv4Address FleetBase(const SimOptions& options);
