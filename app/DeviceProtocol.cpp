#include "DeviceProtocol.h"

#include "SysUtils.h"

#include <algorithm>

const std::array<std::string_view, BaudrateTableSize> ArbitrationBaudrateTable{
    "1Mbps",   "预留1", "预留2",  "500Kbps", "预留3",  "250Kbps", "预留4", "125Kbps",
    "100Kbps", "预留5", "50Kbps", "40Kbps",  "20Kbps", "10Kbps",  "5Kbps"};

const std::array<std::string_view, BaudrateTableSize> DataBaudrateTable{
    "5Mbps",   "4Mbps", "预留1",   "预留2", "2Mbps",   "预留3",   "1Mbps", "预留4",
    "500kbps", "预留5", "250Kbps", "预留6", "125Kbps", "100Kbps", "预留7"};

namespace {

// Sequential big-endian writer over a fixed buffer; the record layout has no gaps.
class ByteWriter {
  public:
    explicit ByteWriter(uint8_t* out) : FOut(out) {}
    void U8(uint8_t v) { *FOut++ = v; }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v >> 8));
        U8(static_cast<uint8_t>(v));
    }
    void U32(uint32_t v) {
        U16(static_cast<uint16_t>(v >> 16));
        U16(static_cast<uint16_t>(v));
    }
    void Octets(const IPv4Octets& a) { FOut = std::copy(a.begin(), a.end(), FOut); }

  private:
    uint8_t* FOut;
};

class ByteReader {
  public:
    explicit ByteReader(const uint8_t* in) : FIn(in) {}
    uint8_t U8() { return *FIn++; }
    uint16_t U16() {
        uint16_t hi = U8();
        return static_cast<uint16_t>(hi << 8 | U8());
    }
    uint32_t U32() {
        uint32_t hi = U16();
        return hi << 16 | U16();
    }
    IPv4Octets Octets() {
        IPv4Octets a;
        for (auto& o : a)
            o = U8();
        return a;
    }

  private:
    const uint8_t* FIn;
};

void WriteBlock(ByteWriter& w, const ChannelRateBlock& b) {
    w.U32(b.CustomArbitrationBaudrate);
    w.U32(b.CustomDataBaudrate);
    w.U8(b.Reserved);
    w.U8(b.UseCustomBaudrate);
    w.U8(b.ArbitrationBaudrateIndex);
    w.U8(b.DataBaudrateIndex);
}

ChannelRateBlock ReadBlock(ByteReader& r) {
    ChannelRateBlock b;
    b.CustomArbitrationBaudrate = r.U32();
    b.CustomDataBaudrate = r.U32();
    b.Reserved = r.U8();
    b.UseCustomBaudrate = r.U8();
    b.ArbitrationBaudrateIndex = r.U8();
    b.DataBaudrateIndex = r.U8();
    return b;
}

bool StartsWith(const uint8_t* bytes, size_t length, const std::array<uint8_t, 2>& marker) {
    return length >= marker.size() && std::equal(marker.begin(), marker.end(), bytes);
}

} // namespace

std::array<uint8_t, DeviceConfigRecordSize> EncodeRecord(const DeviceConfigRecord& record) {
    std::array<uint8_t, DeviceConfigRecordSize> out{};
    ByteWriter w(out.data());
    w.Octets(record.HostIP);
    w.U16(record.HostUdpPort);
    w.Octets(record.DevIP);
    w.Octets(record.DeviceIpMask);
    w.Octets(record.DevGatewayIP);
    w.U16(record.DevUdpPort);
    for (const auto& block : record.Can)
        WriteBlock(w, block);
    w.U8(record.Reserved);
    return out;
}

DeviceConfigRecord DecodeRecord(const uint8_t* bytes) {
    ByteReader r(bytes);
    DeviceConfigRecord record;
    record.HostIP = r.Octets();
    record.HostUdpPort = r.U16();
    record.DevIP = r.Octets();
    record.DeviceIpMask = r.Octets();
    record.DevGatewayIP = r.Octets();
    record.DevUdpPort = r.U16();
    for (auto& block : record.Can)
        block = ReadBlock(r);
    record.Reserved = r.U8();
    return record;
}

DatagramKind ClassifyCommand(const uint8_t* bytes, size_t length) {
    if (length == ReadRequest.size() && StartsWith(bytes, length, ReadRequest))
        return DatagramKind::ReadRequest;
    if (length == WriteCommandSize && StartsWith(bytes, length, WriteCommandMarker))
        return DatagramKind::WriteCommand;
    return DatagramKind::None;
}

WriteCommand EncodeWriteCommand(const DeviceConfigRecord& record) {
    WriteCommand out{};
    const auto body = EncodeRecord(record);
    std::copy(body.begin(), body.end(),
              std::copy(WriteCommandMarker.begin(), WriteCommandMarker.end(), out.begin()));
    return out;
}

std::optional<DeviceConfigRecord> DecodeWriteCommand(const uint8_t* bytes, size_t length) {
    if (ClassifyCommand(bytes, length) != DatagramKind::WriteCommand) return std::nullopt;
    return DecodeRecord(bytes + WriteCommandMarker.size());
}

DeviceAnswerBytes EncodeDeviceAnswer(const DeviceAnswer& answer) {
    DeviceAnswerBytes out{};
    const auto body = EncodeRecord(answer.Record);
    std::copy(answer.Mac.begin(), answer.Mac.end(), std::copy(body.begin(), body.end(), out.begin()));
    return out;
}

std::optional<DeviceAnswer> DecodeDeviceAnswer(const uint8_t* bytes, size_t length) {
    if (bytes == nullptr || length < DeviceAnswerSize) return std::nullopt;
    DeviceAnswer answer;
    answer.Record = DecodeRecord(bytes);
    std::copy_n(bytes + DeviceConfigRecordSize, MacAddressSize, answer.Mac.begin());
    return answer;
}

std::string FormatMacAddress(const MacAddress& mac) {
    return "MAC Address: " + MacAddressText(mac);
}

std::string MacAddressText(const MacAddress& mac) {
    std::string text;
    for (size_t i = 0; i < mac.size(); ++i) {
        if (i > 0) text += '-';
        text += IntToHex(mac[i], 2);
    }
    return text;
}

std::optional<MacAddress> ParseMacAddress(std::string_view text) {
    MacAddress mac;
    if (text.size() != mac.size() * 3 - 1) return std::nullopt;
    for (size_t i = 0; i < mac.size(); ++i) {
        int hi = HexDigitValue(text[i * 3]), lo = HexDigitValue(text[i * 3 + 1]);
        char separator = i + 1 < mac.size() ? text[i * 3 + 2] : '-';
        if (hi < 0 || lo < 0 || (separator != '-' && separator != ':')) return std::nullopt;
        mac[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    return mac;
}
