// Settings as JSON: what `read --json` prints and `write --from` and `diff` take back. One device is
// an object with "mac" and the ten keys; several devices are an object of those by host.
#pragma once

#include "Settings.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>

using OrderedJson = nlohmann::ordered_json;

// Ports as numbers, a rate past the table as null.
OrderedJson SettingsToJson(const SettingTexts& settings, const MacAddress& mac);

// One device's keys in a file. Its "mac" says where the file came from: it must look like a MAC,
// and is neither written (a device's MAC cannot be) nor compared.
// Throws SettingError naming the key; `where` prefixes every message (the file, the host).
SettingChanges SettingsFromJson(const nlohmann::json& object, const std::string& where);

class SettingsFile {
  public:
    // Throws SettingError for a file that cannot be read, is not JSON, or holds a bad value.
    explicit SettingsFile(const std::string& path);
    // The file's one device, or its entry for `host`; throws SettingError when it has none.
    const SettingChanges& For(const std::string& host) const;

  private:
    std::string FPath;
    std::optional<SettingChanges> FOne;
    std::map<std::string, SettingChanges> FByHost;
};
