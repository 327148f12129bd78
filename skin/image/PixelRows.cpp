#include "PixelRows.h"

#include <algorithm>
#include <cstring>

TPixelRows CopyRows(const TBitmap& bmp) {
    if (bmp.PixelFormat() != pf24bit && bmp.PixelFormat() != pf32bit) {
        TBitmap copy;
        copy.Assign(&bmp);
        copy.SetPixelFormat(pf24bit);
        return CopyRows(copy);
    }
    TPixelRows rows{bmp.Width(), bmp.Height(), bmp.RowBytes(), bmp.PixelFormat(), {}};
    if (bmp.Empty()) return rows;
    auto* first = static_cast<const uint8_t*>(bmp.ScanLine(0)); // the rows lie one after the other
    rows.Bits.assign(first, first + size_t(rows.RowBytes) * size_t(rows.Height));
    return rows;
}

TBitmap& TStage::Reserve(int w, int h) {
    if (FBitmap.Width() < w || FBitmap.Height() < h) {
        w = std::max(FBitmap.Width(), w), h = std::max(FBitmap.Height(), h);
        FBitmap.FreeImage(); // nothing on the stage is worth keeping
        FBitmap.SetPixelFormat(FFormat);
        FBitmap.SetSize(w, h);
    }
    return FBitmap;
}

TBitmap& TStage::Show(const TPixelRows& rows) {
    Reserve(rows.Width, rows.Height);
    if (rows.Width <= 0 || rows.Height <= 0) return FBitmap;
    auto* stage = static_cast<uint8_t*>(FBitmap.ScanLine(0));
    const size_t stride = size_t(FBitmap.RowBytes());
    for (int y = 0; y < rows.Height; y++)
        std::memcpy(stage + size_t(y) * stride, rows.Row(y), size_t(rows.RowBytes));
    return FBitmap;
}
