// quarlink's command line.
#pragma once

#include "Settings.h"

#include <stdexcept>
#include <string>
#include <vector>

enum class Command { Read, Write, Default, Diff };

struct CliOptions {
    Command What = Command::Read;
    std::vector<std::string> Hosts; // as given, in order
    bool Json = false;
    SettingChanges Sets;  // write --set, checked
    std::string FromFile; // write --from
    std::string DiffFile; // diff's FILE
    uint16_t DevicePort = DeviceCommandPort;
    uint16_t LocalPort = HostCommandPort;
    int TimeoutMs = 500;
    int Retries = 3;
    bool Help = false;
};

// Every command, option, key and exit code; the rate tables are the window's.
std::string QuarlinkUsage();

// Throws std::invalid_argument (SettingError for a value) with a message naming what is wrong.
// Reads the --hosts files.
CliOptions ParseCliOptions(const std::vector<std::string>& args);
