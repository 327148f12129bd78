// Windows BMP files to and from a plain pixel array. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TBmpImage {
    int Width = 0, Height = 0;
    int BitCount = 24;            // depth of the file it came from / to write
    std::vector<uint32_t> Pixels; // Width*Height, rows top to bottom, 0xAARRGGBB (B,G,R,A bytes in memory)

    TBmpImage() = default;
    TBmpImage(int width, int height, uint32_t fill = 0xFF000000u, int bitCount = 24);
    uint32_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The largest image the decoder accepts. Skin images are small strips (the default skin's largest is
// 391 pixels wide and 18 560 pixels in all); these limits still admit a 4K screen-sized picture, while
// a forged header can ask for no more than 64 MB of decoded pixels.
constexpr int kBmpMaxSide = 16384;
constexpr int64_t kBmpMaxPixels = int64_t(1) << 24;

struct TBmpError {
    std::string Text;
    bool TooLarge = false; // the header declares more than kBmpMaxSide or kBmpMaxPixels
};

// Decodes an uncompressed BMP (BITMAPINFOHEADER or later; 1/4/8-bit palettes, 16-bit 555 and BI_BITFIELDS
// 565, 24, 32 with BI_RGB or BI_BITFIELDS; top-down and bottom-up). Never reads outside `data`; false
// (with a reason in *error) for anything it cannot decode. Sizes beyond the limits above are refused
// before anything is allocated. Alpha is taken from 32-bit files (and from an alpha mask); every other
// pixel gets alpha 0xFF.
bool DecodeBmp(const uint8_t* data, size_t size, TBmpImage& out, TBmpError* error = nullptr);

// Writes a plain bottom-up BMP with the 54-byte header, 24 or 32 bits per pixel; 1 bit per pixel
// writes a black/white palette after the header (a pixel is white when R+G+B is at least 384).
// Throws Exception for another depth or a pixel array that does not match the size.
std::vector<uint8_t> EncodeBmp(const TBmpImage& img, int bitCount);
