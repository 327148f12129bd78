#include "MaskCache.h"

#include "LruCache.h"

#include <algorithm>
#include <cstdint>

namespace {

struct TKeyedKey {
    const TBitmap* Bitmap;
    uint64_t Stamp;
    COLORREF Key;
    bool operator==(const TKeyedKey&) const = default;
};

TLruCache<TKeyedKey, TKeyed>& KeyedBitmaps() {
    static TLruCache<TKeyedKey, TKeyed> cache(64, 4u << 20);
    return cache;
}

struct TKeyedStages {
    TStage Mask{pf24bit}, Holes{pf24bit};
};
TKeyedStages& Stages() {
    static TKeyedStages stages;
    return stages;
}

TPixelRows Rows24(int w, int h) {
    TPixelRows rows{w, h, (w * 3 + 3) / 4 * 4, pf24bit, {}}; // DIB rows are 32-bit aligned
    rows.Bits.resize(size_t(rows.RowBytes) * size_t(h));
    return rows;
}

} // namespace

TKeyed KeyOut(const TPixelRows& pixels, COLORREF key) {
    const int w = pixels.Width, h = pixels.Height, bpp = pixels.Format == pf32bit ? 4 : 3;
    TKeyed out{Rows24(w, h), Rows24(w, h)};
    const uint8_t kr = uint8_t(key), kg = uint8_t(key >> 8), kb = uint8_t(key >> 16);
    for (int y = 0; y < h; y++) {
        const uint8_t* p = pixels.Row(y);
        uint8_t *mask = out.Mask.Row(y), *holes = out.Holes.Row(y);
        for (int x = 0; x < w; x++, p += bpp, mask += 3, holes += 3) {
            bool keyed = p[0] == kb && p[1] == kg && p[2] == kr;
            std::fill(mask, mask + 3, keyed ? 0xFF : 0x00);
            if (!keyed) std::copy(p, p + 3, holes);
        }
    }
    return out;
}

const TKeyed& CachedKeyOut(const TBitmap& bmp, COLORREF key) {
    const TKeyedKey k{&bmp, bmp.Stamp(), key};
    if (const TKeyed* kept = KeyedBitmaps().Find(k)) return *kept;
    TKeyed keyed = KeyOut(CopyRows(bmp), key);
    const size_t bytes = keyed.Bytes();
    if (KeyedBitmaps().Fits(bytes)) return *KeyedBitmaps().Insert(k, std::move(keyed), bytes);
    static TKeyed unkept; // too large to keep: held until the next call, like a kept one
    unkept = std::move(keyed);
    return unkept;
}

void KeyedBlt(HDC dc, int x, int y, int w, int h, const TKeyed& keyed, int sx, int sy) {
    w = std::min(w, keyed.Mask.Width - sx);
    h = std::min(h, keyed.Mask.Height - sy);
    if (w <= 0 || h <= 0) return;
    BitBlt(dc, x, y, w, h, Stages().Mask.Show(keyed.Mask).SourceDC(), sx, sy, SRCAND);
    BitBlt(dc, x, y, w, h, Stages().Holes.Show(keyed.Holes).SourceDC(), sx, sy, SRCPAINT);
}

void FlushMaskCache() {
    KeyedBitmaps().Clear();
    Stages().Mask.Free();
    Stages().Holes.Free();
}
