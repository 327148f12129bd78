// Small helpers shared by the skin resource tests.
#pragma once

#include "Classes.h"
#include "WinConvert.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

inline std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

inline std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

inline TMemoryStream StreamOf(const std::vector<uint8_t>& v) {
    TMemoryStream s;
    if (!v.empty()) s.WriteBuffer(v.data(), int64_t(v.size()));
    s.SetPosition(0);
    return s;
}

inline std::vector<uint8_t> Le32(int32_t x) {
    uint32_t u = uint32_t(x);
    return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}

// The whole-stream coder in both directions.
inline std::vector<uint8_t> Pack(const std::vector<uint8_t>& data) {
    TMemoryStream src = StreamOf(data), dst;
    LZHCompress(src, dst);
    return dst.Bytes();
}

inline std::vector<uint8_t> Unpack(const std::vector<uint8_t>& packed) {
    TMemoryStream src = StreamOf(packed), dst;
    LZHDecompress(src, dst);
    return dst.Bytes();
}
