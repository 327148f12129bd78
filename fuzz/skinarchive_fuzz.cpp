// Skin archives from outside bytes. The first byte picks the layer the rest is taken as: a packed
// archive as stored, or an unpacked image (packed here first, so that the parser is reached often).
#include "SkinRead.h"
#include "WinConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    SkinReadReport = [](const std::string&) {};
    TMemoryStream input, archive;
    input.WriteBuffer(data + 1, int64_t(size - 1));
    if (data[0] & 1)
        LZHCompress(input, archive);
    else
        input.SaveToStream(archive);

    TSkinReader reader;
    if (!reader.Loadfromstream(archive)) return 0;
    TMemoryStream out;
    std::string found;
    reader.readIni(".ini", out, found);
    for (int i = 0; i < reader.EntryCount; i++)
        reader.readfile(reader.EntryNames[i], out);
    return 0;
}
