#include "CliOptions.h"

#include "SysUtils.h"

#include <charconv>
#include <fstream>
#include <string_view>

namespace {

std::string TableWords(const std::array<std::string_view, BaudrateTableSize>& table) {
    std::string words;
    for (auto item : table)
        words += " " + std::string(item);
    return words;
}

[[noreturn]] void Refuse(const std::string& message) {
    throw std::invalid_argument(message);
}

int ParseCount(const std::string& option, const std::string& text, int min, int max) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
        value > max)
        Refuse(option + ": '" + text + "' is not a number from " + std::to_string(min) + " to " +
               std::to_string(max));
    return value;
}

void ReadHostsFile(const std::string& path, std::vector<std::string>& hosts) {
    std::ifstream in(path);
    if (!in) Refuse("--hosts: " + path + " cannot be read");
    for (std::string line; std::getline(in, line);) {
        line = Trim(line);
        if (!line.empty() && line[0] != '#') hosts.push_back(line);
    }
}

void AddSet(CliOptions& o, const std::string& assignment) {
    size_t equals = assignment.find('=');
    auto key = FindSetting(std::string_view(assignment).substr(0, equals));
    if (equals == std::string::npos || !key)
        Refuse("--set: '" + assignment + "' is not KEY=VALUE with one of the keys listed by --help");
    std::string value = assignment.substr(equals + 1);
    std::string name(SettingNames[*key].Key);
    if (o.Sets[*key]) Refuse("--set: " + name + " is given twice");
    if (value.empty()) throw SettingError(name + ": no value; expected " + ExpectedForm(*key));
    CheckSetting(*key, value);
    o.Sets[*key] = value;
}

Command ParseCommand(const std::string& word) {
    if (word == "read") return Command::Read;
    if (word == "write") return Command::Write;
    if (word == "default") return Command::Default;
    if (word == "diff") return Command::Diff;
    Refuse("'" + word + "' is not a command: read, write, default or diff");
}

// One option at args[i]; advances i past its value.
void ApplyOption(CliOptions& o, const std::vector<std::string>& args, size_t& i) {
    const std::string& name = args[i];
    if (name == "--json") {
        o.Json = true;
        return;
    }
    if (i + 1 == args.size()) Refuse(name + " needs a value");
    const std::string& value = args[++i];
    if (name == "--set")
        AddSet(o, value);
    else if (name == "--from")
        o.FromFile = value;
    else if (name == "--hosts")
        ReadHostsFile(value, o.Hosts);
    else if (name == "--port")
        o.DevicePort = static_cast<uint16_t>(ParseCount(name, value, 1, 65535));
    else if (name == "--local-port")
        o.LocalPort = static_cast<uint16_t>(ParseCount(name, value, 0, 65535));
    else if (name == "--timeout")
        o.TimeoutMs = ParseCount(name, value, 1, 60000);
    else if (name == "--retries")
        o.Retries = ParseCount(name, value, 0, 100);
    else
        Refuse("unknown option '" + name + "'");
}

bool AnySet(const SettingChanges& sets) {
    for (const auto& s : sets)
        if (s) return true;
    return false;
}

void CheckCommand(CliOptions& o) {
    bool sets = AnySet(o.Sets);
    if (o.Json && o.What != Command::Read) Refuse("--json goes with read");
    if ((sets || !o.FromFile.empty()) && o.What != Command::Write) Refuse("--set and --from go with write");
    if (o.What == Command::Write && sets == !o.FromFile.empty())
        Refuse("write needs --set KEY=VALUE... or --from FILE, one of them");
    if (o.What == Command::Diff) {
        if (o.Hosts.size() != 2) Refuse("diff takes one HOST and one FILE.json");
        o.DiffFile = o.Hosts.back();
        o.Hosts.pop_back();
    }
    if (o.Hosts.empty()) Refuse("name at least one host (there is no default device)");
    CheckChannels(o.Sets);
}

} // namespace

std::string QuarlinkUsage() {
    return "usage: quarlink read HOST... [--json]\n"
           "       quarlink write HOST... (--set KEY=VALUE... | --from FILE.json)\n"
           "       quarlink default HOST...\n"
           "       quarlink diff HOST FILE.json\n"
           "Reads and writes the settings block of QUARLINK gateways over UDP, as the configuration\n"
           "window does: commands from local port 4800 to the device's port 3000.\n"
           "\n"
           "Commands:\n"
           "  read     print each device's settings as a table, or as JSON with --json\n"
           "  write    read each device, change the keys given, write the block back; the device's\n"
           "           answer must show what was written\n"
           "  default  write the window's default settings (both channels on their first table entries)\n"
           "  diff     list the keys whose values differ between the device and FILE.json\n"
           "A HOST is an IPv4 address or a name; name as many as you like.\n"
           "\n"
           "Options:\n"
           "  --json           read: JSON with the MAC address; one host gives one object, several\n"
           "                   give an object of them by host\n"
           "  --set KEY=VALUE  write: a new value; repeat for more keys\n"
           "  --from FILE      write: the settings in FILE, as read --json prints them; a file of\n"
           "                   several hosts gives each host its own (\"mac\" is never written)\n"
           "  --hosts FILE     more hosts, one per line; '#' starts a comment line\n"
           "  --port N         the devices' command port (default 3000)\n"
           "  --local-port N   the local port the answers come to (default 4800; 0: any free port)\n"
           "  --timeout MS     how long to wait for answers before asking again (default 500)\n"
           "  --retries N      how often to ask a silent device again (default 3); UDP loses datagrams\n"
           "  --help           show this text\n"
           "\n"
           "Keys and values, converted as the window converts its fields (numbers past a field's\n"
           "width are cut to it, as there):\n"
           "  host-ip dev-ip mask gateway   four numbers joined by dots, e.g. 192.168.0.55\n"
           "  host-port dev-port            a number, e.g. 4800\n"
           "  can0.arbitration can1.arbitration\n"
           "                                an arbitration table entry:" +
           TableWords(ArbitrationBaudrateTable) +
           "\n"
           "  can0.data can1.data           a data table entry:" +
           TableWords(DataBaudrateTable) +
           "\n"
           "  A rate may also be 0x and 1 to 8 hexadecimal digits, a custom value. A channel runs on\n"
           "  two table entries or on two custom values: set both of its rates together.\n"
           "\n"
           "Exit codes:\n"
           "  0  every device answered (write, default: and showed what was written; diff: no difference)\n"
           "  1  diff found a difference, or a device answered a write with other settings\n"
           "  2  usage or value error, or the local port is taken: nothing was sent\n"
           "  3  some devices did not answer; they are listed\n"
           "  4  the local socket failed while waiting for answers\n";
}

// Options may stand anywhere; the first other word is the command, the rest are hosts.
CliOptions ParseCliOptions(const std::vector<std::string>& args) {
    CliOptions o;
    for (const auto& a : args)
        if (a == "--help" || a == "-h") o.Help = true;
    if (o.Help) return o;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("-", 0) == 0)
            ApplyOption(o, args, i);
        else
            words.push_back(args[i]);
    }
    if (words.empty()) Refuse("name a command: read, write, default or diff");
    o.What = ParseCommand(words[0]);
    o.Hosts.insert(o.Hosts.begin(), words.begin() + 1, words.end());
    CheckCommand(o);
    return o;
}
