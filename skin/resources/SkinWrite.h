// Building skin archives: the unpacked image the reader expects, LZH-packed with its size in front.
// Portable: no Windows headers.
#pragma once

#include "Classes.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSkinEntry {
    std::string Name; // a plain file name, stored as given (the reader lowercases)
    std::vector<uint8_t> Data;
};

// Header (Magic 20000, the name text's length, Reserved), the names each followed by CR LF, the
// sizes, the data. Raises Exception for a name that would break the name text (CR, LF or 0 byte).
std::vector<uint8_t> BuildSkinImage(const std::vector<TSkinEntry>& entries, const uint8_t (&reserved)[8]);
std::vector<uint8_t> BuildSkinImage(const std::vector<TSkinEntry>& entries);

// Writes the archive: int32 size of the image, then the packed image.
void WriteSkinArchive(const std::vector<TSkinEntry>& entries, TStream& Dest);
