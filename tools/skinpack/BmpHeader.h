// The header fields of a BMP entry, and what makes one unusable as a skin image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TBmpHeaderInfo {
    uint32_t FileSize = 0; // as the file header claims
    uint32_t OffBits = 0;
    uint32_t InfoSize = 0;
    int32_t Width = 0, Height = 0;
    uint16_t BitCount = 0;
};

// False when data is too short for the headers or does not start with "BM".
bool ReadBmpHeader(const std::vector<uint8_t>& data, TBmpHeaderInfo& info);
// Every reason the bytes are not a complete, decodable BMP; empty when they are one.
std::vector<std::string> BmpProblems(const std::vector<uint8_t>& data);
