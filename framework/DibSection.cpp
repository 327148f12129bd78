#include "DibSection.h"

namespace {

// Far beyond any skin or work bitmap; a bigger request is refused rather than tried.
constexpr int64_t kMaxPixels = int64_t(1) << 26;

struct TMonoInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
};

} // namespace

int TDibSection::BitsPerPixel() const {
    switch (Format) {
    case pf1bit:
        return 1;
    case pf32bit:
        return 32;
    default:
        return 24;
    }
}

int TDibSection::RowBytes() const {
    return (Width * BitsPerPixel() + 31) / 32 * 4;
}

TDibSection TDibSection::Create(int width, int height, TPixelFormat pf) {
    TDibSection dib;
    dib.Format = pf;
    if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxPixels) return dib;
    TMonoInfo info{};
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = width;
    info.Header.biHeight = -height; // top-down: row 0 is the top row in memory
    info.Header.biPlanes = 1;
    info.Header.biBitCount = WORD(dib.BitsPerPixel());
    info.Header.biCompression = BI_RGB;
    info.Colors[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    void* bits = nullptr;
    dib.Handle.reset(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.Handle || !bits) return TDibSection{};
    dib.Bits = static_cast<uint8_t*>(bits);
    dib.Width = width;
    dib.Height = height;
    return dib;
}

uint32_t TDibSection::Get(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (Format) {
    case pf1bit:
        return (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFFFFu : 0xFF000000u;
    case pf32bit: {
        const uint8_t* p = row + 4 * x;
        return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    default: {
        const uint8_t* p = row + 3 * x;
        return 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    }
}

void TDibSection::Put(int x, int y, uint32_t argb) {
    uint8_t* row = Row(y);
    if (Format == pf1bit) {
        bool white = (argb >> 16 & 0xFF) + (argb >> 8 & 0xFF) + (argb & 0xFF) >= 384;
        uint8_t bit = uint8_t(0x80 >> (x % 8));
        row[x / 8] = white ? uint8_t(row[x / 8] | bit) : uint8_t(row[x / 8] & ~bit);
        return;
    }
    uint8_t* p = row + (Format == pf32bit ? 4 : 3) * x;
    p[0] = uint8_t(argb);
    p[1] = uint8_t(argb >> 8);
    p[2] = uint8_t(argb >> 16);
    if (Format == pf32bit) p[3] = uint8_t(argb >> 24);
}
