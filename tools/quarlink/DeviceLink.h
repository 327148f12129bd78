// Commands to many devices over one socket, and their answers matched to the devices by the
// sender's address. UDP may lose either, so a device that stays silent is asked again.
#pragma once

#include "DeviceProtocol.h"
#include "UdpSocket.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct Device {
    std::string Name;    // as the user gave it
    UdpEndpoint Address; // where commands go, and where its answers must come from
};

struct Reply {
    std::optional<DeviceAnswer> Answer; // the last whole answer the device sent
    bool Accepted = false;              // that answer is the one asked for
};

class DeviceLink {
  public:
    // Binds `local`; throws std::runtime_error when it cannot. Short answers and datagrams from
    // strangers are reported on `notes`, one line each, and otherwise ignored.
    DeviceLink(const UdpEndpoint& local, int timeoutMs, int retries, std::ostream& notes);

    using Acceptor = std::function<bool(size_t device, const DeviceAnswer& answer)>;
    // Sends commands[i] to devices[i] and collects answers until every device has given one that
    // `accept` takes; after each time-out the devices still waiting get their command again.
    std::vector<Reply> Exchange(const std::vector<Device>& devices,
                                const std::vector<std::vector<uint8_t>>& commands, const Acceptor& accept);
    int Tries() const { return FRetries + 1; }

  private:
    // Waits until `deadlineMs` (of the link's clock) for answers; returns when none is waiting.
    void Collect(const std::vector<Device>& devices, std::vector<Reply>& replies, const Acceptor& accept,
                 int64_t deadlineMs, size_t& waiting);
    void Note(const UdpEndpoint& from, const std::string& what);

    UdpSocket FSocket;
    int FTimeoutMs;
    int FRetries;
    std::ostream& FNotes;
    std::vector<uint8_t> FBuffer = std::vector<uint8_t>(65536);
};
