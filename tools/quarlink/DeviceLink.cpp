#include "DeviceLink.h"

#include <chrono>

namespace {

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The device whose address sent the datagram, or devices.size().
size_t DeviceAt(const std::vector<Device>& devices, const UdpEndpoint& from) {
    for (size_t i = 0; i < devices.size(); ++i)
        if (devices[i].Address == from) return i;
    return devices.size();
}

} // namespace

DeviceLink::DeviceLink(const UdpEndpoint& local, int timeoutMs, int retries, std::ostream& notes)
    : FTimeoutMs(timeoutMs), FRetries(retries), FNotes(notes) {
    FSocket.Bind(local);
}

std::vector<Reply> DeviceLink::Exchange(const std::vector<Device>& devices,
                                        const std::vector<std::vector<uint8_t>>& commands,
                                        const Acceptor& accept) {
    std::vector<Reply> replies(devices.size());
    size_t waiting = devices.size();
    for (int attempt = 0; attempt < Tries() && waiting > 0; ++attempt) {
        for (size_t i = 0; i < devices.size(); ++i)
            if (!replies[i].Accepted)
                FSocket.Send(commands[i].data(), commands[i].size(), devices[i].Address);
        Collect(devices, replies, accept, NowMs() + FTimeoutMs, waiting);
    }
    return replies;
}

void DeviceLink::Collect(const std::vector<Device>& devices, std::vector<Reply>& replies,
                         const Acceptor& accept, int64_t deadlineMs, size_t& waiting) {
    for (int64_t left; waiting > 0 && (left = deadlineMs - NowMs()) > 0;) {
        UdpEndpoint from;
        auto length = FSocket.Receive(FBuffer.data(), FBuffer.size(), from, static_cast<int>(left));
        if (!length) continue;
        size_t i = DeviceAt(devices, from);
        if (i == devices.size()) {
            Note(from, "is not a device asked: its " + std::to_string(*length) + "-byte datagram is ignored");
            continue;
        }
        auto answer = DecodeDeviceAnswer(FBuffer.data(), *length);
        if (!answer) {
            Note(from, "sent a short answer (" + std::to_string(*length) + " of " +
                           std::to_string(DeviceAnswerSize) + " bytes): ignored");
            continue;
        }
        if (replies[i].Accepted)
            continue; // a late copy: UDP may deliver twice, or a retry crossed the answer
        replies[i].Answer = answer;
        replies[i].Accepted = accept(i, *answer);
        if (replies[i].Accepted) --waiting;
    }
}

void DeviceLink::Note(const UdpEndpoint& from, const std::string& what) {
    FNotes << "quarlink: " << EndpointText(from) << " " << what << "\n";
}
