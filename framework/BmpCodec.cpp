#include "BmpCodec.h"

#include "SysUtils.h"

#include <bit>

namespace {

constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;
constexpr size_t kFileHeaderSize = 14, kInfoHeaderSize = 40;

uint16_t Get16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, uint16_t(x));
    Put16(v, uint16_t(x >> 16));
}

bool Fail(TBmpError* error, std::string why, bool tooLarge = false) {
    if (error) *error = {std::move(why), tooLarge};
    return false;
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct TChannel {
    uint32_t Mask = 0, Shift = 0, Max = 0;
    explicit TChannel(uint32_t mask = 0) : Mask(mask) {
        if (mask == 0) return;
        Shift = uint32_t(std::countr_zero(mask));
        Max = mask >> Shift;
    }
    uint32_t Get(uint32_t px, uint32_t absent) const {
        if (Mask == 0) return absent;
        return uint32_t(uint64_t((px & Mask) >> Shift) * 255 / Max);
    }
};

struct THeader {
    uint32_t OffBits = 0, InfoSize = 0, Compression = 0, ClrUsed = 0;
    int64_t Width = 0, Height = 0;
    int Bits = 0;
    bool TopDown = false;
    uint32_t Masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    size_t PaletteOffset = 0;
};

void DefaultMasks(THeader& h) {
    if (h.Bits == 16) {
        h.Masks[0] = 0x7C00, h.Masks[1] = 0x03E0, h.Masks[2] = 0x001F, h.Masks[3] = 0;
    } else {
        h.Masks[0] = 0xFF0000, h.Masks[1] = 0xFF00, h.Masks[2] = 0xFF, h.Masks[3] = 0xFF000000;
    }
}

bool ReadMasks(const uint8_t* data, size_t size, THeader& h, TBmpError* error) {
    if (h.Compression != kBiBitfields) {
        DefaultMasks(h);
        return true;
    }
    if (h.Bits != 16 && h.Bits != 32) return Fail(error, "bit fields need 16 or 32 bits per pixel");
    // A 40-byte header is followed by three masks; later headers carry them (and alpha) inside.
    size_t at = kFileHeaderSize + kInfoHeaderSize;
    size_t count = h.InfoSize >= 56 ? 4 : 3;
    if (at + 4 * count > size) return Fail(error, "truncated colour masks");
    for (size_t i = 0; i < count; ++i)
        h.Masks[i] = Get32(data + at + 4 * i);
    if (h.InfoSize == kInfoHeaderSize) h.PaletteOffset += 12;
    if (!h.Masks[0] && !h.Masks[1] && !h.Masks[2]) return Fail(error, "empty colour masks");
    return true;
}

bool ReadHeader(const uint8_t* data, size_t size, THeader& h, TBmpError* error) {
    if (!data || size < kFileHeaderSize + kInfoHeaderSize) return Fail(error, "too short for a BMP header");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "no BM signature");
    h.OffBits = Get32(data + 10);
    h.InfoSize = Get32(data + 14);
    if (h.InfoSize < kInfoHeaderSize || h.InfoSize > size - kFileHeaderSize)
        return Fail(error, "unsupported or truncated info header");
    const uint8_t* info = data + kFileHeaderSize;
    h.Width = int32_t(Get32(info + 4));
    h.Height = int32_t(Get32(info + 8));
    h.Bits = Get16(info + 14);
    h.Compression = Get32(info + 16);
    h.ClrUsed = Get32(info + 32);
    h.TopDown = h.Height < 0;
    if (h.TopDown) h.Height = -h.Height;
    if (h.Width <= 0 || h.Height <= 0) return Fail(error, "empty or negative image size");
    if (h.Width > kBmpMaxSide || h.Height > kBmpMaxSide || h.Width * h.Height > kBmpMaxPixels)
        return Fail(error,
                    "image of " + IntToStr(h.Width) + " x " + IntToStr(h.Height) + " pixels is too large",
                    true);
    if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
        return Fail(error, "unsupported bit count");
    if (h.Compression != kBiRgb && h.Compression != kBiBitfields) return Fail(error, "compressed BMP");
    h.PaletteOffset = kFileHeaderSize + h.InfoSize;
    return ReadMasks(data, size, h, error);
}

bool ReadPalette(const uint8_t* data, size_t size, const THeader& h, std::vector<uint32_t>& palette,
                 TBmpError* error) {
    if (h.Bits > 8) return true;
    uint32_t full = 1u << h.Bits;
    uint32_t count = h.ClrUsed == 0 || h.ClrUsed > full ? full : h.ClrUsed;
    if (h.PaletteOffset + size_t(count) * 4 > size) return Fail(error, "truncated palette");
    // Indices past a short palette show black, as the platform draws them.
    palette.assign(full, 0xFF000000u);
    for (uint32_t i = 0; i < count; ++i)
        palette[i] = Get32(data + h.PaletteOffset + 4 * i) | 0xFF000000u;
    return true;
}

