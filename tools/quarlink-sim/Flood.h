// quarlink-sim --flood: a bounded burst of datagrams of every kind at one loopback port, to see
// whether a receiver stays well-behaved. Device answers go out from the device port; every other
// datagram is filled with 0xEE, so a receiver that takes a field from one shows 238 or EEEEEEEE.
#pragma once

#include "DeviceProtocol.h"
#include "SimOptions.h"

#include <array>
#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

enum class FloodSource { DevicePort, OtherPort };
enum class FloodShape { Answer, Short, Oversized };

struct FloodKind {
    FloodSource Source;
    FloodShape Shape;
};

// The kinds in the order they are sent, round and round.
extern const std::array<FloodKind, 6> FloodKinds;
constexpr uint8_t FloodFiller = 0xEE;

// The bytes of the n-th datagram of its kind: an answer from the device port carries `record` and
// a MAC 02-F1-… that counts up; a short one holds 0 to 50 bytes; an oversized one more than any
// receive buffer of 2048 bytes.
std::vector<uint8_t> FloodPayload(const FloodKind& kind, uint32_t n, const DeviceConfigRecord& record);

struct FloodResult {
    uint32_t Sent = 0;
    uint32_t Failed = 0; // refused by the local socket layer
    std::array<uint32_t, FloodKinds.size()> SentByKind{};
    double Seconds = 0;
};

// Sends plan.Rate datagrams a second to plan.Target until plan.Rate * plan.Seconds have gone or
// plan.Seconds have passed, whichever comes first, or `stop` is set. The device port's socket binds
// `device`; the others take ports the system chooses. Throws std::invalid_argument for a target
// outside 127.0.0.0/8 before any socket is made.
FloodResult RunFlood(const FloodPlan& plan, const UdpEndpoint& device, const DeviceConfigRecord& record,
                     const volatile std::sig_atomic_t& stop);

std::string FloodSummary(const FloodPlan& plan, const FloodResult& result);
