#include "Settings.h"

#include "SysUtils.h"

#include <vector>

const std::array<SettingName, SettingCount> SettingNames{{
    {"host-ip", SettingKind::Address},
    {"host-port", SettingKind::Port},
    {"dev-ip", SettingKind::Address},
    {"dev-port", SettingKind::Port},
    {"mask", SettingKind::Address},
    {"gateway", SettingKind::Address},
    {"can0.arbitration", SettingKind::Rate},
    {"can0.data", SettingKind::Rate},
    {"can1.arbitration", SettingKind::Rate},
    {"can1.data", SettingKind::Rate},
}};

namespace {

using AddressFields = std::array<std::string, 4> DeviceFields::*;
using PortField = std::string DeviceFields::*;
constexpr size_t FirstRate = 6;

// The window fields behind each address and port key, in SettingNames order.
const AddressFields AddressFieldOf[] = {&DeviceFields::HostIP,       nullptr,
                                        &DeviceFields::DevIP,        nullptr,
                                        &DeviceFields::DeviceIpMask, &DeviceFields::DevGatewayIP};
const PortField PortFieldOf[] = {nullptr, &DeviceFields::HostUdpPort, nullptr, &DeviceFields::DevUdpPort};

struct RateField {
    size_t Channel;
    bool Data; // the data phase; otherwise the arbitration phase
};
RateField RateFieldOf(size_t key) {
    return {(key - FirstRate) / 2, (key - FirstRate) % 2 == 1};
}
const std::array<std::string_view, BaudrateTableSize>& TableOf(RateField f) {
    return f.Data ? DataBaudrateTable : ArbitrationBaudrateTable;
}

// A rate given as text: a custom value's digits, or a table position (-1: none).
struct Rate {
    bool Custom = false;
    std::string Digits;
    int Index = -1;
};

std::vector<std::string> SplitAddress(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text)
        if (c == '.')
            parts.emplace_back();
        else
            parts.back() += c;
    return parts;
}

std::string JoinAddress(const std::array<std::string, 4>& octets) {
    return octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3];
}

[[noreturn]] void Refuse(size_t key, const std::string& problem) {
    throw SettingError(std::string(SettingNames[key].Key) + ": " + problem + "; expected " +
                       ExpectedForm(key));
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// The window's own conversion of one field text; its message becomes the problem.
template <class F> void WindowConversion(size_t key, F convert) {
    try {
        convert();
    } catch (const EConvertError& e) {
        Refuse(key, e.Message());
    }
}

Rate ParseRate(size_t key, const std::string& text) {
    if (text.empty()) return {};
    if (text.rfind("0x", 0) == 0) {
        Rate r{true, text.substr(2)};
        WindowConversion(key, [&] { CustomValueFromText(r.Digits); });
        return r;
    }
    const auto& table = TableOf(RateFieldOf(key));
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == text) return {false, "", static_cast<int>(i)};
    Refuse(key,
           Quoted(text) + " is not in the " + (RateFieldOf(key).Data ? "data" : "arbitration") + " table");
}

std::string RateText(const ChannelFields& ch, RateField f) {
    if (ch.Custom) return "0x" + (f.Data ? ch.DataCustom : ch.ArbitrationCustom);
    int index = f.Data ? ch.DataIndex : ch.ArbitrationIndex;
    return index < 0 ? "" : std::string(TableOf(f)[static_cast<size_t>(index)]);
}

void SetRate(ChannelFields& ch, RateField f, const Rate& r) {
    ch.Custom = r.Custom;
    (f.Data ? ch.DataCustom : ch.ArbitrationCustom) = r.Digits;
    (f.Data ? ch.DataIndex : ch.ArbitrationIndex) = r.Index;
}

void SetField(DeviceFields& fields, size_t key, const std::string& text) {
    switch (SettingNames[key].Kind) {
    case SettingKind::Address: {
        auto parts = SplitAddress(text);
        std::copy(parts.begin(), parts.end(), (fields.*AddressFieldOf[key]).begin());
        break;
    }
    case SettingKind::Port:
        fields.*PortFieldOf[key] = text;
        break;
    case SettingKind::Rate:
        SetRate(fields.Can[RateFieldOf(key).Channel], RateFieldOf(key), ParseRate(key, text));
        break;
    }
}

std::string TableList(const std::array<std::string_view, BaudrateTableSize>& table) {
    std::string list;
    for (auto item : table)
        list += (list.empty() ? "" : ", ") + std::string(item);
    return list;
}

} // namespace

std::optional<size_t> FindSetting(std::string_view key) {
    for (size_t i = 0; i < SettingNames.size(); ++i)
        if (SettingNames[i].Key == key) return i;
    return std::nullopt;
}

SettingTexts SettingsFromRecord(const DeviceConfigRecord& record) {
    DeviceFields f = FieldsFromRecord(record);
    SettingTexts texts;
    for (size_t key = 0; key < SettingCount; ++key) {
        switch (SettingNames[key].Kind) {
        case SettingKind::Address:
            texts[key] = JoinAddress(f.*AddressFieldOf[key]);
            break;
        case SettingKind::Port:
            texts[key] = f.*PortFieldOf[key];
            break;
        case SettingKind::Rate:
            texts[key] = RateText(f.Can[RateFieldOf(key).Channel], RateFieldOf(key));
            break;
        }
    }
    return texts;
}

void CheckSetting(size_t key, const std::string& text) {
    switch (SettingNames[key].Kind) {
    case SettingKind::Address: {
        auto parts = SplitAddress(text);
        if (parts.size() != 4) Refuse(key, Quoted(text) + " is not four numbers joined by dots");
        for (const auto& part : parts)
            WindowConversion(key, [&] { StrToInt(part); });
        break;
    }
    case SettingKind::Port:
        WindowConversion(key, [&] { StrToInt(text); });
        break;
    case SettingKind::Rate:
        ParseRate(key, text);
        break;
    }
}

void CheckChannels(const SettingChanges& changes) {
    for (size_t key = FirstRate; key < SettingCount; key += 2) {
        const auto &arbitration = changes[key], &data = changes[key + 1];
        if (!arbitration && !data) continue;
        if (!arbitration || !data || ParseRate(key, *arbitration).Custom != ParseRate(key + 1, *data).Custom)
            throw SettingError(std::string(SettingNames[key].Key) + " and " +
                               std::string(SettingNames[key + 1].Key) +
                               ": a channel runs on two table entries or on two custom values (0x...); "
                               "give both, of the same kind");
    }
}

DeviceConfigRecord ApplyChanges(const DeviceConfigRecord& base, const SettingChanges& changes) {
    for (size_t key = 0; key < SettingCount; ++key)
        if (changes[key]) CheckSetting(key, *changes[key]);
    CheckChannels(changes);
    DeviceFields fields = FieldsFromRecord(base);
    for (size_t key = 0; key < SettingCount; ++key)
        if (changes[key]) SetField(fields, key, *changes[key]);
    return RecordFromFields(fields);
}

std::string ExpectedForm(size_t key) {
    switch (SettingNames[key].Kind) {
    case SettingKind::Address:
        return "four numbers joined by dots, e.g. 192.168.0.55";
    case SettingKind::Port:
        return "a number, e.g. 4800";
    case SettingKind::Rate:
        break;
    }
    return "an entry of the " + std::string(RateFieldOf(key).Data ? "data" : "arbitration") + " table (" +
           TableList(TableOf(RateFieldOf(key))) + ") or 0x and 1 to 8 hexadecimal digits, e.g. 0x00050B2E";
}
