#include "SimOptions.h"

#include "HexText.h"

#include <charconv>
#include <string>
#include <string_view>

const char* const SimUsage =
    "usage: quarlink-sim [--bind ADDR] [--port N] [--record HEX] [--mac MAC] [--fleet N] [--loss P] "
    "[--once]\n"
    "       quarlink-sim --flood RATE --to ADDR:PORT --for SECONDS [--bind ADDR] [--port N] [--record HEX]\n"
    "Stands in for QUARLINK devices: answers read and write commands on UDP.\n"
    "  --bind ADDR   IPv4 address to listen on (default 127.0.0.1; with --fleet, the first device's)\n"
    "  --port N      UDP port, 0 lets the system choose (default 3000)\n"
    "  --record HEX  starting settings record, 90 hexadecimal digits (default: the tool's defaults)\n"
    "  --mac MAC     MAC address, e.g. 02-00-00-0A-1B-FF (the default)\n"
    "  --fleet N     N devices (1-254) on 127.0.0.2 ... 127.0.0.(N+1), each with its own record;\n"
    "                a device's MAC is 02-00 followed by its address, e.g. 02-00-7F-00-00-02\n"
    "  --loss P      drop this share of commands (0 to 0.99) unanswered, to exercise retries\n"
    "  --once        answer one command, then exit\n"
    "  --flood RATE  send RATE datagrams a second (1-100000) to --to for --for seconds (at most 60):\n"
    "                answers, short and oversized datagrams, from --port and from other ports;\n"
    "                only to 127.0.0.0/8, any other target is refused\n"
    "  --help        show this text\n";

namespace {

[[noreturn]] void Refuse(std::string_view option, std::string_view value, const char* expected) {
    throw std::invalid_argument(std::string(option) + ": '" + std::string(value) + "' is not " + expected);
}

template <class T> std::optional<T> ParseNumber(std::string_view text, T min, T max) {
    T value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
        value > max)
        return std::nullopt;
    return value;
}

DeviceConfigRecord ParseRecord(std::string_view text) {
    auto bytes = ParseHex(text);
    if (!bytes || bytes->size() != DeviceConfigRecordSize) Refuse("--record", text, "90 hexadecimal digits");
    return DecodeRecord(bytes->data());
}

FloodPlan& Flood(SimOptions& o) {
    if (!o.Flood) o.Flood.emplace();
    return *o.Flood;
}

UdpEndpoint ParseFloodTarget(std::string_view text) {
    auto target = ParseEndpoint(text);
    if (!target || target->Port == 0) Refuse("--to", text, "an address and port like 127.0.0.1:4800");
    if (!IsLoopback(target->Address))
        Refuse("--to", text, "a loopback address (127.0.0.0/8): a flood stays on this machine");
    return *target;
}

using ValueOption = void (*)(SimOptions&, std::string_view);

struct ValueOptionEntry {
    std::string_view Name;
    ValueOption Apply;
};

const ValueOptionEntry ValueOptions[] = {
    {"--bind",
     [](SimOptions& o, std::string_view v) {
         auto address = ParseAddress(v);
         if (!address) Refuse("--bind", v, "a dotted IPv4 address");
         o.Bind.Address = *address;
         o.BindGiven = true;
     }},
    {"--port",
     [](SimOptions& o, std::string_view v) {
         auto port = ParsePort(v);
         if (!port) Refuse("--port", v, "a port number from 0 to 65535");
         o.Bind.Port = *port;
     }},
    {"--record", [](SimOptions& o, std::string_view v) { o.Record = ParseRecord(v); }},
    {"--mac",
     [](SimOptions& o, std::string_view v) {
         auto mac = ParseMacAddress(v);
         if (!mac) Refuse("--mac", v, "a MAC like 02-00-00-0A-1B-FF");
         o.Mac = *mac;
         o.MacGiven = true;
     }},
    {"--fleet",
     [](SimOptions& o, std::string_view v) {
         auto n = ParseNumber<unsigned>(v, 1, MaxFleet);
         if (!n) Refuse("--fleet", v, "a number of devices from 1 to 254");
         o.Fleet = *n;
     }},
    {"--loss",
     [](SimOptions& o, std::string_view v) {
         auto p = ParseNumber<double>(v, 0.0, 0.99);
         if (!p) Refuse("--loss", v, "a share from 0 to 0.99");
         o.Loss = *p;
     }},
    {"--flood",
     [](SimOptions& o, std::string_view v) {
         auto rate = ParseNumber<uint32_t>(v, 1, MaxFloodRate);
         if (!rate) Refuse("--flood", v, "a rate from 1 to 100000 datagrams a second");
         Flood(o).Rate = *rate;
     }},
    {"--to", [](SimOptions& o, std::string_view v) { Flood(o).Target = ParseFloodTarget(v); }},
    {"--for",
     [](SimOptions& o, std::string_view v) {
         auto seconds = ParseNumber<double>(v, 0.001, MaxFloodSeconds);
         if (!seconds) Refuse("--for", v, "a number of seconds from 0.001 to 60");
         Flood(o).Seconds = *seconds;
     }},
};

const ValueOptionEntry* FindValueOption(std::string_view name) {
    for (const auto& entry : ValueOptions)
        if (entry.Name == name) return &entry;
    return nullptr;
}

void CheckFlood(const SimOptions& o) {
    const FloodPlan& f = *o.Flood;
    if (f.Rate == 0 || f.Target.Port == 0 || f.Seconds == 0)
        throw std::invalid_argument("--flood, --to and --for go together");
    if (o.Fleet || o.Loss > 0 || o.Once || o.MacGiven)
        throw std::invalid_argument("--flood sends only: --fleet, --loss, --once and --mac do not apply");
}

void CheckCombination(const SimOptions& o) {
    if (o.Flood) CheckFlood(o);
    if (o.Fleet && o.MacGiven)
        throw std::invalid_argument("--mac does not apply to --fleet: each device's MAC follows its address");
    if (o.Fleet && !(IsLoopback(FleetBase(o)) && IsLoopback(NextAddress(FleetBase(o), o.Fleet - 1))))
        throw std::invalid_argument("--fleet: every device must have an address in 127.0.0.0/8");
}

} // namespace

IPv4Address FleetBase(const SimOptions& o) {
    return o.BindGiven ? o.Bind.Address : IPv4Address{127, 0, 0, 2};
}

SimOptions ParseSimOptions(int argc, const char* const* argv) {
    SimOptions o;
    for (int i = 1; i < argc; ++i) {
        std::string_view name = argv[i];
        const ValueOptionEntry* option = FindValueOption(name);
        if (name == "--once") {
            o.Once = true;
        } else if (name == "--help" || name == "-h") {
            o.Help = true;
        } else if (!option) {
            throw std::invalid_argument("unknown option '" + std::string(name) + "'");
        } else if (i + 1 == argc) {
            throw std::invalid_argument(std::string(name) + " needs a value");
        } else {
            option->Apply(o, argv[++i]);
        }
    }
    CheckCombination(o);
    return o;
}
