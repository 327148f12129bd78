#include "Flood.h"

#include "UdpSocket.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <thread>

const std::array<FloodKind, 6> FloodKinds{{
    {FloodSource::DevicePort, FloodShape::Answer},
    {FloodSource::OtherPort, FloodShape::Answer},
    {FloodSource::DevicePort, FloodShape::Short},
    {FloodSource::OtherPort, FloodShape::Oversized},
    {FloodSource::DevicePort, FloodShape::Oversized},
    {FloodSource::OtherPort, FloodShape::Short},
}};

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t OtherPorts = 3;
constexpr double FinalBatchGrace = 0.1; // a sender that fell behind gets this long to catch up
constexpr std::array<size_t, 3> OversizedLengths{2049, 4096, 9000};

std::vector<uint8_t> DeviceAnswerPayload(uint32_t n, const DeviceConfigRecord& record) {
    MacAddress mac{0x02,
                   0xF1,
                   static_cast<uint8_t>(n >> 24),
                   static_cast<uint8_t>(n >> 16),
                   static_cast<uint8_t>(n >> 8),
                   static_cast<uint8_t>(n)};
    auto bytes = EncodeDeviceAnswer({record, mac});
    return {bytes.begin(), bytes.end()};
}

size_t FillerLength(FloodShape shape, uint32_t n) {
    switch (shape) {
    case FloodShape::Answer:
        return DeviceAnswerSize;
    case FloodShape::Short:
        return n % DeviceAnswerSize;
    case FloodShape::Oversized:
        break;
    }
    return OversizedLengths[n % OversizedLengths.size()];
}

// The device-port socket first, then the others.
std::vector<std::unique_ptr<UdpSocket>> FloodSockets(const UdpEndpoint& device) {
    std::vector<std::unique_ptr<UdpSocket>> sockets;
    for (size_t i = 0; i <= OtherPorts; ++i) {
        sockets.push_back(std::make_unique<UdpSocket>());
        sockets.back()->Bind({device.Address, i == 0 ? device.Port : uint16_t{0}});
    }
    return sockets;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

std::vector<uint8_t> FloodPayload(const FloodKind& kind, uint32_t n, const DeviceConfigRecord& record) {
    if (kind.Source == FloodSource::DevicePort && kind.Shape == FloodShape::Answer)
        return DeviceAnswerPayload(n, record);
    return std::vector<uint8_t>(FillerLength(kind.Shape, n), FloodFiller);
}

FloodResult RunFlood(const FloodPlan& plan, const UdpEndpoint& device, const DeviceConfigRecord& record,
                     const volatile std::sig_atomic_t& stop) {
    if (!IsLoopback(plan.Target.Address)) throw std::invalid_argument("a flood goes to 127.0.0.0/8 only");
    auto sockets = FloodSockets(device);
    const auto total = static_cast<uint32_t>(plan.Rate * plan.Seconds);
    const double hardStop = plan.Seconds + FinalBatchGrace;
    FloodResult r;
    const auto start = Clock::now();
    // Paced in steps of about a millisecond: each step sends what the rate owes by then.
    for (bool last = false; !last && !stop;) {
        double t = SecondsSince(start);
        last = t >= plan.Seconds;
        auto due = std::min(total, static_cast<uint32_t>(plan.Rate * std::min(t, plan.Seconds)) + 1);
        for (; r.Sent < due && (r.Sent % 64 != 0 || SecondsSince(start) < hardStop); ++r.Sent) {
            size_t k = r.Sent % FloodKinds.size();
            const FloodKind& kind = FloodKinds[k];
            auto bytes = FloodPayload(kind, r.SentByKind[k]++, record);
            UdpSocket& from =
                kind.Source == FloodSource::DevicePort ? *sockets[0] : *sockets[1 + r.Sent % OtherPorts];
            if (!from.Send(bytes.data(), bytes.size(), plan.Target)) ++r.Failed;
        }
        last = last || r.Sent == total;
        if (!last) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    r.Seconds = SecondsSince(start);
    return r;
}

std::string FloodSummary(const FloodPlan& plan, const FloodResult& r) {
    auto count = [&](FloodSource source, FloodShape shape) {
        uint32_t n = 0;
        for (size_t k = 0; k < FloodKinds.size(); ++k)
            if (FloodKinds[k].Source == source && FloodKinds[k].Shape == shape) n += r.SentByKind[k];
        return std::to_string(n);
    };
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", r.Seconds);
    return "flood: " + std::to_string(r.Sent) + " datagrams to " + EndpointText(plan.Target) + " in " +
           seconds + " s (" + std::to_string(r.Failed) + " refused locally); from the device port " +
           count(FloodSource::DevicePort, FloodShape::Answer) + " answers, " +
           count(FloodSource::DevicePort, FloodShape::Short) + " short, " +
           count(FloodSource::DevicePort, FloodShape::Oversized) + " oversized; from other ports " +
           count(FloodSource::OtherPort, FloodShape::Answer) + " answer-sized, " +
           count(FloodSource::OtherPort, FloodShape::Short) + " short, " +
           count(FloodSource::OtherPort, FloodShape::Oversized) + " oversized";
}
