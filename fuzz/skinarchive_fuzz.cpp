// Skin archives from outside bytes. The first byte picks the layer the rest is taken as: a packed
// archive as stored, or an unpacked image (handed to the reader as it is, so that the parser is
// reached often). At most kMaxInput bytes are taken, so that unpacking keeps the fuzzer's pace; the
// archive tests cover large archives.
#include "SkinRead.h"

#include <algorithm>

namespace {
constexpr size_t kMaxInput = 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    SkinReadReport = [](const std::string&) {};
    const uint8_t* rest = data + 1;
    size_t length = std::min(size - 1, kMaxInput);
    TSkinReader reader;
    bool loaded = false;
    if (data[0] & 1) {
        loaded = reader.LoadImage({rest, rest + length});
    } else {
        TMemoryStream archive;
        archive.WriteBuffer(rest, int64_t(length));
        loaded = reader.Loadfromstream(archive);
    }
    if (!loaded) return 0;
    TMemoryStream out;
    std::string found;
    reader.readIni(".ini", out, found);
    for (int i = 0; i < reader.EntryCount; i++)
        reader.readfile(reader.EntryNames[i], out);
    return 0;
}
