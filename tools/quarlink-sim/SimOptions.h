// quarlink-sim's command line.
#pragma once

#include "DeviceProtocol.h"
#include "UdpSocket.h"

#include <stdexcept>

struct SimOptions {
    UdpEndpoint Bind{{127, 0, 0, 1}, DeviceCommandPort};
    DeviceConfigRecord Record = RecordFromFields(DefaultDeviceFields());
    MacAddress Mac{0x02, 0x00, 0x00, 0x0A, 0x1B, 0xFF};
    bool Once = false;
    bool Help = false;
};

extern const char* const SimUsage;

// Throws std::invalid_argument with a message naming the option at fault.
SimOptions ParseSimOptions(int argc, const char* const* argv);
