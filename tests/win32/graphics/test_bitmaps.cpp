#include "test_bitmaps.h"

#include <algorithm>

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

void PutPixel(std::vector<uint8_t>& row, int x, int bits, uint32_t value) {
    if (bits <= 8) {
        int perByte = 8 / bits;
        int shift = 8 - bits * (x % perByte + 1);
        row[size_t(x / perByte)] |= uint8_t(value << shift);
    } else {
        for (int i = 0; i < bits / 8; ++i)
            row[size_t(x * bits / 8 + i)] = uint8_t(value >> (8 * i));
    }
}

uint32_t Encode(const TBmpMaker& m, uint32_t rgb) {
    uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    if (m.Bits <= 8) return uint32_t(std::find(m.Palette.begin(), m.Palette.end(), rgb) - m.Palette.begin());
    if (m.Bits == 16) return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    if (m.Bits == 32) return 0x7F000000u | rgb;
    return rgb;
}

} // namespace

std::vector<uint8_t> TBmpMaker::Make() const {
    uint32_t colors = Bits <= 8 ? (PaletteUsed ? PaletteUsed : 1u << Bits) : 0;
    uint32_t extra = Bits == 16 ? 12 : colors * 4;
    uint32_t stride = uint32_t((Width * Bits + 31) / 32 * 4);
    uint32_t offBits = 54 + extra;
    std::vector<uint8_t> v{'B', 'M'};
    Put32(v, offBits + stride * uint32_t(Height));
    Put32(v, 0);
    Put32(v, offBits);
    Put32(v, 40);
    Put32(v, uint32_t(Width));
    Put32(v, uint32_t(TopDown ? -Height : Height));
    Put16(v, 1);
    Put16(v, uint32_t(Bits));
    Put32(v, Bits == 16 ? 3 : 0); // BI_BITFIELDS for 5-6-5
    for (int i = 0; i < 5; ++i)
        Put32(v, i == 3 ? PaletteUsed : 0);
    if (Bits == 16) {
        Put32(v, 0xF800);
        Put32(v, 0x07E0);
        Put32(v, 0x001F);
    }
    for (uint32_t i = 0; i < colors; ++i)
        Put32(v, i < Palette.size() ? Palette[i] : 0);
    for (int r = 0; r < Height; ++r) {
        int y = TopDown ? r : Height - 1 - r;
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < Width; ++x)
            PutPixel(row, x, Bits, Encode(*this, Pixels[size_t(y * Width + x)]));
        v.insert(v.end(), row.begin(), row.end());
    }
    return v;
}

uint32_t ScanPixel(TBitmap& bmp, int x, int y) {
    auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    if (bmp.PixelFormat() == pf1bit) return (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0;
    const uint8_t* p = row + x * (bmp.PixelFormat() == pf32bit ? 4 : 3);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

uint32_t Rgb(COLORREF c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
