// Pixels held in memory instead of in GDI objects, so that caches of them cost no handles, and the
// one reusable bitmap they are drawn through.
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <vector>

// Rows top to bottom, each RowBytes long, in the layout of a DIB section of that format.
struct TPixelRows {
    int Width = 0, Height = 0, RowBytes = 0;
    TPixelFormat Format = pf24bit;
    std::vector<uint8_t> Bits;

    const uint8_t* Row(int y) const { return Bits.data() + size_t(y) * size_t(RowBytes); }
    uint8_t* Row(int y) { return Bits.data() + size_t(y) * size_t(RowBytes); }
};

// The bitmap's pixels as 24- or 32-bit rows: as stored, other formats through a 24-bit copy.
TPixelRows CopyRows(const TBitmap& bmp);

// A bitmap of one format that grows to the largest rows shown on it and is reused for every draw.
class TStage {
  public:
    explicit TStage(TPixelFormat pf) : FFormat(pf) {}
    // The stage with the rows copied to its top-left corner; the rest is left as it was.
    TBitmap& Show(const TPixelRows& rows);
    // The stage, at least w x h, its pixels undefined.
    TBitmap& Reserve(int w, int h);
    void Free() { FBitmap.FreeImage(); }

  private:
    TPixelFormat FFormat;
    TBitmap FBitmap;
};
