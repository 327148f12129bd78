#include "Commands.h"

#include "DeviceLink.h"
#include "SettingsFile.h"

#include <iomanip>
#include <memory>

namespace {

using Bytes = std::vector<uint8_t>;

template <size_t N> Bytes ToBytes(const std::array<uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

std::string Shown(const std::string& text) {
    return text.empty() ? "(none)" : text;
}

// "dev-port: device 4000, file 4321"
std::string Difference(size_t key, const std::string& device, const std::string& other,
                       const char* otherName) {
    return std::string(SettingNames[key].Key) + ": device " + Shown(device) + ", " + otherName + " " +
           Shown(other);
}

std::vector<Device> ResolveDevices(const CliOptions& o) {
    std::vector<Device> devices;
    for (const auto& name : o.Hosts) {
        auto address = ResolveHost(name);
        if (!address)
            throw std::invalid_argument(name + ": not an IPv4 address, and no host of that name is known");
        Device d{name, {*address, o.DevicePort}};
        for (const auto& other : devices)
            if (other.Address == d.Address)
                throw std::invalid_argument(other.Name + " and " + name + " are the same device (" +
                                            EndpointText(d.Address) + "): answers could not be told apart");
        devices.push_back(d);
    }
    return devices;
}

std::unique_ptr<DeviceLink> OpenLink(const CliOptions& o, std::ostream& err) {
    try {
        return std::make_unique<DeviceLink>(UdpEndpoint{{0, 0, 0, 0}, o.LocalPort}, o.TimeoutMs, o.Retries,
                                            err);
    } catch (const std::runtime_error& e) {
        throw std::invalid_argument("local port " + std::to_string(o.LocalPort) + " cannot be used (" +
                                    e.what() + "); choose another with --local-port");
    }
}

class Session {
  public:
    Session(const CliOptions& o, std::ostream& out, std::ostream& err)
        : FOptions(o), FDevices(ResolveDevices(o)), FOut(out), FErr(err) {}
    int Run();

  private:
    int Read();
    int Write(const std::vector<SettingChanges>& changes);
    int Default();
    int Diff(const SettingChanges& file);
    std::vector<Reply> ReadAll(const std::vector<Device>& devices);
    // Writes records[i] to devices[i]; a device must answer with what it was sent.
    void WriteRecords(const std::vector<Device>& devices, const std::vector<DeviceConfigRecord>& records);
    void PrintTable(const Device& d, const DeviceAnswer& a);
    int Finish();
    std::vector<SettingChanges> ChangesForEach() const;

    const CliOptions& FOptions;
    std::vector<Device> FDevices;
    std::ostream& FOut;
    std::ostream& FErr;
    std::unique_ptr<DeviceLink> FLink;
    std::vector<std::string> FSilent;
    bool FDiffers = false;
};

// Files are read and every device's changes worked out before the socket is opened.
int Session::Run() {
    switch (FOptions.What) {
    case Command::Read:
        FLink = OpenLink(FOptions, FErr);
        return Read();
    case Command::Write: {
        auto changes = ChangesForEach();
        FLink = OpenLink(FOptions, FErr);
        return Write(changes);
    }
    case Command::Default:
        FLink = OpenLink(FOptions, FErr);
        return Default();
    case Command::Diff: {
        SettingChanges settings = SettingsFile(FOptions.DiffFile).For(FDevices.front().Name);
        FLink = OpenLink(FOptions, FErr);
        return Diff(settings);
    }
    }
    return ExitUsage;
}

std::vector<SettingChanges> Session::ChangesForEach() const {
    if (FOptions.FromFile.empty()) return std::vector<SettingChanges>(FDevices.size(), FOptions.Sets);
    SettingsFile file(FOptions.FromFile);
    std::vector<SettingChanges> changes;
    for (const auto& d : FDevices)
        changes.push_back(file.For(d.Name));
    return changes;
}

std::vector<Reply> Session::ReadAll(const std::vector<Device>& devices) {
    std::vector<Bytes> commands(devices.size(), ToBytes(ReadRequest));
    auto replies = FLink->Exchange(devices, commands, [](size_t, const DeviceAnswer&) { return true; });
    for (size_t i = 0; i < devices.size(); ++i)
        if (!replies[i].Accepted) FSilent.push_back(devices[i].Name);
    return replies;
}

int Session::Read() {
    auto replies = ReadAll(FDevices);
    OrderedJson byHost = OrderedJson::object();
    for (size_t i = 0; i < FDevices.size(); ++i) {
        if (!replies[i].Accepted) continue;
        const DeviceAnswer& a = *replies[i].Answer;
        if (FOptions.Json)
            byHost[FDevices[i].Name] = SettingsToJson(SettingsFromRecord(a.Record), a.Mac);
        else
            PrintTable(FDevices[i], a);
    }
    if (FOptions.Json && !byHost.empty())
        FOut << (FDevices.size() == 1 ? byHost.front() : byHost)
                    .dump(2, ' ', false, OrderedJson::error_handler_t::replace) // a host name as typed
             << "\n";
    return Finish();
}

void Session::PrintTable(const Device& d, const DeviceAnswer& a) {
    SettingTexts settings = SettingsFromRecord(a.Record);
    if (&d != &FDevices.front()) FOut << "\n";
    FOut << d.Name << "  MAC " << MacAddressText(a.Mac) << "\n";
    for (size_t key = 0; key < SettingCount; ++key)
        FOut << "  " << std::left << std::setw(18) << SettingNames[key].Key << Shown(settings[key]) << "\n";
}

int Session::Write(const std::vector<SettingChanges>& changes) {
    auto replies = ReadAll(FDevices);
    std::vector<Device> answered;
    std::vector<DeviceConfigRecord> records;
    for (size_t i = 0; i < FDevices.size(); ++i) {
        if (!replies[i].Accepted) continue;
        answered.push_back(FDevices[i]);
        records.push_back(ApplyChanges(replies[i].Answer->Record, changes[i]));
    }
    WriteRecords(answered, records);
    return Finish();
}

int Session::Default() {
    WriteRecords(FDevices,
                 std::vector<DeviceConfigRecord>(FDevices.size(), RecordFromFields(DefaultDeviceFields())));
    return Finish();
}

// Compared as the window would show them: what the device may keep in bytes it ignores does not count.
void Session::WriteRecords(const std::vector<Device>& devices,
                           const std::vector<DeviceConfigRecord>& records) {
    std::vector<Bytes> commands;
    for (const auto& r : records)
        commands.push_back(ToBytes(EncodeWriteCommand(r)));
    auto replies = FLink->Exchange(devices, commands, [&](size_t i, const DeviceAnswer& a) {
        return SettingsFromRecord(a.Record) == SettingsFromRecord(records[i]);
    });
    for (size_t i = 0; i < devices.size(); ++i) {
        if (replies[i].Accepted) {
            FOut << devices[i].Name << "  written\n";
            continue;
        }
        if (!replies[i].Answer) {
            FSilent.push_back(devices[i].Name);
            continue;
        }
        SettingTexts shown = SettingsFromRecord(replies[i].Answer->Record),
                     sent = SettingsFromRecord(records[i]);
        for (size_t key = 0; key < SettingCount; ++key)
            if (shown[key] != sent[key])
                FErr << "quarlink: " << devices[i].Name << ": the answer to the write differs: "
                     << Difference(key, shown[key], sent[key], "sent") << "\n";
        FDiffers = true;
    }
}

// Each key of the file, as a write of the file would leave it, against the device's value.
int Session::Diff(const SettingChanges& file) {
    auto replies = ReadAll(FDevices);
    if (!replies[0].Accepted) return Finish();
    const DeviceAnswer& a = *replies[0].Answer;
    SettingTexts device = SettingsFromRecord(a.Record),
                 wanted = SettingsFromRecord(ApplyChanges(a.Record, file));
    for (size_t key = 0; key < SettingCount; ++key)
        if (file[key] && device[key] != wanted[key]) {
            FOut << Difference(key, device[key], wanted[key], "file") << "\n";
            FDiffers = true;
        }
    return Finish();
}

int Session::Finish() {
    if (!FSilent.empty()) {
        FErr << "quarlink: no answer from";
        for (size_t i = 0; i < FSilent.size(); ++i)
            FErr << (i ? ", " : " ") << FSilent[i];
        FErr << " (asked " << FLink->Tries() << " times, " << FOptions.TimeoutMs << " ms each)\n";
        return ExitSilent;
    }
    return FDiffers ? ExitDiffers : ExitOk;
}

} // namespace

int RunCommand(const CliOptions& options, std::ostream& out, std::ostream& err) {
    try {
        Session session(options, out, err);
        return session.Run();
    } catch (const std::invalid_argument& e) {
        err << "quarlink: " << e.what() << "\n";
        return ExitUsage;
    }
}
