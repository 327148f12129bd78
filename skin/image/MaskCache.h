// Magenta-keyed drawing in two plain blits, with the parts it needs made once per bitmap content and
// key colour instead of on every paint. (MaskBlt builds scratch bitmaps on every call.)
#pragma once

#include "PixelRows.h"

#include <windows.h>

// Mask is white where a pixel has the key colour and black elsewhere; Holes are the pixels with the
// key ones black. ANDing the mask into the destination and ORing the holes over it leaves the
// destination exactly where the key was and the pixel everywhere else. Both are 24-bit.
struct TKeyed {
    TPixelRows Mask, Holes;
    size_t Bytes() const { return Mask.Bits.size() + Holes.Bits.size(); }
};

// The parts of 24- or 32-bit pixels.
TKeyed KeyOut(const TPixelRows& pixels, COLORREF key);
// The bitmap's parts, kept for the bitmap's current Stamp; valid until the next call.
const TKeyed& CachedKeyOut(const TBitmap& bmp, COLORREF key);
// Draws w x h pixels from (sx, sy) of the keyed bitmap at (x, y), within the bitmap's bounds.
void KeyedBlt(HDC dc, int x, int y, int w, int h, const TKeyed& keyed, int sx, int sy);
void FlushMaskCache();
