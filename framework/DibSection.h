// The pixel storage under TBitmap: a DIB section with top-down rows and pixel access by colour.
#pragma once

#include "GdiHandles.h"

#include <cstdint>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

struct TDibSection {
    TGdiHandle<HBITMAP> Handle;
    uint8_t* Bits = nullptr;
    int Width = 0, Height = 0;
    TPixelFormat Format = pf24bit;

    // Formats a DIB section can hold here: pf1bit (palette black, white), pf24bit, pf32bit.
    static bool Supports(TPixelFormat pf) { return pf == pf1bit || pf == pf24bit || pf == pf32bit; }
    // A new section, all pixels zero. No handle when a side is 0 or the system refuses the size.
    static TDibSection Create(int width, int height, TPixelFormat pf);

    bool Empty() const { return !Handle; }
    int BitsPerPixel() const;
    int RowBytes() const;
    size_t ImageBytes() const { return size_t(RowBytes()) * size_t(Height); }
    uint8_t* Row(int y) const { return Bits + size_t(y) * size_t(RowBytes()); }
    // Pixels as 0xAARRGGBB; 24-bit and 1-bit pixels read with alpha 0xFF. A 1-bit pixel is set
    // (white) when R + G + B is at least 384, the rule the BMP writer uses too.
    uint32_t Get(int x, int y) const;
    void Put(int x, int y, uint32_t argb);
};
