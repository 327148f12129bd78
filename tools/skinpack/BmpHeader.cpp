#include "BmpHeader.h"

#include "BmpCodec.h"
#include "SysUtils.h"

namespace {

uint32_t Get(const std::vector<uint8_t>& d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; i--)
        v = v << 8 | d[at + size_t(i)];
    return v;
}

} // namespace

bool ReadBmpHeader(const std::vector<uint8_t>& data, TBmpHeaderInfo& info) {
    if (data.size() < 26 || data[0] != 'B' || data[1] != 'M') return false;
    info.FileSize = Get(data, 2, 4);
    info.OffBits = Get(data, 10, 4);
    info.InfoSize = Get(data, 14, 4);
    if (info.InfoSize == 12) { // the old core header: 16-bit sizes
        info.Width = int16_t(Get(data, 18, 2));
        info.Height = int16_t(Get(data, 20, 2));
        info.BitCount = uint16_t(Get(data, 24, 2));
        return true;
    }
    if (data.size() < 30) return false;
    info.Width = int32_t(Get(data, 18, 4));
    info.Height = int32_t(Get(data, 22, 4));
    info.BitCount = uint16_t(Get(data, 28, 2));
    return true;
}

std::vector<std::string> BmpProblems(const std::vector<uint8_t>& data) {
    TBmpHeaderInfo info;
    if (!ReadBmpHeader(data, info)) return {"not a BMP (no \"BM\" header)"};
    std::vector<std::string> problems;
    if (info.FileSize != data.size())
        problems.push_back(
            Format("its header gives %u bytes, the entry has %u", info.FileSize, unsigned(data.size())));
    if (info.OffBits >= data.size())
        problems.push_back(Format("its pixel data would start at %u, past its %u bytes", info.OffBits,
                                  unsigned(data.size())));
    TBmpError error;
    TBmpImage image;
    if (problems.empty() && !DecodeBmp(data.data(), data.size(), image, &error))
        problems.push_back(error.Text);
    return problems;
}
