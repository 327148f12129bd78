// The LZH stored layer from outside bytes: unpacking must stay within the announced size and never
// fault; packing the same bytes must give them back unchanged.
#include "WinConvert.h"

#include <cstdlib>
#include <cstring>

namespace {

TMemoryStream StreamOf(const uint8_t* data, size_t size) {
    TMemoryStream s;
    s.WriteBuffer(data, int64_t(size));
    s.SetPosition(0);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream packed = StreamOf(data, size), out;
    try {
        LZHDecompress(packed, out);
    } catch (const ElzhException&) {
    } catch (const EReadError&) {
    }

    TMemoryStream plain = StreamOf(data, size), repacked, back;
    LZHCompress(plain, repacked);
    LZHDecompress(repacked, back);
    if (back.Bytes().size() != size || (size && std::memcmp(back.Memory(), data, size) != 0)) std::abort();
    return 0;
}
