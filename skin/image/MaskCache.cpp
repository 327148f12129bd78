#include "MaskCache.h"

#include "LruCache.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// One too large to keep, held until the next call like a kept one.
TKeyed& Unkept() {
    static TKeyed unkept;
    return unkept;
}

// The keyed pixels, and the destination read back to have them laid over it.
struct TKeyedStages {
    TStage Source{pf24bit}, Merge{pf24bit};
};
TKeyedStages& Stages() {
    static TKeyedStages stages;
    return stages;
}

TPixelRows Rows24(const TPixelRows& pixels) {
    const int w = pixels.Width, h = pixels.Height, bpp = pixels.Format == pf32bit ? 4 : 3;
    if (bpp == 3) return pixels;
    TPixelRows rows{w, h, (w * 3 + 3) / 4 * 4, pf24bit, {}}; // DIB rows are 32-bit aligned
    rows.Bits.resize(size_t(rows.RowBytes) * size_t(h));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            std::memcpy(rows.Row(y) + x * 3, pixels.Row(y) + x * bpp, 3);
    return rows;
}

// Runs [x0, x1) of one row's pixels that are not the key.
std::vector<std::pair<int, int>> OpaqueRuns(const uint8_t* row, int w, COLORREF key) {
    const uint8_t kr = uint8_t(key), kg = uint8_t(key >> 8), kb = uint8_t(key >> 16);
    auto keyed = [&](int x) { return row[x * 3] == kb && row[x * 3 + 1] == kg && row[x * 3 + 2] == kr; };
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < w;) {
        while (x < w && keyed(x))
            x++;
        int x0 = x;
        while (x < w && !keyed(x))
            x++;
        if (x > x0) runs.emplace_back(x0, x);
    }
    return runs;
}

// Rows with the same runs share rectangles: a face with rounded corners needs a handful.
std::vector<RECT> OpaqueRects(const TPixelRows& rows, COLORREF key) {
    std::vector<RECT> rects;
    std::vector<std::pair<int, int>> previous;
    size_t group = 0; // first rectangle of the rows that had `previous`
    for (int y = 0; y < rows.Height; y++) {
        auto runs = OpaqueRuns(rows.Row(y), rows.Width, key);
        if (y > 0 && runs == previous) {
            for (size_t i = group; i < rects.size(); i++)
                rects[i].bottom = y + 1;
            continue;
        }
        group = rects.size();
        for (auto [x0, x1] : runs)
            rects.push_back({x0, y, x1, y + 1});
        previous = std::move(runs);
    }
    return rects;
}

RECT Intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// A 24-bit memory DC round-trips through the stage unchanged, so it is read back, the opaque pixels
// laid over it in memory and the result copied once. (Other formats could lose bits such as alpha.)
bool Is24BitMemoryDC(HDC dc) {
    BITMAP bm{};
    return GetObjectType(dc) == OBJ_MEMDC &&
           GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm) == int(sizeof bm) &&
           bm.bmBitsPixel == 24;
}

void MergeInto(HDC dc, int x, int y, const RECT& window, const TKeyed& keyed) {
    const int w = window.right - window.left, h = window.bottom - window.top;
    TBitmap& merge = Stages().Merge.Reserve(w, h);
    HDC m = merge.MemoryDC();
    BitBlt(m, 0, 0, w, h, dc, x, y, SRCCOPY);
    auto* bits = static_cast<uint8_t*>(merge.ScanLine(0));
    const size_t stride = size_t(merge.RowBytes());
    for (const RECT& r : keyed.Opaque) {
        RECT part = Intersect(r, window);
        if (part.right <= part.left) continue;
        for (int sy = part.top; sy < part.bottom; sy++)
            std::memcpy(bits + size_t(sy - window.top) * stride + size_t(part.left - window.left) * 3,
                        keyed.Pixels.Row(sy) + part.left * 3, size_t(part.right - part.left) * 3);
    }
    BitBlt(dc, x, y, w, h, m, 0, 0, SRCCOPY);
}

// Elsewhere (a window on screen) nothing is read back: one copy per opaque rectangle.
void CopyOpaque(HDC dc, int x, int y, const RECT& window, const TKeyed& keyed) {
    HDC s = Stages().Source.Show(keyed.Pixels).SourceDC();
    for (const RECT& r : keyed.Opaque) {
        RECT part = Intersect(r, window);
        if (part.right > part.left && part.bottom > part.top)
            BitBlt(dc, x + part.left - window.left, y + part.top - window.top, part.right - part.left,
                   part.bottom - part.top, s, part.left, part.top, SRCCOPY);
    }
}

} // namespace

TKeyed KeyOut(const TPixelRows& pixels, COLORREF key) {
    TKeyed keyed{Rows24(pixels), {}};
    keyed.Opaque = OpaqueRects(keyed.Pixels, key);
    return keyed;
}

const TKeyed& CachedKeyOut(const TBitmap& bmp, COLORREF key) {
    const TKeyedKey k{&bmp, bmp.Stamp(), key};
    if (const TKeyed* kept = KeyedBitmaps().Find(k)) return *kept;
    TKeyed keyed = KeyOut(CopyRows(bmp), key);
    const size_t bytes = keyed.Bytes();
    if (KeyedBitmaps().Fits(bytes)) return *KeyedBitmaps().Insert(k, std::move(keyed), bytes);
    return Unkept() = std::move(keyed);
}

void KeyedBlt(HDC dc, int x, int y, int w, int h, const TKeyed& keyed, int sx, int sy) {
    const RECT window = Intersect({sx, sy, sx + w, sy + h}, {0, 0, keyed.Pixels.Width, keyed.Pixels.Height});
    if (window.right <= window.left || window.bottom <= window.top) return;
    x += window.left - sx, y += window.top - sy;
    if (Is24BitMemoryDC(dc))
        MergeInto(dc, x, y, window, keyed);
    else
        CopyOpaque(dc, x, y, window, keyed);
}

void FlushMaskCache() {
    KeyedBitmaps().Clear();
    Unkept() = {};
    Stages().Source.Free();
    Stages().Merge.Free();
}
