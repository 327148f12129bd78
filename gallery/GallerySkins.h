// Switching the gallery's skin to a file, with the reason when the file cannot be used.
#pragma once

#include "WinSkinData.h"

#include <string>

// Files above this size are refused before they are read: no skin comes near it.
constexpr int64_t MaxSkinFileSize = 64 << 20;

// Loads the file into the skin; an empty result means the skin changed. Otherwise the result says
// why not, and the skin in use stays, still usable (a refused archive would leave it marked
// pending, which stops its frames from painting and refuses switching skinning on again).
std::string LoadSkinFile(TSkinData& skin, const std::string& path);
// The same for an archive in memory.
std::string LoadSkinBytes(TSkinData& skin, TMemoryStream& bytes);