uint32_t PaletteIndex(const uint8_t* row, int64_t x, int bits) {
    if (bits == 8) return row[x];
    if (bits == 4) return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

void DecodeRow(const uint8_t* row, const THeader& h, const std::vector<uint32_t>& palette,
               const TChannel (&ch)[4], uint32_t* out) {
    for (int64_t x = 0; x < h.Width; ++x) {
        if (h.Bits <= 8) {
            out[x] = palette[PaletteIndex(row, x, h.Bits)];
        } else if (h.Bits == 24) {
            const uint8_t* p = row + 3 * x;
            out[x] = 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        } else {
            uint32_t px = h.Bits == 16 ? Get16(row + 2 * x) : Get32(row + 4 * x);
            out[x] =
                ch[3].Get(px, 0xFF) << 24 | ch[0].Get(px, 0) << 16 | ch[1].Get(px, 0) << 8 | ch[2].Get(px, 0);
        }
    }
}

uint64_t RowStride(int64_t width, int bits) {
    return (uint64_t(width) * bits + 31) / 32 * 4;
}

} // namespace

TBmpImage::TBmpImage(int width, int height, uint32_t fill, int bitCount)
    : Width(width), Height(height), BitCount(bitCount), Pixels(size_t(width) * height, fill) {}

bool DecodeBmp(const uint8_t* data, size_t size, TBmpImage& out, TBmpError* error) {
    THeader h;
    if (!ReadHeader(data, size, h, error)) return false;
    std::vector<uint32_t> palette;
    if (!ReadPalette(data, size, h, palette, error)) return false;
    uint64_t stride = RowStride(h.Width, h.Bits);
    // The last row may lack its padding; everything else must be there.
    uint64_t needed = stride * uint64_t(h.Height - 1) + (uint64_t(h.Width) * h.Bits + 7) / 8;
    if (h.OffBits > size || needed > size - h.OffBits) return Fail(error, "truncated pixel data");
    const TChannel ch[4] = {TChannel(h.Masks[0]), TChannel(h.Masks[1]), TChannel(h.Masks[2]),
                            TChannel(h.Masks[3])};
    TBmpImage img(int(h.Width), int(h.Height), 0, h.Bits);
    for (int64_t y = 0; y < h.Height; ++y) {
        int64_t fileRow = h.TopDown ? y : h.Height - 1 - y;
        DecodeRow(data + h.OffBits + stride * uint64_t(fileRow), h, palette, ch,
                  &img.Pixels[size_t(y * h.Width)]);
    }
    out = std::move(img);
    return true;
}

namespace {

void PutHeaders(std::vector<uint8_t>& v, const TBmpImage& img, int bitCount, uint32_t paletteBytes) {
    uint32_t offBits = uint32_t(kFileHeaderSize + kInfoHeaderSize) + paletteBytes;
    uint32_t imageBytes = uint32_t(RowStride(img.Width, bitCount) * uint64_t(img.Height));
    v.push_back('B');
    v.push_back('M');
    Put32(v, offBits + imageBytes);
    Put32(v, 0);
    Put32(v, offBits);
    Put32(v, uint32_t(kInfoHeaderSize));
    Put32(v, uint32_t(img.Width));
    Put32(v, uint32_t(img.Height));
    Put16(v, 1);
    Put16(v, uint16_t(bitCount));
    Put32(v, kBiRgb);
    Put32(v, imageBytes);
    Put32(v, 2835); // 72 dpi
    Put32(v, 2835);
    Put32(v, paletteBytes / 4);
    Put32(v, 0);
}

void PutRow(std::vector<uint8_t>& v, const uint32_t* row, int width, int bitCount) {
    size_t start = v.size();
    if (bitCount == 1) {
        v.resize(start + (width + 7) / 8, 0);
        for (int x = 0; x < width; ++x) {
            uint32_t c = row[x];
            bool white = (c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF) >= 384;
            if (white) v[start + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    } else {
        for (int x = 0; x < width; ++x) {
            v.push_back(uint8_t(row[x]));
            v.push_back(uint8_t(row[x] >> 8));
            v.push_back(uint8_t(row[x] >> 16));
            if (bitCount == 32) v.push_back(uint8_t(row[x] >> 24));
        }
    }
    v.resize(start + RowStride(width, bitCount), 0);
}

} // namespace

std::vector<uint8_t> EncodeBmp(const TBmpImage& img, int bitCount) {
    if (bitCount != 1 && bitCount != 24 && bitCount != 32)
        throw Exception(Format("Cannot write a %d-bit BMP", bitCount));
    if (img.Width <= 0 || img.Height <= 0 || img.Pixels.size() != size_t(img.Width) * img.Height)
        throw Exception("BMP image size does not match its pixels");
    uint32_t paletteBytes = bitCount == 1 ? 8 : 0;
    std::vector<uint8_t> v;
    v.reserve(kFileHeaderSize + kInfoHeaderSize + paletteBytes + RowStride(img.Width, bitCount) * img.Height);
    PutHeaders(v, img, bitCount, paletteBytes);
    if (bitCount == 1) {
        Put32(v, 0x000000); // index 0: black
        Put32(v, 0xFFFFFF); // index 1: white
    }
    for (int y = img.Height - 1; y >= 0; --y)
        PutRow(v, &img.Pixels[size_t(y) * img.Width], img.Width, bitCount);
    return v;
}
