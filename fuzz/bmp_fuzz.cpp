// BMP decoding of untrusted bytes: must never read outside the input, allocate for forged sizes or
// hand out an image beyond the size limits.
#include "BmpCodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBmpImage img;
    if (!DecodeBmp(data, size, img)) return 0;
    if (img.Pixels.size() != size_t(img.Width) * size_t(img.Height)) std::abort();
    if (img.Width > kBmpMaxSide || img.Height > kBmpMaxSide || int64_t(img.Pixels.size()) > kBmpMaxPixels)
        std::abort();
    // Whatever decodes must survive a round trip through the writer.
    std::vector<uint8_t> again = EncodeBmp(img, 32);
    TBmpImage back;
    if (!DecodeBmp(again.data(), again.size(), back) || back.Pixels != img.Pixels) std::abort();
    return 0;
}
