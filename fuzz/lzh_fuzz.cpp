// The LZH stored layer from outside bytes. The first byte picks what the rest is taken as: a
// packed stream, whose unpacking gives exactly the announced size or refuses, and never faults; or
// plain bytes, which packing and unpacking must give back unchanged. The work per input is capped
// so that the fuzzer keeps its pace (large inputs are the unit tests' part): unpacking sees at most
// kMaxPacked bytes and skips announced sizes above kMaxText that the bound lets through (sizes
// beyond the bound are refused before any work, so they stay in), and the round trip packs at most
// kMaxPlain bytes.
#include "WinConvert.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kMaxPacked = 1024;
constexpr int32_t kMaxText = 16 * 1024;
constexpr size_t kMaxPlain = 256;

TMemoryStream StreamOf(const uint8_t* data, size_t size) {
    TMemoryStream s;
    s.WriteBuffer(data, int64_t(size));
    s.SetPosition(0);
    return s;
}

int32_t AnnouncedSize(const uint8_t* data) {
    return int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                   uint32_t(data[3]) << 24);
}

void CheckUnpack(const uint8_t* data, size_t size) {
    int32_t announced = size >= 4 ? AnnouncedSize(data) : 0;
    if (announced > kMaxText && announced <= LZHMaxUnpackedSize(int64_t(size) - 4)) return;
    TMemoryStream packed = StreamOf(data, size), out;
    try {
        LZHDecompress(packed, out);
    } catch (const ElzhException&) {
        return;
    } catch (const EReadError&) {
        return;
    }
    if (out.Size() != std::max(announced, 0)) std::abort();
}

void CheckRoundTrip(const uint8_t* data, size_t size) {
    TMemoryStream plain = StreamOf(data, size), repacked, back;
    LZHCompress(plain, repacked);
    LZHDecompress(repacked, back);
    if (back.Bytes().size() != size || (size && std::memcmp(back.Memory(), data, size) != 0)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    if (data[0] & 1)
        CheckRoundTrip(data + 1, std::min(size - 1, kMaxPlain));
    else
        CheckUnpack(data + 1, std::min(size - 1, kMaxPacked));
    return 0;
}
