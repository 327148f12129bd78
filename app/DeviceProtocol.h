// The device's settings record, the datagrams that carry it, and the conversions between the record
// and the main window's field texts. Pure codec: no socket, no window, no Windows headers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr uint16_t DeviceCommandPort = 3000; // every command goes here; answers come from here
constexpr uint16_t HostCommandPort = 4800;   // the tool's local port while connected

constexpr size_t DeviceConfigRecordSize = 45;
constexpr size_t MacAddressSize = 6;
constexpr size_t WriteCommandSize = 2 + DeviceConfigRecordSize;
constexpr size_t DeviceAnswerSize = DeviceConfigRecordSize + MacAddressSize;
constexpr size_t BaudrateTableSize = 15;

using IPv4Octets = std::array<uint8_t, 4>;
using MacAddress = std::array<uint8_t, MacAddressSize>;
using WriteCommand = std::array<uint8_t, WriteCommandSize>;
using DeviceAnswerBytes = std::array<uint8_t, DeviceAnswerSize>;

constexpr std::array<uint8_t, 2> ReadRequest{0xCC, 0xDD};
constexpr std::array<uint8_t, 2> WriteCommandMarker{0xAA, 0xBB};

// One CAN channel's bit rates: either the two custom words or the two table indexes are in force.
struct ChannelRateBlock {
    uint32_t CustomArbitrationBaudrate = 0;
    uint32_t CustomDataBaudrate = 0;
    uint8_t Reserved = 0;
    uint8_t UseCustomBaudrate = 0; // any value other than 0 means custom
    uint8_t ArbitrationBaudrateIndex = 0;
    uint8_t DataBaudrateIndex = 0;
    bool operator==(const ChannelRateBlock&) const = default;
};

// The 45-byte settings block; big-endian on the wire. Reserved bytes are kept as received so that
// whoever stores a record gives back exactly what it was given.
struct DeviceConfigRecord {
    IPv4Octets HostIP{};
    uint16_t HostUdpPort = 0;
    IPv4Octets DevIP{};
    IPv4Octets DeviceIpMask{};
    IPv4Octets DevGatewayIP{};
    uint16_t DevUdpPort = 0;
    std::array<ChannelRateBlock, 2> Can{}; // CAN0, CAN1
    uint8_t Reserved = 0;
    bool operator==(const DeviceConfigRecord&) const = default;
};

std::array<uint8_t, DeviceConfigRecordSize> EncodeRecord(const DeviceConfigRecord& record);
// `bytes` must hold DeviceConfigRecordSize bytes.
DeviceConfigRecord DecodeRecord(const uint8_t* bytes);

// Commands the device understands; anything else is not a command.
enum class DatagramKind { None, ReadRequest, WriteCommand };
DatagramKind ClassifyCommand(const uint8_t* bytes, size_t length);

WriteCommand EncodeWriteCommand(const DeviceConfigRecord& record);
// The record of a write command, or nothing when the datagram is not one.
std::optional<DeviceConfigRecord> DecodeWriteCommand(const uint8_t* bytes, size_t length);

struct DeviceAnswer {
    DeviceConfigRecord Record;
    MacAddress Mac{};
};
DeviceAnswerBytes EncodeDeviceAnswer(const DeviceAnswer& answer);
// Nothing when fewer than DeviceAnswerSize bytes arrived; bytes past the answer are ignored.
std::optional<DeviceAnswer> DecodeDeviceAnswer(const uint8_t* bytes, size_t length);

// "MAC Address: 02-00-00-0A-1B-FF"
std::string FormatMacAddress(const MacAddress& mac);
// "02-00-00-0A-1B-FF"
std::string MacAddressText(const MacAddress& mac);
// Six pairs of hexadecimal digits (either case) separated by '-' or ':'; nothing for any other text.
std::optional<MacAddress> ParseMacAddress(std::string_view text);

// The drop-down lists' items (UTF-8); the wire index is the item's position.
extern const std::array<std::string_view, BaudrateTableSize> ArbitrationBaudrateTable;
extern const std::array<std::string_view, BaudrateTableSize> DataBaudrateTable;

// One channel group of the window. `Custom` is the check box and says which half is in force:
// the custom texts when ticked, the list positions (-1 = no selection) when clear.
struct ChannelFields {
    bool Custom = false;
    std::string ArbitrationCustom; // hexadecimal digits without "0x"
    std::string DataCustom;
    int ArbitrationIndex = 0;
    int DataIndex = 0;
};

// The window's settings fields, in record order.
struct DeviceFields {
    std::array<std::string, 4> HostIP;
    std::string HostUdpPort;
    std::array<std::string, 4> DevIP;
    std::array<std::string, 4> DeviceIpMask;
    std::array<std::string, 4> DevGatewayIP;
    std::string DevUdpPort;
    std::array<ChannelFields, 2> Can;
};

// The window's values at start-up (and the Default button's addresses and list positions).
DeviceFields DefaultDeviceFields();

// Reads only the half of each channel that `Custom` selects. Throws EConvertError with the first
// text that does not convert.
DeviceConfigRecord RecordFromFields(const DeviceFields& fields);
// Fills only the half of each channel that the record has in force; the other half stays empty
// (texts "", positions -1) and is not meant to be shown. A stored index past the table gives -1.
DeviceFields FieldsFromRecord(const DeviceConfigRecord& record);

// A custom bit-rate text: 1 to 8 hexadecimal digits, nothing else. Throws EConvertError naming
// the text with "0x" in front.
uint32_t CustomValueFromText(const std::string& text);
std::string CustomValueText(uint32_t value); // 8 upper-case digits
