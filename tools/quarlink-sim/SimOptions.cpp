#include "SimOptions.h"

#include "HexText.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

const char* const SimUsage =
    "usage: quarlink-sim [--bind ADDR] [--port N] [--record HEX] [--mac MAC] [--once]\n"
    "Stands in for a QUARLINK device: answers read and write commands on UDP.\n"
    "  --bind ADDR   IPv4 address to listen on (default 127.0.0.1)\n"
    "  --port N      UDP port, 0 lets the system choose (default 3000)\n"
    "  --record HEX  starting settings record, 90 hexadecimal digits (default: the tool's defaults)\n"
    "  --mac MAC     MAC address, e.g. 02-00-00-0A-1B-FF (the default)\n"
    "  --once        answer one command, then exit\n"
    "  --help        show this text\n";

namespace {

[[noreturn]] void Refuse(std::string_view option, std::string_view value, const char* expected) {
    throw std::invalid_argument(std::string(option) + ": '" + std::string(value) + "' is not " + expected);
}

// Strict decimal: digits only, no sign, no blanks, within [0, max].
std::optional<unsigned> ParseNumber(std::string_view text, unsigned max) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

std::array<uint8_t, 4> ParseAddress(std::string_view text) {
    std::array<uint8_t, 4> octets{};
    std::string_view rest = text;
    for (size_t i = 0; i < octets.size(); ++i) {
        size_t dot = i + 1 < octets.size() ? rest.find('.') : rest.size();
        auto octet = dot == std::string_view::npos ? std::nullopt : ParseNumber(rest.substr(0, dot), 255);
        if (!octet) Refuse("--bind", text, "a dotted IPv4 address");
        octets[i] = static_cast<uint8_t>(*octet);
        rest.remove_prefix(std::min(dot + 1, rest.size()));
    }
    return octets;
}

DeviceConfigRecord ParseRecord(std::string_view text) {
    auto bytes = ParseHex(text);
    if (!bytes || bytes->size() != DeviceConfigRecordSize) Refuse("--record", text, "90 hexadecimal digits");
    return DecodeRecord(bytes->data());
}

// Six pairs of digits separated by '-' or ':'.
MacAddress ParseMac(std::string_view text) {
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        bool separator = i % 3 == 2;
        if (separator != (text[i] == '-' || text[i] == ':'))
            Refuse("--mac", text, "a MAC like 02-00-00-0A-1B-FF");
        if (!separator) digits += text[i];
    }
    auto bytes = ParseHex(digits);
    if (!bytes || bytes->size() != MacAddressSize) Refuse("--mac", text, "a MAC like 02-00-00-0A-1B-FF");
    MacAddress mac;
    std::copy(bytes->begin(), bytes->end(), mac.begin());
    return mac;
}

void ApplyValueOption(SimOptions& o, std::string_view name, std::string_view value) {
    if (name == "--bind") {
        o.Bind.Address = ParseAddress(value);
    } else if (name == "--port") {
        auto port = ParseNumber(value, 65535);
        if (!port) Refuse(name, value, "a port number from 0 to 65535");
        o.Bind.Port = static_cast<uint16_t>(*port);
    } else if (name == "--record") {
        o.Record = ParseRecord(value);
    } else {
        o.Mac = ParseMac(value);
    }
}

bool TakesValue(std::string_view name) {
    return name == "--bind" || name == "--port" || name == "--record" || name == "--mac";
}

} // namespace

SimOptions ParseSimOptions(int argc, const char* const* argv) {
    SimOptions o;
    for (int i = 1; i < argc; ++i) {
        std::string_view name = argv[i];
        if (name == "--once") {
            o.Once = true;
        } else if (name == "--help" || name == "-h") {
            o.Help = true;
        } else if (!TakesValue(name)) {
            throw std::invalid_argument("unknown option '" + std::string(name) + "'");
        } else if (i + 1 == argc) {
            throw std::invalid_argument(std::string(name) + " needs a value");
        } else {
            ApplyValueOption(o, name, argv[++i]);
        }
    }
    return o;
}
