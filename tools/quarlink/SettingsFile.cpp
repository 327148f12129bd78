#include "SettingsFile.h"

#include "SysUtils.h"

#include <fstream>

namespace {

const char* const MacKey = "mac";

// A JSON value as the text a window field would hold: text as it is, a port also as a number.
std::string ValueText(const nlohmann::json& value, size_t key, const std::string& where) {
    auto refuse = [&](const std::string& problem) {
        throw SettingError(where + std::string(SettingNames[key].Key) + ": " + problem + "; expected " +
                           ExpectedForm(key));
    };
    SettingKind kind = SettingNames[key].Kind;
    if (value.is_null() && kind == SettingKind::Rate) return ""; // as read from a stored index past the table
    bool number = value.is_number_integer() && kind == SettingKind::Port;
    if (!number && !value.is_string())
        refuse(value.dump() +
               (kind == SettingKind::Port ? " is neither a whole number nor text" : " is not text"));
    std::string text = number ? value.dump() : value.get<std::string>();
    if (text.empty()) refuse("no value");
    try {
        CheckSetting(key, text);
    } catch (const SettingError& e) {
        throw SettingError(where + e.what());
    }
    return text;
}

void CheckMac(const nlohmann::json& value, const std::string& where) {
    if (!value.is_string() || !ParseMacAddress(value.get<std::string>()))
        throw SettingError(where + "mac: " + value.dump() + " is not a MAC address like 02-00-00-0A-1B-FF");
}

// An object whose every value is an object: settings by host.
bool IsByHost(const nlohmann::json& document) {
    for (const auto& item : document.items())
        if (!item.value().is_object()) return false;
    return true;
}

nlohmann::json Parse(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SettingError(path + ": cannot be read");
    nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
    if (document.is_discarded()) throw SettingError(path + ": not JSON");
    if (!document.is_object() || document.empty())
        throw SettingError(path + ": expected an object with the settings, as read --json prints them");
    return document;
}

} // namespace

OrderedJson SettingsToJson(const SettingTexts& settings, const MacAddress& mac) {
    OrderedJson object;
    object[MacKey] = MacAddressText(mac);
    for (size_t key = 0; key < SettingCount; ++key) {
        const std::string name(SettingNames[key].Key);
        if (SettingNames[key].Kind == SettingKind::Port)
            object[name] = StrToInt(settings[key]);
        else if (settings[key].empty())
            object[name] = nullptr;
        else
            object[name] = settings[key];
    }
    return object;
}

SettingChanges SettingsFromJson(const nlohmann::json& object, const std::string& where) {
    SettingChanges changes;
    for (const auto& item : object.items()) {
        if (item.key() == MacKey) {
            CheckMac(item.value(), where);
            continue;
        }
        auto key = FindSetting(item.key());
        if (!key) throw SettingError(where + "'" + item.key() + "' is not a settings key");
        changes[*key] = ValueText(item.value(), *key, where);
    }
    try {
        CheckChannels(changes);
    } catch (const SettingError& e) {
        throw SettingError(where + e.what());
    }
    return changes;
}

SettingsFile::SettingsFile(const std::string& path) : FPath(path) {
    nlohmann::json document = Parse(path);
    if (!IsByHost(document)) {
        FOne = SettingsFromJson(document, path + ": ");
        return;
    }
    for (const auto& item : document.items())
        FByHost[item.key()] = SettingsFromJson(item.value(), path + ": " + item.key() + ": ");
}

const SettingChanges& SettingsFile::For(const std::string& host) const {
    if (FOne) return *FOne;
    auto found = FByHost.find(host);
    if (found == FByHost.end()) throw SettingError(FPath + ": no settings for " + host);
    return found->second;
}
