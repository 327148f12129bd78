// The skinpack commands. Each returns the process exit code: 0 done, 1 failed or found problems.
#pragma once

#include "SkinRead.h"

#include <string>
#include <vector>

int ListArchive(const std::string& archive);
int UnpackArchive(const std::string& archive, const std::string& dir);
int PackArchive(const std::string& archive, const std::vector<std::string>& files);
int CheckArchive(const std::string& archive);
int ShowIniValue(const std::string& archive, const std::string& section, const std::string& key);

// Shared by the commands.
int Fail(const std::string& message); // prints "skinpack: message", returns 1
bool OpenArchive(const std::string& path, TSkinReader& reader);
bool IsPlainFileName(const std::string& name);
std::vector<uint8_t> EntryBytes(TSkinReader& reader, int index);
