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

TBitmap& TStage::Show(const TPixelRows& rows) {
    if (FBitmap.Width() < rows.Width || FBitmap.Height() < rows.Height) {
        int w = std::max(FBitmap.Width(), rows.Width), h = std::max(FBitmap.Height(), rows.Height);
        FBitmap.FreeImage(); // nothing on the stage is worth keeping
        FBitmap.SetPixelFormat(FFormat);
        FBitmap.SetSize(w, h);
    }
    if (rows.Width <= 0 || rows.Height <= 0) return FBitmap;
    auto* stage = static_cast<uint8_t*>(FBitmap.ScanLine(0));
    const size_t stride = size_t(FBitmap.RowBytes());
    for (int y = 0; y < rows.Height; y++)
        std::memcpy(stage + size_t(y) * stride, rows.Row(y), size_t(rows.RowBytes));
    return FBitmap;
}
