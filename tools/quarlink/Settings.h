// The settings block as named keys with texts, the form the command line and settings files use.
// Every conversion goes through the window's own (RecordFromFields / FieldsFromRecord), so a text
// means here exactly what it means in the window's field.
#pragma once

#include "DeviceProtocol.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

enum class SettingKind { Address, Port, Rate };

constexpr size_t SettingCount = 10;
struct SettingName {
    std::string_view Key;
    SettingKind Kind;
};
// host-ip, host-port, dev-ip, dev-port, mask, gateway, can0.arbitration, can0.data, can1.arbitration,
// can1.data: the order of every listing.
extern const std::array<SettingName, SettingCount> SettingNames;
std::optional<size_t> FindSetting(std::string_view key);

// A value the user gave that cannot be used; the message names the key and the form expected.
class SettingError : public std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// A device's settings, in SettingNames order. A rate is a table entry's text, "0x" and eight
// digits for a custom value, or "" for a stored index past the table (the window selects nothing).
using SettingTexts = std::array<std::string, SettingCount>;
// The keys to change and their new texts, in SettingNames order.
using SettingChanges = std::array<std::optional<std::string>, SettingCount>;

SettingTexts SettingsFromRecord(const DeviceConfigRecord& record);

// Throws SettingError unless `text` converts as the key's window field would convert it.
void CheckSetting(size_t key, const std::string& text);
// A channel runs on two table entries or on two custom values: both of its rates change together.
// Throws SettingError.
void CheckChannels(const SettingChanges& changes);
// What the window would send after showing `base` and having the changed fields edited: the
// changed texts replace the shown ones, the record is built from the fields. Throws SettingError
// for a change that CheckSetting or CheckChannels refuses.
DeviceConfigRecord ApplyChanges(const DeviceConfigRecord& base, const SettingChanges& changes);
// The form a key's value takes, for messages and help.
std::string ExpectedForm(size_t key);
