// The window's field texts <-> the settings record.
#include "DeviceProtocol.h"

#include "SysUtils.h"

namespace {

// Out-of-range texts are cut to the field's width, not refused: the device has always been sent
// the low bits.
uint8_t OctetFromText(const std::string& text) {
    return static_cast<uint8_t>(StrToInt(text));
}
uint16_t PortFromText(const std::string& text) {
    return static_cast<uint16_t>(StrToInt(text));
}

IPv4Octets AddressFromTexts(const std::array<std::string, 4>& texts) {
    IPv4Octets a;
    for (size_t i = 0; i < a.size(); ++i)
        a[i] = OctetFromText(texts[i]);
    return a;
}

std::array<std::string, 4> TextsFromAddress(const IPv4Octets& a) {
    std::array<std::string, 4> texts;
    for (size_t i = 0; i < a.size(); ++i)
        texts[i] = IntToStr(a[i]);
    return texts;
}

ChannelRateBlock BlockFromFields(const ChannelFields& f) {
    ChannelRateBlock b;
    if (f.Custom) {
        b.UseCustomBaudrate = 1;
        b.CustomArbitrationBaudrate = CustomValueFromText(f.ArbitrationCustom);
        b.CustomDataBaudrate = CustomValueFromText(f.DataCustom);
    } else {
        // No selection (-1) goes out as 0xFF.
        b.ArbitrationBaudrateIndex = static_cast<uint8_t>(f.ArbitrationIndex);
        b.DataBaudrateIndex = static_cast<uint8_t>(f.DataIndex);
    }
    return b;
}

// A stored index past the table selects nothing.
int ListPosition(uint8_t index) {
    return index < BaudrateTableSize ? index : -1;
}

ChannelFields FieldsFromBlock(const ChannelRateBlock& b) {
    ChannelFields f;
    f.Custom = b.UseCustomBaudrate != 0;
    if (f.Custom) {
        f.ArbitrationCustom = CustomValueText(b.CustomArbitrationBaudrate);
        f.DataCustom = CustomValueText(b.CustomDataBaudrate);
        f.ArbitrationIndex = f.DataIndex = -1;
    } else {
        f.ArbitrationIndex = ListPosition(b.ArbitrationBaudrateIndex);
        f.DataIndex = ListPosition(b.DataBaudrateIndex);
    }
    return f;
}

} // namespace

uint32_t CustomValueFromText(const std::string& text) {
    return static_cast<uint32_t>(StrToInt("0x" + text));
}

std::string CustomValueText(uint32_t value) {
    return IntToHex(value, 8);
}

DeviceFields DefaultDeviceFields() {
    DeviceFields f;
    f.HostIP = {"192", "168", "0", "55"};
    f.HostUdpPort = "4800";
    f.DevIP = {"192", "168", "0", "101"};
    f.DeviceIpMask = {"255", "255", "255", "0"};
    f.DevGatewayIP = {"192", "168", "0", "1"};
    f.DevUdpPort = "4000";
    for (auto& channel : f.Can)
        channel = ChannelFields{false, "00050B2E", "00008207", 0, 0};
    return f;
}

// Converted in the window's field order, so the error names the first bad field.
DeviceConfigRecord RecordFromFields(const DeviceFields& fields) {
    DeviceConfigRecord r;
    r.HostIP = AddressFromTexts(fields.HostIP);
    r.HostUdpPort = PortFromText(fields.HostUdpPort);
    r.DevIP = AddressFromTexts(fields.DevIP);
    r.DeviceIpMask = AddressFromTexts(fields.DeviceIpMask);
    r.DevGatewayIP = AddressFromTexts(fields.DevGatewayIP);
    r.DevUdpPort = PortFromText(fields.DevUdpPort);
    for (size_t n = 0; n < r.Can.size(); ++n)
        r.Can[n] = BlockFromFields(fields.Can[n]);
    return r;
}

DeviceFields FieldsFromRecord(const DeviceConfigRecord& record) {
    DeviceFields f;
    f.HostIP = TextsFromAddress(record.HostIP);
    f.HostUdpPort = IntToStr(record.HostUdpPort);
    f.DevIP = TextsFromAddress(record.DevIP);
    f.DeviceIpMask = TextsFromAddress(record.DeviceIpMask);
    f.DevGatewayIP = TextsFromAddress(record.DevGatewayIP);
    f.DevUdpPort = IntToStr(record.DevUdpPort);
    for (size_t n = 0; n < record.Can.size(); ++n)
        f.Can[n] = FieldsFromBlock(record.Can[n]);
    return f;
}
