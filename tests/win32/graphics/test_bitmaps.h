// Helpers of the graphics tests: hand-made BMP files and pixel reading.
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <vector>

// Pixels are 0xRRGGBB, row-major, top row first. Depths up to 8 bits store the index of each pixel
// in `palette` (written with `paletteUsed` entries, 0 meaning all); 16 bits stores 5-6-5 bit fields;
// 32 bits stores alpha 0x7F, so that a lost alpha channel shows.
struct TBmpMaker {
    int Width = 0, Height = 0, Bits = 24;
    bool TopDown = false;
    std::vector<uint32_t> Pixels;
    std::vector<uint32_t> Palette;
    uint32_t PaletteUsed = 0;

    std::vector<uint8_t> Make() const;
};

// The pixel at (x, y) as 0xRRGGBB read through ScanLine (24 and 32 bits) or as 0/0xFFFFFF (1 bit).
uint32_t ScanPixel(TBitmap& bmp, int x, int y);
// 0xRRGGBB of a COLORREF / TColor.
uint32_t Rgb(COLORREF c);
