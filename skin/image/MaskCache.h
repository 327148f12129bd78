// Magenta-keyed drawing with plain copies only, its parts made once per bitmap content and key
// colour instead of on every paint. (MaskBlt builds scratch bitmaps on every call, and raster
// operations other than a copy go pixel by pixel in the system's software renderer.)
#pragma once

#include "PixelRows.h"

#include <windows.h>

#include <vector>

// The pixels as 24-bit rows, and the rectangles that together cover exactly the pixels that are
// not the key colour.
struct TKeyed {
    TPixelRows Pixels;
    std::vector<RECT> Opaque;
    size_t Bytes() const { return Pixels.Bits.size() + Opaque.size() * sizeof(RECT); }
};

// The parts of 24- or 32-bit pixels.
TKeyed KeyOut(const TPixelRows& pixels, COLORREF key);
// The bitmap's parts, kept for the bitmap's current Stamp; valid until the next call.
const TKeyed& CachedKeyOut(const TBitmap& bmp, COLORREF key);
// Draws w x h pixels from (sx, sy) of the keyed bitmap at (x, y), within the bitmap's bounds.
void KeyedBlt(HDC dc, int x, int y, int w, int h, const TKeyed& keyed, int sx, int sy);
void FlushMaskCache();
