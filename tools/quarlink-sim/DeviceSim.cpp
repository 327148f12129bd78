#include "DeviceSim.h"

std::optional<DeviceAnswerBytes> DeviceSim::Handle(const uint8_t* bytes, size_t length) {
    switch (ClassifyCommand(bytes, length)) {
    case DatagramKind::ReadRequest:
        break;
    case DatagramKind::WriteCommand:
        FState.Record = *DecodeWriteCommand(bytes, length);
        break;
    case DatagramKind::None:
        return std::nullopt;
    }
    return EncodeDeviceAnswer(FState);
}
