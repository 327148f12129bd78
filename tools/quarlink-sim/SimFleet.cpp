#include "SimFleet.h"

#include "HexText.h"

#include <cstdio>

namespace {

// 02-00 and the device's four address octets: unique within a fleet and easy to read back.
MacAddress FleetMac(const IPv4Address& a) {
    return {0x02, 0x00, a[0], a[1], a[2], a[3]};
}

// One line per event, flushed so that a reader on a pipe sees it at once.
void Log(const std::string& device, const char* direction, const UdpEndpoint& peer, const uint8_t* bytes,
         size_t length, const char* note) {
    std::printf("%s%s %s %lu: %s%s\n", device.c_str(), direction, EndpointText(peer).c_str(),
                static_cast<unsigned long>(length), HexText(bytes, length).c_str(), note);
    std::fflush(stdout);
}

} // namespace

SimFleet::SimFleet(const SimOptions& o) : FLoss(o.Loss) {
    unsigned count = o.Fleet ? o.Fleet : 1;
    for (unsigned i = 0; i < count; ++i) {
        UdpEndpoint local{o.Fleet ? NextAddress(FleetBase(o), i) : o.Bind.Address, o.Bind.Port};
        auto device = std::make_unique<Device>(o.Record, o.Fleet ? FleetMac(local.Address) : o.Mac, i + 1);
        device->Socket.Bind(local);
        if (o.Fleet) device->Label = AddressText(local.Address) + " ";
        FDevices.push_back(std::move(device));
    }
}

std::string SimFleet::Description() const {
    std::string first = EndpointText(FDevices.front()->Socket.LocalEndpoint());
    if (FDevices.size() == 1) return first;
    return first + " .. " + EndpointText(FDevices.back()->Socket.LocalEndpoint()) + " (" +
           std::to_string(FDevices.size()) + " devices)";
}

void SimFleet::Serve(const volatile std::sig_atomic_t& stop, bool once) {
    std::vector<const UdpSocket*> sockets;
    for (const auto& d : FDevices)
        sockets.push_back(&d->Socket);
    std::vector<uint8_t> buffer(65536);
    while (!stop)
        for (size_t i : UdpSocket::WaitReadable(sockets, 200))
            if (HandleOne(*FDevices[i], buffer) && once) return;
}

bool SimFleet::HandleOne(Device& d, std::vector<uint8_t>& buffer) {
    UdpEndpoint peer;
    auto length = d.Socket.Receive(buffer.data(), buffer.size(), peer, 0);
    if (!length) return false;
    if (ClassifyCommand(buffer.data(), *length) != DatagramKind::None && Lost(d)) {
        Log(d.Label, "in ", peer, buffer.data(), *length, " (dropped)");
        return false;
    }
    auto answer = d.Sim.Handle(buffer.data(), *length);
    Log(d.Label, "in ", peer, buffer.data(), *length, answer ? "" : " (ignored)");
    if (!answer) return false;
    bool sent = d.Socket.Send(answer->data(), answer->size(), peer);
    Log(d.Label, "out", peer, answer->data(), answer->size(), sent ? "" : " (send failed)");
    return true;
}

bool SimFleet::Lost(Device& d) {
    return FLoss > 0 && std::uniform_real_distribution<double>(0, 1)(d.Random) < FLoss;
}
